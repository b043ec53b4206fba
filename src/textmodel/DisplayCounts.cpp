#include "textmodel/DisplayCounts.h"

#include <vector>

namespace tagloom {

void DisplayCounts::reset(int lines) {
    const Run all[] = {Run{lines, kUnknown}};
    runs_.assign(lines > 0 ? std::span<const Run>(all) : std::span<const Run>());
}

int DisplayCounts::nextUnknown(int line) const {
    if (line >= lines()) return lines();
    const auto run = runs_.find(kLines, line);
    if (run.item->displays == kUnknown) return line;
    const auto unmeasured = runs_.find(kUnmeasured, run.before[kUnmeasured]);
    return unmeasured.index == runs_.size() ? lines() : unmeasured.before[kLines];
}

int DisplayCounts::unknownRunEnd(int line) const {
    const auto run = runs_.find(kLines, line);
    return run.before[kLines] + run.item->lines;
}

int DisplayCounts::count(int line) const {
    const Run& run = *runs_.find(kLines, line).item;
    if (run.displays == kUnknown || run.lines == 1) return run.displays;
    return 1;
}

int DisplayCounts::knownBefore(int line) const {
    if (line >= lines()) return knownTotal();
    const auto run = runs_.find(kLines, line);
    return run.before[kKnown] + (oneEach(*run.item) ? line - run.before[kLines] : 0);
}

DisplayCounts::Found DisplayCounts::findDisplay(int index) const {
    const auto run = runs_.find(kKnown, index);
    if (run.index == runs_.size()) return Found{lines(), knownTotal()};
    if (run.item->lines == 1) return Found{run.before[kLines], run.before[kKnown]};
    return Found{run.before[kLines] + index - run.before[kKnown], index};
}

int DisplayCounts::splitAt(int line) {
    if (line >= lines()) return runs_.size();
    const auto found = runs_.find(kLines, line);
    const int head = line - found.before[kLines];
    if (head == 0) return found.index;
    const Run run = *found.item;
    const auto part = [&run](int lines) { return Run{lines, run.displays == kUnknown ? kUnknown : lines}; };
    runs_.set(found.index, part(head));
    runs_.insert(found.index + 1, part(run.lines - head));
    return found.index + 1;
}

void DisplayCounts::mergeWithPrevious(int index) {
    if (index <= 0 || index >= runs_.size()) return;
    const Run before = runs_[index - 1];
    const Run run = runs_[index];
    if (!mergeable(before, run)) return;
    const int lines = before.lines + run.lines;
    runs_.set(index - 1, Run{lines, run.displays == kUnknown ? kUnknown : lines});
    runs_.erase(index, 1);
}

void DisplayCounts::replace(int from, int count, std::span<const int> counts) {
    // A key typed in a line mostly leaves its display-line count as it was.
    if (count == 1 && counts.size() == 1 && from < lines() && this->count(from) == counts[0]) return;
    const int first = splitAt(from);
    const int end = splitAt(from + count);
    runs_.erase(first, end - first);
    std::vector<Run> fresh;
    for (const int displays : counts) {
        const Run line{1, displays};
        if (!fresh.empty() && mergeable(fresh.back(), line)) {
            Run& run = fresh.back();
            ++run.lines;
            if (run.displays != kUnknown) ++run.displays;
        } else {
            fresh.push_back(line);
        }
    }
    runs_.insert(first, fresh);
    mergeWithPrevious(first + static_cast<int>(fresh.size()));
    mergeWithPrevious(first);
}

}  // namespace tagloom
