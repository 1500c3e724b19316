#include "platform/xDUI/CFileResourceProvider.h"

namespace xDuiLib {

bool CFileResourceProvider::SetPath(LPCWSTR pstrFolder)
{
    m_folder.clear();
    if (!pstrFolder || !*pstrFolder)
        return false;
    DWORD attr = ::GetFileAttributesW(pstrFolder);
    if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    m_folder = pstrFolder;
    while (!m_folder.empty() && (m_folder.back() == L'\\' || m_folder.back() == L'/'))
        m_folder.pop_back();
    return true;
}

bool CFileResourceProvider::GetResource(LPCWSTR name, std::string& data) const
{
    data.clear();
    if (m_folder.empty() || !name || !*name)
        return false;
    std::wstring rel = name;
    for (auto& ch : rel)
        if (ch == L'/')
            ch = L'\\';
    // A skin file never leaves its folder: no absolute paths, drives or parent steps.
    if (rel[0] == L'\\' || rel.find(L':') != std::wstring::npos || rel.find(L"..") != std::wstring::npos)
        return false;
    std::wstring path = m_folder + L"\\" + rel;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    bool ok = ::GetFileSizeEx(h, &size) && size.QuadPart < (256 << 20);
    if (ok) {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = data.empty() || (::ReadFile(h, &data[0], static_cast<DWORD>(data.size()), &read, nullptr) &&
                              read == data.size());
    }
    ::CloseHandle(h);
    if (!ok)
        data.clear();
    return ok;
}

} // namespace xDuiLib
