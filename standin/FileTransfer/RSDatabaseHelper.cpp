#include "platform/FileTransfer/RSDatabaseHelper.h"
#include "platform/FileTransfer/FileTransferTestHooks.h"
#include "platform/FileTransfer/Utilities.h"
#include <sqlite3.h>
#include <atomic>

namespace {

std::atomic<bool> g_refuseInit(false);

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS RS_Transfer ("
    " Col_Guid TEXT PRIMARY KEY, Col_LocalPath TEXT DEFAULT '', Col_FileName TEXT DEFAULT '',"
    " Col_State INTEGER DEFAULT 0, Col_BytesDone INTEGER DEFAULT 0, Col_TotalSize INTEGER DEFAULT 0,"
    " Col_Updated TEXT DEFAULT (datetime('now','localtime')))";

// A prepared statement finalised at scope end.
struct Stmt {
    sqlite3_stmt* p = nullptr;
    Stmt(sqlite3* db, const char* sql)
    {
        if (db && sqlite3_prepare_v2(db, sql, -1, &p, nullptr) != SQLITE_OK) {
            sqlite3_finalize(p);
            p = nullptr;
        }
    }
    ~Stmt() { sqlite3_finalize(p); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    void Text(int n, const wchar_t* s) { sqlite3_bind_text16(p, n, s ? s : L"", -1, SQLITE_TRANSIENT); }
};

} // namespace

void FileTransferTest_RefuseInit(bool bRefuse)
{
    g_refuseInit = bRefuse;
}

RSDatabaseHelper* RSDatabaseHelper::GetInstance()
{
    // Lives for the whole process; the file is closed when the process ends.
    static RSDatabaseHelper* instance = new RSDatabaseHelper;
    return instance;
}

RSDatabaseHelper::~RSDatabaseHelper()
{
    Close();
}

bool RSDatabaseHelper::Init(const char* pszUtf8Path)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Close();
    if (!pszUtf8Path || !*pszUtf8Path || g_refuseInit)
        return false;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(pszUtf8Path, &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_busy_timeout(db, 5000);
    if (sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    m_db = db;
    m_path = pszUtf8Path;
    return true;
}

void RSDatabaseHelper::Close()
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
}

bool RSDatabaseHelper::IsOpen() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_db != nullptr;
}

std::string RSDatabaseHelper::GetPath() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_path;
}

bool RSDatabaseHelper::SaveTransfer(const GUID& guid, const RSTransferRecord& record)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Stmt st(m_db, "INSERT OR REPLACE INTO RS_Transfer (Col_Guid, Col_LocalPath, Col_FileName, Col_State,"
                  " Col_BytesDone, Col_TotalSize) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    if (!st.p)
        return false;
    st.Text(1, Utilities::GuidToStr(guid));
    st.Text(2, record.strLocalPath);
    st.Text(3, record.strFileName);
    sqlite3_bind_int(st.p, 4, record.nState);
    sqlite3_bind_int64(st.p, 5, record.llBytesDone);
    sqlite3_bind_int64(st.p, 6, record.llTotalSize);
    return sqlite3_step(st.p) == SQLITE_DONE;
}

bool RSDatabaseHelper::LoadTransfer(const GUID& guid, RSTransferRecord& record) const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    record = RSTransferRecord();
    Stmt st(m_db, "SELECT Col_LocalPath, Col_FileName, Col_State, Col_BytesDone, Col_TotalSize"
                  " FROM RS_Transfer WHERE Col_Guid = ?1");
    if (!st.p)
        return false;
    st.Text(1, Utilities::GuidToStr(guid));
    if (sqlite3_step(st.p) != SQLITE_ROW)
        return false;
    auto text = [&](int c) {
        const void* p = sqlite3_column_text16(st.p, c);
        return p ? CString(static_cast<const wchar_t*>(p)) : CString();
    };
    record.strLocalPath = text(0);
    record.strFileName = text(1);
    record.nState = sqlite3_column_int(st.p, 2);
    record.llBytesDone = sqlite3_column_int64(st.p, 3);
    record.llTotalSize = sqlite3_column_int64(st.p, 4);
    return true;
}

bool RSDatabaseHelper::RemoveTransfer(const GUID& guid)
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Stmt st(m_db, "DELETE FROM RS_Transfer WHERE Col_Guid = ?1");
    if (!st.p)
        return false;
    st.Text(1, Utilities::GuidToStr(guid));
    return sqlite3_step(st.p) == SQLITE_DONE && sqlite3_changes(m_db) > 0;
}

int RSDatabaseHelper::GetTransferCount() const
{
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    Stmt st(m_db, "SELECT count(*) FROM RS_Transfer");
    if (!st.p || sqlite3_step(st.p) != SQLITE_ROW)
        return 0;
    return sqlite3_column_int(st.p, 0);
}
