#include "app/CQorTipMgr.h"
#include "app/CTipRecordMap.h"
#include "app/ITipMgrOwner.h"
#include "platform/QorResource/TipResourceIds.h"
#include "common/CBaseFun.h"
#include "common/CResourceMgr.h"
#include "controls/popup/CTkPopupItem.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorView/CCheckPSWDlg1.h"
#include "platform/QorView/CQorMsgItem.h"
#include "platform/QorView/CQorViewMgr.h"

namespace {

CQorViewMgr* ViewMgr()
{
    return CQorViewMgr::Instance();
}

} // namespace

void CQorTipMgr::SetAddressOpener(PFNOPENADDRESS pfn)
{
    CBaseFun::SetAddressOpener(pfn);
}

// --- Clicks ---

void CQorTipMgr::OnTipClick(int nCode, void* pParam)
{
    if (nCode != CTkPopupControl::kNotifyClick) {
        // The popup has closed: the base drops the record it showed and shows the next.
        CTipMgr::OnTipClick(nCode, pParam);
        return;
    }
    // A modal dialog of the program is open (the password prompt of another tip...).
    if (ViewMgr()->m_bModal)
        return;
    if (!m_pCurrent) {
        m_wndTip.Close();
        return;
    }
    auto* pItem = static_cast<CTkPopupItem*>(pParam);
    const BOOL bClose = pItem && pItem->GetID() == ID_TIP_CLOSE;
    CUnreadMsg* pRecord = m_pCurrent;
    const int nSerial = m_nShowSerial;

    switch (pRecord->nKind) {
    case CUnreadMsg::kKindNewMsg:
        if (!bClose)
            OpenCurrentTip();
        break;
    case CUnreadMsg::kKindGroupMsg:
        if (!bClose) {
            if (pRecord->nMsgType == CUnreadMsg::kTypeGroupOpt)
                OpenUnreadGroup(CString(pRecord->strTalkId));
            else
                OpenCurrentGroup();
        }
        break;
    case CUnreadMsg::kKindMail:
        // Only mail and web addresses are opened from a tip; any other text is never executed.
        if (!bClose)
            CBaseFun::OpenAddress(pRecord->strUrl);
        break;
    case CUnreadMsg::kKindOnline:
    case CUnreadMsg::kKindShake:
    case CUnreadMsg::kKindFlashLogin:
        if (!bClose) {
            const CString strLogin = pRecord->strSender, strName = pRecord->strSenderName;
            ViewMgr()->NewChatDlg(strLogin, strName, CString(), CString(), TRUE, FALSE);
            if (pRecord->nKind == CUnreadMsg::kKindShake)
                ViewMgr()->AddChatDlgNudge(strLogin, strName);
        }
        break;
    case CUnreadMsg::kKindBulletin:
        if (!bClose)
            ViewMgr()->ShowBulletin(pRecord->strNoticeId);
        break;
    case CUnreadMsg::kKindBox:
        if (!bClose) {
            OnBoxClick(static_cast<CUnreadMsgBox*>(pRecord), pItem);
            return;
        }
        break;
    default:
        break;
    }
    FinishClick(nSerial);
}

void CQorTipMgr::FinishClick(int nShowSerial)
{
    // An opener may already have shown the next tip; that one stays.
    if (m_nShowSerial != nShowSerial)
        return;
    if (m_wndTip.GetSafeHwnd())
        m_wndTip.Close();
}

void CQorTipMgr::OnBoxClick(CUnreadMsgBox* pBox, CTkPopupItem* pItem)
{
    const int nAction = pItem ? pItem->m_nBoxAction : 0;
    if (nAction == 2) {
        OpenBoxItems(pBox);
        // Entries that could not be opened (a cancelled password prompt, another kind of
        // message) keep their records; only the emptied ones leave.
        DropEmptyEntries(pBox);
        CloseAndShowNext();
        return;
    }
    if (nAction == 1) {
        ViewMgr()->ShowUnreadMsg();
        CloseAndShowNext();
        return;
    }
    const POSITION pos = pItem ? pBox->FindItemPositionBySerial(pItem->m_nBoxPosition) : nullptr;
    CUnreadMsgBoxItem* pEntry = pBox->GetItemAt(pos);
    if (!pEntry)
        return; // the entry has left the box: the popup stays
    OpenMsgItem(pEntry);
    if (pEntry->m_lstRecords.IsEmpty()) {
        pBox->RemoveItemAt(pos);
        if (pBox->GetItemCount() == 0)
            DestroyRecord(pBox);
    }
    CloseAndShowNext();
}

