#include "controls/popup/CTkImageManagerIconSet.h"
#include "controls/popup/CTkImageManagerIcon.h"
#include <commctrl.h>
#include <cstdlib>
#include <vector>

namespace {

// A new icon of width n (height in proportion) drawn from hIcon of w × h; null when it cannot be.
HICON ScaleIcon(HICON hIcon, int w, int h, int n)
{
    if (!hIcon || n == 0 || (w == 0 && h == 0))
        return nullptr;
    if (n == w)
        return ::CopyIcon(hIcon);
    const int cy = w ? ::MulDiv(h, n, w) : h;
    HIMAGELIST hList = ::ImageList_Create(n, cy, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (!hList)
        return nullptr;
    HICON hResult = nullptr;
    if (::ImageList_AddIcon(hList, hIcon) >= 0)
        hResult = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
    ::ImageList_Destroy(hList);
    return hResult;
}

void StoreScaled(CTkImageHandle& dest, const CTkImageHandle& src, int w, int h, int n)
{
    if (!src.m_hIcon)
        return;
    HICON hScaled = ScaleIcon(src.m_hIcon, w, h, n);
    if (!hScaled)
        return;
    dest.CopyIn(CTkImageHandle(hScaled));
    ::DestroyIcon(hScaled);
}

} // namespace

CTkImageManagerIconSet::CTkImageManagerIconSet(UINT nID, CTkImageManager* pManager)
    : m_nID(nID), m_pManager(pManager)
{
}

CTkImageManagerIconSet::~CTkImageManagerIconSet()
{
    RemoveAll();
}

CTkImageManagerIcon* CTkImageManagerIconSet::GetIcon(UINT nWidth, BOOL bCreate)
{
    CTkImageManagerIcon* pIcon = nullptr;
    if (m_mapIcons.Lookup(nWidth, pIcon))
        return pIcon;
    if (!bCreate)
        return nullptr;

    CTkImageManagerIcon* pNearest = nullptr;
    int nBestDiff = 0;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos) {
        UINT nKey = 0;
        CTkImageManagerIcon* pCandidate = nullptr;
        m_mapIcons.GetNextAssoc(pos, nKey, pCandidate);
        if (!pCandidate)
            continue;
        const int nDiff = std::abs(pCandidate->GetWidth() - static_cast<int>(nWidth));
        if (!pNearest || nDiff < nBestDiff) {
            pNearest = pCandidate;
            nBestDiff = nDiff;
        }
    }
    if (!pNearest || pNearest->IsAlpha() || nWidth == 0)
        return pNearest;
    if (!pNearest->GetIcon().m_hIcon)
        return pNearest;

    const int w = pNearest->GetWidth(), h = pNearest->GetHeight(), n = static_cast<int>(nWidth);
    auto* pScaled = new CTkImageManagerIcon(m_nID, n, w ? ::MulDiv(h, n, w) : h, this);
    StoreScaled(pScaled->m_imgNormal, pNearest->m_imgNormal, w, h, n);
    if (pScaled->m_imgNormal.IsEmpty()) {
        pScaled->InternalRelease();
        return pNearest;
    }
    StoreScaled(pScaled->m_imgDisabled, pNearest->m_imgDisabled, w, h, n);
    StoreScaled(pScaled->m_imgHot, pNearest->m_imgHot, w, h, n);
    StoreScaled(pScaled->m_imgChecked, pNearest->m_imgChecked, w, h, n);
    pScaled->m_bScaled = TRUE;
    m_mapIcons[nWidth] = pScaled;
    return pScaled;
}

void CTkImageManagerIconSet::SetIcon(const CTkImageHandle& image, UINT nWidth, int nState)
{
    CTkImageManagerIcon* pIcon = nullptr;
    if (!m_mapIcons.Lookup(nWidth, pIcon) || !pIcon) {
        pIcon = new CTkImageManagerIcon(m_nID, static_cast<int>(nWidth), 15, this);
        m_mapIcons[nWidth] = pIcon;
    }
    switch (nState) {
    case 0:
        pIcon->SetNormalIcon(image);
        break;
    case 1:
        pIcon->SetDisabledIcon(image);
        break;
    case 2:
        pIcon->SetHotIcon(image);
        break;
    case 3:
        pIcon->SetCheckedIcon(image);
        break;
    default:
        break;
    }
}

void CTkImageManagerIconSet::RemoveScaledIcons()
{
    // Collect first: removing while iterating would skip entries.
    std::vector<UINT> keys;
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos) {
        UINT nKey = 0;
        CTkImageManagerIcon* pIcon = nullptr;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        if (pIcon && pIcon->IsScaled())
            keys.push_back(nKey);
    }
    for (UINT nKey : keys) {
        CTkImageManagerIcon* pIcon = nullptr;
        if (m_mapIcons.Lookup(nKey, pIcon)) {
            m_mapIcons.RemoveKey(nKey);
            pIcon->InternalRelease();
        }
    }
}

void CTkImageManagerIconSet::ClearGeneratedImages(CTkImageManagerIcon* pExcept)
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos) {
        UINT nKey = 0;
        CTkImageManagerIcon* pIcon = nullptr;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        if (pIcon && pIcon != pExcept)
            pIcon->ClearGeneratedImages();
    }
}

void CTkImageManagerIconSet::RefreshAll()
{
    RemoveScaledIcons();
    ClearGeneratedImages(nullptr);
}

void CTkImageManagerIconSet::RemoveAll()
{
    POSITION pos = m_mapIcons.GetStartPosition();
    while (pos) {
        UINT nKey = 0;
        CTkImageManagerIcon* pIcon = nullptr;
        m_mapIcons.GetNextAssoc(pos, nKey, pIcon);
        if (pIcon)
            pIcon->InternalRelease();
    }
    m_mapIcons.RemoveAll();
}
