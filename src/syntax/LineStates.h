#pragma once
// The start states of the lines of an edit control's text (its lines ending
// at LF, whether or not words wrap), for colouring it. They are lexed only
// as far as someone asks, kept through edits, and after an edit relexed from
// the edited line only until a line starts in the state stored for it again:
// from there on the stored states still hold. An edit costs a few block
// operations whatever the text's size; each line's state takes six bytes.
#include "syntax/SyntaxLexer.h"
#include "textmodel/EditControl.h"
#include "textmodel/TextBlocks.h"

#include <chrono>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tagloom {

// How much lexing one call may do: until a time, and at most so many bytes.
// A call always lexes a little, so repeated calls get to the end.
struct LexBudget {
    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline = Clock::time_point::max();
    std::int64_t bytes = INT64_MAX;

    static LexBudget unlimited() { return {}; }
    static LexBudget forTime(Clock::duration time) { return {Clock::now() + time, INT64_MAX}; }
    static LexBudget forBytes(std::int64_t bytes) { return {Clock::time_point::max(), bytes}; }
};

class LineStates : private EditObserver {
public:
    LineStates(EditControl& control, SyntaxLanguage language);
    ~LineStates() override;
    LineStates(const LineStates&) = delete;
    LineStates& operator=(const LineStates&) = delete;

    SyntaxLanguage language() const { return language_; }
    // Colours the text in another language, from the top.
    void setLanguage(SyntaxLanguage language);

    // Lines [0, knownLines()) have their start states at hand.
    int knownLines() const { return known_; }
    // Lexes toward the start state of line (clamped to the text's lines)
    // while the budget lasts; true when it is known. A painter asks for its
    // last visible line with a short budget and paints the lines not yet
    // known plain until a later call, on idle, gets there.
    bool reach(int line, const LexBudget& budget = LexBudget::unlimited());
    // The start state of line (clamped), lexing up to it.
    LexState stateAt(int line);
    // The style runs of line (clamped) inside [from, to), in text offsets:
    // in order, tiling the line with its line break as far as it lies in
    // that range, neighbours of different classes. False when the budget ran
    // out first; out is empty then, and the next call for the same line goes
    // on where this one stopped. Consecutive calls for the parts of one line
    // (its display lines, say) lex it once.
    bool runs(int line, std::vector<StyleRun>& out, int from = 0, int to = INT_MAX,
              const LexBudget& budget = LexBudget::unlimited());

    // Bytes held for the line states.
    std::size_t memoryUsage() const { return states_.memoryUsage(); }

private:
    class Meter;
    // The marks are counted, so the first marked entry after any line is
    // found without stepping over the entries before it.
    struct MarkCount {
        static constexpr int kWeights = 1;
        static std::array<int, 1> weights(const PackedLexState& state) { return {state.marked() ? 1 : 0}; }
    };
    // A line lexed part of the way, to go on with.
    struct Resume {
        int line = 0;
        LineLexer lexer;
        // For runs: the runs already handed out from tailStart on.
        int tailStart = 0;
        std::vector<StyleRun> tail;
    };

    void onChange(const TextChange& change) override;
    void onTextReset() override;
    void restart();

    bool reach(int target, Meter& meter);
    // Steps over stored states that follow from the known ones, up to target.
    void skipConsistent(int target);
    // Lexes from the last known line until the states agree with the stored
    // ones, target is known or the budget is spent.
    void relex(int target, Meter& meter);
    // Stores the start state of a line that has one stored; true when it
    // equals the state stored before.
    bool store(int line, const PackedLexState& state);
    // Marks a stored state as not following from the line before it.
    void mark(int line);
    std::string_view lineBytes(int start, int end);
    // Where a line starts and ends (after its line break), and its bytes
    // when they lie in one piece of memory.
    struct LineSpan {
        int line = -1;
        int start = 0;
        int end = 0;
        const char* data = nullptr;
    };
    LineSpan lineSpan(int line);

    EditControl& control_;
    SyntaxLanguage language_;
    // Entry i: the start state of line i; the lines after the last entry
    // have none yet. A marked entry may not follow from the one before it.
    TextBlocks<PackedLexState, MarkCount> states_;
    int known_ = 1;
    std::optional<Resume> pendingLine_;  // a long line whose lexing a budget cut
    std::optional<Resume> runsCursor_;   // where the last runs call stopped
    LineSpan lastSpan_;                  // the line last asked for, without its bytes
    std::string scratch_;
    std::vector<PackedLexState> appended_;
};

}  // namespace tagloom
