#pragma once
// One image of the toolkit, either an icon or a 32-bit bitmap with per-pixel alpha, plus a
// premultiplied copy made on demand for AlphaBlend. A handle made from an HICON or HBITMAP only
// borrows it; a handle filled by CopyIn owns its copies and Clear destroys them.
#include "framework/CBitmap.h"
#include "framework/CSize.h"
#include "framework/Platform.h"
#include <vector>

class CTkImageHandle {
public:
    // Empty and owning.
    CTkImageHandle() = default;
    // Borrows the icon or bitmap (owns = 0).
    CTkImageHandle(HICON hIcon) : m_hIcon(hIcon), m_bOwns(FALSE) {}
    CTkImageHandle(HBITMAP hBitmap);
    // A copy borrows the icon and bitmap of the original.
    CTkImageHandle(const CTkImageHandle& src);
    CTkImageHandle& operator=(const CTkImageHandle& src);
    // A move hands the images over as they are held, owned or borrowed; src is left empty.
    CTkImageHandle(CTkImageHandle&& src) noexcept;
    CTkImageHandle& operator=(CTkImageHandle&& src) noexcept;
    // Ends as Clear does: what the handle owns is destroyed, what it borrows is let go.
    ~CTkImageHandle();

    // Destroys icon and bitmap when owned, always deletes the premultiplied copy, and nulls all
    // three (owns keeps its value).
    void Clear();
    // Clears, then stores copies of src's icon and bitmap and owns them.
    void CopyIn(const CTkImageHandle& src);
    // Clears, then takes a bitmap this handle owns from now on (owns = 1).
    void TakeBitmap(HBITMAP hBitmap);

    BOOL IsEmpty() const { return !m_hIcon && !GetBitmap(); }
    BOOL IsAlpha() const { return GetBitmap() != nullptr; }
    // The alpha image, owned or borrowed as owns says; null for an icon.
    HBITMAP GetBitmap() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }
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
    BOOL m_bOwns = TRUE;

private:
    // Takes src's images and ownership as they are; src is left empty.
    void TakeFrom(CTkImageHandle& src);

    CBitmap m_bitmap;        // owned when m_bOwns; a borrowed one is detached, never deleted
    CBitmap m_premultiplied; // always owned
};
