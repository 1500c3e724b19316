// The owner-drawn list through real list views: column clicks sort in place or ask the parent,
// the item-data texts travel with their rows, widths are saved as a "%d," list, and the flat
// header draws its separators where reordered columns really end.
#include "tests/controls/ControlsTestWindows.h"
#include "tests/support/TestSupport.h"
#include "controls/CWqListCtrl.h"
#include "controls/CWqMsgListCtrl.h"
#include "framework/CDC.h"
#include "framework/ModuleState.h"
#include <gtest/gtest.h>
#include <atomic>
#include <fstream>
#include <new>

// Array deletions of one watched block are counted, so that a test sees whether the list freed
// a text it no longer holds (the list and this program share one operator delete[]).
namespace {
std::atomic<void*> g_watchedBlock{nullptr};
std::atomic<int> g_watchedFrees{0};
} // namespace

void operator delete[](void* p) noexcept
{
    if (p && p == g_watchedBlock.load())
        ++g_watchedFrees;
    ::operator delete(p);
}

void operator delete[](void* p, std::size_t) noexcept
{
    operator delete[](p);
}

namespace {

class WqListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = testsupport::TempDir(L"wqlist");
        CWqListCtrl::SetProfilePath((dir + L"\\profile.ini").c_str());
        ASSERT_TRUE(parent.CreateTopLevel(40, 40, 520, 260, L"Korvel list"));
    }
    void TearDown() override
    {
        if (parent.m_hWnd)
            parent.DestroyWindow();
        testsupport::PumpMessages();
        CWqListCtrl::SetProfilePath(nullptr);
        testsupport::RemoveTree(dir);
    }

    void CreateList(CWqListCtrl& list, UINT id = 100)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                                CRect(10, 10, 510, 250), &parent, id));
        ASSERT_NE(nullptr, list.GetHeader().m_hWnd) << "the header is subclassed at creation";
    }

    void AddColumns(CWqListCtrl& list, std::initializer_list<const wchar_t*> titles,
                    std::initializer_list<UINT> widths, BOOL restore = FALSE)
    {
        CStringArray t;
        CUIntArray w, b;
        for (const wchar_t* title : titles)
            t.Add(title);
        for (UINT width : widths)
            w.Add(width);
        ASSERT_TRUE(list.InsertColumns(w, t, b, restore));
    }

    // A left click on a column of the header, as the user gives it.
    void ClickColumn(CWqListCtrl& list, int column)
    {
        CRect rc;
        list.GetHeader().GetItemRect(column, &rc);
        const LPARAM pt = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
        list.GetHeader().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, pt);
        list.GetHeader().SendMessage(WM_LBUTTONUP, 0, pt);
        testsupport::PumpMessages();
    }

    CString Column(CWqListCtrl& list, int column)
    {
        CString s;
        for (int row = 0; row < list.GetItemCount(); ++row)
            s += list.GetItemText(row, column);
        return s;
    }

    CString ReadProfile(LPCWSTR section, LPCWSTR key)
    {
        wchar_t buffer[256] = {};
        ::GetPrivateProfileStringW(section, key, L"", buffer, 256, (dir + L"\\profile.ini").c_str());
        return buffer;
    }

    std::wstring dir;
    CRecorderWnd parent;
};

} // namespace

TEST_F(WqListFixture, ColumnClicksSortTextsWithTheirDataAndKeepTheSelectionInPlace)
{
    CWqListCtrl list;
    list.SetSortingEnabled(TRUE);
    CreateList(list);
    AddColumns(list, {L"Name", L"Tag"}, {150, 150});
    const wchar_t* names[] = {L"b", L"a", L"b", L"c"};
    const wchar_t* tags[] = {L"1", L"2", L"3", L"4"};
    for (int i = 0; i < 4; ++i) {
        list.InsertItem(i, names[i]);
        list.SetItemText(i, 1, tags[i]);
        ASSERT_TRUE(list.SetItemDataString(i, CString(L"data") + tags[i]));
    }
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);

    ClickColumn(list, 0);
    EXPECT_EQ(CString(L"abbc"), Column(list, 0));
    EXPECT_EQ(0, list.GetSortColumn());
    EXPECT_TRUE(list.IsSortAscending());
    EXPECT_EQ(0, list.GetHeader().GetSortColumn());
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(CString(L"data") + list.GetItemText(row, 1), list.GetItemDataText(row)) << row;
    EXPECT_EQ(2, list.GetSelectedItem()) << "row states stay where they are";

    ClickColumn(list, 0);
    EXPECT_EQ(CString(L"cbba"), Column(list, 0));
    EXPECT_FALSE(list.IsSortAscending());

    ClickColumn(list, 1);
    EXPECT_EQ(CString(L"1234"), Column(list, 1));
    EXPECT_TRUE(list.IsSortAscending());
    EXPECT_EQ(1, list.GetHeader().GetSortColumn());
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(CString(L"data") + list.GetItemText(row, 1), list.GetItemDataText(row)) << row;
    EXPECT_EQ(0, parent.Count(WM_LIST_SORT_COLUMN)) << "a list sorted in place asks nobody";
}

