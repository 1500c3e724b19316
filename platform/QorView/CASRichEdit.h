#pragma once
// The view library's rich edit: RTF in and out, pictures and emoticons, a border colour.
#include "framework/CRichEditCtrl.h"
#include "framework/CString.h"

class CASRichEdit : public CRichEditCtrl {
public:
    void SetBorderColor(COLORREF cr) { m_crBorder = cr; }
    COLORREF GetBorderColor() const { return m_crBorder; }
    // Replaces the content by the RTF text; bEmoticons lets the emoticon codes show as faces.
    BOOL SetRTFEx(const CString& strRtf, bool bEmoticons);
    BOOL AppendRTF(const CString& strRtf);
    // Appends at the end: an RTF document ("{\rtf...") as RTF when bDetectRtf, any other
    // text as plain text in the current insertion format. strFace is carried for emoticons.
    BOOL AppendRTF(const CString& strText, bool bDetectRtf, const CString& strFace);
    CString GetRTF();
    BOOL InsertImgFile(const CString& strFile);
    void ScroolToBottom();
    void SetIndent(int nIndent);

protected:
    COLORREF m_crBorder = RGB(255, 255, 255);
};
