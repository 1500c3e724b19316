#include "platform/QorView/CCheckPSWDlg1.h"
#include "framework/ModuleState.h"
#include "standin/QorView/QorViewRes.h"
#include "standin/QorView/QorViewState.h"

using namespace qorview_detail;

CCheckPSWDlg1::CCheckPSWDlg1(CWnd* pParentWnd) : CDialog(IDD_QORVIEW_CHECK_PASSWORD, pParentWnd) {}

INT_PTR CCheckPSWDlg1::DoModal()
{
    Record(L"CCheckPSWDlg1::DoModal");
    LockScript();
    Script& s = GetScript();
    int answer = 0;
    if (!s.passwordPromptAnswers.empty()) {
        answer = s.passwordPromptAnswers.front();
        s.passwordPromptAnswers.pop_front();
    }
    UnlockScript();
    if (answer != 0)
        return answer;
    HINSTANCE old = AfxGetResourceHandle();
    AfxSetResourceHandle(OwnModule());
    INT_PTR result = CDialog::DoModal();
    AfxSetResourceHandle(old);
    return result;
}

BOOL CCheckPSWDlg1::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::SendDlgItemMessageW(m_hWnd, IDC_QORVIEW_PASSWORD, EM_LIMITTEXT, 64, 0);
    return TRUE;
}

// Only the right password closes the prompt with IDOK; a wrong one empties the box.
void CCheckPSWDlg1::OnOK()
{
    wchar_t typed[80] = {};
    ::GetDlgItemTextW(m_hWnd, IDC_QORVIEW_PASSWORD, typed, 80);
    if (m_strPassword == typed) {
        EndDialog(IDOK);
        return;
    }
    ::SetDlgItemTextW(m_hWnd, IDC_QORVIEW_PASSWORD, L"");
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_QORVIEW_PASSWORD));
}
