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

CUnreadMsgBoxItem* CUnreadMsgBox::FindItem(const CString& strKey) const
{
    const POSITION pos = FindItemPosition(strKey);
    return pos ? m_lstItems.GetAt(pos) : nullptr;
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
}

void CUnreadMsgBox::RemoveItemAt(POSITION pos)
{
    CUnreadMsgBoxItem* pItem = GetItemAt(pos);
    if (!pItem)
        return;
    m_lstItems.RemoveAt(pos);
    delete pItem;
}
