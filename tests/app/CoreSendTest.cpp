// Sending without a chat window: another program's message (IMessage through the console) and
// the message centre's files become the outgoing core message, and the view library sends it
// when the main window handles WM_USER+2008. What went out is read from the core component's
// console, which records every message it is asked to send.
#include "app/CConsole.h"
#include "app/CKorvelBaseDlg.h"
#include "app/CMessage.h"
#include "app/KorvelMessages.h"
#include "framework/CComBSTR.h"
#include "framework/CComObject.h"
#include "platform/QorCore/QorCoreTestHooks.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/app/CoreBridgeFixture.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

CQorViewMgr* View() { return CQorViewMgr::Instance(); }

using apptest::Make;

CComPtr<IMessage> NewMessage(const wchar_t* text3)
{
    CComPtr<IMessage> msg = Make<CMessage, IMessage>();
    msg->SetText3(CComBSTR(text3));
    return msg;
}

std::wstring Held(HRESULT (STDMETHODCALLTYPE IQorMsg::*getter)(BSTR*))
{
    CComBSTR b;
    if (View()->m_pQorMsg)
        (View()->m_pQorMsg->*getter)(&b);
    return b ? std::wstring(static_cast<BSTR>(b)) : std::wstring();
}

// What went out, each as "|subject|receivers|files|type". Every message goes out under an id of
// its own, the one it is kept under among the sent messages (a GUID text when it had none): that
// is checked here and left out of the text.
std::vector<std::wstring> SentMessages()
{
    std::vector<std::wstring> out;
    for (const auto& call : qorcore_test::Calls()) {
        if (call.first != L"Console.SendMsg")
            continue;
        const size_t bar = call.second.find(L'|');
        EXPECT_EQ(38u, bar) << "an id of its own: " << std::string(call.second.begin(), call.second.end());
        out.push_back(bar == std::wstring::npos ? call.second : call.second.substr(bar));
    }
    return out;
}

class CoreSend : public CoreBridgeFixture {
protected:
    void SetUp() override
    {
        CoreBridgeFixture::SetUp();
        qorcore_test::ClearCalls();
        console = Make<CConsole, IConsole>();
    }
    CComPtr<IConsole> console;
};

TEST_F(CoreSend, AnotherProgramsMessageArrivesWithEverythingCopied)
{
    CComPtr<IMessage> msg = NewMessage(L"The subject");
    msg->AddReceiver(CComBSTR(L"ann@corp"), CComBSTR(L"Ann"));
    msg->AddReceiver(CComBSTR(L"bob@corp"), CComBSTR(L"Bob"));
    msg->AddItem(CComBSTR(L"C:\\files\\a.txt"));
    msg->AddItem(CComBSTR(L"C:\\files\\b.txt"));
    msg->SetText1(CComBSTR(L"first"));
    msg->SetText2(CComBSTR(L"second"));
    msg->SetText4(CComBSTR(L"Text/Html"));
    msg->SetValue(CComBSTR(L"Priority"), CComBSTR(L"high"));
    msg->SetValue(CComBSTR(L"b"), CComBSTR(L"2"));
    msg->SetNumber(5);

    ASSERT_EQ(S_OK, console->SendMsg(msg, 3, 0));
    // Filled and held before the window's turn comes.
    EXPECT_EQ(L"The subject", Held(&IQorMsg::get_Subject));
    EXPECT_EQ(L"first", Held(&IQorMsg::get_Text4));
    EXPECT_EQ(L"second", Held(&IQorMsg::get_Text3));
    EXPECT_EQ(L"Text/Html", Held(&IQorMsg::get_ContentType));
    CComBSTR value;
    View()->m_pQorMsg->GetProperty(CComBSTR(L"priority"), &value);
    EXPECT_EQ(std::wstring(L"high"), std::wstring(static_cast<BSTR>(value)));
    long count = 0;
    View()->m_pQorMsg->get_PropertyCount(&count);
    EXPECT_EQ(2, count);
    EXPECT_TRUE(SentMessages().empty());

    testsupport::PumpMessages();
    EXPECT_EQ(L"3|", qorview_test::LastArgs(L"CQorViewMgr::QuickSendMsg"));
    EXPECT_EQ(std::vector<std::wstring>{L"|The subject|ann@corp:Ann,bob@corp:Bob|C:\\files\\a.txt,C:\\files\\b.txt|5"},
              SentMessages());
}

