#include "tests/support/TestSupport.h"
#include "framework/ModuleState.h"
#include <wincrypt.h>
#include <cstring>
#include <fstream>
#include <shellapi.h>
#include <sstream>
#include <vector>

namespace testsupport {

int PumpMessages(int maxRounds)
{
    int count = 0;
    MSG msg;
    for (int round = 0; round < maxRounds; ++round) {
        bool any = false;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            ++count;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!any)
            break;
    }
    return count;
}

std::wstring TempDir(const wchar_t* name)
{
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    std::wstring dir = std::wstring(base) + L"korvel-test-" + name + L"-" + std::to_wstring(::GetCurrentProcessId());
    RemoveTree(dir);
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

void RemoveTree(const std::wstring& dir)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = dir + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else {
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    ::RemoveDirectoryW(dir.c_str());
}

bool WriteStripBitmap(const std::wstring& path, int frames, int size)
{
    const int w = frames * size, h = size;
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * h);
    std::vector<BYTE> file(sizeof(fh) + sizeof(ih) + static_cast<size_t>(stride) * h);
    memcpy(file.data(), &fh, sizeof(fh));
    memcpy(file.data() + sizeof(fh), &ih, sizeof(ih));
    BYTE* pixels = file.data() + sizeof(fh) + sizeof(ih);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = pixels + static_cast<size_t>(y) * stride + x * 3;
            p[0] = p[1] = p[2] = static_cast<BYTE>(40 + 40 * (x / size));
        }
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(f, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
                    written == file.size();
    ::CloseHandle(f);
    return ok;
}

