// Geometry types, GDI object wrappers and the device context, drawn into memory DCs and read
// back pixel by pixel.
#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CDC.h"
#include "framework/CFont.h"
#include "framework/CImageList.h"
#include "framework/CPen.h"
#include "framework/CRect.h"
#include "framework/CRgn.h"
#include "framework/HandleMap.h"
#include "framework/ModuleState.h"
#include <gtest/gtest.h>

// Readable failure messages for rectangles, points and sizes.
void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}

void PrintTo(const CSize& s, std::ostream* os)
{
    *os << "(" << s.cx << "x" << s.cy << ")";
}

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kMagenta = RGB(255, 0, 255);

// A screen-compatible memory DC with a w x h colour bitmap selected, filled white.
struct Canvas {
    CDC dc;
    CBitmap bitmap;
    CBitmap* pOld = nullptr;
    Canvas(int w, int h)
    {
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, w, h);
        ::ReleaseDC(nullptr, screen.Detach());
        pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, kWhite);
    }
    ~Canvas() { dc.SelectObject(pOld); }
};

} // namespace

TEST(CRectTest, OperationsTable)
{
    struct Case {
        const char* what;
        CRect result;
        RECT expected;
    };
    const CRect a(10, 20, 110, 70);
    auto apply = [&](auto fn) { CRect r(a); fn(r); return r; };
    const Case cases[] = {
        {"copy", CRect(a), {10, 20, 110, 70}},
        {"offset", apply([](CRect& r) { r.OffsetRect(5, -5); }), {15, 15, 115, 65}},
        {"offset by size", apply([](CRect& r) { r.OffsetRect(CSize(-10, -20)); }), {0, 0, 100, 50}},
        {"inflate", apply([](CRect& r) { r.InflateRect(2, 3); }), {8, 17, 112, 73}},
        {"inflate by rect", apply([](CRect& r) { r.InflateRect(CRect(1, 2, 3, 4)); }), {9, 18, 113, 74}},
        {"deflate", apply([](CRect& r) { r.DeflateRect(2, 3); }), {12, 23, 108, 67}},
        {"deflate by edges", apply([](CRect& r) { r.DeflateRect(1, 2, 3, 4); }), {11, 22, 107, 66}},
        {"move to", apply([](CRect& r) { r.MoveToXY(0, 0); }), {0, 0, 100, 50}},
        {"intersect", apply([](CRect& r) { r.IntersectRect(r, CRect(50, 0, 200, 40)); }), {50, 20, 110, 40}},
        {"intersect disjoint", apply([](CRect& r) { r.IntersectRect(r, CRect(200, 200, 300, 300)); }), {0, 0, 0, 0}},
        {"union", apply([](CRect& r) { r.UnionRect(r, CRect(0, 0, 5, 5)); }), {0, 0, 110, 70}},
        {"union with empty", apply([](CRect& r) { r.UnionRect(r, CRect(500, 500, 500, 600)); }), {10, 20, 110, 70}},
        {"normalize", apply([](CRect& r) { r.SetRect(30, 40, 10, 20); r.NormalizeRect(); }), {10, 20, 30, 40}},
        {"operator + point", a + CPoint(1, 1), {11, 21, 111, 71}},
        {"operator - size", a - CSize(10, 20), {0, 0, 100, 50}},
        {"operator &", a & CRect(0, 0, 20, 30), {10, 20, 20, 30}},
        {"operator |", a | CRect(0, 0, 20, 30), {0, 0, 110, 70}},
        {"operator +=  rect", apply([](CRect& r) { r += CRect(1, 1, 1, 1); }), {9, 19, 111, 71}},
        {"top-left in place", apply([](CRect& r) { r.TopLeft() = CPoint(0, 0); }), {0, 0, 110, 70}},
        {"from point and size", CRect(CPoint(5, 6), CSize(10, 20)), {5, 6, 15, 26}},
        {"mul div", CRect(10, 20, 30, 40).MulDiv(3, 2), {15, 30, 45, 60}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, CRect(c.expected)) << c.what;
}

TEST(CRectTest, AttributesAndContainment)
{
    const CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CSize(100, 50), r.Size());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    EXPECT_EQ(CPoint(110, 70), r.BottomRight());
    // Left and top edges are inside, right and bottom are not.
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 70)));
    EXPECT_FALSE(r.IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 10).IsRectNull());
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(r == CRect(10, 20, 110, 70));
    EXPECT_TRUE(r != CRect(10, 20, 110, 71));
    // Converts to LPRECT for Win32 calls.
    CRect s;
    ::SetRect(s, 1, 2, 3, 4);
    EXPECT_EQ(CRect(1, 2, 3, 4), s);
    const RECT* pc = r;
    EXPECT_EQ(110, pc->right);
}

