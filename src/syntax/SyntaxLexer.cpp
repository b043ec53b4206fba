#include "syntax/SyntaxLexer.h"

#include "syntax/Keywords.h"
#include "textmodel/AsciiText.h"

#include <algorithm>

namespace tagloom {

namespace {

using Style = StyleClass;

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isHexDigit(char c) { return isDigit(c) || (toLowerAscii(c) >= 'a' && toLowerAscii(c) <= 'f'); }
constexpr bool isHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }
constexpr bool isBlank(char c) { return isTypedBlank(c); }
constexpr bool isAlnum(char c) { return isAsciiLetter(c) || isDigit(c); }

// Identifiers: bytes of UTF-8 sequences count as letters.
constexpr bool isJsIdentStart(char c) { return isAsciiLetter(c) || c == '_' || c == '$' || isHigh(c); }
constexpr bool isJsIdent(char c) { return isJsIdentStart(c) || isDigit(c); }
constexpr bool isPhpIdentStart(char c) { return isAsciiLetter(c) || c == '_' || isHigh(c); }
constexpr bool isPhpIdent(char c) { return isPhpIdentStart(c) || isDigit(c); }
constexpr bool isCssIdentStart(char c) { return isAsciiLetter(c) || c == '_' || c == '-' || isHigh(c); }
constexpr bool isCssIdent(char c) { return isCssIdentStart(c) || isDigit(c); }

// A byte table: true for the bytes that end a stretch of one kind.
constexpr std::array<bool, 256> stopsAt(std::string_view bytes) {
    std::array<bool, 256> table{};
    for (char c : bytes) table[static_cast<unsigned char>(c)] = true;
    return table;
}
constexpr auto kTextStops = stopsAt("<&{");
constexpr auto kBetweenAttributeStops = stopsAt(" \t\r\n\f\v/>=<");

bool stops(const std::array<bool, 256>& table, char c) { return table[static_cast<unsigned char>(c)]; }

// The heredoc label's hash, as the state keeps it.
std::uint16_t labelHash(std::string_view label) {
    std::uint32_t h = 2166136261u;
    for (char c : label) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    h ^= h >> 15;
    return static_cast<std::uint16_t>(h & ((1u << LexState::kHeredocLabelBits) - 1));
}

}  // namespace

// One pass of the lexer over a line: each step reads one token (or a
// stretch of one) and moves the position past it.
class LexStep {
public:
    LexStep(LineLexer& lexer, std::string_view line, RunCollector* runs)
        : lx_(lexer), st_(lexer.state_), p_(lexer.pos_), line_(line), n_(line.size()), runs_(runs) {}

    void run(std::size_t limit) {
        while (p_ < n_ && p_ < limit) step();
    }

private:
    // The byte at i, or NUL past the end (never tested for as such).
    char at(std::size_t i) const { return i < n_ ? line_[i] : '\0'; }
    // Hands the bytes up to end on as one class and moves past them.
    void take(std::size_t end, Style style) {
        end = std::min(end, n_);
        if (runs_) runs_->add(p_, end, style);
        p_ = end;
    }
    template <class Pred>
    std::size_t skip(std::size_t i, Pred pred) const {
        while (i < n_ && pred(line_[i])) ++i;
        return i;
    }
    std::size_t blanksEnd(std::size_t i) const { return skip(i, isBlank); }

    void step();
    bool inContent() const;
    bool closesContent() const;
    void openPhp();
    void island();
    void marker(char close0, char close1);
    void html();

    // ---- HTML ----
    void text(bool tags);
    void angle();
    void tagName(bool opening);
    void tag();
    void between();
    void afterEquals();
    void openValue(char quote);
    void quotedValue();
    void closeValue();
    void closeTag();
    void resetTag();
    char quoteChar() const { return st_.singleQuote ? '\'' : '"'; }
    void comment();
    void declaration();
    void entityOr(Style fallback);
    bool openMarker();

    // ---- PHP ----
    void phpCode();
    bool heredocOpener();
    void heredoc(bool interpolating);
    void phpString(char quote, bool interpolating);
    void phpBlockComment();
    void phpLineComment();
    std::size_t lineIndent();

