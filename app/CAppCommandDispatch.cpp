#include "app/CAppCommandDispatch.h"
#include "app/CCoreEventDispatch.h"
#include "app/CQorCoreReader.h"
#include "app/CQorTipMgr.h"
#include "app/IAppCommandOwner.h"
#include "app/KorvelMessages.h"
#include "common/CBaseFun.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

CQorViewMgr* ViewMgr() { return CQorViewMgr::Instance(); }
CString Arg(IQorCmd* pCmd, long nIndex) { return CQorCoreReader::CmdStr(pCmd, nIndex); }

bool IsAbsolutePath(const CString& s)
{
    return (s.GetLength() >= 2 && s[1] == L':') || s[0] == L'\\' || s[0] == L'/';
}

// The canonical form of a path: "." and ".." resolved, "/" turned into "\"; empty on failure.
CString FullPath(const CString& strPath)
{
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD n = ::GetFullPathNameW(strPath, MAX_PATH * 2, buffer, nullptr);
    if (n == 0 || n >= MAX_PATH * 2)
        return CString();
    return CString(buffer);
}

bool IsInside(const CString& strFull, const CString& strFolder)
{
    if (strFolder.IsEmpty())
        return false;
    CString folder = FullPath(strFolder);
    if (folder.IsEmpty())
        return false;
    if (folder[folder.GetLength() - 1] != L'\\')
        folder += L'\\';
    return strFull.GetLength() > folder.GetLength() && strFull.Left(folder.GetLength()).CompareNoCase(folder) == 0;
}

} // namespace

int CAppCommandDispatch::OnAppCommand(IQorCmd* pCmd)
{
    if (!pCmd)
        return 1;
    static const struct {
        const wchar_t* name;
        Handler handler;
    } kTable[] = {
        {L"OUT", &CAppCommandDispatch::OnSignOutNotice},
        {L"C_OPENMSGTIP", &CAppCommandDispatch::OnReadReceipt},
        {L"C_SENDMSGOK", &CAppCommandDispatch::OnSentConfirmation},
        {L"C_NEWGROUPIDSDLG", &CAppCommandDispatch::OnNewGroup},
        {L"C_NEWCHAT", &CAppCommandDispatch::OnNewChat},
        {L"C_STATUS", &CAppCommandDispatch::OnStatus},
        {L"C_SIGNOUT", &CAppCommandDispatch::OnSignOut},
        {L"C_SIGNOUT_EX", &CAppCommandDispatch::OnSignOutEx},
        {L"C_ONLINEINFORM", &CAppCommandDispatch::OnOnline},
        {L"C_SHAKE", &CAppCommandDispatch::OnShake},
        {L"C_REFUSEFILE", &CAppCommandDispatch::OnRefusedFile},
        {L"C_DOWNLOADFILE", &CAppCommandDispatch::OnDownloadedFile},
        {L"C_FLASHLOGIN", &CAppCommandDispatch::OnFlashLogin},
        {L"C_NEWMAIL", &CAppCommandDispatch::OnNewMail},
    };
    const CString name = CQorCoreReader::CmdName(pCmd);
    for (const auto& row : kTable) {
        if (name == row.name) {
            (this->*row.handler)(pCmd);
            break;
        }
    }
    return 1;
}

CString CAppCommandDispatch::SafeNudgeSound(const CString& strWire)
{
    CString s = strWire;
    s.Trim();
    if (s.IsEmpty() || s.Left(2) == L"\\\\" || s.Left(2) == L"//")
        return CString();
    const CString strSoundDir = CQorViewBaseFun::GetWorkDir() + L"\\Sound";
    const CString strFull = FullPath(IsAbsolutePath(s) ? s : strSoundDir + L"\\" + s);
    if (strFull.IsEmpty() || strFull.Left(2) == L"\\\\")
        return CString();
    if (IsInside(strFull, strSoundDir) || IsInside(strFull, CQorViewBaseFun::GetMySkinFilePathInfo()))
        return strFull;
    return CString();
}

void CAppCommandDispatch::OnSignOutNotice(IQorCmd* pCmd)
{
    m_coreEvents.OnServerSignOut(CQorCoreReader::CmdInt(pCmd, 0));
}

