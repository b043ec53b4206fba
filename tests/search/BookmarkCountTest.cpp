#include "search/BookmarkCount.h"

#include <gtest/gtest.h>

#include <random>

namespace tagloom {
namespace {

// The counts by the walk over the whole text that the status bar describes:
// one line more than there are LFs, one bookmark for every LF whose
// character two places before is a CR.
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

TEST(BookmarkCount, countsBookmarkedLineEndsOfATextSetAsAWhole) {
    struct Case {
        std::string text;
        int bookmarks;
    };
    const Case cases[] = {
        {"", 0},
        {"ab\r\r\ncd", 1},
        {"\n\n", 0},  // LFs at offsets 0 and 1 count no bookmark
        {"\r\n\r\r\n", 1},
        {"\rx\n", 1},  // the walk looks only two places back
    };
    for (const auto& c : cases) {
        EditControl control;
        BookmarkCount counted(control);
        control.setText(c.text);
        EXPECT_EQ(counted.bookmarks(), c.bookmarks) << c.text;
    }
}

// The line count is the control's own: both equal the walk after every edit.
TEST(BookmarkCount, randomEditsKeepTheSameCountsAsTheWalk) {
    std::mt19937 random(7);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string alphabet = "\r\r\n\nab";
    EditControl control;
    control.setText("a\r\r\nb\r\nc");
    BookmarkCount counted(control);
    for (int step = 0; step < 20000; ++step) {
        const int n = control.length();
        if (pick(0, 2) == 0 && n > 0) {
            const int at = pick(0, n - 1);
            control.setSel(at, at + pick(1, std::min(4, n - at)));
            control.replaceSel("");
        } else {
            std::string inserted;
            for (int i = pick(1, 4); i > 0; --i) inserted += alphabet[pick(0, alphabet.size() - 1)];
            const int at = pick(0, n);
            control.setSel(at, at);
            control.replaceSel(inserted);
        }
        const Walk walk(control.getText());
        ASSERT_EQ(control.textLineCount(), walk.lines) << "step " << step;
        ASSERT_EQ(counted.bookmarks(), walk.bookmarks) << "step " << step;
    }
}

}  // namespace
}  // namespace tagloom
