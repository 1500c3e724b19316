#include "framework/CComVariant.h"

CComVariant::CComVariant(const VARIANT& src)
{
    ::VariantInit(this);
    Copy(&src);
}

CComVariant::CComVariant(LPCOLESTR psz)
{
    ::VariantInit(this);
    vt = VT_BSTR;
    bstrVal = ::SysAllocString(psz ? psz : L"");
    if (!bstrVal)
        vt = VT_ERROR, scode = E_OUTOFMEMORY;
}

CComVariant::CComVariant(const CString& s)
{
    ::VariantInit(this);
    vt = VT_BSTR;
    bstrVal = ::SysAllocStringLen(s.GetString(), static_cast<UINT>(s.GetLength()));
    if (!bstrVal)
        vt = VT_ERROR, scode = E_OUTOFMEMORY;
}

CComVariant::CComVariant(bool b)
{
    ::VariantInit(this);
    vt = VT_BOOL;
    boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}

CComVariant::CComVariant(int n)
{
    ::VariantInit(this);
    vt = VT_I4;
    lVal = n;
}

CComVariant::CComVariant(long n)
{
    ::VariantInit(this);
    vt = VT_I4;
    lVal = n;
}

CComVariant::CComVariant(unsigned long n)
{
    ::VariantInit(this);
    vt = VT_UI4;
    ulVal = n;
}

CComVariant::CComVariant(double d)
{
    ::VariantInit(this);
    vt = VT_R8;
    dblVal = d;
}

CComVariant::CComVariant(IDispatch* p)
{
    ::VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = p;
    if (p)
        p->AddRef();
}

CComVariant::CComVariant(IUnknown* p)
{
    ::VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = p;
    if (p)
        p->AddRef();
}

HRESULT CComVariant::Copy(const VARIANT* pSrc)
{
    if (!pSrc)
        return E_POINTER;
    if (pSrc == this)
        return S_OK;
    HRESULT hr = ::VariantCopy(this, const_cast<VARIANT*>(pSrc));
    if (FAILED(hr)) {
        vt = VT_ERROR;
        scode = hr;
    }
    return hr;
}

HRESULT CComVariant::CopyTo(VARIANT* pDest) const
{
    if (!pDest)
        return E_POINTER;
    return ::VariantCopy(pDest, const_cast<CComVariant*>(this));
}

HRESULT CComVariant::Attach(VARIANT* pSrc)
{
    if (!pSrc)
        return E_POINTER;
    HRESULT hr = Clear();
    if (FAILED(hr))
        return hr;
    memcpy(static_cast<VARIANT*>(this), pSrc, sizeof(VARIANT));
    pSrc->vt = VT_EMPTY;
    return S_OK;
}

HRESULT CComVariant::Detach(VARIANT* pDest)
{
    if (!pDest)
        return E_POINTER;
    HRESULT hr = ::VariantClear(pDest);
    if (FAILED(hr))
        return hr;
    memcpy(pDest, static_cast<VARIANT*>(this), sizeof(VARIANT));
    vt = VT_EMPTY;
    return S_OK;
}

HRESULT CComVariant::ChangeType(VARTYPE vtNew, const VARIANT* pSrc)
{
    VARIANT converted;
    ::VariantInit(&converted);
    HRESULT hr = ::VariantChangeType(&converted, const_cast<VARIANT*>(pSrc ? pSrc : this), 0, vtNew);
    if (FAILED(hr))
        return hr;
    Clear();
    memcpy(static_cast<VARIANT*>(this), &converted, sizeof(VARIANT));
    return S_OK;
}

bool CComVariant::operator==(const VARIANT& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BSTR: {
        UINT a = ::SysStringLen(bstrVal), b = ::SysStringLen(other.bstrVal);
        return a == b && (a == 0 || memcmp(bstrVal, other.bstrVal, a * sizeof(OLECHAR)) == 0);
    }
    case VT_BOOL:
        return boolVal == other.boolVal;
    case VT_I4:
        return lVal == other.lVal;
    case VT_UI4:
        return ulVal == other.ulVal;
    case VT_R8:
        return dblVal == other.dblVal;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return punkVal == other.punkVal;
    default:
        return ::VarCmp(const_cast<CComVariant*>(this), const_cast<VARIANT*>(&other), LOCALE_USER_DEFAULT, 0) ==
               static_cast<HRESULT>(VARCMP_EQ);
    }
}

CString CComVariant::ToString() const
{
    if (vt == VT_BSTR)
        return bstrVal ? CString(bstrVal, static_cast<int>(::SysStringLen(bstrVal))) : CString();
    VARIANT text;
    ::VariantInit(&text);
    if (FAILED(::VariantChangeType(&text, const_cast<CComVariant*>(this), 0, VT_BSTR)))
        return CString();
    CString s = text.bstrVal ? CString(text.bstrVal, static_cast<int>(::SysStringLen(text.bstrVal))) : CString();
    ::VariantClear(&text);
    return s;
}
