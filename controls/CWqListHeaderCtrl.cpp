#include "controls/CWqListHeaderCtrl.h"
#include "controls/CWqListCtrl.h"
#include "framework/CImageList.h"
#include "framework/CPaintDC.h"
#include "framework/CWindowDC.h"

IMPLEMENT_DYNAMIC(CWqListHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CWqListHeaderCtrl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CWqListHeaderCtrl::CWqListHeaderCtrl()
    : m_crHighlight(::GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_crShadow(::GetSysColor(COLOR_BTNSHADOW)),
      m_crTextBackground(::GetSysColor(COLOR_BTNFACE)),
      m_crText(::GetSysColor(COLOR_BTNTEXT)),
      m_crBackground(::GetSysColor(COLOR_BTNFACE))
{
}

CWqListHeaderCtrl::~CWqListHeaderCtrl()
{
    m_font.DeleteObject();
}

BOOL CWqListHeaderCtrl::SetBkColor(COLORREF color)
{
    m_crBackground = color;
    m_bCustomBackground = TRUE;
    m_bFlat = TRUE;
    return TRUE;
}

void CWqListHeaderCtrl::SetHeaderFont(BOOL bBold)
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(ncm.lfMessageFont), &ncm.lfMessageFont);
    ncm.lfMessageFont.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&ncm.lfMessageFont);
    if (m_hWnd)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    m_bOwnFont = bBold;
    m_bFlat = TRUE;
}

int CWqListHeaderCtrl::SetSortArrow(int nColumn, BOOL bAscending)
{
    const int previous = m_nSortColumn;
    m_nSortColumn = nColumn;
    m_bSortAscending = bAscending;
    if (m_hWnd && nColumn >= 0 && nColumn < GetItemCount()) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        GetItem(nColumn, &item);
        if (!(item.fmt & HDF_BITMAP) || !item.hbm) {
            item.mask = HDI_FORMAT;
            item.fmt |= HDF_OWNERDRAW;
            SetItem(nColumn, &item);
        }
        Invalidate();
    }
    return previous;
}

int CWqListHeaderCtrl::GetBitmapOffset() const
{
    CWqListCtrl* pList = dynamic_cast<CWqListCtrl*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    return pList ? pList->GetHeaderBitmapOffset() : 0;
}

void CWqListHeaderCtrl::OnPaint()
{
    if (m_bCustomBackground) {
        CPaintDC dc(this);
        PaintItems(&dc);
        if (m_bFlat)
            DrawFlatBorder(&dc);
        return;
    }
    Default();
    if (m_bFlat) {
        CWindowDC dc(this);
        DrawFlatBorder(&dc);
    }
}

void CWqListHeaderCtrl::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CHeaderCtrl::OnWindowPosChanging(lpwndpos);
    Invalidate();
}

void CWqListHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!lpDrawItemStruct)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    DrawItemContent(pDC, static_cast<int>(lpDrawItemStruct->itemID), TRUE);
}

void CWqListHeaderCtrl::PaintItems(CDC* pDC)
{
    CRect clip;
    pDC->GetClipBox(&clip);
    if (clip.IsRectEmpty())
        return;
    pDC->FillSolidRect(&clip, m_crBackground);

    HGDIOBJ hFont = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    HGDIOBJ hOldFont = hFont ? ::SelectObject(pDC->GetSafeHdc(), hFont) : nullptr;
    pDC->SetBkColor(m_crTextBackground);
    pDC->SetTextColor(m_crText);

    int total = 0;
    const int count = GetItemCount();
    for (int order = 0; order < count; ++order) {
        const int index = OrderToIndex(order);
        CRect rc;
        GetItemRect(index, &rc);
        DrawItemContent(pDC, index, FALSE);
        total += rc.Width();
    }
    if (total > 0) {
        CRect client;
        GetClientRect(&client);
        pDC->Draw3dRect(client.left, 0, total, client.Height(), m_crHighlight, m_crShadow);
    }
    if (hOldFont)
        ::SelectObject(pDC->GetSafeHdc(), hOldFont);
}

