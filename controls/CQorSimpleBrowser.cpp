#include "controls/CQorSimpleBrowser.h"
#include "controls/CHtmlResource.h"

BEGIN_MESSAGE_MAP(CQorSimpleBrowser, CWnd)
    ON_WM_SIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CQorSimpleBrowser::CQorSimpleBrowser() = default;

CQorSimpleBrowser::~CQorSimpleBrowser()
{
    // The window goes while the control and this object are still whole.
    if (m_hWnd)
        DestroyWindow();
    m_control.Destroy();
}

BOOL CQorSimpleBrowser::CreateHost(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (m_bBorder)
        dwStyle |= WS_BORDER;
    return m_control.CreateWithWindow(this, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), nullptr, dwStyle, rect,
                                      pParentWnd, nID, this);
}

BOOL CQorSimpleBrowser::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateHost(dwStyle, rect, pParentWnd, nID) && m_control.OpenFirstDocument(this);
}

BOOL CQorSimpleBrowser::CreateFromControl(CWnd* pParentDlg, UINT nID)
{
    CRect rect;
    if (!CWebBrowserControl::TakeDlgItemPlace(pParentDlg, nID, &rect))
        return FALSE;
    return Create(WS_CHILD | WS_VISIBLE, rect, pParentDlg, nID);
}

void CQorSimpleBrowser::Navigate(const CString& url)
{
    CString trimmed = url;
    trimmed.TrimLeft();
    m_control.Navigate(trimmed);
}

void CQorSimpleBrowser::Write(const CString& html)
{
    CWebBrowserControl::WriteDocument(m_control.GetHtmlDocument(), html);
}

void CQorSimpleBrowser::Clear()
{
    CComPtr<IHTMLDocument2> doc = m_control.GetHtmlDocument();
    if (!doc) {
        m_control.NavigateAndWait(L"about:blank");
        return;
    }
    doc->close();
    if (CWebBrowserControl::OpenDocument(doc))
        Refresh();
}

void CQorSimpleBrowser::LoadHtmlResource(UINT nResourceId)
{
    const CString html = CHtmlResource::Load(nResourceId);
    Clear();
    Write(html);
}

void CQorSimpleBrowser::Print(const CString& header, const CString& footer)
{
    m_control.Print(header, footer);
}

BOOL CQorSimpleBrowser::SetDocumentBorder(const CString& style, IHTMLDocument2* pDoc)
{
    if (pDoc)
        return CWebBrowserControl::SetDocumentBorder(pDoc, style, m_bScrollBars == 0);
    return CWebBrowserControl::SetDocumentBorder(m_control.GetHtmlDocument(), style, m_bScrollBars == 0);
}

LRESULT CQorSimpleBrowser::SendNotification(Notification& notification, UINT code)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!parent)
        return 0;
    notification.hdr.hwndFrom = m_hWnd;
    notification.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    notification.hdr.code = code;
    return ::SendMessageW(parent, WM_NOTIFY, notification.hdr.idFrom, reinterpret_cast<LPARAM>(&notification));
}

bool CQorSimpleBrowser::OnBeforeNavigate2(const CString& url, const CString& frame, const BYTE* postData,
                                          int postDataSize, const CString& headers)
{
    Notification n;
    n.url = url;
    n.frame = frame;
    n.postData = postData;
    n.postDataSize = postDataSize;
    n.headers = headers;
    return SendNotification(n, 0) != 0;
}

void CQorSimpleBrowser::OnDocumentComplete(const CString& url)
{
    Notification n;
    n.url = url;
    SendNotification(n, 1);
}

void CQorSimpleBrowser::OnDownloadBegin()
{
    Notification n;
    SendNotification(n, 2);
}

void CQorSimpleBrowser::OnProgressChange(int progress, int progressMax)
{
    Notification n;
    n.progress = progress;
    n.progressMax = progressMax;
    SendNotification(n, 3);
}

void CQorSimpleBrowser::OnDownloadComplete()
{
    Notification n;
    SendNotification(n, 4);
}

void CQorSimpleBrowser::OnNavigateComplete2(const CString& url)
{
    Notification n;
    n.url = url;
    SendNotification(n, 5);
}

void CQorSimpleBrowser::OnStatusTextChange(const CString& text)
{
    Notification n;
    n.text = text;
    SendNotification(n, 6);
}

void CQorSimpleBrowser::OnTitleChange(const CString& text)
{
    Notification n;
    n.text = text;
    SendNotification(n, 7);
}

bool CQorSimpleBrowser::OnBrowserBeforeNavigate(bool topLevel, const CString& url, long, const CString& frame,
                                                const std::vector<BYTE>& postData, const CString& headers)
{
    // A frame's navigation is the page's own business.
    if (!topLevel)
        return false;
    return OnBeforeNavigate2(url, frame, postData.empty() ? nullptr : postData.data(),
                             static_cast<int>(postData.size()), headers);
}

void CQorSimpleBrowser::OnBrowserDocumentComplete(bool topLevel, const CString& url)
{
    if (topLevel)
        OnDocumentComplete(url);
}

void CQorSimpleBrowser::OnBrowserDownloadBegin() { OnDownloadBegin(); }

void CQorSimpleBrowser::OnBrowserProgressChange(long progress, long progressMax)
{
    OnProgressChange(static_cast<int>(progress), static_cast<int>(progressMax));
}

void CQorSimpleBrowser::OnBrowserDownloadComplete()
{
    SetDocumentBorder(L"none");
    OnDownloadComplete();
}

void CQorSimpleBrowser::OnBrowserNavigateComplete(bool topLevel, const CString& url)
{
    if (topLevel)
        OnNavigateComplete2(url);
}

void CQorSimpleBrowser::OnBrowserStatusTextChange(const CString& text) { OnStatusTextChange(text); }

void CQorSimpleBrowser::OnBrowserTitleChange(const CString& text) { OnTitleChange(text); }

void CQorSimpleBrowser::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    m_control.FitToOwner(this);
}

void CQorSimpleBrowser::OnNcPaint()
{
    Default();
    if (m_bBorder)
        CWebBrowserControl::PaintFrame(this, m_crFrame);
}

void CQorSimpleBrowser::OnDestroy()
{
    // The control's windows are children of this one: they go with it, the control first.
    m_control.Destroy();
    CWnd::OnDestroy();
}

void CQorSimpleBrowser::PostNcDestroy()
{
    m_control.Destroy();
}
