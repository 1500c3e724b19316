#pragma once
// The toolkit's 32-bit bitmaps with per-pixel alpha ("alpha bitmaps"): bottom-up DIB sections
// read, copied, premultiplied, loaded, split and serialised. Every routine answers null or FALSE
// on failure and never keeps what it allocated.
#include "framework/Platform.h"
#include <vector>

// Reads the 40-byte header (in a 52-byte block) and all pixel lines of a 32-bit bitmap. The caller
// frees *ppInfo and *ppBits with free(). FALSE for anything but 32 bits per pixel.
BOOL TkReadAlphaBitmapBits(HBITMAP hBitmap, BITMAPINFO** ppInfo, BYTE** ppBits, UINT* pnSize);
// As TkReadAlphaBitmapBits, but a bitmap of any depth is read converted to 32-bit lines.
BOOL TkReadBitmapBits32(HBITMAP hBitmap, BITMAPINFO** ppInfo, BYTE** ppBits, UINT* pnSize);
// A new DIB section holding the same pixels; null on failure.
HBITMAP CopyAlphaBitmap(HBITMAP hBitmap);
// A new 32-bit DIB section of the given size with its bits (bottom-up); null on failure.
HBITMAP TkCreateAlphaBitmap(int nWidth, int nHeight, void** ppBits);
// A copy whose colour channels are multiplied by the pixel's alpha / 255, as AlphaBlend wants.
HBITMAP TkPremultiplyAlphaBitmap(HBITMAP hBitmap);
// A 32-bit bitmap resource (type 2) of the current resource module as a DIB section.
HBITMAP TkLoadAlphaBitmapResource(LPCWSTR lpszResource);
// The first 32-bit image of an icon file (of width nWidth when it is not 0) as a DIB section.
HBITMAP TkLoadAlphaIconFile(LPCWSTR lpszPath, int nWidth);
// A 24-bit copy: pixels with alpha below 120 take clrBack, the others keep their colour × 255/256.
HBITMAP TkCreateDisabledAlphaBitmap(HBITMAP hBitmap, COLORREF clrBack);
// A 24-bit copy of a 32-bit bitmap; pixel() makes each destination pixel (blue, green, red) from
// its source pixel (blue, green, red, alpha) and the background colour. Null on failure.
typedef void (*TkPixelMapper)(const BYTE* pSource, BYTE* pDest, COLORREF clrBack);
HBITMAP TkMapAlphaBitmapTo24(HBITMAP hBitmap, TkPixelMapper pixel, COLORREF clrBack);
// Cuts a horizontal strip into nCount bitmaps of width / nCount each; the number made.
int TkSplitAlphaBitmap(HBITMAP hBitmap, int nCount, HBITMAP* pResult);

// Archive form of one bitmap (any depth is stored as 32-bit lines): the count and bytes of its header block, then the count and bytes
// of its pixels; a count of 0 stands for no bitmap.
void TkWriteAlphaBitmap(std::vector<BYTE>& out, HBITMAP hBitmap);
// Reads what TkWriteAlphaBitmap wrote from [*ppData, pEnd) and advances *ppData. *pbPresent tells
// whether a bitmap was stored. FALSE for a truncated or damaged record.
BOOL TkReadAlphaBitmap(const BYTE** ppData, const BYTE* pEnd, HBITMAP* phBitmap, BOOL* pbPresent);