void CQorTipMgr::DropEmptyEntries(CUnreadMsgBox* pBox)
{
    POSITION pos = pBox->m_lstItems.GetHeadPosition();
    while (pos) {
        const POSITION cur = pos;
        CUnreadMsgBoxItem* pEntry = pBox->m_lstItems.GetNext(pos);
        if (pEntry->m_lstRecords.IsEmpty())
            pBox->RemoveItemAt(cur);
    }
    if (pBox->GetItemCount() == 0)
        DestroyRecord(pBox);
}

void CQorTipMgr::ClearTips()
{
    DestroyTipWindow();
    RemoveAllRecords();
    m_pCurrent = nullptr;
}

void CQorTipMgr::DismissAllTips()
{
    RemoveAllRecords(); // a box destroys its entries with itself
    m_pCurrent = nullptr;
    DestroyTipWindow();
}

void CQorTipMgr::RemoveSessionTips()
{
    POSITION pos = m_lstRecords.GetHeadPosition();
    while (pos) {
        CUnreadMsg* r = m_lstRecords.GetNext(pos);
        if (r->nKind != CUnreadMsg::kKindGeneric)
            DestroyRecord(r);
    }
    m_pCurrent = nullptr;
    if (!m_lstRecords.IsEmpty()) {
        if (!ViewMgr()->m_bUnreadPending)
            ShowNextTip(TRUE);
    } else {
        DestroyTipWindow();
    }
}

void CQorTipMgr::OpenCurrentTip()
{
    if (!m_pCurrent)
        return;
    switch (m_pCurrent->nKind) {
    case CUnreadMsg::kKindBox:
        ViewMgr()->ShowUnreadMsg();
        return;
    case CUnreadMsg::kKindShake: {
        const CString strLogin = m_pCurrent->strSender, strName = m_pCurrent->strSenderName;
        ViewMgr()->NewChatDlg(strLogin, strName, CString(), CString(), TRUE, FALSE);
        ViewMgr()->AddChatDlgNudge(strLogin, strName);
        m_wndTip.Close();
        return;
    }
    case CUnreadMsg::kKindGroupMsg:
        OpenUnreadGroup(CString(m_pCurrent->strTalkId));
        return;
    default:
        break;
    }
    IQorMsg* pMsg = QueryQorMsg(m_pCurrent);
    if (!pMsg)
        return;
    BSTR bstrSender = nullptr, bstrName = nullptr;
    pMsg->get_Sender(&bstrSender);
    pMsg->get_SenderName(&bstrName);
    pMsg->Release();
    const CString strSender = TakeBstr(bstrSender);
    const CString strName = TakeBstr(bstrName);
    OpenCurrentChat(strSender, strName);
}

void CQorTipMgr::OpenCurrentGroup()
{
    IQorMsg* pMsg = QueryQorMsg(m_pCurrent);
    if (!pMsg)
        return;
    BSTR bstrTalk = nullptr;
    pMsg->get_TalkID(&bstrTalk);
    pMsg->Release();
    OpenUnreadGroup(TakeBstr(bstrTalk));
}

// --- Openers ---

void CQorTipMgr::CollectIds(const CUnreadMsg* pRecord, CStringArray& arKeys, CStringArray& arIds, CString* pTalkName)
{
    // The older messages the record stands for come first.
    pRecord->AppendFoldedIds(arKeys, arIds, false);
    IQorMsg* pMsg = QueryQorMsg(pRecord);
    if (!pMsg)
        return;
    BSTR bstr = nullptr;
    pMsg->get_MsgKey(&bstr);
    arKeys.Add(TakeBstr(bstr));
    bstr = nullptr;
    pMsg->get_MsgID(&bstr);
    arIds.Add(TakeBstr(bstr));
    if (pTalkName && pTalkName->IsEmpty()) {
        bstr = nullptr;
        pMsg->get_TalkName(&bstr);
        *pTalkName = TakeBstr(bstr);
    }
    pMsg->Release();
}

