#pragma once
// CMsgReadStateDlg: which receivers of one sent message have opened it, and when. Modal,
// created on the stack by the title list, the content pane and the contact history with
// themselves as parent; it reads qor_Msg_Recv once, when it opens.
#include "framework/CImageList.h"
#include "controls/CWqMsgListCtrl.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxFrameHelper.h"
#include <vector>

class CMsgReadStateDlg : public CQorDlg, public CxFrameHelper {
public:
    explicit CMsgReadStateDlg(CWnd* pParent = nullptr);
    ~CMsgReadStateDlg() override;

    // The sent message whose receipts are shown; set before DoModal.
    void SetMsgID(const CString& strMsgID) { m_strMsgID = strMsgID; }
    // The list of receipts, for tests that read it.
    CWqMsgListCtrl& GetList() { return m_list; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void LoadReceipts();

    CString m_strMsgID;
    CImageList m_imageList;
    CWqMsgListCtrl m_list;
    CxButtonBase m_btnClose;

    // The rows the list shows (it asks for them: an owner-data list).
    struct Row {
        CString state, name, time;
        int icon = 0;
    };
    std::vector<Row> m_rows;
};
