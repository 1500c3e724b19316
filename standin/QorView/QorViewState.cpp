#include "standin/QorView/QorViewState.h"
#include "framework/CWnd.h"
#include "framework/Platform.h"
#include "platform/QorView/CQorViewMgr.h"
#include "platform/QorView/CWqCriticalSection.h"
#include "platform/QorView/QorViewTestHooks.h"
#include <shlobj.h>
#include <wincrypt.h>
#include <vector>

namespace qorview_detail {

namespace {

// A critical section rather than std::mutex: it is re-entrant and cheap under Wine.
CWqCriticalSection g_lock;
std::vector<qorview_test::CallRecord> g_calls;

Script& ScriptInstance()
{
    static Script s;
    return s;
}

} // namespace

HINSTANCE OwnModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&OwnModule), &module);
    return module;
}

HWND MainWindow()
{
    CWnd* pMain = CQorViewMgr::Instance()->m_pMainWnd;
    return pMain && ::IsWindow(pMain->GetSafeHwnd()) ? pMain->GetSafeHwnd() : nullptr;
}

void Record(const wchar_t* operation, const CString& args)
{
    CWqCriticalSection::Owner lock(g_lock);
    g_calls.emplace_back(operation, args.GetString());
}

CString Join(std::initializer_list<CString> parts)
{
    CString out;
    bool first = true;
    for (const CString& p : parts) {
        if (!first)
            out += L"|";
        out += p;
        first = false;
    }
    return out;
}

CString Num(long long n)
{
    CString s;
    s.Format(L"%lld", n);
    return s;
}

Script& GetScript() { return ScriptInstance(); }
void LockScript() { g_lock.Lock(); }
void UnlockScript() { g_lock.Unlock(); }

CString EnsureFolder(const CString& path)
{
    if (path.IsEmpty())
        return CString();
    DWORD attr = ::GetFileAttributesW(path);
    if (attr != INVALID_FILE_ATTRIBUTES)
        return (attr & FILE_ATTRIBUTE_DIRECTORY) ? path : CString();
    int rc = ::SHCreateDirectoryExW(nullptr, path, nullptr);
    return (rc == ERROR_SUCCESS || rc == ERROR_ALREADY_EXISTS || rc == ERROR_FILE_EXISTS) ? path : CString();
}

namespace {

struct Timestamp {
    int y, mo, d, h, mi, s;
};

} // namespace

bool ParseTime(const CString& text, SYSTEMTIME& st)
{
    Timestamp t = {};
    if (swscanf(text, L"%d-%d-%d %d:%d:%d", &t.y, &t.mo, &t.d, &t.h, &t.mi, &t.s) != 6)
        return false;
    if (t.y < 1601 || t.mo < 1 || t.mo > 12 || t.d < 1 || t.d > 31 || t.h < 0 || t.h > 23 || t.mi < 0 ||
        t.mi > 59 || t.s < 0 || t.s > 59)
        return false;
    st = SYSTEMTIME{static_cast<WORD>(t.y), static_cast<WORD>(t.mo), 0, static_cast<WORD>(t.d),
                    static_cast<WORD>(t.h), static_cast<WORD>(t.mi), static_cast<WORD>(t.s), 0};
    return true;
}

CString FormatTime(const SYSTEMTIME& st)
{
    CString s;
    s.Format(L"%04d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return s;
}

CString SafeFileName(const CString& text)
{
    CString out = text;
    for (const wchar_t* bad = L"\\/:*?\"<>|"; *bad; ++bad)
        out.Replace(*bad, L'_');
    bool dotsOnly = !out.IsEmpty();
    for (int i = 0; i < out.GetLength(); ++i) {
        if (out[i] < L' ')
            out.SetAt(i, L'_');
        dotsOnly = dotsOnly && out[i] == L'.';
    }
    if (dotsOnly)
        out.Replace(L'.', L'_');
    return out;
}

// The root is, in this order: the test hook's folder, the KORVEL_PROFILE_ROOT environment
// variable, the user's application-data folder + "\KorvelSoft\Korvel".
CString ProfileRoot()
{
    CString root;
    {
        CWqCriticalSection::Owner lock(g_lock);
        root = ScriptInstance().profileRoot.c_str();
    }
    if (root.IsEmpty()) {
        wchar_t buf[MAX_PATH * 2] = {};
        DWORD n = ::GetEnvironmentVariableW(L"KORVEL_PROFILE_ROOT", buf, MAX_PATH * 2);
        if (n > 0 && n < MAX_PATH * 2)
            root = buf;
    }
    if (root.IsEmpty()) {
        wchar_t buf[MAX_PATH] = {};
        if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buf)))
            root = CString(buf) + L"\\KorvelSoft\\Korvel";
    }
    root.TrimRight(L"\\");
    return EnsureFolder(root);
}