TEST_F(WqListFixture, AColumnWithoutTitleSortsByImage)
{
    CWqListCtrl list;
    list.SetSortingEnabled(TRUE);
    CreateList(list);
    AddColumns(list, {L"", L"Name"}, {40, 200});
    const int images[] = {3, 1, 2, 0, 1};
    for (int i = 0; i < 5; ++i) {
        list.InsertItem(i, L"", images[i]);
        CString name;
        name.Format(L"row%d", images[i]);
        list.SetItemText(i, 1, name);
    }
    ClickColumn(list, 0);
    CString order;
    for (int row = 0; row < 5; ++row) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        list.GetItem(&item);
        order.AppendFormat(L"%d", item.iImage);
        CString name;
        name.Format(L"row%d", item.iImage);
        EXPECT_EQ(name, list.GetItemText(row, 1)) << "the row's other cells move with it";
    }
    EXPECT_EQ(CString(L"01123"), order);
}

TEST_F(WqListFixture, OwnerSortedListPostsTheColumnAndDirectionToItsParent)
{
    CWqMsgListCtrl list;
    CreateList(list);
    AddColumns(list, {L"Subject", L"Date"}, {200, 150});
    list.InsertItem(0, L"z");
    list.InsertItem(1, L"a");

    ClickColumn(list, 1);
    ClickColumn(list, 1);
    ClickColumn(list, 0);
    std::vector<std::pair<WPARAM, LPARAM>> posted;
    for (const RecordedMessage& m : parent.received)
        if (m.message == WM_LIST_SORT_COLUMN)
            posted.push_back({m.wParam, m.lParam});
    // Ascending is 0 and descending 1, the way the panes read the flag.
    std::vector<std::pair<WPARAM, LPARAM>> expected = {{1, 0}, {1, 1}, {0, 0}};
    EXPECT_EQ(expected, posted);
    EXPECT_EQ(CString(L"za"), Column(list, 0)) << "the parent re-queries; the list itself stays";
    EXPECT_EQ(0, list.GetHeader().GetSortColumn());
}

TEST_F(WqListFixture, ColumnWidthsAreRestoredFromAndSavedAsACommaList)
{
    ::WritePrivateProfileStringW(L"LCSeeting", L"NorWidth", L"120,80,", (dir + L"\\profile.ini").c_str());
    {
        CWqListCtrl list;
        CreateList(list);
        list.SetColumnSettingKey(L"LCSeeting", L"NorWidth");
        AddColumns(list, {L"One", L"Two", L"Three"}, {50, 50, 200}, TRUE);
        EXPECT_EQ(120, list.GetColumnWidth(0));
        EXPECT_EQ(80, list.GetColumnWidth(1));
        EXPECT_EQ(200, list.GetColumnWidth(2)) << "no saved field leaves the column alone";
        list.SetColumnWidth(2, 222);
        list.DestroyWindow();
    }
    EXPECT_EQ(CString(L"120,80,222,"), ReadProfile(L"LCSeeting", L"NorWidth"));

    // Without a key of its own the list keeps its widths under "Settings" "Control".
    {
        CWqListCtrl list;
        CreateList(list);
        AddColumns(list, {L"A"}, {90});
        list.DestroyWindow();
    }
    EXPECT_EQ(CString(L"90,"), ReadProfile(L"Settings", L"Control"));
}

