#pragma once
// A KTF message body: one default font and the items in document order. A reader makes one on
// the stack, calls Parse, walks `items` (testing each item's `kind`) and lets it go; the writer
// side builds a body with the Add operations and ToXml. Parse and Clear never reset the font,
// so a body without a Font element keeps the font the manager had.
#include "msgcenter/ktf/CKTFFont.h"
#include "msgcenter/ktf/CKTFItem.h"
#include <list>

class TiXmlElement;

class CKTFMgr {
public:
    CKTFMgr();
    CKTFMgr(const CKTFMgr&) = delete;
    CKTFMgr& operator=(const CKTFMgr&) = delete;
    virtual ~CKTFMgr();

    // Empties the model, then reads the body. False when the body has no top-level element
    // (empty, RTF, plain text): it is not KTF, and the model stays empty. A malformed tail is
    // not an error: the items read before it stay. bDom is accepted for callers' sake and has
    // no effect.
    bool Parse(const CString& strBody, bool bDom = false);
    // As Parse, and also reads clipboard pictures (Img elements).
    bool ParseXmlEx(const CString& strBody);

    // Deletes every item and clears both flags; the font stays.
    void Clear();

    const CKTFFont& GetFont() const { return font; }
    bool SetFont(const CString& strName, int nSize, int nClr, int nFlags);
    bool HasText() const { return hasText; }
    bool HasFile() const { return hasFile; }

    // Each appends one item at the end and returns true.
    bool AddText(const CString& strText);
    bool AddImage(int nType, const CString& strFguid);
    bool AddClipImage(const CString& strSrc);
    bool AddAt(const CString& strFirst, const CString& strSecond);
    bool AddSharp(const CString& strFirst, const CString& strSecond);
    bool AddFile(const CString& strName, INT64 nSize, int nType, const CString& strText, const CString& strFshost,
                 int nFiletype);

    // The whole body: <KTF>, the font, every item, </KTF>, with nothing in between. Every
    // value is escaped so that Parse gives the same font and items back.
    CString ToXml() const;

    CKTFFont font;
    bool hasText;
    bool hasFile;
    std::list<CKTFItem*> items; // owned; deleted by Clear and the destructor

private:
    struct ReadContext;
    bool ParseBody(const CString& strBody, bool bReadImg);
    void ReadElement(const TiXmlElement& element, ReadContext& ctx);
};
