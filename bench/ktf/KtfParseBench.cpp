#include "bench/ktf/KtfParseBench.h"
#include "bench/ktf/KtfSampleBodies.h"
#include "msgcenter/ktf/CKTFMgr.h"
#include <algorithm>
#include <string>
#include <tinyxml.h>

namespace ktfbench {

namespace {

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double NowMs()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

} // namespace

double KtfParseBenchResult::MgrMedian() const
{
    return Median(mgrMs);
}

double KtfParseBenchResult::TinyMedian() const
{
    return Median(tinyMs);
}

double KtfParseBenchResult::RatioMedian() const
{
    return Median(ratios);
}

KtfParseBenchResult RunParseBench(int bodies, int runs, unsigned seed)
{
    KtfParseBenchResult result;
    const std::vector<CString> wide = MakeSampleBodies(seed, bodies);
    std::vector<std::string> utf8;
    utf8.reserve(wide.size());
    for (const CString& body : wide) {
        int n = ::WideCharToMultiByte(CP_UTF8, 0, body, body.GetLength(), nullptr, 0, nullptr, nullptr);
        std::string bytes(static_cast<size_t>(n), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, body, body.GetLength(), &bytes[0], n, nullptr, nullptr);
        result.bytes += n;
        utf8.push_back(std::move(bytes));
    }
    result.bodies = bodies;

    // The two take turns every few hundred bodies, so that both see the same machine load (the
    // machine may be shared); each run sums its turns.
    const size_t kTurn = 500;
    for (int run = 0; run < runs; ++run) {
        long long items = 0, elements = 0;
        double mgrMs = 0, tinyMs = 0;
        for (size_t from = 0; from < wide.size(); from += kTurn) {
            size_t to = std::min(wide.size(), from + kTurn);
            double t0 = NowMs();
            for (size_t i = from; i < to; ++i) {
                CKTFMgr mgr;
                if (mgr.Parse(wide[i], false))
                    items += static_cast<long long>(mgr.items.size());
            }
            double t1 = NowMs();
            for (size_t i = from; i < to; ++i) {
                TiXmlDocument doc;
                doc.Parse(utf8[i].c_str(), nullptr, TIXML_ENCODING_UTF8);
                if (const TiXmlElement* root = doc.RootElement())
                    elements += root->FirstChildElement() ? 1 : 0;
            }
            double t2 = NowMs();
            mgrMs += t1 - t0;
            tinyMs += t2 - t1;
        }
        result.mgrMs.push_back(mgrMs);
        result.tinyMs.push_back(tinyMs);
        result.ratios.push_back(tinyMs > 0 ? mgrMs / tinyMs : 0);
        result.items = items;
        if (elements != bodies)
            result.items = -1; // the floor did not parse every body: the figures mean nothing
    }
    return result;
}

} // namespace ktfbench
