#include "framework/CString.h"
#include "framework/ModuleState.h"
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

// Character-width specific pieces, so that the template body reads the same for both.
bool IsSpace(wchar_t c) { return std::iswspace(c) != 0; }
bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
const wchar_t* FindIn(const wchar_t* set, wchar_t c) { return std::wcschr(set, c); }
const char* FindIn(const char* set, char c) { return std::strchr(set, c); }

void UpperInPlace(wchar_t* p, DWORD n) { if (n) ::CharUpperBuffW(p, n); }
void UpperInPlace(char* p, DWORD n) { if (n) ::CharUpperBuffA(p, n); }
void LowerInPlace(wchar_t* p, DWORD n) { if (n) ::CharLowerBuffW(p, n); }
void LowerInPlace(char* p, DWORD n) { if (n) ::CharLowerBuffA(p, n); }

int CompareNoCaseImpl(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
int CompareNoCaseImpl(const char* a, const char* b) { return _stricmp(a, b); }
int CollateImpl(const wchar_t* a, const wchar_t* b) { return std::wcscoll(a, b); }
int CollateImpl(const char* a, const char* b) { return std::strcoll(a, b); }
int CollateNoCaseImpl(const wchar_t* a, const wchar_t* b) { return _wcsicoll(a, b); }
int CollateNoCaseImpl(const char* a, const char* b) { return _stricoll(a, b); }

// The Microsoft runtime's formatting, where %s takes text of the format's own width.
int CountFormat(const wchar_t* f, va_list a) { return _vscwprintf(f, a); }
int CountFormat(const char* f, va_list a) { return _vscprintf(f, a); }
int DoFormat(wchar_t* buf, size_t n, const wchar_t* f, va_list a) { return _vsnwprintf(buf, n, f, a); }
int DoFormat(char* buf, size_t n, const char* f, va_list a) { return _vsnprintf(buf, n, f, a); }

// Narrow (ANSI code page) <-> wide conversion of a whole text.
std::wstring Convert(const char* s, int n)
{
    if (n < 0)
        n = static_cast<int>(std::strlen(s));
    if (n == 0)
        return std::wstring();
    int need = ::MultiByteToWideChar(CP_ACP, 0, s, n, nullptr, 0);
    std::wstring out(need, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, s, n, &out[0], need);
    return out;
}

std::string Convert(const wchar_t* s, int n)
{
    if (n < 0)
        n = static_cast<int>(std::wcslen(s));
    if (n == 0)
        return std::string();
    int need = ::WideCharToMultiByte(CP_ACP, 0, s, n, nullptr, 0, nullptr, nullptr);
    std::string out(need, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, s, n, &out[0], need, nullptr, nullptr);
    return out;
}

// The string table stores UTF-16 texts in blocks of 16; LoadStringW with a zero
// buffer size hands out a pointer into the resource without copying.
bool LoadFromTable(HINSTANCE h, UINT id, std::wstring& out)
{
    const wchar_t* p = nullptr;
    int n = ::LoadStringW(h, id, reinterpret_cast<LPWSTR>(&p), 0);
    if (n <= 0 || !p)
        return false;
    out.assign(p, n);
    return true;
}

void AssignLoaded(std::wstring& dst, const std::wstring& src) { dst = src; }
void AssignLoaded(std::string& dst, const std::wstring& src) { dst = Convert(src.c_str(), static_cast<int>(src.size())); }

} // namespace

template <class T>
void CStringT<T>::AssignOther(PCYSTR psz, int nLength)
{
    if (!psz) {
        m_str.clear();
        return;
    }
    m_str = Convert(psz, nLength);
}

template <class T>
T* CStringT<T>::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength())
        m_str.resize(nMinLength);
    // Keep the terminator slot writable too: callers may write nMinLength + 1 characters
    // through APIs that append a terminator.
    m_str.reserve(m_str.size() + 1);
    return &m_str[0];
}

template <class T>
T* CStringT<T>::GetBufferSetLength(int nLength)
{
    m_str.resize(nLength > 0 ? nLength : 0);
    return GetBuffer(nLength);
}

