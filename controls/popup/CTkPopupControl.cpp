#include "controls/popup/CTkPopupControl.h"
#include "controls/CWqMemDC.h"
#include "controls/ScaleByDpi.h"
#include "controls/popup/CMultiMonitorApi.h"
#include "controls/popup/CTkBufferDC.h"
#include "controls/popup/CTkDrawHelpers.h"
#include "controls/popup/CTkImageManager.h"
#include "controls/popup/CTkPopupItem.h"
#include "controls/popup/CTkPopupThemeSkin.h"
#include "framework/CPaintDC.h"
#include <cstdlib>
#include <mmsystem.h>

BEGIN_MESSAGE_MAP(CTkPopupControl, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

namespace {

// Where the popup rises: 18 pixels left of the work area's right edge, on its bottom edge.
CPoint DefaultAnchor()
{
    const CRect rcWork = CMultiMonitorApi::GetPrimaryWorkArea();
    return CPoint(rcWork.right - 18, rcWork.bottom);
}

} // namespace

CTkPopupControl::CTkPopupControl()
    : m_pPaintManager(new CTkPopupThemeSkin), m_szPopup(ScaleByDpi(170), ScaleByDpi(130)),
      m_ptPopup(DefaultAnchor()), m_pImageManager(new CTkImageManager)
{
    // Layered windows came with Windows 2000; without them the popup is simply opaque.
    if (HMODULE hUser = ::GetModuleHandleW(L"USER32"))
        m_pfnSetLayeredWindowAttributes =
            reinterpret_cast<PFNSETLAYEREDWINDOWATTRIBUTES>(::GetProcAddress(hUser, "SetLayeredWindowAttributes"));
}

CTkPopupControl::~CTkPopupControl()
{
    if (m_hWnd)
        Close();
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        m_arrItems[i]->InternalRelease();
    m_arrItems.RemoveAll();
    delete m_pPaintManager;
    m_pPaintManager = nullptr;
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = nullptr;
}

BOOL CTkPopupControl::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                             CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CTkPopupControl::CreatePopupWindow(CWnd* pParentWnd)
{
    if (m_hWnd)
        return TRUE;
    DWORD dwExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    if (m_pfnSetLayeredWindowAttributes && (m_nTransparency < 255 || m_nAnimation == kAnimationFade))
        dwExStyle |= WS_EX_LAYERED;
    LPCWSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    if (!CreateEx(dwExStyle, lpszClass, nullptr, WS_POPUP, CRect(0, 0, 0, 0), pParentWnd, 0))
        return FALSE;
    m_nState = kStateClosed; // a fresh window: no notification
    return TRUE;
}

BOOL CTkPopupControl::Show(CWnd* pParentWnd)
{
    if (!CreatePopupWindow(pParentWnd) || m_nState != kStateClosed)
        return FALSE;
    m_ptPopup = DefaultAnchor();
    Expand(TRUE);
    return TRUE;
}

CRect CTkPopupControl::GetShownRect() const
{
    return CRect(m_ptPopup.x - m_szPopup.cx, m_ptPopup.y - m_szPopup.cy, m_ptPopup.x, m_ptPopup.y);
}

BOOL CTkPopupControl::Expand(BOOL bFromStart)
{
    SetPopupState(kStateExpanding);
    m_animation.m_rcTarget = GetShownRect();
    m_animation.m_nTargetAlpha = m_nTransparency;
    const int nSteps = CTkPopupAnimation::StepCount(m_nAnimationInterval, m_nStep);
    const UINT nPeriod = static_cast<UINT>(std::max(m_nStep, 1));

    if (!bFromStart) {
        // Back from where the collapse was, in as many steps as it had made.
        m_animation.Reverse(nSteps);
        SetTimer(kTimerExpanding, nPeriod);
        return ApplyCurrentState(TRUE);
    }

    m_animation.m_rcCurrent = m_animation.m_rcTarget;
    m_animation.m_nCurrentAlpha = m_animation.m_nTargetAlpha;
    if (m_nAnimation != kAnimationNone && m_nAnimationInterval != 0) {
        switch (m_nAnimation) {
        case kAnimationFade:
            m_animation.m_nCurrentAlpha = 0;
            break;
        case kAnimationSlide:
            m_animation.m_rcCurrent = CRect(m_animation.m_rcTarget.left, m_ptPopup.y, m_ptPopup.x, m_ptPopup.y);
            break;
        case kAnimationUnfold:
            m_animation.m_rcCurrent = CRect(m_ptPopup.x, m_ptPopup.y, m_ptPopup.x, m_ptPopup.y);
            break;
        default:
            break;
        }
        m_animation.Start(nSteps);
        SetTimer(kTimerExpanding, nPeriod);
        return ApplyCurrentState(TRUE);
    }
    const BOOL bResult = ApplyCurrentState(TRUE);
    OnShown();
    return bResult;
}

void CTkPopupControl::Collapse()
{
    SetPopupState(kStateCollapsing);
    if (m_nAnimation == kAnimationNone || m_nAnimationInterval == 0) {
        Close();
        return;
    }
    switch (m_nAnimation) {
    case kAnimationFade:
        m_animation.m_nTargetAlpha = 0;
        break;
    case kAnimationSlide:
        m_animation.m_rcTarget = CRect(m_ptPopup.x - m_szPopup.cx, m_ptPopup.y, m_ptPopup.x, m_ptPopup.y);
        break;
    case kAnimationUnfold:
        m_animation.m_rcTarget = CRect(m_ptPopup.x, m_ptPopup.y, m_ptPopup.x, m_ptPopup.y);
        break;
    default:
        break;
    }
    m_animation.Start(CTkPopupAnimation::StepCount(m_nAnimationInterval, m_nStep));
    SetTimer(kTimerCollapsing, static_cast<UINT>(std::max(m_nStep, 1)));
    ApplyCurrentState(TRUE);
}

void CTkPopupControl::OnShown()
{
    SetPopupState(kStateShown);
    m_animation.m_rcCurrent = GetShownRect();
    m_animation.m_nCurrentAlpha = m_nTransparency;
    if (m_nShowDelay != 0)
        SetTimer(kTimerShowDelay, static_cast<UINT>(m_nShowDelay));
    if (m_bShakeRequested)
        ShakePopup();
}

void CTkPopupControl::OnClick(CTkPopupItem* pItem)
{
    Notify(kNotifyClick, reinterpret_cast<LPARAM>(pItem));
}

LRESULT CTkPopupControl::Notify(WPARAM wParam, LPARAM lParam)
{
    if (!m_pNotifyWnd || !::IsWindow(m_pNotifyWnd->GetSafeHwnd()))
        return 0;
    return m_pNotifyWnd->SendMessage(WM_TKPOPUP_NOTIFY, wParam, lParam);
}

BOOL CTkPopupControl::Close()
{
    SetPopupState(kStateClosing);
    m_bHovered = FALSE;
    const BOOL bResult = DestroyWindow(); // its timers die with it
    m_pHotItem = nullptr;
    m_pPressedItem = nullptr;
    SetPopupState(kStateClosed);
    return bResult;
}

void CTkPopupControl::Hide()
{
    if (m_nState != kStateShown)
        return;
    KillTimer(kTimerShowDelay);
    Collapse();
}

void CTkPopupControl::SetPopupState(int nState)
{
    m_nState = nState;
    Notify(kNotifyStateChanged, reinterpret_cast<LPARAM>(this));
}

void CTkPopupControl::RedrawControl()
{
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

CTkPopupItem* CTkPopupControl::AddItem(CTkPopupItem* pItem)
{
    if (!pItem)
        return nullptr;
    pItem->m_nIndex = static_cast<int>(m_arrItems.Add(pItem));
    pItem->m_pControl = this;
    pItem->OnItemInserted();
    return pItem;
}

void CTkPopupControl::RemoveItem(CTkPopupItem* pItem)
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
        if (m_arrItems[i] != pItem)
            continue;
        m_arrItems.RemoveAt(i);
        if (m_pHotItem == pItem)
            m_pHotItem = nullptr;
        if (m_pPressedItem == pItem)
            m_pPressedItem = nullptr;
        pItem->InternalRelease();
        RedrawControl();
        return;
    }
}

