#pragma once
// LoginSettings: what the sign-in panel remembers and where its next sign-in goes, apart from the
// panel's window. It keeps the server list (as the chooser offers it), the saved users, the last
// server, the account being entered (login name, password, status, sign-in flags) and the
// server the next sign-in goes to; it loads them from the view library's settings, the
// saved-login store and the preset file "WebServiceUrl.ini", and saves them after a successful
// sign-in, under the company policy on keeping sign-in data. The panel (CKorvelLoginDlg) hands
// it what the user did and shows what it holds.
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "platform/QorView/_PROXYINFO.h"
#include "platform/QorView/_SERVERITEM.h"
#include "signin/LoginFields.h"
#include "signin/StartupFlags.h"
#include <array>

// Port of a server typed in by hand.
const int KORVEL_DEFAULT_PORT = 6660;

// One entry of the status menu: its command, the status it stands for, and its icon (a cell of
// the skin image "i.button.main.dlg.status.icons").
struct LoginStatusChoice {
    UINT nCommand;
    int nStatus;
    const wchar_t* pszImage;
};

// The panel's three check boxes.
enum LoginCheckBox { CHECK_REMEMBER_ME, CHECK_SAVE_PASSWORD, CHECK_AUTO_LOGIN };
struct LoginChecks {
    bool bRememberMe = true;
    bool bSavePassword = false;
    bool bAutoLogin = false;
};

// What the panel shows once the settings are loaded, beside what the model then holds.
struct LoadedLogin {
    bool bCanSave = true;           // false: the company forbids keeping sign-in data
    LoginChecks checks;
    bool bSavedUsers = false;       // the saved users were read (the user box offers them)
    bool bUnderWay = false;         // a sign-in is under way: the chooser shows its address as text
    int nShownServer = -1;          // else the list entry the chooser selects (-1: none)
    bool bStoredRead = false;       // the stored account was read (the by-name panel takes its own)
    CString strStoredLogin;         // that account as stored (empty where the policy forbids it)
    CString strStoredPassword;
    bool bWindowsAccount = false;   // the account is the Windows account: the boxes are fixed
    _PROXYINFO proxy;               // the stored proxy, for the main window
};

class LoginSettings {
public:
    // The status menu, in menu order, and the entry of a command (null for another command).
    static const std::array<LoginStatusChoice, 5>& StatusChoices();
    static const LoginStatusChoice* FindStatusChoice(UINT nCommand);

// Loading and saving
    // Reads everything the panel shows: the server list, the saved users, the last server and
    // account, the check boxes, the status and the proxy, under the company policy and the
    // start-up flags (ILoginOwner). A sign-in already under way (owned: the owner's fields with
    // a login name, from the command line) wins over the stored account. Before it, the model's
    // login name and password are what the boxes hold.
    LoadedLogin Load(const LoginFields& owned, int nStartupFlags);
    // After a successful sign-in: the saved users (this account first), the server list, the
    // by-name record of the account on the server it signed in to (owned: the owner's fields;
    // null without a main window, then the current server) and the account itself as the check
    // boxes say. A password from the command line keeps only the lists; the policy keeps only
    // the server list and the status. bByName: the sign-in went by display name (strDisplayName
    // and strDepartment are that panel's). Always 1.
    int Save(const LoginChecks& checks, const LoginFields* pOwned, bool bByName, const CString& strDisplayName,
             const CString& strDepartment);
    // The company policy on keeping sign-in data (read anew): HKLM "SOFTWARE\KorvelSoft\Korvel",
    // DWORD "CantSaveLoginInfo"; sign-in data may be kept unless the value is there and 0.
    static bool CanSave();
    // Copies the language file of the language ("CHS", "CHT", else English) to "langex.ini" in
    // the option folder, never over one that is there.
    static void InstallLanguageFile(const CString& strLanguage);

// Servers
    int GetServerCount() const { return static_cast<int>(m_arServers.GetSize()); }
    const _SERVERITEM& GetServer(int nIndex) const { return m_arServers[nIndex]; }
    // Index of the entry with this address (case ignored), -1 when none.
    int FindServer(const CString& strAddress) const;
    // The display name of the entry with this address; empty when none.
    CString ServerNameOf(const CString& strAddress) const;
    // After a successful sign-in: the server the view library actually reached becomes the last
    // server (and joins the list).
    void UpdateConnectedServer();
    void SetCurrentServer(const CString& strAddress, int nPort, const CString& strName);
    const _SERVERITEM& GetLastServer() const { return m_LastServer; }
    // Adds the server to the list, or updates the entry of its address: the index of the new
    // entry, -1 when an entry was updated.
    int AddOrUpdateServer(const _SERVERITEM& item);
    // The server list and the saved users were deleted from the settings: the model forgets them
    // too, so that the next sign-in does not write them back.
    void ForgetServersAndUsers();

// The server the next sign-in goes to
    const CString& GetCurrentAddress() const { return m_strCurrentAddr; }
    int GetCurrentPort() const { return m_nCurrentPort; }
    void SetCurrentAddress(const CString& strAddress, int nPort);
    // The user chose a list entry: its address and port.
    void ChooseServer(int nIndex);
    // The user typed a server: the entry the text names (blanks around it aside, case ignored),
    // else the text on the default port. The entry's index, or -1.
    int TypeServer(const CString& strText);
    // Presets the current address from "WebServiceUrl.ini" [SERVERIP] "IpAddr" in the work folder
    // (the port stays); false when there is none. "Disable" non-zero locks the server.
    bool LoadPresetServer();
    bool IsPresetLocked() const { return m_bPresetLocked; }

// The account
    const CString& GetLoginName() const { return m_strLoginName; }
    void SetLoginName(const CString& strLoginName) { m_strLoginName = strLoginName; }
    const CString& GetPassword() const { return m_strPassword; }
    void SetPassword(const CString& strPassword) { m_strPassword = strPassword; }
    int GetStatus() const { return m_nStatus; }
    void SetStatus(int nStatus) { m_nStatus = nStatus; }
    int GetLoginFlags() const { return m_nLoginFlags; }
    void SetLoginFlags(int nFlags) { m_nLoginFlags = nFlags; }
    const CStringArray& GetSavedUsers() const { return m_arSavedUsers; }
    int FindSavedUser(const CString& strUser) const;

    // What keeps a sign-in from starting: no login name, or no server.
    enum Refusal { REFUSED_NONE, REFUSED_NO_LOGIN_NAME, REFUSED_NO_SERVER };
    Refusal CheckSignIn() const;
    // The fields the main window signs in with: the login name without trailing blanks, the
    // password typed here (type 0), the current server with its display name, status and flags.
    LoginFields SignInFields() const;
    // The user set one box (checks holds its new state): the three boxes as they then stand,
    // each setting stored with the view library at once. Unchecking "save password" also
    // forgets the password.
    LoginChecks ApplyCheck(LoginCheckBox box, LoginChecks checks);

private:
    CServerItemArray m_arServers;
    CStringArray m_arSavedUsers; // most recent first
    _SERVERITEM m_LastServer;
    CString m_strCurrentAddr;
    int m_nCurrentPort = KORVEL_DEFAULT_PORT; // until a stored or chosen server says otherwise
    bool m_bPresetLocked = false;             // [SERVERIP] "Disable"
    CString m_strLoginName;
    CString m_strPassword;
    int m_nStatus = USER_STATUS_ONLINE;
    int m_nLoginFlags = 0;                    // LOGIN_FLAG_WINDOWS_ACCOUNT
};
