#pragma once
// The table that tools/bench prints: one row per figure, ours beside its floor.
#include <string>
#include <vector>

class BenchTable {
public:
    // A heading line before the rows that follow.
    void Section(const std::string& title);
    // ours/floor in milliseconds (floor <= 0: none). maxRatio > 0 makes ours/floor a target;
    // maxMs > 0 makes ours an absolute target. The note says what the row measured.
    void Row(const std::string& name, double oursMs, double floorMs, double maxRatio = 0, double maxMs = 0,
             const std::string& note = std::string());
    // A line of text (a build time, a count).
    void Note(const std::string& text);
    // Prints the table to stdout; returns the number of rows that missed their target.
    int Print() const;

private:
    struct Line {
        bool heading = false, note = false;
        std::string name, text;
        double ours = 0, floor = 0, maxRatio = 0, maxMs = 0;
    };
    std::vector<Line> m_lines;
};
