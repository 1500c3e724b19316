// The message search and person search dialogs, run modally and answered by a script.
#include "msgcenter/manager/CMsgSearchDlg.h"
#include "msgcenter/manager/CUserSearchDlg.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include <gtest/gtest.h>

using namespace msgcenter_test;

namespace {

class SearchDialogsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_res.IsLoaded()); }
    testsupport::ResourceModuleScope m_res;
};

TEST_F(SearchDialogsTest, PresetPersonChoosesThisPerson)
{
    struct Case {
        const wchar_t* preset;
        bool thisPerson;
    } cases[] = {{L"alice", true}, {L"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        CMsgSearchDlg dlg;
        dlg.SetPerson(c.preset);
        bool checkedThis = !c.thisPerson, checkedAny = c.thisPerson, editOn = !c.thisPerson, dateAny = false;
        bool pickersOff = false;
        ModalScript script([&](HWND h) {
            checkedThis = IsChecked(h, IDC_SEARCH_THIS_PERSON);
            checkedAny = IsChecked(h, IDC_SEARCH_ANY_PERSON);
            editOn = IsEnabled(h, IDC_SEARCH_PERSON);
            dateAny = IsChecked(h, IDC_SEARCH_ANY_DATE) && !IsChecked(h, IDC_SEARCH_DATE_RANGE);
            auto pickers = DatePickers(h);
            pickersOff = pickers.size() == 2 && !::IsWindowEnabled(pickers[0]) && !::IsWindowEnabled(pickers[1]);
            ::SendMessageW(h, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(c.thisPerson, checkedThis);
        EXPECT_EQ(!c.thisPerson, checkedAny);
        EXPECT_EQ(c.thisPerson, editOn);
        EXPECT_TRUE(dateAny);
        EXPECT_TRUE(pickersOff);
        EXPECT_EQ(CString(c.preset), dlg.GetPerson());
        EXPECT_TRUE(dlg.GetDateFrom().IsEmpty());
        EXPECT_TRUE(dlg.GetDateTo().IsEmpty());
    }
}

TEST_F(SearchDialogsTest, AnyPersonEmptiesTheTypedNameAndARangeGivesBothDays)
{
    CMsgSearchDlg dlg;
    bool pickersOn = false;
    ModalScript script([&](HWND h) {
        Click(h, IDC_SEARCH_THIS_PERSON);
        SetItemText(h, IDC_SEARCH_PERSON, L"bob");
        SetItemText(h, IDC_SEARCH_TEXT, L"");
        Click(h, IDC_SEARCH_ANY_PERSON);
        Click(h, IDC_SEARCH_DATE_RANGE);
        auto pickers = DatePickers(h);
        if (pickers.size() == 2) {
            pickersOn = ::IsWindowEnabled(pickers[0]) && ::IsWindowEnabled(pickers[1]);
            // A reversed range passes through unchanged.
            SetPickerDate(pickers[0], 2026, 12, 31);
            SetPickerDate(pickers[1], 2025, 2, 3);
        }
        ::SendMessageW(h, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(pickersOn);
    EXPECT_EQ(CString(L""), dlg.GetPerson());
    EXPECT_EQ(CString(L""), dlg.GetText());
    EXPECT_EQ(CString(L"2026-12-31"), dlg.GetDateFrom());
    EXPECT_EQ(CString(L"2025-02-03"), dlg.GetDateTo());
}

TEST_F(SearchDialogsTest, CloseBoxCancelsAndKeepsTheCallersFields)
{
    CMsgSearchDlg dlg;
    dlg.SetPerson(L"carl");
    ModalScript script([](HWND h) {
        SetItemText(h, IDC_SEARCH_TEXT, L"typed");
        ::SendMessageW(h, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(CString(L"carl"), dlg.GetPerson());
    EXPECT_EQ(CString(L""), dlg.GetText());
}

TEST_F(SearchDialogsTest, PersonSearchReturnsTheTextAsTyped)
{
    for (const wchar_t* typed : {L"  Ann; bob ;", L""}) {
        SCOPED_TRACE(typed);
        CUserSearchDlg dlg;
        ModalScript script([&](HWND h) {
            SetItemText(h, IDC_SEARCH_PERSON, typed);
            ::SendMessageW(h, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(CString(typed), dlg.GetNamesText());
    }
}

} // namespace
