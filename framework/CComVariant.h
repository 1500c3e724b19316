#pragma once
// CComVariant: a VARIANT that clears itself (freeing its text or releasing its interface).
#include "framework/CString.h"
#include <oleauto.h>

class CComVariant : public tagVARIANT {
public:
    CComVariant() { ::VariantInit(this); }
    CComVariant(const VARIANT& src);
    CComVariant(const CComVariant& src) : CComVariant(static_cast<const VARIANT&>(src)) {}
    CComVariant(LPCOLESTR psz);
    CComVariant(const CString& s);
    CComVariant(bool b);
    CComVariant(int n);
    CComVariant(long n);
    CComVariant(unsigned long n);
    CComVariant(double d);
    CComVariant(IDispatch* p);
    CComVariant(IUnknown* p);
    ~CComVariant() { ::VariantClear(this); }

    CComVariant& operator=(const CComVariant& src) { Copy(&src); return *this; }
    CComVariant& operator=(const VARIANT& src) { Copy(&src); return *this; }
    CComVariant& operator=(LPCOLESTR psz) { return *this = CComVariant(psz); }
    CComVariant& operator=(long n) { return *this = CComVariant(n); }

    bool operator==(const VARIANT& other) const;
    bool operator!=(const VARIANT& other) const { return !(*this == other); }

    HRESULT Clear() { return ::VariantClear(this); }
    HRESULT Copy(const VARIANT* pSrc);
    // Copies into an out-variant (which must be empty or initialised).
    HRESULT CopyTo(VARIANT* pDest) const;
    HRESULT Attach(VARIANT* pSrc);
    HRESULT Detach(VARIANT* pDest);
    // Converts in place; on failure the variant is left as it was.
    HRESULT ChangeType(VARTYPE vtNew, const VARIANT* pSrc = nullptr);

    // The text of a VT_BSTR variant (or of any variant convertible to text); empty otherwise.
    CString ToString() const;
};
