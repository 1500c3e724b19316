#include "controls/CWebBrowserControl.h"
#include "framework/AfxOle.h"
#include "framework/CComBSTR.h"
#include "framework/CComQIPtr.h"
#include <exdispid.h>

CWebBrowserControl::CWebBrowserControl() : m_sink(DIID_DWebBrowserEvents2)
{
    m_sink.SetHandler([this](DISPID dispid, DISPPARAMS* params) { OnEvent(dispid, params); });
}

CWebBrowserControl::~CWebBrowserControl()
{
    Destroy();
}

BOOL CWebBrowserControl::Create(CWnd* pOwner, DWORD dwStyle, Events* pEvents)
{
    if (m_pControlWnd || !pOwner || !pOwner->GetSafeHwnd())
        return FALSE;
    AfxEnableControlContainer();
    m_pEvents = pEvents;
    CRect client;
    pOwner->GetClientRect(&client);
    m_pControlWnd = new COleControlHost;
    if (!m_pControlWnd->CreateControl(CLSID_WebBrowser, nullptr, dwStyle | WS_CHILD, client, pOwner, kControlId)) {
        Destroy();
        return FALSE;
    }
    IUnknown* control = m_pControlWnd->GetControlUnknown();
    if (FAILED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pBrowser))))
        m_pBrowser = nullptr;
    if (FAILED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_pDispatch))))
        m_pDispatch = nullptr;
    if (!m_pBrowser || !m_pDispatch || !m_sink.Advise(control)) {
        Destroy();
        return FALSE;
    }
    return TRUE;
}

BOOL CWebBrowserControl::CreateWithWindow(CWnd* pOwner, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                                          const RECT& rect, CWnd* pParentWnd, UINT nID, Events* pEvents)
{
    if (!pOwner || pOwner->m_hWnd || m_pControlWnd)
        return FALSE;
    if (!pOwner->CWnd::Create(lpszClassName, lpszWindowName ? lpszWindowName : L"", dwStyle | WS_CLIPCHILDREN, rect,
                              pParentWnd, nID))
        return FALSE;
    if (!Create(pOwner, WS_VISIBLE | WS_TABSTOP, pEvents)) {
        pOwner->DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CWebBrowserControl::OpenFirstDocument(CWnd* pOwner)
{
    if (NavigateAndWait(L"about:blank"))
        return TRUE;
    if (pOwner && pOwner->m_hWnd)
        pOwner->DestroyWindow();
    return FALSE;
}

void CWebBrowserControl::Destroy()
{
    m_sink.Unadvise();
    // Each pointer is cleared before it is released: a release can call back into the owner.
    if (IWebBrowser2* browser = m_pBrowser) {
        m_pBrowser = nullptr;
        browser->Release();
    }
    if (IDispatch* dispatch = m_pDispatch) {
        m_pDispatch = nullptr;
        dispatch->Release();
    }
    if (COleControlHost* wnd = m_pControlWnd) {
        m_pControlWnd = nullptr;
        if (wnd->GetSafeHwnd())
            wnd->DestroyWindow();
        delete wnd;
    }
}

BOOL CWebBrowserControl::IsTopLevel(IDispatch* pDisp) const
{
    if (!pDisp || !m_pDispatch)
        return FALSE;
    if (pDisp == m_pDispatch)
        return TRUE;
    // The same object may come through another of its interfaces: compare identities.
    CComPtr<IUnknown> a, b;
    if (FAILED(pDisp->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a))) ||
        FAILED(m_pDispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b))))
        return FALSE;
    return a.p == b.p;
}

void CWebBrowserControl::FitToOwner(CWnd* pOwner)
{
    if (!m_pControlWnd || !m_pControlWnd->GetSafeHwnd() || !pOwner)
        return;
    CRect client;
    pOwner->GetClientRect(&client);
    m_pControlWnd->MoveWindow(&client);
}