TEST_F(WqListFixture, ASavedWidthBelowSevenAutoSizesWithinSevenToSevenHundred)
{
    ::WritePrivateProfileStringW(L"S", L"W", L"3,3,", (dir + L"\\profile.ini").c_str());
    CWqListCtrl list;
    CreateList(list);
    list.SetColumnSettingKey(L"S", L"W");
    AddColumns(list, {L"Long", L"X"}, {50, 50});
    list.InsertItem(0, CString(L'W', 400));
    list.SetItemText(0, 1, L"i");
    list.RestoreColumnWidths();
    EXPECT_EQ(700, list.GetColumnWidth(0)) << "a very long text is capped";
    EXPECT_GE(list.GetColumnWidth(1), 7);
    EXPECT_LT(list.GetColumnWidth(1), 100);
}

TEST_F(WqListFixture, ItemDataTextsAreReplacedAndDeletedWithTheirRows)
{
    CWqListCtrl list;
    CreateList(list);
    AddColumns(list, {L"A"}, {100});
    list.InsertItem(0, L"r0");
    list.InsertItem(1, L"r1");
    list.InsertItem(2, L"r2");
    EXPECT_EQ(CString(), list.GetItemDataText(0));
    EXPECT_TRUE(list.SetItemDataString(0, L"first"));
    // The replaced text is freed once (its block is watched while it is replaced).
    g_watchedFrees = 0;
    g_watchedBlock = reinterpret_cast<void*>(list.GetItemData(0));
    ASSERT_NE(nullptr, g_watchedBlock.load());
    EXPECT_TRUE(list.SetItemDataString(0, L"second"));
    g_watchedBlock = nullptr;
    EXPECT_EQ(1, g_watchedFrees.load());
    EXPECT_EQ(CString(L"second"), list.GetItemDataText(0));
    EXPECT_FALSE(list.SetItemDataString(7, L"none"));
    EXPECT_EQ(CString(), list.GetItemDataText(7));
    list.SetItemDataString(1, L"one");
    list.SetItemDataString(2, L"two");

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(CString(L"one"), list.GetItemDataText(0));
    // A row deleted behind the wrapper's back gives its text back through the notification.
    EXPECT_TRUE(::SendMessageW(list.m_hWnd, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ(CString(L"two"), list.GetItemDataText(0));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

namespace {

// The header's painting steps, opened up so that they can draw into a bitmap.
class OpenHeader : public CWqListHeaderCtrl {
public:
    using CWqListHeaderCtrl::DrawFlatBorder;
    using CWqListHeaderCtrl::PaintItems;
};

} // namespace

TEST_F(WqListFixture, FlatSeparatorsSitWhereReorderedColumnsEnd)
{
    OpenHeader header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_DRAGDROP, CRect(10, 10, 510, 34), &parent, 7));
    const wchar_t* titles[] = {L"Wide", L"Narrow", L"Middle"};
    const int widths[] = {200, 60, 120};
    for (int i = 0; i < 3; ++i) {
        HDITEMW item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<LPWSTR>(titles[i]);
        item.cxy = widths[i];
        item.fmt = HDF_LEFT | HDF_STRING;
        header.InsertItem(i, &item);
    }
    int order[] = {2, 0, 1};
    ASSERT_TRUE(header.SetOrderArray(3, order));
    const COLORREF bk = 0xF7F7F4;
    header.SetBkColor(bk);

    CRect client;
    header.GetClientRect(&client);
    HDC screen = ::GetDC(nullptr);
    CDC mem;
    mem.Attach(::CreateCompatibleDC(screen));
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    header.PaintItems(&mem);
    header.DrawFlatBorder(&mem);

    const int y = client.Height() / 2;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
    // Display order 2, 0, 1: the columns end at 120, 320 and 380.
    for (int index = 0; index < 3; ++index) {
        CRect rc;
        header.GetItemRect(index, &rc);
        EXPECT_EQ(shadow, mem.GetPixel(rc.right, y) & 0xFFFFFF) << "separator of item " << index;
    }
    CRect rc0;
    header.GetItemRect(0, &rc0);
    EXPECT_EQ(120, rc0.left);
    EXPECT_EQ(320, rc0.right);
    // Where the index order would have put the first separator (x = 200) there is none.
    EXPECT_EQ(bk, mem.GetPixel(200, y) & 0xFFFFFF);
    // The area right of the last column is filled with the background too.
    EXPECT_EQ(bk, mem.GetPixel(450, y) & 0xFFFFFF);
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
}

TEST_F(WqListFixture, SortArrowsAndTitleClipping)
{
    OpenHeader header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_HORZ, CRect(10, 10, 510, 34), &parent, 7));
    HDITEMW item = {};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<LPWSTR>(L"Sorted");
    item.cxy = 150;
    item.fmt = HDF_LEFT | HDF_STRING;
    header.InsertItem(0, &item);
    header.SetBkColor(0xFFFFFF);
    EXPECT_EQ(-1, header.SetSortArrow(0, TRUE));
    EXPECT_EQ(0, header.SetSortArrow(0, FALSE));

    HDC screen = ::GetDC(nullptr);
    CDC mem;
    mem.Attach(::CreateCompatibleDC(screen));
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 500, 24);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    header.PaintItems(&mem);
    // The descending arrow's highlight line runs from (R - 9, 5) down to (R - 13, B - 5).
    CRect rc;
    header.GetItemRect(0, &rc);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF;
    int marks = 0;
    for (int x = rc.right - 18; x < rc.right - 6; ++x)
        for (int yy = 4; yy < rc.bottom - 4; ++yy) {
            const COLORREF c = mem.GetPixel(x, yy) & 0xFFFFFF;
            marks += c == shadow || (highlight != 0xFFFFFF && c == highlight);
        }
    EXPECT_GT(marks, 4) << "an arrow is drawn near the right edge";
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
}

