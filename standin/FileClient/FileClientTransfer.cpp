// The file-transfer client's downloads: one worker thread per transfer, a plain HTTP/1.0 GET over
// WinSock. Reads wait in short select() slices so that a cancel is seen within a fraction of a
// second without closing a socket under a blocked call.
#include "platform/FileClient/FileClientTransfer.h"
#include "platform/FileClient/FileClientApi.h"
#include <winsock2.h>
#include <ws2tcpip.h>
#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace {

struct Transfer {
    std::wstring url;
    std::wstring localPath;
    std::wstring fileName;
    GUID guid = GUID_NULL;
    int transType = 1;
    HWND notify = nullptr;
    // Something was at the local path when the transfer started: the user agreed to replace it.
    bool replaceAgreed = false;
    // Guarded by g_lock.
    int state = FILEITEM_STATE_WAITING;
    LONGLONG done = 0;
    LONGLONG size = 0;
    DWORD error = 0;
    std::atomic<bool> cancel{false};
};

std::mutex g_lock;
std::map<DWORD, std::shared_ptr<Transfer>> g_transfers;
// Ended transfers, oldest first: kept for a late query (a window that asks how a transfer it
// cancelled ended), but only the last few, so that the client does not grow with every
// transfer the process ever made.
std::deque<std::pair<DWORD, std::shared_ptr<Transfer>>> g_ended;
const size_t kKeepEnded = 16;
DWORD g_nextId = 1;
std::atomic<int> g_running(0);

// A server that neither sends nor closes for this long has failed the transfer.
const int kIdleLimitMs = 30000;
const int kSliceMs = 100;

bool ParseUrl(const std::wstring& url, std::string& host, std::string& port, std::string& path)
{
    const std::wstring scheme = L"http://";
    if (url.compare(0, scheme.size(), scheme) != 0)
        return false;
    std::wstring rest = url.substr(scheme.size());
    size_t slash = rest.find(L'/');
    std::wstring authority = slash == std::wstring::npos ? rest : rest.substr(0, slash);
    std::wstring wpath = slash == std::wstring::npos ? L"/" : rest.substr(slash);
    if (authority.empty())
        return false;
    size_t colon = authority.rfind(L':');
    std::wstring whost = colon == std::wstring::npos ? authority : authority.substr(0, colon);
    std::wstring wport = colon == std::wstring::npos ? L"80" : authority.substr(colon + 1);
    if (whost.empty() || wport.empty())
        return false;
    for (wchar_t c : wport)
        if (c < L'0' || c > L'9')
            return false;
    // The path is sent as it is: callers percent-encode what is not plain ASCII.
    for (wchar_t c : wpath)
        if (c < 0x21 || c > 0x7E)
            return false;
    host.assign(whost.begin(), whost.end());
    port.assign(wport.begin(), wport.end());
    path.assign(wpath.begin(), wpath.end());
    for (wchar_t c : whost)
        if (c > 0x7E)
            return false;
    return true;
}

void SetState(Transfer& t, int state, DWORD error = 0)
{
    std::lock_guard<std::mutex> guard(g_lock);
    t.state = state;
    t.error = error;
}

// Copies a transfer into a record; the caller holds g_lock.
void Fill(const Transfer& t, FiileItem_Info& info)
{
    info.strLocalPath = t.localPath.c_str();
    info.strFileName = t.fileName.c_str();
    info.nTransType = t.transType;
    info.nState = t.state;
    info.dwErrorCode = t.error;
    info.llFileSize = t.size;
    info.llBytesDone = t.done;
    info.guidTransfer = t.guid;
}

void Notify(Transfer& t, int code)
{
    if (!t.notify)
        return;
    static const UINT message = ::RegisterWindowMessageW(FILECLIENT_NOTIFY_MESSAGE);
    FiileItem_Info* info = AllocFileItem_Info();
    if (!info)
        return;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        Fill(t, *info);
    }
    // Sent, not posted: the record lives on while the window handles it. A window that is gone
    // or hangs does not hold the worker for ever.
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(t.notify, message, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(info),
                          SMTO_NORMAL, 120000, &answer);
    FreeFileItem_Info(info);
}

