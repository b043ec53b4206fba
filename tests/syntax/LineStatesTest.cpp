#include "syntax/LineStates.h"

#include "RealPages.h"
#include "StyledText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tagloom {
namespace {

std::string repeatedLines(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line;
    return text;
}

// The states and runs of every line, lexed from the top.
struct Scratch {
    std::vector<LexState> states;
    std::vector<std::vector<StyleRun>> runs;
};

Scratch fromScratch(std::string_view text, SyntaxLanguage language) {
    Scratch scratch;
    forEachStyledLine(text, language, [&](const LexState& state, std::size_t, const std::vector<StyleRun>& runs) {
        scratch.states.push_back(state);
        scratch.runs.push_back(runs);
    });
    return scratch;
}

void edit(EditControl& control, int from, int to, std::string_view text) {
    control.setSel(from, to);
    control.replaceSel(text);
}

TEST(LineStates, lexesNothingBeforeItIsAskedAndThenOnlyUpToTheLineAsked) {
    EditControl control;
    control.setText(repeatedLines("<p class=\"a\">text</p>\r\n", 1000));
    LineStates states(control, SyntaxLanguage::Html);
    EXPECT_EQ(states.knownLines(), 1);
    std::vector<StyleRun> runs;
    ASSERT_TRUE(states.runs(10, runs));
    EXPECT_EQ(states.knownLines(), 11);
    EXPECT_EQ(styledText(control.getText(), runs),
              "«tag:<p» «attr:class»=«value:\"a\"»«tag:>»text«tag:</p>»\r\n");
    EXPECT_EQ(runs.front().start, control.textLineIndex(10));
    states.reach(500);
    EXPECT_EQ(states.knownLines(), 501);
    states.reach(5000);
    EXPECT_EQ(states.knownLines(), 1001);
}

TEST(LineStates, relexesAnEditedLineAloneWhenTheNextLineStartsAsBefore) {
    EditControl control;
    control.setText(repeatedLines("<p>text</p>\r\n", 20000));
    LineStates states(control, SyntaxLanguage::Html);
    const int last = control.textLineCount() - 1;
    ASSERT_TRUE(states.reach(last));

    // A budget of a few lines: enough only when the states converge at once.
    const LexBudget fewLines = LexBudget::forBytes(40);
    edit(control, control.textLineIndex(100) + 3, control.textLineIndex(100) + 3, "x");
    EXPECT_EQ(states.knownLines(), 101);
    EXPECT_TRUE(states.reach(last, fewLines));
    edit(control, control.textLineIndex(200), control.textLineIndex(203), "<b>new\r\nlines</b>\r\n");
    EXPECT_TRUE(states.reach(last, fewLines));

    // An opened comment changes every state after it; its end brings them back.
    edit(control, control.textLineIndex(300), control.textLineIndex(300), "<!--");
    EXPECT_FALSE(states.reach(last, fewLines));
    EXPECT_TRUE(states.reach(last));
    EXPECT_EQ(states.stateAt(last).html, HtmlMode::Comment);
    edit(control, control.textLineIndex(400), control.textLineIndex(400), "-->");
    EXPECT_FALSE(states.reach(last, fewLines));
    EXPECT_TRUE(states.reach(last));
    EXPECT_EQ(states.stateAt(last).html, HtmlMode::Text);
}

TEST(LineStates, editsBeyondTheLinesLexedCostNothingAndEditsBeforeThemKeepTheStoredStates) {
    EditControl control;
    control.setText(repeatedLines("a\r\n", 1000) + "<!--\r\n" + repeatedLines("b\r\n", 1000));
    LineStates states(control, SyntaxLanguage::Html);
    ASSERT_TRUE(states.reach(2000));
    // Two edits before anything is asked: the later one's stored states
    // must not be taken for granted once the earlier one converges.
    edit(control, control.textLineIndex(1500), control.textLineIndex(1500), "-->");
    edit(control, control.textLineIndex(10), control.textLineIndex(10), "x\r\n");
    EXPECT_EQ(states.knownLines(), 11);
    ASSERT_TRUE(states.reach(control.textLineCount() - 1));
    EXPECT_EQ(states.stateAt(1500).html, HtmlMode::Comment);
    EXPECT_EQ(states.stateAt(1502).html, HtmlMode::Text);
    EXPECT_EQ(states.stateAt(control.textLineCount() - 1).html, HtmlMode::Text);
}

TEST(LineStates, reachesTheEndInSlicesOfTheBudgetGiven) {
    EditControl control;
    control.setText(repeatedLines("<script>var a = 1;</script>\r\n", 10000));
    LineStates states(control, SyntaxLanguage::Html);
    const int last = control.textLineCount() - 1;
    int calls = 0;
    int known = states.knownLines();
    while (!states.reach(last, LexBudget::forBytes(64 * 1024))) {
        EXPECT_GT(states.knownLines(), known);
        known = states.knownLines();
        ++calls;
    }
    EXPECT_EQ(calls, control.length() / (64 * 1024));
    EXPECT_EQ(states.knownLines(), control.textLineCount());
}

TEST(LineStates, aLineLongerThanTheBudgetIsLexedInSlicesToo) {
    // A minified page: one long line with a comment left open in it.
    const std::string longLine = repeatedLines("<b class=x>a</b><script>f(1)</script>", 20000) + "<!--\r\n";
    EditControl control;
    control.setText(longLine + "x\r\n");
    LineStates states(control, SyntaxLanguage::Html);
    int calls = 0;
    const LexBudget slice = LexBudget::forBytes(64 * 1024);
    while (!states.reach(1, slice)) ++calls;
    EXPECT_EQ(calls, static_cast<int>(longLine.size() / (64 * 1024)));
    EXPECT_EQ(states.stateAt(1), lexLine(initialState(SyntaxLanguage::Html), longLine));
    EXPECT_EQ(states.stateAt(1).html, HtmlMode::Comment);

    // The runs of its end come in slices too, and whole.
    std::vector<StyleRun> runs;
    const int end = control.textLineIndex(1);
    int runCalls = 0;
    while (!states.runs(0, runs, end - 10, end, slice)) {
        EXPECT_TRUE(runs.empty());
        ++runCalls;
    }
    EXPECT_EQ(runCalls, calls);
    EXPECT_EQ(styledText(control.getText(), runs), "«tag:ipt>»«comment:<!--\r\n»");
}

TEST(LineStates, theRunsOfTheDisplayLinesOfALineJoinToTheRunsOfTheWholeLine) {
    const std::string line =
        "<p style=\"color: red\">Tom &amp; Jerry</p><script>if (a < b) x = /re/g; // c</script><?php $a = 1; ?>\r\n";
    EditControl control;
    control.setText("first\r\n" + line);
    LineStates states(control, SyntaxLanguage::Html);
    std::vector<StyleRun> whole;
    ASSERT_TRUE(states.runs(1, whole));
    const int start = control.textLineIndex(1);
    for (int width : {1, 3, 7, 20}) {
        std::vector<StyleRun> joined;
        for (int from = start; from < control.length(); from += width) {
            std::vector<StyleRun> part;
            ASSERT_TRUE(states.runs(1, part, from, from + width));
            ASSERT_FALSE(part.empty());
            EXPECT_EQ(part.front().start, from);
            for (const StyleRun& run : part) {
                if (!joined.empty() && joined.back().style == run.style && joined.back().end() == run.start) {
                    joined.back().length += run.length;
                } else {
                    joined.push_back(run);
                }
            }
        }
        EXPECT_EQ(joined, whole) << "parts of " << width << " bytes";
    }
}

TEST(LineStates, aNewLanguageOrANewTextIsLexedAfresh) {
    EditControl control;
    control.setText("a { color: red }\r\n");
    LineStates states(control, SyntaxLanguage::Html);
    std::vector<StyleRun> runs;
    states.runs(0, runs);
    EXPECT_EQ(styledText(control.getText(), runs), "a { color: red }\r\n");
    states.setLanguage(SyntaxLanguage::Css);
    EXPECT_EQ(states.language(), SyntaxLanguage::Css);
    states.runs(0, runs);
    EXPECT_EQ(styledText(control.getText(), runs), "a { «property:color»: red }\r\n");
    control.setText("/* x */");
    EXPECT_EQ(states.knownLines(), 1);
    states.runs(0, runs);
    EXPECT_EQ(styledText(control.getText(), runs), "«comment:/* x */»");
}

TEST(LineStates, takesAtMostEightBytesALine) {
    EditControl control;
    control.setText(repeatedLines("<p>x</p>\r\n", 200000));
    LineStates states(control, SyntaxLanguage::Html);
    states.reach(control.textLineCount() - 1);
    EXPECT_LE(states.memoryUsage(), 8u * control.textLineCount());
}

// Edits that open and close what spans lines, and bytes that break them.
const std::vector<std::string> kFragments = {
    "<!--", "-->", "<script>", "</script>", "<style>", "</style>", "<?php ", "?>", "<?= $x ?>",
    "\"", "'", "`", "${", "}", "{", "/*", "*/", "//", "/", "#", "<<<EOT\r\n", "\r\nEOT;\r\n", "<<<'N'\r\n",
    "{{", "}}", "{%", "%}", "<%", "%>", "<", ">", "=", " style=\"", "<script type=\"text/x\">", "<textarea>",
    "</textarea>", "<p class=\"a\">", "\r\n", "\n", "\r", "x", "&amp;", "@media a {", "\\",
};

void editAtRandom(EditControl& control, std::mt19937& random) {
    const int length = control.length();
    const int at = length == 0 ? 0 : static_cast<int>(random() % (length + 1));
    switch (random() % 4) {
    case 0:
    case 1:
        edit(control, at, at, kFragments[random() % kFragments.size()]);
        break;
    case 2: {
        const int span = random() % 8 == 0 ? static_cast<int>(random() % 2000) : static_cast<int>(random() % 20);
        edit(control, at, std::min(length, at + span), "");
        break;
    }
    default: {
        const int span = static_cast<int>(random() % 30);
        edit(control, at, std::min(length, at + span), kFragments[random() % kFragments.size()]);
        break;
    }
    }
}

void expectLikeScratch(LineStates& states, const EditControl& control, SyntaxLanguage language,
                       const std::string& context) {
    const std::string text = control.getText();
    const Scratch scratch = fromScratch(text, language);
    ASSERT_EQ(static_cast<int>(scratch.states.size()), control.textLineCount()) << context;
    std::vector<StyleRun> runs;
    for (int line = 0; line < control.textLineCount(); ++line) {
        ASSERT_EQ(states.stateAt(line), scratch.states[line]) << context << ", line " << line;
        ASSERT_TRUE(states.runs(line, runs));
        ASSERT_EQ(runs, scratch.runs[line]) << context << ", line " << line;
    }
}

void relexRandomEdits(const std::string& name, const std::string& text, SyntaxLanguage language, int rounds,
                      std::mt19937& random) {
    EditControl control;
    control.setText(text);
    LineStates states(control, language);
    std::vector<StyleRun> runs;
    for (int round = 0; round < rounds; ++round) {
        // Mostly one edit at a time; now and then a few before anything is
        // asked, or with some lines asked in between, under a small budget.
        const int edits = random() % 4 == 0 ? 1 + static_cast<int>(random() % 4) : 1;
        for (int e = 0; e < edits; ++e) {
            editAtRandom(control, random);
            if (random() % 3 == 0) {
                const int line = static_cast<int>(random() % control.textLineCount());
                states.runs(line, runs, 0, INT_MAX, LexBudget::forBytes(1 + random() % 4000));
                // Whole-text work may move the text's bytes without an edit.
                if (random() % 2 == 0) control.lock();
                states.runs(line, runs);
            }
        }
        expectLikeScratch(states, control, language, name + ", round " + std::to_string(round));
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(LineStates, staysLikeALexingFromScratchThroughThousandsOfRandomEditsOfRealPages) {
    std::mt19937 random(2024);
    for (const RealPage& page : realPages()) {
        relexRandomEdits(page.name, page.text, SyntaxLanguage::Html, 300, random);
        if (HasFatalFailure()) return;
    }
    relexRandomEdits("a style sheet", "@media screen {\r\n  a { color: red; }\r\n}\r\n/* x */ p { margin: 0 }\r\n",
                     SyntaxLanguage::Css, 300, random);
    relexRandomEdits("a script", "const a = `x ${b}`;\r\n/* c */ if (a) { f(/re/g, 'q'); }\r\n// end\r\n",
                     SyntaxLanguage::JavaScript, 300, random);
}

}  // namespace
}  // namespace tagloom
