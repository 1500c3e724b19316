#include "framework/COleDropSource.h"

COleDropSource::COleDropSource() : m_xDropSource(this) {}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel))
        return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & m_dwButtonDrop))
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

BOOL COleDropSource::OnBeginDrag(CWnd*)
{
    // A drag started with the right button drops on its release and is cancelled by the left.
    bool right = (::GetKeyState(VK_RBUTTON) & 0x8000) != 0;
    bool left = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    m_dwButtonDrop = (right && !left) ? MK_RBUTTON : MK_LBUTTON;
    m_dwButtonCancel = (right && !left) ? MK_LBUTTON : MK_RBUTTON;
    m_bDragStarted = TRUE;
    return TRUE;
}

HRESULT STDMETHODCALLTYPE COleDropSource::CDropSource::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
        *ppv = static_cast<IDropSource*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleDropSource::CDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    return m_pOwner->QueryContinueDrag(fEscapePressed, grfKeyState);
}

HRESULT STDMETHODCALLTYPE COleDropSource::CDropSource::GiveFeedback(DWORD dwEffect)
{
    return m_pOwner->GiveFeedback(dwEffect);
}
