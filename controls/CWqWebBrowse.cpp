#include "controls/CWqWebBrowse.h"
#include "controls/CHtmlResource.h"
#include "controls/CWebPageAddress.h"

BEGIN_MESSAGE_MAP(CWqWebBrowse, CWnd)
    ON_WM_SIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

CWqWebBrowse::CWqWebBrowse() = default;

CWqWebBrowse::~CWqWebBrowse()
{
    // The window goes while the control and this object are still whole.
    if (m_hWnd)
        DestroyWindow();
}

BOOL CWqWebBrowse::CreateHost(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPCWSTR lpszWindowName)
{
    if (m_bBorder)
        dwStyle |= WS_BORDER;
    m_bDestroying = FALSE;
    return m_control.CreateWithWindow(this, AfxRegisterWndClass(0), lpszWindowName, dwStyle, rect, pParentWnd, nID,
                                      this);
}

BOOL CWqWebBrowse::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPCWSTR lpszWindowName)
{
    return CreateHost(dwStyle, rect, pParentWnd, nID, lpszWindowName) && m_control.OpenFirstDocument(this);
}

BOOL CWqWebBrowse::CreateFromDlgItem(CWnd* pDialog, UINT nID)
{
    CRect rect;
    if (!CWebBrowserControl::TakeDlgItemPlace(pDialog, nID, &rect))
        return FALSE;
    return Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pDialog, nID);
}

BOOL CWqWebBrowse::Navigate(const CString& url)
{
    return m_control.Navigate(url);
}

BOOL CWqWebBrowse::OpenBlankDocument()
{
    if (!m_control.GetBrowser())
        return FALSE;
    if (!m_control.GetHtmlDocument() && !m_control.NavigateAndWait(L"about:blank"))
        return FALSE;
    return CWebBrowserControl::OpenDocument(m_control.GetHtmlDocument());
}

BOOL CWqWebBrowse::WriteHTML(const CString& html)
{
    CComPtr<IHTMLDocument2> doc = m_control.GetHtmlDocument();
    if (!CWebBrowserControl::WriteDocument(doc, html))
        return FALSE;
    doc->close();
    return TRUE;
}

BOOL CWqWebBrowse::LoadHTMLFromResource(UINT nResourceId)
{
    const CString html = CHtmlResource::Load(nResourceId);
    if (html.IsEmpty())
        return FALSE;
    return OpenBlankDocument() && WriteHTML(html);
}

CComPtr<IDispatch> CWqWebBrowse::GetScript() const
{
    return m_control.GetScript();
}

CComVariant CWqWebBrowse::CallScript(const CString& function, const CStringArray& args) const
{
    CComVariant result;
    CComPtr<IDispatch> script = GetScript();
    if (!CWebBrowserControl::InvokeByName(script, function, args, &result))
        result.Clear();
    return result;
}

BOOL CWqWebBrowse::PrintWithHeaderFooter(const CString& header, const CString& footer)
{
    return m_control.Print(header, footer);
}

BOOL CWqWebBrowse::SetExternalDispatch(CWnd* pWnd, IDispatch* pDisp)
{
    COleControlHost* host = m_control.GetControlWnd();
    if (!host)
        return FALSE;
    if (pWnd && pWnd->GetSafeHwnd() != m_hWnd && pWnd->GetSafeHwnd() != host->m_hWnd)
        return FALSE;
    host->SetExternalDispatch(pDisp);
    host->SetExternalFilter([this] { return IsExternalAllowed(); });
    return TRUE;
}

void CWqWebBrowse::SetExternalOrigin(const CString& origin)
{
    m_bExternalByOrigin = TRUE;
    m_strExternalOrigin = origin;
    m_strExternalOrigin.MakeLower();
}

