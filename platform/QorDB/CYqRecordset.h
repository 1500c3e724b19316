#pragma once
// One query over a CYqConnect. Open runs the statement and keeps its rows; the caller then
// walks them (MoveFirst, IsEOF, MoveNext) and reads columns by zero-based position or by
// name as integer, double, text (stored as UTF-8, read as UTF-16) or raw bytes.
#include "framework/CString.h"
#include <string>
#include <vector>

class CYqConnect;
struct sqlite3_stmt;

class CYqRecordset {
public:
    CYqRecordset();
    virtual ~CYqRecordset();
    CYqRecordset(const CYqRecordset&) = delete;
    CYqRecordset& operator=(const CYqRecordset&) = delete;

    // Runs the statement; false (and no rows) when the connection is not open or the
    // statement cannot run. A statement that changes data runs as well and yields no rows.
    bool Open(LPCWSTR pszSql, CYqConnect* pConnect);
    bool Close();
    bool IsOpen() const { return m_open; }

    bool MoveFirst();
    bool MoveNext();
    bool IsEOF() const;
    int GetRecordCount() const;
    int GetFieldCount() const;
    CString GetFieldName(int nIndex) const;
    // Position of a column by name (without letter case); -1 when absent.
    int GetFieldIndex(LPCWSTR pszName) const;

    // The column of the current row; false (value set to 0 or "") past the end, for a bad
    // index or a NULL value: a reader never keeps a stale value, and a count(*) read from a
    // missing row is 0.
    bool GetValue(int nIndex, int& nValue) const;
    bool GetValue(int nIndex, double& dValue) const;
    bool GetValue(int nIndex, CString& strValue) const;
    bool GetValue(LPCWSTR pszName, int& nValue) const;
    bool GetValue(LPCWSTR pszName, double& dValue) const;
    bool GetValue(LPCWSTR pszName, CString& strValue) const;
    bool IsNull(int nIndex) const;

    // The column's stored bytes with a zero after them, owned by the recordset: valid until
    // Close or the next Open (so at least until the next move); "" for a bad index, NULL or
    // past the end; never null. A body may hold a zero byte of its own: the byte count
    // (nSize, or GetChunkSize) tells where it really ends.
    const char* GetChunkAsciiChar(int nIndex) const;
    const char* GetChunkAsciiChar(int nIndex, int& nSize) const;
    int GetChunkSize(int nIndex) const;

private:
    struct Cell {
        int type = 5; // SQLITE_NULL
        long long i = 0;
        double d = 0;
        std::string bytes;
    };
    const Cell* CellAt(int nIndex) const;
    void TakeColumns(sqlite3_stmt* stmt);
    void TakeRow(sqlite3_stmt* stmt);

    bool m_open = false;
    std::vector<std::wstring> m_names;
    std::vector<std::vector<Cell>> m_rows;
    size_t m_pos = 0;
};
