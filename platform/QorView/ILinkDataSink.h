#pragma once
// Where the view library records a link it appends to a rich edit (AppendUserDefineLink): the
// program's link data manager implements it.
#include "framework/CString.h"

class ILinkDataSink {
public:
    // A clickable range [start, end] of the given kind with one key and its value; false when the
    // range or text is refused.
    virtual bool AddLink(long nStart, long nEnd, const CString& strText, int nKind, const CString& strKey,
                         const CString& strValue) = 0;

protected:
    ~ILinkDataSink() = default;
};
