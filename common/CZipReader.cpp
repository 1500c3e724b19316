#include "common/CZipReader.h"
#include <cstring>
#include <vector>
#include "unzip.h"

// Where minizip reads the archive from: a file handle or a memory block.
struct CZipReader::Source {
    HANDLE hFile = INVALID_HANDLE_VALUE; // owned
    const BYTE* pData = nullptr;
    ZPOS64_T size = 0;
    ZPOS64_T pos = 0;
    bool error = false;
};

namespace {

const DWORD kChunk = 16384;

using Source = CZipReader::Source;

voidpf ZCALLBACK SourceOpen(voidpf, const void* filename, int)
{
    // The "file name" handed to minizip is the source itself.
    return const_cast<void*>(filename);
}

uLong ZCALLBACK SourceRead(voidpf, voidpf stream, void* buf, uLong size)
{
    auto* s = static_cast<Source*>(stream);
    if (s->pData) {
        ZPOS64_T left = s->pos < s->size ? s->size - s->pos : 0;
        uLong n = static_cast<uLong>(std::min<ZPOS64_T>(left, size));
        std::memcpy(buf, s->pData + s->pos, n);
        s->pos += n;
        return n;
    }
    LARGE_INTEGER li;
    li.QuadPart = static_cast<LONGLONG>(s->pos);
    DWORD got = 0;
    if (!::SetFilePointerEx(s->hFile, li, nullptr, FILE_BEGIN) || !::ReadFile(s->hFile, buf, size, &got, nullptr)) {
        s->error = true;
        return 0;
    }
    s->pos += got;
    return got;
}

uLong ZCALLBACK SourceWrite(voidpf, voidpf stream, const void*, uLong)
{
    static_cast<Source*>(stream)->error = true;
    return 0;
}

ZPOS64_T ZCALLBACK SourceTell(voidpf, voidpf stream)
{
    return static_cast<Source*>(stream)->pos;
}

long ZCALLBACK SourceSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* s = static_cast<Source*>(stream);
    ZPOS64_T size = s->size;
    if (!s->pData) {
        LARGE_INTEGER li;
        if (!::GetFileSizeEx(s->hFile, &li))
            return -1;
        size = static_cast<ZPOS64_T>(li.QuadPart);
    }
    ZPOS64_T base = origin == ZLIB_FILEFUNC_SEEK_SET ? 0 : origin == ZLIB_FILEFUNC_SEEK_CUR ? s->pos : size;
    // minizip passes negative offsets from the end as wrapped unsigned values.
    ZPOS64_T target = base + offset;
    if (target > size)
        return -1;
    s->pos = target;
    return 0;
}

int ZCALLBACK SourceClose(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK SourceError(voidpf, voidpf stream)
{
    return static_cast<Source*>(stream)->error ? 1 : 0;
}

FILETIME UnixToFileTime(DWORD t)
{
    ULONGLONG v = (static_cast<ULONGLONG>(t) + 11644473600ULL) * 10000000ULL;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(v);
    ft.dwHighDateTime = static_cast<DWORD>(v >> 32);
    return ft;
}

DWORD ReadLE32(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24);
}

// The extended timestamp ("UT", 0x5455): a flag byte, then the modification, access and
// creation times that the flags announce, as Unix times. The central copy often holds only the
// modification time.
void ParseTimes(const BYTE* extra, size_t len, _ZIPITEM& item)
{
    size_t p = 0;
    while (p + 4 <= len) {
        WORD id = static_cast<WORD>(extra[p] | (extra[p + 1] << 8));
        WORD size = static_cast<WORD>(extra[p + 2] | (extra[p + 3] << 8));
        const BYTE* data = extra + p + 4;
        if (p + 4 + size > len)
            break;
        if (id == 0x5455 && size >= 1) {
            BYTE flags = data[0];
            size_t q = 1;
            if ((flags & 1) && q + 4 <= size) {
                item.mtime = UnixToFileTime(ReadLE32(data + q));
                q += 4;
            }
            if ((flags & 2) && q + 4 <= size) {
                item.atime = UnixToFileTime(ReadLE32(data + q));
                q += 4;
            }
            if ((flags & 4) && q + 4 <= size)
                item.ctime = UnixToFileTime(ReadLE32(data + q));
        }
        p += 4 + size;
    }
}

