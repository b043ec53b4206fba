#include <gtest/gtest.h>

#include "search/Marks.h"

namespace tagloom {
namespace {

std::vector<int> marks(std::string_view text, std::string_view mark, bool matchCase, bool wholeWord,
                       char before = '\0', char after = '\0') {
    std::vector<int> starts;
    for (const TextMatch& m : findMarks(text, TextMatcher(mark, matchCase, TextEncoding::Utf8), wholeWord, before, after))
        starts.push_back(static_cast<int>(m.start));
    return starts;
}

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
        EXPECT_EQ(marks(c.text, c.mark, c.matchCase, c.wholeWord), c.found) << c.text << " / " << c.mark;
    // The characters just outside a scanned range count for the whole-word test.
    EXPECT_TRUE(marks("cat", "cat", false, true, '_', ' ').empty());
    EXPECT_EQ(marks("cat", "cat", false, true, ' ', '.'), (std::vector<int>{0}));
}

}  // namespace
}  // namespace tagloom
