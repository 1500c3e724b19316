#pragma once
// CComModule: the COM server module of a program or DLL, with its object map.
//
// One module object exists per server (a global, constructed before WinMain); it becomes the
// process's module (CComModule::GetModule) and is driven through Init / Term:
//
//     BEGIN_OBJECT_MAP(ObjectMap)
//         OBJECT_ENTRY(CLSID_Console, CConsole)      // classes: see CComCoClass and DECLARE_REGISTRY
//     END_OBJECT_MAP()
//     CComModule _Module;
//     _Module.Init(ObjectMap, hInstance, &LIBID_KorvelLib);
//     _Module.RegisterServer(TRUE);                               // "/RegServer"
//     _Module.RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE);
//     ... message loop ...
//     _Module.RevokeClassObjects();
//     _Module.Term();
//
// Lock count: every live object of the map (CComObject) and every IClassFactory::LockServer(TRUE)
// holds one lock. A local server started by COM only to serve objects (/Embedding) calls
// SetExitWhenUnlocked(TRUE): when the count then falls to zero, WM_QUIT is posted to the thread
// that called Init, so its message loop ends and the process can revoke and exit. A program that
// also has its own window leaves this off and ends when its user closes it.
//
// Registry: RegisterServer runs every class's UpdateRegistry (its registry script, see
// CRegistryScript) and, when asked, registers the type library embedded in the module as
// resource TYPELIB 1. Replacements offered to every script: %MODULE% (full path of the module
// file), %APPID% and %LIBID% when set, and any added with AddReplacement.
#include "framework/CRegistryScript.h"
#include "framework/CString.h"
#include <objbase.h>
#include <oleauto.h>
#include <vector>

// One class of the object map.
struct _COM_OBJMAP_ENTRY {
    const CLSID* pclsid;
    HRESULT(WINAPI* pfnUpdateRegistry)(BOOL bRegister);
    HRESULT(WINAPI* pfnCreateInstance)(IUnknown* pUnkOuter, REFIID riid, void** ppv);
    IUnknown* pCF;    // the class factory, once made
    DWORD dwRegister; // CoRegisterClassObject cookie, 0 when not registered
};

#define BEGIN_OBJECT_MAP(x) static _COM_OBJMAP_ENTRY x[] = {
#define OBJECT_ENTRY(clsid, class_name) {&clsid, &class_name::UpdateRegistry, &class_name::_CreateInstance, nullptr, 0},
#define END_OBJECT_MAP() {nullptr, nullptr, nullptr, nullptr, 0}};

class CComModule {
public:
    CComModule();
    CComModule(const CComModule&) = delete;
    CComModule& operator=(const CComModule&) = delete;
    virtual ~CComModule();

    // The module of this process (the last one constructed), or nullptr.
    static CComModule* GetModule();

    // Takes the object map (kept, not copied; its last entry has a null CLSID), the module's
    // instance and optionally the LIBID of its type library. Records the calling thread as the
    // module's thread.
    HRESULT Init(_COM_OBJMAP_ENTRY* pObjMap, HINSTANCE hInstance, const GUID* plibid = nullptr);
    // Revokes and releases the class objects and releases every cached type description.
    void Term();

    HINSTANCE GetModuleInstance() const { return m_hInst; }
    HINSTANCE GetResourceInstance() const { return m_hInstResource ? m_hInstResource : m_hInst; }
    void SetResourceInstance(HINSTANCE h) { m_hInstResource = h; }
    const GUID* GetTypeLibId() const { return m_plibid; }
    // Full path of the module file.
    CString GetModuleFileName() const;
    // TRUE when the module is the program itself (a local server), FALSE for a DLL.
    BOOL IsExeServer() const;

    // Lock count
    LONG Lock();
    LONG Unlock();
    LONG GetLockCount() const { return m_nLockCnt; }
    void SetExitWhenUnlocked(BOOL bExit) { m_bExitWhenUnlocked = bExit; }
    DWORD m_dwThreadID = 0;

    // Class objects of a local server: CoRegisterClassObject for every class of the map.
    // On a failure the ones already registered are revoked again.
    HRESULT RegisterClassObjects(DWORD dwClsContext, DWORD dwFlags);
    HRESULT RevokeClassObjects();
    // The class object of one class (DllGetClassObject of an in-process server).
    HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
    // S_OK when nothing holds the module (DllCanUnloadNow).
    HRESULT CanUnloadNow() const { return m_nLockCnt == 0 ? S_OK : S_FALSE; }

    // Registration. pCLSID limits the work to one class of the map.
    HRESULT RegisterServer(BOOL bRegTypeLib = FALSE, const CLSID* pCLSID = nullptr);
    HRESULT UnregisterServer(BOOL bUnRegTypeLib = FALSE, const CLSID* pCLSID = nullptr);
    HRESULT RegisterTypeLib();
    HRESULT UnRegisterTypeLib();

    // Runs a registry script stored as resource nResID of type "REGISTRY" in the resource module
    // (or a script given as text), with the module's replacements.
    HRESULT UpdateRegistryFromResource(UINT nResID, BOOL bRegister);
    HRESULT UpdateRegistryFromText(LPCWSTR script, BOOL bRegister, const CRegistryScript* pExtra = nullptr);
    // The standard entries of one class: CLSID key with description, ProgID,
    // VersionIndependentProgID, LocalServer32 (program) or InprocServer32 with ThreadingModel
    // (DLL), AppID and TypeLib when the module has them; HKCR\<ProgID>\CLSID, and on the
    // version-independent ProgID its CLSID and CurVer. Empty ProgIDs are left out.
    HRESULT UpdateRegistryClass(const CLSID& clsid, LPCWSTR lpszProgID, LPCWSTR lpszVerIndProgID,
                                LPCWSTR lpszDescription, LPCWSTR lpszThreadingModel, BOOL bRegister);
    // The script text UpdateRegistryClass runs (shown for diagnostics and tests).
    CString StandardClassScript(BOOL bHasProgID, BOOL bHasVerIndProgID) const;

    // A replacement offered to every script of this module (see CRegistryScript).
    void AddReplacement(LPCWSTR name, LPCWSTR value);
    void SetAppId(const GUID& appid);

    // The description of interface iid from type library *plibid (the module's own when null):
    // the registered library of that version first, else the one embedded in the module file.
    // The result is cached and released by Term; the caller does not release it.
    HRESULT GetTypeInfo(const GUID* plibid, WORD wMajor, WORD wMinor, REFIID iid, ITypeInfo** ppInfo);

private:
    HRESULT LoadTypeLib(const GUID* plibid, WORD wMajor, WORD wMinor, ITypeLib** ppLib);
    _COM_OBJMAP_ENTRY* Find(REFCLSID rclsid) const;
    HRESULT EnsureClassFactory(_COM_OBJMAP_ENTRY* pEntry);

    struct TypeInfoCache {
        GUID libid;
        IID iid;
        ITypeInfo* pInfo;
    };

    _COM_OBJMAP_ENTRY* m_pObjMap = nullptr;
    HINSTANCE m_hInst = nullptr;
    HINSTANCE m_hInstResource = nullptr;
    const GUID* m_plibid = nullptr;
    volatile LONG m_nLockCnt = 0;
    BOOL m_bExitWhenUnlocked = FALSE;
    BOOL m_bHasAppId = FALSE;
    CRegistryScript m_replacements;
    std::vector<TypeInfoCache> m_typeInfos;
    CRITICAL_SECTION m_cs;
};
