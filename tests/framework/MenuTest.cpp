// Menus built in code, from a memory template and from a resource module, and popup tracking
// answered by posted keys so that no test waits on a person.
#include "framework/CBitmap.h"
#include "framework/CMenu.h"
#include "framework/CWnd.h"
#include "framework/HandleMap.h"
#include "framework/ModuleState.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

enum : UINT { ID_OPEN = 100, ID_SAVE = 101, ID_EXIT = 102, ID_QUIT = 103, ID_NEW = 99, ID_RECENT1 = 200, ID_RECENT2 = 201 };

// File menu: Open, Save, separator, Recent >, Exit.
void BuildFileMenu(CMenu& menu, CMenu& recent)
{
    ASSERT_TRUE(recent.CreatePopupMenu());
    recent.AppendMenu(MF_STRING, ID_RECENT1, L"report.doc");
    recent.AppendMenu(MF_STRING, ID_RECENT2, L"notes.txt");
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_OPEN, L"&Open");
    menu.AppendMenu(MF_STRING, ID_SAVE, L"&Save");
    menu.AppendMenu(MF_SEPARATOR);
    // The pop-up now belongs to the menu, which destroys it.
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(recent.Detach()), L"&Recent");
    menu.AppendMenu(MF_STRING, ID_EXIT, L"E&xit");
}

// The owner of tracked menus: records the commands it receives.
class COwnerWnd : public CWnd {
public:
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

// Ends a menu loop that the posted input failed to end, so a fault fails the test instead of
// hanging the run.
bool g_menuTimedOut = false;
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR, DWORD)
{
    g_menuTimedOut = true;
    ::EndMenu();
}

class MenuTrackTest : public ::testing::Test {
protected:
    COwnerWnd owner;
    CMenu menu, recent;
    UINT_PTR guard = 0;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"menu owner", WS_POPUP, 100, 100, 200, 100, nullptr, nullptr));
        testsupport::PumpMessages();
        BuildFileMenu(menu, recent);
        g_menuTimedOut = false;
        guard = ::SetTimer(nullptr, 0, 5000, EndStuckMenu);
    }
    void TearDown() override
    {
        ::KillTimer(nullptr, guard);
        EXPECT_FALSE(g_menuTimedOut);
        owner.DestroyWindow();
        testsupport::PumpMessages();
    }
    void PostKey(UINT vk)
    {
        owner.PostMessage(WM_KEYDOWN, vk, 1);
        owner.PostMessage(WM_KEYUP, vk, 0xC0000001);
    }
};

} // namespace

