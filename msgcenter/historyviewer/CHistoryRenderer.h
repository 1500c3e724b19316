#pragma once
// CHistoryRenderer: appends one stored message to the history viewer's rich edit: a coloured
// header (sender and date) and the body, drawn from KTF when it parses as KTF, else as RTF or
// plain text, indented. Every file of a KTF body becomes two links recorded in the link data
// manager: the file name (open or download, kind 1) and "Show in folder" (kind 2). Both carry the
// message id, the file's own name, its place among the body's files and its stored local path,
// so a click acts on exactly the file it was drawn for.
#include "framework/CBitmap.h"
#include "framework/CString.h"
#include "msgcenter/historyviewer/CHistoryStore.h"

class CASRichEdit;
class CLinkDataMgr;

class CHistoryRenderer {
public:
    // Keys of the link items.
    static const wchar_t kKeyAttachFile[]; // "_AttachFile_": the stored local path (may be empty)
    static const wchar_t kKeyMsgId[];      // "_MsgID_"
    static const wchar_t kKeyPath[];       // "_Path_": the folder of the local path
    static const wchar_t kKeyFileName[];   // "_FileName_": the file's name in the body
    static const wchar_t kKeyFileIndex[];  // "_FileIndex_": 0-based among the body's file items
    static const wchar_t kKeyAppCommand[]; // "_XXAppCommand"

    enum { kLinkOpenFile = 1, kLinkShowInFolder = 2, kLinkAppCommand = 31 };
    static constexpr COLORREF kHeaderColor = 0xFE6E00;
    static constexpr COLORREF kOwnHeaderColor = 0x408000;

    // Not owned; the placeholder is drawn for a picture whose file cannot be shown.
    CHistoryRenderer(CASRichEdit& view, CLinkDataMgr& links, const CBitmap& placeholder)
        : m_view(view), m_links(links), m_placeholder(placeholder)
    {
    }

    // Appends the message; the character position at which it starts. bPeer says which
    // attachment table holds the files' local paths; strOwnName is the signed-in user's display
    // name (their own messages get the green header).
    long Render(bool bPeer, const HistoryRow& row, const CString& strOwnName);

    // The text of the body's bytes: UTF-8 as stored.
    static CString DecodeBody(const std::string& body);

private:
    long CaretToEnd();
    void AppendFile(bool bPeer, const CString& strMsgId, const class CKTFFile& file, int nIndex);

    CASRichEdit& m_view;
    CLinkDataMgr& m_links;
    const CBitmap& m_placeholder;
};
