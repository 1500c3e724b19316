#include "framework/CDC.h"
#include "framework/CWnd.h"
#include "framework/HandleMap.h"
#include <vector>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

// Brush of one colour for a single fill, deleted at the end of the statement's scope.
struct SolidBrush {
    HBRUSH h;
    explicit SolidBrush(COLORREF clr) : h(::CreateSolidBrush(clr)) {}
    ~SolidBrush() { if (h) ::DeleteObject(h); }
};

HDC SourceDC(CDC* pSrcDC)
{
    return pSrcDC ? pSrcDC->m_hDC : nullptr;
}

} // namespace

CDC::~CDC()
{
    if (m_hDC)
        ::DeleteDC(Detach());
}


HDC __attribute__((optimize("no-delete-null-pointer-checks"))) CDC::GetSafeHdc() const
{
    return this ? m_hDC : nullptr;
}

CWnd* CDC::GetWindow() const
{
    return m_hDC ? CWnd::FromHandle(::WindowFromDC(m_hDC)) : nullptr;
}

CDC* CDC::FromHandle(HDC hDC)
{
    return AfxFromHandle<CDC>(
        AfxHandleKind::DeviceContext, hDC,
        [](CDC* p, HDC h) { p->m_hDC = p->m_hAttribDC = h; },
        [](CDC* p) { p->m_hDC = p->m_hAttribDC = nullptr; });
}

void CDC::DeleteTempMap()
{
    AfxDeleteTempMaps();
}

BOOL CDC::Attach(HDC hDC)
{
    if (!hDC || m_hDC)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    AfxMapPermanentHandle(AfxHandleKind::DeviceContext, hDC, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (h)
        AfxUnmapPermanentHandle(AfxHandleKind::DeviceContext, h, this);
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC)
        return FALSE;
    HDC h = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (!h)
        return FALSE;
    return Attach(h);
}

BOOL CDC::CreateDC(LPCWSTR lpszDriverName, LPCWSTR lpszDeviceName, LPCWSTR lpszOutput, const DEVMODEW* lpInitData)
{
    if (m_hDC)
        return FALSE;
    HDC h = ::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData);
    return h ? Attach(h) : FALSE;
}

BOOL CDC::CreateIC(LPCWSTR lpszDriverName, LPCWSTR lpszDeviceName, LPCWSTR lpszOutput, const DEVMODEW* lpInitData)
{
    if (m_hDC)
        return FALSE;
    HDC h = ::CreateICW(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData);
    return h ? Attach(h) : FALSE;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    return m_hDC ? ::SaveDC(m_hDC) : 0;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return m_hDC ? ::RestoreDC(m_hDC, nSavedDC) : FALSE;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return m_hAttribDC ? ::GetDeviceCaps(m_hAttribDC, nIndex) : 0;
}

// ---- Drawing tools

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (!m_hDC || !hObject)
        return nullptr;
    HGDIOBJ old = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        old = ::SelectObject(m_hAttribDC, hObject);
    return old == HGDI_ERROR ? nullptr : old;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen ? CPen::FromHandle(static_cast<HPEN>(SelectObject(pPen->m_hObject))) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush ? CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(pBrush->m_hObject))) : nullptr;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont ? CFont::FromHandle(static_cast<HFONT>(SelectObject(pFont->m_hObject))) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(pBitmap->m_hObject))) : nullptr;
}

int CDC::SelectObject(CRgn* pRgn)
{
    return SelectClipRgn(pRgn);
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return pObject ? CGdiObject::FromHandle(SelectObject(pObject->m_hObject)) : nullptr;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex)));
}

CPen* CDC::GetCurrentPen() const
{
    return m_hDC ? CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))) : nullptr;
}

CBrush* CDC::GetCurrentBrush() const
{
    return m_hDC ? CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH))) : nullptr;
}

CFont* CDC::GetCurrentFont() const
{
    return m_hDC ? CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))) : nullptr;
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return m_hDC ? CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP))) : nullptr;
}

// ---- Colours and modes: setters change both DCs and answer the output DC's old value.