bool IsFolderName(const CString& name)
{
    return !name.IsEmpty() && (name[name.GetLength() - 1] == L'/' || name[name.GetLength() - 1] == L'\\');
}

// An absolute name, a drive or stream colon, or a ".." step would put the file outside the
// folder it is unzipped to.
bool IsUnsafeTarget(const CString& name)
{
    if (name.IsEmpty() || name[0] == L'/' || name[0] == L'\\' || name.Find(L':') >= 0)
        return true;
    int start = 0;
    const int n = name.GetLength();
    for (int i = 0; i <= n; ++i) {
        if (i == n || name[i] == L'/' || name[i] == L'\\') {
            if (name.Mid(start, i - start) == L"..")
                return true;
            start = i + 1;
        }
    }
    return false;
}

void CreateFolderChain(const CString& folder)
{
    CString path;
    for (int i = 0; i < folder.GetLength(); ++i) {
        wchar_t c = folder[i];
        if ((c == L'\\' || c == L'/') && !path.IsEmpty() && path[path.GetLength() - 1] != L':')
            ::CreateDirectoryW(path, nullptr);
        path += c == L'/' ? L'\\' : c;
    }
    if (!path.IsEmpty())
        ::CreateDirectoryW(path, nullptr);
}

DWORD UnzError(int rc)
{
    if (rc == UNZ_CRCERROR || rc == UNZ_BADZIPFILE || rc == Z_DATA_ERROR)
        return ZIPR_CORRUPT;
    if (rc == Z_MEM_ERROR)
        return ZIPR_NOALLOC;
    return ZIPR_READ;
}

} // namespace

CZipReader::CZipReader() = default;

CZipReader::~CZipReader()
{
    Close();
}

BOOL CZipReader::IsOpen() const
{
    return m_hUnz != nullptr;
}

void CZipReader::SetBaseFolder(const CString& folder)
{
    m_strBase = folder;
    if (!m_strBase.IsEmpty() && m_strBase[m_strBase.GetLength() - 1] != L'\\' &&
        m_strBase[m_strBase.GetLength() - 1] != L'/')
        m_strBase += L'\\';
}

DWORD CZipReader::OpenSource()
{
    zlib_filefunc64_def funcs = {};
    funcs.zopen64_file = SourceOpen;
    funcs.zread_file = SourceRead;
    funcs.zwrite_file = SourceWrite;
    funcs.ztell64_file = SourceTell;
    funcs.zseek64_file = SourceSeek;
    funcs.zclose_file = SourceClose;
    funcs.zerror_file = SourceError;
    m_hUnz = unzOpen2_64(m_pSource.get(), &funcs);
    if (!m_hUnz) {
        if (m_pSource->hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_pSource->hFile);
        m_pSource.reset();
        return Result(ZIPR_FAILED);
    }
    wchar_t dir[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, dir);
    SetBaseFolder(dir);
    m_nCurrent = -1;
    return Result(ZIPR_OK);
}

DWORD CZipReader::Open(LPCWSTR pszPath)
{
    if (m_hUnz)
        return Result(ZIPR_NOTINITED);
    if (!pszPath)
        return Result(ZIPR_ARGS);
    HANDLE h = ::CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Result(ZIPR_NOFILE);
    m_pSource.reset(new Source);
    m_pSource->hFile = h;
    return OpenSource();
}

DWORD CZipReader::Open(HANDLE hFile)
{
    if (m_hUnz)
        return Result(ZIPR_NOTINITED);
    if (!hFile || hFile == INVALID_HANDLE_VALUE)
        return Result(ZIPR_ARGS);
    if (::GetFileType(hFile) != FILE_TYPE_DISK)
        return Result(ZIPR_SEEK);
    HANDLE h = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), hFile, ::GetCurrentProcess(), &h, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        return Result(ZIPR_NODUPHANDLE);
    m_pSource.reset(new Source);
    m_pSource->hFile = h;
    return OpenSource();
}

DWORD CZipReader::Open(const void* pData, DWORD cbData)
{
    if (m_hUnz)
        return Result(ZIPR_NOTINITED);
    if (!pData || cbData == 0)
        return Result(ZIPR_ARGS);
    m_pSource.reset(new Source);
    m_pSource->pData = static_cast<const BYTE*>(pData);
    m_pSource->size = cbData;
    return OpenSource();
}

