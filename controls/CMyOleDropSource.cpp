#include "controls/CMyOleDropSource.h"

SCODE CMyOleDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    m_dwLastEffect = dropEffect;
    return COleDropSource::GiveFeedback(dropEffect);
}

SCODE CMyOleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}

BOOL CMyOleDropSource::OnBeginDrag(CWnd* pWnd)
{
    return COleDropSource::OnBeginDrag(pWnd);
}
