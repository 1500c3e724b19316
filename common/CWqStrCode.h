#pragma once
// Conversions between the program's UTF-16 text, the ANSI code page and UTF-8, with URL
// percent-encoding on top. The web-service requests put login names into URLs through
// UrlEncode in UTF-8 mode.
#include "common/CWqBuffer.h"
#include "framework/CString.h"

class CWqStrCode {
public:
    virtual ~CWqStrCode() = default;

    enum { URL_ANSI = 0, URL_UTF8 = 1 };

    // The bytes of text (ANSI for mode 0, UTF-8 for mode 1) percent-encoded; any other mode
    // gives the empty text.
    static CString UrlEncode(const CString& text, int mode);
    // ".", ASCII letters and digits stay; white space becomes "+"; every other byte "%XX".
    static CString UrlEncodeBytes(const CWqBuffer& in);
    // Appends the decoded bytes of in to out. "%%" is one "%", "%XX" one byte; a "%" not
    // followed by two hexadecimal digits is copied as it is, and nothing past the end is read.
    // "+" stays "+".
    static void UrlDecodeBytes(const CWqBuffer& in, CWqBuffer& out);

    // The ANSI bytes of text, no terminator; the buffer holds exactly those bytes.
    static void WideToAnsiBuffer(const CString& text, CWqBuffer& out);
    // Appends the UTF-8 bytes of text, then a zero byte when bTerminate.
    static void WideToUtf8Buffer(const CString& text, CWqBuffer& out, BOOL bTerminate);

    // The arrays returned below are the caller's, freed with delete[]; never null.
    // length -1 means a zero-terminated input.
    static wchar_t* Utf8ToWide(const char* pUtf8, int length = -1);
    static CString Utf8ToString(const char* pUtf8, int length = -1);
    static wchar_t* AnsiToWide(const char* pszAnsi);
    static char* Utf8ToAnsi(const char* pUtf8, int length = -1);
    // Converts a terminated text in codePage into the caller's buffer of bufferChars
    // characters; the buffer, or null on failure or for null arguments.
    static wchar_t* MultiByteToWideInto(const char* psz, UINT codePage, wchar_t* buffer, int bufferChars);

    static CString XmlEscape(const CString& text);

    // The whole file as text: UTF-8 after an EF BB BF mark, the ANSI code page otherwise.
    static BOOL LoadTextFile(const CString& path, CString& text);
    // Creates or truncates the file and writes text as UTF-8, after the mark when bMark.
    static BOOL SaveTextFileUtf8(const CString& path, const CString& text, BOOL bMark);

private:
    CWqStrCode() = default;
};
