#include "syntax/qt/SyntaxPalette.h"

#include <array>

namespace tagloom {

namespace {

QColor toQColor(StyleRgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

}  // namespace

ColourScheme schemeForBackground(const QColor& background) {
    const QColor rgb = background.toRgb();
    return schemeForBackground(StyleRgb{static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
                                   static_cast<std::uint8_t>(rgb.blue())});
}

void appendColouredStretches(const std::vector<StyleRun>& runs, ColourScheme scheme,
                             std::vector<ColouredStretch>& out) {
    std::array<QColor, kStyleClassCount> colours;
    for (int i = 0; i < kStyleClassCount; ++i) colours[i] = toQColor(styleColour(static_cast<StyleClass>(i), scheme));
    for (const StyleRun& run : runs)
        if (run.style != StyleClass::Plain) out.push_back({run.start, run.end(), colours[static_cast<int>(run.style)]});
}

}  // namespace tagloom
