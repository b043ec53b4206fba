// The find, mark and replace engine driven as the dialog drives it, with the
// boxes answered from scripts.
#include "search/FindEngine.h"

#include <gtest/gtest.h>

#include "resources/CommandIds.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

struct Engine : test::ViewFixture {
    explicit Engine(const std::string& bytes) { load(bytes); }
    FindEngine& engine() { return view->find(); }
    void press(int button, const std::string& find, bool down = true, bool wholeWord = false, bool matchCase = false,
               const std::string& replace = {}, bool markMode = true) {
        FindRequest r;
        r.findText = find;
        r.replaceText = replace;
        r.bFindDirection = down ? 1 : 0;
        r.bWholeWord = wholeWord ? 1 : 0;
        r.bMatchCase = matchCase ? 1 : 0;
        r.bScrollCenter = 0;
        r.button = button;
        r.bMarkMode = markMode ? 1 : 0;
        engine().request(r);
        fake.uiQueue.drain();
    }
    void findNext(const std::string& find, bool down = true, bool wholeWord = false) {
        press(FindRequest::kFindNext, find, down, wholeWord);
    }
    Selection selection() { return control().selection(); }
    std::vector<Message>& boxes() { return fake.prompter.messages; }
};

Message wrapQuestion(const std::string& text, const char* end) {
    return {"Continue searching for  \"" + text + "\"  from the " + end + "?", "Find Next", Buttons::YesNoCancel,
            Icon::Question, 0};
}

TEST(FindEngine, findNextGoesDownThenAsksToWrapAndYesContinuesFromTheTop) {
    Engine e("foo foo");
    e.select(0, 0);
    e.findNext("foo");
    EXPECT_EQ(e.selection(), (Selection{0, 3}));
    e.findNext("foo");
    EXPECT_EQ(e.selection(), (Selection{4, 7}));
    e.fake.prompter.answers = {Answer::Yes};
    e.findNext("foo");
    ASSERT_EQ(e.boxes().size(), 1u);
    EXPECT_EQ(e.boxes()[0], wrapQuestion("foo", "Top"));
    EXPECT_EQ(e.selection(), (Selection{0, 3}));
    EXPECT_EQ(e.engine().bLastFindHit, 1);
}

// A hit found up ends at or before where the search began: the occurrence
// just before the selection is found, and ";;" upwards from the second ';'
// finds the first.
TEST(FindEngine, searchingUpFindsTheOccurrenceJustBeforeTheSelectionAndFromTheStartAsksAboutTheBottom) {
    Engine e("a;b;c");
    e.select(4, 4);
    e.findNext(";", false);
    EXPECT_EQ(e.selection(), (Selection{3, 4}));
    e.findNext(";", false);
    EXPECT_EQ(e.selection(), (Selection{1, 2}));
    Engine twice(";;");
    twice.select(1, 2);
    twice.findNext(";", false);
    EXPECT_EQ(twice.selection(), (Selection{0, 1}));
    for (const int start : {0, 1}) {
        e.boxes().clear();
        e.select(start, start);
        e.fake.prompter.answers = {Answer::No};
        e.findNext(";", false);
        ASSERT_EQ(e.boxes().size(), 1u) << start;
        EXPECT_EQ(e.boxes()[0], wrapQuestion(";", "Bottom"));
        EXPECT_EQ(e.engine().bLastFindHit, 0);
    }
}

TEST(FindEngine, aSecondFailureAfterTheWrapReportsNotFoundAndBringsBackTheOriginOfTheCycle) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\n";
    Engine e(text);
    e.select(1200, 1203);
    e.control().lineScroll(0, 40);
    const int top = e.control().firstVisibleLine();
    e.fake.prompter.answers = {Answer::Yes, Answer::Ok};
    e.findNext("absent");
    ASSERT_EQ(e.boxes().size(), 2u);
    EXPECT_EQ(e.boxes()[1], (Message{"\" absent \" not found in the entire document !", "Find Next", Buttons::Ok,
                                     Icon::Warning, 0}));
    EXPECT_EQ(e.selection(), (Selection{1200, 1203}));
    EXPECT_EQ(e.control().firstVisibleLine(), top);
    EXPECT_EQ(e.engine().nOriginStart, -1);
    EXPECT_EQ(e.engine().bSearchWrapped, 0);
}

