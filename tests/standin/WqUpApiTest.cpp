// The updater stand-in, called by ordinal in the order of the sign-in progress panel.
#include "platform/WqUpApi/WqUpApi.h"
#include "platform/WqUpApi/WqUpApiTestHooks.h"
#include <gtest/gtest.h>

namespace {

template <class F>
F Ordinal(HMODULE dll, int n)
{
    return reinterpret_cast<F>(::GetProcAddress(dll, MAKEINTRESOURCEA(n)));
}

class WqUpApiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dll = ::LoadLibraryW(L"WqUpApi.dll");
        ASSERT_NE(m_dll, nullptr);
        for (int n = 1; n <= 10; ++n)
            ASSERT_NE(::GetProcAddress(m_dll, MAKEINTRESOURCEA(n)), nullptr) << "ordinal " << n;
        WqUpTest_ClearCalls();
        WqUpTest_SetCheckResult(WQUP_NO_UPDATE);
    }
    void TearDown() override
    {
        WqUpTest_SetCheckResult(WQUP_NO_UPDATE);
        ::FreeLibrary(m_dll);
    }

    // Sets up and runs one check as the progress panel does; answers the check's result.
    int RunCheck()
    {
        Ordinal<PFN_WqUpInit>(m_dll, WQUP_ORD_INIT)();
        Ordinal<PFN_WqUpSetTitle>(m_dll, WQUP_ORD_SET_TITLE)(L"Korvel");
        Ordinal<PFN_WqUpAddClient>(m_dll, WQUP_ORD_ADD_CLIENT)(L"KorvelClient", 41362);
        Ordinal<PFN_WqUpAddItem>(m_dll, WQUP_ORD_ADD_ITEM)(L"KorvelVAddIn", L"C:\\work\\Addins\\[ItemName]");
        Ordinal<PFN_WqUpAddItem>(m_dll, WQUP_ORD_ADD_ITEM)(L"KorvelCAddIn", L"C:\\work\\Addins\\[ItemName]");
        Ordinal<PFN_WqUpAddItem>(m_dll, WQUP_ORD_ADD_ITEM)(L"KorvelSkin", L"C:\\skin");
        Ordinal<PFN_WqUpSetUrl>(m_dll, WQUP_ORD_SET_URL)(L"http://10.0.0.1:6660/Update");
        return Ordinal<PFN_WqUpCheck>(m_dll, WQUP_ORD_CHECK)();
    }

    HMODULE m_dll = nullptr;
};

} // namespace

TEST_F(WqUpApiTest, CheckAnswersNoUpdateUnlessScripted)
{
    EXPECT_EQ(RunCheck(), WQUP_NO_UPDATE);
    auto calls = WqUpTest_GetCalls();
    std::vector<std::wstring> expected = { L"8()",
                                           L"5(Korvel)",
                                           L"2(KorvelClient,41362)",
                                           L"3(KorvelVAddIn,C:\\work\\Addins\\[ItemName])",
                                           L"3(KorvelCAddIn,C:\\work\\Addins\\[ItemName])",
                                           L"3(KorvelSkin,C:\\skin)",
                                           L"6(http://10.0.0.1:6660/Update)",
                                           L"1()=2" };
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(WqUpTest_GetUrl(), L"http://10.0.0.1:6660/Update");
    EXPECT_EQ(WqUpTest_GetUpdateStarts(), 0);
}

TEST_F(WqUpApiTest, ForcedUpdateIsStartedWithTheProgramPath)
{
    WqUpTest_SetCheckResult(WQUP_UPDATE_FORCED);
    ASSERT_EQ(RunCheck(), WQUP_UPDATE_FORCED);
    // Without the program's path an update cannot start.
    EXPECT_EQ(Ordinal<PFN_WqUpStartUpdate>(m_dll, WQUP_ORD_START_UPDATE)(1), 0);
    EXPECT_EQ(Ordinal<PFN_WqUpSetAppPath>(m_dll, WQUP_ORD_SET_APP_PATH)(L"C:\\Korvel\\Korvel.exe"), 1);
    EXPECT_EQ(Ordinal<PFN_WqUpStartUpdate>(m_dll, WQUP_ORD_START_UPDATE)(1), 1);
    EXPECT_EQ(WqUpTest_GetAppPath(), L"C:\\Korvel\\Korvel.exe");
    EXPECT_EQ(WqUpTest_GetUpdateStarts(), 1);
    Ordinal<PFN_WqUpSetOwner>(m_dll, WQUP_ORD_SET_OWNER)(nullptr);
    Ordinal<PFN_WqUpCancel>(m_dll, WQUP_ORD_CANCEL)();
    auto calls = WqUpTest_GetCalls();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[calls.size() - 2], L"7(null)");
    EXPECT_EQ(calls.back(), L"9()");
}

TEST_F(WqUpApiTest, CheckWithoutAnAddressFails)
{
    Ordinal<PFN_WqUpInit>(m_dll, WQUP_ORD_INIT)();
    EXPECT_EQ(Ordinal<PFN_WqUpCheck>(m_dll, WQUP_ORD_CHECK)(), WQUP_CHECK_FAILED);
    EXPECT_TRUE(WqUpTest_GetAppPath().empty()) << "init forgot the earlier check";
}
