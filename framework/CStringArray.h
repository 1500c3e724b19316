#pragma once
// A growable array of CString. Every indexed access is checked: a bad index throws the
// framework's invalid-argument exception instead of reaching outside the array.
#include "framework/CException.h"
#include "framework/CString.h"
#include <vector>

class CStringArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);

    const CString& GetAt(INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, const CString& s) { m_items[Checked(nIndex)] = s; }
    CString& ElementAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    const CString& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    CString& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    const CString* GetData() const { return m_items.data(); }
    CString* GetData() { return m_items.data(); }

    // Sets the element, growing the array when the index lies past its end.
    void SetAtGrow(INT_PTR nIndex, const CString& s);
    INT_PTR Add(const CString& s) { m_items.push_back(s); return GetUpperBound(); }
    INT_PTR Append(const CStringArray& src);
    void Copy(const CStringArray& src) { m_items = src.m_items; }
    void InsertAt(INT_PTR nIndex, const CString& s, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);
    void RemoveAll() { m_items.clear(); }
    void FreeExtra() { m_items.shrink_to_fit(); }

private:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }
    std::vector<CString> m_items;
};
