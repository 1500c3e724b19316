#pragma once
// One image of the toolkit, either an icon or a 32-bit bitmap with per-pixel alpha, plus a
// premultiplied copy made on demand for AlphaBlend. A handle made from an HICON or HBITMAP only
// borrows it; a handle filled by CopyIn owns its copies and Clear destroys them.
#include "framework/CSize.h"
#include "framework/Platform.h"
#include <vector>

class CTkImageHandle {
public:
    // Empty and owning.
    CTkImageHandle() = default;
    // Borrows the icon or bitmap (owns = 0).
    CTkImageHandle(HICON hIcon) : m_hIcon(hIcon), m_bOwns(FALSE) {}
    CTkImageHandle(HBITMAP hBitmap) : m_hBitmap(hBitmap), m_bOwns(FALSE) {}
    // A copy borrows the icon and bitmap of the original.
    CTkImageHandle(const CTkImageHandle& src) : m_hIcon(src.m_hIcon), m_hBitmap(src.m_hBitmap), m_bOwns(FALSE) {}
    CTkImageHandle& operator=(const CTkImageHandle& src);

    // Destroys icon and bitmap when owned, always deletes the premultiplied copy, and nulls all
    // three (owns keeps its value).
    void Clear();
    // Clears, then stores copies of src's icon and bitmap and owns them.
    void CopyIn(const CTkImageHandle& src);

    BOOL IsEmpty() const { return !m_hIcon && !m_hBitmap; }
    BOOL IsAlpha() const { return m_hBitmap != nullptr; }
    // The image's size: an icon's colour bitmap (or, for a monochrome icon, the mask's width and
    // half its height), a bitmap's size, else 0 × 0.
    CSize GetExtent() const;
    // The premultiplied copy of an alpha image, made on first request; null for icons.
    HBITMAP GetPremultipliedBitmap();

    // Archive form: an icon as its colour bitmap then its mask bitmap, an alpha image as its
    // bitmap then an empty count, an empty handle as two empty counts.
    void Write(std::vector<BYTE>& out) const;
    // Reads that form into this (owning) handle; FALSE for damaged data (the handle is then empty).
    BOOL Read(const BYTE** ppData, const BYTE* pEnd);

    HICON m_hIcon = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HBITMAP m_hPremultiplied = nullptr;
    BOOL m_bOwns = TRUE;
};
