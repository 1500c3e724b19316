#pragma once
// Reads a settings file sequentially and hands out its key lines one at a time, remembering the
// section header last passed. The file is taken as bytes in the ANSI code page, and only a
// carriage return ends a line: files written by the program and the view library rely on
// that, so a line feed alone does not split a line (the one left after a carriage return is
// trimmed away with the next line's white space).
#include "framework/CString.h"

class CMyIniFile {
public:
    CMyIniFile() = default;
    CMyIniFile(const CMyIniFile&) = delete;
    CMyIniFile& operator=(const CMyIniFile&) = delete;
    virtual ~CMyIniFile();

    // TRUE when the file opened for reading; clears the end-of-file flag. A file held before
    // is closed first.
    BOOL Open(const CString& path);
    void Close();
    BOOL IsEOF() const { return m_bEOF; }
    // The name of the last section header passed, without its brackets.
    const CString& GetSection() const { return m_strSection; }

    // Reads one line (up to a carriage return, or to the end of the file) from hFile; sets
    // bEOF when no further byte came. Always TRUE: a read error counts as the end.
    static BOOL ReadLine(HANDLE hFile, CString& line, BOOL& bEOF);
    // The next non-empty line that is not a section header, trimmed; FALSE at the end.
    BOOL NextKeyLine(CString& line);
    // TRUE for "[name]", with the name between the brackets (not trimmed).
    static BOOL IsSection(CString line, CString& name);
    // Splits at the first "=": the key trimmed of blanks on the right, the value on both sides
    // (blanks only, not tabs). FALSE for an empty line and for a line without "=" (then the
    // whole line is the key and the value is empty), so that callers skip such lines.
    static BOOL ParseKeyValue(CString line, CString& key, CString& value);

    // The whole file as a text in the ANSI code page; FALSE when it does not open.
    static BOOL ReadFileText(const CString& path, CString& text);
    // Case-sensitive inequality with a narrow (ANSI) text.
    static BOOL IsNotEqual(const CString& left, const char* pszNarrow);

    // Public so that the reading state can be set up for a caller's own file.
    CString m_strSection;

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    BOOL m_bEOF = FALSE;
};
