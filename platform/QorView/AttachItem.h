#pragma once
// _ATTACH_ITEM: one attachment of a message. The attachment list keeps one per row, the message
// content panes fill and read them, and the view library's attachment download takes them as
// they are, so the field order is fixed and fields this program does not use travel unchanged.
#include "framework/CString.h"

struct _ATTACH_ITEM {
    CString strLocalPath;  // where the file lies on disk; empty until it has been downloaded
    int nValue;            // carried for the view library
    CString strFileName;   // the text of the attachment's row; a trailing "\" marks a folder
    CString strExtra;      // carried for the view library
    CString strMsgID;      // the message the attachment belongs to
    CString strSrcMsgID;   // the message it was forwarded from
    DWORD dwWords[4];      // [2]: 1 for a folder attachment; [3]: marked (see MarkRecord)
    CString strExtra2;     // carried for the view library
    CString strExtra3;     // carried for the view library

    // Word indexes inside dwWords.
    enum { kFolderWord = 2, kMarkWord = 3 };

    _ATTACH_ITEM() : nValue(0), dwWords{0, 0, 0, 0} {}
    _ATTACH_ITEM(const _ATTACH_ITEM& other) : nValue(0), dwWords{0, 0, 0, 0} { *this = other; }
    _ATTACH_ITEM& operator=(const _ATTACH_ITEM& other)
    {
        if (this == &other)
            return *this;
        strLocalPath = other.strLocalPath;
        nValue = other.nValue;
        strFileName = other.strFileName;
        strExtra = other.strExtra;
        strMsgID = other.strMsgID;
        strSrcMsgID = other.strSrcMsgID;
        for (int i = 0; i < 4; ++i)
            dwWords[i] = other.dwWords[i];
        strExtra2 = other.strExtra2;
        strExtra3 = other.strExtra3;
        return *this;
    }
    ~_ATTACH_ITEM() = default;
};
