#pragma once
// HTML Remove Whitespace, CSS Remove Whitespace and CSS Format as commands:
// on the selection, or on the whole text when nothing is selected.
#include <optional>

#include "html/TextTools.h"

namespace tagloom {

class CommandRouter;
class EditorView;
struct Platform;

// The tool a command id runs, if it is one of the three.
std::optional<TextTool> textToolOf(int commandId);

class TextToolCommands {
public:
    TextToolCommands(EditorView& view, Platform& platform, CommandRouter& router);
    TextToolCommands(const TextToolCommands&) = delete;
    TextToolCommands& operator=(const TextToolCommands&) = delete;

    void run(TextTool tool);

private:
    EditorView& view_;
    Platform& platform_;
};

}  // namespace tagloom
