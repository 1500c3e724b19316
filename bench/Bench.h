#pragma once
// The benchmark program's frame: each bench/*Bench.cpp registers its benchmarks with
// KORVEL_BENCH and fills the one table that tools/bench prints. Every figure stands beside its
// floor (the same work done the plainest way in the same run) and their ratio.
#include "bench/BenchTable.h"
#include <functional>
#include <string>
#include <vector>

struct BenchOptions {
    int messages = 1000000;   // --messages: size of the generated message database
    int runs = 5;             // --runs: each figure is the median of this many runs
    std::wstring workDir;     // --dir: where generated files go (default %TEMP%\korvel-bench)
    std::wstring outDir;      // the folder of korvel_bench.exe (Korvel.exe and the rest beside it)
    std::vector<std::wstring> only; // --only a,b: run just these benchmarks
};

using BenchFn = void (*)(const BenchOptions& options, BenchTable& table);

struct BenchRegistrar {
    BenchRegistrar(const char* pszName, BenchFn fn);
};

// KORVEL_BENCH(Name) { ...body using options and table... }
#define KORVEL_BENCH(name)                                                      \
    static void name##_Run(const BenchOptions& options, BenchTable& table);     \
    static BenchRegistrar name##_registrar(#name, name##_Run);                  \
    static void name##_Run(const BenchOptions& options, BenchTable& table)

// Milliseconds from a monotonic high-resolution clock.
double BenchNowMs();
// The median time of `runs` calls of fn, in milliseconds; every time goes to *pAll when given.
double BenchMedianMs(int runs, const std::function<void()>& fn, std::vector<double>* pAll = nullptr);
