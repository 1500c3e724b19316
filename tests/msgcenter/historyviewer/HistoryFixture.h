#pragma once
// A signed-in user's message database for the history viewer's tests: a real database file of
// the database library, made the view manager's shared connection, filled through its write
// path, and a small manager window standing in for the message centre.
#include "framework/CString.h"
#include "msgcenter/historyviewer/CHistoryStore.h"
#include "msgcenter/IMsgMgrHost.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorView/CQorViewMgr.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <richedit.h>
#include <string>

namespace historytest {

const wchar_t kMe[] = L"me@korvel";
const wchar_t kMyName[] = L"Mia Me";
const wchar_t kPeer[] = L"peer@korvel";
const wchar_t kPeerName[] = L"Piet Peer";
const wchar_t kTalk[] = L"talk_7";

// A message id as the database holds them: GUID text.
inline CString MsgId(int n)
{
    CString id;
    id.Format(L"{00000000-0000-0000-0000-%012d}", n);
    return id;
}

inline CString Date(int n)
{
    // One message a minute from 2020-01-01 08:00:00 on, fixed width.
    int minutes = n;
    CString date;
    date.Format(L"2020-01-%02d %02d:%02d:00", 1 + minutes / (24 * 60), (8 + minutes / 60) % 24, minutes % 60);
    return date;
}

inline CString Q(const CString& s)
{
    return CHistoryStore::Quote(s);
}

class HistoryDb {
public:
    HistoryDb()
    {
        dir = testsupport::TempDir(L"history_db");
        db.OpenConnect((dir + L"\\msg.db").c_str());
        db.InitDBTable();
        CQorViewMgr* mgr = CQorViewMgr::Instance();
        mgr->m_pDBMgr = &db;
        mgr->m_pConnect = db.GetConnect();
        mgr->m_strAccount = kMe;
        mgr->m_strUserName = kMyName;
    }
    ~HistoryDb()
    {
        CQorViewMgr* mgr = CQorViewMgr::Instance();
        mgr->m_pDBMgr = nullptr;
        mgr->m_pConnect = nullptr;
        db.CloseConnect();
        testsupport::RemoveTree(dir);
    }
    void Exec(const CString& sql) { ASSERT_TRUE(db.GetConnect()->Execute(sql)) << CString(sql).GetString(); }

    // A personal message with its content row; from me to the peer when fromMe, else back.
    void AddPeerMsg(int n, bool fromMe, const CString& body, const CString& type = L"Text/Ktf",
                    const CString& command = CString(), const wchar_t* peer = kPeer)
    {
        CString sql;
        sql.Format(L"INSERT INTO qor_Msg (Col_ID, Col_Sender, Col_SenderName, Col_RecvLogin, Col_SendDate, "
                   L"Col_XXAppCommand) VALUES (%s, %s, %s, %s, %s, %s)",
                   Q(MsgId(n)).GetString(), Q(fromMe ? kMe : peer).GetString(),
                   Q(fromMe ? kMyName : kPeerName).GetString(), Q(fromMe ? peer : kMe).GetString(),
                   Q(Date(n)).GetString(), Q(command).GetString());
        Exec(sql);
        sql.Format(L"INSERT INTO qor_Msg_Content (Col_MSGID, Col_ContentType, Col_Content) VALUES (%s, %s, %s)",
                   Q(MsgId(n)).GetString(), Q(type).GetString(), Q(body).GetString());
        Exec(sql);
    }
    void AddPeerAttach(int n, const CString& name, const CString& path = CString())
    {
        Exec(L"INSERT INTO qor_Msg_Attach (Col_MSGID, Col_FileName, Col_LocalPath) VALUES (" + Q(MsgId(n)) + L", " +
             Q(name) + L", " + Q(path) + L")");
    }
    void AddReceipt(int n)
    {
        Exec(L"INSERT INTO qor_Msg_Recv (Col_MSGID, Col_RecvName) VALUES (" + Q(MsgId(n)) + L", 'x')");
    }
    void AddTalkMsg(int n, const CString& senderName, const CString& body, const CString& talk = kTalk)
    {
        CString sql;
        sql.Format(L"INSERT INTO qor_Talk_Msg (Col_ID, Col_TalkID, Col_SenderName, Col_SendDate, Col_Data) "
                   L"VALUES (%s, %s, %s, %s, %s)",
                   Q(MsgId(n)).GetString(), Q(talk).GetString(), Q(senderName).GetString(), Q(Date(n)).GetString(),
                   Q(body).GetString());
        Exec(sql);
    }
    void AddTalkAttach(int n, const CString& name, const CString& path = CString(), const CString& talk = kTalk)
    {
        Exec(L"INSERT INTO qor_Talk_AttachMent (Col_TalkID, Col_MsgID, Col_FileName, Col_LocalPath) VALUES (" +
             Q(talk) + L", " + Q(MsgId(n)) + L", " + Q(name) + L", " + Q(path) + L")");
    }
    int Count(const CString& sql)
    {
        CYqRecordset rs;
        int n = -1;
        if (rs.Open(sql, db.GetConnect())) {
            rs.MoveFirst();
            rs.GetValue(0, n);
        }
        return n;
    }
    CString Text(const CString& sql)
    {
        CYqRecordset rs;
        CString s;
        if (rs.Open(sql, db.GetConnect())) {
            rs.MoveFirst();
            rs.GetValue(0, s);
        }
        return s;
    }

