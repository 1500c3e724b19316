#include "msgcenter/CRtfExportWriter.h"
#include "msgcenter/CMsgBodyText.h"
#include <richedit.h>

namespace {

// Where the streamed RTF goes; a failed write stops the stream with its error.
struct ExportSink {
    HANDLE hFile = INVALID_HANDLE_VALUE;
    long long written = 0;
    long long limit = -1;
    DWORD error = 0;
};

DWORD CALLBACK WriteStreamToFile(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    auto* sink = reinterpret_cast<ExportSink*>(cookie);
    *pcb = 0;
    if (sink->limit >= 0 && sink->written + cb > sink->limit) {
        sink->error = ERROR_DISK_FULL;
        return sink->error;
    }
    DWORD done = 0;
    if (!::WriteFile(sink->hFile, buffer, static_cast<DWORD>(cb), &done, nullptr) || done != static_cast<DWORD>(cb)) {
        sink->error = ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
        return sink->error;
    }
    sink->written += done;
    *pcb = static_cast<LONG>(done);
    return 0;
}

void SetInsertColor(CASRichEdit& edit, COLORREF color)
{
    CHARFORMAT2W cf = {};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = color;
    edit.SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void MoveCaretToEnd(CASRichEdit& edit)
{
    // Positions past the end are taken as the end.
    edit.SendMessage(EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
}

long TextLength(CASRichEdit& edit)
{
    GETTEXTLENGTHEX gtl = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<long>(edit.SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0));
}

const DWORD kHiddenEditStyle = 0x40A00844; // child, border, vertical scroll, read-only, multi-line

} // namespace

CRtfExportWriter::~CRtfExportWriter()
{
    if (m_edit.GetSafeHwnd())
        m_edit.DestroyWindow();
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
}

bool CRtfExportWriter::OpenFile(const CString& strPath)
{
    m_strPath = strPath;
    m_hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hFile != INVALID_HANDLE_VALUE;
}

bool CRtfExportWriter::CreateEdit(HWND hParent, UINT nId, HFONT hFont, long nTextLimit)
{
    if (!CRichEditCtrl::LoadRichEdit() ||
        !m_edit.CreateEx(0, RICHEDIT_CLASSW, nullptr, kHiddenEditStyle, -200, -200, 100, 100, hParent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)), nullptr)) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
        return false;
    }
    m_nLimit = nTextLimit;
    m_edit.SendMessage(EM_EXLIMITTEXT, 0, nTextLimit);
    // The hidden view is 100 pixels wide: wrapping every appended body into lines of a word or
    // two made each append slow and kept a line record per word (a 10k-message export ran out
    // of memory). Nothing is shown, so nothing needs wrapping; the written RTF is the same.
    m_edit.SendMessage(EM_SETTARGETDEVICE, 0, 1);
    m_edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    return true;
}

bool CRtfExportWriter::AddMessage(const CString& strSender, const CString& strReceiver, const CString& strDate,
                                  const CString& strContentType, const CString& strContent)
{
    CString header = strSender + L"->" + strReceiver + L"  " + strDate + L"\n";
    CString body = CMsgBodyText::BodyToText(strContentType, strContent);
    const bool rtf = body.Left(5) == L"{\\rtf";
    // A plain piece that cannot fit, or an RTF piece that filled the edit, would be cut: such an
    // export is refused rather than written short.
    if (m_nChars + header.GetLength() + (rtf ? 0 : body.GetLength()) + 2 >= m_nLimit) {
        m_bTooLarge = true;
        return false;
    }
    MoveCaretToEnd(m_edit);
    SetInsertColor(m_edit, 0xFF0000);
    m_edit.ReplaceSel(header);
    MoveCaretToEnd(m_edit);
    SetInsertColor(m_edit, 0);
    if (!body.IsEmpty())
        m_edit.AppendRTF(body, rtf, rtf ? L"Text/Rtf" : L"");
    m_edit.AppendRTF(L"\r\n", false, CString());
    m_nChars = rtf ? TextLength(m_edit) : m_nChars + header.GetLength() + body.GetLength() + 2;
    if (m_nChars >= m_nLimit - 1) {
        m_bTooLarge = true;
        return false;
    }
    ++m_nCount;
    return true;
}

bool CRtfExportWriter::Finish(bool bWrite)
{
    bool written = false;
    if (bWrite && !m_bTooLarge && m_hFile != INVALID_HANDLE_VALUE && m_edit.GetSafeHwnd()) {
        ExportSink sink;
        sink.hFile = m_hFile;
        sink.limit = m_llWriteLimit;
        EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&sink), 0, WriteStreamToFile};
        m_edit.SendMessage(EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
        written = es.dwError == 0 && sink.error == 0;
    }
    if (m_edit.GetSafeHwnd())
        m_edit.DestroyWindow();
    if (m_hFile != INVALID_HANDLE_VALUE) {
        if (!::CloseHandle(m_hFile))
            written = false;
        m_hFile = INVALID_HANDLE_VALUE;
        // A short file would pass for the whole export: it goes.
        if (!written)
            ::DeleteFileW(m_strPath);
    }
    return written;
}
