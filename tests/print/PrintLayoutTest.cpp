#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/PrintLayout.h"

namespace tagloom {
namespace {

// Every character 10 pixels wide; tabs every 40.
std::vector<std::string> printedLines(const std::string& text, int width, bool wrap) {
    const FixedPitchMetrics metrics(10, 20);
    const PrintLayout layout(text, metrics, 40, wrap);
    std::vector<std::string> lines;
    for (int pos = 0; pos < layout.length();) {
        const PrintedLine line = layout.lineAt(pos, layout.length(), width);
        lines.push_back(text.substr(static_cast<std::size_t>(line.start), static_cast<std::size_t>(line.end - line.start)));
        pos = line.next;
    }
    return lines;
}

TEST(PrintLayout, breaksLinesByTheRulesOfWrapAndCut) {
    struct Case {
        const char* name;
        std::string text;
        int width;
        bool wrap;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a blank that passes the edge ends the line", "abc def ghi", 70, true, {"abc def", "ghi"}},
        {"a word that passes the edge goes down whole", "abc defghij", 70, true, {"abc ", "defghij"}},
        {"a word wider than the line breaks inside", "abcdefghij", 50, true, {"abcde", "fghij"}},
        {"blanks that start a continuation are skipped", "abc    def", 50, true, {"abc  ", "def"}},
        {"blanks past the edge at a line's end make no line", "abcde   \r\nf", 50, true, {"abcde", "f"}},
        {"indentation stays on a first line", "  ab\r\n", 50, true, {"  ab"}},
        {"without wrap a line is cut at the edge", "abcdefghij\r\nxy", 50, false, {"abcde", "xy"}},
        {"empty lines take a line each", "a\r\n\r\n\r\nb", 50, true, {"a", "", "", "b"}},
        {"the bookmark's CR CR LF is one line break", "a\r\r\nb\r\r\n", 50, true, {"a", "b"}},
        {"a bare LF is a line break", "a\nb", 50, false, {"a", "b"}},
        {"a stray CR is a character", "a\rb\r\n", 50, true, {"a\rb"}},
        {"the line break after the last line makes no line", "a\r\n", 50, true, {"a"}},
        {"a UTF-8 character is one character", "\xC3\xA9\xC3\xA9\xC3\xA9", 20, true, {"\xC3\xA9\xC3\xA9", "\xC3\xA9"}},
        {"a rectangle narrower than a character still takes one", "ab", 5, true, {"a", "b"}},
        {"a tab counts to its stop", "ab\tcd", 50, true, {"ab\t", "cd"}},
    };
    for (const Case& c : cases) EXPECT_EQ(printedLines(c.text, c.width, c.wrap), c.lines) << c.name;
}

TEST(PrintLayout, placesCharactersAtTabStopsFromTheLineStart) {
    const FixedPitchMetrics metrics(10, 20);
    const std::string text = "a\tb\tcdefg\th";
    const PrintLayout layout(text, metrics, 40, false);
    const PrintedLine line = layout.lineAt(0, layout.length(), 1000);
    std::vector<VisibleChar> chars;
    layout.characters(line, 100, chars);
    std::vector<std::pair<char, int>> placed;
    for (const VisibleChar& c : chars)
        if (c.kind != UnitKind::Tab) placed.emplace_back(text[static_cast<std::size_t>(c.offset)], c.x);
    const std::vector<std::pair<char, int>> expected = {{'a', 100}, {'b', 140}, {'c', 180}, {'d', 190},
                                                        {'e', 200}, {'f', 210}, {'g', 220}, {'h', 260}};
    EXPECT_EQ(placed, expected);
    EXPECT_EQ(layout.width(line), 170);
}

TEST(PrintLayout, showsControlBytesAndBrokenSequencesAsTheEditorDoes) {
    const FixedPitchMetrics metrics(10, 20);
    const std::string text = std::string("x\0\x80y", 4);
    const PrintLayout layout(text, metrics, 40, true);
    std::vector<VisibleChar> chars;
    layout.characters(layout.lineAt(0, layout.length(), 1000), 0, chars);
    ASSERT_EQ(chars.size(), 4u);
    EXPECT_EQ(chars[1].kind, UnitKind::Symbol);
    EXPECT_EQ(chars[1].codePoint, U'\u2400');
    EXPECT_EQ(chars[2].kind, UnitKind::Cp1252);
    EXPECT_EQ(chars[2].codePoint, U'\u20AC');
}

}  // namespace
}  // namespace tagloom
