// The control wrappers driven through real windows: a parent frame holds each control, the test
// sends what a user or the program would, pumps the loop, and reads the control back through
// the wrapper.
#include "framework/CButton.h"
#include "framework/CClientDC.h"
#include "framework/CComboBox.h"
#include "framework/CEdit.h"
#include "framework/CHeaderCtrl.h"
#include "framework/CImageList.h"
#include "framework/CListBox.h"
#include "framework/CListCtrl.h"
#include "framework/CPaintDC.h"
#include "framework/CProgressCtrl.h"
#include "framework/CRichEditCtrl.h"
#include "framework/CStatic.h"
#include "framework/CToolTipCtrl.h"
#include "framework/CTreeCtrl.h"
#include "framework/CWindowDC.h"
#include "framework/CWnd.h"
#include "framework/HandleMap.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const UINT kListId = 100;
const UINT kVirtualListId = 101;

// The parent frame: records command notifications and answers a virtual list's text requests.
class CHostWnd : public CWnd {
public:
    std::vector<std::pair<UINT, UINT>> commands; // (control id, notification code)

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam)
            commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->idFrom == kVirtualListId && hdr->code == LVN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
            if (info->item.mask & LVIF_TEXT) {
                std::wstring text = L"Row " + std::to_wstring(info->item.iItem) + L"." +
                                    std::to_wstring(info->item.iSubItem);
                ::lstrcpynW(info->item.pszText, text.c_str(), info->item.cchTextMax);
            }
            *pResult = 0;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

class ControlsTest : public ::testing::Test {
protected:
    CHostWnd host;

    // Hidden unless a test looks at painted pixels: showing a top-level window costs Wine a
    // round trip to the X server of about two seconds.
    virtual bool Visible() const { return false; }

    void SetUp() override
    {
        DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (Visible() ? WS_VISIBLE : 0);
        ASSERT_TRUE(host.CreateEx(0, nullptr, L"Controls", style, 20, 20, 640, 420, nullptr, nullptr));
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        host.DestroyWindow();
        testsupport::PumpMessages();
        AfxDeleteTempMaps();
    }
};

class VisibleControlsTest : public ControlsTest {
protected:
    bool Visible() const override { return true; }
};

// Comparison for SortItems: item data in descending order.
int CALLBACK CompareDataDescending(LPARAM a, LPARAM b, LPARAM sortData)
{
    EXPECT_EQ(42, sortData);
    return a < b ? 1 : (a > b ? -1 : 0);
}

std::vector<CString> ColumnTexts(CListCtrl& list, int column)
{
    std::vector<CString> texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts.push_back(list.GetItemText(i, column));
    return texts;
}

int CALLBACK CompareTreeDataDescending(LPARAM a, LPARAM b, LPARAM)
{
    return static_cast<int>(b - a);
}

// Rich edit stream callbacks over a byte string.
DWORD CALLBACK AppendToString(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb)
{
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buf), cb);
    *pcb = cb;
    return 0;
}

struct StreamSource {
    std::string data;
    size_t pos = 0;
};

DWORD CALLBACK ReadFromSource(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* pcb)
{
    auto* s = reinterpret_cast<StreamSource*>(cookie);
    LONG n = static_cast<LONG>(std::min<size_t>(cb, s->data.size() - s->pos));
    memcpy(buf, s->data.data() + s->pos, n);
    s->pos += n;
    *pcb = n;
    return 0;
}

// A header that counts the owner-drawn items it paints.
class CCountingHeader : public CHeaderCtrl {
public:
    int drawn = 0;
    int lastItem = -1;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++drawn;
        lastItem = static_cast<int>(lpDrawItemStruct->itemID);
        CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
        pDC->FillSolidRect(&lpDrawItemStruct->rcItem, RGB(255, 255, 0));
    }
};

} // namespace