CString ConfigFile()
{
    CString folder = EnsureFolder(ProfileRoot() + L"\\Option");
    if (folder.IsEmpty())
        return CString();
    CString file = folder + L"\\Korvel.ini";
    EnsureUnicodeIni(file);
    return file;
}

void EnsureUnicodeIni(const CString& file)
{
    if (file.IsEmpty() || ::GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES)
        return;
    HANDLE h = ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    static const BYTE bom[2] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(h, bom, sizeof(bom), &written, nullptr);
    ::CloseHandle(h);
}

CString ReadString(const wchar_t* section, const CString& key, const CString& def, const CString& file)
{
    CString path = file.IsEmpty() ? ConfigFile() : file;
    if (path.IsEmpty())
        return def;
    // The profile functions cut the value at the buffer's end; grow until it fits.
    std::vector<wchar_t> buf(256);
    for (;;) {
        DWORD n = ::GetPrivateProfileStringW(section, key, def, buf.data(), static_cast<DWORD>(buf.size()), path);
        if (n + 2 < buf.size())
            return CString(buf.data(), static_cast<int>(n));
        if (buf.size() >= 1u << 20)
            return CString(buf.data(), static_cast<int>(n));
        buf.resize(buf.size() * 4);
    }
}

int ReadInt(const wchar_t* section, const CString& key, int def, const CString& file)
{
    CString text = ReadString(section, key, CString(), file);
    text.Trim();
    if (text.IsEmpty())
        return def;
    return _wtoi(text);
}

BOOL WriteString(const wchar_t* section, const CString& key, const CString& value, const CString& file)
{
    CString path = file.IsEmpty() ? ConfigFile() : file;
    if (path.IsEmpty())
        return FALSE;
    EnsureUnicodeIni(path);
    // A line break inside a value would start a new key; quotes keep outer blanks.
    CString clean = value;
    clean.Replace(L'\r', L' ');
    clean.Replace(L'\n', L' ');
    CString quoted = L"\"" + clean + L"\"";
    return ::WritePrivateProfileStringW(section, key, quoted, path);
}

BOOL WriteInt(const wchar_t* section, const CString& key, int value, const CString& file)
{
    return WriteString(section, key, Num(value), file);
}

BOOL DeleteSection(const wchar_t* section, const CString& file)
{
    CString path = file.IsEmpty() ? ConfigFile() : file;
    if (path.IsEmpty())
        return FALSE;
    return ::WritePrivateProfileStringW(section, nullptr, nullptr, path);
}

COLORREF SkinColor(const wchar_t* name)
{
    struct Entry {
        const wchar_t* name;
        COLORREF color;
    };
    static const Entry colors[] = {
        {L"c.font.normal", RGB(0x33, 0x33, 0x33)},
        {L"c.font.link", RGB(0x29, 0x6E, 0xBE)},
        {L"c.font.error", RGB(0xFF, 0x25, 0x25)},
        {L"c.bk.normal", RGB(0xFF, 0xFF, 0xFF)},
    };
    for (const Entry& e : colors) {
        if (name && lstrcmpiW(e.name, name) == 0)
            return e.color;
    }
    return RGB(0, 0, 0);
}

