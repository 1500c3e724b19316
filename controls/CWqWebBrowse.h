#pragma once
// CWqWebBrowse: a child window showing web pages in the system's WebBrowser control, the
// browser of the web dialog (CMyWebDlg). It drives the control through its automation interface
// and tells its parent window what the control reports, each time with a Notify record:
//
//   event of the control   code   sent as                            record fields
//   BeforeNavigate2         0      WM_WEBBROWSE_BEFORENAVIGATE (*)    url, flags, frame, post data, headers
//   DocumentComplete        1      WM_NOTIFY (top-level page only)    url
//   DownloadBegin           2      WM_NOTIFY                          -
//   ProgressChange          3      WM_NOTIFY                          progress, maximum
//   DownloadComplete        4      WM_NOTIFY                          -
//   NavigateComplete2       5      WM_NOTIFY                          url (kept as the current URL)
//   StatusTextChange        6      WM_NOTIFY                          text
//   TitleChange             7      WM_WEBBROWSE_TITLECHANGE           text
//   (*) a non-zero answer cancels the navigation.
// Both private messages carry the window's id in wParam and the record in lParam, like
// WM_NOTIFY; the record and its post data live only while the message is handled.
//
//     m_browse.SetCloseOnRequest(TRUE);
//     m_browse.Create(WS_CHILD | WS_VISIBLE, rc, this, 3002);
//     m_browse.Navigate(L"http://server/page.html");
//
// Create waits for the control's first (blank) document, for a bounded time; a control that
// gives none (no HTML engine installed) makes Create fail and leaves no window. While no
// control exists every operation does nothing and answers FALSE, 0 or empty.
//
// window.external: SetExternalDispatch gives pages an object; after SetExternalOrigin only blank
// pages and pages of that origin get it.
#include "controls/CWebBrowserControl.h"
#include "framework/CWnd.h"

// Sent to the parent before each navigation (wParam: id, lParam: Notify*); non-zero cancels it.
#define WM_WEBBROWSE_BEFORENAVIGATE (WM_USER + 6630)
// Sent to the parent when the page's title changes (wParam: id, lParam: Notify*).
#define WM_WEBBROWSE_TITLECHANGE (WM_USER + 6631)

class CWqWebBrowse : public CWnd, private CWebBrowserControl::Events {
public:
    enum NotifyCode {
        kBeforeNavigate = 0,
        kDocumentComplete = 1,
        kDownloadBegin = 2,
        kProgressChange = 3,
        kDownloadComplete = 4,
        kNavigateComplete = 5,
        kStatusTextChange = 6,
        kTitleChange = 7,
    };
    struct Notify {
        NMHDR hdr = {};
        CString strUrl;
        long nFlags = 0;
        CString strFrame;
        const BYTE* pPostData = nullptr; // a copy, valid while the message is handled
        int nPostDataSize = 0;
        CString strHeaders;
        long nProgress = 0;
        long nProgressMax = 0;
        CString strText; // the status text or the title
    };

