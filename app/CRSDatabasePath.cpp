#include "app/CRSDatabasePath.h"
#include <vector>

void CRSDatabasePath::Set(const CString& strPath)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, strPath.GetString(), strPath.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0 && !strPath.IsEmpty())
        return;
    std::string utf8(static_cast<size_t>(n), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, strPath.GetString(), strPath.GetLength(), &utf8[0], n, nullptr, nullptr);
    m_strPath = utf8;
}

void CRSDatabasePath::SetLocal(const char* pszPath)
{
    if (!pszPath)
        return;
    int n = ::MultiByteToWideChar(CP_ACP, 0, pszPath, -1, nullptr, 0);
    if (n <= 0)
        return;
    std::vector<wchar_t> wide(static_cast<size_t>(n));
    ::MultiByteToWideChar(CP_ACP, 0, pszPath, -1, wide.data(), n);
    Set(CString(wide.data()));
}
