// CFileDialog: the filter and default-extension set-up, the parts of the chosen path, and the
// real system dialog answered by a hook (as a user would type a name and press Save or Cancel).
#include "framework/CFileDialog.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <dlgs.h>

namespace {

// What the "user" does once the system dialog is up: type a name and press Save, or Cancel.
const wchar_t* g_typedName = nullptr;
bool g_answered = false;

BOOL CALLBACK AnswerFileDialog(HWND hWnd, LPARAM)
{
    wchar_t cls[32] = {};
    ::GetClassNameW(hWnd, cls, 32);
    if (lstrcmpW(cls, L"#32770") != 0 || !::IsWindowVisible(hWnd))
        return TRUE;
    if (g_typedName) {
        ::SendMessageW(hWnd, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(g_typedName));
        ::SendMessageW(hWnd, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(g_typedName));
        ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else {
        ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    g_answered = true;
    return FALSE;
}

// A thread timer: it fires inside the system dialog's own message loop.
void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    if (!g_answered)
        ::EnumThreadWindows(::GetCurrentThreadId(), AnswerFileDialog, 0);
    if (g_answered)
        ::KillTimer(nullptr, idEvent);
}

INT_PTR RunAnswered(CFileDialog& dlg, const wchar_t* typedName)
{
    g_typedName = typedName;
    g_answered = false;
    ::SetTimer(nullptr, 0, 50, AnswerTimer);
    return dlg.DoModal();
}

TEST(FileDialogTest, FilterAndDefaultExtensionAreGivenInTheSystemsForm)
{
    CFileDialog dlg(FALSE, L".rtf", L"C:\\export\\history.rtf", OFN_OVERWRITEPROMPT,
                    L"Rich text (*.rtf)|*.rtf|All files (*.*)|*.*||");
    EXPECT_FALSE(dlg.m_bOpenFileDialog);
    EXPECT_STREQ(dlg.m_ofn.lpstrDefExt, L"rtf");
    const wchar_t expected[] = L"Rich text (*.rtf)\0*.rtf\0All files (*.*)\0*.*\0";
    EXPECT_EQ(std::wstring(dlg.m_ofn.lpstrFilter, sizeof(expected) / sizeof(wchar_t)),
              std::wstring(expected, sizeof(expected) / sizeof(wchar_t)));
    EXPECT_NE(dlg.m_ofn.Flags & OFN_EXPLORER, 0u);

    EXPECT_EQ(dlg.GetPathName(), L"C:\\export\\history.rtf");
    EXPECT_EQ(dlg.GetFileName(), L"history.rtf");
    EXPECT_EQ(dlg.GetFileExt(), L"rtf");
    EXPECT_EQ(dlg.GetFileTitle(), L"history");

    CFileDialog bare(TRUE);
    EXPECT_EQ(bare.m_ofn.lpstrFilter, nullptr);
    EXPECT_EQ(bare.m_ofn.lpstrDefExt, nullptr);
    EXPECT_TRUE(bare.GetPathName().IsEmpty());
    EXPECT_TRUE(bare.GetFileExt().IsEmpty());
}

TEST(FileDialogTest, DoModalAnswersWhatTheUserChose)
{
    std::wstring dir = testsupport::TempDir(L"filedialog");
    std::wstring typed = dir + L"\\chosen.rtf";

    CFileDialog cancelled(FALSE, L"rtf", nullptr, OFN_PATHMUSTEXIST, L"Rich text|*.rtf||");
    EXPECT_EQ(RunAnswered(cancelled, nullptr), IDCANCEL);
    EXPECT_TRUE(g_answered);

    CFileDialog saved(FALSE, L"rtf", nullptr, OFN_PATHMUSTEXIST, L"Rich text|*.rtf||");
    EXPECT_EQ(RunAnswered(saved, typed.c_str()), IDOK);
    EXPECT_EQ(saved.GetPathName().CompareNoCase(typed.c_str()), 0) << CStringA(saved.GetPathName()).GetString();
    EXPECT_EQ(saved.GetFileName(), L"chosen.rtf");
    testsupport::RemoveTree(dir);
}

} // namespace
