#pragma once
// Texts for the HTML tool tests: expectations are written with "\n" and
// turned into the editor's CR LF line breaks.
#include <string>
#include <string_view>

namespace tagloom::test {

// Every LF of text preceded by a CR, as the editor's text has them.
inline std::string crlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace tagloom::test
