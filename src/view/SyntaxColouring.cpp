#include "view/SyntaxColouring.h"

#include <algorithm>

#include "platform/UiQueue.h"
#include "textmodel/EditControl.h"

namespace tagloom {

SyntaxColouring::SyntaxColouring(EditControl& control, UiQueue& queue, std::function<void()> repaint)
    : control_(control), queue_(queue), repaint_(std::move(repaint)) {}

void SyntaxColouring::setLanguage(SyntaxLanguage language) {
    if (language == SyntaxLanguage::None) {
        states_.reset();
    } else if (!states_) {
        states_.emplace(control_, language);
    } else if (states_->language() != language) {
        states_->setLanguage(language);
    }
    wanted_ = -1;
}

void SyntaxColouring::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (repaint_) repaint_();
}

void SyntaxColouring::runs(int from, int to, std::vector<StyleRun>& out) {
    if (!states_ || !enabled_ || from >= to) return;
    const LexBudget budget = LexBudget::forTime(kSlice);
    const int first = control_.textLineFromChar(from);
    const int last = control_.textLineFromChar(std::max(from, to - 1));
    for (int line = first; line <= last; ++line) {
        line_.clear();
        if (!states_->runs(line, line_, from, to, budget)) {
            reachLater(last);
            return;
        }
        for (const StyleRun& run : line_)
            if (run.style != StyleClass::Plain) out.push_back(run);
    }
}

void SyntaxColouring::reachLater(int line) {
    const bool posted = wanted_ >= 0;
    wanted_ = std::max(wanted_, line);
    if (posted) return;
    queue_.post([this] {
        if (!states_ || wanted_ < 0) {
            wanted_ = -1;
            return;
        }
        const int target = wanted_;
        wanted_ = -1;
        if (states_->reach(target, LexBudget::forTime(kSlice))) {
            if (repaint_) repaint_();
        } else {
            reachLater(target);
        }
    });
}

}  // namespace tagloom
