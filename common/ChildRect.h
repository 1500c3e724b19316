#pragma once
// Where a child control lies in its parent: the placeholder rectangles that panes are laid on.
#include "framework/Platform.h"

// The rectangle of control nID of hParent, in hParent's client coordinates; false (and the
// rectangle untouched) when the parent has no such control.
bool GetChildRect(HWND hParent, UINT nID, RECT* pRect);

// Gives a label that draws no background of its own (its parent's shows through) a new text.
// Such a label draws its text over whatever its last text left, and a parent that leaves its
// children out of its painting (WS_CLIPCHILDREN) never paints under it: the label is hidden while
// the parent paints its background there afresh, then shown to draw the new text on it.
void SetSeeThroughLabelText(HWND hLabel, LPCWSTR pszText);
