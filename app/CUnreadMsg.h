#pragma once
// One queued tip of the notification manager: what the popup shows for one event (a new
// message, a receipt, a contact online, a nudge, a bulletin, a mail...) and, for chat
// records, the core message the click opens.
#include "framework/CObject.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "platform/QorCore/QorCoreIds.h"
#include <oaidl.h>
#include <string>
#include <vector>

class CUnreadMsg : public CObject {
public:
    // Tip kinds (nKind).
    enum {
        kKindGeneric = 0, kKindNewMsg = 1, kKindReceipt = 2, kKindOnline = 3, kKindShake = 4,
        kKindFlashLogin = 5, kKindBulletin = 6, kKindBox = 8, kKindRefusedFile = 9, kKindDownload = 10,
        kKindMail = 11, kKindGroupMsg = 12
    };
    // Message flags and types the tips look at.
    enum { kFlagPlainExcluded = 0x4000, kFlagProtected = 0x20000 };
    enum { kTypeTalk = 8, kTypeGroup = kQorMsgTypeGroup, kTypeGroupOpt = kQorMsgTypeGroupOpt, kTypeLast = 15 };

    CUnreadMsg() = default;
    // Releases the core message.
    ~CUnreadMsg() override;
    // Copies the id, the texts and the numbers; the core message is not shared.
    CUnreadMsg& operator=(const CUnreadMsg& other);
    CUnreadMsg(const CUnreadMsg&) = delete;

    // Group messages (types 11 and 14) merge by talk id, everything else by sender.
    static bool IsGroupType(int nMsgType) { return nMsgType == kTypeGroup || nMsgType == kTypeGroupOpt; }
    BOOL IsGroupMessage() const { return IsGroupType(nMsgType); }
    // Takes one reference of pMsg (null allowed) and releases the one held before.
    void SetCoreMsg(IUnknown* pMsg);
    IUnknown* GetCoreMsg() const { return m_pCoreMsg; }

    // Plain chat text: opened in one batch by the view library rather than one by one.
    BOOL IsPlainChat() const;
    // Whether a newer record of the same sender or group may take this one's place: plain chat
    // text of a person, or a group's message. The view library keeps every such message among
    // its stored unread messages, so the newest record can stand for all of them, and a burst
    // keeps one record per sender, not one per message.
    BOOL IsFoldable() const;
    // Takes the place of an older record of the same sender or group (both foldable): counts
    // it and the messages it stood for, keeps their MsgKey and MsgID texts (what opening them
    // needs) and remembers their ids among the recent ones. The older record can then go, and
    // with it its copy of the core's message (what it held is moved out of it).
    void FoldIn(CUnreadMsg& older);
    // Appends the MsgKey and MsgID texts of the folded messages, oldest first, or newest first.
    void AppendFoldedIds(CStringArray& arKeys, CStringArray& arIds, bool bNewestFirst) const;
    // Older messages this record stands for beside its own (0 when it stands for itself).
    int GetFoldedCount() const { return m_nFolded; }
    int GetMessageCount() const { return 1 + m_nFolded; }
    // Whether a message with this id (no case) is one of the recent messages folded into it.
    BOOL HasFoldedId(const CString& strMsgId) const;

    int nId = 0;
    CString strText;
    CString strUrl;
    CString strSpare1;
    CString strContent;
    CString strSenderName;
    CString strSender;
    CString strNoticeId;
    CString strSpare2;
    CString strPicture;
    CString strExtra;
    CString strSound;
    CString strMsgString1;
    CString strMsgString2;
    CString strSendTime;
    int nFlags = 0;
    int nKind = kKindGeneric;
    int nShowTime = 0;
    int bClosable = 1;
    CString strTalkId;
    CString strSpare3; // tested for emptiness only
    int nMsgType = 0;
    int nMsgWord = 0;
    int nSpare = 0;
    CString strContentType;
    CString strMsgInfo;

private:
    IUnknown* m_pCoreMsg = nullptr; // one reference, released with the record
    int m_nFolded = 0;
    // The folded messages' MsgKey and MsgID texts, oldest first, each pair as "key\x1Fid\x1E":
    // one buffer, a few bytes per message instead of a record and a core message each.
    std::wstring m_foldedIds;
    // The ids of the newest folded messages (64-bit hashes of the upper-cased text), oldest
    // first: a message the core delivers again soon after is still known. Bounded and small,
    // so that a record stays small however many messages it stands for.
    std::vector<unsigned long long> m_recentFolded;
    static const size_t kRecentFoldedIds = 32;
    static unsigned long long IdHash(const CString& strMsgId);
};
