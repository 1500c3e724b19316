#pragma once
// Lengths of the user interface are written for a 96-dpi screen; this turns one into pixels.
#include "framework/Platform.h"

// length × the screen's vertical dots per inch / 96 (rounded by MulDiv) on Windows 6 and later;
// older Windows scaled dialogs by itself, so there the length comes back unchanged.
// The Windows version is read once and kept.
int ScaleByDpi(int length);
