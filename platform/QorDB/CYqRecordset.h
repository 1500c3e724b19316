#pragma once
// One query over a CYqConnect. Open runs the statement and keeps its rows; the caller then
// walks them (MoveFirst, IsEOF, MoveNext) and reads columns by zero-based position or by
// name as integer, double, text (stored as UTF-8, read as UTF-16) or raw bytes.
#include "framework/CString.h"
#include <string>
#include <vector>

class CYqConnect;

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
    // index or a NULL value.
    bool GetValue(int nIndex, int& nValue) const;
    bool GetValue(int nIndex, double& dValue) const;
    bool GetValue(int nIndex, CString& strValue) const;
    bool GetValue(LPCWSTR pszName, int& nValue) const;
    bool GetValue(LPCWSTR pszName, double& dValue) const;
    bool GetValue(LPCWSTR pszName, CString& strValue) const;
    bool IsNull(int nIndex) const;

    // The column's stored bytes, zero-terminated, owned by the recordset (valid until Close
    // or the next Open); "" for a bad index, NULL or past the end. Never null.
    const char* GetChunkAsciiChar(int nIndex) const;
    // Byte count of the same column.
    int GetChunkSize(int nIndex) const;

private:
    struct Cell {
        int type = 5; // SQLITE_NULL
        long long i = 0;
        double d = 0;
        std::string bytes;
    };
    const Cell* CellAt(int nIndex) const;

    bool m_open = false;
    std::vector<std::wstring> m_names;
    std::vector<std::vector<Cell>> m_rows;
    size_t m_pos = 0;
};
