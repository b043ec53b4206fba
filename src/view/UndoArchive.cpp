#include "view/UndoArchive.h"

#include <algorithm>

#include "platform/Clock.h"

namespace tagloom {

UndoArchive::UndoArchive(UndoTarget& target, const Clock& clock, UndoListener listener)
    : target_(target), clock_(clock), listener_(std::move(listener)) {}

void UndoArchive::ResetUndo() {
    tLastChange = clock_.nowMs();
    undoPositions.clear();
    undoTexts.clear();
    undoGrouped.clear();
    nUndoIndex = 0;
    stepsTotal_ = stepsBeforeIndex_ = 0;
    wholeTextChanges_.clear();
}

void UndoArchive::truncateRedo() {
    if (nUndoIndex >= static_cast<int>(undoPositions.size())) return;
    stepsTotal_ = stepsBeforeIndex_;
    undoPositions.resize(nUndoIndex);
    undoTexts.resize(nUndoIndex);
    undoGrouped.resize(nUndoIndex);
    while (!wholeTextChanges_.empty() && wholeTextChanges_.back().recordIndex >= nUndoIndex)
        wholeTextChanges_.pop_back();
}

void UndoArchive::markWholeTextChange(const ViewPlace& before) {
    if (nUndoIndex == 0 || wholeTextChangeAt(nUndoIndex - 1)) return;
    wholeTextChanges_.push_back({nUndoIndex - 1, before, {}});
}

UndoArchive::WholeTextChange* UndoArchive::wholeTextChangeAt(int recordIndex) {
    const auto found = std::lower_bound(
        wholeTextChanges_.begin(), wholeTextChanges_.end(), recordIndex,
        [](const WholeTextChange& change, int index) { return change.recordIndex < index; });
    return found != wholeTextChanges_.end() && found->recordIndex == recordIndex ? &*found : nullptr;
}

void UndoArchive::append(int position, std::string text, std::int64_t elapsed) {
    const bool tied = nUndoIndex > 0 && position > 0 && position == -undoPositions.back() &&
                      elapsed <= kGroupingMs;
    undoPositions.push_back(position);
    undoTexts.push_back(std::move(text));
    undoGrouped.push_back(tied ? 1 : 0);
    if (!tied) {
        ++stepsTotal_;
        ++stepsBeforeIndex_;
    }
    ++nUndoIndex;
    tLastChange = clock_.nowMs();
}

void UndoArchive::recordInsertion(int offset, std::string_view text) {
    if (bUndoBusy || text.empty()) return;
    const std::int64_t elapsed = clock_.nowMs() - tLastChange;
    truncateRedo();
    append(offset + 1, std::string(text), elapsed);
}

void UndoArchive::recordRemoval(int offset, std::string text) {
    if (bUndoBusy || text.empty()) return;
    const std::int64_t elapsed = clock_.nowMs() - tLastChange;
    truncateRedo();
    append(-offset - 1, std::move(text), elapsed);
}

// --- Undo and Redo -----------------------------------------------------------

void UndoArchive::takeOut(int offset, int length) {
    target_.setSelection(offset, offset + length);
    target_.replaceSelection({});
}

void UndoArchive::putBack(int offset, const std::string& text) {
    target_.setSelection(offset, offset);
    target_.replaceSelection(text);
    if (text.find("\r\r") == std::string::npos) return;
    if (listener_.bookmarkPutBack) listener_.bookmarkPutBack();
    const int start = target_.selection().start;
    if (start > 0 && target_.charAt(start - 1) == '\r') target_.setSelection(start - 1, start - 1);
}

void UndoArchive::undoOne() {
    --nUndoIndex;
    if (!undoGrouped[nUndoIndex]) --stepsBeforeIndex_;
    const int position = undoPositions[nUndoIndex];
    const std::string& text = undoTexts[nUndoIndex];
    if (position > 0)
        takeOut(position - 1, static_cast<int>(text.size()));
    else
        putBack(-position - 1, text);
}

void UndoArchive::Undo() {
    if (nUndoIndex == 0) return;
    WholeTextChange* whole = wholeTextChangeAt(nUndoIndex - 1);
    if (whole) whole->undone = target_.place();
    bUndoBusy = 1;
    while (true) {
        undoOne();
        if (nUndoIndex == 0) {
            if (listener_.beep) listener_.beep();
            if (listener_.allChangesUndone) listener_.allChangesUndone();
            break;
        }
        if (!undoGrouped[nUndoIndex]) break;
    }
    bUndoBusy = 0;
    if (whole) target_.restorePlace(whole->before);
}

void UndoArchive::redoOne() {
    const int position = undoPositions[nUndoIndex];
    const std::string& text = undoTexts[nUndoIndex];
    if (position < 0)
        takeOut(-position - 1, static_cast<int>(text.size()));
    else
        putBack(position - 1, text);
    if (!undoGrouped[nUndoIndex]) ++stepsBeforeIndex_;
    ++nUndoIndex;
}

void UndoArchive::Redo() {
    const int count = static_cast<int>(undoPositions.size());
    if (nUndoIndex >= count) return;
    bUndoBusy = 1;
    while (true) {
        redoOne();
        if (nUndoIndex == count) {
            if (listener_.beep) listener_.beep();
            break;
        }
        if (!undoGrouped[nUndoIndex]) break;
    }
    bUndoBusy = 0;
    if (const WholeTextChange* whole = wholeTextChangeAt(nUndoIndex - 1)) target_.restorePlace(whole->undone);
}

// --- menu texts ----------------------------------------------------------------

std::string UndoArchive::undoMenuText() const {
    const int steps = undoSteps();
    return steps > 0 ? "&Undo (" + std::to_string(steps) + ")\tCtrl+Z" : "&Undo\tCtrl+Z";
}

std::string UndoArchive::redoMenuText() const {
    const int steps = redoSteps();
    return steps > 0 ? "&Redo (" + std::to_string(steps) + ")\tCtrl+Y" : "&Redo\tCtrl+Y";
}

std::size_t UndoArchive::memoryUsage() const {
    std::size_t bytes = undoPositions.capacity() * sizeof(int) + undoGrouped.capacity() +
                        undoTexts.capacity() * sizeof(std::string);
    for (const auto& text : undoTexts)
        if (text.capacity() > std::string().capacity()) bytes += text.capacity() + 1;
    return bytes;
}

}  // namespace tagloom
