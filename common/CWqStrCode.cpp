#include "common/CWqStrCode.h"
#include "common/CWqStringMgr.h"
#include <cstring>
#include <memory>
#include <vector>

namespace {

bool IsUrlSafe(BYTE b)
{
    // The C runtime's default classification: ASCII only, whatever the code page.
    return b == '.' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

bool IsBlank(BYTE b)
{
    return b == ' ' || (b >= 9 && b <= 13);
}

int HexValue(BYTE b)
{
    if (b >= '0' && b <= '9')
        return b - '0';
    if (b >= 'A' && b <= 'F')
        return b - 'A' + 10;
    if (b >= 'a' && b <= 'f')
        return b - 'a' + 10;
    return -1;
}

wchar_t* NewWide(const char* psz, int length, UINT codePage)
{
    if (!psz || length == 0) {
        wchar_t* p = new wchar_t[1];
        p[0] = 0;
        return p;
    }
    int n = ::MultiByteToWideChar(codePage, 0, psz, length, nullptr, 0);
    wchar_t* p = new wchar_t[n + 1];
    if (n > 0)
        ::MultiByteToWideChar(codePage, 0, psz, length, p, n);
    p[n > 0 ? n : 0] = 0;
    // A terminated input already brought its terminator along.
    return p;
}

} // namespace

CString CWqStrCode::UrlEncode(const CString& text, int mode)
{
    CWqBuffer buffer;
    if (mode == URL_ANSI)
        WideToAnsiBuffer(text, buffer);
    else if (mode == URL_UTF8)
        WideToUtf8Buffer(text, buffer, FALSE);
    return UrlEncodeBytes(buffer);
}

CString CWqStrCode::UrlEncodeBytes(const CWqBuffer& in)
{
    static const wchar_t hex[] = L"0123456789ABCDEF";
    CString out;
    out.Preallocate(static_cast<int>(in.GetSize()) * 3 + 1);
    for (DWORD i = 0; i < in.GetSize(); ++i) {
        BYTE b = in.GetAt(i);
        if (IsUrlSafe(b)) {
            out += static_cast<wchar_t>(b);
        } else if (IsBlank(b)) {
            out += L'+';
        } else {
            out += L'%';
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    return out;
}

void CWqStrCode::UrlDecodeBytes(const CWqBuffer& in, CWqBuffer& out)
{
    const DWORD n = in.GetSize();
    if (in.FindByte('%') < 0) {
        out.AppendBuffer(in);
        return;
    }
    for (DWORD i = 0; i < n;) {
        BYTE b = in.GetAt(i);
        if (b != '%') {
            out.AppendChar(b);
            ++i;
            continue;
        }
        if (i + 1 < n && in.GetAt(i + 1) == '%') {
            out.AppendChar('%');
            i += 2;
            continue;
        }
        int hi = i + 2 < n ? HexValue(in.GetAt(i + 1)) : -1;
        int lo = i + 2 < n ? HexValue(in.GetAt(i + 2)) : -1;
        if (hi < 0 || lo < 0) {
            // A truncated or non-hexadecimal escape is kept as it stands.
            out.AppendChar(b);
            ++i;
            continue;
        }
        out.AppendChar(static_cast<BYTE>(hi * 16 + lo));
        i += 3;
    }
}

void CWqStrCode::WideToAnsiBuffer(const CString& text, CWqBuffer& out)
{
    int n = text.IsEmpty() ? 0
                           : ::WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(), nullptr, 0,
                                                   nullptr, nullptr);
    if (n < 0)
        n = 0;
    out.Reserve(static_cast<DWORD>(n));
    out.SetSize(static_cast<DWORD>(n));
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(),
                              reinterpret_cast<char*>(out.GetData()), n, nullptr, nullptr);
}

void CWqStrCode::WideToUtf8Buffer(const CString& text, CWqBuffer& out, BOOL bTerminate)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text.GetString(), -1, nullptr, 0, nullptr, nullptr);
    if (n > 0) {
        std::vector<char> tmp(n);
        ::WideCharToMultiByte(CP_UTF8, 0, text.GetString(), -1, tmp.data(), n, nullptr, nullptr);
        out.Append(tmp.data(), static_cast<DWORD>(std::strlen(tmp.data())));
    }
    if (bTerminate)
        out.AppendByte(0);
}

wchar_t* CWqStrCode::Utf8ToWide(const char* pUtf8, int length)
{
    return NewWide(pUtf8, length, CP_UTF8);
}

CString CWqStrCode::Utf8ToString(const char* pUtf8, int length)
{
    std::unique_ptr<wchar_t[]> p(Utf8ToWide(pUtf8, length));
    return CString(p.get());
}

wchar_t* CWqStrCode::AnsiToWide(const char* pszAnsi)
{
    return NewWide(pszAnsi, -1, CP_ACP);
}

char* CWqStrCode::Utf8ToAnsi(const char* pUtf8, int length)
{
    std::unique_ptr<wchar_t[]> wide(Utf8ToWide(pUtf8, length));
    int n = ::WideCharToMultiByte(CP_ACP, 0, wide.get(), -1, nullptr, 0, nullptr, nullptr);
    if (n < 1)
        n = 1;
    char* p = new char[n];
    p[0] = 0;
    ::WideCharToMultiByte(CP_ACP, 0, wide.get(), -1, p, n, nullptr, nullptr);
    p[n - 1] = 0;
    return p;
}

wchar_t* CWqStrCode::MultiByteToWideInto(const char* psz, UINT codePage, wchar_t* buffer, int bufferChars)
{
    if (!psz || !buffer || bufferChars <= 0)
        return nullptr;
    if (::MultiByteToWideChar(codePage, 0, psz, -1, buffer, bufferChars) <= 0) {
        buffer[0] = 0;
        return nullptr;
    }
    return buffer;
}

CString CWqStrCode::XmlEscape(const CString& text)
{
    return CWqStringMgr::XmlEscape(text);
}

BOOL CWqStrCode::LoadTextFile(const CString& path, CString& text)
{
    HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    std::vector<char> bytes;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(h, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    ::CloseHandle(h);
    const int n = static_cast<int>(bytes.size());
    if (n >= 3 && static_cast<BYTE>(bytes[0]) == 0xEF && static_cast<BYTE>(bytes[1]) == 0xBB &&
        static_cast<BYTE>(bytes[2]) == 0xBF)
        text = Utf8ToString(bytes.data() + 3, n - 3);
    else
        text = CString(bytes.data(), n);
    return TRUE;
}

BOOL CWqStrCode::SaveTextFileUtf8(const CString& path, const CString& text, BOOL bMark)
{
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    CWqBuffer bytes;
    if (bMark && ::SetFilePointer(h, 0, nullptr, FILE_CURRENT) == 0) {
        static const BYTE mark[] = {0xEF, 0xBB, 0xBF};
        bytes.Append(mark, 3);
    }
    WideToUtf8Buffer(text, bytes, FALSE);
    DWORD written = 0;
    BOOL ok = bytes.GetSize() == 0 || (::WriteFile(h, bytes.GetData(), bytes.GetSize(), &written, nullptr) &&
                                       written == bytes.GetSize());
    ::CloseHandle(h);
    return ok;
}
