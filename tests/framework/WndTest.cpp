// CWnd through real windows: creation, the handle map, message-map dispatch with decoded
// arguments, default processing, subclassing, reflection, PreTranslateMessage routing,
// self-deleting windows and timers.
#include "framework/CWnd.h"
#include "framework/CDialog.h"
#include "framework/CException.h"
#include "framework/CWinThread.h"
#include "framework/HandleMap.h"
#include "tests/support/TestSupport.h"
#include <commctrl.h>
#include <cstddef>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const UINT kRegisteredMsg = ::RegisterWindowMessageW(L"Korvel.WndTest.Registered");

// Pumps like the framework's own loops: every message is offered to PreTranslateMessage first.
void PumpWithPreTranslate()
{
    MSG msg;
    for (int i = 0; i < 200 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

// Records every handler call as "Name(arg,arg)".
class CProbeWnd : public CWnd {
public:
    std::vector<std::string> calls;
    LPVOID createParam = nullptr;
    bool throwOnApp = false;

    void Log(const char* fmt, ...)
    {
        char buf[256];
        va_list args;
        va_start(args, fmt);
        vsnprintf(buf, sizeof(buf), fmt, args);
        va_end(args);
        calls.push_back(buf);
    }
    std::string Last() const { return calls.empty() ? std::string() : calls.back(); }

    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        createParam = cs->lpCreateParams;
        Log("OnCreate(%ls)", cs->lpszName ? cs->lpszName : L"");
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Log("OnSize(%u,%d,%d)", nType, cx, cy); }
    afx_msg void OnMove(int x, int y) { Log("OnMove(%d,%d)", x, y); }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Log("OnTimer(%u)", static_cast<unsigned>(nIDEvent)); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt) { Log("OnLButtonDown(%u,%ld,%ld)", nFlags, pt.x, pt.y); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt) { Log("OnMouseMove(%u,%ld,%ld)", nFlags, pt.x, pt.y); }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Log("OnMouseWheel(%u,%d,%ld,%ld)", nFlags, zDelta, pt.x, pt.y);
        return TRUE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Log("OnKeyDown(%u,%u,%u)", nChar, nRepCnt, nFlags); }
    afx_msg void OnHotKey(UINT id, UINT mods, UINT vk) { Log("OnHotKey(%u,%u,%u)", id, mods, vk); }
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pcds)
    {
        Log("OnCopyData(%d,%lu,%s)", pWnd == this ? 1 : 0, static_cast<unsigned long>(pcds->dwData),
            static_cast<const char*>(pcds->lpData));
        return TRUE;
    }
    afx_msg UINT OnPowerBroadcast(UINT nEvent, LPARAM data)
    {
        Log("OnPowerBroadcast(%u,%ld)", nEvent, static_cast<long>(data));
        return 77;
    }
    afx_msg void OnSettingChange(UINT uFlags, LPCWSTR section) { Log("OnSettingChange(%u,%ls)", uFlags, section); }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos) { Log("OnContextMenu(%d,%ld,%ld)", pWnd == this, pos.x, pos.y); }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Log("OnShowWindow(%d,%u)", bShow, nStatus); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Log("OnSysCommand(%u,%ld)", nID, static_cast<long>(lParam)); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* mmi) { mmi->ptMinTrackSize.x = 123; Log("OnGetMinMaxInfo"); }
    afx_msg LRESULT OnNcHitTest(CPoint pt)
    {
        Log("OnNcHitTest(%ld,%ld)", pt.x, pt.y);
        return HTCAPTION;
    }
    afx_msg LRESULT OnAppMessage(WPARAM wParam, LPARAM lParam)
    {
        if (throwOnApp)
            AfxThrowInvalidArgException();
        Log("OnAppMessage(%u,%ld)", static_cast<unsigned>(wParam), static_cast<long>(lParam));
        return 4242;
    }
    afx_msg LRESULT OnThrowStd(WPARAM, LPARAM) { throw std::runtime_error("handler failure"); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { Log("OnRegistered(%u)", static_cast<unsigned>(wParam)); return 9; }
    // Sees WM_SETTEXT and lets the default processing store the text.
    afx_msg LRESULT OnSetTextSeen(WPARAM, LPARAM lParam)
    {
        Log("OnSetText(%ls)", reinterpret_cast<LPCWSTR>(lParam));
        return Default();
    }
    afx_msg void OnMenuCommand() { Log("OnMenuCommand"); }
    afx_msg void OnCommandRange(UINT nID) { Log("OnCommandRange(%u)", nID); }
    afx_msg void OnSendClicked() { Log("OnSendClicked"); }
    afx_msg void OnNameChanged() { Log("OnNameChanged"); }
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        Log("OnListClick(%u)", static_cast<unsigned>(pNMHDR->idFrom));
        *pResult = 5;
    }
    afx_msg void OnRangeDblClk(UINT nID, NMHDR* pNMHDR, LRESULT*) { Log("OnRangeDblClk(%u,%d)", nID, static_cast<int>(pNMHDR->code)); }
    afx_msg BOOL OnRClickEx(UINT nID, NMHDR*, LRESULT*)
    {
        Log("OnRClickEx(%u)", nID);
        return FALSE; // let the next entry see it as well
    }
    afx_msg void OnRClick(NMHDR*, LRESULT*) { Log("OnRClick"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_HOTKEY()
    ON_WM_COPYDATA()
    ON_WM_POWERBROADCAST()
    ON_WM_SETTINGCHANGE()
    ON_WM_CONTEXTMENU()
    ON_WM_SHOWWINDOW()
    ON_WM_SYSCOMMAND()
    ON_WM_GETMINMAXINFO()
    ON_WM_NCHITTEST()
    ON_MESSAGE(WM_APP + 5, &CProbeWnd::OnAppMessage)
    ON_MESSAGE(WM_APP + 6, &CProbeWnd::OnThrowStd)
    ON_MESSAGE(WM_SETTEXT, &CProbeWnd::OnSetTextSeen)
    ON_REGISTERED_MESSAGE(kRegisteredMsg, &CProbeWnd::OnRegistered)
    ON_COMMAND(101, &CProbeWnd::OnMenuCommand)
    ON_COMMAND_RANGE(200, 210, &CProbeWnd::OnCommandRange)
    ON_BN_CLICKED(301, &CProbeWnd::OnSendClicked)
    ON_EN_CHANGE(302, &CProbeWnd::OnNameChanged)
    ON_NOTIFY(NM_CLICK, 401, &CProbeWnd::OnListClick)
    ON_NOTIFY_RANGE(NM_DBLCLK, 500, 510, &CProbeWnd::OnRangeDblClk)
    ON_NOTIFY_EX(NM_RCLICK, 401, &CProbeWnd::OnRClickEx)
    ON_NOTIFY(NM_RCLICK, 401, &CProbeWnd::OnRClick)
END_MESSAGE_MAP()

// A derived map: its own entries first, the base's for the rest.
class CDerivedProbeWnd : public CProbeWnd {
public:
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent == 99) {
            Log("Derived.OnTimer(99)");
            return;
        }
        CProbeWnd::OnTimer(nIDEvent);
    }
    afx_msg LRESULT OnOwnMessage(WPARAM, LPARAM) { Log("Derived.OnOwnMessage"); return 1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbeWnd, CProbeWnd)
    ON_WM_TIMER()
    ON_MESSAGE(WM_APP + 7, &CDerivedProbeWnd::OnOwnMessage)
END_MESSAGE_MAP()

bool CreateTopLevel(CWnd& wnd, LPCWSTR name = L"probe", LPVOID param = nullptr)
{
    return wnd.CreateEx(0, nullptr, name, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr, param) != FALSE;
}

class WndTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        testsupport::PumpMessages();
        AfxDeleteTempMaps();
    }
};

