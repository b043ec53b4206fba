#pragma once
// Makes the editor font from a face name and a point size. The Qt front end
// measures real fonts; tests use fixed-pitch stand-ins.
#include <ctime>
#include <memory>
#include <string>

#include "textmodel/TextMetrics.h"

namespace tagloom {

// What the font report tells of a font.
struct FontFacts {
    // Widths of "12345678901234567890123456", the capitals and the small letters.
    int digitsWidth = 0, capitalsWidth = 0, smallWidth = 0;
    std::string characterSet;  // a name such as "ANSI_CHARSET", or empty
    int pointSize = 0;
    bool vector = false, trueType = false, device = false;
};

class FontFactory {
public:
    virtual ~FontFactory() = default;
    // Nothing when no font can be made from them.
    virtual std::unique_ptr<const TextMetrics> createFont(const std::string& faceName, int pointSize) = 0;
    virtual FontFacts describeFont(const std::string& faceName, int pointSize) = 0;
};

// The text of the font report, with the day it is made on.
std::string fontReportText(const std::string& faceName, const FontFacts& facts, const std::tm& today);

}  // namespace tagloom
