// The program's COM objects and callback sinks, called through their interfaces in this
// process: return codes with and without a main window or an owner, the message bag's map.
#include "app/CConsole.h"
#include "app/CCoreCallBack.h"
#include "app/CMessage.h"
#include "app/CTheCallback.h"
#include "framework/CComBSTR.h"
#include "framework/CComObject.h"
#include "framework/CComPtr.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

using apptest::Make;

std::wstring Text(BSTR b)
{
    std::wstring s = b ? std::wstring(b, ::SysStringLen(b)) : L"";
    ::SysFreeString(b);
    return s;
}

// A command object of the core, as the core hands one to the sinks; a core that cannot make
// one fails the test.
CComPtr<IQorCmd> MakeCmd(const wchar_t* name)
{
    CComPtr<IQorCmd> cmd;
    CLSID clsid = {};
    if (SUCCEEDED(::CLSIDFromProgID(kProgIdQorCmd, &clsid)))
        ::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IQorCmd, reinterpret_cast<void**>(&cmd));
    EXPECT_TRUE(cmd) << "no core command object";
    if (cmd)
        cmd->put_Name(CComBSTR(name));
    return cmd;
}

} // namespace

TEST(MessageObjectTest, ReceiversAndItemsByIndex)
{
    CComPtr<IMessage> msg = Make<CMessage, IMessage>();
    ASSERT_TRUE(msg);
    msg->AddReceiver(CComBSTR(L"ann@corp"), CComBSTR(L"Ann"));
    msg->AddReceiver(CComBSTR(L"bob@corp"), CComBSTR(L"Bob"));
    msg->AddItem(CComBSTR(L"first"));
    LONG n = 0;
    EXPECT_EQ(msg->GetReceiverCount(&n), S_OK);
    EXPECT_EQ(n, 2);
    BSTR b = nullptr;
    EXPECT_EQ(msg->GetReceiver(1, &b), S_OK);
    EXPECT_EQ(Text(b), L"bob@corp");
    EXPECT_EQ(msg->GetReceiverName(0, &b), S_OK);
    EXPECT_EQ(Text(b), L"Ann");
    EXPECT_EQ(msg->GetReceiver(2, &b), S_FALSE);
    EXPECT_EQ(msg->GetReceiverName(-1, &b), S_FALSE);
    EXPECT_EQ(msg->GetItemCount(&n), S_OK);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(msg->GetItem(0, &b), S_OK);
    EXPECT_EQ(Text(b), L"first");
    EXPECT_EQ(msg->GetItem(-1, &b), S_FALSE);
    EXPECT_EQ(msg->GetItem(1, &b), S_FALSE); // the item count itself is out of range
    LONG cleared = 0;
    // A null out-argument is refused like on every other method, and clears nothing.
    EXPECT_EQ(msg->ClearReceivers(nullptr), E_POINTER);
    EXPECT_EQ(msg->GetReceiverCount(&n), S_OK);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(msg->ClearReceivers(&cleared), S_OK);
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(msg->GetReceiverCount(&n), S_OK);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(msg->GetItemCount(nullptr), E_POINTER);
}

TEST(MessageObjectTest, FixedPropertiesRoundTrip)
{
    CComPtr<IMessage> msg = Make<CMessage, IMessage>();
    msg->SetText1(CComBSTR(L"one"));
    msg->SetText2(CComBSTR(L"two"));
    msg->SetText3(CComBSTR(L"three"));
    msg->SetText4(CComBSTR(L"four"));
    msg->SetNumber(42);
    BSTR b = nullptr;
    msg->GetText1(&b);
    EXPECT_EQ(Text(b), L"one");
    msg->GetText2(&b);
    EXPECT_EQ(Text(b), L"two");
    msg->GetText3(&b);
    EXPECT_EQ(Text(b), L"three");
    msg->GetText4(&b);
    EXPECT_EQ(Text(b), L"four");
    LONG n = 0;
    msg->GetNumber(&n);
    EXPECT_EQ(n, 42);
}

