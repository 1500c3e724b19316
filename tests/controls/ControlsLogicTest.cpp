// The plain logic behind the controls: strip stepping, tray click translation, the list's
// quicksort, the saved column widths and the link-text markup.
#include "platform/QorView/AttachItem.h"
#include "controls/CColumnWidthList.h"
#include "controls/CLinkMarkupTokenizer.h"
#include "controls/CListRowSorter.h"
#include "controls/CStripFrameStepper.h"
#include "controls/CTrayClickTranslator.h"
#include <gtest/gtest.h>
#include <vector>

TEST(StripFrameStepper, StepsThroughFramesOneToCountMinusOne)
{
    CStripFrameStepper stepper;
    stepper.SetCount(5);
    EXPECT_EQ(0, stepper.GetFrame());
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        stepper.Step();
        seen.push_back(stepper.GetFrame());
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 1}), seen);

    // Two steps a tick, as the timer does: 2, 4, 2, 4.
    stepper.Reset();
    seen.clear();
    for (int tick = 0; tick < 4; ++tick) {
        stepper.Step();
        stepper.Step();
        seen.push_back(stepper.GetFrame());
    }
    EXPECT_EQ((std::vector<int>{2, 4, 2, 4}), seen);
}

TEST(StripFrameStepper, StripsOfOneOrNoImageStayOnFrameZero)
{
    for (int count : {0, 1}) {
        CStripFrameStepper stepper;
        stepper.SetCount(count);
        stepper.Step();
        stepper.Step();
        EXPECT_EQ(0, stepper.GetFrame()) << count;
    }
    CStripFrameStepper two;
    two.SetCount(2);
    two.Step();
    EXPECT_EQ(1, two.GetFrame());
    two.Step();
    EXPECT_EQ(1, two.GetFrame());
}

TEST(TrayClickTranslator, PressThenDoubleClickGivesOnlyTheDoubleClick)
{
    CTrayClickTranslator t;
    CTrayClickAction a = t.OnMouseMessage(WM_LBUTTONDOWN, 128);
    EXPECT_TRUE(a.bStartClickTimer);
    EXPECT_EQ(0u, a.nMessage);
    EXPECT_TRUE(t.IsClickPending());

    a = t.OnMouseMessage(WM_LBUTTONUP, 128);
    EXPECT_EQ(0u, a.nMessage);
    a = t.OnMouseMessage(WM_LBUTTONDBLCLK, 128);
    EXPECT_TRUE(a.bKillClickTimer);
    EXPECT_EQ(static_cast<UINT>(WM_TRAY_LBUTTONDBLCLK), a.nMessage);
    EXPECT_EQ(128u, a.wParam);
    EXPECT_FALSE(a.bForegroundIfSignedIn);

    // The timer that may still come finds no pending click.
    a = t.OnClickTimer();
    EXPECT_EQ(0u, a.nMessage);
}

TEST(TrayClickTranslator, TableOfMouseMessages)
{
    struct Case { UINT mouse; UINT message; bool foreground; } cases[] = {
        {WM_RBUTTONDOWN, WM_TRAY_RBUTTONDOWN, true},
        {WM_RBUTTONDBLCLK, WM_TRAY_RBUTTONDBLCLK, true},
        {WM_RBUTTONUP, 0, false},
        {WM_LBUTTONUP, 0, false},
        {WM_MOUSEMOVE, 0, false},
    };
    for (const Case& c : cases) {
        CTrayClickTranslator t;
        CTrayClickAction a = t.OnMouseMessage(c.mouse, 7);
        EXPECT_EQ(c.message, a.nMessage) << c.mouse;
        EXPECT_EQ(c.foreground, a.bForegroundIfSignedIn) << c.mouse;
        EXPECT_EQ(0u, a.wParam) << c.mouse;
    }
    CTrayClickTranslator t;
    t.OnMouseMessage(WM_LBUTTONDOWN, 7);
    CTrayClickAction a = t.OnClickTimer();
    EXPECT_EQ(static_cast<UINT>(WM_TRAY_LBUTTONCLICK), a.nMessage);
    EXPECT_TRUE(a.bKillClickTimer);
    EXPECT_TRUE(a.bForegroundIfSignedIn);
}

