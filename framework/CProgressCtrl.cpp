#include "framework/CProgressCtrl.h"
#include "framework/ControlMessage.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    return CWnd::Create(PROGRESS_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper) { AfxSendTyped(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
void CProgressCtrl::SetRange32(int nLower, int nUpper) { AfxSendTyped(m_hWnd, PBM_SETRANGE32, nLower, nUpper); }

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    AfxSendTyped(m_hWnd, PBM_GETRANGE, FALSE, &range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos() const { return AfxSendTyped(m_hWnd, PBM_GETPOS); }
int CProgressCtrl::SetPos(int nPos) { return AfxSendTyped(m_hWnd, PBM_SETPOS, nPos); }
int CProgressCtrl::OffsetPos(int nPos) { return AfxSendTyped(m_hWnd, PBM_DELTAPOS, nPos); }
int CProgressCtrl::SetStep(int nStep) { return AfxSendTyped(m_hWnd, PBM_SETSTEP, nStep); }
int CProgressCtrl::StepIt() { return AfxSendTyped(m_hWnd, PBM_STEPIT); }
COLORREF CProgressCtrl::SetBarColor(COLORREF clrBar) { return AfxSendTyped<COLORREF>(m_hWnd, PBM_SETBARCOLOR, 0, clrBar); }
COLORREF CProgressCtrl::SetBkColor(COLORREF clrNew) { return AfxSendTyped<COLORREF>(m_hWnd, PBM_SETBKCOLOR, 0, clrNew); }
BOOL CProgressCtrl::SetMarquee(BOOL bOn, UINT nInterval) { return AfxSendTyped<BOOL>(m_hWnd, PBM_SETMARQUEE, bOn, nInterval); }
