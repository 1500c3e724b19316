#include "standin/CrashRpt/MinidumpWriter.h"
#include <dbghelp.h>
#include <tlhelp32.h>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

// The dump is built in memory and written in one go; Rva() is the offset of the next byte.
class DumpBuffer {
public:
    RVA Rva() const { return static_cast<RVA>(m_data.size()); }
    RVA Append(const void* p, size_t n)
    {
        RVA at = Rva();
        // Room for the bytes and the padding to four, then one copy.
        m_data.resize((m_data.size() + n + 3) & ~static_cast<size_t>(3), 0);
        if (n)
            std::memcpy(m_data.data() + at, p, n);
        return at;
    }
    template <class T>
    RVA Append(const T& value) { return Append(&value, sizeof(T)); }
    template <class T>
    T* At(RVA rva) { return reinterpret_cast<T*>(&m_data[rva]); }
    // A MINIDUMP_STRING: byte length, then the UTF-16 text with its terminator.
    RVA AppendString(const std::wstring& s)
    {
        ULONG32 bytes = static_cast<ULONG32>(s.size() * sizeof(wchar_t));
        RVA at = Append(bytes);
        Append(s.c_str(), (s.size() + 1) * sizeof(wchar_t));
        return at;
    }
    const std::vector<char>& Data() const { return m_data; }

private:
    std::vector<char> m_data;
};

// The stack of the current thread from the faulting stack pointer up, at most 64 KB.
bool StackRange(const CONTEXT* ctx, ULONG_PTR& start, size_t& size)
{
    const NT_TIB* tib = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
#if defined(_WIN64)
    ULONG_PTR sp = ctx->Rsp;
#else
    ULONG_PTR sp = ctx->Esp;
#endif
    ULONG_PTR base = reinterpret_cast<ULONG_PTR>(tib->StackBase);
    ULONG_PTR limit = reinterpret_cast<ULONG_PTR>(tib->StackLimit);
    if (sp < limit || sp >= base)
        return false; // not this thread's stack: leave it out rather than read wild memory
    start = sp;
    size = std::min<size_t>(base - sp, 64 * 1024);
    return true;
}

} // namespace

bool WriteMinidump(const std::wstring& path, EXCEPTION_POINTERS* pExceptionInfo)
{
    const int kStreams = 4;
    DumpBuffer buf;
    MINIDUMP_HEADER header = {};
    header.Signature = 0x504D444D; // "MDMP"
    header.Version = MINIDUMP_VERSION;
    header.NumberOfStreams = kStreams;
    header.TimeDateStamp = static_cast<ULONG32>(time(nullptr));
    header.Flags = MiniDumpNormal;
    buf.Append(header);
    MINIDUMP_DIRECTORY dirs[kStreams] = {};
    RVA dirRva = buf.Append(dirs);
    buf.At<MINIDUMP_HEADER>(0)->StreamDirectoryRva = dirRva;

    // The context: of the exception, or of this very call when there is none.
    CONTEXT context;
    if (pExceptionInfo && pExceptionInfo->ContextRecord)
        context = *pExceptionInfo->ContextRecord;
    else
        ::RtlCaptureContext(&context);
    RVA contextRva = buf.Append(context);

    // Thread list: the faulting thread only.
    MINIDUMP_THREAD thread = {};
    thread.ThreadId = ::GetCurrentThreadId();
    thread.Priority = static_cast<ULONG32>(::GetThreadPriority(::GetCurrentThread()));
    thread.Teb = reinterpret_cast<ULONG_PTR>(NtCurrentTeb());
    thread.ThreadContext.DataSize = sizeof(CONTEXT);
    thread.ThreadContext.Rva = contextRva;
    ULONG_PTR stackStart = 0;
    size_t stackSize = 0;
    if (StackRange(&context, stackStart, stackSize)) {
        thread.Stack.StartOfMemoryRange = stackStart;
        thread.Stack.Memory.DataSize = static_cast<ULONG32>(stackSize);
        thread.Stack.Memory.Rva = buf.Append(reinterpret_cast<const void*>(stackStart), stackSize);
    }
    ULONG32 threadCount = 1;
    RVA threadsRva = buf.Append(threadCount);
    buf.Append(thread);
    ULONG32 threadsSize = buf.Rva() - threadsRva;

    // Exception.
    MINIDUMP_EXCEPTION_STREAM ex = {};
    ex.ThreadId = ::GetCurrentThreadId();
    if (pExceptionInfo && pExceptionInfo->ExceptionRecord) {
        const EXCEPTION_RECORD* r = pExceptionInfo->ExceptionRecord;
        ex.ExceptionRecord.ExceptionCode = r->ExceptionCode;
        ex.ExceptionRecord.ExceptionFlags = r->ExceptionFlags;
        ex.ExceptionRecord.ExceptionAddress = reinterpret_cast<ULONG_PTR>(r->ExceptionAddress);
        ex.ExceptionRecord.NumberParameters = std::min<DWORD>(r->NumberParameters, EXCEPTION_MAXIMUM_PARAMETERS);
        for (DWORD i = 0; i < ex.ExceptionRecord.NumberParameters; ++i)
            ex.ExceptionRecord.ExceptionInformation[i] = r->ExceptionInformation[i];
    }
    ex.ThreadContext.DataSize = sizeof(CONTEXT);
    ex.ThreadContext.Rva = contextRva;
    RVA exRva = buf.Append(ex);

    // System information.
    MINIDUMP_SYSTEM_INFO sys = {};
    SYSTEM_INFO si;
    ::GetNativeSystemInfo(&si);
    sys.ProcessorArchitecture = si.wProcessorArchitecture;
    sys.ProcessorLevel = si.wProcessorLevel;
    sys.ProcessorRevision = si.wProcessorRevision;
    sys.NumberOfProcessors = static_cast<UCHAR>(std::min<DWORD>(si.dwNumberOfProcessors, 255));
    OSVERSIONINFOW ver = {};
    ver.dwOSVersionInfoSize = sizeof(ver);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&ver);
