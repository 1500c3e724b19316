// The message centre window over a real database: the folder tree, every request form, the
// views and panes, the search and person routing, the context menu and discussion deletion,
// the keys, and the window's own layout.
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/content/CQorMsgContentDlg.h"
#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/grouptalk/CQorMsgMeetingDlg.h"
#include "msgcenter/manager/CQorMsgORGTreeDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "msgcenter/manager/CQorMsgWebMsgDlg.h"
#include "msgcenter/MsgCenterMessages.h"
#include "platform/QorDB/QorDBTestHooks.h"
#include "platform/QorResource/MeetingResourceIds.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "framework/ModuleState.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace msgcenter_test;

namespace {

class MsgManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.IsLoaded());
        ASSERT_TRUE(m_db.IsOpen());
        qorview_test::ClearCalls();
        qorview_test::ClearMessageBoxAnswers();
        // A box nobody scripted is answered "Cancel" at once instead of waiting for a click
        // that never comes; tests that expect a box queue its answer and check its text.
        qorview_test::SetDefaultMessageBoxAnswer(IDCANCEL);
        QorDBTest_FailStatementsContaining(nullptr);
        m_db.AddTalk(L"proj_5", 3, L"Project");
        m_db.AddTalk(L"lunch_15", 2, L"Lunch");
        m_db.AddTalk(L"private_6", 1, L"Not listed");
        m_db.AddTalkContent(L"proj_5");
        m_db.AddTalkContent(L"lunch_15");
        m_dlg = new CQorMsgManagerDlg(nullptr);
        m_dlg->SetSession(nullptr, CString(), L"ann@korvel", nullptr);
        ASSERT_TRUE(m_dlg->Create(IDD_MSG_MANAGER, nullptr));
        m_dlg->ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        QorDBTest_FailStatementsContaining(nullptr);
        qorview_test::ClearMessageBoxAnswers();
        if (::IsWindow(m_hWnd()))
            m_dlg->DestroyWindow(); // deletes itself
        testsupport::PumpMessages();
    }
    HWND m_hWnd() const { return m_dlgWnd ? m_dlgWnd : (m_dlg ? m_dlg->GetSafeHwnd() : nullptr); }

    std::vector<std::pair<int, CString>> Roots() const
    {
        std::vector<std::pair<int, CString>> out;
        for (HTREEITEM h = Tree().GetRootItem(); h; h = Tree().GetNextSiblingItem(h))
            out.push_back({Folders().GetImage(h), Tree().GetItemText(h)});
        return out;
    }
    std::vector<CString> Children(HTREEITEM hParent) const
    {
        std::vector<CString> out;
        for (HTREEITEM h = Tree().GetChildItem(hParent); h; h = Tree().GetNextSiblingItem(h))
            out.push_back(Tree().GetItemText(h));
        return out;
    }
    int SelectedImage() const
    {
        HTREEITEM h = Tree().GetSelectedItem();
        return h ? Folders().GetImage(h) : -1;
    }
    CString SelectedText() const
    {
        HTREEITEM h = Tree().GetSelectedItem();
        return h ? Tree().GetItemText(h) : CString(L"<none>");
    }
    // The window's collaborators, where the state of each concern lives.
    CMsgFolderTree& Folders() const { return m_dlg->GetFolders(); }
    CFolderTreeCtrl& Tree() const { return m_dlg->GetFolders().Tree(); }
    const CMsgMgrViews& Views() const { return m_dlg->GetViews(); }
    static bool Visible(CWnd* p) { return p && ::IsWindowVisible(p->GetSafeHwnd()); }
    static CString Res(UINT id) { return CQorViewBaseFun::LoadStringW(id); }
    static CString WndText(const CWnd& wnd)
    {
        wchar_t buf[256] = {};
        ::GetWindowTextW(wnd.GetSafeHwnd(), buf, 256);
        return buf;
    }

    testsupport::ResourceModuleScope m_res;
    TestMsgDb m_db;
    CQorMsgManagerDlg* m_dlg = nullptr;
    HWND m_dlgWnd = nullptr;
};

