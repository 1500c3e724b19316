#include "app/CCoreEventDispatch.h"
#include "app/CDeptExpansion.h"
#include "app/CQorCoreReader.h"
#include "app/CQorTipMgr.h"
#include "app/CTipRecordMap.h"
#include "app/ICoreEventOwner.h"
#include "app/KorvelMessages.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/TipResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorMsgItem.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/UserStatus.h"

namespace {

const int kMsgFlagSingleItem = 0x20;
const int kSentTipShowTime = 2000;

CQorViewMgr* ViewMgr() { return CQorViewMgr::Instance(); }

} // namespace

CCoreEventDispatch::ErrHandler CCoreEventDispatch::ErrHandlerFor(const CString& strMethod)
{
    static const struct {
        const wchar_t* method;
        ErrHandler handler;
    } kTable[] = {
        {L"RCM", &CQorViewMgr::OnReceiveCmd_RCM_Err}, {L"DNF", &CQorViewMgr::OnReceiveCmd_DNF_Err},
        {L"PSW", &CQorViewMgr::OnReceiveCmd_PSW_Err}, {L"AIT", &CQorViewMgr::OnReceiveCmd_AIT_Err},
        {L"UPF", &CQorViewMgr::OnReceiveCmd_UPF_Err}, {L"UVP", &CQorViewMgr::OnReceiveCmd_UPF_Err},
        {L"MSG", &CQorViewMgr::OnReceiveCmd_MSG_Err}, {L"UVF", &CQorViewMgr::OnReceiveCmd_UVF_Err},
        {L"DVF", &CQorViewMgr::OnReceiveCmd_DVF_Err}, {L"RVF", &CQorViewMgr::OnReceiveCmd_RVF_Err},
    };
    for (const auto& row : kTable) {
        if (strMethod == row.method)
            return row.handler;
    }
    return nullptr;
}

CString CCoreEventDispatch::SignOutReasonText(int nReason)
{
    switch (nReason) {
    case 223: return CQorViewBaseFun::LoadStringW(IDS_SIGNOUT_ELSEWHERE);
    case 224: return CQorViewBaseFun::LoadStringW(IDS_SIGNOUT_BY_ADMIN);
    case 227: return CQorViewBaseFun::LoadStringW(IDS_CONNECTION_ENDED);
    default: return CString();
    }
}

// Names are compared with case: "err" is not a report the core sends.
void CCoreEventDispatch::OnCoreNotify(IQorCmd* pCmd)
{
    if (!pCmd)
        return;
    const CString name = CQorCoreReader::CmdName(pCmd);
    if (name == L"ERR") {
        if (ErrHandler handler = ErrHandlerFor(CQorCoreReader::CmdField(pCmd, L"Method")))
            (ViewMgr()->*handler)(pCmd);
    } else if (name == L"COREER") {
        if (CQorCoreReader::CmdStr(pCmd, 1) == L"DNF")
            ViewMgr()->OnReceiveCmd_DNF_Err(pCmd);
    } else if (name == L"LSV") {
        // The user list has loaded: show the user's own department, or the stored view.
        if (!CQorViewBaseFun::IsExpandmyDeptMainWindow() || !m_deptExpansion.Start(m_owner.GetEventHwnd()))
            m_owner.SelectViewTab();
        ::InvalidateRect(m_owner.GetEventHwnd(), nullptr, TRUE);
    }
}