    // ---- JavaScript ----
    void js();
    void jsCode();
    void jsString(char quote);
    void jsTemplate();
    void jsRegex();
    void endOfJsToken(Style style, std::size_t end);
    std::size_t numberEnd(std::size_t i) const;

    // ---- CSS ----
    void css();
    void cssCode(int term);
    void cssString(char quote, int term);
    void cssComment(int term);
    void cssUrl(std::size_t paren, int term);
    bool cssInline() const { return st_.language == SyntaxLanguage::Html && st_.html == HtmlMode::Tag; }
    bool cssInDeclarations() const;
    void openCssBlock();
    void closeCssBlock();
    std::size_t cssNumberEnd(std::size_t i) const;

    // The CSS part back to its defaults, when a style sheet or attribute ends.
    void resetCss() {
        const LexState defaults;
        st_.cssToken = defaults.cssToken;
        st_.cssValue = defaults.cssValue;
        st_.cssGrouping = defaults.cssGrouping;
        st_.cssDepth = defaults.cssDepth;
        st_.cssDeclarationLevels = defaults.cssDeclarationLevels;
    }

    LineLexer& lx_;
    LexState& st_;
    std::size_t& p_;
    const std::string_view line_;
    const std::size_t n_;
    RunCollector* const runs_;
};

// ---- the dispatch ----

void LexStep::step() {
    if (line_[p_] == '<') {
        // The end of script or style content comes first, inside a PHP block
        // too: the mark-up reader ends the content there.
        if (inContent() && closesContent()) {
            st_ = initialState(SyntaxLanguage::Html);
            return;
        }
        if (st_.island == Island::None && at(p_ + 1) == '?') {
            openPhp();
            return;
        }
    }
    if (st_.island != Island::None) {
        island();
        return;
    }
    switch (st_.language) {
    case SyntaxLanguage::None:
        take(n_, Style::Plain);
        return;
    case SyntaxLanguage::Css:
        css();
        return;
    case SyntaxLanguage::JavaScript:
        js();
        return;
    case SyntaxLanguage::Html:
        html();
        return;
    }
}

bool LexStep::inContent() const {
    if (st_.language != SyntaxLanguage::Html) return false;
    switch (st_.html) {
    case HtmlMode::Script:
    case HtmlMode::RawScript:
    case HtmlMode::Style:
    case HtmlMode::Textarea:
        return true;
    default:
        return false;
    }
}

bool LexStep::closesContent() const {
    const std::string_view name = st_.html == HtmlMode::Style      ? "style"
                                  : st_.html == HtmlMode::Textarea ? "textarea"
                                                                   : "script";
    const std::size_t after = p_ + 2 + name.size();
    return after < n_ && line_[p_ + 1] == '/' && (endsTagName(line_[after]) || line_[after] == '/') &&
           matchesAtIgnoringCase(line_, p_ + 2, name);
}

void LexStep::openPhp() {
    const std::size_t length = matchesAtIgnoringCase(line_, p_ + 2, "php") ? 5 : at(p_ + 2) == '=' ? 3 : 2;
    take(p_ + length, Style::Php);
    st_.island = Island::PhpCode;
}

void LexStep::island() {
    switch (st_.island) {
    case Island::None:
        return;
    case Island::Expression:
        return marker('}', '}');
    case Island::Statement:
        return marker('%', '}');
    case Island::TemplateComment:
        return marker('#', '}');
    case Island::AspBlock:
        return marker('%', '>');
    case Island::PhpCode:
        return phpCode();
    case Island::PhpSingle:
        return phpString('\'', false);
    case Island::PhpDouble:
        return phpString('"', true);
    case Island::PhpBacktick:
        return phpString('`', true);
    case Island::PhpBlockComment:
        return phpBlockComment();
    case Island::PhpLineComment:
        return phpLineComment();
    case Island::PhpHeredoc:
        return heredoc(true);
    case Island::PhpNowdoc:
        return heredoc(false);
    }
}

