#include "controls/popup/CTkPopupPaintManager.h"
#include "controls/ScaleByDpi.h"
#include "controls/popup/CTkColorManager.h"
#include "controls/popup/CTkDrawHelpers.h"
#include "controls/popup/CTkFontDC.h"
#include "controls/popup/CTkImageManagerIcon.h"
#include "controls/popup/CTkPopupItem.h"
#include "framework/CTextFit.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/xDUI/CRenderEngine.h"

namespace {
const COLORREF kNone = static_cast<COLORREF>(-1);
}

CTkPopupPaintManager::CTkPopupPaintManager()
{
    RefreshDefaultMetrics();
}

void CTkPopupPaintManager::RefreshMetrics()
{
    RefreshDefaultMetrics();
}

void CTkPopupPaintManager::RefreshDefaultMetrics()
{
    CTkColorManager* pColors = CTkColorManager::Instance();
    pColors->RebuildColorTable(FALSE);

    LOGFONTW lf = {};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0)) {
        m_fntText.DeleteObject();
        m_fntText.CreateFontIndirect(&lf);
    }
    m_clrText = pColors->ResolveColor(COLOR_BTNTEXT);
    m_clrBackground.SetStandardValue(pColors->ResolveColor(COLOR_3DFACE));
    m_clrBorder.SetStandardValue(pColors->ResolveColor(COLOR_3DSHADOW));
    m_clrBorderSecond.SetStandardValue(pColors->ResolveColor(COLOR_3DSHADOW));
    m_clrButtonSelected = kNone;
    m_clrButtonPressed = kNone;
    m_clrButtonSelectedBorder[0].SetStandardValue(pColors->ResolveColor(COLOR_BTNHIGHLIGHT));
    m_clrButtonSelectedBorder[1].SetStandardValue(pColors->ResolveColor(COLOR_3DSHADOW));
    m_clrButtonPressedBorder[0].SetStandardValue(pColors->ResolveColor(COLOR_3DSHADOW));
    m_clrButtonPressedBorder[1].SetStandardValue(pColors->ResolveColor(COLOR_BTNHIGHLIGHT));
}

void CTkPopupPaintManager::SetFont(HFONT hFont)
{
    LOGFONTW lf = {};
    if (!hFont || !::GetObjectW(hFont, sizeof(lf), &lf))
        return;
    m_fntText.DeleteObject();
    m_fntText.CreateFontIndirect(&lf);
}

void CTkPopupPaintManager::DrawBackground(CDC* pDC, CRect rcClient)
{
    CTkDrawHelpers::Instance()->GradientFill(pDC, rcClient, m_clrBackground, TRUE);
    if (m_clrBorder.GetValue() != kNone)
        pDC->Draw3dRect(rcClient, m_clrBorder.GetValue(), m_clrBorderSecond.GetValue());
}

void CTkPopupPaintManager::DrawButton(CDC* pDC, CTkPopupItem* pItem)
{
    const BOOL bHot = pItem->IsHot(), bPressed = pItem->IsPressed();
    const CRect rc = pItem->GetRect();
    if (bHot && bPressed) {
        if (m_clrButtonPressed != kNone)
            pDC->FillSolidRect(rc, m_clrButtonPressed);
        pDC->Draw3dRect(rc, m_clrButtonPressedBorder[0].GetValue(), m_clrButtonPressedBorder[1].GetValue());
    } else if (bHot || bPressed) {
        if (m_clrButtonSelected != kNone)
            pDC->FillSolidRect(rc, m_clrButtonSelected);
        pDC->Draw3dRect(rc, m_clrButtonSelectedBorder[0].GetValue(), m_clrButtonSelectedBorder[1].GetValue());
    }
}

