#include "controls/popup/CTkImageManagerIcon.h"
#include "controls/popup/CTkImageManager.h"
#include "controls/popup/CTkImageManagerIconSet.h"
#include "controls/popup/TkAlphaBitmap.h"
#include <cstdlib>
#include <cstring>
#include <utility>

double CTkImageManagerIcon::s_dDisabledBrightness = 0.5;

namespace {

// A new image made from src by changing the colour of every pixel (alpha stays). For an icon the
// colour bitmap is changed and a new icon made over the original mask.
template <class Fn>
void MakeGeneratedImage(const CTkImageHandle& src, CTkImageHandle& dest, Fn fn)
{
    dest.Clear();
    dest.m_bOwns = TRUE;
    HBITMAP hSource = src.GetBitmap();
    ICONINFO ii = {};
    if (!hSource && src.m_hIcon) {
        if (!::GetIconInfo(src.m_hIcon, &ii))
            return;
        hSource = ii.hbmColor;
    }
    BITMAPINFO* pInfo = nullptr;
    BYTE* pBits = nullptr;
    UINT nSize = 0;
    if (hSource && TkReadBitmapBits32(hSource, &pInfo, &pBits, &nSize)) {
        for (UINT i = 0; i + 3 < nSize; i += 4)
            fn(pBits[i + 2], pBits[i + 1], pBits[i]);
        void* pDest = nullptr;
        HBITMAP hNew = TkCreateAlphaBitmap(pInfo->bmiHeader.biWidth, pInfo->bmiHeader.biHeight, &pDest);
        if (hNew) {
            std::memcpy(pDest, pBits, nSize);
            ::GdiFlush();
            if (src.GetBitmap()) {
                dest.TakeBitmap(hNew);
            } else {
                ICONINFO niv = {TRUE, 0, 0, ii.hbmMask, hNew};
                dest.m_hIcon = ::CreateIconIndirect(&niv);
                ::DeleteObject(hNew);
            }
        }
        std::free(pInfo);
        std::free(pBits);
    }
    if (ii.hbmColor)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask)
        ::DeleteObject(ii.hbmMask);
}

} // namespace

CTkImageManagerIcon::CTkImageManagerIcon(UINT nID, int nWidth, int nHeight, CTkImageManagerIconSet* pIconSet)
    : m_nID(nID), m_nWidth(nWidth), m_nHeight(nHeight), m_pIconSet(pIconSet)
{
}

CTkImageManagerIcon::~CTkImageManagerIcon()
{
    Clear();
}

CTkImageHandle& CTkImageManagerIcon::GetHotIcon()
{
    return m_imgHot.IsEmpty() ? m_imgNormal : m_imgHot;
}

CTkImageHandle& CTkImageManagerIcon::GetCheckedIcon()
{
    return m_imgChecked.IsEmpty() ? GetHotIcon() : m_imgChecked;
}

CTkImageHandle& CTkImageManagerIcon::GetDisabledIcon()
{
    if (!m_imgDisabled.IsEmpty())
        return m_imgDisabled;
    if (m_imgGeneratedDisabled.IsEmpty()) {
        const double k = s_dDisabledBrightness;
        MakeGeneratedImage(m_imgNormal, m_imgGeneratedDisabled, [k](BYTE& r, BYTE& g, BYTE& b) {
            const double grey = 0.299 * r + 0.587 * g + 0.114 * b;
            const BYTE v = static_cast<BYTE>(std::min(255.0, 255.0 - (255.0 - grey) * (1.0 - k)));
            r = g = b = v;
        });
    }
    return m_imgGeneratedDisabled;
}

CTkImageHandle& CTkImageManagerIcon::GetFadedIcon()
{
    if (m_imgFaded.IsEmpty()) {
        MakeGeneratedImage(m_imgNormal, m_imgFaded, [](BYTE& r, BYTE& g, BYTE& b) {
            r = static_cast<BYTE>(r * 0.7 + 76.5);
            g = static_cast<BYTE>(g * 0.7 + 76.5);
            b = static_cast<BYTE>(b * 0.7 + 76.5);
        });
    }
    return m_imgFaded;
}

CTkImageHandle& CTkImageManagerIcon::GetShadowIcon()
{
    if (m_imgShadow.IsEmpty()) {
        MakeGeneratedImage(m_imgNormal, m_imgShadow, [](BYTE& r, BYTE& g, BYTE& b) {
            r = static_cast<BYTE>(r * 0.75);
            g = static_cast<BYTE>(g * 0.75);
            b = static_cast<BYTE>(b * 0.75);
        });
    }
    return m_imgShadow;
}

void CTkImageManagerIcon::SetNormalIcon(const CTkImageHandle& image)
{
    // Copy first: image may borrow from one of the handles cleared below.
    CTkImageHandle copy;
    copy.CopyIn(image);
    Clear();
    m_imgNormal = std::move(copy);
    const CSize size = m_imgNormal.GetExtent();
    m_nWidth = size.cx;
    m_nHeight = size.cy;
    m_bScaled = FALSE;
    if (m_pIconSet) {
        m_pIconSet->RemoveScaledIcons();
        m_pIconSet->ClearGeneratedImages(this);
    }
}

