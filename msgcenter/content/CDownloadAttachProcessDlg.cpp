#include "msgcenter/content/CDownloadAttachProcessDlg.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "platform/QorResource/HistoryResourceIds.h"

BEGIN_MESSAGE_MAP(CDownloadAttachProcessDlg, CQorDlg)
    ON_BN_CLICKED(IDC_DOWNLOAD_CANCEL, &CDownloadAttachProcessDlg::OnCancelButton)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CDownloadAttachProcessDlg::CDownloadAttachProcessDlg(CWnd* pParent) : CQorDlg(IDD_DOWNLOAD_PROGRESS, pParent) {}

void CDownloadAttachProcessDlg::DoDataExchange(CDataExchange* pDX)
{
    CQorDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DOWNLOAD_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_DOWNLOAD_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_DOWNLOAD_TEXT, m_lblText);
    DDX_Control(pDX, IDC_DOWNLOAD_PERCENT, m_lblPercent);
    DDX_Text(pDX, IDC_DOWNLOAD_PERCENT, m_strPercent);
}

BOOL CDownloadAttachProcessDlg::OnInitDialog()
{
    m_strPercent = L"0%";
    CQorDlg::OnInitDialog();
    _Init(this);
    m_btnCancel.SetSkin(L"xButtonSetDlg");
    m_progress.SetRange(0, 100);
    return TRUE;
}

int CDownloadAttachProcessDlg::Percent(LONGLONG done, LONGLONG total)
{
    if (total <= 0 || done <= 0)
        return 0;
    // done * 100 overflows only past 92 PB; the quotient is taken before narrowing.
    return static_cast<int>(done * 100 / total);
}

int CDownloadAttachProcessDlg::GetBarPos() const
{
    return m_progress.GetSafeHwnd() ? m_progress.GetPos() : 0;
}

void CDownloadAttachProcessDlg::UpdateProgress(LONGLONG done, LONGLONG total)
{
    if (!m_progress.GetSafeHwnd())
        return;
    m_progress.SetRange(0, 100);
    int percent = Percent(done, total);
    m_strPercent.Format(L"%d%%", percent);
    m_lblPercent.SetWindowTextW(m_strPercent);
    m_progress.SetPos(percent);
}

void CDownloadAttachProcessDlg::CompleteDownload()
{
    if (!m_progress.GetSafeHwnd())
        return;
    m_strPercent.Format(L"%d%%", 100);
    m_lblPercent.SetWindowTextW(m_strPercent);
    m_progress.SetPos(100);
    EndDialog(IDOK);
}

// Enter does not end a download.
void CDownloadAttachProcessDlg::OnOK() {}

void CDownloadAttachProcessDlg::OnCancelButton()
{
    OnCancel();
}

// The modal run ends first, so the owner's cancel (which may show a box of its own) runs with
// this dialog already closing.
void CDownloadAttachProcessDlg::OnCancel()
{
    CQorDlg::OnCancel();
    if (m_pViewer) {
        CWnd* pWnd = m_pViewer->GetDownloadOwnerWnd();
        if (pWnd && pWnd->GetSafeHwnd())
            m_pViewer->CancelAttachmentDownload();
    } else if (m_pContentPane) {
        CWnd* pWnd = m_pContentPane->GetDownloadOwnerWnd();
        if (pWnd && pWnd->GetSafeHwnd())
            m_pContentPane->CancelAttachmentDownload();
    }
}

BOOL CDownloadAttachProcessDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CDownloadAttachProcessDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawParentBackground(this, &dc);
}

// The labels lie on the painted background.
HBRUSH CDownloadAttachProcessDlg::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC && pDC) {
        ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<HBRUSH>(Default());
}
