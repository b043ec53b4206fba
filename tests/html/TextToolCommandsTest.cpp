// The three text tools as commands, built on their own with a stand-in view.
#include "html/TextToolCommands.h"

#include <gtest/gtest.h>

#include "resources/CommandIds.h"
#include "support/ComponentFixture.h"

namespace tagloom {
namespace {

struct ToolCommands : test::ComponentFixture {
    TextToolCommands commands{view, fake.platform, router};
};

TEST(TextToolCommands, menuTextsFollowTheSelectionAndAWritableNonEmptyTextEnablesThem) {
    struct Case {
        TextTool tool;
        int commandId;
        const char* selected;
        const char* file;
    };
    const Case cases[] = {
        {TextTool::HtmlRemoveWhitespace, cmd::HtmlRemoveWhitespace, "HTML Remove Whitespace in Selected",
         "HTML Remove Whitespace in File"},
        {TextTool::CssRemoveWhitespace, cmd::CssRemoveWhitespace, "CSS Remove Whitespace in Selected",
         "CSS Remove Whitespace in File"},
        {TextTool::CssFormat, cmd::CssFormat, "CSS Format Selected", "CSS Format File"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ToolCommands f;
        EXPECT_EQ(textToolOf(c.commandId), c.tool);
        f.load("a {b}", 0, 1);
        EXPECT_EQ(f.router.query(c.commandId).text, c.selected);
        EXPECT_TRUE(f.router.query(c.commandId).enabled);
        f.load("a {b}");
        EXPECT_EQ(f.router.query(c.commandId).text, c.file);
        f.view.control().setReadOnly(true);
        EXPECT_FALSE(f.router.query(c.commandId).enabled);
        f.view.control().setReadOnly(false);
        f.load("");
        EXPECT_FALSE(f.router.query(c.commandId).enabled);
    }
    EXPECT_FALSE(textToolOf(cmd::HtmlFormat));
}

TEST(TextToolCommands, aSelectionIsRewrittenInPlaceAndTheWholeTextAsOneStep) {
    ToolCommands f;
    f.load("a{b;c}\r\nx  y", 0, 6);
    ASSERT_TRUE(f.router.run(cmd::CssFormat));
    EXPECT_EQ(f.text(), "a{\r\n\tb;\r\n\tc}\r\n\r\n\r\nx  y");
    EXPECT_EQ(f.view.reveals, 1);
    EXPECT_EQ(f.view.wholeTextReplacements, 0);

    f.load("x  \ty", 0, 0);
    ASSERT_TRUE(f.router.run(cmd::HtmlRemoveWhitespace));
    EXPECT_EQ(f.text(), "x y");
    EXPECT_EQ(f.view.wholeTextReplacements, 1);
}

}  // namespace
}  // namespace tagloom
