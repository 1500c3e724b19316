#include "standin/QorDB/QorPageIndex.h"
#include "platform/QorDB/CYqConnect.h"
#include "standin/QorDB/StatementLog.h"
#include <sqlite3.h>

namespace {

const size_t kKeptQueries = 4;

// Every statement passes through here, so these look at characters themselves rather than
// through the C library's locale-aware classification (a call per character adds up to a good
// part of a small query's cost). Anything beyond ASCII counts as part of a word: a keyword
// touching such a character is no keyword, which only serves fewer statements.
bool IsWordChar(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' ||
           c >= 0x80;
}

bool IsSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The keyword (upper-case ASCII) at p, in any case.
bool IsKeywordAt(const wchar_t* p, const wchar_t* pszWord, size_t n)
{
    for (size_t k = 0; k < n; ++k) {
        const wchar_t c = p[k] >= L'a' && p[k] <= L'z' ? static_cast<wchar_t>(p[k] - 32) : p[k];
        if (c != pszWord[k])
            return false;
    }
    return true;
}

// Position of the keyword at top level (outside quotes, brackets and parentheses), as a whole
// word, from `from` on; npos when absent.
size_t FindKeyword(const std::wstring& s, const wchar_t* pszWord, size_t from = 0)
{
    const size_t n = wcslen(pszWord);
    int depth = 0;
    for (size_t i = from; i < s.size(); ++i) {
        const wchar_t c = s[i];
        if (c == L'\'' || c == L'"' || c == L'[' || c == L'`') {
            const wchar_t close = c == L'[' ? L']' : c;
            for (++i; i < s.size() && s[i] != close; ++i) {
            }
            continue;
        }
        if (c == L'(')
            ++depth;
        else if (c == L')')
            --depth;
        else if (depth == 0 && (i == 0 || !IsWordChar(s[i - 1])) && i + n <= s.size() &&
                 IsKeywordAt(s.c_str() + i, pszWord, n) && (i + n == s.size() || !IsWordChar(s[i + n])))
            return i;
    }
    return std::wstring::npos;
}

std::wstring Trim(const std::wstring& s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsSpace(s[b]))
        ++b;
    while (e > b && IsSpace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool ReadNumber(const std::wstring& s, size_t& i, long long& value)
{
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    const size_t start = i;
    value = 0;
    while (i < s.size() && IsDigit(s[i]) && i - start < 12)
        value = value * 10 + (s[i++] - L'0');
    return i > start;
}

// "<query> LIMIT n OFFSET m" or "<query> limit m,n", with trailing blanks and semicolons.
bool SplitPage(const std::wstring& sql, std::wstring& query, long long& count, long long& offset)
{
    // Most statements are no page: they do not end in a number.
    size_t last = sql.size();
    while (last > 0 && (IsSpace(sql[last - 1]) || sql[last - 1] == L';'))
        --last;
    if (last == 0 || !IsDigit(sql[last - 1]))
        return false;
    std::wstring s = sql.substr(0, last);
    size_t limit = std::wstring::npos;
    for (size_t at = FindKeyword(s, L"LIMIT"); at != std::wstring::npos; at = FindKeyword(s, L"LIMIT", at + 5))
        limit = at;
    if (limit == std::wstring::npos)
        return false;
    size_t i = limit + 5;
    long long a = 0, b = 0;
    if (!ReadNumber(s, i, a))
        return false;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    if (i < s.size() && s[i] == L',') {
        ++i;
        if (!ReadNumber(s, i, b))
            return false;
        offset = a;
        count = b;
    } else if (i + 6 <= s.size() && IsKeywordAt(s.c_str() + i, L"OFFSET", 6)) {
        i += 6;
        if (!ReadNumber(s, i, b))
            return false;
        count = a;
        offset = b;
    } else {
        return false;
    }
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    if (i != s.size())
        return false;
    query = Trim(s.substr(0, limit));
    return count >= 0 && offset >= 0;
}

} // namespace

QorPageIndex::~QorPageIndex()
{
    Clear();
}

void QorPageIndex::Clear()
{
    for (Entry& e : m_entries)
        sqlite3_finalize(e.fetch);
    m_entries.clear();
    sqlite3_finalize(m_version);
    m_version = nullptr;
}

bool QorPageIndex::Stamp(long long* pVersion, long long* pChanges)
{
    // data_version moves when another connection commits; our own changes count in
    // total_changes (a rolled-back change counts too, which only drops the ids early).
    sqlite3* db = m_connect.GetHandle();
    if (!m_version && sqlite3_prepare_v2(db, "PRAGMA data_version", -1, &m_version, nullptr) != SQLITE_OK) {
        m_version = nullptr;
        return false;
    }
    const bool ok = sqlite3_step(m_version) == SQLITE_ROW;
    *pVersion = ok ? sqlite3_column_int64(m_version, 0) : 0;
    sqlite3_reset(m_version);
    *pChanges = sqlite3_total_changes(db);
    return ok;
}

bool QorPageIndex::Build(const std::wstring& query, Entry& entry)
{
    // SELECT <list> FROM <tables> [WHERE ...] [ORDER BY ...]
    const std::wstring q = Trim(query);
    if (q.size() < 7 || !IsKeywordAt(q.c_str(), L"SELECT", 6) || IsWordChar(q[6]))
        return false;
    const size_t from = FindKeyword(q, L"FROM");
    if (from == std::wstring::npos || FindKeyword(q, L"DISTINCT") != std::wstring::npos ||
        FindKeyword(q, L"GROUP") != std::wstring::npos || FindKeyword(q, L"UNION") != std::wstring::npos)
        return false;
    const std::wstring list = Trim(q.substr(6, from - 6));
    size_t end = q.size();
    for (const wchar_t* word : { L"WHERE", L"ORDER", L"LIMIT" }) {
        const size_t at = FindKeyword(q, word, from + 4);
        if (at != std::wstring::npos && at < end)
            end = at;
    }
    const std::wstring tables = q.substr(from + 4, end - from - 4);
    if (tables.find(L'(') != std::wstring::npos || FindKeyword(tables, L"JOIN") != std::wstring::npos ||
        list.empty() || Trim(list) == L"*")
        return false;
    // Each table's name or alias qualifies its rowid.
    std::vector<std::wstring> names;
    size_t start = 0;
    while (start <= tables.size()) {
        size_t comma = tables.find(L',', start);
        if (comma == std::wstring::npos)
            comma = tables.size();
        const std::wstring item = Trim(tables.substr(start, comma - start));
        if (item.empty())
            return false;
        size_t last = item.size();
        while (last > 0 && IsWordChar(item[last - 1]))
            --last;
        const std::wstring name = item.substr(last);
        if (name.empty())
            return false;
        names.push_back(name);
        start = comma + 1;
    }
    std::wstring idList, idMatch;
    for (size_t k = 0; k < names.size(); ++k) {
        idList += (k ? L", " : L"") + names[k] + L".rowid";
        idMatch += (k ? L" AND " : L"") + names[k] + L".rowid = ?" + std::to_wstring(k + 1);
    }
    const std::wstring idSql = L"SELECT " + idList + L" " + q.substr(from);
    entry.fetchSql = L"SELECT " + list + L" FROM " + Trim(tables) + L" WHERE " + idMatch;
    entry.tables = static_cast<int>(names.size());
    entry.query = query;

    sqlite3* db = m_connect.GetHandle();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare16_v2(db, idSql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        return false;
    if (sqlite3_prepare16_v2(db, entry.fetchSql.c_str(), -1, &entry.fetch, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        for (int k = 0; k < entry.tables; ++k)
            entry.ids.push_back(sqlite3_column_int64(st, k));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) {
        sqlite3_finalize(entry.fetch);
        entry.fetch = nullptr;
        return false;
    }
    return Stamp(&entry.stamp1, &entry.stamp2);
}

bool QorPageIndex::Serve(const std::wstring& sql, const std::function<void(sqlite3_stmt*)>& onColumns,
                         const std::function<void(sqlite3_stmt*)>& onRow, bool* pOk)
{
    std::wstring query;
    long long count = 0, offset = 0;
    sqlite3* db = m_connect.GetHandle();
    if (!db || !SplitPage(sql, query, count, offset))
        return false;
    auto it = m_entries.begin();
    while (it != m_entries.end() && it->query != query)
        ++it;
    if (it == m_entries.end() && offset < kDeepOffset)
        return false; // a shallow page costs little as written

    // One read transaction for the check and every row of the page: outside a transaction
    // each statement would take and drop the file's shared lock and check the file header
    // again, which costs more than the rows themselves (a system call each under Wine). It
    // also keeps the stamp, the ids and the rows one consistent picture of the file.
    const bool ownRead = sqlite3_get_autocommit(db) != 0 &&
                         sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    const bool served = ServeIn(it, query, count, offset, onColumns, onRow, pOk);
    if (ownRead && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return served;
}

bool QorPageIndex::ServeIn(std::list<Entry>::iterator it, const std::wstring& query, long long count,
                           long long offset, const std::function<void(sqlite3_stmt*)>& onColumns,
                           const std::function<void(sqlite3_stmt*)>& onRow, bool* pOk)
{
    if (it != m_entries.end()) {
        long long version = 0, changes = 0;
        if (!Stamp(&version, &changes))
            return false;
        if (version != it->stamp1 || changes != it->stamp2) {
            sqlite3_finalize(it->fetch);
            m_entries.erase(it);
            it = m_entries.end();
            if (offset < kDeepOffset)
                return false;
        }
    }
    if (it == m_entries.end()) {
        Entry entry;
        if (!Build(query, entry)) {
            sqlite3_finalize(entry.fetch);
            return false;
        }
        QorDBNotePageIndexBuild();
        m_entries.push_front(std::move(entry));
        while (m_entries.size() > kKeptQueries) {
            sqlite3_finalize(m_entries.back().fetch);
            m_entries.pop_back();
        }
        it = m_entries.begin();
    } else if (it != m_entries.begin()) {
        m_entries.splice(m_entries.begin(), m_entries, it);
        it = m_entries.begin();
    }
    const long long rows = static_cast<long long>(it->ids.size()) / it->tables;
    *pOk = true;
    onColumns(it->fetch);
    for (long long r = offset; r < rows && r < offset + count; ++r) {
        for (int k = 0; k < it->tables; ++k)
            sqlite3_bind_int64(it->fetch, k + 1, it->ids[static_cast<size_t>(r * it->tables + k)]);
        const int rc = sqlite3_step(it->fetch);
        if (rc == SQLITE_ROW)
            onRow(it->fetch);
        else if (rc != SQLITE_DONE)
            *pOk = false;
        sqlite3_reset(it->fetch);
        if (!*pOk)
            break;
    }
    return true;
}
