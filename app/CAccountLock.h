#pragma once
// CAccountLock: the lock that keeps one account signed in once per machine. It is a named
// mutex whose name is made from the server, the port and the login name, held by the process
// from the moment a sign-in starts until it fails, the user signs out or the connection is
// lost; while it is held after a successful sign-in, a window property of the same account
// marks the main window, so other programs can find the window of a signed-in account.
//
// The handle and its guard belong to the application object (other parts close the handle at
// window destruction); this class works on them by reference, so two objects over two pairs of
// fields behave like two processes.
#include "framework/CString.h"

class CAccountLock {
public:
    CAccountLock(CRITICAL_SECTION& csLock, HANDLE& hMutex) : m_csLock(csLock), m_hMutex(hMutex) {}
    CAccountLock(const CAccountLock&) = delete;
    CAccountLock& operator=(const CAccountLock&) = delete;

    // The mutex name of an account. Server and login name are compared without letter case,
    // so the name is upper-cased; each part is escaped ("%" -> "%25", "-" -> "%2D",
    // "\" -> "%5C") before the parts are joined with "-", so that no two accounts share a name
    // and a "\" (which a mutex name may not hold outside its namespace prefix) never makes the
    // creation fail.
    static CString MutexName(const CString& strServer, int nPort, const CString& strLogin);
    // The window property that marks the signed-in account: "%s-%d-%s" of server, port and
    // login name, as they are.
    static CString PropertyName(const CString& strServer, int nPort, const CString& strLogin);

    enum TakeResult {
        TAKEN,            // the mutex is new and now held by this process
        ALREADY_HELD,     // this object already held the mutex of that name: nothing changed
        SIGNED_IN_ELSEWHERE, // another holder has it: nothing is held
        NOT_CREATED,      // the system refused the mutex: nothing is held, the sign-in goes on
    };
    // Takes the account's mutex. A mutex of another account that this object still holds is
    // released first (a new sign-in replaces one that never finished).
    TakeResult Take(const CString& strName);
    // Closes the held mutex and removes the window property set with it. false when nothing
    // was held.
    bool Release();
    bool IsHeld() const;

    // Puts the account's property (value 1) on the window and remembers it, so that Release
    // removes the same property from the same window.
    void SetProperty(HWND hWnd, const CString& strName);
    const CString& GetPropertyName() const { return m_strProperty; }

private:
    // Removes the remembered property; the caller holds the guard.
    void RemovePropertyLocked();

    CRITICAL_SECTION& m_csLock;
    HANDLE& m_hMutex;
    CString m_strHeldName;      // name of the held mutex
    HWND m_hPropertyWnd = nullptr;
    CString m_strProperty;
};
