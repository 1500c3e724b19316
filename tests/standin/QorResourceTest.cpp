// QorResource.dll holds what the start-up, the main window and the sign-in panel load by
// number: templates, the status menu, strings, bitmaps and the program icon.
#include "framework/Platform.h"
#include "platform/QorResource/ResourceIds.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

class QorResource : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        module_ = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorResource.dll").c_str());
    }
    static void TearDownTestSuite()
    {
        if (module_)
            ::FreeLibrary(module_);
        module_ = nullptr;
    }
    static HMODULE module_;
};

HMODULE QorResource::module_ = nullptr;

TEST_F(QorResource, StringsOfTheStartUpAndSignInAreThere)
{
    ASSERT_NE(nullptr, module_);
    for (UINT id : {IDS_MSGBOX_CAPTION, IDS_LOGIN_BUTTON_TIP, IDS_PRODUCT_TITLE, IDS_PRODUCT_NAME, IDS_LOGIN_CAPTION,
                    IDS_ENTER_SERVER, IDS_ACCOUNT_SIGNED_IN, IDS_NET_SETTINGS, IDS_SWITCH_LOGIN_MODE,
                    IDS_SWITCH_LOGIN_MODE_TIP}) {
        wchar_t buf[256] = {};
        EXPECT_GT(::LoadStringW(module_, id, buf, 256), 0) << id;
    }
    wchar_t tip[256] = {};
    ::LoadStringW(module_, IDS_LOGIN_BUTTON_TIP, tip, 256);
    EXPECT_NE(nullptr, wcsstr(tip, L"%1"));
}

TEST_F(QorResource, BitmapsAndIconLoad)
{
    ASSERT_NE(nullptr, module_);
    for (UINT id : {IDB_HEAD_DEFAULT, IDB_MAIN_BK, IDB_ICON_PASSWORD, IDB_ICON_SERVER, IDB_ICON_USER}) {
        HBITMAP bmp = ::LoadBitmapW(module_, MAKEINTRESOURCEW(id));
        ASSERT_NE(nullptr, bmp) << id;
        BITMAP info = {};
        ::GetObjectW(bmp, sizeof(info), &info);
        EXPECT_GT(info.bmWidth, 0) << id;
        ::DeleteObject(bmp);
    }
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(::LoadImageW(module_, MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON, size, size, 0));
        EXPECT_NE(nullptr, icon) << size;
        if (icon)
            ::DestroyIcon(icon);
    }
}

// Every icon group of the module points at images of its own: two groups sharing an image id
// would show one program picture in place of another.
BOOL CALLBACK CollectGroupIcon(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    HRSRC res = ::FindResourceW(module, name, MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    const BYTE* data = res ? static_cast<const BYTE*>(::LockResource(::LoadResource(module, res))) : nullptr;
    const DWORD size = res ? ::SizeofResource(module, res) : 0;
    auto* ids = reinterpret_cast<std::vector<WORD>*>(param);
    if (!data || size < 6)
        return TRUE;
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    for (WORD i = 0; i < count && 6u + (i + 1u) * 14u <= size; ++i)
        ids->push_back(*reinterpret_cast<const WORD*>(data + 6 + i * 14 + 12));
    return TRUE;
}

TEST_F(QorResource, IconGroupsShareNoImages)
{
    ASSERT_NE(nullptr, module_);
    std::vector<WORD> ids;
    ::EnumResourceNamesW(module_, MAKEINTRESOURCEW(14), CollectGroupIcon, reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_GE(ids.size(), 8u); // the program icon and the attachment rows' icons, two sizes each
    std::vector<WORD> sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted.end(), std::adjacent_find(sorted.begin(), sorted.end()));
    for (WORD id : ids)
        EXPECT_NE(nullptr, ::FindResourceW(module_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3))) << id; // RT_ICON
}

