// The toolkit's resource module scope and its lock.
#include "controls/popup/CTkLockGuard.h"
#include "controls/popup/CTkResourceScope.h"
#include "framework/ModuleState.h"
#include <gtest/gtest.h>

TEST(TkResourceScope, SwitchesTheResourceModuleOnlyWhileItLivesAndOnlyWhenOneIsNamed)
{
    const HINSTANCE before = AfxGetResourceHandle();
    {
        CTkResourceScope scope; // no module named: nothing changes
        EXPECT_EQ(before, AfxGetResourceHandle());
    }
    HINSTANCE hModule = ::GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(nullptr, hModule);
    CTkResourceScope::SetResourceModule(hModule);
    EXPECT_EQ(hModule, CTkResourceScope::GetResourceHandle());
    {
        CTkResourceScope scope;
        EXPECT_EQ(hModule, AfxGetResourceHandle());
        {
            CTkResourceScope nested;
            EXPECT_EQ(hModule, AfxGetResourceHandle());
        }
        EXPECT_EQ(hModule, AfxGetResourceHandle());
    }
    EXPECT_EQ(before, AfxGetResourceHandle());
    CTkResourceScope::SetResourceModule(nullptr);
}

namespace {

DWORD WINAPI TryTakeLock(LPVOID)
{
    const BOOL bTaken = ::TryEnterCriticalSection(TkGetLock());
    if (bTaken)
        ::LeaveCriticalSection(TkGetLock());
    return static_cast<DWORD>(bTaken);
}

} // namespace

TEST(TkLockGuard, EntersAndLeavesTheLock)
{
    EXPECT_EQ(nullptr, TkGetLock());
    { CTkLockGuard none; } // no lock yet: nothing to enter
    TkCreateLock();
    ASSERT_NE(nullptr, TkGetLock());
    {
        CTkLockGuard guard;
        EXPECT_TRUE(::TryEnterCriticalSection(TkGetLock())); // re-entrant on the owning thread
        ::LeaveCriticalSection(TkGetLock());
    }
    // Left again: another thread can take it now.
    HANDLE hThread = ::CreateThread(nullptr, 0, TryTakeLock, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, hThread);
    ::WaitForSingleObject(hThread, INFINITE);
    DWORD code = 0;
    ::GetExitCodeThread(hThread, &code);
    ::CloseHandle(hThread);
    EXPECT_EQ(1u, code);
    TkDeleteLock();
    EXPECT_EQ(nullptr, TkGetLock());
}
