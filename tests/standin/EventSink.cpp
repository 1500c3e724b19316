#include "tests/standin/EventSink.h"

std::vector<std::wstring> EventSink::events;
std::vector<DWORD> EventSink::threads;
