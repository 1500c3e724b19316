// The resource-module scope guard in both modes, nested, and with libraries that are already
// held, not yet loaded, or missing.
#include "common/CResourceMgr.h"
#include <gtest/gtest.h>

namespace {

// The framework tests' resource module: beside the test program, loaded by nobody until a test does.
const wchar_t kResDll[] = L"test_framework_res.dll";
const wchar_t kMissingDll[] = L"korvel-no-such-library.dll";
// A string that only the resource module holds.
const UINT kResString = 3001;

CString LoadResString()
{
    CString s;
    s.LoadString(kResString);
    return s;
}

class CResourceMgrTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pState = AfxGetModuleState();
        m_hResource = AfxGetResourceHandle();
        ASSERT_EQ(::GetModuleHandleW(kResDll), nullptr) << "no test may leave the resource module loaded";
    }
    void TearDown() override
    {
        // Every guard has ended: the process is as it was.
        EXPECT_EQ(AfxGetModuleState(), m_pState);
        EXPECT_EQ(AfxGetResourceHandle(), m_hResource);
        EXPECT_EQ(::GetModuleHandleW(kResDll), nullptr);
    }
    AFX_MODULE_STATE* m_pState = nullptr;
    HINSTANCE m_hResource = nullptr;
};

TEST_F(CResourceMgrTest, ALibraryNotYetLoadedIsLoadedForTheScopeAndFreedAfter)
{
    EXPECT_TRUE(LoadResString().IsEmpty());
    {
        CResourceMgr guard{CString(kResDll)};
        HMODULE hRes = ::GetModuleHandleW(kResDll);
        ASSERT_NE(hRes, nullptr);
        EXPECT_EQ(AfxGetResourceHandle(), hRes);
        EXPECT_EQ(LoadResString(), L"Hello %1, welcome to %2.");
    }
    EXPECT_EQ(::GetModuleHandleW(kResDll), nullptr);
    EXPECT_TRUE(LoadResString().IsEmpty());
}

TEST_F(CResourceMgrTest, ALibraryTheProcessHoldsIsUsedButNeverFreed)
{
    HMODULE hHeld = ::LoadLibraryW(kResDll);
    ASSERT_NE(hHeld, nullptr);
    {
        CResourceMgr guard{CString(kResDll)};
        EXPECT_EQ(AfxGetResourceHandle(), hHeld);
    }
    EXPECT_EQ(AfxGetResourceHandle(), m_hResource);
    EXPECT_EQ(::GetModuleHandleW(kResDll), hHeld) << "the holder's reference is untouched";
    ::FreeLibrary(hHeld);
}

TEST_F(CResourceMgrTest, AMissingLibraryChangesNothingAndFreesNothing)
{
    HMODULE hHeld = ::LoadLibraryW(kResDll);
    ASSERT_NE(hHeld, nullptr);
    {
        CResourceMgr guard{CString(kMissingDll)};
        EXPECT_EQ(AfxGetResourceHandle(), m_hResource);
        {
            CResourceMgr inner{CString(L"")};
            EXPECT_EQ(AfxGetResourceHandle(), m_hResource);
        }
    }
    EXPECT_EQ(AfxGetResourceHandle(), m_hResource);
    EXPECT_EQ(::GetModuleHandleW(kResDll), hHeld) << "a library the guards did not load stays loaded";
    ::FreeLibrary(hHeld);
}

TEST_F(CResourceMgrTest, ModuleStateModeSwitchesTheCurrentStateAndBack)
{
    AFX_MODULE_STATE other;
    other.m_hCurrentResourceHandle = reinterpret_cast<HINSTANCE>(::GetModuleHandleW(L"kernel32.dll"));
    {
        CResourceMgr guard(&other);
        EXPECT_EQ(AfxGetModuleState(), &other);
        EXPECT_EQ(AfxGetResourceHandle(), other.m_hCurrentResourceHandle);
    }
    EXPECT_EQ(AfxGetModuleState(), m_pState);
}

TEST_F(CResourceMgrTest, NestedGuardsOfEitherModeRestoreTheOuterStateExactly)
{
    AFX_MODULE_STATE first;
    first.m_hCurrentResourceHandle = reinterpret_cast<HINSTANCE>(::GetModuleHandleW(L"kernel32.dll"));
    AFX_MODULE_STATE second;
    second.m_hCurrentResourceHandle = reinterpret_cast<HINSTANCE>(::GetModuleHandleW(L"user32.dll"));
    {
        CResourceMgr outer{CString(kResDll)};
        HMODULE hRes = ::GetModuleHandleW(kResDll);
        ASSERT_NE(hRes, nullptr);
        {
            CResourceMgr state1(&first);
            {
                CResourceMgr innerRes{CString(kResDll)}; // held now: switched, not loaded again
                EXPECT_EQ(AfxGetResourceHandle(), hRes);
                EXPECT_EQ(first.m_hCurrentResourceHandle, hRes);
                {
                    CResourceMgr state2(&second);
                    EXPECT_EQ(AfxGetModuleState(), &second);
                }
                EXPECT_EQ(AfxGetModuleState(), &first);
                EXPECT_EQ(AfxGetResourceHandle(), hRes);
            }
            EXPECT_EQ(AfxGetModuleState(), &first);
            EXPECT_EQ(first.m_hCurrentResourceHandle, reinterpret_cast<HINSTANCE>(::GetModuleHandleW(L"kernel32.dll")));
            EXPECT_EQ(::GetModuleHandleW(kResDll), hRes) << "the inner guard did not load it, so it did not free it";
        }
        EXPECT_EQ(AfxGetModuleState(), m_pState);
        EXPECT_EQ(AfxGetResourceHandle(), hRes);
    }
    EXPECT_EQ(second.m_hCurrentResourceHandle, reinterpret_cast<HINSTANCE>(::GetModuleHandleW(L"user32.dll")));
}

TEST_F(CResourceMgrTest, AStateWithoutAResourceHandleGetsItsEmptyHandleBack)
{
    AFX_MODULE_STATE empty; // no resource module chosen yet
    CResourceMgr state(&empty);
    {
        CResourceMgr guard{CString(L"kernel32.dll")};
        EXPECT_EQ(AfxGetResourceHandle(), reinterpret_cast<HINSTANCE>(::GetModuleHandleW(L"kernel32.dll")));
    }
    EXPECT_EQ(empty.m_hCurrentResourceHandle, nullptr);
}

TEST_F(CResourceMgrTest, CanBeDeletedThroughAPointer)
{
    CResourceMgr* pGuard = new CResourceMgr(CString(kResDll));
    EXPECT_NE(::GetModuleHandleW(kResDll), nullptr);
    delete pGuard;
}

} // namespace
