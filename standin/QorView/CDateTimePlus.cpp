#include "platform/QorView/CDateTimePlus.h"
#include "standin/QorView/QorViewState.h"
#include <commctrl.h>

void CDateTimePlus::SetDropDownColors(COLORREF crHeaderBk, COLORREF crSelected, COLORREF crHover)
{
    m_cr[0] = crHeaderBk;
    m_cr[1] = crSelected;
    m_cr[2] = crHover;
}

COLORREF CDateTimePlus::GetDropDownColor(int nWhich) const
{
    return nWhich >= 0 && nWhich < 3 ? m_cr[nWhich] : CLR_INVALID;
}

BOOL CDateTimePlus::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!CWnd::Create(DATETIMEPICK_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    ::SendMessageW(m_hWnd, DTM_SETMCCOLOR, MCSC_TITLEBK, static_cast<LPARAM>(m_cr[0]));
    return TRUE;
}

BOOL CDateTimePlus::SetDate(int nYear, int nMonth, int nDay)
{
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(nYear);
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDay);
    return ::IsWindow(m_hWnd) && ::SendMessageW(m_hWnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

CString CDateTimePlus::FormatDate(LPCWSTR lpszFormat) const
{
    SYSTEMTIME st = {};
    if (!::IsWindow(m_hWnd) || ::SendMessageW(m_hWnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        return CString();
    CString out;
    for (const wchar_t* p = lpszFormat; p && *p; ++p) {
        if (*p == L'%' && p[1]) {
            CString part;
            switch (*++p) {
            case L'Y': part.Format(L"%04d", st.wYear); break;
            case L'm': part.Format(L"%02d", st.wMonth); break;
            case L'd': part.Format(L"%02d", st.wDay); break;
            default: part += L'%'; part += *p; break;
            }
            out += part;
        } else {
            out += *p;
        }
    }
    return out;
}
