#pragma once
// The editor's own multi-level undo and redo. Every change of the text comes
// in as a pure insertion or a pure removal with its text; a removal followed
// within 100 ms by an insertion at the same offset (a replacement) is one
// step. The archive keeps only the changed texts, never a copy of the whole
// document, so its memory grows with the edits and not with the file.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "textmodel/Selection.h"

namespace tagloom {

class Clock;

// Where the user is in the text: the selection, caret end included, and the
// first line shown.
struct ViewPlace {
    int anchor = 0;
    int caret = 0;
    int firstLine = 0;
};

// What Undo and Redo do to the text: the edit control's selection and
// replace-selection, whose change notifications the archive then ignores.
class UndoTarget {
public:
    virtual ~UndoTarget() = default;
    virtual Selection selection() const = 0;
    virtual void setSelection(int start, int end) = 0;
    virtual void replaceSelection(std::string_view text) = 0;
    virtual char charAt(int offset) const = 0;
    virtual ViewPlace place() const = 0;
    virtual void restorePlace(const ViewPlace& place) = 0;
};

// What Undo and Redo tell the view.
struct UndoListener {
    std::function<void()> beep;
    // The last change was taken back: the view clears the modified flag when
    // the document has not been saved since it was opened.
    std::function<void()> allChangesUndone;
    // A text put back held a bookmarked line end.
    std::function<void()> bookmarkPutBack;
};

class UndoArchive {
public:
    static constexpr std::int64_t kGroupingMs = 100;

    UndoArchive(UndoTarget& target, const Clock& clock, UndoListener listener);

    // Forgets every record; the text now in the control is the base.
    void ResetUndo();
    // A change of the text, told after it happened.
    void recordInsertion(int offset, std::string_view text);
    void recordRemoval(int offset, std::string text);
    // The records just made replaced the whole text, and before was the
    // place in the text replaced. Undo puts the user back there, and Redo
    // where the user was when Undo took the change back, instead of at the
    // end of the text put back.
    void markWholeTextChange(const ViewPlace& before);
    void Undo();
    void Redo();

    // Steps (records not tied to the one before) that Undo and Redo can take.
    int undoSteps() const { return stepsBeforeIndex_; }
    int redoSteps() const { return stepsTotal_ - stepsBeforeIndex_; }
    // "&Undo (%d)\tCtrl+Z" / "&Redo (%d)\tCtrl+Y", without the count when 0.
    std::string undoMenuText() const;
    std::string redoMenuText() const;
    // Bytes held by the records.
    std::size_t memoryUsage() const;

    // One entry per record: an insertion at o as o + 1, a removal at o as -o - 1.
    std::vector<int> undoPositions;
    std::vector<std::string> undoTexts;
    std::vector<std::uint8_t> undoGrouped;
    int nUndoIndex = 0;
    std::int64_t tLastChange = 0;
    int bUndoBusy = 0;

private:
    // A whole-text change whose last record is at recordIndex.
    struct WholeTextChange {
        int recordIndex = 0;
        ViewPlace before;
        ViewPlace undone;  // where the user was when Undo took it back
    };
    WholeTextChange* wholeTextChangeAt(int recordIndex);

    void append(int position, std::string text, std::int64_t elapsed);
    void truncateRedo();
    void undoOne();
    void redoOne();
    void putBack(int offset, const std::string& text);
    void takeOut(int offset, int length);

    UndoTarget& target_;
    const Clock& clock_;
    UndoListener listener_;
    int stepsTotal_ = 0;
    int stepsBeforeIndex_ = 0;
    std::vector<WholeTextChange> wholeTextChanges_;  // in record order
};

}  // namespace tagloom
