#pragma once
// Static helpers of the view library: per-user folders and settings, the server list,
// saved users, proxy, hot keys, sounds, texts, the error log and HTTP requests.
//
// Settings live in one INI file per Windows user under the user's profile
// (%APPDATA%\KorvelSoft\Korvel\Option\Korvel.ini); a Save or Set writes at once.
// Loads fill their out-arguments and return non-zero when something was stored.
#include "framework/CStringArray.h"
#include "framework/CString.h"
#include "platform/QorView/_PROXYINFO.h"
#include "platform/QorView/_SERVERITEM.h"

struct IWebExt;

class CQorViewBaseFun {
public:
    CQorViewBaseFun() = delete;

    // Folders (each created when missing; no trailing backslash)
    static CString GetWorkDir();                // the program's own folder
    static CString GetKorvelRootFolder();       // the per-user root under the profile
    static CString GetKorvelOptionFolder();     // per-user settings
    static CString GetMySkinFilePathInfo();     // per-user skin folder; empty when it cannot be made
    static CString GetMyDataSavePathInfo();     // where received files are saved
    static void SetMyDataSavePathInfo(const CString& strFolder);
    static CString GetKorvelDataFolder();       // root of the per-account data folders
    static CString GetLogFolder();
    static CString GetMyConfigFile(const CString& strAccount); // per-account INI file
    static CString GetUserInfoFile(const CString& strAccount); // per-account user info file
    static CString GetUserPicFile(const CString& strUser, const CString& strIdentity);
    static CString GetPathName(const CString& strPath); // folder part of a path, without "\"
    static CString GetFileType(const CString& strPath); // extension with its dot, lower case
    static BOOL ExistDir(const CString& strPath);
    // Asks the user for a folder; FALSE when cancelled. Scripted under test.
    static BOOL GetSelectedFolder(HWND hOwner, const CString& strTitle, CString& strFolder);
    static CString CreateGUIDStr();
    // Removes a skin archive left by an older version; FALSE when nothing was removed.
    static BOOL DeleteSkin(const CString& strArchivePath);

    // Server list, saved users, sign-in settings
    static int LoadServerList(CServerItemArray& arServers);
    static BOOL SaveServerList(const CServerItemArray& arServers);
    static int LoadLoginedUsers(CStringArray& arUsers);
    static BOOL SaveLoginedUsers(const CStringArray& arUsers);
    static BOOL LoadSetting(_SERVERITEM& lastServer, CString& strUser, CString& strPassword,
                            BOOL& bSavePwd, BOOL& bAutoLogin, BOOL& bRememberMe, int& nStatus);
    static BOOL SaveSetting(const _SERVERITEM& lastServer, const CString& strUser,
                            const CString& strPassword, BOOL bSavePwd, BOOL bAutoLogin,
                            BOOL bRememberMe, int nStatus);
    static BOOL LoadSettingEx(CString& strDisplayName, CString& strDepartment);
    static BOOL SaveSettingEx(const CString& strDisplayName, const CString& strDepartment);
    static BOOL LoadProxy(_PROXYINFO& proxy);
    static BOOL SaveProxy(const _PROXYINFO& proxy);
    static BOOL IsSavePwd();
    static BOOL IsAutoLogin();
    static BOOL IsRememberMe();
    static void SetSavePassword(BOOL bSave);
    static void SetAutoLoginInfo(BOOL bAuto);
    static void SetRememberMeInfo(BOOL bRemember);
    static void SetLoginStatus(int nStatus);
    static int GetLoginStatus();
    // Forgets the server list, the saved users and the sign-in settings.
    static BOOL DeleteServerAndUserInfo();

    // Start with Windows: the setting, and whether the Run key really names the program.
    static BOOL IsAutoRun();
    static void SetAutoRun(BOOL bAutoRun);
    static BOOL IsWindowsAutoRunKorvel();

