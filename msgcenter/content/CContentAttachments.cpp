#include "msgcenter/content/CContentAttachments.h"
#include "common/CSafeFileName.h"
#include "controls/CAttachListCtrl.h"
#include "framework/CFileDialog.h"
#include "framework/CMenu.h"
#include "framework/CUIntArray.h"
#include "framework/FormatString.h"
#include "platform/QorView/AttachItem.h"
#include "msgcenter/content/CDownloadAttachProcessDlg.h"
#include "msgcenter/historyviewer/CHistoryStore.h"
#include "msgcenter/content/IAttachmentsPane.h"
#include "msgcenter/content/IMsgContentOwner.h"
#include "msgcenter/ktf/CKTFAt.h"
#include "msgcenter/ktf/CKTFFile.h"
#include "msgcenter/ktf/CKTFMgr.h"
#include "msgcenter/ktf/CKTFSharp.h"
#include "msgcenter/ktf/CKTFText.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "platform/FileClient/FileClientApi.h"
#include "platform/FileClient/FileClientTransfer.h"
#include "platform/FileTransfer/Utilities.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorUtils/CQorStrUtils.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorFolderItem.h"
#include "platform/QorView/QorMessageBox.h"

namespace {

CContentAttachments::SaveDialogHook s_saveHook = nullptr;

CString Text(UINT nId) { return CQorViewBaseFun::LoadStringW(nId); }

bool FileExists(const CString& strPath)
{
    return !strPath.IsEmpty() && ::GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES;
}

bool EndsWithBackslash(const CString& s) { return !s.IsEmpty() && s[s.GetLength() - 1] == L'\\'; }

} // namespace

void CContentAttachments::SetSaveDialogHook(SaveDialogHook hook) { s_saveHook = hook; }

CContentAttachments::~CContentAttachments()
{
    delete m_pProgressDlg;
}

const _ATTACH_ITEM* CContentAttachments::SelectedRow()
{
    CAttachListCtrl& list = m_pPane->GetAttachList();
    if (!list.GetSafeHwnd())
        return nullptr;
    int row = list.GetSelectionMark();
    if (row < 0 || row >= static_cast<int>(list.GetAttachments().GetSize()))
        return nullptr;
    return &list.GetAttachments()[row];
}

