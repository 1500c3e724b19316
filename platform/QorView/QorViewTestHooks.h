#pragma once
// Recording and scripting API of our view library, for tests. Every operation of the
// library records one entry (its name and its arguments as text, joined by "|"), and the
// answers that would need a person or a network can be set in advance. The program
// never calls these.
#include "framework/Platform.h"
#include <string>
#include <utility>
#include <vector>

namespace qorview_test {

using CallRecord = std::pair<std::wstring, std::wstring>; // operation, arguments

void ClearCalls();
std::vector<CallRecord> Calls();
int CountCalls(const wchar_t* operation);        // e.g. L"CQorViewMgr::Login"
std::wstring LastArgs(const wchar_t* operation); // empty when never called

// Folders: every per-user file and folder lies under this root (default: the user's
// %APPDATA%\KorvelSoft\Korvel). An empty text restores the default.
void SetProfileRoot(const std::wstring& root);
std::wstring GetProfileRoot();

// Message boxes: answers queued here are used first, one per box, without showing a box;
// with the queue empty, SetDefaultMessageBoxAnswer's value (when non-zero) answers every
// box. 0 as default shows real boxes. The texts of scripted boxes are recorded.
void PushMessageBoxAnswer(int answer);
void SetDefaultMessageBoxAnswer(int answer);
void ClearMessageBoxAnswers();

// The program's own folder (GetWorkDir: WebServiceUrl.ini, BaseData, res.adat); default
// the folder of the running executable. An empty text restores the default.
void SetWorkDir(const std::wstring& dir);

// Sign-in: what Login posts to the owner window (WM_APP+1 with code and detail) instead of
// signing in through the core component. ClearLoginResult makes Login record and report
// nothing; UseCoreSignIn goes back to signing in through the core (the default).
void SetLoginResult(int code, int detail);
void ClearLoginResult();
void UseCoreSignIn();
// Calls the program's core callback as the core would on a connection-state change
// (OnConnectStateChange); returns its out value, or -1 when no callback is set.
int FireConnectState(long state, long detail, long param);
// What the view manager does when it is created: registers the core component (the
// QorCore.dll beside QorView.dll) when its ProgIDs are unknown. TRUE when they resolve after.
BOOL EnsureCoreRegistered();
// Answers of the domain-account checks (default: the account exists, the password fits).
void SetDomainAccountCheck(bool exists, bool passwordOk);

// The password prompt (CCheckPSWDlg1): the next answers of DoModal, used before a
// real dialog would be shown.
void PushPasswordPromptAnswer(int answer);

// HTTP: a scripted reply makes GetResultByHttpPost answer without a network (status
// non-zero = a reply arrived). ClearHttpReply goes back to real requests.
void SetHttpReply(const std::string& reply, int result = 1);
void ClearHttpReply();

// The folder chooser: the next answers of GetSelectedFolder (empty text = cancelled).
void SetSelectedFolder(const std::wstring& folder);

// The attachment server of the library's own downloads ("host:port"; default the signed-in
// server's web host): GET /file/<message id>%2F<file name>.
void SetAttachServer(const std::wstring& host);

// The recent contacts GetRecentContacts answers ("id,name;id,name"; default none).
void SetRecentContacts(const std::wstring& text);

// Whether the signed-in user may receive files (HaveReceiveFileACE; default yes).
void SetReceiveFileAllowed(bool allowed);
// The program that application-command links run (XX_GetAppPathName); default none.
void SetAppPathName(const std::wstring& path);

// Sounds are recorded and not played while this is on (default off).
void SetMuteSounds(bool mute);

} // namespace qorview_test
