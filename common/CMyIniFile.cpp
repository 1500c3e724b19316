#include "common/CMyIniFile.h"
#include "common/CWqStringMgr.h"
#include <vector>

CMyIniFile::~CMyIniFile()
{
    Close();
}

BOOL CMyIniFile::Open(const CString& path)
{
    Close();
    m_hFile = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    m_bEOF = FALSE;
    return TRUE;
}

void CMyIniFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

BOOL CMyIniFile::ReadLine(HANDLE hFile, CString& line, BOOL& bEOF)
{
    line.Empty();
    bEOF = FALSE;
    // Zero-filled and always one byte longer than the text, so a zero byte read from the file
    // ends the line's text there.
    std::vector<char> buffer(64, '\0');
    size_t count = 0;
    for (;;) {
        char b = 0;
        DWORD got = 0;
        if (hFile == INVALID_HANDLE_VALUE || !::ReadFile(hFile, &b, 1, &got, nullptr) || got == 0) {
            bEOF = TRUE;
            break;
        }
        if (b == '\r')
            break;
        if (count >= buffer.size() - 1)
            buffer.resize(buffer.size() * 2, '\0');
        buffer[count++] = b;
    }
    line = CString(buffer.data());
    return TRUE;
}

BOOL CMyIniFile::NextKeyLine(CString& line)
{
    while (!m_bEOF) {
        CString text;
        ReadLine(m_hFile, text, m_bEOF);
        text.Trim();
        if (text.IsEmpty())
            continue;
        CString name;
        if (IsSection(text, name)) {
            m_strSection = name;
            continue;
        }
        line = text;
        return TRUE;
    }
    return FALSE;
}

BOOL CMyIniFile::IsSection(CString line, CString& name)
{
    const int n = line.GetLength();
    if (n < 2 || line[0] != L'[' || line[n - 1] != L']')
        return FALSE;
    name = line.Mid(1, n - 2);
    return TRUE;
}

BOOL CMyIniFile::ParseKeyValue(CString line, CString& key, CString& value)
{
    const BOOL hasEquals = line.Find(L'=') >= 0;
    CString head;
    if (!CWqStringMgr::SplitFirst(line, head, L"="))
        return FALSE;
    key = head;
    value = line;
    key.TrimRight(L' ');
    value.Trim(L' ');
    return hasEquals;
}

BOOL CMyIniFile::ReadFileText(const CString& path, CString& text)
{
    HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    // Zero bytes carry no text; the rest is converted in one piece, so that a double-byte
    // character of the code page stays whole.
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(h, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            if (chunk[i] != 0)
                bytes += chunk[i];
        }
    }
    ::CloseHandle(h);
    text = CString(bytes.data(), static_cast<int>(bytes.size()));
    return TRUE;
}

BOOL CMyIniFile::IsNotEqual(const CString& left, const char* pszNarrow)
{
    return !CWqStringMgr::IsEqual(left, pszNarrow);
}
