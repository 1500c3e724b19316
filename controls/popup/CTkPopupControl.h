#pragma once
// The toolkit's animated popup: a borderless, topmost tool window that rises from a corner of
// the work area, stays for a while and collapses again. It holds items drawn by a paint
// manager, reports clicks and state changes to its owner, fades or slides, turns opaque while
// the mouse is over it, and can shake itself with a sound.
// https://learn.microsoft.com/windows/win32/winmsg/using-windows#using-layered-windows
#include "framework/CArray.h"
#include "framework/CBrush.h"
#include "framework/CGdiObject.h"
#include "framework/CRgn.h"
#include "framework/CWnd.h"
#include "controls/popup/CTkPopupAnimation.h"

class CTkPopupItem;
class CTkPopupPaintManager;
class CTkImageManager;

// Sent to the notify window: wParam the code, lParam its parameter.
#define WM_TKPOPUP_NOTIFY 0x8A1F

class CTkPopupControl : public CWnd {
public:
    // Popup states.
    enum { kStateClosing = 0, kStateClosed = 1, kStateExpanding = 2, kStateShown = 3, kStateCollapsing = 4 };
    // Animations.
    enum { kAnimationNone = 0, kAnimationFade = 1, kAnimationSlide = 2, kAnimationUnfold = 3 };
    // Notification codes.
    enum { kNotifyClick = 1, kNotifyStateChanged = 2 };
    // The popup's timers: one animation step while expanding or collapsing, and the show delay.
    enum { kTimerExpanding = 296, kTimerCollapsing = 297, kTimerShowDelay = 304 };
    typedef BOOL(WINAPI* PFNSETLAYEREDWINDOWATTRIBUTES)(HWND, COLORREF, BYTE, DWORD);

    CTkPopupControl();
    // Closes the popup, releases the items, deletes the paint manager, releases the image manager.
    ~CTkPopupControl() override;

    // Overrideables
    // Creates the window when it does not exist yet; FALSE when that fails.
    virtual BOOL CreatePopupWindow(CWnd* pParentWnd);
    // Items report a click through here.
    virtual void OnClick(CTkPopupItem* pItem);
    // Starts the expansion: from the start, or back from where a collapse was interrupted.
    virtual BOOL Expand(BOOL bFromStart);
    // Starts the collapse (or closes at once without an animation).
    virtual void Collapse();
    // The expansion has ended: shown state, show-delay timer, shake.
    virtual void OnShown();
    // Sends WM_TKPOPUP_NOTIFY (code, parameter) to the notify window; 0 without one.
    virtual LRESULT Notify(WPARAM wParam, LPARAM lParam);
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;

    // Operations
    // Creates the window and starts the expansion at the bottom-right corner of the work area;
    // FALSE when the window cannot be created or the popup is not closed.
    BOOL Show(CWnd* pParentWnd);
    // Destroys the window (state 0, then 1, each notified); the result of the destruction.
    BOOL Close();
    // In the shown state: stop waiting and collapse.
    void Hide();
    int GetPopupState() const { return m_nState; }
    // Stores the state and notifies it (code 2).
    void SetPopupState(int nState);
    void RedrawControl();
    // Appends the item (the popup keeps the caller's reference) and tells it its index.
    CTkPopupItem* AddItem(CTkPopupItem* pItem);
    void RemoveItem(CTkPopupItem* pItem);
    void RemoveAllItems();
    int GetItemCount() const { return static_cast<int>(m_arrItems.GetSize()); }
    // Throws the framework's invalid-argument exception for an index outside the items.
    CTkPopupItem* GetItem(int nIndex) const { return m_arrItems.GetAt(nIndex); }
    // The last item in array order whose rectangle holds the point; null when none.
    CTkPopupItem* HitTest(CPoint pt) const;
    // Deletes the old paint manager and takes this one.
    void SetPaintManager(CTkPopupPaintManager* pPaintManager);
    CTkPopupPaintManager* GetPaintManager() const { return m_pPaintManager; }
    // 1: the plain paint manager; anything else: the skin theme.
    void SetTheme(int nTheme);
    // Releases the old image manager and keeps a reference to this one.
    void SetImageManager(CTkImageManager* pImageManager);
    CTkImageManager* GetImageManager() const { return m_pImageManager; }
    // Shakes the window in place for about a quarter of a second, playing the shake sound.
    BOOL ShakePopup();

