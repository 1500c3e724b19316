#pragma once
// CQorMsgTitleExDlg: the contact-history list that the base pane shows in place of the title
// list (template 15034). Until the list itself is built this is the empty pane of its template.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CTransparentBkHelper.h"

class CQorMsgBaseDlg;

class CQorMsgTitleExDlg : public CDialog, public CTransparentBkHelper {
public:
    enum { IDD = 15034 };
    explicit CQorMsgTitleExDlg(CWnd* pParent = nullptr);
    ~CQorMsgTitleExDlg() override;

    // The messages exchanged with one contact around one message's date.
    void LoadContactHistoryByDate(const CString& strMsgId, const CString& strSendDate, const CString& strPeerLogin);
    void ExportSelected(BOOL bFlag);
    void DeleteSelected(BOOL bConfirm);

    CQorMsgBaseDlg* m_pBaseDlg = nullptr; // the owning base pane; not owned

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()
};
