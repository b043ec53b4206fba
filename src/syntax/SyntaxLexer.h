#pragma once
// The lexer: it reads one line at a time from the line's start state and
// says what each byte is (a tag, a string, a keyword, ...). HTML holds style
// sheets and scripts, PHP blocks may stand anywhere, also inside attribute
// values and scripts; the content of a script or style element ends where
// the mark-up reader ends it: at the first "</" + its name, ASCII case
// ignored, followed by a byte that ends a tag name or '/'.
//
// A line is its bytes with its line break. The lexer is a pure function of
// the start state and those bytes, so states computed line by line from any
// point agree with states computed from the top.
#include "syntax/LexState.h"
#include "syntax/StyleRun.h"

#include <climits>
#include <string_view>
#include <vector>

namespace tagloom {

class LineLexer {
public:
    explicit LineLexer(const LexState& start = LexState{}) : state_(start) {}

    // Lexes on from position() until it reaches limit (or a little past it,
    // to the end of a token) or the line's end, handing the runs of the bytes
    // read to runs when given. line must be the same bytes on every call.
    void lexTo(std::string_view line, std::size_t limit, RunCollector* runs);
    void lexAll(std::string_view line, RunCollector* runs) { lexTo(line, line.size(), runs); }

    std::size_t position() const { return pos_; }
    bool finished(std::string_view line) const { return pos_ >= line.size(); }
    // Where the lexer stands; after the whole line, the next line's start state.
    const LexState& state() const { return state_; }

private:
    friend class LexStep;  // the reading itself, in SyntaxLexer.cpp

    static constexpr std::size_t kUnknown = std::string_view::npos;

    LexState state_;
    std::size_t pos_ = 0;
    // What this line alone decides, and so needs no place in the state:
    // where the quoted type value of a script tag began on this line,
    std::size_t typeValueStart_ = kUnknown;
    // where the line's leading spaces and tabs end, once asked,
    std::size_t indent_ = kUnknown;
    // and whether the last JavaScript token was a '.', after which a
    // reserved word is a property's name.
    bool afterDot_ = false;
};

// Lexes a whole line from its start state; returns the next line's.
LexState lexLine(const LexState& start, std::string_view line, RunCollector* runs = nullptr);

// Lexes a whole text from the top, calling onLine(startState, lineStart,
// runs) for each of its lines (ending at LF), the runs in text offsets.
// The text is at most INT_MAX bytes.
template <class OnLine>
void forEachStyledLine(std::string_view text, SyntaxLanguage language, OnLine&& onLine) {
    LexState state = initialState(language);
    std::vector<StyleRun> runs;
    for (std::size_t start = 0;;) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        runs.clear();
        RunCollector collector(runs, static_cast<int>(start), 0, INT_MAX);
        const LexState next = lexLine(state, text.substr(start, end - start), &collector);
        onLine(static_cast<const LexState&>(state), start, static_cast<const std::vector<StyleRun>&>(runs));
        if (lf == std::string_view::npos) return;
        state = next;
        start = end;
    }
}

}  // namespace tagloom
