#include "msgcenter/grouptalk/CMeetingAttachments.h"
#include "common/CSafeFileName.h"
#include "common/CShellRun.h"
#include "controls/CAttachListCtrl.h"
#include "framework/CFileDialog.h"
#include "framework/CMenu.h"
#include "framework/FormatString.h"
#include "msgcenter/historyviewer/CHistoryStore.h"
#include "msgcenter/grouptalk/IMeetingPane.h"
#include "msgcenter/MsgDb.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MeetingResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CxMenu.h"
#include "platform/QorView/QorMessageBox.h"

namespace {

// The view library's kind of a group-talk attachment download.
const int kTalkAttachDownload = 10;

bool IsFolderName(const CString& name) { return name.Right(1) == L"\\"; }

CString Caption() { return CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION); }

} // namespace

bool CMeetingAttachments::IsOnDisk(const CString& strLocalPath)
{
    return !strLocalPath.IsEmpty() && ::GetFileAttributesW(strLocalPath) != INVALID_FILE_ATTRIBUTES;
}

bool CMeetingAttachments::MayReceive(const CString& strMsgId)
{
    if (CQorViewMgr::Instance()->HaveReceiveFileACE())
        return true;
    // The refusal names the person the file came from.
    CString sender;
    CString sql;
    sql.Format(L"SELECT Col_SenderName FROM qor_Talk_Msg WHERE Col_ID = '%s'", (LPCWSTR)MsgDb::SqlQuote(strMsgId));
    CYqRecordset rs;
    if (rs.Open(sql, CQorViewMgr::Instance()->m_pConnect)) {
        rs.MoveFirst();
        if (!rs.IsEOF())
            rs.GetValue(0, sender);
        rs.Close();
    }
    CString text;
    AfxFormatString1(text, IDS_NO_RECEIVE_RIGHT, sender);
    QorMessageBox(text, CQorViewBaseFun::LoadStringW(IDS_PROXY_CAPTION), m_pane.GetPaneWnd(), MB_OK, MB_ICONWARNING);
    return false;
}

bool CMeetingAttachments::AskToDownload(const CString& strMsgId, const CString& strFileName)
{
    // The user is not offered a download he may not make.
    if (!MayReceive(strMsgId))
        return false;
    if (QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_ATTACH_MISSING_ASK), Caption(), m_pane.GetPaneWnd(), MB_OKCANCEL,
                      MB_ICONQUESTION) != IDOK)
        return false;
    return Download(strMsgId, strFileName);
}

bool CMeetingAttachments::Open(const CString& strMsgId, const CString& strFileName, const CString& strLocalPath)
{
    // A file that is not here is never opened silently: it is downloaded first (the download's
    // end offers to open it).
    if (!IsOnDisk(strLocalPath)) {
        AskToDownload(strMsgId, strFileName);
        return true;
    }
    CShellRun::Execute(nullptr, L"open", strLocalPath, nullptr, nullptr, SW_SHOWNORMAL);
    return true;
}

void CMeetingAttachments::ShowInFolder(int nRow)
{
    CAttachListCtrl& list = m_pane.GetAttachList();
    if (nRow < 0 || nRow >= list.GetAttachments().GetSize())
        return;
    const _ATTACH_ITEM item = list.GetAttachments()[nRow];
    if (!IsOnDisk(item.strLocalPath)) {
        AskToDownload(item.strMsgID, item.strFileName);
        return;
    }
    CString path = item.strLocalPath;
    path.Replace(L"\\\\", L"\\");
    CShellRun::Execute(nullptr, nullptr, L"Explorer.exe", L"/n,/select," + path, nullptr, SW_SHOWNORMAL);
}

bool CMeetingAttachments::Save(const CString& strMsgId, const CString& strFileName)
{
    return MayReceive(strMsgId) && Download(strMsgId, strFileName);
}

bool CMeetingAttachments::Download(const CString& strMsgId, const CString& strFileName)
{
    _ATTACH_ITEM item;
    item.strMsgID = strMsgId;
    item.strFileName = strFileName;
    CString folder, name = strFileName;
    if (!ChooseTarget(folder, name))
        return false;
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    // A single read: it needs no transaction of its own (and must not fail because another
    // thread's transaction is open on the shared connection).
    if (pMgr->m_pConnect)
        CQorDBBaseFun::GetSourceMsgID(pMgr->m_pConnect, strMsgId, item.strSrcMsgID);
    item.strLocalPath = folder + L"\\" + name;
    if (pMgr->DownloadAttach(&item, kTalkAttachDownload, m_pane.GetPaneWnd()))
        return true;
    CString text;
    AfxFormatString1(text, IDS_MEETING_DOWNLOAD_NOT_STARTED, strFileName);
    QorMessageBox(text, Caption(), m_pane.GetPaneWnd(), MB_OK, MB_ICONWARNING);
    return false;
}

