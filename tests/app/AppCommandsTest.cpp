// The core's application commands ("C_*"; "OUT" and the receipts are with the core events)
// raised by the core component and carried out by the running main window: tips of each kind,
// sign-out, status, opening unread chats and groups; and the checks on what the wire may name
// (a nudge's sound file, a mail address).
#include "app/CAppCommandDispatch.h"
#include "app/CKorvelBaseDlg.h"
#include "app/KorvelMessages.h"
#include "controls/popup/CTkPopupControl.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/app/CoreBridgeFixture.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

CQorViewMgr* View() { return CQorViewMgr::Instance(); }

using AppCommands = CoreBridgeFixture;

std::vector<std::wstring> s_opened;
void RecordOpened(const CString& url) { s_opened.push_back(url.GetString()); }

TEST_F(AppCommands, TipCommandsQueueTheirTipAndShowIt)
{
    const std::wstring sound = std::wstring(CQorViewBaseFun::GetWorkDir()) + L"\\Sound\\nudge.wav";
    const struct {
        const wchar_t* name;
        std::vector<std::wstring> args;
        int kind;
        std::wstring sender, senderName, picture, fourth, url, textPart;
    } rows[] = {
        {L"C_ONLINEINFORM", {L"Ann", L"ann", L"ann.bmp"}, CUnreadMsg::kKindOnline, L"ann", L"Ann", L"ann.bmp", L"", L"",
         L"Ann"},
        {L"C_SHAKE", {L"Bob", L"bob", L"nudge.wav", L"bob.bmp"}, CUnreadMsg::kKindShake, L"bob", L"Bob", L"bob.bmp",
         sound, L"", L"Bob"},
        {L"C_REFUSEFILE", {L"Cat", L"cat", L"fourth", L"cat.bmp", L"plan.doc"}, CUnreadMsg::kKindRefusedFile, L"cat",
         L"Cat", L"cat.bmp", L"fourth", L"", L"plan.doc"},
        {L"C_DOWNLOADFILE", {L"Dan", L"dan", L"fourth", L"dan.bmp", L"data.zip"}, CUnreadMsg::kKindDownload, L"dan",
         L"Dan", L"dan.bmp", L"", L"", L"data.zip"},
        {L"C_FLASHLOGIN", {L"Eve", L"eve"}, CUnreadMsg::kKindFlashLogin, L"eve", L"Eve", L"", L"", L"", L"Eve"},
        {L"C_NEWMAIL", {L"3 new mails", L"https://mail.corp/inbox"}, CUnreadMsg::kKindMail, L"", L"", L"", L"",
         L"https://mail.corp/inbox", L"3 new mails"},
    };
    for (const auto& row : rows) {
        Tips().ClearTips();
        RaiseCommand(Cmd(row.name, {}, row.args));
        ASSERT_EQ(1, Tips().GetRecordCount()) << row.name;
        CUnreadMsg* r = Tips().GetRecordAt(0);
        EXPECT_EQ(row.kind, r->nKind) << row.name;
        EXPECT_EQ(row.sender, std::wstring(r->strSender)) << row.name;
        EXPECT_EQ(row.senderName, std::wstring(r->strSenderName)) << row.name;
        EXPECT_EQ(row.picture, std::wstring(r->strPicture)) << row.name;
        if (row.kind != CUnreadMsg::kKindDownload)
            EXPECT_EQ(row.fourth, std::wstring(r->strSound)) << row.name;
        EXPECT_EQ(row.url, std::wstring(r->strUrl)) << row.name;
        EXPECT_NE(std::wstring::npos, std::wstring(r->strText).find(row.textPart)) << row.name << ": " << r->strText.GetString();
        EXPECT_TRUE(Tips().IsTipVisible()) << row.name;
    }
    // None of them sounds.
    EXPECT_EQ(0, Sounds());
    EXPECT_EQ(3000, [&] {
        Tips().ClearTips();
        RaiseCommand(Cmd(L"C_ONLINEINFORM", {}, {L"Ann", L"ann", L""}));
        return Tips().GetRecordAt(0)->nShowTime;
    }());
}

