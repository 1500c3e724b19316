#pragma once
// The texts of a stored message body (qor_Msg_Content: a content type and the body). For an
// export every type but RTF becomes plain text; for the content pane a KTF body becomes the
// one plain line it shows.
#include "framework/CString.h"

class CMsgBodyText {
public:
    // The text of a body for the title list's export: RTF and UTF-8 bodies unchanged, a KTF
    // body's texts (each followed by "\r\n"), at-mentions and sharp-tags, or the names of its
    // files when it has no text; other types give "".
    static CString BodyToText(const CString& strContentType, const CString& strContent);

    // What the content pane shows of a KTF body: texts, "@" + at-mention names and "#" + tags,
    // run together. nFlags becomes 0x40000 when the last file item is an inline picture and 0
    // when it is another file (unchanged without file items). "" for a body that is no KTF.
    static CString KtfToDisplayText(const CString& strKtf, int& nFlags);
};
