// The main window services' decisions, without a window: hot-key texts, the auto-away decision,
// the saved position, the status menu's grey set and custom statuses, the cross-process request
// text, and the user's data folder.
#include "app/CAutoAway.h"
#include "app/CHotKeys.h"
#include "app/CSavedPosition.h"
#include "app/CSendMsgRequest.h"
#include "app/CStatusMenu.h"
#include "app/CUserDataFolder.h"
#include "app/CWebServiceIni.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <fstream>

namespace {

void WriteText(const std::wstring& path, const std::string& text)
{
    std::ofstream(path.c_str(), std::ios::binary) << text;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(HotKeyTextTest, StoredTextsAndTheDefault)
{
    const CHotKeys::HotKey def = {MOD_CONTROL | MOD_ALT, 'S'};
    const struct {
        const wchar_t* text;
        bool registers;
        UINT modifiers, key;
    } cases[] = {
        {L"", true, MOD_CONTROL | MOD_ALT, 'S'},      // nothing stored: the default
        {L"6;65", true, MOD_CONTROL | MOD_SHIFT, 'A'}, // Ctrl+Shift+A
        {L" 3 ; 85 ", true, 3, 85},
        {L"65539;70", true, 3, 70},                    // only the low 16 bits are modifiers
        {L"0;112", true, 0, 112},                      // F1 alone
        {L"6", false, 6, 0},                           // no virtual key: nothing registered
        {L"6;", false, 6, 0},
        {L"abc;def", false, 0, 0},
    };
    for (const auto& c : cases) {
        CHotKeys::HotKey key;
        EXPECT_EQ(CHotKeys::Parse(c.text, def, key), c.registers) << c.text;
        if (c.registers) {
            EXPECT_EQ(key.nModifiers, c.modifiers) << c.text;
            EXPECT_EQ(key.nVirtualKey, c.key) << c.text;
        }
    }
}

TEST(AutoAwayDecisionTest, LimitFromServerOrOption)
{
    const struct {
        int server;
        BOOL on;
        int minutes;
        bool runs;
        DWORD limit;
    } cases[] = {
        {0, TRUE, 10, true, 600000},
        {0, TRUE, 3, true, 180000},
        {0, TRUE, 0, true, 600000},  // fewer than one minute means ten
        {0, TRUE, -5, true, 600000},
        {0, FALSE, 10, false, 0},    // the option off: no timer
        {5, FALSE, 30, true, 300000}, // the server's time wins, even over an option that is off
        {0, TRUE, 1000000, true, 4294920000u}, // beyond 32-bit milliseconds: as long as they go
    };
    for (const auto& c : cases) {
        CAutoAway away;
        EXPECT_EQ(away.Configure(c.server, c.on, c.minutes), c.runs) << c.server << "/" << c.minutes;
        if (c.runs) {
            EXPECT_EQ(away.GetIdleLimit(), c.limit) << c.minutes;
            EXPECT_TRUE(away.IsOn());
        } else {
            EXPECT_FALSE(away.IsOn());
        }
    }
}

TEST(AutoAwayDecisionTest, OnlyOnlineGoesAwayAndOnlyAutoAwayComesBack)
{
    CAutoAway away;
    away.Configure(0, TRUE, 10);
    const struct {
        DWORD idle;
        int status;
        CAutoAway::Change change;
    } cases[] = {
        {600001, 3, CAutoAway::kGoAway},
        {600000, 3, CAutoAway::kNoChange}, // exactly the limit is not past it
        {600001, 6, CAutoAway::kNoChange}, // a chosen status stays
        {600001, 8, CAutoAway::kNoChange},
        {600001, 7, CAutoAway::kNoChange},
        {5, 7, CAutoAway::kComeBack},
        {5, 5, CAutoAway::kNoChange},      // chosen "away" is not the idle one
        {5, 3, CAutoAway::kNoChange},
    };
    for (const auto& c : cases)
        EXPECT_EQ(away.Decide(c.idle, c.status), c.change) << c.idle << "/" << c.status;
}

TEST(AutoAwayDecisionTest, IdleTimeSurvivesTheTickCountWrapping)
{
    EXPECT_EQ(CAutoAway::IdleMs(1000, 400), 600u);
    // Input just before the wrap, now just after it: 30 ms, not four billion.
    EXPECT_EQ(CAutoAway::IdleMs(10, 0xFFFFFFECu), 30u);
    EXPECT_EQ(CAutoAway::IdleMs(0, 0), 0u);
}

TEST(SavedPositionTest, RectangleToSave)
{
    const RECT window = {10, 20, 330, 2620}, restored = {50, 60, 350, 700};
    const struct {
        bool minOrMax;
        int maxHeight;
        RECT expected;
    } cases[] = {
        {false, 2000, {10, 20, 330, 2020}}, // capped at the maximum height
        {false, 0, {10, 20, 330, 2620}},    // no maximum (cleared at destruction): no cap, never 0
        {true, 2000, {50, 60, 350, 700}},   // minimised or maximised: the restored rectangle
    };
    for (const auto& c : cases) {
        RECT rc = CSavedPosition::RectToSave(window, c.minOrMax, restored, c.maxHeight);
        EXPECT_TRUE(::EqualRect(&rc, &c.expected)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST(SavedPositionTest, RectangleToRestore)
{
    const SIZE own = {300, 600}, screen = {1024, 768};
    bool saved = true;
    // Nothing saved: the window's own size centred on the screen.
    RECT rc = CSavedPosition::RectToRestore(-1, -1, -1, -1, own, screen, saved);
    EXPECT_FALSE(saved);
    EXPECT_EQ(rc.left, 362);
    EXPECT_EQ(rc.top, 84);
    EXPECT_EQ(rc.right - rc.left, 300);
    EXPECT_EQ(rc.bottom - rc.top, 600);

    rc = CSavedPosition::RectToRestore(40, 30, 320, 640, own, screen, saved);
    EXPECT_TRUE(saved);
    EXPECT_EQ(rc.left, 40);
    EXPECT_EQ(rc.top, 30);
    EXPECT_EQ(rc.right - rc.left, 320);
    EXPECT_EQ(rc.bottom - rc.top, 640);

    // A saved height of 0 (written by an older run) brings back the window's own height.
    rc = CSavedPosition::RectToRestore(40, 30, 320, 0, own, screen, saved);
    EXPECT_EQ(rc.bottom - rc.top, 600);
}

TEST(StatusMenuGreyTest, WhatEachStateGreys)
{
    auto greyed = [](const std::vector<CStatusMenu::Grey>& grey) {
        std::vector<UINT> ids;
        for (const auto& g : grey)
            ids.push_back(g.nId);
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    using V = std::vector<UINT>;
    const V signedOut = {ID_MENU_OPTIONS, ID_MENU_SIGN_OUT, ID_STATUS_BUSY, ID_STATUS_DND, ID_STATUS_ONLINE,
                         ID_STATUS_INVISIBLE, ID_STATUS_AWAY};
    EXPECT_EQ(greyed(CStatusMenu::GreyItems(false, false, 0xFFFFFFFF, 0xFFFFFFFF)), signedOut);
    V signingIn = signedOut;
    signingIn.push_back(ID_MENU_EXIT);
    std::sort(signingIn.begin(), signingIn.end());
    EXPECT_EQ(greyed(CStatusMenu::GreyItems(false, true, 0, 0)), signingIn);
    for (const auto& g : CStatusMenu::GreyItems(false, true, 0, 0))
        EXPECT_EQ(g.nFlags, static_cast<UINT>(MF_GRAYED | MF_DISABLED));

    const struct {
        DWORD option1, option2;
        V grey;
    } cases[] = {
        {0, 0, {ID_MENU_SIGN_IN}},
        {0x10000, 0, {ID_MENU_SIGN_IN, ID_STATUS_BUSY}},
        {0, 0x400, {ID_MENU_SIGN_OUT, ID_MENU_SIGN_IN}},
        {0, 0x400000 | 0x800, {ID_MENU_SIGN_IN, ID_MENU_EXIT, ID_STATUS_AWAY}},
        {0x400000, 0x10000, {ID_MENU_SIGN_IN}}, // each bit counts only in its own word
    };
    for (const auto& c : cases) {
        V expected = c.grey;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(greyed(CStatusMenu::GreyItems(true, false, c.option1, c.option2)), expected)
            << std::hex << c.option1 << "/" << c.option2;
    }
}

TEST(StatusMenuCustomTest, ReadFromTheAccountsFileAndCapped)
{
    const std::wstring dir = testsupport::TempDir(L"korvel_custom_status");
    const std::wstring file = dir + L"\\user.ini";
    WriteText(file, "[CusStatus]\r\nCount=2\r\nItem1_Type=3\r\nItem1_Desc=In a meeting\r\n"
                    "Item2_Type=8\r\nItem2_Desc=Presenting\r\n");
    CStatusMenu menu;
    menu.LoadCustom(file.c_str());
    ASSERT_EQ(menu.GetCustomCount(), 2);
    int type = 0;
    CString text;
    EXPECT_TRUE(menu.GetCustom(ID_CUSTOM_STATUS_FIRST, type, text));
    EXPECT_EQ(type, 3);
    EXPECT_EQ(text, CString(L"In a meeting"));
    EXPECT_TRUE(menu.GetCustom(ID_CUSTOM_STATUS_FIRST + 1, type, text));
    EXPECT_EQ(type, 8);
    EXPECT_FALSE(menu.GetCustom(ID_CUSTOM_STATUS_FIRST + 2, type, text)); // beyond the lists
    EXPECT_FALSE(menu.GetCustom(ID_CUSTOM_STATUS_FIRST - 1, type, text));

    // A huge or damaged count stays within the commands that are handled.
    WriteText(file, "[CusStatus]\r\nCount=100000\r\n");
    menu.LoadCustom(file.c_str());
    EXPECT_EQ(menu.GetCustomCount(), CStatusMenu::kMaxCustom);
    EXPECT_TRUE(menu.GetCustom(ID_CUSTOM_STATUS_LAST, type, text));
    EXPECT_FALSE(menu.GetCustom(ID_CUSTOM_STATUS_LAST + 1, type, text));

    menu.ClearCustom();
    EXPECT_FALSE(menu.GetCustom(ID_CUSTOM_STATUS_FIRST, type, text));
    testsupport::RemoveTree(dir);
}

TEST(SendMsgRequestTest, ItemsOfTheRequestText)
{
    const struct {
        const wchar_t* text;
        const wchar_t *login, *receiver, *view;
    } cases[] = {
        {L"loginname=ann&receiver=bob", L"ann", L"bob", L""},
        {L"LOGINNAME=Ann&Receiver=bob&ViewID=v7", L"Ann", L"bob", L"v7"}, // keys in any case
        {L"receiver=bob", L"", L"bob", L""},
        {L"loginname=ann&loginname=cy&junk&x=1&receiver=", L"cy", L"", L""}, // the later item wins
        {L"", L"", L"", L""},
    };
    for (const auto& c : cases) {
        CSendMsgRequest r = CSendMsgRequest::Parse(c.text);
        EXPECT_EQ(r.m_strLoginName, CString(c.login)) << c.text;
        EXPECT_EQ(r.m_strReceiver, CString(c.receiver)) << c.text;
        EXPECT_EQ(r.m_strViewId, CString(c.view)) << c.text;
    }
}

TEST(SendMsgRequestTest, TextOfTheBlockIsBoundedAndTerminatedByTheReader)
{
    wchar_t block[512];
    std::fill(std::begin(block), std::end(block), L'x'); // no terminator anywhere
    EXPECT_EQ(CSendMsgRequest::TextFromBlock(block, sizeof(block)).GetLength(), 127);
    // A block smaller than the text area is read only as far as it goes.
    EXPECT_EQ(CSendMsgRequest::TextFromBlock(block, 20).GetLength(), 10);
    wcscpy(block, L"loginname=ann");
    EXPECT_EQ(CSendMsgRequest::TextFromBlock(block, sizeof(block)), CString(L"loginname=ann"));
    EXPECT_TRUE(CSendMsgRequest::TextFromBlock(nullptr, 256).IsEmpty());
}

TEST(UserDataFolderTest, FoldersAndDatabaseFileMadeAndReleased)
{
    const std::wstring root = testsupport::TempDir(L"korvel_userdata");
    CString db = CUserDataFolder::Prepare(root.c_str(), L"im.example.com_6660", L"ann");
    const std::wstring expected = root + L"\\im.example.com_6660\\User\\ann\\im.example.com_6660.db";
    EXPECT_EQ(std::wstring(db.GetString()), expected);
    EXPECT_TRUE(Exists(expected));
    // The file is not kept open: it can be removed at once.
    EXPECT_TRUE(::DeleteFileW(expected.c_str()));

    // A second call keeps what exists; missing texts make nothing.
    WriteText(expected, "data");
    EXPECT_EQ(CUserDataFolder::Prepare(root.c_str(), L"im.example.com_6660", L"ann"), db);
    std::ifstream in(expected.c_str());
    std::string content;
    in >> content;
    EXPECT_EQ(content, "data");
    EXPECT_TRUE(CUserDataFolder::Prepare(root.c_str(), L"", L"ann").IsEmpty());
    EXPECT_TRUE(CUserDataFolder::Prepare(root.c_str(), L"s", L"").IsEmpty());
    testsupport::RemoveTree(root);
}

TEST(UserDataFolderTest, CopyIntoAnExistingOrANewFolder)
{
    const std::wstring root = testsupport::TempDir(L"korvel_copyfolder");
    const std::wstring from = root + L"\\old", into = root + L"\\existing", fresh = root + L"\\fresh";
    ::CreateDirectoryW(from.c_str(), nullptr);
    ::CreateDirectoryW(into.c_str(), nullptr);
    WriteText(from + L"\\a.txt", "a");
    // An existing target receives the contents; a missing one becomes the copy itself.
    EXPECT_TRUE(CUserDataFolder::CopyFolder(nullptr, from.c_str(), into.c_str()));
    EXPECT_TRUE(Exists(into + L"\\a.txt"));
    EXPECT_FALSE(Exists(into + L"\\old"));
    EXPECT_TRUE(CUserDataFolder::CopyFolder(nullptr, from.c_str(), fresh.c_str()));
    EXPECT_TRUE(Exists(fresh + L"\\a.txt"));
    EXPECT_FALSE(CUserDataFolder::CopyFolder(nullptr, (root + L"\\none").c_str(), (root + L"\\t").c_str()));
    testsupport::RemoveTree(root);
}

TEST(WebServiceIniTest, UrlAndDomain)
{
    const std::wstring dir = testsupport::TempDir(L"korvel_webservice");
    qorview_test::SetWorkDir(dir);
    CString domain = L"stale";
    EXPECT_TRUE(CWebServiceIni::GetWebServiceUrl().IsEmpty());
    EXPECT_FALSE(CWebServiceIni::GetDomainValue(domain));
    EXPECT_TRUE(domain.IsEmpty());

    WriteText(dir + L"\\WebServiceUrl.ini",
              "[Info]\r\nUrl=http://web.example.com/ws\r\n[Domain]\r\nDomainDisable=1\r\nDomainValue=CORP\r\n");
    EXPECT_EQ(CWebServiceIni::GetWebServiceUrl(), CString(L"http://web.example.com/ws"));
    EXPECT_TRUE(CWebServiceIni::GetDomainValue(domain));
    EXPECT_EQ(domain, CString(L"CORP"));

    WriteText(dir + L"\\WebServiceUrl.ini", "[Domain]\r\nDomainDisable=0\r\nDomainValue=CORP\r\n");
    EXPECT_FALSE(CWebServiceIni::GetDomainValue(domain));
    EXPECT_TRUE(domain.IsEmpty());
    qorview_test::SetWorkDir(L"");
    testsupport::RemoveTree(dir);
}
