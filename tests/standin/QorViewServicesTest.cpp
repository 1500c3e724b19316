// The view library's services: texts from the resource module, the error log, HTTP POST
// over WinINet, scripted message boxes, the text helpers and the view manager's sign-in.
#include "framework/Platform.h"
#include "framework/CWnd.h"
#include "platform/QorCore/IWebExt.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CCheckPSWDlg1.h"
#include "platform/QorView/CWqCriticalSection.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

class QorViewServices : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = testsupport::TempDir(L"qorview_services");
        qorview_test::SetProfileRoot(root_);
        qorview_test::ClearCalls();
        qorview_test::ClearMessageBoxAnswers();
        qorview_test::ClearHttpReply();
    }
    void TearDown() override
    {
        qorview_test::ClearMessageBoxAnswers();
        qorview_test::ClearHttpReply();
        qorview_test::ClearLoginResult();
        qorview_test::SetProfileRoot(L"");
        testsupport::RemoveTree(root_);
    }
    std::wstring root_;
};

TEST_F(QorViewServices, LoadStringComesFromTheResourceModule)
{
    EXPECT_EQ(CString(L"Korvel Messenger"), CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE));
    EXPECT_EQ(CString(L"Korvel"), CQorViewBaseFun::LoadStringW(IDS_PRODUCT_NAME));
    EXPECT_NE(-1, CQorViewBaseFun::LoadStringW(IDS_ACCOUNT_SIGNED_IN).Find(L"%2"));
    EXPECT_TRUE(CQorViewBaseFun::LoadStringW(59999).IsEmpty());
}

TEST_F(QorViewServices, StatusTextsCoverTheSignInStatuses)
{
    for (int status : {3, 4, 5, 6, 7, 8})
        EXPECT_FALSE(CQorViewBaseFun::GetUserStatusStr(status).IsEmpty()) << status;
    EXPECT_EQ(CQorViewBaseFun::GetUserStatusStr(0), CQorViewBaseFun::GetUserStatusStr(99));
    EXPECT_NE(CQorViewBaseFun::GetUserStatusStr(3), CQorViewBaseFun::GetUserStatusStr(8));
}

