#pragma once
// CQorSimpleBrowser: a lighter browser window than CWqWebBrowse. It hosts the system's
// WebBrowser control in its client area, paints an optional coloured frame round it, and
// reports the control's events to its parent as WM_NOTIFY with a Notification record, each
// through a virtual method that a derived class may take over:
//
//   OnBeforeNavigate2    code 0   url, frame, post data and size, headers; a non-zero answer
//                                  cancels the navigation (top-level navigations only)
//   OnDocumentComplete   code 1   url (top-level page only)
//   OnDownloadBegin      code 2
//   OnProgressChange     code 3   progress, maximum
//   OnDownloadComplete   code 4   (the body's border is set to "none" first)
//   OnNavigateComplete2  code 5   url (top-level page only)
//   OnStatusTextChange   code 6   text
//   OnTitleChange        code 7   text
//
//     CQorSimpleBrowser* browser = new CQorSimpleBrowser;     // the owner keeps and deletes it
//     browser->CreateFromControl(pDialog, IDC_PAGE_PLACE);
//     browser->LoadHtmlResource(IDR_ABOUT_PAGE);
//
// Create waits for the control's first (blank) document, for a bounded time, and fails cleanly
// when none comes. Every operation does nothing, or answers false, 0 or empty, without a control.
#include "controls/CWebBrowserControl.h"
#include "framework/CWnd.h"

class CQorSimpleBrowser : public CWnd, private CWebBrowserControl::Events {
public:
    struct Notification {
        NMHDR hdr = {};
        CString url;
        CString frame;
        const BYTE* postData = nullptr; // a copy, valid while the notification is handled
        int postDataSize = 0;
        CString headers;
        int progress = 0;
        int progressMax = 0;
        CString text;
    };

    CQorSimpleBrowser();
    ~CQorSimpleBrowser() override;

// Creation
    // The window (WS_BORDER added when m_bBorder is set) and the control. FALSE when the window
    // or the control cannot be made or no first document comes; nothing is left then.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Create in place of the dialog's control with that id (which goes), with its rectangle.
    BOOL CreateFromControl(CWnd* pParentDlg, UINT nID);

// Pages
    void GoBack() { m_control.GoBack(); }
    void GoForward() { m_control.GoForward(); }
    void GoHome() { m_control.GoHome(); }
    void Refresh() { m_control.Refresh(); }
    void Stop() { m_control.Stop(); }
    // Leading white space is dropped from the address.
    void Navigate(const CString& url);
    // Writes the text into the current document (without closing it).
    void Write(const CString& html);
    // Opens the document anew (empty); without a document, navigates to the blank page first.
    void Clear();
    // Shows an HTML resource of the current resource module (see CHtmlResource).
    void LoadHtmlResource(UINT nResourceId);
    // Prints with header and footer texts.
    void Print(const CString& header, const CString& footer);
    // The body's border style and, when m_bScrollBars is 0, scroll="no"; pDoc nullptr means
    // the current document.
    BOOL SetDocumentBorder(const CString& style, IHTMLDocument2* pDoc = nullptr);

// The control's properties
    bool GetBusy() const { return m_control.GetBusy(); }
    bool GetSilent() const { return m_control.GetSilent(); }
    void PutSilent(bool bSilent) { m_control.PutSilent(bSilent); }
    CString GetLocationName() const { return m_control.GetLocationName(); }
    CString GetLocationURL() const { return m_control.GetLocationURL(); }
    int GetReadyState() const { return m_control.GetReadyState(); }
    CComPtr<IHTMLDocument2> GetDocument() const { return m_control.GetHtmlDocument(); }

    COleControlHost* GetControlWnd() const { return m_control.GetControlWnd(); }
    IWebBrowser2* GetBrowser() const { return m_control.GetBrowser(); }
    IDispatch* GetBrowserDispatch() const { return m_control.GetBrowserDispatch(); }

    // The frame's colour.
    void SetFrameColor(COLORREF crFrame) { m_crFrame = crFrame; }
    // 0: every loaded document gets the body attribute scroll="no".
    void SetScrollBars(BYTE bScrollBars) { m_bScrollBars = bScrollBars; }
    // Set before Create: WS_BORDER, painted in the frame's colour.
    void SetBorder(BYTE bBorder) { m_bBorder = bBorder; }

// Events: each default sends its notification to the parent.
    virtual bool OnBeforeNavigate2(const CString& url, const CString& frame, const BYTE* postData, int postDataSize,
                                   const CString& headers);
    virtual void OnDocumentComplete(const CString& url);
    virtual void OnDownloadBegin();
    virtual void OnProgressChange(int progress, int progressMax);
    virtual void OnDownloadComplete();
    virtual void OnNavigateComplete2(const CString& url);
    virtual void OnStatusTextChange(const CString& text);
    virtual void OnTitleChange(const CString& text);

    // The window and the control without waiting for the first document, for a caller that
    // navigates at once itself; Create is the usual way.
    BOOL CreateHost(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

protected:
    // Sends the record to the parent as WM_NOTIFY with the code; the parent's answer.
    LRESULT SendNotification(Notification& notification, UINT code);
    // Releases the control's interfaces; the object stays (its owner deletes it).
    void PostNcDestroy() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The control's events, each handed to the virtual method above.
    bool OnBrowserBeforeNavigate(bool topLevel, const CString& url, long flags, const CString& frame,
                                 const std::vector<BYTE>& postData, const CString& headers) override;
    void OnBrowserDocumentComplete(bool topLevel, const CString& url) override;
    void OnBrowserDownloadBegin() override;
    void OnBrowserProgressChange(long progress, long progressMax) override;
    void OnBrowserDownloadComplete() override;
    void OnBrowserNavigateComplete(bool topLevel, const CString& url) override;
    void OnBrowserStatusTextChange(const CString& text) override;
    void OnBrowserTitleChange(const CString& text) override;

    COLORREF m_crFrame = RGB(140, 178, 222);
    BYTE m_bScrollBars = 1;
    BYTE m_bBorder = 1;
    CWebBrowserControl m_control;
};