void CTkPopupControl::RemoveAllItems()
{
    for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
        m_arrItems[i]->InternalRelease();
    m_arrItems.RemoveAll();
    if (m_pImageManager)
        m_pImageManager->RemoveAll();
    m_pHotItem = nullptr;
    m_pPressedItem = nullptr;
    if (m_pPaintManager)
        m_pPaintManager->m_bShowPicture = 0;
}

CTkPopupItem* CTkPopupControl::HitTest(CPoint pt) const
{
    // The last item drawn lies on top.
    for (INT_PTR i = m_arrItems.GetSize() - 1; i >= 0; --i) {
        CTkPopupItem* pItem = m_arrItems[i];
        if (pItem->m_rcItem.PtInRect(pt))
            return pItem;
    }
    return nullptr;
}

void CTkPopupControl::SetPaintManager(CTkPopupPaintManager* pPaintManager)
{
    if (pPaintManager == m_pPaintManager)
        return;
    delete m_pPaintManager;
    m_pPaintManager = pPaintManager;
    RedrawControl();
}

void CTkPopupControl::SetTheme(int nTheme)
{
    SetPaintManager(nTheme == 1 ? new CTkPopupPaintManager : new CTkPopupThemeSkin);
    m_nTheme = nTheme;
}

void CTkPopupControl::SetImageManager(CTkImageManager* pImageManager)
{
    if (pImageManager == m_pImageManager)
        return;
    if (pImageManager)
        pImageManager->InternalAddRef();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
    RedrawControl();
}

