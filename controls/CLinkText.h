#pragma once
// CLinkText: a static label whose window text is a small markup of plain text, bold runs,
// links, line breaks and tab stops (see CLinkMarkupTokenizer.h):
//     "From: <b>Anna</b><br>Attachment: <a href=open:1>report.doc</a>"
// The text is laid out once per change; painting goes through an off-screen DC. Over a link
// the cursor becomes a hand; a click on a link sends the notify message (lParam = the
// CLinkInfo*, whose first member is the href) to the notify window; double clicks are
// forwarded to another window.
#include "framework/CStatic.h"
#include "controls/CLinkTextLayout.h"

class CLinkText : public CStatic {
    DECLARE_DYNAMIC(CLinkText)
public:
    CLinkText();
    ~CLinkText() override;

    void SetDblClickTarget(CWnd* pWnd) { m_pDblClickWnd = pWnd; }
    // The own background colour, used from now on instead of the parent's static-control brush.
    void SetBkColor(COLORREF color);
    // Text margins in pixels; answers the left margin.
    int SetMargins(int nLeft, int nTop);
    // Cursor resource shown over links; 0 means the system hand.
    void SetLinkCursor(UINT nCursorId) { m_nCursorId = nCursorId; }
    void SetNotify(CWnd* pWnd, UINT nMessage);

    // The layout of the current text: line heights and link rectangles (client coordinates).
    const CLinkTextLayout& GetLayout() const { return m_layout; }
    // The link under a client point, or null.
    CLinkInfo* LinkFromPoint(POINT pt) const { return m_layout.HitTest(pt); }

    // Fills rc with the background and draws the text into pDC.
    virtual void DrawContent(CDC* pDC, const CRect& rc);

    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Lays the current window text out in a screen DC, origin at the client area's corner.
    void LayoutWindowText();
    void InitFont();

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crBackground = 0xA0A0A0;
    bool m_bOwnBackground = false;
    CLinkTextLayout m_layout;      // font, margins, line heights and links
    UINT m_nCursorId = 0;
    CWnd* m_pNotifyWnd = nullptr;  // not owned
    UINT m_nNotifyMessage = 0;
    CWnd* m_pDblClickWnd = nullptr; // not owned
};
