#pragma once
// Static helpers for the program directory, configuration paths, sounds and settings.
// GetAppPath gives the directory of the running program; the others are offered for any caller.
#include "common/CBaseFun.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"

class CCommFun {
public:
    virtual ~CCommFun() = default;

    // The directory of the running program, without a trailing backslash.
    static CString GetAppPath();
    // The text before the last backslash; empty for a path without one.
    static CString GetDirectory(const CString& path);

    // The same helpers as CBaseFun.
    static BOOL ReadFileText(const CString& path, CString& text) { return CBaseFun::ReadFileText(path, text); }
    static BOOL WriteFileBytes(const CString& path, const CString& text) { return CBaseFun::WriteFileBytes(path, text); }
    static BOOL SplitFirst(CString& text, CString& head, CString delimiter) { return CBaseFun::SplitFirst(text, head, delimiter); }
    static CString GetFileDir(const CString& path) { return CBaseFun::GetFileDir(path); }
    static CString GetFileName(const CString& path) { return CBaseFun::GetFileName(path); }
    static CString NewGuidText() { return CBaseFun::NewGuidText(); }
    static BOOL GetWindowsVersion(DWORD& major, DWORD& minor, DWORD& build) { return CBaseFun::GetWindowsVersion(major, minor, build); }
    static int FindInArray(const std::vector<int>& values, int value) { return CBaseFun::FindInArray(values, value); }
    static int FindInArray(const CStringArray& texts, const CString& text) { return CBaseFun::FindInArray(texts, text); }
    static BOOL IsFolder(const CString& path) { return CBaseFun::IsFolder(path); }
    static BOOL HasSubFolder(const CString& folder) { return CBaseFun::HasSubFolder(folder); }
    static CString GetUsersFolder() { return CBaseFun::GetUsersFolder(); }
    static CString GetUserFolder(const CString& user) { return CBaseFun::GetUserFolder(user); }
    static CString GetUserSaveDataFolder(const CString& user) { return CBaseFun::GetUserSaveDataFolder(user); }
    static BOOL GradientFillRect(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, BOOL bVertical) { return CBaseFun::GradientFillRect(hdc, rect, from, to, bVertical); }
    static BOOL DrawBitmap(HDC hdc, int x, int y, HBITMAP hBitmap) { return CBaseFun::DrawBitmap(hdc, x, y, hBitmap); }
    static BOOL StretchBitmap(HDC hdc, const RECT& target, HBITMAP hBitmap) { return CBaseFun::StretchBitmap(hdc, target, hBitmap); }
    static BOOL DrawMaskedBitmap(HDC hdc, int x, int y, HBITMAP hBitmap, COLORREF transparent) { return CBaseFun::DrawMaskedBitmap(hdc, x, y, hBitmap, transparent); }

    // Configuration paths
    // "<program>\Data\<name>\MyConfig.ini"
    static CString GetMyConfigPath(const CString& name);
    // "<program>\Data\Config.ini"
    static CString GetConfigPath();
    // "<base>\Attach\<name>\", with the trailing backslash.
    static CString GetAttachFolder(const CString& base, const CString& name);
    // "<base>\WebSearch"
    static CString GetWebSearchFolder(const CString& base);
    // The temporary folder, with a trailing backslash.
    static CString GetTempFolder();
    // The shell's favourites folder, or the Windows folder + "\favorites".
    static CString GetFavoritesFolder();

    // Sounds
    // A value of the "SOUND" section of a settings file.
    static CString GetSoundSetting(const CString& file, const CString& key);
    static BOOL SetSoundCount(const CString& file, int count);
    // "UseHodeSoundPath" of the "MyIEProp" section, as a number.
    static int GetUseHoldSoundPath(const CString& file);
    static BOOL PlaySoundFile(const CString& path);

    // TRUE when HKCU "Software\KorvelSoft\KorvelMessenger\Setting" "EnterSend" is the DWORD 1.
    static BOOL IsEnterSend();

    // The integer after tagName (e.g. "WIDTH=") in text, up to the next blank; 0 when absent.
    static int GetPictureSize(const CString& text, const CString& tagName);
    // TRUE when the text holds "document.write".
    static BOOL IsPageScript(const CString& text);
    // The texts joined with ";".
    static CString JoinAddresses(const CStringArray& addresses);
    // "http://" in front of an address without a scheme.
    static CString AddWebScheme(const CString& address);

private:
    CCommFun() = default;
};