int CContentAttachments::FindRow(const CString& strMsgID, const CString& strName) const
{
    const CAttachListCtrl& list = m_pPane->GetAttachList();
    for (INT_PTR i = 0; i < list.GetAttachments().GetSize(); ++i) {
        const _ATTACH_ITEM& item = list.GetAttachments()[i];
        if (item.strMsgID == strMsgID && item.strFileName.CompareNoCase(strName) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CContentAttachments::Ask(UINT nTextId, const CString& strArg, UINT nCaptionId, bool bQuestion)
{
    CString text;
    if (strArg.IsEmpty())
        text = Text(nTextId);
    else
        AfxFormatString1(text, nTextId, strArg);
    return QorMessageBox(text, Text(nCaptionId), m_pPane->GetPaneWnd(), bQuestion ? MB_OKCANCEL : MB_OK,
                         bQuestion ? MB_ICONQUESTION : MB_ICONWARNING);
}

UINT CContentAttachments::FirstSourceKind(const CString& strMsgID, bool& bHaveKind)
{
    CUIntArray kinds;
    bHaveKind = CQorDBBaseFun::LoadAttachFileSource(CQorViewMgr::Instance()->m_pConnect, strMsgID, kinds) &&
                kinds.GetSize() > 0;
    return bHaveKind ? kinds[0] : 0;
}

// ---------------------------------------------------------------------------------------------
// The menu

void CContentAttachments::FillRecentContacts(CMenu* pContacts, const CString& strText)
{
    m_arrRecentIds.RemoveAll();
    m_arrRecentNames.RemoveAll();
    pContacts->DeleteMenu(0, MF_BYPOSITION);
    CString rest(strText);
    CString entry;
    UINT id = ID_RECENT_CONTACT_FIRST;
    while (!rest.IsEmpty()) {
        int semi = rest.Find(L';');
        entry = semi < 0 ? rest : rest.Left(semi);
        rest = semi < 0 ? CString() : rest.Mid(semi + 1);
        int comma = entry.Find(L',');
        if (comma < 0)
            continue;
        CString contactId = entry.Left(comma), name = entry.Mid(comma + 1);
        contactId.Trim();
        name.Trim();
        if (contactId.IsEmpty() || name.IsEmpty() || id > ID_RECENT_CONTACT_LAST)
            continue;
        m_arrRecentIds.Add(contactId);
        m_arrRecentNames.Add(name);
        pContacts->InsertMenu(0, MF_BYPOSITION | MF_STRING, id++, name);
    }
}

void CContentAttachments::OnAttachRClick()
{
    CAttachListCtrl& list = m_pPane->GetAttachList();
    CPoint screen;
    ::GetCursorPos(&screen);
    CPoint pt = screen;
    list.ScreenToClient(&pt);
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_ATTACH))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    int row = list.HitTest(pt);
    if (!pPopup || row < 0 || row >= static_cast<int>(list.GetAttachments().GetSize()))
        return;
    const _ATTACH_ITEM& item = list.GetAttachments()[row];
    if (!FileExists(item.strLocalPath)) {
        pPopup->DeleteMenu(ID_ATTACH_OPEN, MF_BYCOMMAND);
        pPopup->DeleteMenu(ID_ATTACH_OPEN_FOLDER, MF_BYCOMMAND);
        pPopup->DeleteMenu(ID_ATTACH_FORWARD, MF_BYCOMMAND);
        pPopup->DeleteMenu(0, MF_BYCOMMAND);
        pPopup->DeleteMenu(0, MF_BYPOSITION);
    } else {
        pPopup->DeleteMenu(ID_ATTACH_SAVE_AS, MF_BYCOMMAND);
        if (CMenu* pContacts = pPopup->GetSubMenu(4)) {
            CString text = CQorViewMgr::Instance()->GetRecentContacts();
            if (text.IsEmpty())
                pPopup->DeleteMenu(4, MF_BYPOSITION);
            else
                FillRecentContacts(pContacts, text);
        }
    }
    pPopup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, m_pPane->GetPaneWnd());
}

// ---------------------------------------------------------------------------------------------
// Sending on

void CContentAttachments::SendSelectedFile(const CStringArray& arIds, const CStringArray& arNames, WPARAM wQuickSend)
{
    const _ATTACH_ITEM* item = SelectedRow();
    IMsgContentOwner* owner = m_pPane->GetOwner();
    if (!item || !owner)
        return;
    CStringArray files;
    files.Add(item->strLocalPath);
    owner->SendFilesToUsers(arIds, arNames, files);
    owner->QuickSend(wQuickSend);
}

void CContentAttachments::OnSendAttachToContact(UINT nID)
{
    INT_PTR index = static_cast<INT_PTR>(nID) - ID_RECENT_CONTACT_FIRST;
    // The menu may be older than the lists behind it: an item without its entry does nothing.
    if (index < 0 || index >= m_arrRecentIds.GetSize() || index >= m_arrRecentNames.GetSize())
        return;
    CStringArray ids, names;
    ids.Add(m_arrRecentIds[index]);
    names.Add(m_arrRecentNames[index]);
    SendSelectedFile(ids, names, 0);
}

void CContentAttachments::OnForwardAttachment()
{
    CStringArray ids, names;
    SendSelectedFile(ids, names, 0x1000);
}

// ---------------------------------------------------------------------------------------------
// Opening and saving

void CContentAttachments::OnAttachOpen()
{
    const _ATTACH_ITEM* item = SelectedRow();
    if (item) {
        _ATTACH_ITEM copy = *item;
        OpenAttachment(copy.strMsgID, copy.strFileName, copy.strLocalPath);
    }
}

