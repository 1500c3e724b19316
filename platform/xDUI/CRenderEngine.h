#pragma once
// Drawing of skin images. An image string is either a plain image name ("i.dlg.bk.picture")
// or attributes in single quotes:
//   file='name'        image name of the skin description, or a file of the skin
//   source='l,t,r,b'   part of the image to draw (default: all of it)
//   dest='l,t,r,b'     place inside the item rectangle (default: the whole rectangle)
//   corner='l,t,r,b'   borders kept unstretched (nine-grid)
//   fade='0..255'      overall opacity
//   xtiled='true' / ytiled='true'   tile instead of stretching
//   hole='true'        leave the middle cell out
//   align='n'          accepted and ignored (menu image placement of the caller)
// A modifier string uses the same attributes and overrides the image string's.
#include "platform/xDUI/TImageInfo.h"

namespace xDuiLib {

class CRenderEngine {
public:
    // Draws the image string over rcItem, clipped to rcPaint. dwMask's top byte scales the
    // opacity (0xFFFFFFFF draws the image as it is). False when the image is unknown.
    static bool DrawImageString(HDC hDC, const RECT& rcItem, const RECT& rcPaint, LPCWSTR pStrImage,
                                LPCWSTR pStrModify = nullptr, DWORD dwMask = 0xFFFFFFFF);
    // Tiles the named image (or image string) over the rectangle, from its top-left corner.
    static bool DrawImage2RectTiled(HDC hDC, const RECT& rc, LPCWSTR pStrImage);
    // Fills the rectangle with a gradient from dwFirst to dwSecond (0xAARRGGBB), top to
    // bottom when bVertical, left to right otherwise, in nSteps bands (at least 1).
    // Colours with alpha below 0xFF are blended over what is there.
    static void DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical,
                             int nSteps);
    // Fills a rectangle with one 0xAARRGGBB colour (blended when not opaque).
    static void DrawColor(HDC hDC, const RECT& rc, DWORD dwColor);

    // Draws part rcBmpPart of a premultiplied 32-bit bitmap over rc (clipped to rcPaint),
    // keeping the rcCorners borders unstretched.
    static void DrawImage(HDC hDC, HBITMAP hBitmap, const RECT& rc, const RECT& rcPaint, const RECT& rcBmpPart,
                          const RECT& rcCorners, bool bAlpha, BYTE uFade = 255, bool bHole = false,
                          bool bTiledX = false, bool bTiledY = false);

    // Decodes PNG, BMP, GIF or JPEG bytes into a premultiplied 32-bit top-down DIB section.
    // The caller owns the result (delete the bitmap, then the object); null on failure.
    static TImageInfo* LoadImage(const void* pData, DWORD dwSize);
    static void FreeImage(TImageInfo* pImage);
};

} // namespace xDuiLib
