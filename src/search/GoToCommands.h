#pragma once
// Go to Line, Go to Offset, Scroll to Cursor and Count Marked: the caret to a
// place the user names, or a word on the selection.
namespace tagloom {

class CommandRouter;
class EditorView;
struct Platform;

class GoToCommands {
public:
    GoToCommands(EditorView& view, Platform& platform, CommandRouter& router);
    GoToCommands(const GoToCommands&) = delete;
    GoToCommands& operator=(const GoToCommands&) = delete;

    void GoToLine();
    void GoToOffset();
    void ScrollToCursor();
    void CountMarked();

    // The line Go to Line last reached, offered the next time; 0 for none.
    // A document opened or created starts with none.
    int nGotoLine = 0;

private:
    EditorView& view_;
    Platform& platform_;
};

}  // namespace tagloom