TEST(CPointSizeTest, Arithmetic)
{
    CPoint p(10, 20);
    EXPECT_EQ(CSize(7, 15), p - CPoint(3, 5));
    EXPECT_EQ(CPoint(13, 25), p + CSize(3, 5));
    EXPECT_EQ(CPoint(7, 15), p - CSize(3, 5));
    EXPECT_EQ(CPoint(-10, -20), -p);
    p.Offset(1, 1);
    p += CPoint(1, 1);
    EXPECT_EQ(CPoint(12, 22), p);
    // Mouse-message coordinates are signed 16-bit halves.
    EXPECT_EQ(CPoint(-5, 7), CPoint(static_cast<LPARAM>(MAKELPARAM(-5, 7))));
    EXPECT_EQ(CSize(-3, 4), CSize(static_cast<DWORD>(MAKELONG(-3, 4))));
    CSize s(2, 3);
    s += CSize(1, 1);
    EXPECT_EQ(CSize(3, 4), s);
    EXPECT_EQ(CSize(-3, -4), -s);
}

TEST(CDCTest, FillSolidRectAndBitBlt)
{
    Canvas src(40, 40);
    src.dc.SetBkColor(kBlue);
    src.dc.FillSolidRect(CRect(10, 10, 20, 20), kRed);
    EXPECT_EQ(kRed, src.dc.GetPixel(10, 10));
    EXPECT_EQ(kRed, src.dc.GetPixel(19, 19));
    EXPECT_EQ(kWhite, src.dc.GetPixel(20, 20));
    EXPECT_EQ(kWhite, src.dc.GetPixel(9, 10));
    // The fill does not leave its colour behind as the DC's background colour.
    EXPECT_EQ(kBlue, src.dc.GetBkColor());

    Canvas dst(40, 40);
    EXPECT_TRUE(dst.dc.BitBlt(0, 0, 20, 20, &src.dc, 10, 10, SRCCOPY));
    EXPECT_EQ(kRed, dst.dc.GetPixel(0, 0));
    EXPECT_EQ(kRed, dst.dc.GetPixel(9, 9));
    EXPECT_EQ(kWhite, dst.dc.GetPixel(10, 10));

    // Stretching doubles the red block into the 20x20 corner.
    Canvas big(40, 40);
    EXPECT_TRUE(big.dc.StretchBlt(0, 0, 20, 20, &src.dc, 10, 10, 10, 10, SRCCOPY));
    EXPECT_EQ(kRed, big.dc.GetPixel(19, 19));
    EXPECT_EQ(kWhite, big.dc.GetPixel(20, 20));
}

TEST(CDCTest, SelectObjectAnswersThePreviousObjectAndRestores)
{
    Canvas c(20, 20);
    CPen redPen(PS_SOLID, 1, kRed);
    CPen bluePen(PS_SOLID, 1, kBlue);
    CPen* pDefault = c.dc.SelectObject(&redPen);
    ASSERT_NE(nullptr, pDefault); // a temporary wrapper of the stock black pen
    EXPECT_EQ(::GetStockObject(BLACK_PEN), pDefault->GetSafeHandle());
    // The pen selected before is answered as its owning object.
    EXPECT_EQ(&redPen, c.dc.SelectObject(&bluePen));
    EXPECT_EQ(&bluePen, c.dc.GetCurrentPen());
    c.dc.MoveTo(0, 5);
    c.dc.LineTo(20, 5);
    EXPECT_EQ(kBlue, c.dc.GetPixel(10, 5));
    EXPECT_EQ(&bluePen, c.dc.SelectObject(pDefault));
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(c.dc, OBJ_PEN));

    CBrush green(kGreen);
    CBrush* pOldBrush = c.dc.SelectObject(&green);
    CPen* pOldPen = c.dc.SelectObject(&redPen);
    c.dc.Rectangle(CRect(2, 8, 12, 18));
    EXPECT_EQ(kRed, c.dc.GetPixel(2, 8));    // outline
    EXPECT_EQ(kGreen, c.dc.GetPixel(6, 12)); // fill
    c.dc.SelectObject(pOldBrush);
    c.dc.SelectObject(pOldPen);

    // The stock-object form answers the previous object too.
    CGdiObject* pPrev = c.dc.SelectStockObject(WHITE_BRUSH);
    ASSERT_NE(nullptr, pPrev);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), ::GetCurrentObject(c.dc, OBJ_BRUSH));
    EXPECT_EQ(nullptr, c.dc.SelectObject(static_cast<CPen*>(nullptr)));
}

