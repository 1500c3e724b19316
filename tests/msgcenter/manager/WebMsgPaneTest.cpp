// The web-message pane: the address it builds for a person and what it asks of the core's web
// control (the core component records every call).
#include "msgcenter/manager/CQorMsgWebMsgDlg.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include <gtest/gtest.h>
#include <string>

namespace {

CString Encode(const std::string& bytes)
{
    CString out = L"unchanged";
    CQorMsgWebMsgDlg::UrlEncodeUtf8(out, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    return out;
}

TEST(WebMsgUrl, EveryByteOutsideTheUnreservedSetIsEscaped)
{
    struct Case {
        std::string in;
        const wchar_t* out;
    } cases[] = {
        {"zhang.san-01_~", L"zhang.san-01_~"},
        {"\xE5\xBC\xA0\xE4\xB8\x89", L"%E5%BC%A0%E4%B8%89"},      // two CJK characters
        {"\xC3\xA9" "a", L"%C3%A9a"},                               // two-byte character, then ASCII
        {"\xF0\x9F\x98\x80!", L"%F0%9F%98%80%21"},                  // four-byte character
        {"a b&admin=1#x/../?%", L"a%20b%26admin%3D1%23x%2F..%2F%3F%25"},
        {"\xE5\xBC", L"%E5%BC"},                                    // cut short at the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.out);
        EXPECT_EQ(CString(c.out), Encode(c.in));
    }
    CString out = L"unchanged";
    EXPECT_FALSE(CQorMsgWebMsgDlg::UrlEncodeUtf8(out, nullptr, 0));
    EXPECT_TRUE(out.IsEmpty());
}

class WebMsgPaneTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.IsLoaded());
        ASSERT_TRUE(qorcore_test::Register());
        qorcore_test::ClearCalls();
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        m_savedTemplate = pMgr->m_strWebMsgUrl;
        pMgr->m_strWebMsgUrl = L"http://%SERVER%/roam?who=%PERSON%&me=%ACCOUNT%";
        pMgr->m_strServerAddr = L"im.korvel.test";
        pMgr->m_strServerHost.Empty();
        pMgr->m_strAccount = L"ann";
        m_host.CreateEx(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, RECT{0, 0, 500, 400}, nullptr, 0);
        m_pane = new CQorMsgWebMsgDlg(nullptr);
        ASSERT_TRUE(m_pane->Create(IDD_WEB_MSG, &m_host));
        m_hPane = m_pane->GetSafeHwnd();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hPane))
            ::SendMessageW(m_hPane, WM_CLOSE, 0, 0); // the pane deletes itself
        m_host.DestroyWindow();
        CQorViewMgr::Instance()->m_strWebMsgUrl = m_savedTemplate;
    }
    void Show(const wchar_t* person)
    {
        CString value = person ? person : L"";
        ::SendMessageW(m_hPane, WM_MSGCENTER_SHOW_PERSON, 0, person ? reinterpret_cast<LPARAM>(&value) : 0);
    }

    testsupport::ResourceModuleScope m_res;
    CWnd m_host;
    CQorMsgWebMsgDlg* m_pane = nullptr;
    HWND m_hPane = nullptr;
    CString m_savedTemplate;
};

TEST_F(WebMsgPaneTest, OneControlWindowIsMovedAndNavigatedForEachPerson)
{
    Show(L"\u5F20\u4E09");
    EXPECT_EQ(1, qorcore_test::CountCalls(L"WebCtl.CreateCtlWindow"));
    EXPECT_EQ(1, qorcore_test::CountCalls(L"WebCtl.SetWebExt"));
    EXPECT_EQ(std::wstring(L"0|16777215"), qorcore_test::LastArgs(L"WebCtl.SetColors"));
    EXPECT_EQ(0, qorcore_test::CountCalls(L"WebCtl.GetCtlState")); // no control before the first person
    EXPECT_EQ(std::wstring(L"http://im.korvel.test/roam?who=%E5%BC%A0%E4%B8%89&me=ann"),
              qorcore_test::LastArgs(L"WebCtl.Navigate"));

    Show(L"bob&admin=1");
    Show(nullptr);
    EXPECT_EQ(1, qorcore_test::CountCalls(L"WebCtl.CreateCtlWindow"));
    EXPECT_EQ(2, qorcore_test::CountCalls(L"WebCtl.GetCtlState"));
    EXPECT_EQ(3, qorcore_test::CountCalls(L"WebCtl.Navigate"));
    EXPECT_LE(2, qorcore_test::CountCalls(L"WebCtl.MoveCtlWindow"));
    // The last person was none: the template with an empty value.
    EXPECT_EQ(std::wstring(L"http://im.korvel.test/roam?who=&me=ann"), qorcore_test::LastArgs(L"WebCtl.Navigate"));
    EXPECT_TRUE(m_pane->GetPerson().IsEmpty());
    // One control window among the pane's children, whatever was shown.
    int nChildren = 0;
    for (HWND h = ::GetWindow(m_hPane, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        ++nChildren;
    EXPECT_EQ(2, nChildren); // the frame placeholder and the control's window
}

TEST_F(WebMsgPaneTest, ANameCannotAddParametersToTheAddress)
{
    Show(L"bob&admin=1");
    EXPECT_EQ(std::wstring(L"http://im.korvel.test/roam?who=bob%26admin%3D1&me=ann"),
              qorcore_test::LastArgs(L"WebCtl.Navigate"));
}

TEST_F(WebMsgPaneTest, ResizingFitsFrameAndControlInsideTheInsets)
{
    Show(L"bob");
    ::MoveWindow(m_hPane, 0, 0, 300, 200, TRUE);
    RECT rc;
    ::GetWindowRect(::GetDlgItem(m_hPane, IDC_WEB_FRAME), &rc);
    ::MapWindowPoints(nullptr, m_hPane, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(2, rc.left);
    EXPECT_EQ(2, rc.top);
    EXPECT_EQ(295, rc.right);
    std::wstring move = qorcore_test::LastArgs(L"WebCtl.MoveCtlWindow");
    EXPECT_EQ(0u, move.find(L"2|2|293|"));
}

} // namespace
