#pragma once
// Message maps. A class declares DECLARE_MESSAGE_MAP() in its body and writes, in one source file:
//
//     BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//         ON_WM_SIZE()
//         ON_WM_TIMER()
//         ON_BN_CLICKED(IDC_SEND, &CMyDlg::OnSend)
//         ON_MESSAGE(WM_USER + 823, &CMyDlg::OnStartLogin)
//         ON_NOTIFY(NM_DBLCLK, IDC_LIST, &CMyDlg::OnListDblClk)
//     END_MESSAGE_MAP()
//
// The map expands into one function, CMyDlg::OnWndMsg: an ordered chain of tests, the first
// entry that matches calls its handler and answers TRUE; when none does, the base class's map
// is asked (and, at the root, CWnd reflects child notifications). The ON_WM_* entries call the
// handler of the fixed name given in the comment above each (declare it in the class with that
// signature; CWnd has a base version of each that does the default processing). Entries that
// take a handler take a pointer to member, written &CMyClass::OnSomething.
//
// WM_COMMAND and WM_NOTIFY reach the map through CWnd::OnCommand and CWnd::OnNotify, after the
// control that sent them was offered the reflected notification (ON_..._REFLECT entries in the
// control's own map).
#include "framework/Platform.h"
#include "framework/CPoint.h"

// The client or screen point packed into a mouse message's lParam (signed coordinates).
inline CPoint AfxPointFromLParam(LPARAM lParam)
{
    return CPoint(static_cast<int>(static_cast<short>(LOWORD(lParam))),
                  static_cast<int>(static_cast<short>(HIWORD(lParam))));
}

#define DECLARE_MESSAGE_MAP()                                                                    \
public:                                                                                          \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;       \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                   \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)       \
    {                                                                                            \
        using ThisClass [[maybe_unused]] = theClass;                                             \
        using TheBaseClass = baseClass;                                                          \
        (void)wParam;                                                                            \
        (void)lParam;

#define END_MESSAGE_MAP()                                                                        \
        return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult);                         \
    }

// Internal: one entry that runs `call` and answers `result`.
#define KORVEL_MSG_ENTRY(msg, call, result)                                                      \
    if (message == static_cast<UINT>(msg)) {                                                     \
        call;                                                                                    \
        *pResult = static_cast<LRESULT>(result);                                                 \
        return TRUE;                                                                             \
    }
#define KORVEL_MSG_ENTRY_R(msg, expr)                                                            \
    if (message == static_cast<UINT>(msg)) {                                                     \
        *pResult = (LRESULT)(expr);                                                              \
        return TRUE;                                                                             \
    }

// ---------------------------------------------------------------------------------------------
// Window messages

