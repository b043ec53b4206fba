// What the editor adds to typed keys: the indentation after Enter, and the
// closing tag after "</", each one undo step with the key.
#include <gtest/gtest.h>

#include "html/ClosingTag.h"
#include "resources/CommandIds.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

using test::ViewFixture;

struct Typing : ViewFixture {
    explicit Typing(const std::string& text) { load(text); }
    // Types at the caret's place `at` (a selection from `at` to `to`).
    void slash(int at) {
        select(at, at);
        if (!view->typing().textTyped("/")) control().typeText("/");
    }
    void enter(int at, int to) {
        select(at, to);
        if (!view->typing().enterTyped()) control().typeText("\r\n");
    }
};

struct CloseCase {
    const char* name;
    std::string text;  // "|" marks the caret, right after the typed '<'
    std::string typed;  // the text after '/' and what completes it
};

TEST(TypingAssists, slashAfterALessThanClosesTheElementStillOpen) {
    const std::vector<CloseCase> cases = {
        {"the innermost open element", "<div><p>text<|", "<div><p>text</p>"},
        {"a closed element is passed over", "<div><p>a</p><|", "<div><p>a</p></div>"},
        {"void elements and self-closed tags open none", "<ul><br><img src=a><input/><hr /><|",
         "<ul><br><img src=a><input/><hr /></ul>"},
        {"the name as the opening tag wrote it", "<DIV><Span>x<|", "<DIV><Span>x</Span>"},
        {"a closing tag closes what was opened inside it", "<ul><li>a<li>b</ul><p><b>c<|", "<ul><li>a<li>b</ul><p><b>c</b>"},
        {"an element with attributes", "<a href=\"x.html\" class=b>link<|", "<a href=\"x.html\" class=b>link</a>"},
        {"nothing open", "<p>a</p><|", "<p>a</p></"},
        {"inside a script", "<div><script>if (a <|", "<div><script>if (a </"},
        {"inside a style", "<div><style>a<|", "<div><style>a</"},
        {"inside a comment", "<div><!-- note <|", "<div><!-- note </"},
        {"inside PHP", "<div><?php echo '<|", "<div><?php echo '</"},
        {"inside a template marker", "<div>{{ '<|", "<div>{{ '</"},
        {"inside a quoted value", "<div><a title=\"<|", "<div><a title=\"</"},
        {"after a closed script", "<div><script>x</script><|", "<div><script>x</script></div>"},
    };
    for (const CloseCase& c : cases) {
        std::string text = c.text;
        const int at = static_cast<int>(text.find('|'));
        text.erase(static_cast<std::size_t>(at), 1);
        Typing t(text);
        t.slash(at);
        EXPECT_EQ(t.text(), c.typed) << c.name;
        if (t.text().size() > text.size() + 1) {
            EXPECT_EQ(t.control().selection(), (Selection{static_cast<int>(c.typed.size()), static_cast<int>(c.typed.size())}))
                << c.name;
        }
    }
}

TEST(TypingAssists, theCompletionIsOneUndoStepAndCanBeTurnedOff) {
    Typing t("<p>x<");
    t.view->undo().ResetUndo();
    t.slash(5);
    EXPECT_EQ(t.text(), "<p>x</p>");
    t.router.run(cmd::Undo);
    EXPECT_EQ(t.text(), "<p>x<");

    Typing off("<p>x<");
    off.view->settings().bAutoCloseTag = 0;
    off.slash(5);
    EXPECT_EQ(off.text(), "<p>x</");
}

TEST(TypingAssists, anElementOpenedMoreThanTheReachBackIsNotCompleted) {
    for (const bool far : {false, true}) {
        const std::string filler((far ? kClosingTagReach : kClosingTagReach / 2), 'x');
        Typing t("<section>" + filler + "<");
        t.slash(t.control().length());
        EXPECT_EQ(t.text().substr(t.text().size() - 10), far ? std::string("xxxxxxxx</") : std::string("</section>"))
            << far;
    }
}

struct IndentCase {
    const char* name;
    std::string text;
    int at, to;
    std::string after;
};

TEST(TypingAssists, enterKeepsTheBlanksThatBeginTheLineUpToTheCaret) {
    const std::vector<IndentCase> cases = {
        {"TABs", "\t\t<p>x", 6, 6, "\t\t<p>x\r\n\t\t"},
        {"spaces and TABs", "  \t <li>", 8, 8, "  \t <li>\r\n  \t "},
        {"only the blanks before the caret", "    x", 2, 2, "  \r\n    x"},
        {"a line after another", "a\r\n\tb", 5, 5, "a\r\n\tb\r\n\t"},
        {"a selection is replaced, the indent is its start's line's", "\tab\r\n\tcd", 2, 7, "\ta\r\n\td"},
        {"no indentation", "abc", 1, 1, "a\r\nbc"},
    };
    for (const IndentCase& c : cases) {
        Typing t(c.text);
        t.view->undo().ResetUndo();
        t.enter(c.at, c.to);
        EXPECT_EQ(t.text(), c.after) << c.name;
        t.router.run(cmd::Undo);
        EXPECT_EQ(t.text(), c.text) << c.name << ": one undo step";
    }
    Typing off("\tx");
    off.view->settings().bAutoIndent = 0;
    off.enter(2, 2);
    EXPECT_EQ(off.text(), "\tx\r\n");
}

}  // namespace
}  // namespace tagloom