// Waits until the socket can be read, a slice at a time; false on cancel or when the server has
// been silent too long.
bool WaitReadable(SOCKET s, Transfer& t)
{
    for (int waited = 0; waited < kIdleLimitMs; waited += kSliceMs) {
        if (t.cancel)
            return false;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval tv = {0, kSliceMs * 1000};
        int r = ::select(0, &set, nullptr, nullptr, &tv);
        if (r > 0)
            return true;
        if (r < 0)
            return false;
    }
    return false;
}

SOCKET Connect(const std::string& host, const std::string& port)
{
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0)
        return INVALID_SOCKET;
    SOCKET s = INVALID_SOCKET;
    for (addrinfo* a = found; a; a = a->ai_next) {
        s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s == INVALID_SOCKET)
            continue;
        if (::connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0)
            break;
        ::closesocket(s);
        s = INVALID_SOCKET;
    }
    ::freeaddrinfo(found);
    return s;
}

// Runs the transfer into the open partial file; true when the whole body is in it.
bool Download(Transfer& t, HANDLE file)
{
    std::string host, port, path;
    if (!ParseUrl(t.url, host, port, path))
        return false;
    SOCKET s = Connect(host, port);
    if (s == INVALID_SOCKET)
        return false;
    std::string request = "GET " + path + " HTTP/1.0\r\nHost: " + host + ":" + port +
                          "\r\nConnection: close\r\nUser-Agent: Korvel FileClient\r\n\r\n";
    bool ok = ::send(s, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size());

    std::string head;
    char buffer[16384];
    size_t headEnd = std::string::npos;
    while (ok && headEnd == std::string::npos) {
        if (!WaitReadable(s, t)) {
            ok = false;
            break;
        }
        int n = ::recv(s, buffer, sizeof(buffer), 0);
        if (n <= 0 || head.size() > 65536) {
            ok = false;
            break;
        }
        head.append(buffer, n);
        headEnd = head.find("\r\n\r\n");
    }
    // Only "200" is a file; a 404 or any other answer fails the transfer.
    LONGLONG announced = -1;
    if (ok) {
        size_t sp = head.find(' ');
        ok = sp != std::string::npos && head.compare(sp + 1, 3, "200") == 0;
        std::string lower = head.substr(0, headEnd);
        for (char& c : lower)
            c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
        size_t at = lower.find("\r\ncontent-length:");
        if (at != std::string::npos)
            announced = _strtoi64(lower.c_str() + at + 17, nullptr, 10);
        if (ok && lower.find("\r\ntransfer-encoding:") != std::string::npos)
            ok = false; // an HTTP/1.0 request gets an identity body; anything else is not ours to read
    }
    if (ok) {
        std::lock_guard<std::mutex> guard(g_lock);
        t.size = announced > 0 ? announced : 0;
    }
    if (ok) {
        SetState(t, FILEITEM_STATE_RUNNING);
        Notify(t, FCN_STARTED);
    }
    LONGLONG done = 0;
    auto write = [&](const char* data, size_t length) {
        DWORD written = 0;
        if (!::WriteFile(file, data, static_cast<DWORD>(length), &written, nullptr) || written != length)
            return false;
        done += static_cast<LONGLONG>(length);
        std::lock_guard<std::mutex> guard(g_lock);
        t.done = done;
        return true;
    };
    if (ok && head.size() > headEnd + 4)
        ok = write(head.data() + headEnd + 4, head.size() - headEnd - 4);
    bool ended = false;
    while (ok && !ended) {
        if (announced >= 0 && done >= announced)
            break;
        if (!WaitReadable(s, t)) {
            ok = false;
            break;
        }
        int n = ::recv(s, buffer, sizeof(buffer), 0);
        if (n < 0)
            ok = false;
        else if (n == 0)
            ended = true;
        else
            ok = write(buffer, n);
    }
    // A connection that closes before the announced length was dropped, not finished.
    if (ok && announced >= 0 && done != announced)
        ok = false;
    ::closesocket(s);
    return ok && !t.cancel;
}

// An ended transfer leaves the running ones for the short list of ended ones.
void Forget(DWORD id)
{
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = g_transfers.find(id);
    if (it == g_transfers.end())
        return;
    g_ended.emplace_back(id, it->second);
    g_transfers.erase(it);
    while (g_ended.size() > kKeepEnded)
        g_ended.pop_front();
}

