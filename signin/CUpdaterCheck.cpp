#include "signin/CUpdaterCheck.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/WqUpApi/WqUpApi.h"

FARPROC CUpdaterCheck::UpdaterOrdinal(int nOrdinal)
{
    static HMODULE hModule = ::LoadLibraryW(L"WqUpApi.dll");
    return hModule ? ::GetProcAddress(hModule, MAKEINTRESOURCEA(static_cast<WORD>(nOrdinal))) : nullptr;
}

int CUpdaterCheck::Run(const Request& request) const
{
    auto init = Ordinal<PFN_WqUpInit>(WQUP_ORD_INIT);
    auto setTitle = Ordinal<PFN_WqUpSetTitle>(WQUP_ORD_SET_TITLE);
    auto addClient = Ordinal<PFN_WqUpAddClient>(WQUP_ORD_ADD_CLIENT);
    auto addItem = Ordinal<PFN_WqUpAddItem>(WQUP_ORD_ADD_ITEM);
    auto setUrl = Ordinal<PFN_WqUpSetUrl>(WQUP_ORD_SET_URL);
    auto setOwner = Ordinal<PFN_WqUpSetOwner>(WQUP_ORD_SET_OWNER);
    auto check = Ordinal<PFN_WqUpCheck>(WQUP_ORD_CHECK);
    if (!init || !setTitle || !addClient || !addItem || !setUrl || !check || (request.hOwner && !setOwner))
        return 0;

    init(); // nothing of an earlier check carries over
    setTitle(CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE));
    addClient(L"KorvelClient", request.nVersion);
    // "[ItemName]" is the updater's own placeholder for each item's name.
    CString addIns;
    addIns.Format(L"%s\\Addins\\[ItemName]", CQorViewBaseFun::GetWorkDir().GetString());
    addItem(L"KorvelVAddIn", addIns);
    addItem(L"KorvelCAddIn", addIns);
    addItem(L"KorvelSkin", CQorViewBaseFun::GetMySkinFilePathInfo());
    CString url;
    url.Format(L"http://%s:%d/Update", request.strServer.GetString(), request.nPort);
    setUrl(url);
    if (request.hOwner)
        setOwner(request.hOwner);
    return check();
}

bool CUpdaterCheck::StartUpdate(bool bSilent) const
{
    auto setAppPath = Ordinal<PFN_WqUpSetAppPath>(WQUP_ORD_SET_APP_PATH);
    auto start = Ordinal<PFN_WqUpStartUpdate>(WQUP_ORD_START_UPDATE);
    if (!setAppPath || !start)
        return false;
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    setAppPath(path);
    start(bSilent ? 1 : 0);
    return true;
}

void CUpdaterCheck::Cancel() const
{
    if (auto cancel = Ordinal<PFN_WqUpCancel>(WQUP_ORD_CANCEL))
        cancel();
}
