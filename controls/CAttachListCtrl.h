#pragma once
// CAttachListCtrl: the attachments of one message, one row each with the shell's icon for
// the file type (a folder icon for a folder), and beside the rows an array of _ATTACH_ITEM
// records in row order that the panes read (GetAttachments()[i] is row i). Files and
// folders dropped from the shell are added as rows.
#include "framework/CArray.h"
#include "platform/QorView/AttachItem.h"
#include "platform/QorView/CFlatListCtrl.h"
#include "platform/QorView/CShellIconInfo.h"

// Sent (0, 0) to the parent after dropped files were added.
#define WM_ATTACH_FILES_DROPPED (WM_USER + 4100)

class CAttachListCtrl : public CFlatListCtrl {
    DECLARE_DYNAMIC(CAttachListCtrl)
public:
    // Image indexes of the pseudo-types; file-type icons start at kFirstTypeImage.
    enum { kFolderImage = 0, kDownedImage = 1, kForwardedImage = 2, kFirstTypeImage = 3 };

    CAttachListCtrl();
    ~CAttachListCtrl() override;

    // Registers ".Folder", ".Downed" and ".Forwarded" with their icons (the last two also as
    // overlay images 1 and 2) and gives the list its image lists. Once, after the window exists.
    void RegisterAttachStateIcons();
    // A row showing strText with the icon of its type; the record gets strText as its file
    // name, strName as its local path and strThird as its message id. Answers the row.
    int AddAttachment(LPCWSTR strText, LPCWSTR strName, LPCWSTR strThird);
    // As AddAttachment, with the source message id and a further text; -1 for an empty text.
    int AddAttachmentEx(LPCWSTR strText, LPCWSTR strName, LPCWSTR strMsgID, LPCWSTR strSrcMsgID, LPCWSTR strExtra);
    // Deletes every row and, when that worked, every record.
    BOOL RemoveAll();
    BOOL RemoveAttachment(int nRow);
    void CopyAttachments(CArray<_ATTACH_ITEM, const _ATTACH_ITEM&>& target) const;
    // A record without a row; answers its index.
    int AppendRecord(const _ATTACH_ITEM& item);
    void MarkRecord(int nIndex);
    // The file names of the unmarked records joined by ";"; FALSE when there is none.
    BOOL GetUnmarkedNames(CString& strNames) const;
    // Overlay image 1 (downloaded) or 2 (forwarded) on a row.
    BOOL SetRowOverlay(int nRow, int nOverlay);
    // A dropped path as a row (path as the record's local path; the shown name derived from
    // it when strText is empty). -1 when both are empty or the path is already listed.
    int AddPath(LPCWSTR strName, LPCWSTR strText);

    // Path helpers: the part after the last "\"; the extension with its dot ("" without one);
    // for a path ending in "\", its last folder name with the "\" ("" for other paths).
    static CString GetFileNameFromPath(const CString& path);
    static CString GetFileExtension(const CString& path);
    static CString GetFolderNameFromPath(const CString& path);

    // One record per row, in row order.
    const CArray<_ATTACH_ITEM, const _ATTACH_ITEM&>& GetAttachments() const { return m_arrAttach; }
    // Records where a row's file now lies on disk; a row outside the records is ignored.
    void SetAttachLocalPath(int nRow, const CString& strLocalPath);
    // The image lists and the cache of file-type icons.
    CShellIconInfo& GetIconInfo() { return m_iconInfo; }

protected:
    int ImageForText(const CString& text);

    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CArray<_ATTACH_ITEM, const _ATTACH_ITEM&> m_arrAttach;
    CShellIconInfo m_iconInfo;
};