BOOL CWebBrowserControl::TakeDlgItemPlace(CWnd* pDialog, UINT nID, CRect* pRect)
{
    if (!pDialog || !pDialog->GetSafeHwnd() || !pRect)
        return FALSE;
    HWND item = ::GetDlgItem(pDialog->m_hWnd, static_cast<int>(nID));
    if (!item)
        return FALSE;
    ::GetWindowRect(item, pRect);
    pDialog->ScreenToClient(pRect);
    ::DestroyWindow(item);
    return TRUE;
}

void CWebBrowserControl::PaintFrame(CWnd* pWnd, COLORREF colour)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    HDC dc = ::GetWindowDC(pWnd->m_hWnd);
    if (!dc)
        return;
    CRect window, client;
    pWnd->GetWindowRect(&window);
    pWnd->GetClientRect(&client);
    pWnd->ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    // Only the border: the client area belongs to the control.
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &window, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(pWnd->m_hWnd, dc);
}

void CWebBrowserControl::OnEvent(DISPID dispid, DISPPARAMS* params)
{
    if (!m_pEvents)
        return;
    switch (dispid) {
    case DISPID_BEFORENAVIGATE2: {
        const bool topLevel = IsTopLevel(COleEventSink::GetArgDispatch(params, 0)) != FALSE;
        const bool cancel = m_pEvents->OnBrowserBeforeNavigate(
            topLevel, COleEventSink::GetArgString(params, 1), COleEventSink::GetArgLong(params, 2),
            COleEventSink::GetArgString(params, 3), CopyPostData(COleEventSink::GetArg(params, 4)),
            COleEventSink::GetArgString(params, 5));
        COleEventSink::SetArgBool(params, 6, cancel);
        // A page that will not come: a wait for it can end now.
        if (cancel && topLevel)
            m_bNavigationFailed = true;
        break;
    }
    case DISPID_NAVIGATEERROR:
        if (IsTopLevel(COleEventSink::GetArgDispatch(params, 0)))
            m_bNavigationFailed = true;
        break;
    case DISPID_DOCUMENTCOMPLETE:
        m_pEvents->OnBrowserDocumentComplete(IsTopLevel(COleEventSink::GetArgDispatch(params, 0)) != FALSE,
                                             COleEventSink::GetArgString(params, 1));
        break;
    case DISPID_DOWNLOADBEGIN:
        m_pEvents->OnBrowserDownloadBegin();
        break;
    case DISPID_PROGRESSCHANGE:
        m_pEvents->OnBrowserProgressChange(COleEventSink::GetArgLong(params, 0), COleEventSink::GetArgLong(params, 1));
        break;
    case DISPID_DOWNLOADCOMPLETE:
        m_pEvents->OnBrowserDownloadComplete();
        break;
    case DISPID_NAVIGATECOMPLETE2:
        m_pEvents->OnBrowserNavigateComplete(IsTopLevel(COleEventSink::GetArgDispatch(params, 0)) != FALSE,
                                             COleEventSink::GetArgString(params, 1));
        break;
    case DISPID_STATUSTEXTCHANGE:
        m_pEvents->OnBrowserStatusTextChange(COleEventSink::GetArgString(params, 0));
        break;
    case DISPID_TITLECHANGE:
        m_pEvents->OnBrowserTitleChange(COleEventSink::GetArgString(params, 0));
        break;
    default:
        break;
    }
}

BOOL CWebBrowserControl::Navigate(const CString& url)
{
    if (!m_pBrowser)
        return FALSE;
    CComBSTR bstrUrl(url);
    CComVariant empty;
    return SUCCEEDED(m_pBrowser->Navigate(bstrUrl, &empty, &empty, &empty, &empty));
}

BOOL CWebBrowserControl::NavigateAndWait(const CString& url, DWORD timeoutMs)
{
    // Cleared first: the control may fail the navigation inside Navigate itself.
    m_bNavigationFailed = false;
    if (!Navigate(url))
        return FALSE;
    return WaitForHtmlDocument(timeoutMs);
}

