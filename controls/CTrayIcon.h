#pragma once
// CTrayIcon: one icon in the Windows notification area.
// https://learn.microsoft.com/windows/win32/shell/notification-area
//
// The icon is kept there across shell restarts ("TaskbarCreated") and work-area changes (an add
// that failed is retried then), its image and tooltip change on request, and the shell's mouse
// callbacks become four private messages to a target window (CTrayClickTranslator.h). The object
// is a window so that it has a hidden window of its own for its timers and for the broadcast.
//
// States: constructed disabled, hidden and removed; Create enables it and adds the icon; the icon
// then moves between shown, hidden and removed. While hidden, image, tip and callback changes are
// only stored: they take effect at the next add or show.
#include "framework/CArray.h"
#include "framework/CWnd.h"
#include "controls/CTrayClickTranslator.h"
#include <shellapi.h>

class CTrayIcon : public CWnd {
    DECLARE_DYNAMIC(CTrayIcon)
public:
    enum {
        kTipTimerId = 2,
        kClickTimerId = CTrayClickTranslator::kClickTimerId, // 3, 500 ms
        kAnimationTimerId = 4567,
    };

    CTrayIcon();
    // Constructs and creates in one step (see Create).
    CTrayIcon(CWnd* pParent, UINT uCallbackMessage, LPCWSTR szTip, HICON icon, UINT uID,
              BOOL bHidden = FALSE, LPCWSTR szBalloonTip = nullptr, LPCWSTR szBalloonTitle = nullptr,
              DWORD dwBalloonIcon = 0, UINT uBalloonTimeout = 10);
    ~CTrayIcon() override;

    // Adds the icon. pParent's window receives the callback message (the tray's own hidden
    // window when there is none). FALSE when the add failed (it is retried at the next
    // work-area change or shell restart) or the system has no notification area.
    BOOL Create(CWnd* pParent, UINT uCallbackMessage, LPCWSTR szTip, HICON icon, UINT uID,
                BOOL bHidden = FALSE, LPCWSTR szBalloonTip = nullptr, LPCWSTR szBalloonTitle = nullptr,
                DWORD dwBalloonIcon = 0, UINT uBalloonTimeout = 10);

// Target of the click messages (null: the thread's main window)
    BOOL SetTargetWnd(CWnd* pTargetWnd);
    CWnd* GetTargetWnd() const;

// Image
    BOOL SetIcon(HICON hIcon);
    BOOL SetIcon(LPCWSTR lpszIconName);
    BOOL SetIcon(UINT nIDResource);
    BOOL SetStandardIcon(LPCWSTR lpIconName);
    BOOL SetStockIcon(LPCWSTR lpIconName) { return SetStandardIcon(lpIconName); }
    BOOL SetIconKeep(HICON hIcon);
    BOOL SetIconKeep(LPCWSTR lpszIconName);
    BOOL SetIconKeep(UINT nIDResource);
    HICON GetIcon() const;

// Tooltip and balloon
    BOOL SetTooltipText(LPCWSTR pszTip);
    BOOL SetTooltipText(UINT nID);
    CString GetTooltipText() const;
    BOOL ShowBalloonText(LPCWSTR szText, LPCWSTR szTitle = nullptr, DWORD dwIcon = NIIF_NONE, UINT uTimeout = 10);
    // A plain tooltip window at 100, 100 that disappears after nSeconds (when 1 or more).
    void ShowTipWindow(LPCWSTR szText, int nSeconds);

// Callback and window
    BOOL SetCallbackMessage(UINT uCallbackMessage);
    UINT GetCallbackMessage() const;
    BOOL SetNotifyWnd(CWnd* pWnd);
    CWnd* GetNotifyWnd() const;
    BOOL FocusIcon();

// Showing, hiding, adding, removing
    BOOL AddIcon();
    BOOL RemoveIcon();
    BOOL HideIcon();
    BOOL ShowIcon();
    BOOL IsEnabled() const { return m_bEnabled; }
    BOOL IsHidden() const { return m_bHidden; }
    BOOL IsRemoved() const { return m_bRemoved; }
    BOOL IsAddPending() const { return m_bAddPending; }

// Animation
    BOOL LoadIconRange(UINT nIDStart, UINT nIDEnd);
    BOOL SetIconFrames(const HICON* phIcons, int nCount);
    // Steps through the frames every nDelayMs until nSeconds have passed (0 or less: until
    // StopIconAnimation); the image shown before comes back at the end.
    BOOL StartIconAnimation(UINT nDelayMs, int nSeconds);
    BOOL StepIconAnimation();
    BOOL StopIconAnimation();
    int GetCurrentFrame() const { return m_nCurrentIcon; }
    INT_PTR GetFrameCount() const { return m_IconList.GetSize(); }

// Menu
    // Records the default item of the icon's menu (menu resource with the icon's id, first
    // submenu); FALSE, recording nothing, when that menu or its submenu is missing.
    BOOL SetMenuDefaultItem(UINT uItem, BOOL bByPos);
    void GetMenuDefaultItem(UINT& uItem, BOOL& bByPos) const;

// Window animations to and from the notification area
    static void AnimateWindowToTray(CWnd* pWnd);
    static void AnimateWindowFromTray(CWnd* pWnd);
    // Gives the window a hidden owner so that it loses its taskbar button.
    static void HideTaskbarButton(CWnd* pWnd);
    static BOOL GetTrayRect(RECT* pRect);
    static BOOL GetTrayRect(RECT* pRect, UINT* pEdge);

// Called by the target window with the callback message it received: wParam = icon id,
// low word of lParam = mouse message.
    virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The shell call, replaceable so that tests can make adds fail and record what was sent.
    using ShellNotifyFn = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    static ShellNotifyFn SetShellNotifyFunction(ShellNotifyFn pfn);

