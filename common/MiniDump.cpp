#include "common/MiniDump.h"
#include "common/CCommFun.h"

namespace {

// Process-wide: the filter has no other way to reach them.
volatile LONG g_installed = 0;
MiniDumpWriteDumpFn g_pfnWriteDump = nullptr;
wchar_t g_szName[260] = {};

MiniDumpWriteDumpFn LoadDumpFunction()
{
    if (!g_pfnWriteDump) {
        HMODULE h = ::LoadLibraryW(L"DBGHELP.DLL");
        if (h)
            g_pfnWriteDump = reinterpret_cast<MiniDumpWriteDumpFn>(::GetProcAddress(h, "MiniDumpWriteDump"));
    }
    return g_pfnWriteDump;
}

LONG WINAPI DumpFilter(EXCEPTION_POINTERS* pException)
{
    return WriteMiniDump(pException, g_szName, EXCEPTION_EXECUTE_HANDLER, MiniDumpNormal);
}

void CreateFolderChain(const CString& folder)
{
    for (int i = 0; i < folder.GetLength(); ++i) {
        if (folder[i] == L'\\' && i > 0 && folder[i - 1] != L':')
            ::CreateDirectoryW(folder.Left(i), nullptr);
    }
    ::CreateDirectoryW(folder, nullptr);
}

} // namespace

MiniDumpWriteDumpFn SetMiniDumpWriteFunction(MiniDumpWriteDumpFn pfn)
{
    MiniDumpWriteDumpFn previous = g_pfnWriteDump;
    g_pfnWriteDump = pfn;
    return previous;
}

BOOL InstallDumpHandler(LPCWSTR pszName)
{
    if (::InterlockedCompareExchange(&g_installed, 1, 0) != 0)
        return FALSE;
    if (pszName) {
        lstrcpynW(g_szName, pszName, 260);
    } else {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        CString base(path);
        base = base.Mid(base.ReverseFind(L'\\') + 1);
        int dot = base.ReverseFind(L'.');
        if (dot > 0)
            base = base.Left(dot);
        lstrcpynW(g_szName, base, 260);
    }
    if (!LoadDumpFunction()) {
        // Nothing was installed: a later call may try again.
        ::InterlockedExchange(&g_installed, 0);
        return FALSE;
    }
    ::SetUnhandledExceptionFilter(DumpFilter);
    ::OutputDebugStringW(L"Dump installed");
    return TRUE;
}

CString MakeDumpFileName(LPCWSTR pszName, const SYSTEMTIME& t)
{
    CString name = (pszName && *pszName) ? CString(pszName) : CString(L"Exception");
    for (const wchar_t* p = L"\\/:*?\"<>|"; *p; ++p)
        name.Replace(*p, L'.');
    CString out;
    out.Format(L"%s%04d-%02d-%02d %02d.%02d.%02d.log", name.GetString(), t.wYear, t.wMonth, t.wDay, t.wHour,
               t.wMinute, t.wSecond);
    return out;
}

BOOL WriteDumpFile(const CString& folder, EXCEPTION_POINTERS* pException, LPCWSTR pszName, MINIDUMP_TYPE type,
                   CString* pPath)
{
    MiniDumpWriteDumpFn pfn = LoadDumpFunction();
    if (!pfn)
        return FALSE;
    if (::GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES)
        CreateFolderChain(folder);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString path = folder + MakeDumpFileName(pszName, now);
    if (pPath)
        *pPath = path;
    HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        ::OutputDebugStringW(CString(L"Cannot create dump file :") + path);
        return FALSE;
    }
    MINIDUMP_EXCEPTION_INFORMATION info = {};
    info.ThreadId = ::GetCurrentThreadId();
    info.ExceptionPointers = pException;
    info.ClientPointers = FALSE;
    BOOL ok = pfn(::GetCurrentProcess(), ::GetCurrentProcessId(), h, type, pException ? &info : nullptr, nullptr,
                  nullptr);
    ::CloseHandle(h);
    if (!ok)
        ::DeleteFileW(path);
    ::OutputDebugStringW(CString(L"Create dump file :") + path);
    return ok;
}

LONG WriteMiniDump(EXCEPTION_POINTERS* pException, LPCWSTR pszName, LONG result, MINIDUMP_TYPE type)
{
    if (!LoadDumpFunction())
        return result;
    if (WriteDumpFile(CCommFun::GetAppPath() + L"\\log\\", pException, pszName, type))
        return result;
    return ::IsDebuggerPresent() ? EXCEPTION_CONTINUE_SEARCH : EXCEPTION_EXECUTE_HANDLER;
}