COLORREF CDC::GetBkColor() const { return m_hAttribDC ? ::GetBkColor(m_hAttribDC) : CLR_INVALID; }
int CDC::GetBkMode() const { return m_hAttribDC ? ::GetBkMode(m_hAttribDC) : 0; }
COLORREF CDC::GetTextColor() const { return m_hAttribDC ? ::GetTextColor(m_hAttribDC) : CLR_INVALID; }
UINT CDC::GetTextAlign() const { return m_hAttribDC ? ::GetTextAlign(m_hAttribDC) : GDI_ERROR; }
int CDC::GetROP2() const { return m_hAttribDC ? ::GetROP2(m_hAttribDC) : 0; }
int CDC::GetPolyFillMode() const { return m_hAttribDC ? ::GetPolyFillMode(m_hAttribDC) : 0; }
int CDC::GetStretchBltMode() const { return m_hAttribDC ? ::GetStretchBltMode(m_hAttribDC) : 0; }
COLORREF CDC::GetNearestColor(COLORREF crColor) const { return m_hAttribDC ? ::GetNearestColor(m_hAttribDC, crColor) : CLR_INVALID; }
int CDC::GetMapMode() const { return m_hAttribDC ? ::GetMapMode(m_hAttribDC) : 0; }

#define KORVEL_SET_BOTH(fn, value, failure)                                                       \
    if (!m_hDC)                                                                                   \
        return failure;                                                                           \
    auto old = ::fn(m_hDC, value);                                                                \
    if (m_hAttribDC && m_hAttribDC != m_hDC)                                                      \
        ::fn(m_hAttribDC, value);                                                                 \
    return old;

COLORREF CDC::SetBkColor(COLORREF crColor) { KORVEL_SET_BOTH(SetBkColor, crColor, CLR_INVALID) }
int CDC::SetBkMode(int nBkMode) { KORVEL_SET_BOTH(SetBkMode, nBkMode, 0) }
COLORREF CDC::SetTextColor(COLORREF crColor) { KORVEL_SET_BOTH(SetTextColor, crColor, CLR_INVALID) }
UINT CDC::SetTextAlign(UINT nFlags) { KORVEL_SET_BOTH(SetTextAlign, nFlags, GDI_ERROR) }
int CDC::SetROP2(int nDrawMode) { KORVEL_SET_BOTH(SetROP2, nDrawMode, 0) }
int CDC::SetPolyFillMode(int nPolyFillMode) { KORVEL_SET_BOTH(SetPolyFillMode, nPolyFillMode, 0) }
int CDC::SetStretchBltMode(int nStretchMode) { KORVEL_SET_BOTH(SetStretchBltMode, nStretchMode, 0) }
int CDC::SetMapMode(int nMapMode) { KORVEL_SET_BOTH(SetMapMode, nMapMode, 0) }
int CDC::SetTextCharacterExtra(int nCharExtra) { KORVEL_SET_BOTH(SetTextCharacterExtra, nCharExtra, static_cast<int>(0x80000000)) }

#undef KORVEL_SET_BOTH

// ---- Coordinates

CPoint CDC::GetViewportOrg() const
{
    POINT pt = {0, 0};
    if (m_hAttribDC)
        ::GetViewportOrgEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC)
        ::SetViewportOrgEx(m_hDC, x, y, &old);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetViewportOrgEx(m_hAttribDC, x, y, nullptr);
    return CPoint(old);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old = {0, 0};
    if (m_hDC)
        ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, nullptr);
    return CPoint(old);
}

CSize CDC::GetViewportExt() const
{
    SIZE size = {0, 0};
    if (m_hAttribDC)
        ::GetViewportExtEx(m_hAttribDC, &size);
    return CSize(size);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE old = {0, 0};
    if (m_hDC)
        ::SetViewportExtEx(m_hDC, cx, cy, &old);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetViewportExtEx(m_hAttribDC, cx, cy, nullptr);
    return CSize(old);
}

CPoint CDC::GetWindowOrg() const
{
    POINT pt = {0, 0};
    if (m_hAttribDC)
        ::GetWindowOrgEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC)
        ::SetWindowOrgEx(m_hDC, x, y, &old);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetWindowOrgEx(m_hAttribDC, x, y, nullptr);
    return CPoint(old);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT old = {0, 0};
    if (m_hDC)
        ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &old);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::OffsetWindowOrgEx(m_hAttribDC, nWidth, nHeight, nullptr);
    return CPoint(old);
}

