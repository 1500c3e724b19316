#pragma once
// A rich edit control, version 2 (riched20.dll, window class "RichEdit20W"). Character
// positions are zero-based and count a paragraph break as one character.
// https://learn.microsoft.com/windows/win32/controls/rich-edit-controls
#include "framework/CString.h"
#include "framework/CWnd.h"
#include <richedit.h>

struct IRichEditOle;
struct IRichEditOleCallback;

class CRichEditCtrl : public CWnd {
    DECLARE_DYNAMIC(CRichEditCtrl)
public:
    CRichEditCtrl() = default;

    // Loads riched20.dll on first use (kept loaded for the life of the process).
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // TRUE when the rich edit 2 library is available (loading it when needed).
    static BOOL LoadRichEdit();

    // Text
    // The length as WM_GETTEXTLENGTH counts it (a paragraph break may count as two).
    long GetTextLength() const;
    long GetTextLengthEx(DWORD dwFlags = GTL_DEFAULT, UINT uCodePage = 1200) const;
    // The text between two positions (nLast -1: to the end); answers its length.
    int GetTextRange(long nFirst, long nLast, CString& refString) const;
    int GetLine(int nIndex, LPWSTR lpszBuffer, int nMaxLength) const;
    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    long LineFromChar(long nIndex) const;
    void LineScroll(int nLines, int nChars = 0);
    // At most nChars characters (0: the control's default of 32767).
    void LimitText(long nChars = 0);
    long GetLimitText() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    // ECOOP_SET/OR/AND/XOR with ECO_* flags.
    UINT SetOptions(WORD wOp, DWORD dwFlags);
    UINT GetOptions() const;
    BOOL SetAutoURLDetect(BOOL bEnable = TRUE);
    void GetRect(LPRECT lpRect) const;
    void SetRect(LPCRECT lpRect);
    CPoint GetCharPos(long lChar) const;
    int CharFromPos(CPoint pt) const;

    // Selection. (0, -1) selects everything; (-1, -1) removes the selection and puts the caret
    // at the end of the text.
    void GetSel(CHARRANGE& cr) const;
    void GetSel(long& nStartChar, long& nEndChar) const;
    void SetSel(long nStartChar, long nEndChar);
    void SetSel(CHARRANGE& cr);
    CString GetSelText() const;
    WORD GetSelectionType() const;
    void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE);
    void HideSelection(BOOL bHide, BOOL bPerm);

    // Formatting. The Get functions answer the dwMask of the attributes that are the same over
    // the whole selection.
    DWORD GetDefaultCharFormat(CHARFORMATW& cf) const;
    DWORD GetDefaultCharFormat(CHARFORMAT2W& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMATW& cf) const;
    DWORD GetSelectionCharFormat(CHARFORMAT2W& cf) const;
    BOOL SetDefaultCharFormat(CHARFORMATW& cf);
    BOOL SetDefaultCharFormat(CHARFORMAT2W& cf);
    BOOL SetSelectionCharFormat(CHARFORMATW& cf);
    BOOL SetSelectionCharFormat(CHARFORMAT2W& cf);
    BOOL SetWordCharFormat(CHARFORMAT2W& cf);
    DWORD GetParaFormat(PARAFORMAT2& pf) const;
    BOOL SetParaFormat(PARAFORMAT2& pf);
    // Answers the previous background colour.
    COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr);
    // ENM_* notifications the parent receives; answers the previous mask.
    DWORD SetEventMask(DWORD dwEventMask);
    DWORD GetEventMask() const;
    // Word-wrap against a device: a null DC with width 0 wraps at the window edge, width 1
    // turns wrapping off.
    BOOL SetTargetDevice(HDC hDC, long lLineWidth);
    BOOL SetTargetDevice(CDC& dc, long lLineWidth);
    long FormatRange(FORMATRANGE* pfr, BOOL bDisplay = TRUE);
    void RequestResize();

    // Search: FR_DOWN, FR_MATCHCASE, FR_WHOLEWORD in dwFlags; answers the position found or -1
    // (and fills pFindText->chrgText).
    long FindText(DWORD dwFlags, FINDTEXTEXW* pFindText) const;

    // Streams: nFormat SF_TEXT or SF_RTF (| SFF_SELECTION, | SF_UNICODE); answer the number of
    // characters read or written.
    long StreamIn(int nFormat, EDITSTREAM& es);
    long StreamOut(int nFormat, EDITSTREAM& es);

    // Undo and clipboard
    BOOL CanUndo() const;
    BOOL CanRedo() const;
    BOOL Undo();
    BOOL Redo();
    void EmptyUndoBuffer();
    void Clear();
    void Copy();
    void Cut();
    void Paste();
    BOOL CanPaste(UINT nFormat = 0) const;

    // Embedded objects. GetIRichEditOle answers an added reference (the caller releases it).
    IRichEditOle* GetIRichEditOle() const;
    BOOL SetOLECallback(IRichEditOleCallback* pCallback);
};
