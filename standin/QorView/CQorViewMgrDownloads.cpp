// The view manager's attachment downloads: a file server address and key become an HTTP
// address, and the file-transfer client moves the bytes.
#include "platform/FileClient/FileClientTransfer.h"
#include "platform/FileTransfer/Utilities.h"
#include "platform/QorView/CFileQueryID.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/QorFolderItem.h"
#include "standin/QorView/QorViewState.h"
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

} // namespace

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