    // The icon data as it will be sent next (for inspection).
    const NOTIFYICONDATAW& GetIconData() const { return m_tnd; }
    // The registered "TaskbarCreated" message.
    static UINT GetTaskbarCreatedMessage();

    static const int kMaxTipLength = 128;

protected:
    // Re-adds an icon whose add failed, unless it is hidden.
    void RetryPendingAdd();
    // Adds the icon with its current window, image, tip and callback, hidden or shown; without
    // the state flag a hidden icon stays out. TRUE when the icon is where it should be.
    BOOL AddCurrentIcon(BOOL bHidden);
    // Whether the user of the target window is signed in (asked with WM_TRAY_QUERY_SIGNEDIN).
    BOOL IsTargetSignedIn(CWnd* pTarget) const;
    // The current time in days, the scale of the animation's start and period.
    virtual double GetNow() const;
    BOOL Notify(DWORD dwMessage);
    static HICON LoadTrayIcon(LPCWSTR lpszName);

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
    afx_msg LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    NOTIFYICONDATAW m_tnd;
    BOOL m_bEnabled = FALSE;
    BOOL m_bHidden = TRUE;
    BOOL m_bRemoved = TRUE;
    BOOL m_bAddPending = FALSE;
    BOOL m_bWantHidden = FALSE;      // hidden at the owner's request (Create, HideIcon)
    BOOL m_bStateSupport = FALSE;
    CWnd* m_pTargetWnd = nullptr;    // not owned
    CArray<HICON, HICON> m_IconList; // animation frames, not owned
    int m_nCurrentIcon = 0;
    UINT_PTR m_uIDTimer = 0;
    double m_StartTime = 0;          // days
    int m_nAnimationPeriod = 0;      // seconds
    HICON m_hSavedIcon = nullptr;
    UINT m_DefaultMenuItemID = 0;
    BOOL m_DefaultMenuItemByPos = TRUE;
    UINT m_uCreationFlags = 0;
    CWnd m_wndTip;                   // the tooltip control of ShowTipWindow
    CTrayClickTranslator m_clicks;
    HCURSOR m_hCursor = nullptr;

    static int m_nMaxTooltipLength;
    static HWND m_hWndInvisible;     // hidden owner of windows without a taskbar button
    static UINT m_nTaskbarCreatedMsg;
    static ShellNotifyFn m_pfnShellNotify;

private:
    void Initialise();
    void SetTipText(LPCWSTR pszTip);
};