    CQorMsgDBMgr db;
    std::wstring dir;
};

// The manager window as the viewer sees it.
class FakeHost : public IMsgMgrHost {
public:
    CWnd* GetHostWnd() override { return wnd; }
    BOOL IsOrgViewActive() const override { return orgView; }
    BOOL IsLocalMode() const override { return TRUE; }
    void ShowHistoryViewer() override { ++shown; }
    void RefreshCurrentNode() override {}
    void OnSearchMessages() override {}
    CQorMsgBaseDlg* GetBasePane() override { return nullptr; }
    CQorMsgGroupDisDlg* GetHistoryViewer() override { return nullptr; }
    CWnd* GetWebPane() override { return nullptr; }
    bool SendFilesToUsers(const CStringArray&, const CStringArray&, const CStringArray&) override { return false; }
    bool QuickSend(WPARAM) override { return false; }

    CWnd* wnd = nullptr;
    BOOL orgView = TRUE;
    int shown = 0;
};

// A KTF body: one text run, then files "name|size|type|key|host" and an at-mention.
inline CString Ktf(const CString& text, std::initializer_list<CString> files = {}, const CString& at = CString())
{
    CString body = L"<KTF><Font name=\"Tahoma\" size=\"10\" clr=\"0\" flags=\"0\" />";
    if (!text.IsEmpty())
        body += L"<Text>" + text + L"</Text>";
    for (const CString& f : files)
        body += f;
    if (!at.IsEmpty())
        body += L"<at>" + at + L"</at>";
    return body + L"</KTF>";
}

inline CString KtfFile(const CString& name, LONGLONG size, int type, const CString& key, const CString& host,
                       int filetype = 0)
{
    CString s;
    s.Format(L"<File name=\"%s\" size=\"%lld\" type=\"%d\" fshost=\"%s\" filetype=\"%d\">%s</File>", name.GetString(),
             size, type, host.GetString(), filetype, key.GetString());
    return s;
}

} // namespace historytest

#include "msgcenter/historyviewer/CQorMsgGroupDisDlg.h"
#include <functional>
#include <vector>

