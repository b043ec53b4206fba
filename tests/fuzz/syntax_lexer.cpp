// The syntax lexer on any text, in every language: the runs of each line
// tile it in order, neighbours of different classes; every line's start
// state survives packing; lexing a line in pieces gives its runs and its
// end state as lexing it whole does; and the line states of an edit control
// kept through random edits agree, line by line, with a lexing from scratch.
#include <fuzzer/FuzzedDataProvider.h>

#include <random>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "syntax/LineStates.h"
#include "textmodel/EditControl.h"

using namespace tagloom;

namespace {

constexpr SyntaxLanguage kLanguages[] = {SyntaxLanguage::None, SyntaxLanguage::Html, SyntaxLanguage::Css,
                                         SyntaxLanguage::JavaScript};

// What the edits insert: what opens and closes stretches over lines.
const char* const kFragments[] = {"<!--", "-->", "<script>", "</script>", "<style>", "</style>", "<?php ", "?>",
                                  "\"", "'", "`", "${", "}", "/*", "*/", "//", "/", "<<<EOT\n", "\nEOT;\n",
                                  "{{", "}}", "<", ">", " style='", "\r\n", "\n", "x"};

void checkTiling(const std::vector<StyleRun>& runs, std::size_t lineStart, std::size_t lineEnd) {
    std::size_t next = lineStart;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        FUZZ_CHECK(static_cast<std::size_t>(runs[i].start) == next && runs[i].length > 0);
        FUZZ_CHECK(i == 0 || runs[i].style != runs[i - 1].style);
        next = static_cast<std::size_t>(runs[i].end());
    }
    FUZZ_CHECK(next == lineEnd);
}

// A line lexed in pieces of `step` bytes: its runs joined, and its end state.
LexState lexInPieces(const LexState& start, std::string_view line, int lineStart, std::size_t step,
                     std::vector<StyleRun>& runs) {
    RunCollector collect(runs, lineStart, 0, INT_MAX);
    LineLexer lexer(start);
    while (!lexer.finished(line)) lexer.lexTo(line, lexer.position() + step, &collect);
    return lexer.state();
}

struct Scratch {
    std::vector<LexState> states;
    std::vector<std::vector<StyleRun>> runs;
};

Scratch lexAndCheck(std::string_view text, SyntaxLanguage language, std::size_t step) {
    Scratch scratch;
    std::vector<StyleRun> pieces;
    forEachStyledLine(text, language, [&](const LexState& state, std::size_t start, const std::vector<StyleRun>& runs) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        checkTiling(runs, start, end);
        FUZZ_CHECK(unpack(pack(state)) == state);
        const std::string_view line = text.substr(start, end - start);
        pieces.clear();
        const LexState next = lexInPieces(state, line, static_cast<int>(start), step, pieces);
        FUZZ_CHECK(pieces == runs);
        FUZZ_CHECK(next == lexLine(state, line));
        scratch.states.push_back(state);
        scratch.runs.push_back(runs);
    });
    return scratch;
}

void checkLikeScratch(LineStates& states, const EditControl& control, SyntaxLanguage language) {
    const Scratch scratch = lexAndCheck(control.getText(), language, 3);
    FUZZ_CHECK(static_cast<int>(scratch.states.size()) == control.textLineCount());
    std::vector<StyleRun> runs;
    for (int line = 0; line < control.textLineCount(); ++line) {
        FUZZ_CHECK(states.stateAt(line) == scratch.states[line]);
        FUZZ_CHECK(states.runs(line, runs) && runs == scratch.runs[line]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::uint32_t seed = in.ConsumeIntegral<std::uint32_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();
    if (text.size() > 64 * 1024) return 0;

    for (SyntaxLanguage language : kLanguages) lexAndCheck(text, language, 1 + seed % 7);

    const SyntaxLanguage language = kLanguages[seed % 4];
    EditControl control;
    control.setText(text);
    LineStates states(control, language);
    std::mt19937 random(seed);
    std::vector<StyleRun> runs;
    for (int edit = 0; edit < 8; ++edit) {
        const int length = control.length();
        const int at = static_cast<int>(random() % (length + 1));
        const int removed = std::min(length - at, static_cast<int>(random() % 16));
        control.setSel(at, at + removed);
        control.replaceSel(random() % 3 == 0 ? "" : kFragments[random() % std::size(kFragments)]);
        // Some lines asked for, under a small budget, between the edits.
        if (random() % 2 == 0) {
            const int line = static_cast<int>(random() % control.textLineCount());
            states.runs(line, runs, 0, INT_MAX, LexBudget::forBytes(1 + random() % 256));
            // Whole-text work may move the text's bytes without an edit.
            if (random() % 2 == 0) control.lock();
            states.runs(line, runs);
        }
        checkLikeScratch(states, control, language);
    }
    return 0;
}
