// The program's own web requests against real HTTP servers on loopback: the web sign-in
// address, and a GET of a whole reply with its error statuses, a reply that never comes, a
// proxy, and the refusal to wait on the user-interface thread.
#include "app/CKorvelBaseDlg.h"
#include "app/CWebRequest.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

// A web service: answers by path, and holds the reply of "/slow" until it is released.
class WebService {
public:
    WebService() : m_hRelease(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_server([this](SOCKET s) { Handle(s); }) {}
    ~WebService()
    {
        Release();
        ::CloseHandle(m_hRelease);
    }
    int Port() const { return m_server.Port(); }
    bool Ok() const { return m_server.Ok(); }
    void Release() { ::SetEvent(m_hRelease); }
    std::string LastRequestLine() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_lastLine;
    }
    static std::string BigBody()
    {
        std::string body;
        for (int i = 0; body.size() < 20000; ++i)
            body += "line " + std::to_string(i) + '\0' + "\n";
        return body;
    }

private:
    void Handle(SOCKET s)
    {
        std::string head;
        if (!testsupport::RecvUntil(s, head, "\r\n\r\n"))
            return;
        const std::string line = head.substr(0, head.find("\r\n"));
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_lastLine = line;
        }
        std::string status = "200 OK", body;
        if (line.find(" /ok ") != std::string::npos)
            body = "hello";
        else if (line.find(" /big ") != std::string::npos)
            body = BigBody();
        else if (line.find(" /created ") != std::string::npos)
            status = "201 Created", body = "made";
        else if (line.find(" /missing ") != std::string::npos)
            status = "404 Not Found", body = "nope";
        else if (line.find(" /broken ") != std::string::npos)
            status = "500 Internal Server Error", body = "oops";
        else if (line.find(" /slow ") != std::string::npos) {
            // The client gives up first; the reply only goes once the test lets it.
            ::WaitForSingleObject(m_hRelease, 20000);
            body = "late";
        } else if (line.find("GET http://") == 0)
            body = "via proxy";
        else
            status = "400 Bad Request";
        testsupport::SendAll(s, "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
                                    "\r\nConnection: close\r\n\r\n" + body);
    }

    HANDLE m_hRelease;
    mutable std::mutex m_lock;
    std::string m_lastLine;
    testsupport::LoopbackServer m_server; // last: serves once the rest is built
};

// Runs the request on a worker thread, as the program does.
bool GetOnWorker(const std::wstring& url, CStringA& reply)
{
    bool ok = false;
    std::thread worker([&] { ok = CWebRequest::HttpGetString(url.c_str(), reply); });
    worker.join();
    return ok;
}

class WebRequest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_profile = testsupport::TempDir(L"korvel_web_profile");
        qorview_test::SetProfileRoot(m_profile);
        CWebRequest::GetTimeouts(m_connectMs, m_receiveMs);
        CWebRequest::SetUiThread(0);
        ASSERT_TRUE(service.Ok());
    }
    void TearDown() override
    {
        CWebRequest::SetTimeouts(m_connectMs, m_receiveMs);
        qorview_test::SetWorkDir(L"");
        qorview_test::SetProfileRoot(L"");
        testsupport::RemoveTree(m_profile);
    }
    std::wstring Url(const char* path) const
    {
        return L"http://127.0.0.1:" + std::to_wstring(service.Port()) + std::wstring(path, path + strlen(path));
    }

    WebService service;
    std::wstring m_profile;
    DWORD m_connectMs = 0, m_receiveMs = 0;
};

TEST_F(WebRequest, OnlyA2xxReplyReadWholeCounts)
{
    const struct {
        const char* path;
        bool ok;
        std::string body;
    } rows[] = {
        {"/ok", true, "hello"},
        {"/created", true, "made"},
        {"/big", true, WebService::BigBody()},
        {"/missing", false, ""},
        {"/broken", false, ""},
    };
    for (const auto& row : rows) {
        CStringA reply("kept:");
        EXPECT_EQ(row.ok, GetOnWorker(Url(row.path), reply)) << row.path;
        // The reply is appended on success; on failure the caller's text is left as it was.
        EXPECT_EQ("kept:" + row.body, std::string(reply.GetString(), reply.GetLength())) << row.path;
    }
}

