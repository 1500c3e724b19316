#include "signin/CConnectErrDlg.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/SignInResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "signin/ILoginOwner.h"
#include "signin/LoginMessages.h"
#include "signin/PanelLayout.h"

BEGIN_MESSAGE_MAP(CConnectErrDlg, CDialog)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_PANEL_CANCEL, &CConnectErrDlg::OnGiveUp)
    ON_BN_CLICKED(IDC_RECONNECT_NOW, &CConnectErrDlg::OnReconnectNow)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CConnectErrDlg::CConnectErrDlg(ILoginOwner* pOwner) : CDialog(IDD_CONNECT_ERR), m_pOwner(pOwner) {}

void CConnectErrDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STAGE_TEXT, m_lblCountdown);
    DDX_Control(pDX, IDC_RECONNECT_TEXT1, m_lblText1);
    DDX_Control(pDX, IDC_RECONNECT_TEXT2, m_lblText2);
    DDX_Control(pDX, IDC_RECONNECT_TEXT3, m_lblText3);
    DDX_Control(pDX, IDC_LOGO_STRIP, m_lblLogo);
    DDX_Control(pDX, IDC_PANEL_CANCEL, m_btnGiveUp);
    DDX_Control(pDX, IDC_RECONNECT_NOW, m_btnReconnect);
}

BOOL CConnectErrDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    m_Resizer.SetParent(m_hWnd);
    m_Resizer.AddControl(IDC_PANEL_FRAME, CQorResizer::AnchorLeft | CQorResizer::AnchorTop |
                                              CQorResizer::AnchorRight | CQorResizer::AnchorBottom);
    m_Resizer.AddControl(IDC_PANEL_FOOTER, CQorResizer::AnchorLeft | CQorResizer::AnchorTop | CQorResizer::AnchorBottom);
    m_btnGiveUp.SetSkin(L"xButtonLogin");
    m_btnReconnect.SetSkin(L"xButtonLogin");
    m_lblLogo.SetSkin(L"xLabelLogoTopLoginDlg");
    for (CxLabel* pLabel : {&m_lblCountdown, &m_lblText1, &m_lblText3, &m_lblText2})
        pLabel->SetTextColor(L"c.font.normal");
    return TRUE;
}

// The countdown

void CConnectErrDlg::StartReconnectCountdown(int nStart, int nReset)
{
    if (nReset)
        m_Countdown.ResetAttempts();
    if (!nStart) {
        StopReconnectCountdown();
        return;
    }
    StopReconnectCountdown();
    m_Countdown.Start(false);
    ShowRemaining();
    if (::IsWindow(m_hWnd)) {
        ::UpdateWindow(m_hWnd);
        m_nTimerId = SetTimer(kTimerId, kTimerMs, nullptr);
    }
}

void CConnectErrDlg::StopReconnectCountdown()
{
    m_Countdown.Stop();
    if (m_nTimerId >= 1 && ::IsWindow(m_hWnd))
        KillTimer(m_nTimerId);
    m_nTimerId = 0;
}

BOOL CConnectErrDlg::DestroyWindow()
{
    StopReconnectCountdown();
    return CDialog::DestroyWindow();
}

void CConnectErrDlg::ShowRemaining()
{
    if (!::IsWindow(m_lblCountdown.GetSafeHwnd()))
        return;
    CString text;
    const CString format = CQorViewBaseFun::LoadStringW(IDS_RECONNECT_COUNTDOWN);
    const CString time = CReconnectCountdown::FormatTime(m_Countdown.GetRemaining());
    text.Format(format.IsEmpty() ? L"%s" : format.GetString(), time.GetString());
    m_lblCountdown.SetWindowText(text);
    RECT rc;
    ::GetWindowRect(m_lblCountdown.GetSafeHwnd(), &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    ::InvalidateRect(m_hWnd, &rc, TRUE);
}

void CConnectErrDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (!m_nTimerId || nIDEvent != m_nTimerId) {
        Default();
        return;
    }
    switch (m_Countdown.Tick()) {
    case CReconnectCountdown::TICK_SHOW:
        ShowRemaining();
        break;
    case CReconnectCountdown::TICK_RUN_OUT:
        StopReconnectCountdown();
        if (!m_pOwner)
            return;
        m_pOwner->SetReconnectAttempt();
        ::PostMessageW(OwnerWnd(), WM_LOGIN_START, 0, 0);
        break;
    case CReconnectCountdown::TICK_IDLE:
        break;
    }
    Default();
}

// Buttons

void CConnectErrDlg::OnReconnectNow()
{
    if (!m_pOwner)
        return;
    StopReconnectCountdown();
    ::PostMessageW(OwnerWnd(), WM_LOGIN_START, 0, 0);
}

// Giving up signs out, and the sign-out destroys this panel: the request is posted, so that
// it runs after this handler has returned, and the countdown stops here at once.
void CConnectErrDlg::OnGiveUp()
{
    if (!m_pOwner)
        return;
    StopReconnectCountdown();
    ::PostMessageW(OwnerWnd(), WM_LOGIN_CANCEL, 0, 0);
}

HWND CConnectErrDlg::OwnerWnd() const
{
    CWnd* pMain = m_pOwner ? m_pOwner->GetLoginOwnerWnd() : nullptr;
    return pMain ? pMain->GetSafeHwnd() : nullptr;
}

// Window

void CConnectErrDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    const HWND hMain = OwnerWnd();
    if (nType == SIZE_MINIMIZED || (hMain && ::IsIconic(hMain)))
        return;
    m_Resizer.Resize(cx, cy);
    if (::IsWindow(m_btnGiveUp.GetSafeHwnd())) {
        CenterPanelControls(m_hWnd, cx, {IDC_PANEL_CANCEL, IDC_RECONNECT_NOW, IDC_LOGO_STRIP, IDC_STAGE_TEXT,
                                         IDC_RECONNECT_TEXT2, IDC_RECONNECT_TEXT3, IDC_RECONNECT_TEXT1});
    }
    if (m_pOwner)
        m_pOwner->SetPanelSizeClass(PanelSizeClass(cy));
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CConnectErrDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawParentBackground(this, &dc);
}

BOOL CConnectErrDlg::OnEraseBkgnd(CDC*) { return TRUE; }

HBRUSH CConnectErrDlg::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
    if (HBRUSH hBrush = PanelTextBrush(pDC ? pDC->GetSafeHdc() : nullptr, nCtlColor))
        return hBrush;
    return reinterpret_cast<HBRUSH>(Default());
}

void CConnectErrDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
    // Dragging the panel drags the main window.
    if (const HWND hMain = OwnerWnd())
        ::PostMessageW(hMain, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CConnectErrDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    if (m_pOwner)
        m_pOwner->OnLoginPanelGone(this);
    delete this;
}
