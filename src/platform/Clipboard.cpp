#include "platform/Clipboard.h"

namespace tagloom {

std::string toDesktopLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\r') continue;
#if defined(_WIN32)
        if (c == '\n') out += '\r';
#endif
        out += c;
    }
    return out;
}

std::string toEditorLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace tagloom
