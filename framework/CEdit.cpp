#include "framework/CEdit.h"
#include "framework/HandleMap.h"
#include <commctrl.h>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit* CEdit::FromHandle(HWND hWnd)
{
    CObject* pOwner = AfxLookupPermanentHandle(AfxHandleKind::Window, hWnd);
    if (pOwner && !dynamic_cast<CEdit*>(pOwner))
        return nullptr;
    return AfxFromHandle<CEdit>(
        AfxHandleKind::Window, hWnd, [](CEdit* p, HWND h) { p->m_hWnd = h; },
        [](CEdit* p) { p->m_hWnd = nullptr; });
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    ::SendMessageW(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(::SendMessageW(m_hWnd, EM_GETSEL, 0, 0));
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStartChar), static_cast<LPARAM>(nEndChar));
    if (!bNoScroll)
        ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel(static_cast<int>(static_cast<short>(LOWORD(dwSelection))),
           static_cast<int>(static_cast<short>(HIWORD(dwSelection))), bNoScroll);
}

void CEdit::ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessageW(m_hWnd, EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText ? lpszNewText : L""));
}

void CEdit::LimitText(int nChars)
{
    ::SendMessageW(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

void CEdit::SetLimitText(UINT nMax)
{
    ::SendMessageW(m_hWnd, EM_SETLIMITTEXT, nMax, 0);
}

UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(::SendMessageW(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_SETREADONLY, static_cast<WPARAM>(bReadOnly), 0));
}

void CEdit::SetPasswordChar(wchar_t ch)
{
    ::SendMessageW(m_hWnd, EM_SETPASSWORDCHAR, ch, 0);
}

wchar_t CEdit::GetPasswordChar() const
{
    return static_cast<wchar_t>(::SendMessageW(m_hWnd, EM_GETPASSWORDCHAR, 0, 0));
}

BOOL CEdit::GetModify() const
{
    return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_GETMODIFY, 0, 0));
}

void CEdit::SetModify(BOOL bModified)
{
    ::SendMessageW(m_hWnd, EM_SETMODIFY, static_cast<WPARAM>(bModified), 0);
}

void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    ::SendMessageW(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}

BOOL CEdit::SetCueBanner(LPCWSTR lpszText, BOOL fDrawWhenFocused)
{
    return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_SETCUEBANNER, static_cast<WPARAM>(fDrawWhenFocused),
                                            reinterpret_cast<LPARAM>(lpszText)));
}

int CEdit::GetLineCount() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, EM_GETLINECOUNT, 0, 0));
}

int CEdit::GetFirstVisibleLine() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
}

int CEdit::GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength <= 0)
        return 0;
    // EM_GETLINE reads the buffer size from its first word and does not terminate the text.
    if (nMaxLength > 0xFFFF)
        nMaxLength = 0xFFFF;
    lpszBuffer[0] = static_cast<wchar_t>(nMaxLength);
    int n = static_cast<int>(::SendMessageW(m_hWnd, EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
    if (n < nMaxLength)
        lpszBuffer[n] = L'\0';
    return n;
}

CString CEdit::GetLine(int nIndex) const
{
    int start = LineIndex(nIndex);
    if (start < 0)
        return CString();
    int len = LineLength(start);
    CString text;
    if (len <= 0)
        return text;
    int n = GetLine(nIndex, text.GetBuffer(len + 1), len + 1);
    text.ReleaseBuffer(n);
    return text;
}

int CEdit::LineIndex(int nLine) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, EM_LINEINDEX, static_cast<WPARAM>(nLine), 0));
}

int CEdit::LineLength(int nLine) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, EM_LINELENGTH, static_cast<WPARAM>(nLine), 0));
}

int CEdit::LineFromChar(int nIndex) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex), 0));
}

void CEdit::LineScroll(int nLines, int nChars)
{
    ::SendMessageW(m_hWnd, EM_LINESCROLL, static_cast<WPARAM>(nChars), static_cast<LPARAM>(nLines));
}

void CEdit::GetRect(LPRECT lpRect) const
{
    ::SendMessageW(m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    return CPoint(static_cast<DWORD>(::SendMessageW(m_hWnd, EM_POSFROMCHAR, nChar, 0)));
}

int CEdit::CharFromPos(CPoint pt) const
{
    return static_cast<int>(::SendMessageW(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)));
}

BOOL CEdit::CanUndo() const
{
    return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_CANUNDO, 0, 0));
}

BOOL CEdit::Undo()
{
    return static_cast<BOOL>(::SendMessageW(m_hWnd, EM_UNDO, 0, 0));
}

void CEdit::EmptyUndoBuffer()
{
    ::SendMessageW(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}

void CEdit::Clear()
{
    ::SendMessageW(m_hWnd, WM_CLEAR, 0, 0);
}

void CEdit::Copy()
{
    ::SendMessageW(m_hWnd, WM_COPY, 0, 0);
}

void CEdit::Cut()
{
    ::SendMessageW(m_hWnd, WM_CUT, 0, 0);
}

void CEdit::Paste()
{
    ::SendMessageW(m_hWnd, WM_PASTE, 0, 0);
}
