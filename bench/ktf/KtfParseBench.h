#pragma once
// The KTF parse benchmark: the same real-looking bodies parsed through CKTFMgr (as every pane
// does: a manager on the stack, Parse, walk, gone) and through TinyXML alone (the UTF-8 bytes
// into a document and nothing more), the floor under the first.
#include <vector>

namespace ktfbench {

struct KtfParseBenchResult {
    int bodies = 0;
    long long bytes = 0;       // UTF-8 bytes of all bodies
    long long items = 0;       // items CKTFMgr read per run, as a check that it did the work
    std::vector<double> mgrMs; // one figure per run
    std::vector<double> tinyMs;
    std::vector<double> ratios; // per run: CKTFMgr over TinyXML
    double MgrMedian() const;
    double TinyMedian() const;
    double RatioMedian() const;
};

KtfParseBenchResult RunParseBench(int bodies, int runs, unsigned seed);

} // namespace ktfbench
