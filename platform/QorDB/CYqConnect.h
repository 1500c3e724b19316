#pragma once
// The database library's connection to one SQLite file. Statements are literal SQL text
// (wide). In this library's statements double quotes delimit text, never names: a value put
// between double quotes is read as a string literal even when it equals a column name.
//
// One connection is shared by the user-interface thread and workers. Every statement runs
// whole under the connection's lock, and a transaction belongs to the thread that began it:
// from BeginTrans to its CommitTrans or RollbackTrans the other threads' statements wait.
// Threads get the lock in the order they asked for it, so a thread that waits for a transaction
// to end runs before the owner's next one.
// Transactions do not nest: BeginTrans while the calling thread has one open returns false
// and leaves the open one as it is. A statement that fails inside a transaction dooms it:
// CommitTrans then rolls the whole transaction back and returns false. A write that must stand
// on its own whatever becomes of the transaction the thread is inside (a download that ends while
// the window pumps messages between a deletion's statements) waits for it with AfterTrans.
#include "framework/CString.h"
#include "platform/QorDB/QorConnectionLock.h"
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class QorPageIndex;

class CYqConnect {
public:
    CYqConnect();
    virtual ~CYqConnect();
    CYqConnect(const CYqConnect&) = delete;
    CYqConnect& operator=(const CYqConnect&) = delete;

    // Opens (creating when missing) the database file; a connection already open is closed
    // first (an open transaction is rolled back). False when the file cannot be opened as a
    // database.
    bool Open(LPCWSTR pszPath);
    bool Close();
    bool IsOpen() const;
    CString GetPath() const;

    // Runs one or more statements that return no rows; false at the first that fails.
    bool Execute(LPCWSTR pszSql);
    // False when no database is open, or when the calling thread already has a transaction
    // open (GetLastError says so; the open transaction carries on).
    bool BeginTrans();
    // False when the calling thread has no transaction, when a statement inside it failed
    // (everything since BeginTrans is rolled back) or when the commit itself failed.
    bool CommitTrans();
    bool RollbackTrans();
    // 1 while the calling thread has a transaction open, else 0.
    int GetTransDepth() const;
    // Runs fn now, or, while the calling thread has a transaction open, on that thread right
    // after the transaction has ended, committed or rolled back: a write of its own is then
    // neither lost with someone else's rollback nor the cause of someone else's half-way
    // commit. Dropped when the connection closes first.
    void AfterTrans(std::function<void()> fn);

    // Text of the last failure on this connection ("" after a success).
    CString GetLastError() const;
    // Rows changed by the last statement that changed rows.
    int GetChangedRows() const;

    // For the library's own recordsets and helpers. The lock is held for a whole statement
    // (and for a whole transaction by its thread), so Close never pulls the handle from under
    // a running statement. Prepare hands out a prepared statement for the text (reused from
    // the connection's cache when it was prepared before) or null with the error recorded;
    // every statement from Prepare goes back through Finish. Fail records a failure (and dooms
    // the calling thread's open transaction).
    sqlite3* GetHandle() const { return m_db; }
    QorConnectionLock& GetLock() const { return m_lock; }
    sqlite3_stmt* Prepare(LPCWSTR pszSql);
    void Finish(sqlite3_stmt* pStmt);
    void Fail(const CString& text);
    // As Prepare, for a text that may hold several statements: the first is handed out and
    // *pbMore says whether others follow (such a statement is not kept for reuse).
    sqlite3_stmt* Prepare(LPCWSTR pszSql, bool* pbMore);
    // Records the statement for the tests and applies their refusals; false (failure recorded)
    // when it must not run. Prepare does this itself; PrepareAdmitted is Prepare for a
    // statement already admitted.
    bool Admit(LPCWSTR pszSql);
    sqlite3_stmt* PrepareAdmitted(LPCWSTR pszSql);
    // The kept row positions that deep pages of long queries are served from.
    QorPageIndex* GetPageIndex() { return m_pages.get(); }
    void Succeed();

private:
    sqlite3_stmt* Prepare(LPCWSTR pszSql, bool* pbMore, bool bAdmitted);
    bool Doomed() const { return m_transDepth > 0 && m_rollbackOnly; }
    // Ends the calling thread's transaction; answers what was to run after it.
    std::vector<std::function<void()>> EndTrans(const char* pszEnd);
    void ClearStatementCache();

    sqlite3* m_db = nullptr;
    CString m_path;
    int m_transDepth = 0;
    std::thread::id m_transOwner;
    bool m_rollbackOnly = false;
    std::vector<std::function<void()>> m_afterTrans; // of the open transaction's thread
    mutable CString m_lastError;
    mutable QorConnectionLock m_lock;
    struct StatementCache;
    std::unique_ptr<StatementCache> m_statements;
    std::unique_ptr<QorPageIndex> m_pages;
};
