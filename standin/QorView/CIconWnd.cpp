#include "platform/QorView/CIconWnd.h"
#include "framework/ModuleState.h"

CIconWnd::~CIconWnd()
{
    if (m_hBitmap)
        ::DeleteObject(m_hBitmap);
}

// A plain static control that centres its bitmap.
BOOL CIconWnd::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, UINT nBitmapID)
{
    DWORD style = WS_CHILD | WS_VISIBLE | (nBitmapID ? (SS_BITMAP | SS_CENTERIMAGE) : SS_LEFT);
    if (!CWnd::CreateEx(0, L"STATIC", L"", style, rect, pParentWnd, nID))
        return FALSE;
    if (nBitmapID) {
        m_hBitmap = ::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nBitmapID));
        if (m_hBitmap)
            ::SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_hBitmap));
    }
    return TRUE;
}
