#include "framework/CFileDialog.h"
#include "framework/CWinThread.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

// Room for a long path, or several names when more than one may be chosen.
const size_t kFileBufferChars = 32768;

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(kFileBufferChars, L'\0')
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    if (lpszFileName) {
        // Cut to the buffer, always terminated.
        lstrcpynW(m_fileBuffer.data(), lpszFileName, static_cast<int>(m_fileBuffer.size()));
    }
    if (lpszDefExt && *lpszDefExt) {
        m_strDefExt = lpszDefExt;
        // The system wants the extension without its dot.
        if (m_strDefExt.GetAt(0) == L'.')
            m_strDefExt = m_strDefExt.Mid(1);
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFilter && *lpszFilter) {
        for (const wchar_t* p = lpszFilter; *p; ++p)
            m_filter.push_back(*p == L'|' ? L'\0' : *p);
        // Two terminators end the list, whether or not the text ended with "||".
        m_filter.push_back(L'\0');
        m_filter.push_back(L'\0');
        m_ofn.lpstrFilter = m_filter.data();
    }
}

INT_PTR CFileDialog::DoModal()
{
    if (!m_ofn.hwndOwner) {
        CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
        m_ofn.hwndOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    }
    // A caller may have pointed lpstrFile elsewhere; our buffer is used only when it did not.
    const BOOL bOk = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return bOk ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if (!m_ofn.lpstrFile)
        return CString();
    // With several files chosen the buffer holds the folder, then the names: the path of the
    // first file is the folder joined with it.
    CString first(m_ofn.lpstrFile);
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > 0 &&
        m_ofn.nFileOffset <= static_cast<WORD>(first.GetLength()) && m_ofn.lpstrFile[m_ofn.nFileOffset - 1] == L'\0') {
        CString name(m_ofn.lpstrFile + m_ofn.nFileOffset);
        if (first.Right(1) != L"\\")
            first += L'\\';
        return first + name;
    }
    return first;
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}
