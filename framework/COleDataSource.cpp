#include "framework/COleDataSource.h"
#include <shlobj.h>

namespace {
COleDataSource* g_pClipboardOwner = nullptr;

HGLOBAL CopyGlobal(HGLOBAL src)
{
    SIZE_T size = ::GlobalSize(src);
    const void* from = ::GlobalLock(src);
    if (!from)
        return nullptr;
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    void* to = copy ? ::GlobalLock(copy) : nullptr;
    if (to) {
        memcpy(to, from, size);
        ::GlobalUnlock(copy);
    } else if (copy) {
        ::GlobalFree(copy);
        copy = nullptr;
    }
    ::GlobalUnlock(src);
    return copy;
}

// Copies the bytes of src into the caller's memory dst; FALSE when they do not fit.
bool CopyGlobalInto(HGLOBAL src, HGLOBAL dst)
{
    SIZE_T size = ::GlobalSize(src);
    if (::GlobalSize(dst) < size)
        return false;
    const void* from = ::GlobalLock(src);
    void* to = ::GlobalLock(dst);
    bool ok = from && to;
    if (ok)
        memcpy(to, from, size);
    if (to)
        ::GlobalUnlock(dst);
    if (from)
        ::GlobalUnlock(src);
    return ok;
}
} // namespace

COleDataSource::COleDataSource() : m_xDataObject(this) {}

COleDataSource::~COleDataSource()
{
    if (g_pClipboardOwner == this)
        g_pClipboardOwner = nullptr;
    Empty();
}

ULONG COleDataSource::InternalRelease()
{
    LONG n = ::InterlockedDecrement(&m_dwRef);
    if (n == 0) {
        if (g_pClipboardOwner == this)
            g_pClipboardOwner = nullptr;
        OnFinalRelease();
    }
    return static_cast<ULONG>(n);
}

void COleDataSource::Empty()
{
    for (CacheEntry& e : m_cache)
        if (!e.delayed)
            ::ReleaseStgMedium(&e.medium);
    m_cache.clear();
}

void COleDataSource::AddEntry(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed, const STGMEDIUM* pMedium)
{
    FORMATETC fe = {cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
    if (lpFormatEtc) {
        fe = *lpFormatEtc;
        fe.cfFormat = cfFormat;
        fe.ptd = nullptr; // target devices are not kept
        if (pMedium)
            fe.tymed = pMedium->tymed;
        else if (!fe.tymed)
            fe.tymed = tymed;
    }
    // Replace an entry for the same format, medium and aspect.
    for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
        if (it->formatEtc.cfFormat == fe.cfFormat && it->formatEtc.dwAspect == fe.dwAspect &&
            (it->formatEtc.tymed & fe.tymed)) {
            if (!it->delayed)
                ::ReleaseStgMedium(&it->medium);
            m_cache.erase(it);
            break;
        }
    }
    CacheEntry e = {};
    e.formatEtc = fe;
    e.delayed = pMedium == nullptr;
    if (pMedium)
        e.medium = *pMedium;
    else
        e.medium.tymed = TYMED_NULL;
    m_cache.push_back(e);
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    if (!hGlobal)
        return;
    STGMEDIUM medium = {};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    AddEntry(cfFormat, lpFormatEtc, TYMED_HGLOBAL, &medium);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (!lpStgMedium || lpStgMedium->tymed == TYMED_NULL)
        return;
    AddEntry(cfFormat, lpFormatEtc, lpStgMedium->tymed, lpStgMedium);
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    AddEntry(cfFormat, lpFormatEtc, TYMED_HGLOBAL, nullptr);
}

COleDataSource::CacheEntry* COleDataSource::Lookup(const FORMATETC* pFormatEtc, bool matchTymed)
{
    for (CacheEntry& e : m_cache) {
        if (e.formatEtc.cfFormat != pFormatEtc->cfFormat || e.formatEtc.dwAspect != pFormatEtc->dwAspect)
            continue;
        if (pFormatEtc->lindex != -1 && e.formatEtc.lindex != pFormatEtc->lindex)
            continue;
        if (matchTymed && !(e.formatEtc.tymed & pFormatEtc->tymed))
            continue;
        return &e;
    }
    return nullptr;
}

BOOL COleDataSource::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    if (!(lpFormatEtc->tymed & TYMED_HGLOBAL))
        return FALSE;
    HGLOBAL h = lpStgMedium->tymed == TYMED_HGLOBAL ? lpStgMedium->hGlobal : nullptr;
    HGLOBAL given = h;
    if (!OnRenderGlobalData(lpFormatEtc, &h) || !h)
        return FALSE;
    if (given && h != given) {
        // The override made new memory for a GetDataHere request: copy it into the caller's.
        bool ok = CopyGlobalInto(h, given);
        ::GlobalFree(h);
        return ok;
    }
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = h;
    lpStgMedium->pUnkForRelease = nullptr;
    return TRUE;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*)
{
    return FALSE;
}