TEST(CDCTest, FramesEdgesAndClipping)
{
    Canvas c(40, 40);
    c.dc.Draw3dRect(CRect(0, 0, 10, 10), kRed, kBlue);
    EXPECT_EQ(kRed, c.dc.GetPixel(0, 0));
    EXPECT_EQ(kRed, c.dc.GetPixel(8, 0));
    EXPECT_EQ(kRed, c.dc.GetPixel(0, 8));
    EXPECT_EQ(kBlue, c.dc.GetPixel(9, 0)); // the top-right corner belongs to the right edge
    EXPECT_EQ(kBlue, c.dc.GetPixel(9, 9));
    EXPECT_EQ(kBlue, c.dc.GetPixel(0, 9));
    EXPECT_EQ(kWhite, c.dc.GetPixel(5, 5));

    CBrush green(kGreen);
    c.dc.FrameRect(CRect(20, 20, 30, 30), &green);
    EXPECT_EQ(kGreen, c.dc.GetPixel(20, 25));
    EXPECT_EQ(kGreen, c.dc.GetPixel(29, 25));
    EXPECT_EQ(kWhite, c.dc.GetPixel(25, 25));
    c.dc.FillRect(CRect(24, 24, 26, 26), &green);
    EXPECT_EQ(kGreen, c.dc.GetPixel(25, 25));

    int saved = c.dc.SaveDC();
    c.dc.IntersectClipRect(0, 0, 10, 10);
    CRect box;
    EXPECT_NE(ERROR, c.dc.GetClipBox(&box));
    EXPECT_EQ(CRect(0, 0, 10, 10), box);
    c.dc.ExcludeClipRect(0, 0, 5, 5);
    c.dc.FillSolidRect(0, 0, 40, 40, kMagenta);
    EXPECT_EQ(kRed, c.dc.GetPixel(0, 0));        // excluded
    EXPECT_EQ(kMagenta, c.dc.GetPixel(7, 7));    // inside the clip
    EXPECT_EQ(kGreen, c.dc.GetPixel(25, 25));    // outside the clip
    c.dc.SetTextColor(kRed);
    EXPECT_TRUE(c.dc.RestoreDC(saved));
    EXPECT_EQ(RGB(0, 0, 0), c.dc.GetTextColor());
    c.dc.GetClipBox(&box);
    EXPECT_EQ(CRect(0, 0, 40, 40), box);

    CRgn region;
    region.CreateRectRgn(30, 0, 40, 10);
    EXPECT_NE(ERROR, c.dc.SelectClipRgn(&region));
    c.dc.FillSolidRect(0, 0, 40, 40, kBlue);
    EXPECT_EQ(kBlue, c.dc.GetPixel(35, 5));
    EXPECT_EQ(kGreen, c.dc.GetPixel(25, 25));
    c.dc.SelectClipRgn(nullptr);
}

