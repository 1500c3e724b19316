#pragma once
// CArray<TYPE, ARG_TYPE>: a growable array of values. TYPE is what is stored, ARG_TYPE how
// values are passed in (TYPE or const TYPE&). Every indexed access is checked: a bad index
// throws the framework's invalid-argument exception instead of reaching outside the array.
#include "framework/CException.h"
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    CArray() = default;
    virtual ~CArray() = default;

    // Attributes
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }
    // nGrowBy is accepted for compatibility; the vector grows geometrically on its own.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        m_items.resize(static_cast<size_t>(nNewSize));
    }

    // Element access
    const TYPE& GetAt(INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_items[Checked(nIndex)] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_items[Checked(nIndex)]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_items[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    // The contiguous storage; nullptr for an empty array. Invalidated by any size change.
    const TYPE* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }
    TYPE* GetData() { return m_items.empty() ? nullptr : m_items.data(); }

    // Operations
    // Sets the element, growing the array when the index lies past its end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= GetSize())
            m_items.resize(static_cast<size_t>(nIndex) + 1);
        m_items[static_cast<size_t>(nIndex)] = newElement;
    }
    // Appends one element; returns its index.
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_items.push_back(newElement);
        return GetUpperBound();
    }
    // Appends a copy of src (which may be this array); returns the index of its first element.
    INT_PTR Append(const CArray& src)
    {
        INT_PTR first = GetSize();
        std::vector<TYPE> copy(src.m_items);
        m_items.insert(m_items.end(), copy.begin(), copy.end());
        return first;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_items = src.m_items;
    }
    // Inserts nCount copies at nIndex; an index past the end grows the array to reach it.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        TYPE value(newElement); // newElement may refer into this array
        if (nIndex > GetSize())
            m_items.resize(static_cast<size_t>(nIndex));
        m_items.insert(m_items.begin() + nIndex, static_cast<size_t>(nCount), value);
    }
    // Inserts every element of pNewArray at nStartIndex.
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (!pNewArray || nStartIndex < 0)
            AfxThrowInvalidArgException();
        std::vector<TYPE> copy(pNewArray->m_items);
        if (nStartIndex > GetSize())
            m_items.resize(static_cast<size_t>(nStartIndex));
        m_items.insert(m_items.begin() + nStartIndex, copy.begin(), copy.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            AfxThrowInvalidArgException();
        m_items.erase(m_items.begin() + nIndex, m_items.begin() + nIndex + nCount);
    }
    void RemoveAll() { m_items.clear(); }
    void FreeExtra() { m_items.shrink_to_fit(); }

protected:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_items;
};
