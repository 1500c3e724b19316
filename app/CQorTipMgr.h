#pragma once
// The main window's notification manager: the tip queue of CTipMgr plus what a click on a
// tip does (open the chat, the group, a bulletin, a mail address or the unread messages
// through the view library) and the openers that take one conversation's records out of
// the queue and hand their message ids to the view library.
#include "app/CTipMgr.h"

class CTkPopupItem;
class ITipMgrOwner;

class CQorTipMgr : public CTipMgr {
public:
    CQorTipMgr() = default;
    ~CQorTipMgr() override = default;

    void OnTipClick(int nCode, void* pParam) override;

    // Drops every tip and the popup (sign-in start and success, lost connection, "OUT",
    // window destruction).
    void ClearTips();
    // Drops every tip, box entries included, then the popup (the tray flash was stopped).
    void DismissAllTips();
    // Sign-out: keeps only the generic and message-sent tips and shows the next of them.
    void RemoveSessionTips();
    // Opens what the shown tip stands for (also the hot key "RecvMsg").
    void OpenCurrentTip();
    // Opens the group conversation of the shown tip, by the talk id its message reports.
    void OpenCurrentGroup();

    // Openers: each takes the records of one conversation out of the queue (or out of one
    // box entry) and hands their MsgKey and MsgID lists to the view library.
    void OpenMsgItem(CUnreadMsgBoxItem* pItem);
    void OpenBoxItems(CUnreadMsgBox* pBox);
    void OpenUnreadChat(const CString& strLogin, const CString& strName);
    void OpenUnreadGroup(const CString& strTalkId);
    void OpenCurrentChat(const CString& strLogin, const CString& strName);
    void OpenNewestUnread();

    // How a mail tip's address is opened; tests replace it so no browser starts.
    typedef void (*PFNOPENADDRESS)(const CString& strUrl); // CBaseFun's opener
    static void SetAddressOpener(PFNOPENADDRESS pfn);

    // The main window, which the manager hands conversations over for (null: nothing is handed
    // to the view library, the records are still taken); not owned.
    void SetMainWindow(ITipMgrOwner* pMain) { m_pMain = pMain; }

protected:
    enum TakeAction { kSkip, kCollect, kGroupOpt };
    // Walks a record list from the oldest to the newest; every record that choose() marks
    // is taken out of the list and destroyed after its ids were collected (kCollect) or it
    // was handed to the view library as a group operation (kGroupOpt).
    template <class Choose>
    void TakeRecords(CList<CUnreadMsg*, CUnreadMsg*>& lst, Choose choose, CStringArray& arKeys, CStringArray& arIds,
                     CString* pTalkName);
    // Takes every record of one multi-person talk out of the list and opens the talk with them.
    void OpenTalk(CList<CUnreadMsg*, CUnreadMsg*>& lst, const CString& strTalk);
    // Takes the records of one group (its messages and its group operations) out of the list.
    void TakeGroup(CList<CUnreadMsg*, CUnreadMsg*>& lst, const CString& strTalk, CStringArray& arKeys,
                   CStringArray& arIds);
    // Takes one sender's plain chat messages out of the list.
    void TakePlainChat(CList<CUnreadMsg*, CUnreadMsg*>& lst, const CString& strLogin, CStringArray& arKeys,
                       CStringArray& arIds);
    // Takes the entry of one sender or group out of a queued unread-message box, with the ids of
    // its messages; the box at posBox leaves the queue when it has no entry left.
    void TakeBoxEntry(POSITION posBox, CUnreadMsgBox* pBox, const CString& strKey, CStringArray& arKeys,
                      CStringArray& arIds);
    // Appends the MsgKey and MsgID texts of the record's message (and the first non-empty
    // TalkName when asked); nothing for a record without a core message.
    void CollectIds(const CUnreadMsg* pRecord, CStringArray& arKeys, CStringArray& arIds, CString* pTalkName);
    // Copies a type-14 group record into a view-library message item for ProcessGroupOPT.
    void HandOverGroupOpt(const CUnreadMsg* pRecord);
    // Opens a message that is not plain chat text through the core console, after the
    // password prompt when it is protected. FALSE when the prompt was cancelled.
    BOOL OpenOtherChat(const CUnreadMsg* pRecord);
    BOOL ConfirmPassword();
    // Forgets a record taken out of its list (it may be the shown one) and destroys it.
    void DeleteTaken(CUnreadMsg* pRecord);
    // After an opener: shows the next tip, or closes the popup when nothing is left.
    void TidyPopup();
    // The end of a click: closes the popup when it still shows the clicked tip, or shows
    // nothing any more.
    void FinishClick(int nShowSerial);
    void OnBoxClick(CUnreadMsgBox* pBox, CTkPopupItem* pItem);
    // Removes the box's emptied entries, and the box itself once it has none.
    void DropEmptyEntries(CUnreadMsgBox* pBox);
    BOOL CanHandOver(const CStringArray& arIds) const { return m_pMain && arIds.GetSize() > 0; }

private:
    ITipMgrOwner* m_pMain = nullptr;
};
