#pragma once
// A main window created from its template the way start-up creates it, with the resource module
// loaded, a scratch profile for the view library, scripted message boxes and a tray whose shell
// calls are recorded (and can be refused).
#include "app/CKorvelBaseDlg.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "tests/app/AppTestSupport.h"
#include <gtest/gtest.h>
#include <memory>

class MainWindowFixture : public ::testing::Test {
public:
    // The tray's shell calls: how many adds were asked, and whether the shell accepts them.
    static int s_nTrayAdds;
    static bool s_bTrayAccepts;

protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window with these start-up flags; false when it could not be made.
    bool CreateMain(int nStartupFlags = 0);
    // Destroys it (the object deletes itself) and pumps the messages that follow.
    void DestroyMain();
    bool IsAlive() const { return apptest::App().m_pMainDlg == m_pDlg && m_pDlg; }

    // Replaces the tray's status strip by eight 16x16 images, image i of StatusColour(i), so that
    // the image the tray shows can be told from its colour (IconColour).
    bool UseColourStrip();
    static COLORREF StatusColour(int image) { return RGB(20 + image * 30, 200 - image * 20, 40); }
    static COLORREF IconColour(HICON hIcon);

    CKorvelBaseDlg* m_pDlg = nullptr;
    std::unique_ptr<apptest::ResourceModuleScope> m_resources;
    std::wstring m_profile;

private:
    CTrayIcon::ShellNotifyFn m_pfnSavedShell = nullptr;
};
