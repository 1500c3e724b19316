#pragma once
// The file-transfer library's store of transfers, the SQLite file RS.Dat beside the
// resource module. One per process (GetInstance); Init opens it from a UTF-8 path.
// Table RS_Transfer: Col_Guid (text key), Col_LocalPath, Col_FileName, Col_State,
// Col_BytesDone, Col_TotalSize, Col_Updated.
#include "framework/CString.h"
#include <mutex>
#include <string>

struct sqlite3;

struct RSTransferRecord {
    CString strLocalPath;
    CString strFileName;
    int nState = 0;           // FileItemState of FileClient
    LONGLONG llBytesDone = 0;
    LONGLONG llTotalSize = 0;
};

class RSDatabaseHelper {
public:
    static RSDatabaseHelper* GetInstance();

    // Opens (creating when missing) the store at a UTF-8 path and makes its table; a store
    // already open is closed first. False when the file cannot be used.
    bool Init(const char* pszUtf8Path);
    void Close();
    bool IsOpen() const;
    // The UTF-8 path given to the last successful Init; empty when closed.
    std::string GetPath() const;

    // Inserts or replaces the record of a transfer.
    bool SaveTransfer(const GUID& guid, const RSTransferRecord& record);
    // False when the store has no such transfer.
    bool LoadTransfer(const GUID& guid, RSTransferRecord& record) const;
    bool RemoveTransfer(const GUID& guid);
    int GetTransferCount() const;

private:
    RSDatabaseHelper() = default;
    ~RSDatabaseHelper();
    RSDatabaseHelper(const RSDatabaseHelper&) = delete;
    RSDatabaseHelper& operator=(const RSDatabaseHelper&) = delete;

    sqlite3* m_db = nullptr;
    std::string m_path;
    mutable std::recursive_mutex m_lock;
};
