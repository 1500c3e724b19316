#include "framework/CRichEditCtrl.h"
#include "framework/ControlMessage.h"
#include <richole.h>
#include <vector>

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::LoadRichEdit()
{
    // Never freed: its windows may live until the process ends.
    static HMODULE s_hRichEdit = ::LoadLibraryW(L"riched20.dll");
    return s_hRichEdit != nullptr;
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!LoadRichEdit())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

long CRichEditCtrl::GetTextLength() const { return AfxSendTyped<long>(m_hWnd, WM_GETTEXTLENGTH); }

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT uCodePage) const
{
    GETTEXTLENGTHEX gtl = {dwFlags, uCodePage};
    return AfxSendTyped<long>(m_hWnd, EM_GETTEXTLENGTHEX, &gtl);
}

int CRichEditCtrl::GetTextRange(long nFirst, long nLast, CString& refString) const
{
    refString.Empty();
    long length = GetTextLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nLast < 0 || nLast > length)
        nLast = length;
    if (nLast <= nFirst)
        return 0;
    TEXTRANGEW tr = {};
    tr.chrg.cpMin = nFirst;
    tr.chrg.cpMax = nLast;
    tr.lpstrText = refString.GetBuffer(nLast - nFirst + 1);
    int n = AfxSendTyped(m_hWnd, EM_GETTEXTRANGE, 0, &tr);
    refString.ReleaseBuffer(n);
    return n;
}

int CRichEditCtrl::GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength <= 0)
        return 0;
    // EM_GETLINE reads the buffer size from its first word and does not terminate the text.
    if (nMaxLength > 0xFFFF)
        nMaxLength = 0xFFFF;
    lpszBuffer[0] = static_cast<wchar_t>(nMaxLength);
    int n = AfxSendTyped(m_hWnd, EM_GETLINE, nIndex, lpszBuffer);
    if (n < nMaxLength)
        lpszBuffer[n] = L'\0';
    return n;
}

int CRichEditCtrl::GetLineCount() const { return AfxSendTyped(m_hWnd, EM_GETLINECOUNT); }
int CRichEditCtrl::GetFirstVisibleLine() const { return AfxSendTyped(m_hWnd, EM_GETFIRSTVISIBLELINE); }
int CRichEditCtrl::LineIndex(int nLine) const { return AfxSendTyped(m_hWnd, EM_LINEINDEX, nLine); }
int CRichEditCtrl::LineLength(int nLine) const { return AfxSendTyped(m_hWnd, EM_LINELENGTH, nLine); }
long CRichEditCtrl::LineFromChar(long nIndex) const { return AfxSendTyped<long>(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex); }
void CRichEditCtrl::LineScroll(int nLines, int nChars) { AfxSendTyped(m_hWnd, EM_LINESCROLL, nChars, nLines); }
void CRichEditCtrl::LimitText(long nChars) { AfxSendTyped(m_hWnd, EM_EXLIMITTEXT, 0, nChars); }
long CRichEditCtrl::GetLimitText() const { return AfxSendTyped<long>(m_hWnd, EM_GETLIMITTEXT); }
BOOL CRichEditCtrl::GetModify() const { return AfxSendTyped<BOOL>(m_hWnd, EM_GETMODIFY); }
void CRichEditCtrl::SetModify(BOOL bModified) { AfxSendTyped(m_hWnd, EM_SETMODIFY, bModified); }
BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly) { return AfxSendTyped<BOOL>(m_hWnd, EM_SETREADONLY, bReadOnly); }
UINT CRichEditCtrl::SetOptions(WORD wOp, DWORD dwFlags) { return AfxSendTyped<UINT>(m_hWnd, EM_SETOPTIONS, wOp, dwFlags); }
UINT CRichEditCtrl::GetOptions() const { return AfxSendTyped<UINT>(m_hWnd, EM_GETOPTIONS); }
BOOL CRichEditCtrl::SetAutoURLDetect(BOOL bEnable) { return AfxSendTyped(m_hWnd, EM_AUTOURLDETECT, bEnable) == 0; }
void CRichEditCtrl::GetRect(LPRECT lpRect) const { AfxSendTyped(m_hWnd, EM_GETRECT, 0, lpRect); }
void CRichEditCtrl::SetRect(LPCRECT lpRect) { AfxSendTyped(m_hWnd, EM_SETRECT, 0, lpRect); }

CPoint CRichEditCtrl::GetCharPos(long lChar) const
{
    POINTL pt = {0, 0};
    AfxSendTyped(m_hWnd, EM_POSFROMCHAR, &pt, lChar);
    return CPoint(pt.x, pt.y);
}

int CRichEditCtrl::CharFromPos(CPoint pt) const
{
    POINTL ptl = {pt.x, pt.y};
    return AfxSendTyped(m_hWnd, EM_CHARFROMPOS, 0, &ptl);
}

void CRichEditCtrl::GetSel(CHARRANGE& cr) const { AfxSendTyped(m_hWnd, EM_EXGETSEL, 0, &cr); }

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = {nStartChar, nEndChar};
    SetSel(cr);
}

void CRichEditCtrl::SetSel(CHARRANGE& cr) { AfxSendTyped(m_hWnd, EM_EXSETSEL, 0, &cr); }

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr = {0, 0};
    GetSel(cr);
    CString text;
    long n = cr.cpMax - cr.cpMin;
    if (n <= 0)
        return text;
    // Room for a paragraph break counted as two characters on the way out.
    std::vector<wchar_t> buffer(static_cast<size_t>(n) * 2 + 1, L'\0');
    long got = AfxSendTyped<long>(m_hWnd, EM_GETSELTEXT, 0, buffer.data());
    text = CString(buffer.data(), static_cast<int>(got));
    return text;
}