void CQorTipMgr::HandOverGroupOpt(const CUnreadMsg* r)
{
    if (!m_pMain)
        return;
    CQorMsgItem* pItem = CTipRecordMap::ToViewItem(*r);
    ViewMgr()->ProcessGroupOPT(pItem, true); // the view library owns the item now
}

void CQorTipMgr::DeleteTaken(CUnreadMsg* pRecord)
{
    if (m_pCurrent == pRecord) {
        m_pCurrent = nullptr;
        m_pCaptionItem = nullptr;
    }
    delete pRecord;
}

template <class Choose>
void CQorTipMgr::TakeRecords(CList<CUnreadMsg*, CUnreadMsg*>& lst, Choose choose, CStringArray& arKeys,
                             CStringArray& arIds, CString* pTalkName)
{
    POSITION pos = lst.GetTailPosition();
    while (pos) {
        const POSITION cur = pos;
        CUnreadMsg* r = lst.GetPrev(pos);
        const TakeAction action = choose(*r);
        if (action == kSkip)
            continue;
        if (action == kCollect)
            CollectIds(r, arKeys, arIds, pTalkName);
        else
            HandOverGroupOpt(r);
        lst.RemoveAt(cur);
        DeleteTaken(r);
    }
}

BOOL CQorTipMgr::ConfirmPassword()
{
    CResourceMgr scope(CString(L"QorView.dll"));
    CCheckPSWDlg1 dlg(m_pOwner);
    CQorViewMgr* pView = ViewMgr();
    pView->m_bModal = 1;
    dlg.SetPassword(m_pMain ? m_pMain->GetSignInPassword() : CString());
    dlg.SetViewMgr(pView);
    const INT_PTR nResult = dlg.DoModal();
    pView->m_bModal = 0;
    return nResult == IDOK;
}

BOOL CQorTipMgr::OpenOtherChat(const CUnreadMsg* pRecord)
{
    IQorMsg* pMsg = QueryQorMsg(pRecord);
    if (!pMsg)
        return TRUE; // nothing to open: the record is dropped unopened
    long nFlags = 0;
    pMsg->get_MsgFlags(&nFlags);
    if ((nFlags & CUnreadMsg::kFlagProtected) && !ConfirmPassword()) {
        pMsg->Release();
        return FALSE;
    }
    BSTR bstrKey = nullptr;
    pMsg->get_MsgKey(&bstrKey);
    pMsg->Release();
    const CString strKey = TakeBstr(bstrKey);
    if (IQorConsole* pConsole = ViewMgr()->m_pQorConsole) {
        BSTR bstrNotice = ::SysAllocString(pRecord->strNoticeId.GetString());
        BSTR bstrMsgKey = ::SysAllocString(strKey.GetString());
        BSTR bstrOut = nullptr;
        pConsole->OpenMsg(bstrNotice, bstrMsgKey, &bstrOut);
        ::SysFreeString(bstrOut);
        ::SysFreeString(bstrMsgKey);
        ::SysFreeString(bstrNotice);
    }
    return TRUE;
}

void CQorTipMgr::OpenTalk(CList<CUnreadMsg*, CUnreadMsg*>& lst, const CString& strTalk)
{
    CStringArray arKeys, arIds;
    CString strTalkName;
    TakeRecords(lst, [&](const CUnreadMsg& r) {
        return r.nMsgType == CUnreadMsg::kTypeTalk && r.strTalkId == strTalk ? kCollect : kSkip;
    }, arKeys, arIds, &strTalkName);
    if (CanHandOver(arIds))
        ViewMgr()->DoUnReadTalkMsg(strTalk, strTalkName, arKeys, arIds);
}

void CQorTipMgr::TakeGroup(CList<CUnreadMsg*, CUnreadMsg*>& lst, const CString& strTalk, CStringArray& arKeys,
                           CStringArray& arIds)
{
    TakeRecords(lst, [&](const CUnreadMsg& r) {
        if (r.strTalkId != strTalk)
            return kSkip;
        return r.nMsgType == CUnreadMsg::kTypeGroup ? kCollect
                                                    : r.nMsgType == CUnreadMsg::kTypeGroupOpt ? kGroupOpt : kSkip;
    }, arKeys, arIds, nullptr);
}

