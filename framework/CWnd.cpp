#include "framework/CWnd.h"
#include "framework/CDataExchange.h"
#include "framework/CException.h"
#include "framework/CFont.h"
#include "framework/CMenu.h"
#include "framework/CRgn.h"
#include "framework/CWinThread.h"
#include "framework/HandleMap.h"
#include "framework/ModuleState.h"
#include <mutex>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

// The one window procedure of every framework window, and the creation hook that ties a window
// to its object from its first message on.
LRESULT CALLBACK WndProcThunk(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CreationHook(int nCode, WPARAM wParam, LPARAM lParam);

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;
const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;

namespace {

// The special insert-after handles are not real windows, so the four objects above get them
// here rather than through Attach (which would put them in the handle map).
struct InsertAfterHandles {
    InsertAfterHandles()
    {
        const_cast<CWnd&>(CWnd::wndTop).m_hWnd = HWND_TOP;
        const_cast<CWnd&>(CWnd::wndBottom).m_hWnd = HWND_BOTTOM;
        const_cast<CWnd&>(CWnd::wndTopMost).m_hWnd = HWND_TOPMOST;
        const_cast<CWnd&>(CWnd::wndNoTopMost).m_hWnd = HWND_NOTOPMOST;
    }
} s_insertAfterHandles;

// The window procedure a subclassed window had, also kept on the window itself: should the
// object let go of the window without restoring it (someone subclassed on top of us), the
// thunk can still pass messages on instead of cutting the chain.
const wchar_t kSuperProcProp[] = L"Korvel.SuperProc";

// The object whose window the current CreateWindowEx call is making (creation hook).
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hHookCreate = nullptr;
// The message the calling thread's window procedure is handling (for Default()).
thread_local MSG t_msgCur = {};

HINSTANCE FrameworkModule()
{
    HMODULE h = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&FrameworkModule), &h);
    return h;
}

} // namespace

thread_local CWnd::CCreationScope* CWnd::s_pCreating = nullptr;

void CWnd::HookWindowCreate(CWnd* pWnd)
{
    if (!t_hHookCreate)
        t_hHookCreate = ::SetWindowsHookExW(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
    t_pWndInit = pWnd;
}

CWnd::CCreationScope::CCreationScope(CWnd* pWnd) : m_pWnd(pWnd), m_pOuter(s_pCreating)
{
    s_pCreating = this;
}

CWnd::CCreationScope::~CCreationScope()
{
    s_pCreating = m_pOuter;
}

void CWnd::UnhookWindowCreate()
{
    if (t_hHookCreate) {
        ::UnhookWindowsHookEx(t_hHookCreate);
        t_hHookCreate = nullptr;
    }
    t_pWndInit = nullptr;
}

LRESULT CALLBACK CreationHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pWndInit) {
        // Only the first window of the call is ours: a dialog's controls come after it.
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        pWnd->AttachAndSubclass(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK WndProcThunk(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) {
        auto super = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kSuperProcProp));
        return super ? ::CallWindowProcW(super, hWnd, message, wParam, lParam)
                     : ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
    const MSG saved = t_msgCur;
    t_msgCur = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    // A handler's failure must not unwind into the system's code that called us.
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->FinishNcDestroy();
    t_msgCur = saved;
    return result;
}

// ---------------------------------------------------------------------------------------------
// Handle map

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        HWND hWnd = m_hWnd;
        // Untie first: the messages of the destruction must not reach an object whose derived
        // parts are already gone.
        Detach();
        ::DestroyWindow(hWnd);
    }
}

HWND __attribute__((optimize("no-delete-null-pointer-checks"))) CWnd::GetSafeHwnd() const
{
    return this ? m_hWnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return AfxFromHandle<CWnd>(
        AfxHandleKind::Window, hWnd, [](CWnd* p, HWND h) { p->m_hWnd = h; }, [](CWnd* p) { p->m_hWnd = nullptr; });
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return dynamic_cast<CWnd*>(AfxLookupPermanentHandle(AfxHandleKind::Window, hWnd));
}

void CWnd::DeleteTempMap()
{
    AfxDeleteTempMaps();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew))
        return FALSE;
    m_hWnd = hWndNew;
    AfxMapPermanentHandle(AfxHandleKind::Window, hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return nullptr;
    if (m_pfnSuper) {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == WndProcThunk) {
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
            ::RemovePropW(hWnd, kSuperProcProp);
        }
        m_pfnSuper = nullptr;
    }
    AfxUnmapPermanentHandle(AfxHandleKind::Window, hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::AttachAndSubclass(HWND hWnd)
{
    m_hWnd = hWnd;
    AfxMapPermanentHandle(AfxHandleKind::Window, hWnd, this);
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (old != WndProcThunk) {
        m_pfnSuper = old;
        ::SetPropW(hWnd, kSuperProcProp, reinterpret_cast<HANDLE>(old));
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProcThunk));
    }
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || m_hWnd || FromHandlePermanent(hWnd))
        return FALSE;
    AttachAndSubclass(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd || !m_pfnSuper)
        return nullptr;
    return Detach();
}

void CWnd::FinishNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    const bool bMainWnd = pThread && pThread->m_pMainWnd == this;
    bool bCreating = false;
    for (CCreationScope* pScope = s_pCreating; pScope && !bCreating; pScope = pScope->m_pOuter)
        bCreating = pScope->m_pWnd == this;
    Detach();
    // The main window going away ends the thread's message loop.
    if (bMainWnd) {
        pThread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    // A window that dies inside its own Create: that Create answers FALSE and the object stays
    // with its caller.
    if (!bCreating)
        PostNcDestroy();
}

