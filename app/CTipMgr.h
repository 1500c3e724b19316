#pragma once
// The notification manager: turns the system's events into queued tip records and shows
// them one at a time in a single popup at the bottom-right corner of the work area. The
// newest record is at the head of the queue and shown first; chat and group messages of
// several senders merge into one unread-message box record. The main window owns one (as
// CQorTipMgr, which decides what a click does).
#include "app/CUnreadMsg.h"
#include "app/CUnreadMsgBox.h"
#include "app/CUnreadMsgBoxItem.h"
#include "app/MyTipCtl.h"
#include "framework/CList.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"

class CWnd;
class CTkPopupItem;
struct IQorMsg;

class CTipMgr {
public:
    CTipMgr();
    // Destroys the popup window and every queued record.
    virtual ~CTipMgr();
    CTipMgr(const CTipMgr&) = delete;
    CTipMgr& operator=(const CTipMgr&) = delete;

    // The popup's notification: code 1 an item was clicked (param: the item), code 2 the
    // popup's state changed (param: the popup). The base closes on a click, and when the
    // popup has closed it drops the record that was shown and shows the next one at once.
    virtual void OnTipClick(int nCode, void* pParam);

    // Creators: each queues one record (at the head, AddSentTip at the tail); showing it
    // is the caller's next step, as a rule CloseAndShowNext.
    void AddTipRecord(const CString& strText, const CString& strPicture, int nShowTime, int nId);
    void AddOnlineTip(const CString& strLogin, const CString& strName, const CString& strPicture);
    void AddFlashLoginTip(const CString& strLogin, const CString& strName);
    void AddMailTip(const CString& strText, const CString& strUrl);
    void AddBulletinTip(const CString& strLogin, const CString& strName, const CString& strPicture,
                        const CString& strTitle, const CString& strNoticeId);
    void AddShakeTip(const CString& strLogin, const CString& strName, const CString& strPicture,
                     const CString& strSound);
    void AddRefusedFileTip(const CString& strLogin, const CString& strName, const CString& strPicture,
                           const CString& strFourth, const CString& strFile);
    void AddDownloadTip(const CString& strLogin, const CString& strName, const CString& strPicture,
                        const CString& strFourth, const CString& strFile);
    void AddReceiptTip(const CString& strName, const CString& strSecond, const CString& strContent,
                       const CString& strPicture, int nShowTime, int nId);
    // Queued behind every other tip: shown once all of them have been dismissed.
    void AddSentTip(const CString& strContent, const CString& strSecond, const CString& strThird, int nShowTime);

    // Takes ownership of a chat record (kind 1 or 12) and queues it, merging the messages
    // of several senders or groups into the unread-message box. Null is ignored.
    void MergeIntoUnreadBox(CUnreadMsg* pRecord);

    // Shows the head record when nothing is shown and the queue is not empty (and the
    // user's status is not 8, "no popups": the records then wait in the queue, unless bForce
    // asks for the popup whatever the status).
    void ShowNextTip(BOOL bAnimate, BOOL bForce = FALSE);
    // Drops the popup without closing the record it showed, then slides in the head record.
    void CloseAndShowNext(BOOL bForce = FALSE);
    // Rewrites the count line of a shown new-message tip.
    void RefreshTipCountCaption();
    void SetOwner(CWnd* pOwner);
    CWnd* GetOwner() const { return m_pOwner; }
    void HideTip();
    BOOL IsTipVisible() const;

    // Queries and removal (texts compared without case unless said).
    CUnreadMsg* FindRecordByNoticeId(const CString& strId) const;
    // The queued chat record of one message: a record of the queue whose notice id is strMsgId,
    // or one merged into the entry strKey (a sender, or a group's talk id) of a queued
    // unread-message box. Null for an empty id.
    CUnreadMsg* FindMessageRecord(const CString& strMsgId, const CString& strKey) const;
    void RemoveRecordByNoticeId(const CString& strId);
    // Destroys every record; the current record is forgotten with them.
    void RemoveAllRecords();
    void RemoveHeadRecord();
    int CountNewMessageRecords() const;
    int CountGroupRecords(const CString& strTalkId) const;
    BOOL HasFlashLoginRecord(const CString& strLogin) const;
    // Plain chat text: opened in one batch by the view library rather than one by one.
    static BOOL IsPlainChatRecord(const CUnreadMsg& record);
    // Appends the MsgKey and MsgID texts of the entry's chat messages (newest first) and
    // destroys every record of the entry; records without a core message are skipped.
    void CollectUnreadMessageIds(CUnreadMsgBoxItem* pItem, CStringArray& arFirst, CStringArray& arSecond);

