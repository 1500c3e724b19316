#include "controls/CWebPageAddress.h"
#include "common/CRegistryKey.h"
#include <cwctype>

BOOL CWebPageAddress::IsBlank(const CString& url)
{
    return url.IsEmpty() || url.CompareNoCase(L"about:blank") == 0;
}

CString CWebPageAddress::Resolve(const CString& url, const CString& base)
{
    if (url.Find(L':') >= 0 || base.IsEmpty())
        return url;
    const bool rooted = !url.IsEmpty() && url[0] == L'/';
    CString prefix = rooted ? CRegistryKey::GetUrlRoot(base) : CRegistryKey::GetUrlDirectory(base);
    // A base that is a bare host ("http://host") has its folder at the host, not in "://".
    const int scheme = base.Find(L"://");
    if (!rooted && scheme > 0 && prefix.GetLength() <= scheme + 3)
        prefix = base + L"/";
    if (prefix.IsEmpty())
        return url;
    if (rooted && prefix[prefix.GetLength() - 1] == L'/')
        return prefix + url.Mid(1);
    return prefix + url;
}

CString CWebPageAddress::GetOrigin(const CString& url)
{
    // A local path is a file address without its scheme.
    if (url.GetLength() >= 3 && std::iswalpha(url[0]) && url[1] == L':' && (url[2] == L'\\' || url[2] == L'/'))
        return CString(L"file://");
    const int scheme = url.Find(L"://");
    if (scheme <= 0)
        return CString();
    int end = scheme + 3;
    while (end < url.GetLength() && url[end] != L'/' && url[end] != L'\\' && url[end] != L'?' && url[end] != L'#')
        ++end;
    CString origin = url.Left(end);
    origin.MakeLower();
    return origin;
}
