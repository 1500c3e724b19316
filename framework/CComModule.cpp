#include "framework/CComModule.h"
#include "framework/CComClassFactory.h"
#include <new>

namespace {
CComModule* g_pModule = nullptr;

CString GuidText(const GUID& guid)
{
    wchar_t text[64] = {};
    ::StringFromGUID2(guid, text, 64);
    return CString(text);
}
} // namespace

CComModule::CComModule()
{
    ::InitializeCriticalSectionAndSpinCount(&m_cs, 0);
    g_pModule = this;
}

CComModule::~CComModule()
{
    Term();
    if (g_pModule == this)
        g_pModule = nullptr;
    ::DeleteCriticalSection(&m_cs);
}

CComModule* CComModule::GetModule()
{
    return g_pModule;
}

HRESULT CComModule::Init(_COM_OBJMAP_ENTRY* pObjMap, HINSTANCE hInstance, const GUID* plibid)
{
    m_pObjMap = pObjMap;
    m_hInst = hInstance ? hInstance : ::GetModuleHandleW(nullptr);
    m_plibid = plibid;
    m_dwThreadID = ::GetCurrentThreadId();
    m_replacements.AddReplacement(L"MODULE", GetModuleFileName());
    if (plibid)
        m_replacements.AddReplacement(L"LIBID", GuidText(*plibid));
    return S_OK;
}

void CComModule::Term()
{
    RevokeClassObjects();
    if (m_pObjMap) {
        for (_COM_OBJMAP_ENTRY* e = m_pObjMap; e->pclsid; ++e) {
            if (e->pCF)
                e->pCF->Release();
            e->pCF = nullptr;
        }
    }
    ::EnterCriticalSection(&m_cs);
    std::vector<TypeInfoCache> infos;
    infos.swap(m_typeInfos);
    ::LeaveCriticalSection(&m_cs);
    for (auto& t : infos)
        t.pInfo->Release();
}

CString CComModule::GetModuleFileName() const
{
    wchar_t path[MAX_PATH * 2] = {};
    DWORD n = ::GetModuleFileNameW(m_hInst, path, MAX_PATH * 2);
    return (n > 0 && n < MAX_PATH * 2) ? CString(path) : CString();
}

BOOL CComModule::IsExeServer() const
{
    return m_hInst == nullptr || m_hInst == ::GetModuleHandleW(nullptr);
}

LONG CComModule::Lock()
{
    return ::InterlockedIncrement(&m_nLockCnt);
}

LONG CComModule::Unlock()
{
    LONG n = ::InterlockedDecrement(&m_nLockCnt);
    if (n == 0 && m_bExitWhenUnlocked && m_dwThreadID) {
        // Withdraw the class objects before the loop ends, so that an activation arriving
        // while this process winds down starts a fresh server instead of reaching this one.
        if (::GetCurrentThreadId() == m_dwThreadID)
            RevokeClassObjects();
        ::PostThreadMessageW(m_dwThreadID, WM_QUIT, 0, 0);
    }
    return n;
}

_COM_OBJMAP_ENTRY* CComModule::Find(REFCLSID rclsid) const
{
    if (!m_pObjMap)
        return nullptr;
    for (_COM_OBJMAP_ENTRY* e = m_pObjMap; e->pclsid; ++e)
        if (IsEqualCLSID(*e->pclsid, rclsid))
            return e;
    return nullptr;
}

HRESULT CComModule::EnsureClassFactory(_COM_OBJMAP_ENTRY* pEntry)
{
    if (pEntry->pCF)
        return S_OK;
    if (!pEntry->pfnCreateInstance)
        return CLASS_E_CLASSNOTAVAILABLE;
    auto factory = new (std::nothrow) CComClassFactory(pEntry->pfnCreateInstance);
    if (!factory)
        return E_OUTOFMEMORY;
    factory->AddRef();
    pEntry->pCF = factory;
    return S_OK;
}

HRESULT CComModule::RegisterClassObjects(DWORD dwClsContext, DWORD dwFlags)
{
    if (!m_pObjMap)
        return E_UNEXPECTED;
    for (_COM_OBJMAP_ENTRY* e = m_pObjMap; e->pclsid; ++e) {
        if (e->dwRegister)
            continue;
        HRESULT hr = EnsureClassFactory(e);
        if (SUCCEEDED(hr))
            hr = ::CoRegisterClassObject(*e->pclsid, e->pCF, dwClsContext, dwFlags, &e->dwRegister);
        if (FAILED(hr)) {
            e->dwRegister = 0;
            RevokeClassObjects();
            return hr;
        }
    }
    return S_OK;
}

