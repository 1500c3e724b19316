#pragma once
// The saved-login store: per server and per lower-cased login name, what the user chose when
// signing in by display name (display name, department path) and, when asked, the password.
// One instance for the process (GetLoginStore), kept in memory and persisted in the current
// user's hive under "Software\KorvelSoft\KorvelMessenger\Setting\<server key>\<user key>".
// Registry failures are silent: an unreadable key means no records.
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include <map>

// "%s:%d" of host and port, lower-cased: the key of a server in the store.
CString MakeServerKey(const CString& strHost, int nPort);

struct SavedLoginRecord {
    CString strUserKey;    // login name, lower case
    CString strUserName;   // display name
    CString strDepartment; // department path
    CString strPassword;   // clear text in memory; empty unless saved
    int nSavePassword = 0; // 1 when the password is saved
};

class LoginStore {
public:
    // Replaces the server's records by what the registry holds.
    void LoadLoginStore(const CString& strAddress, int nPort);
    // Writes every record of the server; 0 when the server's key can be neither opened nor
    // created, else 1.
    int SaveLoginStore(const CString& strAddress, int nPort);
    // Lowers the record's user key (the caller's too) and keeps a copy; memory only.
    void SetLoginRecord(const CString& strAddress, int nPort, SavedLoginRecord& record);
    // The saved password of the login name: true only when the record exists and its flag is 1.
    bool GetSavedPassword(const CString& strAddress, int nPort, CString strUserKey, CString& strPassword) const;
    // Appends each record's display name, lowered, unless the list already holds it.
    void ListSavedUsers(const CString& strAddress, int nPort, CStringArray& arNames) const;
    // Forgets every record of every server, in memory and in the registry (the user asked
    // to delete the saved user information).
    void DeleteAll();

private:
    using RecordMap = std::map<CString, SavedLoginRecord>;
    std::map<CString, RecordMap> m_servers;
};

// The process-wide store, created on first use.
LoginStore& GetLoginStore();
