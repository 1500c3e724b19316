#include "msgcenter/CQorMsgContentDlg.h"

BEGIN_MESSAGE_MAP(CQorMsgContentDlg, CDialog)
END_MESSAGE_MAP()

CQorMsgContentDlg::CQorMsgContentDlg(CWnd* pParent) : CDialog(15010, pParent) {}

CQorMsgContentDlg::~CQorMsgContentDlg() = default;

BOOL CQorMsgContentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    return TRUE;
}

void CQorMsgContentDlg::ShowMessageContent(CString strMsgID, CString, CString, CString, bool, int, bool)
{
    m_strMsgID = strMsgID;
}

void CQorMsgContentDlg::ClearMessageContent() { m_strMsgID.Empty(); }
void CQorMsgContentDlg::ShowConversation() {}
void CQorMsgContentDlg::ReplyByChat() {}
void CQorMsgContentDlg::WriteToRecipients() {}