TEST_F(CoreSend, AnEmptyMessageStillGoesOutWithItsTextsAndType)
{
    CComPtr<IMessage> msg = NewMessage(L"only a subject");
    msg->SetNumber(2);
    ASSERT_EQ(S_OK, console->SendMsg(msg, 0, 0));
    testsupport::PumpMessages();
    EXPECT_EQ(std::vector<std::wstring>{L"|only a subject|||2"}, SentMessages());
}

TEST_F(CoreSend, TwoSendsBeforeTheWindowsTurnGoOutOnceEachInOrder)
{
    ASSERT_EQ(S_OK, console->SendMsg(NewMessage(L"one"), 0, 0));
    ASSERT_EQ(S_OK, console->SendMsg(NewMessage(L"two"), 0, 0));
    EXPECT_EQ(2, m_pDlg->GetCoreSender().GetPendingCount());
    testsupport::PumpMessages();
    EXPECT_EQ((std::vector<std::wstring>{L"|one|||0", L"|two|||0"}), SentMessages());
    EXPECT_EQ(0, m_pDlg->GetCoreSender().GetPendingCount());
}

TEST_F(CoreSend, FilesToUsersGoOutAsOneMessageOfTypeZero)
{
    CStringArray accounts, names, files;
    accounts.Add(L"ann@corp");
    accounts.Add(L"bob@corp");
    names.Add(L"Ann");
    names.Add(L"Bob");
    names.Add(L"Extra");
    files.Add(L"D:\\a.doc");
    files.Add(L"D:\\b.doc");
    ASSERT_TRUE(m_pDlg->SendFilesToUsers(accounts, names, files));
    ASSERT_TRUE(m_pDlg->PostQuickSend(1));
    testsupport::PumpMessages();
    EXPECT_EQ(std::vector<std::wstring>{L"||ann@corp:Ann,bob@corp:Bob|D:\\a.doc,D:\\b.doc|0"}, SentMessages());

    // Empty lists: a message of type 0 and nothing else.
    qorcore_test::ClearCalls();
    CStringArray none;
    ASSERT_TRUE(m_pDlg->SendFilesToUsers(none, none, none));
    ASSERT_TRUE(m_pDlg->PostQuickSend(0));
    testsupport::PumpMessages();
    EXPECT_EQ(std::vector<std::wstring>{L"||||0"}, SentMessages());
}

TEST_F(CoreSend, FewerNamesThanAccountsFailCleanlyAndKeepTheHeldMessage)
{
    ASSERT_TRUE(m_pDlg->SendQorMsg(NewMessage(L"kept")));
    IQorMsg* held = View()->m_pQorMsg;
    CStringArray accounts, names, files;
    accounts.Add(L"ann@corp");
    accounts.Add(L"bob@corp");
    names.Add(L"Ann");
    EXPECT_FALSE(m_pDlg->SendFilesToUsers(accounts, names, files));
    EXPECT_EQ(held, View()->m_pQorMsg);
    EXPECT_EQ(L"kept", Held(&IQorMsg::get_Subject));
}

TEST_F(CoreSend, EachSendReplacesTheHeldMessageAndReleasesTheOldOne)
{
    const long before = qorcore_test::LiveObjects();
    ASSERT_TRUE(m_pDlg->SendQorMsg(NewMessage(L"first")));
    ASSERT_TRUE(m_pDlg->SendQorMsg(NewMessage(L"second")));
    EXPECT_EQ(L"second", Held(&IQorMsg::get_Subject));
    EXPECT_EQ(before + 1, qorcore_test::LiveObjects());
    // A null message: false, and nothing of the old one is left held.
    EXPECT_FALSE(m_pDlg->SendQorMsg(nullptr));
    EXPECT_EQ(L"", Held(&IQorMsg::get_Subject));
}

TEST_F(CoreSend, AQuickSendPostedByAnyoneElseSendsOnlyWhatIsHeld)
{
    ASSERT_TRUE(m_pDlg->SendQorMsg(NewMessage(L"held")));
    // A number the window never gave out: it is not taken for an object.
    ::PostMessageW(m_pDlg->GetSafeHwnd(), WM_QUICK_SEND_MSG, 4, static_cast<LPARAM>(0x7FFF1234));
    testsupport::PumpMessages();
    EXPECT_EQ(std::vector<std::wstring>{L"|held|||0"}, SentMessages());
    EXPECT_EQ(L"4|", qorview_test::LastArgs(L"CQorViewMgr::QuickSendMsg"));
}

} // namespace