TEST_F(ControlsTest, ListCtrlReportColumnsItemsSelectionAndSort)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(10, 10, 410, 260),
                            &host, kListId));
    EXPECT_EQ(0u, list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), list.GetExtendedStyle());

    EXPECT_EQ(0, list.InsertColumn(0, L"Name", LVCFMT_LEFT, 140));
    EXPECT_EQ(1, list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 80, 1));
    EXPECT_EQ(2, list.InsertColumn(2, L"Kind", LVCFMT_LEFT, 120, 2));
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, pHeader);
    EXPECT_EQ(3, pHeader->GetItemCount());
    EXPECT_EQ(80, list.GetColumnWidth(1));
    EXPECT_TRUE(list.SetColumnWidth(1, 90));
    EXPECT_EQ(90, list.GetColumnWidth(1));
    LVCOLUMNW col = {};
    wchar_t title[32] = {};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = title;
    col.cchTextMax = 32;
    ASSERT_TRUE(list.GetColumn(1, &col));
    EXPECT_STREQ(L"Size", title);
    EXPECT_EQ(LVCFMT_RIGHT, col.fmt & LVCFMT_JUSTIFYMASK);

    const struct {
        const wchar_t* name;
        const wchar_t* size;
        const wchar_t* kind;
        DWORD_PTR data;
    } rows[] = {
        {L"report.doc", L"120", L"Document", 3},
        {L"photo.png", L"2048", L"Image", 7},
        {L"notes.txt", L"4", L"Text", 1},
        {L"song.mp3", L"5120", L"Audio", 5},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(i, list.InsertItem(i, rows[i].name));
        EXPECT_TRUE(list.SetItemText(i, 1, rows[i].size));
        EXPECT_TRUE(list.SetItemText(i, 2, rows[i].kind));
        EXPECT_TRUE(list.SetItemData(i, rows[i].data));
    }
    EXPECT_EQ(4, list.GetItemCount());
    EXPECT_EQ(CString(L"photo.png"), list.GetItemText(1, 0));
    EXPECT_EQ(CString(L"5120"), list.GetItemText(3, 1));
    EXPECT_EQ(CString(L"Text"), list.GetItemText(2, 2));
    EXPECT_EQ(CString(), list.GetItemText(99, 0));
    EXPECT_EQ(7u, list.GetItemData(1));
    wchar_t small[5];
    EXPECT_EQ(4, list.GetItemText(0, 0, small, 5)); // cut to the buffer
    EXPECT_STREQ(L"repo", small);
    // Texts longer than any first guess come back whole.
    CString longText(L'x', 700);
    list.SetItemText(2, 2, longText);
    EXPECT_EQ(longText, list.GetItemText(2, 2));
    list.SetItemText(2, 2, L"Text");

    // Selection, walked in index order.
    EXPECT_EQ(nullptr, list.GetFirstSelectedItemPosition());
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_TRUE(list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(2, list.GetSelectedCount());
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), list.GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED));
    std::vector<int> selected;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{1, 3}), selected);
    EXPECT_EQ(3, list.GetNextItem(-1, LVNI_FOCUSED));

    // Sorting by item data, descending: rows move with their texts and selection.
    EXPECT_TRUE(list.SortItems(CompareDataDescending, 42));
    EXPECT_EQ((std::vector<CString>{L"photo.png", L"song.mp3", L"report.doc", L"notes.txt"}), ColumnTexts(list, 0));
    EXPECT_EQ((std::vector<CString>{L"2048", L"5120", L"120", L"4"}), ColumnTexts(list, 1));
    EXPECT_EQ(LVIS_SELECTED, static_cast<int>(list.GetItemState(0, LVIS_SELECTED)));
    EXPECT_EQ(LVIS_SELECTED, static_cast<int>(list.GetItemState(1, LVIS_SELECTED)));
    EXPECT_EQ(0, static_cast<int>(list.GetItemState(2, LVIS_SELECTED)));
    EXPECT_FALSE(list.SortItems(nullptr, 0));

    // Clearing every item's selection at once.
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(0, list.GetSelectedCount());

    // Display order of the columns, as the list and as its header see it.
    int order[3] = {2, 0, 1};
    EXPECT_TRUE(list.SetColumnOrderArray(3, order));
    int readBack[3] = {};
    EXPECT_TRUE(list.GetColumnOrderArray(readBack));
    EXPECT_EQ((std::vector<int>{2, 0, 1}), std::vector<int>(readBack, readBack + 3));
    int headerOrder[3] = {};
    EXPECT_TRUE(pHeader->GetOrderArray(headerOrder));
    EXPECT_EQ((std::vector<int>{2, 0, 1}), std::vector<int>(headerOrder, headerOrder + 3));
    EXPECT_EQ(2, pHeader->OrderToIndex(0));
    EXPECT_EQ(1, pHeader->OrderToIndex(2));
    int restore[3] = {0, 1, 2};
    list.SetColumnOrderArray(3, restore);

    // Geometry and hit testing of items and sub-items.
    CRect itemRect;
    ASSERT_TRUE(list.GetItemRect(1, &itemRect, LVIR_BOUNDS));
    EXPECT_FALSE(itemRect.IsRectEmpty());
    CRect labelRect;
    ASSERT_TRUE(list.GetItemRect(1, &labelRect, LVIR_LABEL));
    UINT flags = 0;
    EXPECT_EQ(1, list.HitTest(labelRect.CenterPoint(), &flags));
    EXPECT_TRUE(flags & LVHT_ONITEM);
    CRect subRect;
    ASSERT_TRUE(list.GetSubItemRect(2, 2, LVIR_BOUNDS, subRect));
    EXPECT_EQ(140 + 90, subRect.left);
    LVHITTESTINFO hit = {};
    hit.pt = subRect.CenterPoint();
    EXPECT_EQ(2, list.SubItemHitTest(&hit));
    EXPECT_EQ(2, hit.iItem);
    EXPECT_EQ(2, hit.iSubItem);
    EXPECT_EQ(-1, list.HitTest(CPoint(5, 240)));
    CRect headerItem;
    EXPECT_TRUE(pHeader->GetItemRect(1, &headerItem));
    EXPECT_EQ(90, headerItem.Width());
    HDHITTESTINFO headerHit = {};
    headerHit.pt = headerItem.CenterPoint();
    EXPECT_EQ(1, pHeader->HitTest(&headerHit));
    EXPECT_TRUE(headerHit.flags & HHT_ONHEADER);
    // Layout answers where a header of this font goes inside a given area.
    CRect area(0, 0, 300, 200);
    WINDOWPOS wp = {};
    HDLAYOUT layout = {&area, &wp};
    EXPECT_TRUE(pHeader->Layout(&layout));
    EXPECT_GT(wp.cy, 0);
    EXPECT_EQ(wp.cy, area.top);

    EXPECT_EQ(0, list.GetTopIndex());
    EXPECT_GT(list.GetCountPerPage(), 4);
    EXPECT_TRUE(list.EnsureVisible(3, FALSE));
    EXPECT_TRUE(list.RedrawItems(0, 3));
    EXPECT_TRUE(list.Update(0));

    // Finding by text.
    LVFINDINFOW find = {};
    find.flags = LVFI_STRING;
    find.psz = L"notes.txt";
    EXPECT_EQ(3, list.FindItem(&find));

    // Deleting.
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString(L"song.mp3"), list.GetItemText(0, 0));
    EXPECT_FALSE(list.DeleteItem(10));
    EXPECT_TRUE(list.DeleteColumn(2));
    EXPECT_EQ(2, pHeader->GetItemCount());
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
}