TEST_F(MsgManagerTest, TreeHoldsTheFixedRootsAndTheListedDiscussions)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    auto roots = Roots();
    ASSERT_EQ(4u, roots.size());
    EXPECT_EQ(CMsgFolderTree::kReceived, roots[0].first);
    EXPECT_EQ(Res(IDS_MSG_RECEIVED), roots[0].second);
    EXPECT_EQ(CMsgFolderTree::kSent, roots[1].first);
    EXPECT_EQ(CMsgFolderTree::kTalkRoot, roots[2].first);
    EXPECT_EQ(Res(IDS_MSG_TALK_ROOT), roots[2].second);
    EXPECT_EQ(CMsgFolderTree::kUnreadByRecipients, roots[3].first);
    // Kinds 3 and 2 only; the node's data is the number its id ends in.
    EXPECT_EQ((std::vector<CString>{L"Project", L"Lunch"}), Children(Folders().GetTalkRoot()));
    HTREEITEM hProject = Tree().GetChildItem(Folders().GetTalkRoot());
    EXPECT_EQ(5u, Tree().GetItemData(hProject));
    EXPECT_EQ(15u, Tree().GetItemData(Tree().GetNextSiblingItem(hProject)));
    EXPECT_EQ(1u, Tree().GetItemData(Folders().GetReceivedRoot()));

    // A second request rebuilds the tree: no node is duplicated.
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    EXPECT_EQ(4u, Roots().size());
    EXPECT_EQ(2u, Children(Folders().GetTalkRoot()).size());
}

TEST_F(MsgManagerTest, UnreadRequestShowsTheFolderViewOnTheUnreadNode)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    EXPECT_EQ(CMsgFolderTree::kUnreadByRecipients, SelectedImage());
    EXPECT_FALSE(m_dlg->IsOrgViewActive());
    EXPECT_TRUE(Visible(&Tree()));
    EXPECT_FALSE(Visible(Views().GetOrgPane()));
    EXPECT_TRUE(Visible(m_dlg->GetBasePane()));
    EXPECT_FALSE(Visible(m_dlg->GetHistoryViewer()));
    EXPECT_FALSE(Views().GetLocalTab().IsWindowEnabled());
    EXPECT_FALSE(Views().GetLocalTab().IsChecked());
    EXPECT_EQ(Res(IDS_MSG_VIEW_FOLDERS), WndText(Views().GetViewButton()));
}

TEST_F(MsgManagerTest, GroupTalkRequestOpensThatDiscussionInTheHistoryViewer)
{
    for (const wchar_t* request : {L"GROUP_TALK;lunch_15", L"group_talk;lunch_15"}) {
        SCOPED_TRACE(request);
        m_dlg->GetHistoryViewer()->OpenTalkHistory(CString());
        m_dlg->OpenWithRequest(request);
        EXPECT_EQ(CString(L"Lunch"), SelectedText());
        EXPECT_EQ(CString(L"lunch_15"), m_dlg->GetHistoryViewer()->GetTalkId());
        EXPECT_TRUE(Visible(m_dlg->GetHistoryViewer()));
        EXPECT_FALSE(Visible(m_dlg->GetBasePane()));
        EXPECT_TRUE(Folders().GetPendingTalkId().IsEmpty());
    }
    // A discussion the tree does not list leaves nothing selected.
    m_dlg->OpenWithRequest(L"GROUP_TALK;private_6");
    EXPECT_EQ(CString(L"<none>"), SelectedText());
}

