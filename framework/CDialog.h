#pragma once
// A dialog box from a template of the current resource module (AfxGetResourceHandle()).
//
// Modal: DoModal disables the owner, creates the dialog, runs its own message loop (with the
// same PreTranslateMessage routing as the application's loop, so IsDialogMessage keyboard
// handling works) until EndDialog, then re-enables the owner and destroys the window; it
// answers the EndDialog code, -1 when the dialog could not be created or WM_QUIT arrived.
//
// Modeless: Create makes the window and returns; the object lives on with it. OnOK and OnCancel
// call EndDialog in both modes; for a modeless dialog that only hides the window (the window
// and the object stay), so a modeless dialog that should go away overrides them and calls
// DestroyWindow, typically with PostNcDestroy deleting the object.
#include "framework/CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

// Modeless
    // The parent defaults to the application's main window, as for modal dialogs.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    // From a template in memory (DLGTEMPLATE or DLGTEMPLATEEX).
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

// Modal
    // DoModal from a template in memory instead of the resource module.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    // Ends the modal loop with nResult; on a modeless dialog, hides it (::EndDialog).
    void EndDialog(int nResult);

// Overridables
    // Called while WM_INITDIALOG is handled, after the controls exist; fills them from the
    // member variables (UpdateData(FALSE)). TRUE lets the system focus the first control.
    virtual BOOL OnInitDialog();
    // Enter / the OK button: reads the controls (UpdateData(TRUE)) and, when they validate,
    // EndDialog(IDOK).
    virtual void OnOK();
    // Escape / the Cancel button / the close box: EndDialog(IDCANCEL).
    virtual void OnCancel();
    // Keyboard and mouse input for the dialog's controls goes through IsDialogMessage
    // (Tab, arrows, Enter, Escape, mnemonics).
    BOOL PreTranslateMessage(MSG* pMsg) override;

// Operations
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

// Attributes
    LPCWSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    // TRUE while DoModal runs.
    BOOL m_bModal = FALSE;

protected:
    // Creates the window from a template through the creation hook.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst);
    // The template named lpszTemplateName from the resource module (then the program itself);
    // *phInst receives the module it came from. nullptr when neither has it.
    static LPCDLGTEMPLATE LoadTemplate(LPCWSTR lpszTemplateName, HINSTANCE* phInst);

    DECLARE_MESSAGE_MAP()
};
