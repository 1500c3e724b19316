#include "msgcenter/CMsgBodyText.h"
#include "msgcenter/ktf/CKTFAt.h"
#include "msgcenter/ktf/CKTFFile.h"
#include "msgcenter/ktf/CKTFMgr.h"
#include "msgcenter/ktf/CKTFSharp.h"
#include "msgcenter/ktf/CKTFText.h"

namespace {

const int kInlinePictures = 0x40000;

// The texts of a parsed body in document order: a text item (followed by textEnd), "@" and an
// at-mention's name, "#" and a tag; onFile sees every file item.
template <class OnFile>
CString KtfText(const CKTFMgr& ktf, const wchar_t* textEnd, OnFile onFile)
{
    CString text;
    for (const CKTFItem* item : ktf.items) {
        switch (item->kind) {
        case 1:
            text += static_cast<const CKTFText*>(item)->text + textEnd;
            break;
        case 3:
            onFile(*static_cast<const CKTFFile*>(item));
            break;
        case 4:
            text += L"@" + static_cast<const CKTFAt*>(item)->second;
            break;
        case 5:
            text += L"#" + static_cast<const CKTFSharp*>(item)->second;
            break;
        default:
            break;
        }
    }
    return text;
}

} // namespace

CString CMsgBodyText::BodyToText(const CString& strContentType, const CString& strContent)
{
    if (strContentType == L"Text/Rtf" || strContentType == L"UTF-8")
        return strContent;
    if (strContentType != L"Text/Ktf")
        return CString();
    CKTFMgr ktf;
    ktf.Parse(strContent, false);
    CString files;
    CString text = KtfText(ktf, L"\r\n", [&](const CKTFFile& file) { files += file.name + L"\r\n"; });
    return text.IsEmpty() ? files : text;
}

CString CMsgBodyText::KtfToDisplayText(const CString& strKtf, int& nFlags)
{
    CKTFMgr ktf;
    if (!ktf.Parse(strKtf, false))
        return CString();
    return KtfText(ktf, L"", [&](const CKTFFile& file) {
        nFlags = file.filetype == kInlinePictures ? kInlinePictures : 0;
    });
}
