#pragma once
// Parsing of the skin library's image strings ("file='x' source='0,0,20,20' corner='4,4,4,4'").
#include "framework/Platform.h"
#include <string>

namespace xDuiLib {

struct ImageString {
    std::wstring file;
    RECT source = {};
    bool hasSource = false;
    RECT dest = {};
    bool hasDest = false;
    RECT corner = {};
    BYTE fade = 255;
    bool xtiled = false;
    bool ytiled = false;
    bool hole = false;

    // Reads a plain image name or a list of name='value' attributes; values already in
    // this object are kept unless the text sets them (so a modifier overrides a base).
    // False for a text with an unterminated quote or no image name at all after parsing.
    bool Parse(const std::wstring& text);
};

} // namespace xDuiLib
