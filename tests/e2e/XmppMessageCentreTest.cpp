// The user's messages end to end: the peer (bob) sends alice three messages over the local
// Prosody (non-ASCII and XML-special text, one long), alice answers through the program's own
// send road (another program's message through the console, sent at WM_USER+2008); each is kept
// whole in alice's database, and the message centre, opened by the signed-in panel's "Messages"
// button, shows bob's in the received and alice's in the sent messages, finds one by search,
// and exports all four to RTF (read again by LibreOffice after this program: the CTest fixture
// e2e_export, tests/msgcenter/export_text_check.sh).
#include "app/CConsole.h"
#include "app/CMessage.h"
#include "framework/CComBSTR.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "msgcenter/manager/CQorMsgBaseDlg.h"
#include "msgcenter/manager/CQorMsgManagerDlg.h"
#include "msgcenter/titlelist/CQorMsgTitleDlg.h"
#include "platform/QorDB/CYqRecordset.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/XmppRoad.h"
#include "tests/msgcenter/MsgCenterFixture.h"
#include <fstream>
#include <map>
#include <sstream>

using testsupport::Utf8;

namespace {

// The content of the messages whose text holds a word, by id, and how many of them.
std::map<CString, CString> StoredTexts(const wchar_t* folderAndWord, std::map<CString, std::string>* pBodies = nullptr)
{
    std::map<CString, CString> texts;
    CYqRecordset rs;
    if (!rs.Open(CString(L"SELECT qor_Msg.Col_ID, qor_Msg_Content.Col_Content_Text, qor_Msg_Content.Col_Content FROM qor_Msg, "
                         L"qor_Msg_Content WHERE qor_Msg.Col_ID = qor_Msg_Content.Col_MSGID AND ") + folderAndWord,
                 CQorViewMgr::Instance()->m_pConnect))
        return texts;
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        CString id, text;
        rs.GetValue(0, id);
        rs.GetValue(1, text);
        texts[id] = text;
        if (pBodies) {
            int n = 0;
            const char* p = rs.GetChunkAsciiChar(2, n);
            (*pBodies)[id].assign(p, static_cast<size_t>(n));
        }
    }
    rs.Close();
    return texts;
}

std::vector<CString> ListedIds(CQorMsgTitleDlg* pTitles)
{
    std::vector<CString> ids;
    const int total = pTitles->GetTotal();
    pTitles->CacheMsgTitleData(0, total);
    for (int i = 0; i < total; ++i)
        ids.push_back(pTitles->GetCachedRow(i)->strID);
    return ids;
}

