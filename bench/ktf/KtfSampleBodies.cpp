#include "bench/ktf/KtfSampleBodies.h"
#include "msgcenter/ktf/CKTFMgr.h"

namespace ktfbench {

namespace {

const wchar_t* const kChinese[] = {
    L"\u4F60\u597D", L"\u4ECA\u5929", L"\u4F1A\u8BAE", L"\u6587\u4EF6", L"\u8BF7\u67E5\u6536", L"\u8C22\u8C22",
    L"\u9879\u76EE\u8FDB\u5EA6", L"\u4E0B\u5348\u4E09\u70B9", L"\u5BA2\u6237", L"\u5408\u540C", L"\u5DF2\u7ECF",
    L"\u6CA1\u95EE\u9898", L"\u660E\u5929\u89C1", L"\u62A5\u544A", L"\u5B89\u6392", L"\u3002", L"\uFF0C",
};
const wchar_t* const kEnglish[] = {
    L"the", L"meeting", L"report", L"is", L"ready", L"please", L"check", L"attached", L"file", L"thanks",
    L"tomorrow", L"at", L"3pm", L"budget", L"Q4", L"review", L"OK", L"see", L"you", L"draft", L"v2", L"&", L"<-",
};
const wchar_t* const kFonts[] = {L"\u5B8B\u4F53", L"\u5FAE\u8F6F\u96C5\u9ED1", L"Arial", L"Tahoma", L"Segoe UI"};
const wchar_t* const kNames[] = {L"\u5F20\u4F1F", L"\u738B\u82B3", L"\u674E\u5A1C", L"Anna Lee", L"Tom",
                                 L"\u5218\u6D0B"};
const wchar_t* const kFiles[] = {L"\u5468\u62A5.docx", L"budget 2026.xlsx", L"IMG_2041.jpg", L"\u5408\u540C\u626B\u63CF.pdf",
                                 L"release-notes.txt", L"\u8BBE\u8BA1\u56FE.png"};

int Pick(std::mt19937& rng, int n)
{
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

template <size_t N>
const wchar_t* PickOf(std::mt19937& rng, const wchar_t* const (&list)[N])
{
    return list[Pick(rng, static_cast<int>(N))];
}

CString Hex(std::mt19937& rng, int digits)
{
    static const wchar_t kDigits[] = L"0123456789abcdef";
    CString s;
    for (int i = 0; i < digits; ++i)
        s += kDigits[Pick(rng, 16)];
    return s;
}

CString Sentence(std::mt19937& rng, int chars)
{
    CString s;
    bool chinese = Pick(rng, 3) != 0;
    while (s.GetLength() < chars) {
        if (Pick(rng, 8) == 0)
            chinese = !chinese;
        if (chinese) {
            s += PickOf(rng, kChinese);
        } else {
            if (!s.IsEmpty())
                s += L' ';
            s += PickOf(rng, kEnglish);
        }
        if (Pick(rng, 40) == 0)
            s += L"\r\n";
    }
    return s;
}

} // namespace

CString MakeSampleBody(std::mt19937& rng, int approxChars)
{
    CKTFMgr body;
    body.SetFont(PickOf(rng, kFonts), 9 + Pick(rng, 10), Pick(rng, 4) == 0 ? Pick(rng, 0x1000000) : 0, 1 + Pick(rng, 3));
    int left = approxChars;
    while (left > 0) {
        int what = Pick(rng, 20);
        if (what < 14 || left == approxChars) {
            int run = std::min(left, 20 + Pick(rng, 400));
            body.AddText(Sentence(rng, run));
            left -= run;
        } else if (what < 16) {
            body.AddAt(L"u" + Hex(rng, 6), PickOf(rng, kNames));
            left -= 4;
        } else if (what < 17) {
            body.AddSharp(L"t" + Hex(rng, 4), Sentence(rng, 6));
            left -= 6;
        } else if (what < 19) {
            body.AddImage(1, L"{" + Hex(rng, 8) + L"-" + Hex(rng, 4) + L"-" + Hex(rng, 4) + L"-" + Hex(rng, 12) + L"}");
            left -= 2;
        } else {
            const wchar_t* name = PickOf(rng, kFiles);
            bool picture = wcsstr(name, L".jpg") || wcsstr(name, L".png");
            body.AddFile(name, 1000 + Pick(rng, 50000000), 1, Hex(rng, 40), L"10.1.20.5:8000",
                         picture ? 0x40000 : 0);
            left -= 10;
        }
    }
    return body.ToXml();
}

std::vector<CString> MakeSampleBodies(unsigned seed, int count)
{
    std::mt19937 rng(seed);
    std::vector<CString> bodies;
    bodies.reserve(count);
    for (int i = 0; i < count; ++i) {
        // Most chat messages are short; some are long pastes.
        int chars = Pick(rng, 10) < 7 ? 50 + Pick(rng, 250) : 300 + Pick(rng, 1700);
        bodies.push_back(MakeSampleBody(rng, chars));
    }
    return bodies;
}

} // namespace ktfbench
