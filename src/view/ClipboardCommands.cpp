#include "view/ClipboardCommands.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "search/Bookmarks.h"
#include "textmodel/EditControl.h"

namespace tagloom {

ClipboardCommands::ClipboardCommands(EditorView& view, Platform& platform, CommandRouter& router,
                                     Bookmarks& bookmarks)
    : view_(view), platform_(platform), bookmarks_(bookmarks) {
    const auto editableSelection = [this](CommandState& s) { s.enabled = hasSelection() && !view_.IsReadOnly(); };
    router.add(cmd::Cut, [this] { Cut(); }, editableSelection);
    router.add(cmd::Copy, [this] { Copy(); }, [this](CommandState& s) { s.enabled = hasSelection(); });
    router.add(cmd::Paste, [this] { Paste(); },
               [this](CommandState& s) { s.enabled = !view_.IsReadOnly() && platform_.clipboard.hasText(); });
    router.add(cmd::Delete, [this] { view_.control().clear(); }, editableSelection);
    router.add(cmd::PasteFromLifo, [this] { PasteFromLifo(); },
               [this](CommandState& s) {
                   s.enabled = !lifoTexts.empty();
                   s.text = "Paste From LIFO (" + std::to_string(lifoTexts.size()) + ")\tCtrl+Shift+V";
               });
}

bool ClipboardCommands::hasSelection() const { return !view_.control().selection().empty(); }

void ClipboardCommands::pushLifo(std::string text) {
    lifoTexts.insert(lifoTexts.begin(), std::move(text));
    if (lifoTexts.size() > kLifoDepth) lifoTexts.resize(kLifoDepth);
}

bool ClipboardCommands::selectionFits(const char* title) {
    if (view_.control().selection().length() <= kLargestCopy) return true;
    platform_.prompter.ask({"The selection is too large for the clipboard, which takes up to " +
                                std::to_string(kLargestCopy >> 20) + " MB.",
                            title, Buttons::Ok, Icon::Warning, 0});
    return false;
}

void ClipboardCommands::Cut() {
    EditControl& control = view_.control();
    if (!selectionFits("Tagloom - Cut")) return;
    pushLifo(control.selectedText());
    if (control.isReadOnly() || !hasSelection()) return;
    // The text goes only once it is safe on the clipboard.
    if (platform_.clipboard.setText(control.selectedText(), control.encoding())) control.clear();
}

void ClipboardCommands::Copy() {
    const EditControl& control = view_.control();
    if (!selectionFits("Tagloom - Copy")) return;
    const std::string text = control.selectedText();
    pushLifo(text);
    if (!text.empty()) platform_.clipboard.setText(text, control.encoding());
}

void ClipboardCommands::Paste() {
    bookmarks_.mayHaveAdded();
    EditControl& control = view_.control();
    if (control.isReadOnly()) return;
    // A text with a character the document's encoding has no byte for is refused.
    if (const std::optional<std::string> text = platform_.clipboard.text(control.encoding()))
        control.typeText(*text);
    else
        platform_.desktop.beep();
}

void ClipboardCommands::PasteFromLifo() {
    EditControl& control = view_.control();
    const std::string text = lifoTexts.front();
    control.replaceSel(text);
    const int end = control.selection().end;
    control.setSel(end - static_cast<int>(text.size()), end);
    control.scrollCaret();
    lifoTexts.erase(lifoTexts.begin());
    if (hasSelection()) platform_.clipboard.setText(control.selectedText(), control.encoding());
}

}  // namespace tagloom