void CQorTipMgr::TakePlainChat(CList<CUnreadMsg*, CUnreadMsg*>& lst, const CString& strLogin, CStringArray& arKeys,
                               CStringArray& arIds)
{
    TakeRecords(lst, [&](const CUnreadMsg& r) {
        return r.nKind == CUnreadMsg::kKindNewMsg && r.strSender.CompareNoCase(strLogin) == 0 && IsPlainChatRecord(r)
                   ? kCollect
                   : kSkip;
    }, arKeys, arIds, nullptr);
}

void CQorTipMgr::OpenMsgItem(CUnreadMsgBoxItem* pItem)
{
    if (!pItem)
        return;
    auto& lst = pItem->m_lstRecords;
    BOOL bLastDone = FALSE;
    while (!lst.IsEmpty() && !bLastDone) {
        CUnreadMsg* pPivot = lst.GetHead();
        bLastDone = pPivot->nMsgType == CUnreadMsg::kTypeLast;
        CStringArray arKeys, arIds;
        if (pPivot->nMsgType == CUnreadMsg::kTypeTalk) {
            OpenTalk(lst, CString(pPivot->strTalkId));
        } else if (pPivot->IsGroupMessage()) {
            const CString strTalk = pPivot->strTalkId;
            TakeGroup(lst, strTalk, arKeys, arIds);
            if (CanHandOver(arIds))
                ViewMgr()->DoUnReadGroupFromDB(strTalk);
        } else if (pPivot->nKind == CUnreadMsg::kKindNewMsg && IsPlainChatRecord(*pPivot)) {
            TakeRecords(lst, [&](const CUnreadMsg& r) {
                return r.nKind == CUnreadMsg::kKindNewMsg && IsPlainChatRecord(r) ? kCollect : kSkip;
            }, arKeys, arIds, nullptr);
            if (CanHandOver(arIds))
                ViewMgr()->DoUnReadChatMsg(pItem->strKey, pItem->strName, arKeys, arIds);
        } else if (pPivot->nKind == CUnreadMsg::kKindNewMsg) {
            if (!OpenOtherChat(pPivot))
                return; // cancelled: this record and the ones behind it stay
            lst.RemoveHead();
            DeleteTaken(pPivot);
        } else {
            return; // another kind: it stays in the entry
        }
    }
}

void CQorTipMgr::OpenBoxItems(CUnreadMsgBox* pBox)
{
    if (!pBox)
        return;
    for (POSITION pos = pBox->m_lstItems.GetHeadPosition(); pos;)
        OpenMsgItem(pBox->m_lstItems.GetNext(pos));
}

void CQorTipMgr::TidyPopup()
{
    if (!m_lstRecords.IsEmpty()) {
        m_pCurrent = nullptr;
        if (!ViewMgr()->m_bUnreadPending)
            ShowNextTip(TRUE);
    } else if (m_wndTip.GetSafeHwnd()) {
        m_pCurrent = nullptr;
        m_wndTip.Close();
    }
}

void CQorTipMgr::TakeBoxEntry(POSITION posBox, CUnreadMsgBox* pBox, const CString& strKey, CStringArray& arKeys,
                              CStringArray& arIds)
{
    const POSITION entryPos = pBox->FindItemPosition(strKey);
    if (!entryPos)
        return;
    CollectUnreadMessageIds(pBox->GetItemAt(entryPos), arKeys, arIds);
    pBox->RemoveItemAt(entryPos);
    if (pBox->GetItemCount() == 0) {
        m_lstRecords.RemoveAt(posBox);
        DeleteTaken(pBox);
    }
}

void CQorTipMgr::OpenUnreadChat(const CString& strLoginIn, const CString& strNameIn)
{
    // Copies: the texts may belong to a record that is destroyed on the way.
    const CString strLogin = strLoginIn, strName = strNameIn;
    CStringArray arKeys, arIds;
    POSITION pos = m_lstRecords.GetTailPosition();
    while (pos) {
        const POSITION cur = pos;
        CUnreadMsg* r = m_lstRecords.GetPrev(pos);
        if (r->nKind == CUnreadMsg::kKindNewMsg && r->strSender.CompareNoCase(strLogin) == 0 && IsPlainChatRecord(*r)) {
            CollectIds(r, arKeys, arIds, nullptr);
            m_lstRecords.RemoveAt(cur);
            DeleteTaken(r);
        } else if (r->nKind == CUnreadMsg::kKindBox) {
            TakeBoxEntry(cur, static_cast<CUnreadMsgBox*>(r), strLogin, arKeys, arIds);
        }
    }
    if (CanHandOver(arIds))
        ViewMgr()->DoUnReadChatMsg(strLogin, strName, arKeys, arIds);
    TidyPopup();
}

