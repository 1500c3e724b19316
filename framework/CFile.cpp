#include "framework/CFile.h"

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile ? hFile : hFileNull), m_bCloseOnDelete(TRUE) {}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Close();
}

BOOL CFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    Close();
    if (pError) {
        pError->m_cause = CFileException::none;
        pError->m_lOsError = 0;
        pError->m_strFileName = lpszFileName;
    }
    if (!lpszFileName || !*lpszFileName) {
        if (pError) {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = ERROR_INVALID_NAME;
        }
        return FALSE;
    }

    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead:
        access = GENERIC_READ;
        break;
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    case modeReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        if (pError)
            pError->m_cause = CFileException::genericException;
        return FALSE;
    }

    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareExclusive:
        share = 0;
        break;
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:
        if (pError)
            pError->m_cause = CFileException::genericException;
        return FALSE;
    }

    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};

    DWORD disposition = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer)
        attributes |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough)
        attributes |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess)
        attributes |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan)
        attributes |= FILE_FLAG_SEQUENTIAL_SCAN;

    HANDLE h = ::CreateFileW(lpszFileName, access, share, &sa, disposition, attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (pError) {
            LONG err = static_cast<LONG>(::GetLastError());
            pError->m_lOsError = err;
            pError->m_cause = CFileException::OsErrorToException(err);
        }
        return FALSE;
    }

    // Keep the full path, as later GetFilePath calls expect it.
    wchar_t full[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameW(lpszFileName, MAX_PATH * 2, full, nullptr);
    m_strFileName = (n > 0 && n < MAX_PATH * 2) ? CString(full) : CString(lpszFileName);
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (m_hFile == hFileNull || !lpBuf || nCount == 0)
        return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        return 0;
    return read;
}

BOOL CFile::Write(const void* lpBuf, UINT nCount)
{
    if (m_hFile == hFileNull)
        return FALSE;
    if (nCount == 0)
        return TRUE;
    if (!lpBuf)
        return FALSE;
    DWORD written = 0;
    return ::WriteFile(m_hFile, lpBuf, nCount, &written, nullptr) && written == nCount;
}

BOOL CFile::Flush()
{
    return m_hFile != hFileNull && ::FlushFileBuffers(m_hFile);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (m_hFile == hFileNull || nFrom > end)
        return static_cast<ULONGLONG>(-1);
    LARGE_INTEGER dist, pos;
    dist.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, dist, &pos, nFrom))
        return static_cast<ULONGLONG>(-1);
    return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    if (m_hFile == hFileNull)
        return static_cast<ULONGLONG>(-1);
    LARGE_INTEGER zero = {}, pos;
    if (!::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        return static_cast<ULONGLONG>(-1);
    return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (m_hFile == hFileNull || !::GetFileSizeEx(m_hFile, &size))
        return 0;
    return static_cast<ULONGLONG>(size.QuadPart);
}

BOOL CFile::SetLength(ULONGLONG dwNewLen)
{
    if (m_hFile == hFileNull)
        return FALSE;
    ULONGLONG old = GetPosition();
    if (Seek(static_cast<LONGLONG>(dwNewLen), begin) == static_cast<ULONGLONG>(-1))
        return FALSE;
    BOOL ok = ::SetEndOfFile(m_hFile);
    // The file pointer stays where it was, unless that now lies past the end.
    Seek(static_cast<LONGLONG>(old < dwNewLen ? old : dwNewLen), begin);
    return ok;
}

CString CFile::GetFileName() const
{
    int slash = max(m_strFileName.ReverseFind(L'\\'), m_strFileName.ReverseFind(L'/'));
    return m_strFileName.Mid(slash + 1);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

BOOL CFile::Remove(LPCWSTR lpszFileName)
{
    return lpszFileName && ::DeleteFileW(lpszFileName);
}

BOOL CFile::Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName)
{
    return lpszOldName && lpszNewName && ::MoveFileW(lpszOldName, lpszNewName);
}
