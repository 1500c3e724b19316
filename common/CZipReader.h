#pragma once
// Reads zip archives (through minizip over zlib) from a file, a file handle or a memory block,
// and unzips their items to files, handles or memory. Results are codes whose texts
// FormatZipMessage gives.
#include "framework/CString.h"
#include <memory>

// Result codes.
enum : DWORD {
    ZIPR_OK = 0,
    ZIPR_RECENT = 1, // for FormatZipMessage: the reader's most recent result
    ZIPR_NODUPHANDLE = 0x100,
    ZIPR_NOFILE = 0x200,
    ZIPR_NOALLOC = 0x300,
    ZIPR_WRITE = 0x400,
    ZIPR_NOTFOUND = 0x500,
    ZIPR_MORE = 0x600,
    ZIPR_CORRUPT = 0x700,
    ZIPR_READ = 0x800,
    ZIPR_ARGS = 0x10000,
    ZIPR_NOTMMAP = 0x20000,
    ZIPR_MEMSIZE = 0x30000,
    ZIPR_FAILED = 0x40000,
    ZIPR_ENDED = 0x50000,
    ZIPR_MISSIZE = 0x60000,
    ZIPR_PARTIALUNZ = 0x70000,
    ZIPR_ZMODE = 0x80000,
    ZIPR_NOTINITED = 0x1000000,
    ZIPR_SEEK = 0x2000000,
    ZIPR_NOCHANGE = 0x4000000,
    ZIPR_FLATE = 0x5000000,
};

// One item of an archive.
struct _ZIPITEM {
    int index = -1;
    CString name;        // as stored, with "/" separators
    DWORD attr = 0;      // FILE_ATTRIBUTE_* flags
    FILETIME atime = {}; // access, creation and modification times (UTC)
    FILETIME ctime = {};
    FILETIME mtime = {};
    DWORD compressedSize = 0;
    DWORD uncompressedSize = 0;
};

class CZipReader {
public:
    CZipReader();
    CZipReader(const CZipReader&) = delete;
    CZipReader& operator=(const CZipReader&) = delete;
    virtual ~CZipReader();

    // Opening fails with ZIPR_NOTINITED while an archive is open, ZIPR_FAILED when the archive
    // cannot be read. The base folder becomes the current directory.
    DWORD Open(LPCWSTR pszPath);
    // The handle is duplicated; it must be a disk file (else ZIPR_SEEK).
    DWORD Open(HANDLE hFile);
    // The block must stay valid until Close.
    DWORD Open(const void* pData, DWORD cbData);
    DWORD Close();
    BOOL IsOpen() const;

    int GetItemCount();
    DWORD GetItem(int index, _ZIPITEM& item);
    // Index of the item with this name ("/" and "\" alike), or -1.
    int FindItem(LPCWSTR pszName, BOOL bIgnoreCase = TRUE);

    // Unzips to a file below the base folder. A name that is absolute or climbs out of the
    // base folder ("..") is refused with ZIPR_ARGS and nothing is written. Folder items only
    // create the folder. The file gets the item's attributes and times.
    DWORD UnzipItem(int index, LPCWSTR pszTarget);
    // Unzips to the caller's handle from its current position; a disk file gets the times.
    DWORD UnzipItem(int index, HANDLE hTarget);
    // Unzips into the caller's block. ZIPR_MORE when the block filled up before the end: the
    // next call with the same index goes on where this one stopped. pcbWritten receives the
    // bytes written by this call.
    DWORD UnzipItem(int index, void* pBuffer, DWORD cbBuffer, DWORD* pcbWritten = nullptr);

    // Copies code's text (ZIPR_RECENT: the most recent result's), cut to cchBuffer - 1 and
    // terminated; returns the full length of the text, also when no buffer is given.
    DWORD FormatZipMessage(DWORD code, LPWSTR pszBuffer, DWORD cchBuffer) const;
    // The text of a result code.
    static LPCWSTR GetZipMessageText(DWORD code);

    const CString& GetBaseFolder() const { return m_strBase; }
    // Folder that relative targets are unzipped below (a "\" is appended when missing).
    void SetBaseFolder(const CString& folder);

    struct Source;

private:
    DWORD Result(DWORD code) { m_lastResult = code; return code; }
    DWORD OpenSource();
    DWORD GoToItem(int index);
    DWORD GetFileItem(int index, _ZIPITEM& item);
    DWORD ReadItemInfo(_ZIPITEM& item, bool localToo);
    DWORD CopyToHandle(int index, HANDLE hTarget, _ZIPITEM& item);
    void AbandonCurrent();

    std::unique_ptr<Source> m_pSource;
    void* m_hUnz = nullptr; // minizip's unzFile
    int m_nCurrent = -1;    // item open for a memory unzip in parts, -1 for none
    CString m_strBase;
    DWORD m_lastResult = ZIPR_OK;
};
