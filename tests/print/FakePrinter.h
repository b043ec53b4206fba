#pragma once
// A printer for the printing steps without Qt: fixed-pitch fonts whose size
// in pixels follows the printer's resolution, and an area that turns with
// the orientation.
#include <memory>
#include <string>
#include <vector>

#include "platform/PrintDialogs.h"
#include "print/PrintDevice.h"

namespace tagloom::test {

// A font `pixels` high in em: characters 6/10 of that wide, a cell 12/10 of
// it high with the baseline at 10/12 of the cell, and `leading` below it.
class FixedPrintFont final : public PrintFont {
public:
    FixedPrintFont(int pixels, int leading) : pixels_(pixels), leading_(leading) {}
    int lineHeight() const override { return height() + leading_; }
    int averageCharWidth() const override { return std::max(1, pixels_ * 6 / 10); }
    int charWidth(char32_t) const override { return averageCharWidth(); }
    int ascent() const override { return pixels_; }
    int height() const override { return std::max(1, pixels_ * 12 / 10); }
    int pixels() const { return pixels_; }

private:
    int pixels_;
    int leading_;
};

class FakePrinter final : public PrintDevice {
public:
    // Letter paper, portrait, at `dpi` with no unprintable edge.
    explicit FakePrinter(int dpi = 720, int leading = 0) : dpi_(dpi), leading_(leading) {}

    DeviceCaps caps() const override {
        const int shortSide = dpi_ * 85 / 10, longSide = dpi_ * 11;
        const bool landscape = orientation_ == kOrientationLandscape;
        return {dpi_, dpi_, landscape ? longSide : shortSide, landscape ? shortSide : longSide};
    }
    int orientation() const override { return orientation_; }
    int paperSize() const override { return paperSize_; }
    void setOrientation(int orientation) override { orientation_ = orientation; }
    void setPaperSize(int paperSize) override { paperSize_ = paperSize; }
    std::unique_ptr<PrintFont> createFont(const std::string& face, int tenthsOfPoint) override {
        fonts.push_back({face, tenthsOfPoint});
        return std::make_unique<FixedPrintFont>(tenthsOfPoint * dpi_ / 720, leading_);
    }

    struct Font {
        std::string face;
        int tenthsOfPoint;
    };
    std::vector<Font> fonts;  // every font made, in order
    int orientation_ = kOrientationPortrait;
    int paperSize_ = kPaperLetter;

private:
    int dpi_;
    int leading_;
};

}  // namespace tagloom::test
