#include "msgcenter/CQorMsgGroupDisDlg.h"
#include "msgcenter/IMsgMgrHost.h"
#include "msgcenter/MsgCenterMessages.h"

BEGIN_MESSAGE_MAP(CQorMsgGroupDisDlg, CDialog)
    ON_MESSAGE(WM_MSGCENTER_SHOW_PERSON, &CQorMsgGroupDisDlg::OnShowPeerHistory)
END_MESSAGE_MAP()

CQorMsgGroupDisDlg::CQorMsgGroupDisDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CQorMsgGroupDisDlg::~CQorMsgGroupDisDlg() = default;

BOOL CQorMsgGroupDisDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    return TRUE;
}

void CQorMsgGroupDisDlg::OpenTalkHistory(CString strTalkId)
{
    m_talkId = strTalkId;
}

void CQorMsgGroupDisDlg::ClearPeerHistory()
{
    m_peerLogin.Empty();
}

LRESULT CQorMsgGroupDisDlg::OnShowPeerHistory(WPARAM, LPARAM lParam)
{
    m_peerLogin = lParam ? *reinterpret_cast<const CString*>(lParam) : CString();
    if (m_pOwner)
        m_pOwner->ShowHistoryViewer();
    return 0;
}
