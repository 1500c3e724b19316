#pragma once
// CKorvelLoginDlg: the sign-in panel (template 15035), a child dialog that the main window lays
// over its client area while nobody is signed in. It holds the server chooser, the user name and
// password boxes, the remember-me / save-password / automatic-sign-in boxes and the status
// chooser; it validates what was entered, copies it into the main window and posts
// WM_LOGIN_START there. What it remembers (the server list, the saved users, the last server, the
// account, the check boxes, the preset server) is its settings model, LoginSettings, which it
// shows; the sign-in by display name is CLoginByNameMode, the error row CLoginErrorRow.
//
// The panel's own code lies in three files by concern: CKorvelLoginDlg.cpp (initialisation,
// signing in, the check boxes, the status and the mode), CKorvelLoginDlgServers.cpp (the server
// chooser, the branding and head picture, loading and saving the settings) and
// CKorvelLoginDlgLayout.cpp (layout and painting).
//
// Enter and Escape never close it; the object deletes itself when its window goes.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CACEdit.h"
#include "platform/QorView/CFlatComboBox.h"
#include "platform/QorView/CHeadPic.h"
#include "platform/QorView/CIconWnd.h"
#include "platform/QorView/CQorPicture.h"
#include "platform/QorView/CQorResizer.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxCheckButton.h"
#include "platform/QorView/CxLabel.h"
#include "platform/QorView/CxStatusButton.h"
#include "platform/QorView/_SERVERITEM.h"
#include "signin/CLoginByNameMode.h"
#include "signin/CLoginErrorRow.h"
#include "signin/ILoginByNameHost.h"
#include "signin/ILoginOwner.h"
#include "signin/LoginMessages.h"
#include "signin/LoginSettings.h"

class CKorvelLoginByNameDlg;

class CKorvelLoginDlg : public CDialog, private ILoginByNameHost {
public:
    // The main window (not owned; null: none, and several operations do nothing) and whether it
    // permits the automatic sign-in.
    explicit CKorvelLoginDlg(ILoginOwner* pOwner = nullptr, bool bAutoStart = true);
    ~CKorvelLoginDlg() override;

    // Runs the network settings dialog for the panel: over pParent, for the owner (who takes the
    // proxy), given the current address and port and whether the preset file locks the server;
    // answers IDOK with the new address and port in the same arguments, or anything else to
    // change nothing; bDeleted comes back true when the user deleted the server list and the
    // saved user information. The dialog itself is installed by whoever provides it
    // (SetNetSettingsRunner); without one the settings never open.
    using NetSettingsRunner = INT_PTR (*)(CWnd* pParent, ILoginOwner* pOwner, CString& strAddress, int& nPort,
                                          bool bLocked, bool& bDeleted);
    static void SetNetSettingsRunner(NetSettingsRunner pfnRunner);

// Called by the main window
    // Validates the fields, copies them into the main window and posts WM_LOGIN_START. false
    // when a field was refused (the panel has shown why).
    bool StartLogin();
    // Shows (or, with an empty text, hides) the error text, on as many lines as it needs, and
    // focuses the field that the code names: 10060 the server chooser, 205 the user box, 208
    // the password box.
    void ShowLoginError(BOOL bShow, const CString& strText, int nCode);
    // After a successful sign-in: the server the view library actually reached becomes the
    // last server (and joins the list).
    void UpdateConnectedServer();
    // After a successful sign-in: stores the users, the servers, the check boxes and the
    // by-name record. Always 1.
    int SaveLoginInfo();
    // First run: without a preset server and with an empty server list, opens the network
    // settings.
    void CheckServerSetup();
    bool IsAutoLoginChecked() const;
    // The main window permits (or forbids) the automatic sign-in.
    void SetAutoStart(bool bAutoStart) { m_bAutoStart = bAutoStart; }
    // The by-name panel; null in account mode.
    CKorvelLoginByNameDlg* GetByNameDlg() const { return m_ByNameMode.GetPanel(); }

// Settings (loading and saving)
    // Fills the panel from the stored settings; false only without a main window.
    bool LoadLoginSettings();
    void SetCurrentServer(const CString& strAddress, int nPort, const CString& strName);
    // Adds the server to the list (and, with bAddToChooser, at the top of the chooser) or updates
    // its entry.
    void AddOrUpdateServer(const _SERVERITEM& item, bool bAddToChooser);
    // Presets the current address from "WebServiceUrl.ini" [SERVERIP] and shows it; false when
    // there is none.
    bool LoadPresetServer();
    void OpenNetSettings();
    // The server list and the saved users were deleted from the settings: the panel forgets its
    // copies too, so that the next sign-in does not write them back.
    void ForgetServersAndUsers();
    // Copies the language file of the application's language to "langex.ini" unless it exists.
    void InstallLanguageFile();
    // Shows the status on the status chooser.
    void SetStatus(int nStatus);
    // Swaps the user and password rows for the by-name panel and back.
    void SwitchLoginMode(bool bKeep);

