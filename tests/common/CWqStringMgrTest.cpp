#include "common/CNoCaseString.h"
#include "common/CWqStringMgr.h"
#include <gtest/gtest.h>

namespace {

CString Joined(const CStringArray& a)
{
    CString s;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        s += L"[" + a[i] + L"]";
    return s;
}

} // namespace

TEST(CWqStringMgr, SplitFirstCutsOneFieldAtATime)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* delim;
        const wchar_t* head;
        const wchar_t* rest;
    } cases[] = {
        {L"a&b&c", L"&", L"a", L"b&c"},
        {L"abc", L"&", L"abc", L""},        // no delimiter: head takes it all
        {L"&abc", L"&", L"", L"abc"},       // leading delimiter: empty head
        {L"one\r\ntwo", L"\r\n", L"one", L"two"}, // two-character delimiter removed whole
        {L" a ;b", L";", L" a ", L"b"},     // head is not trimmed
    };
    for (const Case& c : cases) {
        CString text = c.text, head;
        EXPECT_TRUE(CWqStringMgr::SplitFirst(text, head, c.delim)) << c.text;
        EXPECT_EQ(head, c.head) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(CWqStringMgr, SplitFirstOnEmptyTextLeavesHeadAlone)
{
    CString text = L"abc", head;
    ASSERT_TRUE(CWqStringMgr::SplitFirst(text, head, L"&"));
    EXPECT_FALSE(CWqStringMgr::SplitFirst(text, head, L"&"));
    EXPECT_EQ(head, L"abc");
}

TEST(CWqStringMgr, SplitKeyValueTrimsAndStopsAtNextDelimiter)
{
    CString text = L"  server =  host  ", key, value;
    EXPECT_TRUE(CWqStringMgr::SplitKeyValue(text, key, value, L"="));
    EXPECT_EQ(key, L"server");
    EXPECT_EQ(value, L"host");
    EXPECT_EQ(text, L"");

    text = L"a=b=c=d";
    EXPECT_TRUE(CWqStringMgr::SplitKeyValue(text, key, value, L"="));
    EXPECT_EQ(key, L"a");
    EXPECT_EQ(value, L"b");
    EXPECT_EQ(text, L"c=d");

    text = L"novalue";
    key = L"k";
    value = L"v";
    EXPECT_FALSE(CWqStringMgr::SplitKeyValue(text, key, value, L"="));
    EXPECT_EQ(text, L"novalue");
    EXPECT_EQ(key, L"k");
    EXPECT_EQ(value, L"v");
}

TEST(CWqStringMgr, TokenizeStringFields)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* fields;
    } cases[] = {
        {L"a&b", L"[a][b]"},
        {L"a&b&", L"[a][b]"},       // no empty last field
        {L"a&&b", L"[a][][b]"},     // empty field between two delimiters
        {L"&a", L"[][a]"},          // leading delimiter
        {L"", L""},
        {L" a & b ", L"[ a ][ b ]"}, // not trimmed
    };
    for (const Case& c : cases) {
        CStringArray a;
        a.Add(L"stale");
        CWqStringMgr::TokenizeString(c.text, &a, L"&");
        EXPECT_EQ(Joined(a), c.fields) << c.text;
    }
}

TEST(CWqStringMgr, EmptyDelimiterIsRefusedInsteadOfLoopingForever)
{
    CString text = L"abc", head, key, value;
    EXPECT_FALSE(CWqStringMgr::SplitFirst(text, head, L""));
    EXPECT_FALSE(CWqStringMgr::SplitKeyValue(text, key, value, L""));
    CStringArray a;
    CWqStringMgr::TokenizeString(L"abc", &a, L"");
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(CWqStringMgr::GetFieldCount(L"abc", L""), 0);
}

TEST(CWqStringMgr, WideToAnsiTemp)
{
    EXPECT_EQ(CWqStringMgr::WideToAnsiTemp(nullptr), nullptr);
    auto empty = CWqStringMgr::WideToAnsiTemp(L"");
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty.get(), "");
    auto host = CWqStringMgr::WideToAnsiTemp(L"10.0.0.1");
    ASSERT_NE(host, nullptr);
    EXPECT_STREQ(host.get(), "10.0.0.1");
}

TEST(CWqStringMgr, EqualityWithNarrowLiteral)
{
    EXPECT_TRUE(CWqStringMgr::IsEqual(L"SHOWMANAGE", "SHOWMANAGE"));
    EXPECT_FALSE(CWqStringMgr::IsEqual(L"showmanage", "SHOWMANAGE"));
}