namespace {

// The screen's pixels of a rectangle as a bottom-up 24-bit DIB (the BMP file's own layout).
std::vector<BYTE> GrabDib(const RECT& rc, BITMAPINFOHEADER& bi, DWORD& stride)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    bi = {};
    bi.biSize = sizeof(bi);
    bi.biWidth = w;
    bi.biHeight = h;
    bi.biPlanes = 1;
    bi.biBitCount = 24;
    bi.biCompression = BI_RGB;
    stride = ((w * 3) + 3) & ~3u;
    if (w <= 0 || h <= 0)
        return {};
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::SelectObject(mem, old);
    std::vector<BYTE> pixels(stride * h);
    ::GetDIBits(mem, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

} // namespace

bool SaveScreenshot(const std::wstring& bmpPath, HWND hwnd)
{
    RECT rc;
    if (hwnd)
        ::GetWindowRect(hwnd, &rc);
    else
        ::SetRect(&rc, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    BITMAPINFOHEADER bi;
    DWORD stride = 0;
    const std::vector<BYTE> pixels = GrabDib(rc, bi, stride);
    if (pixels.empty())
        return false;

    BITMAPFILEHEADER bf = {};
    bf.bfType = 0x4D42;
    bf.bfOffBits = sizeof(bf) + sizeof(bi);
    bf.bfSize = bf.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE f = ::CreateFileW(bmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = ::WriteFile(f, &bf, sizeof(bf), &written, nullptr) && ::WriteFile(f, &bi, sizeof(bi), &written, nullptr) &&
              ::WriteFile(f, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    ::CloseHandle(f);
    return ok;
}

std::vector<COLORREF> GrabScreen(const RECT& rc)
{
    BITMAPINFOHEADER bi;
    DWORD stride = 0;
    const std::vector<BYTE> dib = GrabDib(rc, bi, stride);
    std::vector<COLORREF> out;
    if (dib.empty())
        return out;
    const int w = bi.biWidth, h = bi.biHeight;
    out.reserve(static_cast<size_t>(w) * h);
    for (int y = h - 1; y >= 0; --y) {
        const BYTE* row = dib.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x)
            out.push_back(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
    return out;
}

void PaintNow(HWND hwnd)
{
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
}

RECT ClientRectOnScreen(HWND hwnd)
{
    RECT rc = {};
    ::GetClientRect(hwnd, &rc);
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool IsDark(COLORREF c)
{
    return GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11 < 100 * 100;
}

std::wstring DosPath(const std::string& unixPath)
{
    using Convert = wchar_t* (CDECL*)(const char*);
    auto convert = reinterpret_cast<Convert>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name"));
    if (convert) {
        if (wchar_t* dos = convert(unixPath.c_str())) {
            std::wstring out(dos);
            ::HeapFree(::GetProcessHeap(), 0, dos);
            return out;
        }
    }
    std::wstring out = L"Z:";
    for (char c : unixPath)
        out += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return out;
}

std::string ReadPemCertificate(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream pem;
    pem << in.rdbuf();
    const std::string text = pem.str();
    DWORD size = 0;
    if (text.empty() || !::CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64HEADER,
                                                nullptr, &size, nullptr, nullptr))
        return std::string();
    std::string der(size, '\0');
    if (!::CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64HEADER,
                                reinterpret_cast<BYTE*>(&der[0]), &size, nullptr, nullptr))
        return std::string();
    der.resize(size);
    return der;
}

std::wstring ExeDir()
{
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    return s.substr(0, s.find_last_of(L"\\/"));
}

namespace {

struct ChildSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK MatchChildText(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<ChildSearch*>(lParam);
    wchar_t text[256] = {};
    ::GetWindowTextW(hWnd, text, 256);
    if (wcscmp(text, search->text) != 0)
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

} // namespace

HWND FindChildByText(HWND hParent, const wchar_t* text)
{
    ChildSearch search = {text, nullptr};
    if (hParent)
        ::EnumChildWindows(hParent, MatchChildText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Utf8(const wchar_t* pszText)
{
    const int length = pszText ? static_cast<int>(wcslen(pszText)) : 0;
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, pszText, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, pszText, length, &out[0], n, nullptr, nullptr);
    return out;
}

bool WaitForProcess(HANDLE process, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (::MsgWaitForMultipleObjects(1, &process, FALSE, 200, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        PumpMessages(5);
        if (::GetTickCount() - start > timeoutMs)
            return false;
    }
}

int RunProgram(const std::wstring& exe, const std::wstring& args)
{
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    ::CloseHandle(pi.hThread);
    int rc = -1;
    if (WaitForProcess(pi.hProcess)) {
        DWORD code = 0;
        ::GetExitCodeProcess(pi.hProcess, &code);
        rc = static_cast<int>(code);
    } else {
        ::TerminateProcess(pi.hProcess, 99);
    }
    ::CloseHandle(pi.hProcess);
    return rc;
}

std::wstring ReadRegText(HKEY root, const std::wstring& path, const wchar_t* name)
{
    wchar_t buf[1024] = {};
    DWORD size = sizeof(buf) - sizeof(wchar_t);
    DWORD type = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return L"";
    LONG rc = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    ::RegCloseKey(key);
    return (rc == ERROR_SUCCESS && type == REG_SZ) ? std::wstring(buf) : L"";
}

bool RegKeyExists(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

ResourceModuleScope::ResourceModuleScope()
{
    m_hSaved = AfxGetResourceHandle();
    m_hModule = ::LoadLibraryW((ExeDir() + L"\\QorResource.dll").c_str());
    if (m_hModule)
        AfxSetResourceHandle(m_hModule);
}

ResourceModuleScope::~ResourceModuleScope()
{
    AfxSetResourceHandle(m_hSaved);
    if (m_hModule)
        ::FreeLibrary(m_hModule);
}

std::vector<WORD> TemplateWithUnknownControl()
{
    std::vector<WORD> t;
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&](const wchar_t* p) {
        do
            t.push_back(*p);
        while (*p++);
    };
    dword(WS_POPUP | WS_CAPTION); // DLGTEMPLATE: style, extended style, one control, x y cx cy
    dword(0);
    t.push_back(1);
    t.insert(t.end(), {0, 0, 100, 60});
    t.push_back(0);               // no menu
    t.push_back(0);               // the dialog class
    text(L"bad control");
    if (t.size() % 2)
        t.push_back(0);           // each DLGITEMTEMPLATE starts on a DWORD boundary
    dword(WS_CHILD | WS_VISIBLE); // style, extended style, x y cx cy, id
    dword(0);
    t.insert(t.end(), {4, 4, 50, 12, 100});
    text(L"KorvelNoSuchWindowClass");
    text(L"");
    t.push_back(0);               // no creation data
    return t;
}

} // namespace testsupport
