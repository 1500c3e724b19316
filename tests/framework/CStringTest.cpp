#include "framework/CString.h"
#include "framework/CStringArray.h"
#include <gtest/gtest.h>

TEST(CString, ConstructsFromWideAndNarrowText)
{
    EXPECT_EQ(CString(L"abc"), L"abc");
    EXPECT_EQ(CString("abc"), L"abc");
    EXPECT_EQ(CString(static_cast<const wchar_t*>(nullptr)), L"");
    EXPECT_EQ(CString(L'x', 3), L"xxx");
    EXPECT_EQ(CString(L"abcdef", 3), L"abc");
    EXPECT_EQ(CStringA(L"abc"), "abc");
    EXPECT_EQ(CStringA(L"abc").GetLength(), 3);
}

TEST(CString, ExtractsClampedRanges)
{
    CString s(L"Hello, world");
    EXPECT_EQ(s.Left(5), L"Hello");
    EXPECT_EQ(s.Left(99), s);
    EXPECT_EQ(s.Left(-1), L"");
    EXPECT_EQ(s.Right(5), L"world");
    EXPECT_EQ(s.Right(0), L"");
    EXPECT_EQ(s.Mid(7), L"world");
    EXPECT_EQ(s.Mid(7, 2), L"wo");
    EXPECT_EQ(s.Mid(50), L"");
    EXPECT_EQ(s.Mid(-3, 2), L"He");
}

TEST(CString, FindsCharactersAndSubstrings)
{
    CString s(L"a=b=c");
    EXPECT_EQ(s.Find(L'='), 1);
    EXPECT_EQ(s.Find(L'=', 2), 3);
    EXPECT_EQ(s.Find(L"b=c"), 2);
    EXPECT_EQ(s.Find(L"x"), -1);
    EXPECT_EQ(s.Find(L'=', 99), -1);
    EXPECT_EQ(s.ReverseFind(L'='), 3);
    EXPECT_EQ(s.FindOneOf(L"cb"), 2);
}

TEST(CString, TrimsWhiteSpaceAndGivenCharacters)
{
    CString s(L" \t x y \r\n");
    s.Trim();
    EXPECT_EQ(s, L"x y");
    CString z(L"00120.500");
    z.TrimRight(L'0');
    EXPECT_EQ(z, L"00120.5");
    z.TrimLeft(L"0");
    EXPECT_EQ(z, L"120.5");
    CString q(L"[[x]]");
    q.Trim(L"[]");
    EXPECT_EQ(q, L"x");
}

TEST(CString, EditsInPlace)
{
    CString s(L"aXbXc");
    EXPECT_EQ(s.Replace(L"X", L"--"), 2);
    EXPECT_EQ(s, L"a--b--c");
    EXPECT_EQ(s.Replace(L"", L"y"), 0);
    EXPECT_EQ(s.Remove(L'-'), 4);
    EXPECT_EQ(s, L"abc");
    s.Insert(1, L"ZZ");
    EXPECT_EQ(s, L"aZZbc");
    s.Insert(99, L'!');
    EXPECT_EQ(s, L"aZZbc!");
    s.Delete(1, 2);
    EXPECT_EQ(s, L"abc!");
    s.Delete(3, 50);
    EXPECT_EQ(s, L"abc");
    s.MakeUpper();
    EXPECT_EQ(s, L"ABC");
    s.MakeLower();
    EXPECT_EQ(s, L"abc");
}

TEST(CString, ComparesWithAndWithoutCase)
{
    EXPECT_EQ(CString(L"abc").Compare(L"abd"), -1);
    EXPECT_EQ(CString(L"abc").Compare(L"abc"), 0);
    EXPECT_EQ(CString(L"ABC").CompareNoCase(L"abc"), 0);
    EXPECT_GT(CString(L"b").CompareNoCase(L"A"), 0);
    EXPECT_TRUE(CString(L"x") != CString(L"y"));
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
}

TEST(CString, FormatsWithWideStringArguments)
{
    CString s;
    s.Format(L"%s-%d-%s", L"host", 6660, L"user");
    EXPECT_EQ(s, L"host-6660-user");
    s.AppendFormat(L"|%.2d", 5);
    EXPECT_EQ(s, L"host-6660-user|05");
    CStringA a;
    a.Format("%s:%d", "h", 1);
    EXPECT_EQ(a, "h:1");
    // A long result is not cut at any fixed buffer size.
    CString big;
    big.Format(L"%s", CString(L'z', 5000).GetString());
    EXPECT_EQ(big.GetLength(), 5000);
}

TEST(CString, TokenizesAndSkipsEmptyTokens)
{
    CString s(L";a;;b;");
    int pos = 0;
    EXPECT_EQ(s.Tokenize(L";", pos), L"a");
    EXPECT_EQ(s.Tokenize(L";", pos), L"b");
    EXPECT_EQ(s.Tokenize(L";", pos), L"");
    EXPECT_EQ(pos, -1);
}

TEST(CString, BufferRoundTrip)
{
    CString s;
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s, L"hello");
    EXPECT_EQ(s.GetLength(), 5);
    p = s.GetBuffer(0);
    p[1] = L'a';
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, L"hal");
}

TEST(CString, LoadStringFailsForMissingId)
{
    CString s(L"unchanged");
    EXPECT_FALSE(s.LoadString(0xFFF0));
    EXPECT_EQ(s, L"unchanged");
}

TEST(CStringArray, ChecksEveryIndex)
{
    CStringArray a;
    a.Add(L"x");
    a.Add(L"y");
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a[1], L"y");
    for (INT_PTR bad : {INT_PTR(-1), INT_PTR(2)}) {
        bool thrown = false;
        try {
            a.GetAt(bad);
        } catch (CException* e) {
            thrown = dynamic_cast<CInvalidArgException*>(e) != nullptr;
            e->Delete();
        }
        EXPECT_TRUE(thrown) << bad;
    }
    a.SetAtGrow(4, L"z");
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a[3], L"");
    a.InsertAt(0, L"first");
    a.RemoveAt(1, 2);
    EXPECT_EQ(a[0], L"first");
    EXPECT_EQ(a.GetSize(), 4);
}
