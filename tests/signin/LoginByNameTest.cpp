// The sign-in by display name inside the sign-in panel, under Wine: switching to it and back,
// the department look-up against a real HTTP server on the web-service port, the account it
// hands to the panel (with a saved password), and what the panel signs in with and saves.
#include "framework/Platform.h"
#include "framework/FormatString.h"
#include "signin/CKorvelLoginByNameDlg.h"
#include "signin/LoginStore.h"
#include "tests/signin/LoginPanelFixture.h"
#include "tests/support/LoopbackServer.h"
#include <gtest/gtest.h>

namespace {

const char kAnnReply[] = "<users><user username=\"Ann Lee\" loginname=\"alee\"><dept path=\"HQ/Sales\"/>"
                         "<dept path=\"HQ/Support\"/></user><user username=\"Ann Lee\" loginname=\"ann@corp\" "
                         "path=\"Elsewhere\"/><user username=\"ANN LEE\" loginname=\"ALEE\" path=\"hq/sales\"/>"
                         "<user username=\"Ann Lee\" loginname=\"alee2\" path=\"\"/></users>";

class LoginByName : public LoginPanel {
protected:
    void SetUp() override
    {
        LoginPanel::SetUp();
        address_ = testsupport::PrivateLoopbackAddress();
        GetLoginStore().DeleteAll();
    }
    void TearDown() override
    {
        LoginPanel::TearDown();
        GetLoginStore().DeleteAll();
    }
    // The panel on the test's server, switched to the sign-in by display name.
    CKorvelLoginByNameDlg* OpenByName()
    {
        CKorvelLoginDlg* panel = OpenPanel();
        if (!panel)
            return nullptr;
        panel_ = panel;
        panel->GetSettings().SetCurrentAddress(CString(address_.c_str()), panel->GetSettings().GetCurrentPort());
        panel->GetSettings().SetCurrentAddress(panel->GetSettings().GetCurrentAddress(), 6660);
        Click(Control<CxButtonBase>(panel, IDC_SWITCH_MODE));
        return panel->GetByNameDlg();
    }
    // Types a name as the user would and lets the poll notice it.
    static void TypeName(CKorvelLoginByNameDlg* byName, LPCWSTR name)
    {
        Control<CFlatComboBox>(byName, IDC_BYNAME_NAME).SetWindowText(name);
        ::SendMessageW(byName->GetSafeHwnd(), WM_TIMER, CKorvelLoginByNameDlg::kPollTimer, 0);
    }
    static CString Line(CKorvelLoginByNameDlg* byName, int line)
    {
        CString text;
        Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetLBText(line, text);
        return text;
    }

    std::string address_;
    CKorvelLoginDlg* panel_ = nullptr;
};

TEST_F(LoginByName, SwitchingPutsTheByNameRowsInPlaceOfTheAccountRowsAndBack)
{
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);
    EXPECT_TRUE(byName->IsWindowVisible());
    EXPECT_FALSE(Control<CACEdit>(panel_, IDC_USER_EDIT).IsWindowVisible());
    EXPECT_FALSE(Control<CACEdit>(panel_, IDC_PASSWORD_EDIT).IsWindowVisible());
    EXPECT_FALSE(Control<CxLabel>(panel_, IDC_USER_CAPTION).IsWindowVisible());
    RECT panelRect, byNameRect, error, status;
    ::GetClientRect(panel_->GetSafeHwnd(), &panelRect);
    ::GetWindowRect(byName->GetSafeHwnd(), &byNameRect);
    ::GetWindowRect(Control<CxLabel>(panel_, IDC_ERROR_TEXT).GetSafeHwnd(), &error);
    ::GetWindowRect(Control<CxLabel>(panel_, IDC_CHECK_CAPTION).GetSafeHwnd(), &status);
    EXPECT_EQ(panelRect.right, byNameRect.right - byNameRect.left); // the panel's full width
    EXPECT_EQ(error.bottom, byNameRect.top);
    EXPECT_EQ(status.top, byNameRect.bottom);
    EXPECT_TRUE(byName->IsPolling()); // shown: the poll runs

    Click(Control<CxButtonBase>(panel_, IDC_SWITCH_MODE));
    EXPECT_EQ(nullptr, panel_->GetByNameDlg());
    EXPECT_TRUE(Control<CACEdit>(panel_, IDC_USER_EDIT).IsWindowVisible());
    EXPECT_TRUE(Control<CACEdit>(panel_, IDC_PASSWORD_EDIT).IsWindowVisible());
}

