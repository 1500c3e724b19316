// The core's events reaching the running main window through its application sink: error
// reports, the user list loaded, received messages and bulletins becoming tips, receipts, sent
// confirmations and the forced sign-out. Every event is raised by the core component itself and
// arrives on the window's thread; the result is read in the notification queue, on the popup,
// in the tray and in the view library's records.
#include "app/CKorvelBaseDlg.h"
#include "app/KorvelMessages.h"
#include "controls/popup/CTkPopupControl.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/TipResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CxDuiToolbar.h"
#include "tests/app/CoreBridgeFixture.h"
#include "tests/support/TestSupport.h"
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

CQorViewMgr* View() { return CQorViewMgr::Instance(); }

using CoreEvents = CoreBridgeFixture;

int ErrHandlerCalls()
{
    int n = 0;
    for (const auto& call : qorview_test::Calls())
        n += call.first.find(L"CQorViewMgr::OnReceiveCmd_") == 0 ? 1 : 0;
    return n;
}

TEST_F(CoreEvents, ErrorReportsReachTheViewLibrarysHandlerOfTheirMethod)
{
    const struct {
        const wchar_t* method;
        const wchar_t* handler;
    } rows[] = {
        {L"RCM", L"OnReceiveCmd_RCM_Err"}, {L"DNF", L"OnReceiveCmd_DNF_Err"}, {L"PSW", L"OnReceiveCmd_PSW_Err"},
        {L"AIT", L"OnReceiveCmd_AIT_Err"}, {L"UPF", L"OnReceiveCmd_UPF_Err"}, {L"UVP", L"OnReceiveCmd_UPF_Err"},
        {L"MSG", L"OnReceiveCmd_MSG_Err"}, {L"UVF", L"OnReceiveCmd_UVF_Err"}, {L"DVF", L"OnReceiveCmd_DVF_Err"},
        {L"RVF", L"OnReceiveCmd_RVF_Err"},
    };
    for (const auto& row : rows) {
        qorview_test::ClearCalls();
        RaiseNotify(Cmd(L"ERR", {}, {}, {{L"Method", row.method}}));
        const std::wstring handler = std::wstring(L"CQorViewMgr::") + row.handler;
        EXPECT_EQ(1, qorview_test::CountCalls(handler.c_str())) << row.method;
        // The handler is given the command object itself.
        EXPECT_EQ(L"ERR", qorview_test::LastArgs(handler.c_str())) << row.method;
        EXPECT_EQ(1, ErrHandlerCalls()) << row.method;
    }
}

TEST_F(CoreEvents, OtherNotificationsReachNoHandlerExceptACoreErrorOfDnf)
{
    const struct {
        const wchar_t* name;
        std::vector<std::wstring> strs;
        std::wstring method;
        int dnfCalls;
    } rows[] = {
        {L"COREER", {L"x", L"DNF"}, L"", 1},
        {L"COREER", {L"DNF", L"RCM"}, L"", 0},
        {L"COREER", {}, L"", 0},
        {L"ERR", {}, L"XYZ", 0},
        {L"ERR", {}, L"rcm", 0},
        {L"err", {}, L"RCM", 0},
        {L"Hello", {L"x", L"DNF"}, L"RCM", 0},
    };
    for (const auto& row : rows) {
        qorview_test::ClearCalls();
        RaiseNotify(Cmd(row.name, {}, row.strs, {{L"Method", row.method}}));
        EXPECT_EQ(row.dnfCalls, qorview_test::CountCalls(L"CQorViewMgr::OnReceiveCmd_DNF_Err")) << row.name;
        EXPECT_EQ(row.dnfCalls, ErrHandlerCalls()) << row.name;
        if (row.dnfCalls)
            EXPECT_EQ(L"COREER", qorview_test::LastArgs(L"CQorViewMgr::OnReceiveCmd_DNF_Err"));
    }
}

TEST_F(CoreEvents, TheLoadedUserListShowsTheStoredViewWhenNoExpansionIsAsked)
{
    RaiseNotify(Cmd(L"LSV"));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::SetActiveViewTab"));
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewBaseFun::GetResultByHttpPost"));
    EXPECT_FALSE(m_pDlg->GetDeptExpansion().IsRunning());
}

