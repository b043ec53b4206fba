// Random edits on the edit control against a plain std::string: after every
// step the text, the selection, the line count and line queries must agree,
// and the notifications must come in the promised order.
#include "FakeEditObserver.h"
#include "FakeFontMetrics.h"
#include "textmodel/EditControl.h"
#include "textmodel/TextUnit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tagloom {
namespace {

using test::FakeEditObserver;
using test::FakeFontMetrics;

// Fragments that meet every seam: line breaks in all forms, a stray CR, a
// NUL, tabs, UTF-8 of 2, 3 and 4 bytes and bytes that are not UTF-8.
const std::vector<std::string> kFragments = {
    "a", "bc", " ", "  ", "\t", "\r\n", "\r\r\n", "\r", "\n", std::string(1, '\0'),
    "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xE4\xB8\xAD", "\xE2", "\x80", "\xF0\x9F", "word", "x_y1",
};

// The oracle's own view of caret stops: the stops of a line found by
// decoding it from its start.
struct OracleLine {
    int start;
    int contentEnd;
    int end;   // after the line break
};

OracleLine oracleLine(const std::string& text, int pos) {
    int start = 0;
    if (pos > 0) {
        std::size_t lf = text.rfind('\n', static_cast<std::size_t>(pos - 1));
        start = lf == std::string::npos ? 0 : static_cast<int>(lf) + 1;
    }
    std::size_t lf = text.find('\n', static_cast<std::size_t>(start));
    if (lf == std::string::npos) return {start, static_cast<int>(text.size()), static_cast<int>(text.size())};
    int contentEnd = static_cast<int>(lf);
    for (int cr = 0; cr < 2 && contentEnd > start && text[contentEnd - 1] == '\r'; ++cr) --contentEnd;
    return {start, contentEnd, static_cast<int>(lf) + 1};
}

std::vector<int> oracleStops(const std::string& text, const OracleLine& line) {
    std::vector<int> stops;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (int p = line.start; p < line.contentEnd; p += decodeUnit(bytes + p, line.contentEnd - p).length) {
        stops.push_back(p);
    }
    stops.push_back(line.contentEnd);
    return stops;
}

int oracleSnap(const std::string& text, int pos) {
    std::vector<int> stops = oracleStops(text, oracleLine(text, pos));
    return *(std::upper_bound(stops.begin(), stops.end(), pos) - 1);
}

int oraclePrevious(const std::string& text, int pos) {
    if (pos == 0) return 0;
    OracleLine line = oracleLine(text, pos);
    if (pos == line.start) return oracleLine(text, pos - 1).contentEnd;
    std::vector<int> stops = oracleStops(text, line);
    return *(std::lower_bound(stops.begin(), stops.end(), pos) - 1);
}

int oracleNext(const std::string& text, int pos) {
    OracleLine line = oracleLine(text, pos);
    if (pos >= line.contentEnd) return line.end;
    std::vector<int> stops = oracleStops(text, line);
    return *std::upper_bound(stops.begin(), stops.end(), pos);
}

int oracleLineOf(const std::string& text, int offset) {
    return static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

int oracleLineStart(const std::string& text, int line) {
    int start = 0;
    for (int i = 0; i < line; ++i) start = static_cast<int>(text.find('\n', static_cast<std::size_t>(start))) + 1;
    return start;
}

class ModelRun {
public:
    explicit ModelRun(unsigned seed) : random_(seed) {
        control_.setFontMetrics(std::make_unique<FakeFontMetrics>());
        control_.setClientSize(400, 200);
        control_.addObserver(observer_);
        // Every notification sees the control in the state it describes.
        observer_.onChangeHook = [this](const TextChange& change) {
            bool insertion = change.kind == TextChange::Kind::Insertion;
            EXPECT_EQ(control_.caret(), insertion ? change.position + change.length : change.position);
            EXPECT_EQ(control_.anchor(), control_.caret());
            EXPECT_EQ(static_cast<int>(change.text.size()), change.length);
        };
        // Enough lines that the line index works across many blocks.
        oracle_ = randomLines(3000);
        control_.setText(oracle_);
    }

    void step(int n) {
        int op = pick(100);
        observer_.events.clear();
        if (op < 28) {
            randomSelection();
        } else if (op < 50) {
            replace(randomText(pick(4) == 0 ? 40 : 6), false);
        } else if (op < 64) {
            replace(randomText(4), true);
        } else if (op < 74) {
            deleteBack();
        } else if (op < 84) {
            deleteForward();
        } else if (op < 94) {
            moveChar(pick(2) == 0);
        } else if (op < 95) {
            replaceWholeText();
        } else if (op < 96) {
            ASSERT_EQ(std::string(control_.lock(), oracle_.size()), oracle_);
        } else if (oracle_.size() < 20000) {
            replace(randomLines(pick(200)), false);
        } else {
            removeLargeRange();
        }
        check(n % 997 == 0);
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    int randomOffset() { return pick(static_cast<int>(oracle_.size()) + 1); }

    std::string randomText(int maxFragments) {
        std::string text;
        for (int i = pick(maxFragments + 1); i > 0; --i) text += kFragments[static_cast<std::size_t>(pick(static_cast<int>(kFragments.size())))];
        return text;
    }

    void setOracleSelection(int anchor, int caret) {
        anchor_ = anchor;
        caret_ = caret;
    }
    int selStart() const { return std::min(anchor_, caret_); }
    int selEnd() const { return std::max(anchor_, caret_); }

    void randomSelection() {
        // Mostly short selections, so that edits keep the text's size.
        int a = randomOffset();
        int b = pick(3) == 0 ? a : std::min(static_cast<int>(oracle_.size()), a + pick(60));
        if (pick(2) == 0) std::swap(a, b);
        if (pick(50) == 0) b = randomOffset();
        control_.setSel(a, b);
        setOracleSelection(a, b);
        EXPECT_TRUE(observer_.events.empty());
    }

    // Replaces the oracle's selection and gives the notifications expected.
    std::vector<std::string> oracleReplace(int from, int to, const std::string& text) {
        std::vector<std::string> expected;
        if (to > from) expected.push_back("-" + std::to_string(from) + ":" + oracle_.substr(from, to - from));
        if (!text.empty()) expected.push_back("+" + std::to_string(from) + ":" + text);
        if (!expected.empty()) expected.push_back("update");
        oracle_.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), text);
        setOracleSelection(from + static_cast<int>(text.size()), from + static_cast<int>(text.size()));
        return expected;
    }

    void expectChanges(const std::vector<std::string>& expected) {
        std::vector<std::string> got;
        for (const std::string& e : observer_.events) {
            if (e != "vscroll" && e != "hscroll") got.push_back(e);
        }
        EXPECT_EQ(got, expected);
    }

    void replace(const std::string& text, bool typing) {
        bool ok = typing ? control_.typeText(text) : control_.replaceSel(text, pick(2) == 0);
        ASSERT_TRUE(ok);
        expectChanges(oracleReplace(selStart(), selEnd(), text));
    }

    void deleteBack() {
        bool ok = control_.deleteBack();
        if (selEnd() > selStart()) {
            ASSERT_TRUE(ok);
            expectChanges(oracleReplace(selStart(), selEnd(), ""));
            return;
        }
        int at = oracleSnap(oracle_, caret_);
        ASSERT_EQ(ok, at > 0);
        if (ok) expectChanges(oracleReplace(oraclePrevious(oracle_, at), at, ""));
    }

    void deleteForward() {
        bool ok = control_.deleteForward();
        if (selEnd() > selStart()) {
            ASSERT_TRUE(ok);
            expectChanges(oracleReplace(selStart(), selEnd(), ""));
            return;
        }
        int at = oracleSnap(oracle_, caret_);
        ASSERT_EQ(ok, at < static_cast<int>(oracle_.size()));
        if (ok) expectChanges(oracleReplace(at, oracleNext(oracle_, at), ""));
    }

    void moveChar(bool left) {
        bool extend = pick(2) == 0;
        control_.moveCaret(left ? CaretMove::CharLeft : CaretMove::CharRight, extend);
        int target;
        if (!extend && anchor_ != caret_) {
            target = left ? selStart() : selEnd();
        } else {
            int at = oracleSnap(oracle_, caret_);
            target = left ? (at != caret_ ? at : oraclePrevious(oracle_, at)) : oracleNext(oracle_, at);
        }
        setOracleSelection(extend ? anchor_ : target, target);
    }

    std::string randomLines(int n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += randomText(6) + "\r\n";
        return text;
    }

    void replaceWholeText() {
        std::string text = randomLines(pick(3000));
        if (pick(2) == 0) {
            std::vector<std::string> expected;
            if (!oracle_.empty()) expected.push_back("-0:" + oracle_);
            if (!text.empty()) expected.push_back("+0:" + text);
            expected.push_back("update");
            control_.exchangeText(std::string(text));
            expectChanges(expected);
            setOracleSelection(static_cast<int>(text.size()), static_cast<int>(text.size()));
        } else {
            control_.setText(text);
            expectChanges({});
            setOracleSelection(0, 0);
        }
        oracle_ = text;
    }

    void removeLargeRange() {
        int from = randomOffset();
        int to = std::min(static_cast<int>(oracle_.size()), from + pick(3000));
        control_.setSel(from, to);
        setOracleSelection(from, to);
        observer_.events.clear();
        ASSERT_TRUE(control_.replaceSel(""));
        expectChanges(oracleReplace(from, to, ""));
    }

    void check(bool everyLine) {
        ASSERT_EQ(control_.length(), static_cast<int>(oracle_.size()));
        ASSERT_EQ(control_.getText(), oracle_);
        ASSERT_EQ(control_.selection(), (Selection{selStart(), selEnd()}));
        ASSERT_EQ(control_.caret(), caret_);
        int lines = 1 + oracleLineOf(oracle_, static_cast<int>(oracle_.size()));
        ASSERT_EQ(control_.lineCount(), lines);
        int offset = randomOffset();
        ASSERT_EQ(control_.lineFromChar(offset), oracleLineOf(oracle_, offset)) << "offset " << offset;
        int line = pick(lines);
        ASSERT_EQ(control_.lineIndex(line), oracleLineStart(oracle_, line)) << "line " << line;
        ASSERT_EQ(control_.lineIndex(lines), -1);
        if (everyLine) {
            int lineStart = 0;
            for (int i = 0; i < lines; ++i) {
                ASSERT_EQ(control_.lineIndex(i), lineStart);
                ASSERT_EQ(control_.lineFromChar(lineStart), i);
                std::size_t lf = oracle_.find('\n', static_cast<std::size_t>(lineStart));
                lineStart = lf == std::string::npos ? 0 : static_cast<int>(lf) + 1;
            }
        }
    }

    std::mt19937 random_;
    EditControl control_;
    FakeEditObserver observer_;
    std::string oracle_;
    int anchor_ = 0;
    int caret_ = 0;
};

TEST(EditControlModelTest, randomEditsAgreeWithAPlainStringAfterEveryStep) {
    ModelRun run(20240611);
    for (int n = 1; n <= 100000; ++n) {
        ASSERT_NO_FATAL_FAILURE(run.step(n)) << "step " << n;
        if (testing::Test::HasFailure()) FAIL() << "step " << n;
    }
}

}  // namespace
}  // namespace tagloom
