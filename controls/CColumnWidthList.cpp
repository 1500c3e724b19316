#include "controls/CColumnWidthList.h"
#include <cwchar>

CString CColumnWidthList::Format(const std::vector<int>& widths)
{
    CString text;
    for (int width : widths)
        text.AppendFormat(L"%d,", width);
    return text;
}

int CColumnWidthList::GetWidth(const CString& saved, int nColumn)
{
    if (nColumn < 0)
        return 0;
    int start = 0;
    for (int i = 0; i < nColumn; ++i) {
        const int comma = saved.Find(L',', start);
        if (comma < 0)
            return 0;
        start = comma + 1;
    }
    if (start >= saved.GetLength())
        return 0;
    int end = saved.Find(L',', start);
    if (end < 0)
        end = saved.GetLength();
    const CString field = saved.Mid(start, end - start);
    // Leading digits count, as a decimal read would take them; anything else reads as 0.
    wchar_t* stop = nullptr;
    const long value = std::wcstol(field.GetString(), &stop, 10);
    if (value > 100000 || value < -100000)
        return 0;
    return static_cast<int>(value);
}
