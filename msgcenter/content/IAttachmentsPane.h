#pragma once
// What the content pane's attachments (CContentAttachments) see of the pane: its window, the
// attachment list, the message shown, its owner, and the shell's opening of a file. As the
// download owner it also takes the progress dialog's Cancel. CQorMsgContentDlg implements it.
#include "framework/CString.h"
#include "framework/Platform.h"
#include "msgcenter/content/IAttachDownloadOwner.h"

class CAttachListCtrl;
class CWnd;
class IMsgContentOwner;

class IAttachmentsPane : public IAttachDownloadOwner {
public:
    // The pane's window: the parent of its menus, message boxes and dialogs, the target of
    // download events and the owner of the poll timer.
    virtual CWnd* GetPaneWnd() = 0;
    virtual CAttachListCtrl& GetAttachList() = 0;
    // The message shown, and its sender's name.
    virtual const CString& GetMessageID() const = 0;
    virtual const CString& GetSenderName() const = 0;
    // The pane that holds the content pane; null while there is none.
    virtual IMsgContentOwner* GetOwner() const = 0;
    // Opens a file or address the way the user's system does.
    virtual void ShellOpen(const CString& strFile, const CString& strParameters) = 0;

protected:
    ~IAttachmentsPane() = default;
};
