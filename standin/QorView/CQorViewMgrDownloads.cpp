// The view manager's attachment downloads: a file server address and key become an HTTP
// address, and the file-transfer client moves the bytes.
#include "platform/QorView/AttachItem.h"
#include "framework/CWnd.h"
#include "platform/FileClient/FileClientApi.h"
#include "platform/FileClient/FileClientTransfer.h"
#include "platform/QorDB/CQorMsgDBMgr.h"
#include "platform/QorView/QorViewTestHooks.h"
#include "platform/FileTransfer/Utilities.h"
#include "platform/QorView/CFileQueryID.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorFolderItem.h"
#include "platform/QorView/QorViewMessages.h"
#include "standin/QorView/QorViewState.h"
#include <map>
#include <string>

using namespace qorview_detail;

namespace {

// Percent-encodes the UTF-8 bytes of a file key for the address path; keys come from other
// people's messages and may hold anything.
std::wstring EncodeKey(const CString& key)
{
    int n = ::WideCharToMultiByte(CP_UTF8, 0, key, key.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, key, key.GetLength(), &bytes[0], n, nullptr, nullptr);
    static const wchar_t hex[] = L"0123456789ABCDEF";
    std::wstring out;
    for (unsigned char c : bytes) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
            c == '.' || c == '~') {
            out += static_cast<wchar_t>(c);
        } else {
            out += L'%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

DWORD TransferId(const CFileQueryID* pQueryId)
{
    if (!pQueryId || !pQueryId->IsSet())
        return 0;
    return static_cast<DWORD>(_wtoi(pQueryId->m_strTransferId));
}

// The library's own attachment downloads (a message's attachment fetched by its message id and
// name from the attachment server): the file-transfer client's events arrive at a hidden window
// of the library, which records the saved path and tells the window that asked with
// WM_QORVIEW_ATTACH_DONE (an _ATTACH_ITEM*) or WM_QORVIEW_ATTACH_FAILED (failed or cancelled, a
// CString* name).
std::wstring g_attachServer;

struct PendingAttach {
    _ATTACH_ITEM item;
    HWND hNotify = nullptr;
};
std::map<DWORD, PendingAttach> g_pendingAttach;
const wchar_t kAttachWindowClass[] = L"KorvelViewAttachDownloads";

LRESULT CALLBACK AttachWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT notify = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);
    if (message != notify || !lParam)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    const int code = static_cast<int>(wParam);
    if (code != FCN_FILE_DONE && code != FCN_FILE_FAILED && code != FCN_CANCELLED)
        return 0;
    const auto* info = reinterpret_cast<const FiileItem_Info*>(lParam);
    // The record names its transfer by local path; each pending download has its own target.
    auto it = g_pendingAttach.begin();
    while (it != g_pendingAttach.end() && it->second.item.strLocalPath.CompareNoCase(info->strLocalPath.GetString()))
        ++it;
    if (it == g_pendingAttach.end())
        return 0;
    PendingAttach done = it->second;
    g_pendingAttach.erase(it);
    if (!::IsWindow(done.hNotify))
        return 0;
    if (code == FCN_FILE_DONE) {
        // The window may be pumping messages inside a transaction of its own (a deletion): the
        // path is written after it, never into it.
        if (CQorMsgDBMgr* pDB = CQorViewMgr::Instance()->m_pDBMgr) {
            const _ATTACH_ITEM item = done.item;
            pDB->GetConnect()->AfterTrans(
                [pDB, item] { pDB->UpdateAttachLocalPath(item.strMsgID, item.strFileName, item.strLocalPath); });
        }
        ::SendMessageW(done.hNotify, WM_QORVIEW_ATTACH_DONE, reinterpret_cast<WPARAM>(&done.item), 0);
    } else {
        CString name = done.item.strFileName;
        ::SendMessageW(done.hNotify, WM_QORVIEW_ATTACH_FAILED, reinterpret_cast<WPARAM>(&name), 0);
    }
    return 0;
}

HWND AttachWindow()
{
    static HWND s_hWnd = nullptr;
    if (s_hWnd && ::IsWindow(s_hWnd))
        return s_hWnd;
    HINSTANCE hInst = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&AttachWindowProc), &hInst);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = AttachWindowProc;
    wc.hInstance = hInst;
    wc.lpszClassName = kAttachWindowClass;
    ::RegisterClassW(&wc);
    s_hWnd = ::CreateWindowExW(0, kAttachWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, hInst, nullptr);
    return s_hWnd;
}

} // namespace

