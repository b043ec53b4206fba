#include "syntax/LexStep.h"

#include "syntax/Keywords.h"

namespace tagloom {

using namespace lexing;

// Text and tags, the bulk of a page, read in one loop. Neither is script
// or style content, so only a '<' that opens PHP needs the checks of step().
void LexStep::markup() {
    do {
        if (st_.html == HtmlMode::Text) {
            textToken(true);
        } else {
            tag();
        }
    } while (p_ < end_ && st_.island == Island::None &&
             (st_.html == HtmlMode::Text || st_.html == HtmlMode::Tag) && !(line_[p_] == '<' && at(p_ + 1) == '?'));
}

void LexStep::textarea() {
    do textToken(false);
    while (moreTokens() && st_.island == Island::None);
}

// Text, or textarea content (no tags there).
void LexStep::textToken(bool tags) {
    const char c = line_[p_];
    if (openServerCode()) return;
    if (c == '<' && tags) return angle();
    if (c == '&') return entityOr(Style::Plain);
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
    } else if (next == '/' && isLetter(at(p_ + 2))) {
        take(p_ + 2, Style::Tag);
        tagName(false);
    } else if (isLetter(next)) {
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

// Server code inside a tag is a stretch of its own, as the mark-up reader
// reads it; the tag goes on after it.
void LexStep::between() {
    const char c = line_[p_];
    if (isBlank(c)) return take(blanksEnd(p_), Style::Plain);
    if (openServerCode()) return;
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
    if (openServerCode()) return;
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
    if (openServerCode()) return;
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
    } else if (isLetter(at(i))) {
        while (i < n_ && i - first < 32 && isAlnum(line_[i])) ++i;
    }
    if (i > first && at(i) == ';') return take(i + 1, Style::Entity);
    take(p_ + 1, fallback);
}

bool LexStep::openServerCode() {
    if (line_[p_] == '{') return openMarker();
    if (line_[p_] != '<' || at(p_ + 1) != '%') return false;
    take(p_ + 2, Style::Php);
    st_.island = Island::AspBlock;
    return true;
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

}  // namespace tagloom
