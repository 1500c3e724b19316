#include "common/HexCipher.h"
#include <gtest/gtest.h>
#include <random>

namespace {

const wchar_t kKey[] = L"Kv7q2Lm9Xp4Rt8";

CString Enc(CString text, const CString& key = kKey)
{
    EncryptHexString(text, key);
    return text;
}

CString Dec(CString text, const CString& key = kKey)
{
    DecryptHexString(text, key);
    return text;
}

bool IsLowerHex(const CString& s)
{
    return s.SpanIncluding(L"0123456789abcdef").GetLength() == s.GetLength();
}

} // namespace

TEST(HexCipher, DigitArithmetic)
{
    EXPECT_EQ(HexDigitValue(L'0'), 0);
    EXPECT_EQ(HexDigitValue(L'9'), 9);
    EXPECT_EQ(HexDigitValue(L'a'), 10);
    EXPECT_EQ(HexDigitValue(L'F'), 15);
    EXPECT_EQ(HexDigitValue(L'g'), L'g' - L'0');

    struct Case {
        const wchar_t *a, *b, *sum, *x;
    } cases[] = {
        {L"0000", L"0000", L"0000", L"0000"},
        {L"00ff", L"0001", L"0100", L"00fe"},
        {L"ffff", L"0001", L"0000", L"fffe"}, // the last carry is dropped
        {L"1234", L"ABCD", L"be01", L"b9f9"},
        {L"8000", L"8000", L"0000", L"0000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexDigitAdd(c.a, c.b), c.sum) << c.a << " + " << c.b;
        EXPECT_EQ(HexDigitXor(c.a, c.b), c.x) << c.a << " ^ " << c.b;
    }
    // As 16-bit arithmetic, over a sweep of values.
    for (unsigned a = 0; a < 0x10000; a += 0x1234) {
        for (unsigned b = 7; b < 0x10000; b += 0x0fed) {
            CString ha, hb, sum, x;
            ha.Format(L"%04x", a);
            hb.Format(L"%04x", b);
            sum.Format(L"%04x", (a + b) & 0xFFFF);
            x.Format(L"%04x", a ^ b);
            EXPECT_EQ(HexDigitAdd(ha, hb), sum);
            EXPECT_EQ(HexDigitXor(ha, hb), x);
        }
    }
}

TEST(HexCipher, SubkeysComeFromTheFirstEightCharacters)
{
    CString k0, k1, k2, k3;
    ASSERT_TRUE(BuildHexSubkeys(L"ABCDEFGH", k0, k1, k2, k3));
    // 41 42 43 44 45 46 47 48, rotated left by one digit.
    EXPECT_EQ(k0, L"1424");
    EXPECT_EQ(k1, L"3444");
    EXPECT_EQ(k2, L"5464");
    EXPECT_EQ(k3, L"7484");

    CString s0, s1, s2, s3;
    ASSERT_TRUE(BuildHexSubkeys(L"ABC", s0, s1, s2, s3)); // ABCABCAB
    EXPECT_EQ(s0 + s1 + s2 + s3, L"1424341424341424");
    EXPECT_FALSE(BuildHexSubkeys(L"", s0, s1, s2, s3));
    EXPECT_FALSE(BuildHexSubkeys(L"\x01\x02", s0, s1, s2, s3));
}

TEST(HexCipher, BlockFunctionUndoesItself)
{
    CString text = L"0123456789abcdeffedcba9876543210";
    CString once = text;
    ASSERT_TRUE(HexCipherBlocks(once, kKey));
    EXPECT_NE(once, text);
    EXPECT_EQ(once.GetLength(), text.GetLength());
    EXPECT_TRUE(IsLowerHex(once));
    CString twice = once;
    ASSERT_TRUE(HexCipherBlocks(twice, kKey));
    EXPECT_EQ(twice, text);

    CString shortBlock = L"0123456";
    EXPECT_FALSE(HexCipherBlocks(shortBlock, kKey));
    EXPECT_EQ(shortBlock, L"0123456");
    CString notHex = L"0123456x";
    EXPECT_FALSE(HexCipherBlocks(notHex, kKey));
}

TEST(HexCipher, FormLengthsAndCount)
{
    struct Case {
        const wchar_t* text;
        int digits;
        const wchar_t* count;
    } cases[] = {
        {L"a", 8, L"01"}, {L"abcd", 8, L"04"}, {L"abcde", 16, L"05"}, {L"0123456789", 24, L"10"},
    };
    for (const auto& c : cases) {
        CString form = Enc(c.text);
        ASSERT_EQ(form.GetLength(), c.digits + 2) << c.text;
        EXPECT_EQ(form.Right(2), c.count);
        EXPECT_TRUE(IsLowerHex(form.Left(c.digits)));
    }
}

TEST(HexCipher, RoundTripsEveryLengthItAccepts)
{
    std::mt19937 rng(20261210);
    // Printable ASCII, "0" (the padding byte) weighted up, and a few ANSI letters.
    const CString alphabet = CString(L"000000") + L" !\"#$%&'()*+,-./0123456789:;<=>?@ABCXYZ[\\]^_`abcxyz{|}~" +
                             L"\u00e9\u00fc\u00df";
    for (int n = 1; n <= kHexCipherMaxBytes; ++n) {
        for (int trial = 0; trial < 5; ++trial) {
            CString text;
            for (int i = 0; i < n; ++i)
                text += alphabet[static_cast<int>(rng() % alphabet.GetLength())];
            if (trial == 0)
                text = CString(L'0', n); // the text's own trailing zeros are kept
            CString form = Enc(text);
            ASSERT_FALSE(form.IsEmpty()) << n;
            EXPECT_EQ(Dec(form), text) << "length " << n;
        }
    }
}

TEST(HexCipher, KeysAgreeingInEightCharactersGiveTheSameForm)
{
    EXPECT_EQ(Enc(L"secret", L"ABCDEFGHxyz"), Enc(L"secret", L"ABCDEFGHqrs"));
    EXPECT_EQ(Enc(L"secret", L"ABCD"), Enc(L"secret", L"ABCDABCD"));
    EXPECT_NE(Enc(L"secret", L"ABCDEFGH"), Enc(L"secret", L"ABCDEFGX"));
    // Another key reads something else (or nothing).
    EXPECT_NE(Dec(Enc(L"secret", L"ABCDEFGH"), L"ZZZZZZZZ"), L"secret");
}

TEST(HexCipher, EmptyTextStaysEmpty)
{
    EXPECT_EQ(Enc(L""), L"");
    EXPECT_EQ(Dec(L""), L"");
}

TEST(HexCipher, TextsTheFormCannotHoldAreRefused)
{
    EXPECT_EQ(Enc(CString(L'x', 100)), L"");
    EXPECT_EQ(Enc(CString(L'x', 250)), L"");
    EXPECT_FALSE(Enc(CString(L'x', 99)).IsEmpty());
    // No ANSI form: would come back as "?".
    EXPECT_EQ(Enc(L"pass\u4e2d\u6587"), L"");
    EXPECT_EQ(Enc(L"\u263a"), L"");
    EXPECT_EQ(Enc(L"secret", L""), L"");
}

TEST(HexCipher, DamagedFormsGiveTheEmptyText)
{
    CString good = Enc(L"password");
    ASSERT_EQ(Dec(good), L"password");
    const CString digits = good.Left(good.GetLength() - 2);
    const CString cases[] = {
        L"0",                          // shorter than the count
        L"08",                         // a count and no digits
        digits + L"09",                // more bytes announced than the digits hold
        digits + L"99",
        digits + L"x8",                // count not decimal
        digits.Left(12) + L"08",       // not whole blocks
        digits.Left(15) + L"08",
        L"zzzzzzzz" + digits.Mid(8) + L"08", // not hexadecimal
        L"0000000",
    };
    for (const CString& c : cases)
        EXPECT_EQ(Dec(c), L"") << c.GetString();
    // Upper-case digits are read too.
    CString upper = digits;
    upper.MakeUpper();
    EXPECT_EQ(Dec(upper + L"08"), L"password");
}