TEST_F(CoreEvents, EachKindOfMessageBecomesItsTipOnScreen)
{
    View()->m_strIdentity = L"corp";
    const struct {
        CoreMsgFields msg;
        int kind;
        std::wstring content;     // the record's content line
        std::wstring onScreen;    // a caption the popup shows
    } rows[] = {
        {{L"ann@corp", L"Ann", L"Lunch?", L"m-1", 0}, CUnreadMsg::kKindNewMsg, L"Lunch?", L"Lunch?"},
        {{L"bob@corp", L"Bob", L"Project team", L"m-2", 11, 0, L"t-9"}, CUnreadMsg::kKindGroupMsg, L"Project team",
         L""},
        {{L"cat@corp", L"Cat", L"Notice of the week", L"b-1", 7}, CUnreadMsg::kKindBulletin, L"", L""},
    };
    for (const auto& row : rows) {
        Tips().ClearTips();
        RaiseMessage(Msg(row.msg));
        ASSERT_EQ(1, Tips().GetRecordCount()) << row.msg.msgId;
        CUnreadMsg* r = Tips().GetRecordAt(0);
        EXPECT_EQ(row.kind, r->nKind) << row.msg.msgId;
        EXPECT_EQ(row.content, r->strContent.GetString()) << row.msg.msgId;
        EXPECT_TRUE(Tips().IsTipVisible()) << row.msg.msgId;
        EXPECT_EQ(r, Tips().GetCurrentRecord());
        const std::vector<std::wstring> captions = PopupCaptions();
        bool found = row.onScreen.empty();
        for (const auto& c : captions)
            found |= !row.onScreen.empty() && c.find(row.onScreen) != std::wstring::npos;
        EXPECT_TRUE(found) << row.msg.msgId;
    }
    // The group tip names the group with its count, the bulletin its title.
    Tips().ClearTips();
    RaiseMessage(Msg({L"bob@corp", L"Bob", L"Project team", L"m-3", 11, 0, L"t-9"}));
    EXPECT_NE(std::wstring::npos, PopupText().find(L"Project team"));
    Tips().ClearTips();
    RaiseMessage(Msg({L"cat@corp", L"Cat", L"Notice of the week", L"b-2", 7}));
    EXPECT_NE(std::wstring::npos, PopupText().find(L"Notice of the week"));
}

TEST_F(CoreEvents, AReceivedMessageKeepsWhatTheCoreSaidOfItInItsRecord)
{
    CoreMsgFields fields{L"ann@corp", L"Ann", L"Hi", L"m-7", 3, 0x4000, L"t-1", L"2026-03-04 05:06:07", L"Text/Html",
                     L"first;second;third", 42};
    RaiseMessage(Msg(fields));
    ASSERT_EQ(1, Tips().GetRecordCount());
    CUnreadMsg* r = Tips().GetRecordAt(0);
    EXPECT_EQ(L"m-7", std::wstring(r->strNoticeId));
    EXPECT_EQ(L"Ann", std::wstring(r->strSenderName));
    EXPECT_EQ(L"ann@corp", std::wstring(r->strSender));
    EXPECT_EQ(L"Text/Html", std::wstring(r->strContentType));
    EXPECT_EQ(L"2026-03-04 05:06:07", std::wstring(r->strSendTime)); // as received
    EXPECT_EQ(L"t-1", std::wstring(r->strTalkId));
    EXPECT_EQ(L"first", std::wstring(r->strMsgString1));
    EXPECT_EQ(L"second", std::wstring(r->strMsgString2));
    EXPECT_EQ(3, r->nMsgType);
    EXPECT_EQ(0x4000, r->nFlags);
    EXPECT_EQ(42, r->nMsgWord);
    EXPECT_EQ(1, r->bClosable);
    EXPECT_NE(nullptr, r->GetCoreMsg());

    // With subjects hidden by the user, a person's tip shows no content line; a group's does.
    qorview_test::ClearCalls();
    Tips().ClearTips();
    SetOption(L"NoShowSubject", L"1");
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"Secret", L"m-8"}));
    EXPECT_EQ(L"", std::wstring(Tips().GetRecordAt(0)->strContent));
    Tips().ClearTips();
    RaiseMessage(Msg({L"bob@corp", L"Bob", L"Team", L"m-9", 11, 0, L"t-3"}));
    EXPECT_EQ(L"Team", std::wstring(Tips().GetRecordAt(0)->strContent));
}

