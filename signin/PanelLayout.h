#pragma once
// Layout shared by the panels that cover the main window's client area.
#include "framework/Platform.h"
#include <initializer_list>

// Moves each of the dialog's controls to the horizontal centre of a client area cx wide,
// keeping its top and its size. Missing controls are skipped.
void CenterPanelControls(HWND hDlg, int cx, std::initializer_list<UINT> controlIds);

// The main window's panel size class for a panel's client height: 0 at 494 or more, 1 above
// 409, else 2 (the view library picks its layouts by it).
int PanelSizeClass(int cy);

// The colours of a panel's plain texts: no fill of their own over the panel's white background.
// Null for other kinds of control (they keep the system's colours).
HBRUSH PanelTextBrush(HDC hDC, UINT nCtlColor);
