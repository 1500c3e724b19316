#include "msgcenter/grouptalk/CMeetingHistory.h"
#include "controls/CAttachListCtrl.h"
#include "msgcenter/grouptalk/IMeetingPane.h"
#include "msgcenter/MsgDb.h"
#include "msgcenter/ktf/CKTFMgr.h"
#include "msgcenter/ktf/CKTFText.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorView/CASRichEdit.h"
#include "platform/QorView/CQorViewMgr.h"
#include <string>

namespace {

const COLORREF kSenderColor = RGB(0x60, 0x60, 0x60);
const COLORREF kDateColor = RGB(0x81, 0x81, 0x81);
const int kHeaderSize = 14;
const int kBodyIndent = 200;

// Bodies are stored as UTF-8 bytes and may carry a zero byte inside: only the bytes before
// the first one are text.
CString BodyText(const char* pszBody, int nSize)
{
    int len = 0;
    while (len < nSize && pszBody[len])
        ++len;
    if (len == 0)
        return CString();
    int n = ::MultiByteToWideChar(CP_UTF8, 0, pszBody, len, nullptr, 0);
    std::wstring wide(n, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, pszBody, len, &wide[0], n);
    return CString(wide.c_str());
}

void AtEnd(CASRichEdit& view) { view.SetSel(-1, -1); }

} // namespace

void CMeetingHistory::AppendEntry(const CString& strSenderName, const CString& strSendDate, const char* pszBody,
                                  int nBodySize)
{
    if (!pszBody)
        return;
    CASRichEdit& view = m_pane.GetHistoryView();
    if (!::IsWindow(view.GetSafeHwnd()))
        return;
    // Names, dates and bodies go in as plain text whatever they hold: none is ever read as RTF.
    AtEnd(view);
    view.SetSelectionTextColor(kSenderColor);
    view.SetFontSize(kHeaderSize);
    view.AppendRTF(strSenderName, false, CString());
    AtEnd(view);
    view.SetSelectionTextColor(kDateColor);
    view.SetFontSize(kHeaderSize);
    view.AppendRTF(L"(" + strSendDate + L"):\r\n", false, CString());
    AtEnd(view);
    long bodyStart = 0, bodyEnd = 0;
    view.GetSel(bodyStart, bodyEnd);

    CKTFMgr ktf;
    ktf.Clear();
    ktf.Parse(BodyText(pszBody, nBodySize), false);
    CString text;
    for (const CKTFItem* item : ktf.items)
        if (item->kind == CKTFItem::KIND_TEXT)
            text += static_cast<const CKTFText*>(item)->text;
    view.AppendRTF(text + L"\r\n", false, CString());

    view.SetSel(bodyStart, -1);
    const CKTFFont& font = ktf.GetFont();
    view.SetFontName(font.name);
    view.SetFontSize(font.size);
    view.SetSelectionTextColor(static_cast<COLORREF>(font.clr));
    view.SetIndent(kBodyIndent);
    view.AppendRTF(L"\r\n", false, CString());
    AtEnd(view);
    view.SetIndent(0);
    view.SendMessage(EM_SCROLLCARET, 0, 0);
}

void CMeetingHistory::Load(const CString& strTalkId)
{
    m_pane.GetHistoryView().SetRTFEx(CString(), false);
    if (strTalkId.IsEmpty())
        return;
    CYqConnect* pConnect = CQorViewMgr::Instance()->m_pConnect;
    const CString quotedId = MsgDb::SqlQuote(strTalkId);
    CString sql;
    sql.Format(L"SELECT Col_SenderName, Col_SendDate, Col_Data FROM qor_Talk_Msg WHERE Col_TalkID = '%s' "
               L"\t\t\t\t\t\tORDER BY Col_SendDate DESC",
               (LPCWSTR)quotedId);
    CYqRecordset rs;
    if (!rs.Open(sql, pConnect))
        return;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        CString sender, date;
        rs.GetValue(0, sender);
        rs.GetValue(1, date);
        int size = 0;
        const char* body = rs.IsNull(2) ? nullptr : rs.GetChunkAsciiChar(2, size);
        AppendEntry(sender, date, body, size);
    }
    rs.Close();

    sql.Format(L"SELECT Col_FileName, Col_LocalPath, Col_MsgID \t\t\t\t\t\tFROM qor_Talk_AttachMent WHERE Col_TalkID = '%s'",
               (LPCWSTR)quotedId);
    CYqRecordset attach;
    if (!attach.Open(sql, pConnect))
        return;
    CAttachListCtrl& list = m_pane.GetAttachList();
    list.RemoveAll();
    for (attach.MoveFirst(); !attach.IsEOF(); attach.MoveNext()) {
        CString name, path, msgId;
        attach.GetValue(0, name);
        attach.GetValue(1, path);
        attach.GetValue(2, msgId);
        list.AddAttachment(name, path, msgId);
    }
    attach.Close();
    m_pane.ShowAttachList(list.GetItemCount() > 0);
    m_pane.RelayoutControls();
}
