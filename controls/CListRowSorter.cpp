#include "controls/CListRowSorter.h"

namespace {

// Hoare-style quicksort over a key read from the rows; Key must be comparable with < and ==.
template <class Key, class ReadKey>
void QuickSort(IListRowAccess& rows, ReadKey readKey, bool ascending, int low, int high)
{
    // An explicit loop on the larger half keeps the recursion depth logarithmic, so a long
    // list that is already in order cannot exhaust the stack.
    while (low < high) {
        const Key pivot = readKey((low + high) / 2);
        int lo = low, hi = high;
        while (lo <= hi) {
            if (ascending) {
                while (lo < high && readKey(lo) < pivot)
                    ++lo;
                while (hi > low && pivot < readKey(hi))
                    --hi;
            } else {
                while (lo < high && pivot < readKey(lo))
                    ++lo;
                while (hi > low && readKey(hi) < pivot)
                    --hi;
            }
            if (lo <= hi) {
                // Equal keys stay where they are: moving them would only churn the list view.
                if (lo != hi && !(readKey(lo) == readKey(hi)))
                    rows.ExchangeRows(lo, hi);
                ++lo;
                --hi;
            }
        }
        if (hi - low < high - lo) {
            if (low < hi)
                QuickSort<Key>(rows, readKey, ascending, low, hi);
            low = lo;
        } else {
            if (lo < high)
                QuickSort<Key>(rows, readKey, ascending, lo, high);
            high = hi;
        }
    }
}

bool NormaliseRange(const IListRowAccess& rows, int& low, int& high)
{
    const int count = rows.GetRowCount();
    if (high == -1)
        high = count - 1;
    if (low < 0)
        low = 0;
    if (high > count - 1)
        high = count - 1;
    return high > low;
}

} // namespace

BOOL CListRowSorter::SortByText(IListRowAccess& rows, int nColumn, BOOL bAscending, int nLow, int nHigh)
{
    if (!NormaliseRange(rows, nLow, nHigh))
        return FALSE;
    auto readKey = [&rows, nColumn](int row) { return rows.GetRowText(row, nColumn); };
    QuickSort<CString>(rows, readKey, bAscending != FALSE, nLow, nHigh);
    return TRUE;
}

BOOL CListRowSorter::SortByImage(IListRowAccess& rows, int nColumn, BOOL bAscending, int nLow, int nHigh)
{
    if (!NormaliseRange(rows, nLow, nHigh))
        return FALSE;
    auto readKey = [&rows, nColumn](int row) { return rows.GetRowImage(row, nColumn); };
    QuickSort<int>(rows, readKey, bAscending != FALSE, nLow, nHigh);
    return TRUE;
}
