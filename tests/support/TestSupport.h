#pragma once
// Helpers shared by the test executables: pumping the message loop, scratch folders, screenshots.
#include "framework/Platform.h"
#include <string>
#include <vector>

namespace testsupport {

// Dispatches every waiting message (timers included) until the queue stays empty,
// at most maxRounds passes, so a window that keeps posting cannot hang a test.
// Returns the number of messages dispatched.
int PumpMessages(int maxRounds = 200);

// Pumps until cond() holds or maxRounds passes have run; returns cond()'s last value.
template <class Cond>
bool PumpUntil(Cond cond, int maxRounds = 2000)
{
    for (int i = 0; i < maxRounds; ++i) {
        if (cond())
            return true;
        PumpMessages(1);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return cond();
}

// A fresh empty folder under the temp directory, removed again by the caller's choice.
std::wstring TempDir(const wchar_t* name);

// Removes a folder and everything in it.
void RemoveTree(const std::wstring& dir);

// Writes a 24-bit BMP strip of `frames` square cells of `size` pixels, each a different grey
// (a skin image strip for the animated controls); false when the file cannot be written.
bool WriteStripBitmap(const std::wstring& path, int frames, int size);

// Writes the whole screen, or one window when hwnd is given, as a 24-bit BMP file.
bool SaveScreenshot(const std::wstring& bmpPath, HWND hwnd = nullptr);

// What the screen shows in a rectangle of screen coordinates, row by row from the top, as RGB
// colours; empty for an empty rectangle. The window looked at must be on top and painted.
std::vector<COLORREF> GrabScreen(const RECT& screenRect);
// How many pixels the screen shows in the rectangle that satisfy pred(COLORREF).
template <class Pred>
int CountScreenPixels(const RECT& screenRect, Pred pred)
{
    int n = 0;
    for (COLORREF c : GrabScreen(screenRect))
        n += pred(c) ? 1 : 0;
    return n;
}
// Has a window and its children paint at once (the erase and the frame included).
void PaintNow(HWND hwnd);

// Waits until what a shown window paints is on the screen: paints it now, then pumps until it is
// visible and onScreen() (which looks at the screen) holds. Under Wine the screen shows a window's
// drawing only some message rounds later: a new window is mapped first, and drawing reaches the
// screen when the message loop flushes it; so pixels read right after showing or painting can
// still be the old screen. The paint is asked for again every few dozen rounds, in case the first
// one went to a window that was not on the screen yet. At most maxRounds rounds; returns
// onScreen()'s last value, so the caller's own checks still fail when the window never shows.
template <class Cond>
bool WaitUntilOnScreen(HWND hwnd, Cond onScreen, int maxRounds = 1000)
{
    PaintNow(hwnd);
    int round = 0;
    return PumpUntil(
        [&] {
            if (++round % 50 == 0)
                PaintNow(hwnd);
            return ::IsWindowVisible(hwnd) && onScreen();
        },
        maxRounds);
}

// A window's client rectangle in screen coordinates.
RECT ClientRectOnScreen(HWND hwnd);
// A colour as dark as text (luma below 100 of 255).
bool IsDark(COLORREF c);

// The first child window (at any depth) of a window whose text is exactly text; null when none.
HWND FindChildByText(HWND hParent, const wchar_t* text);

// A text's UTF-8 bytes (how the database and the server carry it).
std::string Utf8(const wchar_t* pszText);

// The folder of the running test executable (where the DLLs lie).
std::wstring ExeDir();

// The Windows name of a Linux path: Wine's own conversion where it offers it, else its drive Z:,
// which maps the Linux root.
std::wstring DosPath(const std::string& unixPath);

// The DER bytes of the first certificate of a PEM file; empty when the file holds none.
std::string ReadPemCertificate(const std::wstring& path);

// Waits for a process to end, pumping this thread's messages meanwhile (a single-threaded COM
// apartment must keep answering while it waits); false when it is still running at the limit.
bool WaitForProcess(HANDLE process, DWORD timeoutMs = 240000);

// Runs a program with arguments; its exit code, or -1 when it did not start or did not end in
// time (it is then terminated).
int RunProgram(const std::wstring& exe, const std::wstring& args);

// The text of a registry value (nullptr: the default one); empty when absent or not REG_SZ.
std::wstring ReadRegText(HKEY root, const std::wstring& path, const wchar_t* name = nullptr);
bool RegKeyExists(HKEY root, const std::wstring& path);

// Loads QorResource.dll beside the test program and makes it the resource module; the previous
// resource handle comes back when the object ends.
class ResourceModuleScope {
public:
    ResourceModuleScope();
    ~ResourceModuleScope();
    ResourceModuleScope(const ResourceModuleScope&) = delete;
    ResourceModuleScope& operator=(const ResourceModuleScope&) = delete;
    bool IsLoaded() const { return m_hModule != nullptr; }

private:
    HMODULE m_hModule = nullptr;
    HINSTANCE m_hSaved = nullptr;
};

// A dialog template (DLGTEMPLATE words) with one control of a class nobody registered: the
// dialog's window is made, its control is not, and the system destroys the dialog again, so a
// creation from it fails after the window existed.
std::vector<WORD> TemplateWithUnknownControl();

} // namespace testsupport
