#pragma once
// CLoginErrorRow: the sign-in panel's error row, the marker (1018) and the text (label 2021).
// A sign-in error can be longer than one line ("the server took the connection but did not
// answer in time", with what to do about it): the label takes as many lines as its text needs
// at its width, and every row below it moves down by what it grew (and back when the error goes
// away), so that the error is read whole and covers nothing. The network settings and the mode
// switch keep their place at the panel's bottom edge.
#include "framework/CString.h"
#include "framework/Platform.h"

class CWnd;

class CLoginErrorRow {
public:
    // The sign-in panel's window, whose label 2021 and marker 1018 make the row.
    explicit CLoginErrorRow(CWnd& panel) : m_panel(panel) {}
    CLoginErrorRow(const CLoginErrorRow&) = delete;
    CLoginErrorRow& operator=(const CLoginErrorRow&) = delete;

    // Shows the text, or hides the row when bShow is false or the text is empty.
    void Show(const CString& strText, bool bShow);

private:
    // The label's height for its text: the lines the text wraps into, at least one line.
    int NeededHeight(HWND hLabel, const CString& strText) const;
    // Makes the label nHeight tall and moves what lies below it by the difference.
    void Fit(HWND hLabel, int nHeight);

    CWnd& m_panel;
    int m_nOneLine = 0; // the label's height as the template made it, known at the first Show
};
