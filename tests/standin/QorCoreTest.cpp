// The core component as the program reaches it: by ProgID through COM, and by vtable
// position. The position checks call through the raw function table, so a method moved
// in the declarations fails here.
#include "framework/Platform.h"
#include "platform/QorCore/IQorCallback.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorConsole.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorCore/IQorWebCtl.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// Calls the method at a position of the object's function table.
template <class... Args>
HRESULT CallSlot(IUnknown* obj, int slot, Args... args)
{
    using Fn = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, Args...);
    void** table = *reinterpret_cast<void***>(obj);
    return reinterpret_cast<Fn>(table[slot])(obj, args...);
}

std::wstring Take(BSTR b)
{
    std::wstring s = b ? std::wstring(b, ::SysStringLen(b)) : std::wstring();
    ::SysFreeString(b);
    return s;
}

class Bstr {
public:
    explicit Bstr(const wchar_t* s) : b_(::SysAllocString(s)) {}
    ~Bstr() { ::SysFreeString(b_); }
    operator BSTR() const { return b_; }

private:
    BSTR b_;
};

template <class I>
I* CreateByProgId(const wchar_t* progId, const IID& iid)
{
    CLSID clsid = {};
    if (FAILED(::CLSIDFromProgID(progId, &clsid)))
        return nullptr;
    I* p = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, iid, reinterpret_cast<void**>(&p))))
        return nullptr;
    return p;
}

class QorCore : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(qorcore_test::Register()); }
    void SetUp() override { qorcore_test::ClearCalls(); }
};

TEST_F(QorCore, EveryProgIdResolvesToItsClass)
{
    struct {
        const wchar_t* progId;
        const CLSID* clsid;
    } const classes[] = {{kProgIdQorMsg, &CLSID_QorMsg},
                         {kProgIdQorConsole, &CLSID_QorConsole},
                         {kProgIdQorWebCtl, &CLSID_QorWebCtl},
                         {kProgIdQorCmd, &CLSID_QorCmd}};
    for (const auto& c : classes) {
        CLSID clsid = {};
        ASSERT_EQ(S_OK, ::CLSIDFromProgID(c.progId, &clsid)) << c.progId;
        EXPECT_TRUE(IsEqualCLSID(*c.clsid, clsid)) << c.progId;
    }
}

TEST_F(QorCore, ViewManagerMakesTheCoreCreatableWithoutAnyRegistrationStep)
{
    using Fn = HRESULT(WINAPI*)();
    auto unregister = reinterpret_cast<Fn>(::GetProcAddress(::GetModuleHandleW(L"QorCore.dll"), "DllUnregisterServer"));
    ASSERT_NE(nullptr, unregister);
    ASSERT_EQ(S_OK, unregister());
    CLSID clsid = {};
    ASSERT_NE(S_OK, ::CLSIDFromProgID(kProgIdQorMsg, &clsid));
    ASSERT_TRUE(qorview_test::EnsureCoreRegistered()); // what CQorViewMgr's construction runs
    CQorViewMgr::Instance();
    IQorMsg* msg = CreateByProgId<IQorMsg>(kProgIdQorMsg, IID_IQorMsg);
    ASSERT_NE(nullptr, msg);
    msg->Release();
}

