#include "msgcenter/historyviewer/CQorMsgGroupDelDlg.h"
#include "framework/CPaintDC.h"
#include "msgcenter/historyviewer/CHistoryDeleter.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "platform/QorResource/HistoryResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorMessageBox.h"

BEGIN_MESSAGE_MAP(CQorMsgGroupDelDlg, CQorDlg)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// Beyond this the cutoff lies before any stored message; the count is only kept from overflowing.
const int kMaxDays = 36500;

} // namespace

CQorMsgGroupDelDlg::CQorMsgGroupDelDlg(CWnd* pParent) : CQorDlg(IDD_HISTORY_DELETE, pParent) {}

BOOL CQorMsgGroupDelDlg::OnInitDialog()
{
    _Init(this);
    CQorDlg::OnInitDialog();
    m_btnOk.SubclassDlgItem(IDOK, this);
    m_btnCancel.SubclassDlgItem(IDCANCEL, this);
    m_label1.SubclassDlgItem(IDC_HISTORY_DELETE_LABEL1, this);
    m_label2.SubclassDlgItem(IDC_HISTORY_DELETE_LABEL2, this);
    m_btnOk.SetSkin(L"xButtonSetDlg");
    m_btnCancel.SetSkin(L"xButtonSetDlg");
    m_label1.SetTextAlign(10);
    m_label2.SetTextAlign(9);
    CString title;
    title.Format(L"%s", LoadText(IDS_HISTORY_DELETE).GetString());
    SetWindowTextW(title);
    SetCanResize(false);
    CString days;
    days.Format(L"%d", m_days);
    SetDlgItemText(IDC_HISTORY_DELETE_DAYS, days);
    Invalidate();
    return TRUE;
}

bool CQorMsgGroupDelDlg::ParseDays(const CString& strText, int& nDays)
{
    CString text = strText;
    text.Trim();
    if (text.IsEmpty() || text.GetLength() > 9)
        return false;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] < L'0' || text[i] > L'9')
            return false;
    int n = _wtoi(text);
    if (n < 1)
        return false;
    nDays = n;
    return true;
}

void CQorMsgGroupDelDlg::OnOK()
{
    bool all = IsDlgButtonChecked(IDC_HISTORY_DELETE_ALL) == BST_CHECKED;
    CString text;
    GetDlgItemText(IDC_HISTORY_DELETE_DAYS, text);
    if (!all) {
        text.Trim();
        if (text.IsEmpty()) {
            QorMessageBox(LoadText(IDS_HISTORY_DELETE_NO_DAYS), LoadText(IDS_MSGBOX_CAPTION), this, MB_OK,
                          MB_ICONWARNING, 0, 0);
            return;
        }
        int days = 0;
        if (!ParseDays(text, days)) {
            // Zero or a negative count would move the cutoff to now or into the future and take
            // the whole conversation with it.
            QorMessageBox(LoadText(IDS_HISTORY_DELETE_BAD_DAYS), LoadText(IDS_MSGBOX_CAPTION), this, MB_OK,
                          MB_ICONWARNING, 0, 0);
            return;
        }
        m_days = days;
    }
    if (DeleteHistoryBefore(all))
        EndDialog(IDOK);
}

bool CQorMsgGroupDelDlg::DeleteHistoryBefore(bool bAll)
{
    if (!m_pViewer)
        return false;
    CString question;
    if (bAll) {
        question = LoadText(IDS_HISTORY_DELETE_ALL_CONFIRM);
    } else {
        question.Format(LoadText(IDS_HISTORY_DELETE_CONFIRM), m_days);
    }
    if (QorMessageBox(question, LoadText(IDS_MSGBOX_CAPTION), this, MB_OKCANCEL, MB_ICONQUESTION, MB_DEFBUTTON2, 0) != IDOK)
        return false;
    CString cutoff;
    if (!bAll) {
        SYSTEMTIME now;
        ::GetLocalTime(&now);
        cutoff = CHistoryDeleter::CutoffDaysAgo(m_days > kMaxDays ? kMaxDays : m_days, now);
    }
    CString error;
    bool ok = m_pViewer->IsPeerMode()
                  ? CHistoryDeleter::DeletePeer(m_pViewer->GetMyLogin(), m_pViewer->GetPeerLogin(), cutoff, error)
                  : CHistoryDeleter::DeleteTalk(m_pViewer->GetTalkId(), cutoff, error);
    if (!ok) {
        CQorViewBaseFun::WriteErrorLogFileEx(L"History deletion failed: " + error + L"\r\n");
        QorMessageBox(LoadText(IDS_HISTORY_DELETE_FAILED), LoadText(IDS_MSGBOX_CAPTION), this, MB_OK, MB_ICONWARNING, 0, 0);
    }
    return ok;
}

void CQorMsgGroupDelDlg::OnPaint()
{
    CPaintDC dc(this);
    _PaintBk(&dc);
}

HBRUSH CQorMsgGroupDelDlg::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC && pDC) {
        ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<HBRUSH>(Default());
}
