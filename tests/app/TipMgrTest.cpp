// The notification road from a tip record to the view library: queueing and merging into the
// unread-message box, the one popup at the corner of the work area, each kind's content, and
// what a click on each kind opens. Clicks go through the real popup (its items' OnClick, or
// mouse messages on the close button); the view library's calls are read back from its
// recording hooks.
#include "app/CKorvelBaseDlg.h"
#include "app/CQorTipMgr.h"
#include "controls/ScaleByDpi.h"
#include "controls/popup/CMultiMonitorApi.h"
#include "controls/popup/CTkPopupItem.h"
#include "controls/popup/CTkPopupPaintManager.h"
#include "framework/CTextFit.h"
#include "framework/FormatString.h"
#include "platform/QorCore/IQorConsole.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/TipResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/app/AppTestSupport.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

CQorViewMgr* View()
{
    return CQorViewMgr::Instance();
}

// A core message object of the core component, filled as the core would.
IQorMsg* NewCoreMsg(const wchar_t* key, const wchar_t* id, const wchar_t* sender = L"", long flags = 0,
                    const wchar_t* talkId = L"", const wchar_t* talkName = L"")
{
    // Every caller's record needs it: a core that cannot make one fails the test, it does not
    // quietly give records without their message.
    CLSID clsid = {};
    IQorMsg* p = nullptr;
    HRESULT hr = ::CLSIDFromProgID(kProgIdQorMsg, &clsid);
    if (SUCCEEDED(hr))
        hr = ::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IQorMsg, reinterpret_cast<void**>(&p));
    if (FAILED(hr) || !p) {
        ADD_FAILURE() << "no core message object: 0x" << std::hex << static_cast<unsigned long>(hr);
        return nullptr;
    }
    auto put = [&](HRESULT (STDMETHODCALLTYPE IQorMsg::*setter)(BSTR), const wchar_t* text) {
        BSTR b = ::SysAllocString(text);
        (p->*setter)(b);
        ::SysFreeString(b);
    };
    put(&IQorMsg::put_MsgKey, key);
    put(&IQorMsg::put_MsgID, id);
    put(&IQorMsg::put_Sender, sender);
    put(&IQorMsg::put_SenderName, sender);
    put(&IQorMsg::put_TalkID, talkId);
    put(&IQorMsg::put_TalkName, talkName);
    p->put_MsgFlags(flags);
    return p;
}

// A chat record (kind 1) of one sender, carrying a core message with these ids.
CUnreadMsg* ChatRecord(const wchar_t* sender, const wchar_t* key, const wchar_t* id, long msgFlags = 0)
{
    auto* r = new CUnreadMsg;
    r->nKind = CUnreadMsg::kKindNewMsg;
    r->strSender = sender;
    r->strSenderName = CString(L"Name of ") + sender;
    r->strContent = CString(L"Hello from ") + sender;
    r->strSendTime = L"2026-01-02 03:04:05";
    r->nFlags = msgFlags;
    if (IQorMsg* m = NewCoreMsg(key, id, sender, msgFlags)) {
        r->SetCoreMsg(m);
        m->Release();
    }
    return r;
}

// A group record (kind 12) of one talk.
CUnreadMsg* GroupRecord(const wchar_t* talk, int type, const wchar_t* key, const wchar_t* id)
{
    auto* r = new CUnreadMsg;
    r->nKind = CUnreadMsg::kKindGroupMsg;
    r->nMsgType = type;
    r->strTalkId = talk;
    r->strSender = L"member";
    r->strContent = L"Design team";
    r->strNoticeId = id;
    if (IQorMsg* m = NewCoreMsg(key, id, L"member", 0, talk, L"Design team")) {
        r->SetCoreMsg(m);
        m->Release();
    }
    return r;
}

std::wstring ResText(UINT id, const wchar_t* a = nullptr, const wchar_t* b = nullptr)
{
    CString s;
    AfxFormatString2(s, id, a, b);
    return s.GetString();
}

// The main window's tip manager as the main window holds it.
class TestTipMgr : public CQorTipMgr {
public:
    using CQorTipMgr::m_lstRecords;
};

std::vector<std::wstring> s_openedAddresses;
void RecordAddress(const CString& url)
{
    s_openedAddresses.push_back(url.GetString());
}

class TipMgr : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::CoInitialize(nullptr);
        apptest::App();
        qorview_test::EnsureCoreRegistered();
        s_resources = new apptest::ResourceModuleScope;
    }
    static void TearDownTestSuite()
    {
        delete s_resources;
        s_resources = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(s_resources->IsLoaded());
        qorview_test::ClearCalls();
        View()->m_nUserStatus = 0;
        View()->m_bModal = 0;
        View()->m_bUnreadPending = 0;
        s_openedAddresses.clear();
        CQorTipMgr::SetAddressOpener(RecordAddress);
        mgr.reset(new TestTipMgr);
        mgr->SetMainWindow(&mainDlg);
        mgr->SetOwner(&mainDlg);
    }
    void TearDown() override
    {
        mgr.reset();
        CQorTipMgr::SetAddressOpener(nullptr);
        apptest::App().m_strLanguage = L"CHS";
    }

    MyTipCtl& Tip() { return mgr->GetTipWnd(); }
    // The popup's items whose caption is this text.
    CTkPopupItem* ItemByCaption(const std::wstring& text)
    {
        for (int i = 0; i < Tip().GetItemCount(); ++i)
            if (Tip().GetItem(i)->GetCaption().GetString() == text)
                return Tip().GetItem(i);
        return nullptr;
    }
    CTkPopupItem* ItemById(int id)
    {
        for (int i = 0; i < Tip().GetItemCount(); ++i)
            if (Tip().GetItem(i)->GetID() == id)
                return Tip().GetItem(i);
        return nullptr;
    }
    std::vector<CTkPopupItem*> ItemsWithIcon()
    {
        std::vector<CTkPopupItem*> out;
        for (int i = 0; i < Tip().GetItemCount(); ++i)
            if (Tip().GetItem(i)->GetImage())
                out.push_back(Tip().GetItem(i));
        return out;
    }
    // Rows: items with a caption.
    std::vector<std::wstring> Rows()
    {
        std::vector<std::wstring> out;
        for (int i = 0; i < Tip().GetItemCount(); ++i)
            if (!Tip().GetItem(i)->GetCaption().IsEmpty())
                out.push_back(Tip().GetItem(i)->GetCaption().GetString());
        return out;
    }
    void Click(CTkPopupItem* item)
    {
        ASSERT_NE(nullptr, item);
        Tip().OnClick(item);
        testsupport::PumpMessages();
    }
    // The shown tip times out: the popup's show-delay timer fires and it collapses.
    void TimeOut()
    {
        ASSERT_TRUE(Tip().GetSafeHwnd());
        Tip().SendMessage(WM_TIMER, CTkPopupControl::kTimerShowDelay, 0);
        testsupport::PumpUntil([&] { return Tip().GetPopupState() == CTkPopupControl::kStateClosed ||
                                            Tip().GetPopupState() == CTkPopupControl::kStateShown; });
    }
    void ShowNow()
    {
        mgr->ShowNextTip(FALSE);
        testsupport::PumpMessages();
    }

    static apptest::ResourceModuleScope* s_resources;
    CKorvelBaseDlg mainDlg;
    std::unique_ptr<TestTipMgr> mgr;
};

apptest::ResourceModuleScope* TipMgr::s_resources = nullptr;

// --- Queue and merge ---

