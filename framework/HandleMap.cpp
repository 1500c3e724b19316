#include "framework/HandleMap.h"
#include <map>
#include <memory>
#include <tuple>
#include <typeindex>
#include <vector>

namespace {

using PermanentKey = std::pair<int, const void*>;

// Process-wide and never destroyed: wrappers that are static objects of other modules may
// detach during process exit, after this module's own statics would have been torn down.
struct PermanentMap {
    CRITICAL_SECTION lock;
    std::map<PermanentKey, CObject*> objects;
    PermanentMap() { ::InitializeCriticalSection(&lock); }
};

PermanentMap& Permanent()
{
    static PermanentMap* s_map = new PermanentMap;
    return *s_map;
}

struct TempEntry {
    CObject* object;
    AfxTempReleaseFn release;
};

using TempKey = std::tuple<int, const void*, std::type_index>;

struct TempMap {
    std::map<TempKey, TempEntry> objects;
    void Clear()
    {
        // Release outside the map: a wrapper's destructor may itself ask the maps something.
        std::map<TempKey, TempEntry> doomed;
        doomed.swap(objects);
        for (auto& entry : doomed)
            entry.second.release(entry.second.object);
    }
    ~TempMap() { Clear(); }
};

TempMap& Temp()
{
    thread_local TempMap t_map;
    return t_map;
}

} // namespace

void AfxMapPermanentHandle(AfxHandleKind kind, const void* handle, CObject* pObject)
{
    if (!handle || !pObject)
        return;
    PermanentMap& map = Permanent();
    ::EnterCriticalSection(&map.lock);
    map.objects[{static_cast<int>(kind), handle}] = pObject;
    ::LeaveCriticalSection(&map.lock);
}

void AfxUnmapPermanentHandle(AfxHandleKind kind, const void* handle, CObject* pObject)
{
    if (!handle)
        return;
    PermanentMap& map = Permanent();
    ::EnterCriticalSection(&map.lock);
    auto it = map.objects.find({static_cast<int>(kind), handle});
    if (it != map.objects.end() && it->second == pObject)
        map.objects.erase(it);
    ::LeaveCriticalSection(&map.lock);
}

CObject* AfxLookupPermanentHandle(AfxHandleKind kind, const void* handle)
{
    if (!handle)
        return nullptr;
    PermanentMap& map = Permanent();
    ::EnterCriticalSection(&map.lock);
    auto it = map.objects.find({static_cast<int>(kind), handle});
    CObject* p = it != map.objects.end() ? it->second : nullptr;
    ::LeaveCriticalSection(&map.lock);
    return p;
}

CObject* AfxLookupTempHandle(AfxHandleKind kind, const void* handle, const std::type_info& type)
{
    auto& objects = Temp().objects;
    auto it = objects.find(TempKey{static_cast<int>(kind), handle, std::type_index(type)});
    return it != objects.end() ? it->second.object : nullptr;
}

void AfxAddTempHandle(AfxHandleKind kind, const void* handle, const std::type_info& type,
                      CObject* pObject, AfxTempReleaseFn pfnRelease)
{
    Temp().objects[TempKey{static_cast<int>(kind), handle, std::type_index(type)}] = {pObject, pfnRelease};
}

void AfxDeleteTempMaps()
{
    Temp().Clear();
}
