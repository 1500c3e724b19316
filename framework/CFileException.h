#pragma once
// Why a CFile operation failed. CFile itself never throws: Open fills a caller-supplied
// CFileException instead, so the caller can tell "not found" from "access denied".
#include "framework/CException.h"
#include "framework/CString.h"

class CFileException : public CException {
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCWSTR lpszArchiveName = nullptr);

    // Maps a Windows error code (GetLastError) to one of the causes above.
    static int OsErrorToException(LONG lOsError);

    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
