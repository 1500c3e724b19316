#pragma once
// CSignInPanels: which of the three sign-in panels covers the main window's client area (the
// sign-in panel, the progress panel, the reconnect countdown) or whether the view library's
// signed-in view does. Each panel is created on first use, kept, placed over the client area
// and shown, and the other two are hidden; the close operations destroy a panel (it deletes
// itself with its window). The panel objects themselves are reached through CLoginPanelHost.
#include "framework/Platform.h"

class CDialog;
class CKorvelBaseDlg;

class CSignInPanels {
public:
    explicit CSignInPanels(CKorvelBaseDlg& dlg) : m_dlg(dlg) {}
    CSignInPanels(const CSignInPanels&) = delete;
    CSignInPanels& operator=(const CSignInPanels&) = delete;

    // The sign-in panel; then, when allowed, starts a sign-in at once: the main window's own
    // (a login name from the command line, once after start) or the panel's (its automatic
    // sign-in box). TRUE when the panel started one.
    BOOL ShowLoginPanel(BOOL bAutoStart);
    void ShowWaitPanel();
    // Stores the error number in the reconnect panel and starts (nStart non-zero) or stops its
    // countdown.
    void ShowReconnectPanel(int nStart, int nError);
    // The view library lays its signed-in panels over the client area.
    void ShowMainView();

    void CloseLoginPanel();
    void CloseWaitPanel();
    void CloseReconnectPanel();
    void CloseMessageCentre();

    // Moves every panel that has a window onto the client area (after a size change).
    void LayoutPanels();

private:
    // Hides the panels other than pKeep.
    void HideOthers(const CDialog* pKeep);
    // Places the panel over the client area and shows it; a full redraw when bRedraw.
    void PlaceAndShow(CDialog* pPanel, bool bRedraw);
    // Destroys the panel the pointer holds and clears the pointer.
    static void Close(CDialog*& pPanel);

    CKorvelBaseDlg& m_dlg;
};
