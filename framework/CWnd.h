#pragma once
// CWnd: the framework's window object, a thin wrapper over one HWND.
//
// Dispatch: every window the framework creates or subclasses runs one window procedure
// (CWnd.cpp, WndProcThunk). It finds the CWnd of the HWND in the permanent handle map and calls
// the virtual WindowProc, which routes WM_COMMAND through OnCommand, WM_NOTIFY through OnNotify
// and every other message through OnWndMsg, the function that BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP
// expands into (see MessageMap.h). What no map takes goes to DefWindowProc: the window's original
// procedure when it was subclassed, otherwise ::DefWindowProcW.
//
// Objects are tied to their window before its first message: Create/CreateEx (and the dialog
// creation of CDialog) install a creation hook (WH_CBT) for the one system call that makes the
// window, so that system-class controls and dialogs reach their map from WM_GETMINMAXINFO /
// WM_NCCREATE on, and the lpParam of CreateEx stays the caller's own. Dialogs also carry the
// object in the WM_INITDIALOG lParam, used should the hook have missed the window.
//
// Lifetime: at WM_NCDESTROY the window procedure restores the original procedure, clears
// m_hWnd and the map entry, and only then calls PostNcDestroy, which may delete the object.
// A window destroyed before its Create returns (OnCreate refused, a dialog control could not be
// made) gets no PostNcDestroy: Create answers FALSE and the object stays with the caller of
// Create, who alone deletes it. A self-deleting object would otherwise be gone while Create still
// ran, and its creator, told FALSE, would delete it a second time.
// No exception ever leaves the window procedure.
#include "framework/CCmdTarget.h"
#include "framework/CDC.h"
#include "framework/CPoint.h"
#include "framework/CRect.h"
#include "framework/CString.h"

class CFont;
class CMenu;
class CScrollBar;
class CDataExchange;
struct CCreateContext;

// Handler functions in message maps are marked afx_msg for the reader; it means nothing to the compiler.
#ifndef afx_msg
#define afx_msg
#endif

// A notification that the parent sends back to the child control that raised it carries the
// original message number plus WM_REFLECT_BASE (above every message a control uses itself).
#define WM_REFLECT_BASE 0xBC00

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    // Destroys a window still attached to the object (after restoring its original procedure,
    // so no message reaches a half-destroyed object); a detached or temporary CWnd leaves its
    // window alone.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

// Attributes
    HWND m_hWnd = nullptr;
    // The procedure the window had before it was subclassed, which DefWindowProc calls.
    WNDPROC m_pfnSuper = nullptr;

    // Safe to call through a null pointer: GetDlgItem(n)->GetSafeHwnd() is a common idiom.
    HWND GetSafeHwnd() const;
    operator HWND() const { return m_hWnd; }
    bool operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    bool operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // Special insert-after windows for SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

// Handle map
    // The object that owns hWnd, or a temporary CWnd that lives until the message loop next
    // goes idle (AfxDeleteTempMaps); nullptr for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The owning object only; nullptr for a window no CWnd owns.
    static CWnd* FromHandlePermanent(HWND hWnd);
    static void DeleteTempMap();

    // Ties the object to an existing window without subclassing it: FromHandle answers this
    // object, but messages still go to the window's own procedure (so the object does not
    // learn of the window's destruction: Detach before the window goes). FALSE for a null
    // handle, a window that already has an owner, or an object that already holds a window.
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Attaches and routes the window's messages through this object's message map.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window its original procedure back and detaches; nullptr when not subclassed.
    HWND UnsubclassWindow();

// Creation
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // A null class name means the framework's own window class (arrow cursor, no background).
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                          int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

// Overridables
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Gives the window a look at a message before the loop dispatches it; TRUE = consumed.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // WM_COMMAND: offers a control's notification to the control (reflection) first, then to
    // this window's map. TRUE when someone took it.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY, in the same order as OnCommand.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification the parent reflects back to this control; by default it goes through this
    // control's map as WM_REFLECT_BASE + message. TRUE = handled, the parent stops there.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called after the window is gone (m_hWnd already null); the place to delete a heap object.
    virtual void PostNcDestroy();
    // Called before a window is subclassed by SubclassWindow or the creation hook.
    virtual void PreSubclassWindow();
    virtual void DoDataExchange(CDataExchange* pDX);
    // The root map: offers the child-notification messages (colour, owner-draw, scroll) that no
    // derived map took back to the child control that sent them.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

