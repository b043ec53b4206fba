#pragma once
// The page-setup and print-setup dialogs, on the page values the main frame
// keeps: orientation and paper size as device-mode codes, margins in
// thousandths of an inch.
#include <array>

namespace tagloom {

enum : int { kOrientationPortrait = 1, kOrientationLandscape = 2 };
enum : int { kPaperLetter = 1 };

struct PageValues {
    int orientation = kOrientationPortrait;
    int paperSize = kPaperLetter;
    std::array<int, 4> margins{750, 750, 500, 500};  // left, top, right, bottom

    bool operator==(const PageValues&) const = default;
};

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // False when there is no printer at all (nothing is shown then).
    virtual bool hasPrinter() const = 0;
    // Shows the page-setup dialog on `values`; on OK writes the choice back and returns true.
    virtual bool pageSetup(PageValues& values) = 0;
    // Shows the print-setup dialog; on OK writes the chosen orientation back and returns true.
    virtual bool printSetup(PageValues& values) = 0;
};

}  // namespace tagloom