    // Attributes
    void SetNotifyWindow(CWnd* pWnd) { m_pNotifyWnd = pWnd; }
    CWnd* GetNotifyWindow() const { return m_pNotifyWnd; }
    void SetPopupAnimation(int nAnimation) { m_nAnimation = nAnimation; }
    int GetPopupAnimation() const { return m_nAnimation; }
    void SetPopupSize(CSize size) { m_szPopup = size; }
    CSize GetPopupSize() const { return m_szPopup; }
    void SetPopupPos(CPoint pt) { m_ptPopup = pt; }
    CPoint GetPopupPos() const { return m_ptPopup; }
    void SetTransparency(int nAlpha) { m_nTransparency = nAlpha; }
    int GetTransparency() const { return m_nTransparency; }
    void SetShowDelay(int nMilliseconds) { m_nShowDelay = nMilliseconds; }
    int GetShowDelay() const { return m_nShowDelay; }
    void SetAnimateDelay(int nMilliseconds) { m_nAnimationInterval = nMilliseconds; }
    int GetAnimateDelay() const { return m_nAnimationInterval; }
    void SetAnimationStep(int nMilliseconds) { m_nStep = nMilliseconds; }
    int GetAnimationStep() const { return m_nStep; }
    void AllowMove(BOOL bAllow) { m_bAllowMove = bAllow; }
    CTkPopupItem* GetHotItem() const { return m_pHotItem; }
    CTkPopupItem* GetPressedItem() const { return m_pPressedItem; }
    BOOL IsHovered() const { return m_bHovered; }
    const CTkPopupAnimation& GetAnimation() const { return m_animation; }
    // The rectangle of the fully shown popup: the size ending at the anchor.
    CRect GetShownRect() const;

    // When set, the popup shakes as it reaches the shown state; the shake clears it.
    void SetShakeRequest(BOOL bShake) { m_bShakeRequested = bShake; }
    BOOL IsShakeRequested() const { return m_bShakeRequested; }
    // The sound file played in a loop while shaking; empty for none.
    void SetShakeSound(const CString& strSound) { m_strShakeSound = strSound; }
    const CString& GetShakeSound() const { return m_strShakeSound; }

protected:
    // Message handlers
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

    // The mouse is at this client point: hover, re-expansion and the hot item.
    void HandleMouseMove(CPoint point);
    // Moves the window to the current state; bForce sets the alpha even when it is at its target.
    BOOL ApplyCurrentState(BOOL bForce);
    // The user drags the popup until the button comes up or Escape is pressed.
    void RunMoveLoop();
    // A press at this point drags the popup instead of pressing an item.
    BOOL StartsDrag(CTkPopupItem* pItem) const;
    void SetLayeredAlpha(int nAlpha);

    CTkPopupPaintManager* m_pPaintManager; // owned
    CWnd* m_pNotifyWnd = nullptr;          // not owned
    CArray<CTkPopupItem*, CTkPopupItem*> m_arrItems;
    CTkPopupItem* m_pHotItem = nullptr;
    CTkPopupItem* m_pPressedItem = nullptr;
    int m_nAnimation = kAnimationNone;
    int m_nState = kStateClosed;
    CSize m_szPopup;
    CPoint m_ptPopup;
    int m_nTransparency = 255;
    int m_nShowDelay = 5000;
    int m_nAnimationInterval = 256;
    int m_nStep = 16;
    int m_nTheme = 0;
    BOOL m_bAllowMove = FALSE;
    CTkPopupAnimation m_animation; // target state, current state and steps left
    CTkImageManager* m_pImageManager; // one reference held
    PFNSETLAYEREDWINDOWATTRIBUTES m_pfnSetLayeredWindowAttributes = nullptr;
    BOOL m_bHovered = FALSE;

private:
    // Ten spare GDI objects for painters that need one; destroyed with the control.
    CGdiObject m_arrSpareGdiObjects[10];
    BOOL m_bShakeRequested = FALSE;
    CString m_strShakeSound;
    CRgn m_rgnWindow;  // receives the window region for the frame; made at the first WM_SIZE
    CBrush m_brFrame;  // the frame's grey; made at the first frame drawn
};
