#include "textmodel/qt/QtTextMetrics.h"

#include <algorithm>

namespace tagloom {

QString codePointText(char32_t codePoint) {
    const char32_t units[1] = {codePoint};
    return QString::fromUcs4(units, 1);
}

QtTextMetrics::QtTextMetrics(const QFont& font)
    : font_(font),
      metrics_(font),
      lineHeight_(std::max(1, metrics_.height())),
      averageCharWidth_(std::max(1, metrics_.averageCharWidth())) {
    for (int c = 0; c < 256; ++c) latinWidths_[c] = metrics_.horizontalAdvance(QChar(c));
}

int QtTextMetrics::charWidth(char32_t codePoint) const {
    if (codePoint < 256) return latinWidths_[codePoint];
    const auto it = otherWidths_.find(codePoint);
    if (it != otherWidths_.end()) return it->second;
    int width = metrics_.horizontalAdvance(codePointText(codePoint));
    // The pictures that stand for control bytes keep room for their box even
    // where the font has no glyph for them.
    if (codePoint >= 0x2400 && codePoint <= 0x2426) width = std::max(width, averageCharWidth_);
    otherWidths_.emplace(codePoint, width);
    return width;
}

}  // namespace tagloom