// ---------------------------------------------------------------------------------------------
// Creation

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex s_lock;
    static auto* s_names = new std::set<std::wstring>; // the texts must outlive every window
    wchar_t name[96];
    ::wsprintfW(name, L"KorvelWnd:%x:%p:%p:%p", nClassStyle, hCursor, hbrBackground, hIcon);
    std::lock_guard<std::mutex> guard(s_lock);
    auto it = s_names->find(name);
    if (it != s_names->end())
        return it->c_str();
    WNDCLASSW wc = {};
    // Global, so that CreateWindowEx finds it whichever module's instance the caller names.
    wc.style = nClassStyle | CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProcW; // the creation hook puts the thunk in front
    wc.hInstance = FrameworkModule();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!::RegisterClassW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return s_names->insert(name).first->c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
        if (!cs.lpszClass)
            return FALSE;
    }
    return TRUE;
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

// The one place where the framework creates a window.
BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
        return FALSE;

    CCreationScope creating(this);
    HookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    UnhookWindowCreate();
    if (!hWnd) {
        // Creation refused (OnCreate answered -1, bad class...): forget a half-made tie.
        if (m_hWnd && !::IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    if (!m_hWnd)
        AttachAndSubclass(hWnd); // the hook did not run (should not happen): tie it now
    return m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

void CWnd::PreSubclassWindow() {}

void CWnd::DoDataExchange(CDataExchange*) {}

// ---------------------------------------------------------------------------------------------
// Dispatch

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam))
            return 0;
    } else if (message == WM_NOTIFY) {
        if (OnNotify(wParam, lParam, &result))
            return result;
    } else if (OnWndMsg(message, wParam, lParam, &result)) {
        return result;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (!m_hWnd || !t_msgCur.hwnd)
        return 0;
    return DefWindowProc(t_msgCur.message, t_msgCur.wParam, t_msgCur.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_msgCur;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl && hWndCtrl != m_hWnd) {
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        LRESULT result = 0;
        if (pChild && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &result))
            return TRUE;
    }
    LRESULT result = 0;
    return OnWndMsg(WM_COMMAND, wParam, lParam, &result);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (!pNMHDR)
        return FALSE;
    if (pNMHDR->hwndFrom && pNMHDR->hwndFrom != m_hWnd) {
        CWnd* pChild = FromHandlePermanent(pNMHDR->hwndFrom);
        if (pChild && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
            return TRUE;
    }
    return OnWndMsg(WM_NOTIFY, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL: {
        LRESULT local = 0;
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult ? pResult : &local);
    }
    default:
        return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    LRESULT local = 0;
    return pChild->OnChildNotify(t_msgCur.message, t_msgCur.wParam, t_msgCur.lParam, pResult ? pResult : &local);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Child notifications that no map took are offered to the control that sent them.
    HWND hWndChild = nullptr;
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        hWndChild = reinterpret_cast<HWND>(lParam);
        break;
    case WM_DRAWITEM: {
        auto* p = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (p && p->CtlType != ODT_MENU)
            hWndChild = p->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* p = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (p && p->CtlType != ODT_MENU)
            hWndChild = ::GetDlgItem(m_hWnd, static_cast<int>(p->CtlID));
        break;
    }
    case WM_COMPAREITEM: {
        auto* p = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam);
        if (p)
            hWndChild = p->hwndItem;
        break;
    }
    case WM_DELETEITEM: {
        auto* p = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam);
        if (p)
            hWndChild = p->hwndItem;
        break;
    }
    default:
        return CCmdTarget::OnWndMsg(message, wParam, lParam, pResult);
    }
    if (!hWndChild || hWndChild == m_hWnd)
        return FALSE;
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendNotifyMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        ::SendMessageW(hChild, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hChild)) {
            CWnd* pChild = FromHandle(hChild);
            pChild->SendMessageToDescendants(message, wParam, lParam, bDeep);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Modal loop and data exchange

int CWnd::RunModalLoop(DWORD dwFlags)
{
    m_bContinueModal = TRUE;
    return RunModalLoopBody(dwFlags);
}

int CWnd::RunModalLoopBody(DWORD dwFlags)
{
    HWND hWndSelf = m_hWnd;
    bool bShown = (GetStyle() & WS_VISIBLE) != 0;
    while (ContinueModal()) {
        MSG msg;
        if (!bShown && (dwFlags & MLF_SHOWONIDLE) && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ShowWindow(SW_SHOWNORMAL);
            UpdateWindow();
            bShown = true;
        }
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // The outer loop must see the quit request too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (::IsWindow(hWndSelf))
                m_nModalResult = -1;
            return -1;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        // A handler may have destroyed the window and with it this object.
        if (!::IsWindow(hWndSelf))
            return -1;
    }
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return m_bContinueModal;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_bContinueModal) {
        m_bContinueModal = FALSE;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wake the loop up
    }
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return !dx.m_bFailed;
}

// ---------------------------------------------------------------------------------------------
// Base message handlers: the default processing of the message being handled.

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnEnterSizeMove() { Default(); }
void CWnd::OnExitSizeMove() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseLeave() { Default(); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result = 0;
    if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU &&
        ReflectLastMsg(::GetDlgItem(m_hWnd, static_cast<int>(lpMeasureItemStruct->CtlID))))
        return;
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT result = 0;
    if (lpCompareItemStruct && ReflectLastMsg(lpCompareItemStruct->hwndItem, &result))
        return static_cast<int>(result);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (lpDeleteItemStruct && ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
void CWnd::OnHotKey(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnPowerBroadcast(UINT, LPARAM) { return static_cast<UINT>(Default()); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
void CWnd::OnEndSession(BOOL) { Default(); }
void CWnd::OnSettingChange(UINT, LPCWSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnTimeChange() { Default(); }
