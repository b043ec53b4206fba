#include "textmodel/TextLayout.h"

#include "textmodel/ByteScan.h"
#include "textmodel/TextBuffer.h"
#include "textmodel/TextMetrics.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace tagloom {

namespace {

constexpr std::size_t kMaxLongLines = 64;
// Without wrap, a long line keeps its x every this many bytes.
constexpr int kMarkSpacing = 2048;
// An edit re-wraps at most this many display lines of a long line at once;
// the rest is measured again when it is asked for.
constexpr int kRewrapBudget = 256;
constexpr int kResolveBatch = 1 << 16;
constexpr int kNoLimit = INT_MAX;

// Decodes the units between pos and end in order, straight from the pieces.
class UnitReader {
public:
    UnitReader(const TextBuffer& text, int pos, int end) : text_(text), pos_(pos), end_(end) {}

    int pos() const { return pos_; }
    bool atEnd() const { return pos_ >= end_; }

    TextUnit next(unsigned char& firstByte) {
        if (pos_ >= spanEnd_) load();
        const unsigned char* p = data_ + (pos_ - spanStart_);
        firstByte = *p;
        if (firstByte < 0x80) {
            ++pos_;
            return decodeUnit(p, 1);
        }
        return nextNonAscii(p);
    }

private:
    [[gnu::noinline]] TextUnit nextNonAscii(const unsigned char* p) {
        int available = spanEnd_ - pos_;
        TextUnit unit;
        if (available >= 4 || spanEnd_ == end_) {
            unit = decodeUnit(p, available);
        } else {
            // A sequence that may run on into the next piece.
            unsigned char bytes[4];
            int n = std::min(4, end_ - pos_);
            TextBuffer::Cursor cursor(text_);
            for (int i = 0; i < n; ++i) bytes[i] = cursor[pos_ + i];
            unit = decodeUnit(bytes, n);
        }
        pos_ += unit.length;
        return unit;
    }

    void load() {
        if (!walker_) {
            walker_.emplace(text_, pos_);
        } else {
            while (walker_->span().start + walker_->span().length <= pos_) walker_->next();
        }
        const TextBuffer::Span& span = walker_->span();
        data_ = reinterpret_cast<const unsigned char*>(span.data);
        spanStart_ = span.start;
        spanEnd_ = std::min(span.start + span.length, end_);
    }

    const TextBuffer& text_;
    int pos_;
    int end_;
    std::optional<TextBuffer::SpanWalker> walker_;
    const unsigned char* data_ = nullptr;
    int spanStart_ = 0;
    int spanEnd_ = 0;
};

bool isBlank(const TextUnit& unit) { return unit.kind == UnitKind::Tab || unit.codePoint == ' '; }

}  // namespace

TextLayout::TextLayout(const TextBuffer& text, const TextLines& lines) : text_(text), lines_(lines) {}

void TextLayout::setMetrics(const TextMetrics& metrics, int tabWidth) {
    metrics_ = &metrics;
    tabWidth_ = std::max(1, tabWidth);
    for (int b = 0; b < 256; ++b) {
        unsigned char byte = static_cast<unsigned char>(b);
        byteWidths_[b] = std::max(0, metrics.charWidth(decodeUnit(&byte, 1).codePoint));
    }
    const bool alike = std::all_of(byteWidths_.begin() + 0x20, byteWidths_.begin() + 0x7F,
                                   [this](int width) { return width == byteWidths_[0x20]; });
    asciiWidth_ = alike ? byteWidths_[0x20] : -1;
    twoByteWidths_.fill(-1);
    textReset();
}

void TextLayout::setWrap(bool wrap, int width) {
    if (wrap == wrap_ && (!wrap || width == wrapWidth_)) return;
    wrap_ = wrap;
    wrapWidth_ = width;
    textReset();
}

void TextLayout::textReset() {
    longLines_.clear();
    resetDisplayCounts();
}

void TextLayout::resetDisplayCounts() { displays_.reset(wrap_ ? lines_.count() : 0); }

TextLayout::LineSpan TextLayout::lineSpan(int line) const {
    return lineSpan(lines_.at(line));
}

TextLayout::LineSpan TextLayout::lineSpan(const TextLines::Located& line) const {
    return LineSpan{line.line, line.start, lines_.contentEnd(text_, line), line.end()};
}

int TextLayout::twoByteWidth(char32_t codePoint) const {
    int& width = twoByteWidths_[codePoint];
    if (width < 0) width = std::max(0, metrics_->charWidth(codePoint));
    return width;
}

