#pragma once
// Decoding of PNG, BMP, GIF and JPEG bytes through GDI+ into premultiplied 32-bit
// top-down DIB sections, frame by frame for animations (the GIF time dimension).
#include "framework/Platform.h"
#include <vector>

namespace standin {

struct DecodedFrame {
    HBITMAP hBitmap = nullptr; // owned by the caller
    int width = 0;
    int height = 0;
    bool alpha = false;        // some pixel is not fully opaque
    UINT delayMs = 0;          // display time of an animation frame (0 when none is given)
};

// Starts GDI+ for this module once (it stays started for the life of the process, since
// it may not be shut down from DllMain). False when GDI+ is not available.
bool EnsureGdiplus();

// Decodes every frame (allFrames) or only the first; false when the bytes are no image.
// On success the caller owns every bitmap in frames.
bool DecodeImage(const void* data, size_t size, bool allFrames, std::vector<DecodedFrame>& frames);

// An empty premultiplied 32-bit top-down DIB section; bits receives its pixels.
HBITMAP CreateDib32(int width, int height, void** bits);

// The number of frames in an image file's bytes without decoding them all; 0 when unreadable.
UINT CountFrames(const void* data, size_t size);

} // namespace standin
