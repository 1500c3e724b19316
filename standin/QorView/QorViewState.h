#pragma once
// Inner state of our view library shared by its sources: the call log, the answers that
// tests script, and the per-user settings file. Not part of the library's surface.
#include "framework/CString.h"
#include "framework/Platform.h"
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace qorview_detail {

// QorView.dll's own module: its templates and strings live there, whatever the resource module is.
HINSTANCE OwnModule();
// The main window the library tells of its events (the view manager's), or null while it has
// none that is a window.
HWND MainWindow();

// The call log (one entry per operation of the library).
void Record(const wchar_t* operation, const CString& args = CString());
// Arguments joined by "|" for the log.
CString Join(std::initializer_list<CString> parts);
CString Num(long long n);

// Scripted answers (see QorViewTestHooks.h).
struct Script {
    std::deque<int> messageBoxAnswers;
    int defaultMessageBoxAnswer = 0;
    // How Login answers: through the core component (the default), not at all, or with the
    // scripted code.
    enum LoginMode { LoginThroughCore, LoginSilent, LoginScripted };
    LoginMode loginMode = LoginThroughCore;
    int loginCode = 0;
    int loginDetail = 0;
    bool hasHttpReply = false;
    std::string httpReply;
    int httpResult = 1;
    std::deque<std::wstring> selectedFolders;
    std::deque<int> passwordPromptAnswers;
    bool muteSounds = false;
    bool receiveFileAllowed = true;
    std::wstring appPathName;
    bool domainAccountExists = true;
    bool domainPasswordOk = true;
    std::wstring profileRoot;
    std::wstring workDir;
};
// The script, guarded by the library's lock while the callback runs.
Script& GetScript();
void LockScript();
void UnlockScript();

// Registers the core component when its ProgIDs are unknown (run by the view manager).
BOOL EnsureCoreRegistered();

// Folders
CString ProfileRoot();                     // per-user root, created when missing
CString EnsureFolder(const CString& path); // creates the folder (and its parents); path or ""
// Characters not allowed in a file name (and control characters) become "_"; a name of dots only
// ("." or "..", which would name a folder above) becomes underscores as well.
CString SafeFileName(const CString& text);

// Times as the library stores them: "YYYY-MM-DD HH:MM:SS". ParseTime reads one (numbers in
// range; false otherwise), FormatTime writes one with fixed width.
bool ParseTime(const CString& text, SYSTEMTIME& st);
CString FormatTime(const SYSTEMTIME& st);

// The per-user settings file and typed access to it. Values keep leading and trailing
// blanks (they are written quoted) and never break a line.
CString ConfigFile();
CString ReadString(const wchar_t* section, const CString& key, const CString& def = CString(),
                   const CString& file = CString());
int ReadInt(const wchar_t* section, const CString& key, int def, const CString& file = CString());
BOOL WriteString(const wchar_t* section, const CString& key, const CString& value, const CString& file = CString());
BOOL WriteInt(const wchar_t* section, const CString& key, int value, const CString& file = CString());
BOOL DeleteSection(const wchar_t* section, const CString& file = CString());
// Creates an INI file as UTF-16 (with its byte-order mark) so that the profile functions
// keep every character; an existing file is left alone.
void EnsureUnicodeIni(const CString& file);

// A colour of our skin by its name ("c.font.normal"); black for unknown names.
COLORREF SkinColor(const wchar_t* name);

// Secrets (passwords) are stored enciphered for the current Windows user (DPAPI), as hex.
CString ProtectText(const CString& text);
CString UnprotectText(const CString& hex);

} // namespace qorview_detail
