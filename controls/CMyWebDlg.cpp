#include "controls/CMyWebDlg.h"
#include "common/CWqStringMgr.h"
#include "controls/CWebPageAddress.h"
#include "controls/popup/CMultiMonitorApi.h"
#include "framework/CComQIPtr.h"
#include "platform/QorCore/IWebExt.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CMyWebDlg, CDialog)

BEGIN_MESSAGE_MAP(CMyWebDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_WEBBROWSE_BEFORENAVIGATE, &CMyWebDlg::OnBeforeNavigate)
    ON_MESSAGE(WM_WEBBROWSE_TITLECHANGE, &CMyWebDlg::OnTitleChange)
END_MESSAGE_MAP()

CMyWebDlg::CMyWebDlg(CWnd* pParent) : CDialog(IDD_WEB_DIALOG, pParent) {}

CMyWebDlg::~CMyWebDlg()
{
    // The browser goes with the window, while this object is whole.
    if (m_hWnd)
        DestroyWindow();
    if (m_pExternal) {
        m_pExternal->Release();
        m_pExternal = nullptr;
    }
    SetOpener(nullptr);
}

BOOL CMyWebDlg::Create(CWnd* pParentWnd)
{
    m_bModeless = TRUE;
    if (CDialog::Create(IDD_WEB_DIALOG, pParentWnd))
        return TRUE;
    m_bModeless = FALSE; // the caller keeps the object
    return FALSE;
}

void CMyWebDlg::SetOpener(IDispatch* pOpener)
{
    if (pOpener)
        pOpener->AddRef();
    IDispatch* old = m_pOpener;
    m_pOpener = pOpener;
    if (old)
        old->Release();
}

void CMyWebDlg::ParseDialogFeatures()
{
    CString rest = m_strFeatures;
    rest.Replace(L";", L",");
    CString item;
    while (CWqStringMgr::SplitFirst(rest, item, L",")) {
        const int eq = item.Find(L'=');
        if (eq <= 0)
            continue;
        CString key = item.Left(eq);
        CString value = item.Mid(eq + 1);
        key.Trim();
        value.Trim();
        if (key.CompareNoCase(L"dialogWidth") == 0)
            m_nDialogWidth = _wtoi(value);
        else if (key.CompareNoCase(L"dialogHeight") == 0)
            m_nDialogHeight = _wtoi(value);
        else if (key.CompareNoCase(L"Caption") == 0)
            m_strCaption = value;
        else if (key.CompareNoCase(L"scrollbars") == 0 && value.CompareNoCase(L"no") == 0)
            m_bNoScrollBars = 1;
    }
}

CRect CMyWebDlg::PlaceOnScreen(const CRect& workArea, int x, int y, int cx, int cy)
{
    if (x == -1 && y == -1) {
        x = workArea.left + (workArea.Width() - cx) / 2;
        y = workArea.top + (workArea.Height() - cy) / 2;
    } else {
        // Back inside on both axes; a window larger than the area keeps its left and top edge
        // on screen, where its caption and close box are.
        x = std::max(static_cast<int>(workArea.left), std::min(x, static_cast<int>(workArea.right) - cx));
        y = std::max(static_cast<int>(workArea.top), std::min(y, static_cast<int>(workArea.bottom) - cy));
    }
    return CRect(x, y, x + cx, y + cy);
}

CString CMyWebDlg::ReadOpenerUrl(IDispatch* pOpener)
{
    CComVariant document;
    if (!CWebBrowserControl::GetPropertyByName(pOpener, L"document", &document) || document.vt != VT_DISPATCH ||
        !document.pdispVal)
        return CString();
    CComVariant url;
    if (!CWebBrowserControl::GetPropertyByName(document.pdispVal, L"URL", &url) || url.vt != VT_BSTR)
        return CString();
    return url.ToString();
}

BOOL CMyWebDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ParseDialogFeatures();

    if (!m_strUrl.IsEmpty()) {
        const CString opener = ReadOpenerUrl(m_pOpener);
        if (!opener.IsEmpty())
            m_strBaseUrl = opener;
        m_strUrl = CWebPageAddress::Resolve(m_strUrl, m_strBaseUrl);
    }
    if (!m_strCaption.IsEmpty())
        SetWindowText(m_strCaption);

    CRect window;
    GetWindowRect(&window);
    int cx = window.Width();
    int cy = window.Height();
    if (m_nDialogWidth > 0 && m_nDialogHeight > 0) {
        cx = m_nDialogWidth;
        cy = m_nDialogHeight;
    }
    const CRect workArea = (m_nX == -1 && m_nY == -1)
                               ? CMultiMonitorApi::GetPrimaryWorkArea()
                               : CMultiMonitorApi::Instance().GetWorkArea(CPoint(m_nX, m_nY));
    const CRect place = PlaceOnScreen(workArea, m_nX, m_nY, cx, cy);
    SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);

    if (m_bNoScrollBars)
        m_browse.SetScrollBars(0);
    CRect client;
    GetClientRect(&client);
    if (!CreateBrowser(client)) {
        DestroyWindow();
        return FALSE;
    }
    m_browse.SetCloseOnRequest(TRUE);
    if (!m_pExternal)
        m_pExternal = CQorViewBaseFun::CreateWebExt(m_hWnd);
    // Pages of the opener's origin (or, without an opener, of the dialog's own page) only.
    m_browse.SetExternalOrigin(CWebPageAddress::GetOrigin(m_strBaseUrl.IsEmpty() ? m_strUrl : m_strBaseUrl));
    m_browse.SetExternalDispatch(&m_browse, m_pExternal);
    if (!m_strUrl.IsEmpty())
        m_browse.Navigate(m_strUrl);
    return TRUE;
}

BOOL CMyWebDlg::CreateBrowser(const CRect& rect)
{
    return m_browse.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, this, IDC_WEB_BROWSER, L"Browser");
}

void CMyWebDlg::OnCancel()
{
    if (m_bModeless)
        DestroyWindow();
    else
        CDialog::OnCancel();
}

void CMyWebDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (m_browse.GetSafeHwnd())
        m_browse.MoveWindow(0, 0, cx, cy);
}

void CMyWebDlg::OnDestroy()
{
    // The browser asks nothing of the dialog any more once it is going.
    if (m_browse.GetSafeHwnd())
        m_browse.DestroyWindow();
    CDialog::OnDestroy();
}

LRESULT CMyWebDlg::OnBeforeNavigate(WPARAM, LPARAM)
{
    if (!m_pOpener)
        return 0;
    CComPtr<IHTMLDocument2> doc = m_browse.GetDocument();
    CComPtr<IHTMLWindow2> window;
    if (doc && SUCCEEDED(doc->get_parentWindow(&window)) && window) {
        CComVariant opener(m_pOpener);
        window->put_opener(opener);
    }
    return 0; // never cancels
}

LRESULT CMyWebDlg::OnTitleChange(WPARAM, LPARAM lParam)
{
    const auto* notify = reinterpret_cast<const CWqWebBrowse::Notify*>(lParam);
    if (notify)
        SetWindowText(notify->strText);
    return 0;
}

void CMyWebDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    if (m_bModeless)
        delete this;
}
