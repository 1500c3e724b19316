#pragma once
// Sending a message or files through the core without a chat window: the outgoing core message
// ("QorCore.QorMsg") that the view manager holds is replaced by a fresh one and filled; the view
// library sends it when the main window receives WM_USER+2008. Each send hands its own message
// over with its WM_USER+2008, so two sends posted before the first is handled go out both, once
// each and in order, rather than the second twice.
#include "framework/CStringArray.h"
#include "platform/QorCore/IQorMsg.h"
#include <map>

struct IMessage;

class CCoreSender {
public:
    CCoreSender() = default;
    // Lets go of the messages of sends that were posted and never handled.
    ~CCoreSender();
    CCoreSender(const CCoreSender&) = delete;
    CCoreSender& operator=(const CCoreSender&) = delete;

    // Releases the held core message and makes a new one that the view manager holds; null
    // (nothing held) when the core's message cannot be made.
    static IQorMsg* NewHeldCoreMsg();
    // Copies the program's message object (receivers, items, texts, key/value pairs, number)
    // into a new held core message; false when the argument is null or the core's message
    // cannot be made.
    static bool SendQorMsg(IMessage* pMessage);
    // A new held core message that carries files to users; false when the display names are
    // fewer than the accounts (nothing is touched then) or the core's message cannot be made.
    static bool SendFilesToUsers(const CStringArray& arAccounts, const CStringArray& arNames,
                                 const CStringArray& arFiles);

    // Posts WM_USER+2008 (wValue as its wParam) to hWnd for the message held now; FALSE when
    // there is none or the post failed.
    BOOL PostQuickSend(HWND hWnd, WPARAM wValue);
    // WM_USER+2008: lets the view library send the message that the post handed over; a post
    // that handed over none (lParam 0, or a number this object did not give) sends the held one.
    void OnQuickSendMsg(WPARAM wValue, LPARAM lParam);
    // Sends posted and not yet handled.
    int GetPendingCount() const { return static_cast<int>(m_pending.size()); }

private:
    std::map<LPARAM, IQorMsg*> m_pending; // one reference each, by the number the post carries
    LPARAM m_nLastTicket = 0;
};
