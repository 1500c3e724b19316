#pragma once
// CQorMsgContentDlg: the content of the selected message in the lower half of the base pane
// (template 15010). Until the pane itself is built this is the empty pane of its template; it
// keeps the shown message's id.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CTransparentBkHelper.h"

class IMsgContentOwner;

class CQorMsgContentDlg : public CDialog, public CTransparentBkHelper {
public:
    explicit CQorMsgContentDlg(CWnd* pParent = nullptr);
    ~CQorMsgContentDlg() override;

    // The pane that holds this one; not owned. Set after creation.
    void SetOwner(IMsgContentOwner* pOwner) { m_pOwner = pOwner; }
    IMsgContentOwner* GetOwner() const { return m_pOwner; }

    void ShowMessageContent(CString strMsgID, CString strSenderName, CString strSendDate, CString strReceivers,
                            bool bHasAttach, int nFlags, bool bFromSearch);
    void ClearMessageContent();
    const CString& GetMessageID() const { return m_strMsgID; }

    // The actions of the pane's links on the shown message.
    void ShowConversation();
    void ReplyByChat();
    void WriteToRecipients();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()

    IMsgContentOwner* m_pOwner = nullptr; // not owned
    CString m_strMsgID;
};
