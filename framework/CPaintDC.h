#pragma once
// The DC of one WM_PAINT: BeginPaint at construction, EndPaint when the object ends. Construct
// it only while handling WM_PAINT of pWnd.
#include "framework/CDC.h"

class CWnd;

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps = {}; // rcPaint is the area to paint, fErase whether the background was erased
protected:
    HWND m_hWnd = nullptr;
};
