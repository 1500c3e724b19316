// The message centre window over a database made by the benchmark's generator at a small size:
// what the tree lists and what each kind of node shows in the title list must agree with the
// rows the generator wrote.
#include "bench/MsgDbGenerator.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include <gtest/gtest.h>
#include <set>

using namespace msgcenter_test;

namespace {

class MsgManagerGeneratedDb : public testing::Test {
protected:
    static constexpr int kMessages = 800;
    static constexpr int kSenders = 20;

    void SetUp() override
    {
        ASSERT_TRUE(m_res.IsLoaded());
        ASSERT_TRUE(m_db.IsOpen());
        ASSERT_TRUE(m_db.Generate(kMessages, kSenders));
        qorview_test::ClearCalls();
        // Nothing here should ask anything; should a box come, it must not wait for a click.
        qorview_test::SetDefaultMessageBoxAnswer(IDCANCEL);
        m_savedAccount = CQorViewMgr::Instance()->m_strAccount;
        CQorViewMgr::Instance()->m_strAccount = L"me"; // the generator's signed-in user
        m_dlg = new CQorMsgManagerDlg(nullptr);
        m_dlg->SetSession(nullptr, CString(), L"me", nullptr);
        ASSERT_TRUE(m_dlg->Create(IDD_MSG_MANAGER, nullptr));
        m_dlg->ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        if (m_dlg && ::IsWindow(m_dlg->GetSafeHwnd()))
            m_dlg->DestroyWindow(); // deletes itself
        testsupport::PumpMessages();
        CQorViewMgr::Instance()->m_strAccount = m_savedAccount;
        qorview_test::ClearMessageBoxAnswers();
    }
    // The window's collaborators, where the state of each concern lives.
    CMsgFolderTree& Folders() const { return m_dlg->GetFolders(); }
    CFolderTreeCtrl& Tree() const { return m_dlg->GetFolders().Tree(); }
    CQorMsgTitleDlg* TitleList() const { return m_dlg->GetBasePane() ? m_dlg->GetBasePane()->GetTitlePane() : nullptr; }
    int Shown() const { return TitleList() ? TitleList()->GetTotal() : -1; }
    int Listed() const { return TitleList() ? TitleList()->GetList().GetItemCount() : -1; }

    testsupport::ResourceModuleScope m_res;
    TestMsgDb m_db;
    CQorMsgManagerDlg* m_dlg = nullptr;
    CString m_savedAccount;
};

TEST_F(MsgManagerGeneratedDb, EveryDiscussionIsListedAndEachFolderShowsItsRows)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    // Every generated talk is listed under the discussion root and its node leads back to it.
    const int nTalks = m_db.Count(L"SELECT Col_ID FROM Qor_Talk WHERE Col_Type = 2 OR Col_Type = 3");
    ASSERT_GE(nTalks, 3);
    int nNodes = 0;
    for (HTREEITEM h = Tree().GetChildItem(Folders().GetTalkRoot()); h; h = Tree().GetNextSiblingItem(h)) {
        ++nNodes;
        CString expected;
        expected.Format(L"talk_%u", static_cast<unsigned>(Tree().GetItemData(h)));
        EXPECT_EQ(expected, m_dlg->GetTalkIdByViewId(static_cast<int>(Tree().GetItemData(h))));
    }
    EXPECT_EQ(nTalks, nNodes);

    // The unread-by-recipients node: the sent messages still waiting for a receipt.
    EXPECT_EQ(m_db.Count(L"SELECT Col_ID FROM qor_Msg WHERE Col_MsgFolder = 2 AND Col_ReadState IN (0, 4)"), Shown());

    struct FolderCase {
        HTREEITEM hNode;
        const wchar_t* count;
    } folders[] = {
        {Folders().GetReceivedRoot(), L"SELECT Col_ID FROM qor_Msg WHERE Col_MsgFolder = 1"},
        {Tree().GetNextSiblingItem(Folders().GetReceivedRoot()), L"SELECT Col_ID FROM qor_Msg WHERE Col_MsgFolder = 2"},
    };
    for (const FolderCase& c : folders) {
        SCOPED_TRACE(c.count);
        Tree().SelectItem(c.hNode);
        const int nRows = m_db.Count(c.count);
        EXPECT_GT(nRows, 0);
        EXPECT_EQ(nRows, Shown());
        EXPECT_TRUE(::IsWindowVisible(m_dlg->GetBasePane()->GetSafeHwnd()));
    }
}

TEST_F(MsgManagerGeneratedDb, UserFoldersAndThePersonAndDiscussionRequests)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    // A user-folder root made by a caller lists each named folder once; a folder node shows
    // exactly its own rows.
    HTREEITEM hRoot = Folders().AppendNode(nullptr, L"Folders", CMsgFolderTree::kUserFolders, 0);
    Folders().SetUserFolderRoot(hRoot);
    ASSERT_TRUE(m_dlg->LoadUserFolders(hRoot));
    std::set<CString> names;
    int nChildren = 0;
    for (HTREEITEM h = Tree().GetChildItem(hRoot); h; h = Tree().GetNextSiblingItem(h), ++nChildren)
        names.insert(Tree().GetItemText(h));
    EXPECT_EQ(m_db.Count(L"SELECT DISTINCT Col_FolderName FROM qor_Msg WHERE Col_Type = 3 AND Col_FolderName <> ''"),
              nChildren);
    EXPECT_EQ(static_cast<size_t>(nChildren), names.size());
    HTREEITEM hFolder = Tree().GetChildItem(hRoot);
    ASSERT_NE(nullptr, hFolder);
    Tree().SelectItem(hFolder);
    CString sql;
    sql.Format(L"SELECT DISTINCT Col_ID FROM qor_Msg WHERE Col_Type = 3 AND Col_FolderName = '%s'",
               static_cast<LPCWSTR>(Tree().GetItemText(hFolder)));
    EXPECT_EQ(m_db.Count(sql), Listed());

    // The person request: the conversation with the most frequent sender, both directions.
    const CString login = MsgDbGenLogin(0);
    m_dlg->OpenWithRequest(login + L";" + MsgDbGenName(0));
    sql.Format(L"SELECT Col_ID FROM qor_Msg WHERE (Col_Sender = '%s' AND Col_MsgFolder = 1) OR "
               L"(Col_Sender = 'me' AND Col_MsgFolder = 2 AND Col_RecvLogin = '%s')",
               static_cast<LPCWSTR>(login), static_cast<LPCWSTR>(login));
    EXPECT_GT(m_db.Count(sql), 0);
    EXPECT_EQ(m_db.Count(sql), Shown());
    EXPECT_EQ(login, Folders().GetCurrentPersonId());

    // The discussion request opens that discussion in the history viewer.
    m_dlg->OpenWithRequest(L"GROUP_TALK;talk_2");
    EXPECT_EQ(CString(L"talk_2"), m_dlg->GetHistoryViewer()->GetTalkId());
    EXPECT_TRUE(::IsWindowVisible(m_dlg->GetHistoryViewer()->GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(m_dlg->GetBasePane()->GetSafeHwnd()));
}

} // namespace
