#include "controls/popup/CTkImageManager.h"
#include "controls/popup/CTkDrawHelpers.h"
#include "controls/popup/CTkImageManagerIcon.h"
#include "controls/popup/CTkImageManagerIconSet.h"
#include "controls/popup/TkAlphaBitmap.h"
#include "framework/ModuleState.h"
#include <cstdlib>
#include <cstring>
#include <vector>

BOOL CTkImageManager::s_bFlattenAlphaWithoutBlend = FALSE;

namespace {

// The process-wide manager, built with the other toolkit singletons at start-up.
CTkImageManager s_staticManager;

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE bWidth, bHeight, bColorCount, bReserved;
    WORD wPlanes, wBitCount;
    DWORD dwBytesInRes;
    WORD nID;
};
#pragma pack(pop)

// One icon image resource as an image: 32-bit images become alpha bitmaps (their colour part),
// others icons at the asked size (their own when 0).
CTkImageHandle ImageFromIconResource(HINSTANCE hInst, WORD nIconID, int cx, int cy)
{
    CTkImageHandle image;
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(nIconID), RT_ICON);
    if (!hRes)
        return image;
    const DWORD dwSize = ::SizeofResource(hInst, hRes);
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    BYTE* pData = hGlobal ? static_cast<BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (!pData || dwSize < sizeof(BITMAPINFOHEADER))
        return image;
    const auto* pih = reinterpret_cast<const BITMAPINFOHEADER*>(pData);
    if (pih->biSize == sizeof(BITMAPINFOHEADER) && pih->biBitCount == 32 && pih->biWidth > 0 && pih->biHeight >= 2) {
        const int w = pih->biWidth, h = pih->biHeight / 2;
        const size_t nColour = static_cast<size_t>(w) * 4 * h;
        if (nColour <= dwSize - pih->biSize) {
            void* pBits = nullptr;
            HBITMAP hBitmap = TkCreateAlphaBitmap(w, h, &pBits);
            if (hBitmap) {
                std::memcpy(pBits, pData + pih->biSize, nColour);
                ::GdiFlush();
                image.TakeBitmap(hBitmap);
            }
        }
        return image;
    }
    HICON hIcon = ::CreateIconFromResourceEx(pData, dwSize, TRUE, 0x00030000, cx, cy, LR_DEFAULTCOLOR);
    if (hIcon) {
        image.m_hIcon = hIcon;
        image.m_bOwns = TRUE;
    }
    return image;
}

// A 24-bit copy of a 32-bit bitmap blended over clrBack, for systems that cannot draw alpha.
HBITMAP FlattenAlphaBitmap(HBITMAP hBitmap, COLORREF clrBack)
{
    return TkMapAlphaBitmapTo24(hBitmap, [](const BYTE* s, BYTE* d, COLORREF back) {
        const BYTE b[3] = {GetBValue(back), GetGValue(back), GetRValue(back)};
        for (int c = 0; c < 3; ++c)
            d[c] = static_cast<BYTE>((s[c] * s[3] + b[c] * (255 - s[3])) / 255);
    }, clrBack);
}

} // namespace

CTkImageManager::CTkImageManager()
{
    m_hAlphaLibrary = ::LoadLibraryW(L"msimg32.dll");
    if (m_hAlphaLibrary)
        m_pfnAlphaBlend = reinterpret_cast<PFNALPHABLEND>(::GetProcAddress(m_hAlphaLibrary, "AlphaBlend"));
}

CTkImageManager::~CTkImageManager()
{
    RemoveAll();
    if (m_hAlphaLibrary)
        ::FreeLibrary(m_hAlphaLibrary);
}

CTkImageManager* CTkImageManager::GetStaticManager()
{
    return &s_staticManager;
}