TEST_F(WndTest, CreateTiesTheObjectFromTheFirstMessageAndKeepsTheCallersParam)
{
    CProbeWnd wnd;
    int param = 0;
    ASSERT_TRUE(CreateTopLevel(wnd, L"first", &param));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    // WM_GETMINMAXINFO comes even before WM_NCCREATE: it reached the map, so did everything.
    ASSERT_GE(wnd.calls.size(), 2u);
    EXPECT_EQ(wnd.calls[0], "OnGetMinMaxInfo");
    EXPECT_EQ(wnd.calls[1], "OnCreate(first)");
    EXPECT_EQ(wnd.createParam, &param);
    EXPECT_EQ(wnd.GetSafeHwnd(), wnd.m_hWnd);
    // A second Create on a live object is refused.
    EXPECT_FALSE(CreateTopLevel(wnd));
}

TEST_F(WndTest, WindowMessagesReachTheirHandlersWithDecodedArguments)
{
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    char text[] = "payload";
    COPYDATASTRUCT cds = {17, sizeof(text), text};
    struct Case {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        const char* expected;
        LRESULT result;
    } cases[] = {
        {WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), "OnSize(2,640,480)", 0},
        {WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(-20), 35), "OnMove(-20,35)", 0},
        {WM_TIMER, 12, 0, "OnTimer(12)", 0},
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-3), 44), "OnLButtonDown(5,-3,44)", 0},
        {WM_MOUSEMOVE, 0, MAKELPARAM(7, 8), "OnMouseMove(0,7,8)", 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), MAKELPARAM(100, 200), "OnMouseWheel(8,-120,100,200)", TRUE},
        {WM_KEYDOWN, VK_F5, MAKELPARAM(3, 0x3F), "OnKeyDown(116,3,63)", 0},
        {WM_HOTKEY, 1000, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'Z'), "OnHotKey(1000,3,90)", 0},
        {WM_POWERBROADCAST, PBT_APMSUSPEND, 0, "OnPowerBroadcast(4,0)", 77},
        {WM_SETTINGCHANGE, SPI_SETWORKAREA, reinterpret_cast<LPARAM>(L"Work"), "OnSettingChange(47,Work)", 0},
        {WM_SYSCOMMAND, SC_KEYMENU, 32, "OnSysCommand(61696,32)", 0},
        {WM_NCHITTEST, 0, MAKELPARAM(15, 25), "OnNcHitTest(15,25)", HTCAPTION},
        {WM_APP + 5, 3, -4, "OnAppMessage(3,-4)", 4242},
        {kRegisteredMsg, 6, 0, "OnRegistered(6)", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        LRESULT r = ::SendMessageW(wnd.m_hWnd, c.msg, c.wParam, c.lParam);
        EXPECT_EQ(wnd.Last(), c.expected);
        EXPECT_EQ(r, c.result);
    }

    // Handlers that take window pointers get the permanent object.
    EXPECT_TRUE(::SendMessageW(wnd.m_hWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(wnd.m_hWnd), reinterpret_cast<LPARAM>(&cds)));
    EXPECT_EQ(wnd.Last(), "OnCopyData(1,17,payload)");
    ::SendMessageW(wnd.m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(static_cast<WORD>(-1), static_cast<WORD>(-1)));
    EXPECT_EQ(wnd.Last(), "OnContextMenu(1,-1,-1)");
    // Sent by the system with its own arguments (a child: showing a top-level window costs
    // the display a round trip).
    CProbeWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", 0, CRect(0, 0, 10, 10), &wnd, 1));
    child.ShowWindow(SW_SHOWNA);
    EXPECT_EQ(child.Last(), "OnShowWindow(1,0)");
    MINMAXINFO mmi = {};
    ::SendMessageW(wnd.m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 123);
}

