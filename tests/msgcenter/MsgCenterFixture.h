#pragma once
// Shared set-up of the message centre's window tests: the program's resource module, a real
// message database file (made by the database library, filled with INSERT statements through
// its connection) as the view library's shared connection, and a script for the modal dialogs
// the windows open (run on this thread, from a timer inside the dialog's own loop).
#include "framework/CString.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "tests/support/TestSupport.h"
#include <functional>
#include <ostream>
#include <memory>
#include <set>
#include <string>

// gtest shows CString values as text (one definition when both test grounds are included).
#ifndef KORVEL_TEST_CSTRING_PRINTTO
#define KORVEL_TEST_CSTRING_PRINTTO
inline void PrintTo(const CString& s, std::ostream* os)
{
    for (const wchar_t* p = s; *p; ++p)
        *os << (*p < 0x80 ? static_cast<char>(*p) : '?');
}
#endif

namespace msgcenter_test {

// A fresh database file with the message tables, installed as the view manager's connection.
class TestMsgDb {
public:
    TestMsgDb();
    ~TestMsgDb();
    bool IsOpen() const { return m_mgr.IsConnected(); }
    // Fills the database the way the benchmark's generator does, at a test's small size
    // (messages, senders); false when a row could not be written.
    bool Generate(int nMessages, int nSenders);
    // Runs statements that return no rows; false when one fails.
    bool Exec(const wchar_t* sql);
    // The first column of the first row as text ("" without a row) and the row count.
    CString Text(const wchar_t* sql);
    int Count(const wchar_t* sql);
    void AddTalk(const wchar_t* id, int type, const wchar_t* subject);
    // A talk entry, an attachment row and a log line of the talk.
    void AddTalkContent(const wchar_t* talkId);
    void AddMessage(const wchar_t* id, int folder, int type, const wchar_t* folderName, const wchar_t* sender,
                    const wchar_t* senderName, const wchar_t* recvLogin);
    // A plain (UTF-8) body for a message, which the search reads too.
    void AddContent(const wchar_t* id, const wchar_t* text);

private:
    std::wstring m_dir;
    CQorMsgDBMgr m_mgr;
};

// A timer inside a context menu's loop, while the watcher lives: counts the menus that came up
// and closes each.
struct MenuWatcher {
    static int s_nMenus;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (::FindWindowW(L"#32768", nullptr)) {
            ++s_nMenus;
            ::EndMenu();
        }
    }
    MenuWatcher() { s_nMenus = 0; m_id = ::SetTimer(nullptr, 0, 10, &Tick); }
    ~MenuWatcher() { ::KillTimer(nullptr, m_id); }
    UINT_PTR m_id;
};

// Acts on the next dialog that becomes active on this thread: action(hDialog) runs from a
// timer inside the dialog's message loop, so a modal dialog can be filled in and ended.
class ModalScript {
public:
    explicit ModalScript(std::function<void(HWND)> action);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;
    int Shown() const { return m_nShown; }

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);

    std::function<void(HWND)> m_action;
    HHOOK m_hHook = nullptr;
    HWND m_hDialog = nullptr;
    UINT_PTR m_nTimer = 0;
    int m_nShown = 0;
    std::set<HWND> m_created; // dialogs made since the script began, not yet acted on
};

// Helpers for scripted dialogs.
void SetItemText(HWND hDlg, int nId, const wchar_t* text);
void Click(HWND hDlg, int nId);
bool IsChecked(HWND hDlg, int nId);
bool IsEnabled(HWND hDlg, int nId);
// The date pickers (control id 111) of a dialog, in creation order.
std::vector<HWND> DatePickers(HWND hDlg);
void SetPickerDate(HWND hPicker, int year, int month, int day);

} // namespace msgcenter_test
