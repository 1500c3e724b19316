#include "app/CCoreEventDispatch.h"
#include "app/CKorvelBaseDlg.h"
#include "app/CQorCoreReader.h"
#include "app/CQorTipMgr.h"
#include "app/KorvelMessages.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/TipResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
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
        if (!CQorViewBaseFun::IsExpandmyDeptMainWindow() || !m_owner.m_DeptExpansion.Start(m_owner.GetSafeHwnd()))
            m_owner.SelectViewTab();
        ::InvalidateRect(m_owner.GetSafeHwnd(), nullptr, TRUE);
    }
}

void CCoreEventDispatch::OnReceiveMessage(IQorMsg* pMsg)
{
    if (!pMsg)
        return;
    const CString strSenderName = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_SenderName);
    const CString strSender = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_Sender);
    const CString strSubject = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_Subject);
    const int nFlags = CQorCoreReader::MsgInt(pMsg, &IQorMsg::get_MsgFlags);
    const CString strMsgId = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_MsgID);
    const int nType = CQorCoreReader::MsgInt(pMsg, &IQorMsg::get_MsgType);
    const CString strContentType = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_ContentType);
    const CString strTalkId = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_TalkID);
    const CString strSendTime = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_SendTime);
    const CString strExtraPair = CQorCoreReader::MsgText(pMsg, &IQorMsg::get_ExtraPair);
    const int nExtraNumber = CQorCoreReader::MsgInt(pMsg, &IQorMsg::get_ExtraNumber);

    if (nType == kQorMsgTypeBulletin) {
        OnBulletin(strSender, strSenderName, strSubject, strMsgId, strSendTime);
        return;
    }

    CStringArray pair;
    CQorViewBaseFun::StringToArray(strExtraPair, pair, L";", -1);
    const BOOL bGroup = nType == CUnreadMsg::kTypeGroup || nType == CUnreadMsg::kTypeGroupOpt;
    CQorTipMgr* pTips = m_owner.m_pTipMgr;
    auto newRecord = [&]() {
        CUnreadMsg* r = new CUnreadMsg;
        r->strNoticeId = strMsgId;
        r->strSenderName = strSenderName;
        r->strSender = strSender;
        r->nMsgType = nType;
        r->nFlags = nFlags;
        r->nMsgWord = nExtraNumber;
        r->strTalkId = strTalkId;
        r->strMsgString1 = pair.GetSize() > 0 ? pair[0] : CString();
        r->strMsgString2 = pair.GetSize() > 1 ? pair[1] : CString();
        r->SetCoreMsg(pMsg);
        r->bClosable = 1;
        r->nSpare = 0;
        return r;
    };
    // A message the core delivers again (same id) while its tip is still queued, also when it
    // has been merged into the unread-message box, is not counted twice.
    const CString strKey = bGroup ? strTalkId : strSender;

    BOOL bSoundDue = FALSE;
    const int nItems = CQorCoreReader::MsgItemCount(pMsg, 0);
    if (nItems <= 0) {
        if (!pTips->FindMessageRecord(strMsgId, strKey)) {
            CUnreadMsg* r = newRecord();
            r->strContentType = strContentType;
            r->strSendTime = strSendTime;
            if (bGroup) {
                r->strContent = strSubject;
                r->nKind = CUnreadMsg::kKindGroupMsg;
            } else {
                if (!NoSubjectInTips())
                    r->strContent = strSubject;
                r->nKind = CUnreadMsg::kKindNewMsg;
                r->strPicture = SenderPicture(strSender);
            }
            bSoundDue = pTips->GetRecordCount() == 0;
            pTips->MergeIntoUnreadBox(r);
        }
    } else if ((nFlags & kMsgFlagSingleItem) && nItems == 1 && !pTips->FindMessageRecord(strMsgId, strKey)) {
        CUnreadMsg* r = newRecord();
        r->strContent = strSubject;
        r->nKind = CUnreadMsg::kKindNewMsg;
        pTips->MergeIntoUnreadBox(r);
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
    m_owner.m_pTipMgr->AddBulletinTip(strSender, strSenderName, strPicture, strSubject, strMsgId);
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
    m_bRaisePosted = ::PostMessageW(m_owner.GetSafeHwnd(), WM_RAISE_RECEIVED, 0, 0) != FALSE;
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
        ::PostMessageW(m_owner.GetSafeHwnd(), WM_RAISE_RECEIVED, 0, 0))
        return;
    m_nRaiseWaitStart = 0;
    const BOOL bSoundDue = m_bSoundDue;
    m_bRaisePosted = false;
    m_bSoundDue = FALSE;
    m_nBurstNoSubject = -1;
    // The pictures of senders are kept while their tips wait, and looked up afresh once the
    // user has seen them all; a bound keeps an endless stream of new senders from growing it.
    if (m_owner.m_pTipMgr->GetRecordCount() == 0 || m_senderPictures.size() > kMaxSenderPictures)
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
            m_owner.m_pTipMgr->CloseAndShowNext();
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
    m_owner.m_pTipMgr->CloseAndShowNext(bAlways);
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
    if (!m_owner.m_bSignedIn)
        return;
    m_owner.SetSignedIn(false);
    const CString strText = SignOutReasonText(nReason);
    m_owner.m_pTipMgr->ClearTips();
    // Queued, not shown: the sign-out that follows keeps it and shows it over the sign-in panel.
    m_owner.m_pTipMgr->AddTipRecord(strText, CString(), 0, 0);
    PlayNewAlert();
    m_owner.PostMessage(WM_LOGIN_CANCEL, 0, 0);
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
    m_owner.m_pTipMgr->AddReceiptTip(strName, strOpenDate, strSubject, strPicture, nSeconds, nIconId);
    RaiseTip(TRUE);
}

void CCoreEventDispatch::ShowSentMsgTip(IQorCmd* pCmd)
{
    if (!pCmd)
        return;
    const CString strDate = CQorCoreReader::CmdField(pCmd, L"SendDate");
    const CString strReceiver = CQorCoreReader::CmdField(pCmd, L"ReceiverName");
    const CString strSubject = CQorCoreReader::CmdField(pCmd, L"Subject");
    m_owner.m_pTipMgr->AddSentTip(strSubject, strDate, strReceiver, kSentTipShowTime);
    RaiseTip(TRUE);
}
