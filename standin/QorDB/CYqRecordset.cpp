#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorDB/CYqConnect.h"
#include "standin/QorDB/StatementLog.h"
#include <sqlite3.h>

namespace {

CString FromUtf8(const std::string& s)
{
    if (s.empty())
        return CString();
    int n = ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    CString r;
    if (n > 0) {
        wchar_t* p = r.GetBuffer(n);
        ::MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), p, n);
        r.ReleaseBuffer(n);
    }
    return r;
}

} // namespace

CYqRecordset::CYqRecordset() = default;

CYqRecordset::~CYqRecordset()
{
    Close();
}

bool CYqRecordset::Open(LPCWSTR pszSql, CYqConnect* pConnect)
{
    Close();
    if (!pszSql || !pConnect)
        return false;
    if (QorDBRecordStatement(pszSql)) {
        pConnect->SetLastError(L"statement refused by test hook");
        return false;
    }
    std::lock_guard<std::recursive_mutex> guard(pConnect->GetLock());
    sqlite3* db = pConnect->GetHandle();
    if (!db)
        return false;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v2(db, pszSql, -1, &stmt, nullptr) != SQLITE_OK || !stmt) {
        pConnect->SetLastError(CString(static_cast<const wchar_t*>(sqlite3_errmsg16(db))));
        sqlite3_finalize(stmt);
        return false;
    }
    int cols = sqlite3_column_count(stmt);
    for (int c = 0; c < cols; ++c) {
        const void* name = sqlite3_column_name16(stmt, c);
        m_names.push_back(name ? static_cast<const wchar_t*>(name) : L"");
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<Cell> row(static_cast<size_t>(cols));
        for (int c = 0; c < cols; ++c) {
            Cell& cell = row[static_cast<size_t>(c)];
            cell.type = sqlite3_column_type(stmt, c);
            if (cell.type == SQLITE_NULL)
                continue;
            // Bytes first: asking for numbers afterwards does not change them.
            const void* p = cell.type == SQLITE_BLOB ? sqlite3_column_blob(stmt, c)
                                                     : static_cast<const void*>(sqlite3_column_text(stmt, c));
            int n = sqlite3_column_bytes(stmt, c);
            if (p && n > 0)
                cell.bytes.assign(static_cast<const char*>(p), static_cast<size_t>(n));
            cell.i = sqlite3_column_int64(stmt, c);
            cell.d = sqlite3_column_double(stmt, c);
        }
        m_rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        pConnect->SetLastError(CString(static_cast<const wchar_t*>(sqlite3_errmsg16(db))));
        Close();
        return false;
    }
    pConnect->SetLastError(CString());
    m_open = true;
    m_pos = 0;
    return true;
}

bool CYqRecordset::Close()
{
    bool was = m_open;
    m_open = false;
    m_names.clear();
    m_rows.clear();
    m_pos = 0;
    return was;
}

bool CYqRecordset::MoveFirst()
{
    m_pos = 0;
    return m_open && !m_rows.empty();
}

bool CYqRecordset::MoveNext()
{
    if (m_pos < m_rows.size())
        ++m_pos;
    return m_pos < m_rows.size();
}

bool CYqRecordset::IsEOF() const
{
    return !m_open || m_pos >= m_rows.size();
}

int CYqRecordset::GetRecordCount() const
{
    return static_cast<int>(m_rows.size());
}

int CYqRecordset::GetFieldCount() const
{
    return static_cast<int>(m_names.size());
}

CString CYqRecordset::GetFieldName(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetFieldCount())
        return CString();
    return CString(m_names[static_cast<size_t>(nIndex)].c_str());
}

int CYqRecordset::GetFieldIndex(LPCWSTR pszName) const
{
    if (!pszName)
        return -1;
    for (size_t i = 0; i < m_names.size(); ++i)
        if (_wcsicmp(m_names[i].c_str(), pszName) == 0)
            return static_cast<int>(i);
    return -1;
}

const CYqRecordset::Cell* CYqRecordset::CellAt(int nIndex) const
{
    if (IsEOF() || nIndex < 0 || nIndex >= GetFieldCount())
        return nullptr;
    const Cell& cell = m_rows[m_pos][static_cast<size_t>(nIndex)];
    return cell.type == SQLITE_NULL ? nullptr : &cell;
}

bool CYqRecordset::GetValue(int nIndex, int& nValue) const
{
    const Cell* c = CellAt(nIndex);
    nValue = c ? static_cast<int>(c->i) : 0;
    return c != nullptr;
}

bool CYqRecordset::GetValue(int nIndex, double& dValue) const
{
    const Cell* c = CellAt(nIndex);
    dValue = c ? c->d : 0.0;
    return c != nullptr;
}

bool CYqRecordset::GetValue(int nIndex, CString& strValue) const
{
    const Cell* c = CellAt(nIndex);
    strValue = c ? FromUtf8(c->bytes) : CString();
    return c != nullptr;
}

bool CYqRecordset::GetValue(LPCWSTR pszName, int& nValue) const
{
    return GetValue(GetFieldIndex(pszName), nValue);
}

bool CYqRecordset::GetValue(LPCWSTR pszName, double& dValue) const
{
    return GetValue(GetFieldIndex(pszName), dValue);
}

bool CYqRecordset::GetValue(LPCWSTR pszName, CString& strValue) const
{
    return GetValue(GetFieldIndex(pszName), strValue);
}

bool CYqRecordset::IsNull(int nIndex) const
{
    return CellAt(nIndex) == nullptr;
}

const char* CYqRecordset::GetChunkAsciiChar(int nIndex) const
{
    const Cell* c = CellAt(nIndex);
    return c ? c->bytes.c_str() : "";
}

int CYqRecordset::GetChunkSize(int nIndex) const
{
    const Cell* c = CellAt(nIndex);
    return c ? static_cast<int>(c->bytes.size()) : 0;
}
