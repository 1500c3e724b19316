#include "common/CWqStrCode.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

std::string Decode(const std::string& in)
{
    CWqBuffer src, out;
    src.Append(in.data(), static_cast<DWORD>(in.size()));
    CWqStrCode::UrlDecodeBytes(src, out);
    return std::string(reinterpret_cast<const char*>(out.GetData()), out.GetSize());
}

CString EncodeBytes(const std::string& in)
{
    CWqBuffer b;
    b.Append(in.data(), static_cast<DWORD>(in.size()));
    return CWqStrCode::UrlEncodeBytes(b);
}

void WriteRaw(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    ::CloseHandle(h);
}

std::string ReadRaw(const std::wstring& path)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buf[256];
    DWORD n = 0;
    ::ReadFile(h, buf, sizeof(buf), &n, nullptr);
    ::CloseHandle(h);
    return std::string(buf, n);
}

} // namespace

TEST(CWqStrCode, UrlEncodeUtf8KeepsLettersDigitsAndDot)
{
    // The login-name road: blank to "+", "." stays, each UTF-8 byte of a letter escaped.
    EXPECT_EQ(CWqStrCode::UrlEncode(L"Jo Smith.2", 1), L"Jo+Smith.2");
    EXPECT_EQ(CWqStrCode::UrlEncode(L"\u00e9", 1), L"%C3%A9");
    EXPECT_EQ(CWqStrCode::UrlEncode(L"\u674e", 1), L"%E6%9D%8E");
    EXPECT_EQ(CWqStrCode::UrlEncode(L"", 1), L"");
    EXPECT_EQ(CWqStrCode::UrlEncode(L"abc", 2), L"");
    EXPECT_EQ(CWqStrCode::UrlEncode(L"abc", -1), L"");
}

TEST(CWqStrCode, UrlEncodeAnsiTakesTheCodePageBytes)
{
    CStringA ansi(L"\u00e9");
    ASSERT_EQ(ansi.GetLength(), 1);
    CString expected;
    expected.Format(L"a%%%02X", static_cast<unsigned char>(ansi[0]));
    EXPECT_EQ(CWqStrCode::UrlEncode(L"a\u00e9", 0), expected);
}

TEST(CWqStrCode, UrlEncodeBytesTable)
{
    struct Case {
        std::string in;
        const wchar_t* out;
    } cases[] = {
        {"-_~*", L"%2D%5F%7E%2A"},
        {"a/b?c=d&e", L"a%2Fb%3Fc%3Dd%26e"},
        {"\t\n\v\f\r ", L"++++++"},
        {std::string("\0\x7f\x80\xff", 4), L"%00%7F%80%FF"},
        {"%+", L"%25%2B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeBytes(c.in), c.out) << c.in;
}

TEST(CWqStrCode, UrlDecodeBytesTable)
{
    struct Case {
        const char* in;
        std::string out;
    } cases[] = {
        {"plain+text", "plain+text"},   // no "%": copied; "+" is not a blank
        {"a%41b", "aAb"},
        {"%e9%C3", "\xe9\xc3"},
        {"100%%", "100%"},
        {"%%41", "%41"},
        {"end%", "end%"},               // nothing read past the end
        {"end%4", "end%4"},
        {"%zz", "%zz"},                 // not hexadecimal: copied as it is
        {"%4g!", "%4g!"},
        {"%", "%"},
        {"a%2", "a%2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.in), c.out) << c.in;
}

TEST(CWqStrCode, UrlDecodeAppendsToTheOutput)
{
    CWqBuffer in, out;
    out.Append("x", 1);
    in.Append("%41", 3);
    CWqStrCode::UrlDecodeBytes(in, out);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out.GetData()), out.GetSize()), "xA");
}

TEST(CWqStrCode, UrlRoundTripOfEveryByte)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    CString encoded = EncodeBytes(all);
    // Blanks became "+", which the decoder leaves alone; everything else comes back.
    CStringA narrow(encoded.GetString());
    std::string decoded = Decode(std::string(narrow.GetString(), narrow.GetLength()));
    ASSERT_EQ(decoded.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        bool blank = i == ' ' || (i >= 9 && i <= 13);
        EXPECT_EQ(static_cast<unsigned char>(decoded[i]), blank ? '+' : i) << i;
    }
}

