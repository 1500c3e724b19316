// Opening the user's own department once the user list has loaded: the path algorithm and the
// reply, then the whole road through the running window: "LSV" from the core, the worker's
// request to a real web service on loopback (its fixed port 8000), the settings written and
// the view tab shown; one worker at a time, and a result dropped after a sign-out.
#include "app/CDeptExpansion.h"
#include "app/CKorvelBaseDlg.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/app/CoreBridgeFixture.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <atomic>

namespace {

CQorViewMgr* View() { return CQorViewMgr::Instance(); }

TEST(DeptPath, SegmentsBecomeTheExpansionTheKeyAndTheTab)
{
    const struct {
        const wchar_t *path, *suffix, *key, *expansion, *tab;
    } rows[] = {
        {L"4_12/2_30/2_31", L"", L"12", L"0,0,1;2,30,1;2,31,0;", L"12"},
        {L"2_30/4_7", L"", L"View_7", L"0,0,1;", L""},
        {L"4_12/2_30/2_31", L"c1", L"12@c1", L"0,0,1;2,30,1;2,31,0;", L"12@c1"},
        {L"4_12/2_30/4_7", L"c1", L"View_7@c1", L"0,0,1;", L"12@c1"},
        {L"4_12/9_5/x/2_31", L"", L"12", L"0,0,1;2,31,0;", L"12"},
        {L"4_12/2_30/", L"", L"12", L"0,0,1;2,30,1;", L"12"},
        {L"4_12abc/2_30", L"", L"12", L"0,0,1;2,30,0;", L"12"},
        // Scans that stop half-way add nothing: no entry under a made-up key.
        {L"4", L"", L"", L"", L""},
        {L"4_x", L"", L"", L"", L""},
        {L"4_x/2_30", L"", L"", L"2,30,0;", L""},
        {L"", L"", L"", L"", L""},
        {L"2_30/2_31", L"", L"", L"2,30,1;2,31,0;", L""},
    };
    for (const auto& row : rows) {
        const CDeptExpansion::Expansion e = CDeptExpansion::ParsePath(row.path, row.suffix);
        EXPECT_EQ(row.key, std::wstring(e.strViewKey)) << row.path;
        EXPECT_EQ(row.expansion, std::wstring(e.strExpansion)) << row.path;
        EXPECT_EQ(row.tab, std::wstring(e.strTabText)) << row.path;
    }
}

TEST(DeptPath, ThePathIsTheAttributeOfTheFirstNestedElement)
{
    const struct {
        const char* reply;
        BOOL found;
        const wchar_t* path;
    } rows[] = {
        {"<r><dept path_id=\"4_1/2_2\"/></r>", TRUE, L"4_1/2_2"},
        {"<?xml version=\"1.0\"?><r><dept name=\"x\"/><dept path_id=\"9\"/></r>", TRUE, L""},
        {"<r/>", FALSE, L""},
        {"", FALSE, L""},
        {"not xml at all", FALSE, L""},
        {"<r><dept path_id=\"4_1\">", FALSE, L""},
    };
    for (const auto& row : rows) {
        CString path = L"old";
        EXPECT_EQ(row.found, CDeptExpansion::ReadPath(row.reply, path)) << row.reply;
        EXPECT_EQ(row.path, std::wstring(path)) << row.reply;
    }
}

TEST(DeptPath, TheRequestCarriesTheLoginNameAsUtf8)
{
    EXPECT_EQ(L"http://ws.corp:8000/open/user.html?op=get_dept_with_loginname&loginname=ann",
              std::wstring(CDeptExpansion::BuildRequestUrl(L"ws.corp", L"ann")));
    EXPECT_EQ(L"http://h:8000/open/user.html?op=get_dept_with_loginname&loginname=%E5%BC%A0+li",
              std::wstring(CDeptExpansion::BuildRequestUrl(L"h", L"\u5f20 li")));
}

// The web service on its fixed port, answering with a department path; it can hold its
// replies back until the test releases them.
class DeptService {
public:
    DeptService(std::string body, bool hold)
        : m_body(std::move(body)), m_hRelease(::CreateEventW(nullptr, TRUE, hold ? FALSE : TRUE, nullptr)),
          m_address(testsupport::PrivateLoopbackAddress()),
          m_server([this](SOCKET s) { Handle(s); }, m_address.c_str(), 8000)
    {
    }
    ~DeptService()
    {
        Release();
        ::CloseHandle(m_hRelease);
    }
    bool Ok() const { return m_server.Ok(); }
    void Release() { ::SetEvent(m_hRelease); }
    void SetBody(const std::string& body)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_body = body;
    }
    int Requests() const { return m_requests; }
    std::string LastRequest() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_last;
    }
    const std::string& Address() const { return m_address; }

