#pragma once
// The in-place quicksort of the owner-drawn list: rows are compared by the text or the image
// index of one column and exchanged whole (every column's text and image and the item data),
// while row states stay where they are. The rows are reached through IListRowAccess so that
// the sort works on a list view and, in tests, on a plain table.
#include "framework/CString.h"

class IListRowAccess {
public:
    virtual ~IListRowAccess() = default;
    virtual int GetRowCount() const = 0;
    virtual CString GetRowText(int nRow, int nColumn) const = 0;
    virtual int GetRowImage(int nRow, int nColumn) const = 0;
    // Exchanges the contents of two rows (texts, images, item data), not their states.
    virtual void ExchangeRows(int nRow1, int nRow2) = 0;
};

class CListRowSorter {
public:
    // Sorts rows low..high (high -1: the last row) by the column's text, ordinal and
    // case-sensitive. FALSE when there is nothing to sort (high not above low).
    static BOOL SortByText(IListRowAccess& rows, int nColumn, BOOL bAscending, int nLow, int nHigh);
    // The same by the image index of the column's cells; rows are exchanged whenever their
    // image indexes are out of order, whatever their texts.
    static BOOL SortByImage(IListRowAccess& rows, int nColumn, BOOL bAscending, int nLow, int nHigh);
};
