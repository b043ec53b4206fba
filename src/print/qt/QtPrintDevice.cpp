#include "print/qt/QtPrintDevice.h"

#include <QFontMetrics>
#include <algorithm>

#include "platform/PrintDialogs.h"
#include "platform/qt/PaperSizes.h"

namespace tagloom {

QtPrintFont::QtPrintFont(const QFont& font) : metrics_(font) {
    const QFontMetrics metrics(font);
    height_ = std::max(1, metrics.ascent() + metrics.descent());
    lineHeight_ = height_ + std::max(0, metrics.leading());
}

const QFont& QtPrintFont::of(const PrintFont& font) { return dynamic_cast<const QtPrintFont&>(font).font(); }

namespace {

// The printing area without any margin of the page layout's own.
void useWholePrintableArea(QPrinter& printer) {
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

}  // namespace

void setUpPrinter(QPrinter& printer, int orientation, int paperSize) {
    QtPrintDevice device(printer);
    device.setPaperSize(paperSize);
    device.setOrientation(orientation);
}

DeviceCaps QtPrintDevice::caps() const {
    const QRect area = printer_.pageLayout().paintRectPixels(printer_.resolution());
    return {printer_.logicalDpiX(), printer_.logicalDpiY(), area.width(), area.height()};
}

int QtPrintDevice::orientation() const {
    return printer_.pageLayout().orientation() == QPageLayout::Landscape ? kOrientationLandscape
                                                                         : kOrientationPortrait;
}

int QtPrintDevice::paperSize() const { return paperCodeOf(printer_.pageLayout().pageSize().id(), 0); }

void QtPrintDevice::setOrientation(int orientation) {
    printer_.setPageOrientation(orientation == kOrientationLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    useWholePrintableArea(printer_);
}

void QtPrintDevice::setPaperSize(int paperSize) {
    printer_.setPageSize(QPageSize(pageSizeOf(paperSize)));
    useWholePrintableArea(printer_);
}

// The size is the character height in the printer's pixels, as a font made
// for a device is.
std::unique_ptr<PrintFont> QtPrintDevice::createFont(const std::string& faceName, int tenthsOfPoint) {
    QFont font(QString::fromStdString(faceName));
    font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
    font.setKerning(false);
    font.setPixelSize(std::max(1, (tenthsOfPoint * printer_.logicalDpiY() + 360) / 720));
    return std::make_unique<QtPrintFont>(font);
}

}  // namespace tagloom