void LexStep::marker(char close0, char close1) {
    std::size_t i = p_;
    for (; i < n_; ++i) {
        if (line_[i] == '<' && i > p_) break;
        if (line_[i] == close0 && at(i + 1) == close1) {
            take(i + 2, Style::Php);
            st_.island = Island::None;
            return;
        }
    }
    take(i, Style::Php);
}

void LexStep::html() {
    switch (st_.html) {
    case HtmlMode::Text:
        return text(true);
    case HtmlMode::Tag:
        return tag();
    case HtmlMode::Comment:
        return comment();
    case HtmlMode::Declaration:
        return declaration();
    case HtmlMode::Script:
        return js();
    case HtmlMode::RawScript: {
        const std::size_t lt = line_.find('<', p_ + 1);
        return take(lt == std::string_view::npos ? n_ : lt, Style::Plain);
    }
    case HtmlMode::Style:
        return css();
    case HtmlMode::Textarea:
        return text(false);
    }
}

// ---- HTML ----

// Text, or textarea content (no tags there).
void LexStep::text(bool tags) {
    const char c = line_[p_];
    if (c == '<') {
        if (tags) return angle();
        if (at(p_ + 1) == '%') {
            take(p_ + 2, Style::Php);
            st_.island = Island::AspBlock;
            return;
        }
    } else if (c == '&') {
        return entityOr(Style::Plain);
    } else if (c == '{' && openMarker()) {
        return;
    }
    take(skip(p_ + 1, [](char b) { return !stops(kTextStops, b); }), Style::Plain);
}

void LexStep::angle() {
    const char next = at(p_ + 1);
    if (next == '!') {
        if (at(p_ + 2) == '-' && at(p_ + 3) == '-') {
            take(p_ + 4, Style::Comment);
            st_.html = HtmlMode::Comment;
        } else {
            take(p_ + 2, Style::Doctype);
            st_.html = HtmlMode::Declaration;
        }
    } else if (next == '%') {
        take(p_ + 2, Style::Php);
        st_.island = Island::AspBlock;
    } else if (next == '/' && isAsciiLetter(at(p_ + 2))) {
        take(p_ + 2, Style::Tag);
        tagName(false);
    } else if (isAsciiLetter(next)) {
        take(p_ + 1, Style::Tag);
        tagName(true);
    } else {
        take(p_ + 1, Style::Plain);
    }
}

// The name of a tag, as the mark-up reader tells a script, style or textarea
// element: the name followed by a byte that ends a tag name.
void LexStep::tagName(bool opening) {
    const std::size_t end = skip(p_, [](char c) { return !endsTagName(c) && c != '/' && c != '<'; });
    TagKind kind = TagKind::Other;
    if (opening && end < n_ && endsTagName(line_[end])) {
        const std::string_view name = line_.substr(p_, end - p_);
        if (equalsIgnoringAsciiCase(name, "script")) {
            kind = TagKind::Script;
        } else if (equalsIgnoringAsciiCase(name, "style")) {
            kind = TagKind::Style;
        } else if (equalsIgnoringAsciiCase(name, "textarea")) {
            kind = TagKind::Textarea;
        }
    }
    take(end, Style::Tag);
    resetTag();
    st_.html = HtmlMode::Tag;
    st_.tagKind = kind;
}

void LexStep::resetTag() {
    const LexState defaults;
    st_.tagKind = defaults.tagKind;
    st_.tagPart = defaults.tagPart;
    st_.singleQuote = defaults.singleQuote;
    st_.attrKind = defaults.attrKind;
    st_.plainScript = defaults.plainScript;
}

void LexStep::tag() {
    switch (st_.tagPart) {
    case TagPart::Between:
        return between();
    case TagPart::AfterEquals:
        return afterEquals();
    case TagPart::Quoted:
        if (st_.attrKind != AttrKind::Style) return quotedValue();
        if (line_[p_] == quoteChar()) return closeValue();
        return css();
    }
}

