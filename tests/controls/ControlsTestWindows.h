#pragma once
// Test windows shared by the control tests: a top-level parent that records the messages it
// is sent or posted (those at or above WM_USER and the ones named in `watch`) and answers
// chosen ones.
#include "framework/CWnd.h"
#include "framework/CString.h"
#include <map>
#include <vector>
#include <ostream>

// Writes a whole file (wide path); false when it cannot be written.
inline bool WriteWholeFile(const std::wstring& path, const void* data, size_t size)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(h, data, static_cast<DWORD>(size), &written, nullptr);
    ::CloseHandle(h);
    return ok && written == size;
}

// Readable CString values in assertion messages.
inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << '"' << CStringA(s).GetString() << '"';
}

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CRecorderWnd : public CWnd {
public:
    std::vector<RecordedMessage> received;
    std::map<UINT, LRESULT> answers;
    std::vector<UINT> watch;

    // A visible top-level window at (x, y) with the given client size.
    BOOL CreateTopLevel(int x, int y, int cx, int cy, LPCWSTR title = L"Korvel controls test")
    {
        RECT rc = {0, 0, cx, cy};
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, FALSE, 0);
        if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                      title, WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, x, y, rc.right - rc.left,
                      rc.bottom - rc.top, nullptr, nullptr))
            return FALSE;
        ShowWindow(SW_SHOWNOACTIVATE);
        UpdateWindow();
        return TRUE;
    }

    int Count(UINT message) const
    {
        int n = 0;
        for (const RecordedMessage& m : received)
            n += m.message == message;
        return n;
    }
    const RecordedMessage* Last(UINT message) const
    {
        for (auto it = received.rbegin(); it != received.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        bool record = message >= WM_USER && message < 0xC000;
        for (UINT w : watch)
            record = record || w == message;
        if (record)
            received.push_back({message, wParam, lParam});
        auto it = answers.find(message);
        if (it != answers.end())
            return it->second;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
