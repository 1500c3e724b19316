#include "platform/xDUI/CRenderEngine.h"
#include "platform/xDUI/CResourceManager.h"
#include "standin/ImageDecode/GdiplusImage.h"
#include "standin/xDUI/DrawRecorder.h"
#include "standin/xDUI/ImageString.h"
#include <vector>

namespace xDuiLib {

namespace {

// A memory DC with one bitmap selected, undone at scope end.
class BitmapDC {
public:
    BitmapDC(HDC ref, HBITMAP bmp) : m_dc(::CreateCompatibleDC(ref))
    {
        if (m_dc)
            m_old = ::SelectObject(m_dc, bmp);
    }
    ~BitmapDC()
    {
        if (m_dc) {
            ::SelectObject(m_dc, m_old);
            ::DeleteDC(m_dc);
        }
    }
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

void Blit(HDC dst, const RECT& d, HDC src, const RECT& s, bool alpha, BYTE fade)
{
    int dw = d.right - d.left, dh = d.bottom - d.top, sw = s.right - s.left, sh = s.bottom - s.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    if (!alpha && fade == 255) {
        ::SetStretchBltMode(dst, COLORONCOLOR);
        ::StretchBlt(dst, d.left, d.top, dw, dh, src, s.left, s.top, sw, sh, SRCCOPY);
        return;
    }
    BLENDFUNCTION bf = { AC_SRC_OVER, 0, fade, static_cast<BYTE>(alpha ? AC_SRC_ALPHA : 0) };
    ::AlphaBlend(dst, d.left, d.top, dw, dh, src, s.left, s.top, sw, sh, bf);
}

// Draws source part s over d, tiling along the flagged axes at the source's own size.
void DrawPart(HDC dst, const RECT& d, HDC src, const RECT& s, bool alpha, BYTE fade, bool tx, bool ty)
{
    int sw = s.right - s.left, sh = s.bottom - s.top;
    if (sw <= 0 || sh <= 0 || d.right <= d.left || d.bottom <= d.top)
        return;
    if (!tx && !ty) {
        Blit(dst, d, src, s, alpha, fade);
        return;
    }
    int stepX = tx ? sw : d.right - d.left;
    int stepY = ty ? sh : d.bottom - d.top;
    for (int y = d.top; y < d.bottom; y += stepY) {
        for (int x = d.left; x < d.right; x += stepX) {
            RECT dd = { x, y, std::min<LONG>(x + stepX, d.right), std::min<LONG>(y + stepY, d.bottom) };
            RECT ss = s;
            // A cut tile shows the matching part of the source instead of a squeezed whole.
            if (tx)
                ss.right = ss.left + (dd.right - dd.left);
            if (ty)
                ss.bottom = ss.top + (dd.bottom - dd.top);
            Blit(dst, dd, src, ss, alpha, fade);
        }
    }
}

void FillArgb(HDC hDC, const RECT& rc, DWORD argb)
{
    if (rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    BYTE a = static_cast<BYTE>(argb >> 24);
    if (a == 0)
        return;
    BYTE r = static_cast<BYTE>(argb >> 16), g = static_cast<BYTE>(argb >> 8), b = static_cast<BYTE>(argb);
    if (a == 255) {
        HBRUSH br = ::CreateSolidBrush(RGB(r, g, b));
        ::FillRect(hDC, &rc, br);
        ::DeleteObject(br);
        return;
    }
    void* bits = nullptr;
    HBITMAP px = standin::CreateDib32(1, 1, &bits);
    if (!px)
        return;
    auto* p = static_cast<BYTE*>(bits);
    p[0] = static_cast<BYTE>(b * a / 255);
    p[1] = static_cast<BYTE>(g * a / 255);
    p[2] = static_cast<BYTE>(r * a / 255);
    p[3] = a;
    {
        BitmapDC src(hDC, px);
        RECT one = { 0, 0, 1, 1 };
        Blit(hDC, rc, src.get(), one, true, 255);
    }
    ::DeleteObject(px);
}

std::wstring Described(LPCWSTR image, LPCWSTR modify)
{
    std::wstring s = image ? image : L"";
    if (modify && *modify)
        s += L"|" + std::wstring(modify);
    return s;
}

} // namespace

void CRenderEngine::DrawImage(HDC hDC, HBITMAP hBitmap, const RECT& rc, const RECT& rcPaint, const RECT& rcBmpPart,
                              const RECT& rcCorners, bool bAlpha, BYTE uFade, bool bHole, bool bTiledX, bool bTiledY)
{
    if (!hDC || !hBitmap)
        return;
    RECT clip;
    if (!::IntersectRect(&clip, &rc, &rcPaint))
        return;
    BitmapDC src(hDC, hBitmap);
    if (!src.get())
        return;
    int saved = ::SaveDC(hDC);
    ::IntersectClipRect(hDC, clip.left, clip.top, clip.right, clip.bottom);

    // Nine cells: the corners keep their size, edges stretch one way, the middle both.
    const RECT& c = rcCorners;
    LONG dx[4] = { rc.left, rc.left + c.left, rc.right - c.right, rc.right };
    LONG dy[4] = { rc.top, rc.top + c.top, rc.bottom - c.bottom, rc.bottom };
    LONG sx[4] = { rcBmpPart.left, rcBmpPart.left + c.left, rcBmpPart.right - c.right, rcBmpPart.right };
    LONG sy[4] = { rcBmpPart.top, rcBmpPart.top + c.top, rcBmpPart.bottom - c.bottom, rcBmpPart.bottom };
    bool corners = c.left || c.top || c.right || c.bottom;
    if (!corners || dx[1] > dx[2] || dy[1] > dy[2] || sx[1] > sx[2] || sy[1] > sy[2]) {
        DrawPart(hDC, rc, src.get(), rcBmpPart, bAlpha, uFade, bTiledX, bTiledY);
    } else {
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (bHole && row == 1 && col == 1)
                    continue;
                RECT d = { dx[col], dy[row], dx[col + 1], dy[row + 1] };
                RECT s = { sx[col], sy[row], sx[col + 1], sy[row + 1] };
                DrawPart(hDC, d, src.get(), s, bAlpha, uFade, bTiledX && col == 1, bTiledY && row == 1);
            }
        }
    }
    ::RestoreDC(hDC, saved);
}

bool CRenderEngine::DrawImageString(HDC hDC, const RECT& rcItem, const RECT& rcPaint, LPCWSTR pStrImage,
                                    LPCWSTR pStrModify, DWORD dwMask)
{
    ImageString is;
    bool ok = pStrImage && is.Parse(pStrImage);
    if (ok && pStrModify && *pStrModify) {
        // The modifier may name no file: keep the image's own.
        std::wstring file = is.file;
        is.Parse(pStrModify);
        if (is.file.empty())
            is.file = file;
    }
    const TImageInfo* img = ok ? UIGetResourceManager()->GetImage(is.file.c_str()) : nullptr;
    ok = hDC && img && img->hBitmap;
    if (ok) {
        RECT src = is.hasSource ? is.source : RECT{ 0, 0, img->nX, img->nY };
        src.right = std::min<LONG>(src.right, img->nX);
        src.bottom = std::min<LONG>(src.bottom, img->nY);
        RECT dst = rcItem;
        if (is.hasDest) {
            dst = { rcItem.left + is.dest.left, rcItem.top + is.dest.top, rcItem.left + is.dest.right,
                    rcItem.top + is.dest.bottom };
            dst.right = std::min(dst.right, rcItem.right);
            dst.bottom = std::min(dst.bottom, rcItem.bottom);
        }
        BYTE fade = static_cast<BYTE>(is.fade * ((dwMask >> 24) & 0xFF) / 255);
        DrawImage(hDC, img->hBitmap, dst, rcPaint, src, is.corner, img->bAlpha || fade != 255, fade, is.hole,
                  is.xtiled, is.ytiled);
    }
    RecordDraw(L"DrawImageString", Described(pStrImage, pStrModify), rcItem, ok);
    return ok;
}

bool CRenderEngine::DrawImage2RectTiled(HDC hDC, const RECT& rc, LPCWSTR pStrImage)
{
    ImageString is;
    bool ok = pStrImage && is.Parse(pStrImage);
    const TImageInfo* img = ok ? UIGetResourceManager()->GetImage(is.file.c_str()) : nullptr;
    ok = hDC && img && img->hBitmap;
    if (ok) {
        RECT src = is.hasSource ? is.source : RECT{ 0, 0, img->nX, img->nY };
        RECT none = {};
        DrawImage(hDC, img->hBitmap, rc, rc, src, none, img->bAlpha, 255, false, true, true);
    }
    RecordDraw(L"DrawImage2RectTiled", pStrImage ? pStrImage : L"", rc, ok);
    return ok;
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical, int nSteps)
{
    RecordDraw(L"DrawGradient", std::wstring(), rc, hDC != nullptr);
    if (!hDC || rc.right <= rc.left || rc.bottom <= rc.top)
        return;
    if ((dwFirst >> 24) == 0xFF && (dwSecond >> 24) == 0xFF) {
        // Opaque ends: a smooth gradient, whatever the step count.
        TRIVERTEX v[2] = {};
        v[0].x = rc.left;
        v[0].y = rc.top;
        v[0].Red = static_cast<COLOR16>(((dwFirst >> 16) & 0xFF) << 8);
        v[0].Green = static_cast<COLOR16>(((dwFirst >> 8) & 0xFF) << 8);
        v[0].Blue = static_cast<COLOR16>((dwFirst & 0xFF) << 8);
        v[1].x = rc.right;
        v[1].y = rc.bottom;
        v[1].Red = static_cast<COLOR16>(((dwSecond >> 16) & 0xFF) << 8);
        v[1].Green = static_cast<COLOR16>(((dwSecond >> 8) & 0xFF) << 8);
        v[1].Blue = static_cast<COLOR16>((dwSecond & 0xFF) << 8);
        GRADIENT_RECT gr = { 0, 1 };
        ::GradientFill(hDC, v, 2, &gr, 1, bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        return;
    }
    int steps = std::max(1, nSteps);
    int length = bVertical ? rc.bottom - rc.top : rc.right - rc.left;
    steps = std::min(steps, std::max(1, length));
    for (int i = 0; i < steps; ++i) {
        auto mixc = [&](int shift) {
            int a = (dwFirst >> shift) & 0xFF, b = (dwSecond >> shift) & 0xFF;
            return static_cast<DWORD>(steps == 1 ? a : a + (b - a) * i / (steps - 1)) << shift;
        };
        DWORD c = mixc(24) | mixc(16) | mixc(8) | mixc(0);
        RECT band = rc;
        if (bVertical) {
            band.top = rc.top + length * i / steps;
            band.bottom = rc.top + length * (i + 1) / steps;
        } else {
            band.left = rc.left + length * i / steps;
            band.right = rc.left + length * (i + 1) / steps;
        }
        FillArgb(hDC, band, c);
    }
}

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD dwColor)
{
    if (hDC)
        FillArgb(hDC, rc, dwColor);
}

TImageInfo* CRenderEngine::LoadImage(const void* pData, DWORD dwSize)
{
    std::vector<standin::DecodedFrame> frames;
    if (!standin::DecodeImage(pData, dwSize, false, frames))
        return nullptr;
    auto* info = new TImageInfo;
    info->hBitmap = frames[0].hBitmap;
    info->nX = frames[0].width;
    info->nY = frames[0].height;
    info->bAlpha = frames[0].alpha;
    for (size_t i = 1; i < frames.size(); ++i)
        ::DeleteObject(frames[i].hBitmap);
    return info;
}

void CRenderEngine::FreeImage(TImageInfo* pImage)
{
    if (!pImage)
        return;
    if (pImage->hBitmap)
        ::DeleteObject(pImage->hBitmap);
    delete pImage;
}

} // namespace xDuiLib
