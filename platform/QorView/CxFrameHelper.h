#pragma once
// The skinned frame painter of a top-level window: background, title icon and text,
// resizing (round corners are the dialog base's, CWqCoolDlg::SetRoundCorner). Our library keeps the settings and paints plainly: a
// gradient band at the top and the background colour below.
#include "framework/CString.h"
#include "platform/QorView/CTransparentBkHelper.h"

class CxFrameHelper : public CTransparentBkHelper {
public:
    void SetCanResize(bool bCan) { m_bCanResize = bCan; }
    bool CanResize() const { return m_bCanResize; }
    void EnableTitleIcon(bool bEnable) { m_bTitleIcon = bEnable; }
    void EnableTitleText(bool bEnable) { m_bTitleText = bEnable; }
    bool IsTitleIconEnabled() const { return m_bTitleIcon; }
    bool IsTitleTextEnabled() const { return m_bTitleText; }
    void SetTitleTextPadding(int left, int top, int right, int bottom);
    RECT GetTitleTextPadding() const { return m_rcTitlePadding; }
    // The frame's usable client rectangle (the whole client area here).
    void GetClientRectEx(RECT* pRect) const;
    // Paints the frame's background into pDC (the client rectangle of the window).
    void _PaintBk(CDC* pDC);
    void _PaintBk(HDC hDC);

protected:
    bool m_bCanResize = false;
    bool m_bTitleIcon = false;
    bool m_bTitleText = false;
    RECT m_rcTitlePadding = {0, 0, 0, 0};
};
