#include <gtest/gtest.h>

#include "search/Marks.h"

namespace tagloom {
namespace {

TEST(Marks, occurrencesFollowTheCaseAndWholeWordRules) {
    struct Case {
        const char* text;
        const char* mark;
        bool matchCase, wholeWord;
        std::vector<int> found;
    };
    const Case cases[] = {
        {"a cat. cats _cat cat", "cat", false, true, {2, 17}},
        {"a cat. cats _cat cat", "cat", false, false, {2, 7, 13, 17}},
        {"Cat CAT cat", "cat", true, false, {8}},
        {"Cat CAT cat", "cat", false, false, {0, 4, 8}},
        {"aaaa", "aa", false, false, {0, 2}},  // the search goes on behind an occurrence
        {"x cat", "cat", false, true, {2}},     // at the very end of a text without a line feed
        {"cat2 cat-", "cat", false, true, {5}},
        {"", "cat", false, false, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findMarks(c.text, c.mark, c.matchCase, c.wholeWord), c.found) << c.text << " / " << c.mark;
    // The characters just outside a scanned range count for the whole-word test.
    EXPECT_TRUE(findMarks("cat", "cat", false, true, '_', ' ').empty());
    EXPECT_EQ(findMarks("cat", "cat", false, true, ' ', '.'), (std::vector<int>{0}));
}

}  // namespace
}  // namespace tagloom
