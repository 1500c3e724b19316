#pragma once
// One entry of the view library's trees of people and of its organisation data: a person, a
// group (department) or a folder of the library's own.
#include "framework/CString.h"

struct CQorUserItem {
    enum Type { kPerson = 1, kGroup = 2, kFolder = 3 };
    int nMarker = 0;  // -1: a folder of the library's own (the recent contacts)
    int nType = 0;
    CString strId;    // a person's login, a group's or department's id
    CString strName;
};