void LexStep::between() {
    const char c = line_[p_];
    if (isBlank(c)) return take(blanksEnd(p_), Style::Plain);
    switch (c) {
    case '>':
        return closeTag();
    case '/':
        return take(p_ + 1, Style::Tag);
    case '<':
        // A '<' in a tag starts the next tag and leaves this one unclosed.
        resetTag();
        st_.html = HtmlMode::Text;
        return;
    case '=':
        take(p_ + 1, Style::Plain);
        st_.tagPart = TagPart::AfterEquals;
        return;
    default:
        break;
    }
    const std::size_t end = skip(p_, [](char b) { return !stops(kBetweenAttributeStops, b); });
    const std::string_view name = line_.substr(p_, end - p_);
    st_.attrKind = st_.tagKind == TagKind::Script && equalsIgnoringAsciiCase(name, "type") ? AttrKind::Type
                   : equalsIgnoringAsciiCase(name, "style")                               ? AttrKind::Style
                                                                                          : AttrKind::Other;
    take(end, Style::Attr);
}

void LexStep::afterEquals() {
    const char c = line_[p_];
    if (isBlank(c)) return take(blanksEnd(p_), Style::Plain);
    if (c == '"' || c == '\'') return openValue(c);
    if (c == '>' || c == '<') {
        st_.tagPart = TagPart::Between;
        return;
    }
    const std::size_t end = skip(p_, [](char b) { return !isBlank(b) && b != '>' && b != '<'; });
    if (st_.attrKind == AttrKind::Type) st_.plainScript = !isJavaScriptType(line_.substr(p_, end - p_));
    take(end, Style::Value);
    st_.tagPart = TagPart::Between;
    st_.attrKind = AttrKind::Other;
}

void LexStep::openValue(char quote) {
    take(p_ + 1, Style::Value);
    st_.tagPart = TagPart::Quoted;
    st_.singleQuote = quote == '\'';
    if (st_.attrKind == AttrKind::Type) lx_.typeValueStart_ = p_;
}

void LexStep::quotedValue() {
    const char quote = quoteChar();
    const char c = line_[p_];
    if (c == quote) return closeValue();
    if (c == '&') return entityOr(Style::Value);
    if (c == '{' && openMarker()) return;
    if (c == '<' && at(p_ + 1) == '%') {
        take(p_ + 2, Style::Php);
        st_.island = Island::AspBlock;
        return;
    }
    take(skip(p_ + 1, [&](char b) { return b != quote && !stops(kTextStops, b); }), Style::Value);
}

void LexStep::closeValue() {
    if (st_.attrKind == AttrKind::Type) {
        // A type value that began on an earlier line is no JavaScript type.
        const std::size_t start = lx_.typeValueStart_;
        st_.plainScript = start == LineLexer::kUnknown || !isJavaScriptType(line_.substr(start, p_ - start));
        lx_.typeValueStart_ = LineLexer::kUnknown;
    }
    take(p_ + 1, Style::Value);
    st_.tagPart = TagPart::Between;
    st_.singleQuote = false;
    st_.attrKind = AttrKind::Other;
    resetCss();
}

// The '>' of a tag: a script, style or textarea element's content follows,
// unless the tag ends in "/>".
void LexStep::closeTag() {
    const bool selfClosing = p_ > 0 && line_[p_ - 1] == '/';
    const TagKind kind = st_.tagKind;
    const bool plain = st_.plainScript;
    take(p_ + 1, Style::Tag);
    resetTag();
    HtmlMode next = HtmlMode::Text;
    if (!selfClosing) {
        switch (kind) {
        case TagKind::Script:
            next = plain ? HtmlMode::RawScript : HtmlMode::Script;
            break;
        case TagKind::Style:
            next = HtmlMode::Style;
            break;
        case TagKind::Textarea:
            next = HtmlMode::Textarea;
            break;
        case TagKind::Other:
            break;
        }
    }
    st_.html = next;
}

void LexStep::comment() {
    std::size_t i = p_ + (line_[p_] == '<');
    for (; i < n_; ++i) {
        const char c = line_[i];
        if (c == '<') break;
        if (c == '-' && at(i + 1) == '-' && at(i + 2) == '>') {
            take(i + 3, Style::Comment);
            st_.html = HtmlMode::Text;
            return;
        }
    }
    take(i, Style::Comment);
}

