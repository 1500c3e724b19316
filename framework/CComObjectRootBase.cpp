#include "framework/CComObjectRootBase.h"

HRESULT CComObjectRootBase::InternalQueryInterface(void* pThis, const _COM_INTMAP_ENTRY* pEntries, REFIID iid,
                                                   void** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    if (!pThis || !pEntries || !pEntries->piid)
        return E_NOINTERFACE;
    const _COM_INTMAP_ENTRY* found = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
        found = pEntries;
    } else {
        for (const _COM_INTMAP_ENTRY* e = pEntries; e->piid; ++e)
            if (IsEqualIID(iid, *e->piid)) {
                found = e;
                break;
            }
    }
    if (!found)
        return E_NOINTERFACE;
    auto unk = reinterpret_cast<IUnknown*>(reinterpret_cast<DWORD_PTR>(pThis) + found->dw);
    unk->AddRef();
    *ppvObject = unk;
    return S_OK;
}
