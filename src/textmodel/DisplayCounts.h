#pragma once
// How many display lines each line of the text takes with word wrap, where
// known. Most lines take one, so the counts are kept in runs: a run of lines
// that take one display line each, a run of lines not measured yet, or one
// line with its own count. A page of 30 M short lines needs a handful of
// runs where one count per line would take 120 MB.
#include "textmodel/TextBlocks.h"

#include <span>

namespace tagloom {

class DisplayCounts {
public:
    static constexpr int kUnknown = -1;

    DisplayCounts() = default;

    // `lines` lines, none measured.
    void reset(int lines);
    int lines() const { return runs_.total()[kLines]; }
    // The display lines of the measured lines.
    int knownTotal() const { return runs_.total()[kKnown]; }
    // The first line not measured, or lines().
    int firstUnknown() const { return nextUnknown(0); }
    // The first line not measured from `line` on, or lines().
    int nextUnknown(int line) const;
    // The end of the run of unmeasured lines that holds `line`.
    int unknownRunEnd(int line) const;
    // A line's display lines, or kUnknown.
    int count(int line) const;
    // The display lines of the measured lines before `line`.
    int knownBefore(int line) const;

    // The line that holds a display line, counting measured lines only, with
    // the measured display lines before it; line is lines() when there are
    // not that many.
    struct Found {
        int line = 0;
        int before = 0;
    };
    Found findDisplay(int index) const;

    // Replaces the counts of lines [from, from + count) by `counts` (kUnknown
    // allowed), which may be more or fewer lines.
    void replace(int from, int count, std::span<const int> counts);

    std::size_t memoryUsage() const { return runs_.memoryUsage(); }

private:
    // `lines` lines of `displays` display lines in all: kUnknown, or as
    // many as lines (one each), or any count for a run of one line.
    struct Run {
        int lines;
        int displays;
    };
    struct RunTraits {
        static constexpr int kWeights = 3;
        static std::array<int, 3> weights(const Run& run) {
            const bool known = run.displays != kUnknown;
            return {run.lines, known ? run.displays : 0, known ? 0 : run.lines};
        }
    };
    enum : int { kLines = 0, kKnown = 1, kUnmeasured = 2 };

    static bool oneEach(const Run& run) { return run.displays == run.lines; }
    static bool mergeable(const Run& a, const Run& b) {
        return (a.displays == kUnknown && b.displays == kUnknown) || (oneEach(a) && oneEach(b));
    }
    // Makes a run begin at `line` and returns its index (the run count at the end).
    int splitAt(int line);
    // Joins the run at index with the one before it where both are alike.
    void mergeWithPrevious(int index);

    TextBlocks<Run, RunTraits> runs_;
};

}  // namespace tagloom
