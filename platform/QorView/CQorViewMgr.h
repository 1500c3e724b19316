#pragma once
// The view library's manager: one object for the whole process (Instance). It signs in
// through the core component, opens chat and group windows, holds the signed-in account's
// texts, the core objects, the program's callback objects and the local database manager.
// The shell reads and writes the public data fields directly.
#include "framework/CArray.h"
#include "framework/CStringArray.h"
#include "framework/CString.h"
#include "platform/QorCore/IQorCallback.h"
#include "platform/QorCore/IQorConsole.h"
#include "platform/QorCore/IQorMsg.h"
#include "platform/QorView/CQorEventMgr.h"
#include "platform/QorView/CQorMsgItem.h"
#include "platform/QorView/CUserListItem.h"
#include "platform/QorView/CWqCriticalSection.h"
#include <map>

class CWnd;
class CQorMsgDBMgr;
class CYqConnect;
class CASRichEdit;
class CxDuiToolbar;
class ILinkDataSink;
class CFileQueryID;
struct _ATTACH_ITEM;
struct FiileItem_Info;
struct QorFolderItem;

class CQorViewMgr {
public:
    // The one manager, created on first use and alive until the process ends.
    static CQorViewMgr* Instance();

    // Data the shell reads and writes
    CWnd* m_pMainWnd = nullptr;         // owner (main) window; not owned
    DWORD m_dwVersion = 0;              // the program's version code
    DWORD m_dwServerOption1 = 0;        // first server option (permission) word
    DWORD m_dwServerOption2 = 0;        // second server option (permission) word
    DWORD m_dwOptionFlags = 0;          // 0x1 user-folder view, 0x1000 no sounds
    int m_nUserStatus = 0;              // current status; 8 = no popups
    CString m_strAccount;               // signed-in account ("user@company")
    CString m_strIdentity;              // second identity text of the user
    CString m_strUserName;              // display name of the signed-in user
    CString m_strLastAccount;           // account of the last sign-in (for the sign-in panel)
    CString m_strLastPassword;          // its password when it was saved
    CString m_strSessionText1;          // texts kept for the signed-in session
    CString m_strSessionText2;
    CString m_strSessionText3;
    CString m_strCompanyKey;            // company add-in key and name of the server
    CString m_strCompanyName;
    CString m_strCompanySuffix;
    CString m_strServerName;            // the server actually connected to
    CString m_strServerAddr;
    int m_nServerPort = 0;
    CString m_strAltServerAddr;
    int m_nAltServerPort = 0;
    int m_nUseAltServer = 0;            // 1 when the alternative address was used
    CString m_strServerHost;            // host of the server's web service
    CString m_strWebMsgUrl;             // page-address template of the web-message pane
    CString m_strPrevDataFolder;        // data folder before a move; empty when none
    CString m_strChangePwdAccount;      // non-empty when the password need not be changed
    BYTE m_bModal = 0;                  // one of the program's modal dialogs is running
    BYTE m_bUnreadPending = 0;
    BYTE m_bUnreadFlash = 0;
    BYTE m_bPanelsReady = 0;
    BYTE m_bBulletinStore = 0;
    BYTE m_bOwnUnreadHandling = 0;
    BYTE m_bNetSetOpen = 0;             // the network settings dialog is open
    COLORREF m_crSkinBorder = RGB(0xA0, 0xB4, 0xC8); // the skin's border colour of flat boxes
    BYTE m_bSecondFlag = 0;
    int m_nBusyCount = 0;
    int m_nUnreadMark = 0;
    int m_nSmallValue = 0;
    int m_nServerAwayMinutes = 0;       // away time imposed by the server; 0 = none
    int m_nViewType = 0;                // the parsed user-list view
    CString m_strViewText1;
    CString m_strViewText2;
    CString m_strViewText3;
    std::map<CString, int> m_mapPendingGroups; // group windows waiting for their users
    CQorEventMgr m_EventMgr;
    CUserListItem m_UserList;           // users and views of the signed-in account
    CStringArray m_arRecentContacts;    // logins of the recent contacts, newest first
    CString m_strMyUserId;              // the signed-in user's own id in the trees
    CWqCriticalSection m_csAttach;      // guards attachment-path updates
    // The local message database: made by the first InitDBTable and kept for the process (a
    // sign-out only closes its connection); m_pConnect is its connection, null until then.
    CQorMsgDBMgr* m_pDBMgr = nullptr;
    CYqConnect* m_pConnect = nullptr;
    IQorMsg* m_pQorMsg = nullptr;       // the held outgoing core message (one reference)
    IQorConsole* m_pQorConsole = nullptr; // the core console; null while not created
    IDispatch* m_pConsole = nullptr;    // the program's console object (one reference)
    IQorCallback* m_pCoreCallback = nullptr;
    IQorCallback* m_pAppCallback = nullptr;
    // The signed-in main panel that ShowKorvelDlg lays into the owner window, and its text box;
    // null while there is none. Not owned.
    CWnd* m_pKorvelDlg = nullptr;
    CWnd* m_pKorvelDlgEdit = nullptr;
    // The main panel's toolbar; null while there is none. Not owned.
    CxDuiToolbar* m_pMainToolbar = nullptr;
    // The signed-in user's database file, handed over before InitDBTable.
    CString m_strDBPath;

