#pragma once
// One item of a popup window: a rectangle with any of a background, a border, a text (bold,
// coloured, a hyperlink), an icon, a small picture, a button frame and a skin image. The popup
// holds one reference; its paint manager draws it.
#include "framework/CCmdTarget.h"
#include "framework/CDC.h"
#include "framework/CString.h"
#include "platform/QorView/CQorPicture.h"

class CTkPopupControl;
class CTkImageManagerIcon;

class CTkPopupItem : public CCmdTarget {
    DECLARE_DYNCREATE(CTkPopupItem)
public:
    // clrBackground and clrBorder: (COLORREF)-1 for none.
    CTkPopupItem(CRect rc, LPCWSTR lpszCaption = nullptr, COLORREF clrBackground = static_cast<COLORREF>(-1),
                 COLORREF clrBorder = static_cast<COLORREF>(-1));
    // An empty item without caption or colours (for dynamic creation).
    CTkPopupItem();
    ~CTkPopupItem() override = default;

    // Overrideables
    // Asks the popup's paint manager to draw the item; nothing when not in a popup.
    virtual void Draw(CDC* pDC);
    // The item's own font when one was made, else the paint manager's.
    virtual CFont* GetFont();
    // Called once the popup has taken the item.
    virtual void OnItemInserted() {}

    // Operations
    void RedrawControl();
    BOOL IsHot() const;
    BOOL IsPressed() const;
    // The popup's icon for this item's icon index (its index when −1); null when none.
    CTkImageManagerIcon* GetImage() const;
    // Registers an icon with the popup's image manager: nState 1 normal, 2 hot, else checked.
    // A null icon does nothing.
    void SetIcon(HICON hIcon, int nState = 1);
    // Cuts a strip into as many icons as the flags 1 (normal), 2 (hot) and 4 (checked) are set,
    // and registers them in that order.
    BOOL SetIcons(HBITMAP hBitmap, COLORREF clrMask, int nFlags);
    BOOL SetIcons(UINT nIDBitmap, COLORREF clrMask, int nFlags);
    // Bottom = top + the caption's height with the item's font and format flags.
    void CalculateHeight();
    // Right = left + the caption's width, unless the text wraps.
    void CalculateWidth();
    // Centres the icon in the rectangle where the rectangle is larger.
    void CenterIcon();
    void SetFont(const LOGFONTW* pLogFont);
    void SetFont(CFont* pFont);

    // Attributes
    void SetButton(BOOL bButton) { m_bButton = bButton; }
    BOOL IsButton() const { return m_bButton; }
    void SetID(int nID) { m_nID = nID; }
    int GetID() const { return m_nID; }
    void SetTextAlignment(UINT nFormat);
    UINT GetTextAlignment() const { return m_nFormat; }
    void SetCaption(LPCWSTR lpszCaption);
    const CString& GetCaption() const { return m_strCaption; }
    void SetTextColor(COLORREF clr);
    COLORREF GetTextColor() const { return m_clrText; }
    void SetBold(BOOL bBold);
    BOOL IsBold() const { return m_bBold; }
    void SetHyperLink(BOOL bHyperLink) { m_bHyperLink = bHyperLink; }
    BOOL IsHyperLink() const { return m_bHyperLink; }
    void SetSkinImage(LPCWSTR lpszImage) { m_strSkinImage = lpszImage ? lpszImage : L""; }
    const CString& GetSkinImage() const { return m_strSkinImage; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    COLORREF GetBorderColor() const { return m_clrBorder; }
    CPoint GetIconOffset() const { return m_ptIconOffset; }
    void SetIconOffset(CPoint pt) { m_ptIconOffset = pt; }
    CRect GetRect() const { return m_rcItem; }
    void SetRect(const CRect& rc) { m_rcItem = rc; }
    int GetIconIndex() const { return m_nIconIndex; }
    void SetIconIndex(int nIndex) { m_nIconIndex = nIndex; }
    CTkPopupControl* GetPopupControl() const { return m_pControl; }
    // The image id this item's icon is kept under.
    UINT GetImageID() const { return static_cast<UINT>(m_nIconIndex == -1 ? m_nIndex : m_nIconIndex); }

    BOOL m_bButton = FALSE;
    int m_nID = 0;
    CRect m_rcItem;
    CTkPopupControl* m_pControl = nullptr; // not owned: the popup holding the item
    CFont m_fntItem;
    BOOL m_bHyperLink = TRUE;
    CString m_strCaption;
    UINT m_nFormat = 0;
    BOOL m_bBold = FALSE;
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBackground = static_cast<COLORREF>(-1);
    COLORREF m_clrBorder = static_cast<COLORREF>(-1);
    CPoint m_ptIconOffset;
    int m_nIndex = 0;
    int m_nIconIndex = -1;
    CQorPicture m_picture;
    BYTE m_bHasPicture = 0;
    int m_nBoxAction = 0;
    int m_nBoxPosition = 0;
    CString m_strSkinImage;
};