// Plain messages of one sender fold into the newest record, which keeps the older ones' ids;
// messages that open one by one (protected) queue on their own, newest first.
TEST_F(TipMgr, MessagesOfOneSenderFoldIntoTheNewestNewestFirst)
{
    CUnreadMsg* first = ChatRecord(L"ann", L"k1", L"i1");
    first->strNoticeId = L"i1";
    mgr->MergeIntoUnreadBox(first);
    mgr->MergeIntoUnreadBox(ChatRecord(L"ANN", L"k2", L"i2"));
    mgr->MergeIntoUnreadBox(nullptr);
    ASSERT_EQ(1, mgr->GetRecordCount());
    CUnreadMsg* newest = mgr->GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindNewMsg, newest->nKind);
    EXPECT_EQ(L"ANN", std::wstring(newest->strSender.GetString()));
    EXPECT_EQ(2, newest->GetMessageCount());
    EXPECT_EQ(2, mgr->CountNewMessageRecords());
    EXPECT_EQ(newest, mgr->FindMessageRecord(L"I1", L"ann"));
    CStringArray keys, ids;
    newest->AppendFoldedIds(keys, ids, false);
    ASSERT_EQ(1, ids.GetSize());
    EXPECT_EQ(L"k1", std::wstring(keys[0].GetString()));
    EXPECT_EQ(L"i1", std::wstring(ids[0].GetString()));

    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k3", L"i3", CUnreadMsg::kFlagProtected));
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k4", L"i4"));
    ASSERT_EQ(3, mgr->GetRecordCount());
    EXPECT_EQ(4, mgr->CountNewMessageRecords());
    EXPECT_EQ(1, mgr->GetRecordAt(0)->GetMessageCount());
}

TEST_F(TipMgr, SeveralSendersMergeIntoOneBoxNewestEntryFirst)
{
    mgr->AddOnlineTip(L"zed", L"Zed", L"");
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k1", L"i1"));
    CUnreadMsg* secondAnn = ChatRecord(L"ann", L"k2", L"i2");
    mgr->MergeIntoUnreadBox(secondAnn);
    mgr->MergeIntoUnreadBox(ChatRecord(L"bob", L"k3", L"i3"));
    // The box took ann's chat record (standing for both her messages) and stands at the head;
    // the online tip stays.
    ASSERT_EQ(2, mgr->GetRecordCount());
    auto* box = static_cast<CUnreadMsgBox*>(mgr->GetRecordAt(0));
    ASSERT_EQ(CUnreadMsg::kKindBox, box->nKind);
    EXPECT_EQ(CUnreadMsg::kKindOnline, mgr->GetRecordAt(1)->nKind);
    ASSERT_EQ(2, box->GetItemCount());
    EXPECT_EQ(L"bob", std::wstring(box->m_lstItems.GetHead()->strKey.GetString()));
    CUnreadMsgBoxItem* ann = box->FindItem(L"ANN");
    ASSERT_NE(nullptr, ann);
    ASSERT_EQ(1, ann->m_lstRecords.GetCount());
    EXPECT_EQ(secondAnn, ann->m_lstRecords.GetHead());
    EXPECT_EQ(2, ann->GetMessageCount());
    // More of ann's messages inside the box fold the same way.
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k6", L"i6"));
    EXPECT_EQ(1, ann->m_lstRecords.GetCount());
    EXPECT_EQ(3, ann->GetMessageCount());

    // A third sender joins the box as a new entry at its head; a group message too.
    mgr->MergeIntoUnreadBox(ChatRecord(L"cat", L"k4", L"i4"));
    mgr->MergeIntoUnreadBox(GroupRecord(L"g_7", 11, L"k5", L"i5"));
    ASSERT_EQ(4, box->GetItemCount());
    EXPECT_EQ(L"g_7", std::wstring(box->m_lstItems.GetHead()->strKey.GetString()));
    EXPECT_EQ(L"Design team", std::wstring(box->m_lstItems.GetHead()->strName.GetString()));
}