TEST_F(ControlsTest, ListCtrlImagesChecksAndVirtualItems)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 300, 200), &host, kListId));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1));
    images.Add(::LoadIconW(nullptr, IDI_APPLICATION));
    EXPECT_EQ(nullptr, list.SetImageList(&images, LVSIL_SMALL));
    // The list answers the owning image-list object.
    EXPECT_EQ(&images, list.GetImageList(LVSIL_SMALL));

    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    EXPECT_EQ(0, list.InsertItem(0, L"with image", 0));
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    ASSERT_TRUE(list.GetItem(&item));
    EXPECT_EQ(0, item.iImage);
    EXPECT_EQ(1, list.InsertItem(LVIF_TEXT | LVIF_PARAM, 1, L"second", 0, 0, 0, 99));
    EXPECT_EQ(99u, list.GetItemData(1));

    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    EXPECT_FALSE(list.GetCheck(0));
    EXPECT_TRUE(list.SetCheck(0));
    EXPECT_TRUE(list.GetCheck(0));
    EXPECT_FALSE(list.GetCheck(1));
    list.SetCheck(0, FALSE);
    EXPECT_FALSE(list.GetCheck(0));
    list.SetImageList(nullptr, LVSIL_SMALL);

    // A virtual list keeps no items: it is told the count and asks its parent for texts.
    CListCtrl virtualList;
    ASSERT_TRUE(virtualList.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, CRect(310, 10, 600, 200), &host,
                                   kVirtualListId));
    virtualList.InsertColumn(0, L"Row", LVCFMT_LEFT, 100);
    virtualList.InsertColumn(1, L"Detail", LVCFMT_LEFT, 100, 1);
    EXPECT_TRUE(virtualList.SetItemCount(100000));
    EXPECT_EQ(100000, virtualList.GetItemCount());
    EXPECT_EQ(CString(L"Row 76543.1"), virtualList.GetItemText(76543, 1));
    EXPECT_TRUE(virtualList.SetItemCountEx(10, LVSICF_NOSCROLL));
    EXPECT_EQ(10, virtualList.GetItemCount());
    testsupport::PumpMessages();
}

TEST_F(VisibleControlsTest, OwnerDrawnHeaderItemsReachTheSubclassedHeader)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 300, 200), &host, kListId));
    list.InsertColumn(0, L"One", LVCFMT_LEFT, 100);
    list.InsertColumn(1, L"Two", LVCFMT_LEFT, 100, 1);
    CCountingHeader header;
    ASSERT_TRUE(header.SubclassWindow(list.GetHeaderCtrl()->GetSafeHwnd()));
    // The list now answers the subclassing object as its header.
    EXPECT_EQ(&header, list.GetHeaderCtrl());
    HDITEMW hdi = {};
    hdi.mask = HDI_FORMAT;
    ASSERT_TRUE(header.GetItem(1, &hdi));
    hdi.fmt |= HDF_OWNERDRAW;
    ASSERT_TRUE(header.SetItem(1, &hdi));
    header.Invalidate();
    header.UpdateWindow();
    testsupport::PumpMessages();
    EXPECT_GT(header.drawn, 0);
    EXPECT_EQ(1, header.lastItem);
    header.UnsubclassWindow();
}

TEST_F(ControlsTest, ComboBoxAddFindSelectAndData)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, CRect(10, 10, 200, 200), &host, 200));
    EXPECT_EQ(0, combo.AddString(L"Alpha"));
    EXPECT_EQ(1, combo.AddString(L"Gamma"));
    EXPECT_EQ(1, combo.InsertString(1, L"Beta"));
    EXPECT_EQ(3, combo.AddString(L"Betamax"));
    EXPECT_EQ(4, combo.GetCount());

    // Prefix search and whole-text search both ignore case.
    EXPECT_EQ(1, combo.FindString(-1, L"be"));
    EXPECT_EQ(3, combo.FindString(1, L"be")); // starts after item 1
    EXPECT_EQ(1, combo.FindStringExact(-1, L"BETA"));
    EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, L"Bet"));
    EXPECT_EQ(CB_ERR, combo.FindString(-1, L"Zeta"));

    EXPECT_EQ(CB_ERR, combo.GetCurSel());
    EXPECT_EQ(2, combo.SelectString(-1, L"ga"));
    EXPECT_EQ(2, combo.GetCurSel());
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(CString(L"Gamma"), text);
    EXPECT_EQ(0, combo.SetCurSel(0));
    EXPECT_EQ(0, combo.GetCurSel());
    EXPECT_EQ(CB_ERR, combo.SetCurSel(-1));
    EXPECT_EQ(CB_ERR, combo.GetCurSel());

    combo.GetLBText(3, text);
    EXPECT_EQ(CString(L"Betamax"), text);
    EXPECT_EQ(7, combo.GetLBTextLen(3));
    combo.GetLBText(9, text);
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_NE(CB_ERR, combo.SetItemData(0, 1234));
    EXPECT_EQ(1234u, combo.GetItemData(0));
    int payload = 5;
    combo.SetItemDataPtr(1, &payload);
    EXPECT_EQ(&payload, combo.GetItemDataPtr(1));
    EXPECT_EQ(nullptr, combo.GetItemDataPtr(50));

    // The edit field of a drop-down combo.
    combo.SetWindowText(L"typed text");
    EXPECT_TRUE(combo.SetEditSel(2, 5));
    DWORD sel = combo.GetEditSel();
    EXPECT_EQ(2, LOWORD(sel));
    EXPECT_EQ(5, HIWORD(sel));
    // The limit holds for what the user types into the edit field.
    combo.LimitText(12);
    COMBOBOXINFO cbi = {};
    ASSERT_TRUE(combo.GetComboBoxInfo(&cbi));
    ASSERT_NE(nullptr, cbi.hwndItem);
    combo.SetWindowText(L"");
    for (wchar_t ch : std::wstring(L"abcdefghijklmnopqrstuvwxyz"))
        ::SendMessageW(cbi.hwndItem, WM_CHAR, ch, 1);
    combo.GetWindowText(text);
    EXPECT_EQ(CString(L"abcdefghijkl"), text);

    combo.ShowDropDown(TRUE);
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    EXPECT_FALSE(combo.GetDroppedState());

    EXPECT_EQ(3, combo.DeleteString(0));
    EXPECT_EQ(CB_ERR, combo.DeleteString(10));
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());
}

