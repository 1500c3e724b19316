#include "standin/ImageDecode/GdiplusImage.h"
#include <objidl.h>
#include <gdiplus.h>
#include <mutex>

namespace standin {

namespace gp = Gdiplus::DllExports;

bool EnsureGdiplus()
{
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    });
    return started;
}

HBITMAP CreateDib32(int width, int height, void** bits)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP h = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (bits)
        *bits = h ? p : nullptr;
    return h;
}

namespace {

// A GDI+ bitmap over a private copy of the bytes; the stream must live as long as the bitmap.
class GpImage {
public:
    GpImage(const void* data, size_t size)
    {
        if (!data || size == 0 || size > 0x7FFFFFFF || !EnsureGdiplus())
            return;
        HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, size);
        if (!mem)
            return;
        void* p = ::GlobalLock(mem);
        memcpy(p, data, size);
        ::GlobalUnlock(mem);
        if (FAILED(::CreateStreamOnHGlobal(mem, TRUE, &m_stream))) {
            ::GlobalFree(mem);
            return;
        }
        if (gp::GdipCreateBitmapFromStream(m_stream, &m_bitmap) != Gdiplus::Ok)
            m_bitmap = nullptr;
    }
    ~GpImage()
    {
        if (m_bitmap)
            gp::GdipDisposeImage(m_bitmap);
        if (m_stream)
            m_stream->Release();
    }
    GpImage(const GpImage&) = delete;
    GpImage& operator=(const GpImage&) = delete;

    Gdiplus::GpBitmap* get() const { return m_bitmap; }

    // The dimension along which the frames lie (time for GIF, pages otherwise) and their count.
    UINT FrameCount(GUID& dimension) const
    {
        dimension = GUID_NULL;
        UINT dims = 0;
        if (gp::GdipImageGetFrameDimensionsCount(m_bitmap, &dims) != Gdiplus::Ok || dims == 0)
            return 1;
        std::vector<GUID> ids(dims);
        if (gp::GdipImageGetFrameDimensionsList(m_bitmap, ids.data(), dims) != Gdiplus::Ok)
            return 1;
        dimension = ids[0];
        UINT count = 0;
        if (gp::GdipImageGetFrameCount(m_bitmap, &dimension, &count) != Gdiplus::Ok || count == 0)
            return 1;
        return count;
    }

    // Frame delays in milliseconds, from the GIF frame-delay property (hundredths of a second).
    std::vector<UINT> Delays() const
    {
        std::vector<UINT> delays;
        const PROPID frameDelay = 0x5100;
        UINT size = 0;
        if (gp::GdipGetPropertyItemSize(m_bitmap, frameDelay, &size) != Gdiplus::Ok || size < sizeof(Gdiplus::PropertyItem))
            return delays;
        std::vector<BYTE> buf(size);
        auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buf.data());
        if (gp::GdipGetPropertyItem(m_bitmap, frameDelay, size, item) != Gdiplus::Ok || !item->value)
            return delays;
        const auto* values = static_cast<const LONG*>(item->value);
        for (ULONG i = 0; i < item->length / sizeof(LONG); ++i)
            delays.push_back(static_cast<UINT>(values[i] > 0 ? values[i] * 10 : 0));
        return delays;
    }

private:
    IStream* m_stream = nullptr;
    Gdiplus::GpBitmap* m_bitmap = nullptr;
};

bool CopyActiveFrame(Gdiplus::GpBitmap* bitmap, DecodedFrame& frame)
{
    UINT w = 0, h = 0;
    if (gp::GdipGetImageWidth(bitmap, &w) != Gdiplus::Ok || gp::GdipGetImageHeight(bitmap, &h) != Gdiplus::Ok ||
        w == 0 || h == 0 || w > 16384 || h > 16384)
        return false;
    void* bits = nullptr;
    HBITMAP dib = CreateDib32(static_cast<int>(w), static_cast<int>(h), &bits);
    if (!dib)
        return false;
    Gdiplus::GpRect rect(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    Gdiplus::BitmapData data = {};
    // Read straight into the DIB's pixels: a user buffer with the DIB's stride.
    data.Width = w;
    data.Height = h;
    data.Stride = static_cast<INT>(w * 4);
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = bits;
    bool ok = gp::GdipBitmapLockBits(bitmap, &rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                     PixelFormat32bppPARGB, &data) == Gdiplus::Ok;
    if (ok) {
        gp::GdipBitmapUnlockBits(bitmap, &data);
    } else {
        // Some GDI+ builds refuse a caller's buffer: lock into theirs and copy row by row.
        Gdiplus::BitmapData own = {};
        ok = gp::GdipBitmapLockBits(bitmap, &rect, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &own) ==
             Gdiplus::Ok;
        if (ok) {
            for (UINT y = 0; y < h; ++y)
                memcpy(static_cast<BYTE*>(bits) + y * w * 4, static_cast<const BYTE*>(own.Scan0) + y * own.Stride, w * 4);
            gp::GdipBitmapUnlockBits(bitmap, &own);
        }
    }
    if (!ok) {
        ::DeleteObject(dib);
        return false;
    }
    ::GdiFlush();
    const auto* px = static_cast<const BYTE*>(bits);
    bool alpha = false;
    for (size_t i = 0; i < static_cast<size_t>(w) * h && !alpha; ++i)
        alpha = px[i * 4 + 3] != 0xFF;
    frame.hBitmap = dib;
    frame.width = static_cast<int>(w);
    frame.height = static_cast<int>(h);
    frame.alpha = alpha;
    return true;
}

} // namespace

bool DecodeImage(const void* data, size_t size, bool allFrames, std::vector<DecodedFrame>& frames)
{
    frames.clear();
    GpImage image(data, size);
    if (!image.get())
        return false;
    GUID dimension;
    UINT count = image.FrameCount(dimension);
    if (!allFrames)
        count = 1;
    std::vector<UINT> delays = image.Delays();
    for (UINT i = 0; i < count; ++i) {
        if (count > 1 && gp::GdipImageSelectActiveFrame(image.get(), &dimension, i) != Gdiplus::Ok)
            break;
        DecodedFrame frame;
        if (!CopyActiveFrame(image.get(), frame))
            break;
        frame.delayMs = i < delays.size() ? delays[i] : 0;
        frames.push_back(frame);
    }
    return !frames.empty();
}

UINT CountFrames(const void* data, size_t size)
{
    GpImage image(data, size);
    if (!image.get())
        return 0;
    GUID dimension;
    return image.FrameCount(dimension);
}

} // namespace standin