template <class T>
void CStringT<T>::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0) {
        size_t n = 0;
        while (n < m_str.size() && m_str[n] != T(0))
            ++n;
        m_str.resize(n);
    } else if (static_cast<size_t>(nNewLength) <= m_str.size()) {
        m_str.resize(nNewLength);
    } else {
        m_str.resize(nNewLength);
    }
}

template <class T>
int CStringT<T>::Compare(PCXSTR psz) const
{
    static const T empty[1] = {0};
    int r = m_str.compare(psz ? psz : empty);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

template <class T>
int CStringT<T>::CompareNoCase(PCXSTR psz) const
{
    static const T empty[1] = {0};
    int r = CompareNoCaseImpl(m_str.c_str(), psz ? psz : empty);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

template <class T>
int CStringT<T>::Collate(PCXSTR psz) const
{
    static const T empty[1] = {0};
    return CollateImpl(m_str.c_str(), psz ? psz : empty);
}

template <class T>
int CStringT<T>::CollateNoCase(PCXSTR psz) const
{
    static const T empty[1] = {0};
    return CollateNoCaseImpl(m_str.c_str(), psz ? psz : empty);
}

template <class T>
int CStringT<T>::Find(T ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    size_t p = m_str.find(ch, iStart);
    return p == std::basic_string<T>::npos ? -1 : static_cast<int>(p);
}

template <class T>
int CStringT<T>::Find(PCXSTR pszSub, int iStart) const
{
    if (!pszSub || iStart < 0 || iStart > GetLength())
        return -1;
    size_t p = m_str.find(pszSub, iStart);
    return p == std::basic_string<T>::npos ? -1 : static_cast<int>(p);
}

template <class T>
int CStringT<T>::ReverseFind(T ch) const
{
    size_t p = m_str.rfind(ch);
    return p == std::basic_string<T>::npos ? -1 : static_cast<int>(p);
}

template <class T>
int CStringT<T>::FindOneOf(PCXSTR pszCharSet) const
{
    if (!pszCharSet)
        return -1;
    size_t p = m_str.find_first_of(pszCharSet);
    return p == std::basic_string<T>::npos ? -1 : static_cast<int>(p);
}

template <class T>
CStringT<T> CStringT<T>::Left(int nCount) const
{
    if (nCount <= 0)
        return CStringT();
    return CStringT(m_str.substr(0, nCount));
}

template <class T>
CStringT<T> CStringT<T>::Right(int nCount) const
{
    if (nCount <= 0)
        return CStringT();
    if (nCount >= GetLength())
        return *this;
    return CStringT(m_str.substr(GetLength() - nCount));
}

template <class T>
CStringT<T> CStringT<T>::Mid(int iFirst, int nCount) const
{
    if (iFirst < 0)
        iFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (iFirst >= GetLength() || nCount == 0)
        return CStringT();
    return CStringT(m_str.substr(iFirst, nCount));
}

template <class T>
CStringT<T> CStringT<T>::SpanIncluding(PCXSTR pszCharSet) const
{
    if (!pszCharSet)
        return CStringT();
    size_t n = m_str.find_first_not_of(pszCharSet);
    return Left(n == std::basic_string<T>::npos ? GetLength() : static_cast<int>(n));
}

template <class T>
CStringT<T> CStringT<T>::SpanExcluding(PCXSTR pszCharSet) const
{
    if (!pszCharSet)
        return *this;
    size_t n = m_str.find_first_of(pszCharSet);
    return Left(n == std::basic_string<T>::npos ? GetLength() : static_cast<int>(n));
}

template <class T>
CStringT<T> CStringT<T>::Tokenize(PCXSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= GetLength() || !pszTokens || !*pszTokens) {
        if (pszTokens && !*pszTokens && iStart >= 0 && iStart < GetLength()) {
            // No token characters: the rest is one token.
            CStringT r = Mid(iStart);
            iStart = GetLength();
            return r;
        }
        iStart = -1;
        return CStringT();
    }
    size_t from = m_str.find_first_not_of(pszTokens, iStart);
    if (from == std::basic_string<T>::npos) {
        iStart = -1;
        return CStringT();
    }
    size_t to = m_str.find_first_of(pszTokens, from);
    if (to == std::basic_string<T>::npos)
        to = m_str.size();
    iStart = static_cast<int>(to) + 1;
    return CStringT(m_str.substr(from, to - from));
}

template <class T>
CStringT<T>& CStringT<T>::MakeUpper()
{
    if (!m_str.empty())
        UpperInPlace(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::MakeLower()
{
    if (!m_str.empty())
        LowerInPlace(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && IsSpace(m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && IsSpace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::TrimLeft(T chTarget)
{
    size_t n = 0;
    while (n < m_str.size() && m_str[n] == chTarget)
        ++n;
    m_str.erase(0, n);
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::TrimRight(T chTarget)
{
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == chTarget)
        --n;
    m_str.resize(n);
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::TrimLeft(PCXSTR pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return *this;
    size_t n = 0;
    while (n < m_str.size() && FindIn(pszTargets, m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::TrimRight(PCXSTR pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return *this;
    size_t n = m_str.size();
    while (n > 0 && FindIn(pszTargets, m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

template <class T>
CStringT<T>& CStringT<T>::Trim() { return TrimRight().TrimLeft(); }
template <class T>
CStringT<T>& CStringT<T>::Trim(T chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
template <class T>
CStringT<T>& CStringT<T>::Trim(PCXSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

template <class T>
int CStringT<T>::Replace(T chOld, T chNew)
{
    int count = 0;
    for (auto& c : m_str) {
        if (c == chOld) {
            c = chNew;
            ++count;
        }
    }
    return count;
}

template <class T>
int CStringT<T>::Replace(PCXSTR pszOld, PCXSTR pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    const std::basic_string<T> from(pszOld);
    std::basic_string<T> to;
    if (pszNew)
        to = pszNew;
    int count = 0;
    size_t pos = 0;
    while ((pos = m_str.find(from, pos)) != std::basic_string<T>::npos) {
        m_str.replace(pos, from.size(), to);
        pos += to.size();
        ++count;
    }
    return count;
}

template <class T>
int CStringT<T>::Remove(T chRemove)
{
    size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), chRemove), m_str.end());
    return static_cast<int>(before - m_str.size());
}

template <class T>
int CStringT<T>::Insert(int iIndex, T ch)
{
    iIndex = std::max(0, std::min(iIndex, GetLength()));
    m_str.insert(m_str.begin() + iIndex, ch);
    return GetLength();
}

template <class T>
int CStringT<T>::Insert(int iIndex, PCXSTR psz)
{
    iIndex = std::max(0, std::min(iIndex, GetLength()));
    if (psz)
        m_str.insert(iIndex, psz);
    return GetLength();
}

template <class T>
int CStringT<T>::Delete(int iIndex, int nCount)
{
    if (iIndex < 0)
        iIndex = 0;
    if (nCount > 0 && iIndex < GetLength())
        m_str.erase(iIndex, nCount);
    return GetLength();
}

template <class T>
void CStringT<T>::FormatV(PCXSTR pszFormat, va_list args)
{
    m_str.clear();
    AppendFormatV(pszFormat, args);
}

template <class T>
void CStringT<T>::AppendFormatV(PCXSTR pszFormat, va_list args)
{
    if (!pszFormat)
        return;
    va_list copy;
    va_copy(copy, args);
    int n = CountFormat(pszFormat, copy);
    va_end(copy);
    if (n <= 0)
        return;
    std::vector<T> buf(n + 1);
    DoFormat(buf.data(), buf.size(), pszFormat, args);
    m_str.append(buf.data(), n);
}

template <class T>
void CStringT<T>::Format(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

template <class T>
void CStringT<T>::AppendFormat(PCXSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <class T>
void CStringT<T>::Format(UINT nFormatID, ...)
{
    CStringT fmt;
    if (!fmt.LoadString(nFormatID)) {
        m_str.clear();
        return;
    }
    va_list args;
    va_start(args, nFormatID);
    FormatV(fmt, args);
    va_end(args);
}

template <class T>
BOOL CStringT<T>::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

template <class T>
BOOL CStringT<T>::LoadString(HINSTANCE hInstance, UINT nID)
{
    std::wstring text;
    if (!LoadFromTable(hInstance, nID, text))
        return FALSE;
    AssignLoaded(m_str, text);
    return TRUE;
}

template class CStringT<wchar_t>;
template class CStringT<char>;
