// The ordinal exports of the updater (numbers in WqUpApi.def) and its test hooks.
// The stand-in holds the settings of one check and answers "no update" unless a test
// scripted another answer; starting an update only counts the request, since no update
// package ever exists here to be installed.
#include "platform/WqUpApi/WqUpApi.h"
#include "platform/WqUpApi/WqUpApiTestHooks.h"
#include <mutex>

namespace {

struct UpdaterState {
    std::mutex lock;
    int checkResult = WQUP_NO_UPDATE;
    std::vector<std::wstring> calls;
    std::wstring title, url, appPath, clientName;
    int clientVersion = 0;
    std::vector<std::pair<std::wstring, std::wstring>> items;
    HWND owner = nullptr;
    bool cancelled = false;
    int updateStarts = 0;
};

UpdaterState& State()
{
    static UpdaterState* state = new UpdaterState;
    return *state;
}

std::wstring Text(LPCWSTR p)
{
    return p ? std::wstring(p) : std::wstring();
}

void Record(const std::wstring& call)
{
    auto& s = State();
    if (s.calls.size() >= 1000)
        s.calls.erase(s.calls.begin(), s.calls.begin() + 500);
    s.calls.push_back(call);
}

} // namespace

extern "C" {

int __cdecl WqUpCheck()
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.cancelled = false;
    int result = s.url.empty() ? WQUP_CHECK_FAILED : s.checkResult;
    Record(L"1()=" + std::to_wstring(result));
    return result;
}

int __cdecl WqUpAddClient(LPCWSTR pszName, int nVersion)
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.clientName = Text(pszName);
    s.clientVersion = nVersion;
    Record(L"2(" + s.clientName + L"," + std::to_wstring(nVersion) + L")");
    return pszName && *pszName ? 1 : 0;
}

int __cdecl WqUpAddItem(LPCWSTR pszName, LPCWSTR pszPath)
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.items.emplace_back(Text(pszName), Text(pszPath));
    Record(L"3(" + Text(pszName) + L"," + Text(pszPath) + L")");
    return pszName && *pszName ? 1 : 0;
}

int __cdecl WqUpStartUpdate(int nSilent)
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    Record(L"4(" + std::to_wstring(nSilent) + L")");
    if (s.appPath.empty())
        return 0;
    ++s.updateStarts;
    return 1;
}

int __cdecl WqUpSetTitle(LPCWSTR pszTitle)
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.title = Text(pszTitle);
    Record(L"5(" + s.title + L")");
    return 1;
}

int __cdecl WqUpSetUrl(LPCWSTR pszUrl)
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.url = Text(pszUrl);
    Record(L"6(" + s.url + L")");
    return s.url.empty() ? 0 : 1;
}

int __cdecl WqUpSetOwner(HWND hOwner)
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.owner = hOwner;
    Record(hOwner ? L"7(hwnd)" : L"7(null)");
    return 1;
}

int __cdecl WqUpInit()
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.title.clear();
    s.url.clear();
    s.appPath.clear();
    s.clientName.clear();
    s.clientVersion = 0;
    s.items.clear();
    s.owner = nullptr;
    s.cancelled = false;
    Record(L"8()");
    return 1;
}

int __cdecl WqUpCancel()
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.cancelled = true;
    Record(L"9()");
    return 1;
}

int __cdecl WqUpSetAppPath(LPCWSTR pszPath)
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.appPath = Text(pszPath);
    Record(L"10(" + s.appPath + L")");
    return s.appPath.empty() ? 0 : 1;
}

} // extern "C"

void WqUpTest_SetCheckResult(int nResult)
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.checkResult = nResult;
}

std::vector<std::wstring> WqUpTest_GetCalls()
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.calls;
}

void WqUpTest_ClearCalls()
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.calls.clear();
    s.updateStarts = 0;
}

std::wstring WqUpTest_GetUrl()
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.url;
}

std::wstring WqUpTest_GetAppPath()
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.appPath;
}

int WqUpTest_GetUpdateStarts()
{
    auto& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.updateStarts;
}
