#include "platform/QorDB/CYqConnect.h"
#include "standin/QorDB/QorPageIndex.h"
#include "standin/QorDB/SqlText.h"
#include "standin/QorDB/StatementLog.h"
#include "standin/QorDB/UnicodeLike.h"
#include <sqlite3.h>
#include <unordered_map>

namespace {

CString ErrorOf(sqlite3* db)
{
    const void* p = db ? sqlite3_errmsg16(db) : nullptr;
    return p ? CString(static_cast<const wchar_t*>(p)) : CString(L"no database");
}

// Prepared statements kept per statement text: the panes issue the same texts again and
// again (a count and its pages), and preparing is a good part of a small query's cost.
const size_t kCachedStatements = 64;

} // namespace

struct CYqConnect::StatementCache {
    struct Entry {
        sqlite3_stmt* stmt = nullptr;
        bool busy = false;
        unsigned long long lastUse = 0;
    };
    std::unordered_map<std::wstring, Entry> byText;
    std::unordered_map<sqlite3_stmt*, Entry*> byStmt;
    unsigned long long clock = 0;

    void Evict()
    {
        auto victim = byText.end();
        for (auto it = byText.begin(); it != byText.end(); ++it)
            if (!it->second.busy && (victim == byText.end() || it->second.lastUse < victim->second.lastUse))
                victim = it;
        if (victim == byText.end())
            return;
        byStmt.erase(victim->second.stmt);
        sqlite3_finalize(victim->second.stmt);
        byText.erase(victim);
    }
};

CYqConnect::CYqConnect() : m_statements(new StatementCache), m_pages(new QorPageIndex(*this)) {}

CYqConnect::~CYqConnect()
{
    Close();
}

bool CYqConnect::Open(LPCWSTR pszPath)
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    Close();
    if (!pszPath || !*pszPath) {
        m_lastError = L"no database file";
        return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open16(pszPath, &db) != SQLITE_OK) {
        m_lastError = ErrorOf(db);
        sqlite3_close(db);
        return false;
    }
    // Text is kept as UTF-8 in a new file (sqlite3_open16 would choose UTF-16, twice the size
    // for Latin text); an existing file keeps its own encoding.
    sqlite3_exec(db, "PRAGMA encoding = 'UTF-8'", nullptr, nullptr, nullptr);
    // sqlite3_open is lazy: read the schema now so a file that is no database fails here.
    sqlite3_busy_timeout(db, 5000);
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        m_lastError = ErrorOf(db);
        sqlite3_close(db);
        return false;
    }
    RegisterUnicodeLike(db);
    // A page cache of 64 MiB keeps the title list's indexes in memory once read, so that
    // paging deep into a large folder walks memory rather than the file.
    sqlite3_exec(db, "PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);
    m_db = db;
    m_path = pszPath;
    m_lastError.Empty();
    return true;
}

void CYqConnect::ClearStatementCache()
{
    for (auto& item : m_statements->byText)
        sqlite3_finalize(item.second.stmt);
    m_statements->byText.clear();
    m_statements->byStmt.clear();
}

bool CYqConnect::Close()
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    if (!m_db)
        return false;
    if (m_transDepth > 0)
        EndTrans("ROLLBACK"); // an unfinished batch is not kept, nor what waited for it
    ClearStatementCache();
    m_pages->Clear();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.Empty();
    return true;
}

bool CYqConnect::IsOpen() const
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    return m_db != nullptr;
}

CString CYqConnect::GetPath() const
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    return m_path;
}

sqlite3_stmt* CYqConnect::Prepare(LPCWSTR pszSql)
{
    bool more = false;
    sqlite3_stmt* stmt = Prepare(pszSql, &more);
    if (stmt && more) {
        Finish(stmt);
        Fail(L"more than one statement");
        return nullptr;
    }
    return stmt;
}

bool CYqConnect::Admit(LPCWSTR pszSql)
{
    if (!pszSql)
        return false;
    if (QorDBRecordStatement(pszSql)) {
        Fail(L"statement refused by test hook");
        return false;
    }
    return true;
}

