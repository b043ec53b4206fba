#pragma once
// The editor font on Qt: a QFont with the measures the text layout asks for.
#include <QFont>
#include <QFontMetrics>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "textmodel/TextMetrics.h"

namespace tagloom {

// One character as a QString.
QString codePointText(char32_t codePoint);

class QtTextMetrics final : public TextMetrics {
public:
    explicit QtTextMetrics(const QFont& font);

    int lineHeight() const override { return lineHeight_; }
    int averageCharWidth() const override { return averageCharWidth_; }
    int charWidth(char32_t codePoint) const override;
    bool measuresLike(const TextMetrics& other) const override {
        const auto* qt = dynamic_cast<const QtTextMetrics*>(&other);
        return qt && qt->font_ == font_;
    }

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

}  // namespace tagloom
