#include "framework/CStringArray.h"

void CStringArray::SetSize(INT_PTR nNewSize, INT_PTR)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    m_items.resize(static_cast<size_t>(nNewSize));
}

void CStringArray::SetAtGrow(INT_PTR nIndex, const CString& s)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= GetSize())
        m_items.resize(static_cast<size_t>(nIndex) + 1);
    m_items[static_cast<size_t>(nIndex)] = s;
}

INT_PTR CStringArray::Append(const CStringArray& src)
{
    INT_PTR first = GetSize();
    m_items.insert(m_items.end(), src.m_items.begin(), src.m_items.end());
    return first;
}

void CStringArray::InsertAt(INT_PTR nIndex, const CString& s, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0)
        AfxThrowInvalidArgException();
    if (nIndex > GetSize())
        m_items.resize(static_cast<size_t>(nIndex));
    m_items.insert(m_items.begin() + nIndex, static_cast<size_t>(nCount), s);
}

void CStringArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
        AfxThrowInvalidArgException();
    m_items.erase(m_items.begin() + nIndex, m_items.begin() + nIndex + nCount);
}
