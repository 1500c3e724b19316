#include "tests/signin/TestLoginOwner.h"
#include "framework/CPaintDC.h"
#include "platform/QorResource/ResourceIds.h"
#include "signin/LoginMessages.h"

BEGIN_MESSAGE_MAP(TestLoginOwner, CQorDlg)
    ON_MESSAGE(WM_LOGIN_START, &TestLoginOwner::OnStartLogin)
    ON_MESSAGE(WM_LOGIN_CANCEL, &TestLoginOwner::OnLoginCancel)
    ON_WM_PAINT()
    ON_MESSAGE(WM_NCLBUTTONDOWN, &TestLoginOwner::OnNcLButtonDown)
END_MESSAGE_MAP()

TestLoginOwner::TestLoginOwner() : CQorDlg(IDD_MAIN_WINDOW)
{
    // A value no panel writes, so that a test sees whether the panel set it.
    fields.nPasswordType = 7;
    fields.nLoginStatus = 0;
}

void TestLoginOwner::SetProxyInfo(const _PROXYINFO& newProxy)
{
    ++proxySets;
    proxy = newProxy;
}

LRESULT TestLoginOwner::OnStartLogin(WPARAM, LPARAM)
{
    ++loginStarts;
    return 0;
}

LRESULT TestLoginOwner::OnLoginCancel(WPARAM, LPARAM)
{
    ++loginCancels;
    if (destroyReconnectPanelOnCancel && pConnectErrDlg)
        pConnectErrDlg->DestroyWindow();
    return 0;
}

void TestLoginOwner::OnPaint()
{
    CPaintDC dc(this);
    _PaintBk(&dc);
}

// Recorded, not acted on: a real caption drag would start the system's modal move loop.
LRESULT TestLoginOwner::OnNcLButtonDown(WPARAM wParam, LPARAM lParam)
{
    ++captionDrags;
    dragHitTest = wParam;
    dragPoint = lParam;
    return 0;
}
