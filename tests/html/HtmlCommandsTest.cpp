// The HTML commands as the editor runs them: enable rules, the questions
// and the posted re-runs, selections, one undo step and the census.
#include <gtest/gtest.h>

#include <random>

#include "html/TagNavigator.h"
#include "html/TagPresence.h"
#include "resources/CommandIds.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

using test::ViewFixture;

Selection selectionOf(EditControl& control) {
    auto [start, end] = control.selection();
    return {start, end};
}

constexpr int kTagCommands[] = {cmd::FindNextTag, cmd::FindPreviousTag, cmd::FindNextUntagged,
                                cmd::FindPreviousUntagged, cmd::SelectMatchingTags};

TEST(HtmlCommands, tagCommandsFollowTheDocumentTestAndIgnoreReadOnlyWhileHtmlFormatDoesNot) {
    ViewFixture f;
    f.load("just some notes, <b>bold</b> but no page");
    for (const int id : kTagCommands) EXPECT_FALSE(f.router.query(id).enabled) << id;
    EXPECT_FALSE(f.router.query(cmd::HtmlFormat).enabled);
    EXPECT_FALSE(f.router.run(cmd::FindNextTag));  // a disabled command's key is refused

    f.load("<HTML><body>x</body></html>");
    for (const int id : kTagCommands) EXPECT_TRUE(f.router.query(id).enabled) << id;
    EXPECT_TRUE(f.router.query(cmd::HtmlFormat).enabled);

    f.router.run(cmd::ReadOnly);
    for (const int id : kTagCommands) EXPECT_TRUE(f.router.query(id).enabled) << id;
    EXPECT_FALSE(f.router.query(cmd::HtmlFormat).enabled);
}

// The enable rule is asked after every key; it must give what the test on the
// whole text gives, however the edits formed or broke the two markers.
TEST(HtmlCommands, theDocumentTestAfterEveryRandomEditEqualsTheWholeTextTest) {
    ViewFixture f;
    const char* pieces[] = {"<html", "<HTML ", "</html>", "/HTML>", "<HT", "ML", "/ht", "ml>", "<", ">",
                            "/",     "x",      "\r\n",    " ",      "<p>", "text of some length here"};
    std::mt19937 random(20261208);
    f.load("<html><body>start</body></html>");
    int documents = 0, turns = 0;
    bool previous = true;
    for (int step = 0; step < 4000; ++step) {
        const int length = f.control().length();
        std::uniform_int_distribution<int> offset(0, length);
        int a = offset(random), b = offset(random);
        if (a > b) std::swap(a, b);
        if (random() % 2 == 0 || length > 300) {
            b = std::min(b, a + static_cast<int>(random() % 12));
            f.select(a, b);
            f.control().replaceSel("", true);
        } else {
            f.select(a, a);
            f.control().replaceSel(pieces[random() % std::size(pieces)], true);
        }
        const bool expected = TagNavigator().findHtmlMarkers(f.text());
        ASSERT_EQ(f.router.query(cmd::FindNextTag).enabled, expected) << "step " << step << ": " << f.text();
        documents += expected;
        turns += expected != previous;
        previous = expected;
    }
    // Both answers, and many changes between them, were exercised.
    EXPECT_GT(documents, 400);
    EXPECT_LT(documents, 3600);
    EXPECT_GT(turns, 100);
}

// With the HTML tools on any text, a template fragment that holds a tag but
// no "<html" has them, and the answer follows every edit as a reading of the
// whole text would give it.
TEST(HtmlCommands, onAnyTextTheToolsFollowWhetherTheTextHoldsATagAfterEveryRandomEdit) {
    ViewFixture f;
    f.load("{% block body %}<div>x</div>{% endblock %}");
    EXPECT_FALSE(f.router.query(cmd::HtmlFormat).enabled);
    f.view->settings().bHtmlToolsAnyText = 1;
    EXPECT_TRUE(f.router.query(cmd::HtmlFormat).enabled);
    const char* pieces[] = {"<", "d", "/", "!", "?", "x", " ", "<p>", "<<", "a<", "\r\n", "1"};
    std::mt19937 random(29);
    int turns = 0;
    bool previous = true;
    for (int step = 0; step < 4000; ++step) {
        const int length = f.control().length();
        std::uniform_int_distribution<int> offset(0, length);
        const int a = offset(random);
        if (random() % 2 == 0 || length > 30) {
            f.select(a, std::min(length, a + static_cast<int>(random() % 6)));
            f.control().replaceSel("");
        } else {
            f.select(a, a);
            f.control().replaceSel(pieces[random() % std::size(pieces)]);
        }
        const bool expected = firstTag(f.text()).has_value() || TagNavigator().findHtmlMarkers(f.text());
        ASSERT_EQ(f.router.query(cmd::FindNextTag).enabled, expected) << "step " << step << ": " << f.text();
        turns += expected != previous;
        previous = expected;
    }
    EXPECT_GT(turns, 100) << "both answers, and many changes between them";
}

