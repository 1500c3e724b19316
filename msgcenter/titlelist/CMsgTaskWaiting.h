#pragma once
// The waiting dialog of a message list's long task (deletion or export of the selected rows) and
// the manager window it keeps disabled meanwhile. The title list and the contact-history pane
// both show their progress and take their Cancel (WM_USER+100 to the pane) through it.
#include "framework/CString.h"

class CWaitingDlg;
class CWnd;

class CMsgTaskWaiting {
public:
    CMsgTaskWaiting() = default;
    ~CMsgTaskWaiting();
    CMsgTaskWaiting(const CMsgTaskWaiting&) = delete;
    CMsgTaskWaiting& operator=(const CMsgTaskWaiting&) = delete;

    // Shows the dialog (made once, from template 15031, owned by the pane, which hears its
    // Cancel) with the text, and disables the manager window when there is one.
    void Show(CWnd* pPane, CWnd* pManager, const CString& strText);
    // The progress range 0..nCount and position, while the dialog's window exists.
    void SetRange(int nCount);
    void SetPos(int nPos);
    // Destroys the dialog; the manager window is shown (restored when minimised), focused and
    // enabled again.
    void Close(CWnd* pManager);
    // Destroys the dialog only (its owner is going away).
    void Destroy();
    CWaitingDlg* Get() const { return m_pDlg; }

    // Asks where an export goes (save dialog with the export filter and title); false when the
    // user cancels.
    static bool AskExportPath(CWnd* pParent, CString& strPath);

private:
    CWaitingDlg* m_pDlg = nullptr;
};
