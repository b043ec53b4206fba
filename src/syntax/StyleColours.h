#pragma once
// The colour of each style class, in two schemes: a light one for text on a
// light background (and on paper), a dark one for a dark background. Both
// keep the text readable beside the plain text colour of their background.
#include <cstdint>

#include "syntax/StyleRun.h"

namespace tagloom {

enum class ColourScheme { Light, Dark };

struct StyleRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const StyleRgb&) const = default;
};

// Dark when the background's lightness (0 to 255, as the HSL model counts
// it) is below the middle.
ColourScheme schemeForBackground(StyleRgb background);

// The colour of style's text; Plain has none and takes the text colour.
StyleRgb styleColour(StyleClass style, ColourScheme scheme);

}  // namespace tagloom