// Typing behind "</html>" is common at the end of a page; the enable rule
// asked after each key must not read the whole text again.
TEST(HtmlCommands, typingAfterTheClosingMarkerKeepsTheDocumentTestWithoutReadingTheWholeText) {
    ViewFixture f;
    f.load("<html><body>" + std::string(200, 'x') + "</body></html>\r\n");
    ASSERT_TRUE(f.router.query(cmd::FindNextTag).enabled);
    const int end = f.control().length();
    for (const char* typed : {"a", "<!-- note -->", "</html>", "b"}) {
        f.select(f.control().length(), f.control().length());
        f.control().replaceSel(typed, true);
        EXPECT_TRUE(f.router.query(cmd::FindNextTag).enabled) << typed;
        EXPECT_FALSE(f.control().isLockFree()) << "the text was made contiguous after " << typed;
    }
    f.select(end + 1, f.control().length());  // keeps the "a"
    f.control().replaceSel("", true);
    EXPECT_TRUE(f.router.query(cmd::FindNextTag).enabled);
    EXPECT_FALSE(f.control().isLockFree());
}

TEST(HtmlCommands, aTextTooShortToBeADocumentBecomesOneWhenItGrowsAnywhere) {
    struct Case {
        const char* text;
        bool document;
    };
    const Case cases[] = {{"<HTML/HTML>", false}, {"<html></html>", true}, {"<html>", false}};
    for (const Case& c : cases) {
        ViewFixture f;
        f.load(c.text);
        EXPECT_EQ(f.router.query(cmd::FindNextTag).enabled, c.document) << c.text;
    }
    ViewFixture f;
    f.load("<HTML/HTML>");
    ASSERT_FALSE(f.router.query(cmd::FindNextTag).enabled);
    f.select(11, 11);
    f.control().replaceSel(std::string(40, 'x'), true);  // far from both markers
    EXPECT_TRUE(f.router.query(cmd::FindNextTag).enabled);
}

TEST(HtmlCommands, findNextTagStepsOnThenAsksToGoOnFromTheTopAndRunsAgainWhenPosted) {
    ViewFixture f;
    f.load("<html><b>x</b></html>");
    const std::string text = f.text();
    f.router.run(cmd::FindNextTag);
    EXPECT_EQ(selectionOf(f.control()), (Selection{0, 6}));
    f.router.run(cmd::FindNextTag);
    EXPECT_EQ(selectionOf(f.control()), (Selection{6, 9}));
    EXPECT_EQ(f.view->lnColText(), "\tLn 1, Col 7");
    f.select(14, 21);
    f.fake.prompter.answers = {Answer::No};
    f.router.run(cmd::FindNextTag);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0],
              (Message{"No more HTML tags!\nContinue from top?", "Find Next Tag", Buttons::YesNoCancel, Icon::Question, 0}));
    EXPECT_EQ(selectionOf(f.control()), (Selection{21, 21}));

    f.fake.prompter.answers = {Answer::Yes};
    f.router.run(cmd::FindNextTag);
    EXPECT_EQ(selectionOf(f.control()), (Selection{0, 0}));  // the search runs again later
    f.fake.uiQueue.drain();
    EXPECT_EQ(selectionOf(f.control()), (Selection{0, 6}));
    EXPECT_EQ(f.text(), text);
    EXPECT_EQ(f.fake.desktop.busyDepth, 0);
}

TEST(HtmlCommands, findPreviousTagAtTheTopGoesOnFromTheBottomAtOnce) {
    ViewFixture f;
    f.load("<html><b>x</b></html>");
    f.fake.prompter.answers = {Answer::Yes};
    f.router.run(cmd::FindPreviousTag);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0].text, "No more HTML tags!\nContinue from bottom?");
    EXPECT_EQ(f.fake.prompter.messages[0].title, "Find Previous Tag");
    EXPECT_EQ(selectionOf(f.control()), (Selection{14, 21}));  // found before anything queued runs
    f.fake.uiQueue.drain();
    EXPECT_EQ(selectionOf(f.control()), (Selection{14, 21}));
}

