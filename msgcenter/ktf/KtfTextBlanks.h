#pragma once
// Keeps every blank of a KTF body's texts. TinyXML condenses the white space of element text (a
// text loses its leading and trailing blanks, a run of blanks, tabs and line breaks becomes one
// blank, a text of blanks only goes), so a message's repeated spaces, tabs and line breaks would
// be lost. Its switch for that is one setting for the whole program, read while other threads
// parse; the KTF reader leaves it alone and hands the parser texts whose blanks it keeps instead:
// each blank of a text inside the root element as a character reference, a text of blanks only
// as a CDATA section. Tags, attribute values, comments, CDATA sections and declarations stay as
// they are.
#include <cstddef>
#include <string>

class KtfTextBlanks {
public:
    // The body with its texts' blanks kept in out; false (out untouched) when no text holds a
    // blank the parser would change, so the body can be parsed as it is. pszUtf8 is zero-
    // terminated UTF-8 of nLength bytes.
    static bool Keep(const char* pszUtf8, size_t nLength, std::string& out);

private:
    KtfTextBlanks() = delete;
};
