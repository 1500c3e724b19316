#include "platform/QorView/CACEdit.h"

void CACEdit::AddSearchString(const CString& str)
{
    if (str.IsEmpty())
        return;
    for (INT_PTR i = 0; i < m_arSearch.GetSize(); ++i) {
        if (m_arSearch[i].CompareNoCase(str) == 0)
            return;
    }
    m_arSearch.Add(str);
}

CString CACEdit::FindCompletion(const CString& strTyped) const
{
    if (strTyped.IsEmpty())
        return CString();
    for (INT_PTR i = 0; i < m_arSearch.GetSize(); ++i) {
        if (m_arSearch[i].GetLength() >= strTyped.GetLength() &&
            m_arSearch[i].Left(strTyped.GetLength()).CompareNoCase(strTyped) == 0)
            return m_arSearch[i];
    }
    return CString();
}
