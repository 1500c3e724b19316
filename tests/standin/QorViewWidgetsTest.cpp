// The view library's dialog bases and the sign-in panel's widgets, driven as real windows:
// the main window template with CQorDlg and CxFrameHelper, the sign-in panel template with
// its controls subclassed by the widgets.
#include "framework/Platform.h"
#include "framework/CDialog.h"
#include "framework/CPaintDC.h"
#include "framework/ModuleState.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CACEdit.h"
#include "platform/QorView/CFlatComboBox.h"
#include "platform/QorView/CHeadPic.h"
#include "platform/QorView/CIconWnd.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CQorResizer.h"
#include "platform/QorView/CxCheckButton.h"
#include "platform/QorView/CxFrameHelper.h"
#include "platform/QorView/CxLabel.h"
#include "platform/QorView/CxStatusButton.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>

namespace {

// A main window as the program builds it: the dialog base plus the frame painter.
class TestMainWnd : public CQorDlg, public CxFrameHelper {
public:
    TestMainWnd() : CQorDlg(IDD_MAIN_WINDOW) {}
    BOOL OnInitDialog() override
    {
        CQorDlg::OnInitDialog();
        _Init(this);
        return TRUE;
    }
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        _PaintBk(&dc);
        ++paints;
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    int paints = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestMainWnd, CQorDlg)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

class TestPanel : public CDialog {
public:
    TestPanel() : CDialog(IDD_LOGIN_DIALOG) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        server.SubclassDlgItem(IDC_SERVER_COMBO, this);
        user.SubclassDlgItem(IDC_USER_EDIT, this);
        remember.SubclassDlgItem(IDC_REMEMBER_ME, this);
        status.SubclassDlgItem(IDC_STATUS_BUTTON, this);
        error.SubclassDlgItem(IDC_ERROR_TEXT, this);
        head.SubclassDlgItem(IDC_HEAD_PIC, this);
        return TRUE;
    }
    void OnOK() override {}
    void OnCancel() override {}
    CFlatComboBox server;
    CACEdit user;
    CxCheckButton remember;
    CxStatusButton status;
    CxLabel error;
    CHeadPic head;
};

class QorViewWidgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorResource.dll").c_str());
        ASSERT_NE(nullptr, module_);
        oldResource_ = AfxGetResourceHandle();
        AfxSetResourceHandle(module_);
        qorview_test::ClearCalls();
    }
    void TearDown() override
    {
        AfxSetResourceHandle(oldResource_);
        ::FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
    HINSTANCE oldResource_ = nullptr;
};

