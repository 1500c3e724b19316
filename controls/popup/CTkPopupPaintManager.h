#pragma once
// Draws a popup's background and its items with the system colours and a gradient. The popup
// owns its paint manager and deletes it when replaced.
#include "framework/CDC.h"
#include "controls/popup/CTkColorGradient.h"
#include "platform/QorView/CQorPicture.h"

class CTkPopupItem;

class CTkPopupPaintManager {
public:
    // Takes the default metrics.
    CTkPopupPaintManager();
    virtual ~CTkPopupPaintManager() = default;
    CTkPopupPaintManager(const CTkPopupPaintManager&) = delete;
    CTkPopupPaintManager& operator=(const CTkPopupPaintManager&) = delete;

    // Overrideables
    // A horizontal gradient of the background colours, framed with the border colours when set.
    virtual void DrawBackground(CDC* pDC, CRect rcClient);
    // Rebuilds the colour table and takes the system font and colours.
    virtual void RefreshMetrics();

    // Operations
    // Background, border, then the picture and text, or the icon alone; then the skin image.
    void DrawItem(CDC* pDC, CTkPopupItem* pItem);
    // The button frame: pressed-and-hot sunken, hot or pressed raised, else nothing.
    void DrawButton(CDC* pDC, CTkPopupItem* pItem);
    // Makes the default item font from this font's description.
    void SetFont(HFONT hFont);

    BYTE m_bShowPicture = 0;
    CQorPicture m_picture;
    CTkColorGradient m_clrBackground;
    CTkColorValue m_clrBorder;
    CTkColorValue m_clrBorderSecond;
    CFont m_fntText;
    COLORREF m_clrText = 0;
    COLORREF m_clrButtonSelected = static_cast<COLORREF>(-1); // hot fill
    COLORREF m_clrButtonPressed = static_cast<COLORREF>(-1);  // pressed fill
    CTkColorValue m_clrButtonSelectedBorder[2];                // top-left, bottom-right
    CTkColorValue m_clrButtonPressedBorder[2];

protected:
    // The shared part of RefreshMetrics, without a virtual call (constructors use it).
    void RefreshDefaultMetrics();
};
