#pragma once
// One RTF export file of selected messages: each message a blue header line (sender, "->",
// receiver, two blanks, date) and its body as text, collected in a hidden rich edit and
// streamed to the file once at the end. The title list (on the user-interface thread) and the
// contact-history pane's export worker (on its own thread) both write their files with it.
//
// The document goes to a new file beside the chosen one, made first, so that a folder that
// cannot be written is known before any work; only a whole export then takes the chosen path
// (replacing a file there). A failed write, a cancel or an export larger than the rich edit can
// hold never leaves a short file that would pass for the whole export, and leave a file that
// was at the path as it was. Every character of the messages reaches the file (7-bit RTF, each
// character beyond ASCII as a "\u" word).
#include "framework/CString.h"
#include "platform/QorView/CASRichEdit.h"
#include "framework/Platform.h"

class CRtfExportWriter {
public:
    CRtfExportWriter() = default;
    ~CRtfExportWriter();
    CRtfExportWriter(const CRtfExportWriter&) = delete;
    CRtfExportWriter& operator=(const CRtfExportWriter&) = delete;

    // Creates the new file beside strPath; false when it cannot be made, or when a file at
    // strPath could not be replaced.
    bool OpenFile(const CString& strPath);
    // The hidden rich edit, a child of hParent (HWND_MESSAGE on a thread without windows of its
    // own), with the font given and at most nTextLimit characters; false when it cannot be made
    // (the file is then closed).
    bool CreateEdit(HWND hParent, UINT nId, HFONT hFont, long nTextLimit);
    // Appends one message; its body (content and Col_ContentType) goes in as the text the title
    // list shows for it. False, with nothing appended, when the message would not fit.
    bool AddMessage(const CString& strSender, const CString& strReceiver, const CString& strDate,
                    const CString& strContentType, const CString& strContent);
    // With bWrite the collected document is streamed into the new file, which then takes the
    // chosen path. The edit and the file are closed; true only when the whole document reached
    // the path, otherwise the new file is removed (and a file at the path is left as it was).
    bool Finish(bool bWrite);

    bool IsTooLarge() const { return m_bTooLarge; }
    int GetCount() const { return m_nCount; }
    const CString& GetPath() const { return m_strPath; }

    // Bytes after which a write fails as on a full disk (-1: never); for tests.
    long long m_llWriteLimit = -1;

private:
    CString m_strPath;
    CString m_strTempPath; // the new file the document is written to first
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    CASRichEdit m_edit;
    long m_nLimit = 0;
    // Characters in the edit so far: counted as plain text goes in (asking the edit each time
    // would make a long export quadratic); measured after an RTF body, whose size in characters
    // only the edit knows.
    long m_nChars = 0;
    int m_nCount = 0;
    bool m_bTooLarge = false;
};
