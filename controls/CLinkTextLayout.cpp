#include "controls/CLinkTextLayout.h"
#include "controls/CLinkMarkupTokenizer.h"

namespace {

// A run of link text whose top is known only when its line ends.
struct PendingRect {
    CLinkInfo* pLink;
    int left, width, height;
};

} // namespace

CLinkTextLayout::CLinkTextLayout()
{
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_font), &m_font);
}

CLinkTextLayout::~CLinkTextLayout()
{
    Clear();
}

void CLinkTextLayout::Clear()
{
    for (CLinkInfo* link : m_links)
        delete link;
    m_links.clear();
    m_lineHeights.clear();
}

LONG CLinkTextLayout::BoldWeight(LONG baseWeight)
{
    if (baseWeight <= 0)
        return FW_HEAVY;
    return baseWeight * 2 > FW_HEAVY ? FW_HEAVY : baseWeight * 2;
}

CLinkInfo* CLinkTextLayout::HitTest(POINT pt) const
{
    for (CLinkInfo* link : m_links) {
        if (link->Contains(pt))
            return link;
    }
    return nullptr;
}

void CLinkTextLayout::LayoutText(HDC hdc, int x0, int y0, const CString& text, bool bLayout)
{
    if (text.IsEmpty() || !hdc)
        return;
    if (bLayout)
        Clear();

    LOGFONTW lf = m_font;
    HFONT hFont = ::CreateFontIndirectW(&lf);
    HGDIOBJ hOldFont = ::SelectObject(hdc, hFont);
    const COLORREF oldColor = ::GetTextColor(hdc);
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);

    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hdc, &tm);
    const int H = tm.tmHeight;
    const int tabWidth = 4 * tm.tmAveCharWidth;

    auto recordedHeight = [this, H](size_t line) {
        return line < m_lineHeights.size() ? static_cast<int>(m_lineHeights[line]) : H;
    };
    auto reselectFont = [&]() {
        HFONT hNew = ::CreateFontIndirectW(&lf);
        ::SelectObject(hdc, hNew);
        ::DeleteObject(hFont);
        hFont = hNew;
    };

    int x = x0, y = y0;
    size_t line = 0;
    int lineHeight = bLayout ? H : recordedHeight(0);
    CLinkInfo* pOpenLink = nullptr;
    COLORREF savedColor = oldColor;
    std::vector<PendingRect> pending;

    auto endLines = [&](int count) {
        if (bLayout) {
            // The line's height is final now: place the link runs laid out on it.
            for (const PendingRect& p : pending) {
                RECT rc;
                rc.left = m_nLeftMargin + p.left;
                rc.top = m_nTopMargin - H + lineHeight + y;
                rc.right = rc.left + p.width;
                rc.bottom = rc.top + p.height;
                p.pLink->m_rects.push_back(rc);
            }
            pending.clear();
            m_lineHeights.push_back(static_cast<UINT>(lineHeight));
            y += lineHeight * count;
            ++line;
            lineHeight = H;
        } else {
            y += recordedHeight(line) * count;
            ++line;
            lineHeight = recordedHeight(line);
        }
        x = x0;
    };

    CLinkMarkupTokenizer tokens(text);
    for (;;) {
        const CLinkToken token = tokens.Next();
        if (token.kind == CLinkToken::End)
            break;
        switch (token.kind) {
        case CLinkToken::Text: {
            SIZE size = {};
            ::GetTextExtentPoint32W(hdc, token.strText.GetString(), token.strText.GetLength(), &size);
            if (bLayout) {
                if (size.cy > lineHeight)
                    lineHeight = size.cy;
                if (pOpenLink)
                    pending.push_back({pOpenLink, x, size.cx, size.cy});
            } else {
                ::TextOutW(hdc, m_nLeftMargin + x, m_nTopMargin - H + lineHeight + y,
                           token.strText.GetString(), token.strText.GetLength());
            }
            x += size.cx;
            break;
        }
        case CLinkToken::BoldOn:
            lf.lfWeight = BoldWeight(m_font.lfWeight);
            reselectFont();
            break;
        case CLinkToken::BoldOff:
            lf.lfWeight = m_font.lfWeight;
            reselectFont();
            break;
        case CLinkToken::LinkOpen:
            if (bLayout) {
                // A link opened inside another one replaces it; the first is never closed.
                if (pOpenLink) {
                    for (size_t i = pending.size(); i-- > 0;) {
                        if (pending[i].pLink == pOpenLink)
                            pending.erase(pending.begin() + i);
                    }
                    delete pOpenLink;
                }
                pOpenLink = new CLinkInfo;
                pOpenLink->m_strHref = token.strText;
            }
            savedColor = ::GetTextColor(hdc);
            ::SetTextColor(hdc, kLinkColor);
            lf.lfUnderline = TRUE;
            reselectFont();
            break;
        case CLinkToken::LinkClose:
            if (bLayout && pOpenLink) {
                m_links.push_back(pOpenLink);
                pOpenLink = nullptr;
            }
            ::SetTextColor(hdc, savedColor);
            lf.lfUnderline = FALSE;
            reselectFont();
            break;
        case CLinkToken::Breaks:
            endLines(token.nCount);
            break;
        case CLinkToken::Tabs:
            if (tabWidth > 0) {
                int n = token.nCount;
                const int offset = x - x0;
                if (offset % tabWidth != 0) {
                    x = x0 + (offset / tabWidth + 1) * tabWidth;
                    --n;
                }
                x += n * tabWidth;
            }
            // A font with no average character width has no tab stops: the tab is ignored.
            break;
        default:
            break;
        }
    }
    // The end of the text ends the last line.
    endLines(1);
    if (pOpenLink)
        delete pOpenLink; // a link never closed is not a link

    ::SetBkMode(hdc, oldMode);
    ::SetTextColor(hdc, oldColor);
    ::SelectObject(hdc, hOldFont);
    ::DeleteObject(hFont);
}