namespace {

// A table of rows standing in for a list view.
struct Row {
    CString text;
    int image;
    CString data;
};

class TableRows : public IListRowAccess {
public:
    std::vector<Row> rows;
    int exchanges = 0;
    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    CString GetRowText(int r, int) const override { return rows[r].text; }
    int GetRowImage(int r, int) const override { return rows[r].image; }
    void ExchangeRows(int a, int b) override { std::swap(rows[a], rows[b]); ++exchanges; }
    CString Texts() const
    {
        CString s;
        for (const Row& r : rows)
            s += r.text;
        return s;
    }
};

} // namespace

TEST(ListRowSorter, SortsByTextWithDataTravellingAlong)
{
    TableRows t;
    t.rows = {{L"b", 0, L"1"}, {L"a", 0, L"2"}, {L"b", 0, L"3"}, {L"c", 0, L"4"}};
    EXPECT_TRUE(CListRowSorter::SortByText(t, 0, TRUE, 0, -1));
    EXPECT_EQ(CString(L"abbc"), t.Texts());
    EXPECT_EQ(CString(L"2"), t.rows[0].data);
    EXPECT_EQ(CString(L"4"), t.rows[3].data);

    EXPECT_TRUE(CListRowSorter::SortByText(t, 0, FALSE, 0, -1));
    EXPECT_EQ(CString(L"cbba"), t.Texts());
}

TEST(ListRowSorter, TextSortIsOrdinalAndCaseSensitive)
{
    TableRows t;
    t.rows = {{L"b", 0, L""}, {L"B", 0, L""}, {L"a", 0, L""}, {L"A", 0, L""}};
    CListRowSorter::SortByText(t, 0, TRUE, 0, -1);
    EXPECT_EQ(CString(L"ABab"), t.Texts());
}

TEST(ListRowSorter, LargerTablesComeOutSorted)
{
    TableRows t;
    unsigned seed = 12345;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245u + 12345u;
        CString s;
        s.Format(L"%04u", (seed >> 8) % 50);
        t.rows.push_back({s, static_cast<int>((seed >> 4) % 7), s});
    }
    ASSERT_TRUE(CListRowSorter::SortByText(t, 0, TRUE, 0, -1));
    for (size_t i = 1; i < t.rows.size(); ++i)
        ASSERT_FALSE(t.rows[i].text < t.rows[i - 1].text) << i;
    ASSERT_TRUE(CListRowSorter::SortByImage(t, 0, FALSE, 0, -1));
    for (size_t i = 1; i < t.rows.size(); ++i)
        ASSERT_GE(t.rows[i - 1].image, t.rows[i].image) << i;
}

TEST(ListRowSorter, ImageSortOrdersRowsWhateverTheirTexts)
{
    TableRows t;
    t.rows = {{L"x", 3, L"a"}, {L"y", 1, L"b"}, {L"z", 2, L"c"}, {L"w", 0, L"d"}};
    EXPECT_TRUE(CListRowSorter::SortByImage(t, 0, TRUE, 0, -1));
    std::vector<int> images;
    for (const Row& r : t.rows)
        images.push_back(r.image);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), images);
    EXPECT_EQ(CString(L"d"), t.rows[0].data);
}

TEST(ListRowSorter, NothingToSortAnswersFalse)
{
    TableRows t;
    EXPECT_FALSE(CListRowSorter::SortByText(t, 0, TRUE, 0, -1));
    t.rows = {{L"a", 0, L""}};
    EXPECT_FALSE(CListRowSorter::SortByText(t, 0, TRUE, 0, -1));
    t.rows.push_back({L"b", 0, L""});
    EXPECT_FALSE(CListRowSorter::SortByText(t, 0, TRUE, 1, 1));
    EXPECT_EQ(0, t.exchanges);
}

