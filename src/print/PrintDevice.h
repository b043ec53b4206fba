#pragma once
// The printer as the printing steps see it: its resolution, its printable
// area, its page orientation and paper size (the device-mode codes of the
// page setup), and fonts measured on it. The Qt front end wraps a QPrinter;
// tests use fixed-pitch stand-ins.
#include <memory>
#include <string>

#include "textmodel/TextMetrics.h"

namespace tagloom {

// A font made for one printer, measured in its device pixels.
class PrintFont : public TextMetrics {
public:
    // lineHeight(): from one printed line's top to the next, the character
    // height and the font's external leading.
    // From the character cell's top to the baseline.
    virtual int ascent() const = 0;
    // The character height: ascent and descent.
    virtual int height() const = 0;
};

struct DeviceCaps {
    int dpiX = 0;    // pixels per inch across
    int dpiY = 0;    // pixels per inch down
    int width = 0;   // the printable area in pixels
    int height = 0;
};

class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    virtual DeviceCaps caps() const = 0;
    virtual int orientation() const = 0;
    virtual int paperSize() const = 0;
    virtual void setOrientation(int orientation) = 0;
    virtual void setPaperSize(int paperSize) = 0;
    // A font of the face at a size in tenths of a point, for this printer.
    virtual std::unique_ptr<PrintFont> createFont(const std::string& faceName, int tenthsOfPoint) = 0;
};

}  // namespace tagloom