// Message helpers
    // The message being handled on this thread sent on to DefWindowProc.
    LRESULT Default();
    // The message being handled on this thread (hwnd 0 outside a window procedure).
    static const MSG* GetCurrentMessage();
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Sends the current message back to the child hWndChild; TRUE when the child took it.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    // Offers pMsg to PreTranslateMessage of its window and each parent up to hWndStop.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE);

    // Runs a modal message loop until EndModalLoop; answers the code given to it
    // (-1 when WM_QUIT arrived, which is posted again for the outer loop).
    virtual int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // Data exchange with the controls (DoDataExchange); FALSE when a field failed to validate.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

// Geometry
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    // Centres over the owner (or pAlternateOwner), else over the work area, kept on its monitor.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    CWnd* ChildWindowFromPoint(POINT point) const;
    static CWnd* WindowFromPoint(POINT point);

// Styles
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Removes then adds style bits; with nFlags, SetWindowPos(nFlags | frame-changed) follows.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    BOOL SetLayeredWindowAttributes(COLORREF crKey, BYTE bAlpha, DWORD dwFlags);

// Text
    void SetWindowText(LPCWSTR lpszString);
    int GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

// Timers
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

// Focus, capture, activation
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    static BOOL ReleaseCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* GetDesktopWindow();
    void BringWindowToTop();
    BOOL FlashWindow(BOOL bInvert);

// Painting
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);

// Visibility and state
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;

// Dialog items
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    void SetDlgItemText(int nID, LPCWSTR lpszString);
    int GetDlgItemText(int nID, LPWSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    // The child (at any depth) with this control id.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;

// Family
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    // The owner set by SetOwner, else the parent.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    // The top of the parent-and-owner chain (the window itself when it has neither).
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    BOOL IsChild(const CWnd* pWnd) const;

// Properties, icons, fonts, menus, scroll bars
    BOOL SetProp(LPCWSTR lpString, HANDLE hData);
    HANDLE GetProp(LPCWSTR lpString) const;
    HANDLE RemoveProp(LPCWSTR lpString);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void DragAcceptFiles(BOOL bAccept = TRUE);
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = nullptr, UINT nType = MB_OK);

// Message handlers. Each one, unless a derived class handles the message itself, passes the
// message being handled to DefWindowProc (Default()); a derived handler may call the base one
// for the default behaviour. The map entries that call them are in MessageMap.h.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
    afx_msg void OnEnterSizeMove();
    afx_msg void OnExitSizeMove();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcMouseLeave();
    // The base handlers of the child-notification messages first offer the message back to the
    // control that sent it (reflection), then do the default processing.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    afx_msg void OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2);
    afx_msg UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM nEventData);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
    afx_msg void OnSysColorChange();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnTimeChange();

protected:
    // Ties a window that is being created (creation hook) or subclassed to this object.
    void AttachAndSubclass(HWND hWnd);
    // Brackets the one system call that creates pWnd's window (CreateWindowEx, CreateDialog...):
    // the first window that call makes is tied to pWnd from its first message on.
    static void HookWindowCreate(CWnd* pWnd);
    static void UnhookWindowCreate();
    // Lives while one call makes pWnd's window on this thread (CreateEx, a dialog's creation): a
    // destruction meanwhile unties the window but skips PostNcDestroy (see Lifetime above).
    class CCreationScope {
    public:
        explicit CCreationScope(CWnd* pWnd);
        ~CCreationScope();
        CCreationScope(const CCreationScope&) = delete;
        CCreationScope& operator=(const CCreationScope&) = delete;

    private:
        friend class CWnd;
        CWnd* m_pWnd;
        CCreationScope* m_pOuter;
    };

    // The modal loop body without arming it: DoModal arms it before the window exists, so an
    // EndDialog during creation ends the loop before it starts.
    int RunModalLoopBody(DWORD dwFlags);
    HWND m_hWndOwner = nullptr;
    BOOL m_bContinueModal = FALSE;
    int m_nModalResult = -1;

private:
    friend LRESULT CALLBACK WndProcThunk(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK CreationHook(int, WPARAM, LPARAM);
    // The windows whose creating call runs on this thread, innermost first.
    static thread_local CCreationScope* s_pCreating;
    // WM_NCDESTROY has run: unties the window and calls PostNcDestroy (unless its creation is
    // still running).
    void FinishNcDestroy();
};

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
// Show the window once the queue first runs empty (a dialog shown after its initialisation).
#define MLF_SHOWONIDLE 0x0004

// The framework's window class for CWnd::Create without a class name; the text lives for the
// process. Registered once per distinct set of arguments.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);

// The message-map macros, so that every window header gets them with CWnd, and the scroll-bar
// wrapper that the scroll handlers take.
#include "framework/MessageMap.h"
#include "framework/CScrollBar.h"
