#pragma once
// A horizontal strip of equal cells from the skin (an animation or a row of icons),
// loaded by skin image name. The cell count comes from the image's "frames" in the skin
// description, or from width / height when the description gives none.
#include "platform/xDUI/CDuiString.h"
#include "platform/xDUI/TImageInfo.h"
#include <memory>

namespace xDuiLib {

class CxImageList {
public:
    CxImageList() = default;
    ~CxImageList() = default;

    // Loads the strip; false (and the list left empty) when the skin has no such image.
    BOOL Load(const CDuiString& strName);
    void Destroy();
    bool IsLoaded() const { return m_image != nullptr; }

    // Number of cells; 0 when nothing is loaded.
    int GetImageCount() const;
    // Size of one cell; 0 x 0 when nothing is loaded.
    SIZE GetItemSize() const;
    // Draws cell nIndex stretched over rc; false for an index outside the strip.
    BOOL Draw(HDC hDC, int nIndex, const RECT& rc) const;

private:
    std::shared_ptr<const TImageInfo> m_image; // shared with the resource manager's cache
    int m_nCount = 0;
    CDuiString m_name;
};

} // namespace xDuiLib
