#pragma once
// The lexer's view of a text written out for tests: each run that has a
// class as «class:bytes», plain text as it is.
#include "syntax/SyntaxLexer.h"

#include <string>
#include <string_view>
#include <vector>

namespace tagloom {

inline std::string styledText(std::string_view text, const std::vector<StyleRun>& runs) {
    std::string out;
    for (const StyleRun& run : runs) {
        const std::string_view bytes = text.substr(run.start, run.length);
        if (run.style == StyleClass::Plain) {
            out += bytes;
        } else {
            out += "«";
            out += styleClassName(run.style);
            out += ':';
            out += bytes;
            out += "»";
        }
    }
    return out;
}

// A whole text lexed from the top, its runs written out; runs of one class
// that a line break splits are joined, so a comment over two lines reads as
// one.
inline std::string styled(std::string_view text, SyntaxLanguage language) {
    std::vector<StyleRun> all;
    forEachStyledLine(text, language, [&](const LexState&, std::size_t, const std::vector<StyleRun>& runs) {
        for (const StyleRun& run : runs) {
            if (!all.empty() && all.back().style == run.style && all.back().end() == run.start) {
                all.back().length += run.length;
            } else {
                all.push_back(run);
            }
        }
    });
    return styledText(text, all);
}

}  // namespace tagloom
