#pragma once
// One decoded skin image: a 32-bit top-down DIB section with premultiplied alpha, ready
// for AlphaBlend. Owned by the resource manager's cache.
#include "framework/Platform.h"

namespace xDuiLib {

struct TImageInfo {
    HBITMAP hBitmap = nullptr;
    int nX = 0;          // width in pixels
    int nY = 0;          // height in pixels
    int nFrames = 1;     // equal-width cells of a strip, from the skin description
    bool bAlpha = false; // some pixel is not fully opaque
};

} // namespace xDuiLib
