#pragma once
// IMsgMgrViewsOwner: what the manager's views (CMsgMgrViews) need of the manager window beside
// the folder tree they are given. CQorMsgManagerDlg implements it; CMsgMgrViews never includes
// the window's header.

class CWnd;
class IMsgMgrHost;
struct CMsgSearchCriteria;

class IMsgMgrViewsOwner {
public:
    // The manager window: parent of the panes and of the controls the views drive, repainted
    // when the view changes.
    virtual CWnd& FrameWnd() = 0;
    // What the panes see of the manager; handed to each pane the views make.
    virtual IMsgMgrHost& PaneHost() = 0;
    // The criteria of the last message search, which the search-results node shows.
    virtual const CMsgSearchCriteria& GetSearchCriteria() const = 0;

protected:
    // Never deleted through this interface.
    ~IMsgMgrViewsOwner() = default;
};
