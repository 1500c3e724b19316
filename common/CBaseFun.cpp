#include "common/CBaseFun.h"
#include "common/CCommFun.h"
#include "common/CMyIniFile.h"
#include "common/CWqStringMgr.h"
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>
#include <cwctype>
#include <string>

namespace {

CString JoinPath(const CString& folder, const CString& name)
{
    return folder + L"\\" + name;
}

CString EnsureFolder(const CString& folder)
{
    ::CreateDirectoryW(folder, nullptr);
    return folder;
}

// A user name becomes a folder name: one that holds a path separator, a drive colon or is a
// ".." step would put the user's files elsewhere.
bool IsSafeFolderName(const CString& name)
{
    return !name.IsEmpty() && name.FindOneOf(L"\\/:") < 0 && name != L"." && name != L"..";
}

BOOL WriteBytes(const CString& path, const void* data, DWORD size, DWORD disposition)
{
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL ok = size == 0 || (::WriteFile(h, data, size, &written, nullptr) && written == size);
    ::CloseHandle(h);
    return ok;
}

} // namespace

BOOL CBaseFun::ReadFileText(const CString& path, CString& text)
{
    return CMyIniFile::ReadFileText(path, text);
}

BOOL CBaseFun::WriteFileBytes(const CString& path, const CString& text)
{
    std::string bytes;
    for (int i = 0; i < text.GetLength(); ++i)
        bytes += static_cast<char>(text[i] & 0xFF);
    return WriteBytes(path, bytes.data(), static_cast<DWORD>(bytes.size()), CREATE_ALWAYS);
}

BOOL CBaseFun::SaveEscapedText(const CString& path, CString text)
{
    text.Replace(L"&", L"&amp;");
    CStringA bytes(text.GetString());
    return WriteBytes(path, bytes.GetString(), static_cast<DWORD>(bytes.GetLength()), CREATE_NEW);
}

