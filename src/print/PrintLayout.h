#pragma once
// The lay-out step of printing: the text placed line by line in the printing
// font. A line of the text ends at its LF (CR LF and the bookmark form
// CR CR LF are one line break); an empty line still takes a printed line.
// Tabs stop every tab width from the line's left end. With wrap, a line
// wider than the rectangle breaks after the last blank that fits, or inside
// a word when none does, and the blanks that start the continuation are
// skipped; without wrap, each line is one printed line cut at the right edge.
// Characters show as the editor shows them (see textmodel/TextUnit.h).
#include <array>
#include <string_view>
#include <vector>

#include "textmodel/EditControl.h"
#include "textmodel/TextMetrics.h"
#include "textmodel/TextUnit.h"

namespace tagloom {

// One printed line: the bytes [start, end) are placed on it, and the next
// printed line starts at `next`.
struct PrintedLine {
    int start = 0;
    int end = 0;
    int next = 0;
};

class PrintLayout {
public:
    // `text` and `metrics` must outlive the layout; a tab width below 1 pixel counts as 1.
    PrintLayout(std::string_view text, const TextMetrics& metrics, int tabWidth, bool wrap);

    // The printed line that starts at `start` in a rectangle `width` pixels
    // wide, placing nothing at or after `stop`. With wrap at least one
    // character is placed, so a narrow rectangle still makes progress.
    PrintedLine lineAt(int start, int stop, int width) const;

    // The characters of a printed line, x counted from `left`.
    void characters(const PrintedLine& line, int left, std::vector<VisibleChar>& out) const;
    // Pixel width of a printed line.
    int width(const PrintedLine& line) const;

    int length() const { return static_cast<int>(text_.size()); }

private:
    struct Unit {
        TextUnit unit;
        int width = 0;
    };
    Unit unitAt(int pos, int end, int x) const;
    // The first byte at or after pos, before end, that is not a blank.
    int skipBlanks(int pos, int end) const;

    std::string_view text_;
    const TextMetrics& metrics_;
    int tabWidth_;
    bool wrap_;
    std::array<int, 128> asciiWidths_{};
};

}  // namespace tagloom
