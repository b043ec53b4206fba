// The edit control's operations one by one, mostly as tables of cases.
#include "FakeEditObserver.h"
#include "FakeFontMetrics.h"
#include "textmodel/EditControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace tagloom {
namespace {

using test::FakeEditObserver;
using test::FakeFontMetrics;

constexpr int kW = FakeFontMetrics::kWidth;
constexpr int kH = FakeFontMetrics::kHeight;

class EditControlTest : public testing::Test {
protected:
    EditControlTest() {
        control.setFontMetrics(std::make_unique<FakeFontMetrics>());
        control.setClientSize(20 * kW, 5 * kH);
        control.addObserver(observer);
    }

    void load(std::string_view text, int anchor, int caret) {
        control.setText(text);
        control.setSel(anchor, caret);
        observer.events.clear();
    }
    // Changes only: scroll notices filtered out.
    std::vector<std::string> changeEvents() const {
        std::vector<std::string> out;
        for (const std::string& e : observer.events) {
            if (e != "vscroll" && e != "hscroll") out.push_back(e);
        }
        return out;
    }

    EditControl control;
    FakeEditObserver observer;
};

// "|" marks the caret in these texts; "[...]" a selection.
struct Marked {
    std::string text;
    int anchor;
    int caret;
};

Marked parse(std::string_view marked) {
    Marked m{"", -1, -1};
    for (char c : marked) {
        if (c == '|') {
            m.anchor = m.caret = static_cast<int>(m.text.size());
        } else if (c == '[') {
            m.anchor = static_cast<int>(m.text.size());
        } else if (c == ']') {
            m.caret = static_cast<int>(m.text.size());
        } else {
            m.text += c;
        }
    }
    return m;
}

std::string show(const EditControl& control) {
    std::string text = control.copyRange(0, control.length());
    const auto [start, end] = control.selection();
    if (start == end) return text.insert(static_cast<std::size_t>(start), "|");
    text.insert(static_cast<std::size_t>(end), "]");
    return text.insert(static_cast<std::size_t>(start), "[");
}

TEST_F(EditControlTest, setSelClampsAndKeepsTheCaretEnd) {
    struct Case {
        int start, end;
        int anchor, caret;
    };
    const Case cases[] = {
        {3, 3, 3, 3}, {0, -1, 0, 10}, {4, -1, 4, 10}, {7, 2, 7, 2}, {-5, 4, 0, 4}, {2, 99, 2, 10}, {-1, 0, 6, 6},
    };
    for (const Case& c : cases) {
        load("0123456789", 6, 6);
        control.setSel(c.start, c.end);
        EXPECT_EQ(control.anchor(), c.anchor) << c.start << "," << c.end;
        EXPECT_EQ(control.caret(), c.caret) << c.start << "," << c.end;
        const auto [start, end] = control.selection();
        EXPECT_LE(start, end);
        EXPECT_TRUE(changeEvents().empty()) << "a selection is no change of the text";
    }
}

TEST_F(EditControlTest, everyOperationThatMovesTheSelectionTellsOfItOnce) {
    struct Case {
        const char* what;
        std::function<void(EditControl&)> operation;
        int notices;
    };
    const Case cases[] = {
        {"a new caret", [](EditControl& c) { c.setSel(1, 1); }, 1},
        {"the same selection", [](EditControl& c) { c.setSel(2, 4); }, 0},
        {"a new caret end", [](EditControl& c) { c.setSel(2, 5); }, 1},
        {"a replacement: a removal and an insertion", [](EditControl& c) { c.replaceSel("xy"); }, 1},
        {"a key", [](EditControl& c) { c.moveCaret(CaretMove::TextEnd, false); }, 1},
        {"a click", [](EditControl& c) { c.clickAt(0, 0, false); }, 1},
        {"typing", [](EditControl& c) { c.typeText("z"); }, 1},
        {"a text set anew: the caret at 0", [](EditControl& c) { c.setText("new"); }, 1},
        {"the whole text exchanged", [](EditControl& c) { c.exchangeText("brand new"); }, 1},
        {"a scroll", [](EditControl& c) { c.lineScroll(0, 1); }, 0},
        {"a refused edit", [](EditControl& c) { c.setReadOnly(true), c.typeText("z"); }, 0},
    };
    for (const Case& c : cases) {
        load("0123456789\r\nabc", 2, 4);
        observer.selectionNotices = 0;
        c.operation(control);
        EXPECT_EQ(observer.selectionNotices, c.notices) << c.what;
        control.setReadOnly(false);
    }
}

TEST_F(EditControlTest, replaceSelTellsTheRemovalThenTheInsertionThenOneUpdate) {
    load("one two three", 4, 7);
    ASSERT_TRUE(control.replaceSel("2", true));
    EXPECT_EQ(show(control), "one 2| three");
    EXPECT_EQ(changeEvents(), (std::vector<std::string>{"-4:two", "+4:2", "update"}));
    ASSERT_EQ(observer.changes.size(), 2u);
    EXPECT_TRUE(observer.changes[1].canUndo);
    EXPECT_TRUE(control.getModify());

    observer.events.clear();
    control.replaceSel("");
    EXPECT_TRUE(changeEvents().empty()) << "replacing nothing with nothing changes nothing";
}

TEST_F(EditControlTest, programsChangeAReadOnlyTextButTypingIsRefused) {
    load("abc", 1, 2);
    control.setReadOnly(true);
    EXPECT_FALSE(control.typeText("x"));
    EXPECT_FALSE(control.deleteBack());
    EXPECT_FALSE(control.deleteForward());
    EXPECT_FALSE(control.clear());
    EXPECT_EQ(show(control), "a[b]c");
    EXPECT_TRUE(observer.events.empty());
    EXPECT_EQ(control.selectedText(), "b");
    EXPECT_TRUE(control.replaceSel("XY"));
    EXPECT_EQ(show(control), "aXY|c");
}

TEST_F(EditControlTest, lineQueriesCountCrLfAndBookmarkLinesOnce) {
    // Lines: "ab" CR LF, "cd" CR CR LF, "e" CR "f" (a stray CR), LF alone, "", "last".
    load("ab\r\ncd\r\r\ne\rf\n\nlast", 0, 0);
    EXPECT_EQ(control.lineCount(), 5);
    struct Case {
        int offset;
        int line;
        int length;
    };
    const Case cases[] = {{0, 0, 2}, {3, 0, 2}, {4, 1, 2}, {8, 1, 2}, {9, 2, 3}, {12, 2, 3}, {13, 3, 0}, {14, 4, 4},
                          {18, 4, 4}, {99, 4, 4}};
    for (const Case& c : cases) {
        EXPECT_EQ(control.lineFromChar(c.offset), c.line) << c.offset;
        EXPECT_EQ(control.lineLength(c.offset), c.length) << c.offset;
        EXPECT_EQ(control.textLineFromChar(c.offset), c.line) << c.offset;
    }
    const int starts[] = {0, 4, 9, 13, 14};
    for (int line = 0; line < 5; ++line) {
        EXPECT_EQ(control.lineIndex(line), starts[line]);
        EXPECT_EQ(control.textLineIndex(line), starts[line]);
    }
    EXPECT_EQ(control.lineIndex(5), -1);
    EXPECT_EQ(control.lineIndex(-2), -1);
    control.setSel(5, 10);
    EXPECT_EQ(control.lineFromChar(-1), 1) << "-1: the selection start's line";
    EXPECT_EQ(control.lineIndex(-1), 9) << "-1: the caret's line";
    EXPECT_EQ(control.lineLength(-1), 3);
}

TEST_F(EditControlTest, backspaceAndDeleteRemoveALineBreakAndACharacterWhole) {
    struct Case {
        const char* before;
        bool back;
        const char* after;
    };
    const Case cases[] = {
        {"ab\r\n|cd", true, "ab|cd"},
        {"ab\r\r\n|cd", true, "ab|cd"},
        {"ab|\r\ncd", false, "ab|cd"},
        {"ab|\r\r\ncd", false, "ab|cd"},
        {"ab\r|\ncd", false, "ab|cd"},   // a caret put inside the break by a program
        {"ab\r\r|\ncd", true, "a|\r\r\ncd"},
        {"a\r|b", true, "a|b"},          // a stray CR is an ordinary character
        {"a\r\r|\r\nb", true, "a|\r\r\nb"},   // a caret inside the bookmark form
        {"x\xC3\xA9|y", true, "x|y"},
        {"x|\xE2\x82\xAC", false, "x|"},
        {"\xF0\x9F\x98\x80|", true, "|"},
        {"\xE2\x82|\xACz", false, "|z"},
        {"a\xE2\x82|z", true, "a\xE2|z"},   // not UTF-8: byte by byte
        {"a[bc]d", true, "a|d"},
        {"a[bc]d", false, "a|d"},
    };
    for (const Case& c : cases) {
        Marked m = parse(c.before);
        load(m.text, m.anchor, m.caret);
        ASSERT_TRUE(c.back ? control.deleteBack() : control.deleteForward()) << c.before;
        EXPECT_EQ(show(control), c.after) << c.before;
    }
    load("abc", 0, 0);
    EXPECT_FALSE(control.deleteBack());
    control.setSel(3, 3);
    EXPECT_FALSE(control.deleteForward());
    EXPECT_TRUE(observer.events.empty());
}

TEST_F(EditControlTest, caretMovesNeverStopInsideALineBreakOrAUtf8Sequence) {
    using namespace std::string_literals;
    struct Case {
        std::string before;
        CaretMove move;
        bool extend;
        std::string after;
    };
    const Case cases[] = {
        {"ab|\r\ncd", CaretMove::CharRight, false, "ab\r\n|cd"},
        {"ab\r\n|cd", CaretMove::CharLeft, false, "ab|\r\ncd"},
        {"ab|\r\r\ncd", CaretMove::CharRight, false, "ab\r\r\n|cd"},
        {"ab\r\r\n|cd", CaretMove::CharLeft, false, "ab|\r\r\ncd"},
        {"ab\r|\ncd", CaretMove::CharLeft, false, "ab|\r\ncd"},
        {"|\xC3\xA9x", CaretMove::CharRight, false, "\xC3\xA9|x"},
        {"\xE2\x82\xAC|x", CaretMove::CharLeft, false, "|\xE2\x82\xAC" "x"},
        {"|\xF0\x9F\x98\x80", CaretMove::CharRight, false, "\xF0\x9F\x98\x80|"},
        {"\xF0\x9F\x98\x80|", CaretMove::CharLeft, false, "|\xF0\x9F\x98\x80"},
        {"\xE2\x82|\xAC", CaretMove::CharRight, false, "\xE2\x82\xAC|"},
        {"|\xE2\x82z", CaretMove::CharRight, false, "\xE2|\x82z"},         // not UTF-8: byte by byte
        {"|\xC0\x80", CaretMove::CharRight, false, "\xC0|\x80"},           // an overlong form is not UTF-8
        {"|\xED\xA0\x80", CaretMove::CharRight, false, "\xED|\xA0\x80"},   // nor is a surrogate
        {"a|\0b"s, CaretMove::CharRight, false, "a\0|b"s},
        {"ab|c", CaretMove::CharLeft, true, "a]b[c"},
        {"a[bc]d", CaretMove::CharLeft, false, "a|bcd"},
        {"a[bc]d", CaretMove::CharRight, false, "abc|d"},
        {"|foo bar_1+=x", CaretMove::WordRight, false, "foo |bar_1+=x"},
        {"foo |bar_1+=x", CaretMove::WordRight, false, "foo bar_1|+=x"},
        {"foo bar_1|+=x", CaretMove::WordRight, false, "foo bar_1+=|x"},
        {"foo  bar|", CaretMove::WordLeft, false, "foo  |bar"},
        {"foo  |bar", CaretMove::WordLeft, false, "|foo  bar"},
        {"ab|\r\n  cd", CaretMove::WordRight, false, "ab\r\n  |cd"},
        {"ab\r\n|cd", CaretMove::WordLeft, false, "ab|\r\ncd"},
        {"|z\xC3\xA9ta x", CaretMove::WordRight, false, "z\xC3\xA9ta |x"},
        {"ab\r\ncd|e", CaretMove::LineStart, false, "ab\r\n|cde"},
        {"a|b\r\ncde", CaretMove::LineEnd, true, "a[b]\r\ncde"},
        {"ab\r\ncd|e", CaretMove::TextStart, false, "|ab\r\ncde"},
        {"a|b\r\ncde", CaretMove::TextEnd, false, "ab\r\ncde|"},
    };
    for (const Case& c : cases) {
        Marked m = parse(c.before);
        load(m.text, m.anchor, m.caret);
        control.moveCaret(c.move, c.extend);
        Marked expected = parse(c.after);
        EXPECT_EQ(control.anchor(), expected.anchor) << c.before;
        EXPECT_EQ(control.caret(), expected.caret) << c.before;
    }
}

TEST_F(EditControlTest, upAndDownKeepTheColumnAcrossAShortLine) {
    load("abcdef\r\nx\r\nabcdef", 4, 4);
    control.moveCaret(CaretMove::LineDown, false);
    EXPECT_EQ(control.caret(), 9) << "the end of the short line";
    control.moveCaret(CaretMove::LineDown, false);
    EXPECT_EQ(control.caret(), 15) << "back at column 4";
    control.moveCaret(CaretMove::LineDown, false);
    EXPECT_EQ(control.caret(), 15) << "Down on the last line stays";
    control.moveCaret(CaretMove::LineUp, true);
    EXPECT_EQ(control.anchor(), 15);
    EXPECT_EQ(control.caret(), 9);
}

TEST_F(EditControlTest, pageDownMovesTheCaretAndTheViewByAPage) {
    std::string text;
    for (int i = 0; i < 30; ++i) text += "line\r\n";
    load(text, 2, 2);
    control.moveCaret(CaretMove::PageDown, false);
    EXPECT_EQ(control.lineFromChar(-1), 5);
    EXPECT_EQ(control.firstVisibleLine(), 5);
    EXPECT_EQ(control.caret() - control.lineIndex(5), 2);
    control.moveCaret(CaretMove::PageUp, false);
    EXPECT_EQ(control.lineFromChar(-1), 0);
    EXPECT_EQ(control.firstVisibleLine(), 0);
}

TEST_F(EditControlTest, nulBytesAreOrdinaryCharactersThatStay) {
    const std::string text("a\0b\0\r\n\0", 7);
    load(text, 0, 0);
    EXPECT_EQ(control.length(), 7);
    EXPECT_EQ(control.getText(), text);
    EXPECT_EQ(control.charAt(1), '\0');
    EXPECT_EQ(control.lineCount(), 2);
    control.setSel(7, 7);
    ASSERT_TRUE(control.typeText(std::string_view("\0z", 2)));
    const char* locked = control.lock();
    EXPECT_EQ(std::string(locked, 9), text + std::string("\0z", 2));
    EXPECT_EQ(locked[9], '\0') << "and one NUL after the text";
    EXPECT_EQ(control.copyRange(1, 4), std::string("\0b\0", 3));
    EXPECT_EQ(control.charAt(9), '\0');
    EXPECT_THROW(control.charAt(10), std::out_of_range);
}

TEST_F(EditControlTest, typingIsLimitedOnlyByTheChosenLimitNeverByTheOldMegabyte) {
    EXPECT_EQ(control.textLimit(), EditControl::kMaxLength);
    // A 2 MB text loads without any limit, and a user can still type into it.
    load(std::string(2 * 1024 * 1024, 'a'), 0, 0);
    EXPECT_TRUE(control.typeText("x"));
    EXPECT_EQ(control.length(), 2 * 1024 * 1024 + 1);

    control.limitText(10);
    EXPECT_EQ(control.textLimit(), 10);
    load("12345678", 8, 8);
    EXPECT_TRUE(control.typeText("90"));
    EXPECT_FALSE(control.typeText("x")) << "the eleventh character";
    control.setSel(0, 2);
    EXPECT_TRUE(control.typeText("ab")) << "typing over a selection keeps the length";
    EXPECT_FALSE(control.typeText("abc"));
    EXPECT_EQ(control.getText(), "ab34567890");
    EXPECT_TRUE(control.replaceSel("more than ten")) << "programs are not held to the typing limit";
    control.setText(std::string(50, 'z'));
    EXPECT_EQ(control.length(), 50) << "nor is loading";
    control.limitText(0);
    EXPECT_EQ(control.textLimit(), EditControl::kMaxLength);
    control.limitText(-3);
    EXPECT_EQ(control.textLimit(), EditControl::kMaxLength);
}

TEST_F(EditControlTest, settingTheTextRaisesNoChangeAndStartsAtTheTop) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += "line\r\n";
    load(text, 0, 0);
    control.lineScroll(0, 7);
    control.setSel(50, 52);
    control.setModify(true);
    observer.events.clear();
    control.setText("new\r\ntext");
    EXPECT_EQ(changeEvents(), std::vector<std::string>{});
    EXPECT_EQ(observer.events, std::vector<std::string>{"vscroll"});
    EXPECT_EQ(show(control), "|new\r\ntext");
    EXPECT_EQ(control.firstVisibleLine(), 0);
    EXPECT_TRUE(control.getModify()) << "the view sets the modified flag itself";

