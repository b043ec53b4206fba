#include "search/GoToCommands.h"

#include <climits>
#include <cstdlib>

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr const char* kGoToOffsetTitle = "Tagloom - Go to Offset";

// The integer at the start of a value, white space before it skipped; values
// beyond int's range are its ends. Nothing when no digits come.
std::optional<int> leadingInteger(const std::string& value) {
    const char* begin = value.c_str();
    char* end = nullptr;
    const long long number = std::strtoll(begin, &end, 10);
    if (end == begin) return std::nullopt;
    if (number > INT_MAX) return INT_MAX;
    if (number < INT_MIN) return INT_MIN;
    return static_cast<int>(number);
}

bool isLineBreakByte(char c) { return c == '\n' || c == '\r'; }

}  // namespace

GoToCommands::GoToCommands(EditorView& view, Platform& platform, CommandRouter& router)
    : view_(view), platform_(platform) {
    const auto hasText = [this](CommandState& s) { s.enabled = view_.control().length() != 0; };
    router.add(cmd::GoToLine, [this] { GoToLine(); }, hasText);
    router.add(cmd::GoToOffset, [this] { GoToOffset(); }, hasText);
    router.add(cmd::ScrollToCursor, [this] { ScrollToCursor(); });
    router.add(cmd::CountMarked, [this] { CountMarked(); },
               [this](CommandState& s) { s.enabled = !view_.control().selection().empty(); });
}

void GoToCommands::GoToLine() {
    EditControl& control = view_.control();
    const int lines = control.textLineCount();
    const ValueEntry entry{"Tagloom - Go to Line (1 - " + std::to_string(lines) + ")",
                           nGotoLine > 0 ? std::to_string(nGotoLine) : "", true};
    const std::optional<std::string> typed = platform_.textDialogs.enterValue(entry);
    if (!typed) return;
    const std::optional<int> number = leadingInteger(*typed);
    if (!number) return;
    nGotoLine = std::clamp(*number, 1, lines);

    const int start = control.textLineIndex(nGotoLine - 1);
    // The line ends before its line break: CR LF, or a bare LF a tool left.
    int end = control.length();
    if (nGotoLine < lines) {
        end = control.textLineIndex(nGotoLine) - 1;
        if (end > start && control.charAt(end - 1) == '\r') --end;
    }
    control.setSel(start, start);
    control.scrollCaret();
    view_.UpdateLnCol();
    if (!view_.lineGuide()) control.setSel(start, end);
    view_.CenterCaretLine();
}

void GoToCommands::GoToOffset() {
    EditControl& control = view_.control();
    const int last = control.length() - 1;
    const ValueEntry entry{std::string(kGoToOffsetTitle) + " (0 - " + std::to_string(last) + ")",
                           std::to_string(control.selection().start), true};
    const std::optional<std::string> typed = platform_.textDialogs.enterValue(entry);
    if (!typed) return;
    const std::optional<int> number = leadingInteger(*typed);
    if (!number) return;
    int k = static_cast<unsigned>(*number) < static_cast<unsigned>(last) ? *number : last;

    std::string note;
    if (control.charAt(k) == '\n')
        note = "A \"New Line\" character is at offset " + std::to_string(k) + ".";
    else if (control.charAt(k) == '\r')
        note = "A \"Carriage Return\" character is at offset " + std::to_string(k) + ".";
    while (k > 0 && isLineBreakByte(control.charAt(k))) --k;
    const Selection character = control.characterAt(k);
    control.setSel(character.start, character.start);
    control.scrollCaret();
    control.setSel(character.start, character.end);
    view_.CenterCaretLine();
    view_.UpdateLnCol();
    if (!note.empty())
        platform_.prompter.ask({note + "\nThe last character on the line is hilighted.", kGoToOffsetTitle, Buttons::Ok,
                                Icon::Information, 0});
}

void GoToCommands::ScrollToCursor() {
    view_.ScrollCaretLineToMiddle();
    view_.RevealSelection();
}

void GoToCommands::CountMarked() {
    const int count = view_.control().selection().length();
    platform_.prompter.ask({"Character Count = " + std::to_string(count), "Text Stats", Buttons::Ok, Icon::None, 0});
}

}  // namespace tagloom