TEST_F(LoginByName, TypedNameIsLookedUpOnTheWebServiceAndTheFirstAccountApplied)
{
    testsupport::HttpServer server(kAnnReply, address_.c_str(), CKorvelLoginByNameDlg::kQueryPort);
    ASSERT_TRUE(server.Ok()) << address_;
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);

    TypeName(byName, L"Ann Lee");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCount() == 3; }));
    std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ(0u, requests[0].find("POST /open/user.html?op=get_user_depts&username=Ann+Lee HTTP/1.1\r\n"))
        << requests[0];
    // One line per account and department; the login with "@" and the repeat in other letter case
    // give none; an account without a department says so.
    EXPECT_EQ(CString(L"HQ/Sales"), Line(byName, 0));
    EXPECT_EQ(CString(L"HQ/Support"), Line(byName, 1));
    EXPECT_EQ(CString(L"\u65E0\u90E8\u95E8"), Line(byName, 2));
    EXPECT_EQ(0, Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCurSel());
    EXPECT_EQ(CString(L"alee"), panel_->GetSettings().GetLoginName());
    EXPECT_EQ(CString(L"alee"), byName->GetChosenLogin());

    // The same name in other letter case asks nothing new.
    TypeName(byName, L"ANN LEE");
    testsupport::PumpMessages();
    EXPECT_EQ(1u, server.Requests().size());
    EXPECT_EQ(3, Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCount());

    // Dropping the box down asks again only when the answers belong to another name.
    ::SendMessageW(byName->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_BYNAME_DEPT, CBN_DROPDOWN),
                   reinterpret_cast<LPARAM>(Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetSafeHwnd()));
    testsupport::PumpMessages();
    EXPECT_EQ(1u, server.Requests().size());

    ::UpdateWindow(main_->GetSafeHwnd());
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\signin_byname.bmp", main_->GetSafeHwnd());
}

TEST_F(LoginByName, NamesOutsideTheCodePageReachTheServerAndComeBackWhole)
{
    const char reply[] = "<users><user username=\"\xE5\xBC\xA0\xE4\xBC\x9F\" loginname=\"zhangwei\">"
                         "<dept path=\"\xE7\xA0\x94\xE5\x8F\x91\xE9\x83\xA8/\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1\"/>"
                         "</user></users>";
    testsupport::HttpServer server(reply, address_.c_str(), CKorvelLoginByNameDlg::kQueryPort);
    ASSERT_TRUE(server.Ok());
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);
    TypeName(byName, L"\u5F20\u4F1F");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCount() == 1; }));
    EXPECT_NE(std::string::npos, server.Requests()[0].find("username=%E5%BC%A0%E4%BC%9F HTTP/1.1"));
    EXPECT_EQ(CString(L"\u7814\u53D1\u90E8/\u0391\u03B8\u03AE\u03BD\u03B1"), Line(byName, 0));
    EXPECT_EQ(CString(L"\u5F20\u4F1F"), byName->GetAnswersName());
    EXPECT_EQ(CString(L"zhangwei"), panel_->GetSettings().GetLoginName());
}

TEST_F(LoginByName, AnswerForANameNoLongerTypedIsDropped)
{
    // Ann's answer waits at the server until Bob's question has been asked.
    HANDLE gate = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    testsupport::HttpServer server(
        [gate](const std::string& request) {
            if (request.find("username=Ann") != std::string::npos) {
                ::WaitForSingleObject(gate, 10000);
                return std::string(kAnnReply);
            }
            return std::string("<users><user username=\"Bob\" loginname=\"bob\" path=\"Lab\"/></users>");
        },
        address_.c_str(), CKorvelLoginByNameDlg::kQueryPort);
    ASSERT_TRUE(server.Ok());
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);

    TypeName(byName, L"Ann Lee");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return server.Requests().size() == 1; }));
    TypeName(byName, L"Bob");
    ::SetEvent(gate);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return server.Requests().size() == 2; }));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCount() == 1; }));
    testsupport::PumpMessages();
    ASSERT_EQ(1, Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCount());
    EXPECT_EQ(CString(L"Lab"), Line(byName, 0));
    EXPECT_EQ(CString(L"bob"), panel_->GetSettings().GetLoginName());
    ::CloseHandle(gate);
}

TEST_F(LoginByName, UnknownNameSaysSoAndClearsTheAccount)
{
    testsupport::HttpServer server("<users/>", address_.c_str(), CKorvelLoginByNameDlg::kQueryPort);
    ASSERT_TRUE(server.Ok());
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);
    panel_->GetSettings().SetLoginName(L"previous");
    TypeName(byName, L"Nobody");
    CString expected;
    AfxFormatString1(expected, IDS_BYNAME_NOT_FOUND, L"Nobody");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return WindowText(Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetSafeHwnd()) == expected; }));
    EXPECT_EQ(0, Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCount());
    EXPECT_TRUE(panel_->GetSettings().GetLoginName().IsEmpty());
    EXPECT_TRUE(byName->GetChosenLogin().IsEmpty());
}

