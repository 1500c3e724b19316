#pragma once
// The two global hot keys of the main window: "ShowMain" (id 1000, default Ctrl+Alt+S) shows or
// hides the window, "RecvMsg" (id 1001, default Ctrl+Alt+U) opens the unread messages. A stored
// hot key is the text "modifiers;virtual key" in decimal, the modifiers being RegisterHotKey's
// MOD_ flags; the view library keeps it for the signed-in account.
#include "framework/CString.h"

class CHotKeys {
public:
    enum : int { kShowMainId = 1000, kRecvMsgId = 1001 };

    struct HotKey {
        UINT nModifiers = 0;
        UINT nVirtualKey = 0;
    };

    // The hot key a stored text names: the default for an empty text; false for a text that
    // names no virtual key (such a hot key is not registered at all).
    static bool Parse(const CString& strStored, const HotKey& defaultKey, HotKey& key);
    // The stored text of a hot key ("ShowMain" or "RecvMsg") for the signed-in account.
    static CString StoredText(const CString& strName);
    // Registers both hot keys for hWnd anew (any earlier registration is dropped first). A hot
    // key another program already holds stays unregistered without a word.
    static void RegisterAll(HWND hWnd);
    static void UnregisterAll(HWND hWnd);
};
