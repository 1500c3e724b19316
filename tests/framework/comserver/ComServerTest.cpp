// The COM local-server support: registration from registry scripts, class objects, the lock
// count, and calls from this process into the sample server (tests/framework/comserver) through
// the vtable and through IDispatch.
#include "framework/CComBSTR.h"
#include "framework/CComPtr.h"
#include "framework/CComQIPtr.h"
#include "framework/CComVariant.h"
#include "framework/CRegistryScript.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <string>

namespace {

// The sample server's identity (tests/framework/comserver/FwTestServer.idl, ServerMain.cpp).
const CLSID kClsid = {0x3C5E7A51, 0x0B2D, 0x4F61, {0x9A, 0x4E, 0x5D, 0x2B, 0x7C, 0x91, 0xE0, 0x02}};
const GUID kLibId = {0x3C5E7A51, 0x0B2D, 0x4F61, {0x9A, 0x4E, 0x5D, 0x2B, 0x7C, 0x91, 0xE0, 0x00}};
const IID kIid = {0x3C5E7A51, 0x0B2D, 0x4F61, {0x9A, 0x4E, 0x5D, 0x2B, 0x7C, 0x91, 0xE0, 0x01}};
const wchar_t kClsidText[] = L"{3C5E7A51-0B2D-4F61-9A4E-5D2B7C91E002}";
const wchar_t kLibIdText[] = L"{3C5E7A51-0B2D-4F61-9A4E-5D2B7C91E000}";
const wchar_t kAppIdText[] = L"{3C5E7A51-0B2D-4F61-9A4E-5D2B7C91E00F}";

// IFwCalc by hand, in vtable order after IDispatch, so the test needs no generated header.
struct IFwCalcCalls : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Add(LONG a, LONG b, LONG* sum) = 0;
    virtual HRESULT STDMETHODCALLTYPE Greet(BSTR name, BSTR* text) = 0;
    virtual HRESULT STDMETHODCALLTYPE Describe(VARIANT value, VARIANT_BOOL upper, BSTR* text) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ProcessId(LONG* pid) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Calls(LONG* count) = 0;
};

// Runs the sample server with one switch; its exit code, or -1 when it did not start or end.
int RunServer(const wchar_t* sw)
{
    return testsupport::RunProgram(testsupport::ExeDir() + L"\\test_framework_comserver.exe", sw);
}

using testsupport::ReadRegText;
using testsupport::RegKeyExists;
using testsupport::WaitForProcess;

DWORD ReadDword(HKEY root, const std::wstring& path, const wchar_t* name)
{
    DWORD value = 0, size = sizeof(value), type = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    ::RegCloseKey(key);
    return type == REG_DWORD ? value : 0;
}

DISPID DispIdOf(IDispatch* disp, const wchar_t* name)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
}

} // namespace

