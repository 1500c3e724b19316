#pragma once
// Escaping for the KTF writer. Every value the writer puts into markup goes through one of
// these, so that whatever a model holds (quotes, angle brackets, ampersands, line breaks)
// parses back to the same value.
#include "framework/CString.h"

// The five markup characters as entities: & < > ' and the double quote (ampersand first, so
// that the entities themselves are not escaped again).
CString XmlEscape(const CString& strText);

// An attribute value: XmlEscape, and the control blanks (tab, line feed, vertical tab, form
// feed, carriage return) as character references, since a parser keeps a raw line break of a
// value only as a plain blank or line feed.
CString XmlEscapeAttribute(const CString& strValue);

// An element's text, ready to stand between its tags. The parser condenses white space in
// element text (leading and trailing blanks go, inner runs become one blank) and drops a text
// that is white space only, so: control blanks and any blank that would be condensed become
// character references, the byte-order-mark characters that the parser skips at a text's
// start too, and a text of white space only is written as a CDATA section, kept as it is.
CString XmlEscapeText(const CString& strText);