    // Callbacks and the program's console; each takes its own reference and releases the
    // object it held before.
    void SetCoreCallback(IQorCallback* pCallback);
    void SetAppCallback(IQorCallback* pCallback);
    void SetConsole(IDispatch* pConsole);
    // Replaces the held outgoing core message (null releases it).
    void SetQorMsg(IQorMsg* pMsg);
    CQorEventMgr* GetEventMgr() { return &m_EventMgr; }

    // Sign-in. Login reports later: WM_APP+1 (code, detail) to the owner window and the
    // connection state through the core callback.
    BOOL SetProxy(int nType, int nFlag, const CString& strHost, int nPort, const CString& strUser,
                  const CString& strPassword);
    BOOL Login(const CString& strServer, int nPort, const CString& strLoginName, const CString& strPassword,
               int nPasswordType, int nStatus, int nLoginFlags, int nReserved);
    void OnLoginIsOK();
    void OnSocketClose();
    void OnConnectRepairOK();
    BOOL GetQorCoreErrorInfo(int nError, CString& strText, CString& strExtra);
    CString GetQorLoginPropInfo(const CString& strName);
    int GetQorLoginPropInfoInt(const CString& strName);

    // Handlers of the core's error commands.
    bool OnReceiveCmd_RCM_Err(IQorCmd* pCmd);
    bool OnReceiveCmd_DNF_Err(IQorCmd* pCmd);
    bool OnReceiveCmd_PSW_Err(IQorCmd* pCmd);
    bool OnReceiveCmd_AIT_Err(IQorCmd* pCmd);
    bool OnReceiveCmd_UPF_Err(IQorCmd* pCmd);
    bool OnReceiveCmd_MSG_Err(IQorCmd* pCmd);
    bool OnReceiveCmd_UVF_Err(IQorCmd* pCmd);
    bool OnReceiveCmd_DVF_Err(IQorCmd* pCmd);
    bool OnReceiveCmd_RVF_Err(IQorCmd* pCmd);

    // Signed-in state
    void InitSkin();
    void SetSize(const RECT& rcClient);
    void ShowKorvelDlg(CWnd* pParent, const RECT& rcClient);
    void SetUserStatus(int nStatus, const CString& strText, BOOL bNotify);
    BOOL InitDBTable();
    void ClearData();
    void SendLogStatusToMsgDlg(BOOL bSignedIn);
    void StopAudioEnginee();
    void ShowOptionDlg(const CString& strText1, const CString& strText2);
    void ShowAboutDlg();
    void ShowOptChangePwdDlg();
    void ShowOptAutoReplyDlg();
    void ShowOptSetCusStatusDlg();
    BOOL ChangePassword(const CString& strOldPassword, const CString& strNewPassword);
    void SetActiveViewTab(int nType, const CString& strText, int nFlag = 0);
    int SetMyConfigPro(const CString& strSection, const CString& strKey, const CString& strValue);
    CString GetMyConfigPro(const CString& strSection, const CString& strKey);
    CString GetUserInfoFile();
    CString XX_GetAppPathName(const CString& strApp);
    void ReplaceSysValue(CString& strText, const CString& strPerson);