void CTkPopupPaintManager::DrawItem(CDC* pDC, CTkPopupItem* pItem)
{
    if (!pDC || !pItem)
        return;
    HDC hdc = pDC->GetSafeHdc();
    CRect rc = pItem->GetRect();
    if (pItem->m_clrBackground != kNone)
        pDC->FillSolidRect(rc, pItem->m_clrBackground);
    if (pItem->m_clrBorder != kNone)
        pDC->Draw3dRect(rc, pItem->m_clrBorder, pItem->m_clrBorder);

    if (pItem->m_bHasPicture) {
        rc.OffsetRect(-ScaleByDpi(6), -ScaleByDpi(1));
        pItem->m_picture.Draw(hdc, rc.left, rc.top, ScaleByDpi(16), ScaleByDpi(16));
    } else if (CTkImageManagerIcon* pIcon = pItem->GetImage()) {
        // An icon item shows its icon only: the tip's close button is drawn this way, without
        // a button frame or caption.
        rc.OffsetRect(pItem->m_ptIconOffset);
        CTkImageHandle& image = pIcon->GetIcon();
        if (image.m_hIcon)
            ::DrawIconEx(hdc, rc.left, rc.top, image.m_hIcon, rc.Width(), rc.Height(), 0, nullptr, DI_NORMAL);
        else
            pIcon->Draw(pDC, rc.TopLeft(), image, rc.Size());
        return;
    }

    if (pItem->m_bButton)
        DrawButton(pDC, pItem);

    if (!pItem->m_strCaption.IsEmpty()) {
        const BOOL bUnderline = pItem->IsHot() && pItem->m_bHyperLink;
        HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        CFont fntStyled;
        if (bUnderline || pItem->m_bBold) {
            LOGFONTW lf = {};
            ::GetObjectW(hFont, sizeof(lf), &lf);
            lf.lfUnderline = bUnderline ? 1 : 0;
            lf.lfWeight = pItem->m_bBold ? FW_BOLD : FW_NORMAL;
            if (fntStyled.CreateFontIndirect(&lf))
                hFont = static_cast<HFONT>(fntStyled.GetSafeHandle());
        }
        CTkFontDC fontDC(hdc, hFont);

        const UINT nFormat = pItem->m_nFormat;
        CRect rcText = pItem->GetRect();
        rcText.left += ScaleByDpi(20);
        if ((nFormat & (DT_WORDBREAK | DT_VCENTER)) == (DT_WORDBREAK | DT_VCENTER)) {
            // DrawText centres only single lines; centre a wrapped block by measuring it.
            CRect rcCalc(0, 0, rcText.Width(), 0);
            ::DrawTextW(hdc, pItem->m_strCaption, pItem->m_strCaption.GetLength(), &rcCalc,
                        nFormat | DT_CALCRECT | DT_NOPREFIX);
            rcText.top = (rcText.bottom - rcCalc.bottom + rcText.top) / 2;
        }
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, pItem->m_clrText != kNone ? pItem->m_clrText : m_clrText);

        // A long name is cut while its "(...)" suffix stays whole; a suffix that does not fit
        // the row by itself (a message that merely holds a parenthesis) is cut with the rest.
        const CString& strCaption = pItem->m_strCaption;
        const int nParen = strCaption.Find(L'(');
        CString strHead = strCaption, strTail;
        if (nParen > 0 && CTextFit::Fits(hdc, strCaption.Mid(nParen), rcText.Width())) {
            strHead = strCaption.Left(nParen);
            strTail = strCaption.Mid(nParen);
        }
        SIZE szTail = {0, 0};
        if (!strTail.IsEmpty())
            ::GetTextExtentPoint32W(hdc, strTail, strTail.GetLength(), &szTail);
        rcText.right -= szTail.cx;
        CString strResult;
        CQorViewBaseFun::GetTruncatedString(hdc, rcText, strHead, strResult);
        rcText.right += szTail.cx;
        const CString strDraw = strResult + strTail;
        ::DrawTextW(hdc, strDraw, strDraw.GetLength(), &rcText, nFormat | DT_NOPREFIX);
    }

    if (!pItem->m_strSkinImage.IsEmpty()) {
        const CRect rcItem = pItem->GetRect();
        xDuiLib::CRenderEngine::DrawImageString(hdc, rcItem, rcItem, pItem->m_strSkinImage, nullptr, 0xFFFFFFFF);
    }
}
