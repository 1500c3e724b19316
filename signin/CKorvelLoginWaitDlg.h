#pragma once
// CKorvelLoginWaitDlg: the sign-in progress panel (template 188), laid over the main window's
// client area while a sign-in runs. It plays the waiting animation, shows the stage the
// sign-in has reached (OnLoginProgress, fed by the main window), asks the updater once per run
// when the connection stands, and offers a cancel button; when the sign-in has failed, a
// retry link and a link to the network check appear. Cancelling or failing posts
// WM_LOGIN_CANCEL to the owner, which signs out and returns to the sign-in panel.
//
// Enter and Escape do nothing; the object deletes itself when its window goes, after telling
// its owner.
#include "controls/CStripPicture.h"
#include "framework/CBitmap.h"
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CLabel.h"
#include "platform/QorView/CQorHyperLink.h"
#include "platform/QorView/CQorPicture.h"
#include "platform/QorView/CQorResizer.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxLabel.h"

class ILoginOwner;

class CKorvelLoginWaitDlg : public CDialog, public CTransparentBkHelper {
public:
    // The main window (not owned); without one the links and the updater do nothing.
    explicit CKorvelLoginWaitDlg(ILoginOwner* pOwner = nullptr);

    // Opens the network check for a server, modally over pParent. The dialog itself is
    // installed by whoever provides it (SetNetCheckRunner); without one the link opens nothing.
    using NetCheckRunner = void (*)(CWnd* pParent, const CString& strServer, int nPort);
    static void SetNetCheckRunner(NetCheckRunner pfnRunner);

    // The effect of a progress code beside its text.
    enum StageEffect { STAGE_TEXT, STAGE_UPDATER, STAGE_END, STAGE_ADVANCE, STAGE_CANCEL };
    struct Stage {
        int nCode;
        UINT nTextId; // 0: the text stays
        StageEffect effect;
    };
    // The stage of a code; null for codes that change nothing (4, 12, 14 to 19, unknown).
    static const Stage* FindStage(int nCode);

// Called by the main window
    // Shows the stage of a progress code and does what it calls for; the detail is not used.
    void OnLoginProgress(int nCode, int nDetail);
    // Two texts of the main window that the panel does not keep.
    void SetLoginStrings(const CString& strFirst, const CString& strSecond);
    // Shows the company add-in logo of the key when it differs from the one shown.
    void UpdateAddInLogo(const CString& strCompanyKey);
    // Stops the attempt's timer (the main window does so when it shows a failure).
    void StopAttemptTimer();

// State the main window and the tests read
    bool IsEnded() const { return m_bEnded != 0; }
    bool IsCancelled() const { return m_bCancelled != 0; }
    bool IsAttemptTimerRunning() const { return m_nTimerId != 0; }
    int GetLogoType() const { return m_nLogoType; }
    bool IsAddInLogoLoaded() const { return m_AddInLogo.IsLoaded() != FALSE; }

    // The two texts the error information dialog shows (nothing in the program fills them yet).
    void SetErrorTexts(const CString& strFirst, const CString& strSecond);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void PostNcDestroy() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCancelButton();
    afx_msg LRESULT OnSkinChildClick(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWaitCancel(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ShowStageText(const CString& strText);
    void RunEndSequence();
    void RunUpdaterCheck();
    void Retry();
    void OpenNetCheckOrErrorInfo();
    void CancelSignIn();
    void PostToOwner(UINT uMsg);

    CStripPicture m_picAnimation;
    CLabel m_lblStage;
    CxButtonBase m_btnCancel;
    CQorHyperLink m_lnkRetry;
    CQorHyperLink m_lnkNetCheck;
    CxLabel m_lblLogo;
    CQorResizer m_Resizer;
    CQorPicture m_AddInLogo;
    CBitmap m_bmpDefaultLogo;

    UINT_PTR m_nTimerId = 0;
    BYTE m_bEnded = 0;
    BYTE m_bCancelled = 0;
    int m_nLogoType = 0;
    CString m_strLogoPath;

    ILoginOwner* m_pOwner;   // not owned; null: no main window
    CString m_strErrorText1; // shown by the error information dialog
    CString m_strErrorText2;

    static NetCheckRunner s_pfnNetCheck;
};