TEST_F(ControlsTest, ListBoxSingleAndMultipleSelection)
{
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL, CRect(10, 10, 200, 200), &host, 300));
    for (const wchar_t* s : {L"red", L"green", L"blue", L"greenish"})
        list.AddString(s);
    EXPECT_EQ(4, list.GetCount());
    EXPECT_EQ(1, list.FindString(-1, L"GREEN"));
    EXPECT_EQ(3, list.FindString(1, L"green"));
    EXPECT_EQ(3, list.FindStringExact(-1, L"Greenish"));
    EXPECT_EQ(2, list.SelectString(-1, L"bl"));
    EXPECT_EQ(2, list.GetCurSel());
    CString text;
    list.GetText(2, text);
    EXPECT_EQ(CString(L"blue"), text);
    EXPECT_EQ(8, list.GetTextLen(3));
    list.SetItemData(0, 77);
    EXPECT_EQ(77u, list.GetItemData(0));
    EXPECT_EQ(0, list.InsertString(0, L"first"));
    EXPECT_EQ(CString(L"first"), (list.GetText(0, text), text));
    CRect rc;
    EXPECT_NE(LB_ERR, list.GetItemRect(1, &rc));
    BOOL outside = TRUE;
    EXPECT_EQ(1u, list.ItemFromPoint(rc.CenterPoint(), outside));
    EXPECT_FALSE(outside);
    EXPECT_EQ(4, list.DeleteString(0));

    CListBox multi;
    ASSERT_TRUE(multi.Create(WS_CHILD | WS_VISIBLE | LBS_MULTIPLESEL, CRect(210, 10, 400, 200), &host, 301));
    for (const wchar_t* s : {L"a", L"b", L"c", L"d", L"e"})
        multi.AddString(s);
    multi.SetSel(0);
    multi.SelItemRange(TRUE, 2, 3);
    EXPECT_EQ(3, multi.GetSelCount());
    int items[5] = {};
    EXPECT_EQ(3, multi.GetSelItems(5, items));
    EXPECT_EQ((std::vector<int>{0, 2, 3}), std::vector<int>(items, items + 3));
    multi.SelItemRange(FALSE, 0, 2);
    EXPECT_EQ(1, multi.GetSelCount());
    EXPECT_TRUE(multi.GetSel(3) > 0);
    EXPECT_FALSE(multi.GetSel(0) > 0);
}

