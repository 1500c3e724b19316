#include "app/CQorUpdatePromptDlg.h"
#include "app/CKorvelApp.h"
#include "app/KorvelMessages.h"
#include "platform/QorResource/ResourceIds.h"

CQorUpdatePromptDlg::CQorUpdatePromptDlg() : CDialog(IDD_UPDATE_PROMPT, nullptr) {}

CQorUpdatePromptDlg* CQorUpdatePromptDlg::ShowPrompt()
{
    auto* pDlg = new CQorUpdatePromptDlg;
    if (!pDlg->Create(IDD_UPDATE_PROMPT, &g_wndNull)) {
        delete pDlg;
        return nullptr;
    }
    pDlg->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(pDlg->GetSafeHwnd());
    return pDlg;
}

void CQorUpdatePromptDlg::OnOK()
{
    if (HWND hMain = CKorvelApp::GetMainHwnd())
        ::PostMessageW(hMain, WM_APPLY_UPDATE, 0, 0);
    DestroyWindow();
}

void CQorUpdatePromptDlg::OnCancel()
{
    DestroyWindow();
}

void CQorUpdatePromptDlg::PostNcDestroy()
{
    CDialog::PostNcDestroy();
    delete this;
}
