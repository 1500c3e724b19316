// The main window's services under Wine: the tray as the user's status, the hot keys, going away
// with the idle time, the saved position, the data folder and unread count, new-message tips,
// the status commands, the thin handlers, the update, and close, destroy and help.
#include "app/CAutoAway.h"
#include "app/CHotKeys.h"
#include "app/CQorTipMgr.h"
#include "app/CUnreadMsg.h"
#include "app/KorvelMessages.h"
#include "common/CBaseFun.h"
#include "common/CRegistryKey.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CxDuiToolbar.h"
#include "platform/WqUpApi/WqUpApiTestHooks.h"
#include "tests/app/MainWindowFixture.h"
#include <algorithm>
#include <memory>

namespace {

CQorViewMgr* Mgr()
{
    return CQorViewMgr::Instance();
}

// The window signed in as ann, with a local database that holds nUnread unread messages.
class SignedInWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(CreateMain());
        LoginFields fields = m_pDlg->GetLoginFields();
        fields.strLoginName = L"ann";
        fields.strServerAddr = L"im.example.com";
        fields.nServerPort = 6660;
        m_pDlg->SetLoginFields(fields);
        Mgr()->m_strAccount = L"ann";
        m_pDlg->SetSignedIn(TRUE);
    }

    void TearDown() override
    {
        CQorViewMgr* pMgr = Mgr();
        pMgr->m_pConnect = nullptr;
        pMgr->m_pMainToolbar = nullptr;
        pMgr->m_bOwnUnreadHandling = 0;
        pMgr->m_bUnreadFlash = 0;
        pMgr->m_dwServerOption1 = pMgr->m_dwServerOption2 = pMgr->m_dwOptionFlags = 0;
        pMgr->m_nUserStatus = 0;
        pMgr->m_nServerAwayMinutes = 0;
        CAutoAway::SetIdleSource(nullptr);
        MainWindowFixture::TearDown();
        if (m_db) {
            m_db->Close();
            m_db.reset();
        }
    }

    void UseDatabase(int nUnread)
    {
        m_db = std::make_unique<CYqConnect>();
        ASSERT_TRUE(m_db->Open((m_profile + L"\\unread.db").c_str()));
        ASSERT_TRUE(m_db->Execute(L"DROP TABLE IF EXISTS qor_Msg_UnRead;"
                                  L"CREATE TABLE qor_Msg_UnRead(Col_MsgID TEXT, Col_RecvLogin TEXT, Col_Favourite INT)"));
        for (int i = 0; i < nUnread; ++i)
            ASSERT_TRUE(m_db->Execute(L"INSERT INTO qor_Msg_UnRead VALUES('m', '', 0)"));
        // Neither a message filed for another login nor a favourite counts.
        ASSERT_TRUE(m_db->Execute(L"INSERT INTO qor_Msg_UnRead VALUES('x', 'bob', 0);"
                                  L"INSERT INTO qor_Msg_UnRead VALUES('y', '', 1)"));
        Mgr()->m_pConnect = m_db.get();
    }

    HWND Main() const { return m_pDlg->GetSafeHwnd(); }
    COLORREF TrayColour() const { return IconColour(m_pDlg->GetTrayStatus().GetTrayIcon().GetIcon()); }

    std::unique_ptr<CYqConnect> m_db;
};

// A chat message item as the view library hands it over.
CQorMsgItem ChatItem(const wchar_t* sender, int type = 1)
{
    CQorMsgItem item;
    item.strMsgID = L"id-1";
    item.strSender = sender;
    item.strSenderName = L"Bob Stone";
    item.strSubject = L"Lunch?";
    item.strTalkID = L"t-9";
    item.strTalkName = L"Lunch club";
    item.strPicture = L"pic.png";
    item.strExtra1 = L"key-1";
    item.strSendTime = L"2024-01-02 03:04:05";
    item.nMsgType = type;
    item.nMsgFlags = 0x10;
    return item;
}

std::vector<std::wstring> s_opened;
void RecordOpened(const CString& url)
{
    s_opened.push_back(url.GetString());
}

} // namespace

