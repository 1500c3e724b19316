#include "platform/QorView/CASRichEdit.h"
#include <richedit.h>
#include <string>

namespace {

struct RtfSource {
    std::string bytes;
    size_t pos = 0;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    RtfSource* src = reinterpret_cast<RtfSource*>(cookie);
    LONG n = static_cast<LONG>(std::min(static_cast<size_t>(cb), src->bytes.size() - src->pos));
    memcpy(buffer, src->bytes.data() + src->pos, n);
    src->pos += n;
    *pcb = n;
    return 0;
}

DWORD CALLBACK WriteRtf(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), cb);
    *pcb = cb;
    return 0;
}

// RTF is 7-bit text; the wide string carries it one character per byte.
std::string Narrow(const CString& s)
{
    std::string out;
    out.reserve(s.GetLength());
    for (int i = 0; i < s.GetLength(); ++i)
        out += static_cast<char>(s[i] & 0xFF);
    return out;
}

BOOL StreamRtfIn(HWND hWnd, const CString& rtf, WPARAM flags)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    RtfSource src{Narrow(rtf)};
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&src), 0, ReadRtf};
    ::SendMessageW(hWnd, EM_STREAMIN, flags, reinterpret_cast<LPARAM>(&es));
    return es.dwError == 0;
}

} // namespace

BOOL CASRichEdit::SetRTFEx(const CString& strRtf, bool bEmoticons)
{
    m_objects.clear();
    if (strRtf.IsEmpty()) {
        if (::IsWindow(m_hWnd))
            ::SetWindowTextW(m_hWnd, L"");
        return ::IsWindow(m_hWnd);
    }
    return StreamRtfIn(m_hWnd, strRtf, SF_RTF);
}

BOOL CASRichEdit::AppendRTF(const CString& strRtf)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    int end = ::GetWindowTextLengthW(m_hWnd);
    ::SendMessageW(m_hWnd, EM_SETSEL, end, end);
    return StreamRtfIn(m_hWnd, strRtf, SF_RTF | SFF_SELECTION);
}

CString CASRichEdit::GetRTF()
{
    if (!::IsWindow(m_hWnd))
        return CString();
    std::string out;
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&out), 0, WriteRtf};
    ::SendMessageW(m_hWnd, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    return CString(out.c_str());
}

// Our library shows the picture's file name where the picture would stand.
BOOL CASRichEdit::InsertImgFile(const CString& strFile)
{
    if (!::IsWindow(m_hWnd) || ::GetFileAttributesW(strFile) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    int end = ::GetWindowTextLengthW(m_hWnd);
    ::SendMessageW(m_hWnd, EM_SETSEL, end, end);
    CString text = L"[" + strFile + L"]";
    ::SendMessageW(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.GetString()));
    return TRUE;
}

void CASRichEdit::ScroolToBottom(int)
{
    if (::IsWindow(m_hWnd))
        ::SendMessageW(m_hWnd, WM_VSCROLL, SB_BOTTOM, 0);
}

void CASRichEdit::SetIndent(int nIndent)
{
    if (!::IsWindow(m_hWnd))
        return;
    PARAFORMAT2 pf = {};
    pf.cbSize = sizeof(pf);
    pf.dwMask = PFM_STARTINDENT;
    pf.dxStartIndent = nIndent;
    ::SendMessageW(m_hWnd, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

namespace {

void ReplaceAtEnd(HWND hWnd, const CString& text)
{
    ::SendMessageW(hWnd, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    ::SendMessageW(hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.GetString()));
}

void SetCaretFormat(HWND hWnd, CHARFORMAT2W& cf)
{
    if (::IsWindow(hWnd))
        ::SendMessageW(hWnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

} // namespace

BOOL CASRichEdit::AppendRTF(const CString& strText, bool bContent, const CString& strContentType)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    // Only the content type makes a body RTF: a plain text may well begin with "{\rtf".
    if (bContent && strContentType == L"Text/Rtf") {
        ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(-1), -1);
        return StreamRtfIn(m_hWnd, strText, SF_RTF | SFF_SELECTION);
    }
    ReplaceAtEnd(m_hWnd, strText);
    return TRUE;
}

// Our library does not draw pictures: a readable file shows as its name in brackets.
BOOL CASRichEdit::InsertThumbFile(const CString& strFile)
{
    if (!::IsWindow(m_hWnd) || strFile.IsEmpty())
        return FALSE;
    HANDLE h = ::CreateFileW(strFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    ::CloseHandle(h);
    int slash = strFile.ReverseFind(L'\\');
    ReplaceAtEnd(m_hWnd, L"[" + (slash >= 0 ? strFile.Mid(slash + 1) : strFile) + L"]");
    return TRUE;
}

BOOL CASRichEdit::InsertBitmap(HBITMAP hBitmap, int)
{
    if (!::IsWindow(m_hWnd) || !hBitmap)
        return FALSE;
    ReplaceAtEnd(m_hWnd, L"[picture]");
    return TRUE;
}

void CASRichEdit::InsertAT(const CString& strFirst, const CString& strSecond)
{
    if (::IsWindow(m_hWnd))
        ReplaceAtEnd(m_hWnd, L"@" + strSecond + L" ");
}

void CASRichEdit::InsertSharp(const CString& strFirst, const CString& strSecond)
{
    if (::IsWindow(m_hWnd))
        ReplaceAtEnd(m_hWnd, L"#" + strSecond + L" ");
}

void CASRichEdit::SetLink(long nStart, long nEnd, bool bLink)
{
    if (!::IsWindow(m_hWnd))
        return;
    CHARRANGE saved;
    ::SendMessageW(m_hWnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    ::SendMessageW(m_hWnd, EM_SETSEL, nStart, nEnd);
    CHARFORMAT2W cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_LINK;
    cf.dwEffects = bLink ? CFE_LINK : 0;
    ::SendMessageW(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    ::SendMessageW(m_hWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
}

void CASRichEdit::SetSelectionTextColor(COLORREF cr)
{
    CHARFORMAT2W cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = cr;
    SetCaretFormat(m_hWnd, cf);
}

void CASRichEdit::SetFontSize(int nPoints)
{
    CHARFORMAT2W cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_SIZE;
    cf.yHeight = nPoints * 20;
    SetCaretFormat(m_hWnd, cf);
}

void CASRichEdit::SetFontName(const CString& strName)
{
    CHARFORMAT2W cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_FACE;
    lstrcpynW(cf.szFaceName, strName, LF_FACESIZE);
    SetCaretFormat(m_hWnd, cf);
}
