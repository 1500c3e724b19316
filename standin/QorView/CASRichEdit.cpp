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

BOOL CASRichEdit::SetRTFEx(const CString& strRtf, bool bEmoticons) { return StreamRtfIn(m_hWnd, strRtf, SF_RTF); }

BOOL CASRichEdit::AppendRTF(const CString& strRtf)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    int end = ::GetWindowTextLengthW(m_hWnd);
    ::SendMessageW(m_hWnd, EM_SETSEL, end, end);
    return StreamRtfIn(m_hWnd, strRtf, SF_RTF | SFF_SELECTION);
}

BOOL CASRichEdit::AppendRTF(const CString& strText, bool bDetectRtf, const CString& strFace)
{
    if (!::IsWindow(m_hWnd))
        return FALSE;
    if (bDetectRtf && strText.Left(5) == L"{\\rtf")
        return AppendRTF(strText);
    int end = ::GetWindowTextLengthW(m_hWnd);
    ::SendMessageW(m_hWnd, EM_SETSEL, end, end);
    ::SendMessageW(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(strText.GetString()));
    return TRUE;
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

void CASRichEdit::ScroolToBottom()
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
