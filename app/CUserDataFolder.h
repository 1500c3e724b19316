#pragma once
// The signed-in user's data folder under the view library's data root:
// <root>\<server text>\User\<user text>\<server text>.db, and the copy of an old data folder into
// a new one when the user moved it.
#include "framework/CString.h"

class CUserDataFolder {
public:
    CUserDataFolder() = delete;

    // Creates the folders that are missing and the database file when it is missing (the file
    // is only made, the database library fills it). The database file's path; empty when a
    // text is empty or the file cannot be made.
    static CString Prepare(const CString& strRoot, const CString& strServerText, const CString& strUserText);
    // Copies a folder with the shell, without questions or error boxes, owned by hOwner: into
    // strTo's contents when strTo exists, else as strTo itself. FALSE when the shell failed.
    static BOOL CopyFolder(HWND hOwner, const CString& strFrom, const CString& strTo);
};
