#pragma once
// Where the lines of the text begin. A line ends just after an LF, so CR LF
// and the bookmark form CR CR LF end a line at their LF and a CR on its own is
// an ordinary byte. The index keeps each line's length in bytes (its LF
// included) in TextBlocks, so an edit changes a few entries and never shifts
// the starts of the lines after it. A length takes two bytes: a line longer
// than a part holds is kept as several parts, the last one marked, so the
// index of 30 M lines takes 60 MB, not the 120 MB of whole ints.
#include "textmodel/TextBlocks.h"

#include <cstdint>
#include <string_view>

namespace tagloom {

class TextBuffer;

class TextLines {
public:
    // An edit replaced lines [first, first + removed] by lines
    // [first, first + added]; line `first` is always among the changed ones.
    struct Edit {
        int first = 0;
        int removed = 0;
        int added = 0;
    };
    // A line: its number, first byte and length with its line break.
    struct Located {
        int line = 0;
        int start = 0;
        int length = 0;
        int end() const { return start + length; }
    };

    TextLines();

    void build(const TextBuffer& text);

    int count() const { return parts_.total()[kLines]; }
    int start(int line) const;
    // Bytes of the line with its line break.
    int length(int line) const { return end(line) - start(line); }
    int end(int line) const;
    Located at(int line) const;
    // The line that holds offset; the end of the text lies in the last line.
    Located locate(int offset) const;
    // Where the line's characters end: before its LF and the one or two CRs
    // (CR LF, bookmark CR CR LF) that form its line break.
    int contentEnd(const TextBuffer& text, const Located& line) const;
    int contentEnd(const TextBuffer& text, int line) const { return contentEnd(text, at(line)); }
    // The same for a line's `length` bytes read with byteAt(i): how many of
    // them end it, none for the last line of the text.
    template <class ByteAt>
    static int breakLength(int length, bool lastLine, ByteAt&& byteAt) {
        if (lastLine) return 0;
        int n = 1;
        while (n < 3 && n < length && byteAt(length - n - 1) == '\r') ++n;
        return n;
    }

    // Calls f(line, length) for the lines from `from` on while it returns true.
    template <class F>
    void visit(int from, F&& f) const {
        int line = from;
        int length = 0;
        parts_.visit(firstPart(from), [&](int, Part part) {
            length += part & kPartBytes;
            if (!(part & kLastPart)) return true;
            const bool more = f(line, length);
            ++line;
            length = 0;
            return more;
        });
    }

    Edit inserted(int pos, std::string_view text);
    Edit erased(int pos, int count);

    std::size_t memoryUsage() const { return parts_.memoryUsage(); }

private:
    // Up to kPartBytes bytes of a line; kLastPart marks the part that ends it.
    using Part = std::uint16_t;
    static constexpr int kPartBytes = 0x7FFF;
    static constexpr Part kLastPart = 0x8000;
    struct PartTraits {
        static constexpr int kWeights = 2;   // bytes, lines ended
        static std::array<int, 2> weights(Part part) { return {part & kPartBytes, part >> 15}; }
    };
    enum : int { kBytes = 0, kLines = 1 };
    // A part with its index and its first byte's offset.
    struct PlacedPart {
        int index;
        int start;
        int linesBefore;
        Part part;
    };

    // Hands push the parts of `bytes` bytes of a line, the last one marked
    // when they end it.
    template <class Push>
    static void pushParts(Push&& push, int bytes, bool ending);
    int firstPart(int line) const { return line == 0 ? 0 : parts_.find(kLines, line - 1).index + 1; }
    // The part that holds the byte at pos, or the last part at the end of the text.
    PlacedPart partAt(int pos) const;
    void replaceParts(int index, int count, std::span<const Part> parts);

    TextBlocks<Part, PartTraits> parts_;
};

}  // namespace tagloom
