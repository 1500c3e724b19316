// The attachment list: rows and records added together, dropped files and folders with their
// icons, duplicates skipped whatever their case, and both emptied together.
#include "tests/controls/ControlsTestWindows.h"
#include "tests/support/TestSupport.h"
#include "controls/CAttachListCtrl.h"
#include "framework/ModuleState.h"
#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

// A drop handle for the paths, as the shell makes one.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t chars = 1;
    for (const std::wstring& p : paths)
        chars += p.size() + 1;
    HGLOBAL h = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    DROPFILES* df = static_cast<DROPFILES*>(::GlobalLock(h));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    wchar_t* out = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(df) + sizeof(DROPFILES));
    for (const std::wstring& p : paths) {
        wcscpy(out, p.c_str());
        out += p.size() + 1;
    }
    *out = 0;
    ::GlobalUnlock(h);
    return static_cast<HDROP>(h);
}

class AttachFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorResource.dll").c_str());
        previous = AfxGetResourceHandle();
        if (resources)
            AfxSetResourceHandle(resources);
        dir = testsupport::TempDir(L"attach");
        ASSERT_TRUE(parent.CreateTopLevel(40, 420, 300, 160, L"Korvel attachments"));
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_SMALLICON, CRect(5, 5, 295, 155), &parent, 1041));
        list.RegisterAttachStateIcons();
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        testsupport::PumpMessages();
        AfxSetResourceHandle(previous);
        testsupport::RemoveTree(dir);
    }
    int Image(int row)
    {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        list.GetItem(&item);
        return item.iImage;
    }

    HMODULE resources = nullptr;
    HINSTANCE previous = nullptr;
    std::wstring dir;
    CRecorderWnd parent;
    CAttachListCtrl list;
};

} // namespace

TEST(AttachPaths, TableOfPathFunctions)
{
    struct Case { const wchar_t* path; const wchar_t* name; const wchar_t* ext; const wchar_t* folder; } cases[] = {
        {L"c:\\a\\report.doc", L"report.doc", L".doc", L""},
        {L"c:\\a\\docs\\", L"", L"", L"docs\\"},
        {L"plain", L"plain", L"", L""},
        {L"", L"", L"", L""},
        {L"c:\\a.b\\noext", L"noext", L".b\\noext", L""},
        {L"d\\", L"", L"", L"d\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CString(c.name), CAttachListCtrl::GetFileNameFromPath(c.path)) << CStringA(c.path).GetString();
        EXPECT_EQ(CString(c.ext), CAttachListCtrl::GetFileExtension(c.path)) << CStringA(c.path).GetString();
        EXPECT_EQ(CString(c.folder), CAttachListCtrl::GetFolderNameFromPath(c.path)) << CStringA(c.path).GetString();
    }
}

TEST_F(AttachFixture, TheStateIconsComeFirstAndOverlaysAreSet)
{
    EXPECT_EQ(3, list.GetIconInfo().GetSmallImageList()->GetImageCount());
    EXPECT_EQ(3, list.GetIconInfo().GetNormalImageList()->GetImageCount());
    EXPECT_EQ(list.GetIconInfo().GetSmallImageList()->GetSafeHandle(),
              reinterpret_cast<HIMAGELIST>(list.SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL)));
    EXPECT_EQ(0, list.GetIconInfo().AddTypeIcon(L".Folder"));
    EXPECT_EQ(3, list.GetIconInfo().GetBaseIndex());
    ASSERT_NE(nullptr, resources) << "the icons come from QorResource.dll";
    for (UINT id : {11006u, 11008u, 11009u}) {
        HICON h = static_cast<HICON>(::LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
        EXPECT_NE(nullptr, h) << id;
        if (h)
            ::DestroyIcon(h);
    }
}

TEST_F(AttachFixture, AddAttachmentFillsRowAndRecord)
{
    EXPECT_EQ(0, list.AddAttachment(L"report.doc", L"c:\\dl\\report.doc", L"msg-1"));
    EXPECT_EQ(1, list.AddAttachment(L"pictures\\", L"", L"msg-1"));
    EXPECT_EQ(2, list.AddAttachment(L"README", L"", L"msg-2"));
    ASSERT_EQ(3, list.GetAttachments().GetSize());
    EXPECT_EQ(CString(L"report.doc"), list.GetAttachments()[0].strFileName);
    EXPECT_EQ(CString(L"c:\\dl\\report.doc"), list.GetAttachments()[0].strLocalPath);
    EXPECT_EQ(CString(L"msg-1"), list.GetAttachments()[0].strMsgID);
    EXPECT_EQ(CString(L"report.doc"), list.GetItemText(0, 0));
    EXPECT_GE(Image(0), CAttachListCtrl::kFirstTypeImage);
    EXPECT_EQ(CAttachListCtrl::kFolderImage, Image(1));
    EXPECT_GE(Image(2), CAttachListCtrl::kFirstTypeImage) << "a name without a dot takes the empty extension's icon";
    EXPECT_EQ(list.GetIconInfo().AddTypeIcon(L""), Image(2));
    const int other = list.AddAttachment(L"other.DOC", L"", L"");
    EXPECT_EQ(3, other);
    EXPECT_EQ(Image(0), Image(other)) << "one icon per type, whatever the case of the extension";

    list.MarkRecord(0);
    CString names;
    EXPECT_TRUE(list.GetUnmarkedNames(names));
    EXPECT_EQ(CString(L"pictures\\;README;other.DOC"), names);
    EXPECT_TRUE(list.SetRowOverlay(1, 2));
    EXPECT_EQ(static_cast<UINT>(INDEXTOOVERLAYMASK(2)), list.GetItemState(1, LVIS_OVERLAYMASK));
    EXPECT_FALSE(list.SetRowOverlay(1, 3));

    EXPECT_TRUE(list.RemoveAttachment(0));
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString(L"pictures\\"), list.GetAttachments()[0].strFileName);
    EXPECT_TRUE(list.RemoveAll());
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(0, list.GetAttachments().GetSize());
    EXPECT_EQ(-1, list.AddAttachmentEx(L"", L"x", L"", L"", L""));
}

TEST_F(AttachFixture, DroppedFilesAndFoldersBecomeRowsOnce)
{
    const std::wstring file = dir + L"\\Notes.txt";
    ASSERT_TRUE(WriteWholeFile(file, "notes", 5));
    const std::wstring folder = dir + L"\\Photos";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    CString upper(file.c_str());
    upper.MakeUpper();

    list.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({file, folder, upper.GetString()})));
    ASSERT_EQ(2, list.GetItemCount()) << "the same file in other letters is added once";
    EXPECT_EQ(CString(L"Notes.txt"), list.GetItemText(0, 0));
    EXPECT_GE(Image(0), CAttachListCtrl::kFirstTypeImage);
    EXPECT_EQ(CString(L"Photos\\"), list.GetItemText(1, 0));
    EXPECT_EQ(CAttachListCtrl::kFolderImage, Image(1));
    EXPECT_EQ(CString((folder + L"\\").c_str()), list.GetAttachments()[1].strLocalPath);
    EXPECT_EQ(1, parent.Count(WM_ATTACH_FILES_DROPPED));

    list.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({file})));
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_EQ(2, parent.Count(WM_ATTACH_FILES_DROPPED));
    EXPECT_EQ(-1, list.AddPath(L"", L""));

    list.AddAttachment(L"report.doc", L"", L"");
    list.SetRowOverlay(2, 1);
    parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testsupport::PumpMessages();
    EXPECT_TRUE(testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\screenshot-attach.bmp", parent.m_hWnd));
}
