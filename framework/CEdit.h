#pragma once
// An edit control, single or multi-line.
// https://learn.microsoft.com/windows/win32/controls/edit-controls
#include "framework/CWnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() = default;

    // The owning CEdit, or a temporary one until the loop next goes idle; nullptr for a null
    // handle or an owner of another class.
    static CEdit* FromHandle(HWND hWnd);

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Selection: character positions, end exclusive; (0, -1) selects everything.
    void GetSel(int& nStartChar, int& nEndChar) const;
    DWORD GetSel() const;
    // Scrolls the caret into view unless bNoScroll.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE);

    // nChars 0 lifts the limit to the control's maximum.
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax);
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    void SetPasswordChar(wchar_t ch);
    wchar_t GetPasswordChar() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    void SetMargins(UINT nLeft, UINT nRight);
    BOOL SetCueBanner(LPCWSTR lpszText, BOOL fDrawWhenFocused = FALSE);

    // Lines
    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    // The text of line nIndex (without its line break).
    int GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const;
    CString GetLine(int nIndex) const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    int LineFromChar(int nIndex = -1) const;
    void LineScroll(int nLines, int nChars = 0);
    void GetRect(LPRECT lpRect) const;
    CPoint PosFromChar(UINT nChar) const;
    int CharFromPos(CPoint pt) const;

    // Clipboard and undo
    BOOL CanUndo() const;
    BOOL Undo();
    void EmptyUndoBuffer();
    void Clear();
    void Copy();
    void Cut();
    void Paste();
};