BOOL COleDataSource::OnSetData(LPFORMATETC, LPSTGMEDIUM, BOOL)
{
    return FALSE;
}

HRESULT COleDataSource::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium, bool here)
{
    if (!pformatetcIn || !pmedium)
        return E_POINTER;
    if (!here)
        memset(pmedium, 0, sizeof(*pmedium));
    CacheEntry* e = Lookup(pformatetcIn, true);
    if (!e)
        return Lookup(pformatetcIn, false) ? DV_E_TYMED : DV_E_FORMATETC;

    if (e->delayed) {
        FORMATETC fe = *pformatetcIn;
        fe.tymed &= e->formatEtc.tymed;
        return OnRenderData(&fe, pmedium) ? S_OK : DV_E_FORMATETC;
    }

    const STGMEDIUM& m = e->medium;
    if (here) {
        if (m.tymed != TYMED_HGLOBAL || pmedium->tymed != TYMED_HGLOBAL || !pmedium->hGlobal)
            return DV_E_TYMED;
        return CopyGlobalInto(m.hGlobal, pmedium->hGlobal) ? S_OK : STG_E_MEDIUMFULL;
    }
    switch (m.tymed) {
    case TYMED_HGLOBAL:
        pmedium->hGlobal = CopyGlobal(m.hGlobal);
        if (!pmedium->hGlobal)
            return E_OUTOFMEMORY;
        break;
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
        // Shared, not copied: the receiver holds a reference.
        pmedium->pstm = m.pstm;
        pmedium->pstm->AddRef();
        break;
    case TYMED_GDI:
        pmedium->hBitmap = static_cast<HBITMAP>(::OleDuplicateData(m.hBitmap, CF_BITMAP, 0));
        if (!pmedium->hBitmap)
            return E_OUTOFMEMORY;
        break;
    case TYMED_ENHMF:
        pmedium->hEnhMetaFile = ::CopyEnhMetaFileW(m.hEnhMetaFile, nullptr);
        if (!pmedium->hEnhMetaFile)
            return E_OUTOFMEMORY;
        break;
    default:
        return DV_E_TYMED;
    }
    pmedium->tymed = m.tymed;
    pmedium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT COleDataSource::QueryGetData(FORMATETC* pformatetc)
{
    if (!pformatetc)
        return E_POINTER;
    if (Lookup(pformatetc, true))
        return S_OK;
    return Lookup(pformatetc, false) ? DV_E_TYMED : DV_E_FORMATETC;
}

HRESULT COleDataSource::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenum)
{
    if (!ppenum)
        return E_POINTER;
    *ppenum = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const CacheEntry& e : m_cache)
        formats.push_back(e.formatEtc);
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.empty() ? nullptr : formats.data(),
                                   ppenum);
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    COleDropSource* source = pDropSource ? pDropSource : &defaultSource;
    if (lpRectStartDrag)
        source->m_rectStartDrag = *lpRectStartDrag;
    else
        ::SetRectEmpty(&source->m_rectStartDrag);
    if (!source->OnBeginDrag(nullptr))
        return DROPEFFECT_NONE;

    InternalAddRef(); // the drag's own reference
    DWORD effect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(&m_xDataObject, source->GetDropSource(), dwEffects, &effect);
    source->m_bDragStarted = FALSE;
    InternalRelease();
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

BOOL COleDataSource::SetClipboard()
{
    HRESULT hr = ::OleSetClipboard(&m_xDataObject);
    if (SUCCEEDED(hr))
        g_pClipboardOwner = this;
    InternalRelease(); // the clipboard keeps its own reference now
    return SUCCEEDED(hr);
}

BOOL COleDataSource::FlushClipboard()
{
    if (!g_pClipboardOwner)
        return FALSE;
    return SUCCEEDED(::OleFlushClipboard());
}

COleDataSource* COleDataSource::GetClipboardOwner()
{
    if (g_pClipboardOwner && ::OleIsCurrentClipboard(&g_pClipboardOwner->m_xDataObject) != S_OK)
        g_pClipboardOwner = nullptr;
    return g_pClipboardOwner;
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    return m_pOwner->GetData(pformatetcIn, pmedium, false);
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium)
{
    return m_pOwner->GetData(pformatetc, pmedium, true);
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::QueryGetData(FORMATETC* pformatetc)
{
    return m_pOwner->QueryGetData(pformatetc);
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut)
{
    if (pformatetcOut)
        pformatetcOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease)
{
    if (!pformatetc || !pmedium)
        return E_POINTER;
    return m_pOwner->OnSetData(pformatetc, pmedium, fRelease) ? S_OK : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleDataSource::CDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    return m_pOwner->EnumFormatEtc(dwDirection, ppenumFormatEtc);
}