TEST_F(MsgManagerTest, PersonRequestBuildsOnePersonNode)
{
    m_dlg->OpenWithRequest(L"bob;Bob Stone");
    EXPECT_EQ(CMsgFolderTree::kPerson, SelectedImage());
    EXPECT_EQ(CString(L"Bob Stone"), SelectedText());
    EXPECT_EQ(CString(L"bob"), Folders().GetCurrentPersonId());
    EXPECT_TRUE(Visible(m_dlg->GetBasePane()));
    HTREEITEM hHeader = m_dlg->FindRootItemByImage(nullptr, CMsgFolderTree::kPersons);
    ASSERT_NE(nullptr, hHeader);
    EXPECT_EQ(Res(IDS_MSG_PERSONS), Tree().GetItemText(hHeader));

    // A person node whose index no longer fits the list shows and presets nothing.
    Folders().SetPersons(CStringArray(), CStringArray());
    m_dlg->RefreshCurrentNode();
    CString preset = L"<not shown>";
    {
        ModalScript script([&](HWND hDlg) {
            wchar_t buf[64] = {};
            ::GetDlgItemTextW(hDlg, IDC_SEARCH_PERSON, buf, 64);
            preset = buf;
            ::SendMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
        m_dlg->OnSearchMessages();
    }
    EXPECT_EQ(CString(L""), preset);

    // Without ";" the one person has an empty id and name; still one header.
    m_dlg->OpenWithRequest(L"contact_unread");
    EXPECT_EQ(CMsgFolderTree::kPerson, SelectedImage());
    EXPECT_EQ(CString(L""), SelectedText());
    EXPECT_EQ(1, Folders().GetPersonIds().GetSize());
    EXPECT_EQ(CString(L""), Folders().GetPersonIds()[0]);
}

// An empty request (the signed-in panel's "Messages" button) shows the received messages to a
// user without views of his own: never an empty page whose only way out is the view menu.
TEST_F(MsgManagerTest, EmptyRequestWithoutUserViewsShowsTheReceivedMessages)
{
    m_db.AddMessage(L"r1", 1, 0, L"", L"bob", L"Bob", L"ann");
    m_db.AddMessage(L"s1", 2, 0, L"", L"ann", L"Ann", L"bob");
    m_dlg->OpenWithRequest(L"");
    testsupport::PumpMessages();
    EXPECT_FALSE(m_dlg->IsOrgViewActive());
    EXPECT_TRUE(Visible(&Tree()));
    EXPECT_FALSE(Visible(Views().GetOrgPane()));
    EXPECT_EQ(CMsgFolderTree::kReceived, SelectedImage());
    ASSERT_TRUE(Visible(m_dlg->GetBasePane()));
    EXPECT_FALSE(Visible(m_dlg->GetHistoryViewer()));
    ASSERT_NE(nullptr, m_dlg->GetBasePane()->GetTitlePane());
    EXPECT_EQ(1, m_dlg->GetBasePane()->GetTitlePane()->GetTotal());
    EXPECT_EQ(CString(L"r1"), m_dlg->GetBasePane()->GetTitlePane()->GetCachedRow(0)->strID);
    EXPECT_EQ(Res(IDS_MSG_VIEW_FOLDERS), WndText(Views().GetViewButton()));
}

// A user with a view of his own finds it, as before.
TEST_F(MsgManagerTest, EmptyRequestShowsTheUserViews)
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->m_UserList.RemoveAll();
    pMgr->m_UserList.AddView(L"grp1", 2, L"Groups");
    CQorUserItem team;
    team.nType = CQorUserItem::kGroup;
    team.strId = L"team";
    team.strName = L"Team";
    pMgr->m_UserList.AddOrgEntry(L"grp1", L"", team);
    struct Forget {
        ~Forget() { CQorViewMgr::Instance()->m_UserList.RemoveAll(); }
    } forget;
    // The organisation pane reads the views when it is made.
    m_dlg->DestroyWindow();
    testsupport::PumpMessages();
    m_dlg = new CQorMsgManagerDlg(nullptr);
    ASSERT_TRUE(m_dlg->Create(IDD_MSG_MANAGER, nullptr));
    m_dlg->ShowWindow(SW_SHOW);
    m_dlg->OpenWithRequest(L"");
    EXPECT_TRUE(m_dlg->IsOrgViewActive());
    EXPECT_TRUE(m_dlg->IsLocalMode());
    EXPECT_FALSE(Visible(&Tree()));
    EXPECT_TRUE(Visible(Views().GetOrgPane()));
    EXPECT_TRUE(Views().GetOrgPane()->GetHideComboInViewMode());
    EXPECT_TRUE(Visible(m_dlg->GetHistoryViewer()));
    EXPECT_FALSE(Visible(m_dlg->GetBasePane()));
    EXPECT_TRUE(Views().GetLocalTab().IsWindowEnabled());
    EXPECT_TRUE(Views().GetLocalTab().IsChecked());
    EXPECT_FALSE(Views().GetRoamingTab().IsChecked());
    EXPECT_EQ(Res(IDS_MSG_USER_VIEWS), WndText(Views().GetViewButton()));

    // The roaming tab shows the web pane and clears local mode; the organisation view comes back
    // with the combo.
    m_dlg->OnTabButton2();
    EXPECT_FALSE(m_dlg->IsLocalMode());
    EXPECT_TRUE(Views().GetRoamingTab().IsChecked());
    EXPECT_FALSE(Views().GetLocalTab().IsChecked());
    EXPECT_TRUE(Visible(Views().GetWebPane()));
    EXPECT_FALSE(Visible(m_dlg->GetHistoryViewer()));
    m_dlg->OnViewOrgTree();
    EXPECT_TRUE(m_dlg->IsLocalMode());
    EXPECT_FALSE(Views().GetOrgPane()->GetHideComboInViewMode());
    EXPECT_EQ(Res(IDS_MSG_VIEW_ORG), WndText(Views().GetViewButton()));
}

TEST_F(MsgManagerTest, TalkLookUpByNumberIsExactAndTakesTheLastMatch)
{
    m_db.AddTalk(L"x5", 3, L"No underscore");
    m_db.AddTalk(L"a_7", 3, L"First seven");
    m_db.AddTalk(L"b_7", 3, L"Second seven");
    EXPECT_EQ(CString(L"proj_5"), m_dlg->GetTalkIdByViewId(5));
    EXPECT_EQ(CString(L"lunch_15"), m_dlg->GetTalkIdByViewId(15));
    EXPECT_EQ(CString(L"b_7"), m_dlg->GetTalkIdByViewId(7));
    EXPECT_EQ(CString(L""), m_dlg->GetTalkIdByViewId(1));
}

TEST_F(MsgManagerTest, TalkIdsWithQuotesReachSqlAsLiterals)
{
    m_db.AddTalk(L"o''brien_9", 3, L"Quoted");
    m_db.AddTalk(L"Col_ID", 3, L"Named like a column");
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    EXPECT_EQ(CString(L"Quoted"), Tree().GetItemText(m_dlg->FindTalkItem(L"o'brien_9", Folders().GetTalkRoot())));
    // An id that reads like a column name is still a text: only its own talk matches.
    EXPECT_EQ(CString(L"Named like a column"),
              Tree().GetItemText(m_dlg->FindTalkItem(L"Col_ID", Folders().GetTalkRoot())));
    EXPECT_EQ(nullptr, m_dlg->FindTalkItem(L"' OR '1'='1", Folders().GetTalkRoot()));
}

TEST_F(MsgManagerTest, FindTalkItemTakesTheFirstNodeOfADoubledSubject)
{
    m_db.AddTalk(L"again_8", 2, L"project");
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    HTREEITEM hFirst = Tree().GetChildItem(Folders().GetTalkRoot());
    EXPECT_EQ(hFirst, m_dlg->FindTalkItem(L"again_8", Folders().GetTalkRoot()));
}

TEST_F(MsgManagerTest, UserFoldersListDistinctNamedFolders)
{
    m_db.AddMessage(L"m1", 1, 3, L"Invoices", L"bob", L"Bob", L"");
    m_db.AddMessage(L"m2", 1, 3, L"Invoices", L"bob", L"Bob", L"");
    m_db.AddMessage(L"m3", 2, 3, L"Travel", L"ann", L"Ann", L"bob");
    m_db.AddMessage(L"m4", 1, 3, L"", L"bob", L"Bob", L"");
    m_db.AddMessage(L"m5", 1, 0, L"Not filed", L"bob", L"Bob", L"");
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    HTREEITEM hRoot = Folders().AppendNode(nullptr, L"Folders", CMsgFolderTree::kUserFolders, 0);
    Folders().SetUserFolderRoot(hRoot);
    Folders().AppendNode(hRoot, L"stale", CMsgFolderTree::kUserFolder, 5);
    EXPECT_TRUE(m_dlg->LoadUserFolders(hRoot));
    auto names = Children(hRoot);
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return a.Compare(b) < 0; });
    EXPECT_EQ((std::vector<CString>{L"Invoices", L"Travel"}), names);

    // A query that cannot run leaves the old children deleted and reports it.
    QorDBTest_FailStatementsContaining(L"DISTINCT Col_FolderName");
    EXPECT_FALSE(m_dlg->LoadUserFolders(hRoot));
    EXPECT_TRUE(Children(hRoot).empty());
}

