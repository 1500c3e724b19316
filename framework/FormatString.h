#pragma once
// Texts from the resource module's string table with placeholders filled in: every "%1" becomes
// lpsz1 and every "%2" becomes lpsz2 (a null argument counts as empty text); any other "%" is
// kept. A string id the resource module does not hold gives an empty text.
#include "framework/CString.h"

void AfxFormatString1(CString& rString, UINT nIDS, LPCWSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCWSTR lpsz1, LPCWSTR lpsz2);
// The same on a format text of the caller's: "%1" to "%9" take lpsz[0] to lpsz[nString - 1].
void AfxFormatStrings(CString& rString, LPCWSTR lpszFormat, LPCWSTR const* rglpsz, int nString);
// A count in words: the text nIDSOne when nCount is exactly one, nIDSMany for any other count,
// with "%1" the count in decimal and "%2" lpsz2. Each language's texts say one and many in their
// own way, so no word is pieced together here.
void AfxFormatCount(CString& rString, UINT nIDSOne, UINT nIDSMany, int nCount, LPCWSTR lpsz2 = nullptr);