BOOL CWebBrowserControl::WaitForHtmlDocument(DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (!m_pBrowser)
            return FALSE;
        CComPtr<IDispatch> disp;
        if (FAILED(m_pBrowser->get_Document(&disp)))
            return FALSE;
        if (disp) {
            CComQIPtr<IHTMLDocument2> doc(disp.p);
            if (doc)
                return TRUE;
        }
        if (m_bNavigationFailed || ::GetTickCount() - start >= timeoutMs)
            return FALSE;
        // The control finishes its navigation through this thread's messages.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam)); // for the loop that owns it
                return FALSE;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

BOOL CWebBrowserControl::GoBack() { return m_pBrowser && SUCCEEDED(m_pBrowser->GoBack()); }
BOOL CWebBrowserControl::GoForward() { return m_pBrowser && SUCCEEDED(m_pBrowser->GoForward()); }
BOOL CWebBrowserControl::GoHome() { return m_pBrowser && SUCCEEDED(m_pBrowser->GoHome()); }
BOOL CWebBrowserControl::Refresh() { return m_pBrowser && SUCCEEDED(m_pBrowser->Refresh()); }
BOOL CWebBrowserControl::Stop() { return m_pBrowser && SUCCEEDED(m_pBrowser->Stop()); }

bool CWebBrowserControl::GetBusy() const
{
    VARIANT_BOOL busy = VARIANT_FALSE;
    return m_pBrowser && SUCCEEDED(m_pBrowser->get_Busy(&busy)) && busy == VARIANT_TRUE;
}

int CWebBrowserControl::GetReadyState() const
{
    READYSTATE state = READYSTATE_UNINITIALIZED;
    if (!m_pBrowser || FAILED(m_pBrowser->get_ReadyState(&state)))
        return 0;
    return static_cast<int>(state);
}

bool CWebBrowserControl::GetSilent() const
{
    VARIANT_BOOL silent = VARIANT_FALSE;
    return m_pBrowser && SUCCEEDED(m_pBrowser->get_Silent(&silent)) && silent == VARIANT_TRUE;
}

void CWebBrowserControl::PutSilent(bool bSilent)
{
    if (m_pBrowser)
        m_pBrowser->put_Silent(bSilent ? VARIANT_TRUE : VARIANT_FALSE);
}

CString CWebBrowserControl::GetLocationName() const
{
    CComBSTR text;
    if (!m_pBrowser || FAILED(m_pBrowser->get_LocationName(&text)))
        return CString();
    return CString(text.m_str ? text.m_str : L"");
}

CString CWebBrowserControl::GetLocationURL() const
{
    CComBSTR text;
    if (!m_pBrowser || FAILED(m_pBrowser->get_LocationURL(&text)))
        return CString();
    return CString(text.m_str ? text.m_str : L"");
}

CString CWebBrowserControl::GetPageURL() const
{
    CComPtr<IHTMLDocument2> doc = GetHtmlDocument();
    CComBSTR url;
    if (doc && SUCCEEDED(doc->get_URL(&url)) && url.Length() > 0)
        return url.ToString();
    return GetLocationURL();
}

long CWebBrowserControl::GetLeft() const
{
    long n = 0;
    return m_pBrowser && SUCCEEDED(m_pBrowser->get_Left(&n)) ? n : 0;
}

void CWebBrowserControl::PutLeft(long n)
{
    if (m_pBrowser)
        m_pBrowser->put_Left(n);
}

long CWebBrowserControl::GetTop() const
{
    long n = 0;
    return m_pBrowser && SUCCEEDED(m_pBrowser->get_Top(&n)) ? n : 0;
}

void CWebBrowserControl::PutTop(long n)
{
    if (m_pBrowser)
        m_pBrowser->put_Top(n);
}

long CWebBrowserControl::GetWidth() const
{
    long n = 0;
    return m_pBrowser && SUCCEEDED(m_pBrowser->get_Width(&n)) ? n : 0;
}

void CWebBrowserControl::PutWidth(long n)
{
    if (m_pBrowser)
        m_pBrowser->put_Width(n);
}

long CWebBrowserControl::GetHeight() const
{
    long n = 0;
    return m_pBrowser && SUCCEEDED(m_pBrowser->get_Height(&n)) ? n : 0;
}

void CWebBrowserControl::PutHeight(long n)
{
    if (m_pBrowser)
        m_pBrowser->put_Height(n);
}

DWORD CWebBrowserControl::QueryStatus(OLECMDID cmd) const
{
    OLECMDF flags = static_cast<OLECMDF>(0);
    if (!m_pBrowser || FAILED(m_pBrowser->QueryStatusWB(cmd, &flags)))
        return 0;
    return static_cast<DWORD>(flags);
}

CComPtr<IHTMLDocument2> CWebBrowserControl::GetHtmlDocument() const
{
    CComPtr<IHTMLDocument2> doc;
    if (!m_pBrowser)
        return doc;
    CComPtr<IDispatch> disp;
    if (SUCCEEDED(m_pBrowser->get_Document(&disp)) && disp)
        disp->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&doc));
    return doc;
}