TEST_F(WqListFixture, ScreenshotOfAListWithItsHeader)
{
    CWqMsgListCtrl list;
    CreateList(list);
    list.SetListColor(0xEEDADE);
    list.AddExtendedStyle(LVS_EX_FULLROWSELECT);
    AddColumns(list, {L"Sender", L"Subject", L"Date"}, {120, 220, 140});
    const wchar_t* rows[][3] = {{L"Anna", L"Quarterly report", L"2026-12-01 09:30"},
                                {L"Boris", L"Lunch on Friday?", L"2026-12-02 12:05"},
                                {L"Chen", L"Build server moved", L"2026-12-03 16:40"}};
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, rows[i][0]);
        list.SetItemText(i, 1, rows[i][1]);
        list.SetItemText(i, 2, rows[i][2]);
    }
    list.AddRowBkColor(1, 0xE0F0FF);
    list.AddRowTextColor(2, 0x0000C0);
    int order[] = {0, 2, 1};
    list.SetColumnOrderArray(3, order);
    list.GetHeader().SetSortArrow(2, TRUE);
    // What the screen shows: row 1 on its own background, row 2's text in its own colour, the
    // other rows neither, and the frame round the rows in the list colour.
    auto rowOnScreen = [&](int row) {
        RECT rc = {};
        EXPECT_TRUE(list.GetItemRect(row, &rc, LVIR_BOUNDS)) << row;
        ::MapWindowPoints(list.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    auto isRowBk = [](COLORREF c) { return c == 0xE0F0FF; };
    auto isRowText = [](COLORREF c) { return GetRValue(c) > 0x90 && GetGValue(c) < 0x50 && GetBValue(c) < 0x50; };
    const RECT row1 = rowOnScreen(1);
    const int row1Area = (row1.right - row1.left) * (row1.bottom - row1.top);
    testsupport::WaitUntilOnScreen(parent.m_hWnd, [&] {
        return testsupport::CountScreenPixels(row1, isRowBk) > row1Area / 2 &&
               testsupport::CountScreenPixels(rowOnScreen(2), isRowText) > 10;
    });
    const std::wstring path = testsupport::ExeDir() + L"\\screenshot-wqlist.bmp";
    EXPECT_TRUE(testsupport::SaveScreenshot(path, parent.m_hWnd));
    EXPECT_GT(testsupport::CountScreenPixels(row1, isRowBk), row1Area / 2);
    EXPECT_GT(testsupport::CountScreenPixels(rowOnScreen(2), isRowText), 10);
    EXPECT_EQ(0, testsupport::CountScreenPixels(rowOnScreen(0), isRowBk));
    EXPECT_EQ(0, testsupport::CountScreenPixels(rowOnScreen(0), isRowText));
    EXPECT_GT(testsupport::CountScreenPixels(rowOnScreen(0), testsupport::IsDark), 10) << "row 0's text is dark";
    const RECT client = testsupport::ClientRectOnScreen(list.m_hWnd);
    const RECT frameLeft = {client.left - 1, client.top, client.left, client.bottom};
    EXPECT_EQ(client.bottom - client.top,
              testsupport::CountScreenPixels(frameLeft, [](COLORREF c) { return c == 0xEEDADE; }));
}

TEST_F(WqListFixture, ASubclassedDialogListGetsItsFlatHeaderAndNormalFont)
{
    HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 400, 200,
                                   parent.m_hWnd, reinterpret_cast<HMENU>(1040), ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hList);
    CWqMsgListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(hList));
    ASSERT_EQ(reinterpret_cast<HWND>(::SendMessageW(hList, LVM_GETHEADER, 0, 0)), list.GetHeader().m_hWnd);
    EXPECT_EQ(0xF7F7F4u, list.GetHeader().GetBkColor());
    LOGFONTW lf = {};
    ::GetObjectW(reinterpret_cast<HFONT>(list.GetHeader().SendMessage(WM_GETFONT)), sizeof(lf), &lf);
    EXPECT_EQ(FW_NORMAL, lf.lfWeight);
    EXPECT_EQ(1, list.GetHeaderBitmapOffset());
    list.DestroyWindow();
}