TEST_F(LoginByName, ASavedPasswordComesWithItsAccountAndGoesWithIt)
{
    LoginStore& store = GetLoginStore();
    SavedLoginRecord saved;
    saved.strUserKey = L"alee";
    saved.strUserName = L"Ann Lee";
    saved.strPassword = L"pw-alee";
    saved.nSavePassword = 1;
    store.SetLoginRecord(CString(address_.c_str()), 6660, saved);
    testsupport::HttpServer server(kAnnReply, address_.c_str(), CKorvelLoginByNameDlg::kQueryPort);
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);
    TypeName(byName, L"Ann Lee");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCount() == 3; }));
    EXPECT_EQ(CString(L"pw-alee"), panel_->GetSettings().GetPassword());
    EXPECT_EQ(CString(L"pw-alee"), WindowText(Control<CEdit>(byName, IDC_BYNAME_PASSWORD).GetSafeHwnd()));
    EXPECT_TRUE(Control<CxCheckButton>(panel_, IDC_SAVE_PASSWORD).IsChecked());

    // The third line is another account, without a saved password.
    Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).SetCurSel(2);
    ::SendMessageW(byName->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_BYNAME_DEPT, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetSafeHwnd()));
    EXPECT_EQ(CString(L"alee2"), panel_->GetSettings().GetLoginName());
    EXPECT_TRUE(panel_->GetSettings().GetPassword().IsEmpty());
    EXPECT_FALSE(Control<CxCheckButton>(panel_, IDC_SAVE_PASSWORD).IsChecked());
}

TEST_F(LoginByName, SignInTakesTheChosenAccountAndSavesTheByNameRecord)
{
    testsupport::HttpServer server(kAnnReply, address_.c_str(), CKorvelLoginByNameDlg::kQueryPort);
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);
    TypeName(byName, L"Ann Lee");
    ASSERT_TRUE(testsupport::PumpUntil([&] { return Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetCount() == 3; }));
    Control<CEdit>(byName, IDC_BYNAME_PASSWORD).SetWindowText(L"typed-pw");
    Control<CxCheckButton>(panel_, IDC_REMEMBER_ME).SetChecked(true);
    Control<CxCheckButton>(panel_, IDC_SAVE_PASSWORD).SetChecked(true);
    ASSERT_TRUE(panel_->StartLogin());
    testsupport::PumpMessages();
    EXPECT_EQ(1, main_->loginStarts);
    EXPECT_EQ(CString(L"alee"), main_->fields.strLoginName);
    EXPECT_EQ(CString(L"typed-pw"), main_->fields.strPassword);
    EXPECT_EQ(CString(address_.c_str()), main_->fields.strServerAddr);

    panel_->SaveLoginInfo();
    LoginStore fresh;
    fresh.LoadLoginStore(CString(address_.c_str()), 6660);
    CStringArray names;
    fresh.ListSavedUsers(CString(address_.c_str()), 6660, names);
    ASSERT_EQ(1, names.GetSize());
    EXPECT_EQ(CString(L"ann lee"), names[0]);
    CString password;
    EXPECT_TRUE(fresh.GetSavedPassword(CString(address_.c_str()), 6660, L"alee", password));
    EXPECT_EQ(CString(L"typed-pw"), password);
    CString displayName, department;
    CQorViewBaseFun::LoadSettingEx(displayName, department);
    EXPECT_EQ(CString(L"Ann Lee"), displayName);
    EXPECT_EQ(CString(L"HQ/Sales"), department);

    // The next time the panel switches to the sign-in by name, it offers the saved name and shows
    // the account chosen last.
    Click(Control<CxButtonBase>(panel_, IDC_SWITCH_MODE));
    Click(Control<CxButtonBase>(panel_, IDC_SWITCH_MODE));
    byName = panel_->GetByNameDlg();
    ASSERT_NE(nullptr, byName);
    ASSERT_EQ(1, Control<CFlatComboBox>(byName, IDC_BYNAME_NAME).GetCount());
    EXPECT_EQ(CString(L"Ann Lee"), WindowText(Control<CFlatComboBox>(byName, IDC_BYNAME_NAME).GetSafeHwnd()));
    EXPECT_EQ(CString(L"HQ/Sales"), WindowText(Control<CFlatComboBox>(byName, IDC_BYNAME_DEPT).GetSafeHwnd()));
}

TEST_F(LoginByName, EmptyNameOnlyFocusesTheNameBox)
{
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);
    EXPECT_FALSE(panel_->StartLogin());
    HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == Control<CFlatComboBox>(byName, IDC_BYNAME_NAME).GetSafeHwnd() || ::GetParent(focus) == Control<CFlatComboBox>(byName, IDC_BYNAME_NAME).GetSafeHwnd());
    EXPECT_EQ(0, main_->loginStarts);
}

TEST_F(LoginByName, ThePollTimerReallyFiresAndStopsWhenHidden)
{
    testsupport::HttpServer server("<users/>", address_.c_str(), CKorvelLoginByNameDlg::kQueryPort);
    CKorvelLoginByNameDlg* byName = OpenByName();
    ASSERT_NE(nullptr, byName);
    Control<CFlatComboBox>(byName, IDC_BYNAME_NAME).SetWindowText(L"Timer");
    EXPECT_TRUE(testsupport::PumpUntil([&] { return server.Requests().size() == 1; }, 4000));
    byName->ShowWindow(SW_HIDE);
    ::SendMessageW(byName->GetSafeHwnd(), WM_TIMER, CKorvelLoginByNameDlg::kPollTimer, 0);
    EXPECT_FALSE(byName->IsPolling());
}

} // namespace
