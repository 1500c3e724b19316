#include "controls/popup/CTkImageHandle.h"
#include "controls/popup/TkAlphaBitmap.h"
#include <commctrl.h>

CTkImageHandle& CTkImageHandle::operator=(const CTkImageHandle& src)
{
    if (this != &src) {
        Clear();
        m_hIcon = src.m_hIcon;
        m_hBitmap = src.m_hBitmap;
        m_bOwns = FALSE;
    }
    return *this;
}

void CTkImageHandle::Clear()
{
    if (m_bOwns) {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
    }
    if (m_hPremultiplied)
        ::DeleteObject(m_hPremultiplied);
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_hPremultiplied = nullptr;
}

void CTkImageHandle::CopyIn(const CTkImageHandle& src)
{
    // Take the copies first: src may be a borrowing view of what this handle is about to free.
    HICON hIcon = src.m_hIcon ? ::CopyIcon(src.m_hIcon) : nullptr;
    HBITMAP hBitmap = src.m_hBitmap ? CopyAlphaBitmap(src.m_hBitmap) : nullptr;
    Clear();
    m_hIcon = hIcon;
    m_hBitmap = hBitmap;
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
    if (m_hBitmap) {
        BITMAP bm = {};
        if (::GetObjectW(m_hBitmap, sizeof(bm), &bm))
            return CSize(bm.bmWidth, std::abs(bm.bmHeight));
    }
    return CSize(0, 0);
}

HBITMAP CTkImageHandle::GetPremultipliedBitmap()
{
    if (!m_hPremultiplied && m_hBitmap)
        m_hPremultiplied = TkPremultiplyAlphaBitmap(m_hBitmap);
    return m_hPremultiplied;
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
    TkWriteAlphaBitmap(out, m_hBitmap);
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
        m_hBitmap = hFirst;
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
