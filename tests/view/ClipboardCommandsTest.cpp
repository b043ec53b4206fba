// Cut, Copy, Paste and the LIFO buffer, built on their own with a stand-in view.
#include "view/ClipboardCommands.h"

#include <gtest/gtest.h>

#include "resources/CommandIds.h"
#include "search/Bookmarks.h"
#include "support/ComponentFixture.h"

namespace tagloom {
namespace {

struct ClipboardFixture : test::ComponentFixture {
    Bookmarks bookmarks{view.control()};
    ClipboardCommands commands{view, fake.platform, router, bookmarks};
    std::string shown() {
        const Selection s = view.control().selection();
        std::string t = text();
        if (s.empty()) return t.insert(static_cast<std::size_t>(s.start), "|");
        t.insert(static_cast<std::size_t>(s.end), "]");
        return t.insert(static_cast<std::size_t>(s.start), "[");
    }
};

TEST(ClipboardCommands, cutCopyAndPasteWorkOnTheSelectionAndNothingIsLostWhenTheClipboardRefuses) {
    ClipboardFixture f;
    f.load("hello world", 0, 5);
    ASSERT_TRUE(f.router.run(cmd::Cut));
    EXPECT_EQ(f.fake.clipboard.contents, "hello");
    EXPECT_EQ(f.shown(), "| world");
    f.view.control().setSel(6, 6);
    ASSERT_TRUE(f.router.run(cmd::Paste));
    EXPECT_EQ(f.shown(), " worldhello|");
    f.view.control().setSel(0, 1);
    ASSERT_TRUE(f.router.run(cmd::Delete));
    EXPECT_EQ(f.fake.clipboard.contents, "hello") << "Delete leaves the clipboard alone";

    f.fake.clipboard.available = false;
    f.view.control().setSel(0, 5);
    f.router.run(cmd::Cut);
    EXPECT_EQ(f.shown(), "[world]hello") << "the text stays when the clipboard refuses it";
    EXPECT_EQ(f.commands.lifoTexts, (std::vector<std::string>{"world", "hello"}));
}

// A selection beyond what the clipboard takes (the whole of a page of a
// gigabyte) is neither cut nor copied: the user is told, the text and the
// clipboard stay, and nothing goes to the LIFO buffer.
TEST(ClipboardCommands, aSelectionLargerThanTheClipboardTakesIsRefusedWithAMessage) {
    struct Case {
        int command;
        int extra;  // bytes beyond the largest copy
        const char* title;
    };
    for (const Case c : {Case{cmd::Copy, 1, "Tagloom - Copy"}, Case{cmd::Cut, 1, "Tagloom - Cut"},
                         Case{cmd::Copy, 0, nullptr}}) {
        ClipboardFixture f;
        f.fake.clipboard.contents = "before";
        f.load(std::string(static_cast<std::size_t>(ClipboardCommands::kLargestCopy + c.extra), 'x'), 0, -1);
        ASSERT_TRUE(f.router.run(c.command));
        if (!c.title) {
            EXPECT_EQ(f.fake.clipboard.contents.value_or("").size(), static_cast<std::size_t>(ClipboardCommands::kLargestCopy));
            EXPECT_TRUE(f.fake.prompter.messages.empty());
            continue;
        }
        ASSERT_EQ(f.fake.prompter.messages.size(), 1u) << c.title;
        EXPECT_EQ(f.fake.prompter.messages[0],
                  (Message{"The selection is too large for the clipboard, which takes up to 64 MB.", c.title, Buttons::Ok,
                           Icon::Warning, 0}));
        EXPECT_EQ(f.fake.clipboard.contents, "before") << c.title;
        EXPECT_EQ(f.view.control().length(), ClipboardCommands::kLargestCopy + c.extra) << c.title;
        EXPECT_TRUE(f.commands.lifoTexts.empty()) << c.title;
    }
}

TEST(ClipboardCommands, aReadOnlyTextIsCopiedButNeitherCutNorPastedInto) {
    ClipboardFixture f;
    f.fake.clipboard.contents = "clip";
    f.load("abc", 1, 2);
    f.view.control().setReadOnly(true);
    EXPECT_FALSE(f.router.run(cmd::Cut));
    EXPECT_FALSE(f.router.run(cmd::Paste));
    EXPECT_FALSE(f.router.run(cmd::Delete));
    EXPECT_EQ(f.shown(), "a[b]c");
    ASSERT_TRUE(f.router.run(cmd::Copy));
    EXPECT_EQ(f.fake.clipboard.contents, "b");
}

TEST(ClipboardCommands, aPasteIsStoredInTheDocumentsEncodingOrRefusedWithABeep) {
    ClipboardFixture f;
    f.load("caf\xE9 ", 5, 5);  // Windows-1252
    f.fake.clipboard.setText("\xC3\xA9\xE2\x82\xAC", TextEncoding::Utf8);
    ASSERT_TRUE(f.router.run(cmd::Paste));
    EXPECT_EQ(f.text(), "caf\xE9 \xE9\x80");
    f.fake.clipboard.setText("\xE4\xB8\xAD", TextEncoding::Utf8);
    ASSERT_TRUE(f.router.run(cmd::Paste));
    EXPECT_EQ(f.text(), "caf\xE9 \xE9\x80");
    EXPECT_EQ(f.fake.desktop.beeps, 1);

    f.view.control().setSel(0, 4);
    ASSERT_TRUE(f.router.run(cmd::Copy));
    EXPECT_EQ(f.fake.clipboard.encoding, TextEncoding::Windows1252) << "the bytes travel with their encoding";
}

TEST(ClipboardCommands, aPasteRaisesTheBookmarkCountUntilTheNextRecount) {
    ClipboardFixture f;
    f.fake.clipboard.contents = "x";
    f.load("ab");
    ASSERT_TRUE(f.router.run(cmd::Paste));
    EXPECT_EQ(f.bookmarks.nBookmarks, 1);
    f.bookmarks.recount();
    EXPECT_EQ(f.bookmarks.nBookmarks, 0);
}

}  // namespace
}  // namespace tagloom
