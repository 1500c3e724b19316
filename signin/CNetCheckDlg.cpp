#include "signin/CNetCheckDlg.h"
#include "common/CRegistryKey.h"
#include "common/CWqStringMgr.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "framework/CWinThread.h"
#include "framework/FormatString.h"
#include "platform/QorCore/IQorConsole.h"
#include "platform/QorCore/QorCoreIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "signin/CClientSyscSock.h"
#include "signin/IcmpEcho.h"
#include <ole2.h>

namespace {

// Worker -> dialog: one step's result (wParam the step, lParam its StepState), and the end of
// the run (wParam 1 when every check passed).
const UINT WM_NETCHECK_STEP = WM_USER + 1501;
const UINT WM_NETCHECK_ENDED = WM_USER + 1502;

const int kEchoRequests = 5;

// The picture control of each step, in step order.
const UINT kPictureIds[CNetCheckDlg::STEP_COUNT] = {IDC_NETCHECK_CORE, IDC_NETCHECK_CONSOLE, IDC_NETCHECK_NETWORK,
                                                    IDC_NETCHECK_ECHO, IDC_NETCHECK_CONNECT};

// The core component's console object, as a test that the component is installed and runs.
// Null when it cannot be created.
IQorConsole* CreateConsole()
{
    CLSID clsid;
    HRESULT hr = kProgIdQorConsole[0] == L'{' ? ::CLSIDFromString(kProgIdQorConsole, &clsid)
                                              : ::CLSIDFromProgID(kProgIdQorConsole, &clsid);
    if (FAILED(hr))
        return nullptr;
    IUnknown* pUnknown = nullptr;
    const DWORD context = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
    if (FAILED(::CoCreateInstance(clsid, nullptr, context, IID_IUnknown, reinterpret_cast<void**>(&pUnknown))))
        return nullptr;
    IQorConsole* pConsole = nullptr;
    if (SUCCEEDED(::OleRun(pUnknown)))
        pUnknown->QueryInterface(IID_IQorConsole, reinterpret_cast<void**>(&pConsole));
    pUnknown->Release();
    return pConsole;
}

} // namespace

BEGIN_MESSAGE_MAP(CNetCheckDlg, CDialog)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_NETCHECK_STEP, &CNetCheckDlg::OnStepReport)
    ON_MESSAGE(WM_NETCHECK_ENDED, &CNetCheckDlg::OnRunEnded)
END_MESSAGE_MAP()

CNetCheckDlg::CNetCheckDlg(CWnd* pParent, const CString& strServerAddr, int nServerPort, const _PROXYINFO& proxy)
    : CDialog(IDD_NET_CHECK, pParent), m_strServerAddr(strServerAddr), m_nServerPort(nServerPort), m_Proxy(proxy)
{
}

CNetCheckDlg::~CNetCheckDlg()
{
    // A dialog object dropped without its window ever going through WM_DESTROY still must not
    // leave a worker reading it.
    m_bCancel = true;
    if (m_pThread) {
        ::WaitForSingleObject(m_pThread->m_hThread, INFINITE);
        delete m_pThread;
    }
}

void CNetCheckDlg::RunModal(CWnd* pParent, const CString& strServer, int nPort)
{
    _PROXYINFO proxy;
    CQorViewBaseFun::LoadProxy(proxy);
    CNetCheckDlg dlg(pParent, strServer, nPort, proxy);
    dlg.DoModal();
}

bool CNetCheckDlg::IsWorkerRunning()
{
    if (!m_Lock.TryLock())
        return true;
    m_Lock.Unlock();
    return false;
}

void CNetCheckDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < STEP_COUNT; ++i)
        DDX_Control(pDX, kPictureIds[i], m_Pictures[i]);
    DDX_Control(pDX, IDCANCEL, m_btnClose);
    DDX_Text(pDX, IDC_NETCHECK_STATUS, m_strStatus);
}