    CWqWebBrowse();
    ~CWqWebBrowse() override;

// Creation
    // The window (WS_BORDER added when m_bBorder is set) with the control filling it, on the
    // blank page. FALSE, and no window, when the control cannot be made or gives no document.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPCWSTR lpszWindowName = nullptr);
    // Create in place of a dialog item (which goes), with its rectangle and id.
    BOOL CreateFromDlgItem(CWnd* pDialog, UINT nID);

// Pages
    BOOL Navigate(const CString& url);
    // Makes sure an HTML document is there (the blank page), and opens it for writing.
    BOOL OpenBlankDocument();
    // Writes the text into the open document and closes it.
    BOOL WriteHTML(const CString& html);
    // Shows an HTML resource of the current resource module (see CHtmlResource); FALSE when
    // there is no such resource or no document to show it in.
    BOOL LoadHTMLFromResource(UINT nResourceId);
    CComPtr<IDispatch> GetScript() const;
    // Calls a function of the page by name; its result (empty when the call failed).
    CComVariant CallScript(const CString& function, const CStringArray& args) const;
    BOOL PrintWithHeaderFooter(const CString& header, const CString& footer);
    BOOL GoBack() { return m_control.GoBack(); }
    BOOL GoForward() { return m_control.GoForward(); }
    BOOL GoHome() { return m_control.GoHome(); }
    BOOL Refresh() { return m_control.Refresh(); }
    BOOL Stop() { return m_control.Stop(); }

// The control's properties
    bool GetBusy() const { return m_control.GetBusy(); }
    int GetReadyState() const { return m_control.GetReadyState(); }
    bool GetSilent() const { return m_control.GetSilent(); }
    void PutSilent(bool bSilent) { m_control.PutSilent(bSilent); }
    CString GetLocationName() const { return m_control.GetLocationName(); }
    CString GetLocationURL() const { return m_control.GetLocationURL(); }
    CComPtr<IHTMLDocument2> GetDocument() const { return m_control.GetHtmlDocument(); }
    long GetLeft() const { return m_control.GetLeft(); }
    void PutLeft(long n) { m_control.PutLeft(n); }
    long GetTop() const { return m_control.GetTop(); }
    void PutTop(long n) { m_control.PutTop(n); }
    long GetWidth() const { return m_control.GetWidth(); }
    void PutWidth(long n) { m_control.PutWidth(n); }
    long GetHeight() const { return m_control.GetHeight(); }
    void PutHeight(long n) { m_control.PutHeight(n); }
    DWORD QueryStatusWB(OLECMDID cmd) const { return m_control.QueryStatus(cmd); }

// window.external
    // Gives pages the object through the control's host (pWnd: this window or its control
    // window; nullptr means this one). FALSE without a control.
    BOOL SetExternalDispatch(CWnd* pWnd, IDispatch* pDisp);
    // From now on only blank pages and pages of this origin ("scheme://host[:port]", see
    // CWebPageAddress::GetOrigin) get the object; an empty origin leaves blank pages alone.
    void SetExternalOrigin(const CString& origin);
    // TRUE when the page shown now may have the object.
    BOOL IsExternalAllowed() const;

    COleControlHost* GetControlWnd() const { return m_control.GetControlWnd(); }
    IWebBrowser2* GetBrowser() const { return m_control.GetBrowser(); }

    // The last top-level page the control reported.
    const CString& GetCurrentUrl() const { return m_strCurrentUrl; }
    // Set: the control's window going closes the parent (WM_CLOSE).
    void SetCloseOnRequest(int bClose) { m_bCloseOnRequest = bClose; }
    int GetCloseOnRequest() const { return m_bCloseOnRequest; }
    // Set before Create: WS_BORDER, painted by the window itself.
    void SetBorder(int bBorder) { m_bBorder = bBorder; }
    // 0: every downloaded page gets the body attribute scroll="no".
    void SetScrollBars(int bScrollBars) { m_bScrollBars = bScrollBars; }
    int GetScrollBars() const { return m_bScrollBars; }

    // The window and the control without waiting for the first document, for a caller that
    // navigates at once itself; Create is the usual way.
    BOOL CreateHost(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPCWSTR lpszWindowName);

protected:
    LRESULT SendNotify(Notify& notify, NotifyCode code);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The control's events, each sent to the parent as its notification.
    bool OnBrowserBeforeNavigate(bool topLevel, const CString& url, long flags, const CString& frame,
                                 const std::vector<BYTE>& postData, const CString& headers) override;
    void OnBrowserDocumentComplete(bool topLevel, const CString& url) override;
    void OnBrowserDownloadBegin() override;
    void OnBrowserProgressChange(long progress, long progressMax) override;
    void OnBrowserDownloadComplete() override;
    void OnBrowserNavigateComplete(bool topLevel, const CString& url) override;
    void OnBrowserStatusTextChange(const CString& text) override;
    void OnBrowserTitleChange(const CString& text) override;

    CString m_strCurrentUrl;
    int m_bCloseOnRequest = 0;
    int m_bBorder = 0;
    int m_bScrollBars = 1;
    CWebBrowserControl m_control;
    BOOL m_bExternalByOrigin = FALSE;
    CString m_strExternalOrigin;
    BOOL m_bDestroying = FALSE;
};
