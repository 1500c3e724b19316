#pragma once
// One prepared SQLite statement with bound parameters, handed back to the connection at
// scope end (which keeps it for reuse). The library's
// named operations use it so that no value is ever pasted into SQL text.
#include "platform/QorDB/CYqConnect.h"
#include <mutex>
#include <string>

struct sqlite3_stmt;

class SqlStatement {
public:
    SqlStatement(CYqConnect* pConnect, LPCWSTR pszSql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool IsValid() const { return m_stmt != nullptr; }
    // Parameters count from 1.
    void Bind(int n, LPCWSTR pszText);
    void Bind(int n, const CString& text); // keeps zero characters inside the text
    void BindBytes(int n, const void* pData, int nBytes);
    void Bind(int n, long long value);
    // Next row: true while there is one. Done(): the statement ran to its end without error.
    bool Step();
    bool Done() const { return m_done; }
    // Runs a statement without rows; false on error.
    bool Run();
    // Prepares a statement without rows, binds the values to ?1, ?2, ... in their order and
    // runs it; false on error.
    template <class... Values>
    static bool Execute(CYqConnect* pConnect, LPCWSTR pszSql, const Values&... values)
    {
        SqlStatement st(pConnect, pszSql);
        int n = 0;
        (st.Bind(++n, values), ...);
        return st.Run();
    }

    CString Text(int col) const;
    long long Int(int col) const;

private:
    CYqConnect* m_connect;
    std::unique_lock<QorConnectionLock> m_guard; // the connection stays open while we run
    sqlite3_stmt* m_stmt = nullptr;
    bool m_done = false;
};
