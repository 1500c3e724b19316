#include "app/CUnreadMsgBoxItem.h"

namespace {
int s_nNextSerial = 1; // user-interface thread only
}

CUnreadMsgBoxItem::CUnreadMsgBoxItem() : m_lstRecords(10), m_nSerial(s_nNextSerial++) {}

CUnreadMsgBoxItem::~CUnreadMsgBoxItem()
{
    RemoveAllRecords();
}

void CUnreadMsgBoxItem::RemoveAllRecords()
{
    POSITION pos = m_lstRecords.GetHeadPosition();
    while (pos)
        delete m_lstRecords.GetNext(pos);
    m_lstRecords.RemoveAll();
}

int CUnreadMsgBoxItem::GetMessageCount() const
{
    int n = 0;
    for (POSITION pos = m_lstRecords.GetHeadPosition(); pos;)
        n += m_lstRecords.GetNext(pos)->GetMessageCount();
    return n;
}
