// The history viewer's link ranges: adding, exact look-up, keys and typed values.
#include "msgcenter/historyviewer/CLinkDataMgr.h"
#include <gtest/gtest.h>

TEST(LinkDataMgr, RefusedRangesAddNothing)
{
    CLinkDataMgr links;
    EXPECT_EQ(links.AddItem(5, 4, L"a"), nullptr);
    EXPECT_EQ(links.AddItem(-1, 4, L"a"), nullptr);
    EXPECT_EQ(links.AddItem(1, 4, L""), nullptr);
    EXPECT_EQ(links.GetCount(), 0);
}

TEST(LinkDataMgr, LookUpMatchesOnlyTheExactRange)
{
    CLinkDataMgr links;
    CLinkDataMgr::CLinkItem* first = links.AddItem(10, 20, L"report.doc");
    CLinkDataMgr::CLinkItem* second = links.AddItem(30, 40, L"Show in folder");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(links.FindByRange(10, 20), first);
    EXPECT_EQ(links.FindByRange(30, 40), second);
    // An address the rich edit found around or inside an attachment link is not that link.
    EXPECT_EQ(links.FindByRange(0, 25), nullptr);
    EXPECT_EQ(links.FindByRange(15, 40), nullptr);
    EXPECT_EQ(links.FindByRange(12, 18), nullptr);
    EXPECT_EQ(links.FindByRange(-1, 40), nullptr);

    // The same range drawn again renames its item and keeps the rest.
    first->kind = 1;
    first->SetValue(L"_MsgID_", L"m1");
    EXPECT_EQ(links.AddItem(10, 20, L"renamed"), first);
    EXPECT_EQ(links.GetCount(), 2);
    EXPECT_EQ(first->text, CString(L"renamed"));
    EXPECT_EQ(first->kind, 1);
    // A wider range is another link.
    EXPECT_NE(links.AddItem(0, 50, L"wide"), first);
    EXPECT_EQ(links.GetCount(), 3);

    links.RemoveItem(second);
    EXPECT_EQ(links.FindByRange(30, 40), nullptr);
    links.RemoveAll();
    EXPECT_EQ(links.GetCount(), 0);
    EXPECT_EQ(links.FindByRange(10, 20), nullptr);
}

TEST(LinkDataMgr, KeysIgnoreCaseAndKeepTheirFirstSpelling)
{
    CLinkDataMgr::CLinkItem item;
    EXPECT_EQ(item.SetValue(L"Path", L"a"), 0);
    EXPECT_EQ(item.SetValue(L"PATH", L"b"), 0);
    EXPECT_EQ(item.SetValue(L"", L"x"), -1);
    ASSERT_EQ(item.keys.GetSize(), 1);
    EXPECT_EQ(item.keys[0], CString(L"Path"));
    CString value = L"stale";
    EXPECT_TRUE(item.GetValue(L"path", value));
    EXPECT_EQ(value, CString(L"b"));
    EXPECT_FALSE(item.GetValue(L"absent", value));
    EXPECT_TRUE(value.IsEmpty());
    EXPECT_EQ(item.FindKey(L""), -1);
}

TEST(LinkDataMgr, TypedValues)
{
    CLinkDataMgr::CLinkItem item;
    item.SetValue(L"n", L"42abc");
    item.SetValue(L"big", 5000000000LL);
    int n = 0;
    EXPECT_TRUE(item.GetIntValue(L"n", n));
    EXPECT_EQ(n, 42);
    EXPECT_FALSE(item.GetIntValue(L"none", n));
    EXPECT_EQ(n, -1);
    CString text;
    item.GetValue(L"big", text);
    EXPECT_EQ(text, CString(L"5000000000"));
    LONGLONG big = 0;
    EXPECT_TRUE(item.GetInt64Value(L"big", big));
    EXPECT_EQ(big, 5000000000LL);
    EXPECT_FALSE(item.GetInt64Value(L"none", big));
    EXPECT_EQ(big, -1);
}

TEST(LinkDataMgr, TheViewLibraryAddsItsLinksThroughTheSink)
{
    CLinkDataMgr links;
    ILinkDataSink* sink = &links;
    EXPECT_TRUE(sink->AddLink(3, 9, L"[cmd]", 31, L"_XXAppCommand", L"cmd"));
    EXPECT_FALSE(sink->AddLink(9, 3, L"[cmd]", 31, L"_XXAppCommand", L"cmd"));
    CLinkDataMgr::CLinkItem* item = links.FindByRange(3, 9);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->kind, 31);
    CString value;
    EXPECT_TRUE(item->GetValue(L"_xxappcommand", value));
    EXPECT_EQ(value, CString(L"cmd"));
}