TEST_F(CoreEvents, AMessageDeliveredAgainCountsOnceAndSoundsOnce)
{
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"one", L"m-1"}));
    EXPECT_EQ(1, Sounds());
    // The same id again (any case): no record, no sound; the popup is raised all the same.
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"one", L"M-1"}));
    EXPECT_EQ(1, Tips().GetRecordCount());
    EXPECT_EQ(1, Sounds());
    EXPECT_TRUE(Tips().IsTipVisible());

    // Once merged into the unread-message box the message is still known.
    RaiseMessage(Msg({L"bob@corp", L"Bob", L"two", L"m-2"}));
    ASSERT_EQ(1, Tips().GetRecordCount());
    auto* box = static_cast<CUnreadMsgBox*>(Tips().GetRecordAt(0));
    ASSERT_EQ(CUnreadMsg::kKindBox, box->nKind);
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"one", L"m-1"}));
    EXPECT_EQ(1, box->FindItem(L"ann@corp")->m_lstRecords.GetCount());
    EXPECT_EQ(1, box->FindItem(L"bob@corp")->m_lstRecords.GetCount());
    // Only the first message of an empty queue sounds.
    EXPECT_EQ(1, Sounds());
}

// A burst keeps one record per sender, however many messages it brings: the newest record of a
// sender stands for the older plain ones and keeps only their ids. Nothing is lost from the
// counts, a message delivered again is still known, and opening hands every message over.
TEST_F(CoreEvents, ABurstKeepsOneRecordPerSenderAndCountsEveryMessage)
{
    // Several messages of one sender: one record that stands for all of them.
    for (int i = 0; i < 40; ++i)
        qorcore_test::RaiseMessage(qorcore_test::kAppSink, Msg({L"ann@corp", L"Ann", L"hi", L"a-" + std::to_wstring(i)}));
    ASSERT_TRUE(testsupport::PumpUntil([] { return qorcore_test::PendingEvents() == 0; }));
    testsupport::PumpMessages();
    ASSERT_EQ(1, Tips().GetRecordCount());
    EXPECT_EQ(40, Tips().GetRecordAt(0)->GetMessageCount());
    EXPECT_EQ(40, Tips().CountNewMessageRecords());
    EXPECT_TRUE(Tips().IsTipVisible());
    EXPECT_EQ(1, Sounds());
    // Delivered again, a recent one and the newest: counted once.
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"A-38"}));
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"a-39"}));
    EXPECT_EQ(40, Tips().CountNewMessageRecords());

    // Other senders: the box counts each sender's messages on its row.
    for (int i = 0; i < 30; ++i) {
        const std::wstring who = i % 3 == 0 ? L"bob@corp" : (i % 3 == 1 ? L"cat@corp" : L"ann@corp");
        qorcore_test::RaiseMessage(qorcore_test::kAppSink, Msg({who, who.substr(0, 3), L"x", L"b-" + std::to_wstring(i)}));
    }
    ASSERT_TRUE(testsupport::PumpUntil([] { return qorcore_test::PendingEvents() == 0; }));
    testsupport::PumpMessages();
    ASSERT_EQ(1, Tips().GetRecordCount());
    auto* box = static_cast<CUnreadMsgBox*>(Tips().GetRecordAt(0));
    ASSERT_EQ(CUnreadMsg::kKindBox, box->nKind);
    EXPECT_EQ(50, box->FindItem(L"ann@corp")->GetMessageCount());
    EXPECT_EQ(10, box->FindItem(L"BOB@corp")->GetMessageCount());
    EXPECT_EQ(10, box->FindItem(L"cat@corp")->GetMessageCount());
    EXPECT_EQ(1, box->FindItem(L"cat@corp")->m_lstRecords.GetCount());
    EXPECT_NE(std::wstring::npos, std::wstring(Tips().BuildBoxRowText(box->FindItem(L"ann@corp"))).find(L"(50)"));
    // A folded message of the box delivered again is known too.
    RaiseMessage(Msg({L"bob@corp", L"bob", L"x", L"b-3"}));
    EXPECT_EQ(10, box->FindItem(L"bob@corp")->GetMessageCount());

    // Opening a sender of the box hands over every one of its messages, newest first, folded
    // or not.
    qorview_test::ClearCalls();
    Tips().OpenUnreadChat(L"bob@corp", L"Bob");
    ASSERT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
    const std::wstring args = qorview_test::LastArgs(L"CQorViewMgr::DoUnReadChatMsg");
    EXPECT_NE(std::wstring::npos, args.find(L"|b-27,b-24,b-21,b-18,b-15,b-12,b-9,b-6,b-3,b-0")) << args;
    EXPECT_EQ(nullptr, box->FindItem(L"bob@corp"));

    // Messages that must each be opened on their own never fold.
    Tips().ClearTips();
    for (int i = 0; i < 3; ++i) {
        CoreMsgFields fields{L"dan@corp", L"Dan", L"secret", L"p-" + std::to_wstring(i)};
        fields.flags = CUnreadMsg::kFlagProtected;
        RaiseMessage(Msg(fields));
    }
    EXPECT_EQ(3, Tips().GetRecordCount());
    EXPECT_EQ(3, Tips().CountNewMessageRecords());
}

