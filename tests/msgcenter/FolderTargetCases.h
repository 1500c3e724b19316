#pragma once
// The target of an attachment that is a folder ("photos\"), as every pane that saves
// attachments chooses it: the folder the user picks, with a question only when a folder of the
// attachment's name is there already (the one that would be written into), and nothing without
// a pick. The question goes through the view library's message box, answered by the script.
#include "framework/CString.h"
#include "platform/QorView/QorViewTestHooks.h"
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace msgcenter_test {

// choose(folder, name) is the pane's choice of target; dir an existing folder to pick.
inline void CheckFolderTargetQuestion(const std::wstring& dir, const std::function<bool(CString&, CString&)>& choose)
{
    const std::wstring photos = dir + L"\\photos";
    struct Case { bool exists; int answer; bool chosen; } cases[] = {
        {false, IDCANCEL, true}, // nothing to write into: no question, so no "Cancel" either
        {true, IDOK, true},
        {true, IDCANCEL, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "folder there: " << c.exists << ", answer " << c.answer);
        if (c.exists)
            ::CreateDirectoryW(photos.c_str(), nullptr);
        else
            ::RemoveDirectoryW(photos.c_str());
        qorview_test::ClearCalls();
        qorview_test::SetSelectedFolder(dir);
        qorview_test::SetDefaultMessageBoxAnswer(c.answer);
        CString folder, name = L"photos\\";
        EXPECT_EQ(c.chosen, choose(folder, name));
        EXPECT_EQ(c.exists ? 1 : 0, qorview_test::CountCalls(L"QorMessageBox"));
        if (c.exists) {
            EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(photos))
                << "the question names the folder that would be written into";
        }
        if (c.chosen) {
            EXPECT_EQ(CString(dir.c_str()), folder);
        }
    }
    ::RemoveDirectoryW(photos.c_str());
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);

    qorview_test::ClearCalls();
    qorview_test::SetSelectedFolder(L"");
    CString folder, name = L"photos\\";
    EXPECT_FALSE(choose(folder, name)) << "no folder picked";
    EXPECT_EQ(0, qorview_test::CountCalls(L"QorMessageBox"));
}

} // namespace msgcenter_test