TEST(FindEngine, wholeWordFindNextSkipsMatchesInsideWords) {
    struct Case {
        const char* text;
        Selection found;
    };
    for (const Case c : {Case{"foo_bar foo", {8, 11}}, Case{"foo-bar", {0, 3}}, Case{"xfoo foox foo.", {10, 13}}}) {
        Engine e(c.text);
        e.select(0, 0);
        e.findNext("foo", true, true);
        EXPECT_EQ(e.selection(), c.found) << c.text;
        EXPECT_EQ(e.engine().bLastFindHit, 1) << c.text;
    }
}

// Each call examines candidates for its slice of time, then posts the rest:
// with a clock that moves 1 ms a reading, at most five per call; with a clock
// that stands still, all of them in the first call.
TEST(FindEngine, aLongWholeWordSkipGoesOnInPostedCallsOfAFewMillisecondsEach) {
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "foo_ ";
    text += "foo";
    struct Case {
        std::int64_t tickMs;
        int minCalls, maxCalls;
    };
    for (const Case c : {Case{1, 2000, 5000}, Case{0, 1, 1}}) {
        Engine e(text);
        e.select(0, 0);
        e.fake.clock.tickMs = c.tickMs;
        FindRequest r;
        r.findText = "foo";
        r.bWholeWord = 1;
        r.button = FindRequest::kFindNext;
        e.engine().request(r);
        int calls = 1;  // the request's own, then each posted one that went on
        while (!e.fake.uiQueue.pending.empty()) {
            const int before = e.selection().start;
            auto call = std::move(e.fake.uiQueue.pending.front());
            e.fake.uiQueue.pending.pop_front();
            call();
            EXPECT_LE(e.selection().start - before, 5 * 5) << "a call passed over more than its slice";
            if (e.selection().start != before) ++calls;
        }
        EXPECT_GE(calls, c.minCalls) << c.tickMs;
        EXPECT_LE(calls, c.maxCalls) << c.tickMs;
        EXPECT_EQ(e.selection(), (Selection{50000, 50003})) << c.tickMs;
        EXPECT_EQ(e.engine().bLastFindHit, 1);
        EXPECT_TRUE(e.boxes().empty());
    }
}

TEST(FindEngine, markAllCountsOverlappingOccurrencesUnderTheWholeWordRule) {
    struct Case {
        const char* text;
        const char* find;
        bool wholeWord;
        int count;
    };
    for (const Case c : {Case{"aaaa", "aa", false, 3}, Case{"foobar foo", "foo", true, 1},
                         Case{"Cat cAT cat", "cat", false, 3}}) {
        Engine e(c.text);
        e.fake.prompter.answers = {Answer::Yes};
        e.press(FindRequest::kMarkAllOrReplaceAll, c.find, true, c.wholeWord);
        ASSERT_EQ(e.boxes().size(), 1u);
        EXPECT_EQ(e.boxes()[0], (Message{"Found " + std::to_string(c.count) + " occurrences of \"" + c.find +
                                             "\" .\nGo to the first occurrence?",
                                         "Mark All Occurrences of This", Buttons::YesNoCancel, Icon::Question, 0}));
        EXPECT_EQ(e.view->marks().strMarkText, c.find);
        EXPECT_TRUE(e.view->marks().shown());
    }
}

