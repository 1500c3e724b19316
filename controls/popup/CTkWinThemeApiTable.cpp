#include "controls/popup/CTkWinThemeApiTable.h"
#include <shlwapi.h>

namespace {

const char* const s_aSlotNames[] = {
#define TK_THEME_NAME(name) #name,
    TK_THEME_API_LIST(TK_THEME_NAME)
#undef TK_THEME_NAME
};
static_assert(sizeof(s_aSlotNames) / sizeof(s_aSlotNames[0]) == CTkWinThemeApiTable::kSlotCount,
              "one name per slot");

DWORD ReadComCtlVersion()
{
    HMODULE hComCtl = ::LoadLibraryW(L"comctl32.dll");
    if (!hComCtl)
        return 0;
    DWORD dwVersion = 0;
    typedef HRESULT(CALLBACK * PFNDLLGETVERSION)(DLLVERSIONINFO*);
    auto pfn = reinterpret_cast<PFNDLLGETVERSION>(::GetProcAddress(hComCtl, "DllGetVersion"));
    if (pfn) {
        DLLVERSIONINFO dvi = {};
        dvi.cbSize = sizeof(dvi); // 20 bytes
        if (SUCCEEDED(pfn(&dvi)))
            dwVersion = MAKELONG(dvi.dwMinorVersion, dvi.dwMajorVersion);
    }
    ::FreeLibrary(hComCtl);
    return dwVersion;
}

// Built with the other toolkit singletons when the program starts.
CTkWinThemeApiTable s_table;

} // namespace

CTkWinThemeApiTable::CTkWinThemeApiTable(LPCWSTR lpszLibrary)
    : m_hModule(lpszLibrary ? ::LoadLibraryW(lpszLibrary) : nullptr),
      m_dwComCtlVersion(ReadComCtlVersion())
{
}

CTkWinThemeApiTable& CTkWinThemeApiTable::Instance()
{
    return s_table;
}

FARPROC CTkWinThemeApiTable::Resolve(int nSlot)
{
    if (nSlot < 0 || nSlot >= kSlotCount)
        return nullptr;
    if (m_hModule && !m_aSlots[nSlot])
        m_aSlots[nSlot] = ::GetProcAddress(m_hModule, s_aSlotNames[nSlot]);
    return m_hModule ? m_aSlots[nSlot] : nullptr;
}

void CTkWinThemeApiTable::SetSlot(int nSlot, FARPROC pfn)
{
    if (nSlot >= 0 && nSlot < kSlotCount)
        m_aSlots[nSlot] = pfn;
}

LPCSTR CTkWinThemeApiTable::GetSlotName(int nSlot)
{
    return (nSlot >= 0 && nSlot < kSlotCount) ? s_aSlotNames[nSlot] : nullptr;
}