    // The settings the panel shows: the servers, the account, the status, where the next
    // sign-in goes.
    LoginSettings& GetSettings() override { return m_Settings; }
    const LoginSettings& GetSettings() const { return m_Settings; }
    // The head picture shown beside the account: its file (empty for none) and whether it loaded.
    const CString& GetHeadPictureFile() const { return m_strHeadPicFile; }
    bool IsHeadPictureShown() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg void OnLoginButton();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSkinChildNotify(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnServerSelChange();
    afx_msg void OnServerEditChange();
    afx_msg void OnUserNameChange();
    afx_msg void OnSavePasswordCheck();
    afx_msg void OnAutoLoginCheck();
    afx_msg void OnRememberMeCheck();
    afx_msg void OnSwitchLoginMode();
    afx_msg void OnStatusChoice(UINT nID);
    afx_msg void OnNetSettings();
    DECLARE_MESSAGE_MAP()

private:
// ILoginByNameHost: what the by-name mode uses of the panel
    CWnd* GetPanelWnd() override { return this; }
    CWnd* GetMainWnd() override;
    void ShowAccountRows(bool bShow) override;
    bool IsSavePasswordChecked() const override;
    void SetSavePasswordChecked(bool bChecked) override;
    void ShowAccount() override;

    void SkinControls();
    void PlaceHeadPicture(int cx, int cy);
    void CreateIconWindows();
    // Hides the three check boxes (the company or the start-up flags keep nothing).
    void HideCheckBoxes();
    // The boxes' states, and the coupling after the user set one of them.
    LoginChecks ReadChecks() const;
    void ShowChecks(const LoginChecks& checks);
    void OnCheckChanged(LoginCheckBox box);
    // Every list entry in the chooser, in list order, item data = index + 1.
    void FillServerChooser();
    // The list index of the chooser's selected entry, -1 without one.
    int GetSelectedServer() const;
    void LoadHeadPicture(const CString& strServerName, const CString& strUserName);
    void ShowHeadPicture(const CString& strFile);
    void RefreshBranding(const CString& strServerName);
    void RefreshBrandingForServerText();
    CString GetServerText() const;
    void ShowServerInChooser(const CString& strAddress);
    // "<" + string 62083 + ">" as the chooser's text: where nothing says which server to use.
    void ShowServerPrompt();
    void MoveControl(UINT nID, int x, int y, int cx, int cy);
    RECT GetControlRect(UINT nID) const;
    // The owner's start-up flags (0 without an owner) and window (null without one).
    int StartupFlags() const { return m_pOwner ? m_pOwner->GetStartupFlags() : 0; }
    HWND OwnerHwnd() const;

    ILoginOwner* m_pOwner;      // the main window, not owned; null = none
    bool m_bAutoStart;          // the main window permits the automatic sign-in
    LoginSettings m_Settings;
    CString m_strHeadPicFile;
    CQorPicture m_HeadPicture;
    CIconWnd* m_pIconWnds[5] = {}; // 554..558

    CFlatComboBox m_cbServer;
    CACEdit m_edUser;
    CACEdit m_edPassword;
    CxButtonBase m_btnLogin;
    CxCheckButton m_chkRememberMe;
    CxCheckButton m_chkSavePassword;
    CxCheckButton m_chkAutoLogin;
    CxStatusButton m_btnStatus;
    CxButtonBase m_btnNetSettings;
    CxButtonBase m_btnSwitchMode;
    CxLabel m_lblErrorText;
    CxLabel m_lblErrorMark;
    CxLabel m_lblUserCaption;
    CxLabel m_lblPasswordCaption;
    CxLabel m_lblServerCaption;
    CxLabel m_lblCheckCaption;
    CxLabel m_lblLogo;
    CHeadPic m_HeadPic;

    CQorResizer m_Resizer;
    CTransparentBkHelper m_BkHelper;
    CLoginByNameMode m_ByNameMode{*this}; // owns the by-name panel
    CLoginErrorRow m_ErrorRow{*this};
    static NetSettingsRunner s_pfnNetSettings;
};