bool CContentAttachments::OpenAttachment(const CString& strMsgID, const CString& strFileName,
                                         const CString& strLocalPath)
{
    if (FileExists(strLocalPath)) {
        m_pPane->ShellOpen(strLocalPath, CString());
        return true;
    }
    bool haveKind = false;
    UINT kind = FirstSourceKind(strMsgID, haveKind);
    if (!haveKind) {
        // No source recorded for the message: nothing can get the file.
        Ask(IDS_ATTACH_UNAVAILABLE, CString(), IDS_MSGBOX_CAPTION, false);
        return false;
    }
    if (kind == kSourceUnavailable) {
        Ask(IDS_ATTACH_UNAVAILABLE, CString(), IDS_MSGBOX_CAPTION, false);
        return true;
    }
    if (kind == kSourceDownload || kind == kSourceTransfer) {
        if (Ask(IDS_ATTACH_MISSING_ASK, CString(), IDS_MSGBOX_CAPTION, true) != IDOK)
            return false;
        if (kind == kSourceTransfer)
            return TransferBodyFile(strMsgID, strLocalPath, strFileName);
        return DownloadAttachment(m_pPane->GetMessageID(), strFileName);
    }
    m_pPane->ShellOpen(strLocalPath, CString());
    return true;
}

void CContentAttachments::OpenFolderOf(const CString& strPath)
{
    // Doubled separators collapse to one, but a leading "\\" (a network path) stays.
    bool unc = strPath.Left(2) == L"\\\\";
    CString path = unc ? strPath.Mid(2) : strPath;
    while (path.Replace(L"\\\\", L"\\") > 0) {
    }
    if (unc)
        path = L"\\\\" + path;
    m_pPane->ShellOpen(L"Explorer.exe", L"/n,/select," + path);
}

void CContentAttachments::OnOpenAttachFolder()
{
    const _ATTACH_ITEM* item = SelectedRow();
    if (!item)
        return;
    _ATTACH_ITEM copy = *item;
    if (FileExists(copy.strLocalPath)) {
        OpenFolderOf(copy.strLocalPath);
        return;
    }
    if (Ask(IDS_ATTACH_MISSING_ASK, CString(), IDS_MSGBOX_CAPTION, true) != IDOK)
        return;
    // The folder is opened once the file has arrived, on the path it was saved to.
    m_strOpenFolderMsgID = copy.strMsgID;
    m_strOpenFolderName = copy.strFileName;
    if (!DownloadAttachment(m_pPane->GetMessageID(), copy.strFileName)) {
        m_strOpenFolderMsgID.Empty();
        m_strOpenFolderName.Empty();
    }
}

void CContentAttachments::OnAttachSaveAs()
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    if (!pMgr->HaveReceiveFileACE()) {
        CString text;
        AfxFormatString1(text, IDS_NO_RECEIVE_RIGHT, m_pPane->GetSenderName());
        QorMessageBox(text, Text(IDS_PROXY_CAPTION), m_pPane->GetPaneWnd(), MB_OK, MB_ICONWARNING);
        return;
    }
    const _ATTACH_ITEM* item = SelectedRow();
    if (!item)
        return;
    _ATTACH_ITEM copy = *item;
    bool haveKind = false;
    UINT kind = FirstSourceKind(m_pPane->GetMessageID(), haveKind);
    if (!haveKind)
        return;
    if (kind == kSourceTransfer)
        TransferBodyFile(copy.strMsgID, copy.strLocalPath, copy.strFileName);
    else if (kind == kSourceDownload)
        DownloadAttachment(m_pPane->GetMessageID(), copy.strFileName);
}

