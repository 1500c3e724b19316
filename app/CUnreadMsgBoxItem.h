#pragma once
// One sender or group inside the unread-message box: its key (login name, or "g_"-prefixed
// talk id for a group), its name and picture, and its merged records, newest first. The
// item owns its records.
#include "app/CUnreadMsg.h"
#include "framework/CList.h"

class CUnreadMsgBoxItem : public CObject {
public:
    CUnreadMsgBoxItem();
    ~CUnreadMsgBoxItem() override;
    CUnreadMsgBoxItem(const CUnreadMsgBoxItem&) = delete;
    CUnreadMsgBoxItem& operator=(const CUnreadMsgBoxItem&) = delete;

    // Destroys every record and empties the list.
    void RemoveAllRecords();
    // A number that no other entry of this process carries: the box's rows name their
    // entry by it, so a row stays tied to its entry while other entries come and go.
    int GetSerial() const { return m_nSerial; }
    // The messages of the entry: its records and the older ones folded into them.
    int GetMessageCount() const;

    CString strKey;
    CString strName;
    CString strPicture;
    CList<CUnreadMsg*, CUnreadMsg*> m_lstRecords; // owned, newest first

private:
    int m_nSerial;
};
