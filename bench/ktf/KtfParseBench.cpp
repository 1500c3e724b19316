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

    // Alternate the two, so that both see the same machine load over the runs.
    for (int run = 0; run < runs; ++run) {
        long long items = 0;
        double t0 = NowMs();
        for (const CString& body : wide) {
            CKTFMgr mgr;
            if (mgr.Parse(body, false))
                items += static_cast<long long>(mgr.items.size());
        }
        double t1 = NowMs();
        long long elements = 0;
        for (const std::string& bytes : utf8) {
            TiXmlDocument doc;
            doc.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
            if (const TiXmlElement* root = doc.RootElement())
                elements += root->FirstChildElement() ? 1 : 0;
        }
        double t2 = NowMs();
        result.mgrMs.push_back(t1 - t0);
        result.tinyMs.push_back(t2 - t1);
        result.items = items;
        if (elements != bodies)
            result.items = -1; // the floor did not parse every body: the figures mean nothing
    }
    return result;
}

} // namespace ktfbench