// int OnCreate(LPCREATESTRUCT lpCreateStruct)   (-1 stops the creation)
#define ON_WM_CREATE() KORVEL_MSG_ENTRY_R(WM_CREATE, OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
// void OnDestroy()
#define ON_WM_DESTROY() KORVEL_MSG_ENTRY(WM_DESTROY, OnDestroy(), 0)
// void OnNcDestroy()
#define ON_WM_NCDESTROY() KORVEL_MSG_ENTRY(WM_NCDESTROY, OnNcDestroy(), 0)
// void OnClose()
#define ON_WM_CLOSE() KORVEL_MSG_ENTRY(WM_CLOSE, OnClose(), 0)
// void OnSize(UINT nType, int cx, int cy)
#define ON_WM_SIZE() KORVEL_MSG_ENTRY(WM_SIZE, OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)), 0)
// void OnSizing(UINT fwSide, LPRECT pRect)
#define ON_WM_SIZING() KORVEL_MSG_ENTRY(WM_SIZING, OnSizing(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam)), TRUE)
// void OnMove(int x, int y)
#define ON_WM_MOVE() KORVEL_MSG_ENTRY(WM_MOVE, OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))), 0)
// void OnMoving(UINT fwSide, LPRECT pRect)
#define ON_WM_MOVING() KORVEL_MSG_ENTRY(WM_MOVING, OnMoving(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam)), TRUE)
// void OnEnterSizeMove()
#define ON_WM_ENTERSIZEMOVE() KORVEL_MSG_ENTRY(WM_ENTERSIZEMOVE, OnEnterSizeMove(), 0)
// void OnExitSizeMove()
#define ON_WM_EXITSIZEMOVE() KORVEL_MSG_ENTRY(WM_EXITSIZEMOVE, OnExitSizeMove(), 0)
// void OnPaint()
#define ON_WM_PAINT() KORVEL_MSG_ENTRY(WM_PAINT, OnPaint(), 0)
// void OnNcPaint()
#define ON_WM_NCPAINT() KORVEL_MSG_ENTRY(WM_NCPAINT, OnNcPaint(), 0)
// BOOL OnEraseBkgnd(CDC* pDC)   (TRUE = background erased)
#define ON_WM_ERASEBKGND() KORVEL_MSG_ENTRY_R(WM_ERASEBKGND, OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))))
// void OnTimer(UINT_PTR nIDEvent)
#define ON_WM_TIMER() KORVEL_MSG_ENTRY(WM_TIMER, OnTimer(static_cast<UINT_PTR>(wParam)), 0)
// void OnLButtonDown(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDOWN() KORVEL_MSG_ENTRY(WM_LBUTTONDOWN, OnLButtonDown(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnLButtonUp(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONUP() KORVEL_MSG_ENTRY(WM_LBUTTONUP, OnLButtonUp(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnLButtonDblClk(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDBLCLK() KORVEL_MSG_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnRButtonDown(UINT nFlags, CPoint point)
#define ON_WM_RBUTTONDOWN() KORVEL_MSG_ENTRY(WM_RBUTTONDOWN, OnRButtonDown(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnRButtonUp(UINT nFlags, CPoint point)
#define ON_WM_RBUTTONUP() KORVEL_MSG_ENTRY(WM_RBUTTONUP, OnRButtonUp(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnRButtonDblClk(UINT nFlags, CPoint point)
#define ON_WM_RBUTTONDBLCLK() KORVEL_MSG_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnMButtonDown(UINT nFlags, CPoint point)
#define ON_WM_MBUTTONDOWN() KORVEL_MSG_ENTRY(WM_MBUTTONDOWN, OnMButtonDown(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnMButtonUp(UINT nFlags, CPoint point)
#define ON_WM_MBUTTONUP() KORVEL_MSG_ENTRY(WM_MBUTTONUP, OnMButtonUp(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnMouseMove(UINT nFlags, CPoint point)
#define ON_WM_MOUSEMOVE() KORVEL_MSG_ENTRY(WM_MOUSEMOVE, OnMouseMove(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)   (pt in screen coordinates)
#define ON_WM_MOUSEWHEEL() KORVEL_MSG_ENTRY_R(WM_MOUSEWHEEL, OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), AfxPointFromLParam(lParam)))
// void OnMouseHover(UINT nFlags, CPoint point)
#define ON_WM_MOUSEHOVER() KORVEL_MSG_ENTRY(WM_MOUSEHOVER, OnMouseHover(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnMouseLeave()
#define ON_WM_MOUSELEAVE() KORVEL_MSG_ENTRY(WM_MOUSELEAVE, OnMouseLeave(), 0)
// int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
#define ON_WM_MOUSEACTIVATE() KORVEL_MSG_ENTRY_R(WM_MOUSEACTIVATE, OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)))
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR() KORVEL_MSG_ENTRY_R(WM_SETCURSOR, OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)))
// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN() KORVEL_MSG_ENTRY(WM_KEYDOWN, OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)), 0)
// void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYUP() KORVEL_MSG_ENTRY(WM_KEYUP, OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)), 0)
// void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_CHAR() KORVEL_MSG_ENTRY(WM_CHAR, OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)), 0)
// void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_SYSKEYDOWN() KORVEL_MSG_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)), 0)
// UINT OnGetDlgCode()
#define ON_WM_GETDLGCODE() KORVEL_MSG_ENTRY_R(WM_GETDLGCODE, OnGetDlgCode())
// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() KORVEL_MSG_ENTRY(WM_SYSCOMMAND, OnSysCommand(static_cast<UINT>(wParam), lParam), 0)
// void OnShowWindow(BOOL bShow, UINT nStatus)
#define ON_WM_SHOWWINDOW() KORVEL_MSG_ENTRY(WM_SHOWWINDOW, OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)), 0)
// void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
#define ON_WM_ACTIVATE() KORVEL_MSG_ENTRY(WM_ACTIVATE, OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam)), 0)
// void OnActivateApp(BOOL bActive, DWORD dwThreadID)
#define ON_WM_ACTIVATEAPP() KORVEL_MSG_ENTRY(WM_ACTIVATEAPP, OnActivateApp(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam)), 0)
// void OnEnable(BOOL bEnable)
#define ON_WM_ENABLE() KORVEL_MSG_ENTRY(WM_ENABLE, OnEnable(static_cast<BOOL>(wParam)), 0)
// LRESULT OnNcHitTest(CPoint point)   (point in screen coordinates; answer an HT* code)
#define ON_WM_NCHITTEST() KORVEL_MSG_ENTRY_R(WM_NCHITTEST, OnNcHitTest(AfxPointFromLParam(lParam)))
// BOOL OnNcActivate(BOOL bActive)
#define ON_WM_NCACTIVATE() KORVEL_MSG_ENTRY_R(WM_NCACTIVATE, OnNcActivate(static_cast<BOOL>(wParam)))
// void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
#define ON_WM_NCCALCSIZE() KORVEL_MSG_ENTRY(WM_NCCALCSIZE, OnNcCalcSize(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)), 0)
// void OnNcLButtonDown(UINT nHitTest, CPoint point)
#define ON_WM_NCLBUTTONDOWN() KORVEL_MSG_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnNcLButtonUp(UINT nHitTest, CPoint point)
#define ON_WM_NCLBUTTONUP() KORVEL_MSG_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnNcLButtonDblClk(UINT nHitTest, CPoint point)
#define ON_WM_NCLBUTTONDBLCLK() KORVEL_MSG_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnNcRButtonDown(UINT nHitTest, CPoint point)
#define ON_WM_NCRBUTTONDOWN() KORVEL_MSG_ENTRY(WM_NCRBUTTONDOWN, OnNcRButtonDown(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnNcMouseMove(UINT nHitTest, CPoint point)
#define ON_WM_NCMOUSEMOVE() KORVEL_MSG_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove(static_cast<UINT>(wParam), AfxPointFromLParam(lParam)), 0)
// void OnNcMouseLeave()
#define ON_WM_NCMOUSELEAVE() KORVEL_MSG_ENTRY(WM_NCMOUSELEAVE, OnNcMouseLeave(), 0)
// HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)   (nCtlColor: CTLCOLOR_EDIT, CTLCOLOR_STATIC, ...)
#define ON_WM_CTLCOLOR()                                                                         \
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {                          \
        *pResult = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), \
            CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX));       \
        return TRUE;                                                                             \
    }