void CCoreEventDispatch::OnReceiveMessage(IQorMsg* pMsg)
{
    if (!pMsg)
        return;
    const CQorMsgItem msg = CTipRecordMap::ReadCoreMsg(pMsg);
    if (msg.nMsgType == kQorMsgTypeBulletin) {
        OnBulletin(msg.strSender, msg.strSenderName, msg.strSubject, msg.strMsgID, msg.strSendTime);
        return;
    }

    const bool bGroup = CUnreadMsg::IsGroupType(msg.nMsgType);
    // A message the core delivers again (same id) while its tip is still queued, also when it
    // has been merged into the unread-message box, is not counted twice.
    const CString strKey = bGroup ? msg.strTalkID : msg.strSender;

    BOOL bSoundDue = FALSE;
    const int nItems = CQorCoreReader::MsgItemCount(pMsg, 0);
    if (nItems <= 0) {
        if (!m_tips.FindMessageRecord(msg.strMsgID, strKey)) {
            CUnreadMsg* r = CTipRecordMap::FromCoreMsg(msg, pMsg);
            if (bGroup) {
                r->strContent = msg.strSubject;
                r->nKind = CUnreadMsg::kKindGroupMsg;
            } else {
                if (!NoSubjectInTips())
                    r->strContent = msg.strSubject;
                r->nKind = CUnreadMsg::kKindNewMsg;
                r->strPicture = SenderPicture(msg.strSender);
            }
            bSoundDue = m_tips.GetRecordCount() == 0;
            m_tips.MergeIntoUnreadBox(r);
        }
    } else if ((msg.nMsgFlags & kMsgFlagSingleItem) && nItems == 1 && !m_tips.FindMessageRecord(msg.strMsgID, strKey)) {
        // A message of one item tells neither its type of content nor its time.
        CQorMsgItem single = msg;
        single.strContentType.Empty();
        single.strSendTime.Empty();
        CUnreadMsg* r = CTipRecordMap::FromCoreMsg(single, pMsg);
        r->strContent = msg.strSubject;
        r->nKind = CUnreadMsg::kKindNewMsg;
        m_tips.MergeIntoUnreadBox(r);
    }
    RaiseReceived(bSoundDue);
}

void CCoreEventDispatch::OnBulletin(const CString& strSender, const CString& strSenderName,
                                    const CString& strSubject, const CString& strMsgId, const CString& strSendTime)
{
    if (!strMsgId.IsEmpty()) {
        CString key = strMsgId;
        key.MakeUpper();
        if (!m_seenBulletins.insert(key).second)
            return;
    }
    CQorViewMgr* pMgr = ViewMgr();
    const CString strPicture = CQorViewBaseFun::GetUserPicFile(strSender, pMgr->m_strIdentity);
    m_tips.AddBulletinTip(strSender, strSenderName, strPicture, strSubject, strMsgId);
    RaiseTip(FALSE);
    // The user's own bulletins are already in the store.
    if (pMgr->m_bBulletinStore && pMgr->m_strAccount.CompareNoCase(strSender) != 0) {
        CString strLocal = strSendTime;
        CQorViewBaseFun::UTCTimeToLocalTime(strLocal);
        pMgr->InsertBulletin(strSubject, strMsgId, strSenderName, strLocal, 0);
    }
}

void CCoreEventDispatch::RaiseReceived(BOOL bSoundDue)
{
    m_bSoundDue |= bSoundDue;
    if (m_bRaisePosted)
        return;
    m_bRaisePosted = ::PostMessageW(m_owner.GetEventHwnd(), WM_RAISE_RECEIVED, 0, 0) != FALSE;
    // A queue that takes no more messages must not leave the messages unseen.
    if (!m_bRaisePosted)
        OnRaiseReceived();
}

void CCoreEventDispatch::OnRaiseReceived()
{
    // The core hands a burst over in slices, each behind a posted wake-up of its own: while
    // more of it waits in the queue, the popup waits behind it. For a quarter of a second at
    // most, so that a queue that never empties still shows the messages as they come.
    const ULONGLONG now = ::GetTickCount64();
    if (!m_nRaiseWaitStart)
        m_nRaiseWaitStart = now;
    if (now - m_nRaiseWaitStart < kRaiseWaitMs && (HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE) &&
        ::PostMessageW(m_owner.GetEventHwnd(), WM_RAISE_RECEIVED, 0, 0))
        return;
    m_nRaiseWaitStart = 0;
    const BOOL bSoundDue = m_bSoundDue;
    m_bRaisePosted = false;
    m_bSoundDue = FALSE;
    m_nBurstNoSubject = -1;
    // The pictures of senders are kept while their tips wait, and looked up afresh once the
    // user has seen them all; a bound keeps an endless stream of new senders from growing it.
    if (m_tips.GetRecordCount() == 0 || m_senderPictures.size() > kMaxSenderPictures)
        m_senderPictures.clear();
    ShowReceived(bSoundDue);
}

