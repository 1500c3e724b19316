#pragma once
// The one door to ShellExecute for opening files, folders and programs the user clicked. Tests put
// a handler of their own in its place, so that no program is really started under them.
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

private:
    CShellRun() = delete;
};
