#include "controls/CLinkInfo.h"

BOOL CLinkInfo::Contains(POINT pt) const
{
    for (const RECT& rc : m_rects) {
        if (::PtInRect(&rc, pt))
            return TRUE;
    }
    return FALSE;
}
