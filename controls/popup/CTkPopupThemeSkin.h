#pragma once
// The popup paint manager the program uses: the skin's dialog background with a white body, and
// an optional framed contact picture.
#include "controls/popup/CTkPopupPaintManager.h"

class CTkPopupThemeSkin : public CTkPopupPaintManager {
public:
    CTkPopupThemeSkin();

    void DrawBackground(CDC* pDC, CRect rcClient) override;
    void RefreshMetrics() override;

    // Copied from the colour manager and kept; this theme does not draw it.
    CTkColorGradient m_grcCaption;

private:
    void RefreshSkinMetrics();
};
