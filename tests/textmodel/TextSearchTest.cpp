#include "textmodel/TextSearch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tagloom {
namespace {

TEST(SearchFromSelection, findsForwardsAndBackwardsFromTheSelectionWithoutWrapping) {
    //                       0123456789
    const std::string text = "abcabc ABC";
    struct Case {
        const char* name;
        Selection selection;
        std::string what;
        bool forward;
        bool matchCase;
        std::optional<int> hit;
    };
    const std::vector<Case> cases = {
        {"forward from the caret", {0, 0}, "abc", true, true, 0},
        {"a selected occurrence is not found again", {0, 3}, "abc", true, true, 3},
        {"a selection that is no occurrence is searched from its start", {0, 2}, "abc", true, true, 0},
        {"ignoring case, the selected text counts as an occurrence", {3, 6}, "ABC", true, false, 7},
        {"matching case skips the small letters", {0, 0}, "ABC", true, true, 7},
        {"not found forwards", {8, 8}, "abc", true, false, std::nullopt},
        {"forward search from the very end", {10, 10}, "C", true, true, std::nullopt},
        {"backward from the end, matching case", {10, 10}, "abc", false, true, 3},
        {"backward from the end, ignoring case", {10, 10}, "abc", false, false, 7},
        {"backward from inside the text", {3, 6}, "abc", false, true, 0},
        {"backward, an occurrence may start just before the caret", {4, 4}, "abc", false, true, 3},
        {"backward from offset 0 finds nothing", {0, 5}, "abc", false, false, std::nullopt},
        {"a one-byte selection of the text itself", {0, 1}, "a", true, true, 3},
        {"an empty text is never found", {0, 0}, "", true, true, std::nullopt},
        {"a text longer than the document", {10, 10}, "abcabc ABCD", false, true, std::nullopt},
        {"a selection beyond the end is brought back", {50, 60}, "ABC", false, true, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SearchFromSelection(text, c.selection, c.what, c.forward, c.matchCase), c.hit) << c.name;
}

TEST(SearchFromSelection, foldsOnlyAsciiLettersAndTreatsNulAsAnOrdinaryByte) {
    const std::string text = std::string("\xC9t\xE9") + '\0' + "x";
    EXPECT_EQ(SearchFromSelection(text, {0, 0}, "\xE9", true, false), 2);
    EXPECT_EQ(SearchFromSelection(text, {0, 0}, "\xC9T", true, false), 0);
    EXPECT_EQ(SearchFromSelection(text, {0, 0}, std::string("\0x", 2), true, true), 3);
}

}  // namespace
}  // namespace tagloom
