#include "app/CUserDataFolder.h"
#include <shellapi.h>
#include <string>

namespace {

void EnsureFolder(const CString& strPath)
{
    if (::GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES)
        ::CreateDirectoryW(strPath, nullptr);
}

bool Exists(const CString& strPath)
{
    return ::GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES;
}

// The shell's file operations take lists of names, each ended by a NUL, the list by another.
std::wstring ShellList(const CString& strPath)
{
    std::wstring list(strPath.GetString());
    list.push_back(L'\0');
    return list; // the string's own terminator ends the list
}

} // namespace

CString CUserDataFolder::Prepare(const CString& strRoot, const CString& strServerText, const CString& strUserText)
{
    // Empty texts would put the database beside other accounts' folders.
    if (strRoot.IsEmpty() || strServerText.IsEmpty() || strUserText.IsEmpty())
        return CString();
    const CString server = strRoot + L"\\" + strServerText;
    EnsureFolder(server);
    EnsureFolder(server + L"\\User");
    const CString user = server + L"\\User\\" + strUserText;
    EnsureFolder(user);
    const CString database = user + L"\\" + strServerText + L".db";
    if (!Exists(database)) {
        HANDLE hFile = ::CreateFileW(database, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return CString();
        // Only the file is wanted: the database library opens it itself, and a handle left
        // open here would keep it from being moved or deleted until the program ends.
        ::CloseHandle(hFile);
    }
    return database;
}

BOOL CUserDataFolder::CopyFolder(HWND hOwner, const CString& strFrom, const CString& strTo)
{
    const std::wstring from = ShellList(Exists(strTo) ? strFrom + L"\\*.*" : strFrom);
    const std::wstring to = ShellList(strTo);
    SHFILEOPSTRUCTW op = {};
    op.hwnd = hOwner;
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    return ::SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}