// void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
#define ON_WM_DRAWITEM() KORVEL_MSG_ENTRY(WM_DRAWITEM, OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)), TRUE)
// void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
#define ON_WM_MEASUREITEM() KORVEL_MSG_ENTRY(WM_MEASUREITEM, OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)), TRUE)
// int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
#define ON_WM_COMPAREITEM() KORVEL_MSG_ENTRY_R(WM_COMPAREITEM, OnCompareItem(static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)))
// void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct)
#define ON_WM_DELETEITEM() KORVEL_MSG_ENTRY(WM_DELETEITEM, OnDeleteItem(static_cast<int>(wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)), TRUE)
// void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)   (pScrollBar null for the window's own bar)
#define ON_WM_HSCROLL() KORVEL_MSG_ENTRY(WM_HSCROLL, OnHScroll(LOWORD(wParam), HIWORD(wParam), CScrollBar::FromHandle(reinterpret_cast<HWND>(lParam))), 0)
// void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
#define ON_WM_VSCROLL() KORVEL_MSG_ENTRY(WM_VSCROLL, OnVScroll(LOWORD(wParam), HIWORD(wParam), CScrollBar::FromHandle(reinterpret_cast<HWND>(lParam))), 0)
// void OnParentNotify(UINT message, LPARAM lParam)
#define ON_WM_PARENTNOTIFY() KORVEL_MSG_ENTRY(WM_PARENTNOTIFY, OnParentNotify(LOWORD(wParam), lParam), 0)
// void OnGetMinMaxInfo(MINMAXINFO* lpMMI)
#define ON_WM_GETMINMAXINFO() KORVEL_MSG_ENTRY(WM_GETMINMAXINFO, OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)), 0)
// void OnWindowPosChanging(WINDOWPOS* lpwndpos)
#define ON_WM_WINDOWPOSCHANGING() KORVEL_MSG_ENTRY(WM_WINDOWPOSCHANGING, OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)), 0)
// void OnWindowPosChanged(WINDOWPOS* lpwndpos)
#define ON_WM_WINDOWPOSCHANGED() KORVEL_MSG_ENTRY(WM_WINDOWPOSCHANGED, OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)), 0)
// void OnSetFocus(CWnd* pOldWnd)
#define ON_WM_SETFOCUS() KORVEL_MSG_ENTRY(WM_SETFOCUS, OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))), 0)
// void OnKillFocus(CWnd* pNewWnd)
#define ON_WM_KILLFOCUS() KORVEL_MSG_ENTRY(WM_KILLFOCUS, OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))), 0)
// void OnContextMenu(CWnd* pWnd, CPoint pos)   (pos in screen coordinates; -1,-1 from the keyboard)
#define ON_WM_CONTEXTMENU() KORVEL_MSG_ENTRY(WM_CONTEXTMENU, OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), AfxPointFromLParam(lParam)), 0)
// void OnDropFiles(HDROP hDropInfo)
#define ON_WM_DROPFILES() KORVEL_MSG_ENTRY(WM_DROPFILES, OnDropFiles(reinterpret_cast<HDROP>(wParam)), 0)
// BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)
#define ON_WM_COPYDATA() KORVEL_MSG_ENTRY_R(WM_COPYDATA, OnCopyData(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), reinterpret_cast<COPYDATASTRUCT*>(lParam)))
// void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2)   (nKey1: MOD_* flags, nKey2: virtual key)
#define ON_WM_HOTKEY() KORVEL_MSG_ENTRY(WM_HOTKEY, OnHotKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)), 0)
// UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM nEventData)
#define ON_WM_POWERBROADCAST() KORVEL_MSG_ENTRY_R(WM_POWERBROADCAST, OnPowerBroadcast(static_cast<UINT>(wParam), lParam))
// BOOL OnQueryEndSession()
#define ON_WM_QUERYENDSESSION() KORVEL_MSG_ENTRY_R(WM_QUERYENDSESSION, OnQueryEndSession())
// void OnEndSession(BOOL bEnding)
#define ON_WM_ENDSESSION() KORVEL_MSG_ENTRY(WM_ENDSESSION, OnEndSession(static_cast<BOOL>(wParam)), 0)
// void OnSettingChange(UINT uFlags, LPCWSTR lpszSection)
#define ON_WM_SETTINGCHANGE() KORVEL_MSG_ENTRY(WM_SETTINGCHANGE, OnSettingChange(static_cast<UINT>(wParam), reinterpret_cast<LPCWSTR>(lParam)), 0)
// void OnSysColorChange()
#define ON_WM_SYSCOLORCHANGE() KORVEL_MSG_ENTRY(WM_SYSCOLORCHANGE, OnSysColorChange(), 0)
// void OnCaptureChanged(CWnd* pWnd)   (pWnd: the window gaining the capture)
#define ON_WM_CAPTURECHANGED() KORVEL_MSG_ENTRY(WM_CAPTURECHANGED, OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))), 0)
// void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
#define ON_WM_MENUSELECT() KORVEL_MSG_ENTRY(WM_MENUSELECT, OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)), 0)
// void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)   (include framework/CMenu.h)
#define ON_WM_INITMENUPOPUP() KORVEL_MSG_ENTRY(WM_INITMENUPOPUP, OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam)), 0)
// void OnTimeChange()
#define ON_WM_TIMECHANGE() KORVEL_MSG_ENTRY(WM_TIMECHANGE, OnTimeChange(), 0)