BOOL CTkPopupControl::ShakePopup()
{
    if (!m_hWnd)
        return FALSE;
    CRect rc;
    GetWindowRect(&rc);
    const BOOL bSound = !m_strShakeSound.IsEmpty();
    if (bSound)
        ::PlaySoundW(m_strShakeSound, nullptr, SND_FILENAME | SND_LOOP | SND_NODEFAULT | SND_ASYNC);
    for (int i = 0; i < 50; ++i) {
        const int dx = std::rand() % 20 - 10;
        const int dy = std::rand() % 20 - 10;
        ::SetWindowPos(m_hWnd, nullptr, rc.left + dx, rc.top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::UpdateWindow(m_hWnd);
        ::Sleep(5);
    }
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::UpdateWindow(m_hWnd);
    if (bSound)
        ::PlaySoundW(nullptr, nullptr, 0);
    m_bShakeRequested = FALSE;
    return TRUE;
}

void CTkPopupControl::SetLayeredAlpha(int nAlpha)
{
    if (m_hWnd && m_pfnSetLayeredWindowAttributes)
        m_pfnSetLayeredWindowAttributes(m_hWnd, 0, static_cast<BYTE>(std::min(std::max(nAlpha, 0), 255)), LWA_ALPHA);
}

BOOL CTkPopupControl::ApplyCurrentState(BOOL bForce)
{
    if (!m_hWnd)
        return FALSE;
    const CRect& rc = m_animation.m_rcCurrent;
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    // While the mouse is over the popup it stays opaque.
    if (!m_bHovered && (bForce || m_animation.m_nCurrentAlpha != m_animation.m_nTargetAlpha))
        SetLayeredAlpha(m_animation.m_nCurrentAlpha);
    return ::UpdateWindow(m_hWnd);
}

BOOL CTkPopupControl::OnEraseBkgnd(CDC*)
{
    return TRUE; // everything is painted in one BitBlt
}

int CTkPopupControl::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE; // a tip never takes the focus from what the user is doing
}

int CTkPopupControl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return 0;
}

void CTkPopupControl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (!m_rgnWindow.GetSafeHandle())
        m_rgnWindow.CreateRectRgn(0, 0, 0, 0);
    // The two top corners are cut by 2 pixels.
    const int w = m_szPopup.cx, h = m_szPopup.cy;
    const POINT pts[6] = {{0, 2}, {2, 0}, {w - 2, 0}, {w, 2}, {w, h}, {0, h}};
    HRGN hRgn = ::CreatePolygonRgn(pts, 6, WINDING);
    if (hRgn && !::SetWindowRgn(m_hWnd, hRgn, TRUE))
        ::DeleteObject(hRgn); // the system owns it only when the call succeeds
}

void CTkPopupControl::OnPaint()
{
    CPaintDC dc(this);
    if (!dc.GetSafeHdc())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CWqMemDC mem(&dc, &rcClient);
    if (!mem.GetSafeHdc())
        return;
    {
        CTkBufferDC dcBuffer(mem.GetSafeHdc(), CRect(0, 0, m_szPopup.cx, m_szPopup.cy));
        if (m_pPaintManager)
            m_pPaintManager->DrawBackground(&dcBuffer, CRect(0, 0, m_szPopup.cx, m_szPopup.cy));
        for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i)
            m_arrItems[i]->Draw(&dcBuffer);
    }
    if (m_rgnWindow.GetSafeHandle() && ::GetWindowRgn(m_hWnd, m_rgnWindow) != ERROR) {
        if (!m_brFrame.GetSafeHandle())
            m_brFrame.CreateSolidBrush(RGB(122, 122, 122));
        ::FrameRgn(mem.GetSafeHdc(), m_rgnWindow, m_brFrame, 1, 1);
    }
}

