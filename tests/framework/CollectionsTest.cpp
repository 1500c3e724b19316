// The framework collections: arrays with checked indexes, POSITION-based lists and hash maps.
#include "framework/CArray.h"
#include "framework/CByteArray.h"
#include "framework/CMapPtrToPtr.h"
#include "framework/CMapStringToOb.h"
#include "framework/CMapStringToPtr.h"
#include "framework/CMapStringToString.h"
#include "framework/CMapWordToPtr.h"
#include "framework/CObList.h"
#include "framework/CPtrArray.h"
#include "framework/CPtrList.h"
#include "framework/CStringList.h"
#include "framework/CUIntArray.h"
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <vector>

namespace {

// Runs f and reports whether it threw the framework's invalid-argument exception.
bool ThrowsInvalidArg(const std::function<void()>& f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

std::vector<UINT> Items(const CUIntArray& a)
{
    std::vector<UINT> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(a[i]);
    return v;
}

template <class L>
std::vector<CString> Forward(const L& list)
{
    std::vector<CString> v;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        v.push_back(list.GetNext(pos));
    return v;
}

template <class L>
std::vector<CString> Backward(const L& list)
{
    std::vector<CString> v;
    for (POSITION pos = list.GetTailPosition(); pos;)
        v.push_back(list.GetPrev(pos));
    return v;
}

} // namespace

TEST(CArrayTest, EditsKeepOrder)
{
    CUIntArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_EQ(a.Add(1), 0);
    EXPECT_EQ(a.Add(2), 1);
    a.InsertAt(1, 9, 2); // 1 9 9 2
    EXPECT_EQ(Items(a), (std::vector<UINT>{1, 9, 9, 2}));
    a.RemoveAt(1, 2);
    EXPECT_EQ(Items(a), (std::vector<UINT>{1, 2}));
    a.SetAtGrow(4, 5); // grows with zeros
    EXPECT_EQ(Items(a), (std::vector<UINT>{1, 2, 0, 0, 5}));
    EXPECT_EQ(a.GetUpperBound(), 4);
    a.InsertAt(7, 8); // an index past the end grows the array to reach it
    EXPECT_EQ(a.GetSize(), 8);
    EXPECT_EQ(a[7], 8u);
    EXPECT_EQ(a.Append(a), 8); // appending itself doubles it
    EXPECT_EQ(a.GetSize(), 16);
    a.SetSize(2);
    EXPECT_EQ(Items(a), (std::vector<UINT>{1, 2}));
    a.ElementAt(0) = 7;
    a.SetAt(1, 8);
    CUIntArray b;
    b.Copy(a);
    a.InsertAt(0, &b);
    EXPECT_EQ(Items(a), (std::vector<UINT>{7, 8, 7, 8}));
    a.InsertAt(1, a[0]); // an element of the array itself as the value
    EXPECT_EQ(Items(a), (std::vector<UINT>{7, 7, 8, 7, 8}));
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(CArrayTest, BadIndexesThrow)
{
    CArray<CString, const CString&> a;
    a.Add(L"x");
    a.Add(L"y");
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"GetAt(-1)", [&] { a.GetAt(-1); }},
        {"GetAt(size)", [&] { a.GetAt(2); }},
        {"operator[](size)", [&] { a[2]; }},
        {"SetAt(5)", [&] { a.SetAt(5, L"z"); }},
        {"ElementAt(-3)", [&] { a.ElementAt(-3); }},
        {"RemoveAt(1, 2)", [&] { a.RemoveAt(1, 2); }},
        {"RemoveAt(-1)", [&] { a.RemoveAt(-1); }},
        {"InsertAt(-1)", [&] { a.InsertAt(-1, L"z"); }},
        {"SetAtGrow(-1)", [&] { a.SetAtGrow(-1, L"z"); }},
        {"SetSize(-1)", [&] { a.SetSize(-1); }},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(ThrowsInvalidArg(c.second)) << c.first;
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a[1], L"y");
    EXPECT_FALSE(ThrowsInvalidArg([&] { a.GetAt(1); }));
}