TEST_F(CoreEvents, AMessageWithItemsGivesATipOnlyAsASingleFlaggedItem)
{
    const struct {
        long flags;
        int items;
        int records;
    } rows[] = {{0x20, 1, 1}, {0x20, 2, 0}, {0, 1, 0}, {0x21, 1, 1}};
    int n = 0;
    for (const auto& row : rows) {
        Tips().ClearTips();
        qorview_test::ClearCalls();
        CoreMsgFields fields{L"ann@corp", L"Ann", L"file.doc", L"i-" + std::to_wstring(n++)};
        fields.flags = row.flags;
        fields.items = row.items;
        fields.contentType = L"Text/Plain";
        RaiseMessage(Msg(fields));
        ASSERT_EQ(row.records, Tips().GetRecordCount()) << row.flags << "/" << row.items;
        // No sound on this road.
        EXPECT_EQ(0, Sounds());
        if (row.records) {
            CUnreadMsg* r = Tips().GetRecordAt(0);
            EXPECT_EQ(CUnreadMsg::kKindNewMsg, r->nKind);
            EXPECT_EQ(L"file.doc", std::wstring(r->strContent));
            EXPECT_EQ(L"", std::wstring(r->strContentType));
        }
    }
}

TEST_F(CoreEvents, ThePopupWaitsWhileTheViewLibraryIsNotReadyForIt)
{
    const struct {
        BYTE flash, ready;
        int busy;
        bool popup;
    } rows[] = {{0, 1, 0, true}, {1, 1, 0, false}, {0, 0, 0, false}, {0, 1, 2, false}};
    int n = 0;
    for (const auto& row : rows) {
        Tips().ClearTips();
        qorview_test::ClearCalls();
        View()->m_bUnreadFlash = row.flash;
        View()->m_bPanelsReady = row.ready;
        View()->m_nBusyCount = row.busy;
        RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"w-" + std::to_wstring(n++)}));
        EXPECT_EQ(1, Tips().GetRecordCount());
        EXPECT_EQ(row.popup, Tips().IsTipVisible() != FALSE) << n;
        // The sound does not wait for the popup.
        EXPECT_EQ(1, Sounds()) << n;
    }
    View()->m_bUnreadFlash = 0;
    View()->m_bPanelsReady = 1;
    View()->m_nBusyCount = 0;
}

TEST_F(CoreEvents, AReceivedMessageWritesTheUnreadCountIntoTheMainPanelWhenItIsReady)
{
    CYqConnect db;
    ASSERT_TRUE(db.Open((m_profile + L"\\unread.db").c_str()));
    ASSERT_TRUE(db.Execute(L"CREATE TABLE qor_Msg_UnRead(Col_MsgID TEXT, Col_RecvLogin TEXT, Col_Favourite INT);"
                           L"INSERT INTO qor_Msg_UnRead VALUES('a', '', 0);"
                           L"INSERT INTO qor_Msg_UnRead VALUES('b', '', 0);"
                           L"INSERT INTO qor_Msg_UnRead VALUES('c', '', 0)"));
    CxDuiToolbar toolbar;
    View()->m_pConnect = &db;
    View()->m_pMainToolbar = &toolbar;
    View()->m_bPanelsReady = 0;
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"u-1"}));
    EXPECT_EQ(L"", std::wstring(toolbar.GetItemText(8892)));
    View()->m_bPanelsReady = 1;
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"u-2"}));
    EXPECT_EQ(L"3", std::wstring(toolbar.GetItemText(8892)));
    // Also while the status keeps the popup away.
    ASSERT_TRUE(db.Execute(L"DELETE FROM qor_Msg_UnRead"));
    View()->m_nUserStatus = 8;
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"u-3"}));
    EXPECT_EQ(L"", std::wstring(toolbar.GetItemText(8892)));
    View()->m_pMainToolbar = nullptr;
    View()->m_pConnect = nullptr;
    db.Close();
}