CString ProtectText(const CString& text)
{
    if (text.IsEmpty())
        return CString();
    DATA_BLOB in = {static_cast<DWORD>((text.GetLength() + 1) * sizeof(wchar_t)),
                    reinterpret_cast<BYTE*>(const_cast<wchar_t*>(text.GetString()))};
    DATA_BLOB out = {};
    if (!::CryptProtectData(&in, L"Korvel", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return CString(); // never store a secret in the clear
    CString hex;
    for (DWORD i = 0; i < out.cbData; ++i)
        hex.AppendFormat(L"%02x", out.pbData[i]);
    ::LocalFree(out.pbData);
    return hex;
}

CString UnprotectText(const CString& hex)
{
    if (hex.IsEmpty() || hex.GetLength() % 2 != 0)
        return CString();
    std::vector<BYTE> bytes;
    for (int i = 0; i < hex.GetLength(); i += 2) {
        wchar_t pair[3] = {hex[i], hex[i + 1], 0};
        wchar_t* end = nullptr;
        unsigned long v = wcstoul(pair, &end, 16);
        if (end != pair + 2)
            return CString();
        bytes.push_back(static_cast<BYTE>(v));
    }
    DATA_BLOB in = {static_cast<DWORD>(bytes.size()), bytes.data()};
    DATA_BLOB out = {};
    if (!::CryptUnprotectData(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return CString();
    CString text;
    size_t chars = out.cbData / sizeof(wchar_t);
    const wchar_t* p = reinterpret_cast<const wchar_t*>(out.pbData);
    while (chars > 0 && p[chars - 1] == 0)
        --chars;
    text = CString(p, static_cast<int>(chars));
    ::SecureZeroMemory(out.pbData, out.cbData);
    ::LocalFree(out.pbData);
    return text;
}

} // namespace qorview_detail

namespace qorview_test {

using namespace qorview_detail;

void ClearCalls()
{
    CWqCriticalSection::Owner lock(g_lock);
    g_calls.clear();
}

std::vector<CallRecord> Calls()
{
    CWqCriticalSection::Owner lock(g_lock);
    return g_calls;
}

int CountCalls(const wchar_t* operation)
{
    CWqCriticalSection::Owner lock(g_lock);
    int n = 0;
    for (const auto& c : g_calls)
        n += c.first == operation ? 1 : 0;
    return n;
}

std::wstring LastArgs(const wchar_t* operation)
{
    CWqCriticalSection::Owner lock(g_lock);
    for (auto it = g_calls.rbegin(); it != g_calls.rend(); ++it) {
        if (it->first == operation)
            return it->second;
    }
    return std::wstring();
}

void SetProfileRoot(const std::wstring& root)
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().profileRoot = root;
}

std::wstring GetProfileRoot() { return ProfileRoot().GetString(); }

void SetWorkDir(const std::wstring& dir)
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().workDir = dir;
}

void PushMessageBoxAnswer(int answer)
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().messageBoxAnswers.push_back(answer);
}

void SetDefaultMessageBoxAnswer(int answer)
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().defaultMessageBoxAnswer = answer;
}

void ClearMessageBoxAnswers()
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().messageBoxAnswers.clear();
    ScriptInstance().defaultMessageBoxAnswer = 0;
}

void SetLoginResult(int code, int detail)
{
    CWqCriticalSection::Owner lock(g_lock);
    Script& s = ScriptInstance();
    s.loginMode = Script::LoginScripted;
    s.loginCode = code;
    s.loginDetail = detail;
}

void ClearLoginResult()
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().loginMode = Script::LoginSilent;
}

void UseCoreSignIn()
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().loginMode = Script::LoginThroughCore;
}

int FireConnectState(long state, long detail, long param)
{
    IQorCallback* cb = CQorViewMgr::Instance()->m_pCoreCallback;
    if (!cb)
        return -1;
    cb->AddRef();
    BOOL result = FALSE;
    cb->OnConnectStateChange(state, detail, param, &result);
    cb->Release();
    return result;
}

BOOL EnsureCoreRegistered() { return qorview_detail::EnsureCoreRegistered(); }

void SetDomainAccountCheck(bool exists, bool passwordOk)
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().domainAccountExists = exists;
    ScriptInstance().domainPasswordOk = passwordOk;
}

void SetHttpReply(const std::string& reply, int result)
{
    CWqCriticalSection::Owner lock(g_lock);
    Script& s = ScriptInstance();
    s.hasHttpReply = true;
    s.httpReply = reply;
    s.httpResult = result;
}

void ClearHttpReply()
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().hasHttpReply = false;
}

void SetSelectedFolder(const std::wstring& folder)
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().selectedFolders.push_back(folder);
}

void PushPasswordPromptAnswer(int answer)
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().passwordPromptAnswers.push_back(answer);
}

void SetMuteSounds(bool mute)
{
    CWqCriticalSection::Owner lock(g_lock);
    ScriptInstance().muteSounds = mute;
}

} // namespace qorview_test
