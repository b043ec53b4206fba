#include "html/CharacterCommands.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "html/CharacterTools.h"
#include "html/ReferenceTexts.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr const char* kHexEntryTitle = "Tagloom - Enter Hex (0 - FF)";

}  // namespace

CharacterCommands::CharacterCommands(EditorView& view, Platform& platform, CommandRouter& router)
    : view_(view), platform_(platform) {
    const auto changeable = [this](CommandState& s) {
        s.enabled = !view_.control().selection().empty() && !view_.IsReadOnly();
    };
    router.add(cmd::UpperCase, [this] { ChangeCase(CaseChange::Upper); }, changeable);
    router.add(cmd::LowerCase, [this] { ChangeCase(CaseChange::Lower); }, changeable);
    router.add(cmd::InvertCase, [this] { ChangeCase(CaseChange::Invert); }, changeable);
    router.add(cmd::InsertHexChar, [this] { InsertHexChar(); },
               [this](CommandState& s) { s.enabled = !view_.IsReadOnly() && atMostOneCharacterSelected(); });
    router.add(cmd::HexOfSelectedText, [this] { HexOfSelectedText(); },
               [this](CommandState& s) { s.enabled = !view_.control().selection().empty(); });
    router.add(cmd::AsciiCompatibility, [this] { AsciiCompatibility(); },
               [this](CommandState& s) { s.enabled = view_.control().length() != 0; });
    router.add(cmd::LoremIpsum, [this] { LoremIpsum(); });
    router.add(cmd::AsciiCodes, [this] { AsciiCodes(); });
}

bool CharacterCommands::atMostOneCharacterSelected() {
    const Selection selection = view_.control().selection();
    return selection.length() <= 1 || view_.control().characterAt(selection.start) == selection;
}

void CharacterCommands::ChangeCase(CaseChange change) {
    EditControl& control = view_.control();
    const std::string selected = control.selectedText();
    if (selected.empty()) return;
    control.replaceSel(changeCase(selected, change, control.encoding()), true);
}

void CharacterCommands::InsertHexChar() {
    EditControl& control = view_.control();
    if (!atMostOneCharacterSelected()) {
        platform_.prompter.ask({"Remove the selection first !\n\nA single character will\nbe inserted at cursor.",
                                kHexEntryTitle, Buttons::Ok, Icon::Warning, 0});
        return;
    }
    ValueEntry entry{kHexEntryTitle, "", false};
    const std::string selected = control.selectedText();
    if (const auto code = codeOfCharacter(selected, control.encoding())) entry.value = hexDigits(*code);
    for (;;) {
        const std::optional<std::string> typed = platform_.textDialogs.enterValue(entry);
        if (!typed) return;
        if (const auto code = readHexEntry(*typed)) {
            const int start = control.selection().start;
            // Code 0 ends the inserted text before it begins: the selection
            // goes, and the character after the caret is selected.
            const std::string character = *code == 0 ? std::string() : characterOfCode(*code, control.encoding());
            control.replaceSel(character, true);
            const int end = *code == 0 ? control.characterAt(start).end : start + static_cast<int>(character.size());
            control.setSel(start, end);
            view_.UpdateLnCol();
            return;
        }
        platform_.prompter.ask({"Bad 2 digit HEX value", kHexEntryTitle, Buttons::Ok, Icon::Warning, 0});
        entry.value = *typed;
    }
}

void CharacterCommands::HexOfSelectedText() {
    const Selection selection = view_.control().selection();
    if (selection.empty()) return;
    BusyCursor busy(platform_.desktop);
    const HexDump dump = hexDump(view_.control().selectedText(), selection.start, selection.end);
    platform_.textDialogs.showText(TextView::HexDump, dump.title, dump.body);
}

void CharacterCommands::AsciiCompatibility() {
    const AsciiReport report = asciiCompatibility(view_.text());
    platform_.prompter.ask(report.message);
    if (!report.clipboardText.empty()) platform_.clipboard.setText(report.clipboardText);
}

void CharacterCommands::LoremIpsum() {
    platform_.textDialogs.showText(TextView::Reference, "Tagloom - Lorem Ipsum Text", loremIpsumText());
}

void CharacterCommands::AsciiCodes() {
    platform_.textDialogs.showText(TextView::Reference, "Tagloom - ASCII Codes", asciiCodesText());
}

}  // namespace tagloom