TEST_F(SignedInWindow, TrayFollowsTheStatusAndBlinksWithTheBlankImage)
{
    ASSERT_TRUE(UseColourStrip());
    for (const auto& c : {std::make_pair(4, 1), std::make_pair(7, 4), std::make_pair(8, 5), std::make_pair(42, 0)}) {
        m_pDlg->ChangeUseStatusIcon(c.first);
        EXPECT_EQ(TrayColour(), StatusColour(c.second)) << "status " << c.first;
    }
    Mgr()->m_nUserStatus = 6;
    m_pDlg->FlashTrayIcon(0);
    EXPECT_EQ(TrayColour(), StatusColour(CTrayStatus::kBlankImage));
    m_pDlg->FlashTrayIcon(1);
    EXPECT_EQ(TrayColour(), StatusColour(3));
    EXPECT_FALSE(m_pDlg->GetTrayStatus().GetTrayIcon().IsHidden());
    EXPECT_FALSE(m_pDlg->SetTrayImage(8)); // beyond the strip: nothing changes
    EXPECT_EQ(TrayColour(), StatusColour(3));
}

// Status 8 wants no popups: the shown tip only hides; any other status brings the next one.
TEST_F(SignedInWindow, StatusEightHidesTheTipAndAnotherShowsIt)
{
    CQorMsgItem item = ChatItem(L"bob");
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&item), 0);
    ASSERT_TRUE(m_pDlg->GetTipMgr().IsTipVisible());
    m_pDlg->ChangeUseStatusIcon(8);
    EXPECT_FALSE(m_pDlg->GetTipMgr().IsTipVisible());
    EXPECT_NE(m_pDlg->GetTipMgr().GetCurrentRecord(), nullptr);
    m_pDlg->ChangeUseStatusIcon(3);
    EXPECT_TRUE(m_pDlg->GetTipMgr().IsTipVisible());
}

// The hot keys are registered for real: another window cannot take them while they are, and the
// key pressed reaches the window as WM_HOTKEY.
TEST_F(SignedInWindow, HotKeysAreRegisteredAndAnswerTheKeyboard)
{
    CQorViewBaseFun::SetHotKeys(L"ShowMain", L"ann", CString(), L"6;65"); // Ctrl+Shift+A
    CQorViewBaseFun::SetHotKeys(L"RecvMsg", L"ann", CString(), L"6");     // no key: none at all
    m_pDlg->RegisterHotKeys();
    HWND hOther = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(::RegisterHotKey(hOther, 7, MOD_CONTROL | MOD_SHIFT, 'A'));
    EXPECT_TRUE(::RegisterHotKey(hOther, 8, MOD_CONTROL | MOD_ALT, 'U')); // RecvMsg kept its default free
    ::UnregisterHotKey(hOther, 8);

    ::ShowWindow(Main(), SW_HIDE);
    INPUT keys[6] = {};
    const WORD vks[3] = {VK_CONTROL, VK_SHIFT, 'A'};
    for (int i = 0; i < 3; ++i) {
        keys[i].type = keys[5 - i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = keys[5 - i].ki.wVk = vks[i];
        keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput(6, keys, sizeof(INPUT));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ::IsWindowVisible(Main()) != FALSE; }));

    // Unregistered with the window's end (and WM_USER+609 registers anew).
    ::SendMessageW(Main(), WM_REREGISTER_HOTKEYS, 0, 0);
    EXPECT_FALSE(::RegisterHotKey(hOther, 7, MOD_CONTROL | MOD_SHIFT, 'A'));
    DestroyMain();
    EXPECT_TRUE(::RegisterHotKey(hOther, 7, MOD_CONTROL | MOD_SHIFT, 'A'));
    ::UnregisterHotKey(hOther, 7);
    ::DestroyWindow(hOther);
}

TEST_F(SignedInWindow, ShowMainHotKeyHidesAWindowInFrontAndShowsAnyOther)
{
    ::SetForegroundWindow(Main());
    ASSERT_EQ(::GetForegroundWindow(), Main());
    ::SendMessageW(Main(), WM_HOTKEY, CHotKeys::kShowMainId, 0);
    EXPECT_FALSE(::IsWindowVisible(Main()));
    ::SendMessageW(Main(), WM_HOTKEY, CHotKeys::kShowMainId, 0);
    EXPECT_TRUE(::IsWindowVisible(Main()));
    EXPECT_EQ(::GetForegroundWindow(), Main());
    // RecvMsg without the view library's unread handling and without tips leaves it in front.
    ::SendMessageW(Main(), WM_HOTKEY, CHotKeys::kRecvMsgId, 0);
    EXPECT_TRUE(::IsWindowVisible(Main()));
}

