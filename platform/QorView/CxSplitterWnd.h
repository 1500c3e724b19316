#pragma once
// The view library's splitter bar: a static of the parent made draggable. Dragging it up or down
// moves the bar and the bottom of the pane above and the top of the pane below (keeping each
// at least its minimum height), then sends WM_QORVIEW_RELAYOUT to the parent so it re-places
// its panes.
#include "framework/CStatic.h"
#include "framework/MessageMap.h"

class CxSplitterWnd : public CStatic {
public:
    // Subclasses control nID of pParent.
    BOOL BindWithControl(CWnd* pParent, UINT nID);
    void SetMinHeight(int nAbove, int nBelow);
    // The placeholders (controls of the same parent) above and below the bar.
    void AttachAsAbovePane(UINT nID, int nFlag);
    void AttachAsBelowPane(UINT nID, int nFlag);
    UINT GetAbovePane() const { return m_nAbove; }
    UINT GetBelowPane() const { return m_nBelow; }
    // Moves the bar by dy pixels (what a drag does), within the minimum heights.
    void MoveBar(int dy);

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    UINT m_nAbove = 0;
    UINT m_nBelow = 0;
    int m_nMinAbove = 0;
    int m_nMinBelow = 0;
    bool m_bDragging = false;
    int m_nDragY = 0;
};