HRESULT CComModule::RevokeClassObjects()
{
    HRESULT result = S_OK;
    if (!m_pObjMap)
        return result;
    for (_COM_OBJMAP_ENTRY* e = m_pObjMap; e->pclsid; ++e) {
        if (!e->dwRegister)
            continue;
        HRESULT hr = ::CoRevokeClassObject(e->dwRegister);
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
        e->dwRegister = 0;
    }
    return result;
}

HRESULT CComModule::GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    _COM_OBJMAP_ENTRY* e = Find(rclsid);
    if (!e)
        return CLASS_E_CLASSNOTAVAILABLE;
    HRESULT hr = EnsureClassFactory(e);
    return FAILED(hr) ? hr : e->pCF->QueryInterface(riid, ppv);
}

HRESULT CComModule::RegisterServer(BOOL bRegTypeLib, const CLSID* pCLSID)
{
    if (!m_pObjMap)
        return E_UNEXPECTED;
    for (_COM_OBJMAP_ENTRY* e = m_pObjMap; e->pclsid; ++e) {
        if (pCLSID && !IsEqualCLSID(*pCLSID, *e->pclsid))
            continue;
        HRESULT hr = e->pfnUpdateRegistry ? e->pfnUpdateRegistry(TRUE) : S_OK;
        if (FAILED(hr))
            return hr;
    }
    return bRegTypeLib ? RegisterTypeLib() : S_OK;
}

