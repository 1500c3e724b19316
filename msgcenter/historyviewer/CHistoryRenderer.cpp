#include "msgcenter/historyviewer/CHistoryRenderer.h"
#include "msgcenter/MsgDb.h"
#include "msgcenter/historyviewer/CLinkDataMgr.h"
#include "msgcenter/ktf/CKTFFile.h"
#include "msgcenter/ktf/CKTFMention.h"
#include "msgcenter/ktf/CKTFMgr.h"
#include "msgcenter/ktf/CKTFText.h"
#include "platform/QorResource/HistoryResourceIds.h"
#include "platform/QorView/CASRichEdit.h"
#include "platform/QorView/CQorViewBaseFun.h"
#include "platform/QorView/CQorViewMgr.h"

const wchar_t CHistoryRenderer::kKeyAttachFile[] = L"_AttachFile_";
const wchar_t CHistoryRenderer::kKeyMsgId[] = L"_MsgID_";
const wchar_t CHistoryRenderer::kKeyPath[] = L"_Path_";
const wchar_t CHistoryRenderer::kKeyFileName[] = L"_FileName_";
const wchar_t CHistoryRenderer::kKeyFileIndex[] = L"_FileIndex_";
const wchar_t CHistoryRenderer::kKeyAppCommand[] = L"_XXAppCommand";

namespace {

CString FolderOf(const CString& strPath)
{
    CString folder = CQorViewBaseFun::GetPathName(strPath);
    folder.TrimRight(L'\\');
    return folder;
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

CString CHistoryRenderer::DecodeBody(const std::string& body)
{
    if (body.empty())
        return CString();
    int n = ::MultiByteToWideChar(CP_UTF8, 0, body.data(), static_cast<int>(body.size()), nullptr, 0);
    CString text;
    if (n > 0) {
        LPWSTR p = text.GetBuffer(n);
        ::MultiByteToWideChar(CP_UTF8, 0, body.data(), static_cast<int>(body.size()), p, n);
        text.ReleaseBuffer(n);
    }
    return text;
}

long CHistoryRenderer::CaretToEnd()
{
    m_view.SetSel(-1, -1);
    long start = 0, end = 0;
    m_view.GetSel(start, end);
    return end;
}

void CHistoryRenderer::AppendFile(bool bPeer, const CString& strMsgId, const CKTFFile& file, int nIndex)
{
    CString path;
    CHistoryStore::GetAttachLocalPath(bPeer, strMsgId, file.name, path);
    if (file.filetype & 0x40000) {
        // A picture sent as a file is shown in the text, or its placeholder when it cannot be.
        long p = CaretToEnd();
        if (m_view.InsertThumbFile(path)) {
            CWqREObjItem obj;
            obj.nKind = 1;
            obj.nStart = p;
            obj.nEnd = p + 1;
            obj.strPath = path;
            m_view.GetObjectList().push_back(obj);
        } else {
            CaretToEnd();
            m_view.InsertBitmap(m_placeholder, 0);
        }
        return;
    }
    auto mark = [&](CLinkDataMgr::CLinkItem* item, int kind) {
        if (!item)
            return;
        item->kind = kind;
        item->SetValue(kKeyAttachFile, path);
        item->SetValue(kKeyMsgId, strMsgId);
        item->SetValue(kKeyFileName, file.name);
        item->SetValue(kKeyFileIndex, static_cast<LONGLONG>(nIndex));
        if (kind == kLinkShowInFolder)
            item->SetValue(kKeyPath, FolderOf(path));
    };
    long a = CaretToEnd();
    m_view.AppendRTF(file.name + L" ", false, CString());
    long b = CaretToEnd();
    m_view.SetLink(a, b, true);
    CaretToEnd();
    mark(m_links.AddItem(a, b, file.name), kLinkOpenFile);

    m_view.AppendRTF(L"  ", false, CString());
    long c = CaretToEnd();
    CString folderText = LoadText(IDS_HISTORY_OPEN_FOLDER);
    m_view.AppendRTF(folderText, false, CString());
    long d = CaretToEnd();
    m_view.SetLink(c, d, true);
    CaretToEnd();
    mark(m_links.AddItem(c, d, folderText), kLinkShowInFolder);
}

long CHistoryRenderer::Render(bool bPeer, const HistoryRow& row, const CString& strOwnName)
{
    if (!m_view.GetSafeHwnd())
        return 0;
    COLORREF header = (!strOwnName.IsEmpty() && strOwnName == row.strSenderName) ? kOwnHeaderColor : kHeaderColor;

    long start = CaretToEnd();
    m_view.SetSelectionTextColor(header);
    m_view.SetFontSize(12);
    m_view.AppendRTF(row.strSenderName, false, CString());
    CaretToEnd();
    m_view.SetSelectionTextColor(header);
    m_view.SetFontSize(12);
    m_view.AppendRTF(L"(" + row.strSendDate + L"):\r\n", false, CString());
    long bodyStart = CaretToEnd();

    CString text = DecodeBody(row.body);
    CKTFMgr ktf;
    // A person's message is what its content type says, whatever its first characters; a
    // discussion's entry is KTF, or plain text when it does not parse.
    const bool typed = !row.strContentType.IsEmpty();
    if ((!typed || row.strContentType == MsgDb::kContentKtf) && ktf.Parse(text, false)) {
        const CKTFFont& font = ktf.GetFont();
        auto setFont = [&] {
            m_view.SetFontName(font.name);
            m_view.SetFontSize(font.size);
            m_view.SetSelectionTextColor(static_cast<COLORREF>(font.clr));
        };
        int fileIndex = 0;
        for (CKTFItem* item : ktf.items) {
            switch (item->kind) {
            case CKTFItem::KIND_TEXT:
                setFont();
                m_view.AppendRTF(static_cast<CKTFText*>(item)->text, true, CString());
                break;
            case CKTFItem::KIND_FILE:
                CaretToEnd();
                AppendFile(bPeer, row.strMsgId, *static_cast<CKTFFile*>(item), fileIndex++);
                break;
            case CKTFItem::KIND_AT:
                setFont();
                m_view.InsertAT(static_cast<CKTFMention*>(item)->first, static_cast<CKTFMention*>(item)->second);
                break;
            case CKTFItem::KIND_SHARP:
                setFont();
                m_view.InsertSharp(static_cast<CKTFMention*>(item)->first, static_cast<CKTFMention*>(item)->second);
                break;
            default:
                break; // images of a body are not drawn in the history
            }
        }
    } else if (row.strContentType == MsgDb::kContentRtf) {
        // RTF is 7-bit text carried one byte per character.
        CString rtf;
        for (unsigned char ch : row.body)
            rtf += static_cast<wchar_t>(ch);
        m_view.AppendRTF(rtf, true, L"Text/Rtf");
    } else {
        m_view.SetFontName(L"\u5fae\u8f6f\u96c5\u9ed1");
        m_view.SetFontSize(14);
        m_view.SetSelectionTextColor(0);
        m_view.AppendRTF(text, true, L"Text/Text");
    }

    if (!row.strAppCommand.IsEmpty())
        CQorViewMgr::Instance()->AppendUserDefineLink(&m_view, &m_links, row.strAppCommand);

    m_view.AppendRTF(L"\r\n", false, CString());
    long end = CaretToEnd();
    m_view.SetSel(bodyStart, end);
    m_view.SetIndent(200);
    m_view.AppendRTF(L"\r\n", false, CString());
    CaretToEnd();
    m_view.SetIndent(0);
    m_view.SendMessage(EM_SCROLLCARET, 0, 0);
    return start;
}