// Mark All counts over the edited text's pieces: a page of a gigabyte is not
// joined into a second block to count in.
TEST(FindEngine, markAllCountsAnEditedTextWithoutJoiningItsPieces) {
    std::string page;
    for (int i = 0; i < 20000; ++i) page += "<p>one two</p>\n";
    Engine e(page);
    e.select(3, 3);
    e.control().typeText("one ");
    ASSERT_FALSE(e.control().isLockFree());
    e.press(FindRequest::kMarkAllOrReplaceAll, "one");
    ASSERT_EQ(e.boxes().size(), 1u);
    EXPECT_EQ(e.boxes()[0].text, "Found 20001 occurrences of \"one\" .\nGo to the first occurrence?");
    EXPECT_FALSE(e.control().isLockFree());
}

TEST(FindEngine, aMarkAllThatFindsNothingHidesTheMarksButKeepsTheMarkedText) {
    Engine e("one two one");
    e.fake.prompter.answers = {Answer::No, Answer::Ok};
    e.press(FindRequest::kMarkAllOrReplaceAll, "one");
    e.press(FindRequest::kMarkAllOrReplaceAll, "three");
    ASSERT_EQ(e.boxes().size(), 2u);
    EXPECT_EQ(e.boxes()[1], (Message{"No occurrences of \"three\" were found !", "Mark All Occurrences of This",
                                     Buttons::Ok, Icon::Warning, 0}));
    EXPECT_FALSE(e.view->marks().shown());
    EXPECT_EQ(e.view->marks().strMarkText, "one");
    EXPECT_TRUE(e.router.query(cmd::MarkHighlight).enabled);
    ASSERT_TRUE(e.router.run(cmd::MarkHighlight));
    EXPECT_TRUE(e.view->marks().shown());
    e.router.run(cmd::RemoveMarkedText);
    EXPECT_FALSE(e.view->marks().shown());
}

TEST(FindEngine, replaceTakesTheSelectionOnlyWhenItIsTheFindText) {
    struct Case {
        bool matchCase;
        std::string text;
        int beeps;
    };
    for (const Case& c : {Case{false, "Bar", 0}, Case{true, "Foo", 1}}) {
        Engine e("Foo");
        e.select(0, 3);
        e.press(FindRequest::kReplace, "foo", true, false, c.matchCase, "Bar", false);
        EXPECT_EQ(e.text(), c.text);
        EXPECT_EQ(e.fake.desktop.beeps, c.beeps);
        if (c.beeps == 0) {
            EXPECT_EQ(e.selection(), (Selection{0, 3}));
        }
    }
}

TEST(FindEngine, replaceAllGoesToTheEndAsksToWrapAndEndsOnTheLastReplacement) {
    Engine e("x a x b x c x");
    e.select(3, 3);
    e.findNext("x");
    ASSERT_EQ(e.selection(), (Selection{4, 5}));
    e.fake.prompter.answers = {Answer::No};
    e.press(FindRequest::kMarkAllOrReplaceAll, "x", true, false, false, "yy", false);
    EXPECT_EQ(e.text(), "x a yy b yy c yy");
    EXPECT_EQ(e.boxes().back(), wrapQuestion("x", "Top"));
    EXPECT_EQ(e.selection(), (Selection{14, 16}));
    EXPECT_EQ(e.view->settings().bShowLineNum, e.view->settings().bShowLineNum);
}

TEST(FindEngine, replaceAllUpwardsReplacesEveryOccurrenceNeverSearchesAReplacementAndUndoesStepByStep) {
    Engine e("x x x");
    e.select(5, 5);
    e.findNext("x", false);
    ASSERT_EQ(e.selection(), (Selection{4, 5}));
    e.fake.prompter.answers = {Answer::No};
    e.press(FindRequest::kMarkAllOrReplaceAll, "x", false, false, false, "xx", false);
    EXPECT_EQ(e.text(), "xx xx xx");
    EXPECT_EQ(e.boxes().back(), wrapQuestion("x", "Bottom"));
    EXPECT_EQ(e.selection(), (Selection{0, 2}));
    const int steps = e.view->undo().undoSteps();
    EXPECT_GE(steps, 2);
    while (e.view->undo().undoSteps() > 0) e.view->undo().Undo();
    EXPECT_EQ(e.text(), "x x x");
}

