#include "platform/QorView/CShellIconInfo.h"
#include <shellapi.h>

CShellIconInfo::CShellIconInfo() = default;

CShellIconInfo::~CShellIconInfo()
{
    Destroy();
}

bool CShellIconInfo::EnsureLists()
{
    if (!m_normal.GetSafeHandle() && !m_normal.Create(32, 32, ILC_COLOR32 | ILC_MASK, 8, 8))
        return false;
    if (!m_small.GetSafeHandle() && !m_small.Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 8))
        return false;
    return true;
}

void CShellIconInfo::Destroy()
{
    m_types.clear();
    m_normal.DeleteImageList();
    m_small.DeleteImageList();
}

int CShellIconInfo::AddIconTypeToList(LPCWSTR lpszTypeName)
{
    EnsureLists();
    CString key(lpszTypeName ? lpszTypeName : L"");
    key.MakeLower();
    auto it = m_types.find(key);
    if (it != m_types.end())
        return it->second;
    const int index = static_cast<int>(m_types.size());
    m_types[key] = index;
    return index;
}

int CShellIconInfo::AddTypeIcon(LPCWSTR lpszExtension)
{
    if (!EnsureLists())
        return -1;
    CString key(lpszExtension ? lpszExtension : L"");
    key.MakeLower();
    auto it = m_types.find(key);
    if (it != m_types.end())
        return it->second;

    // The shell's icon of the type, without touching any file: a name made of the extension.
    const CString probe = L"file" + key;
    SHFILEINFOW large = {}, small = {};
    ::SHGetFileInfoW(probe, FILE_ATTRIBUTE_NORMAL, &large, sizeof(large),
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_LARGEICON);
    ::SHGetFileInfoW(probe, FILE_ATTRIBUTE_NORMAL, &small, sizeof(small),
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON);
    HICON hLarge = large.hIcon ? large.hIcon : ::LoadIconW(nullptr, IDI_APPLICATION);
    HICON hSmall = small.hIcon ? small.hIcon : hLarge;
    const int index = m_small.Add(hSmall);
    m_normal.Add(hLarge);
    if (large.hIcon)
        ::DestroyIcon(large.hIcon);
    if (small.hIcon)
        ::DestroyIcon(small.hIcon);
    if (index < 0)
        return -1;
    m_types[key] = index;
    return index;
}