TEST_F(CoreEvents, SoundsFollowTheUsersSwitches)
{
    View()->m_dwOptionFlags = 0x1000;
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"s-1"}));
    EXPECT_EQ(0, Sounds());
    View()->m_dwOptionFlags = 0;
    Tips().ClearTips();
    CQorViewBaseFun::SetSoundFile(L"QOR_NewAlert", L"", FALSE);
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"s-2"}));
    EXPECT_EQ(0, Sounds());
    CQorViewBaseFun::SetSoundFile(L"QOR_NewAlert", L"", TRUE);
    Tips().ClearTips();
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"s-3"}));
    EXPECT_EQ(1, Sounds());
}

TEST_F(CoreEvents, AtStatusEightTheTrayShowsTheNewMessageImageInsteadOfAPopupOrASound)
{
    View()->m_nUserStatus = 8;
    m_pDlg->SetTrayStatusImage(8);
    ASSERT_FALSE(TrayShowsImage(6));
    struct Row {
        const char* what;
        std::function<void()> raise;
    };
    const Row rows[] = {
        {"message", [&] { RaiseMessage(Msg({L"ann@corp", L"Ann", L"hi", L"e-1"})); }},
        {"group", [&] { RaiseMessage(Msg({L"bob@corp", L"Bob", L"team", L"e-2", 14, 0, L"t-2"})); }},
        {"bulletin", [&] { RaiseMessage(Msg({L"cat@corp", L"Cat", L"news", L"e-3", 7})); }},
        {"receipt", [&] { RaiseCommand(Cmd(L"C_OPENMSGTIP", {}, {}, {{L"ContactName", L"Ann"}})); }},
        {"sent", [&] { RaiseCommand(Cmd(L"C_SENDMSGOK", {}, {}, {{L"Subject", L"report"}})); }},
    };
    for (const Row& row : rows) {
        m_pDlg->SetTrayStatusImage(8);
        Tips().ClearTips();
        row.raise();
        EXPECT_EQ(1, Tips().GetRecordCount()) << row.what;
        EXPECT_FALSE(Tips().IsTipVisible()) << row.what;
        EXPECT_TRUE(TrayShowsImage(6)) << row.what;
    }
    EXPECT_EQ(0, Sounds());
}

TEST_F(CoreEvents, BulletinsOfOthersAreStoredOnceInLocalTimeAndTheUsersOwnAreNot)
{
    View()->m_bBulletinStore = 1;
    RaiseMessage(Msg({L"boss@corp", L"Boss", L"Holiday", L"n-1", 7, 0, L"", L"2026-05-01 08:00:00"}));
    ASSERT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::InsertBulletin"));
    CString local = L"2026-05-01 08:00:00";
    CQorViewBaseFun::UTCTimeToLocalTime(local);
    EXPECT_EQ(L"Holiday|n-1|Boss|" + std::wstring(local) + L"|0", qorview_test::LastArgs(L"CQorViewMgr::InsertBulletin"));
    EXPECT_EQ(CUnreadMsg::kKindBulletin, Tips().GetRecordAt(0)->nKind);
    EXPECT_EQ(L"n-1", std::wstring(Tips().GetRecordAt(0)->strNoticeId));
    // Bulletins play no sound.
    EXPECT_EQ(0, Sounds());

    // Delivered again: no second tip, no second store entry.
    RaiseMessage(Msg({L"boss@corp", L"Boss", L"Holiday", L"N-1", 7}));
    EXPECT_EQ(1, Tips().GetRecordCount());
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::InsertBulletin"));

    // The user's own bulletin (any case): a tip, nothing stored.
    RaiseMessage(Msg({L"ME@corp", L"Me", L"Mine", L"n-2", 7}));
    EXPECT_EQ(2, Tips().GetRecordCount());
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::InsertBulletin"));

    // Without the store nothing is stored.
    View()->m_bBulletinStore = 0;
    RaiseMessage(Msg({L"boss@corp", L"Boss", L"More", L"n-3", 7}));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::InsertBulletin"));
}

