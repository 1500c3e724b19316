// The message centre's statements at scale: a generated message database, each statement run
// through the database library as the panes call it and, as the floor, the same SQL text
// through SQLite's C API directly (its own connection to the same file, the same page cache).
#include "bench/Bench.h"
#include "bench/BenchMsgDb.h"
#include "bench/MsgDbGenerator.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// Column kinds of a select list: 's' text, 'i' integer, 'b' body bytes.
struct Query {
    std::string name;
    CString sql;
    std::string columns;
    double maxMs = 0; // a title-list page: also an absolute target
};

// Reads every row the way the panes do: Open, MoveFirst, GetValue by position, MoveNext.
int ThroughLibrary(CYqConnect* pConnect, const Query& q)
{
    CYqRecordset rs;
    if (!rs.Open(q.sql, pConnect))
        return -1;
    int rows = 0;
    CString text;
    int number = 0;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        for (size_t c = 0; c < q.columns.size(); ++c) {
            if (q.columns[c] == 'i') {
                rs.GetValue(static_cast<int>(c), number);
            } else if (q.columns[c] == 'b') {
                int size = 0;
                rs.GetChunkAsciiChar(static_cast<int>(c), size);
            } else {
                rs.GetValue(static_cast<int>(c), text);
            }
        }
        ++rows;
    }
    rs.Close();
    return rows;
}

int Raw(sqlite3* db, const Query& q)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v2(db, q.sql.GetString(), -1, &stmt, nullptr) != SQLITE_OK)
        return -1;
    int rows = 0;
    CString text;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (size_t c = 0; c < q.columns.size(); ++c) {
            const int col = static_cast<int>(c);
            if (q.columns[c] == 'i') {
                volatile int n = sqlite3_column_int(stmt, col);
                (void)n;
            } else if (q.columns[c] == 'b') {
                volatile const void* p = sqlite3_column_blob(stmt, col);
                volatile int n = sqlite3_column_bytes(stmt, col);
                (void)p;
                (void)n;
            } else {
                const void* p = sqlite3_column_text16(stmt, col);
                text = p ? static_cast<const wchar_t*>(p) : L"";
            }
        }
        ++rows;
    }
    sqlite3_finalize(stmt);
    return rows;
}

int Count(CYqConnect* pConnect, LPCWSTR pszSql)
{
    CYqRecordset rs;
    int n = 0;
    if (rs.Open(pszSql, pConnect))
        rs.GetValue(0, n);
    return n;
}

const wchar_t kTitleColumns[] = L"SELECT Col_ID, Col_AttachCount, Col_ReadState, Col_SenderName, Col_Subject, Col_SendDate,"
                                L" Col_RecvName, Col_MSGFlag FROM qor_Msg";

CString Page(LPCWSTR pszBase, LPCWSTR pszOrder, int offset, int count = 50)
{
    CString s;
    s.Format(L"%s%s LIMIT %d OFFSET %d", pszBase, pszOrder, count, offset);
    return s;
}

} // namespace

