#include "framework/CListBox.h"
#include "framework/ControlMessage.h"
#include "framework/OwnerDrawReflect.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)


BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const { return AfxSendTyped(m_hWnd, LB_GETCOUNT); }
int CListBox::AddString(LPCWSTR lpszItem) { return AfxSendTyped(m_hWnd, LB_ADDSTRING, 0, lpszItem); }
int CListBox::InsertString(int nIndex, LPCWSTR lpszItem) { return AfxSendTyped(m_hWnd, LB_INSERTSTRING, nIndex, lpszItem); }
int CListBox::DeleteString(UINT nIndex) { return AfxSendTyped(m_hWnd, LB_DELETESTRING, nIndex); }
void CListBox::ResetContent() { ::SendMessageW(m_hWnd, LB_RESETCONTENT, 0, 0); }
int CListBox::GetText(int nIndex, LPWSTR lpszBuffer) const { return AfxSendTyped(m_hWnd, LB_GETTEXT, nIndex, lpszBuffer); }
int CListBox::GetTextLen(int nIndex) const { return AfxSendTyped(m_hWnd, LB_GETTEXTLEN, nIndex); }

void CListBox::GetText(int nIndex, CString& rString) const
{
    rString.Empty();
    int len = GetTextLen(nIndex);
    if (len == LB_ERR || len == 0)
        return;
    int n = GetText(nIndex, rString.GetBuffer(len + 1));
    rString.ReleaseBuffer(n == LB_ERR ? 0 : n);
}

DWORD_PTR CListBox::GetItemData(int nIndex) const { return AfxSendTyped<DWORD_PTR>(m_hWnd, LB_GETITEMDATA, nIndex); }
int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) { return AfxSendTyped(m_hWnd, LB_SETITEMDATA, nIndex, dwItemData); }

void* CListBox::GetItemDataPtr(int nIndex) const
{
    LRESULT r = ::SendMessageW(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0);
    return r == LB_ERR ? nullptr : reinterpret_cast<void*>(r);
}

int CListBox::SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData)); }
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const { return AfxSendTyped(m_hWnd, LB_GETITEMRECT, nIndex, lpRect); }
int CListBox::GetItemHeight(int nIndex) const { return AfxSendTyped(m_hWnd, LB_GETITEMHEIGHT, nIndex); }
int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight) { return AfxSendTyped(m_hWnd, LB_SETITEMHEIGHT, nIndex, MAKELPARAM(cyItemHeight, 0)); }

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD r = AfxSendTyped<DWORD>(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(r) != 0;
    return LOWORD(r);
}

int CListBox::FindString(int nStartAfter, LPCWSTR lpszItem) const { return AfxSendTyped(m_hWnd, LB_FINDSTRING, nStartAfter, lpszItem); }
int CListBox::FindStringExact(int nIndexStart, LPCWSTR lpszFind) const { return AfxSendTyped(m_hWnd, LB_FINDSTRINGEXACT, nIndexStart, lpszFind); }
int CListBox::SelectString(int nStartAfter, LPCWSTR lpszItem) { return AfxSendTyped(m_hWnd, LB_SELECTSTRING, nStartAfter, lpszItem); }
int CListBox::GetCurSel() const { return AfxSendTyped(m_hWnd, LB_GETCURSEL); }
int CListBox::SetCurSel(int nSelect) { return AfxSendTyped(m_hWnd, LB_SETCURSEL, nSelect); }
int CListBox::GetSel(int nIndex) const { return AfxSendTyped(m_hWnd, LB_GETSEL, nIndex); }
int CListBox::SetSel(int nIndex, BOOL bSelect) { return AfxSendTyped(m_hWnd, LB_SETSEL, bSelect, nIndex); }
int CListBox::GetSelCount() const { return AfxSendTyped(m_hWnd, LB_GETSELCOUNT); }
int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const { return AfxSendTyped(m_hWnd, LB_GETSELITEMS, nMaxItems, rgIndex); }

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    // LB_SELITEMRANGEEX selects for first <= last and deselects for first > last.
    return bSelect ? AfxSendTyped(m_hWnd, LB_SELITEMRANGEEX, nFirstItem, nLastItem)
                   : AfxSendTyped(m_hWnd, LB_SELITEMRANGEEX, nLastItem, nFirstItem);
}

int CListBox::GetCaretIndex() const { return AfxSendTyped(m_hWnd, LB_GETCARETINDEX); }
int CListBox::SetCaretIndex(int nIndex, BOOL bScroll) { return AfxSendTyped(m_hWnd, LB_SETCARETINDEX, nIndex, MAKELPARAM(!bScroll, 0)); }
int CListBox::GetAnchorIndex() const { return AfxSendTyped(m_hWnd, LB_GETANCHORINDEX); }
void CListBox::SetAnchorIndex(int nIndex) { ::SendMessageW(m_hWnd, LB_SETANCHORINDEX, static_cast<WPARAM>(nIndex), 0); }
int CListBox::GetTopIndex() const { return AfxSendTyped(m_hWnd, LB_GETTOPINDEX); }
int CListBox::SetTopIndex(int nIndex) { return AfxSendTyped(m_hWnd, LB_SETTOPINDEX, nIndex); }
int CListBox::GetHorizontalExtent() const { return AfxSendTyped(m_hWnd, LB_GETHORIZONTALEXTENT); }
void CListBox::SetHorizontalExtent(int cxExtent) { ::SendMessageW(m_hWnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent), 0); }

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectOwnerDraw(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
