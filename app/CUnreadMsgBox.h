#pragma once
// The unread-message box: one tip (kind 8) that gathers the chat and group messages of
// several senders, one entry per sender or group, newest entry first. Owns its entries.
#include "app/CUnreadMsg.h"
#include "app/CUnreadMsgBoxItem.h"
#include "framework/CList.h"
#include <string>
#include <unordered_map>

class CUnreadMsgBox : public CUnreadMsg {
public:
    CUnreadMsgBox();
    ~CUnreadMsgBox() override;

    // Takes ownership of a record and files it under its sender or group (creating the
    // entry at the head when it is new); the record goes to the head of the entry.
    void AddRecord(CUnreadMsg* pRecord);
    // The entry, or its position, whose key equals strKey (no case); null when none.
    CUnreadMsgBoxItem* FindItem(const CString& strKey) const;
    POSITION FindItemPosition(const CString& strKey) const;
    // The entry at a list position; null when the position is not in the list.
    CUnreadMsgBoxItem* GetItemAt(POSITION pos) const;
    // The position of the entry with this serial number (CUnreadMsgBoxItem::GetSerial);
    // null when the entry has left the box.
    POSITION FindItemPositionBySerial(int nSerial) const;
    // Destroys every entry and empties the list.
    void RemoveAllItems();
    // Unlinks and destroys the entry at pos.
    void RemoveItemAt(POSITION pos);
    int GetItemCount() const { return static_cast<int>(m_lstItems.GetCount()); }

    // Read-only outside this class: the index below must see every change.
    CList<CUnreadMsgBoxItem*, CUnreadMsgBoxItem*> m_lstItems; // owned, newest first

private:
    // The entries by their upper-cased key. A burst of messages from hundreds of senders files
    // every message under its entry; a walk of the list for each would cost the burst the
    // square of the senders.
    static std::wstring IndexKey(const CString& strKey);
    std::unordered_map<std::wstring, CUnreadMsgBoxItem*> m_index;
};
