#include "tests/app/MainWindowFixture.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorView/CQorViewMgr.h"
#include <commctrl.h>

int MainWindowFixture::s_nTrayAdds = 0;
bool MainWindowFixture::s_bTrayAccepts = true;

namespace {

BOOL WINAPI FakeShellNotify(DWORD dwMessage, PNOTIFYICONDATAW)
{
    if (dwMessage == NIM_ADD) {
        ++MainWindowFixture::s_nTrayAdds;
        return MainWindowFixture::s_bTrayAccepts ? TRUE : FALSE;
    }
    return TRUE;
}

// A 16x16 image of one colour.
HBITMAP SolidBitmap(COLORREF colour)
{
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    HBRUSH hBrush = ::CreateSolidBrush(colour);
    RECT rc = {0, 0, 16, 16};
    ::FillRect(hMem, &rc, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return hBitmap;
}

} // namespace

bool MainWindowFixture::UseColourStrip()
{
    CImageList& images = m_pDlg->GetTrayStatus().GetImages();
    images.DeleteImageList();
    if (!images.Create(16, 16, ILC_COLOR24, 8, 0))
        return false;
    for (int i = 0; i < 8; ++i) {
        HBITMAP hBitmap = SolidBitmap(StatusColour(i));
        ::ImageList_Add(images.GetSafeHandle(), hBitmap, nullptr);
        ::DeleteObject(hBitmap);
    }
    return images.GetImageCount() == 8;
}

COLORREF MainWindowFixture::IconColour(HICON hIcon)
{
    ICONINFO info = {};
    if (!hIcon || !::GetIconInfo(hIcon, &info))
        return CLR_INVALID;
    HDC hMem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hMem, info.hbmColor);
    COLORREF colour = ::GetPixel(hMem, 8, 8);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return colour;
}

void MainWindowFixture::SetUp()
{
    apptest::App().m_nStartupFlags = 0;
    m_profile = testsupport::TempDir(L"korvel_app_profile");
    qorview_test::SetProfileRoot(m_profile);
    qorview_test::ClearCalls();
    qorview_test::ClearMessageBoxAnswers();
    qorview_test::SetDefaultMessageBoxAnswer(IDOK);
    m_resources = std::make_unique<apptest::ResourceModuleScope>();
    s_nTrayAdds = 0;
    s_bTrayAccepts = true;
    m_pfnSavedShell = CTrayIcon::SetShellNotifyFunction(&FakeShellNotify);
}

void MainWindowFixture::TearDown()
{
    DestroyMain();
    CQorViewMgr::Instance()->m_pKorvelDlg = nullptr;
    CQorViewMgr::Instance()->m_pKorvelDlgEdit = nullptr;
    CTrayIcon::SetShellNotifyFunction(m_pfnSavedShell);
    qorview_test::SetDefaultMessageBoxAnswer(0);
    qorview_test::ClearMessageBoxAnswers();
    apptest::App().m_nStartupFlags = 0;
    m_resources.reset();
    // A sign-in opened the user's database in this test's profile: it ends with the test.
    if (CQorMsgDBMgr* pDB = CQorViewMgr::Instance()->m_pDBMgr)
        pDB->CloseConnect();
    qorview_test::SetProfileRoot(L"");
    testsupport::RemoveTree(m_profile);
}

bool MainWindowFixture::CreateMain(int nStartupFlags)
{
    if (!m_resources->IsLoaded())
        return false;
    CKorvelApp& app = apptest::App();
    app.m_nStartupFlags = nStartupFlags;
    m_pDlg = new CKorvelBaseDlg();
    app.m_pMainDlg = m_pDlg;
    if (!m_pDlg->Create(IDD_MAIN_WINDOW, nullptr)) {
        if (app.m_pMainDlg == m_pDlg)
            delete m_pDlg;
        app.m_pMainDlg = nullptr;
        m_pDlg = nullptr;
        return false;
    }
    m_pDlg->ShowWindow(SW_SHOW);
    testsupport::PumpMessages();
    return true;
}

void MainWindowFixture::DestroyMain()
{
    if (IsAlive() && ::IsWindow(m_pDlg->GetSafeHwnd()))
        m_pDlg->DestroyWindow();
    testsupport::PumpMessages();
    m_pDlg = nullptr;
    apptest::App().m_pMainDlg = nullptr;
}
