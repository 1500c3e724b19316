#include "framework/FormatString.h"

void AfxFormatStrings(CString& rString, LPCWSTR lpszFormat, LPCWSTR const* rglpsz, int nString)
{
    CString result;
    for (const wchar_t* p = lpszFormat ? lpszFormat : L""; *p; ++p) {
        if (p[0] == L'%' && p[1] >= L'1' && p[1] <= L'9') {
            const int i = p[1] - L'1';
            if (i < nString) {
                if (rglpsz[i])
                    result += rglpsz[i];
                ++p;
                continue;
            }
        }
        result += *p;
    }
    rString = result;
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCWSTR lpsz1)
{
    CString format;
    if (!format.LoadString(nIDS)) {
        rString.Empty();
        return;
    }
    AfxFormatStrings(rString, format, &lpsz1, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2)
{
    CString format;
    if (!format.LoadString(nIDS)) {
        rString.Empty();
        return;
    }
    LPCWSTR args[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, format, args, 2);
}

void AfxFormatCount(CString& rString, UINT nIDSOne, UINT nIDSMany, int nCount, LPCWSTR lpsz2)
{
    CString count;
    count.Format(L"%d", nCount);
    AfxFormatString2(rString, nCount == 1 ? nIDSOne : nIDSMany, count, lpsz2);
}
