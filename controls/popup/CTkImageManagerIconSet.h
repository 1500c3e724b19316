#pragma once
// All sizes of one command's icon, keyed by width. Reference counted like its icons.
#include "framework/CCmdTarget.h"
#include "framework/CMap.h"
#include "controls/popup/CTkImageHandle.h"

class CTkImageManager;
class CTkImageManagerIcon;

class CTkImageManagerIconSet : public CCmdTarget {
public:
    typedef CMap<UINT, UINT, CTkImageManagerIcon*, CTkImageManagerIcon*> CIconMap;

    CTkImageManagerIconSet(UINT nID, CTkImageManager* pManager);
    // Releases every icon.
    ~CTkImageManagerIconSet() override;

    UINT GetID() const { return m_nID; }
    CTkImageManager* GetManager() const { return m_pManager; }

    // The icon stored under exactly nWidth; else, with bCreate, the nearest stored one, or for a
    // plain icon and a non-zero width a scaled copy of it kept under nWidth. Null when none.
    CTkImageManagerIcon* GetIcon(UINT nWidth, BOOL bCreate = TRUE);
    // Stores a copy of the image in a state (0 normal, 1 disabled, 2 hot, 3 checked) under the
    // width, creating that size when missing.
    void SetIcon(const CTkImageHandle& image, UINT nWidth, int nState);
    // Releases and forgets every scaled copy.
    void RemoveScaledIcons();
    // Drops the generated images of every icon but pExcept.
    void ClearGeneratedImages(CTkImageManagerIcon* pExcept = nullptr);
    // Scaled copies and generated images go; they are made again on request.
    void RefreshAll();
    void RemoveAll();

    CIconMap m_mapIcons;
    UINT m_nID;
    CTkImageManager* m_pManager; // not owned
};