// ---------------------------------------------------------------------------------------------
// Any message by number

// LRESULT OnMyMessage(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(msg, memberFxn)                                                               \
    KORVEL_MSG_ENTRY_R(msg, (this->*static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(memberFxn))(wParam, lParam))
// As ON_MESSAGE for a number kept in a variable (RegisterWindowMessage); 0 never matches.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                       \
    if ((nMessageVariable) != 0 && message == static_cast<UINT>(nMessageVariable)) {             \
        *pResult = (this->*static_cast<LRESULT (ThisClass::*)(WPARAM, LPARAM)>(memberFxn))(wParam, lParam); \
        return TRUE;                                                                             \
    }

// ---------------------------------------------------------------------------------------------
// Commands (menus, accelerators, buttons) and control notifications by WM_COMMAND

// void OnCommand()   for a menu item, accelerator or button click with this id
#define ON_COMMAND(id, memberFxn)                                                                \
    if (message == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id) &&                      \
        (HIWORD(wParam) == 0 || (HIWORD(wParam) == 1 && lParam == 0))) {                         \
        (this->*static_cast<void (ThisClass::*)()>(memberFxn))();                                \
        *pResult = 0;                                                                            \
        return TRUE;                                                                             \
    }
// BOOL OnCommandEx(UINT nID)   FALSE lets later entries and the base class see the command
#define ON_COMMAND_EX(id, memberFxn)                                                             \
    if (message == WM_COMMAND && LOWORD(wParam) == static_cast<WORD>(id) &&                      \
        (HIWORD(wParam) == 0 || (HIWORD(wParam) == 1 && lParam == 0)) &&                         \
        (this->*static_cast<BOOL (ThisClass::*)(UINT)>(memberFxn))(LOWORD(wParam))) {            \
        *pResult = 0;                                                                            \
        return TRUE;                                                                             \
    }
