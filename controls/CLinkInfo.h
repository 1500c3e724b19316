#pragma once
// One link of a link text: its target and the rectangles of the text runs that show it.
// A link click hands the receiver a pointer to this record; the target comes first so that a
// receiver may read it as a pointer to the href string itself. No virtual members for that
// reason.
#include "framework/CString.h"
#include <vector>

class CLinkInfo {
public:
    CString m_strHref;          // the href value of the link tag
    std::vector<RECT> m_rects;  // one per run of link text, in client coordinates

    BOOL Contains(POINT pt) const;
};
