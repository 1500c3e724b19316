#pragma once
// CLoginByNameMode: the sign-in panel's sign-in by display name. It puts the by-name panel
// (CKorvelLoginByNameDlg, template 1044) in place of the user and password rows and takes it
// away again, offers it the display names saved for the panel's server, restores the account
// last chosen by name, and gives the panel the chosen account and the texts of its by-name
// record. The panel keeps the by-name panel's pointer (m_pByNameDlg); this class creates and
// deletes what it points to.
#include "framework/CString.h"

class CKorvelLoginDlg;

class CLoginByNameMode {
public:
    explicit CLoginByNameMode(CKorvelLoginDlg& panel) : m_panel(panel) {}
    // Deletes the by-name panel object; its window has gone with the sign-in panel's.
    ~CLoginByNameMode();
    CLoginByNameMode(const CLoginByNameMode&) = delete;
    CLoginByNameMode& operator=(const CLoginByNameMode&) = delete;

    // Without the by-name panel: shows it over the user and password rows. With it and bKeep
    // false: goes back to the rows.
    void Switch(bool bKeep);
    // The display names saved for the panel's current server become the name box's list; with
    // bLookUp and at least one name, the first is chosen and looked up.
    void FillNames(bool bLookUp);
    // Restores the account last chosen by name: the loaded login name and password, the stored
    // display name and department. Without the right to keep sign-in data (or to keep the
    // password) those are emptied instead.
    void ApplyLoadedSettings(const CString& strLogin, const CString& strPassword, bool bCanSave, bool bSavePassword);
    // The account chosen by name (and the password typed there) becomes the panel's user name
    // and password.
    void TakeChosenAccount();
    // The texts of the name box and the department box (empty in account mode).
    CString GetDisplayName() const;
    CString GetDepartment() const;
    // Keeps the by-name panel as wide as the sign-in panel.
    void Layout(int cx);

private:
    void ShowAccountRows(bool bShow);

    CKorvelLoginDlg& m_panel;
};
