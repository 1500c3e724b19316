#pragma once
// CNetCheckDlg: the network check (template 192), opened modally after a failed sign-in. As soon
// as it opens, a worker thread runs five checks in order and stops at the first that fails: is
// the core component registered, can its console object be created, does the computer have a
// network address, does the server answer an echo request, does it accept a TCP connection on
// the sign-in port. Each check's picture turns green or red and the text names the cause.
//
// The worker never touches a window: it posts each step's result to the dialog, which updates
// its own controls. Closing the dialog (it may be closed while the worker runs) cancels the
// steps not yet begun and waits for the worker, pumping messages meanwhile, so the worker never
// outlives the object it reads.
#include "framework/CBitmap.h"
#include "framework/CDialog.h"
#include "framework/CStatic.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"
#include "platform/QorView/CTransparentBkHelper.h"
#include "platform/QorView/CWqCriticalSection.h"
#include "platform/QorView/CxButtonBase.h"
#include "platform/QorView/_PROXYINFO.h"
#include <atomic>

class CWinThread;

class CNetCheckDlg : public CDialog, public CTransparentBkHelper {
public:
    // The checks, in the order they run.
    enum Step { STEP_CORE_REGISTERED = 1, STEP_CONSOLE, STEP_NETWORK_ADDRESS, STEP_ECHO, STEP_CONNECT, STEP_COUNT = 5 };
    // What a step came to; a step not run yet keeps the template's look (STATE_NONE).
    enum StepState { STATE_NONE = 0, STATE_PASSED, STATE_FAILED, STATE_SKIPPED };

    // The server of the failed sign-in; the connection step goes through the proxy when its
    // type is not 0.
    explicit CNetCheckDlg(CWnd* pParent = nullptr, const CString& strServerAddr = CString(), int nServerPort = 6660,
                          const _PROXYINFO& proxy = _PROXYINFO());
    ~CNetCheckDlg() override;

    // Runs the check modally for the server of a failed sign-in; the connection step goes through
    // the proxy the network settings stored, when there is one.
    static void RunModal(CWnd* pParent, const CString& strServer, int nPort);

    // The worker: runs the checks for the dialog given as pParam; 1 when all passed, else 0.
    static UINT NetCheckThreadProc(LPVOID pParam);
    // The computer's own host name resolves to an address other than 127.0.0.1.
    BOOL HasNonLoopbackAddress();
    // The server accepts a TCP connection on its port (through the proxy when one is set).
    BOOL TestServerConnect();

    StepState GetStepState(int nStep) const;
    // The worker has ended and the close button is enabled again.
    bool IsFinished() const { return m_bFinished; }
    // The steps not yet begun are skipped (the dialog is closing).
    bool IsCancelled() const { return m_bCancel; }
    // The worker holds its lock for its whole run: true while it runs.
    bool IsWorkerRunning();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}

    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg LRESULT OnStepReport(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRunEnded(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    UINT RunChecks();
    void Report(int nStep, StepState state);
    void ShowStatus(const CString& strText);
    void WaitForWorker();

    CString m_strServerAddr;
    int m_nServerPort;
    _PROXYINFO m_Proxy;        // the proxy of the sign-in; type 0 = direct

    std::atomic<bool> m_bCancel{false};
    CWqCriticalSection m_Lock; // held by the worker for its whole run
    CString m_strStatus;       // text 11142
    CStatic m_Pictures[STEP_COUNT];
    CxButtonBase m_btnClose;
    CWinThread* m_pThread = nullptr; // kept until it has ended (not auto-deleted)
    HWND m_hReportWnd = nullptr;     // where the worker posts; set before it starts
    StepState m_States[STEP_COUNT] = {};
    bool m_bPingSkipped = false;
    bool m_bFinished = false;
    CBitmap m_Bitmaps[3];            // passed, failed, skipped (the pictures only borrow them)
};
