#pragma once
// The editor font on Qt: a QFont with the measures the text layout asks for.
#include <QFont>
#include <QFontMetrics>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "view/FontFactory.h"
#include "view/TextMetrics.h"

namespace tagloom {

class QtTextMetrics final : public TextMetrics {
public:
    explicit QtTextMetrics(const QFont& font);

    int lineHeight() const override { return lineHeight_; }
    int averageCharWidth() const override { return averageCharWidth_; }
    int charWidth(char32_t codePoint) const override;

    const QFont& font() const { return font_; }
    int ascent() const { return metrics_.ascent(); }

private:
    QFont font_;
    QFontMetrics metrics_;
    int lineHeight_;
    int averageCharWidth_;
    std::array<int, 256> latinWidths_{};
    mutable std::unordered_map<char32_t, int> otherWidths_;
};

// Creates the editor font from a face name and a size in points; nothing when
// the size is not one a font can have. The desktop's font matching supplies
// the nearest face it has (Liberation Mono for "Courier New").
class QtFontFactory : public FontFactory {
public:
    std::unique_ptr<const TextMetrics> createFont(const std::string& faceName, int pointSize) override;
    FontFacts describeFont(const std::string& faceName, int pointSize) override;
};

}  // namespace tagloom