// void OnCommandRange(UINT nID)   for ids idFirst..idLast
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                             \
    if (message == WM_COMMAND && LOWORD(wParam) >= static_cast<WORD>(idFirst) &&                 \
        LOWORD(wParam) <= static_cast<WORD>(idLast) &&                                           \
        (HIWORD(wParam) == 0 || (HIWORD(wParam) == 1 && lParam == 0))) {                         \
        (this->*static_cast<void (ThisClass::*)(UINT)>(memberFxn))(LOWORD(wParam));              \
        *pResult = 0;                                                                            \
        return TRUE;                                                                             \
    }
// Menu and toolbar state updates are not routed by this framework; the entry is accepted and
// does nothing, so maps written for idle-time updates still build.
#define ON_UPDATE_COMMAND_UI(id, memberFxn)
#define ON_UPDATE_COMMAND_UI_RANGE(idFirst, idLast, memberFxn)

// void OnNotification()   for notification code `wNotifyCode` from control `id`
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                   \
    if (message == WM_COMMAND && HIWORD(wParam) == static_cast<WORD>(wNotifyCode) &&             \
        LOWORD(wParam) == static_cast<WORD>(id)) {                                               \
        (this->*static_cast<void (ThisClass::*)()>(memberFxn))();                                \
        *pResult = 0;                                                                            \
        return TRUE;                                                                             \
    }
// void OnNotificationRange(UINT nID)   for controls idFirst..idLast
#define ON_CONTROL_RANGE(wNotifyCode, idFirst, idLast, memberFxn)                                \
    if (message == WM_COMMAND && HIWORD(wParam) == static_cast<WORD>(wNotifyCode) &&             \
        LOWORD(wParam) >= static_cast<WORD>(idFirst) && LOWORD(wParam) <= static_cast<WORD>(idLast)) { \
        (this->*static_cast<void (ThisClass::*)(UINT)>(memberFxn))(LOWORD(wParam));              \
        *pResult = 0;                                                                            \
        return TRUE;                                                                             \
    }
// void OnX()   for each of these notifications of control `id`
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// ---------------------------------------------------------------------------------------------
// WM_NOTIFY

// void OnNotify(NMHDR* pNMHDR, LRESULT* pResult)   for code `wNotifyCode` from control `id`
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                    \
    if (message == WM_NOTIFY && lParam != 0 &&                                                   \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(wNotifyCode) &&              \
        reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id)) {                 \
        *pResult = 0;                                                                            \
        (this->*static_cast<void (ThisClass::*)(NMHDR*, LRESULT*)>(memberFxn))(reinterpret_cast<NMHDR*>(lParam), pResult); \
        return TRUE;                                                                             \
    }
