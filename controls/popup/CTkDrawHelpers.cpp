#include "controls/popup/CTkDrawHelpers.h"
#include "controls/popup/CMultiMonitorApi.h"
#include "controls/popup/CTkColorManager.h"
#include "controls/popup/CTkCompatibleDC.h"
#include <shlwapi.h>

namespace {
CTkDrawHelpers s_drawHelpers;
}

CTkDrawHelpers::CTkDrawHelpers(LPCWSTR lpszGradientLibrary)
{
    if (lpszGradientLibrary)
        m_hGradientLibrary = ::LoadLibraryW(lpszGradientLibrary);
    if (m_hGradientLibrary)
        m_pfnGradientFill = reinterpret_cast<PFNGRADIENTFILL>(::GetProcAddress(m_hGradientLibrary, "GradientFill"));
}

CTkDrawHelpers::~CTkDrawHelpers()
{
    if (m_hGradientLibrary)
        ::FreeLibrary(m_hGradientLibrary);
}

CTkDrawHelpers* CTkDrawHelpers::Instance()
{
    return &s_drawHelpers;
}

void CTkDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, const CTkColorGradient& grc, BOOL bHorz)
{
    GradientFill(pDC, lpRect, grc.m_clrLight.GetValue(), grc.m_clrDark.GetValue(), bHorz);
}

void CTkDrawHelpers::GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF clrLight, COLORREF clrDark, BOOL bHorz)
{
    if (!pDC || !pDC->GetSafeHdc() || !lpRect || ::IsRectEmpty(lpRect))
        return;
    const CRect rc(lpRect);
    if (IsLowColor(pDC->GetSafeHdc()) || clrLight == clrDark) {
        pDC->FillSolidRect(rc, clrLight);
        return;
    }
    if (m_pfnGradientFill) {
        TRIVERTEX vert[2] = {};
        vert[0].x = rc.left;
        vert[0].y = rc.top;
        vert[0].Red = static_cast<COLOR16>(GetRValue(clrLight) << 8);
        vert[0].Green = static_cast<COLOR16>(GetGValue(clrLight) << 8);
        vert[0].Blue = static_cast<COLOR16>(GetBValue(clrLight) << 8);
        vert[1].x = rc.right;
        vert[1].y = rc.bottom;
        vert[1].Red = static_cast<COLOR16>(GetRValue(clrDark) << 8);
        vert[1].Green = static_cast<COLOR16>(GetGValue(clrDark) << 8);
        vert[1].Blue = static_cast<COLOR16>(GetBValue(clrDark) << 8);
        GRADIENT_RECT gr = {0, 1};
        m_pfnGradientFill(pDC->GetSafeHdc(), vert, 2, &gr, 1, bHorz ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
        return;
    }
    FillLineByLine(pDC, rc, clrLight, clrDark, bHorz);
}

void CTkDrawHelpers::FillLineByLine(CDC* pDC, const CRect& rc, COLORREF clrLight, COLORREF clrDark, BOOL bHorz)
{
    // Only the visible part is drawn, but t always runs over the whole rectangle so that a
    // partial repaint matches the rest.
    CRect rcArea;
    pDC->GetClipBox(&rcArea);
    if (rcArea.IsRectEmpty())
        rcArea = rc;
    else if (!rcArea.IntersectRect(&rcArea, &rc))
        return;
    if (bHorz) {
        const int w = std::max(static_cast<int>(rc.Width()), 1);
        for (int x = rcArea.left; x < rcArea.right; ++x) {
            const double t = 1.0 - static_cast<double>(x - rc.left) / w;
            pDC->FillSolidRect(x, rcArea.top, 1, rcArea.Height(), MixByFactor(clrLight, clrDark, t));
        }
    } else {
        const int h = std::max(static_cast<int>(rc.Height()), 1);
        for (int y = rcArea.top; y < rcArea.bottom; ++y) {
            const double t = 1.0 - static_cast<double>(y - rc.top) / h;
            pDC->FillSolidRect(rcArea.left, y, rcArea.Width(), 1, MixByFactor(clrLight, clrDark, t));
        }
    }
}

BOOL CTkDrawHelpers::IsLowColor(HDC hdc)
{
    HWND hDesktop = nullptr;
    if (!hdc) {
        hDesktop = ::GetDesktopWindow();
        hdc = ::GetDC(hDesktop);
        if (!hdc)
            return FALSE;
    }
    const int nBits = ::GetDeviceCaps(hdc, BITSPIXEL) * ::GetDeviceCaps(hdc, PLANES);
    if (hDesktop)
        ::ReleaseDC(hDesktop, hdc);
    return nBits >= 1 && nBits <= 8;
}

COLORREF CTkDrawHelpers::MixByFactor(COLORREF clrA, COLORREF clrB, double t)
{
    auto ch = [t](int a, int b) { return std::min(static_cast<int>(a * t + b * (1.0 - t)), 255); };
    return RGB(ch(GetRValue(clrA), GetRValue(clrB)), ch(GetGValue(clrA), GetGValue(clrB)),
               ch(GetBValue(clrA), GetBValue(clrB)));
}

CRect CTkDrawHelpers::GetWorkAreaAtCursor()
{
    POINT pt = {};
    if (!::GetCursorPos(&pt))
        return CMultiMonitorApi::GetPrimaryWorkArea();
    return CMultiMonitorApi::Instance().GetWorkArea(pt);
}

CRect CTkDrawHelpers::GetWorkArea(HWND hWnd)
{
    return CMultiMonitorApi::Instance().GetWorkArea(hWnd);
}

CRect CTkDrawHelpers::GetWorkArea(const RECT& rect)
{
    return CMultiMonitorApi::Instance().GetWorkArea(rect);
}

CRect CTkDrawHelpers::GetWorkArea(POINT point)
{
    return CMultiMonitorApi::Instance().GetWorkArea(point);
}

CRect CTkDrawHelpers::GetWorkArea(HMONITOR hMonitor)
{
    return CMultiMonitorApi::Instance().GetWorkArea(hMonitor);
}

void CTkDrawHelpers::ExcludeCorners(CDC* pDC, const CRect& rc)
{
    if (!pDC)
        return;
    pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 1, rc.top + 1);
    pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
    pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom + 1);
    pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom + 1);
}

