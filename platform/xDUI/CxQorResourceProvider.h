#pragma once
// The reader of the skin archive res.adat: a zip of named streams, of which "QorSkin" is
// the zipped skin. The program opens the archive with SetFile, asks the stream's size,
// reads it into its own buffer (GetStream) or, failing that, writes it out to a file
// (ExtractToFile) and hands the result to a CZipResourceProvider.
#include "framework/Platform.h"
#include <string>

namespace xDuiLib {

class CxQorResourceProvider {
public:
    CxQorResourceProvider() = default;
    ~CxQorResourceProvider() = default;

    // Opens the archive; false when the file is missing or not an archive.
    bool SetFile(LPCWSTR pstrArchive);
    LPCWSTR GetFile() const { return m_archive.c_str(); }

    // Uncompressed size of the stream; 0 when the archive is not open or has no such stream.
    DWORD GetSize(LPCWSTR pstrStream) const;
    // Reads the whole stream into pBuffer of dwSize bytes; false when the buffer is smaller
    // than the stream or the stream cannot be read.
    bool GetStream(LPCWSTR pstrStream, void* pBuffer, DWORD dwSize) const;
    // Writes the stream to a file (replacing it); false on any failure, with no file left.
    bool ExtractToFile(LPCWSTR pstrStream, LPCWSTR pstrFile) const;

private:
    bool ReadStream(LPCWSTR pstrStream, std::string& data) const;

    std::wstring m_archive;
};

} // namespace xDuiLib
