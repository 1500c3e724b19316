#include "controls/CWqMsgListCtrl.h"

IMPLEMENT_DYNAMIC(CWqMsgListCtrl, CWqListCtrl)

BEGIN_MESSAGE_MAP(CWqMsgListCtrl, CWqListCtrl)
END_MESSAGE_MAP()

CWqMsgListCtrl::CWqMsgListCtrl()
{
    m_nSortColumn = -1;
    m_bAscending = TRUE;
    m_bNormalHeaderFont = TRUE;
    m_crFrame = 0xFFFFFF;
    m_bOwnerSorted = TRUE;
    m_bSortingEnabled = TRUE;
    m_nHeaderBitmapOffset = 1;
    SetHeaderBkColor(0xF7F7F4);
}

// The base frees the header bitmaps and the colour records.
CWqMsgListCtrl::~CWqMsgListCtrl() = default;