TEST(CDCTest, ShapesOutlineWithThePenAndFillWithTheBrush)
{
    Canvas c(60, 60);
    CPen pen(PS_SOLID, 1, kBlue);
    CBrush brush(kGreen);
    CPen* pOldPen = c.dc.SelectObject(&pen);
    CBrush* pOldBrush = c.dc.SelectObject(&brush);
    EXPECT_TRUE(c.dc.Ellipse(CRect(0, 0, 20, 20)));
    EXPECT_EQ(kGreen, c.dc.GetPixel(10, 10));
    EXPECT_EQ(kWhite, c.dc.GetPixel(1, 1)); // outside the ellipse
    EXPECT_TRUE(c.dc.RoundRect(CRect(30, 0, 60, 30), CPoint(16, 16)));
    EXPECT_EQ(kWhite, c.dc.GetPixel(30, 0)); // the rounded corner
    EXPECT_EQ(kBlue, c.dc.GetPixel(45, 0));  // the straight top edge
    const POINT triangle[3] = {{0, 30}, {30, 30}, {0, 59}};
    EXPECT_TRUE(c.dc.Polygon(triangle, 3));
    EXPECT_EQ(kGreen, c.dc.GetPixel(5, 35));
    EXPECT_EQ(kWhite, c.dc.GetPixel(28, 57));
    EXPECT_FALSE(c.dc.Polygon(triangle, 1));
    const POINT line[3] = {{40, 40}, {59, 40}, {59, 59}};
    EXPECT_TRUE(c.dc.Polyline(line, 3));
    EXPECT_EQ(kBlue, c.dc.GetPixel(50, 40));
    EXPECT_EQ(kBlue, c.dc.GetPixel(59, 50));
    EXPECT_EQ(kWhite, c.dc.GetPixel(50, 50)); // a polyline is not filled
    c.dc.SelectObject(pOldPen);
    c.dc.SelectObject(pOldBrush);

    // The focus rectangle is a dotted XOR frame: drawn twice it disappears.
    Canvas f(20, 20);
    f.dc.DrawFocusRect(CRect(2, 2, 18, 18));
    bool any = false;
    for (int x = 2; x < 18; ++x)
        any = any || f.dc.GetPixel(x, 2) != kWhite;
    EXPECT_TRUE(any);
    f.dc.DrawFocusRect(CRect(2, 2, 18, 18));
    for (int x = 2; x < 18; ++x)
        EXPECT_EQ(kWhite, f.dc.GetPixel(x, 2));

    // Null wrappers answer null handles, as callers of GetFont() and friends rely on.
    CFont* noFont = nullptr;
    CDC* noDC = nullptr;
    EXPECT_EQ(nullptr, noFont->GetSafeHandle());
    EXPECT_EQ(nullptr, noDC->GetSafeHdc());
}

TEST(CDCTest, CoordinateMapping)
{
    Canvas c(40, 40);
    CPoint oldOrg = c.dc.SetWindowOrg(10, 10);
    EXPECT_EQ(CPoint(0, 0), oldOrg);
    CRect r(10, 10, 20, 20);
    c.dc.LPtoDP(&r);
    EXPECT_EQ(CRect(0, 0, 10, 10), r);
    c.dc.DPtoLP(&r);
    EXPECT_EQ(CRect(10, 10, 20, 20), r);
    // Logical (10, 10) is the bitmap's first pixel now.
    c.dc.FillSolidRect(10, 10, 1, 1, kRed);
    c.dc.SetWindowOrg(0, 0);
    EXPECT_EQ(kRed, c.dc.GetPixel(0, 0));

    c.dc.SetViewportOrg(5, 5);
    EXPECT_EQ(CPoint(5, 5), c.dc.GetViewportOrg());
    CPoint p(0, 0);
    c.dc.LPtoDP(&p);
    EXPECT_EQ(CPoint(5, 5), p);
    c.dc.SetViewportOrg(0, 0);

    // In LOMETRIC a size converts without the origin and stays positive.
    EXPECT_EQ(MM_TEXT, c.dc.SetMapMode(MM_LOMETRIC));
    EXPECT_EQ(MM_LOMETRIC, c.dc.GetMapMode());
    CSize sz(100, 100);
    c.dc.LPtoDP(&sz);
    EXPECT_GT(sz.cx, 0);
    EXPECT_GT(sz.cy, 0);
    EXPECT_LT(sz.cx, 100); // a tenth of a millimetre is smaller than a pixel at 96 dpi
    c.dc.SetMapMode(MM_TEXT);
}

