// The line index with lines longer than one of its parts holds, and the
// display-line counts kept in runs, each against a plain model.
#include "textmodel/DisplayCounts.h"
#include "textmodel/EditControl.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tagloom {
namespace {

// Line starts of a text, written out plainly.
std::vector<int> lineStarts(const std::string& text) {
    std::vector<int> starts{0};
    for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', lf + 1))
        starts.push_back(static_cast<int>(lf) + 1);
    return starts;
}

TEST(LineIndex, linesLongerThanAPartKeepTheirStartsThroughRandomEdits) {
    std::mt19937 random(31);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    // Lines of 32,767 bytes (one whole part), one more, several parts, and short ones.
    std::string text = std::string(32766, 'a') + "\n" + std::string(32767, 'b') + "\r\n" +
                       std::string(100000, 'c') + "\nshort\n\n" + std::string(65534, 'd') + "\n" +
                       std::string(40000, 'e');
    EditControl control;
    control.setText(text);
    const std::vector<std::string> inserts = {"x", "\n", "\r\n", "two\nlines\n", std::string(40000, 'f'),
                                              std::string(20000, 'g') + "\n" + std::string(30000, 'h')};
    for (int step = 1; step <= 600; ++step) {
        const int at = pick(static_cast<int>(text.size()) + 1);
        if (pick(2) == 0) {
            const std::string& s = inserts[static_cast<std::size_t>(pick(static_cast<int>(inserts.size())))];
            control.setSel(at, at);
            control.replaceSel(s);
            text.insert(static_cast<std::size_t>(at), s);
        } else {
            // Mostly short removals, now and then one across several parts and lines.
            const int to = std::min(static_cast<int>(text.size()), at + (pick(10) == 0 ? pick(90000) : pick(4)));
            control.setSel(at, to);
            control.replaceSel("");
            text.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(to - at));
        }
        const std::vector<int> starts = lineStarts(text);
        ASSERT_EQ(control.textLineCount(), static_cast<int>(starts.size())) << "step " << step;
        for (std::size_t line = 0; line < starts.size(); ++line)
            ASSERT_EQ(control.textLineIndex(static_cast<int>(line)), starts[line]) << "step " << step;
        for (int probe = 0; probe < 20; ++probe) {
            const int offset = pick(static_cast<int>(text.size()) + 1);
            const auto line = std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1;
            ASSERT_EQ(control.textLineFromChar(offset), line) << "step " << step << " offset " << offset;
        }
    }
}

// One count per line, as the runs must answer.
struct PlainCounts {
    std::vector<int> counts;
    int knownBefore(int line) const {
        int sum = 0;
        for (int i = 0; i < line; ++i) sum += std::max(0, counts[static_cast<std::size_t>(i)]);
        return sum;
    }
    int nextUnknown(int line) const {
        while (line < static_cast<int>(counts.size()) && counts[static_cast<std::size_t>(line)] != DisplayCounts::kUnknown)
            ++line;
        return line;
    }
};

TEST(DisplayCounts, randomReplacementsAnswerAsOneCountPerLine) {
    std::mt19937 random(5);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    DisplayCounts runs;
    PlainCounts plain{std::vector<int>(500, DisplayCounts::kUnknown)};
    runs.reset(500);
    for (int step = 1; step <= 3000; ++step) {
        const int lines = static_cast<int>(plain.counts.size());
        const int from = pick(lines);
        const int count = std::min(lines - from, 1 + pick(pick(4) == 0 ? 60 : 3));
        // Mostly one display line each, as most lines take; some unknown, some wrapped.
        std::vector<int> fresh(static_cast<std::size_t>(pick(count + 3)));
        for (int& c : fresh) c = pick(10) < 7 ? 1 : pick(3) == 0 ? DisplayCounts::kUnknown : 2 + pick(4);
        if (lines - count + static_cast<int>(fresh.size()) == 0) fresh.push_back(1);
        runs.replace(from, count, fresh);
        plain.counts.erase(plain.counts.begin() + from, plain.counts.begin() + from + count);
        plain.counts.insert(plain.counts.begin() + from, fresh.begin(), fresh.end());

        const int total = static_cast<int>(plain.counts.size());
        ASSERT_EQ(runs.lines(), total) << "step " << step;
        ASSERT_EQ(runs.knownTotal(), plain.knownBefore(total)) << "step " << step;
        ASSERT_EQ(runs.firstUnknown(), plain.nextUnknown(0)) << "step " << step;
        for (int probe = 0; probe < 10; ++probe) {
            const int line = pick(total);
            ASSERT_EQ(runs.count(line), plain.counts[static_cast<std::size_t>(line)]) << "step " << step;
            ASSERT_EQ(runs.knownBefore(line), plain.knownBefore(line)) << "step " << step;
            ASSERT_EQ(runs.nextUnknown(line), plain.nextUnknown(line)) << "step " << step;
            if (runs.count(line) == DisplayCounts::kUnknown) {
                int end = line;
                while (end < total && plain.counts[static_cast<std::size_t>(end)] == DisplayCounts::kUnknown) ++end;
                ASSERT_EQ(runs.unknownRunEnd(line), end) << "step " << step;
            }
            if (runs.count(line) > 0) {
                // Each of the line's display lines is found in it.
                const int first = plain.knownBefore(line);
                const DisplayCounts::Found found = runs.findDisplay(first + pick(runs.count(line)));
                ASSERT_EQ(found.line, line) << "step " << step;
                ASSERT_EQ(found.before, first) << "step " << step;
            }
        }
        ASSERT_EQ(runs.findDisplay(runs.knownTotal()).line, total) << "step " << step;
    }
}

}  // namespace
}  // namespace tagloom
