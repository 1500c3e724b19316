#pragma once
// CStdioFile: a CFile that reads and writes lines of text.
//
// Encoding: the text inside is UTF-16 (CString). In the file it is
//   - UTF-16LE when the file starts with the UTF-16LE byte-order mark FF FE,
//   - UTF-8 when it starts with the UTF-8 mark EF BB BF,
//   - otherwise the ANSI code page (the default for new files, as the library this replaces did).
// The mark is detected when the file is opened (and skipped); a file created empty is ANSI unless
// SetEncoding chooses otherwise before the first write (which then writes the mark).
// Text mode (the default, typeText or no type flag) writes "\n" as "\r\n" and reads "\r\n" as
// "\n"; typeBinary leaves line ends alone.
//
// Writes go straight to the file handle (no write buffer), so m_hFile may be used directly
// between WriteString calls. Reads are buffered; Seek, GetPosition and Write account for it.
#include "framework/CFile.h"
#include <vector>

class CStdioFile : public CFile {
public:
    enum class Encoding { Ansi, Utf8, Utf16LE };

    CStdioFile() = default;
    CStdioFile(LPCWSTR lpszFileName, UINT nOpenFlags) { Open(lpszFileName, nOpenFlags); }

    BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    void Close() override;

    // Reads the next line into rString without its line end; FALSE at the end of the file
    // (rString is then empty).
    virtual BOOL ReadString(CString& rString);
    // Reads at most nMax - 1 characters of the next line, keeping its "\n"; nullptr at the end.
    virtual LPWSTR ReadString(LPWSTR lpsz, UINT nMax);
    // Writes the text in the file's encoding; FALSE when it could not all be written.
    virtual BOOL WriteString(LPCWSTR lpsz);

    // The file's text encoding. Setting it on an empty file writes the byte-order mark
    // (none for ANSI).
    Encoding GetEncoding() const { return m_encoding; }
    BOOL SetEncoding(Encoding encoding);

    UINT Read(void* lpBuf, UINT nCount) override;
    BOOL Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetPosition() const override;
    BOOL SetLength(ULONGLONG dwNewLen) override;

private:
    // Drops read-ahead bytes, moving the handle's pointer back to the logical position.
    void DropReadAhead();
    // Reads the next raw code unit (byte, or 16-bit unit for UTF-16); FALSE at the end.
    BOOL NextUnit(UINT& unit);
    BOOL PeekUnit(UINT& unit);
    // Reads one line's code units including the line feed (when there is one).
    BOOL ReadLineUnits(std::vector<UINT>& units);
    CString Decode(const std::vector<UINT>& units) const;

    Encoding m_encoding = Encoding::Ansi;
    BOOL m_bText = TRUE;
    std::vector<BYTE> m_buf; // read-ahead
    size_t m_bufPos = 0;
};