// The tray's tooltip and the tips' first texts share one string block (ids 144 to 159): both
// must load, in the module's one language. The tray's status strip holds eight 16 x 16 images.
TEST_F(QorResource, TrayResourcesAndTipTextsShareTheModule)
{
    ASSERT_NE(nullptr, module_);
    wchar_t text[256] = {};
    ASSERT_GT(::LoadStringW(module_, IDS_TRAY_TIP, text, 256), 0);
    EXPECT_STREQ(L"%1", text);
    EXPECT_GT(::LoadStringW(module_, 148, text, 256), 0) << "the group tip's text";
    EXPECT_GT(::LoadStringW(module_, 150, text, 256), 0) << "the new-message count's text";

    HBITMAP strip = ::LoadBitmapW(module_, MAKEINTRESOURCEW(IDB_TRAY_STATUS));
    ASSERT_NE(nullptr, strip);
    BITMAP info = {};
    ::GetObjectW(strip, sizeof(info), &info);
    EXPECT_EQ(8 * 16, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);
    ::DeleteObject(strip);
}

TEST_F(QorResource, StatusMenuHoldsTheFiveStatusCommands)
{
    ASSERT_NE(nullptr, module_);
    HMENU menu = ::LoadMenuW(module_, MAKEINTRESOURCEW(IDR_MENU_LOGIN_STATUS));
    ASSERT_NE(nullptr, menu);
    HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, popup);
    const UINT ids[] = {ID_LOGIN_STATUS_ONLINE, ID_LOGIN_STATUS_AWAY, ID_LOGIN_STATUS_INVISIBLE, ID_LOGIN_STATUS_DND,
                        ID_LOGIN_STATUS_BUSY};
    ASSERT_EQ(5, ::GetMenuItemCount(popup));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ids[i], ::GetMenuItemID(popup, i));
    ::DestroyMenu(menu);
}

INT_PTR CALLBACK NoDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST_F(QorResource, SignInPanelTemplateHoldsEveryControlThePanelBinds)
{
    ASSERT_NE(nullptr, module_);
    HWND host = ::CreateDialogParamW(module_, MAKEINTRESOURCEW(IDD_MAIN_WINDOW), nullptr, NoDialogProc, 0);
    ASSERT_NE(nullptr, host);
    EXPECT_TRUE(::GetWindowLongW(host, GWL_STYLE) & WS_THICKFRAME);
    HWND panel = ::CreateDialogParamW(module_, MAKEINTRESOURCEW(IDD_LOGIN_DIALOG), host, NoDialogProc, 0);
    ASSERT_NE(nullptr, panel);
    EXPECT_TRUE(::GetWindowLongW(panel, GWL_STYLE) & WS_CHILD);
    struct {
        int id;
        const wchar_t* cls;
    } const controls[] = {
        {IDC_SERVER_COMBO, L"ComboBox"}, {IDC_USER_EDIT, L"Edit"},       {IDC_PASSWORD_EDIT, L"Edit"},
        {IDC_LOGIN_BUTTON, L"Button"},   {IDC_REMEMBER_ME, L"Button"},   {IDC_SAVE_PASSWORD, L"Button"},
        {IDC_AUTO_LOGIN, L"Button"},     {IDC_STATUS_BUTTON, L"Button"}, {IDC_NET_SETTINGS, L"Button"},
        {IDC_SWITCH_MODE, L"Button"},    {IDC_ERROR_TEXT, L"Static"},    {IDC_ERROR_MARK, L"Static"},
        {IDC_USER_CAPTION, L"Static"},   {IDC_PASSWORD_CAPTION, L"Static"}, {IDC_SERVER_CAPTION, L"Static"},
        {IDC_CHECK_CAPTION, L"Static"},  {IDC_LOGO_STRIP, L"Static"},    {IDC_HEAD_PIC, L"Static"},
    };
    for (const auto& c : controls) {
        HWND item = ::GetDlgItem(panel, c.id);
        ASSERT_NE(nullptr, item) << c.id;
        wchar_t cls[32] = {};
        ::GetClassNameW(item, cls, 32);
        EXPECT_EQ(0, lstrcmpiW(c.cls, cls)) << c.id << " " << cls;
    }
    EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(panel, IDC_PASSWORD_EDIT), GWL_STYLE) & ES_PASSWORD);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(panel, IDC_HEAD_PIC)));
    ::DestroyWindow(host);
}

} // namespace
