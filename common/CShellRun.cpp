#include "common/CShellRun.h"
#include <shellapi.h>
#include <algorithm>

namespace {

CShellRun::PFNEXECUTE s_pfnExecute = ::ShellExecuteW;

} // namespace

HINSTANCE CShellRun::Execute(HWND hWnd, LPCWSTR lpVerb, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory,
                             INT nShow)
{
    return s_pfnExecute(hWnd, lpVerb, lpFile, lpParameters, lpDirectory, nShow);
}

CShellRun::PFNEXECUTE CShellRun::SetHandler(PFNEXECUTE pfn)
{
    PFNEXECUTE previous = s_pfnExecute;
    s_pfnExecute = pfn ? pfn : ::ShellExecuteW;
    return previous;
}

BOOL CShellRun::QuoteArgument(const CString& strText, CString& strArgument)
{
    strArgument.Empty();
    CString text = strText;
    text.Trim();
    if (text.IsEmpty() || text[0] == L'-' || text[0] == L'/')
        return FALSE;
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] < L' ' || text[i] == 0x7F || text[i] == L'"')
            return FALSE;
    // Backslashes are plain characters except before a quote, where a pair stands for one.
    int trailing = 0;
    while (trailing < text.GetLength() && text[text.GetLength() - 1 - trailing] == L'\\')
        ++trailing;
    strArgument = L"\"" + text + CString(L'\\', trailing) + L"\"";
    return TRUE;
}

BOOL CShellRun::IsThisProgram(const CString& strPath)
{
    wchar_t self[MAX_PATH] = {};
    if (strPath.IsEmpty() || !::GetModuleFileNameW(nullptr, self, MAX_PATH))
        return FALSE;
    auto fileName = [](const CString& path) {
        const int cut = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
        return path.Mid(cut + 1);
    };
    CString path = strPath;
    path.Trim(L" \"");
    wchar_t full[MAX_PATH] = {};
    if (::GetFullPathNameW(path, MAX_PATH, full, nullptr) && CString(full).CompareNoCase(self) == 0)
        return TRUE;
    return fileName(path).CompareNoCase(fileName(self)) == 0;
}