TEST_F(ControlsTest, TreeCtrlInsertExpandNavigateAndSort)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                            CRect(10, 10, 300, 300), &host, 400));
    HTREEITEM root = tree.InsertItem(L"Company");
    HTREEITEM carol = tree.InsertItem(L"Carol", root);
    HTREEITEM alice = tree.InsertItem(L"Alice", root);
    HTREEITEM bob = tree.InsertItem(L"Bob", 1, 2, root, TVI_LAST);
    HTREEITEM dev = tree.InsertItem(L"Development", bob);
    HTREEITEM other = tree.InsertItem(L"Other");
    ASSERT_TRUE(root && carol && alice && bob && dev && other);
    EXPECT_EQ(6u, tree.GetCount());

    EXPECT_EQ(root, tree.GetRootItem());
    EXPECT_EQ(CString(L"Company"), tree.GetItemText(root));
    EXPECT_EQ(carol, tree.GetChildItem(root));
    EXPECT_EQ(alice, tree.GetNextSiblingItem(carol));
    EXPECT_EQ(carol, tree.GetPrevSiblingItem(alice));
    EXPECT_EQ(nullptr, tree.GetNextSiblingItem(bob));
    EXPECT_EQ(bob, tree.GetParentItem(dev));
    EXPECT_EQ(nullptr, tree.GetParentItem(root));
    EXPECT_EQ(other, tree.GetNextSiblingItem(root));
    EXPECT_TRUE(tree.ItemHasChildren(root));
    EXPECT_TRUE(tree.ItemHasChildren(bob));
    EXPECT_FALSE(tree.ItemHasChildren(alice));
    int image = -1, selected = -1;
    EXPECT_TRUE(tree.GetItemImage(bob, image, selected));
    EXPECT_EQ(1, image);
    EXPECT_EQ(2, selected);
    EXPECT_TRUE(tree.SetItemImage(alice, 3, 4));
    tree.GetItemImage(alice, image, selected);
    EXPECT_EQ(3, image);

    // Collapsed, the next visible item after the root is the next root.
    EXPECT_EQ(other, tree.GetNextVisibleItem(root));
    EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
    EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(carol, tree.GetNextVisibleItem(root));
    EXPECT_TRUE(tree.Expand(root, TVE_COLLAPSE));
    EXPECT_FALSE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(other, tree.GetNextVisibleItem(root));

    // Selecting a hidden item reveals it.
    EXPECT_TRUE(tree.SelectItem(dev));
    EXPECT_EQ(dev, tree.GetSelectedItem());
    EXPECT_TRUE(tree.GetItemState(bob, TVIS_EXPANDED) & TVIS_EXPANDED);
    CRect rc;
    ASSERT_TRUE(tree.GetItemRect(dev, &rc, TRUE));
    UINT flags = 0;
    EXPECT_EQ(dev, tree.HitTest(rc.CenterPoint(), &flags));
    EXPECT_TRUE(flags & TVHT_ONITEMLABEL);
    // Making a hidden item visible expands its ancestors.
    tree.Expand(bob, TVE_COLLAPSE);
    tree.EnsureVisible(dev);
    EXPECT_TRUE(tree.GetItemState(bob, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_FALSE(tree.EnsureVisible(nullptr));

    EXPECT_TRUE(tree.SetItemData(alice, 0xA11CE));
    EXPECT_EQ(0xA11CEu, tree.GetItemData(alice));
    CString longName(L'n', 600);
    EXPECT_TRUE(tree.SetItemText(carol, longName));
    EXPECT_EQ(longName, tree.GetItemText(carol));
    tree.SetItemText(carol, L"Carol");

    EXPECT_TRUE(tree.SortChildren(root));
    EXPECT_EQ(alice, tree.GetChildItem(root));
    EXPECT_EQ(bob, tree.GetNextSiblingItem(alice));
    EXPECT_EQ(carol, tree.GetNextSiblingItem(bob));

    // A sort by a comparison of the items' data: largest first.
    tree.SetItemData(bob, 3);
    tree.SetItemData(carol, 2);
    tree.SetItemData(alice, 1);
    TVSORTCB sort = {root, CompareTreeDataDescending, 0};
    EXPECT_TRUE(tree.SortChildrenCB(&sort));
    EXPECT_EQ(bob, tree.GetChildItem(root));
    EXPECT_EQ(alice, tree.GetNextSiblingItem(carol));

    // Deleting an item takes its children along.
    EXPECT_TRUE(tree.DeleteItem(bob));
    EXPECT_EQ(4u, tree.GetCount());
    EXPECT_FALSE(tree.DeleteItem(nullptr));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
    EXPECT_EQ(nullptr, tree.GetRootItem());
    EXPECT_EQ(CString(), tree.GetItemText(nullptr));
}

TEST_F(ControlsTest, EditTextLinesSelectionAndUndo)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL,
                            CRect(10, 10, 300, 120), &host, 500));
    edit.SetWindowText(L"one\r\ntwo\r\nthree");
    EXPECT_EQ(3, edit.GetLineCount());
    EXPECT_EQ(5, edit.LineIndex(1));
    EXPECT_EQ(5, edit.LineLength(edit.LineIndex(2)));
    EXPECT_EQ(1, edit.LineFromChar(6));
    EXPECT_EQ(CString(L"two"), edit.GetLine(1));
    EXPECT_EQ(CString(L"three"), edit.GetLine(2));
    EXPECT_EQ(CString(), edit.GetLine(7));
    wchar_t buf[3];
    EXPECT_EQ(3, edit.GetLine(2, buf, 3)); // cut to the buffer, not terminated past it
    EXPECT_EQ(L'h', buf[1]);

    edit.SetSel(0, 3);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(3, end);
    EXPECT_EQ(MAKELONG(0, 3), static_cast<LONG>(edit.GetSel()));
    edit.SetModify(FALSE);
    edit.ReplaceSel(L"ONE", TRUE);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"ONE\r\ntwo\r\nthree"), text);
    EXPECT_TRUE(edit.GetModify());
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"one\r\ntwo\r\nthree"), text);
    edit.EmptyUndoBuffer();
    EXPECT_FALSE(edit.CanUndo());

    edit.SetSel(0, 5);
    edit.Clear();
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"two\r\nthree"), text);
    edit.LineScroll(1);

    EXPECT_TRUE(edit.SetReadOnly());
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetReadOnly(FALSE);
    EXPECT_FALSE(edit.GetStyle() & ES_READONLY);

    CEdit password;
    ASSERT_TRUE(password.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 130, 300, 155), &host, 501));
    password.SetLimitText(18);
    EXPECT_EQ(18u, password.GetLimitText());
    // Typed characters beyond the limit are refused.
    for (wchar_t ch : std::wstring(L"abcdefghijklmnopqrstuvwxyz"))
        password.SendMessage(WM_CHAR, ch, 1);
    password.GetWindowText(text);
    EXPECT_EQ(18, text.GetLength());
    password.SetPasswordChar(L'*');
    EXPECT_EQ(L'*', password.GetPasswordChar());
    password.LimitText(0);
    EXPECT_GT(password.GetLimitText(), 18u);

    // Cut and paste through the clipboard.
    password.SetWindowText(L"secret");
    password.SetPasswordChar(0);
    password.SetSel(0, 3);
    password.Cut();
    password.GetWindowText(text);
    EXPECT_EQ(CString(L"ret"), text);
    password.SetSel(3, 3);
    password.Paste();
    password.GetWindowText(text);
    EXPECT_EQ(CString(L"retsec"), text);
}

