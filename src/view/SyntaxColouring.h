#pragma once
// The syntax colouring of the document: the language its name (or, for
// other names, the HTML-document test) gives it, the line states behind it,
// and the style runs a painter asks for. Asked for a screen, it lexes only
// up to that screen, for a short while at a time: what it has not reached
// yet is painted plain and comes as it is reached, on idle, so the window
// never waits long, whatever the text's size.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "syntax/LineStates.h"

namespace tagloom {

class EditControl;
class UiQueue;

class SyntaxColouring {
public:
    // How long one paint or one idle step may lex.
    static constexpr std::chrono::milliseconds kSlice{20};

    SyntaxColouring(EditControl& control, UiQueue& queue, std::function<void()> repaint);

    // Colours the text in language (None: not at all).
    void setLanguage(SyntaxLanguage language);
    SyntaxLanguage language() const { return states_ ? states_->language() : SyntaxLanguage::None; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }

    // The runs of the lines that hold the bytes [from, to), in order and
    // tiling what they give; plain text and what is not lexed yet have no
    // run. The lines it could not reach within its slice come on idle.
    void runs(int from, int to, std::vector<StyleRun>& out);
    // The same without a time limit (printing, export).
    void allRuns(int from, int to, std::vector<StyleRun>& out);
    // Lexes the whole text on idle, a slice at a time (Ctrl+End).
    void lexToEnd();

    const LineStates* states() const { return states_ ? &*states_ : nullptr; }

private:
    void collect(int from, int to, std::vector<StyleRun>& out, const LexBudget* budget);
    // Lexing on idle toward line, a slice at a time, then a repaint.
    void reachLater(int line);

    EditControl& control_;
    UiQueue& queue_;
    std::function<void()> repaint_;
    std::optional<LineStates> states_;
    bool enabled_ = true;
    int wanted_ = -1;  // the line idle lexing goes toward; -1: none
    std::vector<StyleRun> line_;
};

}  // namespace tagloom