TEST_F(WndTest, CommandsAndNotificationsAreMatchedByIdAndCode)
{
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    HWND hWnd = wnd.m_hWnd;
    HWND hFakeCtrl = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234)); // never looked up as a window

    ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(101, 0), 0);
    EXPECT_EQ(wnd.Last(), "OnMenuCommand");
    wnd.calls.clear();
    // Accelerator code 1 counts as a command; the same code from a control (LBN_SELCHANGE) does not.
    ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(101, 1), 0);
    EXPECT_EQ(wnd.Last(), "OnMenuCommand");
    wnd.calls.clear();
    ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(101, 1), reinterpret_cast<LPARAM>(hFakeCtrl));
    EXPECT_TRUE(wnd.calls.empty());

    ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(205, 0), 0);
    EXPECT_EQ(wnd.Last(), "OnCommandRange(205)");
    ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(301, BN_CLICKED), reinterpret_cast<LPARAM>(hFakeCtrl));
    EXPECT_EQ(wnd.Last(), "OnSendClicked");
    ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(302, EN_CHANGE), reinterpret_cast<LPARAM>(hFakeCtrl));
    EXPECT_EQ(wnd.Last(), "OnNameChanged");
    wnd.calls.clear();
    ::SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(302, EN_KILLFOCUS), reinterpret_cast<LPARAM>(hFakeCtrl));
    EXPECT_TRUE(wnd.calls.empty());

    NMHDR nm = {hFakeCtrl, 401, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(::SendMessageW(hWnd, WM_NOTIFY, 401, reinterpret_cast<LPARAM>(&nm)), 5);
    EXPECT_EQ(wnd.Last(), "OnListClick(401)");
    nm.idFrom = 402; // no entry for this id
    wnd.calls.clear();
    ::SendMessageW(hWnd, WM_NOTIFY, 402, reinterpret_cast<LPARAM>(&nm));
    EXPECT_TRUE(wnd.calls.empty());

    nm = {hFakeCtrl, 507, static_cast<UINT>(NM_DBLCLK)};
    ::SendMessageW(hWnd, WM_NOTIFY, 507, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(wnd.Last(), "OnRangeDblClk(507,-3)");

    // An _EX entry that answers FALSE lets the following entry run too.
    nm = {hFakeCtrl, 401, static_cast<UINT>(NM_RCLICK)};
    wnd.calls.clear();
    ::SendMessageW(hWnd, WM_NOTIFY, 401, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"OnRClickEx(401)", "OnRClick"}));

    // A WM_NOTIFY without its header is ignored, not dereferenced.
    EXPECT_EQ(::SendMessageW(hWnd, WM_NOTIFY, 401, 0), 0);
}

