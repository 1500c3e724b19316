#pragma once
// Static helpers for paths, per-user folders, settings files, dates, links, COM objects and
// small drawing tasks. The per-user layout below the program directory:
//   Users\Data.ini, Users\<user>\Account.dat, the folder Users\<user>\SaveData
//   Data\Error.txt (the error log, lines "<date time>#<text>")
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include <ctime>
#include <vector>

class CBaseFun {
public:
    virtual ~CBaseFun() = default;

    // Files
    // The whole file as a text in the ANSI code page; FALSE when it does not open.
    static BOOL ReadFileText(const CString& path, CString& text);
    // Creates or truncates the file and writes the low byte of each character.
    static BOOL WriteFileBytes(const CString& path, const CString& text);
    // Replaces "&" by "&amp;" and writes the text (ANSI) to a new file; FALSE when the file
    // exists already or cannot be created.
    static BOOL SaveEscapedText(const CString& path, CString text);
    // Copies a file into a folder with the shell's file operation ("File copying").
    static BOOL CopyFileTo(const CString& source, const CString& folder, const CString& fileName);
    // Deletes a folder with all its files and sub-folders.
    static BOOL DeleteFolderTree(const CString& folder);
    // TRUE for an existing folder.
    static BOOL IsFolder(const CString& path);
    // TRUE when the folder holds at least one sub-folder ("." and ".." skipped).
    static BOOL HasSubFolder(const CString& folder);

    // Texts and paths
    static BOOL SplitFirst(CString& text, CString& head, CString delimiter);
    // The text before the last "\" (empty without one), and the text after it.
    static CString GetFileDir(const CString& path);
    static CString GetFileName(const CString& path);
    // Splits an address at "?" into address and query, then the address at ":\\" or "://"
    // into scheme and the rest (scheme empty when there is neither).
    static void SplitAddress(const CString& url, CString& scheme, CString& rest, CString& query);
    // A link: the scheme before "://", or "FILE" for "X:\..."; the rest splits at "?" into
    // path and query, or without "?" goes to query when it holds "=", else to path.
    static void ParseLink(const CString& link, CString& scheme, CString& path, CString& query);
    // The one filter of every link the program opens for the user: a link from a message, a
    // tip or the server is opened only when it is a web (http, https) or mail (mailto) address
    // with nothing in it that could end the address where the shell passes it on (blanks,
    // control characters, double quotes) and no longer than a browser takes. Files, folders,
    // network paths and programs are never opened from a link.
    static BOOL IsOpenableLink(const CString& url);
    // Opens a link that passes IsOpenableLink with the user's program for it (the shell's
    // "open" verb); FALSE, and nothing opened, for any other.
    static BOOL OpenAddress(const CString& url);
    // Replaces how addresses are opened (tests, so that no browser starts); null restores the
    // shell. The previous opener is returned.
    typedef void (*PFNOPENADDRESS)(const CString& url);
    static PFNOPENADDRESS SetAddressOpener(PFNOPENADDRESS pfn);
    // In a list of key=value items: the value of key (compared without case, trimmed of
    // blanks), trimmed of blanks and double quotes. FALSE when absent.
    static BOOL GetKeyValue(CString list, const CString& key, CString& value, CString separator);
    // TRUE for a text of digits only that reads back as the same number.
    static BOOL IsIntegerText(const CString& text);
    // Digits with at most one ".", not first and not last.
    static BOOL IsDecimalText(const CString& text);
    static int FindInArray(const std::vector<int>& values, int value);
    static int FindInArray(const CStringArray& texts, const CString& text);

    // Identity and system
    static CString GetCompanyName() { return L"KorvelSoft"; }
    // A new GUID as "%08lX-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X"; empty on failure.
    static CString NewGuidText();
    static BOOL GetWindowsVersion(DWORD& major, DWORD& minor, DWORD& build);

    // Time
    static BOOL GetLocalTimeParts(time_t t, int& year, int& month, int& day, int& hour, int& minute, int& second);
    // "%d-%d-%d %d:%d:%d", year first, without zero padding.
    static CString FormatDateTime(time_t t);

    // INI files through the profile functions
    static CString GetIniString(const CString& file, const CString& section, const CString& key,
                                const CString& defaultValue = CString());
    static int GetIniInt(const CString& file, const CString& section, const CString& key, int defaultValue = 0);
    static BOOL WriteIniString(const CString& file, const CString& section, const CString& key, const CString& value);
    static BOOL WriteIniInt(const CString& file, const CString& section, const CString& key, int value);

    // Per-user folders below the program directory, created on demand.
    static CString GetUsersFolder();
    static CString GetUsersDataIni();
    static CString GetUserFolder(const CString& user);
    static CString GetUserAccountFile(const CString& user);
    static CString GetUserSaveDataFolder(const CString& user);
    // Appends "<date time>#<text>" to Data\Error.txt below the program directory.
    static BOOL WriteErrorLog(const CString& text);

    // COM objects
    // A class id from "{...}" or from a program id.
    static BOOL GetClassId(const CString& idOrProgId, CLSID& clsid);
    // Creates the object (local server or in-process) and runs it; S_OK and *ppObject.
    static HRESULT CreateObject(const CString& idOrProgId, REFIID riid, void** ppObject);
    // The cookie file handed to the core's web extension object.
    static CString GetCookieFilePath();
    // Creates "QorCore.WebExt".
    static HRESULT CreateWebExt(IDispatch** ppWebExt);

    // Drawing
    static BOOL GradientFillRect(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, BOOL bVertical);
    static BOOL DrawBitmap(HDC hdc, int x, int y, HBITMAP hBitmap);
    static BOOL StretchBitmap(HDC hdc, const RECT& target, HBITMAP hBitmap);
    // Draws the bitmap leaving its pixels of the transparent colour out.
    static BOOL DrawMaskedBitmap(HDC hdc, int x, int y, HBITMAP hBitmap, COLORREF transparent);

private:
    CBaseFun() = default;
};
