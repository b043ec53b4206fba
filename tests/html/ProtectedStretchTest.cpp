// Stretches that are not mark-up: script, style, textarea and pre content,
// PHP blocks and quoted attribute values, in HTML Format and in the tag
// navigation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlTestText.h"
#include "LayoutCases.h"
#include "html/HtmlFormatter.h"
#include "html/TagNavigator.h"

namespace tagloom {
namespace {

using test::crlf;
using test::expectLayouts;
using Outcome = HtmlFormatResult::Outcome;

TEST(ProtectedStretches, scriptAndStyleContentKeepsItsLinesAndItsClosingTagStartsALine) {
    expectLayouts({
        {"lines kept as they are, closing tag at the opening tag's level",
         crlf("<html>\n<body>\n  <script>\n    if (a < b && c > d) { go(); }\n  </script>\n</body>\n</html>"),
         crlf(
             "<html>\n\t<body>\n\t\t<script>\n    if (a < b && c > d) { go(); }\n\t\t</script>\n\t</body>\n</html>\n")},
        {"content on the opening tag's line stays there; a line break follows it",
         "<html><head><style>p { color: red; }</style></head></html>",
         crlf("<html>\n\t<head>\n\t\t<style>p { color: red; }\n\t\t</style>\n\t</head>\n</html>\n")},
        {"blanks around the content's line breaks stay", crlf("<html><script>  \n\tvar a;\t\n</script></html>"),
         crlf("<html>\n\t<script>  \n\tvar a;\t\n\t</script>\n</html>\n")},
        {"the blanks in front of the closing tag are its indentation, written anew",
         crlf("<html>\n  <style>\n    p {}\n    </style>\n</html>"),
         crlf("<html>\n\t<style>\n    p {}\n\t</style>\n</html>\n")},
        {"content of nothing but blanks gives way to the closing tag's line", "<html><script> \t </script></html>",
         crlf("<html>\n\t<script>\n\t</script>\n</html>\n")},
        {"empty content", "<html><script src=\"a.js\"></script></html>",
         crlf("<html>\n\t<script src=\"a.js\">\n\t</script>\n</html>\n")},
        {"closing tags in capitals or with a blank before '>' end the content",
         "<HTML><SCRIPT>x = 1;</SCRIPT ><Style>p{}</STYLE></HTML>",
         crlf("<html>\n\t<script>x = 1;\n\t</script >\n\t<style>p{}\n\t</style>\n</html>\n")},
        {"a closing tag in a string ends nothing and closes no element",
         "<html><div><script>var s = \"</div>\";</script></html>",
         crlf("<html>\n\t<div>\n\t<script>var s = \"</div>\";\n\t</script>\n</html>\n")},
        {"comment marks inside content, and a tag inside a comment",
         crlf("<html><script><!--\nx--;\n// --></script><!-- <script> --><p>y</p></html>"),
         crlf("<html>\n\t<script><!--\nx--;\n// -->\n\t</script>\n<!-- <script> -->\n\t<p>y\n\t</p>\n</html>\n")},
        {"a tag ending in \"/>\" has no content", "<html><script src=\"a.js\"/><p>a<b>c</b></p></html>",
         crlf("<html>\n\t<script src=\"a.js\"/>\n\t<p>a\n\t\t<b>c\n\t\t</b>\n\t</p>\n</html>\n")},
        {"content without a closing tag runs to the end of the text as it is",
         crlf("<html><body><script>if (a < b) {\n"), crlf("<html>\n<body>\n<script>if (a < b) {\n")},
    });
}

TEST(ProtectedStretches, preAndTextareaContentIsWrittenByteForByteWithItsClosingTag) {
    expectLayouts({
        {"leading blanks, runs of spaces, TABs and line breaks kept",
         crlf("<html><body><pre>  two  spaces\n\tand a tab\n</pre></body></html>"),
         crlf("<html>\n\t<body>\n\t\t<pre>  two  spaces\n\tand a tab\n</pre>\n\t</body>\n</html>\n")},
        {"an empty textarea stays empty, a value keeps its blanks",
         "<html><form><textarea name=a></textarea><textarea name=b>  x  </textarea></form></html>",
         crlf("<html>\n\t<form>\n\t\t<textarea name=a></textarea>\n\t\t<textarea name=b>  x  </textarea>\n\t</form>\n"
              "</html>\n")},
        {"a closing tag in capitals", "<html><PRE> a\tb </Pre></html>", crlf("<html>\n\t<pre> a\tb </pre>\n</html>\n")},
        {"mark-up inside is text", "<html><pre><b>bold</b> &lt;</pre></html>",
         crlf("<html>\n\t<pre><b>bold</b> &lt;</pre>\n</html>\n")},
    });
}

TEST(ProtectedStretches, phpBlocksAreTagsCopiedByteForByte) {
    expectLayouts({
        {"arrows, case, blanks and line breaks kept",
         crlf("<html><body><?PHP\n  foreach ($rows as $k  =>\t$row) { echo $row->name; }\n?><p>x</p></body></html>"),
         crlf("<html>\n\t<body>\n\t\t<?PHP\n  foreach ($rows as $k  =>\t$row) { echo $row->name; "
              "}\n?>\n\t\t<p>x\n\t\t</p>"
              "\n\t</body>\n</html>\n")},
        {"inside a tag and inside a quoted value",
         "<html><option <?php if ($a) echo 'selected'; ?>>A</option><input value=\"<?= $v ? \"x\" : \"y\" ?>\"></html>",
         crlf("<html>\n\t<option <?php if ($a) echo 'selected'; ?>>A\n\t</option>\n\t<input value=\"<?= $v ? \"x\" : "
              "\"y\" ?>\">\n</html>\n")},
        {"a block left open runs to the end of the text as it is", crlf("<html><p>x</p>\n<?php\necho 1;\n"),
         crlf("<html>\n<p>x\n</p>\n<?php\necho 1;\n")},
    });
}

TEST(ProtectedStretches, quotedValuesKeepTheirBytesAndOnlyAQuoteAfterEqualsOpensOne) {
    expectLayouts({
        {"blanks, a line break, '<' and '>' inside a value",
         crlf("<html><p title=\"a  >\tb\n<c\" class='x  y'>t</p></html>"),
         crlf("<html>\n\t<p title=\"a  >\tb\n<c\" class='x  y'>t\n\t</p>\n</html>\n")},
        {"blanks between '=' and the quote; a quote inside an unquoted value is a byte",
         "<html><p title = 'a > b' alt=O'Neil>x</p></html>",
         crlf("<html>\n\t<p title = 'a > b' alt=O'Neil>x\n\t</p>\n</html>\n")},
        {"line breaks and blanks between attributes still join and collapse",
         crlf("<html><img src=\"a  b.png\"\n     alt=\"x\ty\"></html>"),
         crlf("<html>\n\t<img src=\"a  b.png\" alt=\"x\ty\">\n</html>\n")},
        {"comment marks inside a value", "<html><a title=\"<!-- x -->\">l</a></html>",
         crlf("<html>\n\t<a title=\"<!-- x -->\">l\n\t</a>\n</html>\n")},
        {"a quote in text is text", "<html><p>it's \"x\"</p></html>",
         crlf("<html>\n\t<p>it's \"x\"\n\t</p>\n</html>\n")},
    });
}

struct DelimiterCase {
    const char* name;
    std::string input;
    char missing;
    std::string selected;  // the highlighted stretch, which starts at its first occurrence in the input
};

TEST(ProtectedStretches, aValueLeftOpenOrALessThanInTextIsStillAMissingDelimiter) {
    const std::vector<DelimiterCase> cases = {
        {"a value that never closes runs to the end: its tag misses a '>'", "<html><p title=\"x>y</p></html>", '>',
         "<p title=\"x>y</p></html>"},
        {"a '<' in ordinary text", "<html><p>a < b</p></html>", '>', "< b<"},
    };
    for (const DelimiterCase& c : cases) {
        const HtmlFormatResult result = HtmlFormatter().format(c.input);
        ASSERT_EQ(result.outcome, Outcome::MissingDelimiter) << c.name;
        const int start = static_cast<int>(c.input.find(c.selected));
        EXPECT_EQ(result.selection, (Selection{start, start + static_cast<int>(c.selected.size())})) << c.name;
        EXPECT_EQ(result.message->text, std::string("Missing tag delimiter!\n\nLook for a missing '") + c.missing +
                                            "'\nwithin the hilighted text.")
            << c.name;
    }
}

TEST(ProtectedStretches, theCensusCountsNoTagInsideThem) {
    const HtmlFormatResult result = HtmlFormatter().format(
        "<html><script>document.write('<b>' + '<!-- i -->');</script><?php echo '<u>'; ?>"
        "<a href=\"<s>\">x</a><textarea><q></textarea><!-- <q> --></html>");
    ASSERT_EQ(result.outcome, Outcome::Formatted);
    const std::vector<TagCount> expected = {{"html", 1}, {"script", 1},   {"?php", 1},
                                            {"a", 1},    {"textarea", 1}, {"!--", 1}};
    EXPECT_EQ(result.census.tags, expected);
    EXPECT_EQ(result.census.comments, 1);
}

// A page for the navigation, with the offsets of its pieces.
class NavigationPage {
public:
    explicit NavigationPage(std::string text) : text(std::move(text)) {}

