#include "app/CStatusMenu.h"
#include "framework/CWnd.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CxMenu.h"
#include "platform/QorView/UserStatus.h"

std::vector<CStatusMenu::Grey> CStatusMenu::GreyItems(bool bSignedIn, bool bSigningIn, DWORD dwOption1,
                                                      DWORD dwOption2)
{
    std::vector<Grey> grey;
    if (!bSignedIn) {
        const UINT off = MF_GRAYED | MF_DISABLED;
        for (UINT id : {ID_MENU_SIGN_OUT, ID_STATUS_ONLINE, ID_STATUS_INVISIBLE, ID_STATUS_AWAY, ID_STATUS_BUSY,
                        ID_MENU_OPTIONS, ID_STATUS_DND})
            grey.push_back({id, off});
        if (bSigningIn)
            grey.push_back({ID_MENU_EXIT, off});
        return grey;
    }
    grey.push_back({ID_MENU_SIGN_IN, MF_GRAYED});
    if (!IsStatusAllowed(USER_STATUS_BUSY, dwOption1, dwOption2))
        grey.push_back({ID_STATUS_BUSY, MF_GRAYED});
    if (dwOption2 & SERVER_OPTION2_NO_SIGN_OUT)
        grey.push_back({ID_MENU_SIGN_OUT, MF_GRAYED});
    if (!IsStatusAllowed(USER_STATUS_AWAY, dwOption1, dwOption2))
        grey.push_back({ID_STATUS_AWAY, MF_GRAYED});
    if (dwOption2 & SERVER_OPTION2_NO_EXIT)
        grey.push_back({ID_MENU_EXIT, MF_GRAYED});
    return grey;
}

void CStatusMenu::ClearCustom()
{
    m_arText.RemoveAll();
    m_arType.RemoveAll();
}

void CStatusMenu::LoadCustom(const CString& strConfigFile)
{
    ClearCustom();
    const CString section = L"CusStatus";
    int count = CQorViewBaseFun::GetIniFileIntValue(section, L"Count", strConfigFile, 0);
    // Only 51 commands are handled; a larger (or damaged) count would flood the menu and reach
    // into other commands' ids.
    if (count > kMaxCustom)
        count = kMaxCustom;
    for (int n = 1; n <= count; ++n) {
        CString key;
        key.Format(L"Item%d_Type", n);
        const int type = CQorViewBaseFun::GetIniFileIntValue(section, key, strConfigFile, 0);
        key.Format(L"Item%d_Desc", n);
        m_arType.Add(type);
        m_arText.Add(CQorViewBaseFun::GetIniFileStrValue(section, key, strConfigFile, CString()));
    }
}

bool CStatusMenu::GetCustom(UINT nCommand, int& nType, CString& strText) const
{
    if (nCommand < ID_CUSTOM_STATUS_FIRST || nCommand > ID_CUSTOM_STATUS_LAST)
        return false;
    const INT_PTR i = static_cast<INT_PTR>(nCommand - ID_CUSTOM_STATUS_FIRST);
    if (i >= m_arType.GetSize() || i >= m_arText.GetSize())
        return false;
    nType = m_arType[i];
    strText = m_arText[i];
    return true;
}

BOOL CStatusMenu::Show(CWnd* pOwner, int x, int y, UINT nTrackFlags, bool bHideShow, const State& state)
{
    if (state.bModal || !pOwner)
        return FALSE;
    CxMenu menu;
    if (!menu.LoadMenu(IDR_MENU_STATUS))
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return FALSE;
    for (const Grey& g : GreyItems(state.bSignedIn, state.bSigningIn, state.dwOption1, state.dwOption2))
        pPopup->EnableMenuItem(g.nId, MF_BYCOMMAND | g.nFlags);

    // The account changes with every sign-in: signed out, no custom status is offered at all.
    if (!state.bSignedIn) {
        ClearCustom();
    } else if (CMenu* pStatus = pPopup->GetSubMenu(kCustomSubMenu)) {
        if (!state.strConfigFile.IsEmpty()) {
            LoadCustom(state.strConfigFile);
            for (INT_PTR i = 0; i < m_arText.GetSize(); ++i) {
                const UINT n = static_cast<UINT>(i) + 1;
                pStatus->InsertMenu(n + 4, MF_BYPOSITION | MF_STRING, ID_CUSTOM_STATUS_FIRST - 1 + n, m_arText[i]);
            }
        } else {
            ClearCustom();
        }
    }
    if (bHideShow)
        pPopup->DeleteMenu(ID_MENU_SHOW_MAIN, MF_BYCOMMAND);

    // A menu of a window that is not in the foreground stays open when the user clicks
    // elsewhere (the tray's menu is opened while another program is active).
    ::SetForegroundWindow(pOwner->GetSafeHwnd());
    BOOL bTracked = pPopup->TrackPopupMenu(nTrackFlags, x, y, pOwner);
    ::PostMessageW(pOwner->GetSafeHwnd(), WM_NULL, 0, 0);
    return bTracked;
}
