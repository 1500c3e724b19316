#pragma once
// The saved column widths of a list: one profile string holding each column's width in
// column-index order, each written as "%d," (120, 80 and 200 give "120,80,200,").
#include "framework/CString.h"
#include <vector>

class CColumnWidthList {
public:
    static CString Format(const std::vector<int>& widths);
    // The width saved for the column: its comma-separated field read as a decimal number;
    // 0 when the field is missing, empty or not a number.
    static int GetWidth(const CString& saved, int nColumn);
};
