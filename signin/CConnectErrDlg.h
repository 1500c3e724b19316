#pragma once
// CConnectErrDlg: the reconnect countdown panel (template 15024) that the main window lays over
// its client area when the connection was lost or a sign-in failed in a way worth another try.
// It counts the delay of this attempt down second by second (CReconnectCountdown) and then
// asks its owner to sign in again; the user can sign in at once or give up (which signs out).
//
// Enter and Escape do nothing; the object deletes itself when its window goes, after telling
// its owner.
#include "framework/CDialog.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CQorResizer.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/CxLabel.h"
#include "signin/CReconnectCountdown.h"

class ILoginOwner;

class CConnectErrDlg : public CDialog, public CTransparentBkHelper {
public:
    enum { kTimerId = 100, kTimerMs = 1000 };

    // The main window (not owned); without one the buttons do nothing.
    explicit CConnectErrDlg(ILoginOwner* pOwner = nullptr);

    // nReset forgets the earlier attempts; nStart non-zero counts one more attempt and starts
    // its countdown, zero stops the countdown.
    void StartReconnectCountdown(int nStart, int nReset);
    // Stops the countdown's timer when one runs.
    void StopReconnectCountdown();
    // Stops the countdown, then destroys the window.
    BOOL DestroyWindow() override;

    const CReconnectCountdown& GetCountdown() const { return m_Countdown; }
    bool IsCounting() const { return m_nTimerId != 0; }

    // The error that brought the panel up.
    void SetErrorCode(int nError) { m_nErrorCode = nError; }
    int GetErrorCode() const { return m_nErrorCode; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void PostNcDestroy() override;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnGiveUp();
    afx_msg void OnReconnectNow();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void ShowRemaining();
    HWND OwnerWnd() const;

    ILoginOwner* m_pOwner; // not owned; null: no main window
    int m_nErrorCode = 0;
    CReconnectCountdown m_Countdown;
    UINT_PTR m_nTimerId = 0;
    CQorResizer m_Resizer;
    CxLabel m_lblCountdown;
    CxLabel m_lblText1;
    CxLabel m_lblText2;
    CxLabel m_lblText3;
    CxLabel m_lblLogo;
    CxButtonBase m_btnGiveUp;
    CxButtonBase m_btnReconnect;
};