KORVEL_BENCH(MsgDb)
{
    double buildMs = -1;
    const std::wstring path = BenchMsgDbPath(options, table, &buildMs);
    if (path.empty())
        return;
    char line[256];
    WIN32_FILE_ATTRIBUTE_DATA fad = {};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &fad);
    const double fileMb = (static_cast<double>(fad.nFileSizeHigh) * 4294967296.0 + fad.nFileSizeLow) / 1048576.0;
    table.Section("Message database, " + std::to_string(options.messages) + " messages");
    std::snprintf(line, sizeof line, "database built through the library's write path in %.1f s; file %.0f MB",
                  buildMs / 1000.0, fileMb);
    table.Note(line);

    CQorMsgDBMgr mgr;
    sqlite3* raw = nullptr;
    if (!mgr.OpenConnect(path.c_str()) || !mgr.InitDBTable() || sqlite3_open16(path.c_str(), &raw) != SQLITE_OK) {
        table.Note("MsgDb: cannot open the database");
        sqlite3_close(raw);
        return;
    }
    CYqConnect* db = mgr.GetConnect();
    // The floor's connection keeps as many pages in memory as the library's does, so that the
    // ratio shows what the library adds, not a different cache size.
    sqlite3_exec(raw, "PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);

    const int received = Count(db, L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 1");
    const int deepest = std::max(0, std::min(600000, received - 50));
    const int middle = std::min(100000, deepest / 6);
    CString folderBase = CString(kTitleColumns) + L" WHERE Col_MsgFolder = 1";
    const wchar_t kByDate[] = L" ORDER BY qor_msg.Col_SendDate DESC";

    std::vector<Query> queries;
    const double page = 16.0;
    queries.push_back({ "folder count", L"SELECT count(*) FROM qor_Msg WHERE Col_MsgFolder = 1", "i" });
    queries.push_back({ "folder first page", Page(folderBase, kByDate, 0), "siiissss", page });
    queries.push_back({ "folder next page", Page(folderBase, kByDate, 50), "siiissss", page });
    queries.push_back({ "folder page at " + std::to_string(middle), Page(folderBase, kByDate, middle), "siiissss", page });
    queries.push_back({ "folder page at " + std::to_string(deepest), Page(folderBase, kByDate, deepest), "siiissss", page });
    static const wchar_t* const kSortColumns[] = { L"Col_ReadState", L"Col_AttachCount", L"Col_SenderName",
                                                   L"Col_Subject", L"Col_SendDate", L"Col_RecvName" };
    for (int c = 0; c < 6; ++c) {
        for (int desc = 0; desc < 2; ++desc) {
            CString order;
            order.Format(L" ORDER BY qor_msg.%s%s", kSortColumns[c], desc ? L" DESC" : L"");
            queries.push_back({ "sort " + BenchNarrow(kSortColumns[c]) + (desc ? " desc" : " asc") + " first page",
                                Page(folderBase, order, 0), "siiissss", page });
        }
    }
    CString readBase = CString(kTitleColumns) + L" WHERE Col_MSGFolder = 2 AND ( Col_ReadState = 0 OR Col_ReadState = 4 )";
    queries.push_back({ "read-state count",
                        L"SELECT count(*) FROM qor_Msg WHERE Col_MSGFolder = 2 AND ( Col_ReadState = 0 OR Col_ReadState = 4 )",
                        "i" });
    queries.push_back({ "read-state first page", Page(readBase, kByDate, 0), "siiissss", page });

    // Talk history with a person of middle frequency and with the most frequent one.
    for (int person : { 40, 0 }) {
        const CString p = MsgDbGenLogin(person), u = MsgDbGenOptions().selfLogin;
        CString count, base;
        count.Format(L"SELECT count(*) FROM qor_Msg WHERE ( qor_Msg.Col_Sender = '%s' AND qor_Msg.Col_MSGFolder = 1 ) OR"
                     L" ( qor_Msg.Col_Sender = '%s' AND qor_Msg.Col_MSGFolder = 2 AND qor_Msg.Col_RecvLogin = '%s' )",
                     (LPCWSTR)p, (LPCWSTR)u, (LPCWSTR)p);
        base.Format(L"SELECT qor_Msg.Col_ID, qor_Msg.Col_AttachCount, qor_Msg.Col_ReadState, qor_Msg.Col_SenderName,"
                    L" qor_Msg.Col_Subject, qor_Msg.Col_SendDate, qor_Msg.Col_RecvName, qor_Msg.Col_MSGFlag FROM qor_Msg"
                    L" WHERE ( qor_Msg.Col_Sender = '%s' AND qor_Msg.Col_MSGFolder = 1 ) OR ( qor_Msg.Col_Sender = '%s'"
                    L" AND qor_Msg.Col_MSGFolder = 2 AND qor_Msg.Col_RecvLogin = '%s' ) ",
                    (LPCWSTR)p, (LPCWSTR)u, (LPCWSTR)p);
        const std::string who = person ? "person 40" : "top person";
        queries.push_back({ "talk history count, " + who, count, "i" });
        queries.push_back({ "talk history first page, " + who, Page(base, kByDate, 0), "siiissss", page });
    }

    // Search: a common word, a rare word and one with a quote (doubled as the pane does).
    for (const wchar_t* word : { kMsgDbCommonWord, kMsgDbRareWord, L"O''Brien" }) {
        CString count, base;
        count.Format(L"SELECT count(*) FROM qor_Msg, qor_Msg_Content WHERE qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID"
                     L" AND qor_Msg_Content.Col_Content_Text LIKE '%%%s%%'", word);
        CString upper(word);
        upper.MakeUpper();
        base.Format(L"SELECT qor_Msg.Col_ID, qor_Msg.Col_AttachCount, qor_Msg.Col_ReadState, qor_Msg.Col_SenderName,"
                    L" qor_Msg.Col_Subject, qor_Msg.Col_SendDate, qor_Msg.Col_RecvName, qor_msg.Col_MSGFlag FROM qor_Msg,"
                    L" qor_Msg_Content WHERE qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID AND"
                    L" qor_Msg_Content.Col_Content_Text LIKE '%%%s%%'", (LPCWSTR)upper);
        queries.push_back({ "search count '" + BenchNarrow(word) + "'", count, "i" });
        queries.push_back({ "search first page '" + BenchNarrow(word) + "'", Page(base, kByDate, 0), "siiissss" });
    }

    // One message: its body, receipts and attachments (a sent message with attachments).
    CString sample;
    {
        CYqRecordset rs;
        if (rs.Open(L"SELECT Col_ID FROM qor_Msg WHERE Col_MsgFolder = 2 AND Col_AttachCount > 0 LIMIT 1", db))
            rs.GetValue(0, sample);
    }
    CString sql;
    sql.Format(L"SELECT Col_ContentType, Col_ContentSize, Col_Content FROM qor_Msg_Content \t\t\t\t\t\tWHERE Col_MSGID = '%s'",
               (LPCWSTR)sample);
    queries.push_back({ "open a message's body", sql, "sib" });
    sql.Format(L"SELECT Col_RecvName, Col_OpenDate FROM qor_Msg_Recv WHERE Col_MSGID = '%s'", (LPCWSTR)sample);
    queries.push_back({ "receipts of a message", sql, "ss" });
    sql.Format(L"SELECT Col_FileName, Col_LocalPath FROM qor_Msg_Attach WHERE Col_MSGID = '%s'", (LPCWSTR)sample);
    queries.push_back({ "attachments of a message", sql, "ss" });
    queries.push_back({ "user folder (all rows)",
                        L"SELECT DISTINCT Col_ID, Col_AttachCount, Col_ReadState, Col_NeedConfirm, Col_SenderName,"
                        L" Col_Subject, Col_SendDate, Col_RecvName FROM qor_Msg WHERE Col_Type = 3 AND"
                        L" Col_FolderName = 'Folder 03' ORDER BY Col_SendDate DESC",
                        "siiissss" });
    queries.push_back({ "user-folder names", L"SELECT DISTINCT Col_FolderName FROM qor_Msg WHERE Col_Type = 3", "s" });
    queries.push_back({ "unread count",
                        L"SELECT count(*) FROM qor_Msg_UnRead WHERE Col_RecvLogin = '' AND Col_Favourite = 0", "i" });

    for (const Query& q : queries) {
        // One warm-up each, so both sides start from the same page cache.
        const int rowsOurs = ThroughLibrary(db, q);
        const int rowsRaw = Raw(raw, q);
        const double ours = BenchMedianMs(options.runs, [&] { ThroughLibrary(db, q); });
        const double floor = BenchMedianMs(options.runs, [&] { Raw(raw, q); });
        std::snprintf(line, sizeof line, "%d rows%s", rowsOurs, rowsOurs == rowsRaw ? "" : " (raw differs!)");
        table.Row(q.name, ours, floor, 1.2, q.maxMs, line);
    }

    sqlite3_close(raw);
    mgr.CloseConnect();

    // Deleting messages in one transaction, on a private copy so the shared database stays
    // whole. The library and the floor take turns, each with its own connection: every run
    // follows the other side's commit, so both start from a page cache the other has just made
    // stale, and neither gains from going second. Run k takes the ids i with i % 10 == k, so no
    // run finds rows an earlier run removed.
    const std::wstring scratch = BenchMsgDbCopy(options, table, L"msgdb-delete");
    if (scratch.empty())
        return;
    CQorMsgDBMgr victim;
    raw = nullptr;
    if (!victim.OpenConnect(scratch.c_str()) || sqlite3_open16(scratch.c_str(), &raw) != SQLITE_OK) {
        table.Note("MsgDb: cannot open the copy for the deletion runs");
        sqlite3_close(raw);
        victim.CloseConnect();
        ::DeleteFileW(scratch.c_str());
        return;
    }
    sqlite3_exec(raw, "PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);
    CYqConnect* del = victim.GetConnect();
    const int perRun = std::min(10000, options.messages / 10);
    auto idsOf = [&](int k) {
        std::vector<CString> ids;
        for (int i = k; i < options.messages && static_cast<int>(ids.size()) < perRun; i += 10)
            ids.push_back(MsgDbGenMsgID(i));
        return ids;
    };
    auto throughLibrary = [&](const std::vector<CString>& ids) {
        if (!del->BeginTrans())
            return;
        for (const CString& id : ids) {
            CQorDBBaseFun::DeleteMsg(del, id);
            CQorDBBaseFun::DeleteMsgAttach(del, id);
            CQorDBBaseFun::DeleteMsgContent(del, id);
            CQorDBBaseFun::DeleteMsgRecv(del, id);
        }
        del->CommitTrans();
    };
    auto rawDelete = [&](const std::vector<CString>& ids) {
        static const wchar_t* const kDeletes[] = {
            L"DELETE FROM qor_Msg WHERE Col_ID = ?1", L"DELETE FROM qor_Msg_Attach WHERE Col_MSGID = ?1",
            L"DELETE FROM qor_Msg_Content WHERE Col_MSGID = ?1", L"DELETE FROM qor_Msg_Recv WHERE Col_MSGID = ?1" };
        sqlite3_stmt* st[4] = {};
        for (int i = 0; i < 4; ++i)
            sqlite3_prepare16_v2(raw, kDeletes[i], -1, &st[i], nullptr);
        sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
        for (const CString& id : ids) {
            for (sqlite3_stmt* s : st) {
                sqlite3_bind_text16(s, 1, id.GetString(), -1, SQLITE_TRANSIENT);
                sqlite3_step(s);
                sqlite3_reset(s);
            }
        }
        sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
        for (sqlite3_stmt* s : st)
            sqlite3_finalize(s);
    };
    std::vector<double> oursMs, rawMs;
    for (int k = 0; k < 10 && k < 2 * std::max(1, options.runs); ++k) {
        const std::vector<CString> ids = idsOf(k);
        const double t0 = BenchNowMs();
        if (k % 2 == 0)
            throughLibrary(ids);
        else
            rawDelete(ids);
        (k % 2 == 0 ? oursMs : rawMs).push_back(BenchNowMs() - t0);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    table.Row("delete " + std::to_string(perRun) + " messages, one transaction", median(oursMs), median(rawMs), 1.2);
    sqlite3_close(raw);
    victim.CloseConnect();
    ::DeleteFileW(scratch.c_str());
}
