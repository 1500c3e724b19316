#pragma once
// Recording API of our core component, for tests: what the console and the web control
// were asked. Exported by QorCore.dll; the program never calls these.
#include "framework/Platform.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"
#include <string>
#include <utility>
#include <vector>

namespace qorcore_test {

// One recorded call: the operation's name ("Console.OpenMsg", "WebCtl.Navigate", ...) and
// its arguments as text, joined by "|".
using CallRecord = std::pair<std::wstring, std::wstring>;

// Nothing is recorded until a test calls ClearCalls, which empties the log and records from then
// on; StopRecording empties it and records nothing more (the program's own state).
void ClearCalls();
void StopRecording();
std::vector<CallRecord> Calls();
// The number of recorded calls of one operation.
int CountCalls(const wchar_t* operation);
// The argument text of the last recorded call of one operation; empty when there was none.
std::wstring LastArgs(const wchar_t* operation);
// Live objects of the component (message, command, console, web control), for leak checks.
long LiveObjects();

// Events: the core raises them through the sinks that the view library handed to its console
// (IQorConsole::SetCallbacks), on the thread that handed them over, after the raising call has
// returned; pump that thread's messages to see them arrive. Sink 0 is the core sink, 1 the
// application sink. Each takes its own reference to the object; FALSE when no sinks are
// registered or the object is missing.
enum { kCoreSink = 0, kAppSink = 1 };
BOOL RaiseCommand(int sink, IQorCmd* pCmd);                                // slot 9
BOOL RaiseMessage(int sink, IQorMsg* pMsg);                                // slot 10
BOOL RaiseConnectState(int sink, long state, long detail, long param);     // slot 11
BOOL RaiseNotice(int sink, IQorCmd* pNotice);                              // slot 12
BOOL RaiseAddInMsg(int sink, const wchar_t* addInName, IQorMsg* pMsg);     // slot 14
// Events raised and not yet delivered; events delivered since the process started; whether
// sinks are registered; the out value of the last connection state delivered (-1 before any).
long PendingEvents();
long DeliveredEvents();
BOOL HasSinks();
long LastConnectStateResult();

// Writes the component's classes into the registry (what DllRegisterServer does) so that
// CLSIDFromProgID finds them; TRUE on success.
BOOL Register();

} // namespace qorcore_test