sqlite3_stmt* CYqConnect::PrepareAdmitted(LPCWSTR pszSql)
{
    bool more = false;
    sqlite3_stmt* stmt = Prepare(pszSql, &more, true);
    if (stmt && more) {
        Finish(stmt);
        Fail(L"more than one statement");
        return nullptr;
    }
    return stmt;
}

sqlite3_stmt* CYqConnect::Prepare(LPCWSTR pszSql, bool* pbMore)
{
    return Prepare(pszSql, pbMore, false);
}

sqlite3_stmt* CYqConnect::Prepare(LPCWSTR pszSql, bool* pbMore, bool bAdmitted)
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    *pbMore = false;
    if (!pszSql || (!bAdmitted && !Admit(pszSql)))
        return nullptr;
    if (!m_db) {
        Fail(L"no database");
        return nullptr;
    }
    StatementCache& cache = *m_statements;
    auto found = cache.byText.find(pszSql);
    if (found != cache.byText.end() && !found->second.busy) {
        found->second.busy = true;
        found->second.lastUse = ++cache.clock;
        return found->second.stmt;
    }
    const std::wstring text = wcschr(pszSql, L'"') ? DoubleQuotesAsText(pszSql) : std::wstring(pszSql);
    sqlite3_stmt* stmt = nullptr;
    const void* tail = nullptr;
    if (sqlite3_prepare16_v2(m_db, text.c_str(), -1, &stmt, &tail) != SQLITE_OK || !stmt) {
        Fail(stmt || !IsBlankSql(text.c_str()) ? ErrorOf(m_db) : CString(L"empty statement"));
        sqlite3_finalize(stmt);
        return nullptr;
    }
    if (tail && !IsBlankSql(static_cast<const wchar_t*>(tail))) {
        *pbMore = true; // a batch: not kept, the caller runs the rest itself
        return stmt;
    }
    if (found == cache.byText.end()) {
        if (cache.byText.size() >= kCachedStatements)
            cache.Evict();
        StatementCache::Entry& entry = cache.byText[pszSql];
        entry.stmt = stmt;
        entry.busy = true;
        entry.lastUse = ++cache.clock;
        cache.byStmt[stmt] = &entry;
    }
    return stmt;
}

void CYqConnect::Finish(sqlite3_stmt* pStmt)
{
    if (!pStmt)
        return;
    std::lock_guard<QorConnectionLock> guard(m_lock);
    auto found = m_statements->byStmt.find(pStmt);
    if (found == m_statements->byStmt.end()) {
        sqlite3_finalize(pStmt);
        return;
    }
    // Reset at once: a statement left mid-walk would keep its read transaction open.
    sqlite3_reset(pStmt);
    sqlite3_clear_bindings(pStmt);
    found->second->busy = false;
}

void CYqConnect::Fail(const CString& text)
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    m_lastError = text;
    QorDBRecordFailure();
    // Only the owner runs statements while a transaction is open, so the failure is its.
    if (m_transDepth > 0 && m_transOwner == std::this_thread::get_id())
        m_rollbackOnly = true;
}

void CYqConnect::Succeed()
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    m_lastError.Empty();
}

