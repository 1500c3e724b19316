#include "app/CUnreadMsg.h"
#include "platform/QorCore/IQorMsg.h"

namespace {

const wchar_t kFieldEnd = L'\x1F';
const wchar_t kPairEnd = L'\x1E';

// The text of a BSTR getter of the core's message; empty when it fails.
template <class Getter>
std::wstring ReadText(IQorMsg* pMsg, Getter get)
{
    BSTR bstr = nullptr;
    std::wstring text;
    if (SUCCEEDED((pMsg->*get)(&bstr)) && bstr)
        text.assign(bstr, ::SysStringLen(bstr));
    ::SysFreeString(bstr);
    return text;
}

} // namespace

CUnreadMsg::~CUnreadMsg()
{
    SetCoreMsg(nullptr);
}

void CUnreadMsg::SetCoreMsg(IUnknown* pMsg)
{
    if (pMsg)
        pMsg->AddRef();
    if (m_pCoreMsg)
        m_pCoreMsg->Release();
    m_pCoreMsg = pMsg;
}

BOOL CUnreadMsg::IsPlainChat() const
{
    if (nFlags & (kFlagPlainExcluded | kFlagProtected))
        return FALSE;
    if (strContentType == L"Text/URL" || strContentType == L"Text/Html")
        return FALSE;
    if (nMsgType == 1 || nMsgType == 3)
        return FALSE;
    return strSpare3.IsEmpty();
}

BOOL CUnreadMsg::IsFoldable() const
{
    if (nKind == kKindGroupMsg)
        return nMsgType == kTypeGroup;
    return nKind == kKindNewMsg && !IsGroupMessage() && nMsgType != kTypeTalk && nMsgType != kTypeLast && IsPlainChat();
}

unsigned long long CUnreadMsg::IdHash(const CString& strMsgId)
{
    CString id = strMsgId;
    id.MakeUpper();
    // FNV-1a over the UTF-16 units.
    unsigned long long h = 1469598103934665603ULL;
    for (int i = 0; i < id.GetLength(); ++i) {
        h ^= static_cast<unsigned long long>(id[i]);
        h *= 1099511628211ULL;
    }
    return h;
}

void CUnreadMsg::FoldIn(CUnreadMsg& older)
{
    m_nFolded += older.m_nFolded + 1;
    // The older record goes: its ids move over rather than being copied, so that folding stays
    // cheap however many messages a busy sender's record already stands for.
    std::wstring ids = std::move(older.m_foldedIds);
    // Like the openers, a record without a core message has no ids to give.
    IQorMsg* pMsg = nullptr;
    if (older.m_pCoreMsg &&
        SUCCEEDED(older.m_pCoreMsg->QueryInterface(IID_IQorMsg, reinterpret_cast<void**>(&pMsg))) && pMsg) {
        ids += ReadText(pMsg, &IQorMsg::get_MsgKey);
        ids += kFieldEnd;
        ids += ReadText(pMsg, &IQorMsg::get_MsgID);
        ids += kPairEnd;
        pMsg->Release();
    }
    ids += m_foldedIds;
    m_foldedIds.swap(ids);

    std::vector<unsigned long long> recent = std::move(older.m_recentFolded);
    if (!older.strNoticeId.IsEmpty())
        recent.push_back(IdHash(older.strNoticeId));
    recent.insert(recent.end(), m_recentFolded.begin(), m_recentFolded.end());
    if (recent.size() > kRecentFoldedIds)
        recent.erase(recent.begin(), recent.end() - kRecentFoldedIds);
    m_recentFolded.swap(recent);
}

void CUnreadMsg::AppendFoldedIds(CStringArray& arKeys, CStringArray& arIds, bool bNewestFirst) const
{
    std::vector<std::pair<size_t, size_t>> pairs; // start of the key, of the id
    for (size_t start = 0; start < m_foldedIds.size();) {
        const size_t field = m_foldedIds.find(kFieldEnd, start);
        const size_t end = m_foldedIds.find(kPairEnd, start);
        if (field == std::wstring::npos || end == std::wstring::npos || field > end)
            break;
        pairs.emplace_back(start, field + 1);
        start = end + 1;
    }
    auto add = [&](const std::pair<size_t, size_t>& p) {
        const size_t keyEnd = p.second - 1;
        const size_t idEnd = m_foldedIds.find(kPairEnd, p.second);
        arKeys.Add(CString(m_foldedIds.c_str() + p.first, static_cast<int>(keyEnd - p.first)));
        arIds.Add(CString(m_foldedIds.c_str() + p.second, static_cast<int>(idEnd - p.second)));
    };
    if (bNewestFirst) {
        for (auto it = pairs.rbegin(); it != pairs.rend(); ++it)
            add(*it);
    } else {
        for (const auto& p : pairs)
            add(p);
    }
}

BOOL CUnreadMsg::HasFoldedId(const CString& strMsgId) const
{
    if (strMsgId.IsEmpty() || m_recentFolded.empty())
        return FALSE;
    const unsigned long long h = IdHash(strMsgId);
    for (unsigned long long seen : m_recentFolded) {
        if (seen == h)
            return TRUE;
    }
    return FALSE;
}

CUnreadMsg& CUnreadMsg::operator=(const CUnreadMsg& other)
{
    if (this == &other)
        return *this;
    nId = other.nId;
    strText = other.strText;
    strUrl = other.strUrl;
    strSpare1 = other.strSpare1;
    strContent = other.strContent;
    strSenderName = other.strSenderName;
    strSender = other.strSender;
    strNoticeId = other.strNoticeId;
    strSpare2 = other.strSpare2;
    strPicture = other.strPicture;
    strExtra = other.strExtra;
    strSound = other.strSound;
    strMsgString1 = other.strMsgString1;
    strMsgString2 = other.strMsgString2;
    strSendTime = other.strSendTime;
    nFlags = other.nFlags;
    nKind = other.nKind;
    nShowTime = other.nShowTime;
    bClosable = other.bClosable;
    strTalkId = other.strTalkId;
    strSpare3 = other.strSpare3;
    nMsgType = other.nMsgType;
    nMsgWord = other.nMsgWord;
    nSpare = other.nSpare;
    strContentType = other.strContentType;
    strMsgInfo = other.strMsgInfo;
    m_nFolded = other.m_nFolded;
    m_foldedIds = other.m_foldedIds;
    m_recentFolded = other.m_recentFolded;
    return *this;
}
