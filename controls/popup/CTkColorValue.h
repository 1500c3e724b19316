#pragma once
// One colour in two layers: the value the colour manager computes and a value the application
// may set over it. 0xFFFFFFFF in a layer means "unset".
#include "framework/Platform.h"

class CTkColorValue {
public:
    static const COLORREF kUnset = 0xFFFFFFFF;

    CTkColorValue() = default;
    explicit CTkColorValue(COLORREF clrStandard) : m_clrStandard(clrStandard) {}

    // The custom colour when one is set, else the standard colour.
    COLORREF GetValue() const { return m_clrCustom != kUnset ? m_clrCustom : m_clrStandard; }
    operator COLORREF() const { return GetValue(); }

    COLORREF GetStandardValue() const { return m_clrStandard; }
    void SetStandardValue(COLORREF clr) { m_clrStandard = clr; }
    COLORREF GetCustomValue() const { return m_clrCustom; }
    void SetCustomValue(COLORREF clr) { m_clrCustom = clr; }
    BOOL IsCustomValue() const { return m_clrCustom != kUnset; }
    // TRUE when neither layer holds a colour.
    BOOL IsUnset() const { return GetValue() == kUnset; }

    COLORREF m_clrStandard = kUnset;
    COLORREF m_clrCustom = kUnset;
};