BOOL CWqWebBrowse::IsExternalAllowed() const
{
    if (!m_bExternalByOrigin)
        return TRUE;
    // The page asking is the one shown now, whatever the last navigation event said.
    const CString url = m_control.GetPageURL();
    if (CWebPageAddress::IsBlank(url))
        return TRUE;
    return !m_strExternalOrigin.IsEmpty() && CWebPageAddress::GetOrigin(url) == m_strExternalOrigin;
}

LRESULT CWqWebBrowse::SendNotify(Notify& notify, NotifyCode code)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!parent)
        return 0;
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    notify.hdr.code = static_cast<UINT>(code);
    UINT message = WM_NOTIFY;
    if (code == kBeforeNavigate)
        message = WM_WEBBROWSE_BEFORENAVIGATE;
    else if (code == kTitleChange)
        message = WM_WEBBROWSE_TITLECHANGE;
    return ::SendMessageW(parent, message, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

bool CWqWebBrowse::OnBrowserBeforeNavigate(bool, const CString& url, long flags, const CString& frame,
                                           const std::vector<BYTE>& postData, const CString& headers)
{
    Notify notify;
    notify.strUrl = url;
    notify.nFlags = flags;
    notify.strFrame = frame;
    notify.pPostData = postData.empty() ? nullptr : postData.data();
    notify.nPostDataSize = static_cast<int>(postData.size());
    notify.strHeaders = headers;
    return SendNotify(notify, kBeforeNavigate) != 0;
}

void CWqWebBrowse::OnBrowserDocumentComplete(bool topLevel, const CString& url)
{
    if (!topLevel)
        return;
    Notify notify;
    notify.strUrl = url;
    SendNotify(notify, kDocumentComplete);
}

void CWqWebBrowse::OnBrowserDownloadBegin()
{
    Notify notify;
    SendNotify(notify, kDownloadBegin);
}

void CWqWebBrowse::OnBrowserProgressChange(long progress, long progressMax)
{
    Notify notify;
    notify.nProgress = progress;
    notify.nProgressMax = progressMax;
    SendNotify(notify, kProgressChange);
}

void CWqWebBrowse::OnBrowserDownloadComplete()
{
    if (!m_bScrollBars)
        CWebBrowserControl::SetNoScroll(m_control.GetHtmlDocument());
    Notify notify;
    SendNotify(notify, kDownloadComplete);
}

void CWqWebBrowse::OnBrowserNavigateComplete(bool topLevel, const CString& url)
{
    // A frame's page is not the page the window shows.
    if (topLevel)
        m_strCurrentUrl = url;
    Notify notify;
    notify.strUrl = url;
    SendNotify(notify, kNavigateComplete);
}

void CWqWebBrowse::OnBrowserStatusTextChange(const CString& text)
{
    Notify notify;
    notify.strText = text;
    SendNotify(notify, kStatusTextChange);
}

void CWqWebBrowse::OnBrowserTitleChange(const CString& text)
{
    Notify notify;
    notify.strText = text;
    SendNotify(notify, kTitleChange);
}

void CWqWebBrowse::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    m_control.FitToOwner(this);
}

void CWqWebBrowse::OnNcPaint()
{
    Default();
    if (m_bBorder)
        CWebBrowserControl::PaintFrame(this, ::GetSysColor(COLOR_BTNSHADOW));
}

void CWqWebBrowse::OnDestroy()
{
    // The control's window goes now because this one does: that is no request to close.
    m_bDestroying = TRUE;
    m_control.Destroy();
    CWnd::OnDestroy();
}

void CWqWebBrowse::OnParentNotify(UINT message, LPARAM lParam)
{
    CWnd::OnParentNotify(message, lParam);
    if (message != WM_DESTROY || m_bDestroying || !m_bCloseOnRequest)
        return;
    COleControlHost* host = m_control.GetControlWnd();
    if (host && reinterpret_cast<HWND>(lParam) == host->m_hWnd) {
        if (HWND parent = ::GetParent(m_hWnd))
            ::PostMessageW(parent, WM_CLOSE, 0, 0);
    }
}