// void OnNotifyRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)   for controls idFirst..idLast
#define ON_NOTIFY_RANGE(wNotifyCode, idFirst, idLast, memberFxn)                                 \
    if (message == WM_NOTIFY && lParam != 0 &&                                                   \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(wNotifyCode) &&              \
        reinterpret_cast<NMHDR*>(lParam)->idFrom >= static_cast<UINT_PTR>(idFirst) &&            \
        reinterpret_cast<NMHDR*>(lParam)->idFrom <= static_cast<UINT_PTR>(idLast)) {             \
        *pResult = 0;                                                                            \
        (this->*static_cast<void (ThisClass::*)(UINT, NMHDR*, LRESULT*)>(memberFxn))(            \
            static_cast<UINT>(reinterpret_cast<NMHDR*>(lParam)->idFrom), reinterpret_cast<NMHDR*>(lParam), pResult); \
        return TRUE;                                                                             \
    }
// BOOL OnNotifyEx(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)   FALSE lets later entries see it
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                 \
    if (message == WM_NOTIFY && lParam != 0 &&                                                   \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(wNotifyCode) &&              \
        reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id) &&                 \
        (this->*static_cast<BOOL (ThisClass::*)(UINT, NMHDR*, LRESULT*)>(memberFxn))(            \
            static_cast<UINT>(id), reinterpret_cast<NMHDR*>(lParam), pResult)) {                 \
        return TRUE;                                                                             \
    }

// ---------------------------------------------------------------------------------------------
// Reflected notifications, in the control's own map

// void OnReflectedNotify(NMHDR* pNMHDR, LRESULT* pResult)   the parent does not see it
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                \
    if (message == WM_REFLECT_BASE + WM_NOTIFY && lParam != 0 &&                                 \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(wNotifyCode)) {              \
        *pResult = 0;                                                                            \
        (this->*static_cast<void (ThisClass::*)(NMHDR*, LRESULT*)>(memberFxn))(reinterpret_cast<NMHDR*>(lParam), pResult); \
        return TRUE;                                                                             \
    }
// BOOL OnReflectedNotifyEx(NMHDR* pNMHDR, LRESULT* pResult)   FALSE lets the parent see it too
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                             \
    if (message == WM_REFLECT_BASE + WM_NOTIFY && lParam != 0 &&                                 \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(wNotifyCode) &&              \
        (this->*static_cast<BOOL (ThisClass::*)(NMHDR*, LRESULT*)>(memberFxn))(reinterpret_cast<NMHDR*>(lParam), pResult)) { \
        return TRUE;                                                                             \
    }
// void OnReflectedCommand()   the parent does not see it
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                               \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == static_cast<WORD>(wNotifyCode)) { \
        (this->*static_cast<void (ThisClass::*)()>(memberFxn))();                                \
        *pResult = 0;                                                                            \
        return TRUE;                                                                             \
    }
// BOOL OnReflectedCommandEx()   FALSE lets the parent see it too
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                            \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == static_cast<WORD>(wNotifyCode) && \
        (this->*static_cast<BOOL (ThisClass::*)()>(memberFxn))()) {                              \
        *pResult = 0;                                                                            \
        return TRUE;                                                                             \
    }
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)   a null brush leaves the colours to the parent
#define ON_WM_CTLCOLOR_REFLECT()                                                                 \
    if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) { \
        HBRUSH hbrReflect_ = CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),            \
                                      message - (WM_REFLECT_BASE + WM_CTLCOLORMSGBOX));          \
        if (hbrReflect_) {                                                                       \
            *pResult = reinterpret_cast<LRESULT>(hbrReflect_);                                   \
            return TRUE;                                                                         \
        }                                                                                        \
    }
// void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
#define ON_WM_DRAWITEM_REFLECT() KORVEL_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)), TRUE)
// void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
#define ON_WM_MEASUREITEM_REFLECT() KORVEL_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)), TRUE)
// void HScroll(UINT nSBCode, UINT nPos)
#define ON_WM_HSCROLL_REFLECT() KORVEL_MSG_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, HScroll(LOWORD(wParam), HIWORD(wParam)), 0)
// void VScroll(UINT nSBCode, UINT nPos)
#define ON_WM_VSCROLL_REFLECT() KORVEL_MSG_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, VScroll(LOWORD(wParam), HIWORD(wParam)), 0)
