#include "framework/CDialog.h"
#include "framework/CException.h"
#include "framework/CWinThread.h"
#include "framework/ModuleState.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

// The dialog procedure of every framework dialog. The window itself already runs the framework's
// window procedure (the creation hook subclassed it), which passes everything it does not handle
// to the system's dialog procedure, which asks this one: so all that is left here is
// WM_INITDIALOG, whose answer decides the initial focus.
INT_PTR CALLBACK DialogProcThunk(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDlg) {
        // The hook missed the window: the object comes with the message.
        pDlg = reinterpret_cast<CDialog*>(lParam);
        if (!pDlg || !pDlg->SubclassWindow(hWnd))
            return TRUE;
    }
    try {
        return pDlg->OnInitDialog();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return TRUE;
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

LPCDLGTEMPLATE CDialog::LoadTemplate(LPCWSTR lpszTemplateName, HINSTANCE* phInst)
{
    if (!lpszTemplateName)
        return nullptr;
    HINSTANCE candidates[] = {AfxGetResourceHandle(), AfxGetInstanceHandle()};
    for (HINSTANCE hInst : candidates) {
        if (!hInst)
            continue;
        HRSRC hRes = ::FindResourceW(hInst, lpszTemplateName, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
        if (!hRes)
            continue;
        HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
        auto* pTemplate = hGlobal ? static_cast<LPCDLGTEMPLATE>(::LockResource(hGlobal)) : nullptr;
        if (pTemplate) {
            *phInst = hInst;
            return pTemplate;
        }
    }
    return nullptr;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst)
{
    if (m_hWnd || !lpDialogTemplate)
        return FALSE;
    CCreationScope creating(this);
    HookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpDialogTemplate, hWndParent, DialogProcThunk,
                                            reinterpret_cast<LPARAM>(this));
    UnhookWindowCreate();
    if (!hWnd) {
        if (m_hWnd && !::IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    return m_hWnd == hWnd;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE pTemplate = LoadTemplate(lpszTemplateName, &hInst);
    if (!pTemplate)
        return FALSE;
    if (!pParentWnd)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(pTemplate, pParentWnd->GetSafeHwnd(), hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (!pParentWnd)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxGetResourceHandle());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE pTemplate = m_lpDialogTemplate ? m_lpDialogTemplate : LoadTemplate(m_lpszTemplateName, &hInst);
    if (!pTemplate || m_hWnd)
        return -1;

    // The owner is the top-level window of the parent (or of the main window).
    CWnd* pParent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND hWndParent = pParent ? pParent->GetSafeHwnd() : nullptr;
    while (hWndParent && (::GetWindowLongW(hWndParent, GWL_STYLE) & WS_CHILD))
        hWndParent = ::GetParent(hWndParent);
    if (hWndParent && !::IsWindow(hWndParent))
        hWndParent = nullptr;
    bool bEnableParent = false;
    if (hWndParent && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = true;
    }

    m_bModal = TRUE;
    m_nModalResult = -1;
    // Armed before the window exists: an EndDialog from OnInitDialog ends it before the loop runs.
    m_bContinueModal = TRUE;
    INT_PTR nResult = -1;
    if (CreateDlgIndirect(pTemplate, hWndParent, hInst)) {
        if (m_bContinueModal)
            RunModalLoopBody(MLF_SHOWONIDLE);
        nResult = m_nModalResult;
        // Hidden before the owner comes back, so that the activation returns to the owner.
        if (m_hWnd)
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_bModal = FALSE;
    m_bContinueModal = FALSE;
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    // The object may delete itself in PostNcDestroy: nothing of it is used after this.
    DestroyWindow();
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bModal)
        EndModalLoop(nResult);
    else if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    const bool bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                        (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    if (!bInput || !m_hWnd)
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}
