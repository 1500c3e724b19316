#pragma once
// The sign-in panels' owner in the tests: a real top-level window from the main window's
// template with the frame bases, implementing ILoginOwner over plain fields that a test sets
// and reads, and recording the messages the panels send it. Every sign-in panel test uses
// this one owner; a new ILoginOwner operation gets its field here.
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CQorDlg.h"
#include "platform/QorView/CxFrameHelper.h"
#include "platform/QorView/_PROXYINFO.h"
#include "signin/ILoginOwner.h"

class TestLoginOwner : public CQorDlg, public CxFrameHelper, public ILoginOwner {
public:
    TestLoginOwner();
    void OnOK() override {}
    void OnCancel() override {}

    CWnd* GetLoginOwnerWnd() override { return this; }
    CxFrameHelper* GetFrameHelper() override { return this; }
    void EnableMaximumSize(bool bEnable) override { CWqCoolDlg::EnableMaximumSize(bEnable); }
    void OnLoginPanelGone(CDialog* pPanel) override
    {
        for (CDialog** ppPanel : {&pLoginDlg, &pWaitDlg, &pConnectErrDlg}) {
            if (*ppPanel == pPanel)
                *ppPanel = nullptr;
        }
    }
    LoginFields GetLoginFields() const override { return fields; }
    void SetLoginFields(const LoginFields& newFields) override { fields = newFields; }
    void SetProxyInfo(const _PROXYINFO& newProxy) override;
    int GetStartupFlags() const override { return startupFlags; }
    CString GetLanguage() const override { return language; }
    void RetryLogin() override { ++retries; }
    bool IsUpdaterDone() const override { return updaterDone; }
    int GetVersionCode() const override { return 41362; }
    void SetPanelSizeClass(int nClass) override { sizeClass = nClass; }
    void SetReconnectAttempt() override { reconnectAttempt = true; }
    void RequestExit() override { ++exits; }

    LoginFields fields;
    _PROXYINFO proxy;
    int proxySets = 0;
    CDialog* pLoginDlg = nullptr;
    CDialog* pWaitDlg = nullptr;       // the progress panel
    CDialog* pConnectErrDlg = nullptr; // the reconnect panel
    int startupFlags = 0;
    bool updaterDone = false;
    // A sign-out (WM_LOGIN_CANCEL) destroys the reconnect panel, as the main window's does.
    bool destroyReconnectPanelOnCancel = false;
    CString language = L"CHS";

    // What the panels sent or asked for.
    int loginStarts = 0;
    int loginCancels = 0;
    int exits = 0;
    int retries = 0;
    int sizeClass = -1;
    bool reconnectAttempt = false;
    int captionDrags = 0;
    WPARAM dragHitTest = 0;
    LPARAM dragPoint = 0;

protected:
    afx_msg LRESULT OnStartLogin(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLoginCancel(WPARAM wParam, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg LRESULT OnNcLButtonDown(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
