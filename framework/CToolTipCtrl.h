#pragma once
// A tooltip window for the tools (windows or rectangles of a window) registered with it.
// Mouse messages reach it through RelayEvent, which the owner calls from PreTranslateMessage.
// https://learn.microsoft.com/windows/win32/controls/tooltip-controls
#include "framework/CString.h"
#include "framework/CWnd.h"
#include <commctrl.h>

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;

    // A topmost pop-up owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // A tool is pWnd itself (nIDTool 0) or the rectangle lpRectTool of pWnd named nIDTool.
    // LPSTR_TEXTCALLBACK as text asks the owner for it with TTN_GETDISPINFO.
    BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText = LPSTR_TEXTCALLBACKW, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    // The text is a string of the current resource module.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    // The tool's current text; empty for an unknown tool.
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    BOOL GetToolInfo(TTTOOLINFOW* lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    int GetToolCount() const;

    void RelayEvent(LPMSG lpMsg);
    void Activate(BOOL bActivate);
    // -1 removes the limit (single line tips); answers the previous width.
    int SetMaxTipWidth(int iWidth);
    // Sets the initial, pop-up and reshow delays from one value (milliseconds).
    void SetDelayTime(UINT nDelay);
    // dwDuration: TTDT_AUTOPOP, TTDT_INITIAL or TTDT_RESHOW.
    void SetDelayTime(DWORD dwDuration, int iTime);
    int GetDelayTime(DWORD dwDuration) const;
    void SetTipBkColor(COLORREF clr);
    void SetTipTextColor(COLORREF clr);
    void Pop();
    void Update();

private:
    void FillInToolInfo(TTTOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
