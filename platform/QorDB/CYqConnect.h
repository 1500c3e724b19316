#pragma once
// The database library's connection to one SQLite file. Statements are literal SQL text
// (wide); the connection is shared by the user-interface thread and workers, SQLite
// serialising the calls. Transactions nest: only the outermost Begin/Commit pair reaches
// the database, and a RollbackTrans at any depth abandons the whole transaction.
#include "framework/CString.h"
#include <mutex>

struct sqlite3;

class CYqConnect {
public:
    CYqConnect();
    virtual ~CYqConnect();
    CYqConnect(const CYqConnect&) = delete;
    CYqConnect& operator=(const CYqConnect&) = delete;

    // Opens (creating when missing) the database file; a connection already open is closed
    // first. False when the file cannot be opened as a database.
    bool Open(LPCWSTR pszPath);
    bool Close();
    bool IsOpen() const;
    CString GetPath() const;

    // Runs one or more statements that return no rows; false at the first that fails.
    bool Execute(LPCWSTR pszSql);
    bool BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();
    int GetTransDepth() const;

    // Text of the last failure on this connection ("" after a success).
    CString GetLastError() const;
    // Rows changed by the last statement that changed rows.
    int GetChangedRows() const;

    // For the library's own recordsets and helpers: the handle, the lock they hold while a
    // statement runs (so Close never pulls the handle from under them) and the error text.
    sqlite3* GetHandle() const { return m_db; }
    std::recursive_mutex& GetLock() const { return m_lock; }
    void SetLastError(const CString& text) const;

private:
    sqlite3* m_db = nullptr;
    CString m_path;
    int m_transDepth = 0;
    bool m_rollbackOnly = false;
    mutable CString m_lastError;
    mutable std::recursive_mutex m_lock;
};
