#include "signin/CKorvelLoginWaitDlg.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorResource/SignInResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"
#include "platform/QorView/QorViewMessages.h"
#include "platform/WqUpApi/WqUpApi.h"
#include "signin/CErrorInfoDlg.h"
#include "signin/CUpdaterCheck.h"
#include "signin/ILoginOwner.h"
#include "signin/LoginMessages.h"
#include "signin/PanelLayout.h"

namespace {

const UINT_PTR kAttemptTimerId = 101;
const UINT kAttemptTimerMs = 200;
const COLORREF kCancelTextColor = 0x404A5C;
const COLORREF kLinkColor = 0xFF0000;

const CKorvelLoginWaitDlg::Stage kStages[] = {
    {1, IDS_STAGE_CONNECTING, CKorvelLoginWaitDlg::STAGE_TEXT},
    {2, IDS_STAGE_CONNECTED, CKorvelLoginWaitDlg::STAGE_UPDATER},
    {3, IDS_STAGE_UNREACHABLE, CKorvelLoginWaitDlg::STAGE_END},
    {5, IDS_STAGE_SIGNING_IN, CKorvelLoginWaitDlg::STAGE_TEXT},
    {6, IDS_STAGE_CHECKING, CKorvelLoginWaitDlg::STAGE_TEXT},
    {7, IDS_STAGE_LOST, CKorvelLoginWaitDlg::STAGE_TEXT},
    {8, IDS_STAGE_FAILED, CKorvelLoginWaitDlg::STAGE_END},
    {9, IDS_STAGE_LOADING, CKorvelLoginWaitDlg::STAGE_TEXT},
    {10, IDS_STAGE_CONTACTS, CKorvelLoginWaitDlg::STAGE_ADVANCE},
    {11, IDS_STAGE_SETTINGS, CKorvelLoginWaitDlg::STAGE_TEXT},
    {13, 0, CKorvelLoginWaitDlg::STAGE_CANCEL},
    {20, IDS_STAGE_FAILED, CKorvelLoginWaitDlg::STAGE_END},
};

} // namespace

CKorvelLoginWaitDlg::NetCheckRunner CKorvelLoginWaitDlg::s_pfnNetCheck = nullptr;

BEGIN_MESSAGE_MAP(CKorvelLoginWaitDlg, CDialog)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_BN_CLICKED(IDC_PANEL_CANCEL, &CKorvelLoginWaitDlg::OnCancelButton)
    ON_MESSAGE(WM_QORVIEW_SKIN_CLICK, &CKorvelLoginWaitDlg::OnSkinChildClick)
    ON_MESSAGE(WM_LOGIN_WAIT_CANCEL, &CKorvelLoginWaitDlg::OnWaitCancel)
END_MESSAGE_MAP()

CKorvelLoginWaitDlg::CKorvelLoginWaitDlg(ILoginOwner* pOwner) : CDialog(IDD_LOGIN_WAIT), m_pOwner(pOwner) {}

void CKorvelLoginWaitDlg::SetErrorTexts(const CString& strFirst, const CString& strSecond)
{
    m_strErrorText1 = strFirst;
    m_strErrorText2 = strSecond;
}

void CKorvelLoginWaitDlg::SetNetCheckRunner(NetCheckRunner pfnRunner) { s_pfnNetCheck = pfnRunner; }

const CKorvelLoginWaitDlg::Stage* CKorvelLoginWaitDlg::FindStage(int nCode)
{
    for (const Stage& stage : kStages) {
        if (stage.nCode == nCode)
            return &stage;
    }
    return nullptr;
}

void CKorvelLoginWaitDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WAIT_ANIMATION, m_picAnimation);
    DDX_Control(pDX, IDC_STAGE_TEXT, m_lblStage);
    DDX_Control(pDX, IDC_PANEL_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_RETRY_LINK, m_lnkRetry);
    DDX_Control(pDX, IDC_NET_CHECK_LINK, m_lnkNetCheck);
    DDX_Control(pDX, IDC_LOGO_STRIP, m_lblLogo);
}

BOOL CKorvelLoginWaitDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    if (m_picAnimation.Load(L"i.animation.wait"))
        m_picAnimation.Play();
    const CSize frame = m_picAnimation.GetImageSize();
    m_picAnimation.SetWindowPos(nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_picAnimation.ShowWindow(SW_SHOW);

    m_Resizer.SetParent(m_hWnd);
    m_Resizer.AddControl(IDC_PANEL_FRAME, CQorResizer::AnchorLeft | CQorResizer::AnchorTop |
                                              CQorResizer::AnchorRight | CQorResizer::AnchorBottom);
    m_Resizer.AddControl(IDC_PANEL_FOOTER, CQorResizer::AnchorLeft | CQorResizer::AnchorTop | CQorResizer::AnchorBottom);

    if (!m_bmpDefaultLogo.GetSafeHandle())
        m_bmpDefaultLogo.LoadBitmap(IDB_MAIN_BK);
    m_btnCancel.SetSkin(L"xButtonLogin");
    m_btnCancel.SetTextColor(kCancelTextColor);
    for (CQorHyperLink* pLink : {&m_lnkNetCheck, &m_lnkRetry}) {
        pLink->SetOwner(this);
        pLink->SetColors(kLinkColor, kLinkColor);
        pLink->SetUnderline(TRUE);
    }
    m_lblLogo.SetSkin(L"xLabelLogoTopLoginDlg");
    m_lblStage.SetTextColor(L"c.font.normal");
    ModifyStyle(0, WS_CLIPCHILDREN);
    return TRUE;
}