TEST(CArrayTest, TypedArrays)
{
    CByteArray bytes;
    bytes.Add(0xFF);
    EXPECT_EQ(bytes[0], 0xFF);
    CPtrArray ptrs;
    int x = 0;
    ptrs.Add(&x);
    EXPECT_EQ(ptrs[0], &x);
}

TEST(CListTest, AddInsertRemoveAndWalk)
{
    CStringList list;
    POSITION b = list.AddTail(L"b");
    list.AddHead(L"a");
    POSITION d = list.AddTail(L"d");
    list.InsertBefore(d, L"c");
    list.InsertAfter(d, L"e");
    list.InsertBefore(nullptr, L"0"); // null means the head
    list.InsertAfter(nullptr, L"f");  // and the tail
    EXPECT_EQ(Forward(list), (std::vector<CString>{L"0", L"a", L"b", L"c", L"d", L"e", L"f"}));
    EXPECT_EQ(Backward(list), (std::vector<CString>{L"f", L"e", L"d", L"c", L"b", L"a", L"0"}));
    EXPECT_EQ(list.GetCount(), 7);
    EXPECT_EQ(list.GetHead(), L"0");
    EXPECT_EQ(list.GetTail(), L"f");

    EXPECT_EQ(list.RemoveHead(), L"0");
    EXPECT_EQ(list.RemoveTail(), L"f");
    list.RemoveAt(b);
    list.SetAt(d, L"D");
    EXPECT_EQ(Forward(list), (std::vector<CString>{L"a", L"c", L"D", L"e"}));
    EXPECT_EQ(list.GetAt(list.FindIndex(2)), L"D");
    EXPECT_EQ(list.FindIndex(4), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    EXPECT_EQ(list.Find(L"e"), list.FindIndex(3));
    EXPECT_EQ(list.Find(L"x"), nullptr);
    EXPECT_TRUE(list.IsValidPosition(d));
    EXPECT_FALSE(list.IsValidPosition(b));

    CStringList copy;
    copy.AddTail(&list);
    copy.AddHead(&copy); // a list added to itself doubles once
    EXPECT_EQ(Forward(copy), (std::vector<CString>{L"a", L"c", L"D", L"e", L"a", L"c", L"D", L"e"}));
    EXPECT_EQ(copy.Find(L"a", copy.GetHeadPosition()), copy.FindIndex(4));

    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    list.AddTail(L"again"); // usable after RemoveAll
    EXPECT_EQ(list.GetHead(), L"again");
}

TEST(CListTest, ManyNodesAcrossBlocks)
{
    CPtrList list(3);
    for (INT_PTR i = 0; i < 100; ++i)
        list.AddTail(reinterpret_cast<void*>(i + 1));
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION cur = pos;
        auto v = reinterpret_cast<INT_PTR>(list.GetNext(pos));
        if (v % 2 == 0)
            list.RemoveAt(cur); // removing while walking is safe: pos already moved on
    }
    EXPECT_EQ(list.GetCount(), 50);
    for (INT_PTR i = 0; i < 50; ++i)
        list.AddHead(reinterpret_cast<void*>(1000 + i)); // reuses freed nodes
    EXPECT_EQ(list.GetCount(), 100);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(list.GetHead()), 1049);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(list.GetTail()), 99);
}