TEST_F(QorCore, MessageFieldsRoundTripAtTheirPositions)
{
    long liveBefore = qorcore_test::LiveObjects();
    IQorMsg* msg = CreateByProgId<IQorMsg>(kProgIdQorMsg, IID_IQorMsg);
    ASSERT_NE(nullptr, msg);

    // Text properties: setter position, getter position.
    struct TextSlot {
        int put, get;
        const wchar_t* value;
    } const texts[] = {
        {8, 7, L"alice"},          // Sender
        {10, 9, L"Alice Liddell"}, // SenderName
        {12, 11, L"Hello"},        // Subject
        {14, 13, L"2017-05-31 07:09:11"}, // SendTime
        {17, 16, L"Text/Html"},    // ContentType
        {19, 18, L"{msg-1}"},      // MsgID
        {26, 25, L"talk-9"},       // TalkID
        {31, 30, L"third"},        // third text
        {48, 47, L"fourth"},       // fourth text
        {50, 49, L"key-7"},        // MsgKey
        {54, 53, L"Project talk"}, // TalkName
        {66, 65, L"one;two"},      // ExtraPair
    };
    for (const TextSlot& t : texts) {
        ASSERT_EQ(S_OK, CallSlot(msg, t.put, static_cast<BSTR>(Bstr(t.value)))) << t.put;
    }
    for (const TextSlot& t : texts) {
        BSTR out = nullptr;
        ASSERT_EQ(S_OK, CallSlot(msg, t.get, &out)) << t.get;
        EXPECT_EQ(t.value, Take(out)) << t.get;
    }
    struct LongSlot {
        int put, get;
        long value;
    } const longs[] = {{34, 33, 0x20020}, {36, 35, 14}, {64, 63, 77}};
    for (const LongSlot& l : longs) {
        ASSERT_EQ(S_OK, CallSlot(msg, l.put, l.value));
        long out = 0;
        ASSERT_EQ(S_OK, CallSlot(msg, l.get, &out));
        EXPECT_EQ(l.value, out) << l.get;
    }

    // AddReceiver (15), AddFile (21), SetProperty (37), ItemCount (42).
    ASSERT_EQ(S_OK, CallSlot(msg, 15, static_cast<BSTR>(Bstr(L"bob")), static_cast<BSTR>(Bstr(L"Bob"))));
    ASSERT_EQ(S_OK, CallSlot(msg, 21, static_cast<BSTR>(Bstr(L"C:\\f.txt"))));
    ASSERT_EQ(S_OK, CallSlot(msg, 37, static_cast<BSTR>(Bstr(L"Key")), static_cast<BSTR>(Bstr(L"v1"))));
    ASSERT_EQ(S_OK, CallSlot(msg, 37, static_cast<BSTR>(Bstr(L"KEY")), static_cast<BSTR>(Bstr(L"v2"))));
    long count = -1;
    ASSERT_EQ(S_OK, msg->get_ReceiverCount(&count));
    EXPECT_EQ(1, count);
    BSTR account = nullptr, name = nullptr;
    ASSERT_EQ(S_OK, msg->GetReceiver(0, &account, &name));
    EXPECT_EQ(L"bob", Take(account));
    EXPECT_EQ(L"Bob", Take(name));
    EXPECT_EQ(E_INVALIDARG, msg->GetReceiver(1, &account, &name));
    ASSERT_EQ(S_OK, msg->get_FileCount(&count));
    EXPECT_EQ(1, count);
    ASSERT_EQ(S_OK, msg->get_PropertyCount(&count));
    EXPECT_EQ(1, count);
    BSTR value = nullptr;
    ASSERT_EQ(S_OK, msg->GetProperty(Bstr(L"key"), &value));
    EXPECT_EQ(L"v2", Take(value));
    EXPECT_EQ(S_FALSE, msg->GetProperty(Bstr(L"absent"), &value));
    EXPECT_EQ(L"", Take(value));

    ASSERT_EQ(S_OK, msg->AddItem(Bstr(L"item")));
    long items = -1;
    ASSERT_EQ(S_OK, CallSlot(msg, 42, 0L, &items));
    EXPECT_EQ(1, items);
    EXPECT_EQ(E_POINTER, msg->get_Subject(nullptr));

    // Late binding is refused cleanly: the program calls by position only.
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Subject")};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, msg->GetIDsOfNames(IID_NULL, names, 1, 0, &id));

    EXPECT_EQ(0u, msg->Release());
    EXPECT_EQ(liveBefore, qorcore_test::LiveObjects());
}

TEST_F(QorCore, CommandObjectAnswersAtItsPositions)
{
    IQorCmd* cmd = CreateByProgId<IQorCmd>(kProgIdQorCmd, IID_IQorCmd);
    ASSERT_NE(nullptr, cmd);
    cmd->put_Name(Bstr(L"ERR"));
    cmd->AddIntArg(223);
    cmd->AddStrArg(Bstr(L"first"));
    cmd->AddStrArg(Bstr(L"DNF"));
    cmd->SetField(Bstr(L"Method"), Bstr(L"RCM"));

    BSTR out = nullptr;
    ASSERT_EQ(S_OK, CallSlot(cmd, 7, &out));
    EXPECT_EQ(L"ERR", Take(out));
    long n = 0;
    ASSERT_EQ(S_OK, CallSlot(cmd, 11, 0L, &n));
    EXPECT_EQ(223, n);
    EXPECT_EQ(S_FALSE, CallSlot(cmd, 11, 5L, &n));
    EXPECT_EQ(0, n);
    ASSERT_EQ(S_OK, CallSlot(cmd, 12, 1L, &out));
    EXPECT_EQ(L"DNF", Take(out));
    ASSERT_EQ(S_OK, CallSlot(cmd, 18, static_cast<BSTR>(Bstr(L"method")), &out));
    EXPECT_EQ(L"RCM", Take(out));
    EXPECT_EQ(S_FALSE, CallSlot(cmd, 18, static_cast<BSTR>(Bstr(L"none")), &out));
    EXPECT_EQ(L"", Take(out));
    cmd->Release();
}

TEST_F(QorCore, ConsoleRecordsPositions42And103)
{
    CLSID clsid = {};
    ASSERT_EQ(S_OK, ::CLSIDFromProgID(kProgIdQorConsole, &clsid));
    IUnknown* unk = nullptr;
    ASSERT_EQ(S_OK, ::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IUnknown, reinterpret_cast<void**>(&unk)));
    EXPECT_EQ(S_OK, ::OleRun(unk));
    IQorConsole* console = nullptr;
    ASSERT_EQ(S_OK, unk->QueryInterface(IID_IQorConsole, reinterpret_cast<void**>(&console)));
    unk->Release();

    BSTR out = nullptr;
    EXPECT_EQ(S_OK, CallSlot(console, 42, static_cast<BSTR>(Bstr(L"n-1")), static_cast<BSTR>(Bstr(L"k-1")), &out));
    ::SysFreeString(out);
    EXPECT_EQ(S_OK, CallSlot(console, 103, 0L));
    EXPECT_EQ(E_NOTIMPL, CallSlot(console, 50));
    EXPECT_EQ(L"n-1|k-1", qorcore_test::LastArgs(L"Console.OpenMsg"));
    EXPECT_EQ(L"0", qorcore_test::LastArgs(L"Console.UnreadLoaded"));
    EXPECT_EQ(1, qorcore_test::CountCalls(L"Console.Reserved50"));
    console->Release();
}