TEST(CDCTest, TextMeasureAndDraw)
{
    Canvas c(200, 60);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    CFont* pOld = c.dc.SelectObject(&font);
    CSize shortExtent = c.dc.GetTextExtent(CString(L"ab"));
    CSize longExtent = c.dc.GetTextExtent(L"abababab", -1);
    EXPECT_GT(shortExtent.cx, 0);
    EXPECT_GT(longExtent.cx, shortExtent.cx);
    EXPECT_EQ(shortExtent.cy, longExtent.cy);
    TEXTMETRICW tm = {};
    ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, shortExtent.cy);

    CRect calc(0, 0, 0, 0);
    int height = c.dc.DrawText(CString(L"Hello"), &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(tm.tmHeight, height);
    EXPECT_GT(calc.Width(), 0);
    EXPECT_EQ(kWhite, c.dc.GetPixel(2, 2)); // measuring draws nothing

    c.dc.SetTextColor(kBlue);
    c.dc.SetBkMode(OPAQUE);
    c.dc.SetBkColor(kGreen);
    CRect box(0, 0, 200, 60);
    c.dc.DrawText(L"XXXX", -1, &box, DT_SINGLELINE | DT_LEFT | DT_TOP);
    // An opaque background fills the text cell.
    EXPECT_EQ(kGreen, c.dc.GetPixel(0, 0));
    bool anyBlue = false;
    for (int x = 0; x < calc.Width() * 2 && !anyBlue; ++x)
        for (int y = 0; y < tm.tmHeight && !anyBlue; ++y)
            anyBlue = c.dc.GetPixel(x, y) == kBlue;
    EXPECT_TRUE(anyBlue);
    EXPECT_TRUE(c.dc.TextOut(0, 30, CString(L"T")));
    c.dc.SelectObject(pOld);
}

TEST(CDCTest, TransparentAlphaAndGradient)
{
    Canvas src(20, 20);
    src.dc.FillSolidRect(0, 0, 20, 20, kMagenta);
    src.dc.FillSolidRect(5, 5, 10, 10, kBlue);
    Canvas dst(20, 20);
    dst.dc.FillSolidRect(0, 0, 20, 20, kGreen);
    EXPECT_TRUE(dst.dc.TransparentBlt(0, 0, 20, 20, &src.dc, 0, 0, 20, 20, kMagenta));
    EXPECT_EQ(kGreen, dst.dc.GetPixel(1, 1));
    EXPECT_EQ(kBlue, dst.dc.GetPixel(10, 10));

    Canvas black(10, 10);
    black.dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 0));
    Canvas white(10, 10);
    BLENDFUNCTION half = {AC_SRC_OVER, 0, 128, 0};
    EXPECT_TRUE(white.dc.AlphaBlend(0, 0, 10, 10, &black.dc, 0, 0, 10, 10, half));
    COLORREF mixed = white.dc.GetPixel(5, 5);
    EXPECT_NEAR(127, GetRValue(mixed), 3);

    Canvas grad(10, 100);
    TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {10, 100, 0xFF00, 0xFF00, 0xFF00, 0}};
    GRADIENT_RECT gr = {0, 1};
    EXPECT_TRUE(grad.dc.GradientFill(v, 2, &gr, 1, GRADIENT_FILL_RECT_V));
    EXPECT_LT(GetRValue(grad.dc.GetPixel(5, 2)), 20);
    EXPECT_GT(GetRValue(grad.dc.GetPixel(5, 97)), 235);
    EXPECT_LT(GetRValue(grad.dc.GetPixel(5, 30)), GetRValue(grad.dc.GetPixel(5, 60)));

    // PatBlt with the selected brush, then a pixel put and read back.
    CBrush red(kRed);
    CBrush* pOld = grad.dc.SelectObject(&red);
    EXPECT_TRUE(grad.dc.PatBlt(0, 0, 2, 2, PATCOPY));
    grad.dc.SelectObject(pOld);
    EXPECT_EQ(kRed, grad.dc.GetPixel(1, 1));
    grad.dc.SetPixel(CPoint(3, 3), kBlue);
    EXPECT_EQ(kBlue, grad.dc.GetPixel(CPoint(3, 3)));
}

TEST(CDCTest, DrawIconAndDeviceCaps)
{
    Canvas c(40, 40);
    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_NE(nullptr, icon);
    EXPECT_TRUE(c.dc.DrawIconEx(0, 0, icon, 16, 16));
    bool changed = false;
    for (int x = 0; x < 16 && !changed; ++x)
        for (int y = 0; y < 16 && !changed; ++y)
            changed = c.dc.GetPixel(x, y) != kWhite;
    EXPECT_TRUE(changed);
    EXPECT_EQ(kWhite, c.dc.GetPixel(30, 30));
    EXPECT_FALSE(c.dc.DrawIcon(0, 0, nullptr));
    EXPECT_GT(c.dc.GetDeviceCaps(LOGPIXELSY), 0);
    EXPECT_FALSE(c.dc.IsPrinting());
}