DWORD CZipReader::Close()
{
    if (m_hUnz) {
        AbandonCurrent();
        unzClose(m_hUnz);
        m_hUnz = nullptr;
    }
    if (m_pSource) {
        if (m_pSource->hFile != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_pSource->hFile);
        m_pSource.reset();
    }
    return Result(ZIPR_OK);
}

void CZipReader::AbandonCurrent()
{
    if (m_nCurrent >= 0) {
        unzCloseCurrentFile(m_hUnz);
        m_nCurrent = -1;
    }
}

int CZipReader::GetItemCount()
{
    if (!m_hUnz)
        return -1;
    unz_global_info64 info = {};
    if (unzGetGlobalInfo64(m_hUnz, &info) != UNZ_OK)
        return -1;
    return static_cast<int>(info.number_entry);
}

DWORD CZipReader::GoToItem(int index)
{
    if (!m_hUnz)
        return ZIPR_NOTINITED;
    if (index < 0)
        return ZIPR_ARGS;
    if (unzGoToFirstFile(m_hUnz) != UNZ_OK)
        return ZIPR_NOTFOUND;
    for (int i = 0; i < index; ++i) {
        if (unzGoToNextFile(m_hUnz) != UNZ_OK)
            return ZIPR_NOTFOUND;
    }
    return ZIPR_OK;
}

DWORD CZipReader::ReadItemInfo(_ZIPITEM& item, bool localToo)
{
    unz_file_info64 info = {};
    char name[1024] = {};
    std::vector<BYTE> extra(0x10000);
    if (unzGetCurrentFileInfo64(m_hUnz, &info, name, sizeof(name) - 1, extra.data(),
                                static_cast<uLong>(extra.size()), nullptr, 0) != UNZ_OK)
        return ZIPR_CORRUPT;
    item.name = CString();
    if (info.flag & 0x800) {
        int n = ::MultiByteToWideChar(CP_UTF8, 0, name, -1, nullptr, 0);
        if (n > 0) {
            std::vector<wchar_t> w(n);
            ::MultiByteToWideChar(CP_UTF8, 0, name, -1, w.data(), n);
            item.name = w.data();
        }
    } else {
        item.name = CString(name);
    }
    // Attributes: DOS ones from archives made on DOS or Windows, the Unix mode's write and
    // directory bits from others.
    DWORD attr = 0;
    const int madeBy = static_cast<int>(info.version >> 8);
    if (madeBy == 3) {
        DWORD mode = info.external_fa >> 16;
        if ((mode & 0170000) == 0040000)
            attr |= FILE_ATTRIBUTE_DIRECTORY;
        if (!(mode & 0200))
            attr |= FILE_ATTRIBUTE_READONLY;
    } else {
        attr = info.external_fa & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                   FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
    }
    if (IsFolderName(item.name))
        attr |= FILE_ATTRIBUTE_DIRECTORY;
    item.attr = attr;
    FILETIME local = {};
    item.mtime = FILETIME();
    if (::DosDateTimeToFileTime(HIWORD(info.dosDate), LOWORD(info.dosDate), &local))
        ::LocalFileTimeToFileTime(&local, &item.mtime);
    item.atime = item.mtime;
    item.ctime = item.mtime;
    ParseTimes(extra.data(), std::min<size_t>(info.size_file_extra, extra.size()), item);
    if (localToo) {
        int n = unzGetLocalExtrafield(m_hUnz, extra.data(), static_cast<unsigned>(extra.size()));
        if (n > 0)
            ParseTimes(extra.data(), static_cast<size_t>(n), item);
    }
    item.compressedSize = static_cast<DWORD>(info.compressed_size);
    item.uncompressedSize = static_cast<DWORD>(info.uncompressed_size);
    return ZIPR_OK;
}

DWORD CZipReader::GetItem(int index, _ZIPITEM& item)
{
    AbandonCurrent();
    DWORD rc = GoToItem(index);
    if (rc != ZIPR_OK)
        return Result(rc);
    rc = ReadItemInfo(item, false);
    if (rc == ZIPR_OK)
        item.index = index;
    return Result(rc);
}

DWORD CZipReader::GetFileItem(int index, _ZIPITEM& item)
{
    // A folder item has nothing to unzip: success, and the caller stops there.
    DWORD rc = GetItem(index, item);
    if (rc == ZIPR_OK && (item.attr & FILE_ATTRIBUTE_DIRECTORY))
        return Result(ZIPR_OK);
    return rc;
}

