#include "platform/QorDB/CYqConnect.h"
#include "standin/QorDB/StatementLog.h"
#include "standin/QorDB/UnicodeLike.h"
#include <sqlite3.h>
#include <cwctype>

namespace {

CString ErrorOf(sqlite3* db)
{
    const void* p = db ? sqlite3_errmsg16(db) : nullptr;
    return p ? CString(static_cast<const wchar_t*>(p)) : CString(L"no database");
}

bool IsBlank(const wchar_t* p)
{
    for (; p && *p; ++p)
        if (!iswspace(*p) && *p != L';')
            return false;
    return true;
}

} // namespace

CYqConnect::CYqConnect() = default;

CYqConnect::~CYqConnect()
{
    Close();
}

bool CYqConnect::Open(LPCWSTR pszPath)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
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
    // sqlite3_open is lazy: read the schema now so a file that is no database fails here.
    sqlite3_busy_timeout(db, 5000);
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        m_lastError = ErrorOf(db);
        sqlite3_close(db);
        return false;
    }
    RegisterUnicodeLike(db);
    m_db = db;
    m_path = pszPath;
    m_lastError.Empty();
    return true;
}

bool CYqConnect::Close()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_db)
        return false;
    if (m_transDepth > 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr); // an unfinished batch is not kept
    m_transDepth = 0;
    m_rollbackOnly = false;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.Empty();
    return true;
}

bool CYqConnect::IsOpen() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_db != nullptr;
}

CString CYqConnect::GetPath() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_path;
}

bool CYqConnect::Execute(LPCWSTR pszSql)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!pszSql)
        return false;
    if (QorDBRecordStatement(pszSql)) {
        m_lastError = L"statement refused by test hook";
        return false;
    }
    if (!m_db) {
        m_lastError = L"no database";
        return false;
    }
    const wchar_t* sql = pszSql;
    while (!IsBlank(sql)) {
        sqlite3_stmt* stmt = nullptr;
        const void* tail = nullptr;
        if (sqlite3_prepare16_v2(m_db, sql, -1, &stmt, &tail) != SQLITE_OK) {
            m_lastError = ErrorOf(m_db);
            sqlite3_finalize(stmt);
            return false;
        }
        if (stmt) {
            int rc;
            while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            }
            sqlite3_finalize(stmt);
            if (rc != SQLITE_DONE) {
                m_lastError = ErrorOf(m_db);
                return false;
            }
        }
        if (!tail || tail == sql)
            break;
        sql = static_cast<const wchar_t*>(tail);
    }
    m_lastError.Empty();
    return true;
}

bool CYqConnect::BeginTrans()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_db)
        return false;
    if (m_transDepth == 0) {
        if (sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
            m_lastError = ErrorOf(m_db);
            return false;
        }
        m_rollbackOnly = false;
    }
    ++m_transDepth;
    return true;
}

bool CYqConnect::CommitTrans()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_db || m_transDepth == 0)
        return false;
    if (--m_transDepth > 0)
        return true;
    const char* end = m_rollbackOnly ? "ROLLBACK" : "COMMIT";
    bool ok = sqlite3_exec(m_db, end, nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok) {
        m_lastError = ErrorOf(m_db);
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    ok = ok && !m_rollbackOnly;
    m_rollbackOnly = false;
    return ok;
}

bool CYqConnect::RollbackTrans()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (!m_db || m_transDepth == 0)
        return false;
    if (--m_transDepth > 0) {
        // An inner rollback cannot undo part of the outer batch: the whole batch goes.
        m_rollbackOnly = true;
        return true;
    }
    m_rollbackOnly = false;
    return sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr) == SQLITE_OK;
}

int CYqConnect::GetTransDepth() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_transDepth;
}

CString CYqConnect::GetLastError() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_lastError;
}

void CYqConnect::SetLastError(const CString& text) const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    m_lastError = text;
}

int CYqConnect::GetChangedRows() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_db ? sqlite3_changes(m_db) : 0;
}
