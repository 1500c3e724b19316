#include "msgcenter/manager/CMsgSearchDlg.h"
#include "common/ChildRect.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "platform/QorResource/MsgCenterResourceIds.h"

BEGIN_MESSAGE_MAP(CMsgSearchDlg, CQorDlg)
    ON_BN_CLICKED(IDC_SEARCH_THIS_PERSON, &CMsgSearchDlg::OnThisPerson)
    ON_BN_CLICKED(IDC_SEARCH_ANY_PERSON, &CMsgSearchDlg::OnAnyPerson)
    ON_BN_CLICKED(IDC_SEARCH_ANY_DATE, &CMsgSearchDlg::OnAnyDate)
    ON_BN_CLICKED(IDC_SEARCH_DATE_RANGE, &CMsgSearchDlg::OnDateRange)
    ON_WM_CTLCOLOR()
    ON_WM_PAINT()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CMsgSearchDlg::CMsgSearchDlg(CWnd* pParent) : CQorDlg(IDD, pParent) {}

void CMsgSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CQorDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEARCH_TEXT, m_editText);
    DDX_Control(pDX, IDC_SEARCH_PERSON, m_editPerson);
    DDX_Text(pDX, IDC_SEARCH_TEXT, m_strText);
    DDX_Text(pDX, IDC_SEARCH_PERSON, m_strPerson);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_SEARCH_THIS_PERSON, m_radioThisPerson);
    DDX_Control(pDX, IDC_SEARCH_ANY_PERSON, m_radioAnyPerson);
    DDX_Control(pDX, IDC_SEARCH_ANY_DATE, m_radioAnyDate);
    DDX_Control(pDX, IDC_SEARCH_DATE_RANGE, m_radioDateRange);
}

BOOL CMsgSearchDlg::OnInitDialog()
{
    CQorDlg::OnInitDialog();
    _Init(this);
    m_editText.Init();
    m_editPerson.Init();
    m_btnOK.SetSkin(L"xButtonSetDlg");
    m_btnCancel.SetSkin(L"xButtonSetDlg");
    for (CxCheckButton* pRadio : {&m_radioThisPerson, &m_radioAnyPerson, &m_radioAnyDate, &m_radioDateRange})
        pRadio->SetSkin(L"xRadioButton");
    EnableTitleIcon(false);
    EnableTitleText(true);
    SetCanResize(false);

    const bool bPerson = !m_strPerson.IsEmpty();
    m_radioAnyPerson.SetChecked(!bPerson);
    m_radioThisPerson.SetChecked(bPerson);
    m_editPerson.EnableWindow(bPerson);
    m_radioAnyDate.SetChecked(true);
    m_radioDateRange.SetChecked(false);

    CreatePicker(m_dateFrom, IDC_SEARCH_ANY_DATE);
    CreatePicker(m_dateTo, IDC_SEARCH_DATE_RANGE);
    m_dateFrom.EnableWindow(FALSE);
    m_dateTo.EnableWindow(FALSE);
    return TRUE;
}

void CMsgSearchDlg::CreatePicker(CDateTimePlus& picker, UINT nRowRadio)
{
    RECT rcEdit = {}, rcRadio = {};
    GetChildRect(m_hWnd, IDC_SEARCH_PERSON, &rcEdit);
    GetChildRect(m_hWnd, nRowRadio, &rcRadio);
    RECT rc = {rcEdit.left, rcRadio.top - 2, rcEdit.right, rcRadio.bottom + 2};
    picker.SetDropDownColors(RGB(0xFF, 0xFF, 0xFF), 0xA6E2F3, 0xB9E9FA);
    picker.Create(WS_CHILD | WS_VISIBLE, rc, this, IDC_SEARCH_DATE_PICKER);
}

void CMsgSearchDlg::OnThisPerson()
{
    m_radioThisPerson.SetChecked(true);
    m_radioAnyPerson.SetChecked(false);
    m_editPerson.EnableWindow(TRUE);
}

void CMsgSearchDlg::OnAnyPerson()
{
    m_radioAnyPerson.SetChecked(true);
    m_radioThisPerson.SetChecked(false);
    m_editPerson.EnableWindow(FALSE);
}

void CMsgSearchDlg::OnAnyDate()
{
    m_radioAnyDate.SetChecked(true);
    m_radioDateRange.SetChecked(false);
    m_dateFrom.EnableWindow(FALSE);
    m_dateTo.EnableWindow(FALSE);
}

void CMsgSearchDlg::OnDateRange()
{
    m_radioDateRange.SetChecked(true);
    m_radioAnyDate.SetChecked(false);
    m_dateFrom.EnableWindow(TRUE);
    m_dateTo.EnableWindow(TRUE);
}

void CMsgSearchDlg::OnOK()
{
    UpdateData(TRUE);
    if (m_radioAnyPerson.IsChecked())
        m_strPerson.Empty();
    if (m_radioAnyDate.IsChecked()) {
        m_strDateFrom.Empty();
        m_strDateTo.Empty();
    } else {
        m_strDateFrom = m_dateFrom.FormatDate(L"%Y-%m-%d");
        m_strDateTo = m_dateTo.FormatDate(L"%Y-%m-%d");
    }
    EndDialog(IDOK);
}

HBRUSH CMsgSearchDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // Edits and the dialog itself keep their own brushes; labels and buttons show the painted
    // background through.
    if (nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_DLG)
        return CQorDlg::OnCtlColor(pDC, pWnd, nCtlColor);
    ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CMsgSearchDlg::OnPaint()
{
    CPaintDC dc(this);
    _PaintBk(&dc);
}

void CMsgSearchDlg::OnClose()
{
    for (CDateTimePlus* pPicker : {&m_dateFrom, &m_dateTo}) {
        if (::IsWindow(pPicker->GetSafeHwnd()))
            pPicker->DestroyWindow();
    }
    CQorDlg::OnClose();
}
