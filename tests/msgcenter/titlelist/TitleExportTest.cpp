// Export of the title list's selection to RTF: rows never scrolled into view are exported too,
// an older longer file leaves no trace, a failed write (full disk) and a selection too large
// for the rich edit are reported and leave no short file. The file of the first test is read
// again by LibreOffice (tests/msgcenter/export_text_check.sh, run after this program by CTest)
// against the text written beside it. The path comes from the system's save dialog, which
// proposes the .rtf extension for a name typed without one.
#include "tests/msgcenter/ReadingFixture.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include "controls/CWaitingDlg.h"
#include "msgcenter/CMsgBodyText.h"
#include "platform/QorResource/ResourceIds.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "framework/CRichEditCtrl.h"
#include "platform/QorDB/CYqConnect.h"
#include <gtest/gtest.h>
#include <richedit.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

class ExportTitleDlg : public CQorMsgTitleDlg {
public:
    CString exportPath;
    bool askTheUser = false; // the pane's own save dialog, answered by a test's script

protected:
    bool ChooseExportPath(CString& strPath) override
    {
        if (askTheUser)
            return CQorMsgTitleDlg::ChooseExportPath(strPath);
        strPath = exportPath;
        return !exportPath.IsEmpty();
    }
};

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class TitleExportTest : public ::testing::Test, public ReadingTestBase {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources.IsLoaded());
        ASSERT_TRUE(db.Ok());
        ASSERT_TRUE(host.CreateTopLevel(500, 300));
        ASSERT_TRUE(pane.Create(IDD_MSG_TITLE, &host));
        pane.SetOwner(&host);
        pane.MoveWindow(0, 0, 500, 300);
        pane.ShowWindow(SW_SHOW);
        testsupport::PumpMessages();
    }
    void TearDown() override
    {
        pane.DestroyWindow();
        host.DestroyWindow();
        testsupport::PumpMessages();
    }
    void SelectAll() { pane.GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); }
    // Exports n stored messages, all selected, to a file of the test's folder; a message box
    // (the report) is expected.
    std::wstring ExportAll(int n, const wchar_t* name)
    {
        db.AddMany(n);
        EXPECT_TRUE(pane.LoadFolderMsg(1));
        testsupport::PumpMessages();
        std::wstring path = db.Dir() + L"\\" + name;
        pane.exportPath = path.c_str();
        SelectAll();
        qorview_test::ClearCalls();
        pane.ExportSelected(1);
        testsupport::PumpMessages();
        EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
        EXPECT_FALSE(pane.IsLongTaskRunning());
        return path;
    }

    ReadingDb db;
    ReadingHost host;
    ExportTitleDlg pane;
};

} // namespace

