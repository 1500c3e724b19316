#pragma once
// Recording and scripting of the skin library for tests: what was drawn, and whether
// the next provider registrations are refused.
#include "framework/Platform.h"
#include <string>
#include <vector>

namespace xDuiLib {

struct DrawRecord {
    std::wstring operation; // "DrawImageString", "DrawImage2RectTiled", "DrawGradient", "CxImageList::Draw"
    std::wstring image;     // image string, modifier appended after '|' when given; empty for gradients
    RECT rect;              // the target rectangle
    bool drawn;             // the image was found and drawn
};

// Every drawing call since the last clear, oldest first.
std::vector<DrawRecord> xDuiTest_GetDrawRecords();
void xDuiTest_ClearDrawRecords();
// Makes AddResourceProvider refuse the next nCount registrations (0 turns it off).
void xDuiTest_RefuseProviders(int nCount);
// How many registrations were asked for since the last reset, accepted or not.
int xDuiTest_GetRegistrationCount();
void xDuiTest_ResetCounters();

} // namespace xDuiLib