TEST_F(QorViewServices, ErrorLogAppendsLinesEndingInCrLf)
{
    CQorViewBaseFun::WriteErrorLogFile(L"first line");
    CQorViewBaseFun::WriteErrorLogFile(L"second line\r\n");
    CQorViewBaseFun::WriteErrorLogFileEx(L"\x00e9t\x00e9");
    CString file = CQorViewBaseFun::GetErrorLogFile();
    ASSERT_EQ(0, file.Find(root_.c_str()));
    std::ifstream in(file.GetString(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ("first line\r\nsecond line\r\n\xc3\xa9t\xc3\xa9\r\n", bytes);
}

TEST_F(QorViewServices, ErrorLogKeepsLinesWholeAcrossThreads)
{
    std::thread a([] { for (int i = 0; i < 50; ++i) CQorViewBaseFun::WriteErrorLogFile(L"aaaaaaaaaaaaaaaa"); });
    std::thread b([] { for (int i = 0; i < 50; ++i) CQorViewBaseFun::WriteErrorLogFile(L"bbbbbbbbbbbbbbbb"); });
    a.join();
    b.join();
    std::ifstream in(CQorViewBaseFun::GetErrorLogFile().GetString(), std::ios::binary);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        ++lines;
        EXPECT_TRUE(line == "aaaaaaaaaaaaaaaa\r" || line == "bbbbbbbbbbbbbbbb\r") << line;
    }
    EXPECT_EQ(100, lines);
}

TEST_F(QorViewServices, HttpPostReachesTheServerAndReturnsTheReplyBytes)
{
    std::string body = "<root State=\"0\">\xe4\xb8\xad</root>";
    CStringA reply;
    int result = 0;
    std::string request;
    {
        testsupport::HttpServer server(body);
        CString url;
        url.Format(L"http://127.0.0.1:%d/open/user.html?op=get_user_depts&username=al%%20ice", server.Port());
        result = CQorViewBaseFun::GetResultByHttpPost(url, reply);
        std::vector<std::string> requests = server.Requests();
        request = requests.empty() ? std::string() : requests[0];
    }
    EXPECT_NE(0, result);
    EXPECT_EQ(body, std::string(reply.GetString(), reply.GetLength()));
    EXPECT_EQ(0u, request.find("POST /open/user.html?op=get_user_depts&username=al%20ice HTTP/1.1\r\n")) << request;
}

TEST_F(QorViewServices, HttpPostFailsCleanly)
{
    CStringA reply = "stale";
    EXPECT_EQ(0, CQorViewBaseFun::GetResultByHttpPost(L"not a url", reply));
    EXPECT_TRUE(reply.IsEmpty());
    EXPECT_EQ(0, CQorViewBaseFun::GetResultByHttpPost(L"ftp://127.0.0.1/x", reply));
}

TEST_F(QorViewServices, HttpPostCanBeScripted)
{
    qorview_test::SetHttpReply("<ok/>");
    CStringA reply;
    EXPECT_EQ(1, CQorViewBaseFun::GetResultByHttpPost(L"http://nowhere.invalid/x", reply));
    EXPECT_EQ(CStringA("<ok/>"), reply);
    EXPECT_EQ(L"http://nowhere.invalid/x", qorview_test::LastArgs(L"CQorViewBaseFun::GetResultByHttpPost"));
}

TEST_F(QorViewServices, MessageBoxAnswersComeFromTheScriptInOrder)
{
    qorview_test::PushMessageBoxAnswer(IDYES);
    qorview_test::PushMessageBoxAnswer(IDNO);
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);
    EXPECT_EQ(IDYES, QorMessageBox(L"one", L"cap", static_cast<CWnd*>(nullptr), MB_YESNO, MB_ICONQUESTION));
    EXPECT_EQ(IDNO, QorMessageBox(L"two", L"cap", static_cast<CWnd*>(nullptr), MB_YESNO));
    EXPECT_EQ(IDOK, QorMessageBoxHwnd(L"three", L"cap", nullptr, 0x30));
    EXPECT_EQ(3, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_EQ(L"three|cap|48", qorview_test::LastArgs(L"QorMessageBox"));
}

struct SplitCase {
    const wchar_t* text;
    int max;
    std::vector<std::wstring> fields;
};

TEST_F(QorViewServices, StringToArraySplitsAtEverySeparator)
{
    const SplitCase cases[] = {
        {L"a;b", -1, {L"a", L"b"}},
        {L"a;;b;", -1, {L"a", L"", L"b", L""}},
        {L"", -1, {}},
        {L"one", -1, {L"one"}},
        {L"a;b;c;d", 2, {L"a", L"b;c;d"}},
    };
    for (const SplitCase& c : cases) {
        CStringArray out;
        out.Add(L"stale");
        CQorViewBaseFun::StringToArray(c.text, out, L";", c.max);
        ASSERT_EQ(static_cast<INT_PTR>(c.fields.size()), out.GetSize()) << c.text;
        for (size_t i = 0; i < c.fields.size(); ++i)
            EXPECT_EQ(CString(c.fields[i].c_str()), out[i]) << c.text;
    }
}

TEST_F(QorViewServices, TextHelpers)
{
    CString user, second;
    CQorViewBaseFun::SeparateAID(L"alice@corp", user, second);
    EXPECT_EQ(CString(L"alice"), user);
    EXPECT_EQ(CString(L"corp"), second);
    CQorViewBaseFun::SeparateAID(L"bob", user, second);
    EXPECT_EQ(CString(L"bob"), user);
    EXPECT_TRUE(second.IsEmpty());

    CString out = L"stale";
    CQorViewBaseFun::UTF8ToString(nullptr, out);
    EXPECT_TRUE(out.IsEmpty());
    CQorViewBaseFun::UTF8ToString("\xe4\xb8\xad" "a", out);
    EXPECT_EQ(CString(L"\x4e2d" L"a"), out);

    EXPECT_EQ(CString(L"2017-05-31 15:09:11"), CQorViewBaseFun::ToDefaultLocalTime(L"2017-5-31 15:9:11"));
    EXPECT_EQ(CString(L"not a date"), CQorViewBaseFun::ToDefaultLocalTime(L"not a date"));
    CString bad = L"2017-13-01 00:00:00";
    CQorViewBaseFun::UTCTimeToLocalTime(bad);
    EXPECT_EQ(CString(L"2017-13-01 00:00:00"), bad);

    EXPECT_EQ(CString(L"4.1.362"), CQorViewBaseFun::GetAppVerInfo(41362));
    EXPECT_EQ(CString(L".txt"), CQorViewBaseFun::GetFileType(L"C:\\a.b\\File.TXT"));
    EXPECT_TRUE(CQorViewBaseFun::GetFileType(L"C:\\a.b\\noext").IsEmpty());
    EXPECT_EQ(CString(L"C:\\a.b"), CQorViewBaseFun::GetPathName(L"C:\\a.b\\noext"));
    EXPECT_TRUE(CQorViewBaseFun::IsHalfWideChar(L"abcd"));
    EXPECT_FALSE(CQorViewBaseFun::IsHalfWideChar(L"ab\x4e2d"));
    CString guid = CQorViewBaseFun::CreateGUIDStr();
    EXPECT_EQ(38, guid.GetLength());
}

TEST_F(QorViewServices, CalculateRectKeepsTheWindowOnTheWorkArea)
{
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT r = {work.right - 50, work.bottom - 50, work.right + 250, work.bottom + 550};
    CQorViewBaseFun::CalculateRect(r);
    EXPECT_LE(r.right, work.right);
    EXPECT_LE(r.bottom, work.bottom);
    EXPECT_GE(r.left, work.left);
    EXPECT_EQ(300, r.right - r.left);
}

TEST_F(QorViewServices, SelectedFolderIsScripted)
{
    qorview_test::SetSelectedFolder(L"C:\\picked");
    qorview_test::SetSelectedFolder(L"");
    CString folder;
    EXPECT_TRUE(CQorViewBaseFun::GetSelectedFolder(nullptr, L"Choose", folder));
    EXPECT_EQ(CString(L"C:\\picked"), folder);
    EXPECT_FALSE(CQorViewBaseFun::GetSelectedFolder(nullptr, L"Choose", folder));
}

TEST_F(QorViewServices, SoundsAreRecordedAndCanBeSwitchedOff)
{
    qorview_test::SetMuteSounds(true);
    EXPECT_TRUE(CQorViewBaseFun::EnablePlay(L"QOR_NewAlert", L"alice", L""));
    CString file = CQorViewBaseFun::GetSoundFile(L"QOR_NewAlert", L"alice", L"");
    EXPECT_NE(-1, file.Find(L"QOR_NewAlert"));
    CQorViewBaseFun::SetSoundFile(L"QOR_NewAlert", L"C:\\x.wav", FALSE);
    EXPECT_FALSE(CQorViewBaseFun::EnablePlay(L"QOR_NewAlert", L"alice", L""));
    EXPECT_EQ(CString(L"C:\\x.wav"), CQorViewBaseFun::GetSoundFile(L"QOR_NewAlert", L"alice", L""));
    EXPECT_FALSE(CQorViewBaseFun::PlaySoundFile(L"C:\\x.wav"));
    EXPECT_EQ(L"C:\\x.wav", qorview_test::LastArgs(L"CQorViewBaseFun::PlaySoundFile"));
    qorview_test::SetMuteSounds(false);
}

TEST_F(QorViewServices, ViewManagerIsOneObjectWithWritableFields)
{
    CQorViewMgr* mgr = CQorViewMgr::Instance();
    ASSERT_NE(nullptr, mgr);
    EXPECT_EQ(mgr, CQorViewMgr::Instance());
    mgr->m_bModal = 1;
    mgr->m_nUserStatus = 8;
    EXPECT_EQ(1, CQorViewMgr::Instance()->m_bModal);
    mgr->SetUserStatus(3, L"", TRUE);
    EXPECT_EQ(3, mgr->m_nUserStatus);
    mgr->m_bModal = 0;
    EXPECT_EQ(&mgr->m_EventMgr, mgr->GetEventMgr());
}

TEST_F(QorViewServices, LoginPostsTheScriptedOutcomeToTheOwnerWindow)
{
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    CWnd wnd;
    wnd.Attach(owner);
    CQorViewMgr* mgr = CQorViewMgr::Instance();
    mgr->m_pMainWnd = &wnd;

    CServerItemArray servers;
    servers.Add(_SERVERITEM{L"im.example.com", L"Head office", 6660});
    CQorViewBaseFun::SaveServerList(servers);
    qorview_test::SetLoginResult(12, 0);
    ASSERT_TRUE(mgr->SetProxy(0, 0, L"", 0, L"", L""));
    ASSERT_TRUE(mgr->Login(L"IM.example.com", 6660, L"alice", L"pw", 0, 5, 0, 0));

    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, owner, WM_APP + 1, WM_APP + 1, PM_REMOVE));
    EXPECT_EQ(12u, msg.wParam);
    EXPECT_EQ(0, msg.lParam);
    EXPECT_EQ(CString(L"Head office"), mgr->m_strServerName);
    EXPECT_EQ(CString(L"IM.example.com"), mgr->m_strServerAddr);
    EXPECT_EQ(6660, mgr->m_nServerPort);
    EXPECT_EQ(5, mgr->m_nUserStatus);
    // The password never reaches the call log.
    EXPECT_EQ(L"IM.example.com|6660|alice|0|5|0|0", qorview_test::LastArgs(L"CQorViewMgr::Login"));
    // The user's data folder, Data\<server>\User\<login>, is named from the sign-in.
    EXPECT_EQ(CString(L"alice"), mgr->m_strSessionText1);
    EXPECT_EQ(CString(L"IM.example.com"), mgr->m_strSessionText3);

    // The core's numbers have texts of their own; any other number is named in a general one.
    CString text, extra, known;
    EXPECT_TRUE(mgr->GetQorCoreErrorInfo(777, text, extra));
    EXPECT_NE(-1, text.Find(L"777"));
    EXPECT_TRUE(mgr->GetQorCoreErrorInfo(208, known, extra));
    EXPECT_FALSE(known.IsEmpty());
    EXPECT_EQ(-1, known.Find(L"208"));

    // Whatever was typed, the texts name folders inside the data folder, never above or beside it.
    struct Case { const wchar_t* login; const wchar_t* server; const wchar_t* folder1; const wchar_t* folder3; } cases[] = {
        {L"..", L".", L"__", L"_"},
        {L"..\\..\\x", L"a/b:c", L".._.._x", L"a_b_c"},
        {L"ann\t\r", L"host", L"ann__", L"host"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(mgr->Login(c.server, 6660, c.login, L"pw", 0, 3, 0, 0));
        EXPECT_EQ(CString(c.folder1), mgr->m_strSessionText1) << CStringA(c.login).GetString();
        EXPECT_EQ(CString(c.folder3), mgr->m_strSessionText3) << CStringA(c.server).GetString();
    }
    testsupport::PumpMessages();

    mgr->ClearData();
    EXPECT_TRUE(mgr->m_strAccount.IsEmpty());
    EXPECT_TRUE(mgr->m_strSessionText1.IsEmpty());
    mgr->m_pMainWnd = nullptr;
    wnd.Detach();
    ::DestroyWindow(owner);
}