HRESULT CComModule::UnregisterServer(BOOL bUnRegTypeLib, const CLSID* pCLSID)
{
    if (!m_pObjMap)
        return E_UNEXPECTED;
    HRESULT result = S_OK;
    for (_COM_OBJMAP_ENTRY* e = m_pObjMap; e->pclsid; ++e) {
        if (pCLSID && !IsEqualCLSID(*pCLSID, *e->pclsid))
            continue;
        HRESULT hr = e->pfnUpdateRegistry ? e->pfnUpdateRegistry(FALSE) : S_OK;
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    if (bUnRegTypeLib) {
        HRESULT hr = UnRegisterTypeLib();
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    return result;
}

HRESULT CComModule::RegisterTypeLib()
{
    CString path = GetModuleFileName();
    ITypeLib* lib = nullptr;
    HRESULT hr = ::LoadTypeLib(path, &lib);
    if (FAILED(hr))
        return hr;
    hr = ::RegisterTypeLib(lib, const_cast<LPOLESTR>(path.GetString()), nullptr);
    lib->Release();
    return hr;
}

HRESULT CComModule::UnRegisterTypeLib()
{
    CString path = GetModuleFileName();
    ITypeLib* lib = nullptr;
    HRESULT hr = ::LoadTypeLib(path, &lib);
    if (FAILED(hr))
        return hr;
    TLIBATTR* attr = nullptr;
    hr = lib->GetLibAttr(&attr);
    if (SUCCEEDED(hr)) {
        hr = ::UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind);
        lib->ReleaseTLibAttr(attr);
        // A library that was never registered is already gone.
        if (hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_LIBNOTREGISTERED)
            hr = S_OK;
    }
    lib->Release();
    return hr;
}

void CComModule::AddReplacement(LPCWSTR name, LPCWSTR value)
{
    m_replacements.AddReplacement(name, value);
}

void CComModule::SetAppId(const GUID& appid)
{
    m_replacements.AddReplacement(L"APPID", GuidText(appid));
    m_bHasAppId = TRUE;
}

HRESULT CComModule::UpdateRegistryFromResource(UINT nResID, BOOL bRegister)
{
    CString script;
    if (!CRegistryScript::LoadFromResource(GetResourceInstance(), nResID, script) &&
        !CRegistryScript::LoadFromResource(m_hInst, nResID, script))
        return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    return UpdateRegistryFromText(script, bRegister);
}

HRESULT CComModule::UpdateRegistryFromText(LPCWSTR script, BOOL bRegister, const CRegistryScript* pExtra)
{
    CRegistryScript runner = pExtra ? *pExtra : CRegistryScript();
    runner.Merge(m_replacements);
    return bRegister ? runner.Register(script) : runner.Unregister(script);
}

CString CComModule::StandardClassScript(BOOL bHasProgID, BOOL bHasVerIndProgID) const
{
    CString s;
    if (bHasProgID) {
        s += L"+HKCR\\%PROGID% = '%DESCRIPTION%'\n";
        s += L"HKCR\\%PROGID%\\CLSID = %CLSID%\n";
    }
    if (bHasVerIndProgID) {
        s += L"+HKCR\\%VIPROGID% = '%DESCRIPTION%'\n";
        s += L"HKCR\\%VIPROGID%\\CLSID = %CLSID%\n";
        if (bHasProgID)
            s += L"HKCR\\%VIPROGID%\\CurVer = %PROGID%\n";
    }
    s += L"+HKCR\\CLSID\\%CLSID% = '%DESCRIPTION%'\n";
    if (bHasProgID)
        s += L"HKCR\\CLSID\\%CLSID%\\ProgID = %PROGID%\n";
    if (bHasVerIndProgID)
        s += L"HKCR\\CLSID\\%CLSID%\\VersionIndependentProgID = %VIPROGID%\n";
    s += L"HKCR\\CLSID\\%CLSID%\\Programmable\n";
    if (IsExeServer()) {
        // Quoted, so that a program path with blanks still starts the right file.
        s += L"HKCR\\CLSID\\%CLSID%\\LocalServer32 = \"%MODULE%\"\n";
    } else {
        s += L"HKCR\\CLSID\\%CLSID%\\InprocServer32 = %MODULE%\n";
        s += L"HKCR\\CLSID\\%CLSID%\\InprocServer32 : ThreadingModel = %THREADING%\n";
    }
    if (m_bHasAppId)
        s += L"HKCR\\CLSID\\%CLSID% : AppID = %APPID%\n";
    if (m_plibid)
        s += L"HKCR\\CLSID\\%CLSID%\\TypeLib = %LIBID%\n";
    return s;
}

HRESULT CComModule::UpdateRegistryClass(const CLSID& clsid, LPCWSTR lpszProgID, LPCWSTR lpszVerIndProgID,
                                        LPCWSTR lpszDescription, LPCWSTR lpszThreadingModel, BOOL bRegister)
{
    BOOL hasProgID = lpszProgID && *lpszProgID;
    BOOL hasVerInd = lpszVerIndProgID && *lpszVerIndProgID;
    CRegistryScript extra;
    extra.AddReplacement(L"CLSID", GuidText(clsid));
    extra.AddReplacement(L"PROGID", hasProgID ? lpszProgID : L"");
    extra.AddReplacement(L"VIPROGID", hasVerInd ? lpszVerIndProgID : L"");
    extra.AddReplacement(L"DESCRIPTION", lpszDescription ? lpszDescription : L"");
    extra.AddReplacement(L"THREADING", lpszThreadingModel && *lpszThreadingModel ? lpszThreadingModel : L"Apartment");
    return UpdateRegistryFromText(StandardClassScript(hasProgID, hasVerInd), bRegister, &extra);
}

HRESULT CComModule::LoadTypeLib(const GUID* plibid, WORD wMajor, WORD wMinor, ITypeLib** ppLib)
{
    *ppLib = nullptr;
    if (plibid && SUCCEEDED(::LoadRegTypeLib(*plibid, wMajor, wMinor, LOCALE_NEUTRAL, ppLib)))
        return S_OK;
    if (plibid && m_plibid && !IsEqualGUID(*plibid, *m_plibid))
        return TYPE_E_LIBNOTREGISTERED; // another component's library: only the registry knows it
    return ::LoadTypeLib(GetModuleFileName(), ppLib);
}

HRESULT CComModule::GetTypeInfo(const GUID* plibid, WORD wMajor, WORD wMinor, REFIID iid, ITypeInfo** ppInfo)
{
    if (!ppInfo)
        return E_POINTER;
    *ppInfo = nullptr;
    if (!plibid)
        plibid = m_plibid;
    GUID libid = plibid ? *plibid : GUID_NULL;
    ::EnterCriticalSection(&m_cs);
    for (auto& t : m_typeInfos) {
        if (IsEqualGUID(t.libid, libid) && IsEqualIID(t.iid, iid)) {
            *ppInfo = t.pInfo;
            ::LeaveCriticalSection(&m_cs);
            return S_OK;
        }
    }
    ::LeaveCriticalSection(&m_cs);

    ITypeLib* lib = nullptr;
    HRESULT hr = LoadTypeLib(plibid, wMajor, wMinor, &lib);
    if (FAILED(hr))
        return hr;
    ITypeInfo* info = nullptr;
    hr = lib->GetTypeInfoOfGuid(iid, &info);
    lib->Release();
    if (FAILED(hr))
        return hr;

    ::EnterCriticalSection(&m_cs);
    for (auto& t : m_typeInfos) {
        if (IsEqualGUID(t.libid, libid) && IsEqualIID(t.iid, iid)) {
            // Another thread was quicker; keep its copy.
            info->Release();
            *ppInfo = t.pInfo;
            ::LeaveCriticalSection(&m_cs);
            return S_OK;
        }
    }
    m_typeInfos.push_back({libid, iid, info});
    *ppInfo = info;
    ::LeaveCriticalSection(&m_cs);
    return S_OK;
}
