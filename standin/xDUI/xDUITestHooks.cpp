#include "platform/xDUI/xDUITestHooks.h"
#include "standin/xDUI/DrawRecorder.h"
#include <mutex>

namespace xDuiLib {

namespace {

std::mutex g_lock;
std::vector<DrawRecord> g_draws;
int g_refuse = 0;
int g_registrations = 0;
// Drawing runs on every paint: keep the record bounded.
const size_t kMaxRecords = 4096;

} // namespace

void RecordDraw(const wchar_t* operation, const std::wstring& image, const RECT& rc, bool drawn)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (g_draws.size() >= kMaxRecords)
        g_draws.erase(g_draws.begin(), g_draws.begin() + kMaxRecords / 2);
    g_draws.push_back({ operation, image, rc, drawn });
}

bool TakeProviderRefusal()
{
    std::lock_guard<std::mutex> guard(g_lock);
    ++g_registrations;
    if (g_refuse > 0) {
        --g_refuse;
        return true;
    }
    return false;
}

std::vector<DrawRecord> xDuiTest_GetDrawRecords()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_draws;
}

void xDuiTest_ClearDrawRecords()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_draws.clear();
}

void xDuiTest_RefuseProviders(int nCount)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_refuse = nCount > 0 ? nCount : 0;
}

int xDuiTest_GetRegistrationCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_registrations;
}

void xDuiTest_ResetCounters()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_registrations = 0;
    g_refuse = 0;
}

} // namespace xDuiLib