TEST_F(SignedInWindow, RecvMsgHotKeyOpensTheUnreadMessages)
{
    Mgr()->m_bOwnUnreadHandling = 1;
    const struct {
        int unread;
        int unreadWindows;
    } cases[] = {{0, 0}, {1, 0}, {3, 1}};
    for (const auto& c : cases) {
        UseDatabase(c.unread);
        qorview_test::ClearCalls();
        ::SendMessageW(Main(), WM_HOTKEY, CHotKeys::kRecvMsgId, 0);
        EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ShowUnreadMsg"), c.unreadWindows) << c.unread;
        m_db->Close();
    }
    // Exactly one: the newest tip's conversation is opened.
    UseDatabase(1);
    CQorMsgItem item = ChatItem(L"bob", 11); // a group message: opened by its talk id
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&item), 0);
    ASSERT_EQ(m_pDlg->GetTipMgr().GetRecordCount(), 1);
    ::SendMessageW(Main(), WM_HOTKEY, CHotKeys::kRecvMsgId, 0);
    EXPECT_EQ(m_pDlg->GetTipMgr().GetRecordCount(), 0);
}

TEST_F(SignedInWindow, AutoAwayGoesAndComesBackOnlyFromOnline)
{
    static DWORD s_idle = 0;
    CAutoAway::SetIdleSource([](DWORD& idle) { idle = s_idle; return true; });
    CQorViewBaseFun::SetAutoAwayInfo(TRUE, 1);
    m_pDlg->StartAutoAway();
    ASSERT_EQ(m_pDlg->GetAutoAway().GetTimerId(), static_cast<UINT_PTR>(CAutoAway::kTimerId));
    EXPECT_EQ(m_pDlg->GetAutoAway().GetIdleLimit(), 60000u);

    const struct {
        int status;
        DWORD idle;
        int after;
    } cases[] = {
        {3, 60001, 7}, // idle past the limit: away
        {7, 60001, 7}, // still idle: stays away
        {7, 10, 3},    // input again: back online
        {6, 90000, 6}, // a chosen status is left alone
        {5, 10, 5},
    };
    for (const auto& c : cases) {
        Mgr()->m_nUserStatus = c.status;
        s_idle = c.idle;
        qorview_test::ClearCalls();
        ::SendMessageW(Main(), WM_TIMER, CAutoAway::kTimerId, 0);
        EXPECT_EQ(Mgr()->m_nUserStatus, c.after) << c.status << "/" << c.idle;
    }
    // Signed out, the check does nothing; stopped, the timer is gone.
    m_pDlg->SetSignedIn(FALSE);
    Mgr()->m_nUserStatus = 3;
    s_idle = 999999;
    ::SendMessageW(Main(), WM_TIMER, CAutoAway::kTimerId, 0);
    EXPECT_EQ(Mgr()->m_nUserStatus, 3);
    m_pDlg->StopAutoAway();
    EXPECT_EQ(m_pDlg->GetAutoAway().GetTimerId(), 0u);
    EXPECT_FALSE(::KillTimer(Main(), CAutoAway::kTimerId));

    // With the option off nothing runs at all.
    CQorViewBaseFun::SetAutoAwayInfo(FALSE, 10);
    m_pDlg->StartAutoAway();
    EXPECT_EQ(m_pDlg->GetAutoAway().GetTimerId(), 0u);
}

// The position is saved when the window goes and restored at the next start; a window that never
// saved one starts centred.
TEST_F(MainWindowFixture, PositionSurvivesARestartWithItsHeight)
{
    ASSERT_TRUE(CreateMain());
    RECT rc;
    ::GetWindowRect(m_pDlg->GetSafeHwnd(), &rc);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(rc.left, (cx - (rc.right - rc.left)) / 2);
    EXPECT_EQ(rc.top, (cy - (rc.bottom - rc.top)) / 2);

    ::SetWindowPos(m_pDlg->GetSafeHwnd(), nullptr, 40, 30, 320, 650, SWP_NOZORDER);
    DestroyMain();
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewBaseFun::SaveKorvelBaseDlgPro"), L"40|30|320|650");

    ASSERT_TRUE(CreateMain());
    ::GetWindowRect(m_pDlg->GetSafeHwnd(), &rc);
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.top, 30);
    EXPECT_EQ(rc.bottom - rc.top, 650);
    EXPECT_TRUE(::IsWindowVisible(m_pDlg->GetSafeHwnd()));
}