TEST_F(AppCommands, AtStatusEightTipsWaitInTheQueueButNewMailShows)
{
    View()->m_nUserStatus = 8;
    RaiseCommand(Cmd(L"C_SHAKE", {}, {L"Bob", L"bob", L"", L""}));
    EXPECT_EQ(1, Tips().GetRecordCount());
    EXPECT_FALSE(Tips().IsTipVisible());
    EXPECT_TRUE(TrayShowsImage(6));

    Tips().ClearTips();
    m_pDlg->SetTrayStatusImage(8);
    RaiseCommand(Cmd(L"C_NEWMAIL", {}, {L"1 new mail", L"https://mail.corp"}));
    EXPECT_TRUE(Tips().IsTipVisible());
    EXPECT_EQ(CUnreadMsg::kKindMail, Tips().GetCurrentRecord()->nKind);
    EXPECT_FALSE(TrayShowsImage(6));
}

TEST_F(AppCommands, SignOutCommandsPostTheSignOut)
{
    const struct {
        const wchar_t* name;
        WPARAM wParam;
    } rows[] = {{L"C_SIGNOUT", 0}, {L"C_SIGNOUT_EX", 1}};
    for (const auto& row : rows) {
        StartPostSpy();
        RaiseCommand(Cmd(row.name));
        const auto posted = PostedToMain(WM_LOGIN_CANCEL);
        ASSERT_EQ(1u, posted.size()) << row.name;
        EXPECT_EQ(row.wParam, posted[0].second) << row.name;
    }
}

TEST_F(AppCommands, AStatusChangeSetsTheTrayTheWindowAndTheStoredStatus)
{
    RaiseCommand(Cmd(L"C_STATUS", {6}));
    EXPECT_TRUE(TrayShowsImage(3));
    EXPECT_EQ(6, m_pDlg->GetLoginFields().nLoginStatus);
    EXPECT_EQ(6, CQorViewBaseFun::GetLoginStatus());
    RaiseCommand(Cmd(L"C_STATUS", {8}));
    EXPECT_TRUE(TrayShowsImage(5));
    EXPECT_EQ(8, m_pDlg->GetLoginFields().nLoginStatus);
}

