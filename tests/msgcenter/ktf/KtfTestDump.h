#pragma once
// A KTF model as one line of text, so that tests compare whole bodies at once:
// items joined by '|', each as kind letter and fields joined by ':'
// (T text, I image type:fguid, C clipboard src, F name:size:type:fshost:filetype:text,
// @ first:second, # first:second), then the font and flags after " / ".
#include "msgcenter/ktf/CKTFMgr.h"
#include <string>

namespace ktftest {

std::wstring DumpItems(const CKTFMgr& mgr);
std::wstring Dump(const CKTFMgr& mgr);

} // namespace ktftest
