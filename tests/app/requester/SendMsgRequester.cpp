// Another program asking the client for a chat, as an office add-in would: it writes its request
// into the shared memory "QorProcotol_SendMsg" and sends "WM_PROTOCOL_SEND_MSG" to the window.
//   test_app_requester <window handle> text <request>   the request, terminated
//   test_app_requester <window handle> full <request>   the request, the rest of the block
//                                                       filled with "x": no terminator anywhere
// Exit code: the window's answer + 100, or 2 when the block could not be made.
#include <windows.h>
#include <shellapi.h>
#include <cwchar>
#include <string>

int main()
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv || argc < 4)
        return 3;
    HWND hWnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[1], nullptr, 10)));
    const bool full = std::wcscmp(argv[2], L"full") == 0;
    const std::wstring request = argv[3];
    const DWORD size = 4096;
    HANDLE hMapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, L"QorProcotol_SendMsg");
    if (!hMapping)
        return 2;
    auto* p = static_cast<wchar_t*>(::MapViewOfFile(hMapping, FILE_MAP_ALL_ACCESS, 0, 0, size));
    if (!p)
        return 2;
    if (full) {
        for (DWORD i = 0; i < size / sizeof(wchar_t); ++i)
            p[i] = i < request.size() ? request[i] : L'x';
    } else {
        std::wcsncpy(p, request.c_str(), 127);
        p[127] = 0;
    }
    const LRESULT answer = ::SendMessageW(hWnd, ::RegisterWindowMessageW(L"WM_PROTOCOL_SEND_MSG"), 0, 0);
    ::UnmapViewOfFile(p);
    ::CloseHandle(hMapping);
    return static_cast<int>(answer) + 100;
}
