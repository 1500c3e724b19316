#include "platform/QorUtils/CQorStrUtils.h"
#include "platform/QorUtils/QorUtilsTestHooks.h"
#include <atomic>
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

char* CQorStrUtils::ToUTF8(LPCWSTR pszSrc, int* pnLength)
{
    int srcLen = pszSrc ? static_cast<int>(wcslen(pszSrc)) : 0;
    int n = srcLen ? ::WideCharToMultiByte(CP_UTF8, 0, pszSrc, srcLen, nullptr, 0, nullptr, nullptr) : 0;
    char* dst = static_cast<char*>(malloc(static_cast<size_t>(n) + 1));
    if (!dst) {
        if (pnLength)
            *pnLength = 0;
        return nullptr;
    }
    if (n)
        ::WideCharToMultiByte(CP_UTF8, 0, pszSrc, srcLen, dst, n, nullptr, nullptr);
    dst[n] = 0;
    if (pnLength)
        *pnLength = n;
    ++g_outstanding;
    return dst;
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
