#pragma once
// The application commands of the core ("OUT" and the "C_*" commands: a contact online, a nudge,
// a refused or downloaded file, a sign-in elsewhere, new mail, a status change, sign out, open
// an unread chat or group), which the application sink hands to the main window. A flat table
// of names, compared with case; the first match acts and an unknown name does nothing.
#include "framework/CString.h"
#include "platform/QorCore/IQorCmd.h"

class CCoreEventDispatch;
class CQorTipMgr;
class IAppCommandOwner;

class CAppCommandDispatch {
public:
    CAppCommandDispatch(IAppCommandOwner& owner, CCoreEventDispatch& coreEvents, CQorTipMgr& tips)
        : m_owner(owner), m_coreEvents(coreEvents), m_tips(tips)
    {
    }
    CAppCommandDispatch(const CAppCommandDispatch&) = delete;
    CAppCommandDispatch& operator=(const CAppCommandDispatch&) = delete;

    // Carries out one command; returns 1 whatever the command was.
    int OnAppCommand(IQorCmd* pCmd);

    // A nudge's sound file as the command names it, when it names a file inside the program's
    // own sound folder or the user's skin folder (a bare name is looked for in the sound
    // folder); empty for anything else, so that no text from the wire makes the program read a
    // file elsewhere (a share, another folder, a path that climbs out with "..").
    static CString SafeNudgeSound(const CString& strWire);

private:
    using Handler = void (CAppCommandDispatch::*)(IQorCmd*);
    void OnSignOutNotice(IQorCmd* pCmd);
    void OnReadReceipt(IQorCmd* pCmd);
    void OnSentConfirmation(IQorCmd* pCmd);
    void OnNewGroup(IQorCmd* pCmd);
    void OnNewChat(IQorCmd* pCmd);
    void OnStatus(IQorCmd* pCmd);
    void OnSignOut(IQorCmd* pCmd);
    void OnSignOutEx(IQorCmd* pCmd);
    void OnOnline(IQorCmd* pCmd);
    void OnShake(IQorCmd* pCmd);
    void OnRefusedFile(IQorCmd* pCmd);
    void OnDownloadedFile(IQorCmd* pCmd);
    void OnFlashLogin(IQorCmd* pCmd);
    void OnNewMail(IQorCmd* pCmd);

    IAppCommandOwner& m_owner;
    CCoreEventDispatch& m_coreEvents; // the forced sign-out, the receipts and the raising of tips
    CQorTipMgr& m_tips;
};
