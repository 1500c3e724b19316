#include "msgcenter/manager/CMsgMgrMenus.h"
#include "framework/CMenu.h"
#include "framework/CWaitCursor.h"
#include "msgcenter/manager/CMsgFolderTree.h"
#include "platform/QorDB/CQorDBBaseFun.h"
#include "platform/QorDB/CYqConnect.h"
#include "platform/QorResource/MsgCenterResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorMessageBox.h"

void CMsgMgrMenus::OnTreeRightClick()
{
    CWaitCursor wait;
    CFolderTreeCtrl& tree = m_folders.Tree();
    POINT ptScreen;
    ::GetCursorPos(&ptScreen);
    POINT ptTree = ptScreen;
    tree.ScreenToClient(&ptTree);
    UINT nFlags = 0;
    HTREEITEM hItem = tree.HitTest(CPoint(ptTree.x, ptTree.y), &nFlags);
    if (!hItem || !(nFlags & TVHT_ONITEM))
        return;
    if (tree.GetSelectedItem() != hItem)
        tree.SelectItem(hItem);
    HTREEITEM hParent = tree.GetParentItem(hItem);
    if (!hParent || tree.GetItemText(hParent) != CQorViewBaseFun::LoadStringW(IDS_MSG_TALK_ROOT))
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_MSG_TALK))
        return;
    HMENU hPopup = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    if (hPopup)
        ::TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0, m_frame.GetSafeHwnd(), nullptr);
}

void CMsgMgrMenus::DeleteSelectedTalk()
{
    CWaitCursor wait;
    CMsgFolderTree::Node node;
    // Only a discussion node's data is a talk number: a folder root's data (1, 2, 6, 7) would
    // otherwise name some other talk.
    if (!m_folders.GetSelectedNode(node) || node.nImage != CMsgFolderTree::kTalk)
        return;
    if (QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_MSG_ASK_DELETE_TALK),
                      CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION), &m_frame, MB_OKCANCEL, MB_ICONQUESTION) != IDOK)
        return;
    const CString talkId = m_folders.GetTalkIdByViewId(static_cast<int>(node.nData));
    if (talkId.IsEmpty())
        return;
    CFolderTreeCtrl& tree = m_folders.Tree();
    tree.SendMessage(WM_SETREDRAW, FALSE, 0);
    const bool bDeleted = DeleteTalk(talkId);
    if (bDeleted)
        tree.DeleteItem(node.hItem);
    tree.SendMessage(WM_SETREDRAW, TRUE, 0);
    tree.Invalidate();
    if (!bDeleted)
        QorMessageBox(CQorViewBaseFun::LoadStringW(IDS_MSG_DELETE_TALK_FAILED),
                      CQorViewBaseFun::LoadStringW(IDS_MSGBOX_CAPTION), &m_frame, MB_OK, MB_ICONWARNING);
}

bool CMsgMgrMenus::DeleteTalk(const CString& strTalkId)
{
    CYqConnect* pConnect = CQorViewMgr::Instance()->m_pConnect;
    if (!pConnect || !pConnect->BeginTrans())
        return false;
    const bool bOk = CQorDBBaseFun::DeleteTalkItem(pConnect, strTalkId) &&
                     CQorDBBaseFun::DeleteTalkAttachment(pConnect, strTalkId) &&
                     CQorDBBaseFun::DeleteTalkLog(pConnect, strTalkId) &&
                     CQorDBBaseFun::DeleteTalkMsg(pConnect, strTalkId);
    if (!bOk) {
        pConnect->RollbackTrans();
        return false;
    }
    return pConnect->CommitTrans();
}
