// KTF bodies in the benchmark table: 100,000 real-looking bodies parsed through CKTFMgr against
// TinyXML alone (bench/ktf; bench_ktf.exe runs the same figures and the long fuzz run).
#include "bench/Bench.h"
#include "bench/ktf/KtfParseBench.h"
#include <cstdio>

KORVEL_BENCH(Ktf)
{
    const ktfbench::KtfParseBenchResult r = ktfbench::RunParseBench(100000, options.runs, 17);
    table.Section("KTF bodies");
    char note[96];
    std::snprintf(note, sizeof note, "%d bodies, %.1f MB, %lld items", r.bodies,
                  static_cast<double>(r.bytes) / (1024.0 * 1024.0), r.items);
    table.Row("KTF parse: CKTFMgr vs TinyXML alone", r.MgrMedian(), r.TinyMedian(), 1.2, 0, note);
}
