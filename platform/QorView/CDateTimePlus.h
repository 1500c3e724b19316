#pragma once
// The view library's date picker: a date-and-time picker control (SysDateTimePick32) with its
// own drop-down calendar colours.
// https://learn.microsoft.com/windows/win32/controls/date-and-time-picker-controls
#include "framework/CString.h"
#include "framework/CWnd.h"

class CDateTimePlus : public CWnd {
public:
    // Before Create: the calendar's header background, selected-day and hover colours.
    void SetDropDownColors(COLORREF crHeaderBk, COLORREF crSelected, COLORREF crHover);
    COLORREF GetDropDownColor(int nWhich) const; // 0 header, 1 selected, 2 hover

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL SetDate(int nYear, int nMonth, int nDay);
    // The chosen date in a format of %Y, %m and %d ("%Y-%m-%d"); empty without a window.
    CString FormatDate(LPCWSTR lpszFormat) const;

private:
    COLORREF m_cr[3] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
};
