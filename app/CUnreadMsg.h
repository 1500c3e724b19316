#pragma once
// One queued tip of the notification manager: what the popup shows for one event (a new
// message, a receipt, a contact online, a nudge, a bulletin, a mail...) and, for chat
// records, the core message the click opens.
#include "framework/CObject.h"
#include "framework/CString.h"
#include <oaidl.h>

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
    enum { kTypeTalk = 8, kTypeGroup = 11, kTypeGroupOpt = 14, kTypeLast = 15 };

    CUnreadMsg() = default;
    // Releases the core message.
    ~CUnreadMsg() override;
    // Copies the id, the texts and the numbers; the core message is not shared.
    CUnreadMsg& operator=(const CUnreadMsg& other);
    CUnreadMsg(const CUnreadMsg&) = delete;

    // Group messages (types 11 and 14) merge by talk id, everything else by sender.
    BOOL IsGroupMessage() const { return nMsgType == kTypeGroup || nMsgType == kTypeGroupOpt; }
    // Takes one reference of pMsg (null allowed) and releases the one held before.
    void SetCoreMsg(IUnknown* pMsg);
    IUnknown* GetCoreMsg() const { return m_pCoreMsg; }

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
};
