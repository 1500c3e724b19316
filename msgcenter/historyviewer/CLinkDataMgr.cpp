#include "msgcenter/historyviewer/CLinkDataMgr.h"
#include <cstdlib>

int CLinkDataMgr::CLinkItem::FindKey(const CString& strKey) const
{
    if (strKey.IsEmpty())
        return -1;
    for (INT_PTR i = 0; i < keys.GetSize(); ++i)
        if (keys[i].CompareNoCase(strKey) == 0)
            return static_cast<int>(i);
    return -1;
}

int CLinkDataMgr::CLinkItem::SetValue(const CString& strKey, const CString& strValue)
{
    if (strKey.IsEmpty())
        return -1;
    int index = FindKey(strKey);
    if (index >= 0) {
        values[index] = strValue;
        return index;
    }
    keys.Add(strKey);
    return static_cast<int>(values.Add(strValue));
}

int CLinkDataMgr::CLinkItem::SetValue(const CString& strKey, LONGLONG nValue)
{
    CString text;
    text.Format(L"%lld", nValue);
    return SetValue(strKey, text);
}

bool CLinkDataMgr::CLinkItem::GetValue(const CString& strKey, CString& strValue) const
{
    strValue.Empty();
    int index = FindKey(strKey);
    if (index < 0)
        return false;
    strValue = values[index];
    return true;
}

bool CLinkDataMgr::CLinkItem::GetIntValue(const CString& strKey, int& nValue) const
{
    nValue = -1;
    int index = FindKey(strKey);
    if (index < 0)
        return false;
    nValue = _wtoi(values[index]);
    return true;
}

bool CLinkDataMgr::CLinkItem::GetInt64Value(const CString& strKey, LONGLONG& nValue) const
{
    nValue = -1;
    int index = FindKey(strKey);
    if (index < 0)
        return false;
    nValue = _wtoi64(values[index]);
    return true;
}

CLinkDataMgr::~CLinkDataMgr()
{
    RemoveAll();
}

CLinkDataMgr::CLinkItem* CLinkDataMgr::AddItem(long nStart, long nEnd, const CString& strText)
{
    if (nStart < 0 || nEnd < nStart || strText.IsEmpty())
        return nullptr;
    if (CLinkItem* found = FindByRange(nStart, nEnd)) {
        found->text = strText;
        return found;
    }
    CLinkItem* item = new CLinkItem;
    item->start = nStart;
    item->end = nEnd;
    item->text = strText;
    m_items.push_back(item);
    return item;
}

CLinkDataMgr::CLinkItem* CLinkDataMgr::FindByRange(long nStart, long nEnd) const
{
    if (nStart < 0)
        return nullptr;
    for (CLinkItem* item : m_items)
        if (item->start == nStart && item->end == nEnd)
            return item;
    return nullptr;
}

void CLinkDataMgr::RemoveItem(CLinkItem* pItem)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (*it == pItem) {
            m_items.erase(it);
            delete pItem;
            return;
        }
    }
}

void CLinkDataMgr::RemoveAll()
{
    for (CLinkItem* item : m_items)
        delete item;
    m_items.clear();
}

CLinkDataMgr::CLinkItem* CLinkDataMgr::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_items[nIndex] : nullptr;
}

bool CLinkDataMgr::AddLink(long nStart, long nEnd, const CString& strText, int nKind, const CString& strKey,
                           const CString& strValue)
{
    CLinkItem* item = AddItem(nStart, nEnd, strText);
    if (!item)
        return false;
    item->kind = nKind;
    item->SetValue(strKey, strValue);
    return true;
}