TEST(CListTest, BadPositionsAndEmptyListThrow)
{
    CObList list;
    CObList other;
    POSITION foreign = other.AddTail(static_cast<CObject*>(nullptr));
    POSITION removed = list.AddTail(static_cast<CObject*>(nullptr));
    list.RemoveAt(removed);
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"GetHead on empty", [&] { list.GetHead(); }},
        {"GetTail on empty", [&] { list.GetTail(); }},
        {"RemoveHead on empty", [&] { list.RemoveHead(); }},
        {"RemoveTail on empty", [&] { list.RemoveTail(); }},
        {"GetAt(null)", [&] { list.GetAt(nullptr); }},
        {"GetAt(other list)", [&] { list.GetAt(foreign); }},
        {"RemoveAt(removed)", [&] { list.RemoveAt(removed); }},
        {"SetAt(removed)", [&] { list.SetAt(removed, nullptr); }},
        {"GetNext(null)", [&] { POSITION p = nullptr; list.GetNext(p); }},
        {"InsertAfter(other list)", [&] { list.InsertAfter(foreign, static_cast<CObject*>(nullptr)); }},
        {"AddTail(null list)", [&] { list.AddTail(static_cast<const CObList*>(nullptr)); }},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(ThrowsInvalidArg(c.second)) << c.first;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(other.GetCount(), 1);
}

TEST(CMapTest, StringToStringBasics)
{
    CMapStringToString map;
    CString value = L"untouched";
    EXPECT_FALSE(map.Lookup(L"a", value));
    EXPECT_EQ(value, L"untouched");
    map.SetAt(L"a", L"1");
    map[L"b"] = L"2";
    map.SetAt(L"a", L"3"); // replaces
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.Lookup(L"a", value));
    EXPECT_EQ(value, L"3");
    EXPECT_FALSE(map.Lookup(L"A", value)); // case-sensitive
    EXPECT_EQ(map[L"new"], L""); // operator[] adds an empty value
    EXPECT_EQ(map.GetCount(), 3);
    ASSERT_NE(map.PLookup(L"b"), nullptr);
    EXPECT_EQ(map.PLookup(L"b")->value, L"2");
    map.PLookup(L"b")->value = L"two";
    EXPECT_EQ(map[L"b"], L"two");
    EXPECT_EQ(map.PLookup(L"zz"), nullptr);
    EXPECT_TRUE(map.RemoveKey(L"new"));
    EXPECT_FALSE(map.RemoveKey(L"new"));
    map.SetAt(nullptr, L"empty key"); // a null key is the empty text
    EXPECT_TRUE(map.Lookup(L"", value));
    EXPECT_EQ(value, L"empty key");
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

TEST(CMapTest, IterationVisitsEveryPairOnce)
{
    CMapStringToPtr map;
    map.InitHashTable(7); // fewer buckets than keys: chains are walked too
    std::map<CString, void*> expected;
    for (int i = 0; i < 40; ++i) {
        CString key;
        key.Format(L"key%d", i);
        map[key] = reinterpret_cast<void*>(static_cast<INT_PTR>(i));
        expected[key] = reinterpret_cast<void*>(static_cast<INT_PTR>(i));
    }
    for (int i = 0; i < 40; i += 3) {
        CString key;
        key.Format(L"key%d", i);
        map.RemoveKey(key);
        expected.erase(key);
    }
    std::map<CString, void*> seen;
    CString key;
    void* value = nullptr;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        EXPECT_TRUE(seen.emplace(key, value).second) << "visited twice";
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(map.GetCount(), static_cast<INT_PTR>(expected.size()));
}

TEST(CMapTest, PointerAndWordKeysAndBadPositions)
{
    CMapPtrToPtr ptrs;
    int a = 0, b = 0;
    ptrs[&a] = &b;
    void* out = nullptr;
    EXPECT_TRUE(ptrs.Lookup(&a, out));
    EXPECT_EQ(out, &b);
    EXPECT_FALSE(ptrs.Lookup(&b, out));

    CMapWordToPtr words;
    words.SetAt(7, &a);
    EXPECT_TRUE(words.Lookup(7, out));
    EXPECT_EQ(out, &a);

    CMapStringToOb obs;
    CMapStringToOb other;
    other[L"x"] = nullptr;
    POSITION foreign = other.GetStartPosition();
    CString key;
    CObject* ob = nullptr;
    EXPECT_TRUE(ThrowsInvalidArg([&] { POSITION p = nullptr; obs.GetNextAssoc(p, key, ob); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { POSITION p = foreign; obs.GetNextAssoc(p, key, ob); }));
}