// Stages

void CKorvelLoginWaitDlg::OnLoginProgress(int nCode, int)
{
    const Stage* pStage = FindStage(nCode);
    if (!pStage)
        return;
    switch (pStage->effect) {
    case STAGE_TEXT:
        break;
    case STAGE_UPDATER:
        // The text first, so that it stands while the updater is asked.
        ShowStageText(CQorViewBaseFun::LoadStringW(pStage->nTextId));
        RunUpdaterCheck();
        return;
    case STAGE_END:
        RunEndSequence();
        break;
    case STAGE_ADVANCE:
        m_picAnimation.AdvanceFrame();
        m_picAnimation.AdvanceFrame();
        break;
    case STAGE_CANCEL:
        PostToOwner(WM_LOGIN_CANCEL);
        break;
    }
    if (pStage->nTextId)
        ShowStageText(CQorViewBaseFun::LoadStringW(pStage->nTextId));
}

void CKorvelLoginWaitDlg::ShowStageText(const CString& strText)
{
    if (!::IsWindow(m_lblStage.GetSafeHwnd()))
        return;
    m_lblStage.SetWindowText(strText);
    RECT rc;
    ::GetWindowRect(m_lblStage.GetSafeHwnd(), &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    ::InvalidateRect(m_hWnd, &rc, TRUE);
    ::InvalidateRect(m_lblStage.GetSafeHwnd(), nullptr, TRUE);
}

void CKorvelLoginWaitDlg::RunEndSequence()
{
    StopAttemptTimer();
    m_lnkNetCheck.SetWindowTextEx(CQorViewBaseFun::LoadStringW(IDS_NET_CHECK_LINK));
    m_lnkNetCheck.ShowWindow(SW_SHOW);
    ::InvalidateRect(m_lnkNetCheck.GetSafeHwnd(), nullptr, TRUE);
    m_bEnded = 1;
    m_lnkRetry.ShowWindow(SW_SHOW);
    PostToOwner(WM_LOGIN_CANCEL);
}

void CKorvelLoginWaitDlg::StopAttemptTimer()
{
    if (m_nTimerId && ::IsWindow(m_hWnd))
        KillTimer(m_nTimerId);
    m_nTimerId = 0;
}

void CKorvelLoginWaitDlg::SetLoginStrings(const CString&, const CString&) {}

// The updater is asked once per run, the first time a connection stands.
void CKorvelLoginWaitDlg::RunUpdaterCheck()
{
    if (!m_pOwner || m_pOwner->IsUpdaterDone())
        return;
    const LoginFields fields = m_pOwner->GetLoginFields();
    CUpdaterCheck::Request request;
    request.strServer = fields.strServerAddr;
    request.nPort = fields.nServerPort;
    request.nVersion = m_pOwner->GetVersionCode();
    const CUpdaterCheck updater;
    switch (updater.Run(request)) {
    case WQUP_UPDATE_OFFERED:
        if (QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_UPDATE_OFFERED),
                          CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION), this, MB_OKCANCEL, MB_ICONEXCLAMATION,
                          1, 0) != IDOK)
            return;
        updater.StartUpdate(false);
        m_pOwner->RequestExit();
        return;
    case WQUP_UPDATE_FORCED:
        updater.StartUpdate(true);
        m_pOwner->RequestExit();
        return;
    default:
        return;
    }
}

// Links and buttons

LRESULT CKorvelLoginWaitDlg::OnSkinChildClick(WPARAM wParam, LPARAM)
{
    if (!m_pOwner)
        return 0;
    const HWND hChild = reinterpret_cast<HWND>(wParam);
    if (hChild && hChild == m_lnkRetry.GetSafeHwnd())
        Retry();
    else if (hChild && hChild == m_lnkNetCheck.GetSafeHwnd())
        OpenNetCheckOrErrorInfo();
    return 0;
}

// A retry keeps the server and port of the failed attempt.
void CKorvelLoginWaitDlg::Retry()
{
    m_bCancelled = 0;
    m_nTimerId = SetTimer(kAttemptTimerId, kAttemptTimerMs, nullptr);
    m_lnkRetry.ShowWindow(SW_HIDE);
    m_lnkNetCheck.ShowWindow(SW_HIDE);
    m_pOwner->RetryLogin();
}