TEST(CMenuTest, BuildQueryAndChangeItems)
{
    HMENU handle = nullptr;
    {
        CMenu menu, recent;
        BuildFileMenu(menu, recent);
        handle = menu.GetSafeHmenu();
        EXPECT_EQ(5, menu.GetMenuItemCount());
        EXPECT_EQ(ID_OPEN, menu.GetMenuItemID(0));
        EXPECT_EQ(0u, menu.GetMenuItemID(2));            // separator
        EXPECT_EQ(0xFFFFFFFFu, menu.GetMenuItemID(3));   // pop-up
        EXPECT_EQ(0xFFFFFFFFu, menu.GetMenuItemID(40));  // no such position
        EXPECT_EQ(-1, CMenu().GetMenuItemCount());

        CString text;
        EXPECT_EQ(5, menu.GetMenuString(ID_SAVE, text, MF_BYCOMMAND));
        EXPECT_EQ(CString(L"&Save"), text);
        menu.GetMenuString(3, text, MF_BYPOSITION);
        EXPECT_EQ(CString(L"&Recent"), text);
        EXPECT_EQ(0, menu.GetMenuString(555, text, MF_BYCOMMAND));
        EXPECT_TRUE(text.IsEmpty());
        wchar_t small[4];
        EXPECT_EQ(3, menu.GetMenuString(ID_OPEN, small, 4, MF_BYCOMMAND));
        EXPECT_STREQ(L"&Op", small);

        // Sub-menus come back as temporary wrappers, the same one for the same menu.
        CMenu* pRecent = menu.GetSubMenu(3);
        ASSERT_NE(nullptr, pRecent);
        EXPECT_EQ(pRecent, menu.GetSubMenu(3));
        EXPECT_EQ(2, pRecent->GetMenuItemCount());
        EXPECT_EQ(ID_RECENT2, pRecent->GetMenuItemID(1));
        EXPECT_EQ(nullptr, menu.GetSubMenu(0));
        EXPECT_EQ(&menu, CMenu::FromHandle(handle));

        // Check marks answer the state before the change.
        EXPECT_EQ(static_cast<UINT>(MF_UNCHECKED), menu.CheckMenuItem(ID_OPEN, MF_BYCOMMAND | MF_CHECKED));
        EXPECT_EQ(static_cast<UINT>(MF_CHECKED), menu.CheckMenuItem(ID_OPEN, MF_BYCOMMAND | MF_UNCHECKED));
        EXPECT_EQ(0xFFFFFFFFu, menu.CheckMenuItem(555, MF_BYCOMMAND | MF_CHECKED));
        // Radio checks reach into sub-menus by command.
        EXPECT_TRUE(pRecent->CheckMenuRadioItem(ID_RECENT1, ID_RECENT2, ID_RECENT2, MF_BYCOMMAND));
        EXPECT_TRUE(pRecent->GetMenuState(ID_RECENT2, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_FALSE(pRecent->GetMenuState(ID_RECENT1, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_EQ(static_cast<UINT>(MF_ENABLED), menu.EnableMenuItem(ID_SAVE, MF_BYCOMMAND | MF_GRAYED));
        EXPECT_TRUE(menu.GetMenuState(ID_SAVE, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_EQ(static_cast<UINT>(MF_GRAYED), menu.EnableMenuItem(ID_SAVE, MF_BYCOMMAND | MF_ENABLED));

        EXPECT_TRUE(menu.ModifyMenu(ID_EXIT, MF_BYCOMMAND | MF_STRING, ID_QUIT, L"&Quit"));
        EXPECT_EQ(ID_QUIT, menu.GetMenuItemID(4));
        EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, ID_NEW, L"&New"));
        EXPECT_EQ(6, menu.GetMenuItemCount());
        EXPECT_EQ(ID_NEW, menu.GetMenuItemID(0));
        EXPECT_TRUE(menu.SetDefaultItem(ID_OPEN));
        EXPECT_EQ(ID_OPEN, menu.GetDefaultItem(0));

        CBitmap mark;
        ASSERT_TRUE(mark.CreateBitmap(13, 13, 1, 1, nullptr));
        EXPECT_TRUE(menu.SetMenuItemBitmaps(ID_OPEN, MF_BYCOMMAND, &mark, &mark));
        EXPECT_TRUE(menu.AppendMenu(MF_STRING, 300, &mark));
        MENUITEMINFOW mii = {sizeof(mii)};
        mii.fMask = MIIM_BITMAP | MIIM_FTYPE;
        ASSERT_TRUE(menu.GetMenuItemInfo(300, &mii));
        EXPECT_EQ(static_cast<HBITMAP>(mark), mii.hbmpItem);
        menu.DeleteMenu(300, MF_BYCOMMAND);

        // RemoveMenu keeps a pop-up alive, DeleteMenu destroys it.
        HMENU hRecent = pRecent->GetSafeHmenu();
        EXPECT_TRUE(menu.RemoveMenu(4, MF_BYPOSITION));
        EXPECT_TRUE(::IsMenu(hRecent));
        menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hRecent), L"&Recent");
        EXPECT_TRUE(menu.DeleteMenu(menu.GetMenuItemCount() - 1, MF_BYPOSITION));
        EXPECT_FALSE(::IsMenu(hRecent));
        EXPECT_FALSE(menu.DeleteMenu(777, MF_BYCOMMAND));
        AfxDeleteTempMaps();

        CMenu again;
        EXPECT_FALSE(menu.CreatePopupMenu()); // already holds one
        EXPECT_TRUE(again.CreateMenu());
        EXPECT_TRUE(again.DestroyMenu());
        EXPECT_FALSE(again.DestroyMenu());
    }
    // The menu was destroyed with its wrapper.
    EXPECT_FALSE(::IsMenu(handle));

    CMenu keeper;
    ASSERT_TRUE(keeper.CreatePopupMenu());
    HMENU kept = keeper.Detach();
    {
        CMenu temporary;
        EXPECT_TRUE(temporary.Attach(kept));
        EXPECT_EQ(kept, temporary.Detach());
    }
    EXPECT_TRUE(::IsMenu(kept));
    CMenu* pTemp = CMenu::FromHandle(kept);
    ASSERT_NE(nullptr, pTemp);
    AfxDeleteTempMaps();
    EXPECT_TRUE(::IsMenu(kept)); // temporary wrappers never destroy their menu
    ::DestroyMenu(kept);
}

TEST(CMenuTest, LoadFromTemplateAndResourceModule)
{
    // A menu template in memory: header, then "One" (1) and the last item "Two" (2).
    std::vector<WORD> tmpl = {0, 0};
    auto item = [&](WORD option, WORD id, const wchar_t* text) {
        tmpl.push_back(option);
        tmpl.push_back(id);
        for (const wchar_t* p = text; *p; ++p)
            tmpl.push_back(*p);
        tmpl.push_back(0);
    };
    item(0, 1, L"One");
    item(MF_END, 2, L"Two");
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenuIndirect(tmpl.data()));
    EXPECT_EQ(2, bar.GetMenuItemCount());
    EXPECT_EQ(2u, bar.GetMenuItemID(1));
    EXPECT_FALSE(bar.LoadMenuIndirect(tmpl.data())); // already holds one

    // Menus come from the current resource module: the test program has none, the system
    // library has the window menu.
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(L"SYSMENU"));
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleW(L"user32.dll"));
    CMenu system;
    BOOL loaded = system.LoadMenu(L"SYSMENU");
    AfxSetResourceHandle(saved);
    ASSERT_TRUE(loaded);
    // By command, the search reaches into pop-ups too.
    EXPECT_NE(0xFFFFFFFFu, system.GetMenuState(SC_CLOSE, MF_BYCOMMAND));
    EXPECT_EQ(0xFFFFFFFFu, system.GetMenuState(ID_OPEN, MF_BYCOMMAND));
}