bool Listed(const std::vector<CString>& ids, const CString& id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

TEST_F(XmppRoad, MessagesOfBothSidesAreKeptAndTheMessageCentreShowsAndExportsThem)
{
    ASSERT_TRUE(Server().Ok("peer-start bob"));
    ASSERT_TRUE(SignIn());

    // Every text holds the word that the search of all four finds, and nothing else does.
    CString longText = L"KV26 long:";
    for (int i = 0; i < 400; ++i) {
        CString word;
        word.Format(L" word%03d\u00E9", i);
        longText += word;
    }
    const CString fromBob[] = {
        L"KV26 Gr\u00FC\u00DFe aus K\u00F6ln \u2014 \u4F1A\u8BAE\u65F6\u95F4\uFF1A\u4E0B\u5348\u4E09\u70B9 \u041F\u0440\u0438\u0432\u0435\u0442 \U0001F600",
        L"KV26 <b>bold?</b> & \"quoted\" 'single' a<b>c </KTF> ]]> &amp; {\\rtf1 not rtf}",
        longText,
    };
    for (const CString& text : fromBob)
        ASSERT_TRUE(Server().Ok("send-chat alice@localhost " + Utf8(text)));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return StoredTexts(L"qor_Msg.Col_Sender = 'bob' AND qor_Msg_Content.Col_Content_Text LIKE '%KV26%'").size() == 3; },
                                       kRounds));

    // Alice's answer through the program's own road: another program's message to the console.
    const CString fromAlice = L"KV26 Danke, \u00E0 bient\u00F4t \u2014 \u597D\u7684\uFF01";
    CComPtr<IConsole> console = apptest::Make<CConsole, IConsole>();
    CComPtr<IMessage> answer = apptest::Make<CMessage, IMessage>();
    answer->SetText3(CComBSTR(fromAlice));
    answer->AddReceiver(CComBSTR(L"bob"), CComBSTR(L"Bob"));
    ASSERT_EQ(S_OK, console->SendMsg(answer, 1, 0));
    EXPECT_EQ("ok " + Utf8(fromAlice), Server().Command("wait-message alice@localhost 30"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return StoredTexts(L"qor_Msg.Col_MsgFolder = 2 AND qor_Msg_Content.Col_Content_Text LIKE '%KV26%'").size() == 1; },
                                       kRounds));

    // Each is kept whole: its body the very text, in its folder, from and to the right people.
    std::map<CString, std::string> bodies;
    const auto received = StoredTexts(L"qor_Msg.Col_MsgFolder = 1 AND qor_Msg.Col_Sender = 'bob' AND qor_Msg.Col_RecvLogin = 'alice'"
                                      L" AND qor_Msg_Content.Col_Content_Text LIKE '%KV26%'", &bodies);
    ASSERT_EQ(3u, received.size());
    for (const CString& text : fromBob) {
        bool found = false;
        for (const auto& stored : received)
            found = found || (stored.second == text && bodies[stored.first] == Utf8(text));
        EXPECT_TRUE(found) << Utf8(text.Left(60)) << " is not kept whole";
    }
    const auto sent = StoredTexts(L"qor_Msg.Col_MsgFolder = 2 AND qor_Msg.Col_Sender = 'alice' AND qor_Msg.Col_RecvLogin = 'bob'"
                                  L" AND qor_Msg_Content.Col_Content_Text LIKE '%KV26%'", &bodies);
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(fromAlice, sent.begin()->second);
    EXPECT_EQ(Utf8(fromAlice), bodies[sent.begin()->first]);

    // The signed-in panel's button opens the centre on the received messages.
    ASSERT_NE(nullptr, CQorViewMgr::Instance()->m_pKorvelDlg);
    HWND hButton = testsupport::FindChildByText(CQorViewMgr::Instance()->m_pKorvelDlg->GetSafeHwnd(), L"Messages");
    ASSERT_NE(nullptr, hButton);
    ::SendMessageW(hButton, BM_CLICK, 0, 0);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return m_pDlg->GetMsgCenter() != nullptr; }));
    auto* pCenter = static_cast<CQorMsgManagerDlg*>(m_pDlg->GetMsgCenter());
    ASSERT_TRUE(pCenter->GetBasePane() && pCenter->GetBasePane()->GetTitlePane());
    CQorMsgTitleDlg* pTitles = pCenter->GetBasePane()->GetTitlePane();
    CMsgFolderTree& folders = pCenter->GetFolders();
    EXPECT_EQ(CMsgFolderTree::kReceived, folders.GetImage(folders.Tree().GetSelectedItem()));
    std::vector<CString> listed = ListedIds(pTitles);
    for (const auto& stored : received)
        EXPECT_TRUE(Listed(listed, stored.first)) << "bob's message is in the received folder";
    EXPECT_FALSE(Listed(listed, sent.begin()->first));
    folders.Tree().SelectItem(folders.Tree().GetNextSiblingItem(folders.GetReceivedRoot()));
    testsupport::PumpMessages();
    listed = ListedIds(pTitles);
    EXPECT_TRUE(Listed(listed, sent.begin()->first)) << "alice's message is in the sent folder";
    Shot(L"message_centre_received");

    // A search finds the one message it names.
    pCenter->GetBasePane()->ShowSearchResults(L"K\u00F6ln", L"", L"", L"");
    listed = ListedIds(pTitles);
    ASSERT_EQ(1u, listed.size());
    EXPECT_EQ(fromBob[0], received.at(listed[0]));

    // All four to one RTF file, chosen in the save dialog.
    pCenter->GetBasePane()->ShowSearchResults(L"KV26", L"", L"", L"");
    listed = ListedIds(pTitles);
    ASSERT_EQ(4u, listed.size());
    std::wstring outDir = testsupport::ExeDir() + L"\\test-output";
    ::CreateDirectoryW(outDir.c_str(), nullptr);
    const std::wstring path = outDir + L"\\e2e-export.rtf";
    ::DeleteFileW(path.c_str());
    bool asked = false;
    msgcenter_test::ModalScript script([&](HWND hDlg) {
        if (asked)
            return; // the export's waiting dialog, after the save dialog
        asked = true;
        ::SetDlgItemTextW(hDlg, 0x47c, path.c_str()); // the file name box (cmb13)
        ::SetDlgItemTextW(hDlg, 0x480, path.c_str()); // (edt1, in the older layout)
        ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    pTitles->GetList().SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    qorview_test::ClearCalls();
    pTitles->SendMessage(WM_COMMAND, ID_TITLE_EXPORT, 0);
    testsupport::PumpMessages();
    EXPECT_EQ(4, pTitles->GetLastTaskCount());
    EXPECT_EQ(0u, qorview_test::LastArgs(L"QorMessageBox").find(L"4 messages were exported to "));
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream rtf;
    rtf << in.rdbuf();
    EXPECT_EQ(0u, rtf.str().rfind("{\\rtf1", 0));

    // What a word processor must read in it, in the list's order, for the check after this program.
    std::map<CString, CString> all = received;
    all.insert(sent.begin(), sent.end());
    std::ofstream expected((outDir + L"\\e2e-export.expected.txt").c_str(), std::ios::binary);
    for (int i = 0; i < 4; ++i) {
        const _MSGITEM* row = pTitles->GetCachedRow(i);
        expected << Utf8(row->strSenderName + L"->" + row->strRecvName + L"  " + row->strSendDate) << "\n"
                 << Utf8(all[row->strID]) << "\n";
    }
}
