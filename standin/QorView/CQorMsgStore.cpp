#include "standin/QorView/CQorMsgStore.h"
#include "common/CWqStringMgr.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorDB/QorDBValues.h"
#include "platform/QorView/CQorMsgItem.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "standin/QorView/QorViewState.h"
#include <set>
#include <vector>

using namespace qorview_detail;

namespace {

// The longest subject line kept: the list shows one line of it; the body keeps the whole text.
const int kMaxSubject = 200;

bool IsGroup(long nType) { return nType == kQorMsgTypeGroup || nType == kQorMsgTypeGroupOpt; }

bool IsSafeKeyChar(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
           wcschr(L"-_.{}@", c) != nullptr;
}

long Number(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(long*))
{
    long n = 0;
    if (pMsg)
        (pMsg->*getter)(&n);
    return n;
}

// The first line of a text, at most kMaxSubject characters (a pair of surrogates kept whole).
CString SubjectLine(const CString& strText)
{
    int end = strText.FindOneOf(L"\r\n");
    CString line = end >= 0 ? strText.Left(end) : strText;
    if (line.GetLength() > kMaxSubject) {
        int cut = kMaxSubject;
        if (line[cut - 1] >= 0xD800 && line[cut - 1] <= 0xDBFF)
            --cut;
        line = line.Left(cut);
    }
    return line;
}

// The names of a message's files (a path's last part); the paths themselves for a sent message.
void FilesOf(IQorMsg* pMsg, std::vector<CString>& names, std::vector<CString>& paths)
{
    long n = Number(pMsg, &IQorMsg::get_FileCount);
    for (long i = 0; i < n; ++i) {
        BSTR b = nullptr;
        if (FAILED(pMsg->GetFile(i, &b)) || !b) {
            ::SysFreeString(b);
            continue;
        }
        const CString path(b, static_cast<int>(::SysStringLen(b)));
        ::SysFreeString(b);
        const int slash = max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
        const CString name = path.Mid(slash + 1);
        if (name.IsEmpty())
            continue;
        names.push_back(name);
        paths.push_back(path);
    }
}

// A text as UTF-8, every character of it kept (an embedded zero too).
std::string Utf8Of(const CString& strText)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), &bytes[0], n, nullptr, nullptr);
    return bytes;
}

// What a message's body is stored as: its rich content when it carries a type the message
// centre shows, else the text the person typed, as plain text.
QorMsgBody BodyOf(IQorMsg* pMsg, const CString& strText)
{
    QorMsgBody body;
    const CString type = CQorMsgStore::Text(pMsg, &IQorMsg::get_ContentType);
    const CString content = CQorMsgStore::Text(pMsg, &IQorMsg::get_Content);
    const bool rich = type == QorDbValues::kContentRtf || type == QorDbValues::kContentKtf ||
                      type == QorDbValues::kContentUtf8;
    body.contentType = rich && !content.IsEmpty() ? type : CString(QorDbValues::kContentUtf8);
    const CString stored = rich && !content.IsEmpty() ? content : strText;
    body.bytes = Utf8Of(stored);
    // The search reads the words the person typed.
    body.text = strText.IsEmpty() && body.contentType == QorDbValues::kContentUtf8 ? stored : strText;
    return body;
}

// A group entry's body: KTF, as the talk's messages are.
std::string KtfOf(IQorMsg* pMsg, const CString& strText)
{
    QorMsgBody body = BodyOf(pMsg, strText);
    if (body.contentType == QorDbValues::kContentKtf)
        return body.bytes;
    return Utf8Of(L"<KTF><Text>" + CWqStringMgr::XmlEscape(strText) + L"</Text></KTF>");
}

// Whether a table holds a row of that id, and the sender text of the first one. The key is a
// safe one (SafeKey), so it may stand between quotes.
bool StoredSender(CYqConnect* pConnect, const wchar_t* pszSelect, const CString& strKey, CString& strSender)
{
    CYqRecordset rs;
    if (!rs.Open(CString(pszSelect) + L" = '" + strKey + L"'", pConnect))
        return false;
    rs.MoveFirst();
    const bool found = !rs.IsEOF();
    if (found)
        rs.GetValue(0, strSender);
    rs.Close();
    return found;
}

