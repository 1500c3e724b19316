#pragma once
// CDownloadAttachProcessDlg: the small modal dialog (template 15027) that shows the progress of
// one attachment download as a bar and a percentage, ends with IDOK once its owner says the
// transfer is complete, and lets the user cancel. The owner creates it, sets itself as owner,
// runs it modally and feeds it from its poll timer and its transfer events.
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "framework/CProgressCtrl.h"
#include "msgcenter/content/IAttachDownloadOwner.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxLabel.h"

class CDownloadAttachProcessDlg : public CQorDlg, public CTransparentBkHelper {
public:
    explicit CDownloadAttachProcessDlg(CWnd* pParent = nullptr);

    // Exactly one of the two is set by the owner after construction; not owned. Cancel goes to
    // the viewer when it is set, else to the content pane.
    void SetViewer(IAttachDownloadOwner* pViewer) { m_pViewer = pViewer; }
    void SetContentPane(IAttachDownloadOwner* pPane) { m_pContentPane = pPane; }

    // Shows done of total bytes as a percentage. A total of 0 or less (the size is not known)
    // shows 0% rather than dividing by it; the dialog never ends here, only CompleteDownload ends
    // it, because a byte count that reaches the size named in a message says nothing about
    // whether the transfer has finished. Ignored once the dialog has no window.
    void UpdateProgress(LONGLONG done, LONGLONG total);
    // The transfer has finished: 100% is shown and the modal run ends with IDOK. Ignored once
    // the dialog has no window.
    void CompleteDownload();

    // The percentage shown for done of total (0 for an unknown total).
    static int Percent(LONGLONG done, LONGLONG total);
    // The text of the percentage label.
    CString GetPercentText() const { return m_strPercent; }
    int GetBarPos() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override;

    afx_msg void OnCancelButton();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CProgressCtrl m_progress; // 1183
    CxButtonBase m_btnCancel; // 1187
    CxLabel m_lblText;        // 1185
    CxLabel m_lblPercent;     // 1184
    CString m_strPercent;     // exchanged with 1184

private:
    IAttachDownloadOwner* m_pViewer = nullptr;      // not owned
    IAttachDownloadOwner* m_pContentPane = nullptr; // not owned
};
