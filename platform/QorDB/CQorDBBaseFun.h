#pragma once
// Named operations of the database library on the message tables. Every value is bound
// as a statement parameter, so ids with quotes or other SQL characters are safe.
#include "framework/CString.h"
#include "framework/CUIntArray.h"

class CYqConnect;

class CQorDBBaseFun {
public:
    // A message's rows in qor_Msg, qor_Msg_Attach, qor_Msg_Content, qor_Msg_Recv.
    static bool DeleteMsg(CYqConnect* pConnect, LPCWSTR pszMsgID);
    static bool DeleteMsgAttach(CYqConnect* pConnect, LPCWSTR pszMsgID);
    static bool DeleteMsgContent(CYqConnect* pConnect, LPCWSTR pszMsgID);
    static bool DeleteMsgRecv(CYqConnect* pConnect, LPCWSTR pszMsgID);

    // A group talk: its Qor_Talk row, its entries, their attachment rows and its log.
    static bool DeleteTalkItem(CYqConnect* pConnect, LPCWSTR pszTalkID);
    static bool DeleteTalkMsg(CYqConnect* pConnect, LPCWSTR pszTalkID);
    static bool DeleteTalkAttachment(CYqConnect* pConnect, LPCWSTR pszTalkID);
    static bool DeleteTalkLog(CYqConnect* pConnect, LPCWSTR pszTalkID);

    // The talk whose id ends in "_" and exactly this number (talk 5 is never talk 15 or
    // talk x5); false and "" when there is none. The first by rowid when several match.
    static bool FindTalkByNumber(CYqConnect* pConnect, int nNumber, CString& strTalkID);

    // Body (UTF-8 in the database, UTF-16 here, a zero character inside it kept) and its
    // Col_ContentType; false and empty strings when the message has no body row.
    static bool GetMsgContentInfo(CYqConnect* pConnect, LPCWSTR pszMsgID, CString& strContent,
                                  CString& strContentType);
    static bool GetMsgContent(CYqConnect* pConnect, LPCWSTR pszMsgID, CString& strContent);

    // The message whose attachments a message or group-talk entry carries: the stored source
    // id, or the id itself when none is stored. False when neither table knows the id.
    static bool GetSourceMsgID(CYqConnect* pConnect, LPCWSTR pszMsgID, CString& strSourceID);
    // The source kind of each attachment row of the message (0 view-library download,
    // 1 body file transfer, 2 not available), in row order; false when the query fails.
    static bool LoadAttachFileSource(CYqConnect* pConnect, LPCWSTR pszMsgID, CUIntArray& arrSource);

private:
    CQorDBBaseFun() = delete;
};