// The discussion root shows the group-talk pane in place of the others, its list read each
// time it is shown or refreshed; any other node hides it again.
TEST_F(MsgManagerTest, TheDiscussionRootListsTheTalksInTheGroupTalkPane)
{
    m_dlg->OpenWithRequest(L"GROUP_TALK;proj_5");
    ASSERT_TRUE(Visible(m_dlg->GetHistoryViewer()));
    Tree().SelectItem(Folders().GetTalkRoot());
    ASSERT_TRUE(Visible(Views().GetMeetingPane()));
    EXPECT_FALSE(Visible(m_dlg->GetHistoryViewer()));
    EXPECT_FALSE(Visible(m_dlg->GetBasePane()));
    // The discussions the tree lists under the root, of both kinds (3 first, as in the tree), not
    // the meetings.
    ASSERT_EQ(2, Views().GetMeetingPane()->GetTalkList().GetItemCount());
    EXPECT_EQ(CString(L"proj_5"), Views().GetMeetingPane()->GetTalkList().GetItemDataText(0));
    EXPECT_EQ(CString(L"lunch_15"), Views().GetMeetingPane()->GetTalkList().GetItemDataText(1));
    EXPECT_EQ(Res(IDS_TALK_LABEL), WndText(Views().GetMeetingPane()->GetLabel()));

    m_db.AddTalk(L"board_7", 2, L"Board");
    m_db.AddTalk(L"plan_8", 1, L"Planning meeting");
    m_dlg->RefreshCurrentNode();
    EXPECT_EQ(3, Views().GetMeetingPane()->GetTalkList().GetItemCount());

    Tree().SelectItem(Folders().GetReceivedRoot());
    EXPECT_FALSE(Visible(Views().GetMeetingPane()));
    EXPECT_TRUE(Visible(m_dlg->GetBasePane()));
}