TEST_F(ControlsTest, RichEditTextSelectionFormatStreamsAndSearch)
{
    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL, CRect(10, 10, 400, 200),
                            &host, 600));
    wchar_t cls[64] = {};
    ::GetClassNameW(rich.m_hWnd, cls, 64);
    EXPECT_STREQ(L"RichEdit20W", cls);

    // The control starts in the window's font (the bold System font): a plain default first.
    CHARFORMAT2W plain = {};
    plain.dwMask = CFM_BOLD | CFM_FACE;
    ::lstrcpyW(plain.szFaceName, L"Arial");
    EXPECT_TRUE(rich.SetDefaultCharFormat(plain));
    rich.SetWindowText(L"Hello rich world");
    EXPECT_EQ(16, rich.GetTextLength());
    rich.SetSel(6, 10);
    long start = -1, end = -1;
    rich.GetSel(start, end);
    EXPECT_EQ(6, start);
    EXPECT_EQ(10, end);
    EXPECT_EQ(CString(L"rich"), rich.GetSelText());
    EXPECT_EQ(SEL_TEXT, rich.GetSelectionType() & SEL_TEXT);

    CHARFORMAT2W cf = {};
    cf.dwMask = CFM_BOLD | CFM_COLOR | CFM_FACE;
    cf.dwEffects = CFE_BOLD;
    cf.crTextColor = RGB(200, 0, 0);
    ::lstrcpyW(cf.szFaceName, L"Tahoma");
    EXPECT_TRUE(rich.SetSelectionCharFormat(cf));
    CHARFORMAT2W read = {};
    DWORD mask = rich.GetSelectionCharFormat(read);
    EXPECT_TRUE(mask & CFM_BOLD);
    EXPECT_TRUE(read.dwEffects & CFE_BOLD);
    EXPECT_EQ(RGB(200, 0, 0), read.crTextColor);
    EXPECT_STREQ(L"Tahoma", read.szFaceName);
    // The rest of the text kept its own format.
    rich.SetSel(0, 5);
    rich.GetSelectionCharFormat(read);
    EXPECT_FALSE(read.dwEffects & CFE_BOLD);
    // A mixed selection reports bold as not uniform.
    rich.SetSel(0, 16);
    EXPECT_FALSE(rich.GetSelectionCharFormat(read) & CFM_BOLD);

    CHARFORMAT2W def = {};
    def.dwMask = CFM_SIZE;
    def.yHeight = 240; // 12 pt in twips
    EXPECT_TRUE(rich.SetDefaultCharFormat(def));
    CHARFORMAT2W defRead = {};
    rich.GetDefaultCharFormat(defRead);
    EXPECT_EQ(240, defRead.yHeight);

    // (-1, -1) puts the caret at the end.
    rich.SetSel(-1, -1);
    rich.GetSel(start, end);
    EXPECT_EQ(16, start);
    EXPECT_EQ(16, end);
    rich.ReplaceSel(L"!");
    CString range;
    EXPECT_EQ(5, rich.GetTextRange(0, 5, range));
    EXPECT_EQ(CString(L"Hello"), range);
    rich.GetTextRange(11, -1, range);
    EXPECT_EQ(CString(L"world!"), range);

    FINDTEXTEXW find = {};
    find.chrg.cpMin = 0;
    find.chrg.cpMax = -1;
    find.lpstrText = L"RICH";
    EXPECT_EQ(6, rich.FindText(FR_DOWN, &find));
    EXPECT_EQ(6, find.chrgText.cpMin);
    EXPECT_EQ(10, find.chrgText.cpMax);
    EXPECT_EQ(-1, rich.FindText(FR_DOWN | FR_MATCHCASE, &find));

    // Streaming out as RTF carries the bold run; streaming text in replaces the content.
    std::string rtf;
    EDITSTREAM out = {};
    out.dwCookie = reinterpret_cast<DWORD_PTR>(&rtf);
    out.pfnCallback = AppendToString;
    EXPECT_GT(rich.StreamOut(SF_RTF, out), 0);
    EXPECT_EQ(0u, rtf.find("{\\rtf"));
    EXPECT_NE(std::string::npos, rtf.find("\\b"));
    EXPECT_NE(std::string::npos, rtf.find("rich"));

    StreamSource source{"first line\r\nsecond line"};
    EDITSTREAM in = {};
    in.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    in.pfnCallback = ReadFromSource;
    EXPECT_GT(rich.StreamIn(SF_TEXT, in), 0);
    EXPECT_EQ(2, rich.GetLineCount());
    EXPECT_EQ(CString(L"second"), (rich.GetTextRange(rich.LineIndex(1), rich.LineIndex(1) + 6, range), range));
    EXPECT_EQ(1, rich.LineFromChar(rich.LineIndex(1) + 2));

    EXPECT_EQ(0u, rich.SetEventMask(ENM_CHANGE | ENM_SELCHANGE));
    EXPECT_EQ(static_cast<DWORD>(ENM_CHANGE | ENM_SELCHANGE), rich.GetEventMask());
    rich.SetBackgroundColor(FALSE, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), rich.SetBackgroundColor(TRUE, 0));
    EXPECT_TRUE(rich.SetReadOnly());
    EXPECT_TRUE(rich.GetOptions() & ECO_READONLY);
    rich.SetOptions(ECOOP_XOR, ECO_READONLY);
    EXPECT_FALSE(rich.GetOptions() & ECO_READONLY);
    EXPECT_TRUE(rich.SetTargetDevice(nullptr, 0));
    rich.HideSelection(TRUE, FALSE);
    rich.LimitText(10);
    EXPECT_EQ(10, rich.GetLimitText());
}

namespace {

// A button that paints itself: counts its WM_DRAWITEM calls (reflected from the parent).
class COwnerButton : public CButton {
public:
    int drawn = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++drawn;
        ::FillRect(lpDrawItemStruct->hDC, &lpDrawItemStruct->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
};

} // namespace

TEST_F(VisibleControlsTest, ButtonCheckStatesStyleClickAndOwnerDraw)
{
    CButton check;
    ASSERT_TRUE(check.Create(L"Remember me", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(10, 10, 200, 30), &host, 700));
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    EXPECT_TRUE(check.GetState() & BST_CHECKED);
    check.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(BST_INDETERMINATE, check.GetCheck());
    EXPECT_EQ(static_cast<UINT>(BS_AUTO3STATE), check.GetButtonStyle() & BS_TYPEMASK);

    // A click as the user's: the state advances and the parent hears BN_CLICKED.
    check.SetCheck(BST_UNCHECKED);
    host.commands.clear();
    check.Click();
    testsupport::PumpMessages();
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(700u, host.commands.back().first);
    EXPECT_EQ(static_cast<UINT>(BN_CLICKED), host.commands.back().second);

    check.SetState(TRUE);
    EXPECT_TRUE(check.GetState() & BST_PUSHED);
    check.SetState(FALSE);
    EXPECT_FALSE(check.GetState() & BST_PUSHED);
    check.SetButtonStyle(BS_AUTOCHECKBOX);
    EXPECT_EQ(static_cast<UINT>(BS_AUTOCHECKBOX), check.GetButtonStyle() & BS_TYPEMASK);

    CButton iconButton;
    ASSERT_TRUE(iconButton.Create(L"", WS_CHILD | WS_VISIBLE | BS_ICON, CRect(10, 40, 60, 90), &host, 701));
    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    EXPECT_EQ(nullptr, iconButton.SetIcon(icon));
    EXPECT_EQ(icon, iconButton.GetIcon());

    COwnerButton owner;
    ASSERT_TRUE(owner.Create(L"Owner", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(70, 40, 170, 90), &host, 702));
    owner.Invalidate();
    owner.UpdateWindow();
    EXPECT_GT(owner.drawn, 0);
    // What DrawItem painted is on the screen.
    CClientDC dc(&owner);
    EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(10, 10));
}