TEST(CWqStringMgr, FieldListHelpers)
{
    CString field;
    EXPECT_TRUE(CWqStringMgr::GetField(L"a;b;c", 2, field, L";"));
    EXPECT_EQ(field, L"c");
    EXPECT_FALSE(CWqStringMgr::GetField(L"a;b;c", 3, field, L";"));
    EXPECT_EQ(CWqStringMgr::GetFieldCount(L"a;b;c;", L";"), 3);
    EXPECT_EQ(CWqStringMgr::FieldIndex(L"a;b;c", L"b", L";"), 1);
    EXPECT_EQ(CWqStringMgr::FieldIndex(L"a;b;c", L"B", L";"), -1);
    EXPECT_TRUE(CWqStringMgr::ContainsField(L"a;b", L"a", L";"));

    CString list = L"a;b;c";
    EXPECT_TRUE(CWqStringMgr::RemoveField(list, L"b", L";"));
    EXPECT_EQ(list, L"a;c");
    EXPECT_FALSE(CWqStringMgr::RemoveField(list, L"", L";"));
    EXPECT_EQ(list, L"a;c");

    CString t;
    CWqStringMgr::AppendField(t, L"x", L",");
    CWqStringMgr::AppendField(t, L"y", L",");
    EXPECT_EQ(t, L"x,y");
    CString kv;
    CWqStringMgr::AppendKeyValue(kv, L"k", L"v", L"=");
    CWqStringMgr::AppendKeyValue(kv, L"k2", L"v2", L"=");
    EXPECT_EQ(kv, L"k=v=k2=v2");
}

TEST(CWqStringMgr, KeyValueListHelpers)
{
    CString value;
    EXPECT_TRUE(CWqStringMgr::GetListValue(L"a = 1; b=2 ;c=3", L"b", value, L";"));
    EXPECT_EQ(value, L"2");
    EXPECT_FALSE(CWqStringMgr::GetListValue(L"a=1", L"A", value, L";"));
    EXPECT_EQ(CWqStringMgr::GetListValueOr(L"a=1", L"z", L"dflt", L";"), L"dflt");

    CString list = L"a=1;b=2";
    EXPECT_TRUE(CWqStringMgr::SetListValue(list, L"b", L"9"));
    EXPECT_EQ(list, L"a=1;b = 9");
    EXPECT_FALSE(CWqStringMgr::SetListValue(list, L"zz", L"9"));

    std::map<CNoCaseString, CString> map;
    CWqStringMgr::ListToMap(L"Key=1&KEY=2&other = x", map, L"&");
    EXPECT_EQ(map.size(), 2u); // keys differing only in case are one key
    EXPECT_EQ(map[CNoCaseString(L"key")], L"2");
    EXPECT_EQ(map[CNoCaseString(L"OTHER")], L"x");

    CStringArray keys, values;
    CWqStringMgr::ListToArrays(L"a=1,b=2", keys, values, L",");
    EXPECT_EQ(CWqStringMgr::LookupInArrays(keys, values, L"B"), L"2");
    EXPECT_EQ(CWqStringMgr::LookupInArrays(keys, values, L"q"), L"");
    EXPECT_TRUE(CWqStringMgr::FindKeyValue(L"a=1=b=2", L"b", L"", L"="));
}

TEST(CWqStringMgr, TextHelpers)
{
    EXPECT_EQ(CWqStringMgr::XmlEscape(L"<a href='x'>&\"</a>"),
              L"&lt;a href=&apos;x&apos;&gt;&amp;&quot;&lt;/a&gt;");
    EXPECT_EQ(CWqStringMgr::SqlQuote(L"it's"), L"it''s");
    EXPECT_EQ(CWqStringMgr::Repeat(L"ab", 3), L"ababab");
    EXPECT_EQ(CWqStringMgr::Repeat(L'-', 0), L"");
    CString s = L"abcdef";
    CWqStringMgr::DropFromEnd(s, 2);
    EXPECT_EQ(s, L"abcd");
    CWqStringMgr::RemoveRange(s, 1, 3);
    EXPECT_EQ(s, L"ad");
    CWqStringMgr::InsertAt(s, 1, L"XY");
    EXPECT_EQ(s, L"aXYd");
    CWqStringMgr::InsertAt(s, 9, L"no");
    EXPECT_EQ(s, L"aXYd");
    CStringArray names;
    CWqStringMgr::GetBracketedNames(L"[a] x [b][a] [", names);
    EXPECT_EQ(Joined(names), L"[a][b]");
}

TEST(CWqStringMgr, NumberHelpers)
{
    struct Case {
        const wchar_t* text;
        BOOL numeric;
    } cases[] = {
        {L"0", TRUE}, {L"12.5", TRUE}, {L"-3", TRUE}, {L"0.5", TRUE},
        {L"012", FALSE}, {L"1.", FALSE}, {L"1.2.3", FALSE}, {L"3-", FALSE}, {L"", FALSE}, {L"a", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CWqStringMgr::IsNumericText(c.text), c.numeric) << c.text;
    EXPECT_TRUE(CWqStringMgr::IsIntegerText(L"42"));
    EXPECT_FALSE(CWqStringMgr::IsIntegerText(L"042"));
    CString t = L"12.500";
    CWqStringMgr::TrimTrailingZeros(t);
    EXPECT_EQ(t, L"12.5");
    t = L"7.000";
    CWqStringMgr::TrimTrailingZeros(t);
    EXPECT_EQ(t, L"7");
    t = L"100";
    CWqStringMgr::TrimTrailingZeros(t);
    EXPECT_EQ(t, L"100");
    EXPECT_EQ(CWqStringMgr::FormatNumber(3.14159, 2, TRUE), L"3.14");
    EXPECT_EQ(CWqStringMgr::FormatDecimals(L"2.5", 3, TRUE), L"2.5");
    EXPECT_DOUBLE_EQ(CWqStringMgr::ToNumber(L"1.25"), 1.25);
}