BOOL CBaseFun::CopyFileTo(const CString& source, const CString& folder, const CString& fileName)
{
    CString target;
    target.Format(L"%s//%s", folder.GetString(), fileName.GetString());
    // The shell wants lists ending in two terminators.
    std::wstring from(source.GetString(), source.GetLength());
    from.append(2, L'\0');
    std::wstring to(target.GetString(), target.GetLength());
    to.append(2, L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    // No dialog may wait for an answer: failures come back as the result.
    op.fFlags = FOF_SIMPLEPROGRESS | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_SILENT;
    op.lpszProgressTitle = L"File copying";
    return ::SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

BOOL CBaseFun::DeleteFolderTree(const CString& folder)
{
    CString pattern;
    pattern.Format(L"%s\\*.*", folder.GetString());
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(pattern, &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            CString name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            CString path;
            path.Format(L"%s\\%s", folder.GetString(), name.GetString());
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteFolderTree(path);
            } else {
                ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path);
            }
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    return ::RemoveDirectoryW(folder);
}

BOOL CBaseFun::IsFolder(const CString& path)
{
    DWORD attr = ::GetFileAttributesW(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CBaseFun::HasSubFolder(const CString& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(folder + L"\\*", &fd);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL found = FALSE;
    do {
        CString name = fd.cFileName;
        if (name != L"." && name != L".." && (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            found = TRUE;
    } while (!found && ::FindNextFileW(h, &fd));
    ::FindClose(h);
    return found;
}

BOOL CBaseFun::SplitFirst(CString& text, CString& head, CString delimiter)
{
    return CWqStringMgr::SplitFirst(text, head, delimiter);
}

CString CBaseFun::GetFileDir(const CString& path)
{
    return CCommFun::GetDirectory(path);
}

CString CBaseFun::GetFileName(const CString& path)
{
    CString name = path.Mid(path.ReverseFind(L'\\') + 1);
    name.Trim(L'\\');
    return name;
}

void CBaseFun::SplitAddress(const CString& url, CString& scheme, CString& rest, CString& query)
{
    CString address = url;
    query.Empty();
    int q = address.Find(L'?');
    if (q >= 0) {
        query = address.Mid(q + 1);
        address = address.Left(q);
    }
    int a = address.Find(L"://");
    int b = address.Find(L":\\\\");
    int p = (a >= 0 && (b < 0 || a < b)) ? a : b;
    if (p < 0) {
        scheme.Empty();
        rest = address;
        return;
    }
    scheme = address.Left(p);
    rest = address.Mid(p + 3);
}

namespace {

void ShellOpenAddress(const CString& url)
{
    ::ShellExecuteW(nullptr, L"open", url.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
}

CBaseFun::PFNOPENADDRESS s_pfnOpenAddress = ShellOpenAddress;

} // namespace

BOOL CBaseFun::IsOpenableLink(const CString& url)
{
    // Longer than any browser takes an address.
    const int kMaxLength = 2048;
    CString link = url;
    link.Trim();
    if (link.IsEmpty() || link.GetLength() > kMaxLength)
        return FALSE;
    for (int i = 0; i < link.GetLength(); ++i) {
        const wchar_t ch = link[i];
        if (ch <= L' ' || ch == 0x7F || ch == L'"' || iswspace(ch))
            return FALSE;
    }
    CString lower = link;
    lower.MakeLower();
    if (lower.Left(7) == L"mailto:")
        return link.GetLength() > 7;
    // A web address names a host: "http:///x" and "http://\\server" name none.
    for (const wchar_t* scheme : {L"http://", L"https://"}) {
        const int n = static_cast<int>(wcslen(scheme));
        if (lower.Left(n) == scheme)
            return link.GetLength() > n && link[n] != L'/' && link[n] != L'\\';
    }
    return FALSE;
}

BOOL CBaseFun::OpenAddress(const CString& url)
{
    if (!IsOpenableLink(url))
        return FALSE;
    CString link = url;
    link.Trim();
    s_pfnOpenAddress(link);
    return TRUE;
}

CBaseFun::PFNOPENADDRESS CBaseFun::SetAddressOpener(PFNOPENADDRESS pfn)
{
    PFNOPENADDRESS old = s_pfnOpenAddress;
    s_pfnOpenAddress = pfn ? pfn : ShellOpenAddress;
    return old;
}

void CBaseFun::ParseLink(const CString& link, CString& scheme, CString& path, CString& query)
{
    scheme.Empty();
    path.Empty();
    query.Empty();
    CString rest = link;
    int p = link.Find(L"://");
    if (p >= 0) {
        scheme = link.Left(p);
        rest = link.Mid(p + 3);
    } else if (link.GetLength() >= 3 && iswalpha(link[0]) && link[1] == L':' && link[2] == L'\\') {
        scheme = L"FILE";
    }
    int q = rest.Find(L'?');
    if (q >= 0) {
        path = rest.Left(q);
        query = rest.Mid(q + 1);
    } else if (rest.Find(L'=') >= 0) {
        query = rest;
    } else {
        path = rest;
    }
}

BOOL CBaseFun::GetKeyValue(CString list, const CString& key, CString& value, CString separator)
{
    CString item;
    while (CWqStringMgr::SplitFirst(list, item, separator)) {
        int eq = item.Find(L'=');
        if (eq < 0)
            continue;
        CString k = item.Left(eq);
        k.Trim(L' ');
        if (k.CompareNoCase(key) != 0)
            continue;
        value = item.Mid(eq + 1);
        value.Trim(L" \"");
        return TRUE;
    }
    return FALSE;
}

BOOL CBaseFun::IsIntegerText(const CString& text)
{
    if (text.IsEmpty() || text.SpanIncluding(L"0123456789").GetLength() != text.GetLength())
        return FALSE;
    return CWqStringMgr::IsIntegerText(text);
}

BOOL CBaseFun::IsDecimalText(const CString& text)
{
    const int n = text.GetLength();
    if (n == 0 || text.SpanIncluding(L"0123456789.").GetLength() != n)
        return FALSE;
    int dot = text.Find(L'.');
    if (dot < 0)
        return TRUE;
    return dot != 0 && dot != n - 1 && text.Find(L'.', dot + 1) < 0;
}

int CBaseFun::FindInArray(const std::vector<int>& values, int value)
{
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i] == value)
            return static_cast<int>(i);
    }
    return -1;
}

int CBaseFun::FindInArray(const CStringArray& texts, const CString& text)
{
    for (INT_PTR i = 0; i < texts.GetSize(); ++i) {
        if (texts[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

CString CBaseFun::NewGuidText()
{
    GUID g;
    if (FAILED(::CoCreateGuid(&g)))
        return CString();
    CString out;
    out.Format(L"%08lX-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X", g.Data1, g.Data2, g.Data3, g.Data4[0],
               g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return out;
}

BOOL CBaseFun::GetWindowsVersion(DWORD& major, DWORD& minor, DWORD& build)
{
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
        major = info.dwMajorVersion;
        minor = info.dwMinorVersion;
        build = info.dwBuildNumber;
        return TRUE;
    }
    DWORD v = ::GetVersion();
    major = LOBYTE(LOWORD(v));
    minor = HIBYTE(LOWORD(v));
    build = (v & 0x80000000) ? 0 : HIWORD(v);
    return TRUE;
}

BOOL CBaseFun::GetLocalTimeParts(time_t t, int& year, int& month, int& day, int& hour, int& minute, int& second)
{
    std::tm parts = {};
    if (localtime_s(&parts, &t) != 0)
        return FALSE;
    year = parts.tm_year + 1900;
    month = parts.tm_mon + 1;
    day = parts.tm_mday;
    hour = parts.tm_hour;
    minute = parts.tm_min;
    second = parts.tm_sec;
    return TRUE;
}

CString CBaseFun::FormatDateTime(time_t t)
{
    int y, mo, d, h, mi, s;
    if (!GetLocalTimeParts(t, y, mo, d, h, mi, s))
        return CString();
    CString out;
    out.Format(L"%d-%d-%d %d:%d:%d", y, mo, d, h, mi, s);
    return out;
}

CString CBaseFun::GetIniString(const CString& file, const CString& section, const CString& key,
                               const CString& defaultValue)
{
    wchar_t buffer[255] = {};
    ::GetPrivateProfileStringW(section, key, defaultValue, buffer, 255, file);
    return buffer;
}

int CBaseFun::GetIniInt(const CString& file, const CString& section, const CString& key, int defaultValue)
{
    return static_cast<int>(::GetPrivateProfileIntW(section, key, defaultValue, file));
}

BOOL CBaseFun::WriteIniString(const CString& file, const CString& section, const CString& key, const CString& value)
{
    return ::WritePrivateProfileStringW(section, key, value, file);
}

BOOL CBaseFun::WriteIniInt(const CString& file, const CString& section, const CString& key, int value)
{
    CString text;
    text.Format(L"%d", value);
    return WriteIniString(file, section, key, text);
}

CString CBaseFun::GetUsersFolder()
{
    return EnsureFolder(CCommFun::GetAppPath() + L"\\Users");
}

CString CBaseFun::GetUsersDataIni()
{
    return GetUsersFolder() + L"\\Data.ini";
}

CString CBaseFun::GetUserFolder(const CString& user)
{
    if (!IsSafeFolderName(user))
        return CString();
    return EnsureFolder(JoinPath(GetUsersFolder(), user));
}

CString CBaseFun::GetUserAccountFile(const CString& user)
{
    CString folder = GetUserFolder(user);
    return folder.IsEmpty() ? CString() : JoinPath(folder, L"Account.dat");
}

CString CBaseFun::GetUserSaveDataFolder(const CString& user)
{
    CString folder = GetUserFolder(user);
    return folder.IsEmpty() ? CString() : EnsureFolder(JoinPath(folder, L"SaveData"));
}

BOOL CBaseFun::WriteErrorLog(const CString& text)
{
    CString folder = EnsureFolder(CCommFun::GetAppPath() + L"\\Data");
    CString line;
    line.Format(L"%s#%s\r\n", FormatDateTime(::time(nullptr)).GetString(), text.GetString());
    CStringA bytes(line.GetString());
    HANDLE h = ::CreateFileW(folder + L"\\Error.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL ok = ::WriteFile(h, bytes.GetString(), static_cast<DWORD>(bytes.GetLength()), &written, nullptr);
    ::CloseHandle(h);
    return ok;
}

BOOL CBaseFun::GetClassId(const CString& idOrProgId, CLSID& clsid)
{
    if (idOrProgId.IsEmpty())
        return FALSE;
    CString id = idOrProgId;
    HRESULT hr = id[0] == L'{' ? ::CLSIDFromString(const_cast<LPWSTR>(id.GetString()), &clsid)
                               : ::CLSIDFromProgID(id, &clsid);
    return SUCCEEDED(hr);
}

HRESULT CBaseFun::CreateObject(const CString& idOrProgId, REFIID riid, void** ppObject)
{
    if (!ppObject)
        return E_POINTER;
    *ppObject = nullptr;
    CLSID clsid;
    if (!GetClassId(idOrProgId, clsid))
        return REGDB_E_CLASSNOTREG;
    IUnknown* pUnk = nullptr;
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&pUnk));
    if (FAILED(hr))
        return hr;
    hr = ::OleRun(pUnk);
    if (SUCCEEDED(hr))
        hr = pUnk->QueryInterface(riid, ppObject);
    pUnk->Release();
    return hr;
}

CString CBaseFun::GetCookieFilePath()
{
    CString temp = CCommFun::GetTempFolder();
    temp.TrimRight(L'\\');
    return temp + L"\\SpaceCookie.dat";
}

HRESULT CBaseFun::CreateWebExt(IDispatch** ppWebExt)
{
    return CreateObject(L"QorCore.WebExt", IID_IDispatch, reinterpret_cast<void**>(ppWebExt));
}

BOOL CBaseFun::GradientFillRect(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, BOOL bVertical)
{
    TRIVERTEX v[2] = {};
    v[0].x = rect.left;
    v[0].y = rect.top;
    v[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
    v[1].x = rect.right;
    v[1].y = rect.bottom;
    v[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
    GRADIENT_RECT r = {0, 1};
    return ::GradientFill(hdc, v, 2, &r, 1, bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

BOOL CBaseFun::DrawBitmap(HDC hdc, int x, int y, HBITMAP hBitmap)
{
    BITMAP bm;
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return FALSE;
    HDC mem = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(mem, hBitmap);
    BOOL ok = ::BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return ok;
}

BOOL CBaseFun::StretchBitmap(HDC hdc, const RECT& target, HBITMAP hBitmap)
{
    BITMAP bm;
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return FALSE;
    HDC mem = ::CreateCompatibleDC(hdc);
    HGDIOBJ old = ::SelectObject(mem, hBitmap);
    ::SetStretchBltMode(hdc, COLORONCOLOR);
    BOOL ok = ::StretchBlt(hdc, target.left, target.top, target.right - target.left, target.bottom - target.top, mem,
                           0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return ok;
}

BOOL CBaseFun::DrawMaskedBitmap(HDC hdc, int x, int y, HBITMAP hBitmap, COLORREF transparent)
{
    BITMAP bm;
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return FALSE;
    const int w = bm.bmWidth, h = bm.bmHeight;
    HDC image = ::CreateCompatibleDC(hdc);
    HDC mask = ::CreateCompatibleDC(hdc);
    HBITMAP hMask = ::CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldImage = ::SelectObject(image, hBitmap);
    HGDIOBJ oldMask = ::SelectObject(mask, hMask);
    // Mask: white where the image has the transparent colour, black elsewhere.
    COLORREF oldBk = ::SetBkColor(image, transparent);
    ::BitBlt(mask, 0, 0, w, h, image, 0, 0, SRCCOPY);
    ::SetBkColor(image, oldBk);
    // Keep the target under the transparent pixels, the image everywhere else.
    COLORREF oldTargetBk = ::SetBkColor(hdc, RGB(255, 255, 255));
    COLORREF oldTargetText = ::SetTextColor(hdc, RGB(0, 0, 0));
    ::BitBlt(hdc, x, y, w, h, image, 0, 0, SRCINVERT);
    ::BitBlt(hdc, x, y, w, h, mask, 0, 0, SRCAND);
    BOOL ok = ::BitBlt(hdc, x, y, w, h, image, 0, 0, SRCINVERT);
    ::SetBkColor(hdc, oldTargetBk);
    ::SetTextColor(hdc, oldTargetText);
    ::SelectObject(mask, oldMask);
    ::SelectObject(image, oldImage);
    ::DeleteObject(hMask);
    ::DeleteDC(mask);
    ::DeleteDC(image);
    return ok;
}
