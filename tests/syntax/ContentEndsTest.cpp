// Colouring and the mark-up reader (HTML Format, the tag tools) agree on
// where the content of a script or style element begins and ends.
#include "html/MarkupReader.h"
#include "syntax/SyntaxLexer.h"

#include "RealPages.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tagloom {
namespace {

using Stretches = std::vector<std::pair<std::size_t, std::size_t>>;

Stretches readerContent(std::string_view text) {
    Stretches found;
    ElementContent opened = ElementContent::None;
    readMarkup(text, [&](const MarkupPiece& piece) {
        if (piece.kind == MarkupPiece::Kind::Content && opened == ElementContent::Code)
            found.emplace_back(piece.begin, piece.end);
        if (piece.closesTag) opened = piece.content;
        return true;
    });
    return found;
}

bool inCode(const LexState& state) {
    return state.html == HtmlMode::Script || state.html == HtmlMode::RawScript || state.html == HtmlMode::Style;
}

// The stretches the lexer reads as script or style content, found by
// lexing one token at a time.
Stretches lexerContent(std::string_view text) {
    Stretches found;
    std::size_t begin = 0;
    LexState state = initialState(SyntaxLanguage::Html);
    for (std::size_t lineStart = 0; lineStart < text.size();) {
        const std::size_t lf = text.find('\n', lineStart);
        const std::size_t lineEnd = lf == std::string_view::npos ? text.size() : lf + 1;
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        LineLexer lexer(state);
        while (!lexer.finished(line)) {
            const std::size_t before = lexer.position();
            const bool was = inCode(lexer.state());
            lexer.lexTo(line, before + 1, nullptr);
            const bool now = inCode(lexer.state());
            if (!was && now) begin = lineStart + lexer.position();
            if (was && !now && lineStart + before > begin) found.emplace_back(begin, lineStart + before);
        }
        state = lexer.state();
        lineStart = lineEnd;
    }
    if (inCode(state) && text.size() > begin) found.emplace_back(begin, text.size());
    return found;
}

TEST(ContentEnds, scriptAndStyleContentEndWhereTheMarkupReaderEndsIt) {
    std::vector<RealPage> pages = realPages();
    pages.push_back({"closing tags of every form",
                     "<script>a</script\t>b<SCRIPT>c</Script/>d<script>e</scriptx>f</script\n>g"
                     "<style>p{}</STYLE >h<script>i</script"});
    pages.push_back({"tags that open no content",
                     "<script/>x<script src=a.js />y<scripts>z</scripts><script\n>w</script>"
                     "<script type=\"text/x-template\"><b></script><style media=\"a>b\">q</style>"});
    pages.push_back({"an end inside strings, comments and PHP",
                     "<script>s = \"</script>\";</script><script>// </script>\n</script>"
                     "<script><?php echo \"</script>\"; ?></script><style>/* </style> */</style>"});
    pages.push_back({"a tag broken off by another", "<p <script>x</script><a href=\"</script>\"><script>y</script>"});
    pages.push_back({"an end behind a backslash",
                     "<script>s = \"\\</script>\";</script><script>r = /\\</script>/;</script>"
                     "<style>a { content: \"\\</style>\" }</style><script>t = `\\</script>`;</script>"});
    pages.push_back({"server code inside a tag",
                     "<script <%= a %>>x = \"</b>\"</script><p {{ a > b }} class=x><script>y</script>"
                     "<div id=<%= id %>>z</div><script>w</script>"});
    for (const RealPage& page : pages) {
        const Stretches expected = readerContent(page.text);
        EXPECT_EQ(lexerContent(page.text), expected) << page.name;
    }
}

}  // namespace
}  // namespace tagloom
