// korvel_bench.exe: runs the registered benchmarks and prints their table. Started by
// tools/bench under Wine; never part of the tests.
//   korvel_bench [--messages N] [--runs N] [--dir folder] [--only name,name] [--list]
#include "bench/Bench.h"
#include "framework/Platform.h"
#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <map>
#include <string>

namespace {

std::map<std::string, BenchFn>& Registry()
{
    static std::map<std::string, BenchFn> benches;
    return benches;
}

std::wstring Widen(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

} // namespace

BenchRegistrar::BenchRegistrar(const char* pszName, BenchFn fn)
{
    Registry()[pszName] = fn;
}

double BenchNowMs()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

double BenchMedianMs(int runs, const std::function<void()>& fn, std::vector<double>* pAll)
{
    std::vector<double> times;
    for (int i = 0; i < std::max(1, runs); ++i) {
        const double t0 = BenchNowMs();
        fn();
        times.push_back(BenchNowMs() - t0);
    }
    if (pAll)
        *pAll = times;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int wmain(int argc, wchar_t** argv)
{
    BenchOptions options;
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    options.outDir = exe;
    options.outDir.erase(options.outDir.find_last_of(L"\\/"));
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    options.workDir = std::wstring(temp) + L"korvel-bench";

    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--messages" && hasValue) {
            options.messages = _wtoi(argv[++i]);
        } else if (arg == L"--runs" && hasValue) {
            options.runs = _wtoi(argv[++i]);
        } else if (arg == L"--dir" && hasValue) {
            options.workDir = argv[++i];
        } else if (arg == L"--only" && hasValue) {
            std::wstring list = argv[++i];
            size_t start = 0;
            while (start <= list.size()) {
                const size_t comma = list.find(L',', start);
                const std::wstring name = list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
                if (!name.empty())
                    options.only.push_back(name);
                if (comma == std::wstring::npos)
                    break;
                start = comma + 1;
            }
        } else if (arg == L"--list") {
            for (const auto& item : Registry())
                std::printf("%s\n", item.first.c_str());
            return 0;
        } else {
            std::fprintf(stderr, "usage: korvel_bench [--messages N] [--runs N] [--dir folder] [--only a,b] [--list]\n");
            return 2;
        }
    }
    if (options.messages < 1000)
        options.messages = 1000;
    ::CreateDirectoryW(options.workDir.c_str(), nullptr);

    BenchTable table;
    for (const auto& item : Registry()) {
        if (!options.only.empty() &&
            std::find(options.only.begin(), options.only.end(), Widen(item.first)) == options.only.end())
            continue;
        std::printf("running %s\n", item.first.c_str());
        std::fflush(stdout);
        item.second(options, table);
    }
    table.Print();
    return 0;
}