TEST_F(TipMgr, GroupMessageBesideAPersonsMessageMakesABox)
{
    mgr->MergeIntoUnreadBox(ChatRecord(L"member", L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(GroupRecord(L"g_7", 11, L"k2", L"i2"));
    ASSERT_EQ(1, mgr->GetRecordCount());
    EXPECT_EQ(CUnreadMsg::kKindBox, mgr->GetRecordAt(0)->nKind);
}

TEST_F(TipMgr, FlashLoginTipIsQueuedOncePerLogin)
{
    mgr->AddFlashLoginTip(L"ann", L"Ann");
    mgr->AddFlashLoginTip(L"ANN", L"Ann");
    EXPECT_EQ(1, mgr->GetRecordCount());
    EXPECT_TRUE(mgr->HasFlashLoginRecord(L"ann"));
}

// --- The popup ---

TEST_F(TipMgr, OnePopupAtTheBottomRightOfTheWorkArea)
{
    mgr->AddOnlineTip(L"ann", L"Ann", L"");
    mgr->AddOnlineTip(L"bob", L"Bob", L"");
    ShowNow();
    ASSERT_TRUE(mgr->IsTipVisible());
    EXPECT_EQ(L"bob", std::wstring(mgr->GetCurrentRecord()->strSender.GetString()));
    CRect rc;
    ::GetWindowRect(Tip().GetSafeHwnd(), &rc);
    const CRect work = CMultiMonitorApi::GetPrimaryWorkArea();
    EXPECT_EQ(work.right - 18, rc.right);
    EXPECT_EQ(work.bottom, rc.bottom);
    EXPECT_EQ(mgr->GetTipWidth(), rc.Width());
    EXPECT_EQ(mgr->GetTipHeight(), rc.Height());
    // Showing again while a tip is up does nothing: still one popup with the same record.
    CUnreadMsg* shown = mgr->GetCurrentRecord();
    mgr->ShowNextTip(TRUE);
    EXPECT_EQ(shown, mgr->GetCurrentRecord());
}

TEST_F(TipMgr, SlidingTipEndsAtTheCornerAfterItsTimerSteps)
{
    mgr->AddOnlineTip(L"ann", L"Ann", L"");
    mgr->CloseAndShowNext();
    EXPECT_EQ(CTkPopupControl::kStateExpanding, Tip().GetPopupState());
    for (int i = 0; i < 100 && Tip().GetPopupState() == CTkPopupControl::kStateExpanding; ++i)
        Tip().SendMessage(WM_TIMER, CTkPopupControl::kTimerExpanding, 0);
    EXPECT_EQ(CTkPopupControl::kStateShown, Tip().GetPopupState());
    CRect rc;
    ::GetWindowRect(Tip().GetSafeHwnd(), &rc);
    EXPECT_EQ(CMultiMonitorApi::GetPrimaryWorkArea().bottom, rc.bottom);
}

TEST_F(TipMgr, StatusEightKeepsTipsQueuedWithoutAPopup)
{
    View()->m_nUserStatus = 8;
    mgr->AddOnlineTip(L"ann", L"Ann", L"");
    mgr->CloseAndShowNext();
    EXPECT_FALSE(Tip().GetSafeHwnd());
    EXPECT_EQ(nullptr, mgr->GetCurrentRecord());
    EXPECT_EQ(1, mgr->GetRecordCount());
    View()->m_nUserStatus = 3;
    mgr->CloseAndShowNext();
    EXPECT_TRUE(mgr->IsTipVisible());
}

TEST_F(TipMgr, ClosingATipShowsTheQueuedOnesInOrderAndTheSentTipLast)
{
    mgr->AddSentTip(L"the report", L"Bob", L"third", 0);
    mgr->AddOnlineTip(L"ann", L"Ann", L"");
    mgr->AddShakeTip(L"cat", L"Cat", L"", L"no-such-nudge.wav");
    ShowNow();
    ASSERT_EQ(CUnreadMsg::kKindShake, mgr->GetCurrentRecord()->nKind);
    // The nudge shook the popup as soon as it was shown (the request is spent) with its sound.
    EXPECT_FALSE(Tip().IsShakeRequested());
    EXPECT_EQ(L"no-such-nudge.wav", std::wstring(Tip().GetShakeSound().GetString()));

    // The close button of the shown tip: only that tip leaves, the next shows at once.
    CTkPopupItem* close = ItemById(ID_TIP_CLOSE);
    ASSERT_NE(nullptr, close);
    Click(close);
    ASSERT_EQ(2, mgr->GetRecordCount());
    ASSERT_NE(nullptr, mgr->GetCurrentRecord());
    EXPECT_EQ(CUnreadMsg::kKindOnline, mgr->GetCurrentRecord()->nKind);
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"));

    // The online tip times out by itself: the sent tip follows.
    TimeOut();
    ASSERT_EQ(1, mgr->GetRecordCount());
    ASSERT_NE(nullptr, mgr->GetCurrentRecord());
    EXPECT_EQ(CUnreadMsg::kKindGeneric, mgr->GetCurrentRecord()->nKind);
    EXPECT_EQ(ResText(IDS_TIP_SENT, L"Bob", L"the report"), std::wstring(mgr->GetCurrentRecord()->strText.GetString()));
    TimeOut();
    EXPECT_EQ(0, mgr->GetRecordCount());
    EXPECT_EQ(nullptr, mgr->GetCurrentRecord());
}

TEST_F(TipMgr, CloseButtonAnswersARealMouseClick)
{
    mgr->AddOnlineTip(L"ann", L"Ann", L"");
    ShowNow();
    CTkPopupItem* close = ItemById(ID_TIP_CLOSE);
    ASSERT_NE(nullptr, close);
    const CPoint pt = close->GetRect().CenterPoint();
    const LPARAM lp = MAKELPARAM(pt.x, pt.y);
    Tip().SendMessage(WM_MOUSEMOVE, 0, lp);
    Tip().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lp);
    Tip().SendMessage(WM_LBUTTONUP, 0, lp);
    testsupport::PumpMessages();
    EXPECT_FALSE(Tip().GetSafeHwnd());
    EXPECT_EQ(0, mgr->GetRecordCount());
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"));
}

TEST_F(TipMgr, ClosingDropsTheShownRecordNotTheNewerHead)
{
    mgr->AddOnlineTip(L"ann", L"Ann", L"");
    ShowNow();
    CUnreadMsg* shown = mgr->GetCurrentRecord();
    // A newer tip arrives at the head while the first is up.
    mgr->AddBulletinTip(L"bob", L"Bob", L"", L"Holidays", L"n-2");
    ASSERT_NE(shown, mgr->GetRecordAt(0));
    Tip().Close();
    ASSERT_EQ(1, mgr->GetRecordCount());
    EXPECT_EQ(L"n-2", std::wstring(mgr->GetRecordAt(0)->strNoticeId.GetString()));
    EXPECT_EQ(mgr->GetRecordAt(0), mgr->GetCurrentRecord());
}

TEST_F(TipMgr, TalkEntryOpensWithTheFirstTalkNameOldestFirst)
{
    auto talk = [](const wchar_t* key, const wchar_t* talkName) {
        auto* r = new CUnreadMsg;
        r->nKind = CUnreadMsg::kKindNewMsg;
        r->nMsgType = CUnreadMsg::kTypeTalk;
        r->strSender = L"talker";
        r->strTalkId = L"t-1";
        if (IQorMsg* m = NewCoreMsg(key, key, L"talker", 0, L"t-1", talkName)) {
            r->SetCoreMsg(m);
            m->Release();
        }
        return r;
    };
    CUnreadMsgBoxItem entry;
    entry.strKey = L"talker";
    entry.m_lstRecords.AddHead(talk(L"k1", L""));
    entry.m_lstRecords.AddHead(talk(L"k2", L"Planning"));
    entry.m_lstRecords.AddHead(talk(L"k3", L"Renamed"));
    mgr->OpenMsgItem(&entry);
    EXPECT_EQ(L"t-1|Planning|k1,k2,k3|k1,k2,k3", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadTalkMsg"));
    EXPECT_TRUE(entry.m_lstRecords.IsEmpty());
}

TEST_F(TipMgr, GroupEntryHandsType14ToGroupOperationsAndType11ToTheDatabaseOpen)
{
    CUnreadMsgBoxItem entry;
    entry.strKey = L"g_7";
    entry.m_lstRecords.AddHead(GroupRecord(L"g_7", 11, L"k1", L"i1"));
    entry.m_lstRecords.AddHead(GroupRecord(L"g_7", 14, L"k2", L"i2"));
    mgr->OpenMsgItem(&entry);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::ProcessGroupOPT"));
    EXPECT_EQ(L"g_7", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadGroupFromDB"));
    EXPECT_TRUE(entry.m_lstRecords.IsEmpty());

    // Without the main window nothing is handed over, but the records are still taken.
    mgr->SetMainWindow(nullptr);
    qorview_test::ClearCalls();
    entry.m_lstRecords.AddHead(GroupRecord(L"g_7", 11, L"k3", L"i3"));
    mgr->OpenMsgItem(&entry);
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadGroupFromDB"));
    EXPECT_TRUE(entry.m_lstRecords.IsEmpty());
}

TEST_F(TipMgr, DestroyingTheShownRecordForgetsIt)
{
    mgr->AddBulletinTip(L"ann", L"Ann", L"", L"Holidays", L"n-1");
    ShowNow();
    ASSERT_NE(nullptr, mgr->GetCurrentRecord());
    mgr->RemoveRecordByNoticeId(L"N-1");
    EXPECT_EQ(nullptr, mgr->GetCurrentRecord());
    // The popup closing afterwards finds nothing to drop and nothing to show.
    Tip().Close();
    EXPECT_EQ(0, mgr->GetRecordCount());
}

// --- Content of each kind ---

TEST_F(TipMgr, TextRowTipShowsOneRowPerLineTheDefaultIconAndTheCloseButton)
{
    mgr->AddTipRecord(L"first\nsecond\n", L"", 0, 7);
    ShowNow();
    const auto rows = Rows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(L"first", rows[0]);
    EXPECT_EQ(L"second", rows[1]);
    CTkPopupItem* first = ItemByCaption(L"first");
    const int L = mgr->GetLineHeight();
    const int top = ScaleByDpi(11) + ScaleByDpi(24);
    const int height = mgr->GetTipHeight() - 2 * ScaleByDpi(11) - ScaleByDpi(24);
    EXPECT_EQ(top + (height - 2 * L) / 2, first->GetRect().top);
    EXPECT_EQ(ScaleByDpi(38), first->GetRect().left);
    EXPECT_FALSE(first->IsHyperLink());
    // Two icons: the default icon 189 and the close button 990.
    const auto icons = ItemsWithIcon();
    ASSERT_EQ(2u, icons.size());
    EXPECT_EQ(ScaleByDpi(13), icons[0]->GetRect().left);
    EXPECT_EQ(ID_TIP_CLOSE, icons[1]->GetID());
    EXPECT_TRUE(icons[1]->IsButton());
    EXPECT_EQ(mgr->GetTipWidth() - ScaleByDpi(22), icons[1]->GetRect().left);
}

// A line wider than its row is broken at blanks into further rows, so that a sentence like the
// lost connection's is read whole instead of ending in "..." with no way to read the rest.
TEST_F(TipMgr, ALongLineBecomesRowsThatEachFitAndTogetherHoldTheWholeText)
{
    const CString text = CQorViewBaseFun::LoadStringW(IDS_CONNECTION_ENDED);
    ASSERT_FALSE(text.IsEmpty());
    mgr->AddTipRecord(text, L"", 0, 0);
    ShowNow();
    const auto rows = Rows();
    ASSERT_GE(rows.size(), 2u) << "one row cannot hold it at this width";
    const int textWidth = mgr->GetTipWidth() - ScaleByDpi(10) - ScaleByDpi(38) - ScaleByDpi(20);
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    std::wstring joined;
    for (const std::wstring& row : rows) {
        EXPECT_TRUE(CTextFit::Fits(dc, row.c_str(), textWidth)) << "cut when drawn: " << CStringA(row.c_str()).GetString();
        joined += (joined.empty() ? L"" : L" ") + row;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    EXPECT_EQ(std::wstring(text.GetString()), joined);
    // The rows stand centred as one block, one under the other.
    const int L = mgr->GetLineHeight();
    const int top = ScaleByDpi(11) + ScaleByDpi(24);
    const int height = mgr->GetTipHeight() - 2 * ScaleByDpi(11) - ScaleByDpi(24);
    const int k = static_cast<int>(rows.size());
    EXPECT_EQ(top + (height - k * L) / 2, ItemByCaption(rows[0])->GetRect().top);
    EXPECT_EQ(ItemByCaption(rows[0])->GetRect().top + L, ItemByCaption(rows[1])->GetRect().top);
    ::UpdateWindow(Tip().GetSafeHwnd());
    EXPECT_TRUE(testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\tip_connection_ended.bmp", Tip().GetSafeHwnd()));
}

// A megabyte-long message shows its tip at once: the content row is cut to its width in a few
// measurements (a parenthesis inside the text included) and the tip paints and answers.
TEST_F(TipMgr, AMegabyteMessageShowsItsTipAtOnce)
{
    const CString bodies[] = {CString(L'a', 1 << 20), CString(L"a(") + CString(L'b', 1 << 20)};
    for (const CString& body : bodies) {
        CUnreadMsg* r = ChatRecord(L"ann", L"k1", L"i1");
        r->strContent = body;
        mgr->ClearTips();
        mgr->MergeIntoUnreadBox(r);
        ShowNow();
        ASSERT_TRUE(Tip().GetSafeHwnd());
        ::RedrawWindow(Tip().GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(CTkPopupControl::kStateShown, Tip().GetPopupState());
        EXPECT_NE(nullptr, ItemByCaption(body.GetString())) << "the row holds the text; only its drawing is cut";
    }
    EXPECT_TRUE(testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\tip_long_body.bmp", Tip().GetSafeHwnd()));
}

TEST_F(TipMgr, NewMessageTipShowsCountSenderAndContent)
{
    // The count line is one of the resource module's two texts, for one and for more, whatever
    // the program's language code (its default, "CHS", here).
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k2", L"i2"));
    CUnreadMsg* protectedMsg = ChatRecord(L"ann", L"k3", L"i3", CUnreadMsg::kFlagProtected);
    mgr->MergeIntoUnreadBox(protectedMsg);
    ShowNow();
    const auto rows = Rows();
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(ResText(IDS_TIP_NEW_COUNT_MANY, L"3"), rows[0]);
    EXPECT_EQ(L"3 new messages", rows[0]);
    EXPECT_TRUE(ItemByCaption(rows[0])->IsBold());
    EXPECT_EQ(ResText(IDS_TIP_SENDER, L"Name of ann"), rows[1]);
    EXPECT_EQ(RGB(0, 65, 200), ItemByCaption(rows[1])->GetTextColor());
    EXPECT_EQ(ResText(IDS_TIP_PROTECTED), rows[2]);
    EXPECT_EQ(ScaleByDpi(40), ItemByCaption(rows[2])->GetRect().left);

    // The count line follows the queue (ann's first two messages are one record).
    mgr->RemoveRecordAt(1);
    ASSERT_EQ(1, mgr->GetRecordCount());
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k5", L"i5"));
    mgr->RefreshTipCountCaption();
    EXPECT_NE(nullptr, ItemByCaption(ResText(IDS_TIP_NEW_COUNT_MANY, L"2")));
    EXPECT_EQ(ResText(IDS_TIP_NEW_COUNT_MANY, L"2"), mgr->GetCaptionText().GetString());

    // One message alone says so in the singular.
    mgr->ClearTips();
    mgr->MergeIntoUnreadBox(ChatRecord(L"bob", L"k6", L"i6"));
    ShowNow();
    EXPECT_EQ(L"1 new message", Rows()[0]);
}

TEST_F(TipMgr, GroupTipShowsGroupNameAndCountOverThreeRows)
{
    mgr->MergeIntoUnreadBox(GroupRecord(L"g_7", 11, L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(GroupRecord(L"g_7", 11, L"k2", L"i2"));
    ShowNow();
    CTkPopupItem* row = ItemByCaption(ResText(IDS_TIP_GROUP_COUNT, L"Design team", L"2"));
    ASSERT_NE(nullptr, row);
    EXPECT_EQ(3 * mgr->GetLineHeight(), row->GetRect().Height());
    EXPECT_EQ(ScaleByDpi(30), row->GetRect().left);
}

TEST_F(TipMgr, ContactPictureReplacesTheDefaultIcon)
{
    const std::wstring dir = testsupport::TempDir(L"tippic");
    const std::wstring file = dir + L"\\pic.bmp";
    {
        // A 2 x 2 bitmap file.
        BITMAPFILEHEADER fh = {};
        BITMAPINFOHEADER ih = {};
        ih.biSize = sizeof(ih);
        ih.biWidth = 2;
        ih.biHeight = 2;
        ih.biPlanes = 1;
        ih.biBitCount = 32;
        const DWORD pixels[4] = {0xff0000, 0x00ff00, 0x0000ff, 0xffffff};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(ih);
        fh.bfSize = fh.bfOffBits + sizeof(pixels);
        FILE* f = _wfopen(file.c_str(), L"wb");
        ASSERT_NE(nullptr, f);
        fwrite(&fh, sizeof(fh), 1, f);
        fwrite(&ih, sizeof(ih), 1, f);
        fwrite(pixels, sizeof(pixels), 1, f);
        fclose(f);
    }
    mgr->AddOnlineTip(L"ann", L"Ann", file.c_str());
    ShowNow();
    EXPECT_EQ(1, Tip().GetPaintManager()->m_bShowPicture);
    const auto icons = ItemsWithIcon();
    ASSERT_EQ(1u, icons.size()); // the close button only
    EXPECT_EQ(ID_TIP_CLOSE, icons[0]->GetID());
    testsupport::RemoveTree(dir);
}

TEST_F(TipMgr, BoxShowsThreeNewestEntriesAndTheLinks)
{
    const wchar_t* senders[] = {L"ann", L"bob", L"cat", L"dan", L"eve"};
    for (const wchar_t* s : senders)
        mgr->MergeIntoUnreadBox(ChatRecord(s, s, s));
    ASSERT_EQ(1, mgr->GetRecordCount());
    ShowNow();
    std::vector<CTkPopupItem*> entryRows;
    CTkPopupItem* openAll = nullptr;
    CTkPopupItem* showAll = nullptr;
    for (int i = 0; i < Tip().GetItemCount(); ++i) {
        CTkPopupItem* it = Tip().GetItem(i);
        if (it->GetCaption().IsEmpty())
            continue;
        if (it->m_nBoxAction == 2)
            openAll = it;
        else if (it->m_nBoxAction == 1)
            showAll = it;
        else
            entryRows.push_back(it);
    }
    ASSERT_EQ(3u, entryRows.size());
    EXPECT_EQ(0, entryRows[0]->GetCaption().Find(L"Name of eve"));
    EXPECT_EQ(0, entryRows[2]->GetCaption().Find(L"Name of cat"));
    EXPECT_NE(-1, entryRows[0]->GetCaption().Find(L"  (1)"));
    EXPECT_TRUE(entryRows[0]->IsHyperLink());
    ASSERT_NE(nullptr, openAll);
    EXPECT_EQ(ResText(IDS_TIP_OPEN_ALL, L"5"), std::wstring(openAll->GetCaption().GetString()));
    EXPECT_EQ(RGB(0, 0, 255), openAll->GetTextColor());
    ASSERT_NE(nullptr, showAll);
    EXPECT_EQ(ResText(IDS_TIP_SHOW_ALL), std::wstring(showAll->GetCaption().GetString()));
    // One person icon per row (button items without id), and the close button.
    int personIcons = 0;
    for (CTkPopupItem* it : ItemsWithIcon())
        if (it->IsButton() && it->GetID() == 0)
            ++personIcons;
    EXPECT_EQ(3, personIcons);
    EXPECT_NE(nullptr, ItemById(ID_TIP_CLOSE));
}

TEST_F(TipMgr, BoxRowTextSurvivesABadSendTime)
{
    CUnreadMsgBoxItem item;
    item.strKey = L"ann";
    CUnreadMsg* r = ChatRecord(L"ann", L"k", L"i");
    r->strSendTime = L"not a time";
    item.m_lstRecords.AddHead(r);
    const CString text = mgr->BuildBoxRowText(&item);
    EXPECT_EQ(0, text.Find(L"Name of ann"));
    EXPECT_EQ(-1, text.Find(L"Name of ann("));
    EXPECT_NE(-1, text.Find(L"  (1)"));

    // A group name longer than five characters is cut.
    CUnreadMsg* g = GroupRecord(L"g_1", 11, L"k", L"i");
    g->strContent = L"Engineering";
    g->strSendTime = L"2026-01-02 03:04:05";
    item.m_lstRecords.AddHead(g);
    const CString groupText = mgr->BuildBoxRowText(&item);
    EXPECT_EQ(0, groupText.Find(L"Eng...("));
    EXPECT_NE(-1, groupText.Find(L"  (2)"));
}

// --- Clicks ---

TEST_F(TipMgr, ClickOnANewMessageTipOpensAllMessagesOfThatSenderOldestFirst)
{
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k2", L"i2"));
    mgr->AddSentTip(L"the report", L"Bob", L"third", 0);
    ShowNow();
    ASSERT_EQ(CUnreadMsg::kKindNewMsg, mgr->GetCurrentRecord()->nKind);
    Click(ItemByCaption(ResText(IDS_TIP_SENDER, L"Name of ann")));
    ASSERT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
    EXPECT_EQ(L"ann|ann|k1,k2|i1,i2", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadChatMsg"));
    // The tip that was never shown stays and shows next.
    ASSERT_EQ(1, mgr->GetRecordCount());
    ASSERT_NE(nullptr, mgr->GetCurrentRecord());
    EXPECT_EQ(CUnreadMsg::kKindGeneric, mgr->GetCurrentRecord()->nKind);
    EXPECT_TRUE(Tip().GetSafeHwnd());
}

TEST_F(TipMgr, ClickOnANewMessageWithoutCoreMessageOpensNothing)
{
    auto* r = new CUnreadMsg;
    r->nKind = CUnreadMsg::kKindNewMsg;
    r->strSender = L"ann";
    mgr->MergeIntoUnreadBox(r);
    ShowNow();
    Click(Tip().GetItem(0));
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
    EXPECT_EQ(0, mgr->GetRecordCount());
    EXPECT_FALSE(Tip().GetSafeHwnd());
}

TEST_F(TipMgr, ClickOnEachSimpleKindReachesItsViewLibraryCall)
{
    struct Case {
        const wchar_t* name;
        void (*add)(CTipMgr&);
        const wchar_t* op;
        const wchar_t* args;
    } const cases[] = {
        {L"online", [](CTipMgr& m) { m.AddOnlineTip(L"ann", L"Ann", L""); }, L"CQorViewMgr::NewChatDlg",
         L"ann|Ann|||1|0"},
        {L"flash", [](CTipMgr& m) { m.AddFlashLoginTip(L"ann", L"Ann"); }, L"CQorViewMgr::NewChatDlg",
         L"ann|Ann|||1|0"},
        {L"shake", [](CTipMgr& m) { m.AddShakeTip(L"ann", L"Ann", L"", L""); }, L"CQorViewMgr::AddChatDlgNudge",
         L"ann|Ann"},
        {L"bulletin", [](CTipMgr& m) { m.AddBulletinTip(L"ann", L"Ann", L"", L"Holidays", L"n-9"); },
         L"CQorViewMgr::ShowBulletin", L"n-9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qorview_test::ClearCalls();
        mgr->ClearTips();
        c.add(*mgr);
        mgr->AddSentTip(L"x", L"y", L"z", 0);
        ShowNow();
        // A click anywhere but the close button: the first text row.
        Click(Tip().GetItem(0));
        EXPECT_EQ(1, qorview_test::CountCalls(c.op));
        EXPECT_EQ(c.args, qorview_test::LastArgs(c.op));
        // Only the clicked tip left; the sent tip shows next.
        ASSERT_EQ(1, mgr->GetRecordCount());
        EXPECT_EQ(CUnreadMsg::kKindGeneric, mgr->GetRecordAt(0)->nKind);
    }
}

TEST_F(TipMgr, MailTipOpensOnlyMailAndWebAddresses)
{
    const struct {
        const wchar_t* url;
        bool opened;
    } cases[] = {{L"mailto:ann@example.com", true},
                 {L"https://mail.example.com/inbox", true},
                 {L"HTTP://mail.example.com", true},
                 {L"calc.exe", false},
                 {L"file:///c:/windows/system32/cmd.exe", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        s_openedAddresses.clear();
        mgr->AddMailTip(L"You have new mail\nfrom Ann", c.url);
        ShowNow();
        EXPECT_TRUE(ItemByCaption(L"from Ann")->IsHyperLink());
        Click(ItemByCaption(L"from Ann"));
        EXPECT_EQ(c.opened ? 1u : 0u, s_openedAddresses.size());
        EXPECT_EQ(0, mgr->GetRecordCount());
    }
    // The close button never opens the address.
    s_openedAddresses.clear();
    mgr->AddMailTip(L"New mail", L"mailto:ann@example.com");
    ShowNow();
    Click(ItemById(ID_TIP_CLOSE));
    EXPECT_TRUE(s_openedAddresses.empty());
}

TEST_F(TipMgr, GroupTipClicksOpenTheGroup)
{
    // Type 11: by the talk id its core message reports.
    mgr->MergeIntoUnreadBox(GroupRecord(L"g_7", 11, L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(GroupRecord(L"g_7", 11, L"k2", L"i2"));
    ShowNow();
    Click(ItemByCaption(Rows().at(0)));
    EXPECT_EQ(L"g_7", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadGroupFromDB"));
    EXPECT_EQ(0, mgr->GetRecordCount());

    // Type 14: handed to ProcessGroupOPT, one item per message.
    mgr->MergeIntoUnreadBox(GroupRecord(L"g_8", 14, L"k3", L"i3"));
    ShowNow();
    Click(ItemByCaption(Rows().at(0)));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::ProcessGroupOPT"));
    EXPECT_EQ(0u, qorview_test::LastArgs(L"CQorViewMgr::ProcessGroupOPT").find(L"g_8|i3"));
    EXPECT_EQ(0, mgr->GetRecordCount());
}

TEST_F(TipMgr, BoxRowClickOpensThatEntryAndTheBoxStays)
{
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"bob", L"k2", L"i2"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k3", L"i3"));
    ShowNow();
    CTkPopupItem* annRow = nullptr;
    for (int i = 0; i < Tip().GetItemCount(); ++i)
        if (Tip().GetItem(i)->GetCaption().Find(L"Name of ann") == 0)
            annRow = Tip().GetItem(i);
    Click(annRow);
    EXPECT_EQ(L"ann|Name of ann|k1,k3|i1,i3", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadChatMsg"));
    ASSERT_EQ(1, mgr->GetRecordCount());
    auto* box = static_cast<CUnreadMsgBox*>(mgr->GetRecordAt(0));
    EXPECT_EQ(1, box->GetItemCount());
    EXPECT_EQ(nullptr, box->FindItem(L"ann"));
    // The box slides in again with the remaining entry.
    EXPECT_EQ(box, mgr->GetCurrentRecord());

    // The last entry: the box leaves the queue.
    CTkPopupItem* bobRow = nullptr;
    for (int i = 0; i < Tip().GetItemCount(); ++i)
        if (Tip().GetItem(i)->GetCaption().Find(L"Name of bob") == 0)
            bobRow = Tip().GetItem(i);
    Click(bobRow);
    EXPECT_EQ(L"bob|Name of bob|k2|i2", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadChatMsg"));
    EXPECT_EQ(0, mgr->GetRecordCount());
}

TEST_F(TipMgr, OpenAllKeepsWhatACancelledPasswordPromptHeldBack)
{
    View()->m_pQorConsole = nullptr;
    mgr->AddOnlineTip(L"zed", L"Zed", L"");
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"bob", L"k2", L"i2"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"bob", L"k3", L"i3", CUnreadMsg::kFlagProtected));
    ASSERT_EQ(2, mgr->GetRecordCount());
    ShowNow();
    ASSERT_EQ(CUnreadMsg::kKindBox, mgr->GetCurrentRecord()->nKind);
    qorview_test::PushPasswordPromptAnswer(IDCANCEL);
    CTkPopupItem* openAll = nullptr;
    for (int i = 0; i < Tip().GetItemCount(); ++i)
        if (Tip().GetItem(i)->m_nBoxAction == 2 && !Tip().GetItem(i)->GetCaption().IsEmpty())
            openAll = Tip().GetItem(i);
    Click(openAll);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CCheckPSWDlg1::DoModal"));
    EXPECT_EQ(L"ann|Name of ann|k1|i1", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadChatMsg"));
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
    // bob's entry keeps both of its messages; the box and the online tip stay queued.
    ASSERT_EQ(2, mgr->GetRecordCount());
    auto* box = static_cast<CUnreadMsgBox*>(mgr->GetRecordAt(0));
    ASSERT_EQ(CUnreadMsg::kKindBox, box->nKind);
    ASSERT_EQ(1, box->GetItemCount());
    EXPECT_EQ(2, box->FindItem(L"bob")->m_lstRecords.GetCount());
    EXPECT_EQ(0, View()->m_bModal);
}

TEST_F(TipMgr, ShowAllOpensTheUnreadWindowAndKeepsTheBox)
{
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"bob", L"k2", L"i2"));
    ShowNow();
    CTkPopupItem* showAll = nullptr;
    for (int i = 0; i < Tip().GetItemCount(); ++i)
        if (Tip().GetItem(i)->m_nBoxAction == 1)
            showAll = Tip().GetItem(i);
    Click(showAll);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::ShowUnreadMsg"));
    EXPECT_EQ(1, mgr->GetRecordCount());
}

TEST_F(TipMgr, ClicksWhileAModalDialogRunsDoNothing)
{
    mgr->AddOnlineTip(L"ann", L"Ann", L"");
    ShowNow();
    View()->m_bModal = 1;
    Click(ItemByCaption(Rows().at(0)));
    View()->m_bModal = 0;
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::NewChatDlg"));
    EXPECT_TRUE(Tip().GetSafeHwnd());
    EXPECT_EQ(1, mgr->GetRecordCount());
}

TEST_F(TipMgr, OpenUnreadChatTakesQueuedAndBoxedMessagesOfTheSender)
{
    mgr->MergeIntoUnreadBox(ChatRecord(L"bob", L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k2", L"i2"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k3", L"i3"));
    mgr->OpenUnreadChat(L"ann", L"Ann");
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
    EXPECT_EQ(L"ann|Ann|k3,k2|i3,i2", qorview_test::LastArgs(L"CQorViewMgr::DoUnReadChatMsg"));
    ASSERT_EQ(1, mgr->GetRecordCount());
    EXPECT_EQ(1, static_cast<CUnreadMsgBox*>(mgr->GetRecordAt(0))->GetItemCount());

    // Nobody queued: no call.
    qorview_test::ClearCalls();
    mgr->OpenUnreadChat(L"nobody", L"Nobody");
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
}

TEST_F(TipMgr, OpenNewestUnreadOpensProtectedMessagesThroughTheConsoleAfterThePrompt)
{
    CLSID clsid = {};
    ASSERT_EQ(S_OK, ::CLSIDFromProgID(kProgIdQorConsole, &clsid));
    IQorConsole* console = nullptr;
    ASSERT_EQ(S_OK, ::CoCreateInstance(clsid, nullptr, kQorCoreClsCtx, IID_IQorConsole,
                                       reinterpret_cast<void**>(&console)));
    View()->m_pQorConsole = console;
    CUnreadMsg* r = ChatRecord(L"ann", L"key-9", L"id-9", CUnreadMsg::kFlagProtected);
    r->strNoticeId = L"notice-9";
    mgr->MergeIntoUnreadBox(r);

    qorview_test::PushPasswordPromptAnswer(IDCANCEL);
    mgr->OpenNewestUnread();
    EXPECT_EQ(1, mgr->GetRecordCount());

    qorview_test::PushPasswordPromptAnswer(IDOK);
    mgr->OpenNewestUnread();
    EXPECT_EQ(2, qorview_test::CountCalls(L"CCheckPSWDlg1::DoModal"));
    EXPECT_EQ(0, mgr->GetRecordCount());
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
    View()->m_pQorConsole = nullptr;
    console->Release();
}

TEST_F(TipMgr, SignOutKeepsOnlySentTips)
{
    mgr->AddSentTip(L"x", L"y", L"z", 0);
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k1", L"i1"));
    ShowNow();
    mgr->RemoveSessionTips();
    ASSERT_EQ(1, mgr->GetRecordCount());
    EXPECT_EQ(CUnreadMsg::kKindGeneric, mgr->GetRecordAt(0)->nKind);
    EXPECT_EQ(mgr->GetRecordAt(0), mgr->GetCurrentRecord());
    mgr->DismissAllTips();
    EXPECT_EQ(0, mgr->GetRecordCount());
    EXPECT_FALSE(Tip().GetSafeHwnd());
}

TEST_F(TipMgr, ScreenshotsOfAChatTipAndOfTheBox)
{
    apptest::App().m_strLanguage = L"ENU";
    const std::wstring dir = testsupport::ExeDir();
    // Sent a few minutes ago, in UTC as the core reports it.
    SYSTEMTIME now = {};
    ::GetSystemTime(&now);
    CString sent;
    sent.Format(L"%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    auto chat = [&](const wchar_t* login, const wchar_t* name, const wchar_t* text, const wchar_t* key) {
        CUnreadMsg* r = ChatRecord(login, key, key);
        r->strSenderName = name;
        r->strContent = text;
        r->strSendTime = sent;
        return r;
    };
    mgr->MergeIntoUnreadBox(chat(L"ann", L"Ann Lee", L"Lunch at noon?", L"k1"));
    mgr->MergeIntoUnreadBox(chat(L"ann", L"Ann Lee", L"The report is ready.", L"k2"));
    ShowNow();
    // The chat tip: a dark title band over a light body with its text and the green chat icon.
    auto isGreen = [](COLORREF c) { return GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 40; };
    auto isBlue = [](COLORREF c) { return GetBValue(c) > GetRValue(c) + 40 && GetBValue(c) > GetGValue(c) + 20; };
    auto checkTip = [&](const char* name, bool chatIcon, const wchar_t* shot) {
        RECT win = {};
        ::GetWindowRect(Tip().GetSafeHwnd(), &win);
        const RECT band = {win.left, win.top, win.right, win.top + 12};
        const RECT body = {win.left + 2, win.top + 24, win.right - 2, win.bottom - 2};
        const int bandArea = (band.right - band.left) * (band.bottom - band.top);
        const int bodyArea = (body.right - body.left) * (body.bottom - body.top);
        testsupport::WaitUntilOnScreen(Tip().GetSafeHwnd(), [&] {
            return testsupport::CountScreenPixels(band, testsupport::IsDark) > bandArea / 2 &&
                   testsupport::CountScreenPixels(body, testsupport::IsDark) > 50 &&
                   testsupport::CountScreenPixels(body, isBlue) > 20 &&
                   chatIcon == (testsupport::CountScreenPixels(body, isGreen) > 20);
        });
        EXPECT_TRUE(testsupport::SaveScreenshot(dir + shot, Tip().GetSafeHwnd()));
        EXPECT_GT(testsupport::CountScreenPixels(band, testsupport::IsDark), bandArea / 2) << name;
        EXPECT_GT(testsupport::CountScreenPixels(body, [](COLORREF c) { return !testsupport::IsDark(c); }), bodyArea / 2)
            << name;
        EXPECT_GT(testsupport::CountScreenPixels(body, testsupport::IsDark), 50) << name << ": its text";
        EXPECT_GT(testsupport::CountScreenPixels(body, isBlue), 20) << name << ": the sender in the link colour";
        EXPECT_EQ(chatIcon, testsupport::CountScreenPixels(body, isGreen) > 20) << name << ": the chat icon";
    };
    checkTip("chat tip", true, L"\\tip_chat.bmp");

    mgr->MergeIntoUnreadBox(chat(L"bob", L"Bob", L"Call me", L"k3"));
    CUnreadMsg* group = GroupRecord(L"g_7", 11, L"k4", L"i4");
    group->strSendTime = sent;
    mgr->MergeIntoUnreadBox(group);
    mgr->CloseAndShowNext();
    for (int i = 0; i < 100 && Tip().GetPopupState() == CTkPopupControl::kStateExpanding; ++i)
        Tip().SendMessage(WM_TIMER, CTkPopupControl::kTimerExpanding, 0);
    // The unread box: its rows with the people icons and the links, no chat icon.
    checkTip("unread box", false, L"\\tip_box.bmp");
}

} // namespace

// --- Creators, more layouts, the box row's time ---

TEST_F(TipMgr, CreatorsFillTheirRecords)
{
    mgr->AddOnlineTip(L"ann", L"Ann", L"ann.png");
    CUnreadMsg* r = mgr->GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindOnline, r->nKind);
    EXPECT_EQ(ResText(IDS_TIP_ONLINE, L"Ann"), r->strText.GetString());
    EXPECT_EQ(3000, r->nShowTime);
    EXPECT_EQ(L"ann", std::wstring(r->strSender.GetString()));
    EXPECT_EQ(L"ann.png", std::wstring(r->strPicture.GetString()));

    mgr->AddShakeTip(L"bob", L"Bob", L"", L"shake.wav");
    r = mgr->GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindShake, r->nKind);
    EXPECT_EQ(ResText(IDS_TIP_SHAKE, L"Bob"), r->strText.GetString());
    EXPECT_EQ(L"shake.wav", std::wstring(r->strSound.GetString()));
    EXPECT_EQ(0, r->nShowTime);

    mgr->AddRefusedFileTip(L"cat", L"Cat", L"", L"fourth", L"plan.doc");
    r = mgr->GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindRefusedFile, r->nKind);
    EXPECT_EQ(ResText(IDS_TIP_REFUSED_FILE, L"Cat", L"plan.doc"), r->strText.GetString());
    EXPECT_EQ(L"fourth", std::wstring(r->strSound.GetString()));

    mgr->AddDownloadTip(L"cat", L"Cat", L"", L"fourth", L"plan.doc");
    r = mgr->GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindDownload, r->nKind);
    EXPECT_EQ(ResText(IDS_TIP_DOWNLOADED, L"Cat", L"plan.doc"), r->strText.GetString());

    mgr->AddFlashLoginTip(L"dan", L"Dan");
    r = mgr->GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindFlashLogin, r->nKind);
    EXPECT_EQ(ResText(IDS_TIP_FLASH_LOGIN, L"Dan"), r->strText.GetString());
    EXPECT_EQ(1, r->bClosable);

    // The bulletin names its sender only in the Chinese resource module.
    mgr->AddBulletinTip(L"eve", L"Eve", L"", L"Holidays", L"n-5");
    r = mgr->GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindBulletin, r->nKind);
    const std::wstring bulletin = ResText(IDS_RESOURCE_LANGUAGE) == L"CHS" ? ResText(IDS_TIP_BULLETIN, L"Eve", L"Holidays")
                                                                           : ResText(IDS_TIP_BULLETIN, L"Holidays");
    EXPECT_EQ(bulletin, r->strText.GetString());
    EXPECT_EQ(r, mgr->FindRecordByNoticeId(L"N-5"));

    mgr->AddReceiptTip(L"Fay", L"second", L"content", L"fay.png", 4000, 12);
    r = mgr->GetRecordAt(0);
    EXPECT_EQ(CUnreadMsg::kKindReceipt, r->nKind);
    EXPECT_EQ(L"Fay|second|content|fay.png|4000|12",
              std::wstring((r->strSenderName + L"|" + r->strExtra + L"|" + r->strContent + L"|" + r->strPicture)
                               .GetString()) + L"|" + std::to_wstring(r->nShowTime) + L"|" + std::to_wstring(r->nId));

    // The sent tip queues behind everything else.
    mgr->AddSentTip(L"content", L"second", L"third", 2000);
    r = mgr->GetRecordAt(mgr->GetRecordCount() - 1);
    EXPECT_EQ(CUnreadMsg::kKindGeneric, r->nKind);
    EXPECT_EQ(ResText(IDS_TIP_SENT, L"second", L"content"), r->strText.GetString());
    EXPECT_EQ(L"third", std::wstring(r->strMsgString2.GetString()));
    EXPECT_EQ(2000, r->nShowTime);
}

TEST_F(TipMgr, MailTipStaysUpUnlessASecondsSettingAboveZeroIsSet)
{
    const int saved = CQorViewBaseFun::GetSettingInt(L"CloseMailTipTime", 0);
    const struct {
        int seconds;
        int showTime;
    } cases[] = {{0, 0}, {-3, 0}, {5, 5000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        CQorViewBaseFun::SetSettingInt(L"CloseMailTipTime", c.seconds);
        mgr->AddMailTip(L"mail", L"mailto:ann@example.com");
        EXPECT_EQ(CUnreadMsg::kKindMail, mgr->GetRecordAt(0)->nKind);
        EXPECT_EQ(c.showTime, mgr->GetRecordAt(0)->nShowTime);
    }
    CQorViewBaseFun::SetSettingInt(L"CloseMailTipTime", saved);

    // The mail layout: link rows from the left edge, no icon, the close button.
    mgr->ClearTips();
    mgr->AddMailTip(L"You have new mail\nfrom Ann\n", L"mailto:ann@example.com");
    ShowNow();
    const auto rows = Rows();
    ASSERT_EQ(2u, rows.size());
    CTkPopupItem* first = ItemByCaption(rows[0]);
    EXPECT_TRUE(first->IsHyperLink());
    EXPECT_EQ(0, first->GetRect().left);
    const auto icons = ItemsWithIcon();
    ASSERT_EQ(1u, icons.size());
    EXPECT_EQ(ID_TIP_CLOSE, icons[0]->GetID());
}

TEST_F(TipMgr, ReceiptTipFollowsTheLanguageAndAlwaysHasACloseButton)
{
    const int top = ScaleByDpi(11) + ScaleByDpi(24);
    const int height = mgr->GetTipHeight() - 2 * ScaleByDpi(11) - ScaleByDpi(24);
    const struct {
        const wchar_t* language;
        std::vector<std::wstring> rows;
        int left;
    } cases[] = {
        {L"ENU", {L"Fay", L"Open the message", L"second", L"content"}, ScaleByDpi(44)},
        {L"CHS", {L"Fay \x6253\x5F00\x6D88\x606F", L"second", L"content"}, ScaleByDpi(40)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        apptest::App().m_strLanguage = c.language;
        mgr->ClearTips();
        mgr->AddReceiptTip(L"Fay", L"second", L"content", L"", 0, 1);
        mgr->GetRecordAt(0)->bClosable = 0;
        ShowNow();
        EXPECT_EQ(c.rows, Rows());
        CTkPopupItem* first = ItemByCaption(c.rows[0]);
        ASSERT_NE(nullptr, first);
        EXPECT_EQ(c.left, first->GetRect().left);
        const int k = static_cast<int>(c.rows.size());
        EXPECT_EQ(top + (height - k * mgr->GetLineHeight()) / 2, first->GetRect().top);
        EXPECT_NE(nullptr, ItemById(ID_TIP_CLOSE));
    }
}

namespace {

// "YYYY-MM-DD HH:MM:SS" of the UTC clock moved by some seconds.
CString UtcTextFromNow(long long seconds)
{
    SYSTEMTIME now = {};
    ::GetSystemTime(&now);
    FILETIME ft = {};
    ::SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER u = {};
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    u.QuadPart += static_cast<ULONGLONG>(seconds * 10000000LL);
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    SYSTEMTIME st = {};
    ::FileTimeToSystemTime(&ft, &st);
    CString s;
    s.Format(L"%04d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return s;
}

} // namespace

TEST_F(TipMgr, BoxRowShowsDaysAgoOrTheLocalTimeOfDay)
{
    CUnreadMsgBoxItem item;
    CUnreadMsg* r = ChatRecord(L"ann", L"k", L"i");
    item.m_lstRecords.AddHead(r);

    // Sent 30 hours ago: one day, in the singular; three days and more in the plural.
    r->strSendTime = UtcTextFromNow(-30 * 3600);
    EXPECT_EQ(0, mgr->BuildBoxRowText(&item).Find(L"Name of ann(1 day ago)"));
    r->strSendTime = UtcTextFromNow(-75 * 3600);
    EXPECT_EQ(0, mgr->BuildBoxRowText(&item).Find(L"Name of ann(3 days ago)"));

    // Sent an hour ago: the user's own clock, hour:minute:second.
    r->strSendTime = UtcTextFromNow(-3600);
    CString local = r->strSendTime;
    CQorViewBaseFun::UTCTimeToLocalTime(local);
    EXPECT_EQ(0, mgr->BuildBoxRowText(&item).Find(L"Name of ann(" + local.Mid(11) + L")"));

    // A talk message names no person; the rows are padded so that the counts line up.
    r->nMsgType = CUnreadMsg::kTypeTalk;
    const CString talk = mgr->BuildBoxRowText(&item);
    EXPECT_EQ(0, talk.Find(ResText(IDS_TIP_TALK_SENDER).c_str()));
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE sz = {};
    ::GetTextExtentPoint32W(hdc, talk.GetString(), talk.GetLength(), &sz);
    ::SelectObject(hdc, old);
    ::ReleaseDC(nullptr, hdc);
    EXPECT_GE(sz.cx, 144);
    EXPECT_EQ(talk.GetLength() - 5, talk.Find(L"  (1)"));

    // A wide-character group name of eight characters keeps its first four.
    CUnreadMsg* g = GroupRecord(L"g_1", 11, L"k", L"i");
    g->strContent = L"\x8bbe\x8ba1\x90e8\x95e8\x4f1a\x8bae\x5c0f\x7ec4";
    g->strSendTime = UtcTextFromNow(-60);
    item.m_lstRecords.AddHead(g);
    EXPECT_EQ(0, mgr->BuildBoxRowText(&item).Find(L"\x8bbe\x8ba1\x90e8\x95e8...("));
}

TEST_F(TipMgr, TipWindowWithoutOwnerSwallowsNotifications)
{
    struct CountingMgr : CTipMgr {
        int calls = 0;
        void OnTipClick(int, void*) override { ++calls; }
    } counting;
    MyTipCtl tip;
    tip.Notify(CTkPopupControl::kNotifyClick, 0);
    tip.SetOwner(&counting);
    tip.Notify(CTkPopupControl::kNotifyClick, 0);
    tip.Notify(CTkPopupControl::kNotifyStateChanged, reinterpret_cast<LPARAM>(&tip));
    EXPECT_EQ(2, counting.calls);
}

TEST_F(TipMgr, CancelledPromptOnTheShownProtectedMessageLeavesItQueued)
{
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k1", L"i1"));
    mgr->MergeIntoUnreadBox(ChatRecord(L"ann", L"k2", L"i2", CUnreadMsg::kFlagProtected));
    ShowNow();
    qorview_test::PushPasswordPromptAnswer(IDCANCEL);
    mgr->OpenCurrentTip();
    EXPECT_EQ(1, qorview_test::CountCalls(L"CCheckPSWDlg1::DoModal"));
    EXPECT_EQ(2, mgr->GetRecordCount());
    EXPECT_EQ(mgr->GetRecordAt(0), mgr->GetCurrentRecord());
    EXPECT_EQ(0, View()->m_bModal);

    // Confirmed: the protected message is opened and leaves; the plain one shows next.
    qorview_test::PushPasswordPromptAnswer(IDOK);
    mgr->OpenCurrentTip();
    testsupport::PumpMessages();
    ASSERT_EQ(1, mgr->GetRecordCount());
    const std::wstring ids = [&] {
        IQorMsg* m = nullptr;
        mgr->GetRecordAt(0)->GetCoreMsg()->QueryInterface(IID_IQorMsg, reinterpret_cast<void**>(&m));
        BSTR k = nullptr, i = nullptr;
        m->get_MsgKey(&k);
        m->get_MsgID(&i);
        std::wstring s = std::wstring(k) + L"|" + i;
        ::SysFreeString(k);
        ::SysFreeString(i);
        m->Release();
        return s;
    }();
    EXPECT_EQ(L"k1|i1", ids);
    EXPECT_EQ(mgr->GetRecordAt(0), mgr->GetCurrentRecord());
    EXPECT_EQ(0, qorview_test::CountCalls(L"CQorViewMgr::DoUnReadChatMsg"));
}
