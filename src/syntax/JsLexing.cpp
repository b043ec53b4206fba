#include "syntax/LexStep.h"

#include "syntax/Keywords.h"

namespace tagloom {

using namespace lexing;

void LexStep::js() {
    switch (st_.jsToken) {
    case JsToken::Code:
        return jsCode();
    case JsToken::Single:
        return jsString('\'');
    case JsToken::Double:
        return jsString('"');
    case JsToken::Template:
        return jsTemplate();
    case JsToken::BlockComment: {
        std::size_t i = p_;
        for (; i < n_; ++i) {
            if (line_[i] == '<' && i > p_) break;
            if (line_[i] == '*' && at(i + 1) == '/') return endOfJsToken(Style::Comment, i + 2);
        }
        return take(i, Style::Comment);
    }
    case JsToken::LineComment: {
        const std::size_t end = skip(p_ + (line_[p_] == '<'), [](char c) { return c != '\n' && c != '<'; });
        if (end < n_ && line_[end] == '\n') return endOfJsToken(Style::Comment, end + 1);
        return take(end, Style::Comment);
    }
    case JsToken::Regex:
    case JsToken::RegexClass:
        return jsRegex();
    }
}

// A comment, string or regular expression ends: code follows.
void LexStep::endOfJsToken(Style style, std::size_t end) {
    take(end, style);
    if (st_.jsToken != JsToken::BlockComment && st_.jsToken != JsToken::LineComment) st_.jsRegexAllowed = false;
    st_.jsToken = JsToken::Code;
}

void LexStep::jsCode() {
    do jsCodeToken();
    while (moreTokens() && st_.jsToken == JsToken::Code);
}

void LexStep::jsCodeToken() {
    const char c = line_[p_];
    if (isBlank(c)) return take(blanksEnd(p_), Style::Plain);
    if (isJsIdentStart(c)) {
        const std::size_t end = skip(p_, isJsIdent);
        const std::string_view word = line_.substr(p_, end - p_);
        const bool keyword = !lx_.afterDot_ && javaScriptKeywords().contains(word);
        st_.jsRegexAllowed = keyword && javaScriptOperatorKeywords().contains(word);
        lx_.afterDot_ = false;
        return take(end, keyword ? Style::Keyword : Style::Plain);
    }
    lx_.afterDot_ = false;
    if (isDigit(c) || (c == '.' && isDigit(at(p_ + 1)))) {
        st_.jsRegexAllowed = false;
        return take(numberEnd(p_), Style::Number);
    }
    const bool regexAllowed = st_.jsRegexAllowed;
    st_.jsRegexAllowed = true;
    switch (c) {
    case '\'':
        st_.jsToken = JsToken::Single;
        return take(p_ + 1, Style::String);
    case '"':
        st_.jsToken = JsToken::Double;
        return take(p_ + 1, Style::String);
    case '`':
        st_.jsToken = JsToken::Template;
        return take(p_ + 1, Style::String);
    case '/':
        if (at(p_ + 1) == '/') {
            st_.jsToken = JsToken::LineComment;
            return take(p_ + 2, Style::Comment);
        }
        if (at(p_ + 1) == '*') {
            st_.jsToken = JsToken::BlockComment;
            return take(p_ + 2, Style::Comment);
        }
        if (regexAllowed) {
            st_.jsToken = JsToken::Regex;
            return take(p_ + 1, Style::Regex);
        }
        break;
    case '{':
        if (st_.jsTemplateDepth > 0) {
            std::uint8_t& braces = st_.jsBraces[st_.jsTemplateDepth - 1];
            if (braces < LexState::kMaxBraces) ++braces;
        }
        break;
    case '}':
        if (st_.jsTemplateDepth > 0) {
            std::uint8_t& braces = st_.jsBraces[st_.jsTemplateDepth - 1];
            if (braces == 0) {
                // The end of a ${ ... }: back in the template literal.
                --st_.jsTemplateDepth;
                st_.jsToken = JsToken::Template;
                return take(p_ + 1, Style::String);
            }
            --braces;
        }
        break;
    case '.':
        lx_.afterDot_ = true;
        st_.jsRegexAllowed = false;
        break;
    default:
        if (stops(kJsPunctuation, c)) {
            // A value may follow an operator, not a closing bracket.
            std::size_t end = p_;
            char last = c;
            for (; end < end_ && stops(kJsPunctuation, line_[end]); ++end) {
                if (!isBlank(line_[end])) last = line_[end];
            }
            st_.jsRegexAllowed = last != ')' && last != ']';
            return take(end, Style::Plain);
        }
        break;
    }
    take(p_ + 1, Style::Plain);
}

// Resumed after the '/' that opened the regular expression, when it was
// one: a '/' where a value may start. It ends at its line's end at the latest.
void LexStep::jsRegex() {
    std::size_t i = p_;
    while (i < n_) {
        const char c = line_[i];
        if (c == '\n') return endOfJsToken(Style::Regex, i + 1);
        if (c == '<' && i > p_) break;
        if (c == '\\') {
            i = escapeEnd(i, at(i + 1) == '\n' ? 1 : 2);
            continue;
        }
        if (c == '[') {
            st_.jsToken = JsToken::RegexClass;
        } else if (c == ']') {
            st_.jsToken = JsToken::Regex;
        } else if (c == '/' && st_.jsToken == JsToken::Regex) {
            return endOfJsToken(Style::Regex, skip(i + 1, isAsciiLetter));
        }
        ++i;
    }
    take(i, Style::Regex);
}

void LexStep::jsString(char quote) {
    std::size_t i = p_;
    while (i < n_) {
        const char c = line_[i];
        if (c == quote) return endOfJsToken(Style::String, i + 1);
        if (c == '\\') {
            // A backslash before the line break goes on to the next line.
            i = escapeEnd(i, at(i + 1) == '\r' && at(i + 2) == '\n' ? 3 : 2);
            continue;
        }
        if (c == '\n') return endOfJsToken(Style::String, i + 1);  // unclosed: it ends with its line
        if (c == '<' && i > p_) break;
        ++i;
    }
    take(i, Style::String);
}

void LexStep::jsTemplate() {
    std::size_t i = p_;
    while (i < n_) {
        const char c = line_[i];
        if (c == '`') return endOfJsToken(Style::String, i + 1);
        if (c == '\\') {
            i = escapeEnd(i, 2);
            continue;
        }
        if (c == '$' && at(i + 1) == '{' && st_.jsTemplateDepth < LexState::kTemplateDepth) {
            take(i + 2, Style::String);
            st_.jsBraces[st_.jsTemplateDepth++] = 0;
            st_.jsToken = JsToken::Code;
            st_.jsRegexAllowed = true;
            return;
        }
        if (c == '<' && i > p_) break;
        ++i;
    }
    take(i, Style::String);
}

// A number of JavaScript or PHP: decimal with fraction and exponent, or
// 0x, 0o, 0b; digits may be grouped by '_'; a BigInt ends in 'n'.
std::size_t LexStep::numberEnd(std::size_t i) const {
    const char radix = toLowerAscii(at(i + 1));
    if (line_[i] == '0' && (radix == 'x' || radix == 'o' || radix == 'b')) {
        i = skip(i + 2, [](char c) { return isHexDigit(c) || c == '_'; });
    } else {
        auto digits = [](char c) { return isDigit(c) || c == '_'; };
        i = skip(i, digits);
        if (at(i) == '.' && isDigit(at(i + 1))) i = skip(i + 1, digits);
        if (toLowerAscii(at(i)) == 'e') {
            const std::size_t sign = at(i + 1) == '+' || at(i + 1) == '-' ? 1 : 0;
            if (isDigit(at(i + 1 + sign))) i = skip(i + 1 + sign, digits);
        }
    }
    return at(i) == 'n' ? i + 1 : i;
}

}  // namespace tagloom
