#pragma once
// CWaitingDlg: a small modeless progress box (template IDD_WAITING) shown on top of
// everything while a pane works through many selected messages. It shows a percentage and a
// bar; Cancel hides it and sends WM_WAITING_CANCEL to the owner, which stops its work.
//     m_pWait = new CWaitingDlg(this);
//     m_pWait->SetOwner(this);
//     m_pWait->Create(IDD_WAITING, this);
//     m_pWait->SetRange(count);  ...  m_pWait->SetPos(done);
#include "framework/CDialog.h"
#include "framework/CProgressCtrl.h"

// Sent (wParam 0, lParam 0) to the owner when the user cancels.
#define WM_WAITING_CANCEL (WM_USER + 100)

class CWaitingDlg : public CDialog {
    DECLARE_DYNAMIC(CWaitingDlg)
public:
    explicit CWaitingDlg(CWnd* pParent = nullptr);
    ~CWaitingDlg() override;

    // The progress range becomes 0..nUpper (the full int range, not cut to 16 bits).
    void SetRange(int nUpper);
    // Moves the bar and shows pos as a percentage of the range ("%d%%").
    void SetPos(int nPos);
    // The percentage shown for a position; 0 for a range of no width.
    static int ComputePercent(int nPos, int nLower, int nUpper);

    // The window that hears WM_WAITING_CANCEL; set before the dialog is used.
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    // The first text (control 1119), shown from the next data exchange on.
    void SetText(const CString& strText) { m_strText = strText; }
    // The bar's position and range as it shows them.
    int GetPos() const { return m_progress.GetPos(); }
    void GetRange(int& nLower, int& nUpper) const { m_progress.GetRange(nLower, nUpper); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pOwner = nullptr; // receives WM_WAITING_CANCEL; not owned
    int m_nReserved1 = 0;
    int m_nReserved2 = 0;
    CProgressCtrl m_progress;
    CString m_strText;        // control 1119
    CString m_strPercent;     // control 1148
};
