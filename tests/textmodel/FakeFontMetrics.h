#pragma once
// Font metrics for layout tests: every character 10 pixels wide, except CJK
// ideographs and full-width forms at 20, lines 20 pixels high.
#include "textmodel/TextMetrics.h"

namespace tagloom::test {

class FakeFontMetrics final : public TextMetrics {
public:
    static constexpr int kWidth = 10;
    static constexpr int kWideWidth = 20;
    static constexpr int kHeight = 20;

    int lineHeight() const override { return kHeight; }
    int averageCharWidth() const override { return kWidth; }
    int charWidth(char32_t c) const override {
        bool wide = (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF01 && c <= 0xFF60);
        return wide ? kWideWidth : kWidth;
    }
};

}  // namespace tagloom::test
