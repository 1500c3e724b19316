#pragma once
// CMyWebDlg: a dialog (template IDD_WEB_DIALOG) that shows one web page in a CWqWebBrowse over
// its whole client area, sized and captioned by a feature text in the manner of a page's modal
// dialog: "dialogWidth=400;dialogHeight=300;Caption=Orders;scrollbars=no".
//
//     CMyWebDlg* dlg = new CMyWebDlg(pOwner);
//     dlg->SetUrl(L"orders.html");             // read against the opener's page
//     dlg->SetFeatures(features);
//     dlg->SetOpener(openerWindow);             // optional: a page's window object
//     if (!dlg->Create(pOwner)) delete dlg;     // modeless: it deletes itself when it goes
//
// The page's window.external is the view library's web extension object (answering
// OnWebCommand and HostWindow by name), given only to blank pages and to pages of the
// opener's origin (of the dialog's own address when there is no opener): a page navigated
// elsewhere gets none. A dialog whose browser cannot be made (no HTML engine) destroys itself
// while it starts.
#include "controls/CWqWebBrowse.h"
#include "framework/CDialog.h"

class CMyWebDlg : public CDialog {
    DECLARE_DYNAMIC(CMyWebDlg)
public:
    explicit CMyWebDlg(CWnd* pParent = nullptr);
    ~CMyWebDlg() override;

    // Modeless: the object deletes itself when its window goes (not when Create fails).
    BOOL Create(CWnd* pParentWnd);
    // The page window that opened the dialog (its document gives the base address, and new
    // pages get it as their opener); a reference is held.
    void SetOpener(IDispatch* pOpener);

    // The page to show; a relative address is read against the opener's page when the dialog
    // starts, and GetUrl answers the resolved one from then on.
    void SetUrl(const CString& strUrl) { m_strUrl = strUrl; }
    const CString& GetUrl() const { return m_strUrl; }
    // The opener's document address, read when the dialog starts.
    const CString& GetBaseUrl() const { return m_strBaseUrl; }
    // The feature text that ParseDialogFeatures reads.
    void SetFeatures(const CString& strFeatures) { m_strFeatures = strFeatures; }
    // Where the dialog goes: x and y both -1 centre it (the default).
    void SetPosition(int x, int y) { m_nX = x; m_nY = y; }

    // Reads the feature text: items split at ";" or ",", each "key=value" (keys in any case):
    // dialogWidth, dialogHeight, Caption, scrollbars=no.
    void ParseDialogFeatures();
    // What the features asked for: the size (0: the template's), the caption, no scroll bars.
    int GetDialogWidth() const { return m_nDialogWidth; }
    int GetDialogHeight() const { return m_nDialogHeight; }
    const CString& GetCaption() const { return m_strCaption; }
    int GetNoScrollBars() const { return m_bNoScrollBars; }
    // The browser over the client area.
    CWqWebBrowse& GetBrowser() { return m_browse; }
    // Where a window of the size goes: centred on the work area for x and y both -1, else at
    // x, y moved back inside the work area (left and top edges first when it is too big).
    static CRect PlaceOnScreen(const CRect& workArea, int x, int y, int cx, int cy);
    // The document address of a page window (its document's URL); empty when it has none.
    static CString ReadOpenerUrl(IDispatch* pOpener);

protected:
    BOOL OnInitDialog() override;
    // The dialog has no buttons: Enter belongs to the page, not to the dialog.
    void OnOK() override {}
    void OnCancel() override;
    void PostNcDestroy() override;
    // Makes the browser window over the client area; FALSE when it cannot be made.
    virtual BOOL CreateBrowser(const CRect& rect);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnBeforeNavigate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTitleChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strBaseUrl;   // the opener's document address
    CString m_strUrl;       // the page to show (resolved against the base when relative)
    CString m_strFeatures;
    CString m_strExtra;     // kept for the caller; not read
    int m_nX = -1;          // -1 with m_nY -1: centred
    int m_nY = -1;
    int m_nDialogWidth = 0; // 0: the template's size
    int m_nDialogHeight = 0;
    int m_bNoScrollBars = 0;
    CString m_strCaption;
    IDispatch* m_pExternal = nullptr; // the web extension object given to pages (a reference)
    IDispatch* m_pOpener = nullptr;   // a reference
    CWqWebBrowse m_browse;
    BOOL m_bModeless = FALSE;
};