TEST_F(SignedInWindow, DataFolderAndItsDatabaseAreHandedToTheViewLibrary)
{
    Mgr()->m_strSessionText3 = L"im.example.com";
    Mgr()->m_strSessionText1 = L"ann";
    qorview_test::ClearCalls();
    m_pDlg->InitUserDataFolder();
    const std::wstring db = qorview_test::LastArgs(L"CQorViewMgr::InitDBTable");
    EXPECT_NE(db.find(L"\\im.example.com\\User\\ann\\im.example.com.db"), std::wstring::npos) << db;
    EXPECT_NE(::GetFileAttributesW(db.c_str()), INVALID_FILE_ATTRIBUTES);
    // The view library opened that file as the shared connection, with the message tables, and
    // the main window's unread count reads it.
    ASSERT_NE(Mgr()->m_pConnect, nullptr);
    ASSERT_NE(Mgr()->m_pDBMgr, nullptr);
    EXPECT_EQ(std::wstring(Mgr()->m_pConnect->GetPath()), db);
    EXPECT_EQ(m_pDlg->GetUnreadCount(), 0);
    ASSERT_TRUE(Mgr()->m_pDBMgr->AddUnread(L"u1", L"", 0));
    ASSERT_TRUE(Mgr()->m_pDBMgr->AddUnread(L"u2", L"", 1)); // a favourite does not count
    EXPECT_EQ(m_pDlg->GetUnreadCount(), 1);
    Mgr()->m_pDBMgr->CloseConnect();
    EXPECT_EQ(m_pDlg->GetUnreadCount(), 0) << "a closed database counts nothing";

    // A moved data folder is copied into the current one.
    EXPECT_EQ(::SendMessageW(Main(), WM_COPY_DATA_FOLDER, 0, 0), 0); // nothing moved
    const std::wstring old = m_profile + L"\\olddata";
    ::CreateDirectoryW(old.c_str(), nullptr);
    ::CloseHandle(::CreateFileW((old + L"\\kept.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Mgr()->m_strPrevDataFolder = old.c_str();
    EXPECT_EQ(::SendMessageW(Main(), WM_COPY_DATA_FOLDER, 0, 0), 1);
    const CString kept = CQorViewBaseFun::GetMyDataSavePathInfo() + L"\\kept.txt";
    EXPECT_NE(::GetFileAttributesW(kept), INVALID_FILE_ATTRIBUTES);
    Mgr()->m_strPrevDataFolder.Empty();
    Mgr()->m_strSessionText1.Empty();
    Mgr()->m_strSessionText3.Empty();
}

TEST_F(SignedInWindow, UnreadCountGoesToTheToolbarAndClosesTheTip)
{
    CxDuiToolbar toolbar;
    Mgr()->m_pMainToolbar = &toolbar;
    EXPECT_EQ(m_pDlg->GetUnreadCount(), 0); // no database yet
    UseDatabase(2);
    EXPECT_EQ(m_pDlg->GetUnreadCount(), 2);
    ::SendMessageW(Main(), WM_UNREAD_COUNT, 0, 0);
    EXPECT_EQ(toolbar.GetItemText(8892), CString(L"2"));
    m_db->Execute(L"DELETE FROM qor_Msg_UnRead");
    ::SendMessageW(Main(), WM_UNREAD_COUNT, 0, 0);
    EXPECT_EQ(toolbar.GetItemText(8892), CString());

    CQorMsgItem item = ChatItem(L"bob");
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&item), 0);
    HWND hTip = m_pDlg->GetTipMgr().GetTipWnd().GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hTip));
    ::SendMessageW(Main(), WM_UNREAD_COUNT, reinterpret_cast<WPARAM>(L"1 new"), 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(::IsWindowVisible(hTip) && ::IsWindow(hTip));
}