TEST_F(AppCommands, UnreadChatsAndGroupsOpenThroughTheTipsOnlyWhileOneIsShown)
{
    // Queued but not on screen (status 8): the view library opens them from its stored unread
    // messages and the queue keeps its records.
    View()->m_nUserStatus = 8;
    RaiseMessage(Msg({L"ann@corp", L"Ann", L"hello", L"c-1"}));
    RaiseMessage(Msg({L"bob@corp", L"Bob", L"team", L"g-1", 11, 0, L"t-5"}));
    ASSERT_FALSE(Tips().IsTipVisible());
    RaiseCommand(Cmd(L"C_NEWCHAT", {}, {}, {{L"Sender", L"ann@corp"}, {L"SenderName", L"Ann"}}));
    EXPECT_EQ(L"ann@corp|Ann", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadChatFromDB"));
    RaiseCommand(Cmd(L"C_NEWGROUPIDSDLG", {}, {}, {{L"TalkID", L"t-5"}}));
    EXPECT_EQ(L"t-5", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadGroupFromDB"));
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
    ASSERT_EQ(1, Tips().GetRecordCount());
    auto* box = static_cast<CUnreadMsgBox*>(Tips().GetRecordAt(0));
    EXPECT_EQ(2, box->GetItemCount());

    // On screen: the notification manager opens them with their queued messages, which leave.
    View()->m_nUserStatus = 3;
    Tips().CloseAndShowNext();
    ASSERT_TRUE(Tips().IsTipVisible());
    qorview_test::ClearCalls();
    RaiseCommand(Cmd(L"C_NEWCHAT", {}, {}, {{L"Sender", L"ann@corp"}, {L"SenderName", L"Ann"}}));
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatFromDB"));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
    ASSERT_TRUE(Tips().IsTipVisible());
    RaiseCommand(Cmd(L"C_NEWGROUPIDSDLG", {}, {}, {{L"TalkID", L"t-5"}}));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadGroupFromDB"));
    EXPECT_EQ(0, Tips().GetRecordCount());
}

TEST_F(AppCommands, NamesAreComparedWithCaseAndUnknownNamesDoNothing)
{
    StartPostSpy();
    for (const wchar_t* name : {L"c_shake", L"C_Shake", L"C_NEWMAILS", L"C_SIGNOUTX", L"out", L""}) {
        RaiseCommand(Cmd(name, {223}, {L"Bob", L"bob", L"", L""}));
        EXPECT_EQ(0, Tips().GetRecordCount()) << name;
    }
    EXPECT_TRUE(PostedToMain(WM_LOGIN_CANCEL).empty());
    EXPECT_TRUE(m_pDlg->IsSignedIn());
}

TEST_F(AppCommands, MissingArgumentsReadAsEmpty)
{
    RaiseCommand(Cmd(L"C_REFUSEFILE"));
    ASSERT_EQ(1, Tips().GetRecordCount());
    EXPECT_EQ(CUnreadMsg::kKindRefusedFile, Tips().GetRecordAt(0)->nKind);
    EXPECT_EQ(L"", std::wstring(Tips().GetRecordAt(0)->strSender));
    RaiseCommand(Cmd(L"C_STATUS"));
    EXPECT_EQ(0, m_pDlg->GetLoginFields().nLoginStatus);
}

// Only a file inside the program's sound folder or the user's skin folder is ever played for
// a nudge; the wire cannot point the program at a share or at another folder.
TEST(NudgeSound, OnlyFilesOfTheProgramsOwnSoundAndSkinFolders)
{
    const std::wstring soundDir = std::wstring(CQorViewBaseFun::GetWorkDir()) + L"\\Sound";
    const std::wstring skinDir = CQorViewBaseFun::GetMySkinFilePathInfo().GetString();
    ASSERT_FALSE(skinDir.empty());
    const struct {
        std::wstring wire, expected;
    } rows[] = {
        {L"nudge.wav", soundDir + L"\\nudge.wav"},
        {L"  nudge.wav ", soundDir + L"\\nudge.wav"},
        {L"sub/nudge.wav", soundDir + L"\\sub\\nudge.wav"},
        {soundDir + L"\\ring.wav", soundDir + L"\\ring.wav"},
        {skinDir + L"\\theme\\shake.wav", skinDir + L"\\theme\\shake.wav"},
        {L"", L""},
        {L"..\\..\\secret.wav", L""},
        {soundDir + L"\\..\\outside.wav", L""},
        {L"\\\\server\\share\\nudge.wav", L""},
        {L"//server/share/nudge.wav", L""},
        {L"C:\\windows\\media\\ding.wav", L""},
        {L"\\windows\\ding.wav", L""},
        {soundDir, L""},
        {L"CON", L""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.expected, std::wstring(CAppCommandDispatch::SafeNudgeSound(row.wire.c_str()))) << row.wire;
}

TEST_F(AppCommands, AMailAddressFromTheWireOpensOnlyAsMailOrWeb)
{
    s_opened.clear();
    CQorTipMgr::SetAddressOpener(RecordOpened);
    const struct {
        const wchar_t* url;
        std::wstring kept;
    } rows[] = {
        {L"mailto:ann@corp", L"mailto:ann@corp"},
        {L"http://mail.corp/", L"http://mail.corp/"},
        {L"file:///c:/windows/system32/calc.exe", L""},
        {L"\\\\server\\share\\run.exe", L""},
        {L"c:\\windows\\notepad.exe", L""},
    };
    for (const auto& row : rows) {
        Tips().ClearTips();
        s_opened.clear();
        RaiseCommand(Cmd(L"C_NEWMAIL", {}, {L"mail", row.url}));
        ASSERT_EQ(CUnreadMsg::kKindMail, Tips().GetRecordAt(0)->nKind);
        EXPECT_EQ(row.kept, std::wstring(Tips().GetRecordAt(0)->strUrl)) << row.url;
        // A click on the tip's text opens what was kept, and nothing else.
        Tips().OnTipClick(CTkPopupControl::kNotifyClick, nullptr);
        testsupport::PumpMessages();
        EXPECT_EQ(row.kept.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{row.kept}, s_opened)
            << row.url;
    }
    CQorTipMgr::SetAddressOpener(nullptr);
}

} // namespace
