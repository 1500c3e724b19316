#include "msgcenter/titlelist/CRtfExportWriter.h"
#include "msgcenter/CMsgBodyText.h"
#include "msgcenter/titlelist/CUtf8RtfToAscii.h"
#include "msgcenter/MsgDb.h"
#include <richedit.h>

namespace {

// Where the streamed RTF goes: turned into 7-bit RTF on its way to the file; a failed write
// stops the stream with its error.
struct ExportSink {
    HANDLE hFile = INVALID_HANDLE_VALUE;
    long long written = 0;
    long long limit = -1;
    DWORD error = 0;
    CUtf8RtfToAscii ascii;
    std::string converted;

    bool Write(const std::string& bytes)
    {
        if (bytes.empty())
            return true;
        if (limit >= 0 && written + static_cast<long long>(bytes.size()) > limit) {
            error = ERROR_DISK_FULL;
            return false;
        }
        DWORD done = 0;
        if (!::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
            done != static_cast<DWORD>(bytes.size())) {
            error = ::GetLastError() ? ::GetLastError() : ERROR_WRITE_FAULT;
            return false;
        }
        written += done;
        return true;
    }
};

DWORD CALLBACK WriteStreamToFile(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb)
{
    auto* sink = reinterpret_cast<ExportSink*>(cookie);
    *pcb = 0;
    sink->converted.clear();
    sink->ascii.Convert(reinterpret_cast<const char*>(buffer), static_cast<size_t>(cb), sink->converted);
    if (!sink->Write(sink->converted))
        return sink->error;
    *pcb = cb;
    return 0;
}

// The rich edit's UTF-8 RTF: the only form in which it writes every character as it is.
const WPARAM kStreamUtf8Rtf = (static_cast<WPARAM>(CP_UTF8) << 16) | SF_USECODEPAGE | SF_RTF;

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
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hFile);
        ::DeleteFileW(m_strTempPath);
    }
}

bool CRtfExportWriter::OpenFile(const CString& strPath)
{
    m_strPath = strPath;
    // A file already at the path must be one that can be replaced (not read-only, not held open
    // by another program); it is not touched before the export is complete.
    if (::GetFileAttributesW(strPath) != INVALID_FILE_ATTRIBUTES) {
        HANDLE hOld = ::CreateFileW(strPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hOld == INVALID_HANDLE_VALUE)
            return false;
        ::CloseHandle(hOld);
    }
    const int slash = strPath.ReverseFind(L'\\');
    const CString folder = slash > 0 ? strPath.Left(slash) : CString(L".");
    wchar_t temp[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder, L"kor", 0, temp))
        return false;
    m_strTempPath = temp;
    m_hFile = ::CreateFileW(m_strTempPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        ::DeleteFileW(m_strTempPath);
        return false;
    }
    return true;
}

bool CRtfExportWriter::CreateEdit(HWND hParent, UINT nId, HFONT hFont, long nTextLimit)
{
    if (!CRichEditCtrl::LoadRichEdit() ||
        !m_edit.CreateEx(0, RICHEDIT_CLASSW, nullptr, kHiddenEditStyle, -200, -200, 100, 100, hParent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)), nullptr)) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
        ::DeleteFileW(m_strTempPath);
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
    // The stored content type says what the body is; a plain text may well begin with "{\rtf".
    const bool rtf = strContentType == MsgDb::kContentRtf;
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
        m_edit.AppendRTF(body, rtf, rtf ? MsgDb::kContentRtf : L"Text/Text");
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
        m_edit.SendMessage(EM_STREAMOUT, kStreamUtf8Rtf, reinterpret_cast<LPARAM>(&es));
        sink.converted.clear();
        sink.ascii.Finish(sink.converted);
        written = es.dwError == 0 && sink.error == 0 && sink.Write(sink.converted);
    }
    if (m_edit.GetSafeHwnd())
        m_edit.DestroyWindow();
    if (m_hFile != INVALID_HANDLE_VALUE) {
        if (!::CloseHandle(m_hFile))
            written = false;
        m_hFile = INVALID_HANDLE_VALUE;
        // Only a whole export takes the chosen path; a short file would pass for the whole.
        if (written && !::MoveFileExW(m_strTempPath, m_strPath, MOVEFILE_REPLACE_EXISTING))
            written = false;
        if (!written)
            ::DeleteFileW(m_strTempPath);
    }
    return written;
}
