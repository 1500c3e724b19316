#include "common/CWqBuffer.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

// Counts destructions, to see when Release really deletes.
struct Counted : CWqObj {
    explicit Counted(int* p) : pDeleted(p) {}
    ~Counted() override { ++*pDeleted; }
    int* pDeleted;
};

std::string Bytes(const CWqBuffer& b)
{
    return std::string(reinterpret_cast<const char*>(b.GetData()), b.GetSize());
}

} // namespace

TEST(CWqObj, ReleaseDeletesAtZeroAndIgnoresAnUnreferencedObject)
{
    int deleted = 0;
    Counted* p = new Counted(&deleted);
    EXPECT_EQ(p->Release(), 0); // never added to: stays alive
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(p->AddRef(), 1);
    EXPECT_EQ(p->AddRef(), 2);
    EXPECT_EQ(p->Release(), 1);
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(p->Release(), 0);
    EXPECT_EQ(deleted, 1);
}

TEST(CWqBuffer, CreateHoldsOneReference)
{
    CWqBuffer* p = CWqBuffer::Create();
    EXPECT_EQ(p->GetRefCount(), 1);
    EXPECT_EQ(p->GetData(), nullptr);
    EXPECT_EQ(p->Release(), 0);
}

TEST(CWqBuffer, AppendGrowsInWholeKilobytes)
{
    CWqBuffer b;
    b.Append("abc", 3);
    EXPECT_EQ(b.GetSize(), 3u);
    EXPECT_EQ(b.GetCapacity(), 1024u);
    b.Append("", 0);
    EXPECT_EQ(b.GetSize(), 3u);
    std::string big(1500, 'x');
    b.Append(big.data(), 1500);
    EXPECT_EQ(b.GetSize(), 1503u);
    EXPECT_EQ(b.GetCapacity(), 2048u);
    EXPECT_EQ(Bytes(b).substr(0, 4), "abcx");

    b.AppendByte(0x41);
    b.AppendWord(0x4342); // little-endian: "BC"
    b.AppendChar('D');
    EXPECT_EQ(Bytes(b).substr(1503), "ABCD");
    EXPECT_EQ(b.FreeSpace(), b.GetCapacity() - b.GetSize());
}

TEST(CWqBuffer, ReserveAllocatesExactlyAndShrinksWithoutMoving)
{
    CWqBuffer b;
    b.Reserve(10);
    EXPECT_EQ(b.GetCapacity(), 10u);
    b.Append("0123456789", 10);
    BYTE* before = b.GetData();
    b.Reserve(4);
    EXPECT_EQ(b.GetCapacity(), 4u);
    EXPECT_EQ(b.GetSize(), 4u);
    EXPECT_EQ(b.GetData(), before);
    b.Reserve(20);
    EXPECT_EQ(b.GetCapacity(), 20u);
    EXPECT_EQ(Bytes(b), "0123");
}

TEST(CWqBuffer, AppendCharOnAFullBufferAddsAKilobyte)
{
    CWqBuffer b;
    b.Reserve(2);
    b.AppendChar('a');
    b.AppendChar('b');
    EXPECT_EQ(b.GetCapacity(), 2u);
    b.AppendChar('c');
    EXPECT_EQ(b.GetCapacity(), 1026u);
    EXPECT_EQ(Bytes(b), "abc");
}

TEST(CWqBuffer, WriteAtRemoveAndRead)
{
    CWqBuffer b;
    b.Append("hello", 5);
    b.WriteAt(3, "LOWORLD", 7);
    EXPECT_EQ(Bytes(b), "helLOWORLD");
    b.WriteAt(0, "H", 1);
    EXPECT_EQ(Bytes(b), "HelLOWORLD");

    b.Remove(3, 2);
    EXPECT_EQ(Bytes(b), "HelWORLD");
    b.Remove(99, 1); // past the end: nothing
    EXPECT_EQ(b.GetSize(), 8u);
    b.Remove(5, 100); // runs past the end: only shortens
    EXPECT_EQ(Bytes(b), "HelWO");

    char out[16] = {};
    EXPECT_EQ(b.Read(1, out, 0xFFFFFFFF), 4u);
    EXPECT_STREQ(out, "elWO");
    std::memset(out, 0, sizeof(out));
    EXPECT_EQ(b.Read(0, out, 2), 2u);
    EXPECT_STREQ(out, "He");
    EXPECT_EQ(b.Read(0, out, 0), 0u);
    EXPECT_EQ(b.Read(5, out, 1), 0u);
    CWqBuffer empty;
    EXPECT_EQ(empty.Read(0, out, 0xFFFFFFFF), 0u);
}

TEST(CWqBuffer, FindByteAndGetAt)
{
    CWqBuffer b;
    b.Append("a%b%", 4);
    EXPECT_EQ(b.FindByte('%'), 1);
    EXPECT_EQ(b.FindByte('%', 2), 3);
    EXPECT_EQ(b.FindByte('%', 4), -1);
    EXPECT_EQ(b.FindByte('z'), -1);
    EXPECT_EQ(b.GetAt(2), 'b');
}

TEST(CWqBuffer, AsStringStaysInsideAFullArray)
{
    // The array is exactly full: the text must come out without a terminator being written.
    CWqBuffer b;
    b.Reserve(5);
    b.Append("hello", 5);
    EXPECT_EQ(b.GetSize(), b.GetCapacity());
    EXPECT_EQ(b.AsString(), L"hello");
    EXPECT_EQ(b.GetCapacity(), 5u);

    // A full buffer whose allocation is longer than its capacity (a lowered Reserve keeps the
    // array): the byte just past the capacity stays what it was, so nothing is written there.
    CWqBuffer full;
    full.Reserve(8);
    full.Append("hello\x7F\x7F\x7F", 8);
    full.Reserve(5);
    ASSERT_EQ(full.GetSize(), full.GetCapacity());
    EXPECT_EQ(full.AsString(), L"hello");
    EXPECT_EQ(full.GetData()[5], 0x7F);

    CWqBuffer z;
    z.Append("ab\0cd", 5); // a zero byte ends the text
    EXPECT_EQ(z.AsString(), L"ab");
    EXPECT_EQ(CWqBuffer().AsString(), L"");
}

TEST(CWqBuffer, WideStringsAssignAndXor)
{
    CWqBuffer b;
    b.AppendString(L"W\u00e9");
    EXPECT_EQ(b.GetSize(), 4u);
    b.AppendByte(0x99); // an odd byte is not part of the wide text
    EXPECT_EQ(b.AsWideString(), L"W\u00e9");

    CWqBuffer c;
    c.Append("zz", 2);
    c.Assign(b);
    EXPECT_EQ(Bytes(c), Bytes(b));
    c.AppendBuffer(b);
    EXPECT_EQ(c.GetSize(), 10u);
    c.AppendBuffer(c);
    EXPECT_EQ(c.GetSize(), 20u);
    EXPECT_EQ(Bytes(c).substr(0, 10), Bytes(c).substr(10));

    CWqBuffer x;
    x.Append("A*", 2);
    EXPECT_EQ(x.XorBytes(), 2u);
    EXPECT_EQ(x.GetAt(0), 'A' ^ 42);
    EXPECT_EQ(x.GetAt(1), 0);
    x.XorBytes();
    EXPECT_EQ(Bytes(x), "A*");
    EXPECT_EQ(CWqBuffer().XorBytes(), 0u);
}
