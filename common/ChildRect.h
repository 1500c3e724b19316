#pragma once
// Where a child control lies in its parent: the placeholder rectangles that panes are laid on.
#include "framework/Platform.h"

// The rectangle of control nID of hParent, in hParent's client coordinates; false (and the
// rectangle untouched) when the parent has no such control.
bool GetChildRect(HWND hParent, UINT nID, RECT* pRect);
