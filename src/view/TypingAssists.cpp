#include "view/TypingAssists.h"

#include <algorithm>
#include <string>

#include "html/ClosingTag.h"
#include "settings/EditorSettings.h"
#include "textmodel/EditControl.h"

namespace tagloom {

bool TypingAssists::enterTyped() {
    if (!settings_.bAutoIndent || control_.isReadOnly()) return false;
    // The blanks that begin the line where the new text goes, up to there.
    const int at = control_.selection().start;
    const int lineStart = control_.textLineIndex(control_.textLineFromChar(at));
    int blanksEnd = lineStart;
    while (blanksEnd < at && (control_.charAt(blanksEnd) == ' ' || control_.charAt(blanksEnd) == '\t')) ++blanksEnd;
    control_.typeText("\r\n" + control_.copyRange(lineStart, blanksEnd));
    return true;
}

bool TypingAssists::textTyped(std::string_view text) {
    if (text != "/" || !settings_.bAutoCloseTag || control_.isReadOnly()) return false;
    const int at = control_.selection().start;
    if (at == 0 || control_.charAt(at - 1) != '<') return false;
    const int from = std::max(0, at - static_cast<int>(kClosingTagReach));
    std::string scratch;
    const std::optional<std::string> name = elementToClose(control_.viewRange(from, at, scratch));
    if (!name) return false;
    control_.typeText("/" + *name + ">");
    return true;
}

}  // namespace tagloom
