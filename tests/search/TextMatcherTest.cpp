#include "search/TextMatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "search/ControlSearch.h"
#include "textmodel/EditControl.h"

namespace tagloom {
namespace {

TEST(TextMatcher, comparesExactlyOrFoldedByTheEncoding) {
    struct Case {
        std::string what;
        bool matchCase;
        TextEncoding encoding;
        std::string text;
        std::size_t at, length;
    };
    const Case cases[] = {
        {"foo", true, TextEncoding::Utf8, "xFOO foo", 5, 3},
        {"foo", false, TextEncoding::Utf8, "xFOO fo", 1, 3},
        {"\xC3\xA9t\xC3\xA9", false, TextEncoding::Utf8, "x\xC3\x89T\xC3\x89", 1, 5},
        {"stra\xC3\x9F" "e", false, TextEncoding::Utf8, "STRA\xE1\xBA\x9E" "E", 0, 8},  // capital sharp s is 3 bytes
        {"k", false, TextEncoding::Utf8, "\xE2\x84\xAA k", 4, 1},  // the Kelvin sign stays apart from k
        {"\xE9t\xE9", false, TextEncoding::Windows1252, "\xC9T\xC9", 0, 3},
        {"\x9A", false, TextEncoding::Windows1252, "\x8A", 0, 1},  // s caron
        {"\xD7", false, TextEncoding::Windows1252, "\xF7\xD7", 1, 1},  // the multiplication sign is no letter
    };
    for (const Case& c : cases) {
        const TextMatcher matcher(c.what, c.matchCase, c.encoding);
        const auto found = matcher.findFirst(c.text, 0, c.text.size());
        ASSERT_TRUE(found) << c.what << " in " << c.text;
        EXPECT_EQ(*found, (TextMatch{c.at, c.length})) << c.what << " in " << c.text;
        EXPECT_EQ(matcher.findLast(c.text, c.text.size()), found) << "the only occurrence, found backwards";
    }
    EXPECT_FALSE(TextMatcher("\xA9", false, TextEncoding::Utf8).findFirst("\xC3\xA9", 0, 2))
        << "never from inside a character";
}

// Occurrences of both cases, one rare and one common, at distances around
// the windows in which the candidates are looked for: every search finds
// what a test of every start finds.
TEST(TextMatcher, findsEveryOccurrenceOfEitherCaseWhateverTheDistanceBetweenThem) {
    std::mt19937 random(9);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 20; ++round) {
        std::string text;
        while (text.size() < 60000) {
            text += std::string(static_cast<std::size_t>(pick(0, round % 2 ? 9000 : 300)), '.');
            text += pick(0, 4) == 0 ? "Foo" : pick(0, 1) ? "foo" : "fo";
        }
        const TextMatcher matcher("foo", false, TextEncoding::Utf8);
        std::vector<std::size_t> every;
        for (std::size_t at = 0; at < text.size(); ++at)
            if (matcher.matchAt(text, at)) every.push_back(at);
        std::vector<std::size_t> found;
        matcher.forEach(text, [&](const TextMatch& match) { found.push_back(match.start); });
        ASSERT_EQ(found, every) << round;
        for (int trial = 0; trial < 50; ++trial) {
            const auto from = static_cast<std::size_t>(pick(0, static_cast<int>(text.size())));
            const auto next = std::lower_bound(every.begin(), every.end(), from);
            const auto hit = matcher.findFirst(text, from, text.size());
            ASSERT_EQ(hit.has_value(), next != every.end()) << from;
            if (hit) {
                EXPECT_EQ(hit->start, *next) << from;
            }
        }
    }
}

// Every kind of find text, as the scan of sixteen places at a time sees it:
// one byte, a pair of bytes that are common apart and rare together, letters
// of both cases in either place, overlapping occurrences, occurrences in the
// last few bytes, and a search that must stop at its last start. Each search
// finds what a test of every start finds.
TEST(TextMatcher, everyKindOfFindTextFindsWhatATestOfEveryStartFinds) {
    struct Case {
        std::string what;
        bool matchCase;
        TextEncoding encoding;
        std::string alphabet;   // the text's bytes, picked at random
    };
    const Case cases[] = {
        {"f", false, TextEncoding::Utf8, "fFx."},
        {"F", true, TextEncoding::Utf8, "fFx."},
        {"fr", false, TextEncoding::Utf8, "fFrRx"},
        {"fR", true, TextEncoding::Utf8, "fFrRx"},
        {"aa", false, TextEncoding::Utf8, "aA."},
        {"a.", false, TextEncoding::Utf8, "aA."},
        {"..", true, TextEncoding::Utf8, ".x"},
        {"\xE9t", false, TextEncoding::Windows1252, "\xE9\xC9tTx"},
        {"\x9A\xFF", false, TextEncoding::Windows1252, "\x8A\x9A\x9F\xFFy"},
        {"friends", false, TextEncoding::Utf8, "friendsFRIENDS "},
    };
    std::mt19937 random(31);
    for (const Case& c : cases) {
        const TextMatcher matcher(c.what, c.matchCase, c.encoding);
        for (const std::size_t size : {1u, 2u, 15u, 16u, 17u, 18u, 33u, 500u, 5000u}) {
            std::string text(size, ' ');
            for (char& b : text) b = c.alphabet[random() % c.alphabet.size()];
            std::vector<std::size_t> every;
            for (std::size_t at = 0; at < text.size(); ++at)
                if (matcher.matchAt(text, at)) every.push_back(at);
            std::vector<std::size_t> found;
            matcher.forEach(text, [&](const TextMatch& match) { found.push_back(match.start); });
            ASSERT_EQ(found, every) << c.what << " in " << size << " bytes";
            for (std::size_t from = 0; from < std::min<std::size_t>(size, 40); ++from) {
                const std::size_t lastStart = std::min(size - 1, from + random() % 20);
                const auto next = std::lower_bound(every.begin(), every.end(), from);
                const bool within = next != every.end() && *next <= lastStart;
                const auto hit = matcher.findFirst(text, from, lastStart);
                ASSERT_EQ(hit.has_value(), within) << c.what << " from " << from << " to " << lastStart;
                if (hit) {
                    EXPECT_EQ(hit->start, *next) << c.what << " from " << from;
                }
            }
        }
    }
}

// The windows copied out of an edited control find what a search of the
// whole text finds, in both directions, for every kind of comparison.
TEST(ControlSearch, windowsOfAnEditedTextFindWhatTheWholeTextSearchFinds) {
    std::mt19937 random(5);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string pieces[] = {"ab", "AB", "\xC3\xA9", "\xC3\x89", " ", "x", "\r\n"};
    std::string text;
    while (text.size() < 40000) text += pieces[pick(0, 6)];
    EditControl control;
    control.setText(text);
    for (int i = 0; i < 200; ++i) {
        const int at = pick(0, control.length());
        control.setSel(at, at);
        control.replaceSel(pieces[pick(0, 6)]);
    }
    ASSERT_FALSE(control.isLockFree());
    const std::string whole = control.getText();
    for (const auto& [what, matchCase] : {std::pair{std::string("ab"), true}, std::pair{std::string("ab \xC3\xA9"), false},
                                          std::pair{std::string("xx"), false}}) {
        const TextMatcher matcher(what, matchCase, TextEncoding::Utf8);
        for (int trial = 0; trial < 200; ++trial) {
            const int from = pick(0, control.length());
            ASSERT_EQ(findForward(control, matcher, from), matcher.findFirst(whole, from, whole.size())) << from;
            ASSERT_EQ(findBackward(control, matcher, from), matcher.findLast(whole, from)) << from;
        }
    }
}

// A search of megabytes goes through windows of a megabyte at most, read in
// place where they lie in one piece: every occurrence is found as a search
// of the whole text finds it, across window and piece borders, and the
// text is never joined into one block for it.
TEST(ControlSearch, aSearchOfMegabytesFindsAcrossWindowsAndPiecesWithoutJoiningTheText) {
    std::mt19937 random(6);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string pieces[] = {"ab", "AB", "\xC3\xA9", " ", std::string(997, 'x'), "\r\n"};
    std::string text;
    while (text.size() < (std::size_t{5} << 19)) text += pieces[pick(0, 5)];
    EditControl control;
    control.setText(text);
    for (int i = 0; i < 300; ++i) {
        const int at = pick(0, control.length());
        control.setSel(at, at);
        control.replaceSel(pieces[pick(0, 3)]);
    }
    control.setSel(control.length(), control.length());
    control.replaceSel("needle");
    const std::string whole = control.getText();
    for (const auto& [what, matchCase] : {std::pair{std::string("ab"), true}, std::pair{std::string("xab \xC3\xA9"), false},
                                          std::pair{std::string("needle"), true}}) {
        const TextMatcher matcher(what, matchCase, TextEncoding::Utf8);
        std::vector<TextMatch> found, expected;
        forEachMatch(control, matcher, [&found](const TextMatch& m) { found.push_back(m); });
        matcher.forEach(whole, [&expected](const TextMatch& m) { expected.push_back(m); });
        ASSERT_EQ(found, expected) << what;
        ASSERT_EQ(findForward(control, matcher, 0), matcher.findFirst(whole, 0, whole.size())) << what;
        ASSERT_EQ(findBackward(control, matcher, control.length()), matcher.findLast(whole, whole.size())) << what;
    }
    EXPECT_FALSE(control.isLockFree()) << "a search joined the pieces";
}

}  // namespace
}  // namespace tagloom
