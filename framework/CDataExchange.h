#pragma once
// Data exchange between a dialog's member variables and its controls: DoDataExchange calls the
// DDX_ functions below for each field, UpdateData(FALSE) fills the controls, UpdateData(TRUE)
// reads them back. A field that does not validate (no number in a numeric box) marks the
// exchange failed and puts the focus on its control; the remaining fields are then left alone
// and UpdateData answers FALSE. Nothing is shown to the user here.
#include "framework/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls -> variables
    CWnd* m_pDlgWnd;
    BOOL m_bFailed = FALSE;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The control with this id (remembered for Fail); nullptr when the dialog has none.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Marks the exchange failed and focuses the last prepared control (selecting an edit's text).
    void Fail();
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
// A check box or three-state button: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group (WS_GROUP ... next WS_GROUP); value is the index of
// the checked one, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Subclasses the control into rControl the first time (either direction).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Combo box and list box selection by index (-1 none) or by text.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
// Limits an edit's length when filling the controls; fails the exchange when reading a longer text.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
// Fails the exchange when the value read lies outside [minVal, maxVal].
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
