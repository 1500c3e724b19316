#include "platform/QorView/QorMessageBox.h"
#include "framework/CWnd.h"
#include "standin/QorView/QorViewState.h"
#include <vector>

using namespace qorview_detail;

namespace {

// The boxes this library has open on any thread, so that sign-out can close them all.
std::vector<HWND> g_openBoxes;
thread_local HHOOK t_hook = nullptr;

LRESULT CALLBACK TrackBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        ::GetClassNameW(box, cls, 16);
        LockScript();
        if (lstrcmpW(cls, L"#32770") == 0 &&
            std::find(g_openBoxes.begin(), g_openBoxes.end(), box) == g_openBoxes.end())
            g_openBoxes.push_back(box);
        UnlockScript();
    }
    return ::CallNextHookEx(t_hook, code, wParam, lParam);
}

} // namespace

// A scripted answer (queued first, then the default) replaces the box altogether, so an
// unattended run never waits for a click.
int QorMessageBoxHwnd(LPCWSTR lpszText, LPCWSTR lpszCaption, HWND hOwner, UINT nButtons, UINT nIcon, UINT nDefButton,
                      UINT nReserved)
{
    CString text = lpszText ? lpszText : L"";
    CString caption = lpszCaption ? lpszCaption : L"";
    UINT flags = nButtons | nIcon | nDefButton;
    Record(L"QorMessageBox", Join({text, caption, Num(flags)}));

    LockScript();
    Script& s = GetScript();
    int answer = 0;
    if (!s.messageBoxAnswers.empty()) {
        answer = s.messageBoxAnswers.front();
        s.messageBoxAnswers.pop_front();
    } else {
        answer = s.defaultMessageBoxAnswer;
    }
    UnlockScript();
    if (answer != 0)
        return answer;

    HHOOK outer = t_hook;
    t_hook = ::SetWindowsHookExW(WH_CBT, TrackBoxes, nullptr, ::GetCurrentThreadId());
    int result = ::MessageBoxW(hOwner && ::IsWindow(hOwner) ? hOwner : nullptr, text, caption, flags);
    if (t_hook)
        ::UnhookWindowsHookEx(t_hook);
    t_hook = outer;
    LockScript();
    g_openBoxes.erase(std::remove_if(g_openBoxes.begin(), g_openBoxes.end(), [](HWND h) { return !::IsWindow(h); }),
                      g_openBoxes.end());
    UnlockScript();
    return result;
}

int QorMessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, CWnd* pOwner, UINT nButtons, UINT nIcon, UINT nDefButton,
                  UINT nReserved)
{
    return QorMessageBoxHwnd(lpszText, lpszCaption, pOwner ? pOwner->GetSafeHwnd() : HWND(nullptr), nButtons, nIcon,
                             nDefButton, nReserved);
}

void QorCloseAllMessageBoxes()
{
    Record(L"QorCloseAllMessageBoxes");
    LockScript();
    std::vector<HWND> boxes = g_openBoxes;
    UnlockScript();
    for (HWND box : boxes) {
        if (::IsWindow(box))
            ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }
}
