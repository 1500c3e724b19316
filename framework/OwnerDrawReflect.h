#pragma once
// The four owner-draw messages a parent reflects to its list or combo box, handed to the
// control's own DrawItem, MeasureItem, CompareItem and DeleteItem. True when the message was
// one of them; *pResult then holds the answer for the parent (the comparison's, else TRUE).
#include "framework/Platform.h"

template <class Control>
bool ReflectOwnerDraw(Control* pControl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        pControl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        result = pControl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        pControl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return false;
    }
    if (pResult)
        *pResult = result;
    return true;
}
