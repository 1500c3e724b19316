// The status menu tracked for real over the main window: a timer of the test looks at the open
// menu from inside the menu's own loop and closes it.
#include "app/KorvelMessages.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/app/MainWindowFixture.h"
#include <map>

namespace {

const UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU: the menu a pop-up menu window shows

struct SeenMenu {
    bool shown = false;
    std::map<UINT, UINT> state;          // command -> MF_GRAYED / MF_DISABLED bits
    std::vector<std::pair<UINT, std::wstring>> status; // the Status sub-menu: id and text
};

SeenMenu s_seen;
std::wstring s_shot; // where to save a picture of the open menu (Status opened); empty for none
int s_nTicks = 0;

int VisibleMenuWindows()
{
    int count = 0;
    for (HWND h = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); h;
         h = ::FindWindowExW(nullptr, h, L"#32768", nullptr))
        count += ::IsWindowVisible(h) ? 1 : 0;
    return count;
}

void CALLBACK LookAndClose(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    if (s_seen.shown) {
        // The picture waits for the Status sub-menu the mouse points at (a bounded wait).
        if (VisibleMenuWindows() < 2 && ++s_nTicks < 100)
            return;
        ::KillTimer(nullptr, idTimer);
        testsupport::SaveScreenshot(s_shot);
        ::EndMenu();
        return;
    }
    HWND hMenuWnd = ::FindWindowW(L"#32768", nullptr);
    HMENU hMenu = hMenuWnd ? reinterpret_cast<HMENU>(::SendMessageW(hMenuWnd, kGetMenuHandle, 0, 0)) : nullptr;
    if (!hMenu || !::IsWindowVisible(hMenuWnd))
        return; // not open yet
    s_seen.shown = true;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            for (int j = 0; j < ::GetMenuItemCount(hSub); ++j) {
                wchar_t text[64] = {};
                ::GetMenuStringW(hSub, j, text, 64, MF_BYPOSITION);
                s_seen.status.emplace_back(::GetMenuItemID(hSub, j), text);
                s_seen.state[::GetMenuItemID(hSub, j)] = ::GetMenuState(hSub, j, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
            }
            continue;
        }
        s_seen.state[::GetMenuItemID(hMenu, i)] = ::GetMenuState(hMenu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
    }
    if (!s_shot.empty()) {
        // Point at "Status" so that its sub-menu with the custom statuses shows in the picture.
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
            RECT rc;
            if (::GetSubMenu(hMenu, i) && ::GetMenuItemRect(nullptr, hMenu, i, &rc)) {
                INPUT in = {};
                in.type = INPUT_MOUSE;
                in.mi.dx = MulDiv((rc.left + rc.right) / 2, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
                in.mi.dy = MulDiv((rc.top + rc.bottom) / 2, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
                in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
                ::SendInput(1, &in, sizeof(in));
            }
        }
        s_nTicks = 0;
        return;
    }
    ::KillTimer(nullptr, idTimer);
    ::EndMenu();
}

class StatusMenuWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(CreateMain());
        ::SetWindowPos(m_pDlg->GetSafeHwnd(), nullptr, 200, 100, 300, 600, SWP_NOZORDER);
        ::SetForegroundWindow(m_pDlg->GetSafeHwnd());
        testsupport::PumpMessages();
    }

    void TearDown() override
    {
        CQorViewMgr* pMgr = CQorViewMgr::Instance();
        pMgr->m_dwServerOption1 = pMgr->m_dwServerOption2 = 0;
        pMgr->m_bModal = 0;
        s_shot.clear();
        MainWindowFixture::TearDown();
    }

    // Opens the menu with a message and answers what the open menu showed.
    SeenMenu Open(UINT message, LPARAM lParam = MAKELPARAM(260, 180))
    {
        s_seen = SeenMenu();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &LookAndClose);
        ::SendMessageW(m_pDlg->GetSafeHwnd(), message, TPM_LEFTALIGN, lParam);
        ::KillTimer(nullptr, timer);
        testsupport::PumpMessages();
        return s_seen;
    }

    static bool Grey(const SeenMenu& m, UINT id) { return m.state.count(id) && (m.state.at(id) & MF_GRAYED); }
};

} // namespace

