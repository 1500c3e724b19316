// The in-process side of the COM support: registry scripts (run against a scratch key of the
// current user), objects made through an object map, their interface table, reference count and
// the module lock, class factories, and the BSTR/VARIANT/pointer holders.
#include "framework/CComBSTR.h"
#include "framework/CComCoClass.h"
#include "framework/CComModule.h"
#include "framework/CComObjectRootBase.h"
#include "framework/CComPtr.h"
#include "framework/CComQIPtr.h"
#include "framework/CComVariant.h"
#include "framework/CRegistryScript.h"
#include <gtest/gtest.h>
#include <cstring>
#include <ocidl.h>
#include <servprov.h>
#include <string>

namespace {

const std::wstring kScratch = L"Software\\KorvelTest\\fwcom-" + std::to_wstring(::GetCurrentProcessId());

bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

std::wstring ReadText(const std::wstring& path, const wchar_t* name = nullptr)
{
    wchar_t buf[512] = {};
    DWORD size = sizeof(buf) - sizeof(wchar_t), type = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"<no key>";
    LONG rc = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return L"<no value>";
    if (type == REG_DWORD) {
        DWORD value = 0;
        std::memcpy(&value, buf, sizeof(value));
        return L"dword " + std::to_wstring(value);
    }
    return buf;
}

class RegistryScriptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch.c_str());
        m_script.AddReplacement(L"ROOT", (L"HKCU\\" + kScratch).c_str());
        m_script.AddReplacement(L"Thing", L"{11111111-2222-3333-4444-555555555555}");
        m_script.AddReplacement(L"Tricky", L"C:\\x = y : z"); // replacements never split a line
    }
    void TearDown() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kScratch.c_str());
    }
    CRegistryScript m_script;
};

// A small class of ours behind two system interfaces and a sub-object for a third.
class CSample : public CComObjectRootBase, public CComCoClass<CSample>, public IPersist, public IServiceProvider {
public:
    DECLARE_NO_REGISTRY()
    BEGIN_COM_MAP(CSample)
        COM_INTERFACE_ENTRY(IPersist)
        COM_INTERFACE_ENTRY(IServiceProvider)
        COM_INTERFACE_ENTRY_MEMBER(IID_IObjectWithSite, m_site)
    END_COM_MAP()

    // The sub-object: its IUnknown is the outer object's.
    class CSite : public IObjectWithSite {
    public:
        explicit CSite(CSample* outer) : m_pOuter(outer) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override { return m_pOuter->QueryInterface(riid, ppv); }
        ULONG STDMETHODCALLTYPE AddRef() override { return m_pOuter->AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return m_pOuter->Release(); }
        HRESULT STDMETHODCALLTYPE SetSite(IUnknown*) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE GetSite(REFIID, void** ppv) override
        {
            *ppv = nullptr;
            return E_FAIL;
        }
        CSample* m_pOuter;
    };
    CSite m_site{this};

    HRESULT FinalConstruct()
    {
        ++s_constructed;
        return s_failConstruct ? E_FAIL : S_OK;
    }
    void FinalRelease() { ++s_released; }

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* pClassID) override
    {
        *pClassID = CLSID_NULL;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID, REFIID riid, void** ppv) override { return QueryInterface(riid, ppv); }

    static int s_constructed, s_released;
    static bool s_failConstruct;
};
int CSample::s_constructed = 0;
int CSample::s_released = 0;
bool CSample::s_failConstruct = false;

const CLSID kSampleClsid = {0x7D1C4E10, 0x55AA, 0x4B7E, {0x8C, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x01}};

BEGIN_OBJECT_MAP(SampleMap)
    OBJECT_ENTRY(kSampleClsid, CSample)
END_OBJECT_MAP()

} // namespace