int TextLayout::tabOrWideWidth(const TextUnit& unit, std::int64_t x) const {
    if (unit.kind == UnitKind::Tab) return tabWidth_ - static_cast<int>(x % tabWidth_);
    return std::max(0, metrics_->charWidth(unit.codePoint));
}

int TextLayout::wrapAfter(int start, int end) const {
    UnitReader reader(text_, start, end);
    std::int64_t x = 0;
    int breakAfterBlank = -1;
    while (!reader.atEnd()) {
        int at = reader.pos();
        unsigned char byte;
        TextUnit unit = reader.next(byte);
        int w = unitWidth(unit, byte, x);
        if (isBlank(unit)) {
            x += w;
            breakAfterBlank = reader.pos();
            continue;
        }
        if (x + w > wrapWidth_ && at > start) return breakAfterBlank >= 0 ? breakAfterBlank : at;
        x += w;
    }
    return end;
}

std::int64_t TextLayout::advance(int from, std::int64_t x, int to, int end) const {
    UnitReader reader(text_, from, end);
    while (reader.pos() < to && !reader.atEnd()) {
        unsigned char byte;
        TextUnit unit = reader.next(byte);
        if (reader.pos() > to) break;
        x += unitWidth(unit, byte, x);
    }
    return x;
}

TextLayout::LongLine* TextLayout::findLongLine(int line) {
    for (LongLine& entry : longLines_) {
        if (entry.line == line) {
            entry.lastUse = ++useClock_;
            return &entry;
        }
    }
    return nullptr;
}

TextLayout::LongLine& TextLayout::longLine(int line) {
    if (LongLine* entry = findLongLine(line)) return *entry;
    if (longLines_.size() >= kMaxLongLines) {
        auto oldest = std::min_element(longLines_.begin(), longLines_.end(),
                                       [](const LongLine& a, const LongLine& b) { return a.lastUse < b.lastUse; });
        longLines_.erase(oldest);
    }
    LongLine entry;
    entry.line = line;
    entry.lastUse = ++useClock_;
    longLines_.push_back(std::move(entry));
    return longLines_.back();
}

// ---- wrap points ----

const std::vector<int>& TextLayout::wrapStarts(const LineSpan& span, int until, int segments) {
    if (!isLong(span)) {
        shortStarts_.clear();
        for (int pos = span.start;;) {
            int next = wrapAfter(pos, span.end);
            if (next >= span.end) break;
            shortStarts_.push_back(next - span.start);
            pos = next;
        }
        return shortStarts_;
    }
    LongLine& entry = longLine(span.line);
    measureWrap(entry, span, until, segments);
    return entry.starts;
}

void TextLayout::measureWrap(LongLine& entry, const LineSpan& span, int until, int segments) {
    while (!entry.complete) {
        int last = entry.starts.empty() ? 0 : entry.starts.back();
        if (last > until && static_cast<int>(entry.starts.size()) >= segments) break;
        int next = wrapAfter(span.start + last, span.end) - span.start;
        if (next >= span.end - span.start) {
            entry.complete = true;
        } else {
            entry.starts.push_back(next);
        }
    }
}

void TextLayout::rewrap(LongLine& entry, const LineSpan& span, int pos, int inserted, int removed) {
    std::vector<int>& starts = entry.starts;
    int editAt = pos - span.start;
    int delta = inserted - removed;
    int oldEditEnd = editAt + removed;
    bool oldComplete = entry.complete;
    int oldLast = starts.empty() ? 0 : starts.back();
    // Where measuring had stopped, in the new text.
    int frontier = oldLast < editAt ? oldLast : (oldLast >= oldEditEnd ? oldLast + delta : editAt);

    // A display line's break depends on its text up to the first character
    // that did not fit, which can lie two display lines on: re-wrap from two
    // display lines before the one holding the edit (or a sequence it joined).
    std::size_t first = std::upper_bound(starts.begin(), starts.end(), editAt - 3) - starts.begin();
    first = first >= 2 ? first - 2 : 0;
    std::vector<int> fresh;
    auto keepFresh = [&](bool complete) {
        starts.resize(first);
        starts.insert(starts.end(), fresh.begin(), fresh.end());
        entry.complete = complete;
    };
    int at = first == 0 ? 0 : starts[first - 1];
    std::size_t old = first;
    for (int budget = kRewrapBudget; budget > 0; --budget) {
        if (!oldComplete && at >= frontier) return keepFresh(false);
        int next = wrapAfter(span.start + at, span.end) - span.start;
        if (next >= span.end - span.start) return keepFresh(true);
        fresh.push_back(next);
        while (old < starts.size() && (starts[old] < oldEditEnd || starts[old] + delta < next)) ++old;
        if (old < starts.size() && starts[old] + delta == next) {
            // Same text from here on: the old wrap points follow, shifted.
            for (std::size_t i = old + 1; i < starts.size(); ++i) starts[i] += delta;
            starts.erase(starts.begin() + static_cast<std::ptrdiff_t>(first), starts.begin() + static_cast<std::ptrdiff_t>(old) + 1);
            starts.insert(starts.begin() + static_cast<std::ptrdiff_t>(first), fresh.begin(), fresh.end());
            return;
        }
        at = next;
    }
    keepFresh(false);
}

