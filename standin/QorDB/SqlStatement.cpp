#include "standin/QorDB/SqlStatement.h"
#include "standin/QorDB/StatementLog.h"
#include <sqlite3.h>

SqlStatement::SqlStatement(CYqConnect* pConnect, LPCWSTR pszSql) : m_connect(pConnect)
{
    if (pConnect)
        m_guard = std::unique_lock<std::recursive_mutex>(pConnect->GetLock());
    if (!pConnect || !pConnect->GetHandle() || !pszSql)
        return;
    if (QorDBRecordStatement(pszSql)) {
        pConnect->SetLastError(L"statement refused by test hook");
        return;
    }
    if (sqlite3_prepare16_v2(pConnect->GetHandle(), pszSql, -1, &m_stmt, nullptr) != SQLITE_OK) {
        pConnect->SetLastError(CString(static_cast<const wchar_t*>(sqlite3_errmsg16(pConnect->GetHandle()))));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqlStatement::Bind(int n, LPCWSTR pszText)
{
    if (m_stmt)
        sqlite3_bind_text16(m_stmt, n, pszText ? pszText : L"", -1, SQLITE_TRANSIENT);
}

void SqlStatement::Bind(int n, long long value)
{
    if (m_stmt)
        sqlite3_bind_int64(m_stmt, n, value);
}

bool SqlStatement::Step()
{
    if (!m_stmt || m_done)
        return false;
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        m_done = true;
    else
        m_connect->SetLastError(CString(static_cast<const wchar_t*>(sqlite3_errmsg16(m_connect->GetHandle()))));
    return false;
}

bool SqlStatement::Run()
{
    while (Step()) {
    }
    return m_done;
}

CString SqlStatement::Text(int col) const
{
    const void* p = m_stmt ? sqlite3_column_text16(m_stmt, col) : nullptr;
    return p ? CString(static_cast<const wchar_t*>(p)) : CString();
}

long long SqlStatement::Int(int col) const
{
    return m_stmt ? sqlite3_column_int64(m_stmt, col) : 0;
}
