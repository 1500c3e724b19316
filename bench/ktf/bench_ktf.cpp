// bench_ktf.exe: the KTF figures of the benchmark table, and the parser's long fuzz run.
//   bench_ktf parse [--bodies N] [--runs R] [--seed S]
//   bench_ktf fuzz [--inputs N] [--seed S]
// Exit code 0 when the run is sound (and, for parse, the figures could be taken), else 1.
#include "bench/ktf/KtfFuzzer.h"
#include "bench/ktf/KtfParseBench.h"
#include "platform/QorUtils/QorUtilsTestHooks.h"
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long long ArgValue(int argc, char** argv, const char* name, long long fallback)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (strcmp(argv[i], name) == 0)
            return _atoi64(argv[i + 1]);
    }
    return fallback;
}

// Memory the process holds: the larger of its private bytes and its working set (Wine fills
// in only some of the counters, depending on the version).
double PrivateMb()
{
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc));
    SIZE_T bytes = std::max(pmc.PrivateUsage, pmc.WorkingSetSize);
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

int RunParse(int argc, char** argv)
{
    int bodies = static_cast<int>(ArgValue(argc, argv, "--bodies", 100000));
    int runs = static_cast<int>(ArgValue(argc, argv, "--runs", 5));
    unsigned seed = static_cast<unsigned>(ArgValue(argc, argv, "--seed", 17));
    ktfbench::KtfParseBenchResult r = ktfbench::RunParseBench(bodies, runs, seed);
    double mgr = r.MgrMedian(), tiny = r.TinyMedian();
    printf("KTF parse, %d bodies (%.1f MB UTF-8, %lld items), median of %d runs\n", r.bodies,
           static_cast<double>(r.bytes) / (1024.0 * 1024.0), r.items, runs);
    printf("  %-34s %10.1f ms\n", "CKTFMgr::Parse", mgr);
    printf("  %-34s %10.1f ms\n", "TinyXML alone (floor)", tiny);
    printf("  %-34s %10.2fx  (median of the runs' ratios; target 1.20x)\n", "ratio", r.RatioMedian());
    return r.items > 0 ? 0 : 1;
}

struct Progress {
    double startMb;
};

void OnProgress(uint64_t done, void* ctx)
{
    Progress* p = static_cast<Progress*>(ctx);
    printf("  %10llu inputs, memory %+.1f MB\n", static_cast<unsigned long long>(done), PrivateMb() - p->startMb);
    fflush(stdout);
}

int RunFuzz(int argc, char** argv)
{
    uint64_t inputs = static_cast<uint64_t>(ArgValue(argc, argv, "--inputs", 1000000));
    unsigned seed = static_cast<unsigned>(ArgValue(argc, argv, "--seed", 1));
    ktfbench::KtfFuzzer fuzzer(seed);
    // Warm up the allocator and the parser's statics before taking the memory baseline.
    fuzzer.Run(20000);
    Progress progress = {PrivateMb()};
    printf("KTF parser fuzz, seed %u, %llu inputs, memory at start %.1f MB\n", seed,
           static_cast<unsigned long long>(inputs), progress.startMb);
    ktfbench::KtfFuzzResult r = fuzzer.Run(inputs, OnProgress, &progress, inputs / 10 ? inputs / 10 : 1);
    double growth = PrivateMb() - progress.startMb;
    int buffers = QorUtilsTest_GetOutstandingBuffers();
    printf("  inputs %llu, parsed as KTF %llu, items %llu\n", static_cast<unsigned long long>(r.inputs),
           static_cast<unsigned long long>(r.parsedAsKtf), static_cast<unsigned long long>(r.items));
    printf("  unsound results %llu%s%s\n", static_cast<unsigned long long>(r.failures), r.failures ? ": " : "",
           r.firstFailure.c_str());
    printf("  UTF-8 buffers not given back %d, memory growth %.1f MB\n", buffers, growth);
    // Growth of a few MB is the heap settling; a leak per input would show as hundreds.
    bool clean = r.failures == 0 && buffers == 0 && growth < 32.0;
    printf("  %s\n", clean ? "clean" : "NOT CLEAN");
    return clean ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc >= 2 && strcmp(argv[1], "parse") == 0)
        return RunParse(argc, argv);
    if (argc >= 2 && strcmp(argv[1], "fuzz") == 0)
        return RunFuzz(argc, argv);
    fprintf(stderr, "usage: bench_ktf parse [--bodies N] [--runs R] [--seed S] | fuzz [--inputs N] [--seed S]\n");
    return 2;
}
