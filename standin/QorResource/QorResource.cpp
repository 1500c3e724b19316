// QorResource.dll holds resources only; this one function gives the module an export
// (and an import library) and tells which edition of the resources it carries.
#include "framework/Platform.h"

extern "C" int QorResourceVersion()
{
    return 1;
}