TEST_F(SignedInWindow, NewMessagesBecomeChatAndGroupTips)
{
    CQorMsgItem chat = ChatItem(L"bob");
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&chat), 0);
    CUnreadMsg* pRecord = m_pDlg->GetTipMgr().GetCurrentRecord();
    ASSERT_NE(pRecord, nullptr);
    EXPECT_EQ(pRecord->nKind, CUnreadMsg::kKindNewMsg);
    EXPECT_EQ(pRecord->strContent, CString(L"Lunch?"));
    EXPECT_EQ(pRecord->strSender, CString(L"bob"));
    EXPECT_EQ(pRecord->strNoticeId, CString(L"id-1"));
    EXPECT_EQ(pRecord->strMsgString1, CString(L"key-1"));
    EXPECT_EQ(pRecord->nFlags, 0x10);
    EXPECT_EQ(pRecord->bClosable, 1);
    // The same message once more (the core tells the program's own sink of it too): one tip.
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&chat), 0);
    EXPECT_EQ(1, m_pDlg->GetTipMgr().GetRecordCount());

    m_pDlg->GetTipMgr().ClearTips(); // a second sender would merge into the unread box
    CQorMsgItem group = ChatItem(L"cy", 11);
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&group), 0);
    pRecord = m_pDlg->GetTipMgr().GetCurrentRecord();
    ASSERT_NE(pRecord, nullptr);
    EXPECT_EQ(pRecord->nKind, CUnreadMsg::kKindGroupMsg);
    EXPECT_EQ(pRecord->strContent, CString(L"Lunch club"));
    EXPECT_EQ(pRecord->strTalkId, CString(L"t-9"));

    // A group operation that announces an update makes no tip.
    const int before = m_pDlg->GetTipMgr().GetRecordCount();
    CQorMsgItem notice = ChatItem(L"sys", 14);
    notice.strMsgInfo = L"UPDATENOTICE:1.2";
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&notice), 0);
    EXPECT_EQ(m_pDlg->GetTipMgr().GetRecordCount(), before);

    // With subjects hidden by the user, a chat tip shows none.
    m_pDlg->GetTipMgr().ClearTips();
    CQorViewBaseFun::SetSettingInt(L"NoShowSubject", 1);
    CQorMsgItem quiet = ChatItem(L"dee");
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&quiet), 0);
    pRecord = m_pDlg->GetTipMgr().GetCurrentRecord();
    ASSERT_NE(pRecord, nullptr);
    EXPECT_TRUE(pRecord->strContent.IsEmpty());
}

TEST_F(SignedInWindow, StatusCommandsSetTheStatusUnlessTheServerWithholdsIt)
{
    const struct {
        UINT command;
        DWORD option1, option2;
        int status; // 0: not changed
    } cases[] = {
        {32908, 0, 0, 3}, {32816, 0, 0, 4}, {32913, 0, 0, 5}, {32910, 0, 0, 6}, {32819, 0, 0, 8},
        {32816, 0x10000, 0, 0}, {32913, 0, 0x400000, 0}, {32816, 0, 0x10000, 4},
    };
    for (const auto& c : cases) {
        Mgr()->m_dwServerOption1 = c.option1;
        Mgr()->m_dwServerOption2 = c.option2;
        Mgr()->m_nUserStatus = 1;
        ::SendMessageW(Main(), WM_COMMAND, c.command, 0);
        EXPECT_EQ(Mgr()->m_nUserStatus, c.status ? c.status : 1) << c.command;
    }
}