TEST_F(WndTest, DerivedMapComesFirstAndChainsToTheBase)
{
    CDerivedProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    ::SendMessageW(wnd.m_hWnd, WM_TIMER, 99, 0);
    EXPECT_EQ(wnd.Last(), "Derived.OnTimer(99)");
    ::SendMessageW(wnd.m_hWnd, WM_TIMER, 3, 0);
    EXPECT_EQ(wnd.Last(), "OnTimer(3)");
    ::SendMessageW(wnd.m_hWnd, WM_APP + 7, 0, 0);
    EXPECT_EQ(wnd.Last(), "Derived.OnOwnMessage");
    EXPECT_EQ(::SendMessageW(wnd.m_hWnd, WM_APP + 5, 1, 2), 4242);
}

TEST_F(WndTest, UnhandledMessagesAndDefaultGetTheDefaultProcessing)
{
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    // The WM_SETTEXT handler calls Default(): the system still stores the text.
    wnd.SetWindowText(L"Caption text");
    EXPECT_EQ(wnd.Last(), "OnSetText(Caption text)");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, L"Caption text");
    EXPECT_EQ(wnd.GetWindowTextLength(), 12);
    // WM_GETTEXT has no entry and goes straight to the default procedure.
    wchar_t buf[32] = {};
    EXPECT_EQ(::SendMessageW(wnd.m_hWnd, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(buf)), 12);
    EXPECT_STREQ(buf, L"Caption text");
    // Outside any window procedure there is no current message to pass on.
    EXPECT_EQ(wnd.Default(), 0);
}