TEST_F(QorViewServices, CriticalSectionOwnerHoldsTheLockForItsScope)
{
    CWqCriticalSection cs;
    {
        CWqCriticalSection::Owner owner(cs);
        bool other = true;
        std::thread t([&] { other = cs.TryLock() != FALSE; if (other) cs.Unlock(); });
        t.join();
        EXPECT_FALSE(other);
    }
    bool after = false;
    std::thread t([&] { after = cs.TryLock() != FALSE; if (after) cs.Unlock(); });
    t.join();
    EXPECT_TRUE(after);
}

} // namespace

namespace {

TEST_F(QorViewServices, UserListAnswersByLoginAndView)
{
    CUserListItem& list = CQorViewMgr::Instance()->m_UserList;
    list.RemoveAll();
    list.AddUser(L"Alice", L"Alice Liddell");
    list.AddView(L"v-1", 1, L"Sales");
    list.AddView(L"v-2", 2, L"Project");
    list.AddView(L"v-3", 2, L"Other");
    EXPECT_EQ(CString(L"Alice Liddell"), list.GetUserNameW(L"ALICE"));
    EXPECT_TRUE(list.GetUserNameW(L"bob").IsEmpty());
    ASSERT_NE(nullptr, list.FindViewItem(L"v-2"));
    EXPECT_EQ(CString(L"Project"), list.FindViewItem(L"v-2")->strName);
    EXPECT_EQ(nullptr, list.FindViewItem(L"v-9"));
    EXPECT_EQ(CString(L"v-2"), list.GetFirstViewIDByType(2));
    EXPECT_TRUE(list.GetFirstViewIDByType(7).IsEmpty());
    CQorViewMgr::Instance()->ClearData();
    EXPECT_TRUE(list.GetFirstViewIDByType(2).IsEmpty());
}

TEST_F(QorViewServices, PasswordPromptAnswersFromTheScriptWithoutAWindow)
{
    qorview_test::PushPasswordPromptAnswer(IDCANCEL);
    qorview_test::PushPasswordPromptAnswer(IDOK);
    CCheckPSWDlg1 first(nullptr);
    first.SetPassword(L"pw");
    first.SetViewMgr(CQorViewMgr::Instance());
    EXPECT_EQ(IDCANCEL, first.DoModal());
    CCheckPSWDlg1 second(nullptr);
    EXPECT_EQ(IDOK, second.DoModal());
    EXPECT_EQ(2, qorview_test::CountCalls(L"CCheckPSWDlg1::DoModal"));
}

TEST_F(QorViewServices, GroupItemsHandedToTheManagerAreTakenOver)
{
    CQorMsgItem* item = new CQorMsgItem;
    item->strTalkID = L"talk-1";
    item->strMsgID = L"m-1";
    item->nMsgType = 14;
    CQorViewMgr::Instance()->ProcessGroupOPT(item, true);
    EXPECT_EQ(L"talk-1|m-1|1", qorview_test::LastArgs(L"CQorViewMgr::ProcessGroupOPT"));
}

// A core callback that answers the connection state it is told, as the program's sink does.
class StateSink : public IQorCallback {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IQorCallback)) ? this : nullptr;
        if (!*ppv)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetCallbackName(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCallbackVersion(long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorCmdRec(IQorCmd*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorMsgRec(IQorMsg*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnConnectStateChange(long state, long detail, long, BOOL* pResult) override
    {
        lastState = state;
        lastDetail = detail;
        *pResult = state == 12;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnQorNteRec(IQorCmd*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorProgress(long, long) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorAddInMsgRec(BSTR, IQorMsg*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryHostInfo(long, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorFileEvent(long, IQorCmd*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnQorDataRec(long, BSTR) override { return E_NOTIMPL; }
    ULONG refs = 1;
    long lastState = 0, lastDetail = 0;
};

TEST_F(QorViewServices, ConnectStateReachesTheProgramsCoreCallback)
{
    CQorViewMgr* mgr = CQorViewMgr::Instance();
    mgr->SetCoreCallback(nullptr);
    EXPECT_EQ(-1, qorview_test::FireConnectState(12, 0, 0));

    StateSink sink;
    mgr->SetCoreCallback(&sink);
    EXPECT_EQ(3u, sink.refs); // the manager and the core it hands the sink to hold their own
    EXPECT_EQ(1, qorview_test::FireConnectState(12, 0, 0));
    EXPECT_EQ(0, qorview_test::FireConnectState(8, 10060, 0));
    EXPECT_EQ(8, sink.lastState);
    EXPECT_EQ(10060, sink.lastDetail);
    mgr->SetCoreCallback(nullptr);
    EXPECT_EQ(1u, sink.refs);
}

} // namespace

namespace {

// Calls a member of an automation object by name, as a page's script does.
HRESULT CallByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> argsLastFirst,
                   VARIANT* result)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS params = {argsLastFirst.empty() ? nullptr : argsLastFirst.data(), nullptr,
                         static_cast<UINT>(argsLastFirst.size()), 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

VARIANT Text(const wchar_t* s)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocString(s);
    return v;
}

} // namespace

TEST_F(QorViewServices, WebExtensionAnswersAPageByName)
{
    HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    IWebExt* ext = CQorViewBaseFun::CreateWebExt(host);
    ASSERT_NE(ext, nullptr);

    // window.external.onwebcommand("open", 42): names in any case, arguments turned to text.
    VARIANT number;
    number.vt = VT_I4;
    number.lVal = 42;
    VARIANT open = Text(L"open");
    EXPECT_EQ(S_OK, CallByName(ext, L"onwebcommand", DISPATCH_METHOD, {number, open}, nullptr));
    EXPECT_EQ(L"open|42", qorview_test::LastArgs(L"IWebExt::OnWebCommand"));
    // One argument is a command without an argument.
    VARIANT close = Text(L"close");
    EXPECT_EQ(S_OK, CallByName(ext, L"OnWebCommand", DISPATCH_METHOD, {close}, nullptr));
    EXPECT_EQ(L"close|", qorview_test::LastArgs(L"IWebExt::OnWebCommand"));

    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(S_OK, CallByName(ext, L"HostWindow", DISPATCH_PROPERTYGET, {}, &result));
    EXPECT_EQ(VT_I4, result.vt);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(host), static_cast<LONG_PTR>(result.lVal));

    // What a page may not do: an unknown name, no or too many arguments, an argument that is no text.
    EXPECT_EQ(DISP_E_UNKNOWNNAME, CallByName(ext, L"DeleteEverything", DISPATCH_METHOD, {}, nullptr));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, CallByName(ext, L"OnWebCommand", DISPATCH_METHOD, {}, nullptr));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT,
              CallByName(ext, L"OnWebCommand", DISPATCH_METHOD, {number, number, number}, nullptr));
    VARIANT object;
    object.vt = VT_DISPATCH;
    object.pdispVal = ext;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, CallByName(ext, L"OnWebCommand", DISPATCH_METHOD, {object}, nullptr));
    EXPECT_EQ(2, qorview_test::CountCalls(L"IWebExt::OnWebCommand")); // only the two good calls

    ::VariantClear(&open);
    ::VariantClear(&close);
    ext->Release();
    ::DestroyWindow(host);
}