WORD CRichEditCtrl::GetSelectionType() const { return AfxSendTyped<WORD>(m_hWnd, EM_SELECTIONTYPE); }

void CRichEditCtrl::ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo)
{
    AfxSendTyped(m_hWnd, EM_REPLACESEL, bCanUndo, lpszNewText ? lpszNewText : L"");
}

void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm) { AfxSendTyped(m_hWnd, EM_HIDESELECTION, bHide, bPerm); }

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMATW& cf) const
{
    cf.cbSize = sizeof(CHARFORMATW);
    return AfxSendTyped<DWORD>(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, &cf);
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT2W& cf) const
{
    cf.cbSize = sizeof(CHARFORMAT2W);
    return AfxSendTyped<DWORD>(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, &cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMATW& cf) const
{
    cf.cbSize = sizeof(CHARFORMATW);
    return AfxSendTyped<DWORD>(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, &cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT2W& cf) const
{
    cf.cbSize = sizeof(CHARFORMAT2W);
    return AfxSendTyped<DWORD>(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, &cf);
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMATW& cf)
{
    cf.cbSize = sizeof(CHARFORMATW);
    return AfxSendTyped<BOOL>(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, &cf);
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT2W& cf)
{
    cf.cbSize = sizeof(CHARFORMAT2W);
    return AfxSendTyped<BOOL>(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, &cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMATW& cf)
{
    cf.cbSize = sizeof(CHARFORMATW);
    return AfxSendTyped<BOOL>(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, &cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT2W& cf)
{
    cf.cbSize = sizeof(CHARFORMAT2W);
    return AfxSendTyped<BOOL>(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, &cf);
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT2W& cf)
{
    cf.cbSize = sizeof(CHARFORMAT2W);
    return AfxSendTyped<BOOL>(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, &cf);
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT2& pf) const
{
    pf.cbSize = sizeof(PARAFORMAT2);
    return AfxSendTyped<DWORD>(m_hWnd, EM_GETPARAFORMAT, 0, &pf);
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT2& pf)
{
    pf.cbSize = sizeof(PARAFORMAT2);
    return AfxSendTyped<BOOL>(m_hWnd, EM_SETPARAFORMAT, 0, &pf);
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr) { return AfxSendTyped<COLORREF>(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, cr); }
DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask) { return AfxSendTyped<DWORD>(m_hWnd, EM_SETEVENTMASK, 0, dwEventMask); }
DWORD CRichEditCtrl::GetEventMask() const { return AfxSendTyped<DWORD>(m_hWnd, EM_GETEVENTMASK); }
BOOL CRichEditCtrl::SetTargetDevice(HDC hDC, long lLineWidth) { return AfxSendTyped<BOOL>(m_hWnd, EM_SETTARGETDEVICE, hDC, lLineWidth); }
BOOL CRichEditCtrl::SetTargetDevice(CDC& dc, long lLineWidth) { return SetTargetDevice(dc.m_hDC, lLineWidth); }
long CRichEditCtrl::FormatRange(FORMATRANGE* pfr, BOOL bDisplay) { return AfxSendTyped<long>(m_hWnd, EM_FORMATRANGE, bDisplay, pfr); }
void CRichEditCtrl::RequestResize() { AfxSendTyped(m_hWnd, EM_REQUESTRESIZE); }

long CRichEditCtrl::FindText(DWORD dwFlags, FINDTEXTEXW* pFindText) const
{
    return pFindText ? AfxSendTyped<long>(m_hWnd, EM_FINDTEXTEXW, dwFlags, pFindText) : -1;
}

long CRichEditCtrl::StreamIn(int nFormat, EDITSTREAM& es) { return AfxSendTyped<long>(m_hWnd, EM_STREAMIN, nFormat, &es); }
long CRichEditCtrl::StreamOut(int nFormat, EDITSTREAM& es) { return AfxSendTyped<long>(m_hWnd, EM_STREAMOUT, nFormat, &es); }
BOOL CRichEditCtrl::CanUndo() const { return AfxSendTyped<BOOL>(m_hWnd, EM_CANUNDO); }
BOOL CRichEditCtrl::CanRedo() const { return AfxSendTyped<BOOL>(m_hWnd, EM_CANREDO); }
BOOL CRichEditCtrl::Undo() { return AfxSendTyped<BOOL>(m_hWnd, EM_UNDO); }
BOOL CRichEditCtrl::Redo() { return AfxSendTyped<BOOL>(m_hWnd, EM_REDO); }
void CRichEditCtrl::EmptyUndoBuffer() { AfxSendTyped(m_hWnd, EM_EMPTYUNDOBUFFER); }
void CRichEditCtrl::Clear() { AfxSendTyped(m_hWnd, WM_CLEAR); }
void CRichEditCtrl::Copy() { AfxSendTyped(m_hWnd, WM_COPY); }
void CRichEditCtrl::Cut() { AfxSendTyped(m_hWnd, WM_CUT); }
void CRichEditCtrl::Paste() { AfxSendTyped(m_hWnd, WM_PASTE); }
BOOL CRichEditCtrl::CanPaste(UINT nFormat) const { return AfxSendTyped<BOOL>(m_hWnd, EM_CANPASTE, nFormat); }

IRichEditOle* CRichEditCtrl::GetIRichEditOle() const
{
    IRichEditOle* pOle = nullptr;
    AfxSendTyped(m_hWnd, EM_GETOLEINTERFACE, 0, &pOle);
    return pOle;
}

BOOL CRichEditCtrl::SetOLECallback(IRichEditOleCallback* pCallback)
{
    return AfxSendTyped<BOOL>(m_hWnd, EM_SETOLECALLBACK, 0, pCallback);
}
