#include "msgcenter/manager/CUserSearchDlg.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "platform/QorResource/MsgCenterResourceIds.h"

BEGIN_MESSAGE_MAP(CUserSearchDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
// The view library's label alignment the caption is given.
const UINT kCaptionAlign = 9;
} // namespace

CUserSearchDlg::CUserSearchDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CUserSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SEARCH_PERSON, m_strUserName);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_USER_SEARCH_CAPTION, m_lblCaption);
}

BOOL CUserSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    m_btnOK.SetSkin(L"xButtonSetDlg");
    m_btnCancel.SetSkin(L"xButtonSetDlg");
    m_lblCaption.SetTextAlign(kCaptionAlign);
    return TRUE;
}

void CUserSearchDlg::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CUserSearchDlg::OnPaint()
{
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    ::FillRect(dc.GetSafeHdc(), &rc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}
