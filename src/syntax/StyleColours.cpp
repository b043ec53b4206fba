#include "syntax/StyleColours.h"

#include <algorithm>
#include <array>

namespace tagloom {

namespace {

using Palette = std::array<StyleRgb, kStyleClassCount>;

// In the order of StyleClass. Mark-up in browns and blues, server code in
// magenta so that it stands out of the page it is embedded in, comments in
// green, strings in red, numbers in teal.
constexpr Palette kLight = {{
    {0x00, 0x00, 0x00},  // plain
    {0x80, 0x00, 0x00},  // tag
    {0xb0, 0x30, 0x00},  // attr
    {0x1a, 0x1a, 0xa6},  // value
    {0x2e, 0x7d, 0x32},  // comment
    {0x6a, 0x3d, 0x9a},  // doctype
    {0x8a, 0x5a, 0x00},  // entity
    {0xb0, 0x00, 0x80},  // php
    {0x00, 0x33, 0xb3},  // keyword
    {0x00, 0x66, 0x80},  // variable
    {0xa3, 0x15, 0x15},  // string
    {0x09, 0x70, 0x50},  // number
    {0x8a, 0x2b, 0x6b},  // property
    {0x81, 0x1f, 0x3f},  // regex
}};

constexpr Palette kDark = {{
    {0xff, 0xff, 0xff},  // plain
    {0x56, 0x9c, 0xd6},  // tag
    {0x9c, 0xdc, 0xfe},  // attr
    {0xce, 0x91, 0x78},  // value
    {0x6a, 0xb5, 0x5a},  // comment
    {0xc5, 0x86, 0xc0},  // doctype
    {0xd7, 0xba, 0x7d},  // entity
    {0xff, 0x8c, 0xd0},  // php
    {0x7a, 0xb8, 0xff},  // keyword
    {0x4e, 0xc9, 0xb0},  // variable
    {0xe0, 0x9a, 0x7a},  // string
    {0xb5, 0xce, 0xa8},  // number
    {0xdc, 0xdc, 0xaa},  // property
    {0xe0, 0x80, 0x80},  // regex
}};

}  // namespace

ColourScheme schemeForBackground(StyleRgb background) {
    const int high = std::max({background.red, background.green, background.blue});
    const int low = std::min({background.red, background.green, background.blue});
    return (high + low) / 2 < 128 ? ColourScheme::Dark : ColourScheme::Light;
}

StyleRgb styleColour(StyleClass style, ColourScheme scheme) {
    const Palette& palette = scheme == ColourScheme::Dark ? kDark : kLight;
    return palette[static_cast<std::size_t>(style)];
}

}  // namespace tagloom