TEST_F(WqListFixture, ABitmapColumnShowsTheBitmapAloneAndGetsNoArrow)
{
    HMODULE resources = ::LoadLibraryW((testsupport::ExeDir() + L"\\QorResource.dll").c_str());
    ASSERT_NE(nullptr, resources);
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(resources);
    CWqListCtrl list;
    list.SetSortingEnabled(TRUE);
    CreateList(list);
    CStringArray titles;
    titles.Add(L"Picture");
    titles.Add(L"Name");
    CUIntArray widths, bitmaps;
    widths.Add(60);
    widths.Add(200);
    bitmaps.Add(172);
    bitmaps.Add(0);
    ASSERT_TRUE(list.InsertColumns(widths, titles, bitmaps, FALSE));
    HDITEMW item = {};
    wchar_t text[64] = {};
    item.mask = HDI_FORMAT | HDI_BITMAP | HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    list.GetHeader().GetItem(0, &item);
    EXPECT_TRUE(item.fmt & HDF_BITMAP);
    EXPECT_FALSE(item.fmt & HDF_STRING);
    EXPECT_NE(nullptr, item.hbm);
    list.GetHeader().SetSortArrow(0, TRUE);
    item.mask = HDI_FORMAT;
    list.GetHeader().GetItem(0, &item);
    EXPECT_FALSE(item.fmt & HDF_OWNERDRAW) << "no arrow over a bitmap";
    list.GetHeader().SetSortArrow(1, TRUE);
    list.GetHeader().GetItem(1, &item);
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);
    list.DestroyWindow();
    AfxSetResourceHandle(previous);
}

TEST_F(WqListFixture, ColumnDefinitionsKeysAndSelectionHelpers)
{
    CWqListCtrl list;
    CreateList(list);
    list.AddColumnDef(L"Sender", 100, 0, L"SENDER");
    list.AddColumnDef(L"Subject", 200, 0, L"SUBJECT");
    list.CreateColumns();
    EXPECT_EQ(2, list.GetHeader().GetItemCount());
    EXPECT_EQ(0, list.AppendItem(L"Anna"));
    EXPECT_EQ(1, list.AppendItem(L"Boris"));
    list.SetItemText(1, 1, L"Lunch");
    EXPECT_EQ(CString(L"Lunch"), list.GetItemTextByKey(1, L"SUBJECT"));
    EXPECT_EQ(CString(), list.GetItemTextByKey(1, L"NOPE"));
    EXPECT_EQ(-1, list.GetSelectedItem());
    list.SelectAndShow(1);
    EXPECT_EQ(1, list.GetSelectedItem());
    list.SelectAndShow(9);
    list.ClearSelection();
    EXPECT_EQ(-1, list.GetSelectedItem());
    list.SetFullRowSelect(TRUE);
    EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    list.SetFullRowSelect(FALSE);
    EXPECT_FALSE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    EXPECT_FALSE(list.SortItemsByText(5, TRUE)) << "a column beyond the header";
}