int TextLayout::countDisplayLines(const LineSpan& span) {
    return 1 + static_cast<int>(wrapStarts(span, kNoLimit, 0).size());
}

// The widths add up to at most the wrap width: no character can pass it, so
// wrapAfter would find no break. Runs of printable ASCII are found sixteen
// bytes at a time and count by their length where those characters are all
// one width, as in a fixed-pitch font.
bool TextLayout::fitsWhole(const char* bytes, int length) const {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const auto* end = p + length;
    std::int64_t x = 0;
    while (p < end) {
        if (asciiWidth_ >= 0) {
            const std::size_t plain =
                bytescan::printablePrefix(reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p));
            x += static_cast<std::int64_t>(plain) * asciiWidth_;
            p += plain;
            if (x > wrapWidth_) return false;
            if (p == end) return true;
        }
        if (end - p >= 2 && p[0] >= 0xC2 && p[0] <= 0xDF && (p[1] & 0xC0) == 0x80) {
            x += twoByteWidth(static_cast<char32_t>((p[0] & 0x1F) << 6 | (p[1] & 0x3F)));
            p += 2;
        } else {
            const TextUnit unit = decodeUnit(p, static_cast<int>(end - p));
            x += unitWidth(unit, *p, x);
            p += unit.length;
        }
        if (x > wrapWidth_) return false;
    }
    return true;
}

void TextLayout::countLines(int from, int to, bool measureLong, std::vector<int>& counts) {
    const int lastLine = lines_.count() - 1;
    lengths_.clear();
    lines_.visit(from, [&](int line, int length) {
        if (line >= to) return false;
        lengths_.push_back(length);
        return true;
    });
    int start = lines_.start(from);
    std::optional<TextBuffer::SpanWalker> pieces;
    const char* piece = nullptr;  // the bytes of the piece that holds start, from pieceStart to pieceEnd
    int pieceStart = 0, pieceEnd = 0;
    for (std::size_t k = 0; k < lengths_.size(); ++k) {
        const int line = from + static_cast<int>(k);
        const int length = lengths_[k];
        const TextLines::Located located{line, start, length};
        start += length;
        if (length > kLongLine) {
            counts.push_back(measureLong ? countDisplayLines(lineSpan(located)) : DisplayCounts::kUnknown);
            continue;
        }
        if (length == 0) {
            counts.push_back(1);
            continue;
        }
        if (located.start >= pieceEnd) {
            if (!pieces) pieces.emplace(text_, located.start);
            while (pieces->span().start + pieces->span().length <= located.start) pieces->next();
            piece = pieces->span().data;
            pieceStart = pieces->span().start;
            pieceEnd = pieceStart + pieces->span().length;
        }
        if (located.end() <= pieceEnd) {
            const char* bytes = piece + (located.start - pieceStart);
            const int characters =
                length - TextLines::breakLength(length, line == lastLine, [bytes](int i) { return bytes[i]; });
            if (fitsWhole(bytes, characters)) {
                counts.push_back(1);
                continue;
            }
        }
        counts.push_back(countDisplayLines(lineSpan(located)));
    }
}

// ---- x marks of long lines without wrap ----