TEST_F(CoreEvents, TheServerSignsTheUserOutWithTheTextOfItsReason)
{
    const struct {
        long reason;
        UINT text;
    } rows[] = {{223, IDS_SIGNOUT_ELSEWHERE}, {224, IDS_SIGNOUT_BY_ADMIN}, {227, IDS_CONNECTION_ENDED}, {100, 0}};
    for (const auto& row : rows) {
        m_pDlg->SetSignedIn(true);
        Tips().AddOnlineTip(L"ann", L"Ann", L"");
        qorview_test::ClearCalls();
        StartPostSpy();
        RaiseCommand(Cmd(L"OUT", {row.reason}));
        EXPECT_FALSE(m_pDlg->IsSignedIn()) << row.reason;
        // Every earlier tip is gone; the sign-out's own tip waits in the queue, not shown.
        ASSERT_EQ(1, Tips().GetRecordCount()) << row.reason;
        CUnreadMsg* r = Tips().GetRecordAt(0);
        EXPECT_EQ(CUnreadMsg::kKindGeneric, r->nKind);
        const CString expected = row.text ? CQorViewBaseFun::LoadStringW(row.text) : CString();
        EXPECT_EQ(std::wstring(expected), std::wstring(r->strText)) << row.reason;
        EXPECT_TRUE(row.text == 0 || !expected.IsEmpty());
        EXPECT_EQ(1, Sounds());
        const auto posted = PostedToMain(WM_LOGIN_CANCEL);
        ASSERT_EQ(1u, posted.size()) << row.reason;
        EXPECT_EQ(0u, posted[0].second);
        Tips().ClearTips();
    }
    // Signed out already: nothing happens.
    qorview_test::ClearCalls();
    StartPostSpy();
    RaiseCommand(Cmd(L"OUT", {223}));
    EXPECT_EQ(0, Tips().GetRecordCount());
    EXPECT_EQ(0, Sounds());
    EXPECT_TRUE(PostedToMain(WM_LOGIN_CANCEL).empty());
}

TEST_F(CoreEvents, AReadReceiptAndASentConfirmationBecomeTheirTips)
{
    RaiseCommand(Cmd(L"C_OPENMSGTIP", {}, {},
                     {{L"ContactName", L"Ann"}, {L"OpenDate", L"2026-01-02 10:00"}, {L"Subject", L"The plan"},
                      {L"IconID", L"12"}, {L"Second", L"7000"}, {L"Picture", L"ann.bmp"}}));
    ASSERT_EQ(1, Tips().GetRecordCount());
    CUnreadMsg* r = Tips().GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindReceipt, r->nKind);
    EXPECT_EQ(L"Ann", std::wstring(r->strSenderName));
    EXPECT_EQ(L"2026-01-02 10:00", std::wstring(r->strExtra));
    EXPECT_EQ(L"The plan", std::wstring(r->strContent));
    EXPECT_EQ(L"ann.bmp", std::wstring(r->strPicture));
    EXPECT_EQ(7000, r->nShowTime);
    EXPECT_EQ(12, r->nId);
    EXPECT_TRUE(Tips().IsTipVisible());
    EXPECT_EQ(1, Sounds());

    // A display time with no digits is 0 (the tip stays until closed).
    Tips().ClearTips();
    RaiseCommand(Cmd(L"C_OPENMSGTIP", {}, {}, {{L"Second", L"soon"}, {L"IconID", L" 3x"}}));
    EXPECT_EQ(0, Tips().GetRecordAt(0)->nShowTime);
    EXPECT_EQ(3, Tips().GetRecordAt(0)->nId);

    // A sent confirmation queues behind everything else and shows two seconds.
    Tips().ClearTips();
    Tips().AddOnlineTip(L"bob", L"Bob", L"");
    RaiseCommand(Cmd(L"C_SENDMSGOK", {}, {},
                     {{L"SendDate", L"2026-01-02 11:00"}, {L"ReceiverName", L"Bob"}, {L"Subject", L"The report"}}));
    ASSERT_EQ(2, Tips().GetRecordCount());
    CUnreadMsg* sent = Tips().GetRecordAt(1);
    EXPECT_EQ(CUnreadMsg::kKindGeneric, sent->nKind);
    EXPECT_EQ(L"The report", std::wstring(sent->strContent));
    EXPECT_EQ(L"2026-01-02 11:00", std::wstring(sent->strExtra));
    EXPECT_EQ(L"Bob", std::wstring(sent->strMsgString2));
    EXPECT_EQ(2000, sent->nShowTime);
    EXPECT_EQ(3, Sounds());
}


