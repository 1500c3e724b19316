#include "msgcenter/CTitleListTasks.h"
#include "framework/FormatString.h"
#include "controls/CWaitingDlg.h"
#include "msgcenter/CQorMsgTitleDlg.h"
#include "msgcenter/CRtfExportWriter.h"
#include "msgcenter/IMsgTitleOwner.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include <objbase.h>

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
    CRtfExportWriter writer;
    writer.m_llWriteLimit = pPane->m_llExportWriteLimit;
    if (!writer.OpenFile(path)) {
        CString text;
        AfxFormatString1(text, IDS_EXPORT_OPEN_FAILED, path);
        QorMessageBox(text, Text(IDS_LOGIN_CAPTION), nullptr, MB_OK, MB_ICONWARNING);
        pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
        return 0;
    }
    HFONT hFont = reinterpret_cast<HFONT>(pPane->SendMessage(WM_GETFONT));
    if (!writer.CreateEdit(pPane->GetSafeHwnd(), IDC_HIDDEN_RICHEDIT, hFont, pPane->m_nExportTextLimit)) {
        pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);
        return 0;
    }

    CYqConnect* pConnect = CQorViewMgr::Instance()->m_pConnect;
    std::vector<int> rows = pPane->GetSelectedRows();
    int done = 0;
    bool readOk = pPane->m_cache.ForEachRow(pConnect, pPane->m_strBaseQuery, pPane->m_nSortColumn,
                                            pPane->m_bDescending, rows, [&](int, const _MSGITEM& item) {
        if (done % kPumpEvery == 0)
            PumpPending(pPane);
        if (pPane->m_bCancel)
            return false;
        if (item.strID.IsEmpty())
            return true;
        CString content, type;
        CQorDBBaseFun::GetMsgContentInfo(pConnect, item.strID, content, type);
        if (!writer.AddMessage(item.strSenderName, item.strRecvName, item.strSendDate, type, content))
            return false;
        ++done;
        pPane->SetLongTaskPos(done);
        return true;
    });

    const bool tooLarge = writer.IsTooLarge();
    bool written = writer.Finish(readOk);
    pPane->PostMessage(WM_TITLE_LONG_TASK_END, 0, 0);

    CString caption = Text(IDS_MSGBOX_CAPTION), text;
    if (!written) {
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
