// The four bookmark commands on texts whose bookmarked lines end CR CR LF.
#include <gtest/gtest.h>

#include "resources/CommandIds.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

struct Marked : test::ViewFixture {
    explicit Marked(const std::string& editorText) {
        load("");
        control().setText(editorText);
    }
    int caretLine() { return control().textLineFromChar(control().selection().start) + 1; }
    void caretOnLine(int line) {
        const int start = control().textLineIndex(line - 1);
        select(start, start);
    }
};

std::string lines(int count, std::initializer_list<int> marked) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line" + std::to_string(i);
        if (i == count) break;
        text += std::find(marked.begin(), marked.end(), i) != marked.end() ? "\r\r\n" : "\r\n";
    }
    return text;
}

TEST(BookmarkCommands, toggleAddsOrRemovesOneCarriageReturnAndTwiceLeavesTheTextAsItWas) {
    struct Case {
        std::string text;
        int caret;
        std::string once, twice;
    };
    const Case cases[] = {
        {"ab\r\ncd\r\n", 1, "ab\r\r\ncd\r\n", "ab\r\ncd\r\n"},
        {"ab\r\ncd", 5, "ab\r\ncd\r\r\n", "ab\r\ncd\r\n"},  // the last line: one empty line stays added
        {"\nx", 0, "\nx", "\nx"},                            // a line feed at 0: nothing to mark
    };
    for (const Case& c : cases) {
        Marked m(c.text);
        m.select(c.caret, c.caret);
        ASSERT_TRUE(m.router.run(cmd::ToggleBookmark));
        EXPECT_EQ(m.text(), c.once);
        EXPECT_EQ(m.control().selection(), (Selection{c.caret, c.caret})) << "the selection is put back as it was";
        m.router.run(cmd::ToggleBookmark);
        EXPECT_EQ(m.text(), c.twice);
    }
}

TEST(BookmarkCommands, toggleWorksOnAReadOnlyTextAndEnablesTheOthersAtOnce) {
    Marked m("a\r\nb\r\n");
    m.router.run(cmd::ReadOnly);
    EXPECT_FALSE(m.router.query(cmd::NextBookmark).enabled);
    ASSERT_TRUE(m.router.run(cmd::ToggleBookmark));
    EXPECT_EQ(m.text(), "a\r\r\nb\r\n");
    for (const int id : {cmd::NextBookmark, cmd::PreviousBookmark, cmd::ClearBookmarks})
        EXPECT_TRUE(m.router.query(id).enabled) << id;
}

TEST(BookmarkCommands, nextAndPreviousGoToTheStartOfMarkedLinesAndWrapAround) {
    struct Case {
        int marksFrom, command, caretLine, expectedLine;
    };
    const Case cases[] = {
        {0, cmd::NextBookmark, 5, 7},     {0, cmd::PreviousBookmark, 5, 3}, {0, cmd::NextBookmark, 7, 3},
        {1, cmd::NextBookmark, 4, 4},     {1, cmd::PreviousBookmark, 4, 4},
    };
    for (const Case& c : cases) {
        Marked m(c.marksFrom == 0 ? lines(10, {3, 7}) : lines(10, {4}));
        m.pane(str::PaneLines);
        m.caretOnLine(c.caretLine);
        ASSERT_TRUE(m.router.run(c.command));
        EXPECT_EQ(m.caretLine(), c.expectedLine) << c.command << " from line " << c.caretLine;
        EXPECT_TRUE(m.control().selection().empty());
        EXPECT_EQ(m.control().selection().start, m.control().textLineIndex(c.expectedLine - 1));
    }
}

TEST(BookmarkCommands, withoutMarksNextAndPreviousPutTheSelectionBackSilently) {
    Marked m(lines(5, {2}));
    m.pane(str::PaneLines);
    m.router.run(cmd::ClearBookmarks);
    EXPECT_EQ(m.text(), lines(5, {}));
    EXPECT_TRUE(m.router.query(cmd::NextBookmark).enabled) << "until the status bar recounts";
    m.select(8, 10);
    m.router.run(cmd::NextBookmark);
    m.router.run(cmd::PreviousBookmark);
    EXPECT_EQ(m.control().selection(), (Selection{8, 10}));
    EXPECT_EQ(m.fake.desktop.beeps, 0);
    m.pane(str::PaneLines);
    EXPECT_FALSE(m.router.query(cmd::NextBookmark).enabled);
}

TEST(BookmarkCommands, clearShrinksEveryRunOfCarriageReturnsAndKeepsTheSelectionOnItsText) {
    Marked m("a\r\r\nb\r\r\r\nc\r\rd");
    m.pane(str::PaneLines);
    m.select(9, 10);  // "c"
    ASSERT_TRUE(m.router.run(cmd::ClearBookmarks));
    EXPECT_EQ(m.text(), "a\r\nb\r\nc\rd");
    EXPECT_EQ(m.control().selectedText(), "c");
}

TEST(BookmarkCommands, aDeletedMarkedLineEndTakesItsBookmarkAndThePasteFromLifoBringsItBack) {
    Marked m(lines(4, {2}));
    const int lineFeed = static_cast<int>(m.text().find("\r\r\n"));
    m.select(lineFeed - 2, lineFeed + 3);
    ASSERT_TRUE(m.router.run(cmd::Cut));
    m.pane(str::PaneLines);
    EXPECT_EQ(m.pane(str::PaneBookmarks), "\t0 BM");
    m.select(0, 0);
    ASSERT_TRUE(m.router.run(cmd::PasteFromLifo));
    m.pane(str::PaneLines);
    EXPECT_EQ(m.pane(str::PaneBookmarks), "\t1 BM");
}

}  // namespace
}  // namespace tagloom