BOOL CTkImageManager::SetIcon(CTkImageHandle image, UINT nID, CSize size, int nState)
{
    if (image.IsEmpty())
        return FALSE;
    if (size.cx == 0 && size.cy == 0) {
        size = image.GetExtent();
        if (size.cx == 0 && size.cy == 0)
            return FALSE;
    }
    CTkImageManagerIconSet* pSet = nullptr;
    if (m_mapIcons.Lookup(nID, pSet) && pSet) {
        if (nState >= kStateNormal && nState <= kStateChecked)
            pSet->SetIcon(image, static_cast<UINT>(size.cx), nState);
        return TRUE;
    }
    if (nState != kStateNormal)
        return FALSE;
    pSet = new CTkImageManagerIconSet(nID, this);
    pSet->SetIcon(image, static_cast<UINT>(size.cx), kStateNormal);
    m_mapIcons[nID] = pSet;
    return TRUE;
}

CTkImageManagerIcon* CTkImageManager::GetImage(UINT nID, int nWidth)
{
    CTkImageManagerIconSet* pSet = nullptr;
    if (!m_mapIcons.Lookup(nID, pSet) || !pSet)
        return nullptr;
    return pSet->GetIcon(static_cast<UINT>(std::max(nWidth, 0)), TRUE);
}

void CTkImageManager::RemoveAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos) {
        UINT nKey = 0;
        CTkImageManagerIconSet* pSet = nullptr;
        m_mapIcons.GetNextAssoc(pos, nKey, pSet);
        if (pSet)
            pSet->InternalRelease();
    }
    m_mapIcons.RemoveAll();
}

UINT CTkImageManager::AddIcon(const CTkImageHandle& image)
{
    const UINT nID = m_nLastGeneratedID + 1;
    if (!SetIcon(image, nID, CSize(0, 0), kStateNormal))
        return 0;
    m_nLastGeneratedID = nID;
    return nID;
}

BOOL CTkImageManager::RemoveIcon(UINT nID)
{
    CTkImageManagerIconSet* pSet = nullptr;
    if (!m_mapIcons.Lookup(nID, pSet))
        return FALSE;
    m_mapIcons.RemoveKey(nID);
    if (pSet)
        pSet->InternalRelease();
    return TRUE;
}

BOOL CTkImageManager::IsIconSet(UINT nID) const
{
    CTkImageManagerIconSet* pSet = nullptr;
    return m_mapIcons.Lookup(nID, pSet) && pSet;
}

void CTkImageManager::CopyFrom(CTkImageManager* pOther)
{
    if (!pOther || pOther == this)
        return;
    POSITION pos = pOther->m_mapIcons.GetStartPosition();
    while (pos) {
        UINT nKey = 0;
        CTkImageManagerIconSet* pSet = nullptr;
        pOther->m_mapIcons.GetNextAssoc(pos, nKey, pSet);
        if (pSet && !IsIconSet(nKey)) {
            pSet->InternalAddRef();
            m_mapIcons[nKey] = pSet;
        }
    }
}

void CTkImageManager::RefreshAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos) {
        UINT nKey = 0;
        CTkImageManagerIconSet* pSet = nullptr;
        m_mapIcons.GetNextAssoc(pos, nKey, pSet);
        if (pSet)
            pSet->RefreshAll();
    }
}

BOOL CTkImageManager::StoreImages(const CTkImageHandle* pImages, int nImages, const UINT* pIDs, int nCount,
                                  CSize size, int nState)
{
    // A list longer than the strip carries separators (id 0) that have no image.
    const bool bSkipZero = nCount > nImages;
    BOOL bAll = TRUE;
    int nImage = 0;
    for (int i = 0; i < nCount && nImage < nImages; ++i) {
        if (pIDs[i] == 0) {
            if (!bSkipZero)
                ++nImage;
            continue;
        }
        if (!SetIcon(pImages[nImage], pIDs[i], size, nState))
            bAll = FALSE;
        ++nImage;
    }
    return bAll;
}

BOOL CTkImageManager::SetIconsFromMaskedBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount, CSize size,
                                               int nState)
{
    BITMAP bm = {};
    ::GetObjectW(hBitmap, sizeof(bm), &bm);
    const int nImages = bm.bmWidth / size.cx;
    HIMAGELIST hList = ::ImageList_Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, nImages, 1);
    if (!hList)
        return FALSE;
    const COLORREF clrMask = m_clrMask != 0xFFFFFFFF ? m_clrMask : CTkDrawHelpers::GetTopLeftPixel(hBitmap);
    BOOL bOk = ::ImageList_AddMasked(hList, hBitmap, clrMask) >= 0;
    if (bOk)
        bOk = SetIcons(hList, pIDs, nCount, nState);
    ::ImageList_Destroy(hList);
    return bOk;
}

