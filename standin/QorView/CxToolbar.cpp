#include "platform/QorView/CxToolbar.h"
#include "framework/CPaintDC.h"
#include "platform/QorView/QorViewMessages.h"
#include "standin/QorView/QorViewState.h"

BEGIN_MESSAGE_MAP(CxToolbar, CStatic)
    ON_WM_PAINT()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {
// Our toolbar draws no skin images: each item is a box of its image width plus its text.
const int kTextGap = 4;
} // namespace

BOOL CxToolbar::AddItem(int nId, LPCWSTR lpszImage, const CString& strText, const CString& strTip, int nWidth,
                        bool bFlag, int nStyle, int nConst, int nLeft, int nTop, int nRight, int nBottom)
{
    qorview_detail::Record(L"CxToolbar::AddItem",
                           qorview_detail::Join({qorview_detail::Num(nId), lpszImage ? lpszImage : L"", strText,
                                                 qorview_detail::Num(nWidth), qorview_detail::Num(nStyle)}));
    Item item;
    item.nId = nId;
    item.strImage = lpszImage ? lpszImage : L"";
    item.strText = strText;
    item.strTip = strTip;
    item.nWidth = nWidth;
    item.bFlag = bFlag;
    item.nStyle = nStyle;
    item.nConst = nConst;
    item.rcMargins = {nLeft, nTop, nRight, nBottom};
    m_items.push_back(item);
    if (::IsWindow(m_hWnd))
        Invalidate();
    return TRUE;
}

const CxToolbar::Item* CxToolbar::GetItemAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetItemCount())
        return nullptr;
    return &m_items[static_cast<size_t>(nIndex)];
}

BOOL CxToolbar::GetItemRect(int nId, RECT* pRect) const
{
    if (!pRect || !::IsWindow(m_hWnd))
        return FALSE;
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    HDC hdc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    int x = 0;
    BOOL found = FALSE;
    for (const Item& item : m_items) {
        SIZE sz = {0, 0};
        ::GetTextExtentPoint32W(hdc, item.strText, item.strText.GetLength(), &sz);
        int width = item.nWidth + kTextGap + sz.cx + kTextGap;
        x += item.rcMargins.left;
        if (item.nId == nId) {
            *pRect = {x, rcClient.top, x + width, rcClient.bottom};
            found = TRUE;
            break;
        }
        x += width + item.rcMargins.right;
    }
    ::SelectObject(hdc, old);
    ::ReleaseDC(m_hWnd, hdc);
    return found;
}

void CxToolbar::OnPaint()
{
    CPaintDC dc(this);
    HDC hdc = dc.GetSafeHdc();
    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    ::FillRect(hdc, &rcClient, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    HGDIOBJ old = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    ::SetBkMode(hdc, TRANSPARENT);
    for (const Item& item : m_items) {
        RECT rc;
        if (!GetItemRect(item.nId, &rc))
            continue;
        RECT rcImage = {rc.left + 1, rc.top + 2, rc.left + item.nWidth - 1, rc.bottom - 2};
        ::FrameRect(hdc, &rcImage, reinterpret_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        RECT rcText = {rc.left + item.nWidth + kTextGap, rc.top, rc.right, rc.bottom};
        ::DrawTextW(hdc, item.strText, item.strText.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    ::SelectObject(hdc, old);
}

void CxToolbar::OnLButtonUp(UINT, CPoint point)
{
    for (const Item& item : m_items) {
        RECT rc;
        if (GetItemRect(item.nId, &rc) && ::PtInRect(&rc, point)) {
            CWnd* pOwner = m_pOwner ? m_pOwner : GetParent();
            if (pOwner)
                ::PostMessageW(pOwner->GetSafeHwnd(), WM_QORVIEW_TOOLBAR, static_cast<WPARAM>(item.nId), 0);
            return;
        }
    }
}