BOOL CNetCheckDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    _Init(this);
    m_btnClose.SetSkin(L"xButtonSetDlg");
    m_btnClose.SetTextColor(static_cast<COLORREF>(-1));
    const UINT bitmapIds[3] = {IDB_NETCHECK_PASSED, IDB_NETCHECK_FAILED, IDB_NETCHECK_SKIPPED};
    for (int i = 0; i < 3; ++i) {
        if (!m_Bitmaps[i].GetSafeHandle())
            m_Bitmaps[i].LoadBitmap(bitmapIds[i]);
    }

    // The close button waits for the end of the run; Escape still closes the dialog.
    m_btnClose.EnableWindow(FALSE);
    m_hReportWnd = m_hWnd;
    m_pThread = AfxBeginThread(&CNetCheckDlg::NetCheckThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pThread) {
        m_pThread->m_bAutoDelete = FALSE;
        m_pThread->ResumeThread();
    } else {
        m_btnClose.EnableWindow(TRUE);
        m_bFinished = true;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// The worker

UINT CNetCheckDlg::NetCheckThreadProc(LPVOID pParam) { return static_cast<CNetCheckDlg*>(pParam)->RunChecks(); }

UINT CNetCheckDlg::RunChecks()
{
    HRESULT hrCom = ::CoInitialize(nullptr);
    // Windows Sockets serves the address, echo and connection steps: started before the first.
    WSADATA wsa;
    bool socketsStarted = ::WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
    IQorConsole* pConsole = nullptr;
    UINT result = 0;
    {
        CWqCriticalSection::Owner hold(m_Lock);
        do {
            CRegistryKey registrar;
            bool ok = !m_bCancel && registrar.Open(HKEY_CLASSES_ROOT, L"ATL.Registrar", KEY_READ);
            registrar.Close();
            Report(STEP_CORE_REGISTERED, ok ? STATE_PASSED : STATE_FAILED);
            if (!ok)
                break;

            pConsole = m_bCancel ? nullptr : CreateConsole();
            Report(STEP_CONSOLE, pConsole ? STATE_PASSED : STATE_FAILED);
            if (!pConsole)
                break;

            ok = !m_bCancel && socketsStarted && HasNonLoopbackAddress();
            Report(STEP_NETWORK_ADDRESS, ok ? STATE_PASSED : STATE_FAILED);
            if (!ok)
                break;

            PingOutcome echo = kPingNoReply;
            if (!m_bCancel && !m_strServerAddr.IsEmpty()) {
                auto host = CWqStringMgr::WideToAnsiTemp(m_strServerAddr);
                if (host)
                    echo = PingHost(kEchoRequests, host.get(), &m_bCancel);
            }
            // Without the right to send echo requests the step proves nothing either way: it
            // says so, and the connection step decides.
            Report(STEP_ECHO, echo == kPingReplied ? STATE_PASSED
                              : echo == kPingNotAllowed ? STATE_SKIPPED
                                                        : STATE_FAILED);
            if (echo == kPingNoReply)
                break;

            ok = !m_bCancel && TestServerConnect();
            Report(STEP_CONNECT, ok ? STATE_PASSED : STATE_FAILED);
            result = ok ? 1 : 0;
        } while (false);
        if (pConsole)
            pConsole->Release();
    }
    if (socketsStarted)
        ::WSACleanup();
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    ::PostMessageW(m_hReportWnd, WM_NETCHECK_ENDED, result, 0);
    return result;
}

void CNetCheckDlg::Report(int nStep, StepState state)
{
    // Posted, never sent: the user-interface thread may be waiting for this thread.
    ::PostMessageW(m_hReportWnd, WM_NETCHECK_STEP, static_cast<WPARAM>(nStep), static_cast<LPARAM>(state));
}

BOOL CNetCheckDlg::HasNonLoopbackAddress()
{
    char name[260] = {};
    if (::gethostname(name, sizeof(name)) != 0)
        return FALSE;
    name[sizeof(name) - 1] = '\0';
    // A computer whose own name does not resolve has no usable address either.
    hostent* host = ::gethostbyname(name);
    if (!host)
        return FALSE;
    if (host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list || !host->h_addr_list[0])
        return TRUE;
    in_addr first;
    memcpy(&first, host->h_addr_list[0], 4);
    const char* dotted = ::inet_ntoa(first);
    return !(dotted && strcmp(dotted, "127.0.0.1") == 0);
}

BOOL CNetCheckDlg::TestServerConnect()
{
    CClientSyscSock probe;
    if (m_Proxy.nType != 0)
        probe.SetProxy(m_Proxy.nFlag, m_Proxy.strHost, m_Proxy.nPort, m_Proxy.strUser, m_Proxy.strPassword);
    return probe.Resolve(m_strServerAddr, m_nServerPort) == 1 && probe.Connect() == 1;
}

// ---------------------------------------------------------------------------------------------
// The dialog's side

CNetCheckDlg::StepState CNetCheckDlg::GetStepState(int nStep) const
{
    return nStep >= 1 && nStep <= STEP_COUNT ? m_States[nStep - 1] : STATE_NONE;
}

LRESULT CNetCheckDlg::OnStepReport(WPARAM wParam, LPARAM lParam)
{
    int step = static_cast<int>(wParam);
    auto state = static_cast<StepState>(lParam);
    if (step < 1 || step > STEP_COUNT || state < STATE_PASSED || state > STATE_SKIPPED)
        return 0;
    m_States[step - 1] = state;
    CStatic& picture = m_Pictures[step - 1];
    if (picture.GetSafeHwnd()) {
        picture.SetBitmap(m_Bitmaps[state - STATE_PASSED]);
        picture.RedrawWindow();
    }

    CString product = CQorViewBaseFun::LoadStringW(IDS_PRODUCT_TITLE);
    CString text;
    if (state == STATE_SKIPPED) {
        m_bPingSkipped = true;
        text = CQorViewBaseFun::LoadStringW(IDS_NETCHECK_ECHO_NOT_ALLOWED);
    } else if (state == STATE_FAILED) {
        switch (step) {
        case STEP_CORE_REGISTERED:
        case STEP_CONSOLE:
            AfxFormatString2(text, IDS_NETCHECK_NOT_INSTALLED, product, product);
            break;
        case STEP_NETWORK_ADDRESS:
            text = CQorViewBaseFun::LoadStringW(IDS_NETCHECK_NO_NETWORK);
            break;
        case STEP_ECHO:
            AfxFormatString1(text, IDS_NETCHECK_NO_ECHO, product);
            break;
        default:
            AfxFormatString1(text, IDS_NETCHECK_NO_CONNECT, product);
            break;
        }
    } else if (step == STEP_CONNECT) {
        text = CQorViewBaseFun::LoadStringW(m_bPingSkipped ? IDS_NETCHECK_PASSED_NO_ECHO : IDS_NETCHECK_PASSED);
    } else {
        return 0;
    }
    ShowStatus(text);
    return 0;
}

LRESULT CNetCheckDlg::OnRunEnded(WPARAM, LPARAM)
{
    m_bFinished = true;
    if (m_btnClose.GetSafeHwnd())
        m_btnClose.EnableWindow(TRUE);
    return 0;
}

void CNetCheckDlg::ShowStatus(const CString& strText)
{
    m_strStatus = strText;
    HWND hText = ::GetDlgItem(m_hWnd, IDC_NETCHECK_STATUS);
    if (!hText)
        return;
    ::SetWindowTextW(hText, strText);
    // The label has no background of its own: the dialog repaints what lies under it, so the
    // old text goes.
    RECT rc;
    ::GetWindowRect(hText, &rc);
    ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    ::RedrawWindow(m_hWnd, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CNetCheckDlg::OnDestroy()
{
    m_bCancel = true;
    WaitForWorker();
    CDialog::OnDestroy();
}

void CNetCheckDlg::WaitForWorker()
{
    if (!m_pThread)
        return;
    // The worker may be in a step that takes seconds; the windows of this thread keep being
    // served meanwhile (the worker's own reports among them).
    HANDLE hThread = m_pThread->m_hThread;
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        DWORD r = ::MsgWaitForMultipleObjectsEx(1, &hThread, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (r != WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    // A quit request that arrived meanwhile belongs to the loop outside.
    if (quit)
        ::PostQuitMessage(static_cast<int>(quitCode));
    delete m_pThread;
    m_pThread = nullptr;
}

void CNetCheckDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawParentBackground(this, &dc);
}

HBRUSH CNetCheckDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
