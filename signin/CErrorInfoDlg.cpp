#include "signin/CErrorInfoDlg.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "platform/QorResource/SignInResourceIds.h"

BEGIN_MESSAGE_MAP(CErrorInfoDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CErrorInfoDlg::CErrorInfoDlg(CWnd* pParent, const CString& strText1, const CString& strText2)
    : CDialog(IDD_ERROR_INFO, pParent), m_strText1(strText1), m_strText2(strText2)
{
}

void CErrorInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ERROR_INFO_TEXT1, m_strText1);
    DDX_Text(pDX, IDC_ERROR_INFO_TEXT2, m_strText2);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
}

BOOL CErrorInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    m_btnClose.SetSkin(L"xButtonSetDlg");
    m_btnClose.SetTextColor(static_cast<COLORREF>(-1));
    return TRUE;
}

// The texts lie on the painted background: no fill of their own.
HBRUSH CErrorInfoDlg::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC && pDC) {
        ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<HBRUSH>(Default());
}

void CErrorInfoDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawParentBackground(this, &dc);
}