// Words that are not whole words between the accepted ones are passed over,
// and the loop goes on to the end of the text in its direction.
TEST(FindEngine, replaceAllWithWholeWordGoesPastRejectedCandidatesToTheEnd) {
    for (const bool down : {true, false}) {
        Engine e("foo foo_x foo xfoo foo");
        e.select(down ? 0 : e.control().length(), down ? 0 : e.control().length());
        e.findNext("foo", down, true);
        e.fake.prompter.answers = {Answer::No};
        e.press(FindRequest::kMarkAllOrReplaceAll, "foo", down, true, false, "bar", false);
        EXPECT_EQ(e.text(), "bar foo_x bar xfoo bar") << (down ? "down" : "up");
    }
}

TEST(FindEngine, replaceAllWithoutAHitOrOnAReadOnlyTextBeeps) {
    Engine e("x x");
    e.select(0, 1);
    e.press(FindRequest::kMarkAllOrReplaceAll, "x", true, false, false, "y", false);
    EXPECT_EQ(e.text(), "x x");
    EXPECT_EQ(e.fake.desktop.beeps, 1);
    e.findNext("x");
    e.router.run(cmd::ReadOnly);
    e.press(FindRequest::kMarkAllOrReplaceAll, "x", true, false, false, "y", false);
    EXPECT_EQ(e.text(), "x x");
    EXPECT_EQ(e.fake.desktop.beeps, 2);
}

TEST(FindEngine, caseFoldsByTheDocumentsEncodingAndNeverMatchesInsideACharacter) {
    struct Case {
        std::string file;
        std::string find;
        Selection found;
    };
    const Case cases[] = {
        {"Stra\xC3\x9F" "e \xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9", {8, 13}},      // UTF-8: É folds to é
        {"\xC3\x89T\xC3\x89 caf\xC3\xA9", "\xC3\xA9", {0, 2}},                     // never inside a sequence
        {"caf\xC9 \xC9T\xC9", "\xC3\xA9t\xC3\xA9", {5, 8}},                        // Windows-1252: É is C9
        {"\xD0\x9C\xD0\x98\xD0\xA0", "\xD0\xBC\xD0\xB8\xD1\x80", {0, 6}},          // Cyrillic
    };
    for (const Case& c : cases) {
        Engine e(c.file);
        e.select(0, 0);
        e.findNext(c.find);
        EXPECT_EQ(e.selection(), c.found) << c.file;
    }
    Engine latin("caf\xE9");
    latin.fake.prompter.answers = {Answer::No};
    latin.findNext("\xE4\xB8\xAD");  // no byte for it in Windows-1252: not found
    EXPECT_EQ(latin.engine().bLastFindHit, 0);
}

TEST(FindEngine, aRequestWhileAnotherRunsIsRefused) {
    Engine e("foo foo");
    e.select(0, 0);
    FindRequest inner;
    inner.findText = "foo";
    inner.button = FindRequest::kFindNext;
    e.fake.prompter.answers = {Answer::Yes};
    // The wrap question of the first request runs a nested event loop; a
    // request made from there is refused.
    e.select(7, 7);
    struct NestedPrompter : Prompter {
        FindEngine* engine;
        FindRequest request;
        Answer ask(const Message&) override {
            engine->request(request);
            return Answer::No;
        }
    } nested;
    nested.engine = &e.engine();
    nested.request = inner;
    Platform platform{nested, e.fake.desktop, e.fake.clipboard, e.fake.launcher, e.fake.fileDialogs,
                      e.fake.printDialogs, e.fake.clock, e.fake.uiQueue, e.fake.settings, e.fake.textDialogs};
    FindEngine engine(*e.view, e.view->settings(), platform, e.router);
    nested.engine = &engine;
    engine.request(inner);
    EXPECT_EQ(e.fake.desktop.beeps, 1);
}

}  // namespace
}  // namespace tagloom
