#include "syntax/LineStates.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tagloom {

namespace {

// Bytes lexed between two looks at the clock, and the longest stretch of a
// line lexed at once.
constexpr std::size_t kSliceBytes = 64 * 1024;
// Bytes of text read at once for lexing lines in a row.
constexpr int kWindowBytes = 1 << 20;
// Lines up to this long are measured by their LF.
constexpr int kShortLine = 4096;
// New line states added to the blocks at once.
constexpr std::size_t kAppendBatch = 16 * 1024;

// Calls f(line) for the lines of the control's text from offset `from` (a
// line's first byte) on, each with its line break, while f returns true.
// A line that lies in one piece of memory is handed over where it lies,
// else copied together into carry.
template <class F>
void forEachTextLine(const EditControl& control, int from, std::string& carry, F&& f) {
    const int length = control.length();
    carry.clear();
    bool go = true;
    for (int pos = from; go && pos < length;) {
        const int to = length - pos > kWindowBytes ? pos + kWindowBytes : length;
        control.forEachSpan(pos, to, [&](const char* data, int n) {
            const char* p = data;
            const char* const end = data + n;
            while (go && p < end) {
                const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
                if (!lf) {
                    carry.append(p, end);
                    return;
                }
                ++lf;
                if (carry.empty()) {
                    go = f(std::string_view(p, lf - p));
                } else {
                    carry.append(p, lf);
                    go = f(std::string_view(carry));
                    carry.clear();
                }
                p = lf;
            }
        });
        pos = to;
    }
    if (go) f(std::string_view(carry));  // the last line, which has no line break
}

}  // namespace

// Counts the bytes lexed against a budget.
class LineStates::Meter {
public:
    explicit Meter(const LexBudget& budget) : budget_(budget) {}

    // Counts bytes lexed; false once the budget is spent.
    bool spend(std::size_t bytes) {
        spent_ += static_cast<std::int64_t>(bytes);
        sinceClock_ += bytes;
        if (spent_ >= budget_.bytes) spentOut_ = true;
        if (!spentOut_ && sinceClock_ >= kSliceBytes) {
            sinceClock_ = 0;
            if (budget_.deadline != LexBudget::Clock::time_point::max() && LexBudget::Clock::now() >= budget_.deadline)
                spentOut_ = true;
        }
        return !spentOut_;
    }
    bool spentOut() const { return spentOut_; }

    // Lexes line up to limit, or as far as the budget goes; true at limit.
    bool lexWithin(LineLexer& lexer, std::string_view line, RunCollector* runs, std::size_t limit) {
        while (lexer.position() < limit) {
            const std::size_t before = lexer.position();
            lexer.lexTo(line, std::min(limit, before + kSliceBytes), runs);
            if (!spend(lexer.position() - before) && lexer.position() < limit) return false;
        }
        return true;
    }

private:
    LexBudget budget_;
    std::int64_t spent_ = 0;
    std::size_t sinceClock_ = 0;
    bool spentOut_ = false;
};

LineStates::LineStates(EditControl& control, SyntaxLanguage language) : control_(control), language_(language) {
    restart();
    control_.addObserver(*this);
}

LineStates::~LineStates() { control_.removeObserver(*this); }

void LineStates::setLanguage(SyntaxLanguage language) {
    if (language == language_) return;
    language_ = language;
    restart();
}

void LineStates::restart() {
    const PackedLexState first = pack(initialState(language_));
    states_.assign(std::span<const PackedLexState>(&first, 1));
    known_ = 1;
    pendingLine_.reset();
    runsCursor_.reset();
    lastSpan_ = {};
}

void LineStates::onTextReset() { restart(); }

// The lines before the edited one keep their states; the edited line's next
// line may start otherwise now, so its stored state is marked, and lines
// the edit brought get marked places, so that the stored states of the
// lines after them stay in line with their lines.
void LineStates::onChange(const TextChange& change) {
    pendingLine_.reset();
    runsCursor_.reset();
    lastSpan_ = {};
    const int first = control_.textLineFromChar(change.position);
    const int breaks = static_cast<int>(std::count(change.text.begin(), change.text.end(), '\n'));
    known_ = std::min(known_, first + 1);
    const int stored = states_.size();
    if (first + 1 >= stored) return;
    if (change.kind == TextChange::Kind::Insertion) {
        if (breaks > 0) {
            PackedLexState unknown;
            unknown.setMarked(true);
            const std::vector<PackedLexState> places(breaks, unknown);
            states_.insert(first + 1, places);
        }
        mark(first + 1 + breaks);
    } else {
        states_.erase(first + 1, std::min(breaks, stored - first - 1));
        mark(first + 1);
    }
}

void LineStates::mark(int line) {
    if (line < states_.size()) states_.modify(line, line + 1, [](PackedLexState& s) { s.setMarked(true); });
}

bool LineStates::reach(int line, const LexBudget& budget) {
    Meter meter(budget);
    return reach(line, meter);
}

bool LineStates::reach(int line, Meter& meter) {
    const int target = std::clamp(line, 0, control_.textLineCount() - 1);
    while (known_ <= target) {
        // Stepping over states that still hold costs no budget.
        skipConsistent(target);
        if (known_ > target) return true;
        if (meter.spentOut()) return false;
        relex(target, meter);
    }
    return true;
}

