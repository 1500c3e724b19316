#pragma once
// CQorMsgWebMsgDlg: the pane that shows, for the person selected in the organisation pane, the
// manager's roaming-history web page (template 199), through the core component's web control
// ("QorCore.QorWebCtl"). The control and its one window are made on the first person shown;
// each later person moves that window onto the frame and navigates it. The pane deletes itself
// when its window goes.
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorCore/IQorWebCtl.h"
#include <string>

class CQorMsgWebMsgDlg : public CDialog {
public:
    enum { IDD = 199 };
    explicit CQorMsgWebMsgDlg(CWnd* pParent = nullptr);
    ~CQorMsgWebMsgDlg() override;

    // The page address of a person: the view library's template with its placeholders filled,
    // the person's id as percent-encoded UTF-8.
    CString BuildUrl(const CString& strPerson);
    bool CreateWebControl();
    bool AttachWebControl();
    // Percent-encodes bytes for a URL: every byte outside the unreserved set (letters, digits,
    // "-", ".", "_", "~") becomes "%" and two upper-case hexadecimal digits, so no text can add
    // a "&", "=", "#" or "/" of its own. False (and an empty text) for no bytes.
    static bool UrlEncodeUtf8(CString& strOut, const unsigned char* pBytes, size_t nCount);

    // The person last shown; empty for none.
    const CString& GetPerson() const { return m_strPerson; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void PostNcDestroy() override;
    bool FrameRect(RECT* pRect) const;

    afx_msg LRESULT OnShowPerson(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    IQorWebCtl* m_pWebCtl = nullptr; // one reference, released by the destructor
    CString m_strUrl;                // the address last built
    CString m_strPerson;             // the person last shown; empty for none
    bool m_bCtlWindow = false;       // the control's window exists
};
