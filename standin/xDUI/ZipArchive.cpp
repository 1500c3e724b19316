#include "standin/xDUI/ZipArchive.h"
#include <unzip.h>
#include <iowin32.h>
#include <cwctype>

namespace xDuiLib {

namespace {

// minizip's stream functions over a block of memory; the opaque value is the stream.
voidpf ZCALLBACK MemOpen(voidpf opaque, const void*, int mode)
{
    // Only reading is offered.
    return (mode & ZLIB_FILEFUNC_MODE_WRITE) ? nullptr : opaque;
}

uLong ZCALLBACK MemRead(voidpf, voidpf stream, void* buf, uLong size)
{
    auto* m = static_cast<ZipArchive::MemoryStream*>(stream);
    unsigned long long left = m->pos < m->size ? m->size - m->pos : 0;
    uLong n = static_cast<uLong>(left < size ? left : size);
    if (n)
        memcpy(buf, m->data + m->pos, n);
    m->pos += n;
    return n;
}

uLong ZCALLBACK MemWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK MemTell(voidpf, voidpf stream)
{
    return static_cast<ZipArchive::MemoryStream*>(stream)->pos;
}

long ZCALLBACK MemSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* m = static_cast<ZipArchive::MemoryStream*>(stream);
    unsigned long long base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_CUR: base = m->pos; break;
    case ZLIB_FILEFUNC_SEEK_END: base = m->size; break;
    case ZLIB_FILEFUNC_SEEK_SET: base = 0; break;
    default: return -1;
    }
    if (base + offset > m->size)
        return -1;
    m->pos = base + offset;
    return 0;
}

int ZCALLBACK MemClose(voidpf, voidpf) { return 0; }
int ZCALLBACK MemError(voidpf, voidpf) { return 0; }

std::wstring FromZipName(const char* name, bool utf8)
{
    int n = ::MultiByteToWideChar(utf8 ? CP_UTF8 : CP_OEMCP, 0, name, -1, nullptr, 0);
    if (n <= 1)
        return std::wstring();
    std::wstring w(n - 1, L'\0');
    ::MultiByteToWideChar(utf8 ? CP_UTF8 : CP_OEMCP, 0, name, -1, &w[0], n);
    return w;
}

} // namespace

ZipArchive::~ZipArchive()
{
    Close();
}

std::wstring ZipArchive::Key(const std::wstring& name)
{
    std::wstring k = name;
    for (auto& ch : k) {
        if (ch == L'\\')
            ch = L'/';
        else
            ch = static_cast<wchar_t>(std::towlower(ch));
    }
    while (!k.empty() && k[0] == L'/')
        k.erase(0, 1);
    return k;
}

bool ZipArchive::OpenMemory(const void* pData, DWORD dwSize)
{
    Close();
    if (!pData || dwSize == 0)
        return false;
    m_memory.data = static_cast<const unsigned char*>(pData);
    m_memory.size = dwSize;
    m_memory.pos = 0;
    zlib_filefunc64_def ff = {};
    ff.zopen64_file = MemOpen;
    ff.zread_file = MemRead;
    ff.zwrite_file = MemWrite;
    ff.ztell64_file = MemTell;
    ff.zseek64_file = MemSeek;
    ff.zclose_file = MemClose;
    ff.zerror_file = MemError;
    ff.opaque = &m_memory;
    m_zip = unzOpen2_64(&m_memory, &ff);
    return Index();
}

bool ZipArchive::OpenFile(const std::wstring& path)
{
    Close();
    if (path.empty())
        return false;
    zlib_filefunc64_def ff = {};
    fill_win32_filefunc64W(&ff);
    m_zip = unzOpen2_64(path.c_str(), &ff);
    return Index();
}

void ZipArchive::Close()
{
    if (m_zip)
        unzClose(static_cast<unzFile>(m_zip));
    m_zip = nullptr;
    m_names.clear();
    m_positions.clear();
    m_memory = {};
}

bool ZipArchive::Index()
{
    if (!m_zip)
        return false;
    unzFile zf = static_cast<unzFile>(m_zip);
    int rc = unzGoToFirstFile(zf);
    while (rc == UNZ_OK) {
        char name[1024];
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zf, &info, name, sizeof(name), nullptr, 0, nullptr, 0) != UNZ_OK)
            break;
        std::wstring wname = FromZipName(name, (info.flag & 0x800) != 0);
        if (!wname.empty() && wname.back() != L'/') {
            unz64_file_pos pos;
            if (unzGetFilePos64(zf, &pos) == UNZ_OK) {
                std::wstring key = Key(wname);
                if (!m_positions.count(key)) {
                    m_positions[key] = { pos.pos_in_zip_directory, pos.num_of_file };
                    m_names.push_back(wname);
                }
            }
        }
        rc = unzGoToNextFile(zf);
    }
    if (rc != UNZ_END_OF_LIST_OF_FILE) {
        Close();
        return false;
    }
    return true;
}

bool ZipArchive::Locate(const std::wstring& name)
{
    if (!m_zip)
        return false;
    auto it = m_positions.find(Key(name));
    if (it == m_positions.end())
        return false;
    unz64_file_pos pos;
    pos.pos_in_zip_directory = it->second.first;
    pos.num_of_file = it->second.second;
    return unzGoToFilePos64(static_cast<unzFile>(m_zip), &pos) == UNZ_OK;
}

bool ZipArchive::GetSize(const std::wstring& name, unsigned long long& size)
{
    size = 0;
    if (!Locate(name))
        return false;
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(static_cast<unzFile>(m_zip), &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    size = info.uncompressed_size;
    return true;
}

bool ZipArchive::Read(const std::wstring& name, std::string& data, unsigned long long maxSize)
{
    data.clear();
    unsigned long long size = 0;
    if (!GetSize(name, size) || size > maxSize)
        return false;
    unzFile zf = static_cast<unzFile>(m_zip);
    if (unzOpenCurrentFile(zf) != UNZ_OK)
        return false;
    data.resize(static_cast<size_t>(size));
    size_t done = 0;
    bool ok = true;
    while (done < data.size()) {
        unsigned chunk = static_cast<unsigned>(std::min<size_t>(data.size() - done, 1u << 20));
        int n = unzReadCurrentFile(zf, &data[done], chunk);
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    // Closing checks the CRC once the whole entry was read.
    if (unzCloseCurrentFile(zf) != UNZ_OK)
        ok = false;
    if (!ok)
        data.clear();
    return ok;
}

} // namespace xDuiLib
