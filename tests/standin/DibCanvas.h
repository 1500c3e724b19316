#pragma once
// A 32-bit top-down DIB selected into a memory DC, for tests that draw and read pixels back.
#include "framework/Platform.h"
#include <cstdint>

class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = RGB(0, 0, 0)) : m_w(width), m_h(height)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_dc = ::CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc, m_bmp);
        RECT rc = { 0, 0, width, height };
        HBRUSH br = ::CreateSolidBrush(fill);
        ::FillRect(m_dc, &rc, br);
        ::DeleteObject(br);
    }
    ~DibCanvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
        ::DeleteObject(m_bmp);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC dc() const { return m_dc; }
    RECT rect() const { return RECT{ 0, 0, m_w, m_h }; }
    // The pixel as a COLORREF (alpha dropped).
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        uint32_t p = m_bits[y * m_w + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int m_w, m_h;
    HBITMAP m_bmp = nullptr;
    uint32_t* m_bits = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};
