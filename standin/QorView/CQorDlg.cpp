#include "platform/QorView/CQorDlg.h"
#include "standin/QorView/QorViewState.h"

CQorDlg::CQorDlg(UINT nIDTemplate, CWnd* pParentWnd) : CWqCoolDlg(nIDTemplate, pParentWnd) {}

BOOL CQorDlg::OnInitDialog()
{
    qorview_detail::Record(L"CQorDlg::OnInitDialog");
    return CWqCoolDlg::OnInitDialog();
}