void LineStates::skipConsistent(int target) {
    if (known_ >= states_.size()) return;
    const int firstMarked = states_.find(0, states_.prefix(known_)[0]).index;
    known_ = std::max(known_, std::min(firstMarked, target + 1));
}

void LineStates::relex(int target, Meter& meter) {
    int line = known_ - 1;
    LexState state = unpack(states_[line]);
    // States of lines never lexed before go to the blocks in batches.
    std::vector<PackedLexState>& appended = appended_;
    auto flush = [&] {
        states_.insert(states_.size(), appended);
        appended.clear();
    };
    forEachTextLine(control_, control_.textLineIndex(line), scratch_, [&](std::string_view bytes) {
        LineLexer lexer(state);
        if (pendingLine_ && pendingLine_->line == line) lexer = pendingLine_->lexer;
        pendingLine_.reset();
        if (!meter.lexWithin(lexer, bytes, nullptr, bytes.size())) {
            pendingLine_ = Resume{line, lexer, 0, {}};
            return false;
        }
        state = lexer.state();
        ++line;
        bool converged = false;
        if (line < states_.size()) {
            converged = store(line, pack(state));
        } else {
            appended.push_back(pack(state));
            if (appended.size() == kAppendBatch) flush();
        }
        known_ = line + 1;
        return !converged && known_ <= target && !meter.spentOut();
    });
    flush();
}

bool LineStates::store(int line, const PackedLexState& state) {
    const PackedLexState old = states_[line];
    if (old.sameState(state)) {
        if (old.marked()) states_.set(line, state);
        return true;
    }
    states_.set(line, state);
    mark(line + 1);
    return false;
}

LexState LineStates::stateAt(int line) {
    reach(line);
    return unpack(states_[std::clamp(line, 0, control_.textLineCount() - 1)]);
}

bool LineStates::runs(int line, std::vector<StyleRun>& out, int from, int to, const LexBudget& budget) {
    out.clear();
    Meter meter(budget);
    line = std::clamp(line, 0, control_.textLineCount() - 1);
    if (!reach(line, meter)) return false;
    const LineSpan span = lineSpan(line);
    const int start = span.start;
    const int end = span.end;
    from = std::max(from, start);
    to = std::min(to, end);
    if (from >= to) return true;

    Resume resume{line, LineLexer(unpack(states_[line])), from, {}};
    if (runsCursor_ && runsCursor_->line == line && runsCursor_->tailStart <= from) resume = std::move(*runsCursor_);
    runsCursor_.reset();
    RunCollector collect(out, start, from, INT_MAX);
    for (const StyleRun& run : resume.tail) collect.add(run.start - start, run.end() - start, run.style);

    const std::string_view bytes = span.data ? std::string_view(span.data, end - start) : lineBytes(start, end);
    if (!meter.lexWithin(resume.lexer, bytes, &collect, static_cast<std::size_t>(to - start))) {
        resume.tailStart = from;
        resume.tail = std::move(out);
        out.clear();
        runsCursor_ = std::move(resume);
        return false;
    }
    // What was lexed past `to` is kept for the next part of the line.
    resume.tailStart = to;
    resume.tail.clear();
    while (!out.empty() && out.back().end() > to) {
        StyleRun& last = out.back();
        const int cut = std::max(last.start, to);
        resume.tail.insert(resume.tail.begin(), StyleRun{cut, last.end() - cut, last.style});
        last.length = cut - last.start;
        if (last.length == 0) out.pop_back();
    }
    runsCursor_ = std::move(resume);
    return true;
}

// A painter asks for the lines of a screen in a row: the next line starts
// where the last one ended, and a short line's end is found faster by its
// LF than by the line index.
LineStates::LineSpan LineStates::lineSpan(int line) {
    if (line == lastSpan_.line) return lastSpan_;  // its bytes are found afresh
    const int lines = control_.textLineCount();
    const int length = control_.length();
    LineSpan span{line, line == lastSpan_.line + 1 ? lastSpan_.end : control_.textLineIndex(line), -1, nullptr};
    // The first piece of memory the line lies in; the whole line, when it
    // holds the line's LF or the text's end.
    const int window = std::min(length, span.start + kShortLine);
    bool first = true;
    control_.forEachSpan(span.start, window, [&](const char* data, int n) {
        const bool isFirst = std::exchange(first, false);
        if (!isFirst) return;
        const void* lf = line + 1 < lines ? std::memchr(data, '\n', n) : nullptr;
        if (lf) {
            span.end = span.start + static_cast<int>(static_cast<const char*>(lf) - data) + 1;
        } else if (line + 1 == lines && span.start + n == length) {
            span.end = length;
        }
        if (span.end >= 0) span.data = data;
    });
    if (span.end < 0) span.end = line + 1 < lines ? control_.textLineIndex(line + 1) : length;
    // Only offsets are kept: lock() may move the text's bytes without an edit.
    lastSpan_ = span;
    lastSpan_.data = nullptr;
    return span;
}

std::string_view LineStates::lineBytes(int start, int end) {
    const char* data = nullptr;
    int pieces = 0;
    control_.forEachSpan(start, end, [&](const char* d, int) {
        if (pieces++ == 0) data = d;
    });
    if (pieces <= 1) return std::string_view(data, data ? end - start : 0);
    scratch_ = control_.copyRange(start, end);
    return scratch_;
}

}  // namespace tagloom