void qorview_test::SetAttachServer(const std::wstring& host) { g_attachServer = host; }

BOOL CQorViewMgr::DownloadAttach(_ATTACH_ITEM* pItem, int nKind, CWnd* pNotify)
{
    Record(L"CQorViewMgr::DownloadAttach", pItem ? Join({pItem->strMsgID, pItem->strFileName, pItem->strLocalPath,
                                                         Num(nKind)})
                                                 : Num(nKind));
    // The attachment server is the one the signed-in server names for its web service.
    CString host = g_attachServer.empty() ? m_strServerHost : CString(g_attachServer.c_str());
    // Folders are not served by our attachment server: only single files travel.
    if (!pItem || !pNotify || !pNotify->GetSafeHwnd() || host.IsEmpty() || pItem->strMsgID.IsEmpty() ||
        pItem->strLocalPath.IsEmpty() || pItem->dwWords[_ATTACH_ITEM::kFolderWord] != 0)
        return FALSE;
    HWND hWindow = AttachWindow();
    if (!hWindow)
        return FALSE;
    // A forwarded attachment lies on the server under the message it was first sent with.
    CString owner = pItem->strSrcMsgID.IsEmpty() ? pItem->strMsgID : pItem->strSrcMsgID;
    std::wstring url = L"http://" + std::wstring(static_cast<LPCWSTR>(host)) + L"/file/" +
                       EncodeKey(owner + L"/" + pItem->strFileName);
    GUID guid = {};
    Utilities::StrToGuid(pItem->strMsgID, guid);
    DWORD id = FileClient_StartDownload(url.c_str(), pItem->strLocalPath, pItem->strFileName, guid, 1, hWindow);
    if (!id)
        return FALSE;
    PendingAttach pending;
    pending.item = *pItem;
    pending.hNotify = pNotify->GetSafeHwnd();
    g_pendingAttach[id] = pending;
    return TRUE;
}

BOOL CQorViewMgr::DownloadAttach(const CString& strHost, const CString& strKey, int nKind, HWND hNotify,
                                 const CString& strMsgId, const CString& strSavePath, CFileQueryID* pQueryId)
{
    Record(L"CQorViewMgr::DownloadAttach", Join({strHost, strKey, Num(nKind), strMsgId, strSavePath}));
    if (pQueryId)
        pQueryId->Clear();
    GUID guid;
    // Folders are not served by our file server: only single files travel.
    if (!pQueryId || nKind != 1 || strHost.IsEmpty() || strKey.IsEmpty() || strSavePath.IsEmpty() ||
        !Utilities::StrToGuid(strMsgId, guid))
        return FALSE;
    std::wstring url = L"http://" + std::wstring(static_cast<LPCWSTR>(strHost)) + L"/file/" + EncodeKey(strKey);
    int slash = strSavePath.ReverseFind(L'\\');
    CString name = slash >= 0 ? strSavePath.Mid(slash + 1) : strSavePath;
    DWORD id = FileClient_StartDownload(url.c_str(), strSavePath, name, guid, nKind, hNotify);
    if (!id)
        return FALSE;
    pQueryId->m_strServer = strHost;
    pQueryId->m_strFileKey = strKey;
    pQueryId->m_strTransferId.Format(L"%lu", id);
    return TRUE;
}

int CQorViewMgr::GetDownloadFileInfo(CFileQueryID* pQueryId, FiileItem_Info* pInfo)
{
    DWORD id = TransferId(pQueryId);
    if (!id || !pInfo || !FileClient_QueryTransfer(id, pInfo))
        return -1;
    return 0;
}

int CQorViewMgr::GetDownloadFolderInfo(CFileQueryID* pQueryId, QorFolderItem& item)
{
    Record(L"CQorViewMgr::GetDownloadFolderInfo");
    return -1;
}

BOOL CQorViewMgr::CancelDownload(CFileQueryID* pQueryId, HWND hNotify, const GUID& guidTransfer, int nKind,
                                 int nReserved)
{
    Record(L"CQorViewMgr::CancelDownload", Join({pQueryId ? pQueryId->m_strTransferId : CString(), Num(nKind)}));
    DWORD id = TransferId(pQueryId);
    return id ? FileClient_CancelTransfer(id) : FALSE;
}