CComPtr<IDispatch> CWebBrowserControl::GetScript() const
{
    CComPtr<IDispatch> script;
    CComPtr<IHTMLDocument2> doc = GetHtmlDocument();
    if (doc)
        doc->get_Script(&script);
    return script;
}

BOOL CWebBrowserControl::OpenDocument(IHTMLDocument2* pDoc)
{
    if (!pDoc)
        return FALSE;
    CComBSTR mime(L"text/html");
    CComVariant target(L"_self");
    CComVariant none;
    CComPtr<IDispatch> window;
    return SUCCEEDED(pDoc->open(mime, target, none, none, &window));
}

BOOL CWebBrowserControl::WriteDocument(IHTMLDocument2* pDoc, const CString& html)
{
    if (!pDoc)
        return FALSE;
    SAFEARRAY* items = ::SafeArrayCreateVector(VT_VARIANT, 0, 1);
    if (!items)
        return FALSE;
    HRESULT hr = E_FAIL;
    VARIANT* item = nullptr;
    if (SUCCEEDED(::SafeArrayAccessData(items, reinterpret_cast<void**>(&item)))) {
        item->vt = VT_BSTR;
        item->bstrVal = ::SysAllocStringLen(html.GetString(), static_cast<UINT>(html.GetLength()));
        ::SafeArrayUnaccessData(items);
        if (item->bstrVal)
            hr = pDoc->write(items);
    }
    ::SafeArrayDestroy(items); // frees the string with it
    return SUCCEEDED(hr);
}

BOOL CWebBrowserControl::SetDocumentBorder(IHTMLDocument2* pDoc, const CString& style, bool bNoScroll)
{
    if (!pDoc)
        return FALSE;
    CComPtr<IHTMLElement> body;
    if (FAILED(pDoc->get_body(&body)) || !body)
        return FALSE;
    CComPtr<IHTMLStyle> bodyStyle;
    if (FAILED(body->get_style(&bodyStyle)) || !bodyStyle)
        return FALSE;
    CComBSTR border(style);
    if (FAILED(bodyStyle->put_border(border)))
        return FALSE;
    return !bNoScroll || SetNoScroll(pDoc);
}

BOOL CWebBrowserControl::SetNoScroll(IHTMLDocument2* pDoc)
{
    if (!pDoc)
        return FALSE;
    CComPtr<IHTMLElement> body;
    if (FAILED(pDoc->get_body(&body)) || !body)
        return FALSE;
    CComBSTR name(L"scroll");
    CComVariant no(L"no");
    return SUCCEEDED(body->setAttribute(name, no, 0));
}

namespace {

DISPID FindMember(IDispatch* pObject, const CString& name)
{
    if (!pObject || name.IsEmpty())
        return DISPID_UNKNOWN;
    CComBSTR member(name);
    LPOLESTR names[] = {member.m_str};
    DISPID dispid = DISPID_UNKNOWN;
    if (FAILED(pObject->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid)))
        return DISPID_UNKNOWN;
    return dispid;
}

} // namespace

