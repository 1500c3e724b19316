#include "controls/CRectHotBn.h"
#include "controls/CMemDC.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CRectHotBn, CButton)

BEGIN_MESSAGE_MAP(CRectHotBn, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CRectHotBn::OnClicked)
END_MESSAGE_MAP()

namespace {

// Images come from the resource module, then from the program.
HANDLE LoadImageResource(UINT nId, UINT type)
{
    HANDLE h = ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId), type, 0, 0, 0);
    if (!h && AfxGetInstanceHandle() != AfxGetResourceHandle())
        h = ::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(nId), type, 0, 0, 0);
    return h;
}

} // namespace

CRectHotBn::CRectHotBn()
{
    SetDefaultColors(FALSE);
    ResetFont();
}

CRectHotBn::~CRectHotBn()
{
    for (HICON& h : m_hIcons)
        if (h)
            ::DestroyIcon(h);
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    FreeBackground();
}

void CRectHotBn::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

BOOL CRectHotBn::SetBitmaps(UINT nIdNormal, UINT nIdHover, UINT nIdPressed, COLORREF crMask)
{
    const UINT ids[3] = {nIdNormal, nIdHover, nIdPressed};
    for (int i = 0; i < 3; ++i) {
        m_bitmaps[i].DeleteObject();
        if (ids[i])
            m_bitmaps[i].Attach(LoadImageResource(ids[i], IMAGE_BITMAP));
    }
    m_crMask = crMask;
    BITMAP bm = {};
    if (m_bitmaps[0].GetBitmap(&bm))
        m_bitmapSize = CSize(bm.bmWidth, bm.bmHeight);
    if (m_hWnd)
        Invalidate();
    return m_bitmaps[0].GetSafeHandle() != nullptr;
}

BOOL CRectHotBn::SetIcons(UINT nIdNormal, UINT nIdHover)
{
    const UINT ids[2] = {nIdNormal, nIdHover};
    for (int i = 0; i < 2; ++i) {
        if (m_hIcons[i])
            ::DestroyIcon(m_hIcons[i]);
        m_hIcons[i] = ids[i] ? static_cast<HICON>(LoadImageResource(ids[i], IMAGE_ICON)) : nullptr;
    }
    ICONINFO info = {};
    if (m_hIcons[0] && ::GetIconInfo(m_hIcons[0], &info)) {
        BITMAP bm = {};
        ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        m_iconSize = CSize(bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask)
            ::DeleteObject(info.hbmMask);
    }
    if (m_hWnd)
        Invalidate();
    return m_hIcons[0] != nullptr;
}

void CRectHotBn::SetColor(ColorIndex index, COLORREF color, BOOL bRedraw)
{
    if (index < 0 || index >= kColorCount)
        return;
    m_colors[index] = color;
    if (bRedraw && m_hWnd)
        Invalidate();
}

void CRectHotBn::SetDefaultColors(BOOL bRedraw)
{
    m_colors[kBkActive] = 0xE7BE94;
    m_colors[kTextActive] = ::GetSysColor(COLOR_BTNTEXT);
    m_colors[kBkInactive] = ::GetSysColor(COLOR_BTNFACE);
    m_colors[kTextInactive] = ::GetSysColor(COLOR_BTNTEXT);
    if (bRedraw && m_hWnd)
        Invalidate();
}

BOOL CRectHotBn::SetBtnCursor(UINT nCursorId)
{
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = nCursorId ? static_cast<HCURSOR>(LoadImageResource(nCursorId, IMAGE_CURSOR)) : nullptr;
    return m_hCursor != nullptr;
}

void CRectHotBn::EnsureTooltip()
{
    if (m_tooltip.m_hWnd || !m_hWnd)
        return;
    m_tooltip.Create(this);
    m_tooltip.Activate(FALSE);
}

void CRectHotBn::SetTooltipText(LPCWSTR lpszText, BOOL bActivate)
{
    if (!lpszText || !m_hWnd)
        return;
    EnsureTooltip();
    if (m_tooltip.GetToolCount() == 0) {
        CRect rc;
        GetClientRect(&rc);
        m_tooltip.AddTool(this, lpszText, &rc, 1);
    } else {
        m_tooltip.UpdateTipText(lpszText, this, 1);
    }
    m_tooltip.Activate(bActivate);
}

