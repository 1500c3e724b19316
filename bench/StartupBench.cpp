// Start-up: from starting Korvel.exe to its sign-in panel being visible, against the floor of a
// program that only shows an empty window of the same size, both started the same way from here
// (CreateProcess under the same Wine session), median of the runs.
#include "bench/Bench.h"
#include "framework/Platform.h"
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

struct Found {
    DWORD pid = 0;
    bool wantPanel = false;
    HWND hWnd = nullptr;
};

// The sign-in panel: a visible child dialog holding the server chooser or the login name box
// (controls 1012 and 5000 of its template), so that no other dialog counts.
BOOL CALLBACK HasVisibleDialogChild(HWND hChild, LPARAM lParam)
{
    wchar_t cls[32] = {};
    ::GetClassNameW(hChild, cls, 32);
    if (::IsWindowVisible(hChild) && wcscmp(cls, L"#32770") == 0 &&
        (::GetDlgItem(hChild, 1012) || ::GetDlgItem(hChild, 5000))) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindShown(HWND hWnd, LPARAM lParam)
{
    Found* f = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != f->pid || !::IsWindowVisible(hWnd))
        return TRUE;
    if (f->wantPanel) {
        // The sign-in panel is a child dialog laid over the main window's client area.
        bool panel = false;
        ::EnumChildWindows(hWnd, HasVisibleDialogChild, reinterpret_cast<LPARAM>(&panel));
        if (!panel)
            return TRUE;
    }
    f->hWnd = hWnd;
    return FALSE;
}

// Starts the program and waits until its window shows; the time in ms, or -1. The window's
// size goes to *pSize. The program is then asked to end (closeMsg) and waited for.
double TimeToWindow(const std::wstring& exe, const std::wstring& args, const std::wstring& dir, bool wantPanel,
                    UINT closeMsg, SIZE* pSize)
{
    std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si = { sizeof si };
    PROCESS_INFORMATION pi = {};
    const double t0 = BenchNowMs();
    if (!::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return -1;
    Found f;
    f.pid = pi.dwProcessId;
    f.wantPanel = wantPanel;
    double shown = -1;
    // Looking every millisecond for the window: a benchmark may poll, the tests never do.
    for (int i = 0; i < 30000 && shown < 0; ++i) {
        ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&f));
        if (f.hWnd) {
            shown = BenchNowMs() - t0;
            break;
        }
        if (::WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (f.hWnd && pSize) {
        RECT rc;
        ::GetWindowRect(f.hWnd, &rc);
        pSize->cx = rc.right - rc.left;
        pSize->cy = rc.bottom - rc.top;
    }
    if (f.hWnd)
        ::PostMessageW(f.hWnd, closeMsg, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return shown;
}

// A server on the command line: without one a first start opens the network settings dialog
// over the panel instead of showing the panel (no login name, so no sign-in starts).
const wchar_t kKorvelArgs[] = L"server=bench.invalid";

} // namespace

KORVEL_BENCH(Startup)
{
    const std::wstring korvel = options.outDir + L"\\Korvel.exe";
    const std::wstring bare = options.outDir + L"\\korvel_bare_window.exe";
    SIZE size = { 300, 600 };
    // One start of each first, so that both find Wine's own libraries already read from disk.
    TimeToWindow(korvel, kKorvelArgs, options.outDir, true, WM_USER + 2000, &size);
    wchar_t args[64];
    swprintf(args, 64, L"%ld %ld", size.cx, size.cy);
    TimeToWindow(bare, args, options.outDir, false, WM_CLOSE, nullptr);

    // Each run's own start-to-window time (not the time the closing takes), then the median.
    // Korvel.exe also writes the time of each of its start-up steps (CStartupTrace).
    const std::wstring trace = options.workDir + L"\\startup-trace.txt";
    ::SetEnvironmentVariableW(L"KORVEL_STARTUP_TRACE", trace.c_str());
    std::vector<std::string> stepNames;
    std::map<std::string, std::vector<double>> steps;
    std::vector<double> ours, floor;
    bool failed = false;
    for (int i = 0; i < options.runs; ++i) {
        ::DeleteFileW(trace.c_str());
        ours.push_back(TimeToWindow(korvel, kKorvelArgs, options.outDir, true, WM_USER + 2000, nullptr));
        if (FILE* f = _wfopen(trace.c_str(), L"r")) {
            double ms = 0;
            char name[64];
            while (std::fscanf(f, "%lf %63s", &ms, name) == 2) {
                if (steps.find(name) == steps.end())
                    stepNames.push_back(name);
                steps[name].push_back(ms);
            }
            std::fclose(f);
        }
        floor.push_back(TimeToWindow(bare, args, options.outDir, false, WM_CLOSE, nullptr));
        failed = failed || ours.back() < 0 || floor.back() < 0;
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    table.Section("Start-up");
    char note[128];
    std::snprintf(note, sizeof note, "window %ldx%ld", size.cx, size.cy);
    table.Row("Korvel.exe to sign-in panel visible", median(ours), median(floor), 1.5, 0,
              failed ? "a window did not show in every run" : note);
    std::string line = "Korvel.exe steps, ms from process creation (median):";
    for (const std::string& name : stepNames) {
        char part[96];
        std::snprintf(part, sizeof part, " %s %.0f", name.c_str(), median(steps[name]));
        line += part;
    }
    table.Note(line);
    ::SetEnvironmentVariableW(L"KORVEL_STARTUP_TRACE", nullptr);
}