// The search: the dialog's answers become the criteria and the one search-results node.
TEST_F(MsgManagerTest, MessageSearchStoresItsCriteriaAndSelectsOneResultsNode)
{
    m_dlg->OpenWithRequest(L"carl;Carl");
    std::vector<CString> presets;
    ModalScript script([&](HWND hDlg) {
        // The title list's own dialogs (its waiting dialog while it searches) are left alone.
        if (!::GetDlgItem(hDlg, IDC_SEARCH_TEXT))
            return;
        wchar_t buf[64] = {};
        ::GetDlgItemTextW(hDlg, IDC_SEARCH_PERSON, buf, 64);
        presets.push_back(buf);
        SetItemText(hDlg, IDC_SEARCH_TEXT, L"budget 'q3'");
        Click(hDlg, IDC_SEARCH_DATE_RANGE);
        auto pickers = DatePickers(hDlg);
        if (pickers.size() == 2) {
            SetPickerDate(pickers[0], 2026, 1, 2);
            SetPickerDate(pickers[1], 2026, 3, 4);
        }
        ::SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    // Nothing in the database matches: the title list ran each search and said so.
    qorview_test::PushMessageBoxAnswer(IDOK);
    qorview_test::PushMessageBoxAnswer(IDOK);
    // From a person node the dialog starts with that person.
    m_dlg->DoManagerCommand(kMsgCmdSearch);
    EXPECT_EQ(CString(L"budget 'q3'"), m_dlg->GetSearch().GetCriteria().keyword);
    EXPECT_EQ(CString(L"carl"), m_dlg->GetSearch().GetCriteria().person);
    EXPECT_EQ(CString(L"2026-01-02"), m_dlg->GetSearch().GetCriteria().firstDate);
    EXPECT_EQ(CString(L"2026-03-04"), m_dlg->GetSearch().GetCriteria().lastDate);
    // From the results node it starts with none; searching again replaces the results node.
    m_dlg->OnSearchMessages();
    EXPECT_EQ((std::vector<CString>{L"carl", L""}), presets);
    EXPECT_EQ(CString(L""), m_dlg->GetSearch().GetCriteria().person);
    EXPECT_EQ(2, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(std::wstring(Res(IDS_SEARCH_NOTHING))));
    auto roots = Roots();
    int nResults = 0;
    for (auto& r : roots)
        nResults += r.first == CMsgFolderTree::kSearchResults ? 1 : 0;
    EXPECT_EQ(1, nResults);
    EXPECT_EQ(CMsgFolderTree::kSearchResults, roots.back().first);
    EXPECT_EQ(CMsgFolderTree::kSearchResults, SelectedImage());
    EXPECT_TRUE(Visible(m_dlg->GetBasePane()));
}

// After a search the reading pane shows no message that is not among the results; a search
// that replaces the results node loads no other view on the way (the tree would hand the
// deleted node's selection to the node beside it).
TEST_F(MsgManagerTest, ASearchShowsNoMessageBelowThatIsNotAmongItsResults)
{
    m_db.AddMessage(L"r1", 1, 0, L"", L"bob", L"Bob", L"ann");
    m_db.AddContent(L"r1", L"lunch at noon");
    m_db.AddMessage(L"r2", 1, 0, L"", L"bob", L"Bob", L"ann");
    m_db.AddContent(L"r2", L"budget for the third quarter");
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    Tree().SelectItem(Folders().GetReceivedRoot());
    testsupport::PumpMessages();
    CQorMsgTitleDlg* titles = m_dlg->GetBasePane()->GetTitlePane();
    CQorMsgContentDlg* content = m_dlg->GetBasePane()->GetContentPane();
    ASSERT_EQ(2, titles->GetTotal());
    const int row = titles->GetCachedRow(0)->strID == L"r1" ? 0 : 1;
    titles->GetList().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_EQ(CString(L"r1"), content->GetMessageID());
    CString shown;
    content->GetRichText().GetWindowText(shown);
    ASSERT_EQ(CString(L"lunch at noon"), shown);

    ModalScript script([&](HWND hDlg) {
        if (!::GetDlgItem(hDlg, IDC_SEARCH_TEXT))
            return;
        SetItemText(hDlg, IDC_SEARCH_TEXT, L"budget");
        ::SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    m_dlg->OnSearchMessages();
    ASSERT_EQ(1, titles->GetTotal());
    content->GetRichText().GetWindowText(shown);
    EXPECT_EQ(CString(), shown) << "lunch at noon is not among the results";

    QorDBTest_ClearStatements();
    m_dlg->OnSearchMessages();
    EXPECT_EQ(CMsgFolderTree::kSearchResults, SelectedImage());
    EXPECT_EQ(1, titles->GetTotal());
    for (const CString& sql : QorDBTest_GetStatements())
        EXPECT_EQ(-1, sql.Find(L"Col_ReadState = ")) << "another view was loaded: " << CStringA(sql).GetString();
}

TEST_F(MsgManagerTest, CancelledSearchChangesNothing)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    m_dlg->GetSearch().SetCriteria(CMsgSearchCriteria{L"before", L"", L"", L""});
    ModalScript script([](HWND hDlg) { ::SendMessageW(hDlg, WM_CLOSE, 0, 0); });
    m_dlg->OnSearchMessages();
    EXPECT_EQ(1, script.Shown());
    EXPECT_EQ(CString(L"before"), m_dlg->GetSearch().GetCriteria().keyword);
    EXPECT_EQ(nullptr, m_dlg->FindRootItemByImage(nullptr, CMsgFolderTree::kSearchResults));
}

// The toolbar's search runs with the view library as resource module; the search dialog is the
// program's and must still be found.
TEST_F(MsgManagerTest, ToolbarSearchFindsTheProgramsDialog)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    HINSTANCE hBefore = AfxGetResourceHandle();
    HINSTANCE hDuring = nullptr;
    ModalScript script([&](HWND hDlg) {
        hDuring = AfxGetResourceHandle();
        ::SendMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    m_dlg->GetBasePane()->SendMessage(WM_QORVIEW_TOOLBAR, kMsgCmdSearch, 0);
    EXPECT_EQ(1, script.Shown());
    EXPECT_EQ(hBefore, hDuring);
    EXPECT_EQ(hBefore, AfxGetResourceHandle());
}

TEST_F(MsgManagerTest, PersonSearchListsTheMatchingUsersOfTheInfoFile)
{
    std::wstring root = testsupport::TempDir(L"msgcenter-profile");
    qorview_test::SetProfileRoot(root);
    CQorViewMgr::Instance()->m_strAccount = L"ann@korvel";
    CString infoFile = CQorViewMgr::Instance()->GetUserInfoFile();
    FILE* f = _wfopen(infoFile, L"wb");
    ASSERT_NE(nullptr, f);
    fputs("[alice]\r\nUserName=Alice Smith\r\nDept=Sales\r\n[bob]\r\nUserName=Bob Stone\r\n"
          "[carl]\r\nUserName=\r\n[dora]\r\nNick=Alice\r\n",
          f);
    fclose(f);
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    ModalScript script([](HWND hDlg) {
        SetItemText(hDlg, IDC_SEARCH_PERSON, L"ALI;stone;carl;");
        ::SendMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    m_dlg->DoManagerCommand(kMsgCmdAddPersons);
    EXPECT_EQ(1, script.Shown());
    ASSERT_EQ(2, Folders().GetPersonIds().GetSize());
    EXPECT_EQ(CString(L"alice"), Folders().GetPersonIds()[0]);
    EXPECT_EQ(CString(L"bob"), Folders().GetPersonIds()[1]);
    HTREEITEM hHeader = m_dlg->FindRootItemByImage(nullptr, CMsgFolderTree::kPersons);
    EXPECT_EQ((std::vector<CString>{L"Alice Smith", L"Bob Stone"}), Children(hHeader));
    EXPECT_EQ(CString(L"Alice Smith"), SelectedText());
    EXPECT_EQ(CString(L"alice"), Folders().GetCurrentPersonId());
    qorview_test::SetProfileRoot(L"");
    testsupport::RemoveTree(root);
}


void RightClickOn(CQorMsgManagerDlg* pDlg, HTREEITEM hItem)
{
    RECT rc;
    pDlg->GetFolders().Tree().GetItemRect(hItem, &rc, TRUE);
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(pDlg->GetFolders().Tree().GetSafeHwnd(), &pt);
    ::SetCursorPos(pt.x, pt.y);
    NMHDR hdr = {pDlg->GetFolders().Tree().GetSafeHwnd(), IDC_MGR_TREE, static_cast<UINT>(NM_RCLICK)};
    pDlg->SendMessage(WM_NOTIFY, IDC_MGR_TREE, reinterpret_cast<LPARAM>(&hdr));
}

TEST_F(MsgManagerTest, ContextMenuActsOnTheNodeUnderTheMouse)
{
    m_dlg->OpenWithRequest(L"GROUP_TALK;proj_5");
    HTREEITEM hLunch = Tree().GetNextSiblingItem(Tree().GetChildItem(Folders().GetTalkRoot()));
    ASSERT_EQ(CString(L"Lunch"), Tree().GetItemText(hLunch));
    {
        MenuWatcher watcher;
        RightClickOn(m_dlg, hLunch);
        EXPECT_EQ(1, MenuWatcher::s_nMenus);
    }
    // The clicked discussion became the selection, so the menu's command deletes it.
    EXPECT_EQ(hLunch, Tree().GetSelectedItem());
    qorview_test::PushMessageBoxAnswer(IDOK);
    m_dlg->SendMessage(WM_COMMAND, ID_MSG_DELETE_TALK, 0);
    EXPECT_EQ(0, m_db.Count(L"SELECT Col_ID FROM Qor_Talk WHERE Col_ID = 'lunch_15'"));
    EXPECT_EQ(0, m_db.Count(L"SELECT Col_ID FROM qor_Talk_Msg WHERE Col_TalkID = 'lunch_15'"));
    EXPECT_EQ(0, m_db.Count(L"SELECT Col_TalkID FROM qor_Talk_AttachMent WHERE Col_TalkID = 'lunch_15'"));
    EXPECT_EQ(0, m_db.Count(L"SELECT Col_TalkID FROM qor_Talk_Log WHERE Col_TalkID = 'lunch_15'"));
    EXPECT_EQ(1, m_db.Count(L"SELECT Col_ID FROM Qor_Talk WHERE Col_ID = 'proj_5'"));
    EXPECT_EQ(1, m_db.Count(L"SELECT Col_ID FROM qor_Talk_Msg WHERE Col_TalkID = 'proj_5'"));
    EXPECT_EQ((std::vector<CString>{L"Project"}), Children(Folders().GetTalkRoot()));

    // Nodes other than a discussion have no menu.
    MenuWatcher watcher;
    RightClickOn(m_dlg, Folders().GetReceivedRoot());
    RightClickOn(m_dlg, Folders().GetTalkRoot());
    EXPECT_EQ(0, MenuWatcher::s_nMenus);
    EXPECT_EQ(Folders().GetTalkRoot(), Tree().GetSelectedItem());
}

TEST_F(MsgManagerTest, FailedDiscussionDeletionChangesNothingAndSaysSo)
{
    m_dlg->OpenWithRequest(L"GROUP_TALK;proj_5");
    HTREEITEM hProject = Tree().GetSelectedItem();
    QorDBTest_FailStatementsContaining(L"qor_Talk_Log");
    qorview_test::PushMessageBoxAnswer(IDOK); // the question
    qorview_test::PushMessageBoxAnswer(IDOK); // the report
    m_dlg->OnDeleteTalk();
    EXPECT_EQ(1, m_db.Count(L"SELECT Col_ID FROM Qor_Talk WHERE Col_ID = 'proj_5'"));
    EXPECT_EQ(1, m_db.Count(L"SELECT Col_TalkID FROM qor_Talk_AttachMent WHERE Col_TalkID = 'proj_5'"));
    EXPECT_EQ(hProject, m_dlg->FindTalkItem(L"proj_5", Folders().GetTalkRoot()));
    EXPECT_NE(std::wstring::npos,
              qorview_test::LastArgs(L"QorMessageBox").find(std::wstring(Res(IDS_MSG_DELETE_TALK_FAILED))));

    // A folder root's data is no talk number: with it selected the command asks nothing and
    // leaves talk "x_1" alone.
    m_db.AddTalk(L"x_1", 3, L"Other");
    qorview_test::ClearCalls();
    Tree().SelectItem(Folders().GetReceivedRoot());
    qorview_test::PushMessageBoxAnswer(IDOK);
    m_dlg->SendMessage(WM_COMMAND, ID_MSG_DELETE_TALK, 0);
    EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_EQ(1, m_db.Count(L"SELECT Col_ID FROM Qor_Talk WHERE Col_ID = 'x_1'"));
    qorview_test::ClearMessageBoxAnswers();
    qorview_test::SetDefaultMessageBoxAnswer(IDCANCEL);
    Tree().SelectItem(hProject);

    // Cancelling the question deletes nothing either.
    QorDBTest_FailStatementsContaining(nullptr);
    qorview_test::PushMessageBoxAnswer(IDCANCEL);
    m_dlg->OnDeleteTalk();
    EXPECT_EQ(1, m_db.Count(L"SELECT Col_ID FROM Qor_Talk WHERE Col_ID = 'proj_5'"));
}

// Keys come back to the window as WM_USER+2020 and act only with Ctrl held.
TEST_F(MsgManagerTest, ShortcutsNeedCtrl)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    ModalScript script([](HWND hDlg) { ::SendMessageW(hDlg, WM_COMMAND, IDCANCEL, 0); });

    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    MSG msg = {Tree().GetSafeHwnd(), WM_KEYDOWN, 0x46, 0};
    m_dlg->PreTranslateMessage(&msg);
    testsupport::PumpMessages();
    EXPECT_EQ(0, script.Shown());

    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    m_dlg->PreTranslateMessage(&msg);
    testsupport::PumpMessages();
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(1, script.Shown());
}

TEST_F(MsgManagerTest, MaximisingFillsTheWorkAreaFromTheCorner)
{
    m_dlg->ShowWindow(SW_MAXIMIZE);
    testsupport::PumpMessages();
    RECT rc;
    m_dlg->GetWindowRect(&rc);
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    EXPECT_EQ(::GetSystemMetrics(SM_CXFULLSCREEN), rc.right - rc.left);
    EXPECT_EQ(work.bottom, rc.bottom - rc.top);
}

TEST_F(MsgManagerTest, PaneAreaFollowsTheWindowButNeverBelowFiftyPixels)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    auto areaRect = [this] {
        RECT rc;
        ::GetWindowRect(::GetDlgItem(m_dlg->GetSafeHwnd(), IDC_MGR_PANE_AREA), &rc);
        m_dlg->ScreenToClient(&rc);
        return rc;
    };
    RECT before = areaRect();
    RECT client;
    m_dlg->GetClientRect(&client);
    m_dlg->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right + 80, client.bottom + 40));
    RECT grown = areaRect();
    RECT clientNow;
    m_dlg->GetClientRect(&clientNow);
    EXPECT_EQ(before.left, grown.left);
    EXPECT_EQ(clientNow.right, grown.right);
    // The base pane lies on the pane area.
    RECT rcBase;
    m_dlg->GetBasePane()->GetWindowRect(&rcBase);
    m_dlg->ScreenToClient(&rcBase);
    EXPECT_EQ(grown.right, rcBase.right);

    // A client narrower than the pane area's left edge plus 50 moves nothing.
    m_dlg->SetMinimumClient(RECT{0, 0, 0, 0});
    m_dlg->SetWindowPos(nullptr, 0, 0, before.left + 40, 300, SWP_NOMOVE | SWP_NOZORDER);
    m_dlg->GetClientRect(&clientNow);
    ASSERT_LT(clientNow.right - before.left, 50);
    EXPECT_EQ(grown.right, areaRect().right);
}

TEST_F(MsgManagerTest, ManagerCommandsArriveByMessageAndMenu)
{
    m_dlg->OpenWithRequest(L"CONTACT_UNREAD");
    ModalScript script([](HWND hDlg) { ::SendMessageW(hDlg, WM_COMMAND, IDCANCEL, 0); });
    m_dlg->SendMessage(WM_MSGCENTER_COMMAND, kMsgCmdSearch, 0);
    m_dlg->SendMessage(WM_COMMAND, ID_MSG_CMD_SEARCH, 0);
    m_dlg->SendMessage(WM_MSGCENTER_COMMAND, 9, 0);
    EXPECT_EQ(2, script.Shown());
    m_dlg->SendMessage(WM_COMMAND, ID_MSG_HIDE, 0);
    EXPECT_FALSE(::IsWindowVisible(m_dlg->GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(m_dlg->GetSafeHwnd()));
}

} // namespace
