#include "msgcenter/grouptalk/CMeetingTalkList.h"
#include "common/ChildRect.h"
#include "controls/CWqMsgListCtrl.h"
#include "framework/CWaitCursor.h"
#include "framework/FormatString.h"
#include "msgcenter/manager/CMsgMgrMenus.h"
#include "msgcenter/grouptalk/IMeetingPane.h"
#include "msgcenter/MsgDb.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MeetingResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorView/CASRichEdit.h"
#include "platform/QorView/CLabel.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"

namespace {

// Kind 1 talks are meetings: they alone name who created them.
const int kMeetingKind = MsgDb::kTalkMeeting;

bool IsListedKind(int nKind)
{
    return nKind == MsgDb::kTalkMeeting || nKind == MsgDb::kTalkDiscussion || nKind == MsgDb::kTalkDiscussionOther;
}

const COLORREF kListColor = RGB(0xDE, 0xDA, 0xEE);
const DWORD kListStyles = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_SUBITEMIMAGES;

// The creation date as the user's local time. A stored text that is no date is left out of
// the row (and noted in the error log) rather than shown as it stands or trusted to parse.
CString CreationDate(const CString& strTalkId, const CString& strStored)
{
    if (MsgDb::IsDateText(strStored))
        return CQorViewBaseFun::ToDefaultLocalTime(strStored);
    CString line;
    line.Format(L"Group talk %s: the creation date \"%s\" is not a date and is not shown", (LPCWSTR)strTalkId,
                (LPCWSTR)strStored);
    CQorViewBaseFun::WriteErrorLogFile(line);
    return CString();
}

} // namespace

void CMeetingTalkList::SetupColumns()
{
    CWqMsgListCtrl& list = m_pane.GetTalkList();
    if (!::IsWindow(list.GetSafeHwnd()))
        return;
    list.DeleteAllItems();
    HWND hHeader = ListView_GetHeader(list.GetSafeHwnd());
    for (int n = hHeader ? Header_GetItemCount(hHeader) : 0; n > 0; --n)
        list.DeleteColumn(0);
    // Both layouts keep their widths under one key: the pane shows one kind at a time.
    list.SetColumnSettingKey(L"LCSeeting", L"MeetingWidth");
    if (m_nKind == kMeetingKind) {
        static const UINT widths[] = {250, 100, 90};
        static const UINT titles[] = {IDS_MEETING_COL_SUBJECT, IDS_MEETING_COL_CREATED, IDS_MEETING_COL_CREATOR};
        list.InsertColumnsFromResources(3, widths, titles, TRUE);
    } else {
        static const UINT widths[] = {250, 100};
        static const UINT titles[] = {IDS_TALK_COL_SUBJECT, IDS_TALK_COL_CREATED};
        list.InsertColumnsFromResources(2, widths, titles, TRUE);
    }
    list.SetListColor(kListColor);
    list.AddExtendedStyle(kListStyles);
}

bool CMeetingTalkList::Load()
{
    m_pane.ShowAttachList(false);
    const int kind = m_nKind;
    if (::IsWindow(m_pane.GetLabel().GetSafeHwnd()))
        SetSeeThroughLabelText(m_pane.GetLabel().GetSafeHwnd(),
                               CQorViewBaseFun::LoadStringW(kind == kMeetingKind ? IDS_MEETING_LABEL : IDS_TALK_LABEL));
    SetupColumns();
    m_pane.GetHistoryView().SetRTFEx(CString(), false);
    CWqMsgListCtrl& list = m_pane.GetTalkList();
    if (!::IsWindow(list.GetSafeHwnd()))
        return false;
    list.SendMessage(WM_SETREDRAW, FALSE, 0);
    list.DeleteAllItems();
    bool ok = true;
    // The second kind takes the first one's columns: only the meetings' list has a creator.
    const int kinds[2] = {kind, m_nSecondKind != kind ? m_nSecondKind : 0};
    for (const int listed : kinds) {
        if (!IsListedKind(listed))
            continue;
        CString sql;
        if (kind == kMeetingKind)
            sql.Format(L"SELECT Col_ID, Col_Subject, Col_Dt_Create, \t\t\t\t\t\t\tCol_Creator_Name FROM Qor_Talk WHERE Col_Type = %d",
                       listed);
        else
            sql.Format(L"SELECT Col_ID, Col_Subject, Col_Dt_Create\t\t\t\t\t\t\tFROM Qor_Talk WHERE Col_Type = %d", listed);
        CYqRecordset rs;
        ok = rs.Open(sql, CQorViewMgr::Instance()->m_pConnect);
        if (!ok)
            break;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            CString id, subject, created, creator;
            rs.GetValue(0, id);
            rs.GetValue(1, subject);
            rs.GetValue(2, created);
            const int row = list.AppendItem(subject);
            if (row < 0)
                continue;
            list.SetItemText(row, 1, CreationDate(id, created));
            if (kind == kMeetingKind && rs.GetValue(3, creator))
                list.SetItemText(row, 2, creator);
            list.SetItemDataString(row, id);
        }
        rs.Close();
    }
    if (!ok)
        list.DeleteAllItems();
    list.SendMessage(WM_SETREDRAW, TRUE, 0);
    // The pane and every child drawn afresh: the pane is shown just before it loads, and the
    // history view, emptied while the pane showed, would otherwise keep what was on the screen
    // under it until something else repainted it.
    m_pane.GetPaneWnd()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return ok;
}

void CMeetingTalkList::DeleteSelected()
{
    CWaitCursor wait;
    CWqMsgListCtrl& list = m_pane.GetTalkList();
    if (!::IsWindow(list.GetSafeHwnd()) || list.GetSelectedCount() == 0)
        return;
    if (QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_MSG_ASK_DELETE_TALK),
                      CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION), m_pane.GetPaneWnd(), MB_OKCANCEL,
                      MB_ICONQUESTION, MB_DEFBUTTON2) != IDOK)
        return;
    list.SendMessage(WM_SETREDRAW, FALSE, 0);
    int failed = 0;
    int row = list.GetNextItem(-1, LVNI_SELECTED);
    while (row >= 0) {
        const CString id = list.GetItemDataText(row);
        // A row without an id is no talk of the database: it stays, and so does a talk whose
        // deletion was rolled back.
        if (!id.IsEmpty() && CMsgMgrMenus::DeleteTalk(id)) {
            list.DeleteItem(row);
            row = list.GetNextItem(row - 1, LVNI_SELECTED);
            continue;
        }
        if (!id.IsEmpty())
            ++failed;
        row = list.GetNextItem(row, LVNI_SELECTED);
    }
    list.SendMessage(WM_SETREDRAW, TRUE, 0);
    list.Invalidate();
    if (failed > 0) {
        CString count;
        count.Format(L"%d", failed);
        CString text;
        AfxFormatString1(text, IDS_MEETING_DELETE_FAILED, count);
        QorMessageBox(text, CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION), m_pane.GetPaneWnd(), MB_OK,
                      MB_ICONWARNING);
    }
}
