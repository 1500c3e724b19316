#pragma once
// The messages the view library has yet to keep: each one the core delivers (its core sink's
// message slot) and each one the user sends through the core, queued here with a reference of
// its own and written by the message store (CQorMsgStore) on the user-interface thread, in the
// order they came, as soon as the thread is free: after the event that brought them (the main
// window has heard of a new message from its own sink by then), and never inside a transaction
// of the thread's own (the message centre's deletion, which handles messages while it works:
// what arrives meanwhile waits for its end, then is kept). While no database is open (before
// the sign-in has opened the user's) they wait too.
//
// A received message that was written is told to the main window (WM_USER+611, its item lent
// for the call), and then the new unread count (WM_USER+606).
#include "framework/Platform.h"
#include "platform/QorCore/IQorMsg.h"
#include <deque>

class CQorMsgInbox {
public:
    // The one inbox of the library, alive for the process (as the view manager is).
    static CQorMsgInbox& Instance();

    CQorMsgInbox() = default;
    ~CQorMsgInbox();
    CQorMsgInbox(const CQorMsgInbox&) = delete;
    CQorMsgInbox& operator=(const CQorMsgInbox&) = delete;

    // Queues a message (a reference is taken) and has it written once the thread is free. A
    // received message gets its stored id at once (the safe form of its own, or a new one), so
    // that every part of the program that sees it names it as the database does.
    void Add(IQorMsg* pMsg, bool bSent);
    // Writes what waits, unless the thread is inside a transaction (then right after it ends) or
    // no database is open.
    void Flush();
    // Has the queue written soon (the database was opened).
    void Schedule();
    // The end of the session: what can be written is, the rest is let go (and logged).
    void Clear();
    size_t GetPending() const { return m_queue.size(); }

private:
    struct Entry {
        IQorMsg* pMsg;
        bool bSent;
    };
    bool EnsureWindow();
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::deque<Entry> m_queue;
    HWND m_hWnd = nullptr;        // a message-only window of the thread that queued the first
    bool m_bScheduled = false;    // a flush is posted to it
    bool m_bAfterTrans = false;   // waiting for the end of this thread's transaction
    bool m_bFlushing = false;     // telling the main window may pump messages: no second flush then
};
