#include "framework/CStdioFile.h"

namespace {
const BYTE kUtf16Mark[] = {0xFF, 0xFE};
const BYTE kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
const size_t kReadChunk = 4096;
} // namespace

BOOL CStdioFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_buf.clear();
    m_bufPos = 0;
    m_encoding = Encoding::Ansi;
    m_bText = (nOpenFlags & typeBinary) == 0;
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(typeText | typeBinary), pError))
        return FALSE;

    // Look for a byte-order mark, whatever the access mode: appending to a UTF-16 file must
    // go on in UTF-16. A write-only handle cannot read it; such a file stays ANSI.
    BYTE head[3] = {};
    DWORD got = 0;
    if ((nOpenFlags & 3) != modeWrite && ::ReadFile(m_hFile, head, sizeof(head), &got, nullptr)) {
        DWORD skip = 0;
        if (got >= 2 && head[0] == kUtf16Mark[0] && head[1] == kUtf16Mark[1]) {
            m_encoding = Encoding::Utf16LE;
            skip = 2;
        } else if (got >= 3 && memcmp(head, kUtf8Mark, 3) == 0) {
            m_encoding = Encoding::Utf8;
            skip = 3;
        }
        CFile::Seek(skip, begin);
    }
    return TRUE;
}

void CStdioFile::Close()
{
    m_buf.clear();
    m_bufPos = 0;
    CFile::Close();
}

BOOL CStdioFile::SetEncoding(Encoding encoding)
{
    if (!IsOpen())
        return FALSE;
    m_encoding = encoding;
    if (GetLength() != 0)
        return TRUE;
    if (encoding == Encoding::Utf16LE)
        return CFile::Write(kUtf16Mark, sizeof(kUtf16Mark));
    if (encoding == Encoding::Utf8)
        return CFile::Write(kUtf8Mark, sizeof(kUtf8Mark));
    return TRUE;
}

void CStdioFile::DropReadAhead()
{
    size_t ahead = m_buf.size() - m_bufPos;
    if (ahead > 0)
        CFile::Seek(-static_cast<LONGLONG>(ahead), current);
    m_buf.clear();
    m_bufPos = 0;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (!lpBuf)
        return 0;
    auto out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nCount && m_bufPos < m_buf.size())
        out[done++] = m_buf[m_bufPos++];
    if (done < nCount)
        done += CFile::Read(out + done, nCount - done);
    return done;
}

BOOL CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    DropReadAhead();
    return CFile::Write(lpBuf, nCount);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    DropReadAhead();
    return CFile::Seek(lOff, nFrom);
}

ULONGLONG CStdioFile::GetPosition() const
{
    ULONGLONG pos = CFile::GetPosition();
    if (pos == static_cast<ULONGLONG>(-1))
        return pos;
    return pos - (m_buf.size() - m_bufPos);
}

BOOL CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    DropReadAhead();
    return CFile::SetLength(dwNewLen);
}

BOOL CStdioFile::NextUnit(UINT& unit)
{
    const size_t width = m_encoding == Encoding::Utf16LE ? 2 : 1;
    if (m_buf.size() - m_bufPos < width) {
        // Keep a dangling odd byte, then refill.
        std::vector<BYTE> rest(m_buf.begin() + m_bufPos, m_buf.end());
        m_buf.swap(rest);
        m_bufPos = 0;
        size_t have = m_buf.size();
        m_buf.resize(have + kReadChunk);
        UINT got = CFile::Read(m_buf.data() + have, static_cast<UINT>(kReadChunk));
        m_buf.resize(have + got);
        if (m_buf.size() < width) {
            // A lone odd byte at the end of a UTF-16 file is dropped.
            m_buf.clear();
            return FALSE;
        }
    }
    if (width == 2) {
        unit = m_buf[m_bufPos] | (static_cast<UINT>(m_buf[m_bufPos + 1]) << 8);
        m_bufPos += 2;
    } else {
        unit = m_buf[m_bufPos++];
    }
    return TRUE;
}