TEST_F(StatusMenuWindow, SignedOutDuringASignInOnlySignInStaysActive)
{
    m_pDlg->ShowWaitPanel(); // a progress panel is kept: a sign-in is under way
    ASSERT_NE(m_pDlg->GetPanels().GetWaitPanel(), nullptr);
    SeenMenu menu = Open(WM_SHOW_STATUS_MENU);
    ASSERT_TRUE(menu.shown);
    for (UINT id : {32809u, 32780u, 32908u, 32816u, 32913u, 32910u, 32819u, 32906u})
        EXPECT_TRUE(Grey(menu, id)) << id;
    EXPECT_FALSE(Grey(menu, 32900));
    EXPECT_EQ(menu.state.count(32904), 0u); // WM_USER+826 drops "Open"
    EXPECT_EQ(menu.status.size(), 5u);      // no custom status while signed out
}

TEST_F(StatusMenuWindow, SignedInWithCustomStatusesFromTheAccount)
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->m_strAccount = L"ann";
    const CString file = CQorViewBaseFun::GetMyConfigFile(L"ann");
    ::WritePrivateProfileStringW(L"CusStatus", L"Count", L"2", file);
    ::WritePrivateProfileStringW(L"CusStatus", L"Item1_Type", L"3", file);
    ::WritePrivateProfileStringW(L"CusStatus", L"Item1_Desc", L"In a meeting", file);
    ::WritePrivateProfileStringW(L"CusStatus", L"Item2_Type", L"8", file);
    ::WritePrivateProfileStringW(L"CusStatus", L"Item2_Desc", L"Presenting", file);
    m_pDlg->SetSignedIn(TRUE);
    pMgr->m_dwServerOption2 = 0x400000 | 0x800;
    s_shot = testsupport::ExeDir() + L"\\app_status_menu.bmp";
    SeenMenu menu = Open(WM_SHOW_STATUS_MENU);
    ASSERT_TRUE(menu.shown);
    EXPECT_TRUE(Grey(menu, 32900));
    EXPECT_TRUE(Grey(menu, 32913)); // away withheld
    EXPECT_TRUE(Grey(menu, 32906)); // exit withheld
    EXPECT_FALSE(Grey(menu, 32816));
    EXPECT_FALSE(Grey(menu, 32809));
    ASSERT_EQ(menu.status.size(), 7u);
    EXPECT_EQ(menu.status[5], std::make_pair(5410u, std::wstring(L"In a meeting")));
    EXPECT_EQ(menu.status[6], std::make_pair(5411u, std::wstring(L"Presenting")));

    // The chosen custom status is set with its text.
    qorview_test::ClearCalls();
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_COMMAND, 5410, 0);
    EXPECT_EQ(qorview_test::LastArgs(L"CQorViewMgr::SetUserStatus"), L"3|In a meeting|1");
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_COMMAND, 5412, 0); // beyond the list
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SetUserStatus"), 1);

    // Signed out, the account's statuses are forgotten: the next account has its own.
    m_pDlg->SetSignedIn(FALSE);
    ::SendMessageW(m_pDlg->GetSafeHwnd(), WM_COMMAND, 5410, 0);
    EXPECT_EQ(qorview_test::CountCalls(L"CQorViewMgr::SetUserStatus"), 1);
    pMgr->m_strAccount.Empty();
}

TEST_F(StatusMenuWindow, TrayRightClickKeepsOpenAndAModalDialogKeepsTheMenuShut)
{
    SeenMenu menu = Open(WM_TRAY_RBUTTONDOWN, 0);
    ASSERT_TRUE(menu.shown);
    EXPECT_EQ(menu.state.count(32904), 1u);
    EXPECT_FALSE(Grey(menu, 32904));

    CQorViewMgr::Instance()->m_bModal = 1;
    menu = Open(WM_SHOW_STATUS_MENU);
    EXPECT_FALSE(menu.shown);
}
