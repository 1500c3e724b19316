#include "standin/QorDB/SqlStatement.h"
#include <sqlite3.h>

SqlStatement::SqlStatement(CYqConnect* pConnect, LPCWSTR pszSql) : m_connect(pConnect)
{
    if (!pConnect)
        return;
    m_guard = std::unique_lock<QorConnectionLock>(pConnect->GetLock());
    m_stmt = pConnect->Prepare(pszSql);
}

SqlStatement::~SqlStatement()
{
    if (m_connect)
        m_connect->Finish(m_stmt);
}

void SqlStatement::Bind(int n, LPCWSTR pszText)
{
    if (m_stmt)
        sqlite3_bind_text16(m_stmt, n, pszText ? pszText : L"", -1, SQLITE_TRANSIENT);
}

void SqlStatement::Bind(int n, const CString& text)
{
    if (m_stmt)
        sqlite3_bind_text16(m_stmt, n, text.GetString(), text.GetLength() * 2, SQLITE_TRANSIENT);
}

void SqlStatement::BindBytes(int n, const void* pData, int nBytes)
{
    if (m_stmt)
        sqlite3_bind_blob(m_stmt, n, pData ? pData : "", nBytes > 0 ? nBytes : 0, SQLITE_TRANSIENT);
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
        m_connect->Fail(CString(static_cast<const wchar_t*>(sqlite3_errmsg16(m_connect->GetHandle()))));
    return false;
}

bool SqlStatement::Run()
{
    while (Step()) {
    }
    if (m_done)
        m_connect->Succeed();
    return m_done;
}

CString SqlStatement::Text(int col) const
{
    // From the stored bytes with their count: a zero byte inside a body does not cut it.
    // A body stored as bytes holds UTF-8 already; text is asked for in UTF-8.
    const bool bytes = m_stmt && sqlite3_column_type(m_stmt, col) == SQLITE_BLOB;
    const char* p = !m_stmt ? nullptr
                    : bytes ? static_cast<const char*>(sqlite3_column_blob(m_stmt, col))
                            : static_cast<const char*>(static_cast<const void*>(sqlite3_column_text(m_stmt, col)));
    const int n = m_stmt ? sqlite3_column_bytes(m_stmt, col) : 0;
    if (!p || n <= 0)
        return CString();
    const int wide = ::MultiByteToWideChar(CP_UTF8, 0, p, n, nullptr, 0);
    CString r;
    if (wide > 0) {
        ::MultiByteToWideChar(CP_UTF8, 0, p, n, r.GetBuffer(wide), wide);
        r.ReleaseBuffer(wide);
    }
    return r;
}

long long SqlStatement::Int(int col) const
{
    return m_stmt ? sqlite3_column_int64(m_stmt, col) : 0;
}
