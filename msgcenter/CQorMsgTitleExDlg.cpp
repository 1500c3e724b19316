#include "msgcenter/CQorMsgTitleExDlg.h"

BEGIN_MESSAGE_MAP(CQorMsgTitleExDlg, CDialog)
END_MESSAGE_MAP()

CQorMsgTitleExDlg::CQorMsgTitleExDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CQorMsgTitleExDlg::~CQorMsgTitleExDlg() = default;

BOOL CQorMsgTitleExDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    return TRUE;
}

void CQorMsgTitleExDlg::LoadContactHistoryByDate(const CString&, const CString&, const CString&) {}
void CQorMsgTitleExDlg::ExportSelected(BOOL) {}
void CQorMsgTitleExDlg::DeleteSelected(BOOL) {}
