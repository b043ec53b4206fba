#include "html/TextTools.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tagloom {
namespace {

using Kind = TextToolResult::Kind;

struct ToolCase {
    const char* name;
    TextTool tool;
    std::string document;
    Selection selection;
    Kind kind;
    std::string text;
    Selection selected;  // for a replaced selection
};

TEST(TextTools, rewriteTheSelectionOrTheWholeDocumentByteByByte) {
    const TextTool html = TextTool::HtmlRemoveWhitespace;
    const TextTool css = TextTool::CssRemoveWhitespace;
    const TextTool format = TextTool::CssFormat;
    const std::vector<ToolCase> cases = {
        {"CSS whitespace on the whole document ends it with CR LF",
         css,
         "a {\r\n\tb: c;\r\n}",
         {0, 0},
         Kind::ReplaceDocument,
         "a {b: c;}\r\n",
         {}},
        {"CSS whitespace on a selection followed by a CR adds nothing",
         css,
         "x  y\r\nz",
         {0, 4},
         Kind::ReplaceSelection,
         "x y",
         {0, 3}},
        {"CSS whitespace on a selection followed by another byte adds CR LF",
         css,
         "a\tb;c",
         {0, 3},
         Kind::ReplaceSelection,
         "ab\r\n",
         {0, 4}},
        {"CSS whitespace on a selection up to the end adds CR LF",
         css,
         "ab  ",
         {2, 4},
         Kind::ReplaceSelection,
         " \r\n",
         {2, 5}},
        {"two spaces, CR LF and two spaces keep one space of each run",
         css,
         "  \r\n  \r\n",
         {0, 6},
         Kind::ReplaceSelection,
         "  ",
         {0, 2}},
        {"HTML whitespace keeps three lines apart with bare LFs",
         html,
         "one\r\ntwo\r\nthree",
         {0, 0},
         Kind::ReplaceDocument,
         "one\ntwo\nthree",
         {}},
        {"a TAB next to a space goes, the space stays", html, "a \tb\tc", {0, 0}, Kind::ReplaceDocument, "a bc", {}},
        {"a TAB before a space goes too", html, "a\t b", {0, 0}, Kind::ReplaceDocument, "a b", {}},
        {"a run of spaces keeps its last", html, "a   b  ", {0, 0}, Kind::ReplaceDocument, "a b ", {}},
        {"a space before the byte after the selection counts",
         html,
         "a  b",
         {0, 2},
         Kind::ReplaceSelection,
         "a",
         {0, 1}},
        {"HTML whitespace appends nothing", html, "x\t\r\n", {0, 0}, Kind::ReplaceDocument, "x\n", {}},
        {"CSS Format breaks after '{', ';' and '}'",
         format,
         "a{b:c;d:e;}",
         {0, 0},
         Kind::ReplaceDocument,
         "a{\r\n\tb:c;\r\n\td:e;\r\n}\r\n\r\n",
         {}},
        {"a last declaration without ';' keeps the '}' on its line",
         format,
         "a{b:c;d:e}",
         {0, 0},
         Kind::ReplaceDocument,
         "a{\r\n\tb:c;\r\n\td:e}\r\n\r\n",
         {}},
        {"laid-out CSS gains more white space",
         format,
         "a {\r\n\tb: c;\r\n}\r\n",
         {0, 0},
         Kind::ReplaceDocument,
         "a {\r\n\t\r\n\tb: c;\r\n\t\r\n}\r\n\r\n\r\n",
         {}},
        {"a ';' before the '}' after the selection gets no TAB",
         format,
         "a;}",
         {0, 2},
         Kind::ReplaceSelection,
         "a;\r\n",
         {0, 4}},
        {"a ';' at the end of the document gets its TAB", format, "a;", {0, 0}, Kind::ReplaceDocument, "a;\r\n\t", {}},
        {"an empty document is left alone", css, "", {0, 0}, Kind::Unchanged, "", {}},
    };
    for (const ToolCase& c : cases) {
        const TextToolResult result = runTextTool(c.tool, c.document, c.selection);
        EXPECT_EQ(result.kind, c.kind) << c.name;
        EXPECT_EQ(result.text, c.text) << c.name;
        if (c.kind == Kind::ReplaceSelection) {
            EXPECT_EQ(result.selection, c.selected) << c.name;
        }
        EXPECT_FALSE(result.message) << c.name;
    }
}

struct StretchCase {
    const char* name;
    TextTool tool;
    std::string document;
    std::string text;
};

TEST(TextTools, cssToolsCopyCommentsStringsAndUrlsAsTheyAre) {
    const TextTool css = TextTool::CssRemoveWhitespace;
    const TextTool format = TextTool::CssFormat;
    const std::vector<StretchCase> cases = {
        {"a ';' or '{' in a comment or a string breaks no line", format, "/* x; y{ */ q{content:\";\"}",
         "/* x; y{ */ q{\r\n\tcontent:\";\"}\r\n\r\n"},
        {"a quoted url keeps its ';'", format, "a{background:url(\"img/a;b.png\");}",
         "a{\r\n\tbackground:url(\"img/a;b.png\");\r\n}\r\n\r\n"},
        {"an unquoted data url keeps its ';'", format, "a{b:URL(data:image/png;base64,AA==);c:d}",
         "a{\r\n\tb:URL(data:image/png;base64,AA==);\r\n\tc:d}\r\n\r\n"},
        {"a ')' in a url's string does not end it", format, "a{b:url( 'x);y' );}",
         "a{\r\n\tb:url( 'x);y' );\r\n}\r\n\r\n"},
        {"a name that ends in url is no url", format, "a{b:myurl(c;d)}", "a{\r\n\tb:myurl(c;\r\n\td)}\r\n\r\n"},
        {"an escaped quote stays inside its string", format, "a{content:\"\\\";\"}",
         "a{\r\n\tcontent:\"\\\";\"}\r\n\r\n"},
        {"an escaped line break continues a string", format, "a{b:url('x;\\\r\ny;')}",
         "a{\r\n\tb:url('x;\\\r\ny;')}\r\n\r\n"},
        {"a string left open ends at its line break", format, "a{content:\"x;\r\nb:c;}",
         "a{\r\n\tcontent:\"x;\r\nb:c;\r\n}\r\n\r\n"},
        {"a comment left open runs to the end", format, "a{b:c} /* d; e{", "a{\r\n\tb:c}\r\n\r\n /* d; e{"},
        {"the spaces of a string stay", css, "a {\r\n\tcontent:  \"  \t \";\r\n}",
         "a {content: \"  \t \";}\r\n"},
        {"a comment keeps its lines and blanks", css, "/*  one\r\n\ttwo */\r\na  {}",
         "/*  one\r\n\ttwo */a {}\r\n"},
        {"a url keeps its blanks", css, "a{b:url( 'x  y' )  }", "a{b:url( 'x  y' ) }\r\n"},
        {"a space before a string is judged by the quote", css, "a:  'b'", "a: 'b'\r\n"},
    };
    for (const StretchCase& c : cases) {
        const TextToolResult result = runTextTool(c.tool, c.document, {0, 0});
        EXPECT_EQ(result.kind, Kind::ReplaceDocument) << c.name;
        EXPECT_EQ(result.text, c.text) << c.name;
    }
}

}  // namespace
}  // namespace tagloom