    // Main window options
    static BOOL IsCloseExit();
    static void SetCloseExit(BOOL bExit);
    static BOOL IsAutoHideMainWindow();
    static void SetAutoHideMainWindow(BOOL bHide);
    static BOOL IsTopMain();
    static void SetTopMain(BOOL bTop);
    static void GetAutoAwayInfo(BOOL& bOn, int& nMinutes); // default on, 10 minutes
    static void SetAutoAwayInfo(BOOL bOn, int nMinutes);
    // The stored hot key text ("modifiers;virtual key") of "ShowMain" or "RecvMsg"; empty
    // when none is stored.
    static CString GetHotKeys(const CString& strName, const CString& strAccount, const CString& strIdentity);
    static void SetHotKeys(const CString& strName, const CString& strAccount, const CString& strIdentity,
                           const CString& strValue);
    static int GetSettingInt(const CString& strKey, int nDefault);
    static void SetSettingInt(const CString& strKey, int nValue);
    static BOOL GetKorvelBaseDlgPro(int& nLeft, int& nTop, int& nWidth, int& nHeight); // -1 when absent
    static void SaveKorvelBaseDlgPro(int nLeft, int nTop, int nWidth, int nHeight);
    // Fits a window rectangle onto the work area of the nearest monitor.
    static void CalculateRect(RECT& rect);
    static BOOL IsShowEmoticons();
    static void GetNoShowSubjectInfo(bool& bNoShow);
    static bool IsExpandmyDeptMainWindow();
    // Reads the stored user-list view: its type and three texts; FALSE when none is stored.
    static BOOL ParseUserListView(int& nType, CString& strText1, CString& strText2, CString& strText3);

    // Sounds
    static BOOL EnablePlay(const CString& strAlias, const CString& strAccount, const CString& strIdentity);
    static CString GetSoundFile(const CString& strAlias, const CString& strAccount, const CString& strIdentity);
    static void SetSoundFile(const CString& strAlias, const CString& strFile, BOOL bEnable);
    // Plays a sound file asynchronously (PlaySound, file name, no default sound).
    static BOOL PlaySoundFile(const CString& strFile);

    // Company add-in branding
    static CString GetCorAddInCompanyName(const CString& strServerName);
    static void SetCorAddInCompanyName(const CString& strKey, const CString& strName);
    // Logo of the company add-in: type 0 none, 11 a picture file.
    static void GetCorAddInLogoInfo(const CString& strKey, int& nType, CString& strPath);

    // Texts
    static CString LoadStringW(UINT nID);     // from the resource module; empty when missing
    static CString GetUserStatusStr(int nStatus);
    static CString GetAppVerInfo(DWORD dwVersion);
    static void UTF8ToString(const char* pszUtf8, CString& strOut);
    static CString ToDefaultLocalTime(const CString& strStored);
    static void UTCTimeToLocalTime(CString& strTime);
    // Splits an account text "user@company" into the user and the second part.
    static void SeparateAID(const CString& strAID, CString& strUser, CString& strSecond);
    static void StringToArray(const CString& strText, CStringArray& arOut, const CString& strSep, int nMax);
    static BOOL IsHalfWideChar(const CString& strText);
    // Cuts strText with "..." so that it fits the rectangle's width in the DC, in a few
    // measurements however long the text is.
    static void GetTruncatedString(HDC hDC, const RECT& rect, const CString& strText, CString& strResult);
    static int GetIniFileIntValue(const CString& strSection, const CString& strKey, const CString& strFile,
                                  int nDefault);
    static CString GetIniFileStrValue(const CString& strSection, const CString& strKey, const CString& strFile,
                                      const CString& strDefault);

    // Accounts
    static BOOL ExistADUserAccount(const CString& strAccount);
    static BOOL CheckUserPassword(const CString& strLogin, const CString& strPassword);

    // Error log: appends one line (a "\r\n" is added when missing).
    static void WriteErrorLogFile(const CString& strLine);
    static void WriteErrorLogFileEx(const CString& strLine);
    static CString GetErrorLogFile();

    // HTTP POST of the URL (query in the URL, empty body); the reply's bytes in strReply.
    // Non-zero when a reply arrived.
    static int GetResultByHttpPost(const CString& strUrl, CStringA& strReply);

    // Drawing
    static void WqGradientFill(HDC hDC, const RECT& rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical);
    // A host extension object for the core's web control; the caller releases it.
    static IWebExt* CreateWebExt(HWND hHost);
};
