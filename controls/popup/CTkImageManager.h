#pragma once
// The icons of the popup toolkit by command id and size, each in up to four states (normal,
// disabled, hot, checked). Hands back the icon that best fits a requested width, scaling a plain
// icon when no stored size matches, and owns the images it stores. Each popup owns one; one more
// process-wide manager serves icons that have no set of their own.
#include "framework/CCmdTarget.h"
#include "framework/CMap.h"
#include "framework/CSize.h"
#include "controls/popup/CTkImageHandle.h"
#include <commctrl.h>

class CTkImageManagerIcon;
class CTkImageManagerIconSet;

class CTkImageManager : public CCmdTarget {
public:
    // Image states of SetIcon.
    enum { kStateNormal = 0, kStateDisabled = 1, kStateHot = 2, kStateChecked = 3 };
    typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    typedef CMap<UINT, UINT, CTkImageManagerIconSet*, CTkImageManagerIconSet*> CSetMap;

    // Loads "msimg32.dll" for its AlphaBlend (null when missing).
    CTkImageManager();
    // Removes every icon and frees the library.
    ~CTkImageManager() override;

    // The process-wide manager.
    static CTkImageManager* GetStaticManager();

    // Operations used by the popup
    // Stores a copy of the image for an id in a state. A size of 0 × 0 takes the image's own
    // size. FALSE for an empty image, a zero size, or a state other than normal for an id that
    // has no normal image yet.
    BOOL SetIcon(CTkImageHandle image, UINT nID, CSize size, int nState = kStateNormal);
    // The icon of an id that best fits the width (0: the smallest stored one); null without a set.
    CTkImageManagerIcon* GetImage(UINT nID, int nWidth = 0);
    // Releases every set; the manager stays usable.
    void RemoveAll();

    // Operations offered to other users
    // Stores the image under the next generated id and answers that id (0 on failure).
    UINT AddIcon(const CTkImageHandle& image);
    BOOL RemoveIcon(UINT nID);
    BOOL IsIconSet(UINT nID) const;
    // Shares every set of another manager whose id is not yet present here.
    void CopyFrom(CTkImageManager* pOther);
    // Drops every scaled copy and generated image.
    void RefreshAll();
    // Cuts a bitmap into images of size.cx (the bitmap's height when 0) and stores image i under
    // ids[i] in a state; ids of 0 are skipped when there are more ids than images.
    BOOL SetIcons(HBITMAP hBitmap, const UINT* pIDs, int nCount, CSize size, int nState = kStateNormal);
    // The same from a bitmap resource of the current resource module.
    BOOL SetIcons(UINT nIDBitmap, const UINT* pIDs, int nCount, CSize size, int nState = kStateNormal);
    // The same from a toolbar resource (its bitmap has the same id).
    BOOL SetIconsFromToolbar(UINT nIDToolbar, int nState = kStateNormal);
    // The same from an image list: image i under ids[i].
    BOOL SetIcons(HIMAGELIST hImageList, const UINT* pIDs, int nCount, int nState = kStateNormal);
    // Loads an icon group or single icon resource and stores it under nID; each image of a group
    // at its own width (size 0 × 0), or just the asked size.
    BOOL SetIconFromResource(UINT nIDResource, UINT nID, CSize size = CSize(0, 0), int nState = kStateNormal);
    BOOL IsAlphaAvailable() const { return m_pfnAlphaBlend != nullptr; }

    // When set and AlphaBlend is missing, 32-bit bitmaps are flattened against the mask colour
    // before they are cut into icons.
    static BOOL s_bFlattenAlphaWithoutBlend;

    COLORREF m_clrMask = 0xFFFFFFFF;
    CSetMap m_mapIcons;
    UINT m_nLastGeneratedID = 0x10AAA;
    HMODULE m_hAlphaLibrary = nullptr;
    PFNALPHABLEND m_pfnAlphaBlend = nullptr;
    BOOL m_bRightToLeft = FALSE;

private:
    BOOL SetIconsFromMaskedBitmap(HBITMAP hBitmap, const UINT* pIDs, int nCount, CSize size, int nState);
    BOOL StoreImages(const CTkImageHandle* pImages, int nImages, const UINT* pIDs, int nCount, CSize size,
                     int nState);
};
