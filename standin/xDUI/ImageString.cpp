#include "standin/xDUI/ImageString.h"
#include <cwctype>

namespace xDuiLib {

namespace {

bool ParseRect(const std::wstring& v, RECT& rc)
{
    long n[4] = {};
    const wchar_t* p = v.c_str();
    for (int i = 0; i < 4; ++i) {
        wchar_t* end = nullptr;
        n[i] = wcstol(p, &end, 10);
        if (end == p)
            return false;
        p = end;
        while (*p == L' ')
            ++p;
        if (i < 3) {
            if (*p != L',')
                return false;
            ++p;
        }
    }
    rc = { n[0], n[1], n[2], n[3] };
    return true;
}

bool IsTrue(const std::wstring& v)
{
    return _wcsicmp(v.c_str(), L"true") == 0 || v == L"1";
}

} // namespace

bool ImageString::Parse(const std::wstring& text)
{
    if (text.find(L'=') == std::wstring::npos) {
        // A bare image name.
        std::wstring name = text;
        while (!name.empty() && std::iswspace(name.back()))
            name.pop_back();
        size_t first = name.find_first_not_of(L" \t");
        if (first != std::wstring::npos)
            file = name.substr(first);
        return !file.empty();
    }
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::iswspace(text[i]))
            ++i;
        if (i >= text.size())
            break;
        size_t eq = text.find(L'=', i);
        if (eq == std::wstring::npos)
            return false;
        std::wstring key = text.substr(i, eq - i);
        while (!key.empty() && std::iswspace(key.back()))
            key.pop_back();
        size_t q = eq + 1;
        while (q < text.size() && std::iswspace(text[q]))
            ++q;
        if (q >= text.size() || (text[q] != L'\'' && text[q] != L'"'))
            return false;
        size_t close = text.find(text[q], q + 1);
        if (close == std::wstring::npos)
            return false;
        std::wstring value = text.substr(q + 1, close - q - 1);
        i = close + 1;

        if (_wcsicmp(key.c_str(), L"file") == 0)
            file = value;
        else if (_wcsicmp(key.c_str(), L"source") == 0)
            hasSource = ParseRect(value, source) || hasSource;
        else if (_wcsicmp(key.c_str(), L"dest") == 0)
            hasDest = ParseRect(value, dest) || hasDest;
        else if (_wcsicmp(key.c_str(), L"corner") == 0)
            ParseRect(value, corner);
        else if (_wcsicmp(key.c_str(), L"fade") == 0)
            fade = static_cast<BYTE>(std::max(0L, std::min(255L, wcstol(value.c_str(), nullptr, 10))));
        else if (_wcsicmp(key.c_str(), L"xtiled") == 0)
            xtiled = IsTrue(value);
        else if (_wcsicmp(key.c_str(), L"ytiled") == 0)
            ytiled = IsTrue(value);
        else if (_wcsicmp(key.c_str(), L"hole") == 0)
            hole = IsTrue(value);
        // Other attributes (align, mask, ...) are accepted and have no effect here.
    }
    return !file.empty();
}

} // namespace xDuiLib