void CQorTipMgr::OpenUnreadGroup(const CString& strTalkIn)
{
    const CString strTalk = strTalkIn;
    CStringArray arKeys, arIds;
    POSITION pos = m_lstRecords.GetTailPosition();
    while (pos) {
        const POSITION cur = pos;
        CUnreadMsg* r = m_lstRecords.GetPrev(pos);
        if (r->nKind == CUnreadMsg::kKindGroupMsg && r->strTalkId.CompareNoCase(strTalk) == 0) {
            if (r->nMsgType == CUnreadMsg::kTypeGroupOpt)
                HandOverGroupOpt(r);
            else
                CollectIds(r, arKeys, arIds, nullptr);
            m_lstRecords.RemoveAt(cur);
            DeleteTaken(r);
        } else if (r->nKind == CUnreadMsg::kKindBox) {
            TakeBoxEntry(cur, static_cast<CUnreadMsgBox*>(r), strTalk, arKeys, arIds);
        }
    }
    if (CanHandOver(arIds))
        ViewMgr()->DoUnReadGroupFromDB(strTalk);
    TidyPopup();
}

void CQorTipMgr::OpenCurrentChat(const CString& strLoginIn, const CString& strNameIn)
{
    CUnreadMsg* pPivot = m_pCurrent;
    if (!pPivot)
        return;
    const CString strLogin = strLoginIn, strName = strNameIn;
    CStringArray arKeys, arIds;
    if (pPivot->nMsgType == CUnreadMsg::kTypeTalk) {
        OpenTalk(m_lstRecords, CString(pPivot->strTalkId));
    } else if (pPivot->IsGroupMessage()) {
        // A group message in a chat tip: opened as its group.
        OpenUnreadGroup(CString(pPivot->strTalkId));
        return;
    } else if (pPivot->nKind == CUnreadMsg::kKindNewMsg && pPivot->strSender.CompareNoCase(strLogin) == 0) {
        if (IsPlainChatRecord(*pPivot)) {
            TakePlainChat(m_lstRecords, strLogin, arKeys, arIds);
            if (CanHandOver(arIds))
                ViewMgr()->DoUnReadChatMsg(strLogin, strName, arKeys, arIds);
        } else {
            if (!OpenOtherChat(pPivot))
                return; // cancelled: everything stays as it was
            // Opened: it leaves the queue like every other opened message.
            DestroyRecord(pPivot);
        }
    }
    TidyPopup();
}

void CQorTipMgr::OpenNewestUnread()
{
    if (m_lstRecords.IsEmpty())
        return;
    CUnreadMsg* pPivot = m_lstRecords.GetHead();
    const CString strLogin = pPivot->strSender, strName = pPivot->strSenderName;
    CStringArray arKeys, arIds;
    if (pPivot->nMsgType == CUnreadMsg::kTypeTalk) {
        OpenTalk(m_lstRecords, CString(pPivot->strTalkId));
    } else if (pPivot->IsGroupMessage()) {
        const CString strTalk = pPivot->strTalkId;
        TakeGroup(m_lstRecords, strTalk, arKeys, arIds);
        if (CanHandOver(arIds))
            ViewMgr()->DoUnReadGroupDisMsg(strTalk, arKeys, arIds);
    } else if (pPivot->nKind == CUnreadMsg::kKindNewMsg && IsPlainChatRecord(*pPivot)) {
        TakePlainChat(m_lstRecords, strLogin, arKeys, arIds);
        if (CanHandOver(arIds))
            ViewMgr()->DoUnReadChatMsg(strLogin, strName, arKeys, arIds);
    } else if (pPivot->nKind == CUnreadMsg::kKindNewMsg) {
        if (!OpenOtherChat(pPivot))
            return;
        DestroyRecord(pPivot);
    }
}
