// The desktop tip of a new message whose text is a megabyte long, beside the same tip for a
// message of ten characters: the popup of the tip's size with its three rows (count, sender,
// content) is created, shown and painted once. The content row is cut to its width in a few
// measurements whatever its length, so the two should cost about the same.
#include "bench/Bench.h"
#include "controls/popup/CTkPopupControl.h"
#include "controls/popup/CTkPopupItem.h"
#include <cstdio>

namespace {

void ShowAndPaintTip(const CString& strContent)
{
    CTkPopupControl tip;
    tip.SetTheme(1);
    tip.SetPopupSize(CSize(202, 116));
    tip.SetPopupAnimation(CTkPopupControl::kAnimationNone);
    const wchar_t* rows[] = {L"1 new message", L"From: Ann Lee", nullptr};
    for (int i = 0; i < 3; ++i) {
        const int top = 45 + 13 * i;
        auto* pRow = new CTkPopupItem(CRect(40, top, 192, top + 13), rows[i] ? CString(rows[i]) : strContent);
        pRow->SetHyperLink(FALSE);
        pRow->SetTextAlignment(0);
        tip.AddItem(pRow);
    }
    if (!tip.Show(nullptr))
        return;
    ::RedrawWindow(tip.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    tip.Close();
}

} // namespace

KORVEL_BENCH(Tip)
{
    const CString shortBody(L"Lunch at 1");
    CString longBody(L'w', 1 << 20);
    longBody.SetAt(0, L'H');
    ShowAndPaintTip(shortBody); // the first tip loads the fonts and the window class
    const double ours = BenchMedianMs(options.runs, [&] { ShowAndPaintTip(longBody); });
    const double floor = BenchMedianMs(options.runs, [&] { ShowAndPaintTip(shortBody); });
    table.Section("Desktop tips");
    table.Row("Tip of a 1 MB message vs a 10-character one", ours, floor, 3.0, 0,
              "create, show and paint the new-message tip");
}