BOOL CStdioFile::PeekUnit(UINT& unit)
{
    if (!NextUnit(unit))
        return FALSE;
    m_bufPos -= (m_encoding == Encoding::Utf16LE ? 2 : 1);
    return TRUE;
}

BOOL CStdioFile::ReadLineUnits(std::vector<UINT>& units)
{
    units.clear();
    if (!IsOpen())
        return FALSE;
    UINT unit;
    while (NextUnit(unit)) {
        if (m_bText && unit == '\r') {
            UINT next;
            if (PeekUnit(next) && next == '\n')
                continue; // "\r\n" reads as "\n"
        }
        units.push_back(unit);
        if (unit == '\n')
            break;
    }
    return !units.empty();
}

CString CStdioFile::Decode(const std::vector<UINT>& units) const
{
    if (units.empty())
        return CString();
    if (m_encoding == Encoding::Utf16LE) {
        std::wstring w(units.begin(), units.end());
        return CString(w.c_str(), static_cast<int>(w.size()));
    }
    std::string bytes(units.begin(), units.end());
    UINT cp = m_encoding == Encoding::Utf8 ? CP_UTF8 : CP_ACP;
    int n = ::MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0)
        return CString();
    CString out;
    ::MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), out.GetBufferSetLength(n), n);
    out.ReleaseBuffer(n);
    return out;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    std::vector<UINT> units;
    if (!ReadLineUnits(units))
        return FALSE;
    if (units.back() == '\n')
        units.pop_back();
    rString = Decode(units);
    return TRUE;
}

LPWSTR CStdioFile::ReadString(LPWSTR lpsz, UINT nMax)
{
    if (!lpsz || nMax == 0)
        return nullptr;
    lpsz[0] = L'\0';
    if (nMax == 1)
        return lpsz;
    // Read up to the line feed, but never more characters than fit; a longer line continues
    // on the next call.
    std::vector<UINT> units;
    UINT unit;
    while (NextUnit(unit)) {
        if (m_bText && unit == '\r') {
            UINT next;
            if (PeekUnit(next) && next == '\n')
                continue;
        }
        units.push_back(unit);
        CString text = Decode(units);
        if (static_cast<UINT>(text.GetLength()) > nMax - 1) {
            // Give this unit back: it does not fit (a multibyte character is not split).
            m_bufPos -= (m_encoding == Encoding::Utf16LE ? 2 : 1);
            units.pop_back();
            break;
        }
        if (unit == '\n')
            break;
    }
    if (units.empty())
        return nullptr;
    CString text = Decode(units);
    lstrcpynW(lpsz, text, static_cast<int>(nMax));
    return lpsz;
}

BOOL CStdioFile::WriteString(LPCWSTR lpsz)
{
    if (!IsOpen())
        return FALSE;
    if (!lpsz || !*lpsz)
        return TRUE;
    CString text(lpsz);
    if (m_bText) {
        // Only a bare "\n" gains a "\r": a "\r\n" already in the text stays as it is.
        CString expanded;
        for (int i = 0; i < text.GetLength(); ++i) {
            wchar_t ch = text[i];
            if (ch == L'\n' && (i == 0 || text[i - 1] != L'\r'))
                expanded += L'\r';
            expanded += ch;
        }
        text = expanded;
    }
    if (m_encoding == Encoding::Utf16LE)
        return Write(text.GetString(), static_cast<UINT>(text.GetLength() * sizeof(wchar_t)));
    UINT cp = m_encoding == Encoding::Utf8 ? CP_UTF8 : CP_ACP;
    int n = ::WideCharToMultiByte(cp, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return FALSE;
    std::string bytes(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(cp, 0, text, text.GetLength(), &bytes[0], n, nullptr, nullptr);
    return Write(bytes.data(), static_cast<UINT>(bytes.size()));
}
