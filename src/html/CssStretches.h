#pragma once
// The stretches of a style sheet that the CSS tools copy byte for byte, as a
// browser reads them: a comment "/*" through "*/", a quoted string (a
// backslash escapes the byte after it, or a line break, which continues the
// string; an unescaped line break ends a string left open), and a url(…) value through its ')' (its quoted string
// included; an unescaped line break ends one left open). A stretch left open
// at the end of the text runs to the end.
#include <cstddef>
#include <string_view>

namespace tagloom {

struct CssStretch {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the last byte
};

// The first stretch that begins at or after from; {size, size} when none does.
CssStretch nextCssStretch(std::string_view css, std::size_t from);

// Hands css to rewrite(begin, end) and keep(begin, end) in order: keep gets
// the stretches, rewrite the pieces between them (never empty).
template <class Rewrite, class Keep>
void forEachCssPiece(std::string_view css, Rewrite&& rewrite, Keep&& keep) {
    for (std::size_t at = 0; at < css.size();) {
        const CssStretch stretch = nextCssStretch(css, at);
        if (stretch.begin > at) rewrite(at, stretch.begin);
        if (stretch.begin == css.size()) break;
        keep(stretch.begin, stretch.end);
        at = stretch.end;
    }
}

}  // namespace tagloom
