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
    // The language the screen shows the text in: None while colouring is off.
    SyntaxLanguage shownLanguage() const { return enabled_ ? language() : SyntaxLanguage::None; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }

    // The runs of the bytes [from, to) that are not plain text, in order;
    // none while colouring is off. What the lexer could not reach within
    // its slice has none either: it is lexed on idle, a slice at a time
    // (a jump to the end of a large text lexes it all once that way), and
    // painted again when reached.
    void runs(int from, int to, std::vector<StyleRun>& out);

private:
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
