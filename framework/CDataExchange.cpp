#include "framework/CDataExchange.h"
#include "framework/CWnd.h"
#include <cerrno>
#include <cwchar>
#include <cwctype>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWnd = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    m_hWndLastControl = hWnd;
    m_bEditLastControl = FALSE;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bFailed)
        return; // the first failing field keeps the focus
    m_bFailed = TRUE;
    if (m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
}

namespace {

CString WindowText(HWND hWnd)
{
    CString s;
    if (!hWnd)
        return s;
    const int nLen = ::GetWindowTextLengthW(hWnd);
    std::wstring buf(static_cast<size_t>(nLen) + 1, L'\0');
    const int nGot = ::GetWindowTextW(hWnd, &buf[0], nLen + 1);
    return CString(buf.c_str(), nGot > 0 ? nGot : 0);
}

// A whole number with optional blanks around it; false for anything else or out of range.
bool ParseSigned(const CString& text, long long lo, long long hi, long long& out)
{
    const wchar_t* p = text.GetString();
    while (std::iswspace(*p))
        ++p;
    if (!*p)
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    long long v = std::wcstoll(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    while (std::iswspace(*end))
        ++end;
    if (*end || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

template <class T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi, bool bSigned)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        // An unsigned field takes no minus sign.
        const CString text = WindowText(hWnd);
        if ((!bSigned && text.Find(L'-') >= 0) || !ParseSigned(text, lo, hi, v)) {
            pDX->Fail();
            return;
        }
        value = static_cast<T>(v);
    } else {
        wchar_t buf[32];
        if (bSigned)
            ::wsprintfW(buf, L"%ld", static_cast<long>(value));
        else
            ::wsprintfW(buf, L"%lu", static_cast<unsigned long>(value));
        ::SetWindowTextW(hWnd, buf);
    }
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWnd);
    else
        ::SetWindowTextW(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value, INT_MIN, INT_MAX, true);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value, 0, UINT_MAX, false);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeNumber(pDX, nIDC, value, LONG_MIN, LONG_MAX, true);
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeNumber(pDX, nIDC, value, 0, ULONG_MAX, false);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(hWnd, BM_GETCHECK, 0, 0));
    } else {
        const int v = (value < 0 || value > 2) ? 0 : value;
        ::SendMessageW(hWnd, BM_SETCHECK, static_cast<WPARAM>(v), 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // Walk the group: from the first button up to the next control that starts a group.
    int iButton = 0;
    do {
        if (::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = iButton;
            } else {
                ::SendMessageW(hWnd, BM_SETCHECK, iButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++iButton;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd && !(::GetWindowLongW(hWnd, GWL_STYLE) & WS_GROUP));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd)
        rControl.SubclassWindow(hWnd);
}

namespace {

void ExchangeIndex(CDataExchange* pDX, int nIDC, int& index, UINT getMsg, UINT setMsg)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(hWnd, getMsg, 0, 0));
    else
        ::SendMessageW(hWnd, setMsg, static_cast<WPARAM>(index), 0);
}

} // namespace

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeIndex(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeIndex(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        // The edit part's text, which is the selected item's text in a drop-down list.
        value = WindowText(hWnd);
        if (value.IsEmpty()) {
            const LRESULT sel = ::SendMessageW(hWnd, CB_GETCURSEL, 0, 0);
            if (sel != CB_ERR) {
                const LRESULT len = ::SendMessageW(hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(sel), 0);
                if (len > 0) {
                    std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
                    ::SendMessageW(hWnd, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(&buf[0]));
                    value = buf.c_str();
                }
            }
        }
    } else {
        // Select the first item that begins with the text; in an editable combo box keep the
        // text itself when no item matches.
        const LRESULT found = ::SendMessageW(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(value.GetString()));
        if (found == CB_ERR)
            ::SetWindowTextW(hWnd, value);
    }
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate) {
        value.Empty();
        const LRESULT sel = ::SendMessageW(hWnd, LB_GETCURSEL, 0, 0);
        if (sel != LB_ERR) {
            const LRESULT len = ::SendMessageW(hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
            if (len > 0) {
                std::wstring buf(static_cast<size_t>(len) + 1, L'\0');
                ::SendMessageW(hWnd, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(&buf[0]));
                value = buf.c_str();
            }
        }
    } else {
        const LRESULT found = ::SendMessageW(hWnd, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(value.GetString()));
        if (found == LB_ERR)
            ::SendMessageW(hWnd, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bFailed)
        return;
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars)
            pDX->Fail();
    } else if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
        ::SendMessageW(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal)
        pDX->Fail();
}
