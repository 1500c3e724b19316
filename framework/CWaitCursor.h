#pragma once
// Shows the hourglass cursor for the life of the object, then the cursor that was there before.
#include "framework/Platform.h"

class CWaitCursor {
public:
    CWaitCursor() : m_hOld(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOld); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // Shows the hourglass again (after something else changed the cursor).
    void Restore() { ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT)); }

private:
    HCURSOR m_hOld;
};
