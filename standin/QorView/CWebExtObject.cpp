#include "standin/QorView/CWebExtObject.h"
#include "standin/QorView/QorViewState.h"

HRESULT CWebExtObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IWebExt)) {
        *ppv = static_cast<IWebExt*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CWebExtObject::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }

ULONG CWebExtObject::Release()
{
    LONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT CWebExtObject::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CWebExtObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT CWebExtObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }

HRESULT CWebExtObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CWebExtObject::get_HostWindow(LONG_PTR* pHwnd)
{
    if (!pHwnd)
        return E_POINTER;
    *pHwnd = reinterpret_cast<LONG_PTR>(m_hHost);
    return S_OK;
}

HRESULT CWebExtObject::OnWebCommand(BSTR command, BSTR argument)
{
    qorview_detail::Record(L"IWebExt::OnWebCommand",
                           qorview_detail::Join({CString(command ? command : L""), CString(argument ? argument : L"")}));
    return S_OK;
}
