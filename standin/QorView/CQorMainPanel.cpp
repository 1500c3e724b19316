#include "standin/QorView/CQorMainPanel.h"
#include "framework/ModuleState.h"
#include "platform/QorView/QorViewMessages.h"
#include "standin/QorView/QorViewRes.h"
#include "standin/QorView/QorViewState.h"

using qorview_detail::MainWindow;
using qorview_detail::OwnModule;
using qorview_detail::Record;

BEGIN_MESSAGE_MAP(CQorMainPanel, CDialog)
    ON_BN_CLICKED(IDC_QORVIEW_MAIN_MESSAGES, &CQorMainPanel::OnMessages)
END_MESSAGE_MAP()

// The panel's template lives in QorView.dll itself, whatever the resource module is.
CQorMainPanel::CQorMainPanel() : CDialog(IDD_QORVIEW_MAIN_PANEL, nullptr) {}

CQorMainPanel::~CQorMainPanel()
{
    Close();
}

BOOL CQorMainPanel::Open(CWnd* pParent, const RECT& rc)
{
    if (!m_hWnd) {
        HINSTANCE old = AfxGetResourceHandle();
        AfxSetResourceHandle(OwnModule());
        const BOOL created = Create(IDD_QORVIEW_MAIN_PANEL, pParent);
        AfxSetResourceHandle(old);
        if (!created)
            return FALSE;
    }
    Place(rc);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CQorMainPanel::Place(const RECT& rc)
{
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOACTIVATE);
}

BOOL CQorMainPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A panel destroyed with its parent window left the old box attached.
    if (m_wndEdit.GetSafeHwnd())
        m_wndEdit.Detach();
    m_wndEdit.Attach(::GetDlgItem(m_hWnd, IDC_QORVIEW_MAIN_EDIT));
    return TRUE;
}

void CQorMainPanel::ShowAccount(const CString& strUser, const CString& strStatus, const CString& strServer)
{
    if (!m_hWnd)
        return;
    ::SetDlgItemTextW(m_hWnd, IDC_QORVIEW_MAIN_USER, strUser);
    ::SetDlgItemTextW(m_hWnd, IDC_QORVIEW_MAIN_STATUS, strStatus);
    ::SetDlgItemTextW(m_hWnd, IDC_QORVIEW_MAIN_SERVER, strServer);
}

void CQorMainPanel::Close()
{
    if (m_wndEdit.GetSafeHwnd())
        m_wndEdit.Detach();
    if (m_hWnd)
        DestroyWindow();
}

void CQorMainPanel::OnMessages()
{
    Record(L"CQorMainPanel::OnMessages");
    // The request text travels as a pointer: an empty text that lives as long as the library.
    static const wchar_t kEmptyRequest[] = L"";
    if (HWND hMain = MainWindow())
        ::PostMessageW(hMain, WM_OPEN_MSG_MANAGER, reinterpret_cast<WPARAM>(kEmptyRequest), 0);
}
