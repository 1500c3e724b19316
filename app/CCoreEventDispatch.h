#pragma once
// The main window's receiving side of the core's events that the application sink forwards:
// notifications ("ERR", "COREER", "LSV"), received messages (bulletins, person and group
// messages) and the three application commands that end in a tip or a sign-out (the forced
// sign-out "OUT", the read receipt and the sent confirmation). Each becomes view-library
// calls, tip records in the notification manager, a popup, a sound or a tray image.
#include "framework/CString.h"
#include "platform/QorCore/IQorCmd.h"
#include "platform/QorCore/IQorMsg.h"
#include <set>
#include <string>
#include <unordered_map>

class CDeptExpansion;
class CQorTipMgr;
class CQorViewMgr;
class ICoreEventOwner;

class CCoreEventDispatch {
public:
    CCoreEventDispatch(ICoreEventOwner& owner, CQorTipMgr& tips, CDeptExpansion& deptExpansion)
        : m_owner(owner), m_tips(tips), m_deptExpansion(deptExpansion)
    {
    }
    CCoreEventDispatch(const CCoreEventDispatch&) = delete;
    CCoreEventDispatch& operator=(const CCoreEventDispatch&) = delete;

    // The sound alias of every alert of the core's events.
    static constexpr const wchar_t* kNewAlertSound = L"QOR_NewAlert";
    // The tray image shown instead of a popup while the user wants no popups.
    enum { kNewMessageTrayImage = 6 };

    void OnCoreNotify(IQorCmd* pCmd);
    void OnReceiveMessage(IQorMsg* pMsg);
    void OnServerSignOut(int nReason);
    void ShowReadReceiptTip(IQorCmd* pCmd);
    void ShowSentMsgTip(IQorCmd* pCmd);

    // The view manager's handler of an "ERR" report of one failed method; null for a method
    // that has none.
    using ErrHandler = bool (CQorViewMgr::*)(IQorCmd*);
    static ErrHandler ErrHandlerFor(const CString& strMethod);
    // The text of a forced sign-out's reason: the resource string of 223, 224 and 227, else "".
    static CString SignOutReasonText(int nReason);

    // Shows a tip just queued: while the user wants no popups the tray shows the new-message image
    // instead and nothing is heard; otherwise the newest tip slides in and, with bSound, the
    // new-alert sound plays. bAlways raises the popup whatever the status.
    void RaiseTip(BOOL bSound, BOOL bAlways = FALSE);
    // The new-alert sound, unless the user switched sounds off or the view library refuses it.
    static void PlayNewAlert();

    // Forgets the bulletins seen and the pictures looked up in the session that ended.
    void ResetSession()
    {
        m_seenBulletins.clear();
        m_senderPictures.clear();
    }

    // WM_RAISE_RECEIVED: the messages received since the last one are queued; their popup,
    // sound, tray image and unread count are brought up to date once for all of them.
    void OnRaiseReceived();
    // Whether a WM_RAISE_RECEIVED is on its way.
    bool IsRaisePending() const { return m_bRaisePosted; }

private:
    void OnBulletin(const CString& strSender, const CString& strSenderName,
                    const CString& strSubject, const CString& strMsgId, const CString& strSendTime);
    // Asks for the popup of a received message (and the sound when it is due). The core hands
    // messages over in bursts; rebuilding the popup and counting the unread messages for each
    // would cost a burst far more than receiving it, so one posted WM_RAISE_RECEIVED does it
    // for the whole burst once the window's queue gets to it.
    void RaiseReceived(BOOL bSoundDue);
    // What the window shows for the received messages now queued: popup and sound under the
    // usual conditions, the tray image while no popups are wanted, the unread count in the main
    // panel.
    void ShowReceived(BOOL bSoundDue);
    // The sender's picture, looked up once while the sender's tips wait: the many messages of
    // one sender in a burst share it.
    CString SenderPicture(const CString& strSender);
    // Whether the user hides subjects in tips, read once per burst.
    bool NoSubjectInTips();

    ICoreEventOwner& m_owner;
    CQorTipMgr& m_tips;
    CDeptExpansion& m_deptExpansion;
    // Ids (upper-cased) of the bulletins shown in this session: the core may deliver one
    // bulletin again, and a repeat gives no second tip and no second store entry.
    std::set<CString> m_seenBulletins;

    bool m_bRaisePosted = false; // a WM_RAISE_RECEIVED is on its way
    BOOL m_bSoundDue = FALSE;    // one of the messages it stands for is due its sound
    std::unordered_map<std::wstring, CString> m_senderPictures; // by sender
    int m_nBurstNoSubject = -1;        // the burst's subject setting; -1 not read yet
    ULONGLONG m_nRaiseWaitStart = 0;   // when the popup first let more of the burst go first
    enum { kRaiseWaitMs = 250, kMaxSenderPictures = 4096 };
};