TEST_F(ControlsTest, ProgressRangePositionAndStep)
{
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 300, 30), &host, 800));
    int lo = -1, hi = -1;
    progress.GetRange(lo, hi);
    EXPECT_EQ(0, lo);
    EXPECT_EQ(100, hi);
    progress.SetRange32(0, 200000); // beyond the 16-bit range of SetRange
    progress.GetRange(lo, hi);
    EXPECT_EQ(200000, hi);
    EXPECT_EQ(0, progress.SetPos(150000));
    EXPECT_EQ(150000, progress.GetPos());
    progress.SetStep(20000);
    EXPECT_EQ(150000, progress.StepIt());
    EXPECT_EQ(170000, progress.GetPos());
    EXPECT_EQ(170000, progress.OffsetPos(-70000));
    EXPECT_EQ(100000, progress.GetPos());
    progress.SetPos(900000); // clamped to the range
    EXPECT_EQ(200000, progress.GetPos());
    progress.SetRange(10, 20);
    progress.GetRange(lo, hi);
    EXPECT_EQ(10, lo);
    EXPECT_EQ(20, hi);
}

TEST_F(ControlsTest, StaticBitmapAndIcon)
{
    CStatic picture;
    ASSERT_TRUE(picture.Create(L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, CRect(10, 10, 60, 60), &host));
    CClientDC screen(nullptr);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 16, 16));
    EXPECT_EQ(nullptr, picture.SetBitmap(bmp));
    EXPECT_EQ(static_cast<HBITMAP>(bmp), picture.GetBitmap());
    EXPECT_EQ(static_cast<HBITMAP>(bmp), picture.SetBitmap(nullptr));

    CStatic iconView;
    ASSERT_TRUE(iconView.Create(L"", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(70, 10, 120, 60), &host));
    HICON icon = ::LoadIconW(nullptr, IDI_INFORMATION);
    iconView.SetIcon(icon);
    EXPECT_EQ(icon, iconView.GetIcon());

    CStatic label;
    ASSERT_TRUE(label.Create(L"Label text", WS_CHILD | WS_VISIBLE, CRect(130, 10, 300, 30), &host));
    CString text;
    label.GetWindowText(text);
    EXPECT_EQ(CString(L"Label text"), text);
}

TEST_F(ControlsTest, ToolTipToolsTextsAndTimes)
{
    CButton target;
    ASSERT_TRUE(target.Create(L"Receivers", WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 40), &host, 900));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host));
    EXPECT_TRUE(::GetWindowLongW(tip.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(host.m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));

    EXPECT_TRUE(tip.AddTool(&target, L"alice; bob; carol"));
    CRect area(200, 10, 300, 40);
    EXPECT_TRUE(tip.AddTool(&host, L"area tip", &area, 5));
    EXPECT_EQ(2, tip.GetToolCount());
    CString text;
    tip.GetText(text, &target);
    EXPECT_EQ(CString(L"alice; bob; carol"), text);
    tip.UpdateTipText(L"dave", &target);
    tip.GetText(text, &target);
    EXPECT_EQ(CString(L"dave"), text);
    TTTOOLINFOW info = {};
    ASSERT_TRUE(tip.GetToolInfo(&info, &host, 5));
    EXPECT_EQ(area, CRect(info.rect));
    CRect moved(200, 50, 300, 80);
    tip.SetToolRect(&host, 5, &moved);
    tip.GetToolInfo(&info, &host, 5);
    EXPECT_EQ(moved, CRect(info.rect));
    tip.DelTool(&target);
    EXPECT_EQ(1, tip.GetToolCount());
    tip.GetText(text, &target);
    EXPECT_TRUE(text.IsEmpty());

    tip.SetMaxTipWidth(300);
    EXPECT_EQ(300, tip.SetMaxTipWidth(-1));
    tip.SetDelayTime(TTDT_INITIAL, 150);
    EXPECT_EQ(150, tip.GetDelayTime(TTDT_INITIAL));
    tip.SetDelayTime(TTDT_AUTOPOP, 8000);
    EXPECT_EQ(8000, tip.GetDelayTime(TTDT_AUTOPOP));
    MSG msg = {host.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(210, 20)};
    tip.RelayEvent(&msg);
    tip.Activate(FALSE);
    tip.DestroyWindow();
}

namespace {

// Paints its client area through CPaintDC in one colour.
class CPaintedWnd : public CWnd {
public:
    COLORREF colour = RGB(0, 128, 255);
    int paints = 0;
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, colour);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintedWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

} // namespace