    std::string big(1000, 'q');
    const char* bigBytes = big.data();
    control.adoptText(std::move(big));
    EXPECT_EQ(control.lock(), bigBytes) << "adopting takes the buffer over without a copy";
    EXPECT_TRUE(changeEvents().empty());
}

TEST_F(EditControlTest, exchangingTheTextIsOneRemovalAndOneInsertion) {
    load("old text", 3, 3);
    control.exchangeText("brand new");
    EXPECT_EQ(changeEvents(), (std::vector<std::string>{"-0:old text", "+0:brand new", "update"}));
    EXPECT_EQ(show(control), "brand new|");
    EXPECT_TRUE(control.getModify());
}

TEST_F(EditControlTest, observersMayLeaveJoinAndEditWhileBeingTold) {
    load("abcdef", 1, 3);
    FakeEditObserver second;
    FakeEditObserver late;
    control.addObserver(second);
    bool edited = false;
    observer.onChangeHook = [&](const TextChange& change) {
        if (change.kind != TextChange::Kind::Removal || edited) return;
        edited = true;
        control.removeObserver(observer);
        control.addObserver(late);
        // A nested edit, which also replaces the storage under the removal's text.
        control.setSel(0, 0);
        control.replaceSel("<");
        control.lock();
    };
    ASSERT_TRUE(control.replaceSel("X"));
    EXPECT_EQ(control.getText(), "<Xadef") << "the insertion goes where the nested edit left the caret";
    EXPECT_EQ(second.events, (std::vector<std::string>{"+0:<", "update", "-1:bc", "+1:X", "update"}))
        << "the removed text stays readable for the later observers";
    EXPECT_EQ(late.events, (std::vector<std::string>{"+0:<", "update", "+1:X", "update"}));
    observer.events.clear();
    control.replaceSel("!");
    EXPECT_TRUE(observer.events.empty()) << "removed for good";
}