TEST(HtmlCommands, findUntaggedRepostsItselfOverBlanksAndKeepsSpacesNextToWords) {
    ViewFixture f;
    f.load("<html><b>\n\t</b> word </html><p>   </p>");
    const auto findAndShow = [&f](int command) {
        f.router.run(command);
        f.fake.uiQueue.drain();
        const Selection found = selectionOf(f.control());
        return f.text().substr(found.start, found.end - found.start);
    };
    EXPECT_EQ(findAndShow(cmd::FindNextUntagged), " word ");  // over "\r\n\t" and on; spaces are not trimmed
    f.fake.prompter.answers = {Answer::Cancel};
    EXPECT_EQ(findAndShow(cmd::FindNextUntagged), "");  // over the stretch of spaces to the end
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0].text, "No more Text!\nContinue from top?");
    EXPECT_EQ(f.fake.prompter.messages[0].title, "Find Next Untaged Text");
    EXPECT_EQ(selectionOf(f.control()).start, f.control().length());

    EXPECT_EQ(findAndShow(cmd::FindPreviousUntagged), " word ");  // back over the spaces
    f.fake.prompter.answers = {Answer::Yes};
    EXPECT_EQ(findAndShow(cmd::FindPreviousUntagged), " word ");  // from the bottom again
    ASSERT_EQ(f.fake.prompter.messages.size(), 2u);
    EXPECT_EQ(f.fake.prompter.messages[1].text, "No more Text!\nContinue from bottom?");
    EXPECT_EQ(f.fake.prompter.messages[1].title, "Find Previous Untaged Text");
}

TEST(HtmlCommands, selectMatchingTagsSelectsTheElementOrBeeps) {
    ViewFixture f;
    f.load("<html><div><div>in</div></div></html>");
    struct Case {
        Selection before;
        Selection after;
        int beeps;
    };
    const Case cases[] = {
        {{0, 0}, {0, 0}, 1},      // the caret at offset 0
        {{8, 8}, {6, 30}, 0},     // inside the outer opening tag
        {{26, 26}, {6, 30}, 0},   // inside the outer closing tag
        {{11, 11}, {11, 11}, 1},  // just after a '>'
        {{10, 10}, {6, 30}, 0},   // just before the '>'
    };
    for (const Case& c : cases) {
        f.fake.desktop.beeps = 0;
        f.select(c.before.start, c.before.end);
        f.router.run(cmd::SelectMatchingTags);
        EXPECT_EQ(selectionOf(f.control()), c.after) << c.before.start;
        EXPECT_EQ(f.fake.desktop.beeps, c.beeps) << c.before.start;
    }
}

TEST(HtmlCommands, aClosingTagWithoutItsOpeningTagBeepsAndKeepsTheSelection) {
    ViewFixture f;
    f.load("<html><b>x</i></html>");
    f.select(12, 13);
    f.router.run(cmd::SelectMatchingTags);
    EXPECT_EQ(f.fake.desktop.beeps, 1);
    EXPECT_EQ(selectionOf(f.control()), (Selection{12, 13}));
}

