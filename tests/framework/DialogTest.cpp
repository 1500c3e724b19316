// CDialog through real dialogs made from the templates of a separate resource module
// (test_framework_res.dll): modeless and modal creation, the modal loop, data exchange.
#include "framework/CDialog.h"
#include "framework/CDataExchange.h"
#include "framework/ModuleState.h"
#include "tests/framework/resources/TestFrameworkRes.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Makes the test resource module the framework's resource module for one test.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hRes = ::LoadLibraryW(L"test_framework_res.dll");
        ASSERT_NE(m_hRes, nullptr);
        m_hSaved = AfxGetResourceHandle();
        AfxSetResourceHandle(m_hRes);
    }
    void TearDown() override
    {
        testsupport::PumpMessages();
        AfxSetResourceHandle(m_hSaved);
        if (m_hRes)
            ::FreeLibrary(m_hRes);
    }
    HMODULE m_hRes = nullptr;
    HINSTANCE m_hSaved = nullptr;
};

// The form dialog with one field of every kind of data exchange.
class CFormDlg : public CDialog {
public:
    CFormDlg() : CDialog(IDD_TEST_FORM) {}

    bool initDialogRan = false;
    bool byText = false; // combo and list exchanged by text instead of by index
    CString m_name = L"Ann";
    int m_check = 1;
    int m_radio = 2;
    int m_comboIndex = 1;
    CString m_comboText;
    int m_listIndex = 0;
    CString m_listText;
    int m_count = 12;
    UINT m_size = 4000000000u;
    CString m_after = L"after";
    CWnd m_nameCtrl;

    BOOL OnInitDialog() override
    {
        initDialogRan = true;
        for (const wchar_t* s : {L"Red", L"Green", L"Blue"}) {
            SendDlgItemMessage(IDC_TEST_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
            SendDlgItemMessage(IDC_TEST_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        }
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_TEST_NAME, m_nameCtrl);
        DDX_Text(pDX, IDC_TEST_NAME, m_name);
        DDX_Check(pDX, IDC_TEST_CHECK, m_check);
        DDX_Radio(pDX, IDC_TEST_RADIO1, m_radio);
        if (byText) {
            DDX_CBString(pDX, IDC_TEST_COMBO, m_comboText);
            DDX_LBString(pDX, IDC_TEST_LIST, m_listText);
        } else {
            DDX_CBIndex(pDX, IDC_TEST_COMBO, m_comboIndex);
            DDX_LBIndex(pDX, IDC_TEST_LIST, m_listIndex);
        }
        DDX_Text(pDX, IDC_TEST_COUNT, m_count);
        DDX_Text(pDX, IDC_TEST_SIZE, m_size);
        DDX_Text(pDX, IDC_TEST_AFTER, m_after);
    }
};

CString ItemText(CWnd& dlg, int id)
{
    CString s;
    dlg.GetDlgItemText(id, s);
    return s;
}

TEST_F(DialogTest, ModelessDialogComesFromTheCurrentResourceModule)
{
    // The test program itself has no such template.
    AfxSetResourceHandle(AfxGetInstanceHandle());
    {
        CFormDlg dlg;
        EXPECT_FALSE(dlg.Create(IDD_TEST_FORM));
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
    AfxSetResourceHandle(m_hRes);

    CFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    EXPECT_TRUE(dlg.initDialogRan);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    EXPECT_NE(dlg.GetDlgItem(IDC_TEST_COMBO), nullptr);
    EXPECT_EQ(ItemText(dlg, IDC_TEST_NAME), L"Ann") << "OnInitDialog filled the controls";
    // DDX_Control tied the member to its control.
    EXPECT_EQ(dlg.m_nameCtrl.m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_TEST_NAME));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_nameCtrl.m_hWnd), &dlg.m_nameCtrl);

    dlg.SetDefID(IDCANCEL);
    EXPECT_EQ(LOWORD(dlg.GetDefID()), IDCANCEL);
    EXPECT_EQ(HIWORD(dlg.GetDefID()), DC_HASDEFID);

    // OK on a modeless dialog ends it the system's way: hidden, still alive.
    dlg.ShowWindow(SW_SHOWNA);
    ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_nameCtrl.m_hWnd, nullptr) << "the child control's object let go with its window";
}

