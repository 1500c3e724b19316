#include "framework/CFont.h"
#include "framework/CDC.h"
#include "framework/HandleMap.h"
#include <cstdlib>

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

CFont* CFont::FromHandle(HFONT hFont)
{
    return AfxFromHandle<CFont>(
        AfxHandleKind::GdiObject, hFont, [](CFont* p, HFONT h) { p->m_hObject = h; },
        [](CFont* p) { p->m_hObject = nullptr; });
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont)
{
    return lpLogFont ? AttachNew(::CreateFontIndirectW(lpLogFont)) : FALSE;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCWSTR lpszFacename)
{
    return AttachNew(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                   bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                   nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName)
        ::lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC* pDC)
{
    if (!lpLogFont)
        return FALSE;
    HDC hDC = pDC && pDC->m_hAttribDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    if (!hDC)
        return FALSE;
    LOGFONTW lf = *lpLogFont;
    // Tenths of a point to device pixels, then to the DC's logical units; a negative height
    // asks for the character height rather than the cell height.
    POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720)};
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -std::abs(pt.y - ptOrg.y);
    if (!(pDC && pDC->m_hAttribDC))
        ::ReleaseDC(nullptr, hDC);
    return CreateFontIndirect(&lf);
}
