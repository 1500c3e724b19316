#include "tests/msgcenter/MsgCenterFixture.h"
#include "bench/MsgDbGenerator.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorView/CQorViewMgr.h"
#include <commctrl.h>
#include <vector>

namespace msgcenter_test {

int MenuWatcher::s_nMenus = 0;

namespace {
ModalScript* g_pScript = nullptr;
int g_nDbCounter = 0;
} // namespace

TestMsgDb::TestMsgDb()
{
    m_dir = testsupport::TempDir((L"msgcenter-db-" + std::to_wstring(++g_nDbCounter)).c_str());
    if (m_mgr.OpenConnect((m_dir + L"\\msg.db").c_str()))
        m_mgr.InitDBTable();
    CQorViewMgr* pView = CQorViewMgr::Instance();
    pView->m_pDBMgr = &m_mgr;
    pView->m_pConnect = m_mgr.GetConnect();
}

TestMsgDb::~TestMsgDb()
{
    CQorViewMgr* pView = CQorViewMgr::Instance();
    pView->m_pDBMgr = nullptr;
    pView->m_pConnect = nullptr;
    m_mgr.CloseConnect();
    testsupport::RemoveTree(m_dir);
}

bool TestMsgDb::Generate(int nMessages, int nSenders)
{
    MsgDbGenOptions options;
    options.messages = nMessages;
    options.senders = nSenders;
    options.batch = 500;
    return GenerateMsgDbInto(m_mgr, options);
}

bool TestMsgDb::Exec(const wchar_t* sql) { return m_mgr.GetConnect()->Execute(sql); }

CString TestMsgDb::Text(const wchar_t* sql)
{
    CYqRecordset rs;
    CString value;
    if (rs.Open(sql, m_mgr.GetConnect())) {
        rs.MoveFirst();
        if (!rs.IsEOF())
            rs.GetValue(0, value);
    }
    return value;
}

int TestMsgDb::Count(const wchar_t* sql)
{
    CYqRecordset rs;
    return rs.Open(sql, m_mgr.GetConnect()) ? rs.GetRecordCount() : -1;
}

void TestMsgDb::AddTalk(const wchar_t* id, int type, const wchar_t* subject)
{
    CString sql;
    sql.Format(L"INSERT INTO Qor_Talk (Col_ID, Col_Type, Col_Subject) VALUES ('%s', %d, '%s')", id, type, subject);
    Exec(sql);
}

void TestMsgDb::AddTalkContent(const wchar_t* talkId)
{
    CString sql;
    sql.Format(L"INSERT INTO qor_Talk_Msg (Col_ID, Col_TalkID, Col_SenderName) VALUES ('m-%s', '%s', 'Ann');"
               L"INSERT INTO qor_Talk_AttachMent (Col_TalkID, Col_MsgID, Col_FileName) VALUES ('%s', 'm-%s', 'a.txt');"
               L"INSERT INTO qor_Talk_Log (Col_TalkID, Col_Text) VALUES ('%s', 'log')",
               talkId, talkId, talkId, talkId, talkId);
    Exec(sql);
}

void TestMsgDb::AddMessage(const wchar_t* id, int folder, int type, const wchar_t* folderName, const wchar_t* sender,
                           const wchar_t* senderName, const wchar_t* recvLogin)
{
    CString sql;
    sql.Format(L"INSERT INTO qor_Msg (Col_ID, Col_MsgFolder, Col_Type, Col_FolderName, Col_Sender, Col_SenderName,"
               L" Col_RecvLogin, Col_SendDate) VALUES ('%s', %d, %d, '%s', '%s', '%s', '%s', '2026-03-04 10:20:30')",
               id, folder, type, folderName, sender, senderName, recvLogin);
    Exec(sql);
}

void TestMsgDb::AddContent(const wchar_t* id, const wchar_t* text)
{
    QorMsgBody body;
    body.contentType = L"UTF-8";
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    body.bytes.assign(static_cast<size_t>(n > 0 ? n : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &body.bytes[0], n, nullptr, nullptr);
    body.bytes.pop_back(); // the terminator
    body.text = text;
    m_mgr.AddMsgContent(id, body);
}

ModalScript::ModalScript(std::function<void(HWND)> action) : m_action(std::move(action))
{
    g_pScript = this;
    m_hHook = ::SetWindowsHookExW(WH_CBT, &ModalScript::CbtProc, nullptr, ::GetCurrentThreadId());
}

ModalScript::~ModalScript()
{
    if (m_hHook)
        ::UnhookWindowsHookEx(m_hHook);
    if (m_nTimer)
        ::KillTimer(nullptr, m_nTimer);
    g_pScript = nullptr;
}

LRESULT CALLBACK ModalScript::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pScript) {
        wchar_t cls[32] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), cls, 32);
        if (wcscmp(cls, L"#32770") == 0)
            g_pScript->m_created.insert(reinterpret_cast<HWND>(wParam));
    }
    // Only dialogs made since the script began: windows that existed before (the dialog's owner
    // coming back to the front) are left alone.
    if (nCode == HCBT_ACTIVATE && g_pScript && !g_pScript->m_hDialog &&
        g_pScript->m_created.erase(reinterpret_cast<HWND>(wParam)) == 1) {
        {
            g_pScript->m_hDialog = reinterpret_cast<HWND>(wParam);
            ++g_pScript->m_nShown;
            g_pScript->m_nTimer = ::SetTimer(nullptr, 0, 1, &ModalScript::TimerProc);
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void CALLBACK ModalScript::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    ModalScript* p = g_pScript;
    if (!p || !p->m_hDialog)
        return;
    ::KillTimer(nullptr, p->m_nTimer);
    p->m_nTimer = 0;
    HWND hDlg = p->m_hDialog;
    p->m_hDialog = nullptr; // ready for the next dialog
    if (::IsWindow(hDlg))
        p->m_action(hDlg);
}

void SetItemText(HWND hDlg, int nId, const wchar_t* text) { ::SetDlgItemTextW(hDlg, nId, text); }

void Click(HWND hDlg, int nId)
{
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nId)));
}

bool IsChecked(HWND hDlg, int nId) { return ::IsDlgButtonChecked(hDlg, nId) == BST_CHECKED; }

bool IsEnabled(HWND hDlg, int nId) { return ::IsWindowEnabled(::GetDlgItem(hDlg, nId)) != FALSE; }

std::vector<HWND> DatePickers(HWND hDlg)
{
    std::vector<HWND> out;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(h) == 111)
            out.push_back(h);
    }
    return out;
}

void SetPickerDate(HWND hPicker, int year, int month, int day)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    ::SendMessageW(hPicker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

} // namespace msgcenter_test
