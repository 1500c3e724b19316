#pragma once
// CMsgSearchCriteria: what the last message search asked for, as the search dialog gave it: a
// text to look for, a person's login, and the first and last day ("%Y-%m-%d" texts, both empty
// for any date). Each may be empty.
#include "framework/CString.h"

struct CMsgSearchCriteria {
    CString keyword;
    CString person;
    CString firstDate;
    CString lastDate;
};
