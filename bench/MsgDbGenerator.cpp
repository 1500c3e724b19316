#include "bench/MsgDbGenerator.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

const wchar_t kMsgDbCommonWord[] = L"meeting";
const wchar_t kMsgDbRareWord[] = L"zephyrine";
const wchar_t kMsgDbQuoteWord[] = L"O'Brien";

namespace {

// splitmix64: small, fast and the same everywhere, so a seed gives the same database.
class Random {
public:
    explicit Random(unsigned long long seed) : m_state(seed) {}
    unsigned long long Next()
    {
        unsigned long long z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // [0, n)
    int Below(int n) { return n <= 1 ? 0 : static_cast<int>(Next() % static_cast<unsigned long long>(n)); }
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    bool Chance(double p) { return Unit() < p; }

private:
    unsigned long long m_state;
};

const wchar_t* const kLatinWords[] = {
    L"project", L"budget", L"review", L"schedule", L"report", L"client", L"update", L"release", L"draft",
    L"invoice", L"quarter", L"office", L"travel", L"contract", L"design", L"server", L"network", L"support",
    L"training", L"policy", L"team", L"lunch", L"question", L"answer", L"plan", L"deadline", L"approval",
    L"summary", L"agenda", L"minutes", L"proposal", L"feedback", L"order", L"delivery", L"customer", L"sales",
    L"market", L"product", L"version", L"backup", L"holiday", L"weekly", L"monthly", L"notice", L"request",
    L"the", L"and", L"for", L"with", L"please", L"today", L"tomorrow", L"soon", L"thanks", L"regards",
};
const int kLatinCount = static_cast<int>(sizeof(kLatinWords) / sizeof(kLatinWords[0]));

const wchar_t* const kGivenNames[] = { L"Ann", L"Bob", L"Chen", L"Dana", L"Erik", L"Fang", L"Gita", L"Hugo",
                                       L"Ines", L"Jun", L"Kofi", L"Li", L"Mia", L"Nils", L"Ola", L"Wei" };
const wchar_t* const kFamilyNames[] = { L"Smith", L"Wang", L"Garcia", L"Zhang", L"Novak", L"Liu", L"Berg",
                                        L"O'Neil", L"Huang", L"Silva", L"Zhao", L"Kim" };

// A word: Latin mostly, or a run of two to four CJK ideographs.
void AppendWord(Random& r, bool cjk, std::wstring& out)
{
    if (cjk) {
        const int n = 2 + r.Below(3);
        for (int i = 0; i < n; ++i)
            out += static_cast<wchar_t>(0x4E00 + r.Below(3000));
    } else {
        out += kLatinWords[r.Below(kLatinCount)];
    }
}

std::wstring MakeText(Random& r, int length, bool cjk)
{
    std::wstring s;
    while (static_cast<int>(s.size()) < length) {
        if (!s.empty())
            s += cjk && r.Chance(0.7) ? L"" : L" ";
        AppendWord(r, cjk && r.Chance(0.8), s);
    }
    return s;
}

std::string ToUtf8(const std::wstring& w)
{
    if (w.empty())
        return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

std::wstring XmlText(const std::wstring& text)
{
    std::wstring s;
    s.reserve(text.size() + 16);
    for (wchar_t c : text) {
        switch (c) {
        case L'&': s += L"&amp;"; break;
        case L'<': s += L"&lt;"; break;
        case L'>': s += L"&gt;"; break;
        case L'\'': s += L"&apos;"; break;
        case L'"': s += L"&quot;"; break;
        default: s += c;
        }
    }
    return s;
}

std::wstring RtfText(const std::wstring& text)
{
    std::wstring s = L"{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil SimSun;}}\\f0\\fs20 ";
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'{' || c == L'}') {
            s += L'\\';
            s += c;
        } else if (c < 0x80) {
            s += c;
        } else {
            wchar_t b[16];
            swprintf(b, 16, L"\\u%d?", static_cast<int>(static_cast<short>(c)));
            s += b;
        }
    }
    s += L"\\par}";
    return s;
}

// Minutes since 2021-01-01 00:00 as date text.
CString DateOfMinute(long long minute)
{
    SYSTEMTIME base = {};
    base.wYear = 2021;
    base.wMonth = 1;
    base.wDay = 1;
    FILETIME ft;
    ::SystemTimeToFileTime(&base, &ft);
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    u.QuadPart += static_cast<unsigned long long>(minute) * 60ull * 10000000ull;
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    SYSTEMTIME st;
    ::FileTimeToSystemTime(&ft, &st);
    CString s;
    s.Format(L"%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return s;
}

class Zipf {
public:
    explicit Zipf(int n)
    {
        double sum = 0;
        m_cumulative.reserve(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) {
            sum += 1.0 / (k + 1);
            m_cumulative.push_back(sum);
        }
    }
    int Sample(Random& r) const
    {
        const double u = r.Unit() * m_cumulative.back();
        return static_cast<int>(std::lower_bound(m_cumulative.begin(), m_cumulative.end(), u) - m_cumulative.begin());
    }

private:
    std::vector<double> m_cumulative;
};

const long long kFiveYearsOfMinutes = 5LL * 365 * 24 * 60;

} // namespace

CString MsgDbGenMsgID(int i)
{
    CString s;
    s.Format(L"msg%07d", i);
    return s;
}

CString MsgDbGenLogin(int person)
{
    CString s;
    s.Format(L"user%04d", person);
    return s;
}

CString MsgDbGenName(int person)
{
    CString s;
    s.Format(L"%s %s %d", kGivenNames[person % 16], kFamilyNames[(person / 16) % 12], person);
    return s;
}

bool GenerateMsgDbInto(CQorMsgDBMgr& db, const MsgDbGenOptions& o, MsgDbGenResult* pResult)
{
    const auto start = std::chrono::steady_clock::now();
    MsgDbGenResult result;
    Random r(o.seed);
    const Zipf people(std::max(1, o.senders));
    CYqConnect* pConnect = db.GetConnect();
    const int rareAt = o.messages / 2; // the rare word is there at least once
    bool ok = true;

    for (int first = 0; ok && first < o.messages; first += o.batch) {
        if (!pConnect->BeginTrans())
            return false;
        const int last = std::min(o.messages, first + o.batch);
        for (int i = first; ok && i < last; ++i) {
            QorMsgRecord m;
            m.id = MsgDbGenMsgID(i);
            const double kind = r.Unit();
            const int person = people.Sample(r);
            const long long minute = r.Next() % static_cast<unsigned long long>(kFiveYearsOfMinutes);
            m.sendDate = DateOfMinute(minute);
            const bool sent = kind >= 0.60 && kind < 0.95 ? true : (kind >= 0.95 ? r.Chance(0.4) : false);
            if (kind >= 0.95) {
                m.type = 3;
                m.folderName.Format(L"Folder %02d", r.Below(std::max(1, o.userFolders)));
                ++result.filed;
            } else if (sent) {
                ++result.sent;
            } else {
                ++result.received;
            }
            m.msgFolder = sent ? 2 : 1;
            if (sent) {
                m.sender = o.selfLogin;
                m.senderName = o.selfName;
                m.recvLogin = MsgDbGenLogin(person);
                m.recvName = MsgDbGenName(person);
                static const int states[] = { 0, 4, 8, 16, 0, 8 };
                m.readState = states[r.Below(6)];
            } else {
                m.sender = MsgDbGenLogin(person);
                m.senderName = MsgDbGenName(person);
                m.recvLogin = o.selfLogin;
                m.recvName = o.selfName;
                m.readState = r.Chance(0.9) ? 1 : 2;
            }
            const bool cjk = r.Chance(0.5);
            m.subject = MakeText(r, 5 + r.Below(36), cjk).c_str();
            m.needConfirm = r.Chance(0.1) ? 1 : 0;
            m.msgFlag = r.Chance(0.05) ? 0x200000 : 0;
            m.attachCount = r.Chance(0.10) ? 1 + r.Below(3) : 0;

            // The body: 50 to 2,000 characters, more short ones than long ones.
            const int length = static_cast<int>(50.0 * std::exp(r.Unit() * std::log(40.0)));
            std::wstring text = MakeText(r, length, cjk);
            if (r.Chance(1.0 / 3))
                text.insert(std::min(text.size(), static_cast<size_t>(r.Below(static_cast<int>(text.size()) + 1))),
                            std::wstring(L" ") + kMsgDbCommonWord + L" ");
            if (i == rareAt || r.Chance(1.0 / 10000))
                text += std::wstring(L" ") + kMsgDbRareWord;
            if (r.Chance(0.01))
                text += std::wstring(L" ") + kMsgDbQuoteWord;
            QorMsgBody body;
            body.text = text.c_str();
            const double form = r.Unit();
            if (form < 0.5) {
                body.contentType = L"Text/Ktf";
                body.bytes = ToUtf8(L"<KTF><Font name=\"\x5B8B\x4F53\" size=\"15\" clr=\"0\" flags=\"1\" /><Text>" +
                                    XmlText(text) + L"</Text></KTF>");
            } else if (form < 0.75) {
                body.contentType = L"Text/Rtf";
                body.bytes = ToUtf8(RtfText(text));
            } else {
                body.contentType = L"UTF-8";
                body.bytes = ToUtf8(text);
            }
            ok = db.AddMsg(m) && db.AddMsgContent(m.id, body);
            for (int a = 0; ok && a < m.attachCount; ++a) {
                CString name;
                name.Format(a == 2 ? L"it's %d.png" : L"report_%d_%d.docx", i, a);
                ok = db.AddMsgAttach(m.id, name, L"", r.Chance(0.8) ? 0 : 1);
                ++result.attachments;
            }
            if (sent) {
                const int receivers = 1 + r.Below(20);
                for (int k = 0; ok && k < receivers; ++k) {
                    const int who = k == 0 ? person : people.Sample(r);
                    const CString opened = r.Chance(0.6) ? DateOfMinute(minute + 1 + r.Below(5000)) : CString();
                    ok = db.AddMsgRecv(m.id, MsgDbGenName(who), opened);
                    ++result.receipts;
                }
            } else if (m.type != 3 && r.Chance(0.02)) {
                ok = db.AddUnread(m.id, L"", 0);
            }
        }
        ok = pConnect->CommitTrans() && ok;
    }

    // Group talks: "talk_<number>", kinds 2 and 3, twenty entries each.
    const int talks = std::max(3, o.messages / 2000);
    if (ok && pConnect->BeginTrans()) {
        for (int t = 1; ok && t <= talks; ++t) {
            CString talkID;
            talkID.Format(L"talk_%d", t);
            const long long minute = r.Next() % static_cast<unsigned long long>(kFiveYearsOfMinutes);
            const int creator = people.Sample(r);
            ok = db.AddTalk(talkID, t % 2 ? 3 : 2, MakeText(r, 6 + r.Below(20), r.Chance(0.5)).c_str(),
                            DateOfMinute(minute), MsgDbGenName(creator));
            ++result.talks;
            for (int e = 0; ok && e < 20; ++e) {
                QorTalkMsgRecord entry;
                entry.id.Format(L"%s_e%02d", (LPCWSTR)talkID, e);
                entry.talkID = talkID;
                entry.senderName = MsgDbGenName(people.Sample(r));
                entry.sendDate = DateOfMinute(minute + e * 7);
                entry.data = ToUtf8(L"<KTF><Font name=\"\x5B8B\x4F53\" size=\"15\" clr=\"0\" flags=\"1\" /><Text>" +
                                    XmlText(MakeText(r, 20 + r.Below(200), r.Chance(0.5))) + L"</Text></KTF>");
                ok = db.AddTalkMsg(entry);
                ++result.talkEntries;
                if (ok && r.Chance(0.1)) {
                    CString file;
                    file.Format(L"shared_%d_%d.zip", t, e);
                    ok = db.AddTalkAttach(talkID, entry.id, file, L"", 0);
                }
            }
            if (ok)
                ok = db.AddTalkLog(talkID, DateOfMinute(minute), L"created");
        }
        ok = pConnect->CommitTrans() && ok;
    }
    result.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (pResult)
        *pResult = result;
    return ok;
}

bool GenerateMsgDb(LPCWSTR pszPath, const MsgDbGenOptions& options, MsgDbGenResult* pResult, CString* pError)
{
    ::DeleteFileW(pszPath);
    CString journal = CString(pszPath) + L"-journal";
    ::DeleteFileW(journal);
    CQorMsgDBMgr db;
    bool ok = db.OpenConnect(pszPath) && db.InitDBTable() && GenerateMsgDbInto(db, options, pResult);
    if (!ok && pError)
        *pError = db.GetConnect()->GetLastError();
    db.CloseConnect();
    return ok;
}
