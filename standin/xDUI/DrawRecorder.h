#pragma once
// The skin library's record of drawing calls and its scripted refusals (see xDUITestHooks.h).
#include "platform/xDUI/xDUITestHooks.h"

namespace xDuiLib {

void RecordDraw(const wchar_t* operation, const std::wstring& image, const RECT& rc, bool drawn);
// True when this registration is to be refused; counts the registration either way.
bool TakeProviderRefusal();

} // namespace xDuiLib