void CWqListHeaderCtrl::DrawItemContent(CDC* pDC, int nItem, BOOL bPressed)
{
    CRect itemRect;
    if (!GetItemRect(nItem, &itemRect))
        return;
    CRect rc = itemRect;
    if (bPressed)
        rc.OffsetRect(2, 2);
    pDC->FillSolidRect(&rc, m_crBackground);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);

    wchar_t title[256] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP;
    item.pszText = title;
    item.cchTextMax = 255;
    GetItem(nItem, &item);

    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS;
    if (item.fmt & HDF_CENTER)
        flags |= DT_CENTER;
    else if (item.fmt & HDF_RIGHT)
        flags |= DT_RIGHT;

    const bool hasBitmap = (item.fmt & HDF_BITMAP) && item.hbm;
    if (hasBitmap) {
        rc.left += GetBitmapOffset();
        BITMAP bm = {};
        ::GetObjectW(item.hbm, sizeof(bm), &bm);
        if (bm.bmWidth <= rc.Width()) {
            HDC hMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
            HGDIOBJ hOld = ::SelectObject(hMem, item.hbm);
            const int y = rc.top + (rc.Height() - bm.bmHeight) / 2;
            ::BitBlt(pDC->GetSafeHdc(), rc.left, y, bm.bmWidth, bm.bmHeight, hMem, 0, 0, SRCCOPY);
            ::SelectObject(hMem, hOld);
            ::DeleteDC(hMem);
        }
        rc.left += bm.bmWidth;
    }

    if (bPressed) {
        rc.left += 1;
        rc.top += 2;
        rc.right += 1;
    }
    // A column that shows a bitmap has no room for an arrow and gets none.
    const bool sorted = nItem == m_nSortColumn && !hasBitmap;
    if (sorted)
        rc.right -= 3 * m_nArrowSize;
    rc.left += m_nArrowSize;
    rc.right -= m_nArrowSize;

    if (title[0] && rc.right > rc.left) {
        HGDIOBJ hOldFont = nullptr;
        if (m_bOwnFont && m_font.m_hObject)
            hOldFont = ::SelectObject(pDC->GetSafeHdc(), m_font.m_hObject);
        pDC->DrawText(title, -1, &rc, flags);
        if (hOldFont)
            ::SelectObject(pDC->GetSafeHdc(), hOldFont);
    }

    if (sorted) {
        const int s = m_nArrowSize;
        const int R = itemRect.right;
        const int B = itemRect.bottom;
        CPen highlight(PS_SOLID, 1, m_crHighlight);
        CPen shadow(PS_SOLID, 1, m_crShadow);
        CPen* pOldPen = pDC->SelectObject(&highlight);
        if (m_bSortAscending) {
            pDC->MoveTo(R - 2 * s, s - 1);
            pDC->LineTo(R - 3 * s / 2, B - s);
            pDC->LineTo(R - 5 * s / 2 - 2, B - s);
            pDC->SelectObject(&shadow);
            pDC->MoveTo(R - 5 * s / 2 - 1, B - s - 1);
            pDC->LineTo(R - 2 * s, s - 2);
        } else {
            pDC->MoveTo(R - 3 * s / 2, s - 1);
            pDC->LineTo(R - 2 * s - 1, B - s + 1);
            pDC->SelectObject(&shadow);
            pDC->MoveTo(R - 2 * s - 1, B - s);
            pDC->LineTo(R - 5 * s / 2 - 1, s - 1);
            pDC->LineTo(R - 3 * s / 2, s - 1);
        }
        pDC->SelectObject(pOldPen);
    }
    pDC->SetBkMode(oldMode);
}

void CWqListHeaderCtrl::DrawFlatBorder(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->Draw3dRect(&rc, m_crBackground, m_crBackground);
    CRect inner = rc;
    inner.DeflateRect(1, 1);
    pDC->Draw3dRect(&inner, m_crBackground, m_crBackground);
    pDC->Draw3dRect(&rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));

    const int top = 2, bottom = rc.bottom - 2;
    auto vline = [pDC, top, bottom](int x, COLORREF color) {
        CPen pen(PS_SOLID, 1, color);
        CPen* pOld = pDC->SelectObject(&pen);
        pDC->MoveTo(x, top);
        pDC->LineTo(x, bottom);
        pDC->SelectObject(pOld);
    };
    vline(rc.right - 1, m_crBackground);

    // Each separator sits at its item's right edge as displayed, so reordered columns keep
    // their separators where the columns actually end.
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        CRect item;
        if (!GetItemRect(i, &item))
            continue;
        const int x = item.right;
        vline(x, ::GetSysColor(COLOR_BTNSHADOW));
        vline(x + 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        vline(x - 1, m_crBackground);
        vline(x - 2, m_crBackground);
    }
}

void CWqListHeaderCtrl::DrawHeaderImage(CDC* pDC, int nItem, const CRect& rcItem)
{
    HDITEMW item = {};
    item.mask = HDI_IMAGE | HDI_FORMAT;
    GetItem(nItem, &item);
    CImageList* pImages = GetImageList();
    if (pImages && pImages->GetSafeHandle() && (item.fmt & HDF_IMAGE)) {
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(pImages->GetSafeHandle(), &cx, &cy);
        const int y = rcItem.top + (rcItem.Height() - cy) / 2;
        ::ImageList_Draw(pImages->GetSafeHandle(), item.iImage, pDC->GetSafeHdc(), rcItem.left, y, ILD_TRANSPARENT);
        return;
    }
    // No image: an empty check-box-like square.
    CRect box(rcItem.left, rcItem.top + (rcItem.Height() - 13) / 2, 0, 0);
    box.right = box.left + 13;
    box.bottom = box.top + 13;
    pDC->FillSolidRect(&box, ::GetSysColor(COLOR_WINDOW));
    CBrush frame(0x996633);
    pDC->FrameRect(&box, &frame);
}
