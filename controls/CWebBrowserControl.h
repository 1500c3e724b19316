#pragma once
// CWebBrowserControl: the system's WebBrowser control as the program's two browser windows
// (CWqWebBrowse and CQorSimpleBrowser) use it. It is not a window: its owner window gives it
// its client area, and it keeps there the control's host window (a COleControlHost, id 59648),
// the control's IWebBrowser2 and top-level IDispatch, and the event sink on the control's
// DWebBrowserEvents2. It reads each event's arguments and hands them to the owner's Events,
// which turns them into the owner's own notifications.
//
// Everything here answers FALSE, 0, an empty text or nullptr while no control exists, so the
// owner's operations are safe before Create and after Destroy.
//
// The first HTML document: a freshly made control has none until its first navigation ends;
// WaitForHtmlDocument pumps the thread's messages while it waits, for a bounded time, and stops
// early when the navigation it waits for failed or was cancelled. (Without an HTML engine, as
// under a Wine that has no Gecko installed, no document ever comes.)
#include "framework/COleControlHost.h"
#include "framework/COleEventSink.h"
#include "framework/CComPtr.h"
#include "framework/CComVariant.h"
#include "framework/CStringArray.h"
#include <exdisp.h>
#include <mshtml.h>
#include <vector>

class CWebBrowserControl {
public:
    // What the owner hears of the control. topLevel: the event is about the control's own
    // page, not about a frame inside it.
    class Events {
    public:
        virtual ~Events() = default;
        // Before a navigation; true cancels it. The post data is a copy.
        virtual bool OnBrowserBeforeNavigate(bool topLevel, const CString& url, long flags, const CString& frame,
                                             const std::vector<BYTE>& postData, const CString& headers) = 0;
        virtual void OnBrowserDocumentComplete(bool topLevel, const CString& url) = 0;
        virtual void OnBrowserDownloadBegin() = 0;
        virtual void OnBrowserProgressChange(long progress, long progressMax) = 0;
        virtual void OnBrowserDownloadComplete() = 0;
        virtual void OnBrowserNavigateComplete(bool topLevel, const CString& url) = 0;
        virtual void OnBrowserStatusTextChange(const CString& text) = 0;
        virtual void OnBrowserTitleChange(const CString& text) = 0;
    };

    // The control id of the host window inside the owner.
    static const UINT kControlId = 59648;
    // How long Create waits for the first document.
    static const DWORD kFirstDocumentWaitMs = 10000;

    CWebBrowserControl();
    ~CWebBrowserControl();
    CWebBrowserControl(const CWebBrowserControl&) = delete;
    CWebBrowserControl& operator=(const CWebBrowserControl&) = delete;

    // Creates the control filling the owner's client area (dwStyle for its host window, child
    // style added), takes its interfaces and connects the sink, whose events go to pEvents (not
    // owned). FALSE with nothing left behind when the control cannot be made or lacks an
    // interface.
    BOOL Create(CWnd* pOwner, DWORD dwStyle, Events* pEvents);
    // The owner's own window (through CWnd::Create, WS_CLIPCHILDREN added) with the control in
    // it; FALSE, and no window left, when either cannot be made.
    BOOL CreateWithWindow(CWnd* pOwner, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, Events* pEvents);
    // Shows the blank page and waits for it; without it the owner's window goes (FALSE).
    BOOL OpenFirstDocument(CWnd* pOwner);
    // Disconnects the sink, releases the interfaces (each once) and destroys and deletes the
    // host window. Safe to call twice.
    void Destroy();

