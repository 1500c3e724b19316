#pragma once
// CSignInPanels: which of the three sign-in panels covers the main window's client area (the
// sign-in panel, the progress panel, the reconnect countdown) or whether the view library's
// signed-in view does. Each panel is created on first use, kept, placed over the client area
// and shown, and the other two are hidden; the close operations destroy a panel (it deletes
// itself with its window). It holds the three panels and sees the main window as the panels'
// owner (ILoginOwner); the panel objects themselves are reached through CLoginPanelHost.
#include "framework/CString.h"
#include "framework/Platform.h"

class CDialog;
class ILoginOwner;

class CSignInPanels {
public:
    explicit CSignInPanels(ILoginOwner& owner) : m_owner(owner) {}
    CSignInPanels(const CSignInPanels&) = delete;
    CSignInPanels& operator=(const CSignInPanels&) = delete;

    // The sign-in panel, created on first use with the automatic-start permission (or told it
    // again), placed and shown; its by-name dialog refreshes its list. False when there is no
    // panel.
    bool ShowLoginPanel(bool bAutoStart);
    // The progress panel, with the account and server of the sign-in under way.
    void ShowWaitPanel(const CString& strLoginName, const CString& strServer);
    // Stores the error number in the reconnect panel and starts (nStart non-zero) or stops its
    // countdown.
    void ShowReconnectPanel(int nStart, int nError);
    // The view library lays its signed-in panels over the client area.
    void ShowMainView();

    void CloseLoginPanel();
    void CloseWaitPanel();
    void CloseReconnectPanel();

    // Moves every panel that has a window onto the client area (after a size change).
    void LayoutPanels();
    // A panel's window has gone: its pointer is forgotten.
    void OnPanelGone(CDialog* pPanel);

    // The panels (null while one does not exist).
    CDialog* GetLoginPanel() const { return m_pLoginDlg; }
    CDialog* GetWaitPanel() const { return m_pLoginWaitDlg; }
    CDialog* GetReconnectPanel() const { return m_pConnectErrDlg; }
    // The panels' size class from their client height (0, 1, 2), as the panels report it.
    void SetSizeClass(int nClass) { m_nSizeClass = nClass; }
    int GetSizeClass() const { return m_nSizeClass; }

private:
    // The frame's usable client rectangle, where the panels lie.
    void GetPanelRect(RECT* pRect) const;
    // Hides the panels other than pKeep.
    void HideOthers(const CDialog* pKeep);
    // Places the panel over the client area and shows it; a full redraw when bRedraw.
    void PlaceAndShow(CDialog* pPanel, bool bRedraw);
    // Destroys the panel the pointer holds and clears the pointer.
    static void Close(CDialog*& pPanel);

    ILoginOwner& m_owner;
    CDialog* m_pLoginDlg = nullptr;      // sign-in panel (CKorvelLoginDlg); it tells its end
    CDialog* m_pLoginWaitDlg = nullptr;  // sign-in progress panel
    CDialog* m_pConnectErrDlg = nullptr; // reconnect countdown panel
    int m_nSizeClass = 0;
};