void CAppCommandDispatch::OnReadReceipt(IQorCmd* pCmd) { m_coreEvents.ShowReadReceiptTip(pCmd); }
void CAppCommandDispatch::OnSentConfirmation(IQorCmd* pCmd) { m_coreEvents.ShowSentMsgTip(pCmd); }

// While a tip is on screen its queue may hold the group's messages; otherwise the view library
// opens the group from the stored unread messages.
void CAppCommandDispatch::OnNewGroup(IQorCmd* pCmd)
{
    const CString strTalkId = CQorCoreReader::CmdField(pCmd, L"TalkID");
    if (m_tips.IsTipVisible())
        m_tips.OpenUnreadGroup(strTalkId);
    else
        ViewMgr()->DoUnReadGroupFromDB(strTalkId);
}

void CAppCommandDispatch::OnNewChat(IQorCmd* pCmd)
{
    const CString strSender = CQorCoreReader::CmdField(pCmd, L"Sender");
    const CString strName = CQorCoreReader::CmdField(pCmd, L"SenderName");
    if (m_tips.IsTipVisible())
        m_tips.OpenUnreadChat(strSender, strName);
    else
        ViewMgr()->DoUnReadChatFromDB(strSender, strName);
}

void CAppCommandDispatch::OnStatus(IQorCmd* pCmd)
{
    const int nStatus = CQorCoreReader::CmdInt(pCmd, 0);
    m_owner.SetTrayStatusImage(nStatus);
    m_owner.SetLoginStatus(nStatus);
    CQorViewBaseFun::SetLoginStatus(nStatus);
}

void CAppCommandDispatch::OnSignOut(IQorCmd*) { ::PostMessageW(m_owner.GetCommandHwnd(), WM_LOGIN_CANCEL, 0, 0); }
// Signs out, then moves the data folder (WM_USER+825 after the sign-out).
void CAppCommandDispatch::OnSignOutEx(IQorCmd*) { ::PostMessageW(m_owner.GetCommandHwnd(), WM_LOGIN_CANCEL, 1, 0); }

void CAppCommandDispatch::OnOnline(IQorCmd* pCmd)
{
    m_tips.AddOnlineTip(Arg(pCmd, 1), Arg(pCmd, 0), Arg(pCmd, 2));
    m_coreEvents.RaiseTip(FALSE);
}

void CAppCommandDispatch::OnShake(IQorCmd* pCmd)
{
    m_tips.AddShakeTip(Arg(pCmd, 1), Arg(pCmd, 0), Arg(pCmd, 3), SafeNudgeSound(Arg(pCmd, 2)));
    m_coreEvents.RaiseTip(FALSE);
}

void CAppCommandDispatch::OnRefusedFile(IQorCmd* pCmd)
{
    m_tips.AddRefusedFileTip(Arg(pCmd, 1), Arg(pCmd, 0), Arg(pCmd, 3), Arg(pCmd, 2), Arg(pCmd, 4));
    m_coreEvents.RaiseTip(FALSE);
}

void CAppCommandDispatch::OnDownloadedFile(IQorCmd* pCmd)
{
    m_tips.AddDownloadTip(Arg(pCmd, 1), Arg(pCmd, 0), Arg(pCmd, 3), Arg(pCmd, 2), Arg(pCmd, 4));
    m_coreEvents.RaiseTip(FALSE);
}

void CAppCommandDispatch::OnFlashLogin(IQorCmd* pCmd)
{
    m_tips.AddFlashLoginTip(Arg(pCmd, 1), Arg(pCmd, 0));
    m_coreEvents.RaiseTip(FALSE);
}

// New mail is shown whatever the user's status. Only a mail or web address is kept for the
// click to open.
void CAppCommandDispatch::OnNewMail(IQorCmd* pCmd)
{
    const CString strUrl = Arg(pCmd, 1);
    m_tips.AddMailTip(Arg(pCmd, 0), CBaseFun::IsOpenableLink(strUrl) ? strUrl : CString());
    m_coreEvents.RaiseTip(FALSE, TRUE);
}
