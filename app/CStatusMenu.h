#pragma once
// The main window's status menu (menu 148 of the resource module): sign in and out, the five
// statuses, the user's custom statuses, options, show and exit. Opened by the view library
// (WM_USER+826) and by a right click on the tray icon. What the sign-in state and the server's
// option words forbid is greyed; the chosen command comes back to the window as WM_COMMAND.
#include "framework/CArray.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include <vector>

class CWnd;

class CStatusMenu {
public:
    // The most custom statuses that have a command of their own (5410 to 5460).
    enum : int { kMaxCustom = 51, kCustomSubMenu = 4 };

    struct Grey {
        UINT nId;
        UINT nFlags;
    };
    // What the menu greys in a state. Signed out everything but sign-in, show and help, and exit
    // too while a sign-in is under way; signed in, sign-in and what the server's option words
    // forbid (the statuses they withhold, sign-out, exit).
    static std::vector<Grey> GreyItems(bool bSignedIn, bool bSigningIn, DWORD dwOption1, DWORD dwOption2);

    struct State {
        bool bModal = false;      // one of the program's modal dialogs runs: no menu
        bool bSignedIn = false;
        bool bSigningIn = false;  // the sign-in progress panel exists
        DWORD dwOption1 = 0;
        DWORD dwOption2 = 0;
        CString strConfigFile;    // the signed-in account's configuration file
    };
    // Loads, greys, adds the custom statuses, drops the show-window item when asked and tracks
    // the menu at (x, y) for pOwner. FALSE when no menu was shown.
    BOOL Show(CWnd* pOwner, int x, int y, UINT nTrackFlags, bool bHideShow, const State& state);

    // Reads the custom statuses of a configuration file ("CusStatus": "Count", "Item%d_Type",
    // "Item%d_Desc"), at most kMaxCustom of them.
    void LoadCustom(const CString& strConfigFile);
    // Forgets them (sign-out: the next account has its own).
    void ClearCustom();
    int GetCustomCount() const { return static_cast<int>(m_arType.GetSize()); }
    // The kind and text of the custom status of a command; false outside both lists.
    bool GetCustom(UINT nCommand, int& nType, CString& strText) const;

private:
    CStringArray m_arText;
    CArray<int, int> m_arType;
};