CSize CDC::GetWindowExt() const
{
    SIZE size = {0, 0};
    if (m_hAttribDC)
        ::GetWindowExtEx(m_hAttribDC, &size);
    return CSize(size);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE old = {0, 0};
    if (m_hDC)
        ::SetWindowExtEx(m_hDC, cx, cy, &old);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SetWindowExtEx(m_hAttribDC, cx, cy, nullptr);
    return CSize(old);
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    if (m_hAttribDC && lpPoints && nCount > 0)
        ::DPtoLP(m_hAttribDC, lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

// A size converts as the vector between two converted points, so origins cancel out.
void CDC::DPtoLP(LPSIZE lpSize) const
{
    if (!lpSize)
        return;
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    DPtoLP(pts, 2);
    lpSize->cx = std::abs(pts[1].x - pts[0].x);
    lpSize->cy = std::abs(pts[1].y - pts[0].y);
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    if (m_hAttribDC && lpPoints && nCount > 0)
        ::LPtoDP(m_hAttribDC, lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    if (!lpSize)
        return;
    POINT pts[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    LPtoDP(pts, 2);
    lpSize->cx = std::abs(pts[1].x - pts[0].x);
    lpSize->cy = std::abs(pts[1].y - pts[0].y);
}

// ---- Clipping

int CDC::GetClipBox(LPRECT lpRect) const
{
    if (!m_hDC || !lpRect)
        return ERROR;
    return ::GetClipBox(m_hDC, lpRect);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    if (!m_hDC)
        return ERROR;
    HRGN h = pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
    int result = ::SelectClipRgn(m_hDC, h);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::SelectClipRgn(m_hAttribDC, h);
    return result;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    if (!m_hDC)
        return ERROR;
    HRGN h = pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
    int result = ::ExtSelectClipRgn(m_hDC, h, nMode);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::ExtSelectClipRgn(m_hAttribDC, h, nMode);
    return result;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    if (!m_hDC)
        return ERROR;
    int result = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2);
    return result;
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return lpRect ? ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : ERROR;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    if (!m_hDC)
        return ERROR;
    int result = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
    return result;
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return lpRect ? IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : ERROR;
}

int CDC::OffsetClipRgn(int x, int y)
{
    if (!m_hDC)
        return ERROR;
    int result = ::OffsetClipRgn(m_hDC, x, y);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::OffsetClipRgn(m_hAttribDC, x, y);
    return result;
}

BOOL CDC::PtVisible(int x, int y) const
{
    return m_hDC ? ::PtVisible(m_hDC, x, y) : FALSE;
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return m_hDC && lpRect ? ::RectVisible(m_hDC, lpRect) : FALSE;
}

// ---- Lines and shapes

CPoint CDC::GetCurrentPosition() const
{
    POINT pt = {0, 0};
    if (m_hAttribDC)
        ::GetCurrentPositionEx(m_hAttribDC, &pt);
    return CPoint(pt);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {0, 0};
    if (m_hDC)
        ::MoveToEx(m_hDC, x, y, &old);
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return CPoint(old);
}

BOOL CDC::LineTo(int x, int y)
{
    if (!m_hDC)
        return FALSE;
    if (m_hAttribDC && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    return m_hDC && lpPoints && nCount > 1 ? ::Polyline(m_hDC, lpPoints, nCount) : FALSE;
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    return m_hDC && lpPoints && nCount > 1 ? ::Polygon(m_hDC, lpPoints, nCount) : FALSE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return m_hDC ? ::Rectangle(m_hDC, x1, y1, x2, y2) : FALSE;
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return lpRect ? Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return m_hDC ? ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3) : FALSE;
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return lpRect ? RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y) : FALSE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return m_hDC ? ::Ellipse(m_hDC, x1, y1, x2, y2) : FALSE;
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return lpRect ? Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return m_hDC ? ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4) : FALSE;
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return m_hDC ? ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4) : FALSE;
}

// ---- Filled areas

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (m_hDC && lpRect && pBrush && pBrush->m_hObject)
        ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    if (!m_hDC || !lpRect)
        return;
    // An opaque empty text fills the rectangle in the background colour without a brush.
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rc = {x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (m_hDC && lpRect && pBrush && pBrush->m_hObject)
        ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::InvertRect(LPCRECT lpRect)
{
    if (m_hDC && lpRect)
        ::InvertRect(m_hDC, lpRect);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (lpRect)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                   clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (cx <= 0 || cy <= 0)
        return;
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);              // top, without the top-right pixel
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);              // left, without the bottom-left pixel
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);     // right
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);     // bottom
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    return m_hDC && lpRect ? ::DrawEdge(m_hDC, lpRect, nEdge, nFlags) : FALSE;
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return m_hDC && lpRect ? ::DrawFrameControl(m_hDC, lpRect, nType, nState) : FALSE;
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    if (m_hDC && lpRect)
        ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    if (!m_hDC || !pRgn || !pRgn->m_hObject || !pBrush || !pBrush->m_hObject)
        return FALSE;
    return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    if (!m_hDC || !pRgn || !pRgn->m_hObject || !pBrush || !pBrush->m_hObject)
        return FALSE;
    return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject),
                      nWidth, nHeight);
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    return m_hDC && pRgn && pRgn->m_hObject ? ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)) : FALSE;
}