TEST_F(QorCore, WhatTheConsoleSendsIsRecordedOnlyWhileATestAsksForIt)
{
    IQorConsole* console = CreateByProgId<IQorConsole>(kProgIdQorConsole, IID_IQorConsole);
    IQorMsg* msg = CreateByProgId<IQorMsg>(kProgIdQorMsg, IID_IQorMsg);
    ASSERT_TRUE(console && msg);
    msg->put_Subject(Bstr(L"a private text"));
    // The program's own state: nothing is kept of what goes out, however much goes out.
    qorcore_test::StopRecording();
    for (int i = 0; i < 3; ++i)
        console->SendMsg(msg);
    EXPECT_TRUE(qorcore_test::Calls().empty());
    qorcore_test::ClearCalls();
    console->SendMsg(msg);
    EXPECT_EQ(1, qorcore_test::CountCalls(L"Console.SendMsg"));
    msg->Release();
    console->Release();
}

TEST_F(QorCore, WebControlShowsTheAddressItNavigatesTo)
{
    IQorWebCtl* web = CreateByProgId<IQorWebCtl>(kProgIdQorWebCtl, IID_IQorWebCtl);
    ASSERT_NE(nullptr, web);
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, parent);
    long created = 0;
    ASSERT_EQ(S_OK, CallSlot(web, 7, reinterpret_cast<LONG_PTR>(parent), 2L, 2L, 200L, 100L, 0x50000000L, &created));
    EXPECT_EQ(1, created);
    ASSERT_EQ(S_OK, CallSlot(web, 12, 0L, 0xFFFFFFL));
    ASSERT_EQ(S_OK, CallSlot(web, 13, static_cast<BSTR>(Bstr(L"http://h:8000/roam?x=1"))));
    ASSERT_EQ(S_OK, CallSlot(web, 9, 2L, 2L, 250L, 150L));
    long state = -1;
    ASSERT_EQ(S_OK, CallSlot(web, 15, &state));
    EXPECT_EQ(1, state);

    HWND child = ::GetWindow(parent, GW_CHILD);
    ASSERT_NE(nullptr, child);
    wchar_t text[64] = {};
    ::GetWindowTextW(child, text, 64);
    EXPECT_STREQ(L"http://h:8000/roam?x=1", text);
    RECT rc;
    ::GetWindowRect(child, &rc);
    EXPECT_EQ(250, rc.right - rc.left);
    EXPECT_EQ(L"0|16777215", qorcore_test::LastArgs(L"WebCtl.SetColors"));
    web->Release();
    EXPECT_FALSE(::IsWindow(child));
    ::DestroyWindow(parent);
}

// A callback sink of our own, to check IQorCallback's positions as the core calls them.
class RecordingSink : public IQorCallback {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IQorCallback)) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetCallbackName(BSTR*) override { last = 7; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCallbackVersion(long*) override { last = 8; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorCmdRec(IQorCmd*) override { last = 9; return S_OK; }
    HRESULT STDMETHODCALLTYPE OnQorMsgRec(IQorMsg*) override { last = 10; return S_OK; }
    HRESULT STDMETHODCALLTYPE OnConnectStateChange(long state, long, long, BOOL* result) override
    {
        last = 11;
        *result = state == 12;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnQorNteRec(IQorCmd*) override { last = 12; return S_OK; }
    HRESULT STDMETHODCALLTYPE OnQorProgress(long, long) override { last = 13; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorAddInMsgRec(BSTR, IQorMsg*) override { last = 14; return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryHostInfo(long, BSTR*) override { last = 15; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorFileEvent(long, IQorCmd*) override { last = 16; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorDataRec(long, BSTR) override { last = 17; return E_NOTIMPL; }
    int last = 0;
};

TEST_F(QorCore, CallbackSlotsSitAtPositions7To17)
{
    RecordingSink sink;
    CallSlot(&sink, 9, static_cast<IQorCmd*>(nullptr));
    EXPECT_EQ(9, sink.last);
    CallSlot(&sink, 10, static_cast<IQorMsg*>(nullptr));
    EXPECT_EQ(10, sink.last);
    BOOL result = FALSE;
    CallSlot(&sink, 11, 12L, 0L, 0L, &result);
    EXPECT_EQ(11, sink.last);
    EXPECT_TRUE(result);
    CallSlot(&sink, 14, static_cast<BSTR>(nullptr), static_cast<IQorMsg*>(nullptr));
    EXPECT_EQ(14, sink.last);
    CallSlot(&sink, 17, 0L, static_cast<BSTR>(nullptr));
    EXPECT_EQ(17, sink.last);
}

} // namespace
