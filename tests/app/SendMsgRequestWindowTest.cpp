// Another program asks the client for a chat: a second process writes the shared memory and sends
// the registered message to the real main window.
#include "app/KorvelMessages.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/app/MainWindowFixture.h"

namespace {

class RequestedWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(CreateMain());
        LoginFields fields = m_pDlg->GetLoginFields();
        fields.strLoginName = L"ann";
        m_pDlg->SetLoginFields(fields);
        m_pDlg->SetSignedIn(TRUE);
        CUserListItem& users = CQorViewMgr::Instance()->m_UserList;
        users.AddUser(L"bob", L"Bob Stone");
        users.AddView(L"v7", 1, L"Planning");
        CQorViewMgr::Instance()->m_mapPendingGroups[L"v7"] = 1;
    }

    void TearDown() override
    {
        CQorViewMgr::Instance()->m_UserList.RemoveAll();
        CQorViewMgr::Instance()->m_mapPendingGroups.clear();
        MainWindowFixture::TearDown();
    }

    // The window's answer to the request of the other program (-1 or 1).
    int Request(const std::wstring& text, bool full = false)
    {
        qorview_test::ClearCalls();
        const std::wstring args = std::to_wstring(reinterpret_cast<INT_PTR>(m_pDlg->GetSafeHwnd())) +
                                  (full ? L" full \"" : L" text \"") + text + L"\"";
        return testsupport::RunProgram(testsupport::ExeDir() + L"\\test_app_requester.exe", args) - 100;
    }
};

} // namespace

TEST_F(RequestedWindow, ChatForThisAccountOpens)
{
    // Keys in capitals, the login in another case: still this account.
    EXPECT_EQ(Request(L"LOGINNAME=ANN&RECEIVER=bob"), 1);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg"), L"bob|Bob Stone|||1|0");

    // An unknown receiver: the name is asked for first, and the chat opens with the answer.
    EXPECT_EQ(Request(L"loginname=ann&receiver=cy"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 0);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::GetUserInfo"), L"cy|USERNAME,");
    EXPECT_EQ(m_pDlg->GetPendingChatLogin(), CString(L"cy"));
}

TEST_F(RequestedWindow, GroupRequestOpensOnlyTheKnownGroup)
{
    EXPECT_EQ(Request(L"loginname=ann&receiver=bob&viewid=v7"), 1);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::NewGroupDisDlgEx"), L"v7|1|0");
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 0);
    EXPECT_EQ(CQorViewMgr::Instance()->m_mapPendingGroups.count(L"v7"), 0u);

    EXPECT_EQ(Request(L"loginname=ann&viewid=v99"), 1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewGroupDisDlgEx"), 0);
}

TEST_F(RequestedWindow, RequestsThatOpenNothing)
{
    const struct {
        const wchar_t* text;
        int answer;
    } cases[] = {
        {L"receiver=bob", -1},                // no login name
        {L"loginname=zed&receiver=bob", 1},   // another account's request
        {L"loginname=ann", 1},                // neither receiver nor group
        {L"", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Request(c.text), c.answer) << c.text;
        EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 0) << c.text;
        EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::GetUserInfo"), 0) << c.text;
    }
    // Signed out there is no session to open a chat in: ignored.
    m_pDlg->SetSignedIn(FALSE);
    EXPECT_EQ(Request(L"loginname=ann&receiver=bob"), -1);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 0);
}

// A writer that never ends its text: the client reads its first 127 characters and no further.
TEST_F(RequestedWindow, UnterminatedBlockIsReadOnlyToItsLimit)
{
    // The first 127 characters name bob; what lies beyond them would name someone else.
    std::wstring text = L"loginname=ann&receiver=bob&";
    text.append(127 - text.size(), L'y');
    text += L"&receiver=zed";
    EXPECT_EQ(Request(text, true), 1);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg"), L"bob|Bob Stone|||1|0");
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::GetUserInfo"), 0);
    CString left = L"stale";
    EXPECT_FALSE(m_pDlg->ReadProtocolSendMsg(left)); // the block went with its writer
    EXPECT_TRUE(left.IsEmpty());
}
