#pragma once
// CNetSetDlg: the network settings (template 158), a modal dialog in which the user picks the
// server address and port of the next sign-in and sets the proxy. The caller hands in the
// current address and port and takes them back when the dialog ends with IDOK; the proxy is
// stored by the view library and handed to the main window here. A button deletes the server
// list with all saved user information.
#include "framework/CBrush.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CFlatComboBox.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CSkinEdit.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxFrameHelper.h"
#include "platform/QorView/CxLabel.h"
#include "platform/QorView/_SERVERITEM.h"

class ILoginOwner;

class CNetSetDlg : public CQorDlg, public CxFrameHelper {
public:
    // The current server of the sign-in panel (shown and offered for change), whether the preset
    // file locks it (the server box disabled), and the main window that takes the proxy (not
    // owned; may be null).
    CNetSetDlg(CWnd* pParent, ILoginOwner* pOwner, const CString& strServerAddr, int nServerPort, bool bServerLocked);

    // The sign-in panel's network settings (CKorvelLoginDlg::NetSettingsRunner): runs the dialog
    // modally over the panel for its address, port and lock, with its owner taking the proxy.
    static INT_PTR RunModal(CWnd* pParent, ILoginOwner* pOwner, CString& strAddress, int& nPort, bool bLocked,
                            bool& bDeleted);

    // Fills the proxy fields from the stored proxy and the server box from the server list.
    void LoadNetSettings();
    // Enables or disables the five proxy fields together.
    void EnableProxyFields(BOOL bEnable);

    // After IDOK: the server chosen (address trimmed, port checked).
    const CString& GetServerAddress() const { return m_strServerAddr; }
    int GetServerPort() const { return m_nServerPort; }
    // The user deleted the server list and the saved user information.
    bool IsServerDeleted() const { return m_bServerDeleted != 0; }

    // The server and proxy ports a user may enter.
    enum { kMinPort = 1, kMaxPort = 65535 };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnProxyTypeChange();
    afx_msg void OnDeleteServer();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    enum { kCaptionCount = 7 };

    // Shows the message of a refused field and puts the focus on it (its text selected).
    void RefuseField(CWnd& field, const CString& strText, const CString& strCaption);

    ILoginOwner* m_pOwner;     // the main window: takes the proxy; not owned
    int m_nServerPort;         // edit 1012
    CString m_strServerAddr;   // box 1018
    BYTE m_bServerDeleted = 0;
    BYTE m_bServerLocked;      // the preset file fixes the server: box 1018 disabled
    CServerItemArray m_arServers;

    CFlatComboBox m_cbServer;
    CSkinEdit m_edServerPort;
    CFlatComboBox m_cbProxyType;
    CSkinEdit m_edProxyHost;
    CSkinEdit m_edProxyPort;
    CSkinEdit m_edProxyUser;
    CSkinEdit m_edProxyPassword;
    CSkinEdit m_edProxyDomain;
    CxButtonBase m_btnOK;
    CxButtonBase m_btnCancel;
    CxButtonBase m_btnDelete;
    CxLabel m_lblSplitLine;
    CxLabel m_lblCaptions[kCaptionCount];
    CBrush m_brBackground; // the labels' background: the dialog's own
};

// A port typed by the user: the number when the text (blanks around it aside) is all decimal
// digits, else 0 (which no port check lets through).
int ParsePortText(const CString& strText);
