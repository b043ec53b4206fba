// Go to Line, Go to Offset, Scroll to Cursor and Count Marked on a stand-in view.
#include "search/GoToCommands.h"

#include <gtest/gtest.h>

#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"
#include "support/ComponentFixture.h"

namespace tagloom {
namespace {

struct GoTo : test::ComponentFixture {
    EditorSettings settings;
    GoToCommands commands{view, fake.platform, router};
    Selection selection() { return view.control().selection(); }
    void answer(std::optional<std::string> value) { fake.textDialogs.answers.push_back(std::move(value)); }
};

TEST(GoToCommands, goToLineClampsSelectsTheLineWithoutItsBreakAndRemembersIt) {
    struct Case {
        const char* name;
        std::string typed;
        bool lineGuide;
        Selection selected;
    };
    const Case cases[] = {
        {"line 2 selected alone", "2", false, {3, 4}},
        {"with the line guide only the caret", "2", true, {3, 3}},
        {"0 is line 1", "0", false, {0, 1}},
        {"beyond the end is the last line", "99", false, {6, 7}},
        {"white space before the number", "  3x", false, {6, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GoTo f;
        f.load("a\r\nb\r\nc", 0, 0);
        f.view.lineGuideShown = c.lineGuide;
        f.answer(c.typed);
        f.router.run(cmd::GoToLine);
        EXPECT_EQ(f.selection(), c.selected);
        ASSERT_EQ(f.fake.textDialogs.entries.size(), 1u);
        EXPECT_EQ(f.fake.textDialogs.entries[0].title, "Tagloom - Go to Line (1 - 3)");
        EXPECT_TRUE(f.fake.textDialogs.entries[0].digitsOnly);
        EXPECT_EQ(f.fake.textDialogs.entries[0].value, "");
    }

    GoTo f;
    f.load("a\r\nb\r\nc");
    f.answer("2");
    f.answer(std::nullopt);
    f.router.run(cmd::GoToLine);
    f.router.run(cmd::GoToLine);
    EXPECT_EQ(f.fake.textDialogs.entries[1].value, "2");
    EXPECT_EQ(f.selection(), (Selection{3, 4}));
    f.answer("");
    f.router.run(cmd::GoToLine);
    EXPECT_EQ(f.selection(), (Selection{3, 4}));
}

TEST(GoToCommands, goToLineStopsBeforeABareLineFeedAndSelectsNothingOnAnEmptyLine) {
    GoTo f;
    f.load("ab\ncd\r\n\r\nx");
    f.answer("1");
    f.answer("3");
    f.router.run(cmd::GoToLine);
    EXPECT_EQ(f.selection(), (Selection{0, 2}));
    f.router.run(cmd::GoToLine);
    EXPECT_EQ(f.selection(), (Selection{7, 7}));
}

TEST(GoToCommands, goToOffsetClampsAndMovesOffLineBreaksWithANote) {
    struct Case {
        const char* name;
        std::string text;
        std::string typed;
        Selection selected;
        std::string note;
    };
    const std::string hilighted = "\nThe last character on the line is hilighted.";
    const Case cases[] = {
        {"a plain character", "ab\r\ncd", "4", {4, 5}, ""},
        {"the CR of a line end", "ab\r\ncd", "2", {1, 2}, "A \"Carriage Return\" character is at offset 2."},
        {"the LF of a line end", "ab\r\ncd", "3", {1, 2}, "A \"New Line\" character is at offset 3."},
        {"the whole line break at 0 of an empty first line", "\r\nab", "0", {0, 2},
         "A \"Carriage Return\" character is at offset 0."},
        {"beyond the end is the last character", "ab\r\ncd", "100", {5, 6}, ""},
        {"a negative value is the last character", "ab\r\ncd", "-3", {5, 6}, ""},
        {"inside a UTF-8 character, the whole of it", "a\xc3\xa9z", "2", {1, 3}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GoTo f;
        f.load(c.text, 1, 1);
        f.answer(c.typed);
        f.router.run(cmd::GoToOffset);
        EXPECT_EQ(f.selection(), c.selected);
        EXPECT_EQ(f.fake.textDialogs.entries[0].title,
                  "Tagloom - Go to Offset (0 - " + std::to_string(c.text.size() - 1) + ")");
        EXPECT_EQ(f.fake.textDialogs.entries[0].value, "1");
        if (c.note.empty()) {
            EXPECT_TRUE(f.fake.prompter.messages.empty());
        } else {
            ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
            EXPECT_EQ(f.fake.prompter.messages[0],
                      (Message{c.note + hilighted, "Tagloom - Go to Offset", Buttons::Ok, Icon::Information, 0}));
        }
    }
}

TEST(GoToCommands, countMarkedCountsLineEndsAsTwoAndScrollToCursorCentresWhateverTheSetting) {
    GoTo f;
    f.load("ab\r\ncd\r\nef", 0, 8);
    f.router.run(cmd::CountMarked);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0], (Message{"Character Count = 8", "Text Stats", Buttons::Ok, Icon::None, 0}));

    f.settings.bScrollCenter = 0;
    f.router.run(cmd::ScrollToCursor);
    EXPECT_EQ(f.view.scrollsToMiddle, 1);
    EXPECT_EQ(f.settings.bScrollCenter, 0);
    EXPECT_EQ(f.selection(), (Selection{0, 8}));
    EXPECT_EQ(f.view.reveals, 1);

    f.load("");
    EXPECT_FALSE(f.router.query(cmd::GoToLine).enabled);
    EXPECT_FALSE(f.router.query(cmd::GoToOffset).enabled);
    EXPECT_FALSE(f.router.query(cmd::CountMarked).enabled);
}

}  // namespace
}  // namespace tagloom