namespace historytest {

// Steps run from a timer while the code under test sits in a modal loop; each waits until its
// condition holds. The script is done when every step has run.
class ModalScript {
public:
    ModalScript()
    {
        s_current = this;
        m_timer = ::SetTimer(nullptr, 0, 15, &ModalScript::Tick);
    }
    ~ModalScript()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    ModalScript& Then(std::function<bool()> ready, std::function<void()> act)
    {
        m_steps.push_back({std::move(ready), std::move(act)});
        return *this;
    }
    bool Done() const { return m_next == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalScript* self = s_current;
        if (!self || self->m_running || self->Done())
            return;
        auto& step = self->m_steps[self->m_next];
        if (!step.first())
            return;
        ++self->m_next;
        self->m_running = true; // an action may open a modal loop of its own
        step.second();
        self->m_running = false;
    }
    static inline ModalScript* s_current = nullptr;
    UINT_PTR m_timer = 0;
    std::vector<std::pair<std::function<bool()>, std::function<void()>>> m_steps;
    size_t m_next = 0;
    bool m_running = false;
};

struct FindDialogState {
    const wchar_t* caption;
    HWND found;
};
inline BOOL CALLBACK FindDialogProc(HWND h, LPARAM lp)
{
    auto* f = reinterpret_cast<FindDialogState*>(lp);
    wchar_t text[128] = {}, cls[16] = {};
    ::GetWindowTextW(h, text, 128);
    ::GetClassNameW(h, cls, 16);
    if (::IsWindowVisible(h) && lstrcmpW(cls, L"#32770") == 0 && lstrcmpW(text, f->caption) == 0) {
        f->found = h;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this thread with the caption, or null.
inline HWND FindDialog(const wchar_t* caption)
{
    FindDialogState find = {caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

// The viewer as the manager places it, in a frame window of its own.
class ViewerWindow {
public:
    ViewerWindow()
    {
        frame.CreateEx(0, nullptr, L"Message centre", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 720, 520, nullptr,
                       nullptr);
        host.wnd = &frame;
        viewer.SetOwner(&host);
        viewer.Create(CQorMsgGroupDisDlg::IDD, &frame);
        RECT rc;
        ::GetClientRect(frame.GetSafeHwnd(), &rc);
        viewer.MoveWindow(0, 0, rc.right, rc.bottom);
        viewer.ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
    }
    ~ViewerWindow()
    {
        viewer.DestroyWindow();
        frame.DestroyWindow();
    }
    CString Text()
    {
        CString t;
        viewer.GetView().GetTextRange(0, -1, t);
        return t;
    }
    bool Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(viewer.GetSafeHwnd(), id)) != FALSE; }
    CString ItemText(int id)
    {
        wchar_t text[256] = {};
        ::GetDlgItemTextW(viewer.GetSafeHwnd(), id, text, 256);
        return text;
    }
    void Click(int id)
    {
        ::SendMessageW(viewer.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(viewer.GetSafeHwnd(), id)));
    }
    // The link item of a kind whose _FileName_ (or text) is the name.
    const CLinkDataMgr::CLinkItem* Link(int kind, const CString& name)
    {
        CLinkDataMgr& links = viewer.GetLinks();
        for (int i = 0; i < links.GetCount(); ++i) {
            CLinkDataMgr::CLinkItem* item = links.GetAt(i);
            CString file;
            item->GetValue(L"_FileName_", file);
            if (item->kind == kind && (file == name || item->text == name))
                return item;
        }
        return nullptr;
    }
    // A left click on a link as the rich edit reports it.
    void ClickLink(long start, long end)
    {
        ENLINK link = {};
        link.nmhdr.hwndFrom = viewer.GetView().GetSafeHwnd();
        link.nmhdr.idFrom = 1168;
        link.nmhdr.code = EN_LINK;
        link.msg = WM_LBUTTONDOWN;
        link.chrg.cpMin = start;
        link.chrg.cpMax = end;
        ::SendMessageW(viewer.GetSafeHwnd(), WM_NOTIFY, 1168, reinterpret_cast<LPARAM>(&link));
    }
    void ClickLink(const CLinkDataMgr::CLinkItem* item)
    {
        ASSERT_NE(item, nullptr);
        ClickLink(item->start, item->end);
    }

    testsupport::ResourceModuleScope resources;
    CWnd frame;
    FakeHost host;
    CQorMsgGroupDisDlg viewer;
};

// Records what would have been started through the shell.
struct ShellCall {
    std::wstring verb, file, params;
};
inline std::vector<ShellCall>& ShellCalls()
{
    static std::vector<ShellCall> calls;
    return calls;
}
inline HINSTANCE WINAPI RecordShell(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR params, LPCWSTR, INT)
{
    ShellCalls().push_back({verb ? verb : L"", file ? file : L"", params ? params : L""});
    return reinterpret_cast<HINSTANCE>(42);
}

} // namespace historytest
