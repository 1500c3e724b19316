#include "framework/CComboBox.h"
#include "framework/OwnerDrawReflect.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0));
}

int CComboBox::AddString(LPCWSTR lpszString)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::InsertString(int nIndex, LPCWSTR lpszString)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_DELETESTRING, nIndex, 0));
}

void CComboBox::ResetContent()
{
    ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0);
}

int CComboBox::GetLBText(int nIndex, LPWSTR lpszText) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    rString.Empty();
    int len = GetLBTextLen(nIndex);
    if (len == CB_ERR || len == 0)
        return;
    int n = GetLBText(nIndex, rString.GetBuffer(len + 1));
    rString.ReleaseBuffer(n == CB_ERR ? 0 : n);
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(::SendMessageW(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

void* CComboBox::GetItemDataPtr(int nIndex) const
{
    LRESULT r = ::SendMessageW(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0);
    return r == CB_ERR ? nullptr : reinterpret_cast<void*>(r);
}

int CComboBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

int CComboBox::GetItemHeight(int nIndex) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), cyItemHeight));
}

int CComboBox::FindString(int nStartAfter, LPCWSTR lpszString) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::FindStringExact(int nIndexStart, LPCWSTR lpszFind) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}

int CComboBox::SelectString(int nStartAfter, LPCWSTR lpszString)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

int CComboBox::GetTopIndex() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETTOPINDEX, 0, 0));
}

int CComboBox::SetTopIndex(int nIndex)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SETTOPINDEX, static_cast<WPARAM>(nIndex), 0));
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    ::SendMessageW(m_hWnd, CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt), 0);
}

BOOL CComboBox::GetDroppedState() const
{
    return static_cast<BOOL>(::SendMessageW(m_hWnd, CB_GETDROPPEDSTATE, 0, 0));
}

void CComboBox::GetDroppedControlRect(LPRECT lprect) const
{
    ::SendMessageW(m_hWnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect));
}

int CComboBox::GetDroppedWidth() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETDROPPEDWIDTH, 0, 0));
}

int CComboBox::SetDroppedWidth(UINT nWidth)
{
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SETDROPPEDWIDTH, nWidth, 0));
}

BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO pcbi) const
{
    if (!pcbi)
        return FALSE;
    pcbi->cbSize = sizeof(COMBOBOXINFO);
    return ::GetComboBoxInfo(m_hWnd, pcbi);
}

DWORD CComboBox::GetEditSel() const
{
    return static_cast<DWORD>(::SendMessageW(m_hWnd, CB_GETEDITSEL, 0, 0));
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return static_cast<BOOL>(::SendMessageW(m_hWnd, CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar)));
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    return static_cast<BOOL>(::SendMessageW(m_hWnd, CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars), 0));
}

void CComboBox::Clear()
{
    ::SendMessageW(m_hWnd, WM_CLEAR, 0, 0);
}

void CComboBox::Copy()
{
    ::SendMessageW(m_hWnd, WM_COPY, 0, 0);
}

void CComboBox::Cut()
{
    ::SendMessageW(m_hWnd, WM_CUT, 0, 0);
}

void CComboBox::Paste()
{
    ::SendMessageW(m_hWnd, WM_PASTE, 0, 0);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectOwnerDraw(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
