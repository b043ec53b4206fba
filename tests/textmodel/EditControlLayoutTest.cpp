// Display lines, word wrap and positions, with the fake metrics: characters
// 10 pixels wide (CJK 20), lines 20 pixels high.
#include "FakeEditObserver.h"
#include "FakeFontMetrics.h"
#include "textmodel/EditControl.h"
#include "textmodel/TextUnit.h"

#include <gtest/gtest.h>

#include <random>

namespace tagloom {
namespace {

using test::FakeEditObserver;
using test::FakeFontMetrics;

constexpr int kW = FakeFontMetrics::kWidth;
constexpr int kH = FakeFontMetrics::kHeight;

std::unique_ptr<EditControl> makeControl(int columns, int rows, bool wrap) {
    auto control = std::make_unique<EditControl>();
    control->setFontMetrics(std::make_unique<FakeFontMetrics>());
    control->setClientSize(columns * kW, rows * kH);
    control->setWordWrap(wrap);
    return control;
}

// The wrap rule written out plainly, line by line from the start of the
// text: break before the first character that passes the width, after the
// last blank before it if there is one; blanks never break.
class ReferenceLayout {
public:
    ReferenceLayout(int width, int tabWidth) : width_(width), tabWidth_(tabWidth) {}

    struct Row {
        int start;
        int end;
    };

    std::vector<Row> rows(const std::string& text, bool wrap) const {
        std::vector<Row> rows;
        int start = 0;
        for (;;) {
            std::size_t lf = text.find('\n', static_cast<std::size_t>(start));
            int contentEnd = lf == std::string::npos ? static_cast<int>(text.size()) : static_cast<int>(lf);
            for (int cr = 0; cr < 2 && lf != std::string::npos && contentEnd > start && text[contentEnd - 1] == '\r'; ++cr) {
                --contentEnd;
            }
            int rowStart = start;
            while (wrap) {
                int next = breakAfter(text, rowStart, contentEnd);
                if (next >= contentEnd) break;
                rows.push_back({rowStart, next});
                rowStart = next;
            }
            rows.push_back({rowStart, contentEnd});
            if (lf == std::string::npos) return rows;
            start = static_cast<int>(lf) + 1;
        }
    }

    // x of offset within a row that starts at rowStart.
    int x(const std::string& text, int rowStart, int offset) const {
        int x = 0;
        for (int p = rowStart; p < offset;) {
            TextUnit unit = unitAt(text, p, static_cast<int>(text.size()));
            if (p + unit.length > offset) break;
            x += width(unit, x);
            p += unit.length;
        }
        return x;
    }

private:
    static TextUnit unitAt(const std::string& text, int p, int end) {
        return decodeUnit(reinterpret_cast<const unsigned char*>(text.data()) + p, end - p);
    }
    int width(const TextUnit& unit, int x) const {
        if (unit.kind == UnitKind::Tab) return tabWidth_ - x % tabWidth_;
        return FakeFontMetrics().charWidth(unit.codePoint);
    }
    int breakAfter(const std::string& text, int start, int end) const {
        int x = 0;
        int afterBlank = -1;
        for (int p = start; p < end;) {
            TextUnit unit = unitAt(text, p, end);
            int w = width(unit, x);
            bool blank = unit.kind == UnitKind::Tab || unit.codePoint == ' ';
            if (!blank && p > start && x + w > width_) return afterBlank >= 0 ? afterBlank : p;
            x += w;
            p += unit.length;
            if (blank) afterBlank = p;
        }
        return end;
    }