TEST_F(WndTest, ExceptionsFromHandlersDoNotLeaveTheWindowProcedure)
{
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    wnd.throwOnApp = true;
    EXPECT_EQ(::SendMessageW(wnd.m_hWnd, WM_APP + 5, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(wnd.m_hWnd, WM_APP + 6, 0, 0), 0);
    // The window keeps working.
    wnd.throwOnApp = false;
    EXPECT_EQ(::SendMessageW(wnd.m_hWnd, WM_APP + 5, 1, 1), 4242);
}

TEST_F(WndTest, HandleMapAnswersOwnersAndTemporaryWrappers)
{
    HWND hRaw = ::CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hRaw);
    EXPECT_EQ(CWnd::FromHandlePermanent(hRaw), nullptr);
    CWnd* pTemp = CWnd::FromHandle(hRaw);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, hRaw);
    EXPECT_EQ(CWnd::FromHandle(hRaw), pTemp) << "one temporary per handle until idle";
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsWindow(hRaw)) << "temporary wrappers never destroy their window";

    {
        CWnd attached;
        ASSERT_TRUE(attached.Attach(hRaw));
        EXPECT_EQ(CWnd::FromHandle(hRaw), &attached);
        CWnd other;
        EXPECT_FALSE(other.Attach(hRaw)) << "a window has one owner";
        EXPECT_EQ(attached.Detach(), hRaw);
        EXPECT_EQ(CWnd::FromHandlePermanent(hRaw), nullptr);
    }
    EXPECT_TRUE(::IsWindow(hRaw)) << "a detached object leaves the window alone";

    {
        CWnd owner;
        ASSERT_TRUE(owner.Attach(hRaw));
    }
    EXPECT_FALSE(::IsWindow(hRaw)) << "an object that still owns its window destroys it";

    const CWnd* pNull = nullptr;
    EXPECT_EQ(pNull->GetSafeHwnd(), nullptr);
}

// An edit control subclassed after the fact: sees characters, then lets the edit have them.
class CSubclassedEdit : public CWnd {
public:
    int chars = 0;
    bool preSubclassed = false;
    void PreSubclassWindow() override { preSubclassed = true; }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        ++chars;
        CWnd::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclassedEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

TEST_F(WndTest, SubclassingRoutesAnExistingControlThroughTheMapUntilUnsubclassed)
{
    CProbeWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(77), nullptr, nullptr);
    ASSERT_TRUE(hEdit);
    const LONG_PTR originalProc = ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC);

    CSubclassedEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(77, &parent));
    EXPECT_TRUE(edit.preSubclassed);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), &edit);
    ::SendMessageW(hEdit, WM_CHAR, 'a', 1);
    ::SendMessageW(hEdit, WM_CHAR, 'b', 1);
    EXPECT_EQ(edit.chars, 2);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, L"ab") << "Default() hands the characters on to the edit's own procedure";

    CSubclassedEdit second;
    EXPECT_FALSE(second.SubclassWindow(hEdit)) << "an owned window cannot be subclassed twice";

    EXPECT_EQ(edit.UnsubclassWindow(), hEdit);
    EXPECT_EQ(::GetWindowLongPtrW(hEdit, GWLP_WNDPROC), originalProc);
    EXPECT_EQ(edit.m_hWnd, nullptr);
    ::SendMessageW(hEdit, WM_CHAR, 'c', 1);
    EXPECT_EQ(edit.chars, 2);
    EXPECT_EQ(::GetWindowTextLengthW(hEdit), 3);
}

