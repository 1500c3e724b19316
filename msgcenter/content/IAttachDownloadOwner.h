#pragma once
// What the download progress dialog needs of the window that runs a download: a window to
// check that the owner is still there, and the cancel of its transfer. The history viewer and
// the message content pane implement it.
class CWnd;

class IAttachDownloadOwner {
public:
    // The owner's window (null or without a window: the owner is gone and is not called).
    virtual CWnd* GetDownloadOwnerWnd() = 0;
    // Stops the owner's running transfer.
    virtual void CancelAttachmentDownload() = 0;

protected:
    ~IAttachDownloadOwner() = default;
};
