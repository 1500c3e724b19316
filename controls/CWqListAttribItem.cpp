#include "controls/CWqListAttribItem.h"
#include <cwchar>

CWqListAttribItem::CWqListAttribItem(int nKind, int nRow, COLORREF color) : m_nKind(nKind)
{
    m_strKey.Format(L"%d", nRow);
    m_strValue.Format(L"%d", static_cast<int>(color));
}

CWqListAttribItem::~CWqListAttribItem() = default;

BOOL CWqListAttribItem::Matches(int nKind, int nRow) const
{
    return m_nKind == nKind && std::wcstol(m_strKey.GetString(), nullptr, 10) == nRow;
}

COLORREF CWqListAttribItem::GetColor() const
{
    return static_cast<COLORREF>(std::wcstol(m_strValue.GetString(), nullptr, 10));
}
