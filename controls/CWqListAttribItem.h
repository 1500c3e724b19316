#pragma once
// One per-row colour of CWqListCtrl: kind 1 the row's background, kind 2 its text colour;
// the row index and the colour are kept as decimal texts ("%d").
#include "framework/CObject.h"
#include "framework/CString.h"

class CWqListAttribItem : public CObject {
public:
    enum { kRowBkColor = 1, kRowTextColor = 2 };

    CWqListAttribItem() = default;
    CWqListAttribItem(int nKind, int nRow, COLORREF color);
    ~CWqListAttribItem() override;

    // Whether this record is of the kind and its key, read as a decimal number, is the row.
    BOOL Matches(int nKind, int nRow) const;
    COLORREF GetColor() const;

    int m_nKind = 0;
    CString m_strKey;
    CString m_strValue;
};