// A system-class control created through the framework gets its messages from the start.
class CCreatedButton : public CWnd {
public:
    bool sawCreate = false;
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        sawCreate = true;
        return CWnd::OnCreate(cs);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCreatedButton, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

// A control that handles its own notifications (reflection).
class CReflectingButton : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    BOOL stopAtChild = FALSE;
    HBRUSH brush = nullptr;
    afx_msg BOOL OnClickedReflect()
    {
        log->push_back("child.OnClicked");
        return stopAtChild;
    }
    afx_msg void OnNotifyReflect(NMHDR*, LRESULT* pResult)
    {
        log->push_back("child.OnNotify");
        *pResult = 11;
    }
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        log->push_back(pDC && nCtlColor == CTLCOLOR_BTN ? "child.CtlColor" : "child.CtlColor(bad args)");
        return brush;
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) { log->push_back("child.DrawItem(" + std::to_string(dis->itemID) + ")"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CReflectingButton::OnClickedReflect)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CReflectingButton::OnNotifyReflect)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class CNotifiedParent : public CWnd {
public:
    std::vector<std::string> log;
    afx_msg void OnChildClicked() { log.push_back("parent.OnClicked"); }
    afx_msg void OnChildCustomDraw(NMHDR*, LRESULT*) { log.push_back("parent.OnNotify"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
    ON_BN_CLICKED(301, &CNotifiedParent::OnChildClicked)
    ON_NOTIFY(NM_CUSTOMDRAW, 301, &CNotifiedParent::OnChildCustomDraw)
END_MESSAGE_MAP()

TEST_F(WndTest, ChildNotificationsReachTheParentAfterTheChildsReflectedEntry)
{
    CNotifiedParent parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CCreatedButton plain;
    ASSERT_TRUE(plain.Create(L"BUTTON", L"plain", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 80, 24), &parent, 301));
    EXPECT_TRUE(plain.sawCreate) << "tied before WM_CREATE, though the class is the system's";

    // A child without reflection: the click reaches the parent's map.
    ::SendMessageW(plain.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.log, (std::vector<std::string>{"parent.OnClicked"}));
    plain.DestroyWindow();

    CReflectingButton child;
    child.log = &parent.log;
    ASSERT_TRUE(child.Create(L"BUTTON", L"reflect", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 30, 80, 54), &parent, 301));

    // The _EX entry answering FALSE: the child first, then the parent.
    parent.log.clear();
    ::SendMessageW(child.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.log, (std::vector<std::string>{"child.OnClicked", "parent.OnClicked"}));
    // Answering TRUE: the parent never sees it.
    parent.log.clear();
    child.stopAtChild = TRUE;
    ::SendMessageW(child.m_hWnd, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.log, (std::vector<std::string>{"child.OnClicked"}));

    // A plain reflected WM_NOTIFY entry keeps the notification at the child, with its result.
    parent.log.clear();
    NMHDR nm = {child.m_hWnd, 301, static_cast<UINT>(NM_CUSTOMDRAW)};
    EXPECT_EQ(::SendMessageW(parent.m_hWnd, WM_NOTIFY, 301, reinterpret_cast<LPARAM>(&nm)), 11);
    EXPECT_EQ(parent.log, (std::vector<std::string>{"child.OnNotify"}));

    // Colour and owner-draw messages the parent has no entry for go back to the child.
    parent.log.clear();
    child.brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    HDC hdc = ::GetDC(child.m_hWnd);
    LRESULT brush = ::SendMessageW(parent.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                                   reinterpret_cast<LPARAM>(child.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), child.brush);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 301;
    dis.itemID = 4;
    dis.hwndItem = child.m_hWnd;
    dis.hDC = hdc;
    EXPECT_EQ(::SendMessageW(parent.m_hWnd, WM_DRAWITEM, 301, reinterpret_cast<LPARAM>(&dis)), TRUE);
    ::ReleaseDC(child.m_hWnd, hdc);
    EXPECT_EQ(parent.log, (std::vector<std::string>{"child.CtlColor", "child.DrawItem(4)"}));
}

// Windows that look at queued messages before they are dispatched.
class CFilteringWnd : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    const char* name = "";
    UINT consumeKey = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN) {
            log->push_back(std::string(name) + ".Pre(" + std::to_string(pMsg->wParam) + ")");
            if (pMsg->wParam == consumeKey)
                return TRUE;
        }
        return FALSE;
    }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { log->push_back(std::string(name) + ".OnKeyDown(" + std::to_string(nChar) + ")"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFilteringWnd, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

TEST_F(WndTest, PreTranslateMessageWalksFromTheTargetUpItsParents)
{
    std::vector<std::string> log;
    CFilteringWnd parent;
    parent.log = &log;
    parent.name = "parent";
    parent.consumeKey = VK_F5;
    ASSERT_TRUE(CreateTopLevel(parent));
    CFilteringWnd child;
    child.log = &log;
    child.name = "child";
    child.consumeKey = VK_F6;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));

    ::PostMessageW(child.m_hWnd, WM_KEYDOWN, VK_F5, 0);
    ::PostMessageW(child.m_hWnd, WM_KEYDOWN, VK_F6, 0);
    ::PostMessageW(child.m_hWnd, WM_KEYDOWN, VK_F7, 0);
    PumpWithPreTranslate();
    EXPECT_EQ(log, (std::vector<std::string>{
                       "child.Pre(116)", "parent.Pre(116)",                          // F5: taken by the parent
                       "child.Pre(117)",                                             // F6: taken by the child
                       "child.Pre(118)", "parent.Pre(118)", "child.OnKeyDown(118)", // F7: dispatched
                   }));
}

