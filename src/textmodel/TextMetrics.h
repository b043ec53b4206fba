#pragma once
// What the layout needs to know of the display font. The widget supplies an
// implementation over the real font; FixedPitchMetrics measures every
// character alike and serves until a font is set, in tests and benchmarks.
// Tab stops are not the font's business: the edit control places them every
// nTabChars average character widths.
#include <algorithm>

namespace tagloom {

class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    // Pixels from one line's top to the next line's top.
    virtual int lineHeight() const = 0;
    virtual int averageCharWidth() const = 0;
    // Advance of a character: a decoded UTF-8 character, a Windows-1252
    // character, or the control picture that stands for a control byte.
    virtual int charWidth(char32_t codePoint) const = 0;
    // Whether other metrics measure every character as these do, so that a
    // layout made with one holds for the other (the same font made again).
    virtual bool measuresLike(const TextMetrics&) const { return false; }
};

class FixedPitchMetrics final : public TextMetrics {
public:
    FixedPitchMetrics(int charWidth, int lineHeight)
        : charWidth_(std::max(1, charWidth)), lineHeight_(std::max(1, lineHeight)) {}
    int lineHeight() const override { return lineHeight_; }
    int averageCharWidth() const override { return charWidth_; }
    int charWidth(char32_t) const override { return charWidth_; }
    bool measuresLike(const TextMetrics& other) const override {
        const auto* fixed = dynamic_cast<const FixedPitchMetrics*>(&other);
        return fixed && fixed->charWidth_ == charWidth_ && fixed->lineHeight_ == lineHeight_;
    }

private:
    int charWidth_;
    int lineHeight_;
};

}  // namespace tagloom
