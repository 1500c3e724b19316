#include "msgcenter/ktf/CKTFMgr.h"
#include "msgcenter/ktf/KtfNestingGuard.h"
#include "platform/QorUtils/QorUtilsTestHooks.h"
#include "tests/msgcenter/ktf/KtfTestDump.h"
#include <gtest/gtest.h>
#include <string>
#include <utility>

using ktftest::Dump;
using ktftest::DumpItems;

namespace {

bool HasDefaultFont(const CKTFMgr& mgr)
{
    const CKTFFont& f = mgr.GetFont();
    return f.name == L"\u5B8B\u4F53" && f.size == 15 && f.clr == 0 && f.flags == 1;
}

struct ParseCase {
    const wchar_t* body;
    bool ok;
    const wchar_t* items;
};

std::wstring Repeat(const std::wstring& s, int n)
{
    std::wstring out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

} // namespace

TEST(KtfParse, BodiesGiveTheirItems)
{
    const ParseCase cases[] = {
        // Not KTF: no top-level element.
        {L"", false, L""},
        {L"{\\rtf1\\ansi hello}", false, L""},
        {L"hello <KTF><Text>x</Text></KTF>", false, L""},
        {L"   \r\n ", false, L""},
        // Neither the root's name nor the case of item names matters; attribute names do.
        {L"<KTF/>", true, L""},
        {L"<Body><TEXT>x</TEXT></Body>", true, L"T:x"},
        {L"<KTF><Image TYPE=\"3\" fguid=\"g\"/></KTF>", true, L"I:0:g"},
        {L"<KTF><image type=\"7\" fguid=\"{A-B}\"/></KTF>", true, L"I:7:{A-B}"},
        // Mentions split at the first ';'; without one they add nothing.
        {L"<KTF><at>u7;Ann;Lee</at><at>nobody</at><SHARP>t1;Topic</SHARP></KTF>", true, L"@:u7:Ann;Lee|#:t1:Topic"},
        {L"<KTF><at>;</at><sharp/></KTF>", true, L"@::"},
        // Every blank of a text is kept: leading, trailing, repeated, tabs and line breaks, and a
        // text of blanks only; references and CDATA keep theirs. Blanks between items are no text.
        {L"<KTF><Text>  a  \n  b </Text></KTF>", true, L"T:  a  \n  b "},
        {L"<KTF>\r\n  <Text>a\tb</Text>\n  <Text>   </Text> <Text>x y</Text>\n</KTF>", true, L"T:a\tb|T:   |T:x y"},
        {L"<?xml version=\"1.0\"?>\n<KTF><Text a=\"  \">c  d</Text><!--  --></KTF>\n", true, L"T:c  d"},
        {L"<KTF><Text>a&#10;b&#32;</Text></KTF>", true, L"T:a\nb "},
        {L"<KTF><Text><![CDATA[ a  <b> & ]]></Text></KTF>", true, L"T: a  <b> & "},
        {L"<KTF><Text/><Text></Text></KTF>", true, L"T:|T:"},
        // The text is the first child only.
        {L"<KTF><Text>a<b>c</b>d</Text><Text><b>c</b>d</Text></KTF>", true, L"T:a|T:"},
        // Entities and character references, above 127 too, with or without a declaration.
        {L"<KTF><Text>&lt;&amp;&gt;&quot;&apos;&#x4F60;&#20320;&#x1F600;</Text></KTF>", true,
         L"T:<&>\"'\u4F60\u4F60\U0001F600"},
        {L"<?xml version=\"1.0\" encoding=\"GB2312\"?><KTF><Text>&#x4F60;\u597D</Text></KTF>", true,
         L"T:\u4F60\u597D"},
        // A reference to a surrogate or to NUL: replacement characters, or the text ends there.
        {L"<KTF><Text>a&#xD800;b</Text><Text>c&#0;d</Text></KTF>", true, L"T:a\uFFFD\uFFFD\uFFFDb|T:c"},
        {L"\uFEFF<KTF><Text>\u4E2D\u6587 \U0001F600</Text></KTF>", true, L"T:\u4E2D\u6587 \U0001F600"},
        // Files: the whole 64-bit size, missing attributes empty or 0, the text as the key.
        {L"<KTF><File name=\"big.iso\" size=\"5000000000\" type=\"1\">key42</File></KTF>", true,
         L"F:big.iso:5000000000:1::0:key42"},
        {L"<KTF><File name=\"a&amp;b\" size=\" -12kb\" type=\"x\" fshost=\"h:80\" filetype=\"262144\"/></KTF>", true,
         L"F:a&b:-12:0:h:80:262144:"},
        // Only direct children of the first root count; comments and unknown elements are skipped.
        {L"<KTF><Group><Text>x</Text></Group><!-- <Text>y</Text> --><Note/><Text>z</Text></KTF>", true, L"T:z"},
        {L"<KTF><Text>a</Text></KTF><KTF><Text>b</Text></KTF>", true, L"T:a"},
        {L"<?xml version=\"1.0\"?><!-- c --><KTF><Text>a</Text></KTF>", true, L"T:a"},
        // Clipboard pictures are read by ParseXmlEx only.
        {L"<KTF><Img src=\"c.png\"/></KTF>", true, L""},
        // A malformed tail keeps what came before it.
        {L"<KTF><Text>a</Text><Text>b</Tex", true, L"T:a|T:b"},
        {L"<KTF><Text>a</Text><Image type=\"1\" type=\"2\"/><Text>c</Text></KTF>", true, L"T:a|I:1:"},
        {L"<KTF><Text>a</Text><Text>&#xZZ;</Text><Text>c</Text>", true, L"T:a|T:"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "body: " << CStringA(c.body).GetString());
        CKTFMgr mgr;
        EXPECT_EQ(c.ok, mgr.Parse(c.body, false));
        EXPECT_EQ(std::wstring(c.items), DumpItems(mgr));
        EXPECT_TRUE(HasDefaultFont(mgr));
    }
    EXPECT_EQ(0, QorUtilsTest_GetOutstandingBuffers());
}

TEST(KtfParse, BlanksAreKeptWhereverTheyFallInAText)
{
    // The reader looks at a text four bytes at a time: each run of blanks goes at every offset,
    // so that it starts, ends or straddles a group, beside plain ASCII, Chinese and a '<' entity.
    const wchar_t* const kRuns[] = {L"  ", L" \t", L"\t ", L"\r\n", L"\n", L" \r\n ", L"\v", L"\f"};
    const wchar_t* const kFillers[] = {L"x", L"\u4F60", L"&lt;"};
    for (const wchar_t* filler : kFillers) {
        for (const wchar_t* run : kRuns) {
            for (int before = 0; before < 6; ++before) {
                std::wstring lead, text;
                for (int i = 0; i < before; ++i)
                    lead += filler;
                const std::wstring shown = std::wstring(filler).find(L'&') == 0 ? L"<" : filler;
                std::wstring leadShown;
                for (int i = 0; i < before; ++i)
                    leadShown += shown;
                // In the middle, and (with a lone space too) at the end of the text.
                const std::pair<std::wstring, std::wstring> bodies[] = {
                    {lead + run + L"y z", leadShown + run + L"y z"},
                    {lead + run, leadShown + run},
                    {lead + L" ", leadShown + L" "},
                    {L"a " + lead + L" b", L"a " + leadShown + L" b"},
                };
                for (const auto& body : bodies) {
                    const std::wstring xml = L"<KTF><Text>" + body.first + L"</Text><Text>q r</Text></KTF>";
                    SCOPED_TRACE(testing::Message() << "body: " << CStringA(xml.c_str()).GetString());
                    CKTFMgr mgr;
                    ASSERT_TRUE(mgr.Parse(xml.c_str(), false));
                    EXPECT_EQ(L"T:" + body.second + L"|T:q r", DumpItems(mgr));
                }
            }
        }
    }
}

TEST(KtfParse, FlagsFollowTextAndFileItems)
{
    CKTFMgr mgr;
    ASSERT_TRUE(mgr.Parse(L"<KTF><Text/></KTF>"));
    EXPECT_TRUE(mgr.HasText());
    EXPECT_FALSE(mgr.HasFile());
    ASSERT_TRUE(mgr.Parse(L"<KTF><File name=\"n\"/></KTF>"));
    EXPECT_FALSE(mgr.HasText());
    EXPECT_TRUE(mgr.HasFile());
    EXPECT_FALSE(mgr.Parse(L"plain"));
    EXPECT_FALSE(mgr.HasFile());
    EXPECT_TRUE(mgr.items.empty());
}

TEST(KtfParse, FontIsReadAndKeptAcrossBodies)
{
    CKTFMgr mgr;
    ASSERT_TRUE(mgr.Parse(L"<KTF><Font name=\"Arial\" size=\"12\" clr=\"255\" flags=\"3\"/><Text>x</Text>"
                          L"<font name=\"Tahoma\" size=\"9\"/></KTF>"));
    EXPECT_EQ(L"T:x / Tahoma,9,0,0 / text,-", Dump(mgr));

    // Neither a body without a Font element, nor Clear, nor a failed parse resets the font.
    ASSERT_TRUE(mgr.Parse(L"<KTF><Text>y</Text></KTF>"));
    EXPECT_EQ(L"T:y / Tahoma,9,0,0 / text,-", Dump(mgr));
    mgr.Clear();
    EXPECT_FALSE(mgr.Parse(L"{\\rtf1}"));
    EXPECT_EQ(L" / Tahoma,9,0,0 / -,-", Dump(mgr));

    // Numbers: leading blanks, a sign, digits up to the first other character; out-of-range
    // values stop at the end of the range.
    ASSERT_TRUE(mgr.Parse(L"<KTF><Font name=\"\" size=\"  +14pt\" clr=\"99999999999\" flags=\"-99999999999\"/></KTF>"));
    EXPECT_EQ(L" / ,14,2147483647,-2147483648 / -,-", Dump(mgr));
}

TEST(KtfParse, ClipboardPicturesOnlyThroughParseXmlEx)
{
    CKTFMgr mgr;
    ASSERT_TRUE(mgr.ParseXmlEx(L"<KTF><Text>a</Text><IMG src=\"C:\\t\\c.png\"/><Img/></KTF>"));
    EXPECT_EQ(L"T:a|C:C:\\t\\c.png|C:", DumpItems(mgr));
    ASSERT_TRUE(mgr.Parse(L"<KTF><Text>a</Text><IMG src=\"c.png\"/></KTF>"));
    EXPECT_EQ(L"T:a", DumpItems(mgr));
}

// A stored body of deeply nested elements used to overflow the stack inside the XML parser.
// Now an element opening deeper than the limit ends the body there; everything before stays.
TEST(KtfParse, DeepNestingEndsTheBodyInsteadOfTheProgram)
{
    const int deep = 200000;
    const std::wstring head = L"<KTF><Text>a</Text>";
    const std::wstring tail = L"<Text>b</Text></KTF>";
    struct Case {
        std::wstring body;
        const wchar_t* items;
    } cases[] = {
        {head + Repeat(L"<g>", deep) + Repeat(L"</g>", deep) + tail, L"T:a"},
        // Values, comments and text that look like closing tags do not hide the depth.
        {head + Repeat(L"<g v=\"/>\" w='</g>'>/>", deep) + tail, L"T:a"},
        {head + Repeat(L"<g><!-- </g> -->", deep) + tail, L"T:a"},
        // Nesting below the limit is untouched, however many elements the body has.
        {head + Repeat(Repeat(L"<g>", 200) + Repeat(L"</g>", 200), 50) + tail, L"T:a|T:b"},
        {head + Repeat(L"<!--<g>--><![CDATA[<g>]]><g a='<g>'/>", 1000) + tail, L"T:a|T:b"},
    };
    for (const Case& c : cases) {
        CKTFMgr mgr;
        EXPECT_TRUE(mgr.Parse(c.body.c_str()));
        EXPECT_EQ(std::wstring(c.items), DumpItems(mgr)) << CStringA(c.body.substr(0, 80).c_str()).GetString();
    }
}

TEST(KtfParse, NestingGuardCutsAtTheFirstTooDeepElement)
{
    struct Case {
        std::string text;
        int maxDepth;
        size_t cut; // npos: no cut
    } cases[] = {
        {"<a><b><c/></b></a>", 3, std::string::npos},
        {"<a><b><c/></b></a>", 2, 6},
        {"<a><b><c/></b></a>", 1, 3},
        {"<a><b></b><b></b><b><c></c></b></a>", 2, 20},
        // The document level does not close anything; "</x>" there is a node of its own.
        {"</x></x><a><b><c>", 2, 14},
        // Declarations may hold '>' in their three known values.
        {"<?xml version='>' ?><a><b><c>", 2, 26},
        {"<a x=\"<b><c>\" y=z><b/><b/><b/>", 2, std::string::npos},
        {"<a><b>text > x </b><b><c>", 2, 22},
    };
    for (const Case& c : cases) {
        size_t got = KtfNestingGuard::SafeLength(c.text.c_str(), c.text.size(), c.maxDepth);
        size_t want = c.cut == std::string::npos ? c.text.size() : c.cut;
        EXPECT_EQ(want, got) << c.text;
    }
}
