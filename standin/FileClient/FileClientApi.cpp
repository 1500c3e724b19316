#include "platform/FileClient/FileClientApi.h"
#include "platform/FileClient/FileClientTestHooks.h"
#include <atomic>
#include <new>

namespace {

std::atomic<int> g_live(0);

} // namespace

FiileItem_Info* AllocFileItem_Info()
{
    FiileItem_Info* p = new (std::nothrow) FiileItem_Info;
    if (p)
        ++g_live;
    return p;
}

void FreeFileItem_Info(FiileItem_Info* pItem)
{
    if (!pItem)
        return;
    --g_live;
    delete pItem;
}

int FileClientTest_GetLiveRecords()
{
    return g_live.load();
}

LRESULT FileClientTest_SendNotify(HWND hWnd, int nCode, FiileItem_Info* pItem)
{
    static const UINT message = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);
    return ::SendMessageW(hWnd, message, static_cast<WPARAM>(nCode), reinterpret_cast<LPARAM>(pItem));
}