TEST(ColumnWidthList, FormatsAndReadsTheCommaList)
{
    EXPECT_EQ(CString(L"120,80,200,"), CColumnWidthList::Format({120, 80, 200}));
    EXPECT_EQ(CString(L""), CColumnWidthList::Format({}));

    struct Case { const wchar_t* saved; int column; int width; } cases[] = {
        {L"120,80,", 0, 120}, {L"120,80,", 1, 80}, {L"120,80,", 2, 0},
        {L"120,80", 1, 80},   {L"", 0, 0},         {L"abc,5,", 0, 0},
        {L",,3,", 0, 0},      {L",,3,", 2, 3},     {L"12px,", 0, 12},
        {L"120,80,", -1, 0},  {L"99999999999,", 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.width, CColumnWidthList::GetWidth(c.saved, c.column)) << c.saved << " " << c.column;
}

TEST(AttachItem, ConstructsEmptyAndCopiesEveryField)
{
    _ATTACH_ITEM a;
    EXPECT_TRUE(a.strLocalPath.IsEmpty());
    EXPECT_EQ(0, a.nValue);
    for (DWORD w : a.dwWords)
        EXPECT_EQ(0u, w);

    a.strLocalPath = L"c:\\x\\f.txt";
    a.nValue = 5;
    a.strFileName = L"f.txt";
    a.strExtra = L"e";
    a.strMsgID = L"m1";
    a.strSrcMsgID = L"m0";
    a.dwWords[2] = 1;
    a.dwWords[3] = 9;
    a.strExtra2 = L"e2";
    a.strExtra3 = L"e3";
    _ATTACH_ITEM b;
    b = a;
    EXPECT_EQ(a.strLocalPath, b.strLocalPath);
    EXPECT_EQ(5, b.nValue);
    EXPECT_EQ(a.strFileName, b.strFileName);
    EXPECT_EQ(a.strExtra, b.strExtra);
    EXPECT_EQ(a.strMsgID, b.strMsgID);
    EXPECT_EQ(a.strSrcMsgID, b.strSrcMsgID);
    EXPECT_EQ(1u, b.dwWords[2]);
    EXPECT_EQ(9u, b.dwWords[3]);
    EXPECT_EQ(a.strExtra2, b.strExtra2);
    EXPECT_EQ(a.strExtra3, b.strExtra3);
}

namespace {

CString Describe(const CString& markup)
{
    CLinkMarkupTokenizer tokens(markup);
    CString out;
    for (int guard = 0; guard < 100; ++guard) {
        CLinkToken t = tokens.Next();
        switch (t.kind) {
        case CLinkToken::End: return out + L"$";
        case CLinkToken::Text: out += L"[" + t.strText + L"]"; break;
        case CLinkToken::BoldOn: out += L"B"; break;
        case CLinkToken::BoldOff: out += L"b"; break;
        case CLinkToken::LinkOpen: out += L"A(" + t.strText + L")"; break;
        case CLinkToken::LinkClose: out += L"a"; break;
        case CLinkToken::Breaks: out.AppendFormat(L"N%d", t.nCount); break;
        case CLinkToken::Tabs: out.AppendFormat(L"T%d", t.nCount); break;
        case CLinkToken::Skipped: out += L"?"; break;
        }
    }
    return out + L"!";
}

} // namespace

TEST(LinkMarkupTokenizer, TableOfMarkup)
{
    struct Case { const wchar_t* markup; const wchar_t* tokens; } cases[] = {
        {L"plain", L"[plain]$"},
        {L"a<<b", L"[a<b]$"},
        {L"<b>bold</b> x", L"B[bold]b[ x]$"},
        {L"<B>x</B>", L"B[x]b$"},
        {L"<a href=http://k/x>go</a>", L"A(http://k/x)[go]a$"},
        {L"<A HREF=\"q r\">x</A>", L"A(q)[x]a$"},
        {L"<a href=\"quoted\">x</a>", L"A(quoted)[x]a$"},
        {L"<br>x<br=2>y<br=0x3>z<br=010>", L"N1[x]N2[y]N3[z]N8$"},
        {L"<br=0>a<br=-4>b", L"N1[a]N1[b]$"},
        {L"<t>a<t=2>", L"T1[a]T2$"},
        {L"a\tb\nc", L"[a]T1[b]N1[c]$"},
        {L"a\r\nb", L"[a]N1[b]$"},
        {L"x<i>y</i>", L"[x]?[y]?$"},
        {L"x<b", L"[x]$"},
        {L"x<", L"[x<]$"},
        {L"<", L"[<]$"},
        {L"", L"$"},
        {L"<br=99999>", L"N1000$"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CStringA(c.tokens), CStringA(Describe(c.markup))) << CStringA(c.markup).GetString();
}
