#pragma once
// CComBSTR: owns one BSTR (SysAllocString memory) and frees it when it goes. A null BSTR is the
// empty text, as COM treats it.
#include "framework/CString.h"
#include <oleauto.h>

class CComBSTR {
public:
    CComBSTR() = default;
    CComBSTR(LPCOLESTR psz) : m_str(psz ? ::SysAllocString(psz) : nullptr) {}
    CComBSTR(int nSize, LPCOLESTR sz) : m_str(::SysAllocStringLen(sz, static_cast<UINT>(nSize))) {}
    CComBSTR(const CString& s) : m_str(::SysAllocStringLen(s.GetString(), static_cast<UINT>(s.GetLength()))) {}
    CComBSTR(const CComBSTR& src) : m_str(src.Copy()) {}
    CComBSTR(CComBSTR&& src) noexcept : m_str(src.m_str) { src.m_str = nullptr; }
    ~CComBSTR() { ::SysFreeString(m_str); }

    CComBSTR& operator=(const CComBSTR& src);
    CComBSTR& operator=(CComBSTR&& src) noexcept;
    CComBSTR& operator=(LPCOLESTR psz);

    operator BSTR() const { return m_str; }
    // For an out-argument: frees what is held first.
    BSTR* operator&()
    {
        Empty();
        return &m_str;
    }
    // Length in characters (0 for null).
    unsigned int Length() const { return ::SysStringLen(m_str); }
    bool operator!() const { return m_str == nullptr; }
    void Empty()
    {
        ::SysFreeString(m_str);
        m_str = nullptr;
    }
    // A new copy the caller frees.
    BSTR Copy() const { return m_str ? ::SysAllocStringLen(m_str, ::SysStringLen(m_str)) : nullptr; }
    // Hands the copy to an out-argument; E_POINTER for null, E_OUTOFMEMORY when it cannot be made.
    HRESULT CopyTo(BSTR* pbstr) const;
    void Attach(BSTR src)
    {
        if (src != m_str) {
            ::SysFreeString(m_str);
            m_str = src;
        }
    }
    BSTR Detach()
    {
        BSTR s = m_str;
        m_str = nullptr;
        return s;
    }
    HRESULT Append(LPCOLESTR lpsz);
    HRESULT Append(LPCOLESTR lpsz, int nLen);
    HRESULT Append(const CComBSTR& bstrSrc) { return Append(bstrSrc.m_str, static_cast<int>(bstrSrc.Length())); }
    CComBSTR& operator+=(LPCOLESTR psz)
    {
        Append(psz);
        return *this;
    }
    HRESULT ToLower();
    HRESULT ToUpper();

    // Equality by content; a null BSTR equals the empty text.
    bool operator==(LPCOLESTR psz) const;
    bool operator!=(LPCOLESTR psz) const { return !(*this == psz); }

    CString ToString() const { return m_str ? CString(m_str, static_cast<int>(Length())) : CString(); }

    BSTR m_str = nullptr;
};
