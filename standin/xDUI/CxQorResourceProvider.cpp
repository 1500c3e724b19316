#include "platform/xDUI/CxQorResourceProvider.h"
#include "standin/xDUI/ZipArchive.h"

namespace xDuiLib {

bool CxQorResourceProvider::SetFile(LPCWSTR pstrArchive)
{
    m_archive.clear();
    if (!pstrArchive || !*pstrArchive)
        return false;
    ZipArchive zip;
    if (!zip.OpenFile(pstrArchive))
        return false;
    m_archive = pstrArchive;
    return true;
}

bool CxQorResourceProvider::ReadStream(LPCWSTR pstrStream, std::string& data) const
{
    data.clear();
    if (m_archive.empty() || !pstrStream || !*pstrStream)
        return false;
    // The archive is opened per call, so the file is not held open between the calls of
    // start-up (the view library may replace it).
    ZipArchive zip;
    return zip.OpenFile(m_archive) && zip.Read(pstrStream, data);
}

DWORD CxQorResourceProvider::GetSize(LPCWSTR pstrStream) const
{
    if (m_archive.empty() || !pstrStream || !*pstrStream)
        return 0;
    ZipArchive zip;
    unsigned long long size = 0;
    if (!zip.OpenFile(m_archive) || !zip.GetSize(pstrStream, size) || size > 0xFFFFFFFFull)
        return 0;
    return static_cast<DWORD>(size);
}

bool CxQorResourceProvider::GetStream(LPCWSTR pstrStream, void* pBuffer, DWORD dwSize) const
{
    if (!pBuffer)
        return false;
    std::string data;
    if (!ReadStream(pstrStream, data) || data.size() > dwSize)
        return false;
    memcpy(pBuffer, data.data(), data.size());
    return true;
}

bool CxQorResourceProvider::ExtractToFile(LPCWSTR pstrStream, LPCWSTR pstrFile) const
{
    if (!pstrFile || !*pstrFile)
        return false;
    std::string data;
    if (!ReadStream(pstrStream, data))
        return false;
    // Write beside the target first, so a failed write never leaves half a skin behind.
    std::wstring temp = std::wstring(pstrFile) + L".part";
    HANDLE h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = data.empty() || (::WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                               written == data.size());
    ::CloseHandle(h);
    if (ok)
        ok = ::MoveFileExW(temp.c_str(), pstrFile, MOVEFILE_REPLACE_EXISTING) != FALSE;
    if (!ok)
        ::DeleteFileW(temp.c_str());
    return ok;
}

} // namespace xDuiLib