TEST(MessageObjectTest, ValueKeysIgnoreCaseAndReadingAddsTheKey)
{
    CComPtr<IMessage> msg = Make<CMessage, IMessage>();
    BSTR b = nullptr;
    LONG n = -1;
    // An absent key reads as "" and is a key from then on.
    EXPECT_EQ(msg->GetValue(CComBSTR(L"Missing"), &b), S_OK);
    EXPECT_EQ(Text(b), L"");
    msg->GetValueCount(&n);
    EXPECT_EQ(n, 1);

    msg->SetValue(CComBSTR(L"Name"), CComBSTR(L"a"));
    msg->GetValue(CComBSTR(L"NAME"), &b);
    EXPECT_EQ(Text(b), L"a");
    msg->SetValue(CComBSTR(L"nAmE"), CComBSTR(L"b"));
    msg->GetValueCount(&n);
    EXPECT_EQ(n, 2);
    // By index in the map's order (keys lower-cased: "missing" < "name").
    msg->GetKeyAt(1, &b);
    EXPECT_EQ(Text(b), L"name");
    msg->GetValueAt(1, &b);
    EXPECT_EQ(Text(b), L"b");
    EXPECT_EQ(msg->GetKeyAt(2, &b), S_OK);
    EXPECT_EQ(Text(b), L"");
    EXPECT_EQ(msg->GetValueAt(-1, &b), S_OK);
    EXPECT_EQ(Text(b), L"");
}

TEST(ConsoleObjectTest, WithoutMainWindow)
{
    apptest::App().m_pMainDlg = nullptr;
    CComPtr<IConsole> console = Make<CConsole, IConsole>();
    ASSERT_TRUE(console);
    qorview_test::ClearCalls();
    BSTR b = nullptr;
    LONG n = -1;
    EXPECT_EQ(console->GetRecentContacts(&b), S_OK);
    EXPECT_EQ(b, nullptr); // nothing written
    EXPECT_EQ(console->IsSignedIn(&n), S_OK);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(console->Notify(1, 2, CComBSTR(L"x")), S_OK);
    EXPECT_EQ(console->GetSelectedUsers(&b), S_FALSE);
    EXPECT_EQ(console->GetSelectedUsersWithIds(&b), S_FALSE);
    EXPECT_EQ(console->GetSelectedUsersAll(&b), S_FALSE);
    EXPECT_EQ(console->GetADSServer(&b), S_FALSE);
    EXPECT_EQ(console->GetADSPort(&n), S_FALSE);
    EXPECT_EQ(console->GetSessionString1(&b), S_FALSE);
    EXPECT_EQ(console->GetSessionString2(&b), S_FALSE);
    EXPECT_EQ(console->OpenChatDlg(CComBSTR(L"a"), CComBSTR(L"b")), S_FALSE);
    CComPtr<IMessage> msg = Make<CMessage, IMessage>();
    EXPECT_EQ(console->SendMsg(msg, 1, 0), S_FALSE);
    // Nothing reached the view library.
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::GetSelectedUsers"), 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 0);
    // Null out-arguments.
    EXPECT_EQ(console->IsSignedIn(nullptr), E_POINTER);
    EXPECT_EQ(console->GetSelectedUsers(nullptr), E_POINTER);
    EXPECT_EQ(console->CreateMsg(nullptr), E_POINTER);
}

// The core's message class comes from QorCore.dll's registration: with it the console hands out a
// core message; without it the console says why and hands out nothing.
TEST(ConsoleTest, CreateMsgFailsWhenTheCoreMessageClassCannotBeMade)
{
    HMODULE core = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorCore.dll").c_str());
    ASSERT_NE(nullptr, core);
    using RegFn = HRESULT(WINAPI*)();
    auto reg = reinterpret_cast<RegFn>(::GetProcAddress(core, "DllRegisterServer"));
    auto unreg = reinterpret_cast<RegFn>(::GetProcAddress(core, "DllUnregisterServer"));
    ASSERT_TRUE(reg && unreg);
    ASSERT_EQ(S_OK, reg());
    CComPtr<IConsole> console = Make<CConsole, IConsole>();

    IDispatch* made = nullptr;
    EXPECT_EQ(S_OK, console->CreateMsg(&made));
    ASSERT_NE(nullptr, made);
    CComPtr<IQorMsg> asCoreMsg;
    EXPECT_EQ(S_OK, made->QueryInterface(IID_IQorMsg, reinterpret_cast<void**>(&asCoreMsg)));
    made->Release();

    ASSERT_EQ(S_OK, unreg());
    made = reinterpret_cast<IDispatch*>(1); // overwritten with null on failure
    HRESULT hr = console->CreateMsg(&made);
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
    EXPECT_EQ(nullptr, made);
    ASSERT_EQ(S_OK, reg()); // the other tests create core objects
    ::FreeLibrary(core);
}

