#pragma once
// Reads the small markup of a link text into tokens: text runs, bold and link tags, line
// breaks and tab stops.
//   <b> </b>               bold on / off
//   <a href=target> </a>   link (one pair of double quotes round the target is removed)
//   <br> <br=n>            n line breaks;  <t> <t=n>  n tab stops (n decimal, 0x hex, 0 octal)
//   raw line feed / tab    one break / one tab stop;  "<<" a literal "<";  raw CR ignored
// Tag and attribute names ignore case; unknown tags are skipped up to their ">". Values end at
// a blank or ">", so they cannot hold blanks. A tag with no ">" ends the text.
#include "framework/CString.h"

struct CLinkToken {
    enum Kind {
        End,      // end of the text (also a tag that never closes)
        Text,     // strText is the run
        BoldOn,
        BoldOff,
        LinkOpen, // strText is the href value
        LinkClose,
        Breaks,   // nCount line breaks
        Tabs,     // nCount tab stops
        Skipped,  // an unknown tag
    };
    Kind kind = End;
    CString strText;
    int nCount = 0;
};

class CLinkMarkupTokenizer {
public:
    // Counts above this are cut: a huge count would only push the text out of any window and
    // overflow the layout's coordinates.
    enum { kMaxCount = 1000 };

    explicit CLinkMarkupTokenizer(const CString& text) : m_text(text) {}

    CLinkToken Next();

private:
    CString ReadRun();
    CString ReadTagName(bool bKeepTabAndBreak);
    CString ReadAttributeValue();
    bool SkipTagEnd();
    static int ReadCount(const CString& value);
    wchar_t At(int i) const { return m_text.GetAt(i); }
    bool AtEnd() const { return m_pos >= m_text.GetLength(); }

    CString m_text;
    int m_pos = 0;
    bool m_bEnded = false;
};