// Deletes itself once its window is gone, as heap-allocated windows do.
class CSelfDeletingWnd : public CWnd {
public:
    static std::vector<std::string>* s_log;
    ~CSelfDeletingWnd() override { s_log->push_back("destructor"); }
    afx_msg void OnNcDestroy()
    {
        s_log->push_back("OnNcDestroy");
        CWnd::OnNcDestroy();
    }
    void PostNcDestroy() override
    {
        s_log->push_back(m_hWnd == nullptr ? "PostNcDestroy(detached)" : "PostNcDestroy(still attached)");
        delete this;
    }
    DECLARE_MESSAGE_MAP()
};
std::vector<std::string>* CSelfDeletingWnd::s_log = nullptr;

BEGIN_MESSAGE_MAP(CSelfDeletingWnd, CWnd)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST_F(WndTest, PostNcDestroyRunsAfterTheWindowIsUntiedAndMayDeleteTheObject)
{
    std::vector<std::string> log;
    CSelfDeletingWnd::s_log = &log;
    auto* pWnd = new CSelfDeletingWnd;
    ASSERT_TRUE(CreateTopLevel(*pWnd));
    HWND hWnd = pWnd->m_hWnd;
    pWnd->DestroyWindow(); // pWnd is gone after this
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"OnNcDestroy", "PostNcDestroy(detached)", "destructor"}));
}

// Self-deleting window objects whose creation fails after their window existed. They live in
// one static slot, so that a wrong extra deletion or a late use is counted, not a heap fault.
struct FailedCreationCounts {
    int postNcDestroys = 0;
    int destructions = 0;
};
FailedCreationCounts g_failed;
alignas(std::max_align_t) unsigned char g_failedSlot[4096];

template <class Base>
class CDiesInCreate : public Base {
public:
    static void* operator new(size_t size)
    {
        EXPECT_LE(size, sizeof(g_failedSlot));
        return g_failedSlot;
    }
    static void operator delete(void*) {}
    ~CDiesInCreate() override { ++g_failed.destructions; }
    void PostNcDestroy() override
    {
        ++g_failed.postNcDestroys;
        delete this;
    }
};

