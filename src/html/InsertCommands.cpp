#include "html/InsertCommands.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "html/Insertions.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "textmodel/EditControl.h"

namespace tagloom {

// Nothing is inserted into a read-only document: the control's replace
// would change it regardless.
InsertCommands::InsertCommands(EditorView& view, Platform& platform, CommandRouter& router)
    : view_(view), platform_(platform) {
    const auto writable = [this](CommandState& s) { s.enabled = !view_.IsReadOnly(); };
    router.add(cmd::HtmlTags, [this] { InsertHtmlTags(); }, writable);
    for (const int id : {cmd::ScriptBlock, cmd::StyleBlock, cmd::CommentBlock, cmd::PhpBasicBlock, cmd::PhpEchoBlock,
                         cmd::CssBasicBlock})
        router.add(id, [this, id] { InsertBlock(id); }, writable);
    router.add(cmd::InsertTableTraceCode, [this] { InsertTableTraceCode(); }, writable);
    for (const int id : {cmd::XhtmlTransitional, cmd::XhtmlStrict})
        router.add(id, [this, id] { InsertSkeleton(id); },
                   [this](CommandState& s) { s.enabled = !view_.IsReadOnly() && view_.control().selection().empty(); });
    for (const int id : {cmd::CharAmp, cmd::CharQuot, cmd::CharLt, cmd::CharGt, cmd::CharNbsp})
        router.add(id, [this, id] { InsertCharacterCode(id); }, writable);
    router.add(cmd::HtmlCharCodes, [this] {
        if (openCharacterCodeMenu_) openCharacterCodeMenu_();
    }, writable);
}

void InsertCommands::InsertHtmlTags() {
    ValueEntry entry{"Tagloom - Insert HTML Tag", "", false};
    for (;;) {
        const std::optional<std::string> typed = platform_.textDialogs.enterValue(entry);
        if (!typed) return;
        const TagEntry tag = readTagEntry(*typed);
        if (tag.beeps == 0) {
            EditControl& control = view_.control();
            const Selection selection = control.selection();
            if (selection.empty()) {
                control.replaceSel("<" + tag.value + " />", true);
                control.setSel(selection.start, control.caret());
            } else {
                const std::string open = "<" + tag.value + ">", close = "</" + tag.value + ">";
                control.setSel(selection.end, selection.end);
                control.replaceSel(close, true);
                control.setSel(selection.start, selection.start);
                control.replaceSel(open, true);
                control.setSel(selection.start, selection.end + static_cast<int>(open.size() + close.size()));
            }
            control.scrollCaret();
            view_.UpdateLnCol();
            return;
        }
        for (int i = 0; i < tag.beeps; ++i) platform_.desktop.beep();
        entry.value = tag.value;
    }
}

void InsertCommands::InsertBlock(int commandId) {
    if (const auto text = fixedBlockText(commandId)) view_.control().replaceSel(*text, true);
}

void InsertCommands::InsertTableTraceCode() {
    EditControl& control = view_.control();
    const int start = control.selection().start;
    control.replaceSel(tableTraceCode(), true);
    control.setSel(start, control.caret());
    control.scrollCaret();
    view_.UpdateLnCol();
}

void InsertCommands::InsertSkeleton(int commandId) {
    if (const auto text = xhtmlSkeleton(commandId)) view_.control().replaceSel(*text, true);
}

void InsertCommands::InsertCharacterCode(int commandId) {
    const auto code = characterCode(commandId);
    if (!code) return;
    platform_.clipboard.setText(std::string(*code));
    view_.control().replaceSel(*code, true);
}

}  // namespace tagloom
