// The insertion commands with a stand-in view: the exact bytes they put in,
// the selection they leave, the entry dialog's loop and its beeps.
#include "html/InsertCommands.h"

#include <gtest/gtest.h>

#include "html/Insertions.h"
#include "resources/CommandIds.h"
#include "support/ComponentFixture.h"

namespace tagloom {
namespace {

struct Inserts : test::ComponentFixture {
    InsertCommands commands{view, fake.platform, router};
    Selection selection() { return view.control().selection(); }
};

TEST(InsertCommands, htmlTagsWrapTheSelectionOrInsertAnEmptyElementAndRefuseBadNames) {
    struct Case {
        const char* name;
        std::vector<std::optional<std::string>> typed;
        int start, end;
        std::string text;
        Selection selected;
        int beeps;
        std::vector<std::string> shown;  // the value each dialog opened with
    };
    const Case cases[] = {
        {"wrapped, in small letters", {" <B> "}, 2, 6, "a <b>bold</b> b", {2, 13}, 0, {""}},
        {"an empty element at the caret", {"br"}, 2, 2, "a <br />bold b", {2, 8}, 0, {""}},
        {"blank: one beep, then asked again", {"   ", "i"}, 2, 6, "a <i>bold</i> b", {2, 13}, 1, {"", ""}},
        {"a digit: two beeps, the cleaned value offered", {"<H1>", std::nullopt}, 2, 6, "a bold b", {2, 6}, 2,
         {"", "h1"}},
        {"cancelled", {std::nullopt}, 2, 6, "a bold b", {2, 6}, 0, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Inserts f;
        f.load("a bold b", c.start, c.end);
        f.fake.textDialogs.answers.assign(c.typed.begin(), c.typed.end());
        f.router.run(cmd::HtmlTags);
        EXPECT_EQ(f.text(), c.text);
        EXPECT_EQ(f.selection(), c.selected);
        EXPECT_EQ(f.fake.desktop.beeps, c.beeps);
        ASSERT_EQ(f.fake.textDialogs.entries.size(), c.shown.size());
        for (std::size_t i = 0; i < c.shown.size(); ++i) {
            EXPECT_EQ(f.fake.textDialogs.entries[i].title, "Tagloom - Insert HTML Tag");
            EXPECT_EQ(f.fake.textDialogs.entries[i].value, c.shown[i]);
        }
    }
}

TEST(InsertCommands, blocksReplaceTheSelectionAndLeaveTheCaretAfterThem) {
    struct Case {
        int id;
        std::string text;
    };
    const Case cases[] = {
        {cmd::ScriptBlock, "<script type=\"text/javascript\">\r\n<!--\r\n//-->\r\n</script>\r\n"},
        {cmd::StyleBlock,
         "<style type=\"text/css\" media=\"screen\">\r\n<!-- /* the following styles are specific to this page "
         "*/\r\n-->\r\n</style>\r\n"},
        {cmd::CommentBlock, "<!-- place HTML comment here -->"},
        {cmd::PhpBasicBlock, "<?php\r\n/* place PHP code here */\r\n?>"},
        {cmd::PhpEchoBlock, "echo <<<_END\r\nplace HTML here\r\n_END;\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Inserts f;
        f.load("[x]", 1, 2);
        f.router.run(c.id);
        EXPECT_EQ(f.text(), "[" + c.text + "]");
        const int after = 1 + static_cast<int>(c.text.size());
        EXPECT_EQ(f.selection(), (Selection{after, after}));
    }
}

TEST(InsertCommands, tableTraceCodeIsSelectedAndTheCssBlockHasItsLinesAndTabs) {
    Inserts f;
    f.load("ab", 1, 1);
    f.router.run(cmd::InsertTableTraceCode);
    const std::string trace(tableTraceCode());
    EXPECT_EQ(f.text(), "a" + trace + "b");
    EXPECT_EQ(f.selection(), (Selection{1, 1 + static_cast<int>(trace.size())}));
    EXPECT_EQ(trace.substr(0, 25), "\r\n<style type=\"text/css\">");
    EXPECT_EQ(trace.substr(trace.size() - 4), "\r\n\r\n");

    const std::string css(*fixedBlockText(cmd::CssBasicBlock));
    EXPECT_EQ(std::count(css.begin(), css.end(), '\n'), 26);
    EXPECT_EQ(std::count(css.begin(), css.end(), '\t'), 12);
    EXPECT_NE(css.find("}\r\na:active{ /* must follow a:hover */\r\n\tcolor: green;\r\n}\r\n-->\r\n</style>\r\n"),
              std::string::npos);
}

TEST(InsertCommands, xhtmlSkeletonsNeedAnEmptySelectionAndCarryTheStandardsIdentifiers) {
    Inserts f;
    f.load("x", 0, 1);
    EXPECT_FALSE(f.router.query(cmd::XhtmlStrict).enabled);
    EXPECT_FALSE(f.router.query(cmd::XhtmlTransitional).enabled);
    f.load("", 0, 0);
    EXPECT_TRUE(f.router.query(cmd::XhtmlStrict).enabled);
    f.router.run(cmd::XhtmlStrict);
    const std::string page = f.text();
    EXPECT_EQ(std::count(page.begin(), page.end(), '\n'), 18);
    EXPECT_EQ(page.substr(0, page.find("<html")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 "
              "Strict//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n");
    EXPECT_NE(page.find("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n\t<head>\r\n"
                        "\t\t<title>An XHTML 1.0 Strict standard template\r\n"),
              std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");

    const std::string transitional(*xhtmlSkeleton(cmd::XhtmlTransitional));
    EXPECT_NE(transitional.find("\"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                                "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\""),
              std::string::npos);
    EXPECT_NE(transitional.find("<p>Your HTML Transitional standard content here"), std::string::npos);
}

TEST(InsertCommands, characterCodesGoToTheDocumentAndTheClipboardAndNothingGoesIntoAReadOnlyText) {
    const std::pair<int, std::string> codes[] = {{cmd::CharAmp, "&amp;"}, {cmd::CharQuot, "&quot;"},
                                                 {cmd::CharLt, "&lt;"},   {cmd::CharGt, "&gt;"},
                                                 {cmd::CharNbsp, "&nbsp;"}};
    for (const auto& [id, entity] : codes) {
        Inserts f;
        f.load("a & b", 2, 3);
        f.router.run(id);
        EXPECT_EQ(f.text(), "a " + entity + " b");
        EXPECT_EQ(f.fake.clipboard.contents, entity);
        f.view.control().setReadOnly(true);
        EXPECT_FALSE(f.router.query(id).enabled);
        EXPECT_FALSE(f.router.query(cmd::HtmlTags).enabled);
        EXPECT_FALSE(f.router.query(cmd::HtmlCharCodes).enabled);
    }
}

TEST(InsertCommands, theCharacterCodeButtonOpensTheMenuItIsGiven) {
    Inserts f;
    int opened = 0;
    f.commands.setCharacterCodeMenu([&] { ++opened; });
    f.router.run(cmd::HtmlCharCodes);
    EXPECT_EQ(opened, 1);
}

}  // namespace
}  // namespace tagloom
