#pragma once
// Recording API of our core component, for tests: what the console and the web control
// were asked. Exported by QorCore.dll; the program never calls these.
#include "framework/Platform.h"
#include <string>
#include <utility>
#include <vector>

namespace qorcore_test {

// One recorded call: the operation's name ("Console.OpenMsg", "WebCtl.Navigate", ...) and
// its arguments as text, joined by "|".
using CallRecord = std::pair<std::wstring, std::wstring>;

void ClearCalls();
std::vector<CallRecord> Calls();
// The number of recorded calls of one operation.
int CountCalls(const wchar_t* operation);
// The argument text of the last recorded call of one operation; empty when there was none.
std::wstring LastArgs(const wchar_t* operation);
// Live objects of the component (message, command, console, web control), for leak checks.
long LiveObjects();

// Writes the component's classes into the registry (what DllRegisterServer does) so that
// CLSIDFromProgID finds them; TRUE on success.
BOOL Register();

} // namespace qorcore_test