TEST_F(DialogTest, DataExchangeFillsTheControlsAndReadsThemBack)
{
    CFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));

    // Filled from the members.
    EXPECT_EQ(ItemText(dlg, IDC_TEST_NAME), L"Ann");
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_TEST_CHECK), BST_CHECKED);
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_TEST_RADIO1, IDC_TEST_RADIO3), IDC_TEST_RADIO3);
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_TEST_COMBO, CB_GETCURSEL), 1);
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_TEST_LIST, LB_GETCURSEL), 0);
    EXPECT_EQ(ItemText(dlg, IDC_TEST_COUNT), L"12");
    EXPECT_EQ(ItemText(dlg, IDC_TEST_SIZE), L"4000000000");

    // Changed in the controls, read back into the members.
    dlg.SetDlgItemText(IDC_TEST_NAME, L"Bob");
    dlg.CheckDlgButton(IDC_TEST_CHECK, BST_INDETERMINATE);
    dlg.CheckRadioButton(IDC_TEST_RADIO1, IDC_TEST_RADIO3, IDC_TEST_RADIO1);
    dlg.SendDlgItemMessage(IDC_TEST_COMBO, CB_SETCURSEL, 2);
    dlg.SendDlgItemMessage(IDC_TEST_LIST, LB_SETCURSEL, 1);
    dlg.SetDlgItemText(IDC_TEST_COUNT, L" -35 ");
    dlg.SetDlgItemText(IDC_TEST_SIZE, L"7");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_name, L"Bob");
    EXPECT_EQ(dlg.m_check, 2);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.m_comboIndex, 2);
    EXPECT_EQ(dlg.m_listIndex, 1);
    EXPECT_EQ(dlg.m_count, -35);
    EXPECT_EQ(dlg.m_size, 7u);

    // No radio button checked reads as -1.
    for (int id : {IDC_TEST_RADIO1, IDC_TEST_RADIO2, IDC_TEST_RADIO3})
        dlg.CheckDlgButton(id, BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_radio, -1);

    // By text: the selection follows the text, and the selected text comes back.
    dlg.byText = true;
    dlg.m_comboText = L"Blue";
    dlg.m_listText = L"Green";
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_TEST_COMBO, CB_GETCURSEL), 2);
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_TEST_LIST, LB_GETCURSEL), 1);
    dlg.SendDlgItemMessage(IDC_TEST_COMBO, CB_SETCURSEL, 0);
    dlg.SendDlgItemMessage(IDC_TEST_LIST, LB_SETCURSEL, 2);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_comboText, L"Red");
    EXPECT_EQ(dlg.m_listText, L"Blue");
    dlg.DestroyWindow();
}

TEST_F(DialogTest, NumbersThatDoNotValidateFailTheExchangeAndLeaveLaterFieldsAlone)
{
    CFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    struct Case {
        const wchar_t* count;
        const wchar_t* size;
        bool ok;
        int expectedCount;
        UINT expectedSize;
    } cases[] = {
        {L"42", L"0", true, 42, 0},
        {L"  -2147483648 ", L"4294967295", true, INT_MIN, 4294967295u},
        {L"", L"1", false, 0, 0},
        {L"12x", L"1", false, 0, 0},
        {L"2147483648", L"1", false, 0, 0},
        {L"5", L"-1", false, 5, 0},
        {L"5", L"4294967296", false, 5, 0},
        {L"5", L"1.5", false, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << CStringA(c.count).GetString() << " / " << CStringA(c.size).GetString());
        dlg.m_count = 0;
        dlg.m_size = 0;
        dlg.m_after = L"unchanged";
        dlg.SetDlgItemText(IDC_TEST_COUNT, c.count);
        dlg.SetDlgItemText(IDC_TEST_SIZE, c.size);
        dlg.SetDlgItemText(IDC_TEST_AFTER, L"typed");
        EXPECT_EQ(dlg.UpdateData(TRUE) != FALSE, c.ok);
        EXPECT_EQ(dlg.m_count, c.expectedCount);
        EXPECT_EQ(dlg.m_size, c.expectedSize);
        EXPECT_EQ(dlg.m_after, c.ok ? L"typed" : L"unchanged");
    }
    dlg.DestroyWindow();
}

