#include "html/TextToolCommands.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "textmodel/EditControl.h"

namespace tagloom {

std::optional<TextTool> textToolOf(int commandId) {
    switch (commandId) {
    case cmd::HtmlRemoveWhitespace: return TextTool::HtmlRemoveWhitespace;
    case cmd::CssRemoveWhitespace: return TextTool::CssRemoveWhitespace;
    case cmd::CssFormat: return TextTool::CssFormat;
    default: return std::nullopt;
    }
}

// Enabled whenever the text is not empty and may be changed.
TextToolCommands::TextToolCommands(EditorView& view, Platform& platform, CommandRouter& router)
    : view_(view), platform_(platform) {
    for (const int id : {cmd::HtmlRemoveWhitespace, cmd::CssRemoveWhitespace, cmd::CssFormat}) {
        const TextTool tool = *textToolOf(id);
        router.add(id, [this, tool] { run(tool); },
                   [this, tool](CommandState& s) {
                       const EditControl& control = view_.control();
                       s.enabled = control.length() > 0 && !view_.IsReadOnly();
                       s.text = textToolMenuText(tool, !control.selection().empty());
                   });
    }
}

void TextToolCommands::run(TextTool tool) {
    EditControl& control = view_.control();
    TextToolResult result = runTextTool(tool, view_.text(), control.selection());
    switch (result.kind) {
    case TextToolResult::Kind::Unchanged: return;
    case TextToolResult::Kind::OutOfMemory:
        if (result.message) platform_.prompter.ask(*result.message);
        return;
    case TextToolResult::Kind::ReplaceSelection:
        control.replaceSel(result.text, true);
        control.setSel(result.selection.start, result.selection.end);
        view_.RevealSelection();
        return;
    case TextToolResult::Kind::ReplaceDocument: view_.ReplaceWholeText(std::move(result.text)); return;
    }
}

}  // namespace tagloom