void CRectHotBn::ResetFont()
{
    m_font.DeleteObject();
    LOGFONTW lf = {};
    HGDIOBJ hGui = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!hGui || !::GetObjectW(hGui, sizeof(lf), &lf))
        ::GetObjectW(::GetStockObject(SYSTEM_FONT), sizeof(lf), &lf);
    m_font.CreateFontIndirect(&lf);
}

void CRectHotBn::FreeBackground()
{
    if (m_dcBk.m_hDC && m_hOldBk)
        ::SelectObject(m_dcBk.m_hDC, m_hOldBk);
    m_hOldBk = nullptr;
    m_dcBk.DeleteDC();
    m_bmpBk.DeleteObject();
}

void CRectHotBn::RefreshParentBackground()
{
    FreeBackground();
    if (m_hWnd)
        Invalidate();
}

BOOL CRectHotBn::SetMenu(UINT nMenuId)
{
    m_menu.DestroyMenu();
    m_bMenuMode = nMenuId != 0 && m_menu.LoadMenu(nMenuId);
    return m_bMenuMode;
}

BOOL CRectHotBn::PreTranslateMessage(MSG* pMsg)
{
    EnsureTooltip();
    if (m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CRectHotBn::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A quick second click is a second press, not a double click.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

void CRectHotBn::OnMouseMove(UINT nFlags, CPoint point)
{
    CButton::OnMouseMove(nFlags, point);
    if (((nFlags & MK_LBUTTON) && !m_bHover) || !m_bTracking)
        return;
    if (CWnd::GetCapture() != this && CWnd::GetActiveWindow() && GetParent()) {
        m_bHover = TRUE;
        SetCapture();
        Invalidate();
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) != m_hWnd) {
        if (m_bHover) {
            m_bHover = FALSE;
            Invalidate();
        }
        if (!(nFlags & MK_LBUTTON))
            ReleaseCapture();
    }
}

void CRectHotBn::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bPressed = TRUE;
    CButton::OnLButtonDown(nFlags, point);
}

void CRectHotBn::OnLButtonUp(UINT nFlags, CPoint point)
{
    CRect rc;
    GetClientRect(&rc);
    if (rc.PtInRect(point) && m_bCheckMode && m_bPressed)
        m_bChecked = !m_bChecked;
    m_bPressed = FALSE;
    Invalidate();
    CButton::OnLButtonUp(nFlags, point);
}

void CRectHotBn::OnCaptureChanged(CWnd* pWnd)
{
    if (m_bHover) {
        m_bHover = FALSE;
        Invalidate();
    }
    CButton::OnCaptureChanged(pWnd);
}

void CRectHotBn::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    if (m_bTracking && m_bHover) {
        m_bHover = FALSE;
        Invalidate();
    }
}

BOOL CRectHotBn::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CRectHotBn::OnSysColorChange()
{
    CButton::OnSysColorChange();
    FreeBackground();
}

HBRUSH CRectHotBn::CtlColor(CDC* /*pDC*/, UINT /*nCtlColor*/)
{
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CRectHotBn::OnClicked()
{
    if (m_bMenuMode && m_menu.m_hMenu) {
        CRect rc;
        GetWindowRect(&rc);
        HMENU hPopup = ::GetSubMenu(m_menu.m_hMenu, 0);
        ::TrackPopupMenu(hPopup ? hPopup : m_menu.m_hMenu, TPM_LEFTALIGN | TPM_TOPALIGN, rc.left, rc.bottom, 0,
                         GetParent() ? GetParent()->m_hWnd : m_hWnd, nullptr);
        return TRUE;
    }
    if (m_pTarget && m_pTarget->GetSafeHwnd())
        m_pTarget->SendMessage(WM_HOTBN_CLICKED, reinterpret_cast<WPARAM>(this),
                               reinterpret_cast<LPARAM>(m_strCommand.GetString()));
    // The parent sees the click too.
    return FALSE;
}

void CRectHotBn::DrawImage(CDC* pDC, const CRect& rc, bool hover, bool pressed)
{
    HGDIOBJ hBitmap = m_bitmaps[0].GetSafeHandle();
    if (pressed && m_bitmaps[2].GetSafeHandle())
        hBitmap = m_bitmaps[2].GetSafeHandle();
    else if (hover && m_bitmaps[1].GetSafeHandle())
        hBitmap = m_bitmaps[1].GetSafeHandle();
    const int offset = pressed ? 1 : 0;
    if (hBitmap) {
        const int x = rc.left + (rc.Width() - m_bitmapSize.cx) / 2 + offset;
        const int y = rc.top + (rc.Height() - m_bitmapSize.cy) / 2 + offset;
        HDC hMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        if (m_crMask != CLR_NONE)
            pDC->TransparentBlt(x, y, m_bitmapSize.cx, m_bitmapSize.cy, CDC::FromHandle(hMem), 0, 0,
                                m_bitmapSize.cx, m_bitmapSize.cy, m_crMask);
        else
            ::BitBlt(pDC->GetSafeHdc(), x, y, m_bitmapSize.cx, m_bitmapSize.cy, hMem, 0, 0, SRCCOPY);
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        return;
    }
    HICON hIcon = (hover && m_hIcons[1]) ? m_hIcons[1] : m_hIcons[0];
    if (hIcon) {
        const int x = rc.left + 4 + offset;
        const int y = rc.top + (rc.Height() - m_iconSize.cy) / 2 + offset;
        ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, m_iconSize.cx, m_iconSize.cy, 0, nullptr, DI_NORMAL);
    }
}

