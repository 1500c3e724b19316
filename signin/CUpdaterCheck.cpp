#include "signin/CUpdaterCheck.h"
#include "platform/WqUpApi/WqUpApi.h"

namespace {

// The library stays loaded for the rest of the process once it was found.
HMODULE Updater()
{
    static HMODULE hModule = ::LoadLibraryW(L"WqUpApi.dll");
    return hModule;
}

template <class Fn>
Fn Ordinal(int nOrdinal)
{
    HMODULE hModule = Updater();
    return hModule ? reinterpret_cast<Fn>(::GetProcAddress(hModule, MAKEINTRESOURCEA(nOrdinal))) : nullptr;
}

} // namespace

int CUpdaterCheck::Run(const Request& request)
{
    if (auto init = Ordinal<PFN_WqUpInit>(WQUP_ORD_INIT))
        init();
    if (auto setTitle = Ordinal<PFN_WqUpSetTitle>(WQUP_ORD_SET_TITLE))
        setTitle(request.strTitle);
    if (auto addClient = Ordinal<PFN_WqUpAddClient>(WQUP_ORD_ADD_CLIENT))
        addClient(L"KorvelClient", request.nVersion);
    if (auto addItem = Ordinal<PFN_WqUpAddItem>(WQUP_ORD_ADD_ITEM)) {
        addItem(L"KorvelVAddIn", request.strAddInPath);
        addItem(L"KorvelCAddIn", request.strAddInPath);
        addItem(L"KorvelSkin", request.strSkinPath);
    }
    if (auto setUrl = Ordinal<PFN_WqUpSetUrl>(WQUP_ORD_SET_URL))
        setUrl(request.strUrl);
    auto check = Ordinal<PFN_WqUpCheck>(WQUP_ORD_CHECK);
    return check ? check() : 0;
}

void CUpdaterCheck::StartUpdate(bool bForced)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (auto setAppPath = Ordinal<PFN_WqUpSetAppPath>(WQUP_ORD_SET_APP_PATH))
        setAppPath(path);
    if (auto start = Ordinal<PFN_WqUpStartUpdate>(WQUP_ORD_START_UPDATE))
        start(bForced ? 1 : 0);
}

void CUpdaterCheck::Cancel()
{
    if (auto cancel = Ordinal<PFN_WqUpCancel>(WQUP_ORD_CANCEL))
        cancel();
}