// A modal dialog driven by messages it posts to itself.
class CModalDlg : public CDialog {
public:
    enum Plan { EndFromPostedMessage, PressOk, PressOkThenEnd, PressEscape, EndInInit };
    CModalDlg(Plan plan, CWnd* pParent) : CDialog(IDD_TEST_MODAL, pParent), m_plan(plan) {}

    Plan m_plan;
    CString m_name = L"start";
    int m_count = 1;
    CString m_typedCount = L"9";
    bool parentWasDisabled = false;
    std::vector<std::string> log;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        log.push_back("OnInitDialog");
        if (m_pParentWnd)
            parentWasDisabled = !m_pParentWnd->IsWindowEnabled();
        SetDlgItemText(IDC_TEST_NAME, L"typed name");
        SetDlgItemText(IDC_TEST_COUNT, m_typedCount);
        switch (m_plan) {
        case EndFromPostedMessage:
            PostMessage(WM_APP + 10, 42);
            break;
        case PressOk:
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
            break;
        case PressOkThenEnd:
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
            PostMessage(WM_APP + 10, 7);
            break;
        case PressEscape:
            // A key typed into the edit: only IsDialogMessage turns it into Cancel.
            ::PostMessageW(::GetDlgItem(m_hWnd, IDC_TEST_NAME), WM_KEYDOWN, VK_ESCAPE, 1);
            break;
        case EndInInit:
            EndDialog(5);
            break;
        }
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEST_NAME, m_name);
        DDX_Text(pDX, IDC_TEST_COUNT, m_count);
    }
    void OnOK() override
    {
        log.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        log.push_back("OnCancel");
        CDialog::OnCancel();
    }
    afx_msg LRESULT OnEndRequest(WPARAM wParam, LPARAM)
    {
        log.push_back("OnEndRequest");
        EndDialog(static_cast<int>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CModalDlg, CDialog)
    ON_MESSAGE(WM_APP + 10, &CModalDlg::OnEndRequest)
END_MESSAGE_MAP()

class ModalDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, L"owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        DialogTest::TearDown();
    }
    CWnd m_owner;
};

TEST_F(ModalDialogTest, DoModalRunsUntilAPostedMessageEndsIt)
{
    CModalDlg dlg(CModalDlg::EndFromPostedMessage, &m_owner);
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"OnInitDialog", "OnEndRequest"}));
    EXPECT_TRUE(dlg.parentWasDisabled) << "the owner is disabled while the dialog runs";
    EXPECT_TRUE(m_owner.IsWindowEnabled()) << "and enabled again afterwards";
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window is destroyed when DoModal returns";
    EXPECT_EQ(dlg.m_name, L"start") << "EndDialog alone exchanges no data";
}

TEST_F(ModalDialogTest, OkReadsTheControlsAndEndsWithIdOk)
{
    CModalDlg dlg(CModalDlg::PressOk, &m_owner);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_name, L"typed name");
    EXPECT_EQ(dlg.m_count, 9);
}

TEST_F(ModalDialogTest, OkWithAFieldThatDoesNotValidateKeepsTheDialogOpen)
{
    CModalDlg dlg(CModalDlg::PressOkThenEnd, &m_owner);
    dlg.m_typedCount = L"nine";
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"OnInitDialog", "OnOK", "OnEndRequest"}));
    EXPECT_EQ(dlg.m_count, 1);
}

TEST_F(ModalDialogTest, EscapeTypedIntoAControlCancelsThroughTheDialogManager)
{
    CModalDlg dlg(CModalDlg::PressEscape, &m_owner);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"OnInitDialog", "OnCancel"}));
}

TEST_F(ModalDialogTest, EndDialogDuringInitialisationEndsBeforeTheLoop)
{
    CModalDlg dlg(CModalDlg::EndInInit, &m_owner);
    EXPECT_EQ(dlg.DoModal(), 5);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

TEST_F(ModalDialogTest, AMissingTemplateFailsWithoutTouchingTheOwner)
{
    CDialog dlg(4711, &m_owner);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

} // namespace
