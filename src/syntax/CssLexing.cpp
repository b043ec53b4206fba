#include "syntax/LexStep.h"

#include "syntax/Keywords.h"

namespace tagloom {

using namespace lexing;

namespace {

// The byte that ends CSS in a style attribute (its quote), or none.
constexpr int kNoTerminator = -1;
bool ends(char c, int term) { return static_cast<unsigned char>(c) == term; }

}  // namespace

void LexStep::css() {
    // In a style attribute the attribute's quote ends everything.
    const int term = cssInline() ? quoteChar() : kNoTerminator;
    switch (st_.cssToken) {
    case CssToken::None:
        return cssCode(term);
    case CssToken::Comment:
        return cssComment(term);
    case CssToken::Single:
        return cssString('\'', term);
    case CssToken::Double:
        return cssString('"', term);
    }
}

bool LexStep::cssInDeclarations() const {
    if (cssInline()) return true;
    const int depth = st_.cssDepth;
    return depth > 0 && (depth > LexState::kCssKindLevels || (st_.cssDeclarationLevels >> (depth - 1) & 1));
}

void LexStep::openCssBlock() {
    if (st_.cssDepth < LexState::kMaxCssDepth) {
        ++st_.cssDepth;
        if (st_.cssDepth <= LexState::kCssKindLevels && !st_.cssGrouping)
            st_.cssDeclarationLevels |= static_cast<std::uint8_t>(1u << (st_.cssDepth - 1));
    }
    st_.cssGrouping = false;
    st_.cssValue = false;
}

void LexStep::closeCssBlock() {
    if (st_.cssDepth > 0) {
        if (st_.cssDepth <= LexState::kCssKindLevels)
            st_.cssDeclarationLevels &= static_cast<std::uint8_t>(~(1u << (st_.cssDepth - 1)));
        --st_.cssDepth;
    }
    st_.cssGrouping = false;
    st_.cssValue = false;
}

void LexStep::cssCode(int term) {
    do cssCodeToken(term);
    while (moreTokens() && st_.cssToken == CssToken::None && !ends(line_[p_], term));
}

void LexStep::cssCodeToken(int term) {
    const char c = line_[p_];
    if (isBlank(c)) return take(blanksEnd(p_), Style::Plain);
    const char next = at(p_ + 1);
    if (isDigit(c) || (c == '.' && isDigit(next)) ||
        ((c == '+' || c == '-') && (isDigit(next) || (next == '.' && isDigit(at(p_ + 2))))))
        return take(cssNumberEnd(p_), Style::Number);
    if (isCssIdentStart(c)) {
        const std::size_t end = skip(p_, isCssIdent);
        if (at(end) == '(' && equalsIgnoringAsciiCase(line_.substr(p_, end - p_), "url")) return cssUrl(end, term);
        const bool property = cssInDeclarations() && !st_.cssValue &&
                              at(skip(end, [](char b) { return b == ' ' || b == '\t'; })) == ':';
        return take(end, property ? Style::Property : Style::Plain);
    }
    switch (c) {
    case '/':
        if (next != '*') break;
        st_.cssToken = CssToken::Comment;
        return take(p_ + 2, Style::Comment);
    case '"':
        st_.cssToken = CssToken::Double;
        return take(p_ + 1, Style::String);
    case '\'':
        st_.cssToken = CssToken::Single;
        return take(p_ + 1, Style::String);
    case '@': {
        const std::size_t end = skip(p_ + 1, isCssIdent);
        if (end == p_ + 1) break;
        std::string_view name = line_.substr(p_ + 1, end - p_ - 1);
        if (name.size() > 1 && name[0] == '-') {
            // A vendor's prefix: @-webkit-keyframes is @keyframes.
            const std::size_t dash = name.find('-', 1);
            name = dash == std::string_view::npos ? std::string_view() : name.substr(dash + 1);
        }
        if (cssGroupingRules().containsIgnoringCase(name)) st_.cssGrouping = true;
        return take(end, Style::Keyword);
    }
    case '!': {
        const std::size_t word = skip(p_ + 1, [](char b) { return b == ' ' || b == '\t'; });
        if (matchesAtIgnoringCase(line_, word, "important") && !isCssIdent(at(word + 9)))
            return take(word + 9, Style::Keyword);
        break;
    }
    case '#':
        if (st_.cssValue && isCssIdent(next)) return take(skip(p_ + 1, isCssIdent), Style::Number);
        break;
    case '{':
        if (!cssInline()) openCssBlock();
        break;
    case '}':
        if (!cssInline()) closeCssBlock();
        break;
    case ';':
        st_.cssValue = false;
        st_.cssGrouping = false;
        break;
    case ':':
        if (cssInDeclarations()) st_.cssValue = true;
        break;
    default:
        if (stops(kCssPunctuation, c))
            return take(skip(p_, [&](char b) { return stops(kCssPunctuation, b) && !ends(b, term); }), Style::Plain);
        break;
    }
    take(p_ + 1, Style::Plain);
}

// A number with its unit or '%': 12px, -1.5em, 50%.
std::size_t LexStep::cssNumberEnd(std::size_t i) const {
    if (line_[i] == '+' || line_[i] == '-') ++i;
    i = skip(i, isDigit);
    if (at(i) == '.' && isDigit(at(i + 1))) i = skip(i + 1, isDigit);
    const char e = toLowerAscii(at(i));
    const std::size_t sign = at(i + 1) == '+' || at(i + 1) == '-' ? 1 : 0;
    if (e == 'e' && isDigit(at(i + 1 + sign))) i = skip(i + 1 + sign, isDigit);
    if (at(i) == '%') return i + 1;
    return isLetter(at(i)) ? skip(i, isCssIdent) : i;
}

// url( ... ) without quotes: its address is a string.
void LexStep::cssUrl(std::size_t paren, int term) {
    const std::size_t first = skip(paren + 1, [](char c) { return c == ' ' || c == '\t'; });
    take(first, Style::Plain);
    const char c = at(first);
    if (c == '"' || c == '\'' || c == ')') return;
    take(skip(first, [&](char b) { return b != ')' && b != '\n' && b != '<' && !ends(b, term); }), Style::String);
}

void LexStep::cssComment(int term) {
    std::size_t i = p_;
    for (; i < n_; ++i) {
        const char c = line_[i];
        if (ends(c, term) || (c == '<' && i > p_)) break;
        if (c == '*' && at(i + 1) == '/') {
            take(i + 2, Style::Comment);
            st_.cssToken = CssToken::None;
            return;
        }
    }
    take(i, Style::Comment);
}

void LexStep::cssString(char quote, int term) {
    std::size_t i = p_;
    while (i < n_) {
        const char c = line_[i];
        if (ends(c, term) || (c == '<' && i > p_)) break;
        if (c == quote || c == '\n') {
            // An unclosed string ends with its line.
            take(i + 1, Style::String);
            st_.cssToken = CssToken::None;
            return;
        }
        if (c == '\\') {
            if (i + 1 < n_ && ends(line_[i + 1], term)) {
                ++i;
                continue;
            }
            i = escapeEnd(i, at(i + 1) == '\r' && at(i + 2) == '\n' ? 3 : 2);
            continue;
        }
        ++i;
    }
    take(i, Style::String);
}

}  // namespace tagloom
