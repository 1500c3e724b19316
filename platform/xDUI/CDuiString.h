#pragma once
// The skin library's own string type. Callers build it from a wide text (skin element
// names such as "i.animation.wait") and read it back with GetData.
#include "framework/Platform.h"
#include <string>

namespace xDuiLib {

class CDuiString {
public:
    CDuiString() = default;
    CDuiString(LPCWSTR psz) { if (psz) m_text = psz; }
    CDuiString(const std::wstring& s) : m_text(s) {}

    LPCWSTR GetData() const { return m_text.c_str(); }
    operator LPCWSTR() const { return m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    bool operator==(LPCWSTR psz) const { return m_text == (psz ? psz : L""); }
    bool operator!=(LPCWSTR psz) const { return !(*this == psz); }

private:
    std::wstring m_text;
};

} // namespace xDuiLib
