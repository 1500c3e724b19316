#include "msgcenter/ktf/CKTFMgr.h"
#include "msgcenter/ktf/XmlEscape.h"
#include "tests/msgcenter/ktf/KtfTestDump.h"
#include <gtest/gtest.h>
#include <random>
#include <string>

using ktftest::Dump;

TEST(KtfWrite, DocumentFormsAreAsStored)
{
    CKTFMgr mgr;
    mgr.AddText(L"a<b");
    EXPECT_EQ(L"<KTF><Font name=\"\u5B8B\u4F53\" size=\"15\" clr=\"0\" flags=\"1\" /><Text>a&lt;b</Text></KTF>",
              mgr.ToXml().str());

    mgr.Clear();
    EXPECT_TRUE(mgr.SetFont(L"Arial", 12, 0xFF0000, 3));
    mgr.AddImage(2, L"{G}");
    mgr.AddClipImage(L"c.png");
    mgr.AddFile(L"r.doc", 5000000000LL, 1, L"key", L"fs:8080", 0x40000);
    mgr.AddAt(L"u7", L"Ann");
    mgr.AddSharp(L"t1", L"Topic");
    EXPECT_EQ(L"<KTF><Font name=\"Arial\" size=\"12\" clr=\"16711680\" flags=\"3\" />"
              L"<Image type=\"2\" fguid=\"{G}\" /><Img src = \"c.png\"/>"
              L"<File name=\"r.doc\" size=\"5000000000\"  fshost=\"fs:8080\" filetype=\"262144\" type=\"1\">key</File>"
              L"<at>u7;Ann</at><sharp>t1;Topic</sharp></KTF>",
              mgr.ToXml().str());
    EXPECT_FALSE(mgr.HasText());
    EXPECT_TRUE(mgr.HasFile());
}

TEST(KtfWrite, EscapesAreExact)
{
    struct Case {
        const wchar_t* in;
        const wchar_t* escape;
        const wchar_t* attribute;
        const wchar_t* text;
    } cases[] = {
        {L"", L"", L"", L""},
        {L"a&b<c>d'e\"f", L"a&amp;b&lt;c&gt;d&apos;e&quot;f", L"a&amp;b&lt;c&gt;d&apos;e&quot;f",
         L"a&amp;b&lt;c&gt;d&apos;e&quot;f"},
        {L"&amp;", L"&amp;amp;", L"&amp;amp;", L"&amp;amp;"},
        {L"a\r\nb\tc", L"a\r\nb\tc", L"a&#13;&#10;b&#9;c", L"a&#13;&#10;b&#9;c"},
        // Only blanks that the parser would condense become references.
        {L" a b  c ", L" a b  c ", L" a b  c ", L"&#32;a b&#32;&#32;c&#32;"},
        {L"\uFEFFx", L"\uFEFFx", L"\uFEFFx", L"&#65279;x"},
        // White space alone cannot survive as text; it goes as CDATA.
        {L" \r\n", L" \r\n", L" &#13;&#10;", L"<![CDATA[ \r\n]]>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << CStringA(c.in).GetString());
        EXPECT_EQ(std::wstring(c.escape), XmlEscape(c.in).str());
        EXPECT_EQ(std::wstring(c.attribute), XmlEscapeAttribute(c.in).str());
        EXPECT_EQ(std::wstring(c.text), XmlEscapeText(c.in).str());
    }
}

namespace {

// Values made of what used to break a written body: markup characters, entity look-alikes,
// semicolons, every kind of line break and blank (leading, trailing, in runs), characters
// outside the BMP, CJK, byte-order marks and other controls.
class HostileText {
public:
    explicit HostileText(unsigned seed) : m_rng(seed) {}

    std::wstring Next(bool allowSemicolon = true)
    {
        static const wchar_t* const kPieces[] = {
            L"\"", L"'", L"<", L">", L"&", L"&amp;", L"&#10;", L"]]>", L"<![CDATA[", L"<Text>", L"</KTF>",
            L"\n", L"\r", L"\r\n", L"\t", L" ", L"  ", L"\v", L"\f", L"\x01", L"\x1F",
            L"\U0001F600", L"\U00020000", L"\u4F60\u597D", L"\uFEFF", L"\uFFFE", L"\u00E9",
            L"a", L"Ann", L"42", L"-", L"/", L"=", L"?", L";", L";;",
        };
        const int count = static_cast<int>(sizeof(kPieces) / sizeof(kPieces[0]));
        std::uniform_int_distribution<int> len(0, 8), pick(0, count - 1);
        std::wstring s;
        for (int n = len(m_rng); n > 0; --n) {
            std::wstring piece = kPieces[pick(m_rng)];
            if (!allowSemicolon && piece.find(L';') != std::wstring::npos)
                continue;
            s += piece;
        }
        return s;
    }

    int Int()
    {
        static const int kValues[] = {0, 1, -1, 15, 0x40000, 0x7FFFFFFF, static_cast<int>(0x80000000)};
        return kValues[std::uniform_int_distribution<int>(0, 6)(m_rng)];
    }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    INT64 Size() { return std::uniform_int_distribution<INT64>(-1, 0x7FFFFFFFFFFFFFFFLL)(m_rng); }

private:
    std::mt19937 m_rng;
};

} // namespace

// Every body the writer makes parses back to the same font and items, whatever they hold.
// (The first half of a mention is an id; a ';' in it cannot be told from the separator.)
TEST(KtfWrite, EveryWrittenBodyParsesBackToTheSameItems)
{
    HostileText gen(20261211);
    for (int round = 0; round < 3000; ++round) {
        CKTFMgr mgr;
        mgr.SetFont(gen.Next(), gen.Int(), gen.Int(), gen.Int());
        for (int n = gen.Pick(6); n >= 0; --n) {
            switch (gen.Pick(6)) {
            case 0: mgr.AddText(gen.Next()); break;
            case 1: mgr.AddImage(gen.Int(), gen.Next()); break;
            case 2: mgr.AddClipImage(gen.Next()); break;
            case 3: mgr.AddFile(gen.Next(), gen.Size(), gen.Int(), gen.Next(), gen.Next(), gen.Int()); break;
            case 4: mgr.AddAt(gen.Next(false), gen.Next()); break;
            default: mgr.AddSharp(gen.Next(false), gen.Next()); break;
            }
        }
        CString xml = mgr.ToXml();
        CKTFMgr back;
        ASSERT_TRUE(back.ParseXmlEx(xml)) << CStringA(xml).GetString();
        ASSERT_EQ(Dump(mgr), Dump(back)) << CStringA(xml).GetString();
        ASSERT_EQ(xml, back.ToXml());
    }
}
