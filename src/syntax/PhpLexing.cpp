#include "syntax/LexStep.h"

#include "syntax/Keywords.h"

namespace tagloom {

using namespace lexing;

namespace {

// The heredoc label's hash, as the state keeps it.
std::uint16_t labelHash(std::string_view label) {
    std::uint32_t h = 2166136261u;
    for (char c : label) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    h ^= h >> 15;
    return static_cast<std::uint16_t>(h & ((1u << LexState::kHeredocLabelBits) - 1));
}

}  // namespace

void LexStep::phpCode() {
    do phpCodeToken();
    while (moreTokens() && st_.island == Island::PhpCode);
}

void LexStep::phpCodeToken() {
    const char c = line_[p_];
    if (isBlank(c)) return take(blanksEnd(p_), Style::Plain);
    if (c == '?' && at(p_ + 1) == '>') {
        take(p_ + 2, Style::Php);
        st_.island = Island::None;
        return;
    }
    if (c == '$') {
        if (!isPhpIdentStart(at(p_ + 1))) return take(p_ + 1, Style::Plain);
        return take(skip(p_ + 1, isPhpIdent), Style::Variable);
    }
    if (isPhpIdentStart(c)) {
        const std::size_t end = skip(p_, isPhpIdent);
        const bool keyword = phpKeywords().containsIgnoringCase(line_.substr(p_, end - p_));
        return take(end, keyword ? Style::Keyword : Style::Plain);
    }
    if (isDigit(c) || (c == '.' && isDigit(at(p_ + 1)))) return take(numberEnd(p_), Style::Number);
    switch (c) {
    case '\'':
        st_.island = Island::PhpSingle;
        return take(p_ + 1, Style::String);
    case '"':
        st_.island = Island::PhpDouble;
        return take(p_ + 1, Style::String);
    case '`':
        st_.island = Island::PhpBacktick;
        return take(p_ + 1, Style::String);
    case '#':
        if (at(p_ + 1) == '[') return take(p_ + 1, Style::Plain);  // an attribute, #[...]
        st_.island = Island::PhpLineComment;
        return take(p_ + 1, Style::Comment);
    case '/':
        if (at(p_ + 1) == '/') {
            st_.island = Island::PhpLineComment;
            return take(p_ + 2, Style::Comment);
        }
        if (at(p_ + 1) == '*') {
            st_.island = Island::PhpBlockComment;
            return take(p_ + 2, Style::Comment);
        }
        break;
    case '<':
        if (at(p_ + 1) == '<' && at(p_ + 2) == '<' && heredocOpener()) return;
        break;
    default:
        break;
    }
    take(p_ + 1, Style::Plain);
}

// <<<LABEL, <<<"LABEL" or <<<'LABEL' (a nowdoc), alone at the end of its line.
bool LexStep::heredocOpener() {
    std::size_t i = skip(p_ + 3, [](char c) { return c == ' ' || c == '\t'; });
    const char quote = at(i);
    const bool quoted = quote == '"' || quote == '\'';
    if (quoted) ++i;
    if (!isPhpIdentStart(at(i))) return false;
    const std::size_t labelStart = i;
    i = skip(i, isPhpIdent);
    const std::string_view label = line_.substr(labelStart, i - labelStart);
    if (quoted && at(i++) != quote) return false;
    const std::size_t rest = skip(i, [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
    if (rest < n_ && line_[rest] != '\n') return false;
    take(i, Style::String);
    st_.island = quote == '\'' ? Island::PhpNowdoc : Island::PhpHeredoc;
    st_.heredocLabel = labelHash(label);
    return true;
}

std::size_t LexStep::lineIndent() {
    if (lx_.indent_ == LineLexer::kUnknown) lx_.indent_ = skip(0, [](char c) { return c == ' ' || c == '\t'; });
    return lx_.indent_;
}

// The body of a heredoc or nowdoc: its closing label stands first on a line,
// after spaces or tabs at most, and no identifier byte follows it. The label
// is known by its hash only.
void LexStep::heredoc(bool interpolating) {
    const std::size_t indent = lineIndent();
    if (p_ <= indent && indent < n_ && isPhpIdentStart(line_[indent])) {
        const std::size_t end = skip(indent, isPhpIdent);
        if (labelHash(line_.substr(indent, end - indent)) == st_.heredocLabel) {
            take(end, Style::String);
            st_.island = Island::PhpCode;
            st_.heredocLabel = 0;
            return;
        }
    }
    std::size_t i = p_;
    while (i < n_) {
        const char c = line_[i];
        if (c == '<' && i > p_) break;
        if (interpolating) {
            if (c == '\\') {
                i = escapeEnd(i, 2);
                continue;
            }
            if (c == '$' && isPhpIdentStart(at(i + 1))) {
                if (i > p_) break;
                return take(skip(i + 1, isPhpIdent), Style::Variable);
            }
        }
        ++i;
    }
    take(i, Style::String);
}

void LexStep::phpString(char quote, bool interpolating) {
    std::size_t i = p_;
    while (i < n_) {
        const char c = line_[i];
        if (c == quote) {
            take(i + 1, Style::String);
            st_.island = Island::PhpCode;
            return;
        }
        if (c == '\\') {
            i = escapeEnd(i, 2);
            continue;
        }
        if (c == '<' && i > p_) break;
        if (interpolating && c == '$' && isPhpIdentStart(at(i + 1))) {
            if (i > p_) break;
            return take(skip(i + 1, isPhpIdent), Style::Variable);
        }
        ++i;
    }
    take(i, Style::String);
}

void LexStep::phpBlockComment() {
    std::size_t i = p_;
    for (; i < n_; ++i) {
        if (line_[i] == '<' && i > p_) break;
        if (line_[i] == '*' && at(i + 1) == '/') {
            take(i + 2, Style::Comment);
            st_.island = Island::PhpCode;
            return;
        }
    }
    take(i, Style::Comment);
}

// A // or # comment ends with its line, or before the "?>" that ends the block.
void LexStep::phpLineComment() {
    std::size_t i = p_;
    for (; i < n_; ++i) {
        const char c = line_[i];
        if (c == '\n') {
            take(i + 1, Style::Comment);
            st_.island = Island::PhpCode;
            return;
        }
        if (c == '?' && at(i + 1) == '>') {
            take(i, Style::Comment);
            st_.island = Island::PhpCode;
            return;
        }
        if (c == '<' && i > p_) break;
    }
    take(i, Style::Comment);
}

}  // namespace tagloom