    // The whole of the first occurrence of what, from `from` on.
    Selection of(const std::string& what, std::size_t from = 0) const {
        const int start = static_cast<int>(text.find(what, from));
        return {start, start + static_cast<int>(what.size())};
    }

    std::string text;
};

TEST(ProtectedStretches, findTagStepsOverTagsInsideThemAndAQuotedBracketEndsNoTag) {
    const NavigationPage page(
        "<p title=\"a > b\">x</p><script>if (a<b) s = \"<i>\";</script>"
        "<?php $a->b; ?><pre><u>y</u></pre><b>z</b>");
    const std::vector<Selection> tags = {page.of("<p title=\"a > b\">"),
                                         page.of("</p>"),
                                         page.of("<script>"),
                                         page.of("</script>"),
                                         page.of("<?php $a->b; ?>"),
                                         page.of("<pre>"),
                                         page.of("</pre>"),
                                         page.of("<b>"),
                                         page.of("</b>")};
    TagNavigator navigator;
    Selection sel{0, 0};
    for (const Selection& tag : tags) {
        const TagSearchResult next = navigator.findNextTag(page.text, sel);
        ASSERT_EQ(next.kind, TagSearchResult::Kind::Found);
        EXPECT_EQ(next.selection, tag);
        sel = next.selection;
    }
    EXPECT_EQ(navigator.findNextTag(page.text, sel).kind, TagSearchResult::Kind::EndOfText);
    sel = {static_cast<int>(page.text.size()), static_cast<int>(page.text.size())};
    for (auto tag = tags.rbegin(); tag != tags.rend(); ++tag) {
        const TagSearchResult previous = navigator.findPreviousTag(page.text, sel);
        ASSERT_EQ(previous.kind, TagSearchResult::Kind::Found);
        EXPECT_EQ(previous.selection, *tag);
        sel = previous.selection;
    }
    // From inside a quoted value or a script, the next tag is the one after it.
    EXPECT_EQ(navigator.findNextTag(page.text, {12, 12}).selection, page.of("</p>"));
    EXPECT_EQ(navigator.findNextTag(page.text, {page.of("<i>").start, page.of("<i>").start}).selection,
              page.of("</script>"));
}

TEST(ProtectedStretches, findUntaggedFindsContentWholeAndSkipsBlanks) {
    const NavigationPage page("<p title=\"a > b\">x</p>  \r\n  <script>if (a<b) s = \"<i>\";</script>\r\n<b>z</b>");
    TagNavigator navigator;
    const TagSearchResult first = navigator.findNextUntagged(page.text, {0, 0});
    EXPECT_EQ(first.selection, page.of("x"));
    Selection sel = first.selection;
    TagSearchResult next = navigator.findNextUntagged(page.text, sel);
    for (; next.kind == TagSearchResult::Kind::SearchOn; next = navigator.findNextUntagged(page.text, sel))
        sel = next.selection;
    EXPECT_EQ(next.selection, page.of("if (a<b) s = \"<i>\";"));
    const TagSearchResult back = navigator.findPreviousUntagged(page.text, page.of("z"));
    ASSERT_EQ(back.kind, TagSearchResult::Kind::SearchOn);
    EXPECT_EQ(back.selection, page.of("\r\n", page.of("</script>").end));
    EXPECT_EQ(navigator.findPreviousUntagged(page.text, back.selection).selection, next.selection);
}

struct MatchCase {
    const char* name;
    Selection caret;
    Selection element;
};

TEST(ProtectedStretches, selectMatchingTagsCountsNoTagInsideThem) {
    const NavigationPage page(
        "<div><script>var s = \"</div><div>\";</SCRIPT><p title='<p>'>x</p>"
        "<?php echo '</div>'; ?></div>");
    const Selection outerDiv{0, static_cast<int>(page.text.size())};
    const int script = page.of("<script>").start;
    const std::vector<MatchCase> cases = {
        {"opening div", {1, 1}, outerDiv},
        {"closing div", {outerDiv.end - 2, outerDiv.end - 2}, outerDiv},
        {"script to its closing tag in capitals", {script + 1, script + 1}, {script, page.of("</SCRIPT>").end}},
        {"a '>' in a quoted value ends no tag",
         {page.of("<p title").start + 1, page.of("<p title").start + 1},
         {page.of("<p title").start, page.of("</p>").end}},
    };
    TagNavigator navigator;
    for (const MatchCase& c : cases) {
        const MatchingTagsResult result = navigator.selectMatchingTags(page.text, c.caret);
        EXPECT_FALSE(result.beep) << c.name;
        EXPECT_EQ(result.selection, c.element) << c.name;
    }
    // Inside a script there is no tag to work on.
    const int inString = page.of("<div>\";").start + 1;
    EXPECT_TRUE(navigator.selectMatchingTags(page.text, {inString, inString}).beep);
}

}  // namespace
}  // namespace tagloom