void CKorvelLoginWaitDlg::OpenNetCheckOrErrorInfo()
{
    CWnd* pMain = m_pOwner->GetLoginOwnerWnd();
    CQorViewMgr* pMgr = CQorViewMgr::Instance();
    pMgr->m_bModal = 1;
    if (m_bEnded) {
        const LoginFields fields = m_pOwner->GetLoginFields();
        if (s_pfnNetCheck)
            s_pfnNetCheck(pMain, fields.strServerAddr, fields.nServerPort);
    } else {
        CErrorInfoDlg dlg(pMain, m_strErrorText1, m_strErrorText2);
        dlg.DoModal();
    }
    pMgr->m_bModal = 0;
}

void CKorvelLoginWaitDlg::OnCancelButton() { CancelSignIn(); }

LRESULT CKorvelLoginWaitDlg::OnWaitCancel(WPARAM, LPARAM)
{
    CancelSignIn();
    return 0;
}

void CKorvelLoginWaitDlg::CancelSignIn()
{
    m_bCancelled = 1;
    CUpdaterCheck().Cancel();
    PostToOwner(WM_LOGIN_CANCEL);
}

void CKorvelLoginWaitDlg::PostToOwner(UINT uMsg)
{
    CWnd* pMain = m_pOwner ? m_pOwner->GetLoginOwnerWnd() : nullptr;
    if (pMain && ::IsWindow(pMain->GetSafeHwnd()))
        ::PostMessageW(pMain->GetSafeHwnd(), uMsg, 0, 0);
}

// The add-in logo

void CKorvelLoginWaitDlg::UpdateAddInLogo(const CString& strCompanyKey)
{
    int type = 0;
    CString path;
    CQorViewBaseFun::GetCorAddInLogoInfo(strCompanyKey, type, path);
    if (type == m_nLogoType && path == m_strLogoPath)
        return;
    if (type == 0) {
        m_nLogoType = 0;
        m_strLogoPath.Empty();
        if (!m_bmpDefaultLogo.GetSafeHandle())
            m_bmpDefaultLogo.LoadBitmap(IDB_MAIN_BK);
        Invalidate();
    } else if (type == 11) {
        m_nLogoType = 11;
        if (path.CompareNoCase(m_strLogoPath) != 0) {
            m_AddInLogo.UnLoad();
            m_AddInLogo.Load(path);
            m_strLogoPath = path;
            Invalidate();
        }
    }
}

// Window

void CKorvelLoginWaitDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    CWnd* pMain = m_pOwner ? m_pOwner->GetLoginOwnerWnd() : nullptr;
    if (nType == SIZE_MINIMIZED || (pMain && ::IsIconic(pMain->GetSafeHwnd())))
        return;
    m_Resizer.Resize(cx, cy);
    if (::IsWindow(m_btnCancel.GetSafeHwnd())) {
        CenterPanelControls(m_hWnd, cx, {IDC_LOGO_STRIP, IDC_PANEL_CANCEL, IDC_PANEL_CAPTION, IDC_WAIT_ANIMATION,
                                         IDC_STAGE_TEXT, IDC_NET_CHECK_LINK, IDC_RETRY_LINK});
    }
    if (m_pOwner)
        m_pOwner->SetPanelSizeClass(PanelSizeClass(cy));
    ::UpdateWindow(m_hWnd);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CKorvelLoginWaitDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawParentBackground(this, &dc);
    // A company's own logo replaces the product's over the logo label.
    if (m_nLogoType == 11 && m_AddInLogo.IsLoaded() && ::IsWindow(m_lblLogo.GetSafeHwnd())) {
        RECT rc;
        ::GetWindowRect(m_lblLogo.GetSafeHwnd(), &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        m_AddInLogo.Draw(dc.GetSafeHdc(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }
}

BOOL CKorvelLoginWaitDlg::OnEraseBkgnd(CDC*) { return TRUE; }

HBRUSH CKorvelLoginWaitDlg::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
    if (HBRUSH hBrush = PanelTextBrush(pDC ? pDC->GetSafeHdc() : nullptr, nCtlColor))
        return hBrush;
    return reinterpret_cast<HBRUSH>(Default());
}

void CKorvelLoginWaitDlg::OnTimer(UINT_PTR) { Default(); }

void CKorvelLoginWaitDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    CDialog::OnLButtonDown(nFlags, point);
    // Dragging the panel drags the main window.
    CWnd* pMain = m_pOwner ? m_pOwner->GetLoginOwnerWnd() : nullptr;
    if (pMain)
        ::PostMessageW(pMain->GetSafeHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CKorvelLoginWaitDlg::OnDestroy()
{
    CUpdaterCheck().Cancel();
    StopAttemptTimer();
    CDialog::OnDestroy();
}

void CKorvelLoginWaitDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    if (m_pOwner)
        m_pOwner->OnLoginPanelGone(this);
    delete this;
}