class CRefusesCreate : public CDiesInCreate<CWnd> {
public:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRefusesCreate, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CDialogWithBadControl : public CDiesInCreate<CDialog> {};

TEST_F(WndTest, AWindowThatDiesInsideItsCreateStaysWithTheCallerWhoDeletesItOnce)
{
    struct Case {
        const char* name;
        std::function<CWnd*()> make;
        std::function<BOOL(CWnd*)> create;
    };
    const std::vector<WORD> badTemplate = testsupport::TemplateWithUnknownControl();
    const Case cases[] = {
        {"OnCreate refuses", [] { return new CRefusesCreate; },
         [](CWnd* p) { return CreateTopLevel(*p) ? TRUE : FALSE; }},
        {"a dialog control cannot be made", [] { return new CDialogWithBadControl; },
         [&](CWnd* p) {
             return static_cast<CDialog*>(p)->CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(badTemplate.data()));
         }},
    };
    for (const Case& c : cases) {
        g_failed = FailedCreationCounts();
        CWnd* pWnd = c.make();
        EXPECT_FALSE(c.create(pWnd)) << c.name;
        EXPECT_EQ(0, g_failed.postNcDestroys) << c.name;
        EXPECT_EQ(0, g_failed.destructions) << c.name << ": Create's caller still owns the object";
        EXPECT_EQ(nullptr, pWnd->m_hWnd) << c.name;
        delete pWnd;
        EXPECT_EQ(1, g_failed.destructions) << c.name;
    }
}

TEST_F(WndTest, TimerMessagesStepTheHandlerAndARealTimerFires)
{
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    ::PostMessageW(wnd.m_hWnd, WM_TIMER, 101, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(wnd.Last(), "OnTimer(101)");

    wnd.calls.clear();
    ASSERT_EQ(wnd.SetTimer(7, 10), 7u);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return wnd.Last() == "OnTimer(7)"; }));
    EXPECT_TRUE(wnd.KillTimer(7));
}

TEST_F(WndTest, GeometryStylesAndTextWrappers)
{
    CProbeWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    wnd.MoveWindow(CRect(20, 30, 220, 180));
    CRect rc;
    wnd.GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(20, 30, 220, 180));

    CProbeWnd child;
    ASSERT_TRUE(child.Create(nullptr, L"", WS_VISIBLE, CRect(5, 6, 25, 36), &wnd, 9));
    EXPECT_EQ(child.GetDlgCtrlID(), 9);
    EXPECT_EQ(wnd.GetDlgItem(9), &child);
    EXPECT_EQ(child.GetParent(), &wnd);
    EXPECT_EQ(child.GetTopLevelParent(), &wnd);
    CPoint pt(0, 0);
    child.ClientToScreen(&pt);
    wnd.ScreenToClient(&pt);
    EXPECT_EQ(pt, CPoint(5, 6));

    EXPECT_TRUE(wnd.ModifyStyle(WS_MAXIMIZEBOX, 0));
    EXPECT_EQ(wnd.GetStyle() & WS_MAXIMIZEBOX, 0u);
    EXPECT_FALSE(wnd.ModifyStyle(WS_MAXIMIZEBOX, 0)) << "nothing to change";
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_NE(wnd.GetExStyle() & WS_EX_TOOLWINDOW, 0u);

    EXPECT_TRUE(wnd.SetProp(L"Korvel.Test", reinterpret_cast<HANDLE>(42)));
    EXPECT_EQ(wnd.GetProp(L"Korvel.Test"), reinterpret_cast<HANDLE>(42));
    EXPECT_EQ(wnd.RemoveProp(L"Korvel.Test"), reinterpret_cast<HANDLE>(42));
    EXPECT_EQ(wnd.GetProp(L"Korvel.Test"), nullptr);

    wnd.SetDlgItemText(9, L"item");
    CString item;
    EXPECT_EQ(wnd.GetDlgItemText(9, item), 4);
    EXPECT_EQ(item, L"item");
    EXPECT_EQ(wnd.GetDlgItemText(12345, item), 0);
    EXPECT_TRUE(item.IsEmpty());

    wnd.EnableWindow(FALSE);
    EXPECT_FALSE(wnd.IsWindowEnabled());
    wnd.EnableWindow(TRUE);
    EXPECT_TRUE(wnd.IsWindowEnabled());
    child.ShowWindow(SW_HIDE);
    EXPECT_FALSE(child.IsWindowVisible());
}

} // namespace