void CTkDrawHelpers::AveragePixels(CDC* pDC, const int* pPoints, int nCount, int x, int y, int dx, int dy)
{
    if (!pDC || !pPoints || nCount < 1)
        return;
    const int nPairs = (nCount - 1) / 2 + 1;
    for (int i = 0; i < nPairs; ++i) {
        const int px = x + pPoints[2 * i];
        const int py = y + (2 * i + 1 < nCount ? pPoints[2 * i + 1] : 0);
        const COLORREF a = pDC->GetPixel(px, py);
        const COLORREF b = pDC->GetPixel(px + dx, py + dy);
        pDC->SetPixelV(px, py, RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
                                   (GetBValue(a) + GetBValue(b)) / 2));
    }
}

namespace {

int CALLBACK FindFaceProc(const LOGFONTW* plf, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<std::pair<LPCWSTR, BOOL>*>(lParam);
    if (::lstrcmpiW(plf->lfFaceName, pFound->first) == 0) {
        pFound->second = TRUE;
        return 0;
    }
    return 1;
}

LOGFONTW DefaultGuiLogFont()
{
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    return lf;
}

} // namespace

BOOL CTkDrawHelpers::FontExists(LPCWSTR lpszFaceName)
{
    if (!lpszFaceName || !*lpszFaceName)
        return FALSE;
    HDC hdc = ::GetDC(nullptr);
    if (!hdc)
        return FALSE;
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    std::pair<LPCWSTR, BOOL> found(lpszFaceName, FALSE);
    ::EnumFontFamiliesExW(hdc, &lf, FindFaceProc, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, hdc);
    return found.second;
}

CString CTkDrawHelpers::GetDefaultFontFace()
{
    return CString(DefaultGuiLogFont().lfFaceName);
}

CString CTkDrawHelpers::ChooseFontFace(BOOL bPreferTahoma)
{
    const LOGFONTW lf = DefaultGuiLogFont();
    OSVERSIONINFOW vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&vi);