// One tip of each kind, raised by the core, on the screen: saved beside the test program
// (tip_kind_<n>.bmp) to be looked at, and each showing the text it was raised with.
TEST_F(CoreEvents, EveryKindOfTipReachesTheScreen)
{
    apptest::App().m_strLanguage = L"ENU";
    const struct {
        int kind;
        std::function<void()> raise;
        std::wstring shown; // a text the popup shows
    } rows[] = {
        {CUnreadMsg::kKindNewMsg, [&] { RaiseMessage(Msg({L"ann@corp", L"Ann Lee", L"Lunch at noon?", L"s-1"})); },
         L"Lunch at noon?"},
        {CUnreadMsg::kKindGroupMsg,
         [&] { RaiseMessage(Msg({L"bob@corp", L"Bob", L"Project team", L"s-2", 11, 0, L"t-1"})); }, L"Project"},
        {CUnreadMsg::kKindBulletin, [&] { RaiseMessage(Msg({L"hr@corp", L"HR", L"Holiday on Friday", L"s-3", 7})); },
         L"Holiday on Friday"},
        {CUnreadMsg::kKindBox,
         [&] {
             RaiseMessage(Msg({L"ann@corp", L"Ann Lee", L"one", L"s-4"}));
             RaiseMessage(Msg({L"cat@corp", L"Cat", L"two", L"s-5"}));
         },
         L"Cat"},
        {CUnreadMsg::kKindReceipt,
         [&] {
             RaiseCommand(Cmd(L"C_OPENMSGTIP", {}, {},
                              {{L"ContactName", L"Dan"}, {L"OpenDate", L"09:30"}, {L"Subject", L"Budget"}}));
         },
         L"Dan"},
        {CUnreadMsg::kKindGeneric,
         [&] {
             RaiseCommand(Cmd(L"C_SENDMSGOK", {}, {},
                              {{L"SendDate", L"10:15"}, {L"ReceiverName", L"Eve"}, {L"Subject", L"Minutes"}}));
         },
         L"Minutes"},
        {CUnreadMsg::kKindOnline, [&] { RaiseCommand(Cmd(L"C_ONLINEINFORM", {}, {L"Fay", L"fay", L""})); }, L"Fay"},
        {CUnreadMsg::kKindShake, [&] { RaiseCommand(Cmd(L"C_SHAKE", {}, {L"Gus", L"gus", L"", L""})); }, L"Gus"},
        {CUnreadMsg::kKindFlashLogin, [&] { RaiseCommand(Cmd(L"C_FLASHLOGIN", {}, {L"Hal", L"hal"})); }, L"Hal"},
        {CUnreadMsg::kKindRefusedFile,
         [&] { RaiseCommand(Cmd(L"C_REFUSEFILE", {}, {L"Ivy", L"ivy", L"", L"", L"plan.doc"})); }, L"plan.doc"},
        {CUnreadMsg::kKindDownload,
         [&] { RaiseCommand(Cmd(L"C_DOWNLOADFILE", {}, {L"Jon", L"jon", L"", L"", L"data.zip"})); }, L"data.zip"},
        {CUnreadMsg::kKindMail,
         [&] { RaiseCommand(Cmd(L"C_NEWMAIL", {}, {L"3 new mails", L"https://mail.corp/inbox"})); }, L"3 new mails"},
    };
    for (const auto& row : rows) {
        Tips().ClearTips();
        row.raise();
        MyTipCtl& tip = Tips().GetTipWnd();
        for (int i = 0; i < 100 && tip.GetPopupState() == CTkPopupControl::kStateExpanding; ++i)
            tip.SendMessage(WM_TIMER, CTkPopupControl::kTimerExpanding, 0);
        ASSERT_TRUE(Tips().IsTipVisible()) << row.kind;
        ASSERT_NE(nullptr, Tips().GetCurrentRecord()) << row.kind;
        EXPECT_EQ(row.kind, Tips().GetCurrentRecord()->nKind);
        EXPECT_NE(std::wstring::npos, PopupText().find(row.shown)) << row.kind;
        tip.UpdateWindow();
        testsupport::PumpMessages();
        EXPECT_TRUE(testsupport::SaveScreenshot(
            testsupport::ExeDir() + L"\\tip_kind_" + std::to_wstring(row.kind) + L".bmp", tip.GetSafeHwnd()));
    }
    apptest::App().m_strLanguage = L"CHS";
}

} // namespace