TEST(MsgBodyText, BodyToTextByContentType)
{
    struct Case { const wchar_t* type; const wchar_t* body; const wchar_t* text; } cases[] = {
        {L"UTF-8", L"plain", L"plain"},
        {L"Text/Rtf", L"{\\rtf1 x}", L"{\\rtf1 x}"},
        {L"Text/Ktf", L"<KTF><Text>hi</Text><at>u1;Ann</at><sharp>t;news</sharp></KTF>", L"hi\r\n@Ann#news"},
        {L"Text/Ktf", L"<KTF><File name=\"a.txt\" type=\"1\">k</File><File name=\"b.doc\" type=\"1\">k</File></KTF>",
         L"a.txt\r\nb.doc\r\n"},
        {L"text/ktf", L"<KTF><Text>hi</Text></KTF>", L""},
        {L"Other", L"x", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CString(c.text), CMsgBodyText::BodyToText(c.type, c.body)) << CStringA(c.type).GetString();
}

namespace {

// Bodies whose every character the export must keep, newest first as the list shows them: the
// content type alone says what a body is (a plain text that begins like RTF stays text), and
// Chinese, Cyrillic, an emoji, full-width punctuation, tabs and repeated spaces all survive,
// in plain and in KTF bodies.
struct ExportedBody {
    const wchar_t* id;
    const wchar_t* contentType;
    const wchar_t* content;
    const wchar_t* text; // what a word processor must read, line by line ("\n" between lines)
};
const ExportedBody kExportedBodies[] = {
    {L"zk", L"Text/Ktf", L"<KTF><Text>Greetings</Text><at>u7;Bob</at></KTF>", L"Greetings\n@Bob"},
    {L"zr", L"UTF-8", L"{\\rtf1\\ansi not RTF at all}", L"{\\rtf1\\ansi not RTF at all}"},
    {L"zc", L"UTF-8", L"\u4F1A\u8BAE\u65F6\u95F4\uFF1A\u4E0B\u5348\u4E09\u70B9\u3002 \u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440! \U0001F600",
     L"\u4F1A\u8BAE\u65F6\u95F4\uFF1A\u4E0B\u5348\u4E09\u70B9\u3002 \u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440! \U0001F600"},
    {L"zs", L"UTF-8", L"tab\there, three   spaces, two  here", L"tab\there, three   spaces, two  here"},
    {L"zt", L"Text/Ktf", L"<KTF><Text>KTF\uFF1A  two spaces,\ta tab</Text></KTF>", L"KTF\uFF1A  two spaces,\ta tab"},
};

struct RtfSource {
    const std::string* bytes;
    size_t pos;
};

DWORD CALLBACK ReadRtfSource(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    auto* src = reinterpret_cast<RtfSource*>(cookie);
    const size_t n = std::min(static_cast<size_t>(cb), src->bytes->size() - src->pos);
    memcpy(buffer, src->bytes->data() + src->pos, n);
    src->pos += n;
    *pcb = static_cast<LONG>(n);
    return 0;
}

// The text of an RTF file as a rich edit reads it back.
CString RtfFileText(const std::wstring& path)
{
    std::string rtf = ReadFile(path);
    CRichEditCtrl::LoadRichEdit();
    CWnd edit;
    if (!edit.CreateEx(0, RICHEDIT_CLASSW, nullptr, WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr, nullptr, nullptr))
        return CString();
    RtfSource source{&rtf, 0};
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&source), 0, ReadRtfSource};
    edit.SendMessage(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    CString text;
    edit.GetWindowText(text);
    edit.DestroyWindow();
    return text;
}

} // namespace

TEST_F(TitleExportTest, ExportsEveryRowOfTheSelectionAlsoNeverShown)
{
    db.AddMany(60);
    int day = 1;
    for (const ExportedBody& b : kExportedBodies) {
        StoredMsg m;
        m.id = b.id;
        m.date.Format(L"2026-05-%02d 12:00:00", day++);
        m.contentType = b.contentType;
        m.content = b.content;
        db.Add(m);
    }
    ASSERT_TRUE(pane.LoadFolderMsg(1));
    testsupport::PumpMessages();
    ASSERT_TRUE(pane.GetCachedRow(64)->strID.IsEmpty()) << "the last rows were never shown";

    std::wstring outDir = testsupport::ExeDir() + L"\\test-output";
    ::CreateDirectoryW(outDir.c_str(), nullptr);
    std::wstring path = outDir + L"\\title-export.rtf";
    {
        // An older, longer file at the same place must leave nothing behind.
        std::ofstream old(path.c_str(), std::ios::binary);
        old << std::string(200000, 'Z');
    }
    pane.exportPath = path.c_str();
    SelectAll();
    qorview_test::ClearCalls();
    ASSERT_TRUE(pane.ExportSelected(1));
    testsupport::PumpMessages();
    EXPECT_EQ(65, pane.GetLastTaskCount());
    EXPECT_FALSE(pane.IsLongTaskRunning());
    EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox")) << "the count is reported";
    EXPECT_EQ(0u, qorview_test::LastArgs(L"QorMessageBox").find(L"65 messages were exported to "));

    std::string rtf = ReadFile(path);
    ASSERT_EQ(0u, rtf.rfind("{\\rtf", 0));
    EXPECT_EQ(std::string::npos, rtf.find("ZZZZ"));
    EXPECT_EQ(std::string::npos, rtf.find("\\urtf")) << "word processors read 7-bit RTF";
    for (unsigned char c : rtf)
        ASSERT_LT(c, 0x80) << "every character beyond ASCII stands in a \\u word";
    EXPECT_NE(std::string::npos, rtf.find("Body of message 0000"));
    EXPECT_NE(std::string::npos, rtf.find("Body of message 0059"));

    // Read back, every body is there whole, character for character.
    CString text = RtfFileText(path);
    text.Replace(L"\r\n", L"\n");
    text.Replace(L"\r", L"\n");
    text.Replace(L"\n\n", L"\n");
    for (const ExportedBody& b : kExportedBodies)
        EXPECT_NE(-1, text.Find(CString(L"\n") + b.text + L"\n")) << CStringA(b.id).GetString() << " is not whole in the export";

    // The text a word processor must find in it, line by line, for the check after this program.
    std::ofstream expected((outDir + L"\\title-export.expected.txt").c_str(), std::ios::binary);
    for (int k = static_cast<int>(sizeof(kExportedBodies) / sizeof(kExportedBodies[0])) - 1; k >= 0; --k) {
        CString date;
        date.Format(L"2026-05-%02d 12:00:00", k + 1);
        expected << testsupport::Utf8(CString(L"Ann->Me  ") + CQorViewBaseFun::ToDefaultLocalTime(date)) << "\n"
                 << testsupport::Utf8(kExportedBodies[k].text) << "\n";
    }
    for (int i = 59; i >= 0; --i) {
        CString date;
        date.Format(L"2026-01-%02d %02d:%02d:00", 1 + i / 1440, (i / 60) % 24, i % 60);
        CString line;
        line.Format(L"Ann->Me  %s\nBody of message %04d\n", CQorViewBaseFun::ToDefaultLocalTime(date).GetString(), i);
        expected << testsupport::Utf8(line);
    }
}

