#pragma once
// UTF-8 conversions of the utility library. Buffers handed out by ToUTF8 belong to the
// caller, who releases them with FreeDst (they come from this library's heap).
#include "platform/QorUtils/CAStringW.h"

class CQorStrUtils {
public:
    // The text as zero-terminated UTF-8; *pnLength (when given) receives the byte count
    // without the terminator. Never null: an empty text gives "" (still to be freed).
    static char* ToUTF8(const CAStringW& strSrc, int* pnLength = nullptr);
    static char* ToUTF8(LPCWSTR pszSrc, int* pnLength = nullptr);
    static void FreeDst(char* pDst);

    // UTF-8 bytes to wide text; nLength < 0 reads up to the terminator. A null input gives
    // an empty string; malformed sequences become U+FFFD.
    static CAStringW UTF8ToString(const char* pszSrc, int nLength = -1);

private:
    CQorStrUtils() = delete;
};