    int width_;
    int tabWidth_;
};

std::string words(int count, std::mt19937& random) {
    static const char* pool[] = {"alpha", "be", "gamma", "d", "epsilon", "\xE4\xB8\xAD\xE6\x96\x87", "z\xC3\xA9ta", "\t"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += pool[random() % 8];
        text += ' ';
    }
    return text;
}

TEST(EditControlLayoutTest, randomEditsKeepDisplayLinesEqualToAFreshLayout) {
    std::mt19937 random(77);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    // Short lines, two lines longer than the long-line cache threshold (one
    // with blanks, one without), and tabs.
    std::string text;
    for (int i = 0; i < 100; ++i) text += words(pick(12), random) + "\r\n";
    text += words(5000, random) + "\r\n";
    text += std::string(10000, 'x') + "\r\r\n";
    for (int i = 0; i < 50; ++i) text += "\t" + words(pick(6), random) + "\r\n";
    auto control = makeControl(23, 10, true);
    control->setText(text);
    // Line breaks come seldom, so that the long lines stay long.
    const std::vector<std::string> inserts = {"a", " ", "word ", "\t", "\xE4\xB8\xAD", "\xE4", "\xB8\xAD", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"};
    int width = 23 * kW;

    for (int step = 1; step <= 3000; ++step) {
        int op = pick(100);
        int at = pick(static_cast<int>(text.size()) + 1);
        if (op < 45) {
            std::string s = inserts[static_cast<std::size_t>(pick(static_cast<int>(inserts.size())))];
            if (pick(150) == 0) s = pick(2) == 0 ? "\r\n" : "\r\r\n";
            control->setSel(at, at);
            control->replaceSel(s);
            text.insert(static_cast<std::size_t>(at), s);
        } else if (op < 90) {
            int to = std::min(static_cast<int>(text.size()), at + pick(8));
            control->setSel(at, to);
            control->replaceSel("");
            text.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(to - at));
        } else if (op < 94) {
            width = (15 + pick(30)) * kW;
            control->setClientSize(width, 10 * kH);
        } else if (op < 97) {
            control->lineScroll(0, pick(200) - 100);
        } else {
            control->setWordWrap(!control->wordWrap());
        }
        bool wrap = control->wordWrap();
        ReferenceLayout reference(width, 8 * kW);
        std::vector<ReferenceLayout::Row> rows = reference.rows(text, wrap);
        ASSERT_EQ(control->lineCount(), static_cast<int>(rows.size())) << "step " << step;
        int top = control->firstVisibleLine();
        for (int probe = 0; probe < 3; ++probe) {
            int row = pick(static_cast<int>(rows.size()));
            ASSERT_EQ(control->lineIndex(row), rows[static_cast<std::size_t>(row)].start) << "step " << step;
            int offset = pick(static_cast<int>(text.size()) + 1);
            auto it = std::upper_bound(rows.begin(), rows.end(), offset,
                                       [](int o, const ReferenceLayout::Row& r) { return o < r.start; });
            int expectedRow = static_cast<int>(it - rows.begin()) - 1;
            ASSERT_EQ(control->lineFromChar(offset), expectedRow) << "step " << step << " offset " << offset;
            const ReferenceLayout::Row& r = rows[static_cast<std::size_t>(expectedRow)];
            Point p = control->posFromChar(offset);
            ASSERT_EQ(p.y, (expectedRow - top) * kH) << "step " << step;
            int x = reference.x(text, r.start, std::min(offset, r.end)) - control->horizontalScroll();
            ASSERT_EQ(p.x, x) << "step " << step << " offset " << offset;
        }
        if (step % 500 == 0) {
            for (std::size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(control->lineIndex(static_cast<int>(i)), rows[i].start);
        }
    }
}

struct WrapCase {
    const char* name;
    std::string text;
    int columns;
    std::vector<int> rowStarts;
};

// Metrics of 7 pixels a character that count what they are asked.
class CountingMetrics final : public TextMetrics {
public:
    int lineHeight() const override { return kH; }
    int averageCharWidth() const override { return 7; }
    int charWidth(char32_t) const override {
        ++asked;
        return 7;
    }
    bool measuresLike(const TextMetrics& other) const override {
        return dynamic_cast<const CountingMetrics*>(&other) != nullptr;
    }
    mutable int asked = 0;
};

// An open sets the editor's font again after the text is in: the same font
// made again must not lay out a text of a gigabyte once more.
TEST(EditControlLayoutTest, theSameFontMadeAgainKeepsTheLayoutAndIsWhatItMeasuresWith) {
    EditControl control;
    control.setFontMetrics(std::make_unique<CountingMetrics>());
    control.setClientSize(30 * 7, 10 * kH);
    control.setWordWrap(true);
    std::string text;
    for (int i = 0; i < 2000; ++i) text += std::string(static_cast<std::size_t>(i % 50), 'w') + "\xC3\xA9\r\n";
    control.setText(text);
    const int rows = control.lineCount();

    auto again = std::make_unique<CountingMetrics>();
    const CountingMetrics& madeAgain = *again;
    control.setFontMetrics(std::move(again));
    EXPECT_EQ(madeAgain.asked, 0);
    EXPECT_EQ(control.lineCount(), rows);
    // The layout measures with the new metrics (the old ones are gone).
    control.setText("\xE4\xB8\xAD");
    EXPECT_EQ(control.posFromChar(3).x, 7);
    EXPECT_GT(madeAgain.asked, 0);

    // Other metrics lay the text out anew.
    control.setText(text);
    control.setFontMetrics(std::make_unique<FakeFontMetrics>());
    EXPECT_NE(control.lineCount(), rows);
}

TEST(EditControlLayoutTest, wrappedLinesBreakAfterBlanksOrMidWord) {
    const std::vector<WrapCase> cases = {
        {"fits", "abc def", 10, {0}},
        {"break after the blank", "abc defgh", 6, {0, 4}},
        {"blanks hang past the edge", "abc      def", 4, {0, 9}},
        {"a word longer than the width breaks mid-word", "abcdefghij", 4, {0, 4, 8}},
        {"the last blank before the edge wins", "ab cd efgh", 7, {0, 6}},
        {"a tab is a blank and reaches the next stop", "a\tbcdefghij", 12, {0, 2}},
        {"line breaks end display lines", "ab\r\ncd\r\r\nef", 10, {0, 4, 9}},
        {"a wide character counts double", "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD", 5, {0, 6}},
        {"at least one character per display line", "abc", 0, {0, 1, 2}},
    };
    for (const WrapCase& c : cases) {
        auto control = makeControl(c.columns, 10, true);
        control->setText(c.text);
        std::vector<int> starts;
        for (int i = 0; i < control->lineCount(); ++i) starts.push_back(control->lineIndex(i));
        EXPECT_EQ(starts, c.rowStarts) << c.name;
    }
}

TEST(EditControlLayoutTest, wrappedLineQueriesCountDisplayLines) {
    auto control = makeControl(5, 3, true);
    control->setText("abcd efgh ijkl\r\nxy");
    // Display lines: "abcd " 0, "efgh " 5, "ijkl" 10, "xy" 16.
    EXPECT_EQ(control->lineCount(), 4);
    EXPECT_EQ(control->lineFromChar(4), 0);
    EXPECT_EQ(control->lineFromChar(5), 1) << "a wrap point belongs to the next display line";
    EXPECT_EQ(control->lineFromChar(14), 2) << "the line break belongs to the last part";
    EXPECT_EQ(control->lineIndex(2), 10);
    EXPECT_EQ(control->lineLength(6), 5);
    EXPECT_EQ(control->lineLength(11), 4);
    EXPECT_EQ(control->posFromChar(7).x, 2 * kW);
    EXPECT_EQ(control->posFromChar(7).y, kH);
    control->lineScroll(0, 2);
    EXPECT_EQ(control->firstVisibleLine(), 2);
    EXPECT_EQ(control->posFromChar(17).y, kH);
    EXPECT_EQ(control->posFromChar(0).y, -2 * kH);
    EXPECT_EQ(control->charFromPos(kW + 1, kH), 17);
    // End on a wrapped part stays on it; Down keeps the x.
    control->setSel(6, 6);
    control->moveCaret(CaretMove::LineEnd, false);
    EXPECT_EQ(control->caret(), 9);
    control->setSel(1, 1);
    control->moveCaret(CaretMove::LineDown, false);
    EXPECT_EQ(control->caret(), 6);
    control->moveCaret(CaretMove::LineDown, false);
    EXPECT_EQ(control->caret(), 11);
}

TEST(EditControlLayoutTest, togglingWordWrapKeepsTextSelectionTopLineAndSettings) {
    auto control = makeControl(10, 4, false);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "line " + std::to_string(i) + " with some words\r\n";
    control->setText(text);
    control->setTabStops(4);
    control->setMargins(3, 2);
    control->setReadOnly(true);
    control->setModify(true);
    control->lineScroll(0, 10);
    control->setSel(300, 310);
    int topOffset = control->lineIndex(control->firstVisibleLine());

    control->setWordWrap(true);
    EXPECT_EQ(control->getText(), text);
    EXPECT_EQ(control->anchor(), 300);
    EXPECT_EQ(control->caret(), 310);
    EXPECT_EQ(control->lineIndex(control->firstVisibleLine()), topOffset);
    EXPECT_EQ(control->tabWidth(), 4 * kW);
    EXPECT_EQ(control->getRect().left, 3);
    EXPECT_TRUE(control->isReadOnly());
    EXPECT_TRUE(control->getModify());
    EXPECT_GT(control->lineCount(), 41);

    control->setWordWrap(false);
    EXPECT_EQ(control->lineCount(), 41);
    EXPECT_EQ(control->firstVisibleLine(), 10);
    EXPECT_EQ(control->caret(), 310);
}

TEST(EditControlLayoutTest, aLongLineWithoutWrapGivesPositionsAnywhereInIt) {
    auto control = makeControl(40, 5, false);
    std::string line;
    std::vector<int> stops;
    for (int i = 0; i < 20000; ++i) {
        stops.push_back(static_cast<int>(line.size()));
        line += i % 7 == 0 ? "\t" : (i % 5 == 0 ? "\xC3\xA9" : "a");
    }
    stops.push_back(static_cast<int>(line.size()));
    control->setText(line + "\r\nnext");
    ReferenceLayout reference(0, 8 * kW);
    for (int unit : {0, 1, 3500, 8001, 13333, 20000}) {
        int offset = stops[static_cast<std::size_t>(unit)];
        SCOPED_TRACE(offset);
        control->setSel(offset, offset);
        control->scrollCaret();
        int x = reference.x(line, 0, offset) - control->horizontalScroll();
        EXPECT_EQ(control->posFromChar(offset).x, x);
        EXPECT_GE(x, 0);
        EXPECT_LT(x, 40 * kW);
        EXPECT_EQ(control->charFromPos(x + 1, 0), offset);
        std::vector<VisibleChar> chars;
        control->visibleChars(control->visibleLines().front().line, chars);
        ASSERT_FALSE(chars.empty());
        EXPECT_LE(chars.front().x, 0);
        for (std::size_t i = 1; i < chars.size(); ++i) ASSERT_EQ(chars[i].x, chars[i - 1].x + chars[i - 1].width);
    }
}

TEST(EditControlLayoutTest, typingAtTheEndOfALongWrappedLineMatchesAFreshLayout) {
    auto control = makeControl(30, 10, true);
    std::mt19937 random(5);
    std::string text = words(3000, random);
    control->setText(text);
    control->setSel(static_cast<int>(text.size()), static_cast<int>(text.size()));
    control->scrollCaret();
    for (const char* typed : {"hello", " ", "world", " ", "\t", "x"}) {
        ASSERT_TRUE(control->typeText(typed));
        text += typed;
    }
    auto fresh = makeControl(30, 10, true);
    fresh->setText(text);
    ASSERT_EQ(control->lineCount(), fresh->lineCount());
    for (int i = 0; i < fresh->lineCount(); ++i) ASSERT_EQ(control->lineIndex(i), fresh->lineIndex(i));
    EXPECT_EQ(control->lineFromChar(-1), control->lineCount() - 1);
}

TEST(EditControlLayoutTest, visibleLinesAndCharsDescribeTheScreen) {
    auto control = makeControl(10, 2, false);
    control->setMargins(5, 0);
    control->setText(std::string("ab\tc\r\nd\0\re\xE2\x82\xAC\x80\r\nthird", 21));
    std::vector<VisibleLine> lines = control->visibleLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].y, kH);
    std::vector<VisibleChar> chars;
    control->visibleChars(lines[0].line, chars);
    ASSERT_EQ(chars.size(), 4u);
    EXPECT_EQ(chars[2].kind, UnitKind::Tab);
    EXPECT_EQ(chars[2].width, 6 * kW);
    EXPECT_EQ(chars[3].x, 5 + 8 * kW) << "past the tab stop, right of the margin";
    control->visibleChars(lines[1].line, chars);
    std::vector<UnitKind> kinds;
    for (const VisibleChar& c : chars) kinds.push_back(c.kind);
    std::vector<UnitKind> expected = {UnitKind::Text, UnitKind::Symbol, UnitKind::Symbol,
                                      UnitKind::Text, UnitKind::Text,   UnitKind::Cp1252};
    EXPECT_EQ(kinds, expected) << "a NUL and a stray CR are shown as symbols";
    control->setHorizontalScroll(3 * kW);
    control->visibleChars(lines[1].line, chars);
    ASSERT_GE(chars.size(), 3u);
    EXPECT_EQ(chars[0].offset, 9) << "e";
    EXPECT_EQ(chars[1].codePoint, U'\u20AC');
    EXPECT_EQ(chars[2].kind, UnitKind::Cp1252);
    EXPECT_EQ(chars[2].codePoint, U'\u20AC') << "the byte 0x80 alone shows as its Windows-1252 character";
}

}  // namespace
}  // namespace tagloom
