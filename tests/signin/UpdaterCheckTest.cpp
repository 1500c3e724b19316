// The updater wrapper without a window, against the updater stand-in: the calls of a check in
// their order, and an updater that lacks an ordinal, which is not called at all.
#include "framework/Platform.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/WqUpApi/WqUpApi.h"
#include "platform/WqUpApi/WqUpApiTestHooks.h"
#include "signin/CUpdaterCheck.h"
#include "tests/support/TestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The stand-in's ordinals, less the one a case takes away (0: none).
int g_missingOrdinal = 0;
FARPROC UpdaterWithout(int nOrdinal)
{
    return nOrdinal == g_missingOrdinal ? nullptr : CUpdaterCheck::UpdaterOrdinal(nOrdinal);
}

class UpdaterCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(resources_.IsLoaded());
        ASSERT_NE(nullptr, CUpdaterCheck::UpdaterOrdinal(WQUP_ORD_CHECK));
        g_missingOrdinal = 0;
        WqUpTest_SetCheckResult(WQUP_NO_UPDATE);
        WqUpTest_ClearCalls();
    }
    void TearDown() override
    {
        g_missingOrdinal = 0;
        WqUpTest_SetCheckResult(WQUP_NO_UPDATE);
    }
    static CUpdaterCheck::Request Request(HWND hOwner)
    {
        CUpdaterCheck::Request request;
        request.strServer = L"im.example.com";
        request.nPort = 6660;
        request.nVersion = 41362;
        request.hOwner = hOwner;
        return request;
    }

    testsupport::ResourceModuleScope resources_;
};

TEST_F(UpdaterCheck, ACheckSetsUpTheClientItsItemsAndTheServerThenRuns)
{
    const std::wstring work = CQorViewBaseFun::GetWorkDir().GetString();
    const std::wstring skin = CQorViewBaseFun::GetMySkinFilePathInfo().GetString();
    const std::wstring title = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE).GetString();
    // With an owner window the updater is told it right before the check.
    for (HWND hOwner : {static_cast<HWND>(nullptr), ::GetDesktopWindow()}) {
        WqUpTest_ClearCalls();
        EXPECT_EQ(WQUP_NO_UPDATE, CUpdaterCheck().Run(Request(hOwner)));
        std::vector<std::wstring> expected = {
            L"8()",
            L"5(" + title + L")",
            L"2(KorvelClient,41362)",
            L"3(KorvelVAddIn," + work + L"\\Addins\\[ItemName])",
            L"3(KorvelCAddIn," + work + L"\\Addins\\[ItemName])",
            L"3(KorvelSkin," + skin + L")",
            L"6(http://im.example.com:6660/Update)",
        };
        if (hOwner)
            expected.push_back(L"7(hwnd)");
        expected.push_back(L"1()=2");
        EXPECT_EQ(expected, WqUpTest_GetCalls()) << (hOwner ? "with owner" : "without owner");
    }
}

// A check set up in part would run with what the last check left (here: another server's
// address), and an update without the program's own path would replace some other file: an
// updater that lacks any ordinal a step needs is not called for that step at all.
TEST_F(UpdaterCheck, AnUpdaterWithoutAnOrdinalTheStepNeedsIsNotCalled)
{
    const struct {
        int missing;
        bool withOwner;
        bool checks;  // the check runs
        bool starts;  // the update starts
    } cases[] = {
        {WQUP_ORD_INIT, false, false, true},
        {WQUP_ORD_SET_TITLE, false, false, true},
        {WQUP_ORD_ADD_CLIENT, false, false, true},
        {WQUP_ORD_ADD_ITEM, false, false, true},
        {WQUP_ORD_SET_URL, false, false, true},
        {WQUP_ORD_CHECK, false, false, true},
        {WQUP_ORD_SET_OWNER, true, false, true},
        {WQUP_ORD_SET_OWNER, false, true, true}, // not needed without an owner
        {WQUP_ORD_SET_APP_PATH, false, true, false},
        {WQUP_ORD_START_UPDATE, false, true, false},
    };
    for (const auto& c : cases) {
        // An earlier, complete check of another server.
        WqUpTest_SetCheckResult(WQUP_UPDATE_OFFERED);
        CUpdaterCheck::Request earlier = Request(nullptr);
        earlier.strServer = L"earlier.example.com";
        ASSERT_EQ(WQUP_UPDATE_OFFERED, CUpdaterCheck().Run(earlier));
        WqUpTest_ClearCalls();

        g_missingOrdinal = c.missing;
        const CUpdaterCheck updater(&UpdaterWithout);
        const int answer = updater.Run(Request(c.withOwner ? ::GetDesktopWindow() : nullptr));
        EXPECT_EQ(c.checks ? WQUP_UPDATE_OFFERED : 0, answer) << "ordinal " << c.missing;
        EXPECT_EQ(c.checks, !WqUpTest_GetCalls().empty()) << "ordinal " << c.missing;
        if (c.checks)
            EXPECT_EQ(L"http://im.example.com:6660/Update", WqUpTest_GetUrl()) << "ordinal " << c.missing;

        WqUpTest_ClearCalls();
        const int starts = WqUpTest_GetUpdateStarts();
        EXPECT_EQ(c.starts, updater.StartUpdate(true)) << "ordinal " << c.missing;
        EXPECT_EQ(c.starts, !WqUpTest_GetCalls().empty()) << "ordinal " << c.missing;
        EXPECT_EQ(starts + (c.starts ? 1 : 0), WqUpTest_GetUpdateStarts()) << "ordinal " << c.missing;
        g_missingOrdinal = 0;
    }
}

TEST_F(UpdaterCheck, StartingHandsOverTheProgramFileAndSaysWhetherTheUpdaterAsks)
{
    for (bool silent : {false, true}) {
        WqUpTest_ClearCalls();
        ASSERT_TRUE(CUpdaterCheck().StartUpdate(silent));
        const std::vector<std::wstring> calls = WqUpTest_GetCalls();
        ASSERT_EQ(2u, calls.size());
        EXPECT_EQ(L"10(", calls[0].substr(0, 3));
        EXPECT_EQ(silent ? L"4(1)" : L"4(0)", calls[1]);
        EXPECT_NE(std::wstring::npos, WqUpTest_GetAppPath().find(L".exe"));
    }
    WqUpTest_ClearCalls();
    CUpdaterCheck().Cancel();
    EXPECT_EQ(std::vector<std::wstring>{L"9()"}, WqUpTest_GetCalls());
}

} // namespace