// The id a message is stored under: its own when no other message has it; the same message
// (same sender) stored before is known. *pbKnown tells which.
CString StoredId(CYqConnect* pConnect, bool bTalk, const CString& strKey, const CString& strSender, bool* pbKnown)
{
    *pbKnown = false;
    CString sender;
    const wchar_t* select = bTalk ? L"SELECT Col_SenderName FROM qor_Talk_Msg WHERE Col_ID"
                                  : L"SELECT Col_Sender FROM qor_Msg WHERE Col_ID";
    if (!StoredSender(pConnect, select, strKey, sender))
        return strKey;
    if (sender == strSender) {
        *pbKnown = true;
        return strKey;
    }
    // Another person's message has this id: this one gets its own.
    return CQorMsgStore::SafeKey(CString());
}

void LogFailure(const CString& strId, CYqConnect* pConnect)
{
    CString line;
    line.Format(L"The message %s could not be stored: %s\r\n", strId.GetString(), pConnect->GetLastError().GetString());
    CQorViewBaseFun::WriteErrorLogFile(line);
}

// Runs one message's writes in one transaction: all of them or none.
template <class Write>
CQorMsgStore::Result InOneTransaction(CQorMsgDBMgr& db, const CString& strId, Write write)
{
    CYqConnect* pConnect = db.GetConnect();
    if (!pConnect->BeginTrans()) {
        LogFailure(strId, pConnect);
        return CQorMsgStore::kFailed;
    }
    if (!write() || !pConnect->CommitTrans()) {
        if (pConnect->GetTransDepth() > 0)
            pConnect->RollbackTrans();
        LogFailure(strId, pConnect);
        return CQorMsgStore::kFailed;
    }
    return CQorMsgStore::kStored;
}

// The number the message centre finds a talk by: the digits after the last "_" of its id (at
// most nine, so that they read as one int); -1 when the id does not end so.
int TalkNumber(const CString& strId)
{
    const int underscore = strId.ReverseFind(L'_');
    const CString digits = underscore >= 0 ? strId.Mid(underscore + 1) : CString();
    if (digits.IsEmpty() || digits.GetLength() > 9 || digits.SpanIncluding(L"0123456789") != digits)
        return -1;
    return _wtoi(digits);
}

// The id a talk is stored under, empty when the talks cannot be read. The message centre finds a
// talk by the number its id ends in, so an id that ends in "_<number>" is kept as it is; another
// gets "~_" and a number of its own: the one its first message gave it, else the lowest that no
// stored talk ends in. SafeKey never writes "~_", so a made id is never another talk's own.
CString StoredTalkId(CYqConnect* pConnect, const CString& strSafeTalk)
{
    if (TalkNumber(strSafeTalk) >= 0)
        return strSafeTalk;
    const CString prefix = strSafeTalk + L"~_";
    CYqRecordset rs;
    if (!rs.Open(L"SELECT Col_ID FROM Qor_Talk", pConnect))
        return CString();
    std::set<int> used;
    CString made;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        CString id;
        rs.GetValue(0, id);
        const int number = TalkNumber(id);
        used.insert(number);
        if (number >= 0 && id.Left(prefix.GetLength()) == prefix && id.ReverseFind(L'_') == prefix.GetLength() - 1)
            made = id;
    }
    rs.Close();
    if (made.IsEmpty()) {
        int number = 1;
        while (used.count(number))
            ++number;
        made.Format(L"%s%d", prefix.GetString(), number);
    }
    return made;
}

// A group message: the talk (made when new), the entry, its files and, for a received one, its
// unread mark.
CQorMsgStore::Result StoreTalkEntry(CQorMsgDBMgr& db, IQorMsg* pMsg, const CString& strKey, const CString& strTalk,
                                    const CString& strSenderName, const CString& strText, bool bReceived)
{
    CYqConnect* pConnect = db.GetConnect();
    bool known = false;
    const CString id = StoredId(pConnect, true, strKey, strSenderName, &known);
    if (known)
        return CQorMsgStore::kKnown;
    CString talkName = CQorMsgStore::Text(pMsg, &IQorMsg::get_TalkName);
    std::vector<CString> names, paths;
    FilesOf(pMsg, names, paths);
    QorTalkMsgRecord entry;
    entry.id = id;
    entry.senderName = strSenderName;
    entry.sendDate = CQorMsgStore::StoredDate(CQorMsgStore::Text(pMsg, &IQorMsg::get_SendTime));
    entry.data = KtfOf(pMsg, strText);
    return InOneTransaction(db, id, [&] {
        const CString talk = StoredTalkId(pConnect, strTalk);
        CString existing;
        if (talk.IsEmpty() ||
            (!StoredSender(pConnect, L"SELECT Col_ID FROM Qor_Talk WHERE Col_ID", talk, existing) &&
             !db.AddTalk(talk, QorDbValues::kTalkDiscussion, talkName.IsEmpty() ? strTalk : talkName, entry.sendDate,
                         strSenderName)))
            return false;
        entry.talkID = talk;
        if (!db.AddTalkMsg(entry))
            return false;
        for (size_t i = 0; i < names.size(); ++i) {
            if (!db.AddTalkAttach(talk, id, names[i], bReceived ? CString() : paths[i], 0))
                return false;
        }
        return !bReceived || db.AddUnread(id, L"", 0);
    });
}