bool CYqConnect::Execute(LPCWSTR pszSql)
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    bool more = false;
    sqlite3_stmt* stmt = Prepare(pszSql, &more);
    if (!stmt)
        return false;
    if (more) {
        // A batch of several statements: each is prepared and run in turn, none is kept.
        Finish(stmt);
        const std::wstring text = wcschr(pszSql, L'"') ? DoubleQuotesAsText(pszSql) : std::wstring(pszSql);
        const wchar_t* sql = text.c_str();
        while (!IsBlankSql(sql)) {
            sqlite3_stmt* one = nullptr;
            const void* next = nullptr;
            if (sqlite3_prepare16_v2(m_db, sql, -1, &one, &next) != SQLITE_OK) {
                Fail(ErrorOf(m_db));
                sqlite3_finalize(one);
                return false;
            }
            if (one) {
                int rc;
                while ((rc = sqlite3_step(one)) == SQLITE_ROW) {
                }
                sqlite3_finalize(one);
                if (rc != SQLITE_DONE) {
                    Fail(ErrorOf(m_db));
                    return false;
                }
            }
            if (!next || next == sql)
                break;
            sql = static_cast<const wchar_t*>(next);
        }
        Succeed();
        return true;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        Fail(ErrorOf(m_db));
    Finish(stmt);
    if (rc != SQLITE_DONE)
        return false;
    Succeed();
    return true;
}

bool CYqConnect::BeginTrans()
{
    // Taken here and, on success, kept until the transaction ends: other threads wait.
    m_lock.lock();
    if (!m_db) {
        m_lastError = L"no database";
        m_lock.unlock();
        return false;
    }
    if (m_transDepth > 0) {
        m_lastError = L"a transaction is already open on this thread";
        m_lock.unlock();
        return false;
    }
    if (sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        m_lastError = ErrorOf(m_db);
        QorDBRecordFailure();
        m_lock.unlock();
        return false;
    }
    m_transDepth = 1;
    m_transOwner = std::this_thread::get_id();
    m_rollbackOnly = false;
    return true;
}

std::vector<std::function<void()>> CYqConnect::EndTrans(const char* pszEnd)
{
    if (sqlite3_exec(m_db, pszEnd, nullptr, nullptr, nullptr) != SQLITE_OK) {
        m_lastError = ErrorOf(m_db);
        QorDBRecordFailure();
        if (sqlite3_get_autocommit(m_db) == 0)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    m_transDepth = 0;
    m_transOwner = std::thread::id();
    m_rollbackOnly = false;
    std::vector<std::function<void()>> after;
    after.swap(m_afterTrans);
    m_lock.unlock(); // the hold that BeginTrans took
    return after;
}

namespace {

void RunAll(const std::vector<std::function<void()>>& fns)
{
    for (const auto& fn : fns)
        fn();
}

} // namespace

bool CYqConnect::CommitTrans()
{
    bool ok = false;
    std::vector<std::function<void()>> after;
    {
        std::lock_guard<QorConnectionLock> guard(m_lock);
        if (!m_db || m_transDepth == 0) {
            m_lastError = L"no transaction open on this thread";
            return false;
        }
        if (Doomed()) {
            const CString failure = m_lastError;
            after = EndTrans("ROLLBACK");
            m_lastError = failure.IsEmpty() ? CString(L"a statement of the transaction failed") : failure;
        } else {
            m_lastError.Empty();
            after = EndTrans("COMMIT");
            ok = m_lastError.IsEmpty();
        }
    }
    RunAll(after);
    return ok;
}

bool CYqConnect::RollbackTrans()
{
    std::vector<std::function<void()>> after;
    {
        std::lock_guard<QorConnectionLock> guard(m_lock);
        if (!m_db || m_transDepth == 0)
            return false;
        after = EndTrans("ROLLBACK");
    }
    RunAll(after);
    return true;
}

void CYqConnect::AfterTrans(std::function<void()> fn)
{
    if (!fn)
        return;
    {
        std::lock_guard<QorConnectionLock> guard(m_lock);
        if (m_transDepth > 0 && m_transOwner == std::this_thread::get_id()) {
            m_afterTrans.push_back(std::move(fn));
            return;
        }
    }
    fn();
}

int CYqConnect::GetTransDepth() const
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    return m_transDepth > 0 && m_transOwner == std::this_thread::get_id() ? 1 : 0;
}

CString CYqConnect::GetLastError() const
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    return m_lastError;
}

int CYqConnect::GetChangedRows() const
{
    std::lock_guard<QorConnectionLock> guard(m_lock);
    return m_db ? sqlite3_changes(m_db) : 0;
}
