#pragma once
// Where the lines of the text begin. A line ends just after an LF, so CR LF
// and the bookmark form CR CR LF end a line at their LF and a CR on its own is
// an ordinary byte. The index keeps each line's length in bytes (its LF
// included) in TextBlocks, so an edit changes a few entries and never shifts
// the starts of the lines after it.
#include "textmodel/TextBlocks.h"

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

    int count() const { return lengths_.size(); }
    int start(int line) const { return lengths_.prefix(line)[0]; }
    // Bytes of the line with its line break.
    int length(int line) const { return lengths_[line]; }
    int end(int line) const { return start(line) + length(line); }
    Located at(int line) const;
    // The line that holds offset; the end of the text lies in the last line.
    Located locate(int offset) const;
    // Where the line's characters end: before its LF and the one or two CRs
    // (CR LF, bookmark CR CR LF) that form its line break.
    int contentEnd(const TextBuffer& text, const Located& line) const;
    int contentEnd(const TextBuffer& text, int line) const { return contentEnd(text, at(line)); }

    // Calls f(line, length) for the lines from `from` on while it returns true.
    template <class F>
    void visit(int from, F&& f) const {
        lengths_.visit(from, f);
    }

    Edit inserted(int pos, std::string_view text);
    Edit erased(int pos, int count);

    std::size_t memoryUsage() const { return lengths_.memoryUsage(); }

private:
    struct LengthTraits {
        static constexpr int kWeights = 1;
        static std::array<int, 1> weights(int length) { return {length}; }
    };
    TextBlocks<int, LengthTraits> lengths_;
};

}  // namespace tagloom