// ---- Pixels and bitmaps

COLORREF CDC::GetPixel(int x, int y) const
{
    return m_hDC ? ::GetPixel(m_hDC, x, y) : CLR_INVALID;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return m_hDC ? ::SetPixel(m_hDC, x, y, crColor) : static_cast<COLORREF>(-1);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return m_hDC ? ::SetPixelV(m_hDC, x, y, crColor) : FALSE;
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return m_hDC ? ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop) : FALSE;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return m_hDC ? ::BitBlt(m_hDC, x, y, nWidth, nHeight, SourceDC(pSrcDC), xSrc, ySrc, dwRop) : FALSE;
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    if (!m_hDC)
        return FALSE;
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, SourceDC(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC,
                         int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, UINT crTransparent)
{
    if (!m_hDC || !SourceDC(pSrcDC))
        return FALSE;
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc,
                            nSrcWidth, nSrcHeight, crTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                     int ySrc, int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    if (!m_hDC || !SourceDC(pSrcDC))
        return FALSE;
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, blend);
}

BOOL CDC::GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode)
{
    if (!m_hDC || !pVertices || !pMesh)
        return FALSE;
    return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return m_hDC && hIcon ? ::DrawIcon(m_hDC, x, y, hIcon) : FALSE;
}

BOOL CDC::DrawIconEx(int x, int y, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                     HBRUSH hbrFlickerFreeDraw, UINT diFlags)
{
    if (!m_hDC || !hIcon)
        return FALSE;
    return ::DrawIconEx(m_hDC, x, y, hIcon, cxWidth, cyWidth, istepIfAniCur, hbrFlickerFreeDraw, diFlags);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    if (!m_hDC || !hBitmap)
        return FALSE;
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y,
                        size.cx, size.cy, nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    if (!m_hDC || !hIcon)
        return FALSE;
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y,
                        size.cx, size.cy, nFlags | DST_ICON);
}

// ---- Text

BOOL CDC::TextOut(int x, int y, LPCWSTR lpszString, int nCount)
{
    if (!m_hDC || !lpszString)
        return FALSE;
    if (nCount < 0)
        nCount = ::lstrlenW(lpszString);
    return ::TextOutW(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCWSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    if (!m_hDC)
        return FALSE;
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, lpszString ? nCount : 0, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, str.GetString(), static_cast<UINT>(str.GetLength()), lpDxWidths);
}

int CDC::DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    if (!m_hDC || !lpszString || !lpRect)
        return 0;
    // DT_MODIFYSTRING would write into the caller's text, which this form promises not to do.
    if (nFormat & DT_MODIFYSTRING) {
        std::vector<wchar_t> copy(lpszString, lpszString + (nCount < 0 ? ::lstrlenW(lpszString) : nCount));
        copy.resize(copy.size() + 5, L'\0');
        return ::DrawTextW(m_hDC, copy.data(), nCount, lpRect, nFormat);
    }
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

int CDC::DrawTextEx(LPWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    if (!m_hDC || !lpszString || !lpRect)
        return 0;
    return ::DrawTextExW(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

CSize CDC::GetTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (m_hAttribDC && lpszString) {
        if (nCount < 0)
            nCount = ::lstrlenW(lpszString);
        ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &size);
    }
    return CSize(size);
}

CSize CDC::GetOutputTextExtent(LPCWSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (m_hDC && lpszString) {
        if (nCount < 0)
            nCount = ::lstrlenW(lpszString);
        ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &size);
    }
    return CSize(size);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICW lpMetrics) const
{
    return m_hAttribDC && lpMetrics ? ::GetTextMetricsW(m_hAttribDC, lpMetrics) : FALSE;
}

int CDC::GetTextFace(CString& rString) const
{
    rString.Empty();
    if (!m_hAttribDC)
        return 0;
    wchar_t face[LF_FACESIZE] = {};
    int n = ::GetTextFaceW(m_hAttribDC, LF_FACESIZE, face);
    rString = face;
    return n;
}