TEST_F(RegistryScriptTest, RegisterWritesAndUnregisterRemovesWhatItOwns)
{
    // A key the script does not own, with a value of someone else's that must survive.
    HKEY shared = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (kScratch + L"\\Shared").c_str(), 0, nullptr, 0, KEY_WRITE,
                                nullptr, &shared, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(shared, L"Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"keep"), 10);
    ::RegCloseKey(shared);

    const wchar_t* script = L"; a comment\n"
                            L"# another\n"
                            L"\n"
                            L"+%ROOT%\\Owned = 'Owned Thing '\n"
                            L"  %ROOT%\\Owned\\Sub = %Thing%  \n"
                            L"%ROOT%\\Owned\\Empty = ''\n"
                            L"%ROOT%\\Owned\\Bare\n"
                            L"%ROOT%\\Owned\\Tricky = %Tricky%\n"
                            L"%ROOT%\\Shared : Mine = 100%% sure\n"
                            L"%ROOT%\\Shared : Count = dword:0x10\r\n"
                            L"%ROOT%\\Shared\\Path = \"C:\\Program Files\\x.exe\" -a=b\n";
    ASSERT_EQ(m_script.Register(script), S_OK);
    EXPECT_EQ(ReadText(kScratch + L"\\Owned"), L"Owned Thing ");
    EXPECT_EQ(ReadText(kScratch + L"\\Owned\\Sub"), L"{11111111-2222-3333-4444-555555555555}");
    EXPECT_EQ(ReadText(kScratch + L"\\Owned\\Empty"), L"");
    EXPECT_TRUE(KeyExists(kScratch + L"\\Owned\\Bare"));
    EXPECT_EQ(ReadText(kScratch + L"\\Owned\\Tricky"), L"C:\\x = y : z");
    EXPECT_EQ(ReadText(kScratch + L"\\Shared", L"Mine"), L"100% sure");
    EXPECT_EQ(ReadText(kScratch + L"\\Shared", L"Count"), L"dword 16");
    EXPECT_EQ(ReadText(kScratch + L"\\Shared\\Path"), L"\"C:\\Program Files\\x.exe\" -a=b");

    // Registering again replaces an owned key whole: a stale subkey disappears.
    HKEY stale = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, (kScratch + L"\\Owned\\Stale").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                      &stale, nullptr);
    ::RegCloseKey(stale);
    ASSERT_EQ(m_script.Register(script), S_OK);
    EXPECT_FALSE(KeyExists(kScratch + L"\\Owned\\Stale"));

    ASSERT_EQ(m_script.Unregister(script), S_OK);
    EXPECT_FALSE(KeyExists(kScratch + L"\\Owned"));
    EXPECT_TRUE(KeyExists(kScratch + L"\\Shared"));
    EXPECT_EQ(ReadText(kScratch + L"\\Shared", L"Mine"), L"<no value>");
    EXPECT_EQ(ReadText(kScratch + L"\\Shared", L"Count"), L"<no value>");
    EXPECT_EQ(ReadText(kScratch + L"\\Shared", L"Other"), L"keep");
    // Unregistering what is already gone is not an error.
    EXPECT_EQ(m_script.Unregister(script), S_OK);
}

TEST_F(RegistryScriptTest, BadScriptsChangeNothing)
{
    const wchar_t* cases[] = {
        L"%ROOT%\\A = 1\n%UNKNOWN%\\B = 2\n",       // unknown replacement
        L"%ROOT%\\A = 1\nHKXX\\Software\\B = 2\n",   // unknown root
        L"%ROOT%\\A = 1\nHKCU = 2\n",                // the root itself
        L"%ROOT%\\A = 1\n%ROOT%\\B : = 2\n",         // empty value name
        L"%ROOT%\\A = 1\n%ROOT%\\B : Name\n",        // named value without a value
        L"%ROOT%\\A = 1\n+%ROOT%\\B : Name = 3\n",   // an owned value
        L"%ROOT%\\A = 1\n%ROOT%\\B = dword:12x\n",   // bad number
        L"%ROOT%\\A = 1\n%ROOT%\\B\\\\C = 1\n",      // empty key name
        L"%ROOT%\\A = 1\n%ROOT%\\B = 50% off\n",     // unclosed percent
    };
    for (const wchar_t* script : cases) {
        EXPECT_EQ(m_script.Register(script), E_INVALIDARG) << script;
        EXPECT_FALSE(KeyExists(kScratch + L"\\A")) << script;
        EXPECT_EQ(m_script.Unregister(script), E_INVALIDARG) << script;
    }
    EXPECT_EQ(m_script.Register(nullptr), E_INVALIDARG);
}

TEST(ComModuleTest, StandardClassScriptForALocalServer)
{
    CComModule module;
    const GUID libid = {0x1, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};
    module.Init(SampleMap, nullptr, &libid);
    EXPECT_TRUE(module.IsExeServer());
    CString script = module.StandardClassScript(TRUE, TRUE);
    EXPECT_NE(script.Find(L"LocalServer32 = \"%MODULE%\""), -1);
    EXPECT_NE(script.Find(L"HKCR\\%VIPROGID%\\CurVer = %PROGID%"), -1);
    EXPECT_NE(script.Find(L"\\TypeLib = %LIBID%"), -1);
    EXPECT_EQ(script.Find(L"AppID"), -1); // no AppID until one is set
    module.SetAppId(libid);
    EXPECT_NE(module.StandardClassScript(TRUE, FALSE).Find(L"AppID = %APPID%"), -1);
    EXPECT_EQ(module.StandardClassScript(FALSE, FALSE).Find(L"PROGID"), -1);
    module.Term();
}

