#include <gtest/gtest.h>

#include "app/FramePlacement.h"
#include "support/MemorySettingsStore.h"

namespace tagloom {
namespace {

using test::MemorySettingsStore;

TEST(FramePlacement, rectanglesAreWrittenWithFourDigitsAndASignAndReadBack) {
    struct Case {
        FrameRect rect;
        const char* text;
    };
    const Case cases[] = {
        {{-8, -8, 1288, 1032}, "-008 -008 1288 1032"},
        {{0, 0, 640, 480}, "0000 0000 0640 0480"},
        {{12345, 3, 20000, 7}, "12345 0003 20000 0007"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatRect(c.rect), c.text);
        const auto read = parseRect(c.text);
        ASSERT_TRUE(read.has_value()) << c.text;
        EXPECT_EQ(*read, c.rect);
    }
}

TEST(FramePlacement, aRectThatDoesNotHoldFourIntegersIsNotUsed) {
    for (const char* text : {"", "garbage", "10 20 30", "10 20 30 x", "1 2 3 99999999999", " - 1 2 3"})
        EXPECT_FALSE(parseRect(text).has_value()) << '"' << text << '"';
    EXPECT_TRUE(parseRect("  10   20 30 40 trailing").has_value());
}

TEST(FramePlacement, placementsRoundTripThroughTheStore) {
    const WindowPlacement cases[] = {
        {{100, 50, 900, 650}, false, false},
        {{100, 50, 900, 650}, true, false},
        {{100, 50, 900, 650}, false, true},
        {{-8, 0, 500, 400}, true, true},
    };
    for (const auto& placement : cases) {
        MemorySettingsStore store;
        writePlacement(store, placement);
        const auto read = readPlacement(store);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(*read, placement);
        EXPECT_EQ(store.raw("Main Window", "icon"), placement.minimized ? "1" : "0");
        EXPECT_EQ(store.raw("Main Window", "max"), placement.maximized ? "1" : "0");
    }
}

TEST(FramePlacement, withoutAUsableRectThereIsNoPlacement) {
    MemorySettingsStore store;
    EXPECT_FALSE(readPlacement(store).has_value());
    store.values[{"Main Window", "Rect"}] = "1 2 3";
    store.values[{"Main Window", "max"}] = "1";
    EXPECT_FALSE(readPlacement(store).has_value());
    store.values[{"Main Window", "Rect"}] = "1 2 3 4";
    store.values[{"Main Window", "max"}] = "yes";
    const auto read = readPlacement(store);
    ASSERT_TRUE(read.has_value());
    EXPECT_FALSE(read->maximized);
}

TEST(FramePlacement, marginsAreSixCharacterFieldsRightAligned) {
    EXPECT_EQ(formatMargins({750, 750, 500, 500}), "   750   750   500   500");
    std::array<int, 4> margins{0, 0, 0, 0};
    parseMargins("   750   750   500   500", margins);
    EXPECT_EQ(margins, (std::array<int, 4>{750, 750, 500, 500}));
}

TEST(FramePlacement, damagedMarginFieldsKeepTheirDefaults) {
    struct Case {
        const char* text;
        std::array<int, 4> expected;
    };
    const Case cases[] = {
        {"", {750, 750, 500, 500}},
        {"   100", {100, 750, 500, 500}},          // too short: the rest keep their defaults
        {"   100   2", {100, 2, 500, 500}},
        {"  abc   200   300   400", {750, 200, 300, 400}},
        {"  -100   200   300   400", {750, 200, 300, 400}},  // negative margins are no margins
        {"999999   200   300   400", {750, 200, 300, 400}},  // beyond any paper
        {"001000002000", {1000, 2000, 500, 500}},            // no blanks: six digits per field
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        store.values[{"printer", "margins"}] = c.text;
        EXPECT_EQ(readPageValues(store).margins, c.expected) << '"' << c.text << '"';
    }
}

TEST(FramePlacement, pageValuesRoundTripAndFallBackWhenUnusable) {
    MemorySettingsStore store;
    EXPECT_EQ(readPageValues(store), PageValues{});
    PageValues values{kOrientationLandscape, 9, {1000, 500, 250, 125}};
    writePageValues(store, values);
    EXPECT_EQ(readPageValues(store), values);

    store.values[{"printer", "orientation"}] = "7";
    store.values[{"printer", "paperSize"}] = "-1";
    const PageValues read = readPageValues(store);
    EXPECT_EQ(read.orientation, kOrientationPortrait);
    EXPECT_EQ(read.paperSize, kPaperLetter);
}

}  // namespace
}  // namespace tagloom