// <!DOCTYPE ...> and the like run to their '>'; a '<' ends them as it ends a tag.
void LexStep::declaration() {
    if (line_[p_] == '<') {
        st_.html = HtmlMode::Text;
        return;
    }
    const std::size_t end = skip(p_, [](char c) { return c != '>' && c != '<'; });
    if (end < n_ && line_[end] == '>') {
        take(end + 1, Style::Doctype);
        st_.html = HtmlMode::Text;
    } else {
        take(end, Style::Doctype);
    }
}

// &name; &#123; &#x1f; at the '&', else the '&' alone in the fallback class.
void LexStep::entityOr(Style fallback) {
    std::size_t i = p_ + 1;
    std::size_t first = i;
    if (at(i) == '#') {
        const bool hex = toLowerAscii(at(i + 1)) == 'x';
        first = i + (hex ? 2 : 1);
        i = first;
        while (i < n_ && i - first < 8 && (hex ? isHexDigit(line_[i]) : isDigit(line_[i]))) ++i;
    } else if (isAsciiLetter(at(i))) {
        while (i < n_ && i - first < 32 && isAlnum(line_[i])) ++i;
    }
    if (i > first && at(i) == ';') return take(i + 1, Style::Entity);
    take(p_ + 1, fallback);
}

bool LexStep::openMarker() {
    Island kind;
    switch (at(p_ + 1)) {
    case '{':
        kind = Island::Expression;
        break;
    case '%':
        kind = Island::Statement;
        break;
    case '#':
        kind = Island::TemplateComment;
        break;
    default:
        return false;
    }
    take(p_ + 2, Style::Php);
    st_.island = kind;
    return true;
}

// ---- PHP ----

void LexStep::phpCode() {
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
                i += 2;
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
            i += 2;
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

// ---- JavaScript ----

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
    case ')':
    case ']':
        st_.jsRegexAllowed = false;
        break;
    case '.':
        lx_.afterDot_ = true;
        st_.jsRegexAllowed = false;
        break;
    default:
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
            i += at(i + 1) == '\n' ? 1 : 2;
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
            i += at(i + 1) == '\r' && at(i + 2) == '\n' ? 3 : 2;
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
            i += 2;
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

// ---- CSS ----

void LexStep::css() {
    // In a style attribute the attribute's quote ends everything.
    const int term = cssInline() ? quoteChar() : -1;
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
    return isAsciiLetter(at(i)) ? skip(i, isCssIdent) : i;
}

// url( ... ) without quotes: its address is a string.
void LexStep::cssUrl(std::size_t paren, int term) {
    const std::size_t first = skip(paren + 1, [](char c) { return c == ' ' || c == '\t'; });
    take(first, Style::Plain);
    const char c = at(first);
    if (c == '"' || c == '\'' || c == ')') return;
    take(skip(first, [&](char b) { return b != ')' && b != '\n' && b != '<' && b != term; }), Style::String);
}

void LexStep::cssComment(int term) {
    std::size_t i = p_;
    for (; i < n_; ++i) {
        const char c = line_[i];
        if (c == term || (c == '<' && i > p_)) break;
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
        if (c == term || (c == '<' && i > p_)) break;
        if (c == quote || c == '\n') {
            // An unclosed string ends with its line.
            take(i + 1, Style::String);
            st_.cssToken = CssToken::None;
            return;
        }
        if (c == '\\') {
            if (at(i + 1) == term) {
                ++i;
                continue;
            }
            i += at(i + 1) == '\r' && at(i + 2) == '\n' ? 3 : 2;
            continue;
        }
        ++i;
    }
    take(i, Style::String);
}

// ---- the lexer ----

void LineLexer::lexTo(std::string_view line, std::size_t limit, RunCollector* runs) {
    LexStep(*this, line, runs).run(limit);
}

LexState lexLine(const LexState& start, std::string_view line, RunCollector* runs) {
    LineLexer lexer(start);
    lexer.lexAll(line, runs);
    return lexer.state();
}

}  // namespace tagloom