int CZipReader::FindItem(LPCWSTR pszName, BOOL bIgnoreCase)
{
    if (!m_hUnz || !pszName)
        return -1;
    AbandonCurrent();
    CString wanted(pszName);
    wanted.Replace(L'\\', L'/');
    // One pass through the central directory.
    int rc = unzGoToFirstFile(m_hUnz);
    for (int i = 0; rc == UNZ_OK; ++i, rc = unzGoToNextFile(m_hUnz)) {
        _ZIPITEM item;
        if (ReadItemInfo(item, false) != ZIPR_OK)
            break;
        CString name = item.name;
        name.Replace(L'\\', L'/');
        if (bIgnoreCase ? name.CompareNoCase(wanted) == 0 : name == wanted) {
            Result(ZIPR_OK);
            return i;
        }
    }
    Result(ZIPR_NOTFOUND);
    return -1;
}

DWORD CZipReader::CopyToHandle(int index, HANDLE hTarget, _ZIPITEM& item)
{
    AbandonCurrent();
    DWORD rc = GoToItem(index);
    if (rc != ZIPR_OK)
        return rc;
    if (unzOpenCurrentFile(m_hUnz) != UNZ_OK)
        return ZIPR_CORRUPT;
    rc = ReadItemInfo(item, true);
    std::vector<BYTE> chunk(kChunk);
    while (rc == ZIPR_OK) {
        int got = unzReadCurrentFile(m_hUnz, chunk.data(), kChunk);
        if (got < 0) {
            rc = UnzError(got);
            break;
        }
        if (got == 0)
            break;
        DWORD written = 0;
        if (!::WriteFile(hTarget, chunk.data(), static_cast<DWORD>(got), &written, nullptr) ||
            written != static_cast<DWORD>(got))
            rc = ZIPR_WRITE;
    }
    int closeRc = unzCloseCurrentFile(m_hUnz);
    if (rc == ZIPR_OK && closeRc != UNZ_OK)
        rc = UnzError(closeRc);
    if (rc == ZIPR_OK && ::GetFileType(hTarget) == FILE_TYPE_DISK) {
        // A time the archive does not hold (zero) leaves the file's own.
        auto known = [](const FILETIME& t) { return (t.dwLowDateTime | t.dwHighDateTime) ? &t : nullptr; };
        ::SetFileTime(hTarget, known(item.ctime), known(item.atime), known(item.mtime));
    }
    return rc;
}

DWORD CZipReader::UnzipItem(int index, LPCWSTR pszTarget)
{
    if (!m_hUnz)
        return Result(ZIPR_NOTINITED);
    if (!pszTarget)
        return Result(ZIPR_ARGS);
    // An item part of which the caller already took into memory cannot start over elsewhere.
    if (m_nCurrent >= 0 && m_nCurrent == index)
        return Result(ZIPR_PARTIALUNZ);
    CString target(pszTarget);
    if (IsUnsafeTarget(target))
        return Result(ZIPR_ARGS);
    _ZIPITEM item;
    DWORD rc = GetItem(index, item);
    if (rc != ZIPR_OK)
        return rc;
    CString path = m_strBase + target;
    path.Replace(L'/', L'\\');
    if ((item.attr & FILE_ATTRIBUTE_DIRECTORY) || IsFolderName(target)) {
        CreateFolderChain(path);
        return Result(ZIPR_OK);
    }
    int slash = path.ReverseFind(L'\\');
    if (slash > 0)
        CreateFolderChain(path.Left(slash));
    const DWORD attr = item.attr & ~FILE_ATTRIBUTE_DIRECTORY;
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             attr ? attr : FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Result(ZIPR_NOFILE);
    rc = CopyToHandle(index, h, item);
    ::CloseHandle(h);
    if (rc != ZIPR_OK) {
        // A half-written file is worse than none.
        ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path);
    }
    return Result(rc);
}

DWORD CZipReader::UnzipItem(int index, HANDLE hTarget)
{
    if (!m_hUnz)
        return Result(ZIPR_NOTINITED);
    if (!hTarget || hTarget == INVALID_HANDLE_VALUE)
        return Result(ZIPR_ARGS);
    // An item part of which the caller already took into memory cannot start over elsewhere.
    if (m_nCurrent >= 0 && m_nCurrent == index)
        return Result(ZIPR_PARTIALUNZ);
    _ZIPITEM item;
    DWORD rc = GetFileItem(index, item);
    if (rc != ZIPR_OK || (item.attr & FILE_ATTRIBUTE_DIRECTORY))
        return rc;
    return Result(CopyToHandle(index, hTarget, item));
}

