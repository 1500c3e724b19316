#pragma once
// The view library's rich edit: RTF in and out, pictures and emoticons, a border colour, and
// the pieces the message centre appends a message from: coloured text runs, links, mentions
// and tags, pictures, and a list of the objects it placed.
#include "framework/CRichEditCtrl.h"
#include "framework/CString.h"
#include <vector>

// One object placed in the text (kind 1: a picture from a file), at [start, end).
struct CWqREObjItem {
    int nKind = 0;
    long nStart = -1;
    long nEnd = -1;
    CString strPath;
};

class CASRichEdit : public CRichEditCtrl {
public:
    void SetBorderColor(COLORREF cr) { m_crBorder = cr; }
    COLORREF GetBorderColor() const { return m_crBorder; }
    // Replaces the content by the RTF text; bEmoticons lets the emoticon codes show as faces.
    BOOL SetRTFEx(const CString& strRtf, bool bEmoticons);
    BOOL AppendRTF(const CString& strRtf);
    // Appends at the end. With bContent set and "Text/Rtf" as the third argument the text is
    // streamed in as RTF; anything else is plain text in the format set for the caret
    // (SetSelectionTextColor, SetFontSize, SetFontName), whatever its first characters. A third
    // argument that is no content type is a face kept for emoticons.
    BOOL AppendRTF(const CString& strText, bool bContent, const CString& strContentType);
    CString GetRTF();
    BOOL InsertImgFile(const CString& strFile);
    // A picture from a file at the caret; FALSE (nothing inserted) when the file cannot be read.
    BOOL InsertThumbFile(const CString& strFile);
    // A bitmap at the caret (our library writes a marker in its place).
    BOOL InsertBitmap(HBITMAP hBitmap, int nReserved);
    // A mention "@second" / a tag "#second" at the caret, first being the person's or tag's key.
    void InsertAT(const CString& strFirst, const CString& strSecond);
    void InsertSharp(const CString& strFirst, const CString& strSecond);
    // Marks [start, end) as a link (CFE_LINK), or unmarks it.
    void SetLink(long nStart, long nEnd, bool bLink);
    // The format of the selection (or of what is typed at the caret).
    void SetSelectionTextColor(COLORREF cr);
    void SetFontSize(int nPoints);
    void SetFontName(const CString& strName);
    void SetShowEmoticons(bool bShow) { m_bShowEmoticons = bShow; }
    bool IsShowEmoticons() const { return m_bShowEmoticons; }
    // The objects placed in the text, in placing order.
    std::vector<CWqREObjItem>& GetObjectList() { return m_objects; }
    void ScroolToBottom(int nReserved = 0);
    void SetIndent(int nIndent);

protected:
    COLORREF m_crBorder = RGB(255, 255, 255);
    bool m_bShowEmoticons = true;
    std::vector<CWqREObjItem> m_objects;
};
