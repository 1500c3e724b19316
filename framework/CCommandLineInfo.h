#pragma once
// The standard switches of the program's command line, filled by CWinApp::ParseCommandLine.
#include "framework/CObject.h"
#include "framework/CString.h"

class CCommandLineInfo : public CObject {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;
    // One argument: bFlag when it began with "/" or "-" (pszParam is the text after it), bLast
    // for the last argument. Known flags, without case: "Embedding" and "Automation" (started
    // by COM; no splash), "RegServer"/"Regserver" and "UnregServer"/"Unregister", "nologo". The
    // first plain argument is the file name.
    virtual void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    CString m_strFileName;
};