TEST_F(MenuTrackTest, ReturnCmdAnswersTheChosenItem)
{
    PostKey(VK_DOWN);
    PostKey(VK_DOWN);
    PostKey(VK_RETURN);
    BOOL chosen = menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, 120, 120, &owner);
    EXPECT_EQ(static_cast<BOOL>(ID_SAVE), chosen);
    testsupport::PumpMessages();
    // With TPM_RETURNCMD the owner hears nothing.
    EXPECT_TRUE(owner.commands.empty());

    // A mnemonic picks its item at once.
    owner.PostMessage(WM_CHAR, L'x', 1);
    EXPECT_EQ(static_cast<BOOL>(ID_EXIT), menu.TrackPopupMenu(TPM_RETURNCMD, 120, 120, &owner));
}

TEST_F(MenuTrackTest, DismissedMenuAnswersZero)
{
    PostKey(VK_ESCAPE);
    EXPECT_EQ(0, menu.TrackPopupMenu(TPM_RETURNCMD, 120, 120, &owner));
    owner.PostMessage(WM_CANCELMODE);
    EXPECT_EQ(0, menu.TrackPopupMenu(TPM_RETURNCMD, 120, 120, &owner));
    EXPECT_FALSE(CMenu().TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner));
}

TEST_F(MenuTrackTest, WithoutReturnCmdTheOwnerReceivesTheCommand)
{
    PostKey(VK_DOWN);
    PostKey(VK_RETURN);
    EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 120, 120, &owner));
    testsupport::PumpMessages();
    ASSERT_EQ(1u, owner.commands.size());
    EXPECT_EQ(ID_OPEN, owner.commands[0]);
}
