#include "app/CTipMgr.h"
#include "app/CKorvelApp.h"
#include "platform/QorResource/TipResourceIds.h"
#include "common/CWqStringMgr.h"
#include "controls/ScaleByDpi.h"
#include "controls/popup/CTkPopupItem.h"
#include "controls/popup/CTkPopupPaintManager.h"
#include "framework/FormatString.h"
#include "framework/ModuleState.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/UserStatus.h"
#include "platform/xDUI/CResourceManager.h"
#include <cstdio>
#include <ctime>

CString CTipMgr::ResourceString(UINT nId)
{
    CString s;
    AfxFormatString1(s, nId, nullptr);
    return s;
}

IQorMsg* CTipMgr::QueryQorMsg(const CUnreadMsg* pRecord)
{
    IUnknown* pUnknown = pRecord ? pRecord->GetCoreMsg() : nullptr;
    IQorMsg* pMsg = nullptr;
    if (!pUnknown || FAILED(pUnknown->QueryInterface(IID_IQorMsg, reinterpret_cast<void**>(&pMsg))))
        return nullptr;
    return pMsg;
}

CString CTipMgr::TakeBstr(BSTR bstr)
{
    CString s(bstr ? bstr : L"");
    ::SysFreeString(bstr);
    return s;
}

CTipMgr::CTipMgr() : m_lstRecords(10)
{
    HDC hdc = ::GetDC(nullptr);
    if (hdc) {
        m_nTipWidth = ::GetDeviceCaps(hdc, LOGPIXELSX) * 202 / 96;
        m_nTipHeight = ::GetDeviceCaps(hdc, LOGPIXELSY) * 116 / 96;
        HGDIOBJ hOld = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICW tm = {};
        if (::GetTextMetricsW(hdc, &tm))
            m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
        ::SelectObject(hdc, hOld);
        ::ReleaseDC(nullptr, hdc);
    }
}

CTipMgr::~CTipMgr()
{
    // The popup must not report back to a manager that is going away.
    m_wndTip.SetOwner(nullptr);
    if (m_wndTip.GetSafeHwnd())
        m_wndTip.DestroyWindow();
    RemoveAllRecords();
}

// --- Creators ---

CUnreadMsg* CTipMgr::NewSenderRecord(int nKind, const CString& strLogin, const CString& strName,
                                     const CString& strPicture)
{
    auto* p = new CUnreadMsg;
    p->nKind = nKind;
    p->strSender = strLogin;
    p->strSenderName = strName;
    p->strPicture = strPicture;
    return p;
}

