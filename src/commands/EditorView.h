#pragma once
// What a feature's command component may ask of the editor view: the edit
// control, the view's steps that show a change or a found range, and the
// little view state that is not the control's own. Components are given
// this, never the view itself.
#include <string>
#include <string_view>

namespace tagloom {

class EditControl;

class EditorView {
public:
    virtual EditControl& control() = 0;
    // The whole text, contiguous; valid until the next change.
    virtual std::string_view text() = 0;
    virtual bool IsReadOnly() const = 0;
    // Whether the file is written with UNIX line ends.
    virtual bool unixFile() const = 0;
    // The count of bookmarked lines as the view last took it (nBookmarks).
    virtual int bookmarkCount() const = 0;
    // Whether the line guide is shown (the caret's line marked across the view).
    virtual bool lineGuide() const = 0;
    // The document's file, absolute; empty for a document not yet saved.
    virtual std::string documentPath() const = 0;
    // Whether the text is an HTML document, as the tag commands decide it.
    virtual bool isHtmlDocument() = 0;

    // Caret to the selection's start and into view, the selection kept.
    virtual void RevealSelection() = 0;
    // The caret's line to the middle of the view, when the settings ask for it.
    virtual void CenterCaretLine() = 0;
    // The caret's line to the middle of the view, whatever the settings say.
    virtual void ScrollCaretLineToMiddle() = 0;
    // The Ln/Col indicator follows the caret.
    virtual void UpdateLnCol() = 0;
    // Repaints the margin and the overlays once the queue is idle.
    virtual void postRepaint() = 0;
    // Replaces the whole text as one undo step, caret at the start.
    virtual void ReplaceWholeText(std::string&& text) = 0;
    // Forgets the undo records: the text now shown is the base.
    virtual void ResetUndo() = 0;

protected:
    ~EditorView() = default;
};

}  // namespace tagloom
