#pragma once
// CLoginByNameMode: the sign-in panel's sign-in by display name. It puts the by-name panel
// (CKorvelLoginByNameDlg, template 1044) in place of the user and password rows and takes it
// away again, offers it the display names saved for the current server, restores the account
// last chosen by name, and gives the sign-in panel the chosen account and the texts of its
// by-name record. It owns the by-name panel, and is that panel's owner (ILoginByNameOwner); it
// sees the sign-in panel through ILoginByNameHost.
#include "framework/CString.h"
#include "signin/ILoginByNameOwner.h"

class CKorvelLoginByNameDlg;
class ILoginByNameHost;

class CLoginByNameMode : public ILoginByNameOwner {
public:
    explicit CLoginByNameMode(ILoginByNameHost& host) : m_host(host) {}
    // Deletes the by-name panel object; its window has gone with the sign-in panel's.
    ~CLoginByNameMode();
    CLoginByNameMode(const CLoginByNameMode&) = delete;
    CLoginByNameMode& operator=(const CLoginByNameMode&) = delete;

    // The by-name panel; null in account mode.
    CKorvelLoginByNameDlg* GetPanel() const { return m_pByNameDlg; }
    // Without the by-name panel: shows it over the user and password rows. With it and bKeep
    // false: goes back to the rows.
    void Switch(bool bKeep);
    // The display names saved for the current server become the name box's list; with
    // bLookUp and at least one name, the first is chosen and looked up.
    void FillNames(bool bLookUp);
    // Restores the account last chosen by name: the loaded login name and password, the stored
    // display name and department. Without the right to keep sign-in data (or to keep the
    // password) those are emptied instead.
    void ApplyLoadedSettings(const CString& strLogin, const CString& strPassword, bool bCanSave, bool bSavePassword);
    // The account chosen by name (and the password typed there) becomes the sign-in panel's
    // login name and password.
    void TakeChosenAccount();
    // Puts the focus on the name box (a sign-in without a login name).
    void FocusName();
    // The texts of the name box and the department box (empty in account mode).
    CString GetDisplayName() const;
    CString GetDepartment() const;
    // Keeps the by-name panel as wide as the sign-in panel.
    void Layout(int cx);

// ILoginByNameOwner: the by-name panel's view of the sign-in panel
    CString GetServerAddress() const override;
    int GetServerPort() const override;
    void ApplyChosenAccount(const CString& strLoginName, const CString& strPassword, bool bSavedPassword) override;

private:
    ILoginByNameHost& m_host;
    CKorvelLoginByNameDlg* m_pByNameDlg = nullptr; // owned; null in account mode
};
