#include "view/BlockIndent.h"

#include <string>

#include "textmodel/EditControl.h"

namespace tagloom {

bool selectsLines(const EditControl& control) {
    const Selection selection = control.selection();
    return !selection.empty() && control.selectedText().find('\n') != std::string::npos;
}

void TabOver(EditControl& control, bool outdent) {
    auto [s, e] = control.selection();
    s = control.textLineIndex(control.textLineFromChar(s));
    while (e < control.length() && control.charAt(e - 1) != '\n') ++e;
    const std::string block = control.copyRange(s, e);
    std::string result;
    result.reserve(block.size() + block.size() / 8 + 2);
    int delta = 0;
    if (outdent) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            const bool lineStart = i == 0 || block[i - 1] == '\n';
            if (block[i] == '\t' && lineStart) {
                --delta;
                continue;
            }
            result += block[i];
        }
    } else {
        result += '\t';
        ++delta;
        for (std::size_t i = 0; i < block.size(); ++i) {
            result += block[i];
            if (block[i] == '\n' && i + 1 < block.size()) {
                result += '\t';
                ++delta;
            }
        }
    }
    control.setSel(s, e);
    control.scrollCaret();
    control.replaceSel(result);
    control.setSel(s, e + delta);
    control.scrollCaret();
}

}  // namespace tagloom
