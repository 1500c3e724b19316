#include "controls/popup/CTkPopupThemeSkin.h"
#include "controls/ScaleByDpi.h"
#include "controls/popup/CTkColorManager.h"
#include "platform/xDUI/CRenderEngine.h"

CTkPopupThemeSkin::CTkPopupThemeSkin()
{
    RefreshSkinMetrics();
}

void CTkPopupThemeSkin::RefreshMetrics()
{
    RefreshDefaultMetrics();
    RefreshSkinMetrics();
}

void CTkPopupThemeSkin::RefreshSkinMetrics()
{
    CTkColorManager* pColors = CTkColorManager::Instance();
    m_clrButtonSelected = pColors->ResolveColor(31);
    m_clrButtonPressed = pColors->ResolveColor(33);
    const COLORREF clrFrame = pColors->ResolveColor(32);
    for (int i = 0; i < 2; ++i) {
        m_clrButtonSelectedBorder[i].SetStandardValue(clrFrame);
        m_clrButtonPressedBorder[i].SetStandardValue(clrFrame);
    }
    // Kept for painters that follow the colour scheme; this theme draws the skin instead.
    m_clrBackground = pColors->m_grcGradient[1];
    m_clrBorder.SetStandardValue(pColors->ResolveColor(54));
    m_grcCaption = pColors->m_grcGradient[2];

    if (pColors->AreSchemeColorsDisabled())
        return;
    COLORREF clrSchemeFrame = 0;
    switch (pColors->GetCurrentScheme()) {
    case 1:
        clrSchemeFrame = 0x800000;
        break;
    case 2:
        clrSchemeFrame = 0x385D3F;
        break;
    case 3:
        clrSchemeFrame = 0x6F4B4B;
        break;
    default:
        return;
    }
    m_clrButtonSelected = 0xC2EEFF;
    m_clrButtonPressed = 0x3E80FE;
    for (int i = 0; i < 2; ++i) {
        m_clrButtonSelectedBorder[i].SetStandardValue(clrSchemeFrame);
        m_clrButtonPressedBorder[i].SetStandardValue(clrSchemeFrame);
    }
}

void CTkPopupThemeSkin::DrawBackground(CDC* pDC, CRect rcClient)
{
    HDC hdc = pDC->GetSafeHdc();
    xDuiLib::CRenderEngine::DrawImage2RectTiled(hdc, rcClient, L"i.dlg.bk.picture");

    // The caption band stays skinned; the body below it is opaque white.
    rcClient.top += ScaleByDpi(24);
    xDuiLib::CRenderEngine::DrawGradient(hdc, rcClient, 0xFFFFFFFF, 0xFFFFFFFF, true, 1);

    if (!m_bShowPicture)
        return;
    const int y0 = rcClient.top + 3 + ScaleByDpi(24) + 2;
    const int y = y0 + (rcClient.bottom - 5 - y0 - ScaleByDpi(46)) / 2;
    const int x0 = ScaleByDpi(9), x1 = ScaleByDpi(55), cy = ScaleByDpi(46);
    HPEN hPen = ::CreatePen(PS_SOLID, 1, 0xDECA83);
    HGDIOBJ hOldPen = ::SelectObject(hdc, hPen);
    HGDIOBJ hOldBrush = ::SelectObject(hdc, ::GetStockObject(HOLLOW_BRUSH));
    ::RoundRect(hdc, x0, y, x1, y + cy, 9, 9);
    ::SelectObject(hdc, hOldBrush);
    ::SelectObject(hdc, hOldPen);
    ::DeleteObject(hPen);
    m_picture.Draw(hdc, x0, y, x1 - x0, cy);
}
