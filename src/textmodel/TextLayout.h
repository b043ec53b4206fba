#pragma once
// Display lines and the x position of each character. Without word wrap a
// display line is a whole line of the text; with word wrap a line is broken
// where its next character would pass the wrap width, after the last blank
// (space or tab) before that point when there is one, else before that
// character. Blanks never break a line: they hang past the edge.
//
// Everything is computed on demand and kept only where it is dear to compute
// again. With wrap, the number of display lines of each line is kept in
// DisplayCounts, unknown until a query needs it; a line whose bytes are
// seen to fit the width in one quick pass over them takes one display line
// without being laid out. Lines longer than
// kLongLine bytes (a minified page on one line) keep their wrap points, or
// without wrap an x mark every few thousand bytes, in a small cache that an
// edit updates in place: a keystroke re-wraps the display lines around it and
// stops where the old wrap points line up again.
#include "textmodel/DisplayCounts.h"
#include "textmodel/TextLines.h"
#include "textmodel/TextUnit.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tagloom {

class TextBuffer;
class TextMetrics;

// One display line.
struct DisplayLine {
    int index = 0;   // display line number
    int line = 0;    // line of the text it belongs to
    int start = 0;   // its first byte
    int end = 0;     // where its characters end: the next part's start, or the line break
    int next = 0;    // where the next display line starts
    bool wrapped = false;   // the line of the text goes on in the next display line
};

// A displayed character at its place in a display line.
struct PlacedUnit {
    int offset = 0;
    TextUnit unit;
    std::int64_t x = 0;   // from the display line's left end
    int width = 0;
};

class TextLayout {
public:
    static constexpr int kLongLine = 4096;

    TextLayout(const TextBuffer& text, const TextLines& lines);

    // The metrics must outlive their use here; tabWidth >= 1 pixel.
    void setMetrics(const TextMetrics& metrics, int tabWidth);
    // Metrics that measure like the ones in use (TextMetrics::measuresLike)
    // take their place; the layout holds.
    void replaceMetrics(const TextMetrics& alike) { metrics_ = &alike; }
    void setWrap(bool wrap, int width);

    // Text changes, told after TextBuffer and TextLines have changed: the
    // whole text replaced, or an edit at pos that inserted `inserted` bytes
    // and removed `removed` bytes within the lines that TextLines reports.
    void textReset();
    void edited(const TextLines::Edit& edit, int pos, int inserted, int removed);

    int displayLineCount();
    bool hasDisplayLine(int index);
    DisplayLine displayLine(int index);
    DisplayLine displayLineAt(int offset);
    // Display lines in a line of the text, when already known (else -1).
    int knownDisplayCount(int line) const;

    // x of the stop at or before offset, from the display line's left end.
    std::int64_t xOf(const DisplayLine& row, int offset);
    // The stop nearest to x; on a wrapped part never its end, which belongs
    // to the next display line.
    int offsetAt(const DisplayLine& row, std::int64_t x);
    std::int64_t width(const DisplayLine& row);
    // The characters of a display line that overlap [xFrom, xTo).
    void units(const DisplayLine& row, std::int64_t xFrom, std::int64_t xTo, std::vector<PlacedUnit>& out);

    std::size_t memoryUsage() const;

private:
    struct LineSpan {
        int line;
        int start;
        int end;    // where its characters end
        int next;   // after its line break
    };
    // What is kept of a long line. With wrap: the starts of its display lines
    // after the first, relative to the line's start; when not complete, the
    // display line at the last start has not been measured yet. Without wrap:
    // x marks (relative offset, x), `complete` once they reach the line's end.
    struct LongLine {
        int line = 0;
        std::uint64_t lastUse = 0;
        bool complete = false;
        std::vector<int> starts;
        std::vector<std::int64_t> xs;
    };
    LineSpan lineSpan(int line) const;
    LineSpan lineSpan(const TextLines::Located& line) const;
    int unitWidth(const TextUnit& unit, unsigned char byte, std::int64_t x) const {
        if (unit.length == 1 && unit.kind != UnitKind::Tab) return byteWidths_[byte];
        return tabOrWideWidth(unit, x);
    }
    int tabOrWideWidth(const TextUnit& unit, std::int64_t x) const;
    // The width of a character of two UTF-8 bytes, asked of the metrics once.
    int twoByteWidth(char32_t codePoint) const;
    int wrapAfter(int start, int end) const;
    // x at the stop at or before `to`, walking from the stop `from` at x.
    std::int64_t advance(int from, std::int64_t x, int to, int end) const;

    LongLine& longLine(int line);
    LongLine* findLongLine(int line);
    // Wrap points of the line, measured at least past rel offset `until` or
    // up to display line `segments`; for a short line measured whole.
    const std::vector<int>& wrapStarts(const LineSpan& span, int until, int segments);
    void measureWrap(LongLine& entry, const LineSpan& span, int until, int segments);
    void rewrap(LongLine& entry, const LineSpan& span, int pos, int inserted, int removed);
    int countDisplayLines(const LineSpan& span);
    // Whether a line's characters, the `length` bytes at `bytes`, fit the wrap
    // width whole (then it is one display line); false also when it takes a
    // layout to tell.
    bool fitsWhole(const char* bytes, int length) const;
    // Display lines of lines [from, to), appended to counts: the pieces are
    // read in order, each line measured only when it may wrap; a long line
    // only when measureLong, else its count is unknown.
    void countLines(int from, int to, bool measureLong, std::vector<int>& counts);
    // The x mark (relative offset, x) at or before a relative offset, or at
    // or before an x; marks are measured as far as the question needs.
    std::pair<int, std::int64_t> markAtOffset(const LineSpan& span, int offset);
    std::pair<int, std::int64_t> markAtX(const LineSpan& span, std::int64_t x);
    // Where a walk along a display line towards x starts: the line's start, or
    // on a long line without wrap the last x mark before x.
    std::pair<int, std::int64_t> walkStartAt(const DisplayLine& row, std::int64_t x);
    template <class Enough>
    LongLine& measureMarks(const LineSpan& span, Enough&& enough);
    bool isLong(const LineSpan& span) const { return span.next - span.start > kLongLine; }

    void resetDisplayCounts();
    void resolve(int from, int to);
    void resolveBefore(int line);
    DisplayCounts::Found locateDisplay(int index);
    DisplayLine makeDisplayLine(const LineSpan& span, int index, int segment);

    const TextBuffer& text_;
    const TextLines& lines_;
    const TextMetrics* metrics_ = nullptr;
    int tabWidth_ = 1;
    bool wrap_ = false;
    int wrapWidth_ = 0;
    std::array<int, 256> byteWidths_{};
    // The width of every printable ASCII character when they are all alike, else -1.
    int asciiWidth_ = -1;
    mutable std::array<int, 0x800> twoByteWidths_{};
    DisplayCounts displays_;
    std::vector<LongLine> longLines_;
    std::uint64_t useClock_ = 0;
    std::vector<int> shortStarts_;
    std::vector<int> lengths_;   // countLines' line lengths
};

}  // namespace tagloom