TEST_F(WebRequest, NoServerAndOtherKindsOfAddressFail)
{
    for (const std::wstring& url : {L"http://127.0.0.1:" + std::to_wstring(testsupport::RefusedPort()) + L"/ok",
                                    std::wstring(L"file:///c:/windows/win.ini"), std::wstring(L"ftp://127.0.0.1/x"),
                                    std::wstring(L"")}) {
        CStringA reply;
        EXPECT_FALSE(GetOnWorker(url, reply)) << url;
        EXPECT_TRUE(reply.IsEmpty()) << url;
    }
}

TEST_F(WebRequest, AReplyThatDoesNotComeEndsWithTheReceiveTimeOut)
{
    CWebRequest::SetTimeouts(5000, 300);
    CStringA reply;
    EXPECT_FALSE(GetOnWorker(Url("/slow"), reply));
    EXPECT_TRUE(reply.IsEmpty());
    service.Release();
}

TEST_F(WebRequest, TheUsersProxyCarriesTheRequest)
{
    _PROXYINFO proxy;
    proxy.nType = 1;
    proxy.nFlag = 3;
    proxy.strHost = L"127.0.0.1";
    proxy.nPort = service.Port();
    ASSERT_TRUE(CQorViewBaseFun::SaveProxy(proxy));
    CStringA reply;
    // A host that does not exist: only the proxy can answer.
    EXPECT_TRUE(GetOnWorker(L"http://webservice.korvel.invalid/Login?x=1", reply));
    EXPECT_EQ("via proxy", std::string(reply.GetString()));
    // The absolute address goes to the proxy (with or without the default port written out).
    const std::string line = service.LastRequestLine();
    EXPECT_EQ(0u, line.find("GET http://webservice.korvel.invalid")) << line;
    EXPECT_NE(std::string::npos, line.find("/Login?x=1 HTTP/1.1")) << line;

    // Proxy switched off: straight to the server.
    proxy.nType = 0;
    ASSERT_TRUE(CQorViewBaseFun::SaveProxy(proxy));
    reply.Empty();
    EXPECT_TRUE(GetOnWorker(Url("/ok"), reply));
    EXPECT_EQ("GET /ok HTTP/1.1", service.LastRequestLine());
}

TEST_F(WebRequest, NeverWaitsOnTheUserInterfaceThread)
{
    CWebRequest::SetUiThread(::GetCurrentThreadId());
    CStringA reply;
    EXPECT_FALSE(CWebRequest::HttpGetString(Url("/ok").c_str(), reply));
    EXPECT_EQ("", service.LastRequestLine());
    // Any other thread may.
    EXPECT_TRUE(GetOnWorker(Url("/ok"), reply));
    CWebRequest::SetUiThread(0);
}

TEST_F(WebRequest, TheWebSignInAddressEncodesThePasswordOnly)
{
    const std::wstring work = testsupport::TempDir(L"korvel_web_work");
    qorview_test::SetWorkDir(work);
    // No web service configured: no address.
    EXPECT_EQ(L"", std::wstring(CKorvelBaseDlg::BuildWebLoginUrl(L"ann", L"secret")));
    ::WritePrivateProfileStringW(L"Info", L"Url", L"http://ws.corp:81/ws", (work + L"\\WebServiceUrl.ini").c_str());
    const struct {
        const wchar_t *login, *password, *url;
    } rows[] = {
        {L"ann", L"secret", L"http://ws.corp:81/ws/Login?loginName=ann&password=secret"},
        {L"a&b", L"p&q= \u00e9", L"http://ws.corp:81/ws/Login?loginName=a&b&password=p%26q%3D+%C3%A9"},
        {L"", L"", L"http://ws.corp:81/ws/Login?loginName=&password="},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.url, std::wstring(CKorvelBaseDlg::BuildWebLoginUrl(row.login, row.password))) << row.login;
    qorview_test::SetWorkDir(L"");
    testsupport::RemoveTree(work);
}

} // namespace
