// The start-up floor: a program that only shows an empty window of the given client size
// (korvel_bare_window.exe <width> <height>) and runs its message loop until closed.
#include <windows.h>
#include <cstdlib>

namespace {

LRESULT CALLBACK BareProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nShow)
{
    int width = 300, height = 600;
    if (__argc >= 3) {
        width = _wtoi(__wargv[1]);
        height = _wtoi(__wargv[2]);
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KorvelBareWindow";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Korvel", WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, width, height, nullptr, nullptr, hInstance, nullptr);
    ::ShowWindow(hWnd, nShow);
    ::UpdateWindow(hWnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