    COleControlHost* GetControlWnd() const { return m_pControlWnd; }
    IWebBrowser2* GetBrowser() const { return m_pBrowser; }
    IDispatch* GetBrowserDispatch() const { return m_pDispatch; }
    // TRUE when an event's dispatch is the control's own top-level browser (not a frame).
    BOOL IsTopLevel(IDispatch* pDisp) const;
    // Keeps the host window filling the owner's client area.
    void FitToOwner(CWnd* pOwner);
    // For a browser made in place of a dialog item: the item's rectangle in the dialog's client
    // coordinates, and the item destroyed. FALSE when the dialog has no such item.
    static BOOL TakeDlgItemPlace(CWnd* pDialog, UINT nID, CRect* pRect);
    // Fills the window's non-client area (its border) with a colour.
    static void PaintFrame(CWnd* pWnd, COLORREF colour);

// Navigation
    // The control's Navigate with flags 0 and no target, post data or headers.
    BOOL Navigate(const CString& url);
    // Navigates and waits for the HTML document (see WaitForHtmlDocument).
    BOOL NavigateAndWait(const CString& url, DWORD timeoutMs = kFirstDocumentWaitMs);
    // TRUE once the control's document is an HTML document; FALSE when the control cannot
    // give one, the navigation failed or was cancelled, or timeoutMs passed.
    BOOL WaitForHtmlDocument(DWORD timeoutMs = kFirstDocumentWaitMs);
    BOOL GoBack();
    BOOL GoForward();
    BOOL GoHome();
    BOOL Refresh();
    BOOL Stop();

// Properties
    bool GetBusy() const;
    int GetReadyState() const;
    bool GetSilent() const;
    void PutSilent(bool bSilent);
    CString GetLocationName() const;
    CString GetLocationURL() const;
    // The address of the page shown: the HTML document's own, else the control's location.
    CString GetPageURL() const;
    long GetLeft() const;
    void PutLeft(long n);
    long GetTop() const;
    void PutTop(long n);
    long GetWidth() const;
    void PutWidth(long n);
    long GetHeight() const;
    void PutHeight(long n);
    // The control's OLECMDF flags for a command; 0 without a control.
    DWORD QueryStatus(OLECMDID cmd) const;

// The document
    // The control's document as an HTML document; empty when there is none.
    CComPtr<IHTMLDocument2> GetHtmlDocument() const;
    // The document's script object (where a page's functions live); empty without one.
    CComPtr<IDispatch> GetScript() const;
    // Opens the document for writing anew ("text/html", target "_self").
    static BOOL OpenDocument(IHTMLDocument2* pDoc);
    // Writes the text into the document, as a one-element array of one string.
    static BOOL WriteDocument(IHTMLDocument2* pDoc, const CString& html);
    // The body's border style; with bNoScroll also the body attribute "scroll" = "no".
    static BOOL SetDocumentBorder(IHTMLDocument2* pDoc, const CString& style, bool bNoScroll);
    // The body attribute "scroll" = "no" alone.
    static BOOL SetNoScroll(IHTMLDocument2* pDoc);
    // Calls a function of a script object by name with text arguments (in the order given);
    // its result goes to pResult. FALSE when the name is unknown or the call fails.
    static BOOL InvokeByName(IDispatch* pScript, const CString& name, const CStringArray& args,
                             VARIANT* pResult);
    // Reads a property of an automation object by name into pResult; FALSE when it has none.
    static BOOL GetPropertyByName(IDispatch* pObject, const CString& name, VARIANT* pResult);
    // Prints through the control's print command with header and footer texts.
    BOOL Print(const CString& header, const CString& footer);

// Event arguments
    // A navigation's post data (the by-reference byte array of BeforeNavigate2), copied.
    static std::vector<BYTE> CopyPostData(const VARIANT* pPostData);

private:
    void OnEvent(DISPID dispid, DISPPARAMS* params);

    COleControlHost* m_pControlWnd = nullptr; // owned
    IWebBrowser2* m_pBrowser = nullptr;       // a reference held
    IDispatch* m_pDispatch = nullptr;         // a reference held
    COleEventSink m_sink;
    Events* m_pEvents = nullptr; // not owned
    bool m_bNavigationFailed = false; // the top-level navigation being waited for ended without a page
};
