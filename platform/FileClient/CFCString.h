#pragma once
// The file-transfer client's string: the utility library's one-pointer wide string.
#include "platform/QorUtils/CAStringW.h"

class CFCString : public CAStringW {
public:
    using CAStringW::CAStringW;
    using CAStringW::operator=;
};

static_assert(sizeof(CFCString) == sizeof(void*), "CFCString must stay one pointer wide");