// The whole life of a local server: register, create by ProgID from this (second) process, call
// through the vtable and IDispatch, release (the server then ends by its lock count), unregister.
TEST(ComServerTest, RegisterCreateCallReleaseUnregister)
{
    ASSERT_EQ(RunServer(L"/RegServer"), 0);

    const std::wstring clsidKey = std::wstring(L"CLSID\\") + kClsidText;
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey), L"FwTestCalc Class");
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey + L"\\ProgID"), L"Korvel.FwTestCalc.1");
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey + L"\\VersionIndependentProgID"), L"Korvel.FwTestCalc");
    std::wstring server = ReadRegText(HKEY_CLASSES_ROOT, clsidKey + L"\\LocalServer32");
    EXPECT_NE(server.find(L"test_framework_comserver.exe"), std::wstring::npos) << server;
    EXPECT_EQ(server.front(), L'"');
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey, L"AppID"), kAppIdText);
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, clsidKey + L"\\TypeLib"), kLibIdText);
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, L"Korvel.FwTestCalc.1\\CLSID"), kClsidText);
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, L"Korvel.FwTestCalc\\CLSID"), kClsidText);
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, L"Korvel.FwTestCalc\\CurVer"), L"Korvel.FwTestCalc.1");
    // The application id comes from the server's own script resource.
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppIdText), L"Framework Test Server");
    EXPECT_EQ(ReadDword(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppIdText, L"Comment"), 0x2Au);
    EXPECT_EQ(ReadRegText(HKEY_CLASSES_ROOT, L"AppID\\test_framework_comserver.exe", L"AppID"), kAppIdText);
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kLibIdText + L"\\1.0"));

    CLSID clsid = {};
    ASSERT_EQ(::CLSIDFromProgID(L"Korvel.FwTestCalc", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, kClsid));

    LONG serverPid = 0;
    HANDLE process = nullptr;
    {
        CComPtr<IUnknown> unk;
        ASSERT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, reinterpret_cast<void**>(&unk)),
                  S_OK);
        CComQIPtr<IFwCalcCalls, &kIid> calc(unk.p);
        ASSERT_TRUE(calc);

        // Through the vtable.
        LONG sum = 0;
        EXPECT_EQ(calc->Add(2, 40, &sum), S_OK);
        EXPECT_EQ(sum, 42);
        CComBSTR greeting;
        EXPECT_EQ(calc->Greet(CComBSTR(L"Wine"), &greeting), S_OK);
        EXPECT_EQ(greeting.ToString(), L"Hello, Wine");
        CComBSTR described;
        EXPECT_EQ(calc->Describe(CComVariant(7L), VARIANT_TRUE, &described), S_OK);
        EXPECT_EQ(described.ToString(), L"3:7"); // VT_I4 arrived as a variant
        ASSERT_EQ(calc->get_ProcessId(&serverPid), S_OK);
        EXPECT_NE(static_cast<DWORD>(serverPid), ::GetCurrentProcessId());
        process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(serverPid));
        EXPECT_NE(process, nullptr);

        // Through IDispatch, answered from the type library.
        CComQIPtr<IDispatch> disp(unk.p);
        ASSERT_TRUE(disp);
        UINT count = 0;
        EXPECT_EQ(disp->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 1u);
        DISPID greet = DispIdOf(disp, L"Greet");
        EXPECT_EQ(greet, 2);
        CComVariant arg(L"IDispatch");
        DISPPARAMS params = {&arg, nullptr, 1, 0};
        CComVariant result;
        EXPECT_EQ(disp->Invoke(greet, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                               nullptr),
                  S_OK);
        EXPECT_EQ(result.vt, VT_BSTR);
        EXPECT_EQ(result.ToString(), L"Hello, IDispatch");

        // Arguments go in reverse order; the text "5" is coerced to the declared long.
        CComVariant addArgs[2] = {CComVariant(L"5"), CComVariant(10L)};
        DISPPARAMS addParams = {addArgs, nullptr, 2, 0};
        CComVariant addResult;
        EXPECT_EQ(disp->Invoke(DispIdOf(disp, L"Add"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &addParams,
                               &addResult, nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(addResult.vt, VT_I4);
        EXPECT_EQ(addResult.lVal, 15);

        CComVariant calls;
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        EXPECT_EQ(disp->Invoke(DispIdOf(disp, L"Calls"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                               &calls, nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(calls.lVal, 5);

        EXPECT_EQ(disp->Invoke(9999, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
                  DISP_E_MEMBERNOTFOUND);
    }

    // The last reference is gone: the server's lock count reached zero and it ends by itself.
    if (process) {
        EXPECT_TRUE(WaitForProcess(process)) << "the server did not exit after its last object was released";
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(process, &code);
        EXPECT_EQ(code, 0u) << "the server did not end cleanly";
        ::CloseHandle(process);
    }

    ASSERT_EQ(RunServer(L"-UnregServer"), 0);
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, clsidKey));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"Korvel.FwTestCalc"));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"Korvel.FwTestCalc.1"));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"AppID\\") + kAppIdText));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"AppID\\test_framework_comserver.exe"));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kLibIdText));
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"CLSID")); // shared parents stay
    EXPECT_NE(::CLSIDFromProgID(L"Korvel.FwTestCalc", &clsid), S_OK);
}
