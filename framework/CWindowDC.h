#pragma once
// The DC of a whole window, non-client area included (GetWindowDC), released when the object
// ends. A null window gives the screen's DC.
#include "framework/CDC.h"

class CWnd;

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
