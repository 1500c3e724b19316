#include "msgcenter/titlelist/CMsgTaskWaiting.h"
#include "framework/CFileDialog.h"
#include "controls/CWaitingDlg.h"
#include "platform/QorResource/MsgReadResourceIds.h"
#include "platform/QorResource/ResourceIds.h"
#include "platform/QorView/CQorViewBaseFun.h"

CMsgTaskWaiting::~CMsgTaskWaiting()
{
    delete m_pDlg;
}

void CMsgTaskWaiting::Show(CWnd* pPane, CWnd* pManager, const CString& strText)
{
    if (!m_pDlg) {
        m_pDlg = new CWaitingDlg(pPane);
        m_pDlg->SetOwner(pPane);
    }
    m_pDlg->SetText(strText);
    if (!m_pDlg->GetSafeHwnd())
        m_pDlg->Create(IDD_WAITING, pPane);
    else
        m_pDlg->UpdateData(FALSE);
    m_pDlg->ShowWindow(SW_SHOW);
    if (pManager)
        pManager->EnableWindow(FALSE);
}

void CMsgTaskWaiting::SetRange(int nCount)
{
    if (m_pDlg && m_pDlg->GetSafeHwnd())
        m_pDlg->SetRange(nCount);
}

void CMsgTaskWaiting::SetPos(int nPos)
{
    if (m_pDlg && m_pDlg->GetSafeHwnd())
        m_pDlg->SetPos(nPos);
}

void CMsgTaskWaiting::Destroy()
{
    if (!m_pDlg)
        return;
    if (m_pDlg->GetSafeHwnd())
        m_pDlg->DestroyWindow();
    delete m_pDlg;
    m_pDlg = nullptr;
}

void CMsgTaskWaiting::Close(CWnd* pManager)
{
    Destroy();
    if (pManager) {
        pManager->ShowWindow(pManager->IsIconic() ? SW_RESTORE : SW_SHOW);
        pManager->EnableWindow(TRUE);
        pManager->SetFocus();
    }
}

bool CMsgTaskWaiting::AskExportPath(CWnd* pParent, CString& strPath)
{
    CFileDialog dlg(FALSE, L".rtf", nullptr, 0x8080E, CQorViewBaseFun::LoadStringW(IDS_EXPORT_FILTER), pParent);
    CString title = CQorViewBaseFun::LoadStringW(IDS_EXPORT_TITLE);
    dlg.m_ofn.lpstrTitle = title;
    if (dlg.DoModal() != IDOK)
        return false;
    strPath = dlg.GetPathName();
    return true;
}
