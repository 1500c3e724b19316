// The visual-style wrapper answers fixed defaults where UxTheme or a function is missing.
#include "controls/popup/CTkWinThemeApiTable.h"
#include "controls/popup/CTkWinThemeWrapper.h"
#include "TkThemeFakes.h"
#include <gtest/gtest.h>

TEST(TkWinThemeWrapper, WithoutTheLibraryEveryOperationAnswersItsDefault)
{
    CTkWinThemeApiTable table(L"NoSuchUxTheme.dll");
    ASSERT_EQ(nullptr, table.GetModule());
    CTkWinThemeWrapper theme(&table);

    WCHAR file[260] = L"x", color[260] = L"y";
    EXPECT_EQ(E_FAIL, theme.GetCurrentThemeName(file, 260, color, 260, nullptr, 0));
    theme.OpenThemeData(nullptr, L"TREEVIEW");
    EXPECT_FALSE(theme.IsThemeOpen());
    EXPECT_FALSE(theme.IsAppThemed());
    COLORREF clr = 0;
    EXPECT_EQ(E_FAIL, theme.GetThemeColor(0, 0, 3801, &clr));
    EXPECT_FALSE(theme.IsThemeActive());
    EXPECT_EQ(0, theme.GetThemeSysSize(0));
    EXPECT_EQ(0u, theme.GetThemeAppProperties());
    EXPECT_EQ(nullptr, theme.GetWindowTheme(nullptr));
    EXPECT_FALSE(theme.IsUsingVisualStyles());
}

TEST(TkWinThemeWrapper, IsAppThemedWithoutAHandleDoesNotAsk)
{
    themefakes::ThemeFakeScope fakes;
    CTkWinThemeWrapper theme;
    EXPECT_FALSE(theme.IsAppThemed());
    EXPECT_EQ(0, themefakes::S().appThemedCalls);

    theme.OpenThemeData(nullptr, L"TREEVIEW");
    ASSERT_TRUE(theme.IsThemeOpen());
    EXPECT_TRUE(theme.IsAppThemed());
    EXPECT_EQ(1, themefakes::S().appThemedCalls);
}

TEST(TkWinThemeWrapper, OpeningASecondClassClosesTheFirstHandle)
{
    themefakes::ThemeFakeScope fakes;
    {
        CTkWinThemeWrapper theme;
        theme.OpenThemeData(nullptr, L"TREEVIEW");
        const HTHEME first = theme.GetThemeHandle();
        theme.OpenThemeData(nullptr, L"BUTTON");
        EXPECT_EQ(1, themefakes::S().closeCount);
        EXPECT_EQ(first, themefakes::S().lastClosed);
        EXPECT_NE(first, theme.GetThemeHandle());
    }
    // The destructor closes the second one.
    EXPECT_EQ(2, themefakes::S().closeCount);
}

TEST(TkWinThemeWrapper, CloseForgetsTheHandleAndCallsOnlyWhenOneIsHeld)
{
    themefakes::ThemeFakeScope fakes;
    CTkWinThemeWrapper theme;
    theme.CloseThemeData();
    EXPECT_EQ(0, themefakes::S().closeCount);
    theme.OpenThemeData(nullptr, L"TREEVIEW");
    theme.CloseThemeData();
    EXPECT_FALSE(theme.IsThemeOpen());
    EXPECT_EQ(1, themefakes::S().closeCount);
}

TEST(TkWinThemeApiTable, ReadsTheCommonControlsVersionAndNamesEverySlot)
{
    CTkWinThemeApiTable& table = CTkWinThemeApiTable::Instance();
    EXPECT_GE(HIWORD(table.GetComCtlVersion()), 5);
    EXPECT_EQ(48, CTkWinThemeApiTable::kSlotCount);
    EXPECT_STREQ("OpenThemeData", CTkWinThemeApiTable::GetSlotName(CTkWinThemeApiTable::kSlotOpenThemeData));
    EXPECT_STREQ("SetWindowTheme", CTkWinThemeApiTable::GetSlotName(CTkWinThemeApiTable::kSlotCount - 1));
    EXPECT_EQ(nullptr, CTkWinThemeApiTable::GetSlotName(CTkWinThemeApiTable::kSlotCount));
}