TEST_F(SignedInWindow, ThinHandlersReachTheViewLibrary)
{
    qorview_test::ClearCalls();
    ::SendMessageW(Main(), WM_COMMAND, 32780, 0);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::ShowOptionDlg"), L"ann|");
    Mgr()->m_dwServerOption1 = 0x100000; // options withheld: a box instead
    ::SendMessageW(Main(), WM_COMMAND, 32780, 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ShowOptionDlg"), 1);
    EXPECT_NE(qorview_test::LastArgs(L"QorMessageBox").find(L"administrator"), std::wstring::npos);

    ::SendMessageW(Main(), WM_COMMAND, 32895, 0);
    ::SendMessageW(Main(), WM_COMMAND, 65253, 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ShowAboutDlg"), 2);
    ::SendMessageW(Main(), WM_CHANGE_PASSWORD, 0, 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ShowOptChangePwdDlg"), 1);
    EXPECT_NE(qorview_test::LastArgs(L"QorMessageBox").find(L"password"), std::wstring::npos);
    ::SendMessageW(Main(), WM_QUICK_SEND_MSG, 5, 0);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::QuickSendMsg"), L"5|");
}

// The user's name, asked before a chat opens, opens the chat when it arrives: the pending login's,
// or the receiver's the command line named (once).
TEST_F(SignedInWindow, UserNameAnswerOpensThePendingChat)
{
    qorview_test::ClearCalls();
    m_pDlg->RequestUserName(L"bob");
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::GetUserInfo"), L"bob|USERNAME,");
    ::SendMessageW(Main(), WM_USER_DETAILS, reinterpret_cast<WPARAM>(L"Department"), reinterpret_cast<LPARAM>(L"x"));
    ::SendMessageW(Main(), WM_USER_DETAILS, reinterpret_cast<WPARAM>(L"UserName"), 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 0);
    ::SendMessageW(Main(), WM_USER_DETAILS, reinterpret_cast<WPARAM>(L"username"), reinterpret_cast<LPARAM>(L"Bob Stone"));
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg"), L"bob|Bob Stone|||1|0");

    CKorvelApp& app = apptest::App();
    app.m_strReceiver = L"cy";
    ::SendMessageW(Main(), WM_USER_DETAILS, reinterpret_cast<WPARAM>(L"USERNAME"), reinterpret_cast<LPARAM>(L"Cy"));
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::NewChatDlg"), L"cy|Cy|||1|0");
    EXPECT_TRUE(app.m_strReceiver.IsEmpty());
    // With the receiver's name on the command line the chat was opened already: none more.
    app.m_strReceiver = L"dee";
    app.m_strReceiverName = L"Dee";
    ::SendMessageW(Main(), WM_USER_DETAILS, reinterpret_cast<WPARAM>(L"USERNAME"), reinterpret_cast<LPARAM>(L"Dee"));
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"), 2);
    EXPECT_TRUE(app.m_strReceiver.IsEmpty());
    EXPECT_TRUE(app.m_strReceiverName.IsEmpty());
}

TEST_F(SignedInWindow, ViewTabFromTheStoredView)
{
    const CString settings = CQorViewBaseFun::GetKorvelOptionFolder() + L"\\Korvel.ini";
    const struct {
        const wchar_t* stored;
        DWORD option1, flags;
        const wchar_t* tab;
    } cases[] = {
        {L"3;dept-1;a;b", 0, 0, L"3|dept-1|0"},
        {L"3;dept-1;a;b", 0x20000, 0, L"2|dept-1|0"}, // the server withholds the department view
        {L"10;f;;", 0, 0, L"2|f|0"},                   // the user-folder view only with its option
        {L"10;f;;", 0, 0x1, L"10|f|1"},
    };
    for (const auto& c : cases) {
        ::WritePrivateProfileStringW(L"Option", L"UserListView", c.stored, settings);
        Mgr()->m_dwServerOption1 = c.option1;
        Mgr()->m_dwOptionFlags = c.flags;
        m_pDlg->SelectViewTab();
        EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetActiveViewTab"), c.tab) << c.stored;
    }
}

// An offered update is shown in the prompt; "Update now" hands the program to the updater and
// the program exits.
TEST_F(SignedInWindow, OfferedUpdateIsPromptedAndAppliedOnRequest)
{
    WqUpTest_ClearCalls();
    WqUpTest_SetCheckResult(2);
    ::SendMessageW(Main(), WM_CHECK_UPDATE, 0, 0);
    EXPECT_EQ(WqUpTest_GetUrl(), L"http://im.example.com:6660/Update");
    const auto calls = WqUpTest_GetCalls();
    auto has = [&](const std::wstring& text) { return std::find(calls.begin(), calls.end(), text) != calls.end(); };
    EXPECT_TRUE(has(L"2(KorvelClient,41362)"));
    EXPECT_TRUE(has(L"1()=2"));
    EXPECT_EQ(::FindWindowW(nullptr, L"Korvel update"), nullptr); // nothing offered, no prompt

    WqUpTest_SetCheckResult(1);
    ::SendMessageW(Main(), WM_CHECK_UPDATE, 0, 0);
    HWND hPrompt = ::FindWindowW(nullptr, L"Korvel update");
    ASSERT_NE(hPrompt, nullptr);
    const int starts = WqUpTest_GetUpdateStarts();
    ::SendMessageW(hPrompt, WM_COMMAND, IDOK, 0);
    testsupport::PumpMessages();
    EXPECT_FALSE(::IsWindow(hPrompt));
    EXPECT_EQ(WqUpTest_GetUpdateStarts(), starts + 1);
    EXPECT_NE(WqUpTest_GetAppPath().find(L".exe"), std::wstring::npos);
    EXPECT_FALSE(IsAlive()); // the program exits for the update
    WqUpTest_SetCheckResult(2);
}

// The progress panel asks for the exit an accepted update needs through its owner interface;
// the window goes once the asking handler has returned, not inside it.
TEST_F(SignedInWindow, TheSignInPanelsExitRequestEndsTheProgramAfterwards)
{
    static_cast<ILoginOwner*>(m_pDlg)->RequestExit();
    EXPECT_TRUE(IsAlive());
    testsupport::PumpMessages();
    EXPECT_FALSE(IsAlive());
}

TEST_F(SignedInWindow, EscapeHidesOrExitsAsTheUserChose)
{
    ::SetWindowPos(Main(), nullptr, 60, 50, 320, 640, SWP_NOZORDER);
    qorview_test::ClearCalls();
    ::SendMessageW(Main(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(::IsWindowVisible(Main()));
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewBaseFun::SaveKorvelBaseDlgPro"), L"60|50|320|640");

    CQorViewBaseFun::SetCloseExit(TRUE);
    ::SendMessageW(Main(), WM_COMMAND, IDCANCEL, 0);
    testsupport::PumpMessages();
    CQorViewBaseFun::SetCloseExit(FALSE);
    EXPECT_FALSE(IsAlive());
}

// Destruction releases everything in order, even with nothing to release but the basics; the
// last position keeps its height.
TEST_F(SignedInWindow, DestroyReleasesTheSessionAndKeepsThePosition)
{
    CKorvelApp& app = apptest::App();
    app.m_hAccountMutex = ::CreateMutexW(nullptr, FALSE, nullptr);
    CQorMsgItem item = ChatItem(L"bob");
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&item), 0);
    ::SetWindowPos(Main(), nullptr, 20, 10, 300, 700, SWP_NOZORDER);
    qorview_test::ClearCalls();
    CQorTipMgr* pTips = &m_pDlg->GetTipMgr();
    EXPECT_EQ(pTips->GetRecordCount() + (pTips->GetCurrentRecord() ? 1 : 0) > 0, true);
    DestroyMain();
    EXPECT_EQ(app.m_hAccountMutex, nullptr);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ClearData"), 1);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetAppCallback"), L"null");
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewBaseFun::SaveKorvelBaseDlgPro"), L"20|10|300|700");
}

TEST_F(SignedInWindow, HelpPageOnTheServerWithTheConfiguredPort)
{
    CBaseFun::PFNOPENADDRESS saved = CBaseFun::SetAddressOpener(&RecordOpened);
    const wchar_t* key = L"Software\\KorvelSoft\\KorvelMessenger\\Setting";
    auto setPort = [&](const wchar_t* text, bool asNumber = false) {
        CRegistryKey reg;
        ASSERT_TRUE(reg.Create(HKEY_LOCAL_MACHINE, key));
        reg.DeleteValue(L"ServerPort");
        if (asNumber)
            reg.SetDWORDValue(L"ServerPort", 9000);
        else if (text)
            reg.SetStringValue(L"ServerPort", text);
        reg.Close();
    };
    const struct {
        const wchar_t* port;
        bool number;
        const wchar_t* url;
    } cases[] = {
        {nullptr, false, L"http://im.example.com:8000/help/"}, // absent
        {L"", false, L"http://im.example.com:8000/help/"},
        {L"8123abc", false, L"http://im.example.com:8123/help/"}, // the leading digits
        {nullptr, true, L"http://im.example.com:8000/help/"},    // not a text: the default
    };
    for (const auto& c : cases) {
        setPort(c.port, c.number);
        s_opened.clear();
        ::SendMessageW(Main(), WM_COMMAND, 32897, 0);
        ASSERT_EQ(s_opened.size(), 1u);
        EXPECT_EQ(s_opened[0], c.url);
    }
    // No server known: a word to the user instead of a page on no host.
    LoginFields fields = m_pDlg->GetLoginFields();
    fields.strServerAddr.Empty();
    m_pDlg->SetLoginFields(fields);
    s_opened.clear();
    qorview_test::ClearCalls();
    ::SendMessageW(Main(), WM_COMMAND, 32897, 0);
    EXPECT_TRUE(s_opened.empty());
    EXPECT_EQ(qorview_test::CountCalls(L"QorMessageBox"), 1);
    setPort(nullptr);
    CBaseFun::SetAddressOpener(saved);
}

TEST_F(SignedInWindow, TrayClickOpensTheUnreadMessagesOnlyWhenSignedIn)
{
    UseDatabase(1);
    ::ShowWindow(Main(), SW_HIDE);
    // No unread flash: the window comes up.
    ::SendMessageW(Main(), WM_TRAY_LBUTTONCLICK, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(Main()));

    // Flashing with one unread message: its conversation opens and the blink ends.
    ASSERT_TRUE(UseColourStrip());
    Mgr()->m_bUnreadFlash = 1;
    Mgr()->m_nUserStatus = 3;
    m_pDlg->FlashTrayIcon(0);
    CQorMsgItem item = ChatItem(L"bob", 11);
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&item), 0);
    ::SendMessageW(Main(), WM_TRAY_LBUTTONCLICK, 0, 0);
    EXPECT_EQ(m_pDlg->GetTipMgr().GetRecordCount(), 0);
    EXPECT_EQ(TrayColour(), StatusColour(2));

    // Several: the unread window.
    UseDatabase(4);
    qorview_test::ClearCalls();
    ::SendMessageW(Main(), WM_TRAY_LBUTTONCLICK, 0, 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ShowUnreadMsg"), 1);

    // Stopping the flash puts the status image back and drops every tip.
    m_pDlg->FlashTrayIcon(0);
    ::SendMessageW(Main(), WM_NEW_MESSAGE, reinterpret_cast<WPARAM>(&item), 0);
    ::SendMessageW(Main(), WM_STOP_TIP_FLASH, 0, 0);
    EXPECT_EQ(TrayColour(), StatusColour(2));
    EXPECT_EQ(m_pDlg->GetTipMgr().GetRecordCount(), 0);
    EXPECT_EQ(m_pDlg->GetTipMgr().GetCurrentRecord(), nullptr);

    // Signed out nothing happens.
    m_pDlg->SetSignedIn(FALSE);
    ::ShowWindow(Main(), SW_HIDE);
    qorview_test::ClearCalls();
    ::SendMessageW(Main(), WM_TRAY_LBUTTONCLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(Main()));
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::ShowUnreadMsg"), 0);
}

