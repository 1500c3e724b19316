#pragma once
// The message box of the whole program. Modal; returns the button pressed (IDOK = 1, ...).
// Under test the answer can be set in advance (QorViewTestHooks.h), and then no box is shown.
#include "framework/Platform.h"

class CWnd;

// text, caption, owner window (may be null), buttons (MB_OK, MB_YESNO, ... or a whole
// MessageBox flag word), icon (MB_ICONWARNING, ...), default button (MB_DEFBUTTON2, ...),
// and a reserved value (0).
int QorMessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, CWnd* pOwner, UINT nButtons = MB_OK,
                  UINT nIcon = 0, UINT nDefButton = 0, UINT nReserved = 0);
// The same with a window handle as owner (a second name: with overloads, a NULL owner
// would be ambiguous).
int QorMessageBoxHwnd(LPCWSTR lpszText, LPCWSTR lpszCaption, HWND hOwner, UINT nButtons = MB_OK,
                      UINT nIcon = 0, UINT nDefButton = 0, UINT nReserved = 0);
// Closes every message box this library has open (sign-out closes them all).
void QorCloseAllMessageBoxes();