#pragma GCC diagnostic pop
    const BOOL bNT5 = vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion >= 5;
    if ((lf.lfCharSet > 2 && bNT5) || !FontExists(L"Arial"))
        return CString(lf.lfFaceName);
    if (bPreferTahoma && FontExists(L"Tahoma"))
        return CString(L"Tahoma");
    return CString(L"Arial");
}

BOOL CTkDrawHelpers::IsComctl6()
{
    HMODULE hComCtl = ::LoadLibraryW(L"comctl32.dll");
    if (!hComCtl)
        return FALSE;
    BOOL bResult = FALSE;
    typedef HRESULT(CALLBACK * PFNDLLGETVERSION)(DLLVERSIONINFO*);
    auto pfn = reinterpret_cast<PFNDLLGETVERSION>(::GetProcAddress(hComCtl, "DllGetVersion"));
    if (pfn) {
        DLLVERSIONINFO dvi = {};
        dvi.cbSize = sizeof(dvi);
        bResult = SUCCEEDED(pfn(&dvi)) && dvi.dwMajorVersion >= 6;
    }
    ::FreeLibrary(hComCtl);
    return bResult;
}

BOOL CTkDrawHelpers::IsAlphaBitmapFile(LPCWSTR lpszPath)
{
    if (!lpszPath)
        return FALSE;
    HANDLE hFile = ::CreateFileW(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    BYTE buf[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    DWORD dwRead = 0;
    const BOOL bRead = ::ReadFile(hFile, buf, sizeof(buf), &dwRead, nullptr);
    ::CloseHandle(hFile);
    if (!bRead || dwRead != sizeof(buf))
        return FALSE;
    const auto* pfh = reinterpret_cast<const BITMAPFILEHEADER*>(buf);
    const auto* pih = reinterpret_cast<const BITMAPINFOHEADER*>(buf + sizeof(BITMAPFILEHEADER));
    return pfh->bfType == 0x4D42 && pih->biBitCount == 32;
}

BOOL CTkDrawHelpers::IsAlphaBitmapResource(HINSTANCE hInst, LPCWSTR lpszResource)
{
    HRSRC hRes = ::FindResourceW(hInst, lpszResource, RT_BITMAP);
    if (!hRes || ::SizeofResource(hInst, hRes) < sizeof(BITMAPINFOHEADER))
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const auto* pih = hGlobal ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hGlobal)) : nullptr;
    return pih && pih->biBitCount == 32;
}

COLORREF CTkDrawHelpers::GetTopLeftPixel(HBITMAP hBitmap)
{
    return GetBitmapPixel(hBitmap, POINT{0, 0});
}

COLORREF CTkDrawHelpers::GetBitmapPixel(HBITMAP hBitmap, POINT pt)
{
    if (!hBitmap)
        return static_cast<COLORREF>(-1);
    CTkCompatibleDC dc(nullptr, hBitmap);
    return dc.GetPixel(pt);
}

COLORREF CTkDrawHelpers::GetResourceBitmapPixel(HINSTANCE hInst, LPCWSTR lpszResource, POINT pt)
{
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageW(hInst, lpszResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!hBitmap)
        return static_cast<COLORREF>(-1);
    const COLORREF clr = GetBitmapPixel(hBitmap, pt);
    ::DeleteObject(hBitmap);
    return clr;
}

HIMAGELIST CTkDrawHelpers::CreateMaskedImageList(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return nullptr;
    HIMAGELIST hList = ::ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (!hList)
        return nullptr;
    if (::ImageList_AddMasked(hList, hBitmap, GetTopLeftPixel(hBitmap)) < 0) {
        ::ImageList_Destroy(hList);
        return nullptr;
    }
    return hList;
}

COLORREF CTkDrawHelpers::LightenColor(COLORREF clr, double dFactor)
{
    auto ch = [dFactor](int c) { return static_cast<int>(c * (1.0 - dFactor) + 255 * dFactor); };
    return RGB(ch(GetRValue(clr)), ch(GetGValue(clr)), ch(GetBValue(clr)));
}

int TkGetCurrentColorScheme()
{
    return CTkColorManager::Instance()->GetCurrentScheme();
}

COLORREF TkGetColor(UINT nIndex)
{
    return CTkColorManager::Instance()->ResolveColor(nIndex);
}
