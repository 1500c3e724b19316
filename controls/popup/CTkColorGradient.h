#pragma once
// A two-colour gradient: a light and a dark colour value (see CTkColorValue).
#include "controls/popup/CTkColorValue.h"

class CTkColorGradient {
public:
    CTkColorGradient() = default;
    CTkColorGradient(COLORREF clrLight, COLORREF clrDark) { SetStandardValue(clrLight, clrDark); }

    void SetStandardValue(COLORREF clrLight, COLORREF clrDark)
    {
        m_clrLight.SetStandardValue(clrLight);
        m_clrDark.SetStandardValue(clrDark);
    }
    void SetStandardValue(COLORREF clr) { SetStandardValue(clr, clr); }
    void SetCustomValue(COLORREF clrLight, COLORREF clrDark)
    {
        m_clrLight.SetCustomValue(clrLight);
        m_clrDark.SetCustomValue(clrDark);
    }

    CTkColorValue m_clrLight;
    CTkColorValue m_clrDark;
};
