#pragma once
// Recording and scripting of the updater for tests. The check answers WQUP_NO_UPDATE
// unless told otherwise; no call ever reaches a network or starts a process.
#include "framework/Platform.h"
#include <string>
#include <vector>

// The answer of the following checks (WqUpCheckResult).
void WqUpTest_SetCheckResult(int nResult);
// Every ordinal call since the last clear, oldest first, as text: "8()", "5(Korvel)",
// "2(KorvelClient,41362)", "3(KorvelSkin,C:\\skin)", "6(http://a:6660/Update)", "7(hwnd)",
// "1()=2", "10(C:\\Korvel.exe)", "4(1)", "9()".
std::vector<std::wstring> WqUpTest_GetCalls();
void WqUpTest_ClearCalls();
// The settings of the current check.
std::wstring WqUpTest_GetUrl();
std::wstring WqUpTest_GetAppPath();
int WqUpTest_GetUpdateStarts();
