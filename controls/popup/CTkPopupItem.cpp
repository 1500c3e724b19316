#include "controls/popup/CTkPopupItem.h"
#include "controls/popup/CTkImageManager.h"
#include "controls/popup/CTkImageManagerIcon.h"
#include "controls/popup/CTkPopupControl.h"
#include "controls/popup/CTkPopupPaintManager.h"
#include "framework/ModuleState.h"
#include <commctrl.h>

IMPLEMENT_DYNCREATE(CTkPopupItem, CCmdTarget)

CTkPopupItem::CTkPopupItem(CRect rc, LPCWSTR lpszCaption, COLORREF clrBackground, COLORREF clrBorder)
    : m_rcItem(rc), m_strCaption(lpszCaption ? lpszCaption : L""), m_clrBackground(clrBackground),
      m_clrBorder(clrBorder)
{
}

CTkPopupItem::CTkPopupItem() : CTkPopupItem(CRect(0, 0, 0, 0)) {}

void CTkPopupItem::Draw(CDC* pDC)
{
    if (m_pControl && m_pControl->GetPaintManager())
        m_pControl->GetPaintManager()->DrawItem(pDC, this);
}

CFont* CTkPopupItem::GetFont()
{
    if (m_fntItem.GetSafeHandle())
        return &m_fntItem;
    if (m_pControl && m_pControl->GetPaintManager())
        return &m_pControl->GetPaintManager()->m_fntText;
    return nullptr;
}

void CTkPopupItem::RedrawControl()
{
    if (m_pControl)
        m_pControl->RedrawControl();
}

BOOL CTkPopupItem::IsHot() const
{
    return m_pControl && m_pControl->GetHotItem() == this;
}

BOOL CTkPopupItem::IsPressed() const
{
    return m_pControl && m_pControl->GetPressedItem() == this;
}

CTkImageManagerIcon* CTkPopupItem::GetImage() const
{
    if (!m_pControl || !m_pControl->GetImageManager())
        return nullptr;
    return m_pControl->GetImageManager()->GetImage(GetImageID(), 0);
}

void CTkPopupItem::SetIcon(HICON hIcon, int nState)
{
    if (!hIcon || !m_pControl || !m_pControl->GetImageManager())
        return;
    const int nImageState = nState == 1   ? CTkImageManager::kStateNormal
                            : nState == 2 ? CTkImageManager::kStateHot
                                          : CTkImageManager::kStateChecked;
    m_pControl->GetImageManager()->SetIcon(CTkImageHandle(hIcon), GetImageID(), CSize(0, 0), nImageState);
}

BOOL CTkPopupItem::SetIcons(HBITMAP hBitmap, COLORREF clrMask, int nFlags)
{
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return FALSE;
    const int aFlags[3] = {1, 2, 4};
    int nCount = 0;
    for (int f : aFlags)
        if (nFlags & f)
            ++nCount;
    if (nCount == 0 || bm.bmWidth < nCount)
        return FALSE;
    const int cx = bm.bmWidth / nCount;
    HIMAGELIST hList = ::ImageList_Create(cx, bm.bmHeight, ILC_COLOR24 | ILC_MASK, nCount, 1);
    if (!hList)
        return FALSE;
    BOOL bOk = ::ImageList_AddMasked(hList, hBitmap, clrMask) >= 0;
    int nImage = 0;
    for (int f : aFlags) {
        if (!bOk || !(nFlags & f))
            continue;
        HICON hIcon = ::ImageList_GetIcon(hList, nImage++, ILD_NORMAL);
        if (hIcon) {
            SetIcon(hIcon, f);
            ::DestroyIcon(hIcon);
        }
    }
    ::ImageList_Destroy(hList);
    return bOk;
}

BOOL CTkPopupItem::SetIcons(UINT nIDBitmap, COLORREF clrMask, int nFlags)
{
    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDBitmap), IMAGE_BITMAP, 0, 0, 0));
    if (!hBitmap)
        return FALSE;
    const BOOL bOk = SetIcons(hBitmap, clrMask, nFlags);
    ::DeleteObject(hBitmap);
    return bOk;
}

void CTkPopupItem::CalculateHeight()
{
    HDC hdc = ::GetDC(nullptr);
    CFont* pFont = GetFont();
    HGDIOBJ hOld = pFont ? ::SelectObject(hdc, pFont->GetSafeHandle()) : nullptr;
    CRect rc = m_rcItem;
    ::DrawTextW(hdc, m_strCaption, m_strCaption.GetLength(), &rc, m_nFormat | DT_CALCRECT);
    if (hOld)
        ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    m_rcItem.bottom = m_rcItem.top + rc.Height();
}

void CTkPopupItem::CalculateWidth()
{
    if (m_nFormat & DT_WORDBREAK)
        return;
    HDC hdc = ::GetDC(nullptr);
    CFont* pFont = GetFont();
    HGDIOBJ hOld = pFont ? ::SelectObject(hdc, pFont->GetSafeHandle()) : nullptr;
    CRect rc = m_rcItem;
    ::DrawTextW(hdc, m_strCaption, m_strCaption.GetLength(), &rc, m_nFormat | DT_CALCRECT);
    if (hOld)
        ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    m_rcItem.right = m_rcItem.left + rc.Width();
}

void CTkPopupItem::CenterIcon()
{
    CTkImageManagerIcon* pIcon = GetImage();
    if (!pIcon)
        return;
    const CSize size = pIcon->GetExtent();
    if (m_rcItem.Width() > size.cx)
        m_ptIconOffset.x = (m_rcItem.Width() - size.cx) / 2;
    if (m_rcItem.Height() > size.cy)
        m_ptIconOffset.y = (m_rcItem.Height() - size.cy) / 2;
}

void CTkPopupItem::SetFont(const LOGFONTW* pLogFont)
{
    if (!pLogFont)
        return;
    m_fntItem.DeleteObject();
    m_fntItem.CreateFontIndirect(pLogFont);
    RedrawControl();
}

void CTkPopupItem::SetFont(CFont* pFont)
{
    LOGFONTW lf = {};
    if (pFont && pFont->GetLogFont(&lf))
        SetFont(&lf);
}

void CTkPopupItem::SetTextAlignment(UINT nFormat)
{
    m_nFormat = nFormat;
    RedrawControl();
}

void CTkPopupItem::SetCaption(LPCWSTR lpszCaption)
{
    m_strCaption = lpszCaption ? lpszCaption : L"";
    RedrawControl();
}

void CTkPopupItem::SetTextColor(COLORREF clr)
{
    m_clrText = clr;
    RedrawControl();
}

void CTkPopupItem::SetBold(BOOL bBold)
{
    m_bBold = bBold;
    RedrawControl();
}