template <class Enough>
TextLayout::LongLine& TextLayout::measureMarks(const LineSpan& span, Enough&& enough) {
    LongLine& entry = longLine(span.line);
    while (!entry.complete) {
        int lastOffset = entry.starts.empty() ? 0 : entry.starts.back();
        std::int64_t lastX = entry.xs.empty() ? 0 : entry.xs.back();
        if (enough(lastOffset, lastX)) break;
        UnitReader reader(text_, span.start + lastOffset, span.end);
        int stop = span.start + lastOffset + kMarkSpacing;
        std::int64_t x = lastX;
        while (!reader.atEnd() && reader.pos() < stop) {
            unsigned char byte;
            TextUnit unit = reader.next(byte);
            x += unitWidth(unit, byte, x);
        }
        if (reader.atEnd()) {
            entry.complete = true;
        } else {
            entry.starts.push_back(reader.pos() - span.start);
            entry.xs.push_back(x);
        }
    }
    return entry;
}

std::pair<int, std::int64_t> TextLayout::markAtOffset(const LineSpan& span, int offset) {
    LongLine& entry = measureMarks(span, [&](int last, std::int64_t) { return last + kMarkSpacing > offset; });
    auto it = std::upper_bound(entry.starts.begin(), entry.starts.end(), offset);
    if (it == entry.starts.begin()) return {0, 0};
    std::size_t i = static_cast<std::size_t>(it - entry.starts.begin()) - 1;
    return {entry.starts[i], entry.xs[i]};
}

std::pair<int, std::int64_t> TextLayout::markAtX(const LineSpan& span, std::int64_t x) {
    LongLine& entry = measureMarks(span, [&](int, std::int64_t lastX) { return lastX > x; });
    auto it = std::upper_bound(entry.xs.begin(), entry.xs.end(), x);
    if (it == entry.xs.begin()) return {0, 0};
    std::size_t i = static_cast<std::size_t>(it - entry.xs.begin()) - 1;
    return {entry.starts[i], entry.xs[i]};
}

// ---- edits ----

void TextLayout::edited(const TextLines::Edit& edit, int pos, int inserted, int removed) {
    int lastOld = edit.first + edit.removed;
    int shift = edit.added - edit.removed;
    std::erase_if(longLines_, [&](const LongLine& e) { return e.line > edit.first && e.line <= lastOld; });
    for (LongLine& entry : longLines_) {
        if (entry.line > lastOld) entry.line += shift;
    }
    LongLine* entry = findLongLine(edit.first);
    if (!wrap_ && entry == nullptr) return;
    LineSpan first = lineSpan(edit.first);
    if (entry != nullptr) {
        int at = pos - first.start;
        if (!wrap_) {
            // Marks before the edit keep their x; a sequence completed by the
            // edit may start up to three bytes before it.
            auto keep = std::upper_bound(entry->starts.begin(), entry->starts.end(), at - 4) - entry->starts.begin();
            entry->starts.resize(static_cast<std::size_t>(keep));
            entry->xs.resize(static_cast<std::size_t>(keep));
            entry->complete = false;
        } else if (edit.removed == 0 && edit.added == 0) {
            rewrap(*entry, first, pos, inserted, removed);
        } else {
            // The line was split or joined: keep what lies well before the edit.
            auto segment = std::upper_bound(entry->starts.begin(), entry->starts.end(), at - 3) - entry->starts.begin();
            entry->starts.resize(static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, segment - 2)));
            entry->complete = false;
        }
    }
    if (!wrap_) return;
    std::vector<int> counts;
    if (!isLong(first)) {
        counts.push_back(countDisplayLines(first));
    } else {
        counts.push_back(entry != nullptr && entry->complete ? 1 + static_cast<int>(entry->starts.size())
                                                             : DisplayCounts::kUnknown);
    }
    countLines(edit.first + 1, edit.first + edit.added + 1, false, counts);
    displays_.replace(edit.first, edit.removed + 1, counts);
}

// ---- display line numbers ----

void TextLayout::resolve(int from, int to) {
    std::vector<int> counts;
    for (int line = displays_.nextUnknown(from); line < to; line = displays_.nextUnknown(line)) {
        const int end = std::min({to, displays_.unknownRunEnd(line), line + kResolveBatch});
        counts.clear();
        countLines(line, end, true, counts);
        displays_.replace(line, end - line, counts);
        line = end;
    }
}

void TextLayout::resolveBefore(int line) {
    const int unknown = displays_.firstUnknown();
    if (unknown < line) resolve(unknown, line);
}

DisplayCounts::Found TextLayout::locateDisplay(int index) {
    for (;;) {
        const DisplayCounts::Found found = displays_.findDisplay(index);
        const int unknown = displays_.firstUnknown();
        if (found.line < unknown || unknown == displays_.lines()) return found;
        resolve(unknown, std::min(displays_.lines(), unknown + kResolveBatch));
    }
}

