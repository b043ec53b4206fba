#include <cstdio>

#include "view/FontFactory.h"

namespace tagloom {

std::string fontReportText(const std::string& faceName, const FontFacts& facts, const std::tm& today) {
    const bool fixed = facts.digitsWidth == facts.capitalsWidth && facts.capitalsWidth == facts.smallWidth;
    std::string report =
        "\r\n\t\tFont Spacing Check\r\n\r\n\t\t12345678901234567890123456\r\n\t\tABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n"
        "\t\tabcdefghijklmnopqrstuvwxyz\r\n\r\n\t\tThe \"6\", \"Z\", and \"z\" should\r\n\t\tall line up vertically at"
        "\r\n\t\tthe right edge of the text\r\n\t\tblock for a fixed-spaced font.\r\n\r\n\t\tFont Face Name:  " +
        faceName + "\r\n\t\tCharacter Set:  " + facts.characterSet + "\r\n\t\tPoint Size:  " +
        std::to_string(facts.pointSize) + "    Spacing:  " + (fixed ? "Fixed" : "Variable") + "\r\n\t\t" +
        (facts.vector ? "Vector Font    " : "Raster Font    ") + (facts.trueType ? "True-Type Font    " : "") +
        (facts.device ? "Device Font    " : "") + "\r\n\r\n";
    char date[96];
    std::strftime(date, sizeof date, "\t\t%A, %B %d, %Y", &today);
    return report + date;
}

}  // namespace tagloom
