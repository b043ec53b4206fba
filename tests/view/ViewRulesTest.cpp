#include <gtest/gtest.h>

#include "view/ViewRules.h"

namespace tagloom {
namespace {

TEST(ViewRules, zoomStepsThroughTheSizeTableAndStopsAtItsEnds) {
    struct Case {
        int from;
        std::optional<int> in, out;
    };
    const Case cases[] = {
        {48, std::nullopt, 42}, {6, 7, std::nullopt}, {7, 8, 6},   {13, 14, 12},
        {10, 11, 9},            {100, std::nullopt, 48}, {1, 6, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(zoomInSize(c.from), c.in) << c.from;
        EXPECT_EQ(zoomOutSize(c.from), c.out) << c.from;
    }
}

TEST(ViewRules, colorsAreReadFromNamesHexAndRgbForms) {
    struct Case {
        const char* selected;
        std::optional<std::string> color;
    };
    const Case cases[] = {
        {" Teal ", "#008080"},
        {"#abc", "#aabbcc"},
        {"#ABCDEF", "#abcdef"},
        {"rgb(50%, 0%, 100%)", "#7f00ff"},
        {"rgb(12, 34, 56)", "#0c2238"},
        {"RGB( 255 , 255 ,0 )", std::nullopt},  // a blank before a comma does not fit the form
        {"rgb( 300, 0, 0)", std::nullopt},
        {"rgb(101%, 0%, 0%)", std::nullopt},
        {"rgb(1, 2)", std::nullopt},
        {"tealish", std::nullopt},
        {"", std::nullopt},
        {"#12", std::nullopt},
        {"\tgray\r\n", "#808080"},
    };
    for (const auto& c : cases) {
        const auto rgb = colorFromText(c.selected);
        EXPECT_EQ(rgb ? std::optional<std::string>(colorText(*rgb)) : std::nullopt, c.color) << '"' << c.selected << '"';
    }
}

}  // namespace
}  // namespace tagloom
