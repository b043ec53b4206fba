#include "html/TagNavigator.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>


namespace tagloom {
namespace {

using Kind = TagSearchResult::Kind;
using FindCommand = TagSearchResult (TagNavigator::*)(std::string_view, Selection) const;

// Runs a Find command the way the view does: a re-posted command runs again
// from the selection it set; a wrap-around question takes the next scripted
// answer, and on Yes the command runs again from the caret it names.
struct FindRun {
    Selection selection;
    std::vector<Message> questions;
    int reposts = 0;
    int reruns = 0;  // runs after a Yes
    bool postedAfterYes = false;
};

FindRun runFind(const TagNavigator& navigator, FindCommand command, std::string_view text, Selection start,
                std::deque<Answer> answers = {}) {
    FindRun run;
    run.selection = start;
    for (int step = 0; step < 1000; ++step) {
        const TagSearchResult result = (navigator.*command)(text, run.selection);
        if (result.kind == Kind::Found) {
            run.selection = result.selection;
            return run;
        }
        if (result.kind == Kind::SearchOn) {
            run.selection = result.selection;
            ++run.reposts;
            continue;
        }
        run.selection = {result.wrap.caret, result.wrap.caret};
        run.questions.push_back(result.wrap.question);
        const Answer answer = answers.empty() ? Answer::Cancel : answers.front();
        if (!answers.empty()) answers.pop_front();
        if (answer != Answer::Yes) return run;
        run.selection = {result.wrap.caretOnYes, result.wrap.caretOnYes};
        run.postedAfterYes = result.wrap.post;
        ++run.reruns;
    }
    ADD_FAILURE() << "the command never settled";
    return run;
}

// Offsets:  0    3  6   10  12   16  18  22 24   28
//           <p>one</p>CRLF<br>CRLF TAB<b>  </b>
const std::string kPage = "<p>one</p>\r\n<br>\r\n\t<b>  </b>";

TEST(TagNavigator, isHtmlDocumentNeedsBothMarksInTwelveBytesOrMore) {
    struct Case {
        std::string text;
        bool html;
    };
    const std::vector<Case> cases = {
        {"<HTML/HTML>", false},                 // 11 bytes: too short even with both marks
        {"<html></html>", true},                // 13 bytes
        {"<HtMl lang=en></hTmL>", true},        // any case, attributes allowed
        {"<htmlfoo>...</html>", true},          // only the prefix is tested
        {"</html> x <html>", true},             // the order plays no part
        {"<html><body></body>", false},         // no closing mark
        {"<body></body></html>", false},        // no opening mark
        {"/html> and some text <html", false},  // "<HTML" in the last five bytes is not looked at
        {"", false},
    };
    for (const Case& c : cases) {
        TagNavigator navigator;
        EXPECT_EQ(navigator.IsHtmlDocument(c.text), c.html) << c.text;
    }
}

TEST(TagNavigator, isHtmlDocumentRemembersWhereTheMarksWereFound) {
    TagNavigator navigator;
    const std::string text = "<html><body></body></html>\r\n";
    ASSERT_TRUE(navigator.IsHtmlDocument(text));
    EXPECT_EQ(navigator.nHtmlStart, 0u);
    EXPECT_EQ(navigator.nHtmlEndBack, 8u);  // "/html>" at 20 of 28

    // Text typed inside the document moves the closing mark and the end alike:
    // the remembered places still hold.
    const std::string edited = "<html><body>Hello</body></html>\r\n";
    EXPECT_TRUE(navigator.IsHtmlDocument(edited));
    EXPECT_EQ(navigator.nHtmlEndBack, 8u);

    // A remembered place that still holds is trusted, even when an earlier
    // mark exists; one that no longer does is searched again.
    const std::string twoOpenings = "<html><HTML></html>";
    navigator.nHtmlStart = 6;
    navigator.nHtmlEndBack = 6;
    EXPECT_TRUE(navigator.IsHtmlDocument(twoOpenings));
    EXPECT_EQ(navigator.nHtmlStart, 6u);
    navigator.nHtmlStart = 1000;
    EXPECT_TRUE(navigator.IsHtmlDocument(twoOpenings));
    EXPECT_EQ(navigator.nHtmlStart, 0u);

    EXPECT_FALSE(navigator.IsHtmlDocument("<html> without an end"));

    // Remembered places are trusted only where the whole test would find the
    // marks: never in a text too short to be a document, never an opening
    // mark in the last five bytes.
    TagNavigator remembering;
    ASSERT_TRUE(remembering.IsHtmlDocument("<HTML x/HTML>"));
    EXPECT_FALSE(remembering.IsHtmlDocument("<HTML/HTML>"));
    ASSERT_TRUE(remembering.IsHtmlDocument("xxxxxxxxxxxxx<HTML/HTML>xxxxx"));
    EXPECT_FALSE(remembering.IsHtmlDocument("xxxxxxx/HTML><HTML"));
}

TEST(TagNavigator, findNextTagStepsThroughEveryTagThenOffersToStartAtTheTop) {
    TagNavigator navigator;
    Selection sel{0, 0};
    for (const Selection expected :
         {Selection{0, 3}, Selection{6, 10}, Selection{12, 16}, Selection{19, 22}, Selection{24, 28}}) {
        const TagSearchResult result = navigator.findNextTag(kPage, sel);
        ASSERT_EQ(result.kind, Kind::Found);
        EXPECT_EQ(result.selection, expected);
        sel = result.selection;  // a selected tag is not found again
    }
    const TagSearchResult end = navigator.findNextTag(kPage, sel);
    ASSERT_EQ(end.kind, Kind::EndOfText);
    EXPECT_EQ(end.wrap.caret, 28);
    EXPECT_EQ(end.wrap.question, (Message{"No more HTML tags!\nContinue from top?", "Find Next Tag", Buttons::YesNoCancel, Icon::Question, 0}));
    EXPECT_EQ(end.wrap.caretOnYes, 0);
    EXPECT_EQ(end.wrap.search, TagSearch::NextTag);
    EXPECT_TRUE(end.wrap.post);

    const FindRun yes = runFind(navigator, &TagNavigator::findNextTag, kPage, sel, {Answer::Yes});
    EXPECT_EQ(yes.selection, (Selection{0, 3}));
    const FindRun no = runFind(navigator, &TagNavigator::findNextTag, kPage, sel, {Answer::No});
    EXPECT_EQ(no.selection, (Selection{28, 28}));
}

TEST(TagNavigator, findNextTagFromInsideATagOrTextFindsTheNextOpeningBracket) {
    TagNavigator navigator;
    struct Case {
        Selection from;
        Selection found;
    };
    for (const Case c : {Case{{1, 1}, {6, 10}}, Case{{4, 5}, {6, 10}}, Case{{0, 1}, {6, 10}}, Case{{3, 10}, {6, 10}}}) {
        const TagSearchResult result = navigator.findNextTag(kPage, c.from);
        ASSERT_EQ(result.kind, Kind::Found);
        EXPECT_EQ(result.selection, c.found) << c.from.start << "," << c.from.end;
    }
    EXPECT_EQ(navigator.findNextTag("text < without end", {0, 0}).kind, Kind::EndOfText);
}

TEST(TagNavigator, findPreviousTagStepsBackAndOffersToStartAtTheBottomByADirectCall) {
    TagNavigator navigator;
    Selection sel{28, 28};
    for (const Selection expected :
         {Selection{24, 28}, Selection{19, 22}, Selection{12, 16}, Selection{6, 10}, Selection{0, 3}}) {
        const TagSearchResult result = navigator.findPreviousTag(kPage, sel);
        ASSERT_EQ(result.kind, Kind::Found);
        EXPECT_EQ(result.selection, expected);
        sel = result.selection;
    }
    const TagSearchResult end = navigator.findPreviousTag(kPage, sel);
    ASSERT_EQ(end.kind, Kind::EndOfText);
    EXPECT_EQ(end.wrap.caret, 0);
    EXPECT_EQ(end.wrap.question, (Message{"No more HTML tags!\nContinue from bottom?", "Find Previous Tag", Buttons::YesNoCancel, Icon::Question, 0}));
    EXPECT_EQ(end.wrap.caretOnYes, 28);
    EXPECT_EQ(end.wrap.search, TagSearch::PreviousTag);
    EXPECT_FALSE(end.wrap.post);

    const FindRun yes = runFind(navigator, &TagNavigator::findPreviousTag, kPage, sel, {Answer::Yes});
    EXPECT_EQ(yes.selection, (Selection{24, 28}));
    EXPECT_FALSE(yes.postedAfterYes);
}

TEST(TagNavigator, findNextUntaggedSkipsStretchesOfBlanksThenOffersToStartAtTheTop) {
    TagNavigator navigator;
    const FindRun first = runFind(navigator, &TagNavigator::findNextUntagged, kPage, {0, 0});
    EXPECT_EQ(first.selection, (Selection{3, 6}));  // "one"
    EXPECT_EQ(first.reposts, 0);

    // Between </p> and <br> only CR LF, between <br> and <b> CR LF TAB,
    // between <b> and </b> two spaces: the command re-posts itself three
    // times and runs off the end.
    const TagSearchResult repost = navigator.findNextUntagged(kPage, first.selection);
    ASSERT_EQ(repost.kind, Kind::SearchOn);
    EXPECT_EQ(repost.selection, (Selection{10, 12}));
    EXPECT_EQ(repost.search, TagSearch::NextUntagged);
    const TagSearchResult spaces = navigator.findNextUntagged(kPage, {19, 19});
    ASSERT_EQ(spaces.kind, Kind::SearchOn);
    EXPECT_EQ(spaces.selection, (Selection{22, 24}));
    const FindRun rest = runFind(navigator, &TagNavigator::findNextUntagged, kPage, first.selection);
    EXPECT_EQ(rest.reposts, 3);
    EXPECT_EQ(rest.questions.size(), 1u);
    EXPECT_EQ(rest.selection, (Selection{28, 28}));

    const TagSearchResult end = navigator.findNextUntagged(kPage, spaces.selection);
    ASSERT_EQ(end.kind, Kind::EndOfText);
    EXPECT_EQ(end.wrap.caret, 28);
    EXPECT_EQ(end.wrap.question, (Message{"No more Text!\nContinue from top?", "Find Next Untaged Text", Buttons::YesNoCancel, Icon::Question, 0}));
    EXPECT_EQ(end.wrap.caretOnYes, 0);
    EXPECT_EQ(end.wrap.search, TagSearch::NextUntagged);
    EXPECT_TRUE(end.wrap.post);

    const FindRun wrapped = runFind(navigator, &TagNavigator::findNextUntagged, kPage, spaces.selection, {Answer::Yes});
    EXPECT_EQ(wrapped.selection, (Selection{3, 6}));
    EXPECT_TRUE(wrapped.postedAfterYes);
}

TEST(TagNavigator, findUntaggedTrimsTabsAndLineBreaksAtBothEndsAndKeepsSpaces) {
    TagNavigator navigator;
    const std::string text = "lead<a>\r\n x \t\r\n</a>";
    // Text before the first '>' is never found.
    const FindRun next = runFind(navigator, &TagNavigator::findNextUntagged, text, {0, 0});
    EXPECT_EQ(next.selection, (Selection{9, 12}));  // " x "
    const FindRun previous = runFind(navigator, &TagNavigator::findPreviousUntagged, text, {19, 19});
    EXPECT_EQ(previous.selection, (Selection{9, 12}));
}

TEST(TagNavigator, findPreviousUntaggedStepsBackOverBlanksAndOffersToStartAtTheBottom) {
    TagNavigator navigator;
    const TagSearchResult spaces = navigator.findPreviousUntagged(kPage, {28, 28});
    ASSERT_EQ(spaces.kind, Kind::SearchOn);
    EXPECT_EQ(spaces.selection, (Selection{22, 24}));
    const TagSearchResult repost = navigator.findPreviousUntagged(kPage, spaces.selection);
    ASSERT_EQ(repost.kind, Kind::SearchOn);
    EXPECT_EQ(repost.selection, (Selection{16, 19}));
    EXPECT_EQ(repost.search, TagSearch::PreviousUntagged);
    const FindRun one = runFind(navigator, &TagNavigator::findPreviousUntagged, kPage, {28, 28});
    EXPECT_EQ(one.selection, (Selection{3, 6}));
    EXPECT_EQ(one.reposts, 3);

    const TagSearchResult end = navigator.findPreviousUntagged(kPage, one.selection);
    ASSERT_EQ(end.kind, Kind::EndOfText);
    EXPECT_EQ(end.wrap.caret, 0);
    EXPECT_EQ(end.wrap.question, (Message{"No more Text!\nContinue from bottom?", "Find Previous Untaged Text",
                                          Buttons::YesNoCancel, Icon::Question, 0}));
    EXPECT_EQ(end.wrap.caretOnYes, 28);
    EXPECT_EQ(end.wrap.search, TagSearch::PreviousUntagged);
    EXPECT_TRUE(end.wrap.post);
}

TEST(TagNavigator, everyFindCommandEndsWithItsQuestionOnATextWithoutTags) {
    TagNavigator navigator;
    const std::string text = "no tags here";
    for (const FindCommand command : {&TagNavigator::findNextTag, &TagNavigator::findPreviousTag,
                                      &TagNavigator::findNextUntagged, &TagNavigator::findPreviousUntagged}) {
        const FindRun run = runFind(navigator, command, text, {5, 5}, {Answer::Yes, Answer::Cancel});
        EXPECT_EQ(run.questions.size(), 2u);
        EXPECT_EQ(run.reruns, 1);
    }
}

struct MatchCase {
    const char* name;
    std::string text;
    Selection selection;
    bool beep;
    std::optional<Selection> selected;
};

TEST(TagNavigator, selectMatchingTagsFindsTheElementAroundTheProbe) {
    //                     0    5    10   15   20
    const std::string nested = "<div><div>x</div></div>";
    const std::string tag96(96, 'q');
    const std::string tag97(97, 'q');
    const std::vector<MatchCase> cases = {
        {"caret at 0", nested, {0, 0}, true, std::nullopt},
        {"caret after the outer '<'", nested, {1, 1}, false, Selection{0, 23}},
        {"caret before the outer '>'", nested, {4, 4}, false, Selection{0, 23}},
        {"caret just after the outer '>'", nested, {5, 5}, true, std::nullopt},
        {"caret just after the inner '>'", nested, {10, 10}, true, std::nullopt},
        {"inner opening tag", nested, {6, 6}, false, Selection{5, 17}},
        {"inner closing tag", nested, {12, 12}, false, Selection{5, 17}},
        {"outer closing tag", nested, {18, 18}, false, Selection{0, 23}},
        {"outer opening tag selected", nested, {0, 5}, false, Selection{0, 23}},
        {"capitals match small letters", "<DIV>x</div>", {1, 1}, false, Selection{0, 12}},
        {"no closing tag: the tag alone, no beep", "<br><p>x", {1, 1}, false, Selection{0, 4}},
        {"closing tag without opening: beep, selection kept", "x</p>", {3, 3}, true, Selection{3, 3}},
        {"closing tag with selection, unmatched", "ab</p>", {3, 5}, true, Selection{3, 5}},
        {"empty closing tag", "</>", {1, 1}, true, std::nullopt},
        {"empty tag", "<>", {1, 1}, true, std::nullopt},
        {"a TAB after the name is not an opening tag", "<p>a<p\tx>b</p></p>", {1, 1}, false, Selection{0, 14}},
        {"a space after the name is one", "<p>a<p x>b</p></p>", {1, 1}, false, Selection{0, 18}},
        {"a longer name is not the same tag", "<b><br></b>", {1, 1}, false, Selection{0, 11}},
        {"a name ends at a line break", "<td\r\nclass=x>y</td>", {1, 1}, false, Selection{0, 19}},
        {"closing tag found back at offset 0", "<p>x</p>", {6, 6}, false, Selection{0, 8}},
        {"probe between two tags", "x>  <y", {0, 6}, true, std::nullopt},
        {"96-character name fits", "<" + tag96 + ">x</" + tag96 + ">", {1, 1}, false, Selection{0, 198}},
        {"97-character name is refused", "<" + tag97 + ">x</" + tag97 + ">", {1, 1}, true, std::nullopt},
        {"97-character closing name is refused", "<" + tag97 + ">x</" + tag97 + ">", {102, 102}, true, std::nullopt},
        {"caret at the end", "<p>x</p>", {8, 8}, true, std::nullopt},
    };
    TagNavigator navigator;
    for (const MatchCase& c : cases) {
        const MatchingTagsResult result = navigator.selectMatchingTags(c.text, c.selection);
        EXPECT_EQ(result.beep, c.beep) << c.name;
        EXPECT_EQ(result.selection, c.selected) << c.name;
    }
}

}  // namespace
}  // namespace tagloom