TEST(ComModuleTest, ObjectsFromTheMapLockTheModuleWhileTheyLive)
{
    CComModule module;
    ASSERT_EQ(CComModule::GetModule(), &module);
    module.Init(SampleMap, nullptr);
    CSample::s_constructed = CSample::s_released = 0;

    CComPtr<IClassFactory> factory;
    ASSERT_EQ(module.GetClassObject(kSampleClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(module.GetLockCount(), 0); // the factory itself does not lock
    CComPtr<IUnknown> dummy;
    EXPECT_EQ(module.GetClassObject(CLSID_NULL, IID_IClassFactory, reinterpret_cast<void**>(&dummy)),
              CLASS_E_CLASSNOTAVAILABLE);

    {
        CComPtr<IPersist> persist;
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&persist)), S_OK);
        EXPECT_EQ(CSample::s_constructed, 1);
        EXPECT_EQ(module.GetLockCount(), 1);

        // The interface table: identity, each interface, and a refusal.
        CComQIPtr<IServiceProvider> services(persist.p);
        ASSERT_TRUE(services);
        CComPtr<IUnknown> unk1, unk2;
        persist->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk1));
        services->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk2));
        EXPECT_EQ(unk1.p, unk2.p);
        EXPECT_EQ(static_cast<IUnknown*>(persist.p), unk1.p); // the first entry is the identity
        CComQIPtr<IObjectWithSite> site(persist.p);
        ASSERT_TRUE(site);
        EXPECT_EQ(site.p, static_cast<IObjectWithSite*>(&static_cast<CSample*>(persist.p)->m_site));
        CComPtr<IPersist> back;
        EXPECT_EQ(site->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&back)), S_OK);
        EXPECT_EQ(back.p, persist.p);
        CComQIPtr<IDispatch> none(persist.p);
        EXPECT_FALSE(none);
        CComPtr<IPersist> again;
        EXPECT_EQ(services->QueryService(GUID_NULL, IID_IPersist, reinterpret_cast<void**>(&again)), S_OK);
        EXPECT_EQ(again.p, persist.p);
        EXPECT_EQ(persist->QueryInterface(IID_IPersist, nullptr), E_POINTER);

        CComPtr<IUnknown> aggregated;
        EXPECT_EQ(factory->CreateInstance(persist, IID_IUnknown, reinterpret_cast<void**>(&aggregated)),
                  CLASS_E_NOAGGREGATION);
        EXPECT_EQ(CSample::s_released, 0);
    }
    EXPECT_EQ(CSample::s_released, 1); // the last Release destroyed it
    EXPECT_EQ(module.GetLockCount(), 0);

    // LockServer counts like an object; a failing FinalConstruct leaves nothing behind.
    factory->LockServer(TRUE);
    EXPECT_EQ(module.GetLockCount(), 1);
    factory->LockServer(FALSE);
    CSample::s_failConstruct = true;
    CComPtr<IPersist> failed;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&failed)), E_FAIL);
    CSample::s_failConstruct = false;
    EXPECT_FALSE(failed);
    EXPECT_EQ(module.GetLockCount(), 0);

    // With exit-when-unlocked, the last unlock posts WM_QUIT to the module's thread.
    module.SetExitWhenUnlocked(TRUE);
    module.Lock();
    module.Unlock();
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    module.SetExitWhenUnlocked(FALSE);
    factory.Release();
    module.Term();
}

TEST(ComHolderTest, BstrVariantAndPointers)
{
    CComBSTR empty;
    EXPECT_EQ(empty.Length(), 0u);
    EXPECT_TRUE(empty == L""); // null equals the empty text
    CComBSTR s(L"abc");
    s.Append(L"DEF");
    s += L"!";
    EXPECT_EQ(s.ToString(), L"abcDEF!");
    s.ToUpper();
    EXPECT_TRUE(s == L"ABCDEF!");
    CComBSTR copy = s;
    EXPECT_NE(copy.m_str, s.m_str); // a deep copy
    BSTR out = nullptr;
    EXPECT_EQ(copy.CopyTo(&out), S_OK);
    EXPECT_EQ(::SysStringLen(out), 7u);
    ::SysFreeString(out);
    EXPECT_EQ(copy.CopyTo(nullptr), E_POINTER);
    CComBSTR withZero(3, L"a\0b");
    EXPECT_EQ(withZero.Length(), 3u);

    CComVariant v(L"42");
    EXPECT_EQ(v.vt, VT_BSTR);
    EXPECT_EQ(v.ChangeType(VT_I4), S_OK);
    EXPECT_EQ(v.lVal, 42);
    EXPECT_EQ(v.ToString(), L"42");
    CComVariant text(L"x");
    EXPECT_NE(text.ChangeType(VT_I4), S_OK);
    EXPECT_EQ(text.vt, VT_BSTR); // a failed conversion leaves it as it was
    EXPECT_TRUE(CComVariant(7L) == CComVariant(7));
    EXPECT_FALSE(CComVariant(L"a") == CComVariant(L"b"));
    VARIANT raw;
    ::VariantInit(&raw);
    EXPECT_EQ(CComVariant(L"copied").CopyTo(&raw), S_OK);
    CComVariant attached;
    attached.Attach(&raw);
    EXPECT_EQ(raw.vt, VT_EMPTY);
    EXPECT_EQ(attached.ToString(), L"copied");

    CComPtr<IMalloc> malloc1;
    ASSERT_EQ(::CoGetMalloc(1, &malloc1), S_OK);
    CComPtr<IMalloc> malloc2 = malloc1;
    EXPECT_EQ(malloc1.p, malloc2.p);
    IMalloc* detached = malloc2.Detach();
    EXPECT_FALSE(malloc2);
    malloc2.Attach(detached);
    EXPECT_TRUE(malloc2);
}