void CTipMgr::AddTipRecord(const CString& strText, const CString& strPicture, int nShowTime, int nId)
{
    auto* p = new CUnreadMsg;
    p->nKind = CUnreadMsg::kKindGeneric;
    p->strText = strText;
    p->strPicture = strPicture;
    p->nShowTime = nShowTime;
    p->nId = nId;
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddOnlineTip(const CString& strLogin, const CString& strName, const CString& strPicture)
{
    CUnreadMsg* p = NewSenderRecord(CUnreadMsg::kKindOnline, strLogin, strName, strPicture);
    AfxFormatString1(p->strText, IDS_TIP_ONLINE, strName);
    p->nShowTime = 3000;
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddFlashLoginTip(const CString& strLogin, const CString& strName)
{
    if (HasFlashLoginRecord(strLogin))
        return;
    CUnreadMsg* p = NewSenderRecord(CUnreadMsg::kKindFlashLogin, strLogin, strName);
    AfxFormatString1(p->strText, IDS_TIP_FLASH_LOGIN, strName);
    p->bClosable = 1;
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddMailTip(const CString& strText, const CString& strUrl)
{
    auto* p = new CUnreadMsg;
    p->nKind = CUnreadMsg::kKindMail;
    p->strText = strText;
    p->strUrl = strUrl;
    p->bClosable = 1;
    const int nSeconds = CQorViewBaseFun::GetSettingInt(L"CloseMailTipTime", 0);
    p->nShowTime = nSeconds > 0 ? nSeconds * 1000 : 0;
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddBulletinTip(const CString& strLogin, const CString& strName, const CString& strPicture,
                             const CString& strTitle, const CString& strNoticeId)
{
    CUnreadMsg* p = NewSenderRecord(CUnreadMsg::kKindBulletin, strLogin, strName, strPicture);
    p->strNoticeId = strNoticeId;
    if (ResourceString(IDS_RESOURCE_LANGUAGE) == L"CHS")
        AfxFormatString2(p->strText, IDS_TIP_BULLETIN, strName, strTitle);
    else
        AfxFormatString1(p->strText, IDS_TIP_BULLETIN, strTitle);
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddShakeTip(const CString& strLogin, const CString& strName, const CString& strPicture,
                          const CString& strSound)
{
    CUnreadMsg* p = NewSenderRecord(CUnreadMsg::kKindShake, strLogin, strName, strPicture);
    p->strSound = strSound;
    AfxFormatString1(p->strText, IDS_TIP_SHAKE, strName);
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddRefusedFileTip(const CString& strLogin, const CString& strName, const CString& strPicture,
                                const CString& strFourth, const CString& strFile)
{
    CUnreadMsg* p = NewSenderRecord(CUnreadMsg::kKindRefusedFile, strLogin, strName, strPicture);
    p->strSound = strFourth;
    AfxFormatString2(p->strText, IDS_TIP_REFUSED_FILE, strName, strFile);
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddDownloadTip(const CString& strLogin, const CString& strName, const CString& strPicture,
                             const CString& strFourth, const CString& strFile)
{
    CUnreadMsg* p = NewSenderRecord(CUnreadMsg::kKindDownload, strLogin, strName, strPicture);
    p->strSound = strFourth;
    AfxFormatString2(p->strText, IDS_TIP_DOWNLOADED, strName, strFile);
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddReceiptTip(const CString& strName, const CString& strSecond, const CString& strContent,
                            const CString& strPicture, int nShowTime, int nId)
{
    auto* p = new CUnreadMsg;
    p->nKind = CUnreadMsg::kKindReceipt;
    p->strSenderName = strName;
    p->strExtra = strSecond;
    p->strContent = strContent;
    p->strPicture = strPicture;
    p->nShowTime = nShowTime;
    p->nId = nId;
    m_lstRecords.AddHead(p);
}

void CTipMgr::AddSentTip(const CString& strContent, const CString& strSecond, const CString& strThird, int nShowTime)
{
    auto* p = new CUnreadMsg;
    p->nKind = CUnreadMsg::kKindGeneric;
    p->strContent = strContent;
    p->strExtra = strSecond;
    p->strMsgString2 = strThird;
    p->nShowTime = nShowTime;
    AfxFormatString2(p->strText, IDS_TIP_SENT, strSecond, strContent);
    m_lstRecords.AddTail(p);
}

// --- Queue ---

void CTipMgr::MergeIntoUnreadBox(CUnreadMsg* pRecord)
{
    if (!pRecord)
        return;
    if (m_lstRecords.IsEmpty()) {
        m_lstRecords.AddHead(pRecord);
        return;
    }
    const BOOL bGroup = pRecord->IsGroupMessage();
    // A newer message of the sender (or group) of the head record takes its place, so that a
    // burst from one sender keeps one record and the walk below stays short.
    CUnreadMsg* pHead = m_lstRecords.GetHead();
    if (pRecord->IsFoldable() && pHead->nKind == pRecord->nKind && pHead->IsFoldable() &&
        (bGroup ? pHead->strTalkId.CompareNoCase(pRecord->strTalkId) == 0
                : pHead->strSender.CompareNoCase(pRecord->strSender) == 0)) {
        m_lstRecords.RemoveHead();
        if (pHead == m_pCurrent) {
            m_pCurrent = nullptr;
            m_pCaptionItem = nullptr;
        }
        pRecord->FoldIn(*pHead);
        delete pHead;
        if (m_lstRecords.IsEmpty()) {
            m_lstRecords.AddHead(pRecord);
            return;
        }
    }
    BOOL bStopped = FALSE;
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos;) {
        CUnreadMsg* r = m_lstRecords.GetNext(pos);
        if (r->nKind == CUnreadMsg::kKindBox) {
            static_cast<CUnreadMsgBox*>(r)->AddRecord(pRecord);
            return;
        }
        if (bGroup) {
            if (!r->IsGroupMessage() || r->strTalkId.CompareNoCase(pRecord->strTalkId) != 0) {
                bStopped = TRUE;
                break;
            }
        } else if (r->IsGroupMessage() || r->strSender.CompareNoCase(pRecord->strSender) != 0) {
            bStopped = TRUE;
            break;
        }
    }
    if (!bStopped) {
        m_lstRecords.AddHead(pRecord);
        return;
    }

    auto* pBox = new CUnreadMsgBox;
    pBox->bClosable = 1;
    pBox->nMsgType = pRecord->nMsgType;
    pBox->strSender = pRecord->strSender;
    pBox->strTalkId = pRecord->strTalkId;
    for (POSITION pos = m_lstRecords.GetTailPosition(); pos;) {
        const POSITION cur = pos;
        CUnreadMsg* r = m_lstRecords.GetPrev(pos);
        if (r->nKind != CUnreadMsg::kKindNewMsg && r->nKind != CUnreadMsg::kKindGroupMsg)
            continue;
        // The shown record moves into the box: the popup no longer shows a queued record.
        if (r == m_pCurrent)
            m_pCurrent = nullptr;
        m_lstRecords.RemoveAt(cur);
        pBox->AddRecord(r);
    }
    m_lstRecords.AddHead(pBox);
    pBox->AddRecord(pRecord);
}

void CTipMgr::DestroyTipWindow()
{
    if (!m_wndTip.GetSafeHwnd())
        return;
    CTipMgr* pOwner = m_wndTip.GetOwner();
    m_wndTip.SetOwner(nullptr);
    m_wndTip.DestroyWindow();
    m_wndTip.SetOwner(pOwner);
    m_pCaptionItem = nullptr;
}

void CTipMgr::ShowNextTip(BOOL bAnimate, BOOL bForce)
{
    if (m_pCurrent || m_lstRecords.IsEmpty())
        return;
    // "Do not disturb": the records wait in the queue until the user is back.
    if (!bForce && CQorViewMgr::Instance()->m_nUserStatus == USER_STATUS_NO_POPUPS)
        return;
    // A popup still up for a record that was forgotten gives way to the new one.
    DestroyTipWindow();

    m_pCurrent = m_lstRecords.GetHead();
    ++m_nShowSerial;
    m_wndTip.SetPopupAnimation(bAnimate ? CTkPopupControl::kAnimationSlide : CTkPopupControl::kAnimationNone);
    if (bAnimate)
        m_wndTip.SetAnimateDelay(100);
    m_wndTip.SetShowDelay(m_pCurrent->nShowTime);
    m_wndTip.SetPopupSize(CSize(m_nTipWidth, m_nTipHeight));

    switch (m_pCurrent->nKind) {
    case CUnreadMsg::kKindNewMsg:
        BuildNewMsgTip(m_pCurrent);
        break;
    case CUnreadMsg::kKindGroupMsg:
        BuildGroupMsgTip(m_pCurrent);
        break;
    case CUnreadMsg::kKindReceipt:
        BuildReceiptTip(m_pCurrent);
        break;
    case CUnreadMsg::kKindBox:
        BuildBoxTip(static_cast<CUnreadMsgBox*>(m_pCurrent));
        break;
    case CUnreadMsg::kKindMail:
        BuildMailTip(m_pCurrent);
        break;
    default:
        BuildTextRowsTip(m_pCurrent);
        break;
    }
    m_wndTip.SetShakeRequest(FALSE);
    if (m_pCurrent->nKind == CUnreadMsg::kKindShake) {
        m_wndTip.SetShakeRequest(TRUE);
        m_wndTip.SetShakeSound(m_pCurrent->strSound);
    }
    m_wndTip.SetOwner(this);
    m_wndTip.Show(nullptr);
}

void CTipMgr::CloseAndShowNext(BOOL bForce)
{
    m_pCurrent = nullptr;
    DestroyTipWindow();
    ShowNextTip(TRUE, bForce);
}

void CTipMgr::OnTipClick(int nCode, void* /*pParam*/)
{
    if (nCode == CTkPopupControl::kNotifyClick) {
        m_wndTip.Close();
        return;
    }
    if (nCode == CTkPopupControl::kNotifyStateChanged && m_wndTip.GetPopupState() == CTkPopupControl::kStateClosed) {
        // Only the record the popup showed is dismissed; the tips behind it show next.
        if (CUnreadMsg* pShown = m_pCurrent)
            DestroyRecord(pShown);
        m_pCurrent = nullptr;
        m_pCaptionItem = nullptr;
        ShowNextTip(FALSE);
    }
}

void CTipMgr::RefreshTipCountCaption()
{
    if (!m_pCurrent || m_pCurrent->nKind != CUnreadMsg::kKindNewMsg || !m_pCaptionItem)
        return;
    m_strCaption = NewMessageCountText();
    m_pCaptionItem->SetCaption(m_strCaption);
    m_pCaptionItem->RedrawControl();
    m_wndTip.RedrawControl();
}

void CTipMgr::SetOwner(CWnd* pOwner)
{
    if (pOwner)
        m_pOwner = pOwner;
}

void CTipMgr::HideTip()
{
    if (m_wndTip.GetSafeHwnd())
        m_wndTip.ShowWindow(SW_HIDE);
}

BOOL CTipMgr::IsTipVisible() const
{
    HWND hWnd = m_wndTip.GetSafeHwnd();
    return hWnd && ::IsWindowVisible(hWnd);
}

// --- Queries and removal ---

BOOL CTipMgr::IsQueued(const CUnreadMsg* pRecord) const
{
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos;)
        if (m_lstRecords.GetNext(pos) == pRecord)
            return TRUE;
    return FALSE;
}

void CTipMgr::DestroyRecord(CUnreadMsg* pRecord)
{
    if (!pRecord)
        return;
    if (POSITION pos = m_lstRecords.Find(pRecord))
        m_lstRecords.RemoveAt(pos);
    if (m_pCurrent == pRecord) {
        m_pCurrent = nullptr;
        m_pCaptionItem = nullptr;
    }
    delete pRecord;
}

CUnreadMsg* CTipMgr::FindRecordByNoticeId(const CString& strId) const
{
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos;) {
        CUnreadMsg* r = m_lstRecords.GetNext(pos);
        if (r->strNoticeId.CompareNoCase(strId) == 0)
            return r;
    }
    return nullptr;
}

CUnreadMsg* CTipMgr::FindMessageRecord(const CString& strMsgId, const CString& strKey) const
{
    if (strMsgId.IsEmpty())
        return nullptr;
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos;) {
        CUnreadMsg* r = m_lstRecords.GetNext(pos);
        if (r->strNoticeId.CompareNoCase(strMsgId) == 0 || r->HasFoldedId(strMsgId))
            return r;
        if (r->nKind != CUnreadMsg::kKindBox)
            continue;
        // Only the entry of the same sender or group can hold the message.
        if (CUnreadMsgBoxItem* pItem = static_cast<CUnreadMsgBox*>(r)->FindItem(strKey)) {
            for (POSITION p = pItem->m_lstRecords.GetHeadPosition(); p;) {
                CUnreadMsg* merged = pItem->m_lstRecords.GetNext(p);
                if (merged->strNoticeId.CompareNoCase(strMsgId) == 0 || merged->HasFoldedId(strMsgId))
                    return merged;
            }
        }
    }
    return nullptr;
}

void CTipMgr::RemoveRecordByNoticeId(const CString& strId)
{
    if (strId.IsEmpty())
        return;
    DestroyRecord(FindRecordByNoticeId(strId));
}

void CTipMgr::RemoveAllRecords()
{
    POSITION pos = m_lstRecords.GetHeadPosition();
    while (pos)
        delete m_lstRecords.GetNext(pos);
    m_lstRecords.RemoveAll();
    // Every record is gone, the shown one with them.
    m_pCurrent = nullptr;
    m_pCaptionItem = nullptr;
}

void CTipMgr::RemoveHeadRecord()
{
    if (!m_lstRecords.IsEmpty())
        DestroyRecord(m_lstRecords.GetHead());
}

int CTipMgr::CountNewMessageRecords() const
{
    int n = 0;
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos;) {
        const CUnreadMsg* r = m_lstRecords.GetNext(pos);
        if (r->nKind == CUnreadMsg::kKindNewMsg)
            n += r->GetMessageCount();
    }
    return n;
}

int CTipMgr::CountGroupRecords(const CString& strTalkId) const
{
    int n = 0;
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos;) {
        const CUnreadMsg* r = m_lstRecords.GetNext(pos);
        if (r->IsGroupMessage() && r->strTalkId.CompareNoCase(strTalkId) == 0)
            n += r->GetMessageCount();
    }
    return n;
}

BOOL CTipMgr::HasFlashLoginRecord(const CString& strLogin) const
{
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos;) {
        const CUnreadMsg* r = m_lstRecords.GetNext(pos);
        if (r->nKind == CUnreadMsg::kKindFlashLogin && r->strSender.CompareNoCase(strLogin) == 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CTipMgr::IsPlainChatRecord(const CUnreadMsg& record)
{
    return record.IsPlainChat();
}

void CTipMgr::CollectUnreadMessageIds(CUnreadMsgBoxItem* pItem, CStringArray& arFirst, CStringArray& arSecond)
{
    if (!pItem)
        return;
    POSITION pos = pItem->m_lstRecords.GetHeadPosition();
    while (pos) {
        const POSITION cur = pos;
        CUnreadMsg* r = pItem->m_lstRecords.GetNext(pos);
        const BOOL bWanted = r->nKind == CUnreadMsg::kKindGroupMsg ||
                             (r->nKind == CUnreadMsg::kKindNewMsg && IsPlainChatRecord(*r));
        if (bWanted) {
            if (IQorMsg* pMsg = QueryQorMsg(r)) {
                BSTR bstr = nullptr;
                pMsg->get_MsgKey(&bstr);
                arFirst.Add(TakeBstr(bstr));
                bstr = nullptr;
                pMsg->get_MsgID(&bstr);
                arSecond.Add(TakeBstr(bstr));
                pMsg->Release();
            }
            // The older messages the record stands for come after it.
            r->AppendFoldedIds(arFirst, arSecond, true);
        }
        pItem->m_lstRecords.RemoveAt(cur);
        delete r;
    }
}

CUnreadMsg* CTipMgr::GetRecordAt(int nIndex) const
{
    const POSITION pos = m_lstRecords.FindIndex(nIndex);
    return pos ? m_lstRecords.GetAt(pos) : nullptr;
}

void CTipMgr::RemoveRecordAt(int nIndex)
{
    DestroyRecord(GetRecordAt(nIndex));
}

void CTipMgr::RemoveRecordsFor(const CString& strSpare, const CString& strUrl)
{
    POSITION pos = m_lstRecords.GetHeadPosition();
    while (pos) {
        CUnreadMsg* r = m_lstRecords.GetNext(pos);
        if (r->strSpare1.Compare(strSpare) == 0 && r->strUrl.CompareNoCase(strUrl) == 0)
            DestroyRecord(r);
    }
}

CString CTipMgr::GetCaptionText() const
{
    return m_wndTip.GetSafeHwnd() ? m_strCaption : CString();
}

CString CTipMgr::GetLanguage()
{
    if (CKorvelApp* pApp = CKorvelApp::GetApp())
        return pApp->m_strLanguage;
    return L"CHS";
}
