#pragma once
// The DC of a window's client area (GetDC), released when the object ends. A null window gives
// the screen's DC.
#include "framework/CDC.h"

class CWnd;

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};
