#pragma once
// The framework's string: CString is UTF-16 (the text type of the whole program), CStringA its
// narrow counterpart in the ANSI code page. Both are one template over the character type.
// Narrow text given to the wide string, and wide text given to the narrow one, is converted
// through the ANSI code page (CP_ACP).
#include "framework/Platform.h"
#include <cstdarg>
#include <string>
#include <type_traits>

template <class T>
class CStringT {
public:
    using XCHAR = T;
    using PCXSTR = const T*;
    using YCHAR = typename std::conditional<std::is_same<T, wchar_t>::value, char, wchar_t>::type;
    using PCYSTR = const YCHAR*;

    // Construction
    CStringT() = default;
    CStringT(const CStringT&) = default;
    CStringT(CStringT&&) noexcept = default;
    CStringT(PCXSTR psz) { if (psz) m_str = psz; }
    CStringT(PCXSTR pch, int nLength) { if (pch && nLength > 0) m_str.assign(pch, nLength); }
    CStringT(PCYSTR psz) { AssignOther(psz, -1); }
    CStringT(PCYSTR pch, int nLength) { AssignOther(pch, nLength); }
    explicit CStringT(T ch, int nRepeat = 1) { if (nRepeat > 0) m_str.assign(nRepeat, ch); }
    CStringT(const std::basic_string<T>& s) : m_str(s) {}

    CStringT& operator=(const CStringT&) = default;
    CStringT& operator=(CStringT&&) noexcept = default;
    CStringT& operator=(PCXSTR psz) { if (psz) m_str = psz; else m_str.clear(); return *this; }
    CStringT& operator=(PCYSTR psz) { AssignOther(psz, -1); return *this; }
    CStringT& operator=(T ch) { m_str.assign(1, ch); return *this; }

    // Attributes
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    PCXSTR GetString() const { return m_str.c_str(); }
    operator PCXSTR() const { return m_str.c_str(); }
    // Characters at a bad index read as 0 instead of reaching outside the text.
    T GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_str[i] : T(0); }
    T operator[](int i) const { return GetAt(i); }
    void SetAt(int i, T ch) { if (i >= 0 && i < GetLength()) m_str[i] = ch; }
    const std::basic_string<T>& str() const { return m_str; }

    // Buffer access: GetBuffer hands out room for at least nMinLength characters plus the
    // terminator; ReleaseBuffer(-1) takes the length up to the first terminator.
    T* GetBuffer(int nMinLength = 0);
    T* GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void Preallocate(int nLength) { if (nLength > 0) m_str.reserve(nLength); }
    void Truncate(int nNewLength) { if (nNewLength >= 0 && nNewLength < GetLength()) m_str.resize(nNewLength); }

    // Concatenation
    CStringT& operator+=(const CStringT& s) { m_str += s.m_str; return *this; }
    CStringT& operator+=(PCXSTR psz) { if (psz) m_str += psz; return *this; }
    CStringT& operator+=(PCYSTR psz) { return *this += CStringT(psz); }
    CStringT& operator+=(T ch) { m_str += ch; return *this; }
    void Append(PCXSTR psz) { *this += psz; }
    void Append(PCXSTR psz, int n) { if (psz && n > 0) m_str.append(psz, n); }
    void AppendChar(T ch) { m_str += ch; }

    // Comparison: Compare is ordinal and case-sensitive; CompareNoCase ignores case.
    int Compare(PCXSTR psz) const;
    int CompareNoCase(PCXSTR psz) const;
    int Collate(PCXSTR psz) const;
    int CollateNoCase(PCXSTR psz) const;

    // Searching; every position is zero-based and -1 means not found.
    int Find(T ch, int iStart = 0) const;
    int Find(PCXSTR pszSub, int iStart = 0) const;
    int ReverseFind(T ch) const;
    int FindOneOf(PCXSTR pszCharSet) const;

    // Extraction; out-of-range counts are clamped.
    CStringT Left(int nCount) const;
    CStringT Right(int nCount) const;
    CStringT Mid(int iFirst) const { return Mid(iFirst, GetLength()); }
    CStringT Mid(int iFirst, int nCount) const;
    CStringT SpanIncluding(PCXSTR pszCharSet) const;
    CStringT SpanExcluding(PCXSTR pszCharSet) const;
    // The next token from iStart on; iStart becomes -1 and the result empty at the end.
    CStringT Tokenize(PCXSTR pszTokens, int& iStart) const;

    // Changes
    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();
    CStringT& Trim();
    CStringT& Trim(T chTarget);
    CStringT& Trim(PCXSTR pszTargets);
    CStringT& TrimLeft();
    CStringT& TrimLeft(T chTarget);
    CStringT& TrimLeft(PCXSTR pszTargets);
    CStringT& TrimRight();
    CStringT& TrimRight(T chTarget);
    CStringT& TrimRight(PCXSTR pszTargets);
    int Replace(T chOld, T chNew);
    int Replace(PCXSTR pszOld, PCXSTR pszNew);
    int Remove(T chRemove);
    int Insert(int iIndex, T ch);
    int Insert(int iIndex, PCXSTR psz);
    int Delete(int iIndex, int nCount = 1);

    // Formatting with the C runtime's Microsoft conventions (%s is this string's own width).
    void Format(PCXSTR pszFormat, ...);
    void FormatV(PCXSTR pszFormat, va_list args);
    void AppendFormat(PCXSTR pszFormat, ...);
    void AppendFormatV(PCXSTR pszFormat, va_list args);
    // Format with a format text from the string table of the current resource module.
    void Format(UINT nFormatID, ...);

    // Loads the string with this id from the current resource module; FALSE when absent.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // The text converted to the other width.
    friend CStringT operator+(const CStringT& a, const CStringT& b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(const CStringT& a, PCXSTR b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(PCXSTR a, const CStringT& b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(const CStringT& a, T b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(T a, const CStringT& b) { CStringT r(a); r += b; return r; }

    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(PCXSTR a, const CStringT& b) { return b.Compare(a) == 0; }
    friend bool operator==(const CStringT& a, PCYSTR b) { return a == CStringT(b); }
    friend bool operator!=(const CStringT& a, const CStringT& b) { return !(a == b); }
    friend bool operator!=(const CStringT& a, PCXSTR b) { return !(a == b); }
    friend bool operator!=(PCXSTR a, const CStringT& b) { return !(a == b); }
    friend bool operator!=(const CStringT& a, PCYSTR b) { return !(a == b); }
    friend bool operator<(const CStringT& a, const CStringT& b) { return a.m_str < b.m_str; }
    friend bool operator>(const CStringT& a, const CStringT& b) { return b.m_str < a.m_str; }
    friend bool operator<=(const CStringT& a, const CStringT& b) { return !(b < a); }
    friend bool operator>=(const CStringT& a, const CStringT& b) { return !(a < b); }

private:
    void AssignOther(PCYSTR psz, int nLength);
    std::basic_string<T> m_str;
};

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;

using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;
using CString = CStringW;

// std::hash so that strings can key unordered containers.
namespace std {
template <class T>
struct hash<CStringT<T>> {
    size_t operator()(const CStringT<T>& s) const { return hash<basic_string<T>>()(s.str()); }
};
} // namespace std
