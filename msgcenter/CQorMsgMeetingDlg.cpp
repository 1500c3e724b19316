#include "msgcenter/CQorMsgMeetingDlg.h"

BEGIN_MESSAGE_MAP(CQorMsgMeetingDlg, CDialog)
END_MESSAGE_MAP()

CQorMsgMeetingDlg::CQorMsgMeetingDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CQorMsgMeetingDlg::~CQorMsgMeetingDlg() = default;
