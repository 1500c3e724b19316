#pragma once
// CMeetingAttachments: what the group-talk pane does with a talk's attachments: open one (after
// downloading it when it is not on disk), show a saved one in Explorer, save one where the user
// chooses (the view library downloads it), and take the download's end.
#include "framework/CString.h"

class IMeetingPane;
class CMenu;
struct _ATTACH_ITEM;

class CMeetingAttachments {
public:
    explicit CMeetingAttachments(IMeetingPane& pane) : m_pane(pane) {}

    bool Open(const CString& strMsgId, const CString& strFileName, const CString& strLocalPath);
    void ShowInFolder(int nRow);
    bool Save(const CString& strMsgId, const CString& strFileName);
    bool ChooseTarget(CString& strFolder, CString& strFileName);
    void OnDownloaded(const _ATTACH_ITEM& done);
    void OnDownloadFailed(const CString& strFileName);
    bool BuildMenu(int nRow, CMenu& menu, CMenu** ppPopup);

    static bool IsOnDisk(const CString& strLocalPath);

private:
    // A file that is not on disk is downloaded first when the user agrees; false when it was not.
    bool AskToDownload(const CString& strMsgId, const CString& strFileName);
    // Where to, then the view library's download; false when the user gave up or it could not
    // start (the user is told then).
    bool Download(const CString& strMsgId, const CString& strFileName);
    // The user's permission to receive files; a refusal is told to the user (false then).
    bool MayReceive(const CString& strMsgId);

    IMeetingPane& m_pane; // the pane that holds the talk
};
