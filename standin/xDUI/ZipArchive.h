#pragma once
// A read-only zip over minizip, opened from memory or from a file with a wide path.
// Entry names are looked up without letter case and with '\\' read as '/'.
#include "framework/Platform.h"
#include <map>
#include <string>
#include <vector>

namespace xDuiLib {

class ZipArchive {
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // The memory is not copied and must outlive the archive.
    bool OpenMemory(const void* pData, DWORD dwSize);
    bool OpenFile(const std::wstring& path);
    void Close();
    bool IsOpen() const { return m_zip != nullptr; }

    // Every entry name as stored, in zip order (folders excluded).
    const std::vector<std::wstring>& Names() const { return m_names; }
    // Uncompressed size of an entry; false when there is none of that name.
    bool GetSize(const std::wstring& name, unsigned long long& size);
    // Reads a whole entry; false when missing, damaged or larger than maxSize.
    bool Read(const std::wstring& name, std::string& data, unsigned long long maxSize = 256ull << 20);

    // The key under which a name is indexed.
    static std::wstring Key(const std::wstring& name);

    // The read position over a zip held in memory (minizip's stream for OpenMemory).
    struct MemoryStream {
        const unsigned char* data;
        unsigned long long size;
        unsigned long long pos;
    };

private:
    bool Index();
    bool Locate(const std::wstring& name);

    void* m_zip = nullptr; // unzFile
    MemoryStream m_memory = {};
    std::vector<std::wstring> m_names;
    std::map<std::wstring, std::pair<unsigned long long, unsigned long long>> m_positions; // key -> unz64_file_pos
};

} // namespace xDuiLib