// A person's message: its qor_Msg row (m, with its folder, people and read state set), its body,
// its files (a received message's not on this machine yet, a sent one's where the user has them)
// and, received, its unread mark; sent, one receipt per receiver.
CQorMsgStore::Result StoreMsgRows(CQorMsgDBMgr& db, IQorMsg* pMsg, QorMsgRecord& m, const CString& strText,
                                  const std::vector<CString>& receivers)
{
    const bool received = m.msgFolder == QorDbValues::kFolderReceived;
    m.subject = SubjectLine(strText);
    m.sendDate = CQorMsgStore::StoredDate(CQorMsgStore::Text(pMsg, &IQorMsg::get_SendTime));
    m.msgFlag = static_cast<int>(Number(pMsg, &IQorMsg::get_MsgFlags));
    std::vector<CString> names, paths;
    FilesOf(pMsg, names, paths);
    m.attachCount = static_cast<int>(names.size());
    const QorMsgBody body = BodyOf(pMsg, strText);
    return InOneTransaction(db, m.id, [&] {
        if (!db.AddMsg(m) || !db.AddMsgContent(m.id, body))
            return false;
        for (size_t i = 0; i < names.size(); ++i) {
            if (!db.AddMsgAttach(m.id, names[i], received ? CString() : paths[i], 0))
                return false;
        }
        for (const CString& receiver : receivers) {
            if (!db.AddMsgRecv(m.id, receiver, L""))
                return false;
        }
        return !received || db.AddUnread(m.id, L"", 0);
    });
}

} // namespace

CString CQorMsgStore::Text(IQorMsg* pMsg, HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(BSTR*))
{
    BSTR b = nullptr;
    CString text;
    if (pMsg && SUCCEEDED((pMsg->*getter)(&b)) && b)
        text = CString(b, static_cast<int>(::SysStringLen(b)));
    ::SysFreeString(b);
    return text;
}

CString CQorMsgStore::SafeKey(const CString& strKey)
{
    CString safe;
    for (int i = 0; i < strKey.GetLength() && safe.GetLength() <= kMaxKey; ++i) {
        const wchar_t c = strKey[i];
        if (IsSafeKeyChar(c)) {
            safe += c;
        } else {
            CString escaped;
            escaped.Format(L"~%04X", static_cast<unsigned>(c));
            safe += escaped;
        }
    }
    if (safe.IsEmpty() || safe.GetLength() > kMaxKey)
        safe = CQorViewBaseFun::CreateGUIDStr();
    return safe;
}