TEST(HtmlCommands, htmlFormatWarnsAboutBookmarksAndCancelKeepsEverything) {
    ViewFixture f;
    f.load("<HTML>\r\n<P>one\r\n</html>");
    f.select(6, 6);
    f.control().replaceSel("\r");  // a bookmark on the first line
    f.view->undo().ResetUndo();
    f.pane(str::PaneLines);  // the idle recount that runs before any key
    ASSERT_EQ(f.view->bookmarks().nBookmarks, 1);
    const std::string before = f.text();
    f.fake.prompter.answers = {Answer::Cancel};
    f.router.run(cmd::HtmlFormat);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0], (Message{"All Bookmarks will be lost!\n\nThey can be recovered after Undo.",
                                                     "HTML Format", Buttons::OkCancel, Icon::Warning, 1}));
    EXPECT_EQ(f.text(), before);
    EXPECT_EQ(f.view->bookmarks().nBookmarks, 1);

    f.fake.prompter.messages.clear();
    f.fake.prompter.answers = {Answer::Ok, Answer::No};
    f.router.run(cmd::HtmlFormat);
    EXPECT_EQ(f.text(), "<html>\r\n\t<p>one\r\n</html>\r\n");
    f.pane(str::PaneLines);
    EXPECT_EQ(f.pane(str::PaneBookmarks), "\t0 BM");
    ASSERT_EQ(f.fake.prompter.messages.size(), 2u);
    EXPECT_EQ(f.fake.prompter.messages[1].text,
              "Found 2 unique tags and 0 comments.\n\n1\t<html>\n1\t<p>\n\nPut tags on the Clipboard ?");
    EXPECT_FALSE(f.fake.clipboard.contents);
    EXPECT_EQ(selectionOf(f.control()), (Selection{0, 0}));
    EXPECT_EQ(f.view->lnColText(), "\tLn 1, Col 1");
    EXPECT_TRUE(f.document.IsModified());
    EXPECT_EQ(f.fake.desktop.busyDepth, 0);

    EXPECT_EQ(f.view->undo().undoSteps(), 1);
    f.router.run(cmd::Undo);
    EXPECT_EQ(f.text(), before);
    f.pane(str::PaneLines);  // the idle recount
    EXPECT_EQ(f.pane(str::PaneBookmarks), "\t1 BM");
}

// Undo puts the selection and the first line shown back where they were
// before the change, not at the end of the text put back; Redo goes back to
// where Undo was asked for.
TEST(HtmlCommands, undoAndRedoOfAWholeTextChangeGoBackToWhereTheUserWas) {
    std::string page = "<html><style>a{b:c}</style><body>\r\n";
    for (int i = 0; i < 300; ++i) page += "<p>line " + std::to_string(i) + "</p>\r\n";
    page += "</body></html>\r\n";
    struct Case {
        int command;
        int anchor, caret;  // the CSS tools work on the whole text when nothing is selected
    };
    for (const Case c : {Case{cmd::HtmlFormat, 2034, 2000}, Case{cmd::CssFormat, 2000, 2000}}) {
        const int command = c.command;
        ViewFixture f;
        f.view->settings().bConfirm = 0;
        f.load(page);
        f.control().setSel(c.anchor, c.caret);
        f.control().lineScroll(0, 120 - f.control().firstVisibleLine());
        const int top = f.control().firstVisibleLine();
        ASSERT_GT(top, 100);
        f.fake.prompter.answers = {Answer::No};
        f.router.run(command);
        ASSERT_NE(f.text().size(), page.size()) << command;
        const std::string changed = f.text();
        f.control().setSel(7, 9);
        f.control().lineScroll(0, 3 - f.control().firstVisibleLine());

        f.router.run(cmd::Undo);
        EXPECT_EQ(f.text(), page) << command;
        EXPECT_EQ(f.control().anchor(), c.anchor) << command;
        EXPECT_EQ(f.control().caret(), c.caret) << command;
        EXPECT_EQ(f.control().firstVisibleLine(), top) << command;

        f.router.run(cmd::Redo);
        EXPECT_EQ(f.text(), changed) << command;
        EXPECT_EQ(f.control().selection(), (Selection{7, 9})) << command;
        EXPECT_EQ(f.control().firstVisibleLine(), 3) << command;
    }
}

TEST(HtmlCommands, htmlFormatPutsTheCensusOnTheClipboardOnYes) {
    ViewFixture f;
    f.view->settings().bConfirm = 0;
    f.load("<html><body><p>a<p>b</body></html>");
    f.fake.prompter.answers = {Answer::Yes};
    f.router.run(cmd::HtmlFormat);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0].title, "HTML Format");
    EXPECT_EQ(f.fake.clipboard.contents, "1\t<html>\r\n1\t<body>\r\n2\t<p>\r\n");
}

TEST(HtmlCommands, aMissingDelimiterSelectsTheSuspectStretchAndChangesNothing) {
    ViewFixture f;
    f.load("<html><body><p class=x</p></body></html>");
    const std::string before = f.text();
    f.router.run(cmd::HtmlFormat);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0].text,
              "Missing tag delimiter!\n\nLook for a missing '>'\nwithin the hilighted text.");
    EXPECT_EQ(f.fake.prompter.messages[0].icon, Icon::Warning);
    EXPECT_EQ(selectionOf(f.control()), (Selection{12, 23}));  // from the unclosed '<' through the next one
    EXPECT_EQ(f.text(), before);
    EXPECT_EQ(f.view->undo().undoSteps(), 0);
}

}  // namespace
}  // namespace tagloom