bool CMeetingAttachments::ChooseTarget(CString& strFolder, CString& strFileName)
{
    // The sender chose the name: it is made safe before the dialog proposes it or a folder takes it.
    strFileName = CSafeFileName::Clean(strFileName);
    if (IsFolderName(strFileName)) {
        const CString folderName = strFileName.Left(strFileName.GetLength() - 1);
        strFileName.Empty();
        if (!CQorViewBaseFun::GetSelectedFolder(m_pane.GetPaneWnd()->GetSafeHwnd(),
                                                CQorViewBaseFun::LoadStringW(IDS_CHOOSE_FOLDER), strFolder) ||
            strFolder.IsEmpty())
            return false;
        // The attachment's folder lands inside the chosen one: only a folder of that name there
        // would be overwritten.
        const CString target = strFolder + L"\\" + folderName;
        if (!CQorViewBaseFun::ExistDir(target))
            return true;
        CString text;
        AfxFormatString1(text, IDS_FOLDER_EXISTS, target);
        return QorMessageBox(text, CQorViewBaseFun::LoadStringW(IDS_PROXY_CAPTION), m_pane.GetPaneWnd(), MB_OKCANCEL,
                             MB_ICONINFORMATION) == IDOK;
    }
    // The save dialog itself asks about overwriting, and only when the chosen file exists.
    CFileDialog dlg(FALSE, nullptr, strFileName,
                    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    CQorViewBaseFun::LoadStringW(IDS_ALL_FILES_FILTER), m_pane.GetPaneWnd());
    const CString title = CQorViewBaseFun::LoadStringW(IDS_SAVE_ATTACH_TITLE);
    dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK)
        return false;
    strFileName = dlg.GetFileName();
    strFolder = CQorViewBaseFun::GetPathName(dlg.GetPathName());
    return true;
}

void CMeetingAttachments::OnDownloaded(const _ATTACH_ITEM& done)
{
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    // The path is written and shown, and the user answers, before another download's end may
    // write its own.
    CWqCriticalSection::Owner lock(pMgr->m_csAttach);
    CHistoryStore::SetAttachLocalPath(false, done.strMsgID, done.strFileName, done.strLocalPath);
    CAttachListCtrl& list = m_pane.GetAttachList();
    for (INT_PTR i = 0; i < list.GetAttachments().GetSize(); ++i) {
        const _ATTACH_ITEM& row = list.GetAttachments()[i];
        if (row.strMsgID == done.strMsgID && row.strFileName.CompareNoCase(done.strFileName) == 0) {
            list.SetAttachLocalPath(static_cast<int>(i), done.strLocalPath);
            break;
        }
    }
    CString text;
    AfxFormatString1(text, IDS_ATTACH_DONE_OPEN, done.strFileName);
    if (QorMessageBox(text, Caption(), m_pane.GetPaneWnd(), MB_OKCANCEL, MB_ICONQUESTION) == IDOK)
        CShellRun::Execute(nullptr, L"open", done.strLocalPath, nullptr, nullptr, SW_SHOWNORMAL);
}

void CMeetingAttachments::OnDownloadFailed(const CString& strFileName)
{
    CString text;
    AfxFormatString1(text, IDS_ATTACH_FAILED, strFileName);
    QorMessageBox(text, Caption(), m_pane.GetPaneWnd(), MB_OK, MB_ICONWARNING);
}

bool CMeetingAttachments::BuildMenu(int nRow, CMenu& menu, CMenu** ppPopup)
{
    CAttachListCtrl& list = m_pane.GetAttachList();
    if (nRow < 0 || nRow >= list.GetAttachments().GetSize() || !menu.LoadMenu(IDR_MENU_ATTACH))
        return false;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return false;
    // Forwarding and sending on belong to single messages, not to a talk's files.
    pPopup->DeleteMenu(ID_ATTACH_FORWARD, MF_BYCOMMAND);
    for (int i = pPopup->GetMenuItemCount() - 1; i >= 0; --i)
        if (::GetSubMenu(pPopup->GetSafeHmenu(), i))
            pPopup->DeleteMenu(i, MF_BYPOSITION);
    if (IsOnDisk(list.GetAttachments()[nRow].strLocalPath)) {
        pPopup->DeleteMenu(ID_ATTACH_SAVE_AS, MF_BYCOMMAND);
    } else {
        pPopup->DeleteMenu(ID_ATTACH_OPEN, MF_BYCOMMAND);
        pPopup->DeleteMenu(ID_ATTACH_OPEN_FOLDER, MF_BYCOMMAND);
    }
    // No separator is left at either end or doubled.
    for (int i = pPopup->GetMenuItemCount() - 1; i >= 0; --i) {
        const bool sep = pPopup->GetMenuItemID(i) == 0;
        const bool prevSep = i == 0 || pPopup->GetMenuItemID(i - 1) == 0;
        if (sep && (prevSep || i == pPopup->GetMenuItemCount() - 1))
            pPopup->DeleteMenu(i, MF_BYPOSITION);
    }
    *ppPopup = pPopup;
    return true;
}