TEST_F(VisibleControlsTest, PaintClientAndWindowDCs)
{
    CPaintedWnd painted;
    ASSERT_TRUE(painted.Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(20, 20, 120, 120), &host, 1000));
    painted.Invalidate();
    painted.UpdateWindow();
    EXPECT_GT(painted.paints, 0);
    // The update region was validated by EndPaint.
    EXPECT_FALSE(::GetUpdateRect(painted.m_hWnd, nullptr, FALSE));
    {
        CClientDC dc(&painted);
        EXPECT_EQ(painted.colour, dc.GetPixel(5, 5));
        EXPECT_EQ(&painted, dc.GetWindow());
    }
    {
        // The window DC starts at the border, outside the client area.
        CWindowDC dc(&painted);
        EXPECT_NE(painted.colour, dc.GetPixel(0, 0));
        EXPECT_EQ(painted.colour, dc.GetPixel(6, 6));
    }
}

TEST_F(VisibleControlsTest, ScreenshotOfAReportList)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(10, 10, 610, 370),
                            &host, kListId));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.InsertColumn(0, L"Sender", LVCFMT_LEFT, 160);
    list.InsertColumn(1, L"Subject", LVCFMT_LEFT, 280, 1);
    list.InsertColumn(2, L"Date", LVCFMT_LEFT, 140, 2);
    const wchar_t* rows[][3] = {{L"Alice", L"Quarterly report", L"2026-12-01 09:15"},
                                {L"Bob", L"Lunch on Friday?", L"2026-12-02 12:30"},
                                {L"Carol", L"Build server is back", L"2026-12-03 17:05"}};
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, rows[i][0]);
        list.SetItemText(i, 1, rows[i][1]);
        list.SetItemText(i, 2, rows[i][2]);
    }
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    host.SetForegroundWindow();

    // The screen shows the rows: the selected one on the selection's colour (the active one or,
    // with the focus elsewhere, the kept one), the others on the window's colour with dark text.
    auto rowOnScreen = [&](int row) {
        RECT rc = {};
        EXPECT_TRUE(list.GetItemRect(row, &rc, LVIR_BOUNDS)) << row;
        ::MapWindowPoints(list.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    const COLORREF window = ::GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
    const COLORREF selected[] = {::GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF, ::GetSysColor(COLOR_BTNFACE) & 0xFFFFFF};
    auto isSelection = [&](COLORREF c) { return c == selected[0] || c == selected[1]; };
    testsupport::WaitUntilOnScreen(host.m_hWnd, [&] {
        const RECT rc = rowOnScreen(1);
        const int area = (rc.right - rc.left) * (rc.bottom - rc.top);
        const RECT first = rowOnScreen(0);
        return testsupport::CountScreenPixels(rc, isSelection) > area / 2 &&
               testsupport::CountScreenPixels(first, testsupport::IsDark) > 20;
    });
    std::wstring path = testsupport::ExeDir() + L"\\controls-listctrl.bmp";
    EXPECT_TRUE(testsupport::SaveScreenshot(path, host.m_hWnd));
    for (int row = 0; row < 3; ++row) {
        const RECT rc = rowOnScreen(row);
        const int area = (rc.right - rc.left) * (rc.bottom - rc.top);
        if (row == 1) {
            EXPECT_GT(testsupport::CountScreenPixels(rc, isSelection), area / 2);
        } else {
            EXPECT_GT(testsupport::CountScreenPixels(rc, [&](COLORREF c) { return c == window; }), area / 2) << row;
            EXPECT_GT(testsupport::CountScreenPixels(rc, testsupport::IsDark), 20) << row;
        }
    }
}

TEST_F(ControlsTest, WrappersTakeOverExistingDialogItems)
{
    // Controls made elsewhere (a dialog template, another library) are wrapped by Attach, or by
    // SubclassDlgItem when their messages should pass through the wrapper's map as well.
    HWND hList = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_NOTIFY, 0, 0, 100, 100, host.m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(1200)), nullptr, nullptr);
    HWND hCheck = ::CreateWindowExW(0, L"BUTTON", L"Check", WS_CHILD | BS_AUTOCHECKBOX, 0, 110, 100, 20,
                                    host.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1201)), nullptr, nullptr);
    ASSERT_TRUE(hList && hCheck);
    {
        CListBox list;
        ASSERT_TRUE(list.Attach(hList));
        EXPECT_EQ(0, list.AddString(L"kept"));
        EXPECT_EQ(hList, list.Detach());
    }
    // Detached, the control outlived its wrapper with its content.
    EXPECT_TRUE(::IsWindow(hList));
    EXPECT_EQ(1, static_cast<int>(::SendMessageW(hList, LB_GETCOUNT, 0, 0)));

    CButton check;
    ASSERT_TRUE(check.SubclassDlgItem(1201, &host));
    EXPECT_EQ(hCheck, check.m_hWnd);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, static_cast<int>(::SendMessageW(hCheck, BM_GETCHECK, 0, 0)));
    EXPECT_EQ(hCheck, check.UnsubclassWindow());
}

TEST_F(ControlsTest, LabelEditingOpensAnEditOverTheItem)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(10, 10, 300, 200), &host, kListId));
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 150);
    list.InsertItem(0, L"rename me");
    EXPECT_EQ(nullptr, list.GetEditControl());
    list.SetFocus();
    CEdit* pEdit = list.EditLabel(0);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ(pEdit->m_hWnd, list.GetEditControl()->m_hWnd);
    CString text;
    pEdit->GetWindowText(text);
    EXPECT_EQ(CString(L"rename me"), text);
    list.SendMessage(LVM_CANCELEDITLABEL);

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, CRect(310, 10, 600, 200), &host, 400));
    HTREEITEM item = tree.InsertItem(L"folder");
    EXPECT_EQ(nullptr, tree.EditLabel(nullptr));
    tree.SetFocus();
    CEdit* pTreeEdit = tree.EditLabel(item);
    ASSERT_NE(nullptr, pTreeEdit);
    EXPECT_EQ(pTreeEdit->m_hWnd, tree.GetEditControl()->m_hWnd);
    pTreeEdit->GetWindowText(text);
    EXPECT_EQ(CString(L"folder"), text);
    tree.SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    testsupport::PumpMessages();
}