void CRectHotBn::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!lpDrawItemStruct)
        return;
    CDC* pTarget = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rc(lpDrawItemStruct->rcItem);
    CMemDC mem(pTarget, &rc);
    const bool pressed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const bool disabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    const bool hover = m_bHover && !disabled;

    // Background: the parent's, copied once, unless the state has a colour of its own.
    if (!m_dcBk.m_hDC && GetParent()) {
        CRect inParent = rc;
        MapWindowPoints(GetParent(), &inParent);
        HDC hParentDC = ::GetDC(GetParent()->m_hWnd);
        m_dcBk.Attach(::CreateCompatibleDC(hParentDC));
        m_bmpBk.Attach(::CreateCompatibleBitmap(hParentDC, rc.Width(), rc.Height()));
        m_hOldBk = ::SelectObject(m_dcBk.m_hDC, m_bmpBk.m_hObject);
        ::BitBlt(m_dcBk.m_hDC, 0, 0, rc.Width(), rc.Height(), hParentDC, inParent.left, inParent.top, SRCCOPY);
        ::ReleaseDC(GetParent()->m_hWnd, hParentDC);
    }
    if (m_bChecked)
        mem.FillSolidRect(&rc, kCheckedBk);
    else if (hover || pressed)
        mem.FillSolidRect(&rc, m_colors[kBkActive]);
    else if (m_dcBk.m_hDC)
        ::BitBlt(mem.GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), m_dcBk.m_hDC, 0, 0, SRCCOPY);
    else
        mem.FillSolidRect(&rc, m_colors[kBkInactive]);

    DrawImage(&mem, rc, hover, pressed);

    CString text;
    GetWindowText(text);
    if (!text.IsEmpty()) {
        CRect textRect = rc;
        if (m_hIcons[0] && !m_bitmaps[0].GetSafeHandle())
            textRect.left += m_iconSize.cx + 8;
        if (pressed)
            textRect.OffsetRect(1, 1);
        HGDIOBJ hOldFont = ::SelectObject(mem.GetSafeHdc(), m_font.m_hObject);
        mem.SetBkMode(TRANSPARENT);
        mem.SetTextColor(disabled ? ::GetSysColor(COLOR_GRAYTEXT)
                                  : (hover || pressed ? m_colors[kTextActive] : m_colors[kTextInactive]));
        mem.DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
        ::SelectObject(mem.GetSafeHdc(), hOldFont);
    }

    // The frame of a hovered, pressed or checked button: light lines with darker corners.
    if (hover || pressed || m_bChecked) {
        CPen pen(PS_SOLID, 1, pressed ? COLORREF(kFrameLight) : RGB(255, 255, 255));
        CPen* pOld = mem.SelectObject(&pen);
        mem.MoveTo(rc.left, rc.top);
        mem.LineTo(rc.right - 1, rc.top);
        mem.LineTo(rc.right - 1, rc.bottom - 1);
        mem.LineTo(rc.left, rc.bottom - 1);
        mem.LineTo(rc.left, rc.top);
        mem.SelectObject(pOld);
        mem.SetPixel(rc.left, rc.top, kFrameCorner);
        mem.SetPixel(rc.right - 1, rc.top, kFrameCorner);
        mem.SetPixel(rc.left, rc.bottom - 1, kFrameCorner);
        mem.SetPixel(rc.right - 1, rc.bottom - 1, kFrameCorner);
    }
}
