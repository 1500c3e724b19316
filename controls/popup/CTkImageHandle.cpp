#include "controls/popup/CTkImageHandle.h"
#include "controls/popup/TkAlphaBitmap.h"
#include <commctrl.h>

CTkImageHandle::CTkImageHandle(HBITMAP hBitmap) : m_bOwns(FALSE)
{
    m_bitmap.Attach(hBitmap);
}

CTkImageHandle::CTkImageHandle(const CTkImageHandle& src) : m_hIcon(src.m_hIcon), m_bOwns(FALSE)
{
    m_bitmap.Attach(src.GetBitmap());
}

CTkImageHandle& CTkImageHandle::operator=(const CTkImageHandle& src)
{
    if (this != &src) {
        Clear();
        m_hIcon = src.m_hIcon;
        m_bitmap.Attach(src.GetBitmap());
        m_bOwns = FALSE;
    }
    return *this;
}

CTkImageHandle::CTkImageHandle(CTkImageHandle&& src) noexcept
{
    TakeFrom(src);
}

CTkImageHandle& CTkImageHandle::operator=(CTkImageHandle&& src) noexcept
{
    if (this != &src) {
        Clear();
        TakeFrom(src);
    }
    return *this;
}

CTkImageHandle::~CTkImageHandle()
{
    Clear();
}

void CTkImageHandle::TakeFrom(CTkImageHandle& src)
{
    m_hIcon = src.m_hIcon;
    m_bitmap.Attach(src.m_bitmap.Detach());
    m_premultiplied.Attach(src.m_premultiplied.Detach());
    m_bOwns = src.m_bOwns;
    src.m_hIcon = nullptr;
}

void CTkImageHandle::Clear()
{
    if (m_bOwns) {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        m_bitmap.DeleteObject();
    } else {
        m_bitmap.Detach();
    }
    m_premultiplied.DeleteObject();
    m_hIcon = nullptr;
}

void CTkImageHandle::CopyIn(const CTkImageHandle& src)
{
    // Take the copies first: src may be a borrowing view of what this handle is about to free.
    HICON hIcon = src.m_hIcon ? ::CopyIcon(src.m_hIcon) : nullptr;
    HBITMAP hBitmap = src.GetBitmap() ? CopyAlphaBitmap(src.GetBitmap()) : nullptr;
    Clear();
    m_hIcon = hIcon;
    m_bitmap.Attach(hBitmap);
    m_bOwns = TRUE;
}

void CTkImageHandle::TakeBitmap(HBITMAP hBitmap)
{
    Clear();
    m_bitmap.Attach(hBitmap);
    m_bOwns = TRUE;
}

CSize CTkImageHandle::GetExtent() const
{
    if (m_hIcon) {
        ICONINFO ii = {};
        if (!::GetIconInfo(m_hIcon, &ii))
            return CSize(0, 0);
        CSize size(0, 0);
        BITMAP bm = {};
        if (ii.hbmColor && ::GetObjectW(ii.hbmColor, sizeof(bm), &bm))
            size = CSize(bm.bmWidth, bm.bmHeight);
        else if (ii.hbmMask && ::GetObjectW(ii.hbmMask, sizeof(bm), &bm))
            size = CSize(bm.bmWidth, bm.bmHeight / 2);
        if (ii.hbmColor)
            ::DeleteObject(ii.hbmColor);
        if (ii.hbmMask)
            ::DeleteObject(ii.hbmMask);
        return size;
    }
    if (GetBitmap()) {
        BITMAP bm = {};
        if (m_bitmap.GetBitmap(&bm))
            return CSize(bm.bmWidth, std::abs(bm.bmHeight));
    }
    return CSize(0, 0);
}

HBITMAP CTkImageHandle::GetPremultipliedBitmap()
{
    if (!m_premultiplied.GetSafeHandle() && GetBitmap())
        m_premultiplied.Attach(TkPremultiplyAlphaBitmap(GetBitmap()));
    return static_cast<HBITMAP>(m_premultiplied.GetSafeHandle());
}

void CTkImageHandle::Write(std::vector<BYTE>& out) const
{
    if (m_hIcon) {
        ICONINFO ii = {};
        if (::GetIconInfo(m_hIcon, &ii)) {
            TkWriteAlphaBitmap(out, ii.hbmColor);
            TkWriteAlphaBitmap(out, ii.hbmMask);
            if (ii.hbmColor)
                ::DeleteObject(ii.hbmColor);
            if (ii.hbmMask)
                ::DeleteObject(ii.hbmMask);
            return;
        }
    }
    TkWriteAlphaBitmap(out, GetBitmap());
    TkWriteAlphaBitmap(out, nullptr);
}

BOOL CTkImageHandle::Read(const BYTE** ppData, const BYTE* pEnd)
{
    Clear();
    m_bOwns = TRUE;
    HBITMAP hFirst = nullptr, hSecond = nullptr;
    BOOL bFirst = FALSE, bSecond = FALSE;
    if (!TkReadAlphaBitmap(ppData, pEnd, &hFirst, &bFirst) || !TkReadAlphaBitmap(ppData, pEnd, &hSecond, &bSecond)) {
        if (hFirst)
            ::DeleteObject(hFirst);
        if (hSecond)
            ::DeleteObject(hSecond);
        return FALSE;
    }
    if (hFirst && !hSecond) {
        m_bitmap.Attach(hFirst);
        return TRUE;
    }
    if (hFirst && hSecond) {
        // Back into an icon through an image list of the colour bitmap's size (24-bit with mask).
        BITMAP bm = {};
        ::GetObjectW(hFirst, sizeof(bm), &bm);
        HIMAGELIST hList = ::ImageList_Create(bm.bmWidth, std::abs(bm.bmHeight), ILC_COLOR24 | ILC_MASK, 0, 1);
        if (hList) {
            if (::ImageList_Add(hList, hFirst, hSecond) >= 0)
                m_hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
            ::ImageList_Destroy(hList);
        }
        ::DeleteObject(hFirst);
        ::DeleteObject(hSecond);
        return m_hIcon != nullptr;
    }
    if (hSecond)
        ::DeleteObject(hSecond);
    return TRUE; // an empty handle
}