TEST(CDCTest, AttachDetachAndFromHandle)
{
    HDC h = ::CreateCompatibleDC(nullptr);
    {
        CDC dc;
        EXPECT_TRUE(dc.Attach(h));
        EXPECT_FALSE(dc.Attach(h)); // already holds one
        EXPECT_EQ(&dc, CDC::FromHandle(h));
        EXPECT_EQ(h, dc.Detach());
        EXPECT_EQ(nullptr, dc.GetSafeHdc());
    }
    // Detached, so the DC survived the wrapper.
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(h));
    CDC* pTemp = CDC::FromHandle(h);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(pTemp, CDC::FromHandle(h));
    EXPECT_EQ(h, pTemp->m_hAttribDC);
    AfxDeleteTempMaps();
    // Temporary wrappers never delete their DC.
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(h));
    {
        CDC owner;
        owner.Attach(h);
    }
    EXPECT_EQ(0u, ::GetObjectType(h));
    EXPECT_EQ(nullptr, CDC::FromHandle(nullptr));
}

TEST(CGdiObjectTest, OwnershipAndTemporaryWrappers)
{
    HGDIOBJ handle = nullptr;
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(kRed));
        handle = brush.GetSafeHandle();
        // A second creation neither replaces nor leaks.
        EXPECT_FALSE(brush.CreateSolidBrush(kBlue));
        EXPECT_EQ(handle, brush.GetSafeHandle());
        EXPECT_EQ(&brush, CGdiObject::FromHandle(handle));
        EXPECT_EQ(&brush, CBrush::FromHandle(static_cast<HBRUSH>(handle)));
        LOGBRUSH lb = {};
        EXPECT_EQ(static_cast<int>(sizeof(lb)), brush.GetLogBrush(&lb));
        EXPECT_EQ(kRed, lb.lbColor);
    }
    EXPECT_EQ(0u, ::GetObjectType(handle)); // deleted with its wrapper

    HPEN raw = ::CreatePen(PS_SOLID, 1, kRed);
    {
        CPen* pTemp = CPen::FromHandle(raw);
        ASSERT_NE(nullptr, pTemp);
        EXPECT_EQ(pTemp, CPen::FromHandle(raw));
        AfxDeleteTempMaps();
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(raw));
    {
        CPen pen;
        EXPECT_TRUE(pen.Attach(raw));
        EXPECT_EQ(raw, pen.Detach());
        EXPECT_EQ(nullptr, CPen::FromHandle(nullptr));
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(raw));
    ::DeleteObject(raw);

    CBrush sys;
    EXPECT_TRUE(sys.CreateSysColorBrush(COLOR_WINDOW));
    LOGBRUSH lb = {};
    sys.GetLogBrush(&lb);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), lb.lbColor);
    CGdiObject stock;
    EXPECT_TRUE(stock.CreateStockObject(BLACK_BRUSH));
    EXPECT_EQ(static_cast<UINT>(OBJ_BRUSH), stock.GetObjectType());
}

