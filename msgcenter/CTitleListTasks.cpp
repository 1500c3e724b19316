#include "msgcenter/CTitleListTasks.h"
#include "framework/FormatString.h"
#include "controls/CWaitingDlg.h"
#include "msgcenter/CMsgBodyText.h"
#include "msgcenter/CQorMsgTitleDlg.h"
#include "msgcenter/IMsgTitleOwner.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CASRichEdit.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include <objbase.h>
#include <richedit.h>

namespace {

// Rows handled between two looks at the message queue.
const int kPumpEvery = 256;

CString Text(UINT nId) { return CQorViewBaseFun::LoadStringW(nId); }

CString Number(int n)
{
    CString s;
    s.Format(L"%d", n);
    return s;
}

// Where the streamed RTF goes; a failed write stops the stream with its error.
struct ExportSink {
    HANDLE hFile = INVALID_HANDLE_VALUE;
    long long written = 0;
    long long limit = -1; // bytes after which a write fails as on a full disk (tests)
    DWORD error = 0;
};

DWORD CALLBACK WriteStreamToFile(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    auto* sink = reinterpret_cast<ExportSink*>(cookie);
    *pcb = 0;
    if (sink->limit >= 0 && sink->written + cb > sink->limit) {
        sink->error = ERROR_DISK_FULL;
        return sink->error;
    }
    DWORD done = 0;
    if (!::WriteFile(sink->hFile, buffer, static_cast<DWORD>(cb), &done, nullptr) || done != static_cast<DWORD>(cb)) {
        sink->error = ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
        return sink->error;
    }
    sink->written += done;
    *pcb = static_cast<LONG>(done);
    return 0;
}

void SetInsertColor(CASRichEdit& edit, COLORREF color)
{
    CHARFORMAT2W cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = color;
    edit.SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void MoveCaretToEnd(CASRichEdit& edit)
{
    // Positions past the end are taken as the end.
    edit.SendMessage(EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
}

long TextLength(CASRichEdit& edit)
{
    GETTEXTLENGTHEX gtl = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<long>(edit.SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0));
}

} // namespace

void CTitleListTasks::PumpPending(CQorMsgTitleDlg* pPane)
{
    MSG msg;
    for (int n = 0; n < 200 && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        // The end of the task is posted by the task itself, after the work.
        if (msg.hwnd == pPane->GetSafeHwnd() && msg.message == WM_TITLE_LONG_TASK_END) {
            ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        CWaitingDlg* pWait = pPane->GetWaitingDlg();
        if (pWait && pWait->GetSafeHwnd() && ::IsDialogMessageW(pWait->GetSafeHwnd(), &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

unsigned CTitleListTasks::DeleteSelectedTitles(CQorMsgTitleDlg* pPane)
{
    pPane->m_nLastTaskCount = 0;
    std::vector<int> rows = pPane->GetSelectedRows();
    if (pPane->m_bCancel || rows.empty()) {
        pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
        return 0;
    }
    CString shownID = pPane->m_pBasePane ? pPane->m_pBasePane->GetShownMessageID() : CString();
    CYqConnect* pConnect = CQorViewMgr::Instance()->m_pConnect;

    // The ids of every selected row, read in large pages (rows never shown included).
    std::vector<CString> ids;
    ids.reserve(rows.size());
    int seen = 0;
    bool readOk = pPane->m_cache.ForEachRow(pConnect, pPane->m_strBaseQuery, pPane->m_nSortColumn,
                                            pPane->m_bDescending, rows, [&](int, const _MSGITEM& item) {
        if (seen++ % kPumpEvery == 0)
            PumpPending(pPane);
        if (pPane->m_bCancel)
            return false;
        if (!item.strID.IsEmpty())
            ids.push_back(item.strID);
        return true;
    });

    CString caption = Text(IDS_MSGBOX_CAPTION);
    if (pPane->m_bCancel) {
        pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
        QorMessageBox(Text(IDS_DELETE_CANCELLED), caption, pPane, MB_OK, MB_ICONINFORMATION);
        return 0;
    }

    // All of them or none: a failure or a cancel rolls the whole deletion back.
    bool ok = readOk && pConnect && pConnect->BeginTrans();
    bool shownDeleted = false;
    int done = 0;
    if (ok) {
        for (size_t i = 0; i < ids.size(); ++i) {
            const CString& id = ids[i];
            if (i % kPumpEvery == 0) {
                PumpPending(pPane);
                if (pPane->m_bCancel)
                    break;
            }
            if (!CQorDBBaseFun::DeleteMsg(pConnect, id) || !CQorDBBaseFun::DeleteMsgAttach(pConnect, id) ||
                !CQorDBBaseFun::DeleteMsgContent(pConnect, id) || !CQorDBBaseFun::DeleteMsgRecv(pConnect, id)) {
                ok = false;
                break;
            }
            ++done;
            pPane->SetLongTaskPos(done);
            if (id == shownID)
                shownDeleted = true;
        }
        if (ok && !pPane->m_bCancel)
            ok = pConnect->CommitTrans();
        else
            pConnect->RollbackTrans();
    }
    bool cancelled = pPane->m_bCancel != 0;
    if (!ok || cancelled) {
        pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
        QorMessageBox(Text(cancelled && ok ? IDS_DELETE_CANCELLED : IDS_DELETE_FAILED), caption, pPane, MB_OK,
                      MB_ICONWARNING);
        return 0;
    }

    // The list shrinks by what was deleted; every row after a deleted one moved, so the cache
    // and the selection (which named rows by index) start again.
    pPane->m_nLastTaskCount = done;
    pPane->m_cache.Shrink(done);
    pPane->ClearSelection();
    pPane->m_list.SetItemCountEx(pPane->m_cache.GetTotal(), 0);
    pPane->m_list.SetSelectionMark(-1);
    pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
    if (pPane->m_pBasePane && (pPane->m_cache.GetTotal() == 0 || shownDeleted))
        pPane->m_pBasePane->ClearMessageContent();
    CString line;
    line.Format(L"CQorMsgTitleDlg::DeleteSelectedTitles Deleted:%d\r\n", done);
    CQorViewBaseFun::WriteErrorLogFileEx(line);
    return 1;
}

unsigned CTitleListTasks::ExportSelectedTitles(CQorMsgTitleDlg* pPane)
{
    if (!pPane)
        return 0;
    pPane->m_nLastTaskCount = 0;
    if (pPane->m_bCancel) {
        pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
        return 0;
    }
    HRESULT hrCom = ::CoInitialize(nullptr);
    struct ComScope {
        HRESULT hr;
        ~ComScope()
        {
            if (SUCCEEDED(hr))
                ::CoUninitialize();
        }
    } comScope{hrCom};

    const CString& path = pPane->m_strExportPath;
    ExportSink sink;
    sink.limit = pPane->m_llExportWriteLimit;
    sink.hFile = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (sink.hFile == INVALID_HANDLE_VALUE) {
        CString text;
        AfxFormatString1(text, IDS_EXPORT_OPEN_FAILED, path);
        QorMessageBox(text, Text(IDS_LOGIN_CAPTION), nullptr, MB_OK, MB_ICONWARNING);
        pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
        return 0;
    }

    CASRichEdit edit;
    CRect rc(-200, -200, -100, -100);
    if (!edit.Create(0x40A00844, rc, pPane, IDC_HIDDEN_RICHEDIT)) {
        ::CloseHandle(sink.hFile);
        pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
        return 0;
    }
    const long limit = pPane->m_nExportTextLimit;
    edit.SendMessage(EM_EXLIMITTEXT, 0, limit);
    // The hidden view is 100 pixels wide: wrapping every appended body into lines of a word or
    // two made each append slow and kept a line record per word (a 10k-message export ran out
    // of memory). Nothing is shown, so nothing needs wrapping; the written RTF is the same.
    edit.SendMessage(EM_SETTARGETDEVICE, 0, 1);
    edit.SendMessage(WM_SETFONT, pPane->SendMessage(WM_GETFONT), FALSE);

    CYqConnect* pConnect = CQorViewMgr::Instance()->m_pConnect;
    std::vector<int> rows = pPane->GetSelectedRows();
    int done = 0;
    bool tooLarge = false;
    // Characters in the edit so far: counted as plain text goes in (asking the edit each time
    // would make a long export quadratic); measured after an RTF body, whose size in characters
    // only the edit knows.
    long chars = 0;
    bool readOk = pPane->m_cache.ForEachRow(pConnect, pPane->m_strBaseQuery, pPane->m_nSortColumn,
                                            pPane->m_bDescending, rows, [&](int, const _MSGITEM& item) {
        if (done % kPumpEvery == 0)
            PumpPending(pPane);
        if (pPane->m_bCancel)
            return false;
        if (item.strID.IsEmpty())
            return true;
        CString header = item.strSenderName + L"->" + item.strRecvName + L"  " + item.strSendDate + L"\n";
        CString content, type;
        CQorDBBaseFun::GetMsgContentInfo(pConnect, item.strID, content, type);
        CString body = CMsgBodyText::BodyToText(type, content);
        bool rtf = body.Left(5) == L"{\\rtf";
        // A plain piece that cannot fit, or an RTF piece that filled the edit, would be cut:
        // such an export is refused rather than written short.
        if (chars + header.GetLength() + (rtf ? 0 : body.GetLength()) + 2 >= limit) {
            tooLarge = true;
            return false;
        }
        MoveCaretToEnd(edit);
        SetInsertColor(edit, 0xFF0000);
        edit.ReplaceSel(header);
        MoveCaretToEnd(edit);
        SetInsertColor(edit, 0);
        if (!body.IsEmpty())
            edit.AppendRTF(body, rtf, rtf ? L"Text/Rtf" : L"");
        edit.AppendRTF(L"\r\n", false, CString());
        chars = rtf ? TextLength(edit) : chars + header.GetLength() + body.GetLength() + 2;
        if (chars >= limit - 1) {
            tooLarge = true;
            return false;
        }
        ++done;
        pPane->SetLongTaskPos(done);
        return true;
    });

    bool written = false;
    if (!tooLarge && readOk) {
        EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&sink), 0, WriteStreamToFile};
        edit.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
        written = es.dwError == 0 && sink.error == 0;
    }
    edit.DestroyWindow();
    if (!::CloseHandle(sink.hFile))
        written = false;
    pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);

    CString caption = Text(IDS_MSGBOX_CAPTION), text;
    if (!written) {
        // A short file would pass for the whole export: it goes.
        ::DeleteFileW(path);
        if (tooLarge)
            AfxFormatString1(text, IDS_EXPORT_TOO_LARGE, Number(done));
        else
            AfxFormatString1(text, IDS_EXPORT_WRITE_FAILED, path);
        QorMessageBox(text, caption, pPane, MB_OK, MB_ICONWARNING);
        return 0;
    }
    pPane->m_nLastTaskCount = done;
    AfxFormatString2(text, IDS_EXPORT_DONE, Number(done), path);
    QorMessageBox(text, caption, pPane, MB_OK, MB_ICONINFORMATION);
    return 1;
}
