#pragma once
// The list of the message panes: a CWqListCtrl that sorts by asking its parent to re-query
// (WM_LIST_SORT_COLUMN), with a normal-weight header font on a 0xF7F7F4 header.
#include "controls/CWqListCtrl.h"

class CWqMsgListCtrl : public CWqListCtrl {
    DECLARE_DYNAMIC(CWqMsgListCtrl)
public:
    CWqMsgListCtrl();
    ~CWqMsgListCtrl() override;

protected:
    DECLARE_MESSAGE_MAP()
};