TEST_F(EditControlTest, scrollCaretBringsTheCaretIntoViewAndTellsOfIt) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::string(static_cast<std::size_t>(i), 'x') + "\r\n";
    load(text, 0, 0);
    control.setSel(control.lineIndex(30) + 25, control.lineIndex(30) + 25);
    observer.events.clear();
    control.scrollCaret();
    EXPECT_EQ(observer.events, (std::vector<std::string>{"vscroll", "hscroll"}));
    EXPECT_EQ(control.firstVisibleLine(), 26) << "the caret's line at the bottom";
    Point p = control.posFromChar(control.caret());
    EXPECT_GE(p.x, 0);
    EXPECT_LT(p.x, 20 * kW);
    EXPECT_EQ(p.y, 4 * kH);
    control.setSel(0, 0);
    control.scrollCaret();
    EXPECT_EQ(control.firstVisibleLine(), 0);
    EXPECT_EQ(control.horizontalScroll(), 0);

    control.lineScroll(3, 100);
    EXPECT_EQ(control.firstVisibleLine(), 40) << "no further than the last line";
    EXPECT_EQ(control.horizontalScroll(), 3 * kW);
    control.lineScroll(-10, -100);
    EXPECT_EQ(control.firstVisibleLine(), 0);
    EXPECT_EQ(control.horizontalScroll(), 0);
    control.setSel(0, -1);
    control.replaceSel("");
    EXPECT_EQ(control.firstVisibleLine(), 0);
}