std::shared_ptr<Transfer> Find(DWORD id)
{
    auto it = g_transfers.find(id);
    if (it != g_transfers.end())
        return it->second;
    for (const auto& ended : g_ended)
        if (ended.first == id)
            return ended.second;
    return nullptr;
}

void Run(DWORD id, std::shared_ptr<Transfer> t)
{
    WSADATA wsa;
    bool wsaOk = ::WSAStartup(MAKEWORD(2, 2), &wsa) == 0;
    SetState(*t, FILEITEM_STATE_CONNECTING);
    // The partial file is the transfer's own from the first moment: made new here (a file of that
    // name that is already there is someone else's, and fails the transfer), it is the only file
    // a failure or a cancel removes.
    const std::wstring part = t->localPath + FILECLIENT_PARTIAL_SUFFIX;
    HANDLE file = ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD error = file == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
    bool ok = wsaOk && file != INVALID_HANDLE_VALUE && Download(*t, file);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    // Only the complete file takes the local path; it replaces what is there only when the user
    // agreed to that before the transfer started.
    if (ok && !::MoveFileExW(part.c_str(), t->localPath.c_str(), t->replaceAgreed ? MOVEFILE_REPLACE_EXISTING : 0)) {
        error = ::GetLastError();
        ok = false;
    }
    if (!ok && file != INVALID_HANDLE_VALUE)
        ::DeleteFileW(part.c_str());
    if (ok) {
        SetState(*t, FILEITEM_STATE_DONE);
        Notify(*t, FCN_FILE_DONE);
    } else if (t->cancel) {
        SetState(*t, FILEITEM_STATE_CANCELLED);
        Notify(*t, FCN_CANCELLED);
    } else {
        SetState(*t, FILEITEM_STATE_FAILED, error ? error : ::GetLastError());
        Notify(*t, FCN_FILE_FAILED);
    }
    Forget(id);
    if (wsaOk)
        ::WSACleanup();
    --g_running;
}

} // namespace

DWORD FileClient_StartDownload(LPCWSTR pszUrl, LPCWSTR pszLocalPath, LPCWSTR pszFileName, const GUID& guidTransfer,
                               int nTransType, HWND hNotify)
{
    if (!pszUrl || !pszLocalPath || !*pszLocalPath)
        return 0;
    std::string host, port, path;
    if (!ParseUrl(pszUrl, host, port, path))
        return 0;
    auto t = std::make_shared<Transfer>();
    t->url = pszUrl;
    t->localPath = pszLocalPath;
    t->fileName = pszFileName ? pszFileName : L"";
    t->guid = guidTransfer;
    t->transType = nTransType;
    t->notify = hNotify;
    t->replaceAgreed = ::GetFileAttributesW(pszLocalPath) != INVALID_FILE_ATTRIBUTES;
    DWORD id;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        id = g_nextId++;
        g_transfers[id] = t;
    }
    ++g_running;
    try {
        std::thread(Run, id, t).detach();
    } catch (...) {
        --g_running;
        std::lock_guard<std::mutex> guard(g_lock);
        g_transfers.erase(id);
        return 0;
    }
    return id;
}

BOOL FileClient_QueryTransfer(DWORD dwId, FiileItem_Info* pInfo)
{
    if (!pInfo)
        return FALSE;
    std::lock_guard<std::mutex> guard(g_lock);
    std::shared_ptr<Transfer> t = Find(dwId);
    if (!t)
        return FALSE;
    Fill(*t, *pInfo);
    return TRUE;
}

BOOL FileClient_CancelTransfer(DWORD dwId)
{
    std::lock_guard<std::mutex> guard(g_lock);
    std::shared_ptr<Transfer> found = Find(dwId);
    if (!found)
        return FALSE;
    Transfer& t = *found;
    if (t.state == FILEITEM_STATE_DONE || t.state == FILEITEM_STATE_FAILED || t.state == FILEITEM_STATE_CANCELLED)
        return FALSE;
    t.cancel = true;
    return TRUE;
}

int FileClient_GetRunningTransfers()
{
    return g_running.load();
}

int FileClient_GetKnownTransfers()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return static_cast<int>(g_transfers.size() + g_ended.size());
}
