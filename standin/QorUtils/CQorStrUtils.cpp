#include "platform/QorUtils/CQorStrUtils.h"
#include "platform/QorUtils/QorUtilsTestHooks.h"
#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

std::atomic<int> g_outstanding(0);

} // namespace

char* CQorStrUtils::ToUTF8(const CAStringW& strSrc, int* pnLength)
{
    return ToUTF8(strSrc.GetString(), pnLength);
}

// One pass into a buffer sized for the worst case (three bytes per UTF-16 unit): every message
// body is converted before it is parsed, so the text is walked once, not measured first. A
// surrogate without its partner becomes U+FFFD, as the system's own conversion does.
char* CQorStrUtils::ToUTF8(LPCWSTR pszSrc, int* pnLength)
{
    size_t srcLen = pszSrc ? wcslen(pszSrc) : 0;
    if (srcLen > (static_cast<size_t>(INT_MAX) - 1) / 3) {
        if (pnLength)
            *pnLength = 0;
        return nullptr;
    }
    unsigned char* dst = static_cast<unsigned char*>(malloc(srcLen * 3 + 1));
    if (!dst) {
        if (pnLength)
            *pnLength = 0;
        return nullptr;
    }
    unsigned char* out = dst;
    for (size_t i = 0; i < srcLen; ++i) {
        unsigned cp = pszSrc[i];
        if (cp < 0x80) {
            *out++ = static_cast<unsigned char>(cp);
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            unsigned low = i + 1 < srcLen ? pszSrc[i + 1] : 0;
            if (cp <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            } else {
                cp = 0xFFFD;
            }
        }
        if (cp < 0x800) {
            *out++ = static_cast<unsigned char>(0xC0 | (cp >> 6));
        } else if (cp < 0x10000) {
            *out++ = static_cast<unsigned char>(0xE0 | (cp >> 12));
            *out++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        } else {
            *out++ = static_cast<unsigned char>(0xF0 | (cp >> 18));
            *out++ = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            *out++ = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *out++ = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    }
    *out = 0;
    if (pnLength)
        *pnLength = static_cast<int>(out - dst);
    ++g_outstanding;
    return reinterpret_cast<char*>(dst);
}

void CQorStrUtils::FreeDst(char* pDst)
{
    if (!pDst)
        return;
    --g_outstanding;
    free(pDst);
}

CAStringW CQorStrUtils::UTF8ToString(const char* pszSrc, int nLength)
{
    if (!pszSrc)
        return CAStringW();
    if (nLength < 0)
        nLength = static_cast<int>(strlen(pszSrc));
    if (nLength == 0)
        return CAStringW();
    int n = ::MultiByteToWideChar(CP_UTF8, 0, pszSrc, nLength, nullptr, 0);
    if (n <= 0)
        return CAStringW();
    wchar_t* buf = new wchar_t[n];
    ::MultiByteToWideChar(CP_UTF8, 0, pszSrc, nLength, buf, n);
    CAStringW result(buf, n);
    delete[] buf;
    return result;
}

int QorUtilsTest_GetOutstandingBuffers()
{
    return g_outstanding.load();
}
