#include "app/CUnreadMsgBox.h"

CUnreadMsgBox::CUnreadMsgBox() : m_lstItems(10)
{
    nKind = kKindBox;
}

CUnreadMsgBox::~CUnreadMsgBox()
{
    RemoveAllItems();
}

void CUnreadMsgBox::AddRecord(CUnreadMsg* pRecord)
{
    if (!pRecord)
        return;
    const BOOL bGroup = pRecord->IsGroupMessage();
    const CString strKey = bGroup ? pRecord->strTalkId : pRecord->strSender;
    CUnreadMsgBoxItem* pItem = FindItem(strKey);
    if (!pItem) {
        pItem = new CUnreadMsgBoxItem;
        pItem->strKey = strKey;
        pItem->strName = bGroup ? pRecord->strContent : pRecord->strSenderName;
        pItem->strPicture = pRecord->strPicture;
        m_lstItems.AddHead(pItem);
        m_index[IndexKey(strKey)] = pItem;
    }
    // The newest record stands for the older foldable one before it.
    if (!pItem->m_lstRecords.IsEmpty() && pRecord->IsFoldable() && pItem->m_lstRecords.GetHead()->IsFoldable()) {
        CUnreadMsg* pOlder = pItem->m_lstRecords.RemoveHead();
        pRecord->FoldIn(*pOlder);
        delete pOlder;
    }
    pItem->m_lstRecords.AddHead(pRecord);
}

POSITION CUnreadMsgBox::FindItemPosition(const CString& strKey) const
{
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos;) {
        const POSITION cur = pos;
        if (m_lstItems.GetNext(pos)->strKey.CompareNoCase(strKey) == 0)
            return cur;
    }
    return nullptr;
}

std::wstring CUnreadMsgBox::IndexKey(const CString& strKey)
{
    CString upper = strKey;
    upper.MakeUpper();
    return std::wstring(upper.GetString(), static_cast<size_t>(upper.GetLength()));
}

CUnreadMsgBoxItem* CUnreadMsgBox::FindItem(const CString& strKey) const
{
    const auto it = m_index.find(IndexKey(strKey));
    return it != m_index.end() ? it->second : nullptr;
}

CUnreadMsgBoxItem* CUnreadMsgBox::GetItemAt(POSITION pos) const
{
    if (!pos || !m_lstItems.IsValidPosition(pos))
        return nullptr;
    return m_lstItems.GetAt(pos);
}

POSITION CUnreadMsgBox::FindItemPositionBySerial(int nSerial) const
{
    for (POSITION pos = m_lstItems.GetHeadPosition(); pos;) {
        const POSITION cur = pos;
        if (m_lstItems.GetNext(pos)->GetSerial() == nSerial)
            return cur;
    }
    return nullptr;
}

void CUnreadMsgBox::RemoveAllItems()
{
    POSITION pos = m_lstItems.GetHeadPosition();
    while (pos)
        delete m_lstItems.GetNext(pos);
    m_lstItems.RemoveAll();
    m_index.clear();
}

void CUnreadMsgBox::RemoveItemAt(POSITION pos)
{
    CUnreadMsgBoxItem* pItem = GetItemAt(pos);
    if (!pItem)
        return;
    m_lstItems.RemoveAt(pos);
    const auto it = m_index.find(IndexKey(pItem->strKey));
    if (it != m_index.end() && it->second == pItem)
        m_index.erase(it);
    delete pItem;
}