DWORD CZipReader::UnzipItem(int index, void* pBuffer, DWORD cbBuffer, DWORD* pcbWritten)
{
    if (pcbWritten)
        *pcbWritten = 0;
    if (!m_hUnz)
        return Result(ZIPR_NOTINITED);
    if (!pBuffer || cbBuffer == 0)
        return Result(ZIPR_ARGS);
    if (m_nCurrent != index) {
        _ZIPITEM item;
        DWORD rc = GetFileItem(index, item);
        if (rc != ZIPR_OK || (item.attr & FILE_ATTRIBUTE_DIRECTORY))
            return rc;
        if (unzOpenCurrentFile(m_hUnz) != UNZ_OK)
            return Result(ZIPR_CORRUPT);
        m_nCurrent = index;
    }
    BYTE* out = static_cast<BYTE*>(pBuffer);
    DWORD done = 0;
    while (done < cbBuffer) {
        int got = unzReadCurrentFile(m_hUnz, out + done, std::min(cbBuffer - done, kChunk));
        if (got < 0) {
            AbandonCurrent();
            return Result(UnzError(got));
        }
        if (got == 0)
            break;
        done += static_cast<DWORD>(got);
    }
    if (pcbWritten)
        *pcbWritten = done;
    if (done == cbBuffer && !unzeof(m_hUnz))
        return Result(ZIPR_MORE);
    int closeRc = unzCloseCurrentFile(m_hUnz);
    m_nCurrent = -1;
    return Result(closeRc == UNZ_OK ? ZIPR_OK : UnzError(closeRc));
}

LPCWSTR CZipReader::GetZipMessageText(DWORD code)
{
    switch (code) {
    case ZIPR_OK: return L"Success";
    case ZIPR_NODUPHANDLE: return L"Culdn't duplicate handle";
    case ZIPR_NOFILE: return L"Couldn't create/open file";
    case ZIPR_NOALLOC: return L"Failed to allocate memory";
    case ZIPR_WRITE: return L"Error writing to file";
    case ZIPR_NOTFOUND: return L"File not found in the zipfile";
    case ZIPR_MORE: return L"Still more data to unzip";
    case ZIPR_CORRUPT: return L"Zipfile is corrupt or not a zipfile";
    case ZIPR_READ: return L"Error reading file";
    case ZIPR_ARGS: return L"Caller: faulty arguments";
    case ZIPR_NOTMMAP: return L"Caller: can only get memory of a memory zipfile";
    case ZIPR_MEMSIZE: return L"Caller: not enough space allocated for memory zipfile";
    case ZIPR_FAILED: return L"Caller: there was a previous error";
    case ZIPR_ENDED: return L"Caller: additions to the zip have already been ended";
    case ZIPR_MISSIZE: return L"Zip-bug: the anticipated size turned out wrong";
    case ZIPR_PARTIALUNZ: return L"Caller: the file had already been partially unzipped";
    case ZIPR_ZMODE: return L"Caller: mixing creation and opening of zip";
    case ZIPR_NOTINITED: return L"Zip-bug: internal initialisation not completed";
    case ZIPR_SEEK: return L"Zip-bug: trying to seek the unseekable";
    case ZIPR_NOCHANGE: return L"Zip-bug: tried to change mind, but not allowed";
    case ZIPR_FLATE: return L"Zip-bug: an internal error during flation";
    default: return L"unknown zip result code";
    }
}

DWORD CZipReader::FormatZipMessage(DWORD code, LPWSTR pszBuffer, DWORD cchBuffer) const
{
    LPCWSTR text = GetZipMessageText(code == ZIPR_RECENT ? m_lastResult : code);
    const DWORD len = static_cast<DWORD>(lstrlenW(text));
    if (pszBuffer && cchBuffer > 0) {
        DWORD n = std::min(len, cchBuffer - 1);
        std::memcpy(pszBuffer, text, n * sizeof(wchar_t));
        pszBuffer[n] = 0;
    }
    return len;
}
