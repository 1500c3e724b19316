#pragma once
// COleDataSource: data offered to others through IDataObject, for a drag (DoDragDrop) or the
// clipboard (SetClipboard).
//
// Data is either cached now (CacheGlobalData, CacheData: the source takes ownership of the
// memory) or promised (DelayRenderData) and produced on request by OnRenderData /
// OnRenderGlobalData, which derived classes override.
//
// Lifetime: the object is reference counted through its IDataObject, starting at 1 for its
// creator. InternalRelease drops the creator's reference; the last release calls OnFinalRelease,
// which deletes the object, so an object that outlives its creator's scope must come from new.
// SetClipboard hands the creator's reference to the clipboard (do not release it afterwards);
// DoDragDrop keeps its own reference for the duration of the drag. A COleDataSource on the
// stack may be used for DoDragDrop only.
#include "framework/COleDropSource.h"
#include <vector>

class COleDataSource {
public:
    COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;
    virtual ~COleDataSource();

    // Caching: a format given again replaces the earlier entry of the same format, medium type
    // and aspect. lpFormatEtc, when given, supplies aspect, index and medium types.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // Frees every cached entry.
    void Empty();

    // Runs an OLE drag of this data; the effect the target chose, or DROPEFFECT_NONE when the
    // drag was cancelled or could not start. pDropSource may be null (a default one is used).
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);
    // Puts this data on the clipboard (the clipboard takes the creator's reference); FALSE when
    // the clipboard refused it (the reference is then released all the same).
    BOOL SetClipboard();
    // Makes the clipboard copy our data so it survives us; FALSE when we do not own the clipboard.
    static BOOL FlushClipboard();
    // The data source that owns the clipboard in this process, or nullptr.
    static COleDataSource* GetClipboardOwner();

    // The IDataObject of this source (no reference added).
    IDataObject* GetDataObject() { return &m_xDataObject; }
    ULONG InternalAddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_dwRef)); }
    ULONG InternalRelease();

    // Overridables for delayed rendering. Each returns TRUE when it produced the data.
    // OnRenderData is asked first; its default hands HGLOBAL requests to OnRenderGlobalData.
    virtual BOOL OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium);
    // *phGlobal is null for IDataObject::GetData (allocate it) or the caller's memory for
    // GetDataHere (fill it, it may be too small).
    virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);
    // Another party offers data through IDataObject::SetData; the default refuses.
    virtual BOOL OnSetData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium, BOOL bRelease);

protected:
    virtual void OnFinalRelease() { delete this; }

private:
    struct CacheEntry {
        FORMATETC formatEtc;
        STGMEDIUM medium; // tymed TYMED_NULL for a delayed entry
        bool delayed;
    };
    CacheEntry* Lookup(const FORMATETC* pFormatEtc, bool matchTymed);
    void AddEntry(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed, const STGMEDIUM* pMedium);
    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium, bool here);
    HRESULT QueryGetData(FORMATETC* pformatetc);
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenum);

    class CDataObject : public IDataObject {
    public:
        explicit CDataObject(COleDataSource* owner) : m_pOwner(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return m_pOwner->InternalAddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return m_pOwner->InternalRelease(); }
        HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
        HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
        HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pformatetc) override;
        HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
        HRESULT STDMETHODCALLTYPE SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
        HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
        HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
        HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
        HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    private:
        COleDataSource* m_pOwner;
    };

    volatile LONG m_dwRef = 1;
    CDataObject m_xDataObject;
    std::vector<CacheEntry> m_cache;
};