void CTkImageManagerIcon::SetHotIcon(const CTkImageHandle& image)
{
    ClearGeneratedImages();
    m_imgHot.CopyIn(image);
}

void CTkImageManagerIcon::SetCheckedIcon(const CTkImageHandle& image)
{
    ClearGeneratedImages();
    m_imgChecked.CopyIn(image);
}

void CTkImageManagerIcon::SetDisabledIcon(const CTkImageHandle& image)
{
    ClearGeneratedImages();
    m_imgDisabled.CopyIn(image);
}

void CTkImageManagerIcon::ClearGeneratedImages()
{
    m_imgFaded.Clear();
    m_imgShadow.Clear();
    m_imgGeneratedDisabled.Clear();
}

void CTkImageManagerIcon::Clear()
{
    m_imgNormal.Clear();
    m_imgHot.Clear();
    m_imgChecked.Clear();
    m_imgDisabled.Clear();
    ClearGeneratedImages();
}

CTkImageManager* CTkImageManagerIcon::GetManager() const
{
    if (m_pIconSet && m_pIconSet->GetManager())
        return m_pIconSet->GetManager();
    return CTkImageManager::GetStaticManager();
}

CSize CTkImageManagerIcon::ResolveSize(CSize size) const
{
    if (size.cx == 0 && size.cy == 0)
        return CSize(m_nWidth, m_nHeight);
    if (size.cy == 0)
        size.cy = m_nWidth ? ::MulDiv(m_nHeight, size.cx, m_nWidth) : m_nHeight;
    return size;
}

BOOL CTkImageManagerIcon::Draw(CDC* pDC, CPoint pt, CSize size)
{
    return Draw(pDC, pt, m_imgNormal, size);
}

BOOL CTkImageManagerIcon::Draw(CDC* pDC, CPoint pt, CTkImageHandle& image, CSize size)
{
    if (!pDC || !pDC->GetSafeHdc() || image.IsEmpty())
        return FALSE;
    size = ResolveSize(size);
    CTkImageManager* pManager = GetManager();
    if (image.m_hIcon) {
        const int cx = (pManager && pManager->m_bRightToLeft) ? -size.cx : size.cx;
        return ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, image.m_hIcon, cx, size.cy, 0, nullptr, DI_NORMAL);
    }
    if (!pManager || !pManager->m_pfnAlphaBlend)
        return FALSE;
    HBITMAP hPremultiplied = image.GetPremultipliedBitmap();
    if (!hPremultiplied)
        return FALSE;
    const CSize extent = image.GetExtent();
    HDC hMem = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (!hMem)
        return FALSE;
    HGDIOBJ hOld = ::SelectObject(hMem, hPremultiplied);
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL bOk = pManager->m_pfnAlphaBlend(pDC->GetSafeHdc(), pt.x, pt.y, size.cx, size.cy, hMem, 0, 0,
                                               extent.cx, extent.cy, bf);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return bOk;
}

BOOL CTkImageManagerIcon::DrawShadow(CDC* pDC, CPoint pt, COLORREF clrShadow, CSize size)
{
    if (!pDC || !pDC->GetSafeHdc() || m_imgNormal.IsEmpty())
        return FALSE;
    size = ResolveSize(size);
    HBRUSH hBrush = ::CreateSolidBrush(clrShadow);
    BOOL bOk = FALSE;
    CTkImageManager* pManager = GetManager();
    if (m_imgNormal.m_hIcon && !(pManager && pManager->m_bRightToLeft)) {
        bOk = ::DrawStateW(pDC->GetSafeHdc(), hBrush, nullptr, reinterpret_cast<LPARAM>(m_imgNormal.m_hIcon), 0, pt.x,
                           pt.y, size.cx, size.cy, DST_ICON | DSS_MONO);
    } else {
        // Right to left (or an alpha image): draw from a bitmap of the image, mirrored when asked.
        HDC hScreen = ::GetDC(nullptr);
        HDC hMem = ::CreateCompatibleDC(hScreen);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        ::PatBlt(hMem, 0, 0, size.cx, size.cy, WHITENESS);
        if (m_imgNormal.m_hIcon)
            ::DrawIconEx(hMem, 0, 0, m_imgNormal.m_hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
        else if (HBITMAP hSrc = m_imgNormal.GetBitmap()) {
            HDC hSrcDC = ::CreateCompatibleDC(hScreen);
            HGDIOBJ hOldSrc = ::SelectObject(hSrcDC, hSrc);
            const CSize extent = m_imgNormal.GetExtent();
            ::StretchBlt(hMem, 0, 0, size.cx, size.cy, hSrcDC, 0, 0, extent.cx, extent.cy, SRCCOPY);
            ::SelectObject(hSrcDC, hOldSrc);
            ::DeleteDC(hSrcDC);
        }
        if (pManager && pManager->m_bRightToLeft)
            ::StretchBlt(hMem, size.cx - 1, 0, -size.cx, size.cy, hMem, 0, 0, size.cx, size.cy, SRCCOPY);
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        ::ReleaseDC(nullptr, hScreen);
        bOk = ::DrawStateW(pDC->GetSafeHdc(), hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y,
                           size.cx, size.cy, DST_BITMAP | DSS_MONO);
        ::DeleteObject(hBitmap);
    }
    ::DeleteObject(hBrush);
    return bOk;
}