int TextLayout::displayLineCount() {
    if (!wrap_) return lines_.count();
    resolveBefore(displays_.lines());
    return displays_.knownTotal();
}

bool TextLayout::hasDisplayLine(int index) {
    if (index < 0) return false;
    if (!wrap_) return index < lines_.count();
    return locateDisplay(index).line < displays_.lines();
}

int TextLayout::knownDisplayCount(int line) const { return wrap_ ? displays_.count(line) : 1; }

DisplayLine TextLayout::makeDisplayLine(const LineSpan& span, int index, int segment) {
    if (!wrap_) return DisplayLine{index, span.line, span.start, span.end, span.next, false};
    const std::vector<int>& starts = wrapStarts(span, -1, segment + 1);
    int start = segment == 0 ? span.start : span.start + starts[static_cast<std::size_t>(segment - 1)];
    bool last = static_cast<int>(starts.size()) <= segment;
    int end = last ? span.end : span.start + starts[static_cast<std::size_t>(segment)];
    return DisplayLine{index, span.line, start, end, last ? span.next : end, !last};
}

DisplayLine TextLayout::displayLine(int index) {
    if (!wrap_) return makeDisplayLine(lineSpan(index), index, 0);
    const DisplayCounts::Found found = locateDisplay(index);
    return makeDisplayLine(lineSpan(found.line), index, index - found.before);
}

DisplayLine TextLayout::displayLineAt(int offset) {
    TextLines::Located at = lines_.locate(offset);
    LineSpan span = lineSpan(at);
    if (!wrap_) return makeDisplayLine(span, at.line, 0);
    resolveBefore(at.line);
    int before = displays_.knownBefore(at.line);
    int relative = std::min(offset, span.end) - span.start;
    const std::vector<int>& starts = wrapStarts(span, relative, 0);
    int segment = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), relative) - starts.begin());
    return makeDisplayLine(span, before + segment, segment);
}

// ---- x positions ----

std::int64_t TextLayout::xOf(const DisplayLine& row, int offset) {
    int target = std::clamp(offset, row.start, row.end);
    LineSpan span{row.line, row.start, row.end, row.next};
    if (!wrap_ && isLong(span)) {
        auto [markOffset, markX] = markAtOffset(span, target - row.start);
        return advance(row.start + markOffset, markX, target, row.end);
    }
    return advance(row.start, 0, target, row.end);
}

std::pair<int, std::int64_t> TextLayout::walkStartAt(const DisplayLine& row, std::int64_t x) {
    LineSpan span{row.line, row.start, row.end, row.next};
    if (wrap_ || !isLong(span)) return {row.start, 0};
    auto [markOffset, markX] = markAtX(span, x);
    return {row.start + markOffset, markX};
}

int TextLayout::offsetAt(const DisplayLine& row, std::int64_t x) {
    if (x <= 0) return row.start;
    auto [from, cx] = walkStartAt(row, x);
    UnitReader reader(text_, from, row.end);
    int lastStart = from;
    while (!reader.atEnd()) {
        int at = reader.pos();
        unsigned char byte;
        TextUnit unit = reader.next(byte);
        int w = unitWidth(unit, byte, cx);
        // A click on the left half of a character lands before it.
        if (2 * x < 2 * cx + w) return at;
        cx += w;
        lastStart = at;
    }
    return row.wrapped ? lastStart : row.end;
}

std::int64_t TextLayout::width(const DisplayLine& row) { return xOf(row, row.end); }

void TextLayout::units(const DisplayLine& row, std::int64_t xFrom, std::int64_t xTo, std::vector<PlacedUnit>& out) {
    auto [from, x] = walkStartAt(row, xFrom);
    UnitReader reader(text_, from, row.end);
    while (!reader.atEnd() && x < xTo) {
        int at = reader.pos();
        unsigned char byte;
        TextUnit unit = reader.next(byte);
        int w = unitWidth(unit, byte, x);
        if (x + w > xFrom || (w == 0 && x >= xFrom)) out.push_back(PlacedUnit{at, unit, x, w});
        x += w;
    }
}

std::size_t TextLayout::memoryUsage() const {
    std::size_t bytes = sizeof(*this) + displays_.memoryUsage() + shortStarts_.capacity() * sizeof(int);
    for (const LongLine& entry : longLines_) {
        bytes += sizeof(LongLine) + entry.starts.capacity() * sizeof(int) + entry.xs.capacity() * sizeof(std::int64_t);
    }
    return bytes;
}

}  // namespace tagloom
