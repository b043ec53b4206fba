#pragma once
// Small rules of the editor view that need no window: the zoom steps, the
// colours read from a selected text, and the texts of the status-bar
// indicators.
#include <optional>
#include <string>
#include <string_view>

namespace tagloom {

// The point sizes that Zoom In and Zoom Out step through.
constexpr int ZoomSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30, 36, 42, 48};

// The next larger / smaller size of the table; nothing at its ends. A size
// that is not in the table moves to its neighbour.
std::optional<int> zoomInSize(int pointSize);
std::optional<int> zoomOutSize(int pointSize);

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The colour a selected text names: one of the colour names, "#rrggbb",
// "#rgb", "rgb( r%, g%, b%)" or "rgb( r, g, b)", after lower-casing and
// trimming; nothing when it names none or a value exceeds 255.
std::optional<Rgb> colorFromText(std::string_view selected);
// "#rrggbb" in lower-case hexadecimal.
std::string colorText(const Rgb& color);

// The line-and-column indicator for a caret on line `line` (1-based) at
// column `column` (1-based): "\tLn %d, Col %d".
std::string lnColText(int line, int column);

}  // namespace tagloom