BOOL CTkImageManager::SetIcons(HBITMAP hBitmap, const UINT* pIDs, int nCount, CSize size, int nState)
{
    BITMAP bm = {};
    if (!hBitmap || !pIDs || nCount <= 0 || !::GetObjectW(hBitmap, sizeof(bm), &bm))
        return FALSE;
    const int nHeight = std::abs(bm.bmHeight);
    size.cx = size.cx > 0 ? size.cx : nHeight;
    size.cy = nHeight;
    if (size.cx <= 0 || bm.bmWidth < size.cx)
        return FALSE;
    const int nImages = bm.bmWidth / size.cx;

    if (bm.bmBitsPixel == 32) {
        if (!m_pfnAlphaBlend && s_bFlattenAlphaWithoutBlend) {
            HBITMAP hFlat = FlattenAlphaBitmap(hBitmap, m_clrMask != 0xFFFFFFFF ? m_clrMask : RGB(0, 255, 0));
            if (!hFlat)
                return FALSE;
            const COLORREF clrSaved = m_clrMask;
            if (m_clrMask == 0xFFFFFFFF)
                m_clrMask = RGB(0, 255, 0);
            const BOOL bOk = SetIconsFromMaskedBitmap(hFlat, pIDs, nCount, size, nState);
            m_clrMask = clrSaved;
            ::DeleteObject(hFlat);
            return bOk;
        }
        // Cut the strip at the asked width (the split helper divides by a count).
        HBITMAP hWhole = CopyAlphaBitmap(hBitmap);
        if (!hWhole)
            return FALSE;
        std::vector<HBITMAP> parts(nImages);
        const int nMade = bm.bmWidth == nImages * size.cx
                              ? TkSplitAlphaBitmap(hWhole, nImages, parts.data())
                              : 0;
        ::DeleteObject(hWhole);
        if (nMade == 0 && bm.bmWidth != nImages * size.cx) {
            // A strip wider than its images: cut each from the full-size pixels.
            BITMAPINFO* pInfo = nullptr;
            BYTE* pBits = nullptr;
            if (!TkReadAlphaBitmapBits(hBitmap, &pInfo, &pBits, nullptr))
                return FALSE;
            int nCut = 0;
            for (int i = 0; i < nImages; ++i) {
                BYTE* pDest = nullptr;
                HBITMAP hPart = TkCreateAlphaBitmap(size.cx, nHeight, reinterpret_cast<void**>(&pDest));
                if (!hPart)
                    break;
                for (int y = 0; y < nHeight; ++y)
                    std::memcpy(pDest + static_cast<size_t>(y) * size.cx * 4,
                                pBits + (static_cast<size_t>(y) * bm.bmWidth + i * size.cx) * 4,
                                static_cast<size_t>(size.cx) * 4);
                parts[nCut++] = hPart;
            }
            ::GdiFlush();
            std::free(pInfo);
            std::free(pBits);
            parts.resize(nCut);
        } else {
            parts.resize(nMade);
        }
        std::vector<CTkImageHandle> images;
        for (HBITMAP hPart : parts)
            images.emplace_back(hPart);
        const BOOL bOk = StoreImages(images.data(), static_cast<int>(images.size()), pIDs, nCount, size, nState);
        for (HBITMAP hPart : parts)
            ::DeleteObject(hPart);
        return bOk && !parts.empty();
    }
    return SetIconsFromMaskedBitmap(hBitmap, pIDs, nCount, size, nState);
}

BOOL CTkImageManager::SetIcons(UINT nIDBitmap, const UINT* pIDs, int nCount, CSize size, int nState)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HBITMAP hBitmap = nullptr;
    if (CTkDrawHelpers::IsAlphaBitmapResource(hInst, MAKEINTRESOURCEW(nIDBitmap)))
        hBitmap = TkLoadAlphaBitmapResource(MAKEINTRESOURCEW(nIDBitmap));
    else
        hBitmap = static_cast<HBITMAP>(::LoadImageW(hInst, MAKEINTRESOURCEW(nIDBitmap), IMAGE_BITMAP, 0, 0, 0));
    if (!hBitmap)
        return FALSE;
    const BOOL bOk = SetIcons(hBitmap, pIDs, nCount, size, nState);
    ::DeleteObject(hBitmap);
    return bOk;
}

