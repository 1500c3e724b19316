#pragma once
// CFile: an unbuffered binary file over a Win32 file handle.
//
// Failures are values, never exceptions: Open returns FALSE (and fills the optional
// CFileException), Read returns the bytes actually read (0 at the end or on error), Write and the
// other operations return FALSE or (ULONGLONG)-1. m_hFile is the plain Win32 handle, usable
// directly with WriteFile and friends; hFileNull marks a closed file.
#include "framework/CFileException.h"
#include "framework/CString.h"

class CFile {
public:
    // Open flags: one access mode, one share mode, plus any of the others.
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000, // exclusive, as in the 32-bit library this replaces
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,     // create, emptying an existing file unless modeNoTruncate
        modeNoTruncate = 0x2000, // with modeCreate: open an existing file as it is
        typeText = 0x4000,       // used by CStdioFile: line-end translation
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps an open handle; the CFile then owns it and closes it.
    explicit CFile(HANDLE hFile);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    // Opens the file; FALSE on failure (pError, when given, says why). A file already open is
    // closed first.
    virtual BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Closes the file; closing a closed file does nothing.
    virtual void Close();
    // Closes without reporting anything (as after an error).
    virtual void Abort() { Close(); }

    // Reads up to nCount bytes; returns how many were read (0 at the end of the file or on error).
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes; FALSE when they could not all be written.
    virtual BOOL Write(const void* lpBuf, UINT nCount);
    virtual BOOL Flush();

    // Moves the file pointer; returns the new position, or (ULONGLONG)-1 on failure.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    // The current position, or (ULONGLONG)-1 when the file is closed.
    virtual ULONGLONG GetPosition() const;
    // The length in bytes (0 when closed).
    virtual ULONGLONG GetLength() const;
    // Truncates or extends the file to dwNewLen bytes; FALSE on failure.
    virtual BOOL SetLength(ULONGLONG dwNewLen);

    BOOL IsOpen() const { return m_hFile != hFileNull; }
    // The full path given to Open, its file part, and the file part without its extension.
    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;
    CString GetFileTitle() const;
    void SetFilePath(LPCWSTR lpszNewName) { m_strFileName = lpszNewName; }

    // File-system helpers; FALSE on failure.
    static BOOL Remove(LPCWSTR lpszFileName);
    static BOOL Rename(LPCWSTR lpszOldName, LPCWSTR lpszNewName);

    HANDLE m_hFile;

protected:
    CString m_strFileName;
    BOOL m_bCloseOnDelete;
};
