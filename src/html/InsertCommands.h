#pragma once
// The insertion commands: a tag pair around the selection, the fixed blocks,
// the table trace code, the XHTML skeletons and the five character codes,
// each put in place of the selection through the control, so undo takes it back.
#include <functional>

namespace tagloom {

class CommandRouter;
class EditorView;
struct Platform;

class InsertCommands {
public:
    InsertCommands(EditorView& view, Platform& platform, CommandRouter& router);
    InsertCommands(const InsertCommands&) = delete;
    InsertCommands& operator=(const InsertCommands&) = delete;

    // The HTML Char Codes toolbar button opens the character-code menu under
    // itself; the window that owns the toolbar says how.
    void setCharacterCodeMenu(std::function<void()> open) { openCharacterCodeMenu_ = std::move(open); }

    void InsertHtmlTags();
    void InsertBlock(int commandId);
    void InsertTableTraceCode();
    void InsertSkeleton(int commandId);
    void InsertCharacterCode(int commandId);

private:
    EditorView& view_;
    Platform& platform_;
    std::function<void()> openCharacterCodeMenu_;
};

}  // namespace tagloom