TEST(CFontTest, PointFontAndLogFont)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(90, L"Tahoma"));
    LOGFONTW lf = {};
    ASSERT_EQ(static_cast<int>(sizeof(lf)), font.GetLogFont(&lf));
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(-::MulDiv(9, dpi, 72), lf.lfHeight);
    EXPECT_STREQ(L"Tahoma", lf.lfFaceName);

    CFont bold;
    ASSERT_TRUE(bold.CreateFont(-14, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    bold.GetLogFont(&lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(TRUE, lf.lfItalic);

    CFont copy;
    ASSERT_TRUE(copy.CreateFontIndirect(&lf));
    EXPECT_FALSE(copy.CreateFontIndirect(nullptr));
}

TEST(CBitmapTest, CreateDescribeAndLoadFromResourceModule)
{
    const DWORD bits[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(2, 2, 1, 32, bits));
    BITMAP bm = {};
    ASSERT_TRUE(bmp.GetBitmap(&bm));
    EXPECT_EQ(2, bm.bmWidth);
    EXPECT_EQ(32, bm.bmBitsPixel);
    EXPECT_EQ(CSize(2, 2), bmp.GetBitmapSize());
    DWORD read[4] = {};
    EXPECT_EQ(sizeof(read), bmp.GetBitmapBits(sizeof(read), read));
    EXPECT_EQ(0x0000FF00u, read[1] & 0x00FFFFFF);

    // Bitmaps come from the current resource module: the test program has none, the common
    // controls library has its toolbar strip (id 120).
    HINSTANCE saved = AfxGetResourceHandle();
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(120));
    AfxSetResourceHandle(::GetModuleHandleW(L"comctl32.dll"));
    CBitmap strip;
    EXPECT_TRUE(strip.LoadBitmap(120));
    AfxSetResourceHandle(saved);
    EXPECT_GT(strip.GetBitmapSize().cx, 0);

    CBitmap oem;
    EXPECT_TRUE(oem.LoadOEMBitmap(32760)); // OBM_CHECK, which needs OEMRESOURCE before windows.h
}

TEST(CRgnTest, CombineAndHitTest)
{
    CRgn a, b, result;
    a.CreateRectRgn(0, 0, 100, 100);
    b.CreateRectRgn(50, 50, 150, 150);
    // Combining needs an existing target region.
    EXPECT_EQ(ERROR, result.CombineRgn(&a, &b, RGN_DIFF));
    result.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, result.CombineRgn(&a, &b, RGN_DIFF));
    EXPECT_TRUE(result.PtInRegion(10, 10));
    EXPECT_FALSE(result.PtInRegion(60, 60));
    EXPECT_EQ(SIMPLEREGION, result.CombineRgn(&a, &b, RGN_AND));
    CRect box;
    result.GetRgnBox(&box);
    EXPECT_EQ(CRect(50, 50, 100, 100), box);
    EXPECT_EQ(SIMPLEREGION, result.CombineRgn(&result, &a, RGN_OR)); // the target as an operand
    EXPECT_TRUE(result.EqualRgn(&a));
    result.OffsetRgn(10, 0);
    EXPECT_FALSE(result.PtInRegion(5, 5));
    EXPECT_TRUE(result.PtInRegion(105, 5));

    CRgn round;
    round.CreateRoundRectRgn(0, 0, 40, 40, 20, 20);
    EXPECT_FALSE(round.PtInRegion(0, 0)); // the rounded corner is cut away
    EXPECT_TRUE(round.PtInRegion(20, 20));
    const POINT triangle[3] = {{0, 0}, {40, 0}, {0, 40}};
    CRgn poly;
    ASSERT_TRUE(poly.CreatePolygonRgn(triangle, 3, ALTERNATE));
    EXPECT_TRUE(poly.PtInRegion(5, 5));
    EXPECT_FALSE(poly.PtInRegion(35, 35));
    EXPECT_FALSE(CRgn().PtInRegion(0, 0));
}