bool CContentAttachments::ChooseSaveTarget(CString& strFolder, CString& strFileName)
{
    strFolder.Empty();
    // The sender chose the name: it is made safe before the dialog proposes it or a folder takes it.
    strFileName = CSafeFileName::Clean(strFileName);
    if (EndsWithBackslash(strFileName)) {
        if (!CQorViewBaseFun::GetSelectedFolder(m_pPane->GetPaneWnd()->GetSafeHwnd(), Text(IDS_CHOOSE_FOLDER), strFolder) ||
            strFolder.IsEmpty())
            return false;
        // The question is about the folder that would be written: the chosen folder plus the
        // attachment's own folder name.
        CString target = strFolder + L"\\" + strFileName.Left(strFileName.GetLength() - 1);
        if (CQorViewBaseFun::ExistDir(target))
            return Ask(IDS_FOLDER_EXISTS, target, IDS_PROXY_CAPTION, true) == IDOK;
        return true;
    }
    CString ext = CQorViewBaseFun::GetFileType(strFileName);
    if (!ext.IsEmpty() && ext[0] == L'.')
        ext = ext.Mid(1);
    CString filter;
    if (ext.IsEmpty()) {
        filter = Text(IDS_ALL_FILES_FILTER);
    } else {
        CString pattern = L"*." + ext;
        filter.Format(L"(%s)|%s|%s", pattern.GetString(), pattern.GetString(), Text(IDS_ALL_FILES_FILTER).GetString());
    }
    CString path;
    if (s_saveHook) {
        if (!s_saveHook(ext, strFileName, filter, path))
            return false;
    } else {
        // The default extension is the extension itself: the dialog adds a dot before it.
        CFileDialog dlg(FALSE, ext.IsEmpty() ? nullptr : ext.GetString(), strFileName, 0x8080E, filter, m_pPane->GetPaneWnd());
        CString title = Text(IDS_SAVE_ATTACH_TITLE);
        dlg.m_ofn.lpstrTitle = title;
        if (dlg.DoModal() != IDOK)
            return false;
        path = dlg.GetPathName();
    }
    strFolder = CQorViewBaseFun::GetPathName(path);
    int slash = path.ReverseFind(L'\\');
    strFileName = slash < 0 ? path : path.Mid(slash + 1);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Getting a file

bool CContentAttachments::DownloadAttachment(const CString& strMsgID, const CString& strFileName)
{
    _ATTACH_ITEM item;
    item.strMsgID = strMsgID;
    item.strFileName = strFileName;
    CString folder, name(strFileName);
    if (!ChooseSaveTarget(folder, name))
        return false;
    CQorDBBaseFun::GetSourceMsgID(CQorViewMgr::Instance()->m_pConnect, strMsgID, item.strSrcMsgID);
    item.strLocalPath = folder + L"\\" + name;
    item.dwWords[_ATTACH_ITEM::kFolderWord] = EndsWithBackslash(name) ? 1 : 0;
    return CQorViewMgr::Instance()->DownloadAttach(&item, 9, m_pPane->GetPaneWnd()) != FALSE;
}

bool CContentAttachments::TransferBodyFile(const CString& strMsgID, CString strFolder, const CString& strFileName)
{
    CString sql;
    sql.Format(L"SELECT Col_Content FROM qor_Msg_Content \t\t\t\t\t  WHERE Col_MSGID = '%s'",
               CTitleListQuery::Quote(strMsgID).GetString());
    CYqRecordset rs;
    if (!rs.Open(sql, CQorViewMgr::Instance()->m_pConnect))
        return false;
    CString name(strFileName);
    if (!ChooseSaveTarget(strFolder, name))
        return false;
    rs.MoveFirst();
    const char* body = rs.IsEOF() ? "" : rs.GetChunkAsciiChar(0);
    CKTFMgr ktf;
    ktf.Parse(CString(CQorStrUtils::UTF8ToString(body).GetString()), false);
    const CKTFFile* file = nullptr;
    for (const CKTFItem* item : ktf.items)
        if (item->kind == 3)
            file = static_cast<const CKTFFile*>(item);
    rs.Close();
    if (!file || file->text.IsEmpty() || (file->type != 1 && file->type != 2))
        return false;

    // A new transfer: whatever the last one left pending is its own business, not this one's.
    m_bDeletePending = 0;
    m_bTransferRunning = false;
    CString target = strFolder + L"\\" + name;
    CString key = file->type == 1 && file->text.GetLength() > 32 ? file->text.Right(32) : file->text;
    m_queryId = CFileQueryID();
    m_strTransferGuid = strMsgID;
    m_nTransferKind = file->type;
    m_llTotalSize = file->size;
    m_strTargetPath = target;
    BOOL started = CQorViewMgr::Instance()->DownloadAttach(file->fshost, key, file->type, m_pPane->GetPaneWnd()->GetSafeHwnd(),
                                                           strMsgID, target, &m_queryId);
    if (!started) {
        m_nLastResult = IDABORT;
        Ask(IDS_ATTACH_FAILED, name, IDS_MSGBOX_CAPTION, false);
        return false;
    }
    m_bTransferRunning = true;

    if (m_pProgressDlg) {
        if (m_pProgressDlg->GetSafeHwnd())
            m_pProgressDlg->DestroyWindow();
        delete m_pProgressDlg;
    }
    m_pProgressDlg = new CDownloadAttachProcessDlg(m_pPane->GetPaneWnd());
    m_pProgressDlg->SetContentPane(m_pPane);
    StartDownloadPoll();
    INT_PTR result = m_pProgressDlg->DoModal();
    m_nLastResult = result;
    m_bTransferRunning = false;
    if (result == IDOK)
        return true;
    if (result == IDCANCEL) {
        // Only the transfer's own partial file goes: the target may be a file that was there
        // before (the user agreed to replace it, and it never was), or the finished download.
        m_bDeletePending = 1;
        m_strDeletePath = target + FILECLIENT_PARTIAL_SUFFIX;
        m_nDeleteKind = m_nTransferKind;
    }
    return false;
}

void CContentAttachments::StartDownloadPoll()
{
    if (!m_nPollTimer)
        m_nPollTimer = m_pPane->GetPaneWnd()->SetTimer(kPollTimer, kPollMs, nullptr);
}

void CContentAttachments::CancelAttachTransfer()
{
    GUID guid = Utilities::StrToGuid(m_strTransferGuid);
    CQorViewMgr::Instance()->CancelDownload(&m_queryId, m_pPane->GetPaneWnd()->GetSafeHwnd(), guid, m_nTransferKind, 0);
}

void CContentAttachments::EndProgress(INT_PTR nResult)
{
    if (!m_pProgressDlg || !m_pProgressDlg->GetSafeHwnd())
        return;
    if (nResult == IDOK)
        m_pProgressDlg->CompleteDownload();
    else
        m_pProgressDlg->EndDialog(static_cast<int>(nResult));
}

bool CContentAttachments::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kPollTimer)
        return false;
    if (m_bDeletePending) {
        BOOL removed = TRUE;
        if (m_nDeleteKind == 1)
            removed = ::DeleteFileW(m_strDeletePath);
        else if (m_nDeleteKind == 2)
            removed = ::RemoveDirectoryW(m_strDeletePath);
        if (removed || ::GetFileAttributesW(m_strDeletePath) == INVALID_FILE_ATTRIBUTES)
            m_bDeletePending = 0;
        return true;
    }
    if (!m_bTransferRunning || !m_queryId.IsSet())
        return false;
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    if (m_nTransferKind == 1) {
        FiileItem_Info* info = AllocFileItem_Info();
        if (info) {
            if (pMgr->GetDownloadFileInfo(&m_queryId, info) != -1 && info->nState == FILEITEM_STATE_RUNNING &&
                m_pProgressDlg)
                m_pProgressDlg->UpdateProgress(info->llBytesDone, m_llTotalSize);
            FreeFileItem_Info(info);
        }
    } else if (m_nTransferKind == 2) {
        QorFolderItem folder;
        if (pMgr->GetDownloadFolderInfo(&m_queryId, folder) != -1 && folder.nState == FILEITEM_STATE_RUNNING &&
            m_pProgressDlg)
            m_pProgressDlg->UpdateProgress(folder.llBytesDone, m_llTotalSize);
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Results

void CContentAttachments::OnAttachDownloaded(const _ATTACH_ITEM* pItem)
{
    if (!pItem)
        return;
    int row = FindRow(pItem->strMsgID, pItem->strFileName);
    if (row >= 0)
        m_pPane->GetAttachList().SetAttachLocalPath(row, pItem->strLocalPath);
    CString path = pItem->strLocalPath;
    if (!m_strOpenFolderName.IsEmpty() && m_strOpenFolderMsgID == pItem->strMsgID &&
        m_strOpenFolderName.CompareNoCase(pItem->strFileName) == 0) {
        m_strOpenFolderMsgID.Empty();
        m_strOpenFolderName.Empty();
        OpenFolderOf(path);
        return;
    }
    if (Ask(IDS_ATTACH_DONE_OPEN, pItem->strFileName, IDS_MSGBOX_CAPTION, true) == IDOK)
        m_pPane->ShellOpen(path, CString());
}

void CContentAttachments::OnAttachDownloadFailed(const CString* pName)
{
    m_strOpenFolderMsgID.Empty();
    m_strOpenFolderName.Empty();
    Ask(IDS_ATTACH_FAILED, pName ? *pName : CString(), IDS_MSGBOX_CAPTION, false);
}

void CContentAttachments::OnFileClientNotify(int nCode, void* pRecord)
{
    if (!pRecord)
        return;
    CString name, localPath, guidText;
    LONGLONG done = 0;
    if (nCode == FCN_FILE_DONE || nCode == FCN_FILE_FAILED) {
        auto* info = static_cast<FiileItem_Info*>(pRecord);
        name = info->strFileName.GetString();
        localPath = info->strLocalPath.GetString();
        done = info->llBytesDone;
        guidText = Utilities::GuidToStr(info->guidTransfer);
    } else if (nCode == FCN_FOLDER_DONE || nCode == FCN_FOLDER_FAILED) {
        auto* folder = static_cast<QorFolderItem*>(pRecord);
        name = folder->strFolderName.GetString();
        localPath = folder->strLocalPath.GetString();
        done = folder->llBytesDone;
        guidText = Utilities::GuidToStr(folder->guidTransfer);
    } else {
        return;
    }
    // Only this pane's transfer moves its progress dialog; another window's event is not ours.
    GUID mine = Utilities::StrToGuid(m_strTransferGuid);
    bool ours = m_bTransferRunning && Utilities::GuidToStr(mine) == guidText;

    if (nCode == FCN_FILE_FAILED || nCode == FCN_FOLDER_FAILED) {
        if (ours)
            EndProgress(IDABORT);
        Ask(IDS_ATTACH_FAILED, name, IDS_MSGBOX_CAPTION, false);
        return;
    }
    if (ours && m_pProgressDlg && m_pProgressDlg->GetSafeHwnd())
        m_pProgressDlg->UpdateProgress(done, m_llTotalSize);
    {
        // The path is recorded under the attachment lock; the question comes after it is let
        // go, so a box waiting for the user never holds the lock.
        CWqCriticalSection::Owner lock(CQorViewMgr::Instance()->m_csAttach);
        CHistoryStore::SetAttachLocalPath(true, guidText, name, localPath);
        int row = FindRow(guidText, name);
        if (row < 0 && ours)
            row = FindRow(m_strTransferGuid, name);
        if (row >= 0)
            m_pPane->GetAttachList().SetAttachLocalPath(row, localPath);
    }
    if (ours)
        EndProgress(IDOK);
    if (Ask(IDS_ATTACH_DONE_OPEN, name, IDS_MSGBOX_CAPTION, true) == IDOK)
        m_pPane->ShellOpen(localPath, CString());
}