private:
    void Handle(SOCKET s)
    {
        std::string head;
        if (!testsupport::RecvUntil(s, head, "\r\n\r\n"))
            return;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_last = head.substr(0, head.find("\r\n"));
        }
        ++m_requests;
        ::WaitForSingleObject(m_hRelease, 20000);
        std::string body;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            body = m_body;
        }
        testsupport::SendAll(s, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                                    "\r\nConnection: close\r\n\r\n" + body);
    }

    std::string m_body;
    HANDLE m_hRelease;
    std::string m_address;
    mutable std::mutex m_lock;
    std::string m_last;
    std::atomic<int> m_requests{0};
    testsupport::LoopbackServer m_server;
};

class DeptExpansion : public CoreBridgeFixture {
protected:
    void SetUp() override
    {
        CoreBridgeFixture::SetUp();
        SetOption(L"ExpandMyDept", L"1");
        View()->m_strAccount = L"ann@corp";
        View()->m_strCompanySuffix.Empty();
    }
    void StartService(const std::string& body, bool hold)
    {
        service.reset(new DeptService(body, hold));
        ASSERT_TRUE(service->Ok());
        View()->m_strServerHost = CString(service->Address().c_str());
    }
    bool WaitForWorker()
    {
        return testsupport::PumpUntil([&] { return !m_pDlg->GetDeptExpansion().IsRunning(); });
    }
    std::vector<std::wstring> Calls(const wchar_t* operation)
    {
        std::vector<std::wstring> out;
        for (const auto& call : qorview_test::Calls())
            if (call.first == operation)
                out.push_back(call.second);
        return out;
    }
    std::unique_ptr<DeptService> service;
};

TEST_F(DeptExpansion, TheUsersDepartmentIsStoredAndItsViewShown)
{
    StartService("<r><dept path_id=\"4_12/2_30/2_31\"/></r>", false);
    RaiseNotify(Cmd(L"LSV"));
    ASSERT_TRUE(WaitForWorker());
    testsupport::PumpMessages();
    EXPECT_EQ(1, service->Requests());
    EXPECT_NE(std::string::npos, service->LastRequest().find("/open/user.html?op=get_dept_with_loginname&loginname=ann "));
    EXPECT_EQ((std::vector<std::wstring>{L"EXPANDVIEW|-1|0,0,0;", L"EXPANDVIEW|12|0,0,1;2,30,1;2,31,0;"}),
              Calls(L"CQorViewMgr::SetMyConfigPro"));
    EXPECT_EQ(std::vector<std::wstring>{L"0|12|0"}, Calls(L"CQorViewMgr::SetActiveViewTab"));
    // Stored in the account's own settings.
    EXPECT_EQ(L"0,0,1;2,30,1;2,31,0;", std::wstring(View()->GetMyConfigPro(L"EXPANDVIEW", L"12")));
}

TEST_F(DeptExpansion, AReplyWithoutAPathStoresNothingAndShowsTheStoredView)
{
    StartService("", false);
    for (const char* body : {"<r/>", "", "<r><dept path_id=\"2_30/2_31\"/></r>"}) {
        qorview_test::ClearCalls();
        service->SetBody(body);
        RaiseNotify(Cmd(L"LSV"));
        ASSERT_TRUE(WaitForWorker());
        testsupport::PumpMessages();
        EXPECT_TRUE(Calls(L"CQorViewMgr::SetMyConfigPro").empty()) << body;
        // The stored view of the user list (the window's own choice).
        EXPECT_EQ(1u, Calls(L"CQorViewMgr::SetActiveViewTab").size()) << body;
    }
}

TEST_F(DeptExpansion, ASecondLoadedListWhileTheWorkerRunsStartsNoOther)
{
    StartService("<r><dept path_id=\"4_5/2_6\"/></r>", true);
    RaiseNotify(Cmd(L"LSV"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return service->Requests() == 1; }));
    RaiseNotify(Cmd(L"LSV"));
    EXPECT_TRUE(m_pDlg->GetDeptExpansion().IsRunning());
    service->Release();
    ASSERT_TRUE(WaitForWorker());
    testsupport::PumpMessages();
    EXPECT_EQ(1, service->Requests());
    EXPECT_EQ(std::vector<std::wstring>{L"0|5|0"}, Calls(L"CQorViewMgr::SetActiveViewTab"));
}

TEST_F(DeptExpansion, AResultThatArrivesAfterASignOutIsDropped)
{
    StartService("<r><dept path_id=\"4_5/2_6\"/></r>", true);
    RaiseNotify(Cmd(L"LSV"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return service->Requests() == 1; }));
    // The user signs out (the view library forgets the account) while the worker waits.
    m_pDlg->SetSignedIn(false);
    View()->ClearData();
    service->Release();
    ASSERT_TRUE(WaitForWorker());
    testsupport::PumpMessages();
    EXPECT_TRUE(Calls(L"CQorViewMgr::SetMyConfigPro").empty());
    EXPECT_TRUE(Calls(L"CQorViewMgr::SetActiveViewTab").empty());
}

} // namespace