void CTkPopupControl::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kTimerExpanding:
    case kTimerCollapsing: {
        // A tick left over from a run that has already ended or turned round is ignored.
        const int nExpected = nIDEvent == kTimerExpanding ? kStateExpanding : kStateCollapsing;
        if (m_nState != nExpected)
            return;
        const BOOL bEnded = m_animation.Step();
        ApplyCurrentState(FALSE);
        if (bEnded) {
            KillTimer(nIDEvent);
            if (nIDEvent == kTimerExpanding)
                OnShown();
            else
                Close();
        }
        return;
    }
    case kTimerShowDelay:
        // While the mouse rests on the popup it stays; the test repeats after each delay.
        if (m_nState == kStateShown && !m_bHovered) {
            KillTimer(kTimerShowDelay);
            Collapse();
        }
        return;
    default:
        CWnd::OnTimer(nIDEvent);
    }
}

void CTkPopupControl::OnMouseMove(UINT nFlags, CPoint point)
{
    HandleMouseMove(point);
    CWnd::OnMouseMove(nFlags, point);
}

void CTkPopupControl::HandleMouseMove(CPoint point)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    if (!rcClient.PtInRect(point) && !m_pPressedItem) {
        if (m_bHovered) {
            m_bHovered = FALSE;
            SetLayeredAlpha(m_nTransparency);
        }
    } else {
        if (!m_bHovered) {
            m_bHovered = TRUE;
            SetLayeredAlpha(255);
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&tme);
        }
        if (m_nState == kStateCollapsing) {
            KillTimer(kTimerCollapsing);
            if (m_nAnimation != kAnimationFade)
                Expand(FALSE);
            else
                OnShown();
        }
    }

    CTkPopupItem* pHit = HitTest(point);
    if (pHit != m_pHotItem) {
        // While an item is held down, no other item lights up.
        m_pHotItem = (m_pPressedItem && pHit && pHit != m_pPressedItem) ? nullptr : pHit;
        RedrawControl();
    }
}

void CTkPopupControl::OnMouseLeave()
{
    HandleMouseMove(CPoint(-1, -1));
    CWnd::OnMouseLeave();
}

BOOL CTkPopupControl::StartsDrag(CTkPopupItem* pItem) const
{
    if (!pItem)
        return TRUE;
    return !pItem->m_bButton && pItem->m_nID == 0 && (pItem->m_strCaption.IsEmpty() || !pItem->m_bHyperLink);
}

void CTkPopupControl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTkPopupItem* pItem = HitTest(point);
    if (m_bAllowMove && StartsDrag(pItem)) {
        RunMoveLoop();
        return;
    }
    if (pItem) {
        m_pPressedItem = pItem;
        SetCapture();
        RedrawControl();
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CTkPopupControl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (CTkPopupItem* pPressed = m_pPressedItem) {
        m_pPressedItem = nullptr;
        ReleaseCapture();
        if (pPressed == m_pHotItem)
            OnClick(pPressed); // the owner may close the popup or replace its items here
        else
            HandleMouseMove(point);
        if (!m_hWnd)
            return;
        RedrawControl();
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CTkPopupControl::OnCaptureChanged(CWnd* pWnd)
{
    if (m_pPressedItem) {
        m_pPressedItem = nullptr;
        RedrawControl();
    }
    CWnd::OnCaptureChanged(pWnd);
}

void CTkPopupControl::RunMoveLoop()
{
    SetCapture();
    POINT ptStart = {};
    ::GetCursorPos(&ptStart);
    CRect rcStart;
    GetWindowRect(&rcStart);

    while (m_hWnd && ::GetCapture() == m_hWnd) {
        MSG msg;
        // Keep the window painted while it moves.
        while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessageW(&msg);
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            POINT pt = {};
            ::GetCursorPos(&pt);
            CRect rc = rcStart;
            rc.OffsetRect(pt.x - ptStart.x, pt.y - ptStart.y);
            const CRect rcWork = CTkDrawHelpers::GetWorkAreaAtCursor();
            if (rc.left < rcWork.left)
                rc.OffsetRect(rcWork.left - rc.left, 0);
            if (rc.top < rcWork.top)
                rc.OffsetRect(0, rcWork.top - rc.top);
            if (rc.right > rcWork.right)
                rc.OffsetRect(rcWork.right - rc.right, 0);
            if (rc.bottom > rcWork.bottom)
                rc.OffsetRect(0, rcWork.bottom - rc.bottom);
            ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ReleaseCapture();
    if (!m_hWnd)
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_animation.m_rcCurrent = rcWindow;
    m_animation.m_rcTarget = rcWindow;
    m_ptPopup = CPoint(rcWindow.right, rcWindow.bottom);
}
