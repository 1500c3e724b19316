#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorDB/CYqConnect.h"
#include "standin/QorDB/QorPageIndex.h"
#include "standin/QorDB/SqlText.h"
#include <sqlite3.h>
#include <cstdlib>

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

bool IsSqlSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A stored text read as a number, as SQLite reads it: blanks, a sign and the leading digits
// (the rest ignored), clamped at the ends of the 64-bit range; 0 when it starts otherwise.
// Worked out when asked for rather than for every cell of every row.
long long TextAsInteger(const std::string& text)
{
    const char* p = text.c_str();
    const char* end = p + text.size();
    while (p < end && IsSqlSpace(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    unsigned long long value = 0;
    const unsigned long long limit = negative ? 9223372036854775808ull : 9223372036854775807ull;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        const unsigned digit = static_cast<unsigned>(*p - '0');
        if (value > (limit - digit) / 10) {
            value = limit;
            for (; p < end && *p >= '0' && *p <= '9'; ++p) {
            }
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? static_cast<long long>(0 - value) : static_cast<long long>(value);
}

// The same for a real number: only decimal forms count (no hexadecimal, no "inf" or "nan").
double TextAsReal(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && IsSqlSpace(text[i]))
        ++i;
    size_t j = i;
    if (j < text.size() && (text[j] == '-' || text[j] == '+'))
        ++j;
    if (j >= text.size() || !((text[j] >= '0' && text[j] <= '9') || text[j] == '.'))
        return 0.0;
    if (text[j] == '0' && j + 1 < text.size() && (text[j + 1] == 'x' || text[j + 1] == 'X'))
        return 0.0;
    return std::strtod(text.c_str() + i, nullptr);
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
            // Only the bytes: read as a number later, if ever (see TextAsInteger).
            const void* p = cell.type == SQLITE_BLOB ? sqlite3_column_blob(stmt, col)
                                                     : static_cast<const void*>(sqlite3_column_text(stmt, col));
            const int n = sqlite3_column_bytes(stmt, col);
            if (p && n > 0)
                cell.bytes.assign(static_cast<const char*>(p), static_cast<size_t>(n));
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
    std::lock_guard<QorConnectionLock> guard(pConnect->GetLock());
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
    nValue = !c ? 0 : static_cast<int>(c->type == SQLITE_INTEGER || c->type == SQLITE_FLOAT ? c->i : TextAsInteger(c->bytes));
    return c != nullptr;
}

bool CYqRecordset::GetValue(int nIndex, double& dValue) const
{
    const Cell* c = CellAt(nIndex);
    dValue = !c ? 0.0 : c->type == SQLITE_INTEGER || c->type == SQLITE_FLOAT ? c->d : TextAsReal(c->bytes);
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
