#include "CFwCalc.h"
#include "framework/CComVariant.h"

HRESULT STDMETHODCALLTYPE CFwCalc::Add(LONG a, LONG b, LONG* sum)
{
    if (!sum)
        return E_POINTER;
    ++m_calls;
    *sum = a + b;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFwCalc::Greet(BSTR name, BSTR* text)
{
    if (!text)
        return E_POINTER;
    ++m_calls;
    CComBSTR s(L"Hello, ");
    s.Append(name ? name : L"");
    return s.CopyTo(text);
}

HRESULT STDMETHODCALLTYPE CFwCalc::Describe(VARIANT value, VARIANT_BOOL upper, BSTR* text)
{
    if (!text)
        return E_POINTER;
    ++m_calls;
    CComVariant v(value);
    CString s;
    s.Format(L"%d:%s", static_cast<int>(v.vt), v.ToString().GetString());
    if (upper != VARIANT_FALSE)
        s.MakeUpper();
    return CComBSTR(s).CopyTo(text);
}

HRESULT STDMETHODCALLTYPE CFwCalc::get_ProcessId(LONG* pid)
{
    if (!pid)
        return E_POINTER;
    *pid = static_cast<LONG>(::GetCurrentProcessId());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFwCalc::get_Calls(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = m_calls;
    return S_OK;
}