TEST_F(QorViewWidgets, MainWindowAppliesItsMinimumSizeAndPaintsItsFrame)
{
    TestMainWnd main;
    main.SetMinimumSize(280, 590);
    main.EnableMinimumSize(true);
    main.SetMaximumSize(420, 2000);
    ASSERT_TRUE(main.Create(IDD_MAIN_WINDOW, nullptr));
    main.SetRoundCorner(3, 3);
    main.ApplyMinimumSize();
    RECT rc;
    ::GetWindowRect(main.GetSafeHwnd(), &rc);
    EXPECT_GE(rc.right - rc.left, 280);
    EXPECT_GE(rc.bottom - rc.top, 590);

    MINMAXINFO mmi = {};
    ::SendMessageW(main.GetSafeHwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(280, mmi.ptMinTrackSize.x);
    EXPECT_NE(420, mmi.ptMaxTrackSize.x); // the maximum only once switched on
    main.EnableMaximumSize(true);
    ::SendMessageW(main.GetSafeHwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(420, mmi.ptMaxTrackSize.x);

    main.ShowWindow(SW_SHOW);
    ::UpdateWindow(main.GetSafeHwnd());
    testsupport::PumpMessages();
    EXPECT_GT(main.paints, 0);
    RECT client;
    main.GetClientRectEx(&client);
    EXPECT_GT(client.bottom, 0);
    EXPECT_EQ(1, qorview_test::CountCalls(L"CQorDlg::OnInitDialog"));
    main.DestroyWindow();
}

TEST_F(QorViewWidgets, SignInPanelWidgetsWorkOverTheTemplate)
{
    TestMainWnd main;
    ASSERT_TRUE(main.Create(IDD_MAIN_WINDOW, nullptr));
    TestPanel panel;
    ASSERT_TRUE(panel.Create(IDD_LOGIN_DIALOG, &main));

    // Check box: a click through the control toggles what IsChecked reports.
    EXPECT_FALSE(panel.remember.IsChecked());
    ::SendMessageW(panel.remember.GetSafeHwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(panel.remember.IsChecked());
    panel.remember.SetSkin(L"xCheckBox");
    panel.remember.SetTextColor(L"c.font.normal");
    EXPECT_EQ(CString(L"xCheckBox"), panel.remember.GetSkin());
    EXPECT_EQ(RGB(0x33, 0x33, 0x33), panel.remember.GetTextColor());

    // Status button: the menu and its item images are kept; the size follows the text.
    panel.status.SetButtonMenu(IDR_MENU_LOGIN_STATUS);
    panel.status.SetMenuItemImage(ID_LOGIN_STATUS_ONLINE, L"file='i.button.main.dlg.status.icons' source='0,0,11,11' align='2' ");
    panel.status.SetIconIndexByStatus(8);
    ::SetWindowTextW(panel.status.GetSafeHwnd(), L"A much longer status text");
    RECT before, after;
    ::GetWindowRect(panel.status.GetSafeHwnd(), &before);
    panel.status.SetSize();
    ::GetWindowRect(panel.status.GetSafeHwnd(), &after);
    EXPECT_GT(after.right - after.left, before.right - before.left);
    EXPECT_EQ(8, panel.status.GetIconStatus());
    EXPECT_NE(-1, panel.status.GetMenuItemImage(ID_LOGIN_STATUS_ONLINE).Find(L"0,0,11,11"));

    // Autocomplete list and the 18-character limit of the user box.
    panel.user.Init();
    panel.user.AddSearchString(L"alice");
    panel.user.AddSearchString(L"ALICE");
    panel.user.AddSearchString(L"albert");
    EXPECT_EQ(2, panel.user.GetSearchStrings().GetSize());
    EXPECT_EQ(CString(L"albert"), panel.user.FindCompletion(L"alb"));
    panel.user.SetLimitText(18);
    ::SetWindowTextW(panel.user.GetSafeHwnd(), L"");
    ::SendMessageW(panel.user.GetSafeHwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(18, ::GetWindowTextLengthW(panel.user.GetSafeHwnd()));

    panel.server.SetBorderColor(0xFFFFFF, 0xFFFFFF, 0xBE6E29);
    EXPECT_EQ(0xBE6E29u, panel.server.GetBorderColor(2));

    // The error label answers its parent's colour request with its own colour.
    panel.error.SetTextColor(RGB(0xFF, 0x25, 0x25));
    panel.error.SetTextAlign(1);
    HDC dc = ::GetDC(panel.GetSafeHwnd());
    ::SendMessageW(panel.GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(panel.error.GetSafeHwnd()));
    EXPECT_EQ(RGB(0xFF, 0x25, 0x25), ::GetTextColor(dc));
    ::ReleaseDC(panel.GetSafeHwnd(), dc);

    // Row icon and head picture from the resource module.
    CIconWnd icon;
    ASSERT_TRUE(icon.Create(RECT{0, 0, 24, 24}, &panel, IDC_ICON_SERVER, IDB_ICON_SERVER));
    EXPECT_NE(nullptr, icon.GetBitmap());
    EXPECT_TRUE(panel.head.LoadBitmap(IDB_HEAD_DEFAULT));
    CQorPicture none;
    EXPECT_FALSE(none.Load(L"C:\\no\\such\\file.bmp"));
    panel.head.LoadPic(&none);

    // The resizer keeps a bottom-right control at its distance from the corner.
    CQorResizer resizer;
    resizer.SetParent(panel.GetSafeHwnd());
    ASSERT_TRUE(resizer.AddControl(IDC_NET_SETTINGS, CQorResizer::AnchorRight | CQorResizer::AnchorBottom));
    RECT panelRc, btn1, btn2;
    ::GetClientRect(panel.GetSafeHwnd(), &panelRc);
    ::GetWindowRect(::GetDlgItem(panel.GetSafeHwnd(), IDC_NET_SETTINGS), &btn1);
    resizer.Resize(panelRc.right + 40, panelRc.bottom + 30);
    ::GetWindowRect(::GetDlgItem(panel.GetSafeHwnd(), IDC_NET_SETTINGS), &btn2);
    EXPECT_EQ(40, btn2.left - btn1.left);
    EXPECT_EQ(30, btn2.top - btn1.top);
    resizer.DeleteAll();
    EXPECT_EQ(0, resizer.GetCount());

    RECT mainClient;
    ::GetClientRect(main.GetSafeHwnd(), &mainClient);
    ::MoveWindow(panel.GetSafeHwnd(), 0, 0, mainClient.right, mainClient.bottom, TRUE);
    panel.ShowWindow(SW_SHOW);
    main.ShowWindow(SW_SHOW);
    testsupport::PumpMessages();
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\qorview_signin_panel.bmp", main.GetSafeHwnd());

    panel.DestroyWindow();
    main.DestroyWindow();
}

} // namespace
