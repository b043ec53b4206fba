#include "html/HtmlFormatter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlTestText.h"
#include "LayoutCases.h"

namespace tagloom {
namespace {

using test::crlf;
using test::expectLayouts;
using Outcome = HtmlFormatResult::Outcome;

TEST(HtmlFormatter, laysOutEveryTagOnALineOfItsOwnIndentedByDepth) {
    expectLayouts({
        {"names in small letters, one tag per line", crlf("<HTML>\n<BODY>\n<P>Hi</P>\n</BODY>\n</HTML>"),
         crlf("<html>\n\t<body>\n\t\t<p>Hi\n\t\t</p>\n\t</body>\n</html>\n")},
        {"attributes keep their case; a document type in capitals; html at the margin after it",
         crlf("<!doctype html><HTML><P CLASS=\"Big\">x</P></HTML>"),
         crlf("<!DOCTYPE html>\n<html>\n\t<p CLASS=\"Big\">x\n\t</p>\n</html>\n")},
        {"a line break between attributes leaves a space", crlf("<html><img src=a.png\nalt=b></html>"),
         crlf("<html>\n\t<img src=a.png alt=b>\n</html>\n")},
        {"a line break after a quoted value leaves a space", crlf("<html><a class=\"x\"\nid=b>t</a></html>"),
         crlf("<html>\n\t<a class=\"x\" id=b>t\n\t</a>\n</html>\n")},
        {"a line break with spaces round it leaves one space", crlf("<html><img src=a.png \n alt=b></html>"),
         crlf("<html>\n\t<img src=a.png alt=b>\n</html>\n")},
        {"a line break in text leaves a space between the words", crlf("<html><p>one\n\ntwo</p></html>"),
         crlf("<html>\n\t<p>one two\n\t</p>\n</html>\n")},
        {"a line break after a tag leaves a space before the word", crlf("<html><p><b>a</b>\nword</p></html>"),
         crlf("<html>\n\t<p>\n\t\t<b>a\n\t\t</b> word\n\t</p>\n</html>\n")},
        {"a line break next to a blank leaves no second one", crlf("<html><p>one \ntwo\n three</p></html>"),
         crlf("<html>\n\t<p>one two three\n\t</p>\n</html>\n")},
        {"a script whose tag breaks its line keeps its content",
         crlf("<html><script\nsrc=\"a.js\">var a  =  1; // c\nf();</script></html>"),
         crlf("<html>\n\t<script src=\"a.js\">var a  =  1; // c\nf();\n\t</script>\n</html>\n")},
        {"a pre whose tag breaks its lines keeps its content",
         crlf("<html><PRE\nCLASS=\"x\"\n>a  b\n  c</PRE></html>"),
         crlf("<html>\n\t<pre CLASS=\"x\">a  b\n  c</pre>\n</html>\n")},
        {"a line break before a tag's '>' leaves no space, so the closing text still counts",
         crlf("<html><P\n>x</P\n></html>"), crlf("<html>\n\t<p>x\n\t</p>\n</html>\n")},
        {"script content keeps its own lines", crlf("<html><script>\nvar a;\nvar b;\n</script></html>"),
         crlf("<html>\n\t<script>\nvar a;\nvar b;\n\t</script>\n</html>\n")},
        {"two paragraphs and one closing tag: two levels in, one out", crlf("<html><body><p>a<p>b</p></body></html>"),
         crlf("<html>\n\t<body>\n\t\t<p>a\n\t\t\t<p>b\n\t\t\t</p>\n\t\t</body>\n\t</html>\n")},
        {"a comment comes through byte for byte at the margin",
         crlf("<html>\n<body>\n<!--  two  spaces\n\tand a tab -->\n</body></html>"),
         crlf("<html>\n\t<body>\n<!--  two  spaces\n\tand a tab -->\n\t</body>\n</html>\n")},
        {"a comment's first word keeps its case", "<HTML><!--TODO Fix--><BR></HTML>",
         crlf("<html>\n<!--TODO Fix-->\n\t<br>\n</html>\n")},
        {"a tag inside a comment is no tag", "<html><!-- a <b> c --><p>x</p></html>",
         crlf("<html>\n<!-- a <b> c -->\n\t<p>x\n\t</p>\n</html>\n")},
        {"bookmarked line ends lose their bookmark", "<html>\r\r\n<body>\r\r\n</body></html>",
         crlf("<html>\n\t<body>\n\t</body>\n</html>\n")},
        {"a space between '>' and a line break, and between a line break and '<', goes",
         crlf("<html> \n <body>x</body></html>"), crlf("<html>\n\t<body>x\n\t</body>\n</html>\n")},
        {"TABs and runs of spaces in text become one space", "<html><p> a \t b </p></html>",
         crlf("<html>\n\t<p> a b \n\t</p>\n</html>\n")},
        {"a whole run of blanks between '>' and a line break goes", crlf("<html>\t \t\n <body>x</body></html>"),
         crlf("<html>\n\t<body>x\n\t</body>\n</html>\n")},
        {"in a comment, only a space between '>' and a line break or a line break and '<' goes",
         crlf("<html><!-- a > \n <b>  c  \n  d --></html>"), crlf("<html>\n<!-- a >\n<b>  c  \n  d -->\n</html>\n")},
        {"a closing text anywhere after the name counts", "<html><p><a href=x/p>link</html>",
         crlf("<html>\n\t<p>\n\t\t<a href=x/p>link\n\t</html>\n")},
        {"a closing text before the tag does not count", "<html></p><p>x</html>",
         crlf("<html>\n</p>\n<p>x\n</html>\n")},
        {"\"<!--\" without \"-->\" is an ordinary tag", "<html><!-- note>x</html>",
         crlf("<html>\n<!-- note>x\n</html>\n")},
        {"text in front of the first tag gets a line of its own", crlf("Hello\nworld <html></html>"),
         crlf("Hello world \n<html>\n</html>\n")},
        {"white space in front of the first tag goes", crlf("  \n\t<html></html>"), crlf("<html>\n</html>\n")},
        {"text after the last tag stays on its line", crlf("<html></html>\nbye\n"), crlf("<html>\n</html> bye\n")},
    });
}

// A browser shows a '>' that no tag opened as the character: the page is
// laid out, not refused.
TEST(HtmlFormatter, aGreaterThanThatNoTagOpenedIsText) {
    expectLayouts({
        {"in text", "<html>a > b</html>", crlf("<html>a > b\n</html>\n")},
        {"before the first tag", "a > <html></html>", crlf("a > \n<html>\n</html>\n")},
        {"alone in an element", "<html><code>></code></html>", crlf("<html>\n\t<code>>\n\t</code>\n</html>\n")},
        {"after an escaped '<', as generated documentation writes it", "<html><p>&#x3C;Function></p></html>",
         crlf("<html>\n\t<p>&#x3C;Function>\n\t</p>\n</html>\n")},
        {"after script content", "<html><script>a > b</script> c > d</html>",
         crlf("<html>\n\t<script>a > b\n\t</script> c > d\n</html>\n")},
    });
}

TEST(HtmlFormatter, deepNestingIndentsEveryLevelAndAlwaysFits) {
    const int depth = 200;
    std::string input = "<html>";
    std::string expected = "<html>\r\n";
    for (int d = 1; d <= depth; ++d) {
        input += "<div>";
        expected += std::string(static_cast<std::size_t>(d), '\t') + "<div>\r\n";
    }
    for (int d = depth; d >= 1; --d) {
        input += "</div>";
        expected += std::string(static_cast<std::size_t>(d), '\t') + "</div>\r\n";
    }
    input += "</html>";
    expected += "</html>\r\n";
    const HtmlFormatResult result = HtmlFormatter().format(input);
    ASSERT_EQ(result.outcome, Outcome::Formatted);
    EXPECT_EQ(result.text, expected);
}

TEST(HtmlFormatter, aResultTooLargeForMemoryLeavesTheDocumentAsItIs) {
    std::string deep = "<html>";
    for (int d = 0; d < 50000; ++d) deep += "<div>";
    for (int d = 0; d < 50000; ++d) deep += "</div>";
    deep += "</html>";
    for (const HtmlFormatResult& result : {HtmlFormatter().format(deep), HtmlFormatter(10).format("<html></html>")}) {
        ASSERT_EQ(result.outcome, Outcome::OutOfMemory);
        ASSERT_TRUE(result.message);
        EXPECT_EQ(result.message->text, "Memory allocation problem.\nDocument is unchanged.");
        EXPECT_EQ(result.message->title, "HTML Format");
        EXPECT_EQ(result.message->icon, Icon::Error);
        EXPECT_TRUE(result.text.empty());
    }
}

TEST(HtmlFormatter, longTagNamesAreComparedWhole) {
    const std::string common(9999, 'n');
    const std::string a = common + "x";
    const std::string b = common + "y";
    const HtmlFormatResult different = HtmlFormatter().format("<html><" + a + ">t</" + b + "></html>");
    ASSERT_EQ(different.outcome, Outcome::Formatted);
    EXPECT_EQ(different.text, "<html>\r\n\t<" + a + ">t\r\n</" + b + ">\r\n</html>\r\n");
    const HtmlFormatResult same = HtmlFormatter().format("<html><" + a + ">t</" + a + "></html>");
    ASSERT_EQ(same.outcome, Outcome::Formatted);
    EXPECT_EQ(same.text, "<html>\r\n\t<" + a + ">t\r\n\t</" + a + ">\r\n</html>\r\n");
}

struct DelimiterCase {
    const char* name;
    std::string input;
    char missing;
    Selection selection;
};

TEST(HtmlFormatter, aMissingDelimiterSelectsTheSuspectStretchAndChangesNothing) {
    const std::vector<DelimiterCase> cases = {
        {"a tag never closed: its '<' through the next '<'", "<html><body <p>x</p></html>", '>', {6, 13}},
        {"brackets inside comments are not counted", "<html><!-- > < -->x < </html>", '>', {20, 23}},
        {"offsets are the document's, not the normalised copy's", "<html>\r\n\t\t<body <p>", '>', {10, 17}},
        {"a text ending inside a tag: its '<' through the end", "<html><body></body></html><p", '>', {26, 28}},
        {"\"<!--\" without \"-->\" opens an ordinary tag", "<html><!-- note <b>x</b></html>", '>', {6, 17}},
        {"a comment that joining a tag's lines made still points at the right tags",
         "<html><!-- <b --\r\n><i <u></html>",
         '>',
         {19, 23}},
    };
    const HtmlFormatter formatter;
    for (const DelimiterCase& c : cases) {
        const HtmlFormatResult result = formatter.format(c.input);
        ASSERT_EQ(result.outcome, Outcome::MissingDelimiter) << c.name;
        EXPECT_EQ(result.selection, c.selection) << c.name;
        ASSERT_TRUE(result.message) << c.name;
        EXPECT_EQ(result.message->text, std::string("Missing tag delimiter!\n\nLook for a missing '") + c.missing +
                                            "'\nwithin the hilighted text.")
            << c.name;
        EXPECT_EQ(result.message->title, "HTML Format");
        EXPECT_EQ(result.message->icon, Icon::Warning);
        EXPECT_EQ(result.message->buttons, Buttons::Ok);
        EXPECT_TRUE(result.text.empty());
    }
}

TEST(HtmlFormatter, theCensusCountsOpeningTagsAndCommentsInOrderOfFirstAppearance) {
    const HtmlFormatResult result =
        HtmlFormatter().format("<!doctype html><html><!-- a --><!--b--><P><p></P><img src=x></html>");
    ASSERT_EQ(result.outcome, Outcome::Formatted);
    const std::vector<TagCount> expected = {{"!DOCTYPE", 1}, {"html", 1}, {"!--", 1},
                                            {"!--b--", 1},   {"p", 2},    {"img", 1}};
    EXPECT_EQ(result.census.tags, expected);
    EXPECT_EQ(result.census.comments, 2);
}

TEST(HtmlFormatter, theCensusReportAsksToPutTheListOnTheClipboard) {
    const HtmlFormatResult result = HtmlFormatter().format(crlf("<HTML>\n<BODY>\n<P>Hi</P>\n</BODY>\n</HTML>"));
    ASSERT_EQ(result.outcome, Outcome::Formatted);
    const auto report = result.census.report();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->text,
              "Found 3 unique tags and 0 comments.\n\n1\t<html>\n1\t<body>\n1\t<p>\n\nPut tags on the Clipboard ?");
    EXPECT_EQ(report->title, "HTML Format");
    EXPECT_EQ(report->buttons, Buttons::YesNo);
    EXPECT_EQ(report->icon, Icon::Question);
    EXPECT_EQ(result.census.clipboardText(), "1\t<html>\r\n1\t<body>\r\n1\t<p>\r\n");
}

TEST(HtmlFormatter, moreThanThirtyNamesAreNotListedButAllGoToTheClipboard) {
    for (const int names : {30, 31}) {
        std::string input = "<html>";
        std::string list;
        for (int i = 1; i < names; ++i) {
            input += "<t" + std::to_string(i) + ">";
            list += "1\t<t" + std::to_string(i) + ">\n";
        }
        input += "</html>";
        const HtmlFormatResult result = HtmlFormatter().format(input);
        ASSERT_EQ(result.outcome, Outcome::Formatted);
        const std::string header = "Found " + std::to_string(names) + " unique tags and 0 comments.\n\n";
        const std::string shown = names > 30 ? "Too many to display!\n" : "1\t<html>\n" + list;
        EXPECT_EQ(result.census.report()->text, header + shown + "\nPut tags on the Clipboard ?");
        EXPECT_EQ(result.census.clipboardText(), crlf("1\t<html>\n" + list));
    }
}

TEST(HtmlFormatter, aDocumentWithoutOpeningTagsShowsNoCensus) {
    const HtmlFormatResult result = HtmlFormatter().format("</a></b>");
    ASSERT_EQ(result.outcome, Outcome::Formatted);
    EXPECT_EQ(result.text, "</a>\r\n</b>\r\n");
    EXPECT_FALSE(result.census.report());
}

TEST(HtmlFormatter, bookmarksAreOnlyWarnedAboutWhenConfirmationIsOn) {
    const auto warning = HtmlFormatter::bookmarkWarning(true, 2);
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning->text, "All Bookmarks will be lost!\n\nThey can be recovered after Undo.");
    EXPECT_EQ(warning->title, "HTML Format");
    EXPECT_EQ(warning->buttons, Buttons::OkCancel);
    EXPECT_EQ(warning->icon, Icon::Warning);
    EXPECT_EQ(warning->defaultButton, 1);  // Cancel
    EXPECT_FALSE(HtmlFormatter::bookmarkWarning(false, 2));
    EXPECT_FALSE(HtmlFormatter::bookmarkWarning(true, 0));
}

}  // namespace
}  // namespace tagloom