    int GetRecordCount() const { return static_cast<int>(m_lstRecords.GetCount()); }
    CUnreadMsg* GetRecordAt(int nIndex) const;
    void RemoveRecordAt(int nIndex);
    void RemoveRecordsFor(const CString& strSpare, const CString& strUrl);
    CString GetCaptionText() const;
    // The caption text the view library announces with a new unread count.
    void SetCaptionText(const CString& strText) { m_strCaption = strText; }
    CUnreadMsg* GetCurrentRecord() const { return m_pCurrent; }
    MyTipCtl& GetTipWnd() { return m_wndTip; }
    int GetTipWidth() const { return m_nTipWidth; }
    int GetTipHeight() const { return m_nTipHeight; }
    int GetLineHeight() const { return m_nLineHeight; }

    // The row text of one entry of the unread-message box: "name(when)" padded with spaces
    // so that the "  (count)" tails of the rows line up.
    CString BuildBoxRowText(CUnreadMsgBoxItem* pItem) const;
    // The program's language code ("CHS" unless the application says otherwise).
    static CString GetLanguage();
    // A text of the resource module (empty when it has none).
    static CString ResourceString(UINT nId);

protected:
    // A new record of one kind from a sender (login, display name, picture); not yet queued.
    static CUnreadMsg* NewSenderRecord(int nKind, const CString& strLogin, const CString& strName,
                                       const CString& strPicture = CString());
    // Content builders, one per layout; each starts from an empty popup.
    void BuildTextRowsTip(CUnreadMsg* pRecord);
    void BuildMailTip(CUnreadMsg* pRecord);
    void BuildNewMsgTip(CUnreadMsg* pRecord);
    void BuildGroupMsgTip(CUnreadMsg* pRecord);
    void BuildReceiptTip(CUnreadMsg* pRecord);
    void BuildBoxTip(CUnreadMsgBox* pBox);

    // The record's core message as IQorMsg (one reference for the caller), or null.
    static IQorMsg* QueryQorMsg(const CUnreadMsg* pRecord);
    // The text of an out BSTR, which is freed.
    static CString TakeBstr(BSTR bstr);

    // Helpers of the builders.
    void StartTip();
    CTkPopupItem* AddTextRow(const CRect& rc, const CString& strText);
    void AddCornerItem(BOOL bBox);
    void AddPictureOrIcon(const CString& strPicture, UINT nIcon);
    void AddCloseButton();
    CRect GetContentRect() const;
    CString NewMessageCountText() const;
    // The text-row layout's rows: each line of the text, broken at blanks where it is wider
    // than nTextWidth, in at most nRowsThatFit rows (but never fewer than the lines).
    static void BreakLinesIntoRows(const CStringArray& arLines, int nTextWidth, int nRowsThatFit,
                                   CStringArray& arRows);

    // Unlinks a queued record (when it is queued) and destroys it; forgets it as the
    // current record when it was that.
    void DestroyRecord(CUnreadMsg* pRecord);
    BOOL IsQueued(const CUnreadMsg* pRecord) const;
    // Destroys the popup window without state notifications.
    void DestroyTipWindow();

    CWnd* m_pOwner = nullptr;              // the main window; not owned
    CTkPopupItem* m_pCaptionItem = nullptr; // an item of the current popup; not owned
    CString m_strCaption;
    int m_nSpareValue = 100;
    int m_nTipWidth = 202;
    int m_nTipHeight = 116;
    int m_nLineHeight = 16;
    MyTipCtl m_wndTip;
    CString m_strSpare;
    CUnreadMsg* m_pCurrent = nullptr;      // the record the popup shows; owned by the queue
    CList<CUnreadMsg*, CUnreadMsg*> m_lstRecords; // owned, newest at the head
    int m_nSpareWords[4] = {0, 0, 0, 0};
    // Counts the tips shown, so a click handler can tell whether its own tip is still up
    // after it acted (a record's address may be reused by a newer one).
    int m_nShowSerial = 0;
};
