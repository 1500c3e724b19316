#pragma once
// The one door to ShellExecute for opening files, folders and programs the user clicked. Tests put
// a handler of their own in its place, so that no program is really started under them.
#include "framework/CString.h"
#include "framework/Platform.h"

class CShellRun {
public:
    using PFNEXECUTE = HINSTANCE(WINAPI*)(HWND hWnd, LPCWSTR lpVerb, LPCWSTR lpFile, LPCWSTR lpParameters,
                                     LPCWSTR lpDirectory, INT nShow);
    // As ShellExecuteW: a value above 32 means success.
    static HINSTANCE Execute(HWND hWnd, LPCWSTR lpVerb, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory,
                             INT nShow);
    // Replaces the handler (null restores ShellExecuteW); answers the previous one.
    static PFNEXECUTE SetHandler(PFNEXECUTE pfn);

    // Text that is not the program's own (a message's application command) as one argument of
    // another program's command line: in double quotes, with the backslashes before the
    // closing quote doubled so that it stays closed. FALSE when no argument could carry the
    // text safely: it is empty, begins with "-" or "/" (a program reads that as its switch), or
    // holds a double quote or a control character (either could end the argument).
    static BOOL QuoteArgument(const CString& strText, CString& strArgument);
    // TRUE when the path names this program's own file (by its full path or by its file name,
    // which the shell would find the same file by).
    static BOOL IsThisProgram(const CString& strPath);

private:
    CShellRun() = delete;
};
