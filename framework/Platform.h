#pragma once
// The one place that sets up the Windows headers for every source of the project:
// winsock2 must come before windows.h, and min/max must stay functions.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN_KEEP_OLE
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <tchar.h>
#include <algorithm>

using std::max;
using std::min;