#pragma GCC diagnostic pop
    sys.MajorVersion = ver.dwMajorVersion;
    sys.MinorVersion = ver.dwMinorVersion;
    sys.BuildNumber = ver.dwBuildNumber;
    sys.PlatformId = ver.dwPlatformId;
    RVA sysRva = buf.Append(sys);
    buf.At<MINIDUMP_SYSTEM_INFO>(sysRva)->CSDVersionRva = buf.AppendString(ver.szCSDVersion);

    // Modules, so the addresses can be placed.
    std::vector<MINIDUMP_MODULE> modules;
    std::vector<std::wstring> names;
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (snap != INVALID_HANDLE_VALUE) {
        MODULEENTRY32W me = {};
        me.dwSize = sizeof(me);
        for (BOOL ok = ::Module32FirstW(snap, &me); ok; ok = ::Module32NextW(snap, &me)) {
            MINIDUMP_MODULE m = {};
            m.BaseOfImage = reinterpret_cast<ULONG_PTR>(me.modBaseAddr);
            m.SizeOfImage = me.modBaseSize;
            modules.push_back(m);
            names.push_back(me.szExePath);
        }
        ::CloseHandle(snap);
    }
    for (size_t i = 0; i < modules.size(); ++i)
        modules[i].ModuleNameRva = buf.AppendString(names[i]);
    ULONG32 moduleCount = static_cast<ULONG32>(modules.size());
    RVA modulesRva = buf.Append(moduleCount);
    for (const auto& m : modules)
        buf.Append(m);
    ULONG32 modulesSize = buf.Rva() - modulesRva;

    MINIDUMP_DIRECTORY* dir = buf.At<MINIDUMP_DIRECTORY>(dirRva);
    dir[0] = { ThreadListStream, { threadsSize, threadsRva } };
    dir[1] = { ExceptionStream, { sizeof(MINIDUMP_EXCEPTION_STREAM), exRva } };
    dir[2] = { SystemInfoStream, { sizeof(MINIDUMP_SYSTEM_INFO), sysRva } };
    dir[3] = { ModuleListStream, { modulesSize, modulesRva } };

    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const auto& data = buf.Data();
    bool ok = ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
              written == data.size();
    ::CloseHandle(file);
    if (!ok)
        ::DeleteFileW(path.c_str());
    return ok;
}
