#include "controls/ScaleByDpi.h"

namespace {

int WindowsMajorVersion()
{
    // GetVersionExW answers what the program's manifest allows it to see, which is enough to
    // tell the pre-Vista systems (major 5) from the later ones.
    static const int s_nMajor = [] {
        OSVERSIONINFOW vi = {};
        vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!::GetVersionExW(&vi))
            return 0;
#pragma GCC diagnostic pop
        return static_cast<int>(vi.dwMajorVersion);
    }();
    return s_nMajor;
}

} // namespace

int ScaleByDpi(int length)
{
    if (WindowsMajorVersion() < 6)
        return length;
    HDC hdc = ::GetDC(nullptr);
    if (!hdc)
        return length;
    const int dpi = ::GetDeviceCaps(hdc, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdc);
    if (dpi <= 0)
        return length;
    return ::MulDiv(length, dpi, 96);
}
