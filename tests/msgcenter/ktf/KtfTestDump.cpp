#include "tests/msgcenter/ktf/KtfTestDump.h"
#include "msgcenter/ktf/CKTFAt.h"
#include "msgcenter/ktf/CKTFFile.h"
#include "msgcenter/ktf/CKTFImage.h"
#include "msgcenter/ktf/CKTFImage_ClipBord.h"
#include "msgcenter/ktf/CKTFSharp.h"
#include "msgcenter/ktf/CKTFText.h"

namespace ktftest {

namespace {

// The item's letter, marked when its kind is not the one its class stands for.
std::wstring Tag(const CKTFItem* item, const wchar_t* letter, unsigned short kind)
{
    return std::wstring(letter) + (item->kind == kind ? L":" : L"(bad kind):");
}

} // namespace

std::wstring DumpItems(const CKTFMgr& mgr)
{
    std::wstring out;
    for (const CKTFItem* item : mgr.items) {
        if (!out.empty())
            out += L'|';
        if (auto t = dynamic_cast<const CKTFText*>(item)) {
            out += Tag(item, L"T", 1) + t->text.str();
        } else if (auto i = dynamic_cast<const CKTFImage*>(item)) {
            out += Tag(item, L"I", 2) + std::to_wstring(i->type) + L":" + i->fguid.str();
        } else if (auto c = dynamic_cast<const CKTFImage_ClipBord*>(item)) {
            out += Tag(item, L"C", 2) + c->src.str();
        } else if (auto f = dynamic_cast<const CKTFFile*>(item)) {
            out += Tag(item, L"F", 3) + f->name.str() + L":" + std::to_wstring(f->size) + L":" +
                   std::to_wstring(f->type) + L":" + f->fshost.str() + L":" + std::to_wstring(f->filetype) + L":" +
                   f->text.str();
        } else if (auto a = dynamic_cast<const CKTFAt*>(item)) {
            out += Tag(item, L"@", 4) + a->first.str() + L":" + a->second.str();
        } else if (auto s = dynamic_cast<const CKTFSharp*>(item)) {
            out += Tag(item, L"#", 5) + s->first.str() + L":" + s->second.str();
        } else {
            out += L"?";
        }
    }
    return out;
}

std::wstring Dump(const CKTFMgr& mgr)
{
    const CKTFFont& f = mgr.GetFont();
    return DumpItems(mgr) + L" / " + f.name.str() + L"," + std::to_wstring(f.size) + L"," + std::to_wstring(f.clr) +
           L"," + std::to_wstring(f.flags) + L" / " + (mgr.HasText() ? L"text" : L"-") + L"," +
           (mgr.HasFile() ? L"file" : L"-");
}

} // namespace ktftest
