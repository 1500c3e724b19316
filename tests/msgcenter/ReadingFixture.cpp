#include "tests/msgcenter/ReadingFixture.h"
#include "msgcenter/titlelist/CTitleListQuery.h"
#include "platform/QorDB/CYqConnect.h"

namespace {

using testsupport::Utf8;

CString Q(const CString& s) { return CTitleListQuery::Quote(s); }

} // namespace

ReadingDb::ReadingDb()
{
    m_dir = testsupport::TempDir(L"korvel-reading");
    m_ok = m_mgr.OpenConnect((m_dir + L"\\msg.db").c_str()) && m_mgr.InitDBTable();
    CQorViewMgr::Instance()->m_pDBMgr = &m_mgr;
    CQorViewMgr::Instance()->m_pConnect = m_mgr.GetConnect();
    CQorViewMgr::Instance()->m_strAccount = L"me";
}

ReadingDb::~ReadingDb()
{
    CQorViewMgr::Instance()->m_pDBMgr = nullptr;
    CQorViewMgr::Instance()->m_pConnect = nullptr;
    m_mgr.CloseConnect();
    testsupport::RemoveTree(m_dir);
}

void ReadingDb::Add(const StoredMsg& m)
{
    CString sql;
    sql.Format(L"INSERT INTO qor_Msg (Col_ID, Col_Type, Col_FolderName, Col_MsgFolder, Col_Sender, Col_SenderName, "
               L"Col_RecvLogin, Col_RecvName, Col_Subject, Col_SendDate, Col_AttachCount, Col_ReadState, Col_MSGFlag) "
               L"VALUES ('%s', %d, '%s', %d, '%s', '%s', '%s', '%s', '%s', '%s', %d, %d, %d)",
               Q(m.id).GetString(), m.type, Q(m.folderName).GetString(), m.folder, Q(m.sender).GetString(),
               Q(m.senderName).GetString(), Q(m.recvLogin).GetString(), Q(m.recvName).GetString(),
               Q(m.subject).GetString(), Q(m.date).GetString(), m.attachCount, m.readState, m.flags);
    Connect()->Execute(sql);
    // The body is text, stored as UTF-8 by the library like every text.
    sql.Format(L"INSERT INTO qor_Msg_Content (Col_MSGID, Col_ContentType, Col_ContentSize, Col_Content, Col_Content_Text) "
               L"VALUES ('%s', '%s', %d, '%s', '%s')",
               Q(m.id).GetString(), Q(m.contentType).GetString(), static_cast<int>(Utf8(m.content).size()),
               Q(m.content).GetString(), Q(m.contentText.IsEmpty() ? m.content : m.contentText).GetString());
    Connect()->Execute(sql);
}

void ReadingDb::AddMany(int n, int folder)
{
    Connect()->BeginTrans();
    for (int i = 0; i < n; ++i) {
        StoredMsg m;
        m.id.Format(L"m%04d", i);
        m.folder = folder;
        m.subject.Format(L"Subject %04d", i);
        m.date.Format(L"2026-01-%02d %02d:%02d:00", 1 + i / 1440, (i / 60) % 24, i % 60);
        m.content.Format(L"Body of message %04d", i);
        Add(m);
    }
    Connect()->CommitTrans();
}

void ReadingDb::AddAttach(const CString& msgId, const CString& name, const CString& localPath, int source)
{
    CString sql;
    sql.Format(L"INSERT INTO qor_Msg_Attach (Col_MSGID, Col_FileName, Col_LocalPath, Col_Source) VALUES ('%s', '%s', '%s', %d)",
               Q(msgId).GetString(), Q(name).GetString(), Q(localPath).GetString(), source);
    Connect()->Execute(sql);
}

void ReadingDb::AddReceipt(const CString& msgId, const CString& name, const CString& openDate)
{
    CString sql;
    sql.Format(L"INSERT INTO qor_Msg_Recv (Col_MSGID, Col_RecvName, Col_OpenDate) VALUES ('%s', '%s', '%s')",
               Q(msgId).GetString(), Q(name).GetString(), Q(openDate).GetString());
    Connect()->Execute(sql);
}

int ReadingDb::Count(const CString& sql)
{
    CYqRecordset rs;
    int n = -1;
    if (rs.Open(sql, Connect())) {
        rs.MoveFirst();
        if (!rs.IsEOF())
            rs.GetValue(0, n);
    }
    return n;
}

bool ReadingDb::Exists(const CString& msgId)
{
    return Count(L"SELECT count(*) FROM qor_Msg WHERE Col_ID = '" + Q(msgId) + L"'") == 1;
}

BOOL ReadingHost::CreateTopLevel(int cx, int cy)
{
    RECT rc = {0, 0, cx, cy};
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, FALSE, 0);
    if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                  L"Korvel reading test", WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, 10, 10, rc.right - rc.left,
                  rc.bottom - rc.top, nullptr, nullptr))
        return FALSE;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

void ReadingHost::ShowMessageContent(const CString& strID, const CString& strSender, const CString&,
                                     const CString& strReceivers, bool bHasAttach, int nFlags, bool bFromSearch)
{
    ++shows;
    shownId = strID;
    shownSender = strSender;
    shownReceivers = strReceivers;
    shownAttach = bHasAttach;
    shownFlags = nFlags;
    shownSearch = bFromSearch;
}

bool ReadingHost::SendFilesToUsers(const CStringArray& arIds, const CStringArray& arNames, const CStringArray& arFiles)
{
    sentIds.assign(arIds.GetData(), arIds.GetData() + arIds.GetSize());
    sentNames.assign(arNames.GetData(), arNames.GetData() + arNames.GetSize());
    sentFiles.assign(arFiles.GetData(), arFiles.GetData() + arFiles.GetSize());
    return true;
}

ReadingTestBase::ReadingTestBase()
{
    qorview_test::ClearMessageBoxAnswers();
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);
    qorview_test::ClearCalls();
}

ReadingTestBase::~ReadingTestBase()
{
    qorview_test::ClearMessageBoxAnswers();
    qorview_test::SetDefaultMessageBoxAnswer(0);
}
