#pragma once
// The view library's signed-in panel, laid over the main window's client area after a sign-in
// (CQorViewMgr::ShowKorvelDlg): who is signed in, with which status, on which server, the text
// box that typing into the main window reaches, and the "Messages" button that opens the
// message centre. Ours is small; the product's holds the contact trees and the recent
// conversations.
#include "framework/CDialog.h"
#include "framework/MessageMap.h"

class CQorMainPanel : public CDialog {
public:
    CQorMainPanel();
    ~CQorMainPanel() override;

    // Creates the panel in pParent on first use, places it on rc and shows it; false when the
    // window could not be made.
    BOOL Open(CWnd* pParent, const RECT& rc);
    void Place(const RECT& rc);
    void ShowAccount(const CString& strUser, const CString& strStatus, const CString& strServer);
    CWnd* GetEdit() { return &m_wndEdit; }
    // Destroys the window; the object can be opened again.
    void Close();

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape in a child panel close nothing.
    void OnOK() override {}
    void OnCancel() override {}
    // The "Messages" button: the library reaches the program by a message to its owner window,
    // an empty request (the centre opens on its own first view).
    afx_msg void OnMessages();
    DECLARE_MESSAGE_MAP()

private:
    CWnd m_wndEdit;
};
