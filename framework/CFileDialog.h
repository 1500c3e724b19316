#pragma once
// The system's open and save file dialogs. The filter text uses the "|" form
// ("Rich text (*.rtf)|*.rtf|All files (*.*)|*.*||"). m_ofn may be adjusted (title, initial
// folder) between construction and DoModal. DoModal answers IDOK or IDCANCEL.
#include "framework/CDialog.h"
#include <commdlg.h>
#include <vector>

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    INT_PTR DoModal() override;

    // The chosen file: full path, name with extension, extension without the dot, name
    // without the extension. Empty before a successful DoModal unless a file name was given.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEW m_ofn;
    BOOL m_bOpenFileDialog;

private:
    std::vector<wchar_t> m_fileBuffer; // the chosen path(s), written by the system
    std::vector<wchar_t> m_filter;     // the filter with its "|" turned into terminators
    CString m_strDefExt;
};