TEST_F(EditControlTest, positionsFollowTheMarginsTabsAndWideCharacters) {
    load("a\tb\xE4\xB8\xAD" "c\r\nxyz", 0, 0);
    control.setMargins(7, 3);
    EXPECT_EQ(control.getRect().left, 7);
    EXPECT_EQ(control.getRect().right, 20 * kW - 3);
    EXPECT_EQ(control.getRect().bottom, 5 * kH);
    struct Case {
        int offset;
        int x;
    };
    const Case positions[] = {{0, 0}, {1, kW}, {2, 8 * kW}, {3, 9 * kW}, {4, 9 * kW}, {6, 11 * kW}, {7, 12 * kW}, {8, 12 * kW}};
    for (const Case& c : positions) {
        EXPECT_EQ(control.posFromChar(c.offset).x, 7 + c.x) << c.offset;
        EXPECT_EQ(control.posFromChar(c.offset).y, 0) << c.offset;
    }
    EXPECT_EQ(control.posFromChar(11).x, 7 + 2 * kW);
    EXPECT_EQ(control.posFromChar(11).y, kH);
    const Case clicks[] = {{0, -50}, {0, 7 + 4}, {1, 7 + 6}, {1, 7 + 3 * kW}, {2, 7 + 5 * kW}, {3, 7 + 8 * kW + 6}, {6, 7 + 10 * kW + 1},
                           {7, 7 + 50 * kW}};
    for (const Case& c : clicks) EXPECT_EQ(control.charFromPos(c.x, 5), c.offset) << c.x;
    EXPECT_EQ(control.charFromPos(7 + 15, 5 * kH + 100), 11) << "below the last line";
    control.clickAt(7 + 8 * kW + 6, 5, false);
    control.clickAt(7 + kW + 1, kH + 5, true);
    EXPECT_EQ(control.anchor(), 3) << "a shift-click extends from the first click";
    EXPECT_EQ(control.caret(), 10);

    control.setTabStops(4);
    EXPECT_EQ(control.tabWidth(), 4 * kW);
    EXPECT_EQ(control.posFromChar(2).x, 7 + 4 * kW);
    control.setTabStops(0);
    EXPECT_EQ(control.tabWidth(), 8 * kW);
}

// Lines of 38 bytes, as a page of a gigabyte has thirty million of: the line
// index takes two bytes a line, and with wrap the display-line counts of
// lines that fit take next to nothing.
TEST_F(EditControlTest, memoryStaysCloseToTheTextSizeWithAndWithoutWrap) {
    for (const bool wrap : {false, true}) {
        std::string text;
        while (text.size() < 4'000'000) text += "<p class=\"x\">some text of a line</p>\r\n";
        text.shrink_to_fit();   // as a loaded file's buffer
        const std::size_t size = text.size();
        const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        control.setClientSize(100 * kW, 5 * kH);
        control.setWordWrap(wrap);
        control.adoptText(std::move(text));
        EXPECT_EQ(control.lineCount(), lines) << "wrap " << wrap;
        EXPECT_LT(static_cast<double>(control.memoryUsage()), 1.07 * static_cast<double>(size)) << "wrap " << wrap;
    }
}

}  // namespace
}  // namespace tagloom