TEST_F(SignedInWindow, TrayDoubleClickShowsOrSlidesTheWindowIn)
{
    ::ShowWindow(Main(), SW_HIDE);
    ::SendMessageW(Main(), WM_TRAY_LBUTTONDBLCLK, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(Main()));
    EXPECT_EQ(::GetForegroundWindow(), Main());

    // Docked at the top and slid away: it slides back in.
    CQorViewBaseFun::SetAutoHideMainWindow(TRUE);
    ::SetWindowPos(Main(), nullptr, 200, 2 - 600, 300, 600, SWP_NOZORDER);
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_TOP);
    ::SendMessageW(Main(), WM_TRAY_LBUTTONDBLCLK, 0, 0);
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        RECT rc;
        ::GetWindowRect(Main(), &rc);
        return rc.top == -2;
    }));
    m_pDlg->GetAutoHide().SetDockSide(CAutoHide::DOCK_NONE);
    CQorViewBaseFun::SetAutoHideMainWindow(FALSE);
}

TEST_F(SignedInWindow, SignedInShowsTheTitleText)
{
    EXPECT_TRUE(m_pDlg->IsTitleTextEnabled());
    m_pDlg->SetSignedIn(FALSE);
    EXPECT_FALSE(m_pDlg->IsTitleTextEnabled());
    EXPECT_FALSE(m_pDlg->IsSignedIn());
}
