// The framework's sample COM local server (used by ComServerTest):
//   /RegServer    register the classes, the application id and the type library, then end;
//   /UnregServer  remove them again, then end;
//   otherwise     (started by COM with -Embedding) serve the classes until the last object goes.
#include "framework/CComModule.h"
#include "CFwCalc.h"

namespace {

BEGIN_OBJECT_MAP(ObjectMap)
    OBJECT_ENTRY(CLSID_FwCalc, CFwCalc)
END_OBJECT_MAP()

const GUID kAppId = {0x3C5E7A51, 0x0B2D, 0x4F61, {0x9A, 0x4E, 0x5D, 0x2B, 0x7C, 0x91, 0xE0, 0x0F}};
const UINT kAppIdScript = 101;
// A server whose client never connects (or died) must not stay behind: without any object for
// this long it ends by itself.
const UINT kIdleLimitMs = 120000;

// The switch is recognised only as the last thing on the command line, after "-" or "/".
bool EndsWithSwitch(LPCWSTR commandLine, LPCWSTR name)
{
    for (LPCWSTR p = commandLine; *p; ++p)
        if ((*p == L'-' || *p == L'/') && lstrcmpiW(p + 1, name) == 0)
            return true;
    return false;
}

} // namespace

CComModule _Module;

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (FAILED(::CoInitialize(nullptr)))
        return 1;
    _Module.Init(ObjectMap, hInstance, &LIBID_FwTestLib);
    _Module.SetAppId(kAppId);

    int rc = 0;
    LPCWSTR commandLine = ::GetCommandLineW();
    if (EndsWithSwitch(commandLine, L"UnregServer")) {
        HRESULT hr = _Module.UpdateRegistryFromResource(kAppIdScript, FALSE);
        HRESULT hr2 = _Module.UnregisterServer(TRUE);
        rc = (SUCCEEDED(hr) && SUCCEEDED(hr2)) ? 0 : 2;
    } else if (EndsWithSwitch(commandLine, L"RegServer")) {
        // Distinct exit codes tell the test which step failed.
        if (FAILED(_Module.UpdateRegistryFromResource(kAppIdScript, TRUE)))
            rc = 3;
        else if (FAILED(_Module.RegisterServer(FALSE)))
            rc = 5;
        else if (FAILED(_Module.RegisterTypeLib()))
            rc = 6;
    } else {
        _Module.SetExitWhenUnlocked(TRUE);
        if (FAILED(_Module.RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE))) {
            rc = 4;
        } else {
            UINT_PTR idle = ::SetTimer(nullptr, 0, kIdleLimitMs, nullptr);
            MSG msg;
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == idle) {
                    if (_Module.GetLockCount() == 0)
                        break;
                    continue;
                }
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::KillTimer(nullptr, idle);
            _Module.RevokeClassObjects();
        }
    }
    _Module.Term();
    ::CoUninitialize();
    return rc;
}
