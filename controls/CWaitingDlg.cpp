#include "controls/CWaitingDlg.h"
#include "framework/CDataExchange.h"
#include "platform/QorResource/ResourceIds.h"

IMPLEMENT_DYNAMIC(CWaitingDlg, CDialog)

BEGIN_MESSAGE_MAP(CWaitingDlg, CDialog)
END_MESSAGE_MAP()

CWaitingDlg::CWaitingDlg(CWnd* pParent) : CDialog(IDD_WAITING, pParent)
{
}

CWaitingDlg::~CWaitingDlg() = default;

void CWaitingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WAITING_PROGRESS, m_progress);
    DDX_Text(pDX, IDC_WAITING_TEXT, m_strText);
    DDX_Text(pDX, IDC_WAITING_PERCENT, m_strPercent);
}

BOOL CWaitingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // Centred on the primary screen, whatever the owner's position.
    CRect rc;
    GetWindowRect(&rc);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - rc.Width()) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - rc.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);

    // On top even when another program has the focus: borrow the foreground thread's input
    // state for as long as it takes to come forward.
    const DWORD foreground = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    const DWORD self = ::GetCurrentThreadId();
    const bool attached = foreground && foreground != self && ::AttachThreadInput(self, foreground, TRUE);
    ShowWindow(SW_SHOWNORMAL);
    SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow();
    if (attached)
        ::AttachThreadInput(self, foreground, FALSE);
    return TRUE;
}

void CWaitingDlg::SetRange(int nUpper)
{
    if (m_progress.m_hWnd)
        m_progress.SetRange32(0, nUpper);
}

int CWaitingDlg::ComputePercent(int nPos, int nLower, int nUpper)
{
    const long long width = static_cast<long long>(nUpper) - nLower;
    if (width == 0)
        return 0;
    return static_cast<int>(static_cast<long long>(nPos) * 100 / width);
}

void CWaitingDlg::SetPos(int nPos)
{
    int lower = 0, upper = 0;
    if (m_progress.m_hWnd)
        m_progress.GetRange(lower, upper);
    CString percent;
    percent.Format(L"%d%%", ComputePercent(nPos, lower, upper));
    if (m_hWnd)
        SetDlgItemText(IDC_WAITING_PERCENT, percent);
    if (m_progress.m_hWnd)
        m_progress.SetPos(nPos);
}

void CWaitingDlg::OnCancel()
{
    // Only hidden: the pane keeps the dialog for its next long task.
    ShowWindow(SW_HIDE);
    if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->SendMessage(WM_WAITING_CANCEL, 0, 0);
}
