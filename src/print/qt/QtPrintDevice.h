#pragma once
// A QPrinter as the printing steps see it: its printable area in device
// pixels, the page setup's orientation and paper size, and fonts sized for
// its resolution.
#include <QFont>
#include <QPrinter>
#include <memory>

#include "print/PrintDevice.h"
#include "textmodel/qt/QtTextMetrics.h"

namespace tagloom {

class QtPrintFont final : public PrintFont {
public:
    explicit QtPrintFont(const QFont& font);

    int lineHeight() const override { return lineHeight_; }
    int averageCharWidth() const override { return metrics_.averageCharWidth(); }
    int charWidth(char32_t codePoint) const override { return metrics_.charWidth(codePoint); }
    int ascent() const override { return metrics_.ascent(); }
    int height() const override { return height_; }

    const QFont& font() const { return metrics_.font(); }
    // The Qt font of a font that a QtPrintDevice made.
    static const QFont& of(const PrintFont& font);

private:
    QtTextMetrics metrics_;
    int height_;
    int lineHeight_;
};

class QtPrintDevice final : public PrintDevice {
public:
    explicit QtPrintDevice(QPrinter& printer) : printer_(printer) {}

    DeviceCaps caps() const override;
    int orientation() const override;
    int paperSize() const override;
    void setOrientation(int orientation) override;
    void setPaperSize(int paperSize) override;
    std::unique_ptr<PrintFont> createFont(const std::string& faceName, int tenthsOfPoint) override;

private:
    QPrinter& printer_;
};

// Sets the printer to the orientation and paper size, and lets it draw on
// all of its printable area: the margins of the page setup are the printing
// steps' own.
void setUpPrinter(QPrinter& printer, int orientation, int paperSize);

}  // namespace tagloom
