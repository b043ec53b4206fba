#pragma once
// Byte-level text helpers shared by the text tools, the searches and the view. Only ASCII letters
// are folded: every other byte compares as itself.
#include <string_view>

namespace tagloom {

constexpr char kTab = '\t';
constexpr char kCR = '\r';
constexpr char kLF = '\n';

constexpr char toLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char toUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Equal length and equal bytes once ASCII letters are folded to one case.
constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toLowerAscii(a[i]) != toLowerAscii(b[i])) return false;
    return true;
}

// Whether text holds pattern at offset, ASCII case ignored; false when it would run past the end.
constexpr bool matchesAtIgnoringCase(std::string_view text, std::size_t offset, std::string_view pattern) {
    return offset <= text.size() && text.size() - offset >= pattern.size() &&
           equalsIgnoringAsciiCase(text.substr(offset, pattern.size()), pattern);
}

// A word character: an ASCII letter, an ASCII digit or "_".
constexpr bool isWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The bytes that end a tag name: TAB, CR, LF, space and '>'.
constexpr bool endsTagName(char c) { return c == kTab || c == kCR || c == kLF || c == ' ' || c == '>'; }

// TAB, CR or LF: the bytes that Find Untagged trims.
constexpr bool isTabOrLineBreak(char c) { return c == kTab || c == kCR || c == kLF; }

// A blank: space, TAB, CR or LF.
constexpr bool isAsciiBlank(char c) { return c == ' ' || isTabOrLineBreak(c); }
// White space as C's isspace knows it: the blanks, vertical tab and form feed;
// what is trimmed from a value typed into a dialog.
constexpr bool isTypedBlank(char c) { return isAsciiBlank(c) || c == '\v' || c == '\f'; }

}  // namespace tagloom