CString CCoreEventDispatch::SenderPicture(const CString& strSender)
{
    const std::wstring key(strSender.GetString(), static_cast<size_t>(strSender.GetLength()));
    const auto it = m_senderPictures.find(key);
    if (it != m_senderPictures.end())
        return it->second;
    const CString strPicture = CQorViewBaseFun::GetUserPicFile(strSender, ViewMgr()->m_strIdentity);
    m_senderPictures.emplace(key, strPicture);
    return strPicture;
}

bool CCoreEventDispatch::NoSubjectInTips()
{
    if (m_nBurstNoSubject < 0) {
        bool bNoSubject = false;
        CQorViewBaseFun::GetNoShowSubjectInfo(bNoSubject);
        m_nBurstNoSubject = bNoSubject ? 1 : 0;
    }
    return m_nBurstNoSubject == 1;
}

void CCoreEventDispatch::ShowReceived(BOOL bSoundDue)
{
    CQorViewMgr* pMgr = ViewMgr();
    if (pMgr->m_nUserStatus == USER_STATUS_NO_POPUPS) {
        m_owner.SetTrayImage(kNewMessageTrayImage);
    } else {
        if (!pMgr->m_bUnreadFlash && pMgr->m_bPanelsReady && pMgr->m_nBusyCount == 0)
            m_tips.CloseAndShowNext();
        if (bSoundDue)
            PlayNewAlert();
    }
    if (pMgr->m_bPanelsReady)
        m_owner.ShowUnreadCount(m_owner.GetUnreadCount());
}

void CCoreEventDispatch::RaiseTip(BOOL bSound, BOOL bAlways)
{
    if (!bAlways && ViewMgr()->m_nUserStatus == USER_STATUS_NO_POPUPS) {
        m_owner.SetTrayImage(kNewMessageTrayImage);
        return;
    }
    m_tips.CloseAndShowNext(bAlways);
    if (bSound)
        PlayNewAlert();
}

void CCoreEventDispatch::PlayNewAlert()
{
    CQorViewMgr* pMgr = ViewMgr();
    if (pMgr->m_dwOptionFlags & VIEW_OPTION_NO_SOUNDS)
        return;
    if (!CQorViewBaseFun::EnablePlay(kNewAlertSound, pMgr->m_strAccount, pMgr->m_strIdentity))
        return;
    CQorViewBaseFun::PlaySoundFile(CQorViewBaseFun::GetSoundFile(kNewAlertSound, pMgr->m_strAccount, pMgr->m_strIdentity));
}

void CCoreEventDispatch::OnServerSignOut(int nReason)
{
    if (!m_owner.IsSignedIn())
        return;
    m_owner.SetSignedIn(false);
    const CString strText = SignOutReasonText(nReason);
    m_tips.ClearTips();
    // Queued, not shown: the sign-out that follows keeps it and shows it over the sign-in panel.
    m_tips.AddTipRecord(strText, CString(), 0, 0);
    PlayNewAlert();
    ::PostMessageW(m_owner.GetEventHwnd(), WM_LOGIN_CANCEL, 0, 0);
}

void CCoreEventDispatch::ShowReadReceiptTip(IQorCmd* pCmd)
{
    if (!pCmd)
        return;
    const CString strName = CQorCoreReader::CmdField(pCmd, L"ContactName");
    const CString strOpenDate = CQorCoreReader::CmdField(pCmd, L"OpenDate");
    const CString strSubject = CQorCoreReader::CmdField(pCmd, L"Subject");
    const int nIconId = _wtoi(CQorCoreReader::CmdField(pCmd, L"IconID"));
    const int nSeconds = _wtoi(CQorCoreReader::CmdField(pCmd, L"Second"));
    const CString strPicture = CQorCoreReader::CmdField(pCmd, L"Picture");
    m_tips.AddReceiptTip(strName, strOpenDate, strSubject, strPicture, nSeconds, nIconId);
    RaiseTip(TRUE);
}

void CCoreEventDispatch::ShowSentMsgTip(IQorCmd* pCmd)
{
    if (!pCmd)
        return;
    const CString strDate = CQorCoreReader::CmdField(pCmd, L"SendDate");
    const CString strReceiver = CQorCoreReader::CmdField(pCmd, L"ReceiverName");
    const CString strSubject = CQorCoreReader::CmdField(pCmd, L"Subject");
    m_tips.AddSentTip(strSubject, strDate, strReceiver, kSentTipShowTime);
    RaiseTip(TRUE);
}