TEST_F(MainWindowFixture, ConsoleAnswersForTheRunningClient)
{
    ASSERT_TRUE(CreateMain());
    CComPtr<IConsole> console = Make<CConsole, IConsole>();
    BSTR b = nullptr;
    LONG n = -1;
    m_pDlg->SetSignedIn(true);
    EXPECT_EQ(console->IsSignedIn(&n), S_OK);
    EXPECT_EQ(n, 1);

    qorview_test::ClearCalls();
    // The view library answers "no selection": S_FALSE, asked with both options on or off.
    EXPECT_EQ(console->GetSelectedUsers(&b), S_FALSE);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::GetSelectedUsers"), L"1|1");
    EXPECT_EQ(console->GetSelectedUsersAll(&b), S_FALSE);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::GetSelectedUsers"), L"0|0");

    EXPECT_EQ(console->OpenChatDlg(CComBSTR(L"ann@corp"), CComBSTR(L"Ann")), S_OK);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg"), L"ann@corp|Ann|||1|0");
    EXPECT_EQ(console->GetADSServer(&b), S_OK);
    Text(b);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::GetQorLoginPropInfo"), L"ADSServer");
    EXPECT_EQ(console->GetSessionString1(&b), S_OK);
    Text(b);

    // A null message cannot be sent: nothing is posted.
    EXPECT_EQ(console->SendMsg(nullptr, 7, 0), S_FALSE);
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, m_pDlg->GetSafeHwnd(), WM_USER + 2008, WM_USER + 2008, PM_NOREMOVE));
}

TEST(CallbackSinkTest, CoreSinkWithoutOwnerForwardsNothing)
{
    CComPtr<IUnknown> sink = Make<CCoreCallBack, IUnknown>();
    CComPtr<IQorCallback> cb;
    ASSERT_EQ(sink->QueryInterface(IID_IQorCallback, reinterpret_cast<void**>(&cb)), S_OK);
    // The sub-object shares the sink's identity.
    CComPtr<IUnknown> back;
    cb->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back));
    EXPECT_EQ(back.p, sink.p);

    qorview_test::ClearCalls();
    BOOL result = 7;
    EXPECT_EQ(cb->OnQorCmdRec(nullptr), S_FALSE);
    EXPECT_EQ(cb->OnQorMsgRec(nullptr), S_FALSE);
    EXPECT_EQ(cb->OnQorNteRec(nullptr), S_FALSE);
    EXPECT_EQ(cb->OnQorAddInMsgRec(CComBSTR(L"addin"), nullptr), S_FALSE);
    EXPECT_EQ(cb->OnConnectStateChange(12, 0, 0, &result), S_FALSE);
    EXPECT_EQ(result, 7);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorEventMgr::OnQorCmdRec"), 0);
    // Slots without an event.
    BSTR b = nullptr;
    long v = 0;
    EXPECT_EQ(cb->GetCallbackName(&b), E_NOTIMPL);
    EXPECT_EQ(cb->GetCallbackName(nullptr), E_POINTER);
    EXPECT_EQ(cb->GetCallbackVersion(&v), E_NOTIMPL);
    EXPECT_EQ(cb->GetCallbackVersion(nullptr), E_POINTER);
    EXPECT_EQ(cb->QueryHostInfo(1, nullptr), E_POINTER);
    EXPECT_EQ(cb->QueryHostInfo(1, &b), E_NOTIMPL);
    EXPECT_EQ(cb->OnQorProgress(1, 2), E_NOTIMPL);
    EXPECT_EQ(cb->OnQorFileEvent(1, nullptr), E_NOTIMPL);
    EXPECT_EQ(cb->OnQorDataRec(1, nullptr), E_NOTIMPL);
}

