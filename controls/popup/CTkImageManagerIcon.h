#pragma once
// One size of one command's icon: its normal image and the optional disabled, hot and checked
// images, plus faded, shadow and disabled images generated on first request. Reference counted:
// its icon set holds it, and the last release deletes it.
#include "framework/CCmdTarget.h"
#include "framework/CDC.h"
#include "controls/popup/CTkImageHandle.h"

class CTkImageManagerIconSet;
class CTkImageManager;

class CTkImageManagerIcon : public CCmdTarget {
public:
    // Every image starts empty and owning.
    CTkImageManagerIcon(UINT nID, int nWidth, int nHeight, CTkImageManagerIconSet* pIconSet = nullptr);
    // Clears every image.
    ~CTkImageManagerIcon() override;

    // Attributes
    UINT GetID() const { return m_nID; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    CSize GetExtent() const { return CSize(m_nWidth, m_nHeight); }
    BOOL IsScaled() const { return m_bScaled; }
    BOOL IsAlpha() const { return m_imgNormal.IsAlpha(); }
    CTkImageManagerIconSet* GetIconSet() const { return m_pIconSet; }

    // The normal image.
    CTkImageHandle& GetIcon() { return m_imgNormal; }
    // The hot image, or the normal one when none was set.
    CTkImageHandle& GetHotIcon();
    // The checked image, else the hot one, else the normal one.
    CTkImageHandle& GetCheckedIcon();
    // The disabled image that was set, else one generated from the normal image.
    CTkImageHandle& GetDisabledIcon();
    // Generated from the normal image on first request.
    CTkImageHandle& GetFadedIcon();
    CTkImageHandle& GetShadowIcon();

    // Operations
    // Stores a copy as the normal image: every other image is cleared, the size is taken from
    // the image, and the owning set drops its scaled copies and the others' generated images.
    void SetNormalIcon(const CTkImageHandle& image);
    // Store a copy in one state; the generated images are cleared first.
    void SetHotIcon(const CTkImageHandle& image);
    void SetCheckedIcon(const CTkImageHandle& image);
    void SetDisabledIcon(const CTkImageHandle& image);
    // Drops the faded, shadow and generated disabled images.
    void ClearGeneratedImages();
    // Clears every image.
    void Clear();

    // Draws an image of this icon (the normal one by default) at pt. A size of 0 × 0 means the
    // icon's own size; a width alone keeps the aspect ratio. Icons go through DrawIconEx
    // (mirrored when the manager draws right to left), alpha images through AlphaBlend on their
    // premultiplied copy, and are not drawn where AlphaBlend is missing.
    BOOL Draw(CDC* pDC, CPoint pt, CSize size = CSize(0, 0));
    BOOL Draw(CDC* pDC, CPoint pt, CTkImageHandle& image, CSize size = CSize(0, 0));
    // Draws the icon as a one-colour silhouette in clrShadow.
    BOOL DrawShadow(CDC* pDC, CPoint pt, COLORREF clrShadow, CSize size = CSize(0, 0));

    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    CTkImageHandle m_imgNormal;
    CTkImageHandle m_imgFaded;
    CTkImageHandle m_imgShadow;
    CTkImageHandle m_imgHot;
    CTkImageHandle m_imgChecked;
    CTkImageHandle m_imgDisabled;
    CTkImageHandle m_imgGeneratedDisabled;
    BOOL m_bScaled = FALSE;
    CTkImageManagerIconSet* m_pIconSet; // not owned; may be null

    // How light the generated disabled image is (0 black .. 1 white); shared by all icons.
    static double s_dDisabledBrightness;

private:
    CTkImageManager* GetManager() const;
    CSize ResolveSize(CSize size) const;
};