CString CQorMsgStore::StoredDate(const CString& strUtcTime)
{
    SYSTEMTIME utc = {}, local = {};
    if (ParseTime(strUtcTime, utc) && ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return FormatTime(local);
    ::GetLocalTime(&local);
    return FormatTime(local);
}

CQorMsgStore::Result CQorMsgStore::StoreReceived(CQorMsgDBMgr& db, IQorMsg* pMsg, const CString& strOwnLogin,
                                                 const CString& strOwnName, CQorMsgItem* pItem)
{
    if (!pMsg || !db.IsConnected())
        return kFailed;
    const CString key = SafeKey(Text(pMsg, &IQorMsg::get_MsgID));
    const CString sender = Text(pMsg, &IQorMsg::get_Sender);
    CString senderName = Text(pMsg, &IQorMsg::get_SenderName);
    if (senderName.IsEmpty())
        senderName = sender;
    const CString text = Text(pMsg, &IQorMsg::get_Subject);
    const long type = Number(pMsg, &IQorMsg::get_MsgType);
    const CString talkId = Text(pMsg, &IQorMsg::get_TalkID);
    if (pItem) {
        pItem->strMsgID = key;
        pItem->strSender = sender;
        pItem->strSenderName = senderName;
        pItem->strSubject = text;
        pItem->strContentType = Text(pMsg, &IQorMsg::get_ContentType);
        pItem->strSendTime = Text(pMsg, &IQorMsg::get_SendTime);
        pItem->strTalkID = talkId;
        pItem->strTalkName = Text(pMsg, &IQorMsg::get_TalkName);
        pItem->nMsgType = static_cast<int>(type);
        pItem->nMsgFlags = static_cast<int>(Number(pMsg, &IQorMsg::get_MsgFlags));
        pItem->nExtraNumber = static_cast<int>(Number(pMsg, &IQorMsg::get_ExtraNumber));
        CStringArray pair;
        CQorViewBaseFun::StringToArray(Text(pMsg, &IQorMsg::get_ExtraPair), pair, L";", -1);
        pItem->strExtra1 = pair.GetSize() > 0 ? pair[0] : CString();
        pItem->strExtra2 = pair.GetSize() > 1 ? pair[1] : CString();
    }
    // A group message without a talk cannot join one: it is kept as a person's message.
    if (IsGroup(type) && !talkId.IsEmpty())
        return StoreTalkEntry(db, pMsg, key, SafeKey(talkId), senderName, text, true);

    bool known = false;
    QorMsgRecord m;
    m.id = StoredId(db.GetConnect(), false, key, sender, &known);
    if (known)
        return kKnown;
    m.msgFolder = QorDbValues::kFolderReceived;
    m.sender = sender;
    m.senderName = senderName;
    m.recvLogin = strOwnLogin;
    m.recvName = strOwnName;
    m.readState = QorDbValues::kStateUnread;
    return StoreMsgRows(db, pMsg, m, text, {});
}

CQorMsgStore::Result CQorMsgStore::StoreSent(CQorMsgDBMgr& db, IQorMsg* pMsg, const CString& strOwnLogin,
                                             const CString& strOwnName)
{
    if (!pMsg || !db.IsConnected())
        return kFailed;
    const CString key = SafeKey(Text(pMsg, &IQorMsg::get_MsgID));
    const CString text = Text(pMsg, &IQorMsg::get_Subject);
    const CString ownName = strOwnName.IsEmpty() ? strOwnLogin : strOwnName;
    const CString talkId = Text(pMsg, &IQorMsg::get_TalkID);
    if (IsGroup(Number(pMsg, &IQorMsg::get_MsgType)) && !talkId.IsEmpty())
        return StoreTalkEntry(db, pMsg, key, SafeKey(talkId), ownName, text, false);

    bool known = false;
    QorMsgRecord m;
    m.id = StoredId(db.GetConnect(), false, key, strOwnLogin, &known);
    if (known)
        return kKnown;
    // The receivers: one receipt each, and the list of them on the message.
    std::vector<CString> receivers;
    const long n = Number(pMsg, &IQorMsg::get_ReceiverCount);
    for (long i = 0; i < n; ++i) {
        BSTR account = nullptr, name = nullptr;
        if (SUCCEEDED(pMsg->GetReceiver(i, &account, &name))) {
            const CString login = account ? CString(account, static_cast<int>(::SysStringLen(account))) : CString();
            const CString shown = name && ::SysStringLen(name) ? CString(name, static_cast<int>(::SysStringLen(name))) : login;
            if (!login.IsEmpty()) {
                m.recvLogin += (m.recvLogin.IsEmpty() ? L"" : L";") + login;
                m.recvName += (m.recvName.IsEmpty() ? L"" : L";") + shown;
                receivers.push_back(shown);
            }
        }
        ::SysFreeString(account);
        ::SysFreeString(name);
    }
    m.msgFolder = QorDbValues::kFolderSent;
    m.sender = strOwnLogin;
    m.senderName = ownName;
    m.readState = QorDbValues::kStateWaiting;
    return StoreMsgRows(db, pMsg, m, text, receivers);
}

int CQorMsgStore::MarkRead(CQorMsgDBMgr& db, const CStringArray& arMsgIds)
{
    if (!db.IsConnected())
        return 0;
    int marked = 0;
    for (INT_PTR i = 0; i < arMsgIds.GetSize(); ++i) {
        if (!arMsgIds[i].IsEmpty() && db.MarkMsgRead(SafeKey(arMsgIds[i])))
            ++marked;
    }
    return marked;
}