TEST(CallbackSinkTest, AppSinkWithoutOwnerAnswersEPointer)
{
    CComPtr<IUnknown> sink = Make<CTheCallback, IUnknown>();
    CComPtr<IQorCallback> cb;
    ASSERT_EQ(sink->QueryInterface(IID_IQorCallback, reinterpret_cast<void**>(&cb)), S_OK);
    BOOL result = 7;
    EXPECT_EQ(cb->OnQorCmdRec(nullptr), E_POINTER);
    EXPECT_EQ(cb->OnQorMsgRec(nullptr), E_POINTER);
    EXPECT_EQ(cb->OnQorNteRec(nullptr), E_POINTER);
    EXPECT_EQ(cb->OnConnectStateChange(12, 0, 0, &result), E_POINTER);
    EXPECT_EQ(cb->OnQorAddInMsgRec(nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(cb->GetCallbackName(nullptr), E_POINTER);
}

TEST_F(MainWindowFixture, SinksWithTheMainWindowAsOwner)
{
    ASSERT_TRUE(CreateMain());
    // The window's own registration made them and gave them to the view library.
    ASSERT_NE(m_pDlg->GetCallbackSinks().GetCoreSink(), nullptr);
    ASSERT_NE(m_pDlg->GetCallbackSinks().GetAppSink(), nullptr);
    EXPECT_EQ(m_pDlg->GetCallbackSinks().GetCoreSink()->GetOwner(), m_pDlg);
    IQorCallback* core = m_pDlg->GetCallbackSinks().GetCoreSink()->GetCallback();
    IQorCallback* app = m_pDlg->GetCallbackSinks().GetAppSink()->GetCallback();

    qorview_test::ClearCalls();
    CComPtr<IQorCmd> cmd = MakeCmd(L"LSV");
    EXPECT_EQ(core->OnQorCmdRec(cmd), S_OK);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorEventMgr::OnQorCmdRec"), 1);
    EXPECT_EQ(core->OnQorNteRec(cmd), S_OK);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorEventMgr::OnQorNteRec"), 1);
    EXPECT_EQ(core->OnQorAddInMsgRec(CComBSTR(L"Mail"), nullptr), S_OK);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorEventMgr::OnQorAddInMsgRec").rfind(L"Mail", 0), 0u);
    // The main window takes the state change: the out value stays 1.
    BOOL result = 0;
    EXPECT_EQ(core->OnConnectStateChange(12, 99, 0, &result), S_OK);
    EXPECT_EQ(result, 1);

    // The application sink forwards its notification and still answers E_NOTIMPL.
    EXPECT_EQ(app->OnQorCmdRec(cmd), E_NOTIMPL);
    // A null object from the core is refused, never handed on.
    EXPECT_EQ(app->OnQorMsgRec(nullptr), E_POINTER);
    EXPECT_EQ(app->OnQorCmdRec(nullptr), E_POINTER);
    EXPECT_EQ(core->OnConnectStateChange(12, 0, 0, nullptr), E_POINTER);
    EXPECT_EQ(app->OnQorNteRec(cmd), S_OK);
    EXPECT_EQ(app->OnConnectStateChange(12, 0, 0, &result), E_NOTIMPL);
}

TEST_F(MainWindowFixture, SinksLoseTheirOwnerWhenTheWindowGoes)
{
    ASSERT_TRUE(CreateMain());
    CComPtr<IQorCallback> core = m_pDlg->GetCallbackSinks().GetCoreSink()->GetCallback();
    CComPtr<IQorCallback> app = m_pDlg->GetCallbackSinks().GetAppSink()->GetCallback();
    DestroyMain();
    // A late event from the core finds no window instead of a deleted one.
    EXPECT_EQ(core->OnQorCmdRec(nullptr), S_FALSE);
    EXPECT_EQ(app->OnQorMsgRec(nullptr), E_POINTER);
}

TEST(ConsoleObjectTest, SelectedUserTextsJoinWithoutATrailingSemicolon)
{
    CStringArray first, second;
    EXPECT_EQ(CConsole::JoinSelectedUsers(first, second), L"");
    const wchar_t* accounts[] = {L"ann@corp", L"bob@corp", L"cy@corp"};
    const wchar_t* names[] = {L"Ann", L"Bob", L"Cy"};
    for (int i = 0; i < 3; ++i) {
        first.Add(accounts[i]);
        second.Add(names[i]);
    }
    EXPECT_EQ(CConsole::JoinSelectedUsers(first, second), L"ann@corp,Ann;bob@corp,Bob;cy@corp,Cy");

    // With ids: as far as the shortest of the three lists goes.
    CArray<int, int> ids;
    ids.Add(7);
    ids.Add(8);
    EXPECT_EQ(CConsole::JoinSelectedUsersWithIds(ids, first, second), L"7,ann@corp,Ann;8,bob@corp,Bob");
    ids.Add(9);
    ids.Add(10);
    second.RemoveAt(2);
    EXPECT_EQ(CConsole::JoinSelectedUsersWithIds(ids, first, second), L"7,ann@corp,Ann;8,bob@corp,Bob");
}
