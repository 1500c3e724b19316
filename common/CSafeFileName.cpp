#include "common/CSafeFileName.h"
#include "common/CBaseFun.h"
#include <algorithm>

namespace {

const wchar_t kDefaultName[] = L"attachment";
// An extension longer than this is no extension worth keeping when a name is shortened.
const int kMaxKeptExtension = 16;

bool IsReplaced(wchar_t ch)
{
    if (ch < 32 || ch == 0x7F)
        return true;
    // Characters a Windows name cannot hold; ":" would also name a stream or a drive.
    if (wcschr(L"<>:\"/\\|?*", ch))
        return true;
    // Marks that turn the direction of the text, so that "txt.exe" may read as "exe.txt".
    return ch == 0x200E || ch == 0x200F || (ch >= 0x202A && ch <= 0x202E) || (ch >= 0x2066 && ch <= 0x2069);
}

// Windows opens a device for these names, whatever extension follows them.
bool IsDeviceName(CString base)
{
    base.TrimRight(L' ');
    base.MakeUpper();
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (base == device)
            return true;
    if (base.GetLength() != 4 || (base.Left(3) != L"COM" && base.Left(3) != L"LPT"))
        return false;
    const wchar_t digit = base[3];
    return (digit >= L'0' && digit <= L'9') || digit == 0x00B9 || digit == 0x00B2 || digit == 0x00B3;
}

// Blanks at either end and dots at the end go: Windows drops them when it opens the name.
void TrimEnds(CString& name)
{
    name.TrimLeft(L' ');
    int end = name.GetLength();
    while (end > 0 && (name[end - 1] == L'.' || name[end - 1] == L' '))
        --end;
    name = name.Left(end);
}

bool IsHighSurrogate(wchar_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }

// The name shortened to kMaxLength characters, the extension kept when it is a short one.
CString Shorten(const CString& name)
{
    if (name.GetLength() <= CSafeFileName::kMaxLength)
        return name;
    const int dot = name.ReverseFind(L'.');
    const int extLength = dot > 0 ? name.GetLength() - dot : 0;
    const CString ext = extLength > 0 && extLength <= kMaxKeptExtension ? name.Mid(dot) : CString();
    int keep = CSafeFileName::kMaxLength - ext.GetLength();
    if (keep > 0 && IsHighSurrogate(name[keep - 1]))
        --keep;
    return name.Left(keep) + ext;
}

bool Exists(const CString& path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

} // namespace

CString CSafeFileName::Clean(const CString& strName)
{
    CString name = strName;
    const bool folder = name.Right(1) == L"\\";
    name.TrimRight(L"\\/");
    // The last part of a path: "..\..\x.exe", "C:\Windows\x.dll" and "\\server\share\x" all
    // leave "x..." alone.
    const int cut = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/'));
    name = name.Mid(cut + 1);
    for (int i = 0; i < name.GetLength(); ++i)
        if (IsReplaced(name[i]))
            name.SetAt(i, L'_');
    TrimEnds(name);
    name = Shorten(name);
    TrimEnds(name);
    if (name.IsEmpty())
        name = kDefaultName;
    const int dot = name.Find(L'.');
    if (IsDeviceName(dot < 0 ? name : name.Left(dot)))
        name = Shorten(L"_" + name);
    return folder ? name + L"\\" : name;
}

CString CSafeFileName::FreePath(const CString& strFolder, const CString& strName, LPCWSTR pszCompanionSuffix)
{
    CString folder = strFolder;
    folder.TrimRight(L'\\');
    // A folder's name is counted whole; a file's number goes before its extension.
    const bool isFolder = strName.Right(1) == L"\\";
    const CString bare = isFolder ? strName.Left(strName.GetLength() - 1) : strName;
    const int dot = isFolder ? -1 : bare.ReverseFind(L'.');
    const CString base = dot > 0 ? bare.Left(dot) : bare;
    const CString ext = dot > 0 ? bare.Mid(dot) : CString();
    auto isFree = [&](const CString& path) {
        return !Exists(path) && !(pszCompanionSuffix && *pszCompanionSuffix && Exists(path + pszCompanionSuffix));
    };
    CString path = folder + L"\\" + bare;
    for (int n = 2; !isFree(path) && n < 10000; ++n) {
        CString numbered;
        numbered.Format(L"%s (%d)%s", base.GetString(), n, ext.GetString());
        path = folder + L"\\" + numbered;
    }
    // Ten thousand copies of one name: the next takes a name nobody has.
    if (!isFree(path))
        path = folder + L"\\" + base + L" (" + CBaseFun::NewGuidText() + L")" + ext;
    return isFolder ? path + L"\\" : path;
}
