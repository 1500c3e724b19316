#include "bench/BenchTable.h"
#include <cstdio>

void BenchTable::Section(const std::string& title)
{
    Line l;
    l.heading = true;
    l.text = title;
    m_lines.push_back(l);
}

void BenchTable::Row(const std::string& name, double oursMs, double floorMs, double maxRatio, double maxMs,
                     const std::string& note)
{
    Line l;
    l.name = name;
    l.ours = oursMs;
    l.floor = floorMs;
    l.maxRatio = maxRatio;
    l.maxMs = maxMs;
    l.text = note;
    m_lines.push_back(l);
    // Rows also go out as they come, so a long run shows progress.
    std::printf("  .. %-44s %10.3f ms\n", name.c_str(), oursMs);
    std::fflush(stdout);
}

void BenchTable::Note(const std::string& text)
{
    Line l;
    l.note = true;
    l.text = text;
    m_lines.push_back(l);
    std::printf("  .. %s\n", text.c_str());
    std::fflush(stdout);
}

int BenchTable::Print() const
{
    int missed = 0;
    std::printf("\n%-46s %12s %12s %8s  %-16s %s\n", "figure", "ours ms", "floor ms", "ratio", "target", "met");
    for (const Line& l : m_lines) {
        if (l.heading) {
            std::printf("\n== %s\n", l.text.c_str());
            continue;
        }
        if (l.note) {
            std::printf("   %s\n", l.text.c_str());
            continue;
        }
        char floor[32] = "-", ratio[32] = "-", target[64] = "-";
        const bool hasFloor = l.floor > 0;
        if (hasFloor) {
            std::snprintf(floor, sizeof floor, "%.3f", l.floor);
            std::snprintf(ratio, sizeof ratio, "%.2f", l.ours / l.floor);
        }
        bool met = true, hasTarget = false;
        std::string t;
        if (l.maxRatio > 0 && hasFloor) {
            hasTarget = true;
            met = met && l.ours <= l.floor * l.maxRatio;
            char b[32];
            std::snprintf(b, sizeof b, "<=%.2fx", l.maxRatio);
            t += b;
        }
        if (l.maxMs > 0) {
            hasTarget = true;
            met = met && l.ours < l.maxMs;
            char b[32];
            std::snprintf(b, sizeof b, "%s<%.0fms", t.empty() ? "" : " ", l.maxMs);
            t += b;
        }
        if (hasTarget)
            std::snprintf(target, sizeof target, "%s", t.c_str());
        if (hasTarget && !met)
            ++missed;
        std::printf("%-46s %12.3f %12s %8s  %-16s %s%s%s\n", l.name.c_str(), l.ours, floor, ratio, target,
                    hasTarget ? (met ? "yes" : "NO") : "", l.text.empty() ? "" : "  ", l.text.c_str());
    }
    std::printf("\n%d figure(s) missed their target\n", missed);
    return missed;
}