TEST(CWqStrCode, BufferConversions)
{
    CWqBuffer a;
    a.Append("junk", 4);
    CWqStrCode::WideToAnsiBuffer(L"abc", a);
    EXPECT_EQ(a.GetSize(), 3u);
    EXPECT_EQ(a.GetCapacity(), 3u);
    EXPECT_EQ(a.AsString(), L"abc");

    CWqBuffer u;
    CWqStrCode::WideToUtf8Buffer(L"\u00e9", u, FALSE);
    EXPECT_EQ(u.GetSize(), 2u);
    CWqStrCode::WideToUtf8Buffer(L"x", u, TRUE);
    ASSERT_EQ(u.GetSize(), 4u);
    EXPECT_EQ(u.GetAt(2), 'x');
    EXPECT_EQ(u.GetAt(3), 0);
}

TEST(CWqStrCode, Utf8AndAnsiArrays)
{
    std::unique_ptr<wchar_t[]> w(CWqStrCode::Utf8ToWide("\xc3\xa9t\xc3\xa9"));
    EXPECT_STREQ(w.get(), L"\u00e9t\u00e9");
    std::unique_ptr<wchar_t[]> part(CWqStrCode::Utf8ToWide("\xc3\xa9t\xc3\xa9", 3));
    EXPECT_STREQ(part.get(), L"\u00e9t");
    std::unique_ptr<wchar_t[]> none(CWqStrCode::Utf8ToWide(nullptr));
    EXPECT_STREQ(none.get(), L"");
    EXPECT_EQ(CWqStrCode::Utf8ToString("caf\xc3\xa9"), L"caf\u00e9");
    EXPECT_EQ(CWqStrCode::Utf8ToString("abcdef", 2), L"ab");

    std::unique_ptr<wchar_t[]> fromAnsi(CWqStrCode::AnsiToWide("plain"));
    EXPECT_STREQ(fromAnsi.get(), L"plain");
    std::unique_ptr<char[]> ansi(CWqStrCode::Utf8ToAnsi("caf\xc3\xa9"));
    EXPECT_EQ(CString(ansi.get()), L"caf\u00e9");

    wchar_t buf[8];
    EXPECT_EQ(CWqStrCode::MultiByteToWideInto("hi", CP_ACP, buf, 8), buf);
    EXPECT_STREQ(buf, L"hi");
    EXPECT_EQ(CWqStrCode::MultiByteToWideInto("too long", CP_ACP, buf, 3), nullptr);
    EXPECT_EQ(CWqStrCode::MultiByteToWideInto(nullptr, CP_ACP, buf, 8), nullptr);
    EXPECT_EQ(CWqStrCode::MultiByteToWideInto("x", CP_ACP, nullptr, 8), nullptr);
}

TEST(CWqStrCode, XmlEscapeTakesTheAmpersandFirst)
{
    EXPECT_EQ(CWqStrCode::XmlEscape(L"<a href='x'>&\"</a>"),
              L"&lt;a href=&apos;x&apos;&gt;&amp;&quot;&lt;/a&gt;");
}

TEST(CWqStrCode, TextFiles)
{
    std::wstring dir = testsupport::TempDir(L"strcode");
    CString path = (dir + L"\\t.txt").c_str();

    ASSERT_TRUE(CWqStrCode::SaveTextFileUtf8(path, L"caf\u00e9", TRUE));
    EXPECT_EQ(ReadRaw(path.GetString()), "\xef\xbb\xbf" "caf\xc3\xa9");
    CString text;
    ASSERT_TRUE(CWqStrCode::LoadTextFile(path, text));
    EXPECT_EQ(text, L"caf\u00e9");

    ASSERT_TRUE(CWqStrCode::SaveTextFileUtf8(path, L"\u00e9", FALSE));
    EXPECT_EQ(ReadRaw(path.GetString()), "\xc3\xa9");

    // Only part of the mark: the whole file is ANSI text from its first byte.
    WriteRaw(path.GetString(), "\xef\xbb" "ab");
    ASSERT_TRUE(CWqStrCode::LoadTextFile(path, text));
    EXPECT_EQ(text, CString("\xef\xbb" "ab"));
    EXPECT_EQ(text.GetLength(), 4);
    WriteRaw(path.GetString(), "");
    ASSERT_TRUE(CWqStrCode::LoadTextFile(path, text));
    EXPECT_EQ(text, L"");

    EXPECT_FALSE(CWqStrCode::LoadTextFile((dir + L"\\missing.txt").c_str(), text));
    EXPECT_FALSE(CWqStrCode::SaveTextFileUtf8((dir + L"\\no\\such\\dir.txt").c_str(), L"x", FALSE));
    testsupport::RemoveTree(dir);
}
