#include "framework/COleControlHost.h"
#include "framework/AfxOle.h"
#include "framework/COleEventSink.h"
#include <olectl.h>

COleControlHost::COleControlHost() : m_site(this) {}

COleControlHost::~COleControlHost()
{
    DestroyControl();
    SetExternalDispatch(nullptr);
}

void COleControlHost::SetExternalDispatch(IDispatch* pDisp)
{
    if (pDisp)
        pDisp->AddRef();
    IDispatch* old = m_pExternal;
    m_pExternal = pDisp;
    if (old)
        old->Release();
}

BOOL COleControlHost::CreateControl(LPCWSTR lpszProgID, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                    CWnd* pParentWnd, UINT nID)
{
    CLSID clsid;
    if (!lpszProgID || FAILED(::CLSIDFromProgID(lpszProgID, &clsid)))
        return FALSE;
    return CreateControl(clsid, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL COleControlHost::CreateControl(REFCLSID clsid, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                    CWnd* pParentWnd, UINT nID)
{
    if (m_hWnd || m_pObject)
        return FALSE;
    AfxOleInit();
    // The control paints its own window; the host only clips it.
    if (!Create(nullptr, lpszWindowName, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;

    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                    reinterpret_cast<void**>(&m_pObject));
    if (SUCCEEDED(hr))
        hr = m_pObject->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&m_pOleObject));
    if (SUCCEEDED(hr)) {
        // Controls that want their site first say so in their misc status.
        DWORD status = 0;
        m_pOleObject->GetMiscStatus(DVASPECT_CONTENT, &status);
        if (status & OLEMISC_SETCLIENTSITEFIRST)
            m_pOleObject->SetClientSite(&m_site);
        IPersistStreamInit* init = nullptr;
        if (SUCCEEDED(m_pObject->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&init)))) {
            init->InitNew();
            init->Release();
        }
        if (!(status & OLEMISC_SETCLIENTSITEFIRST))
            m_pOleObject->SetClientSite(&m_site);
        m_pOleObject->SetHostNames(L"Korvel", nullptr);
        ::OleSetContainedObject(m_pObject, TRUE);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        hr = m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_site, 0, m_hWnd, &client);
    }
    if (FAILED(hr)) {
        DestroyControl();
        DestroyWindow();
        return FALSE;
    }
    FitControl();
    return TRUE;
}

void COleControlHost::DestroyControl()
{
    if (m_pOleObject) {
        IOleInPlaceObject* inplace = nullptr;
        if (SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inplace)))) {
            inplace->InPlaceDeactivate();
            inplace->Release();
        }
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
        m_pOleObject->Release();
        m_pOleObject = nullptr;
    }
    if (m_pObject) {
        m_pObject->Release();
        m_pObject = nullptr;
    }
}

BOOL COleControlHost::AdviseEvents(REFIID diid, IDispatch* pSink, DWORD* pdwCookie)
{
    if (!pSink || !pdwCookie)
        return FALSE;
    IConnectionPoint* point = COleEventSink::FindConnectionPoint(m_pObject, diid);
    if (!point)
        return FALSE;
    HRESULT hr = point->Advise(pSink, pdwCookie);
    point->Release();
    return SUCCEEDED(hr);
}

BOOL COleControlHost::UnadviseEvents(REFIID diid, DWORD dwCookie)
{
    IConnectionPoint* point = COleEventSink::FindConnectionPoint(m_pObject, diid);
    if (!point)
        return FALSE;
    HRESULT hr = point->Unadvise(dwCookie);
    point->Release();
    return SUCCEEDED(hr);
}

void COleControlHost::FitControl()
{
    if (!m_pOleObject || !m_hWnd)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    IOleInPlaceObject* inplace = nullptr;
    if (SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inplace)))) {
        inplace->SetObjectRects(&client, &client);
        inplace->Release();
    }
}

LRESULT COleControlHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        FitControl();
        break;
    case WM_DESTROY:
        // The control's windows are children of ours: let it go while they still exist.
        DestroyControl();
        break;
    case WM_ERASEBKGND:
        if (m_pObject)
            return 1; // the control covers the whole client area
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(riid, IID_IOleControlSite))
        *ppv = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(this);
    else if (IsEqualIID(riid, IID_IDocHostUIHandler))
        *ppv = static_cast<IDocHostUIHandler*>(this);
    return *ppv ? S_OK : E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk)
        *ppmk = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer)
        *ppContainer = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = m_pHost->m_hWnd;
    return *phwnd ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetWindowContext(IOleInPlaceFrame** ppFrame,
                                                                   IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                                                   LPRECT lprcClipRect,
                                                                   LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect)
        return E_POINTER;
    *ppFrame = static_cast<IOleInPlaceFrame*>(this);
    *ppDoc = nullptr;
    ::GetClientRect(m_pHost->m_hWnd, lprcPosRect);
    *lprcClipRect = *lprcPosRect;
    if (lpFrameInfo) {
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = ::GetAncestor(m_pHost->m_hWnd, GA_ROOT);
        lpFrameInfo->haccel = nullptr;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::OnPosRectChange(LPCRECT lprcPosRect)
{
    // The control asks for another size; it stays fitted to the host.
    m_pHost->FitControl();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetExtendedControl(IDispatch** ppDisp)
{
    if (ppDisp)
        *ppDisp = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*,
                                                         VARIANT* pVarResult, EXCEPINFO*, UINT*)
{
    if (!(wFlags & DISPATCH_PROPERTYGET) || !pVarResult)
        return DISP_E_MEMBERNOTFOUND;
    ::VariantInit(pVarResult);
    switch (dispIdMember) {
    case DISPID_AMBIENT_USERMODE:
        pVarResult->vt = VT_BOOL;
        pVarResult->boolVal = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_UIDEAD:
        pVarResult->vt = VT_BOOL;
        pVarResult->boolVal = VARIANT_FALSE;
        return S_OK;
    case DISPID_AMBIENT_LOCALEID:
        pVarResult->vt = VT_I4;
        pVarResult->lVal = static_cast<LONG>(::GetUserDefaultLCID());
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetHostInfo(DOCHOSTUIINFO* pInfo)
{
    if (!pInfo || pInfo->cbSize < sizeof(DOCHOSTUIINFO))
        return E_INVALIDARG;
    // The engine's own look and double-click behaviour; no style sheet of ours.
    pInfo->dwFlags = 0;
    pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    pInfo->pchHostCss = nullptr;
    pInfo->pchHostNS = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetOptionKeyPath(LPOLESTR* pchKey, DWORD)
{
    if (pchKey)
        *pchKey = nullptr;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetDropTarget(IDropTarget*, IDropTarget** ppDropTarget)
{
    if (ppDropTarget)
        *ppDropTarget = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::GetExternal(IDispatch** ppDispatch)
{
    if (!ppDispatch)
        return E_POINTER;
    *ppDispatch = nullptr;
    IDispatch* external = m_pHost->m_pExternal;
    if (!external || (m_pHost->m_externalFilter && !m_pHost->m_externalFilter()))
        return S_FALSE; // the page sees window.external as null
    external->AddRef();
    *ppDispatch = external;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut)
{
    if (ppchURLOut)
        *ppchURLOut = nullptr;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE COleControlHost::CSite::FilterDataObject(IDataObject*, IDataObject** ppDORet)
{
    if (ppDORet)
        *ppDORet = nullptr;
    return S_FALSE;
}
