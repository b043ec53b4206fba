#include "html/CssStretches.h"

#include <array>

#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

// The bytes at which a stretch may begin.
constexpr std::array<bool, 256> kStretchStarts = [] {
    std::array<bool, 256> starts{};
    for (const unsigned char c : {'/', '"', '\'', 'u', 'U'}) starts[c] = true;
    return starts;
}();

bool isLineBreak(char c) { return c == kCR || c == kLF; }

// A byte that may stand in an identifier: "myurl(" is no url(…).
bool isNameByte(char c) { return isWordChar(c) || c == '-' || static_cast<unsigned char>(c) >= 0x80; }

// The bytes a backslash at i escapes with itself: the next one, or a whole
// CR LF, which then continues the string on the next line.
std::size_t escapeLength(std::string_view css, std::size_t i) {
    return i + 2 < css.size() && css[i + 1] == kCR && css[i + 2] == kLF ? 3 : 2;
}

// One past the string whose quote is at quote, or the line break that ends it.
std::size_t stringEnd(std::string_view css, std::size_t quote) {
    const char q = css[quote];
    std::size_t i = quote + 1;
    while (i < css.size() && css[i] != q && !isLineBreak(css[i])) i += css[i] == '\\' ? escapeLength(css, i) : 1;
    if (i >= css.size()) return css.size();
    return css[i] == q ? i + 1 : i;
}

// One past the ')' of the url( whose '(' is at paren, or the line break that ends it.
std::size_t urlEnd(std::string_view css, std::size_t paren) {
    std::size_t i = paren + 1;
    while (i < css.size() && css[i] != ')' && !isLineBreak(css[i])) {
        if (css[i] == '"' || css[i] == '\'')
            i = stringEnd(css, i);
        else
            i += css[i] == '\\' ? escapeLength(css, i) : 1;
    }
    if (i >= css.size()) return css.size();
    return css[i] == ')' ? i + 1 : i;
}

// One past the stretch that begins at i, or i when none begins there.
std::size_t stretchEnd(std::string_view css, std::size_t i) {
    switch (css[i]) {
    case '/': {
        if (i + 1 >= css.size() || css[i + 1] != '*') return i;
        const std::size_t close = css.find("*/", i + 2);
        return close == std::string_view::npos ? css.size() : close + 2;
    }
    case '"':
    case '\'':
        return stringEnd(css, i);
    default:
        if (!matchesAtIgnoringCase(css, i, "url(") || (i > 0 && isNameByte(css[i - 1]))) return i;
        return urlEnd(css, i + 3);
    }
}

}  // namespace

CssStretch nextCssStretch(std::string_view css, std::size_t from) {
    for (std::size_t i = from; i < css.size(); ++i) {
        if (!kStretchStarts[static_cast<unsigned char>(css[i])]) continue;
        if (const std::size_t end = stretchEnd(css, i); end > i) return {i, end};
    }
    return {css.size(), css.size()};
}

}  // namespace tagloom
