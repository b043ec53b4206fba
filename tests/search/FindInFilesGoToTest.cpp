// Go To in the Find in Files results: the place named by the offset at or
// around the caret, and the places that name none.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "search/FindInFiles.h"

namespace tagloom {
namespace {

const std::string kResults =
    "3 Files Found - Sub Folder Depth 1 of 1\r\n"
    "\r\n"
    "Looking For: abc\r\n"
    "\r\n"
    "/site/\r\n"
    "  a.html  --  12 345 \r\n"
    "  2024.html  --  7 \r\n"
    "\r\n"
    "/site/old 2/\r\n"
    "  x  --  y.html  --  5 2147483644 2147483645 99999999999 \r\n";

// The offset of the `nth` (from 0) occurrence of `piece` in the results, plus `plus`.
int at(const std::string& piece, int plus = 0, int nth = 0) {
    std::size_t found = kResults.find(piece);
    while (nth-- > 0) found = kResults.find(piece, found + 1);
    EXPECT_NE(found, std::string::npos) << piece;
    return static_cast<int>(found) + plus;
}

TEST(FoundPlaceAt, takesTheOffsetAtOrAroundTheCaret) {
    struct Case {
        const char* name;
        int at;
        std::optional<FoundPlace> place;
    };
    const Case cases[] = {
        {"in the middle of an offset", at("345", 1), FoundPlace{"/site/a.html", 345, 348}},
        {"at the start of an offset", at("345"), FoundPlace{"/site/a.html", 345, 348}},
        {"on the space after a line's last offset: the number after it is taken, and there is none", at("345", 3),
         std::nullopt},
        {"on the space before an offset", at(" 345"), FoundPlace{"/site/a.html", 345, 348}},
        {"on the space after the dashes", at("  12", 1), FoundPlace{"/site/a.html", 12, 15}},
        {"the first offset", at("12 "), FoundPlace{"/site/a.html", 12, 15}},
        {"a file whose name begins with digits", at(" 7 ", 1), FoundPlace{"/site/2024.html", 7, 10}},
        {"a name holding the dashes, a folder holding a space", at(" 5 ", 1),
         FoundPlace{"/site/old 2/x  --  y.html", 5, 8}},
        {"the largest offset the editor takes", at("2147483644"),
         FoundPlace{"/site/old 2/x  --  y.html", 2147483644, INT_MAX}},
        {"an offset whose end lies beyond the editor's offsets", at("2147483645"), std::nullopt},
        {"an offset beyond the editor's offsets", at("99999999999", 2), std::nullopt},
        {"the header's count", 0, std::nullopt},
        {"the header's depth", at("1 of", 0), std::nullopt},
        {"the Looking For line", at("abc"), std::nullopt},
        {"a folder line", at("site/", 1), std::nullopt},
        {"a folder line with a number", at("old 2", 4), std::nullopt},
        {"a file name that begins with digits", at("2024", 2), std::nullopt},
        {"the name of a file", at("a.html", 1), std::nullopt},
        {"the dashes", at("--", 1), std::nullopt},
        {"the first space of the dashes", at("  --"), std::nullopt},
        {"an empty line", at("\r\n\r\n/site/old", 2), std::nullopt},
        {"the end of the text", static_cast<int>(kResults.size()), std::nullopt},
        {"before the text", -1, std::nullopt},
        {"beyond the text", static_cast<int>(kResults.size()) + 1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<FoundPlace> place = foundPlaceAt(kResults, c.at);
        ASSERT_EQ(place.has_value(), c.place.has_value());
        if (!place) continue;
        EXPECT_EQ(place->path, c.place->path);
        EXPECT_EQ(place->start, c.place->start);
        EXPECT_EQ(place->end, c.place->end);
    }
}

TEST(FoundPlaceAt, readsPathsOfAnyLength) {
    const std::string folder = "/" + std::string(300, 'f') + "/";
    const std::string name = std::string(400, 'n') + ".html";
    const std::string results = "1 Files Found - Sub Folder Depth 0 of 0\r\n\r\nLooking For: word\r\n\r\n" + folder +
                                "\r\n  " + name + "  --  9 \r\n";
    const std::optional<FoundPlace> place = foundPlaceAt(results, static_cast<int>(results.rfind('9')));
    ASSERT_TRUE(place);
    EXPECT_EQ(place->path, folder + name);
    EXPECT_EQ(place->start, 9);
    EXPECT_EQ(place->end, 13);
}

TEST(FoundPlaceAt, refusesAnythingButAResultsText) {
    for (const std::string& text : {std::string(), std::string("  a.html  --  5 \r\n"), std::string("12 34 56"),
                                    std::string("/site/\r\n  a.html  --  5 \r\n")})
        for (int at = 0; at <= static_cast<int>(text.size()); ++at)
            EXPECT_FALSE(foundPlaceAt(text, at)) << text << " at " << at;
}

}  // namespace
}  // namespace tagloom