BOOL CTkImageManager::SetIconsFromToolbar(UINT nIDToolbar, int nState)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(nIDToolbar), MAKEINTRESOURCEW(241));
    if (!hRes)
        return FALSE;
    const DWORD dwSize = ::SizeofResource(hInst, hRes);
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const WORD* pData = hGlobal ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
    if (!pData || dwSize < 8)
        return FALSE;
    // version, width, height, count, then the ids
    const int nWidth = pData[1], nHeight = pData[2];
    const int nItems = std::min<int>(pData[3], static_cast<int>((dwSize - 8) / 2));
    std::vector<UINT> ids(pData + 4, pData + 4 + nItems);
    if (ids.empty())
        return FALSE;
    return SetIcons(nIDToolbar, ids.data(), static_cast<int>(ids.size()), CSize(nWidth, nHeight), nState);
}

BOOL CTkImageManager::SetIcons(HIMAGELIST hImageList, const UINT* pIDs, int nCount, int nState)
{
    if (!hImageList || !pIDs)
        return FALSE;
    const int nImages = ::ImageList_GetImageCount(hImageList);
    std::vector<CTkImageHandle> images;
    std::vector<HICON> icons;
    for (int i = 0; i < nImages; ++i) {
        HICON hIcon = ::ImageList_GetIcon(hImageList, i, ILD_NORMAL);
        icons.push_back(hIcon);
        images.emplace_back(hIcon);
    }
    const BOOL bOk = StoreImages(images.data(), nImages, pIDs, nCount, CSize(0, 0), nState);
    for (HICON hIcon : icons)
        if (hIcon)
            ::DestroyIcon(hIcon);
    return bOk && nImages > 0;
}

BOOL CTkImageManager::SetIconFromResource(UINT nIDResource, UINT nID, CSize size, int nState)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hGroup = ::FindResourceW(hInst, MAKEINTRESOURCEW(nIDResource), RT_GROUP_ICON);
    if (!hGroup) {
        // A single icon image.
        CTkImageHandle image = ImageFromIconResource(hInst, static_cast<WORD>(nIDResource), size.cx, size.cy);
        const BOOL bOk = SetIcon(image, nID, CSize(0, 0), nState);
        image.m_bOwns = TRUE;
        image.Clear();
        return bOk;
    }
    const DWORD dwSize = ::SizeofResource(hInst, hGroup);
    HGLOBAL hGlobal = ::LoadResource(hInst, hGroup);
    const BYTE* pData = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (!pData || dwSize < 6)
        return FALSE;
    const WORD nEntries = *reinterpret_cast<const WORD*>(pData + 4);
    BOOL bAny = FALSE;
    if (size.cx || size.cy) {
        const int nIconID = ::LookupIconIdFromDirectoryEx(const_cast<BYTE*>(pData), TRUE, size.cx, size.cy,
                                                          LR_DEFAULTCOLOR);
        CTkImageHandle image = ImageFromIconResource(hInst, static_cast<WORD>(nIconID), size.cx, size.cy);
        bAny = SetIcon(image, nID, CSize(0, 0), nState);
        image.m_bOwns = TRUE; // the manager stored its own copy
        image.Clear();
        return bAny;
    }
    for (WORD i = 0; i < nEntries; ++i) {
        const size_t nOffset = 6 + sizeof(GroupIconEntry) * i;
        if (nOffset + sizeof(GroupIconEntry) > dwSize)
            break;
        GroupIconEntry e;
        std::memcpy(&e, pData + nOffset, sizeof(e));
        const int cx = e.bWidth ? e.bWidth : 256, cy = e.bHeight ? e.bHeight : 256;
        CTkImageHandle image = ImageFromIconResource(hInst, e.nID, cx, cy);
        if (SetIcon(image, nID, CSize(0, 0), nState))
            bAny = TRUE;
        image.m_bOwns = TRUE;
        image.Clear();
    }
    return bAny;
}
