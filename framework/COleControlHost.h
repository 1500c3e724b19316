#pragma once
// COleControlHost: a child window that hosts one ActiveX control (such as the WebBrowser control)
// in place: it creates the control, gives it a client site, activates it inside the window and
// keeps it sized to the window's client area.
//
//     auto host = new COleControlHost;   // owned by the caller; deleting it destroys the window
//     host->CreateControl(CLSID_WebBrowser, nullptr, WS_CHILD | WS_VISIBLE, rc, pParent, 59648);
//     CComQIPtr<IWebBrowser2> browser(host->GetControlUnknown());
//     host->AdviseEvents(DIID_DWebBrowserEvents2, pSink, &cookie);   // events as IDispatch calls
//
// The site answers the ambient properties a browser asks for (user mode on, no message
// reflection, the window's font and colours left to the control) and supports in-place
// activation only; it offers no menus, toolbars or status bar of its own.
// To an HTML engine it is also the document host (IDocHostUIHandler): pages get the engine's own
// context menu and keys, and window.external is the object given to SetExternalDispatch, for
// the pages the external filter lets through.
// AfxEnableControlContainer must have run (it initialises OLE on the thread).
#include "framework/CWnd.h"
#include <functional>
#include <ole2.h>
#include <ocidl.h>
#include <mshtmhst.h>

class COleControlHost : public CWnd {
public:
    COleControlHost();
    ~COleControlHost() override;

    // Creates the host window and the control in it; FALSE (and no window) when the control
    // cannot be created or activated.
    BOOL CreateControl(REFCLSID clsid, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID);
    BOOL CreateControl(LPCWSTR lpszProgID, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID);

    // The control (no reference added), or nullptr before creation and after destruction.
    IUnknown* GetControlUnknown() const { return m_pObject; }
    // Connects pSink to the control's event interface diid; FALSE when the control has no such
    // connection point. Unadvise with the cookie, or let the window's destruction do it.
    BOOL AdviseEvents(REFIID diid, IDispatch* pSink, DWORD* pdwCookie);
    BOOL UnadviseEvents(REFIID diid, DWORD dwCookie);

    // Closes and releases the control (the window stays).
    void DestroyControl();

    // The object that pages see as window.external (a reference is held; nullptr takes it
    // away). A page asks for it on first use; the filter, when set, is asked each time and a
    // page it refuses gets no object (window.external is then null), so the object can be kept
    // from pages of another origin.
    void SetExternalDispatch(IDispatch* pDisp);
    IDispatch* GetExternalDispatch() const { return m_pExternal; }
    void SetExternalFilter(std::function<BOOL()> allow) { m_externalFilter = std::move(allow); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FitControl();

    // The control's view of its container: one object with every site interface.
    class CSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame,
                  public IOleControlSite, public IDispatch, public IDocHostUIHandler {
    public:
        explicit CSite(COleControlHost* host) : m_pHost(host) {}
        // IUnknown (the site lives inside the host; references do not own it)
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        // IOleClientSite
        HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
        HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
        HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
        // IOleWindow (shared by the in-place site and frame)
        HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
        HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
        // IOleInPlaceSite
        HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                                   LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                   LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
        HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override;
        // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus, tools or status of ours
        HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
        HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
        HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
        // IOleControlSite
        HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** ppDisp) override;
        HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
        HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }
        // IDispatch: the ambient properties
        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*,
                                         VARIANT* pVarResult, EXCEPINFO*, UINT*) override;
        // IDocHostUIHandler: the engine's defaults (S_FALSE / E_NOTIMPL) for everything but
        // the host information and window.external
        HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_FALSE; }
        HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* pInfo) override;
        HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                         IOleInPlaceUIWindow*) override { return S_FALSE; }
        HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
        HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* pchKey, DWORD) override;
        HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** ppDropTarget) override;
        HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** ppDispatch) override;
        HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) override;
        HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** ppDORet) override;

    private:
        COleControlHost* m_pHost;
    };

    CSite m_site;
    IUnknown* m_pObject = nullptr;      // the control
    IOleObject* m_pOleObject = nullptr; // its IOleObject
    IDispatch* m_pExternal = nullptr;   // window.external (a reference held)
    std::function<BOOL()> m_externalFilter;
};
