#include "controls/CHtmlResource.h"
#include "framework/ModuleState.h"
#include <cwctype>

CString CHtmlResource::Load(UINT nResourceId)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(nResourceId), MAKEINTRESOURCEW(23));
    if (!found)
        return CString();
    HGLOBAL loaded = ::LoadResource(module, found);
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (!bytes)
        return CString();
    return Decode(bytes, ::SizeofResource(module, found));
}

namespace {

// The wide character at index i of the bytes (little-endian, as the resource compiler writes it).
wchar_t WideAt(const BYTE* bytes, DWORD i)
{
    return static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

bool StartsWithHtmlTag(const BYTE* bytes, DWORD wideCount)
{
    if (wideCount < 5 || WideAt(bytes, 0) != L'<')
        return false;
    static const wchar_t kTag[] = L"HTML";
    for (DWORD i = 0; i < 4; ++i) {
        if (static_cast<wchar_t>(std::towupper(WideAt(bytes, i + 1))) != kTag[i])
            return false;
    }
    return true;
}

} // namespace

CString CHtmlResource::Decode(const BYTE* pBytes, DWORD size)
{
    CString text = DecodeAll(pBytes, size);
    // A page written with a terminator keeps it out of the text.
    int length = text.GetLength();
    while (length > 0 && text[length - 1] == L'\0')
        --length;
    return length == text.GetLength() ? text : text.Left(length);
}

CString CHtmlResource::DecodeAll(const BYTE* pBytes, DWORD size)
{
    if (!pBytes || size == 0)
        return CString();
    const DWORD wideCount = size / 2; // a last odd byte is no character
    const bool bom = wideCount >= 1 && WideAt(pBytes, 0) == 0xFEFF;
    if (bom || StartsWithHtmlTag(pBytes, wideCount)) {
        const DWORD first = bom ? 1 : 0;
        CString text;
        wchar_t* out = text.GetBuffer(static_cast<int>(wideCount - first));
        for (DWORD i = first; i < wideCount; ++i)
            out[i - first] = WideAt(pBytes, i);
        text.ReleaseBuffer(static_cast<int>(wideCount - first));
        return text;
    }
    const int length = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(pBytes), static_cast<int>(size),
                                             nullptr, 0);
    if (length <= 0)
        return CString();
    CString text;
    ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(pBytes), static_cast<int>(size),
                          text.GetBuffer(length), length);
    text.ReleaseBuffer(length);
    return text;
}
