#include <gtest/gtest.h>

#include <random>

#include "view/LineCounts.h"

namespace tagloom {
namespace {

// The counts by the walk over the whole text that the status bar describes.
struct Walk {
    int lines = 1, bookmarks = 0;
    explicit Walk(const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '\n') continue;
            ++lines;
            if (i >= 2 && text[i - 2] == '\r') ++bookmarks;
        }
    }
};

TEST(LineCounts, countsLinesAndBookmarkedLineEnds) {
    struct Case {
        std::string text;
        int lines, bookmarks;
    };
    const Case cases[] = {
        {"", 1, 0},
        {"ab\r\r\ncd", 2, 1},
        {"\n\n", 3, 0},  // LFs at offsets 0 and 1 count no bookmark
        {"\r\n\r\r\n", 3, 1},
        {"\rx\n", 2, 1},  // the walk looks only two places back
    };
    for (const auto& c : cases) {
        LineCounts counts;
        counts.reset(c.text);
        EXPECT_EQ(counts.lines(), c.lines) << c.text;
        EXPECT_EQ(counts.bookmarks(), c.bookmarks) << c.text;
    }
}

TEST(LineCounts, randomEditsKeepTheSameCountsAsTheWalk) {
    std::mt19937 random(7);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string alphabet = "\r\r\n\nab";
    std::string text = "a\r\r\nb\r\nc";
    LineCounts counts;
    counts.reset(text);
    const auto charAt = [&](int i) { return text[i]; };
    for (int step = 0; step < 20000; ++step) {
        const int n = static_cast<int>(text.size());
        if (pick(0, 2) == 0 && n > 0) {
            const int at = pick(0, n - 1);
            const int count = pick(1, std::min(4, n - at));
            const std::string removed = text.substr(at, count);
            text.erase(at, count);
            counts.removed(at, removed, static_cast<int>(text.size()), charAt);
        } else {
            const int at = pick(0, n);
            std::string inserted;
            for (int i = pick(1, 4); i > 0; --i) inserted += alphabet[pick(0, alphabet.size() - 1)];
            text.insert(at, inserted);
            counts.inserted(at, inserted, static_cast<int>(text.size()), charAt);
        }
        const Walk walk(text);
        ASSERT_EQ(counts.lines(), walk.lines) << "step " << step;
        ASSERT_EQ(counts.bookmarks(), walk.bookmarks) << "step " << step;
    }
}

}  // namespace
}  // namespace tagloom
