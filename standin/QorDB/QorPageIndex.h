#pragma once
// Pages of a long ordered list served from kept row positions.
//
// The title list asks for its rows a window at a time with "<query> ORDER BY ... LIMIT n OFFSET
// m". SQLite answers an OFFSET by walking past m rows, so a page deep in a large folder costs
// as much as all the pages before it. The first page that reaches deep into a query runs the
// query once for the row ids alone (in its order) and keeps them; that page and every later
// page of the same query then reads just its n rows by id. The kept ids are dropped as soon as
// any connection changes the database, so a page never shows a row that is gone.
//
// Only plain queries are served this way: one SELECT (not DISTINCT, no GROUP BY) over a list of
// tables without joins or sub-selects in the FROM clause. Anything else runs as written.
#include "framework/Platform.h"
#include <functional>
#include <list>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class CYqConnect;

class QorPageIndex {
public:
    explicit QorPageIndex(CYqConnect& connect) : m_connect(connect) {}
    ~QorPageIndex();
    QorPageIndex(const QorPageIndex&) = delete;
    QorPageIndex& operator=(const QorPageIndex&) = delete;

    // Pages from this offset on are worth the kept ids (a shallower page is cheap as written).
    static const long long kDeepOffset = 2000;

    // Serves the statement when it is a page of a query this index serves: calls onColumns
    // once, then onRow with each row's statement (its columns those of the original select list), and returns true
    // with *pOk telling whether every row was read. False when the caller should run the
    // statement itself. The caller holds the connection's lock.
    bool Serve(const std::wstring& sql, const std::function<void(sqlite3_stmt*)>& onColumns,
               const std::function<void(sqlite3_stmt*)>& onRow, bool* pOk);
    void Clear();

private:
    struct Entry {
        std::wstring query;        // the statement without its LIMIT clause
        std::wstring fetchSql;     // the select list by row ids
        int tables = 0;            // row ids per row
        std::vector<long long> ids; // tables ids per row, in the query's order
        long long stamp1 = 0, stamp2 = 0;
        sqlite3_stmt* fetch = nullptr;
    };
    bool Stamp(long long* pVersion, long long* pChanges);
    bool Build(const std::wstring& query, Entry& entry);
    bool ServeIn(std::list<Entry>::iterator it, const std::wstring& query, long long count, long long offset,
                 const std::function<void(sqlite3_stmt*)>& onColumns,
                 const std::function<void(sqlite3_stmt*)>& onRow, bool* pOk);

    CYqConnect& m_connect;
    std::list<Entry> m_entries; // most recently used first
    sqlite3_stmt* m_version = nullptr; // PRAGMA data_version, kept prepared
};
