#pragma once
// A list of strings addressed by POSITION (see CList); Find compares case-sensitively.
#include "framework/CList.h"
#include "framework/CString.h"

class CStringList : public CList<CString, const CString&> {
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
    using CList::AddHead;
    using CList::AddTail;
    using CList::Find;
    POSITION AddHead(LPCWSTR newElement) { return CList::AddHead(CString(newElement)); }
    POSITION AddTail(LPCWSTR newElement) { return CList::AddTail(CString(newElement)); }
    POSITION Find(LPCWSTR searchValue, POSITION startAfter = nullptr) const
    {
        return CList::Find(CString(searchValue), startAfter);
    }
};
