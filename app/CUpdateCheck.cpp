#include "app/CUpdateCheck.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/WqUpApi/WqUpApi.h"

namespace {

// The updater stays loaded once found: it keeps the settings of the check for the update.
HMODULE Updater()
{
    static HMODULE hModule = ::LoadLibraryW(L"WqUpApi.dll");
    return hModule;
}

template <class Fn>
Fn Ordinal(int nOrdinal)
{
    HMODULE hModule = Updater();
    return hModule ? reinterpret_cast<Fn>(reinterpret_cast<void*>(
                         ::GetProcAddress(hModule, MAKEINTRESOURCEA(static_cast<WORD>(nOrdinal)))))
                   : nullptr;
}

} // namespace

int CUpdateCheck::Check(const CString& strServer, int nPort, DWORD dwVersion, HWND hOwner)
{
    auto pfnInit = Ordinal<PFN_WqUpInit>(WQUP_ORD_INIT);
    auto pfnSetUrl = Ordinal<PFN_WqUpSetUrl>(WQUP_ORD_SET_URL);
    auto pfnSetTitle = Ordinal<PFN_WqUpSetTitle>(WQUP_ORD_SET_TITLE);
    auto pfnAddClient = Ordinal<PFN_WqUpAddClient>(WQUP_ORD_ADD_CLIENT);
    auto pfnAddItem = Ordinal<PFN_WqUpAddItem>(WQUP_ORD_ADD_ITEM);
    auto pfnSetOwner = Ordinal<PFN_WqUpSetOwner>(WQUP_ORD_SET_OWNER);
    auto pfnCheck = Ordinal<PFN_WqUpCheck>(WQUP_ORD_CHECK);
    if (!pfnInit || !pfnSetUrl || !pfnSetTitle || !pfnAddClient || !pfnAddItem || !pfnSetOwner || !pfnCheck)
        return 0;
    pfnInit(); // nothing of an earlier check carries over
    CString url;
    url.Format(L"http://%s:%d/Update", strServer.GetString(), nPort);
    pfnSetUrl(url);
    pfnSetTitle(CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE));
    pfnAddClient(L"KorvelClient", static_cast<int>(dwVersion));
    // "[ItemName]" is the updater's own placeholder for each item's name.
    const CString addins = CQorViewBaseFun::GetWorkDir() + L"\\Addins\\[ItemName]";
    pfnAddItem(L"KorvelVAddIn", addins);
    pfnAddItem(L"KorvelCAddIn", addins);
    pfnAddItem(L"KorvelSkin", CQorViewBaseFun::GetMySkinFilePathInfo());
    pfnSetOwner(hOwner);
    return pfnCheck();
}

BOOL CUpdateCheck::StartUpdate()
{
    auto pfnSetAppPath = Ordinal<PFN_WqUpSetAppPath>(WQUP_ORD_SET_APP_PATH);
    auto pfnStart = Ordinal<PFN_WqUpStartUpdate>(WQUP_ORD_START_UPDATE);
    if (!pfnSetAppPath || !pfnStart)
        return FALSE;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    pfnSetAppPath(path);
    // The user has agreed already (the prompt), so the updater asks nothing more.
    pfnStart(1);
    return TRUE;
}
