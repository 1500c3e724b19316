#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorDB/CYqConnect.h"
#include "standin/QorDB/QorPageIndex.h"
#include "standin/QorDB/SqlText.h"
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

void CYqRecordset::TakeColumns(sqlite3_stmt* stmt)
{
    const int cols = sqlite3_column_count(stmt);
    m_names.clear();
    m_names.reserve(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
        const void* name = sqlite3_column_name16(stmt, c);
        m_names.push_back(name ? static_cast<const wchar_t*>(name) : L"");
    }
}

void CYqRecordset::TakeRow(sqlite3_stmt* stmt)
{
    const size_t cols = m_names.size();
    m_rows.emplace_back(cols);
    std::vector<Cell>& row = m_rows.back();
    for (size_t c = 0; c < cols; ++c) {
        const int col = static_cast<int>(c);
        Cell& cell = row[c];
        cell.type = sqlite3_column_type(stmt, col);
        switch (cell.type) {
        case SQLITE_NULL:
            break;
        case SQLITE_INTEGER:
            cell.i = sqlite3_column_int64(stmt, col);
            cell.d = static_cast<double>(cell.i);
            break;
        case SQLITE_FLOAT:
            cell.d = sqlite3_column_double(stmt, col);
            cell.i = static_cast<long long>(cell.d);
            break;
        default: {
            // Bytes first: asking for numbers afterwards does not change them.
            const void* p = cell.type == SQLITE_BLOB ? sqlite3_column_blob(stmt, col)
                                                     : static_cast<const void*>(sqlite3_column_text(stmt, col));
            const int n = sqlite3_column_bytes(stmt, col);
            if (p && n > 0)
                cell.bytes.assign(static_cast<const char*>(p), static_cast<size_t>(n));
            cell.i = sqlite3_column_int64(stmt, col);
            cell.d = sqlite3_column_double(stmt, col);
            break;
        }
        }
    }
}

bool CYqRecordset::Open(LPCWSTR pszSql, CYqConnect* pConnect)
{
    Close();
    if (!pszSql || !pConnect)
        return false;
    // The rows are read whole under the connection's lock: the recordset never reaches the
    // connection again, so its life cannot overlap another thread's statement or transaction.
    std::lock_guard<std::recursive_mutex> guard(pConnect->GetLock());
    if (!pConnect->Admit(pszSql))
        return false;
    // A deep page of a long list comes from the connection's kept row positions.
    if (QorPageIndex* pPages = pConnect->GetPageIndex()) {
        bool ok = false;
        const std::wstring text = wcschr(pszSql, L'"') ? DoubleQuotesAsText(pszSql) : std::wstring(pszSql);
        if (pPages->Serve(text, [this](sqlite3_stmt* st) { TakeColumns(st); },
                          [this](sqlite3_stmt* st) { TakeRow(st); }, &ok)) {
            if (!ok) {
                pConnect->Fail(CString(static_cast<const wchar_t*>(sqlite3_errmsg16(pConnect->GetHandle()))));
                Close();
                return false;
            }
            pConnect->Succeed();
            m_open = true;
            m_pos = 0;
            return true;
        }
    }
    sqlite3_stmt* stmt = pConnect->PrepareAdmitted(pszSql);
    if (!stmt)
        return false;
    TakeColumns(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        TakeRow(stmt);
    if (rc != SQLITE_DONE) {
        pConnect->Fail(CString(static_cast<const wchar_t*>(sqlite3_errmsg16(pConnect->GetHandle()))));
        pConnect->Finish(stmt);
        Close();
        return false;
    }
    pConnect->Finish(stmt);
    pConnect->Succeed();
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

const char* CYqRecordset::GetChunkAsciiChar(int nIndex, int& nSize) const
{
    const Cell* c = CellAt(nIndex);
    nSize = c ? static_cast<int>(c->bytes.size()) : 0;
    return c ? c->bytes.c_str() : "";
}

int CYqRecordset::GetChunkSize(int nIndex) const
{
    const Cell* c = CellAt(nIndex);
    return c ? static_cast<int>(c->bytes.size()) : 0;
}
