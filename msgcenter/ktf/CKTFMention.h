#pragma once
// What an at-mention and a sharp-tag have in common: `first` identifies the person or topic,
// `second` is what the panes show behind "@" or "#". In the markup the two are one element text
// split at its first ';', so `first` cannot hold a ';' (one there moves the rest into `second`).
#include "msgcenter/ktf/CKTFItem.h"

class CKTFMention : public CKTFItem {
public:
    CString ToXml() const override;

    CString first;
    CString second;

protected:
    // pszElement: the element name the item is written as ("at", "sharp").
    CKTFMention(unsigned short nKind, const wchar_t* pszElement, CString strFirst, CString strSecond);

private:
    const wchar_t* m_pszElement; // static text
};