    // Conversations
    BOOL NewChatDlg(const CString& strAccount, const CString& strName, const CString& strText1,
                    const CString& strText2, BOOL bShow, BOOL bFlag);
    BOOL NewGroupDisDlgEx(const CString& strViewId, BOOL bShow, BOOL bFlag);
    BOOL NewSendMsg(const CString& strReceivers, const CString& strMsgId, int n1, int n2,
                    const CString& strText1, const CString& strText2, int n3, bool bFlag);
    void DoUnReadChatMsg(const CString& strKey, const CString& strName, const CStringArray& arMsgKeys,
                         const CStringArray& arMsgIds);
    void DoUnReadTalkMsg(const CString& strKey, const CString& strName, const CStringArray& arMsgKeys,
                         const CStringArray& arMsgIds);
    void DoUnReadGroupDisMsg(const CString& strKey, const CStringArray& arMsgKeys, const CStringArray& arMsgIds);
    void DoUnReadChatFromDB(const CString& strSender, const CString& strSenderName);
    void DoUnReadGroupFromDB(const CString& strTalkId);
    void ShowUnreadMsg();
    void LoadUnReadMsg();
    BOOL QuickSendMsg(WPARAM wValue, const CString& strText);
    void ShowBulletin(const CString& strNoticeId);
    void InsertBulletin(const CString& strSubject, const CString& strMsgId, const CString& strSenderName,
                        const CString& strTime, int nFlag);
    void AddChatDlgNudge(const CString& strLogin, const CString& strName);
    // Takes a group message item (the manager owns and deletes it).
    void ProcessGroupOPT(CQorMsgItem* pItem, bool bShow);
    void GetUserInfo(CWnd* pNotify, const CString& strLogin, const CString& strFields);
    CString GetRecentContacts();
    BOOL GetSelectedUsers(CStringArray& arFirst, CStringArray& arSecond, BOOL bOption1, BOOL bOption2);
    BOOL GetSelectedUsers(CArray<int, int>& arIds, CStringArray& arFirst, CStringArray& arSecond,
                          BOOL bOption1, BOOL bOption2);
    void RemoveMsgDlgItemByWnd(HWND hWnd);
    // The members of a group of a tree: the library fills them into the tree (pTree, a
    // CQorViewTree) under the item whose handle is written in hexadecimal in strHandle.
    void ReqLoadGroupChild(const CString& strViewId, int nParentType, const CString& strParentId, int nItemType,
                           const CString& strItemId, const CString& strItemText, const CString& strHandle,
                           CWnd* pTree);
    void ReqLoadViewChild(const CString& strViewId, CWnd* pNotify);
    CString GetViewID(const CString& strId);

    // Downloads of attachments from the file server strHost ("host" or "host:port"): the file
    // of kind 1 (a file) is fetched over HTTP from "http://<host>/file/<key>" by the file-transfer
    // client into strSavePath (through "<path>.part", renamed once complete). Results arrive as
    // "WM_FILE_CLIENT_NOTIFY" to hNotify (5 done, 6 failed, 7 cancelled) with the transfer
    // GUID = strMsgId. Fills the query id; FALSE (query id emptied) when nothing was started:
    // an unknown kind, a message id that is no GUID, an empty host, key or path.
    BOOL DownloadAttach(const CString& strHost, const CString& strKey, int nKind, HWND hNotify,
                        const CString& strMsgId, const CString& strSavePath, CFileQueryID* pQueryId);
    // The transfer's record (state, bytes done, size when the server announced it); -1 for a
    // query id that names no transfer, else 0.
    int GetDownloadFileInfo(CFileQueryID* pQueryId, FiileItem_Info* pInfo);
    int GetDownloadFolderInfo(CFileQueryID* pQueryId, QorFolderItem& item);
    // Stops the transfer (its partial file goes); FALSE when it had already ended.
    BOOL CancelDownload(CFileQueryID* pQueryId, HWND hNotify, const GUID& guidTransfer, int nKind, int nReserved);
    // The library's own download of a message attachment into pItem's local path; the result
    // comes back to pNotify as WM_QORVIEW_ATTACH_DONE or WM_QORVIEW_ATTACH_FAILED
    // (QorViewMessages.h).
    BOOL DownloadAttach(_ATTACH_ITEM* pItem, int nKind, CWnd* pNotify);
    BOOL HaveReceiveFileACE();

    // Rendering helpers for the program's rich edits
    // Appends a link that runs the application command at the end of the rich edit and records
    // it in pLinks as kind 31 with "_XXAppCommand" = the command.
    void AppendUserDefineLink(CASRichEdit* pEdit, ILinkDataSink* pLinks, const CString& strCommand);
    BOOL PrintRichEditContent(CASRichEdit* pEdit);
    void SinkWindowScrollbar(HWND hWnd);
    void UnSinkWindowScrollbar(HWND hWnd);

private:
    CQorViewMgr();
    ~CQorViewMgr();
    CQorViewMgr(const CQorViewMgr&) = delete;
    CQorViewMgr& operator=(const CQorViewMgr&) = delete;
};
