#pragma once
// Lays out and draws the markup of a link text (see CLinkMarkupTokenizer) in a DC. A layout
// pass measures every run, records the height of each line and the rectangles of each link;
// a paint pass draws the runs using those heights, so that the runs of a line share its
// bottom. Lines end only at breaks: there is no automatic wrapping.
#include "controls/CLinkInfo.h"
#include <vector>

class CLinkTextLayout {
public:
    static const COLORREF kLinkColor = 0xC60000;

    CLinkTextLayout();
    ~CLinkTextLayout();
    CLinkTextLayout(const CLinkTextLayout&) = delete;
    CLinkTextLayout& operator=(const CLinkTextLayout&) = delete;

    void SetFont(const LOGFONTW& font) { m_font = font; }
    const LOGFONTW& GetFont() const { return m_font; }
    void SetMargins(int nLeft, int nTop) { m_nLeftMargin = nLeft; m_nTopMargin = nTop; }
    int GetLeftMargin() const { return m_nLeftMargin; }
    int GetTopMargin() const { return m_nTopMargin; }

    // One walk over the text with (x0, y0) as origin: a layout pass (bLayout) first forgets
    // the previous line heights and links. An empty text does nothing.
    void LayoutText(HDC hdc, int x0, int y0, const CString& text, bool bLayout);

    // The first link, in text order, one of whose rectangles holds the point; null for none.
    CLinkInfo* HitTest(POINT pt) const;

    const std::vector<UINT>& GetLineHeights() const { return m_lineHeights; }
    const std::vector<CLinkInfo*>& GetLinks() const { return m_links; }
    void Clear();

    // The weight that a bold tag gives: the base weight doubled, at most 900 (0 gives 900).
    static LONG BoldWeight(LONG baseWeight);

private:
    LOGFONTW m_font;
    int m_nLeftMargin = 0;
    int m_nTopMargin = 0;
    std::vector<UINT> m_lineHeights;
    std::vector<CLinkInfo*> m_links; // owned
};
