#pragma once
// ILoginByNameHost: what the sign-in panel's by-name mode (CLoginByNameMode) needs of the panel:
// its window (the by-name panel's parent) and the main window above it, its settings model (the
// current server and the account), its account rows to hide and show, and its "save password"
// box. The sign-in panel (CKorvelLoginDlg) implements it; the mode never sees the panel's class.
class CWnd;
class LoginSettings;

class ILoginByNameHost {
public:
    // The sign-in panel's window.
    virtual CWnd* GetPanelWnd() = 0;
    // The main window, or null without one.
    virtual CWnd* GetMainWnd() = 0;
    virtual LoginSettings& GetSettings() = 0;
    // Shows or hides the user and password rows (boxes, captions, icons), in whose place the
    // by-name panel lies.
    virtual void ShowAccountRows(bool bShow) = 0;
    virtual bool IsSavePasswordChecked() const = 0;
    virtual void SetSavePasswordChecked(bool bChecked) = 0;
    // Shows the model's login name and password in the boxes.
    virtual void ShowAccount() = 0;

protected:
    ~ILoginByNameHost() = default;
};