// A cancelled export is no export: it says so, writes no file, and a file that was at the path
// stays as it was.
TEST_F(TitleExportTest, CancelledExportSaysSoAndWritesNoFile)
{
    db.AddMany(600);
    ASSERT_TRUE(pane.LoadFolderMsg(1));
    testsupport::PumpMessages();
    const std::wstring path = db.Dir() + L"\\cancelled.rtf";
    {
        std::ofstream old(path.c_str(), std::ios::binary);
        old << "the user's older file";
    }
    pane.exportPath = path.c_str();
    SelectAll();
    qorview_test::ClearCalls();
    // The waiting dialog's Cancel, arriving while the export works.
    pane.PostMessage(WM_WAITING_CANCEL, 0, 0);
    pane.ExportSelected(1);
    testsupport::PumpMessages();
    EXPECT_FALSE(pane.IsLongTaskRunning());
    EXPECT_EQ(0, pane.GetLastTaskCount());
    EXPECT_EQ(1, qorview_test::CountCalls(L"QorMessageBox"));
    EXPECT_EQ(0u, qorview_test::LastArgs(L"QorMessageBox").rfind(std::wstring(CQorViewBaseFun::LoadStringW(IDS_EXPORT_CANCELLED)), 0));
    EXPECT_EQ("the user's older file", ReadFile(path));
    WIN32_FIND_DATAW found;
    HANDLE h = ::FindFirstFileW((db.Dir() + L"\\*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h) << "no part of the export is left behind";
    if (h != INVALID_HANDLE_VALUE)
        ::FindClose(h);
}

// Counts in words: one message, and more.
TEST_F(TitleExportTest, TheReportSaysOneMessageOrMany)
{
    struct Case { int n; const wchar_t* said; } cases[] = {{1, L"1 message was exported to "}, {2, L"2 messages were exported to "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        std::wstring path = ExportAll(c.n, c.n == 1 ? L"one.rtf" : L"two.rtf");
        EXPECT_EQ(0u, qorview_test::LastArgs(L"QorMessageBox").find(c.said + path));
        ::DeleteFileW(path.c_str());
        ASSERT_TRUE(db.Connect()->Execute(L"DELETE FROM qor_Msg; DELETE FROM qor_Msg_Content"));
    }
}

TEST_F(TitleExportTest, SaveDialogGivesATypedNameWithoutExtensionTheRtfOne)
{
    db.AddMany(3);
    ASSERT_TRUE(pane.LoadFolderMsg(1));
    testsupport::PumpMessages();
    pane.askTheUser = true;
    struct Case { const wchar_t* typed; const wchar_t* saved; } cases[] = {
        {L"minutes", L"minutes.rtf"},
        {L"kept.rtf", L"kept.rtf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.typed).GetString());
        const std::wstring typed = db.Dir() + L"\\" + c.typed;
        CString caption;
        msgcenter_test::ModalScript script([&](HWND hDlg) {
            if (!caption.IsEmpty())
                return; // the export's waiting dialog, after the save dialog
            ::GetWindowTextW(hDlg, caption.GetBuffer(128), 128);
            caption.ReleaseBuffer();
            ::SetDlgItemTextW(hDlg, 0x47c, typed.c_str()); // the file name box (cmb13)
            ::SetDlgItemTextW(hDlg, 0x480, typed.c_str()); // (edt1, in the older layout)
            ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
        });
        SelectAll();
        qorview_test::ClearCalls();
        pane.SendMessage(WM_COMMAND, ID_TITLE_EXPORT, 0);
        testsupport::PumpMessages();
        EXPECT_EQ(CQorViewBaseFun::LoadStringW(IDS_EXPORT_TITLE), caption) << "the save dialog came first";
        const std::wstring saved = db.Dir() + L"\\" + c.saved;
        EXPECT_EQ(0u, ReadFile(saved).rfind("{\\rtf", 0)) << "the export is in the file the dialog named";
        EXPECT_EQ(3, pane.GetLastTaskCount());
        EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(c.saved));
    }
    EXPECT_FALSE(FileExists(db.Dir() + L"\\minutes"));
    EXPECT_FALSE(FileExists(db.Dir() + L"\\kept.rtf.rtf"));
}

TEST_F(TitleExportTest, FailedWriteIsReportedAndLeavesNoShortFile)
{
    pane.SetExportWriteLimit(64); // the disk fills after 64 bytes
    std::wstring path = ExportAll(20, L"full.rtf");
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(0, pane.GetLastTaskCount());
    EXPECT_NE(std::wstring::npos, qorview_test::LastArgs(L"QorMessageBox").find(L"full.rtf"));
}

TEST_F(TitleExportTest, ExportBeyondTheRichEditLimitIsRefused)
{
    pane.SetExportTextLimit(400); // a few messages fit, not forty
    std::wstring path = ExportAll(40, L"big.rtf");
    EXPECT_FALSE(FileExists(path)) << "no file that looks complete but is not";
    EXPECT_EQ(0, pane.GetLastTaskCount());
}

TEST_F(TitleExportTest, UnwritablePathIsReported)
{
    std::wstring path = ExportAll(2, L"no such folder\\x.rtf");
    EXPECT_FALSE(FileExists(path));
}

namespace {
CQorMsgTitleDlg* g_progressPane = nullptr;
bool g_progressSeen = false;
CString g_progressPercent;

// Runs from the export's own message pumping: the waiting dialog as the user sees it then.
void CALLBACK LookAtProgress(HWND, UINT, UINT_PTR id, DWORD)
{
    CWaitingDlg* wait = g_progressPane ? g_progressPane->GetWaitingDlg() : nullptr;
    if (g_progressSeen || !wait || !wait->GetSafeHwnd() || !wait->IsWindowVisible())
        return;
    ::GetDlgItemTextW(wait->GetSafeHwnd(), IDC_WAITING_PERCENT, g_progressPercent.GetBuffer(32), 32);
    g_progressPercent.ReleaseBuffer();
    if (g_progressPercent.IsEmpty() || g_progressPercent == L"0%")
        return;
    g_progressSeen = true;
    ::KillTimer(nullptr, id);
    wait->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testsupport::SaveScreenshot(testsupport::ExeDir() + L"\\test-output\\export-progress.bmp", wait->GetSafeHwnd());
}
} // namespace

TEST_F(TitleExportTest, ExportShowsItsProgressWhileItWorks)
{
    g_progressPane = &pane;
    g_progressSeen = false;
    ::CreateDirectoryW((testsupport::ExeDir() + L"\\test-output").c_str(), nullptr);
    UINT_PTR timer = ::SetTimer(nullptr, 0, 1, LookAtProgress);
    std::wstring path = ExportAll(1500, L"progress.rtf");
    ::KillTimer(nullptr, timer);
    g_progressPane = nullptr;
    EXPECT_TRUE(g_progressSeen) << "the waiting dialog answers while the export works";
    EXPECT_EQ(1500, pane.GetLastTaskCount());
    EXPECT_TRUE(FileExists(path));
}