BOOL CWebBrowserControl::GetPropertyByName(IDispatch* pObject, const CString& name, VARIANT* pResult)
{
    if (!pResult)
        return FALSE;
    ::VariantInit(pResult);
    const DISPID dispid = FindMember(pObject, name);
    if (dispid == DISPID_UNKNOWN)
        return FALSE;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return SUCCEEDED(pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, pResult,
                                     nullptr, nullptr));
}

BOOL CWebBrowserControl::InvokeByName(IDispatch* pScript, const CString& name, const CStringArray& args,
                                      VARIANT* pResult)
{
    if (pResult)
        ::VariantInit(pResult);
    const DISPID dispid = FindMember(pScript, name);
    if (dispid == DISPID_UNKNOWN)
        return FALSE;
    // The callee reads its arguments last-first.
    const INT_PTR count = args.GetSize();
    std::vector<CComVariant> values(static_cast<size_t>(count));
    for (INT_PTR i = 0; i < count; ++i)
        values[static_cast<size_t>(count - 1 - i)] = CComVariant(args.GetAt(i));
    DISPPARAMS params = {values.empty() ? nullptr : static_cast<VARIANT*>(values.data()), nullptr,
                         static_cast<UINT>(count), 0};
    EXCEPINFO excep = {};
    UINT argErr = 0;
    HRESULT hr = pScript->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, pResult, &excep,
                                 &argErr);
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrHelpFile);
    return SUCCEEDED(hr);
}

BOOL CWebBrowserControl::Print(const CString& header, const CString& footer)
{
    if (!m_pBrowser)
        return FALSE;
    SAFEARRAY* texts = ::SafeArrayCreateVector(VT_VARIANT, 0, 2);
    if (!texts)
        return FALSE;
    HRESULT hr = E_OUTOFMEMORY;
    VARIANT* items = nullptr;
    if (SUCCEEDED(::SafeArrayAccessData(texts, reinterpret_cast<void**>(&items)))) {
        items[0].vt = VT_BSTR;
        items[0].bstrVal = ::SysAllocStringLen(header.GetString(), static_cast<UINT>(header.GetLength()));
        items[1].vt = VT_BSTR;
        items[1].bstrVal = ::SysAllocStringLen(footer.GetString(), static_cast<UINT>(footer.GetLength()));
        const bool made = items[0].bstrVal && items[1].bstrVal;
        ::SafeArrayUnaccessData(texts);
        if (made) {
            VARIANT in;
            ::VariantInit(&in);
            in.vt = VT_ARRAY | VT_BYREF;
            in.pparray = &texts;
            hr = m_pBrowser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DODEFAULT, &in, nullptr);
        }
    }
    // Ours on every path, printed or not: the control copies what it keeps.
    ::SafeArrayDestroy(texts);
    return SUCCEEDED(hr);
}

std::vector<BYTE> CWebBrowserControl::CopyPostData(const VARIANT* pPostData)
{
    std::vector<BYTE> data;
    const VARIANT* v = pPostData;
    while (v && v->vt == (VT_BYREF | VT_VARIANT))
        v = v->pvarVal;
    if (!v)
        return data;
    SAFEARRAY* array = nullptr;
    if (v->vt == (VT_ARRAY | VT_UI1))
        array = v->parray;
    else if (v->vt == (VT_BYREF | VT_ARRAY | VT_UI1) && v->pparray)
        array = *v->pparray;
    if (!array || ::SafeArrayGetDim(array) != 1)
        return data;
    LONG lower = 0, upper = -1;
    if (FAILED(::SafeArrayGetLBound(array, 1, &lower)) || FAILED(::SafeArrayGetUBound(array, 1, &upper)) ||
        upper < lower)
        return data;
    BYTE* bytes = nullptr;
    if (FAILED(::SafeArrayAccessData(array, reinterpret_cast<void**>(&bytes))))
        return data;
    data.assign(bytes, bytes + (upper - lower + 1));
    ::SafeArrayUnaccessData(array);
    return data;
}
