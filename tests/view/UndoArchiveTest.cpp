#include <gtest/gtest.h>

#include <random>

#include "support/FakePlatform.h"
#include "view/UndoArchive.h"

namespace tagloom {
namespace {

// A text with a selection that reports its changes to the archive as the
// edit control does: a replaced selection is a removal, then an insertion.
class StringControl : public UndoTarget {
public:
    int textLength() const { return static_cast<int>(text.size()); }
    Selection selection() const override { return {start, end}; }
    void setSelection(int s, int e) override { start = std::min(s, e), end = std::max(s, e); }
    void replaceSelection(std::string_view inserted) override {
        if (end > start) {
            std::string removed = text.substr(start, end - start);
            text.erase(start, end - start);
            end = start;
            if (archive) archive->recordRemoval(start, std::move(removed));
        }
        if (!inserted.empty()) {
            text.insert(start, inserted);
            start = end = start + static_cast<int>(inserted.size());
            if (archive) archive->recordInsertion(start - static_cast<int>(inserted.size()), inserted);
        }
    }
    char charAt(int offset) const override { return text[offset]; }
    ViewPlace place() const override { return {start, end, 0}; }
    void restorePlace(const ViewPlace& place) override { setSelection(place.anchor, place.caret); }

    std::string text;
    int start = 0, end = 0;
    UndoArchive* archive = nullptr;
};

struct Fixture {
    Fixture(const std::string& initial = "") {
        control.text = initial;
        archive.ResetUndo();
        control.archive = &archive;
    }
    void type(const std::string& text, std::int64_t ms = 300) {
        fake.clock.now += ms;
        control.replaceSelection(text);
    }
    test::FakePlatform fake;
    StringControl control;
    int beeps = 0, allUndone = 0, bookmarks = 0;
    UndoArchive archive{control, fake.clock,
                        {[this] { ++beeps; }, [this] { ++allUndone; }, [this] { ++bookmarks; }}};
};

TEST(UndoArchive, threeLettersTakeThreeUndosAndTheLastOneBeeps) {
    Fixture f;
    for (const char* letter : {"a", "b", "c"}) f.type(letter);
    EXPECT_EQ(f.archive.undoMenuText(), "&Undo (3)\tCtrl+Z");
    f.archive.Undo();
    EXPECT_EQ(f.control.text, "ab");
    f.archive.Undo();
    EXPECT_EQ(f.beeps, 0);
    f.archive.Undo();
    EXPECT_EQ(f.control.text, "");
    EXPECT_EQ(f.beeps, 1);
    EXPECT_EQ(f.allUndone, 1);
    EXPECT_EQ(f.archive.undoMenuText(), "&Undo\tCtrl+Z");
    EXPECT_EQ(f.archive.redoMenuText(), "&Redo (3)\tCtrl+Y");
}

TEST(UndoArchive, aReplacementWithinTheGroupingTimeIsOneStep) {
    struct Case {
        std::int64_t msBetween;
        int steps;
    };
    for (const Case c : {Case{0, 1}, Case{100, 1}, Case{101, 2}, Case{1000, 2}}) {
        Fixture f("the word here");
        f.control.setSelection(4, 8);
        f.fake.clock.now += 500;
        f.control.replaceSelection({});  // Delete
        f.type("x", c.msBetween);
        EXPECT_EQ(f.control.text, "the x here");
        EXPECT_EQ(f.archive.undoSteps(), c.steps) << c.msBetween;
        for (int i = 0; i < c.steps; ++i) f.archive.Undo();
        EXPECT_EQ(f.control.text, "the word here");
        EXPECT_EQ(f.archive.nUndoIndex, 0);
    }
}

TEST(UndoArchive, typingOverTheSelectionIsOneStepAndUndoBringsTheWordBack) {
    Fixture f("say hello now");
    f.control.setSelection(4, 9);
    f.type("y");
    EXPECT_EQ(f.archive.undoSteps(), 1);
    EXPECT_EQ(f.archive.undoPositions, (std::vector<int>{-5, 5}));
    f.archive.Undo();
    EXPECT_EQ(f.control.text, "say hello now");
    f.archive.Redo();
    EXPECT_EQ(f.control.text, "say y now");
    EXPECT_EQ(f.beeps, 2);  // Undo reached the first record, Redo the last
}

TEST(UndoArchive, typingAfterUndoDiscardsTheRedoRecords) {
    Fixture f;
    f.type("a");
    f.type("b");
    f.archive.Undo();
    EXPECT_EQ(f.archive.redoMenuText(), "&Redo (1)\tCtrl+Y");
    f.type("c");
    EXPECT_EQ(f.archive.redoSteps(), 0);
    EXPECT_EQ(f.archive.redoMenuText(), "&Redo\tCtrl+Y");
    EXPECT_EQ(f.archive.undoPositions.size(), 2u);
    f.archive.Redo();  // nothing to redo
    EXPECT_EQ(f.control.text, "ac");
}

TEST(UndoArchive, undoingARemovedBookmarkCountsItAndKeepsTheCaretBeforeTheMarkedLineEnd) {
    Fixture f("one\r\r\ntwo");
    f.control.setSelection(3, 5);
    f.control.replaceSelection({});
    EXPECT_EQ(f.control.text, "one\ntwo");
    f.archive.Undo();
    EXPECT_EQ(f.control.text, "one\r\r\ntwo");
    EXPECT_EQ(f.bookmarks, 1);
    EXPECT_EQ(f.control.selection().start, 4);  // moved back from after the second CR to between the two
}

// The records as the archive's rules describe them, kept literally: a copy of
// the whole text is taken after every change, and a removal's text comes from
// that copy. The archive must record exactly the same.
class LiteralArchive {
public:
    explicit LiteralArchive(const std::string& text) : copy(text), len(static_cast<int>(text.size())) {}
    void RecordChange(const std::string& text, int caret, std::int64_t now) {
        const std::int64_t elapsed = now - tLastChange;
        if (index < static_cast<int>(positions.size())) {
            positions.resize(index), texts.resize(index), grouped.resize(index);
        }
        const int n = static_cast<int>(text.size()), d = n - len;
        if (d < 0) {
            texts.push_back(copy.substr(caret, -d));
            positions.push_back(-caret - 1);
        }
        copy = text;
        len = n;
        if (d > 0) {
            texts.push_back(copy.substr(caret - d, d));
            positions.push_back(caret - d + 1);
        }
        const bool tied = index > 0 && positions.back() == -positions[positions.size() - 2] && elapsed <= 100 &&
                          positions.back() > 0;
        grouped.push_back(tied);
        ++index;
        tLastChange = now;
    }
    std::vector<int> positions;
    std::vector<std::string> texts;
    std::vector<std::uint8_t> grouped;
    int index = 0;
    std::string copy;
    int len;
    std::int64_t tLastChange = 1'000'000;
};

TEST(UndoArchive, randomEditsRecordWhatTheLiteralRulesRecordAndUndoToTheStartGivesTheLoadedText) {
    std::mt19937 random(20261208);
    const std::string loaded = "<html>\r\n<body>\r\r\nHello, world\r\n</body>\r\n</html>";
    Fixture f(loaded);
    LiteralArchive literal(loaded);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string alphabet = "ab<>/ \r\n\t";

    for (int step = 0; step < 4000; ++step) {
        const int n = f.control.textLength();
        const int kind = pick(0, 99);
        f.fake.clock.now += pick(0, 150);
        if (kind < 10 && f.archive.nUndoIndex > 0) {
            f.archive.Undo();
            // The literal rules move the index the same way; follow the archive's count.
            literal.index = f.archive.nUndoIndex;
            literal.copy = f.control.text;
            literal.len = f.control.textLength();
            continue;
        }
        if (kind < 15 && f.archive.redoSteps() > 0) {
            f.archive.Redo();
            literal.index = f.archive.nUndoIndex;
            literal.copy = f.control.text;
            literal.len = f.control.textLength();
            continue;
        }
        if (kind < 18) {  // a whole-text transformation: remove all, then insert the new text
            std::string transformed = "<p>" + f.control.text.substr(0, std::min(n, 40)) + "</p>";
            f.control.setSelection(0, n);
            f.control.replaceSelection({});
            if (n > 0) literal.RecordChange(f.control.text, 0, f.fake.clock.now);
            f.fake.clock.now += pick(0, 50);
            f.control.replaceSelection(transformed);
            literal.RecordChange(f.control.text, f.control.start, f.fake.clock.now);
        } else {
            int s = pick(0, n), e = pick(0, n);
            if (pick(0, 2) > 0) e = s;
            f.control.setSelection(s, e);
            std::string typed;
            for (int i = pick(s == e ? 1 : 0, 3); i > 0; --i) typed += alphabet[pick(0, alphabet.size() - 1)];
            if (f.control.start != f.control.end) {
                int start = f.control.start;
                f.control.replaceSelection({});
                literal.RecordChange(f.control.text, start, f.fake.clock.now);
            }
            if (!typed.empty()) {
                f.control.replaceSelection(typed);
                literal.RecordChange(f.control.text, f.control.start, f.fake.clock.now);
            }
        }
        ASSERT_EQ(f.archive.undoPositions, literal.positions) << "step " << step;
        ASSERT_EQ(f.archive.undoTexts, literal.texts) << "step " << step;
        ASSERT_EQ(f.archive.undoGrouped, literal.grouped) << "step " << step;
        ASSERT_EQ(f.archive.nUndoIndex, literal.index);
    }
    while (f.archive.redoSteps() > 0) f.archive.Redo();
    const std::string finalText = f.control.text;
    while (f.archive.nUndoIndex > 0) f.archive.Undo();
    EXPECT_EQ(f.control.text, loaded);
    while (f.archive.redoSteps() > 0) f.archive.Redo();
    EXPECT_EQ(f.control.text, finalText);
}

}  // namespace
}  // namespace tagloom
