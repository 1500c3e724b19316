#include "platform/xDUI/CxImageList.h"
#include "platform/xDUI/CRenderEngine.h"
#include "platform/xDUI/CResourceManager.h"
#include "standin/xDUI/DrawRecorder.h"

namespace xDuiLib {

BOOL CxImageList::Load(const CDuiString& strName)
{
    Destroy();
    std::shared_ptr<const TImageInfo> img = UIGetResourceManager()->GetSharedImage(strName.GetData());
    if (!img || !img->hBitmap || img->nX <= 0 || img->nY <= 0)
        return FALSE;
    int count = img->nFrames;
    if (count <= 1 && img->nX > img->nY && img->nX % img->nY == 0)
        count = img->nX / img->nY; // square cells when the description gives no count
    m_image = img;
    m_nCount = std::max(1, std::min(count, img->nX));
    m_name = strName;
    return TRUE;
}

void CxImageList::Destroy()
{
    m_image.reset();
    m_nCount = 0;
    m_name.Empty();
}

int CxImageList::GetImageCount() const
{
    return m_image ? m_nCount : 0;
}

SIZE CxImageList::GetItemSize() const
{
    if (!m_image)
        return SIZE{ 0, 0 };
    return SIZE{ m_image->nX / m_nCount, m_image->nY };
}

BOOL CxImageList::Draw(HDC hDC, int nIndex, const RECT& rc) const
{
    bool ok = hDC && m_image && nIndex >= 0 && nIndex < m_nCount;
    if (ok) {
        int w = m_image->nX / m_nCount;
        RECT src = { nIndex * w, 0, (nIndex + 1) * w, m_image->nY };
        RECT none = {};
        CRenderEngine::DrawImage(hDC, m_image->hBitmap, rc, rc, src, none, m_image->bAlpha);
    }
    RecordDraw(L"CxImageList::Draw", std::wstring(m_name.GetData()) + L"#" + std::to_wstring(nIndex), rc, ok);
    return ok ? TRUE : FALSE;
}

} // namespace xDuiLib