TEST(CImageListTest, AddDrawReplaceRemoveAndCopy)
{
    // A strip of three 16x16 images (red, green, blue), each with a magenta corner pixel.
    Canvas strip(48, 16);
    const COLORREF colours[3] = {kRed, kGreen, kBlue};
    for (int i = 0; i < 3; ++i) {
        strip.dc.FillSolidRect(i * 16, 0, 16, 16, colours[i]);
        strip.dc.SetPixel(i * 16, 0, kMagenta);
    }
    // A bitmap still selected into a DC cannot be added to an image list.
    strip.dc.SelectObject(strip.pOld);
    strip.pOld = nullptr;

    CImageList images;
    EXPECT_EQ(0, images.GetImageCount());
    EXPECT_EQ(-1, images.Add(&strip.bitmap, kMagenta)); // no list yet
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    EXPECT_FALSE(images.Create(16, 16, ILC_COLOR24, 0, 1)); // already holds one
    EXPECT_EQ(CSize(16, 16), images.GetIconSize());
    EXPECT_EQ(0, images.Add(&strip.bitmap, kMagenta));
    EXPECT_EQ(3, images.GetImageCount());
    EXPECT_EQ(3, images.Add(::LoadIconW(nullptr, IDI_APPLICATION)));
    EXPECT_EQ(4, images.GetImageCount());
    EXPECT_EQ(-1, images.Add(static_cast<HICON>(nullptr)));
    IMAGEINFO info = {};
    ASSERT_TRUE(images.GetImageInfo(1, &info));
    EXPECT_EQ(16, info.rcImage.right - info.rcImage.left);
    EXPECT_NE(nullptr, info.hbmMask);
    EXPECT_EQ(static_cast<COLORREF>(CLR_NONE), images.SetBkColor(CLR_NONE));

    // Drawn masked: the magenta corner lets the white canvas through.
    Canvas target(40, 16);
    EXPECT_TRUE(images.Draw(&target.dc, 1, CPoint(0, 0), ILD_NORMAL));
    EXPECT_TRUE(images.Draw(&target.dc, 0, CPoint(20, 0), ILD_TRANSPARENT));
    EXPECT_EQ(kGreen, target.dc.GetPixel(8, 8));
    EXPECT_EQ(kWhite, target.dc.GetPixel(0, 0));
    EXPECT_EQ(kRed, target.dc.GetPixel(28, 8));
    EXPECT_EQ(kWhite, target.dc.GetPixel(20, 0));
    EXPECT_FALSE(images.Draw(nullptr, 0, CPoint(0, 0), ILD_NORMAL));

    // Replacing image 1 with a plain blue block.
    Canvas blue(16, 16);
    blue.dc.FillSolidRect(0, 0, 16, 16, kBlue);
    blue.dc.SelectObject(blue.pOld);
    blue.pOld = nullptr;
    EXPECT_TRUE(images.Replace(1, &blue.bitmap, nullptr));
    target.dc.FillSolidRect(0, 0, 40, 16, kWhite);
    images.Draw(&target.dc, 1, CPoint(0, 0), ILD_NORMAL);
    EXPECT_EQ(kBlue, target.dc.GetPixel(8, 8));
    EXPECT_EQ(2, images.Replace(2, ::LoadIconW(nullptr, IDI_INFORMATION)));
    EXPECT_EQ(-1, images.Replace(9, ::LoadIconW(nullptr, IDI_INFORMATION)));
    EXPECT_EQ(4, images.GetImageCount());

    HICON icon = images.ExtractIcon(0);
    ASSERT_NE(nullptr, icon);
    ::DestroyIcon(icon);

    // A copy is independent of its source.
    CImageList copy;
    ASSERT_TRUE(copy.Create(&images));
    EXPECT_EQ(4, copy.GetImageCount());
    EXPECT_TRUE(copy.Remove(0));
    EXPECT_EQ(3, copy.GetImageCount());
    EXPECT_EQ(4, images.GetImageCount());
    EXPECT_TRUE(copy.Remove(-1));
    EXPECT_EQ(0, copy.GetImageCount());

    // Ownership: the handle maps back to its owner; a detached list outlives the wrapper.
    EXPECT_EQ(&images, CImageList::FromHandle(images.GetSafeHandle()));
    HIMAGELIST raw = images.Detach();
    EXPECT_EQ(nullptr, images.GetSafeHandle());
    CImageList* pTemp = CImageList::FromHandle(raw);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(4, pTemp->GetImageCount());
    AfxDeleteTempMaps();
    EXPECT_EQ(4, ImageList_GetImageCount(raw));
    EXPECT_TRUE(images.Attach(raw));
    EXPECT_TRUE(images.DeleteImageList());
    EXPECT_FALSE(images.DeleteImageList());
}

TEST(CImageListTest, CreateFromBitmapResourceOfTheCurrentModule)
{
    HINSTANCE saved = AfxGetResourceHandle();
    CImageList missing;
    EXPECT_FALSE(missing.Create(120, 16, 1, RGB(192, 192, 192)));
    AfxSetResourceHandle(::GetModuleHandleW(L"comctl32.dll"));
    CImageList toolbar;
    BOOL created = toolbar.Create(120, 16, 1, RGB(192, 192, 192));
    AfxSetResourceHandle(saved);
    ASSERT_TRUE(created);
    CBitmap strip;
    AfxSetResourceHandle(::GetModuleHandleW(L"comctl32.dll"));
    strip.LoadBitmap(120);
    AfxSetResourceHandle(saved);
    // The strip is cut into as many 16-pixel images as it is wide.
    EXPECT_EQ(strip.GetBitmapSize().cx / 16, toolbar.GetImageCount());
    EXPECT_GT(toolbar.GetImageCount(), 1);
}
