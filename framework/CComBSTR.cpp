#include "framework/CComBSTR.h"
#include <cwchar>
#include <memory>

CComBSTR& CComBSTR::operator=(const CComBSTR& src)
{
    if (std::addressof(src) != this)
        Attach(src.Copy());
    return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& src) noexcept
{
    if (std::addressof(src) != this) {
        ::SysFreeString(m_str);
        m_str = src.m_str;
        src.m_str = nullptr;
    }
    return *this;
}

CComBSTR& CComBSTR::operator=(LPCOLESTR psz)
{
    if (psz != m_str)
        Attach(psz ? ::SysAllocString(psz) : nullptr);
    return *this;
}

HRESULT CComBSTR::CopyTo(BSTR* pbstr) const
{
    if (!pbstr)
        return E_POINTER;
    *pbstr = Copy();
    return (*pbstr || !m_str) ? S_OK : E_OUTOFMEMORY;
}

HRESULT CComBSTR::Append(LPCOLESTR lpsz)
{
    return Append(lpsz, lpsz ? static_cast<int>(wcslen(lpsz)) : 0);
}

HRESULT CComBSTR::Append(LPCOLESTR lpsz, int nLen)
{
    if (nLen <= 0)
        return S_OK;
    if (!lpsz)
        return E_INVALIDARG;
    UINT old = Length();
    BSTR joined = ::SysAllocStringLen(nullptr, old + static_cast<UINT>(nLen));
    if (!joined)
        return E_OUTOFMEMORY;
    if (old)
        memcpy(joined, m_str, old * sizeof(OLECHAR));
    memcpy(joined + old, lpsz, static_cast<size_t>(nLen) * sizeof(OLECHAR));
    joined[old + nLen] = 0;
    Attach(joined);
    return S_OK;
}

HRESULT CComBSTR::ToLower()
{
    if (m_str)
        ::CharLowerBuffW(m_str, Length());
    return S_OK;
}

HRESULT CComBSTR::ToUpper()
{
    if (m_str)
        ::CharUpperBuffW(m_str, Length());
    return S_OK;
}

bool CComBSTR::operator==(LPCOLESTR psz) const
{
    UINT len = Length();
    size_t other = psz ? wcslen(psz) : 0;
    return len == other && (len == 0 || memcmp(m_str, psz, len * sizeof(OLECHAR)) == 0);
}
