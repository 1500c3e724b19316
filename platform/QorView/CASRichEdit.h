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
    CString GetRTF();
    BOOL InsertImgFile(const CString& strFile);
    void ScroolToBottom();
    void SetIndent(int nIndent);

protected:
    COLORREF m_crBorder = RGB(255, 255, 255);
};
