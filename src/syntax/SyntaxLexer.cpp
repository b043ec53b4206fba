#include "syntax/LexStep.h"

namespace tagloom {

using namespace lexing;

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
    case HtmlMode::Tag:
        return markup();
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
        return textarea();
    }
}

void LineLexer::lexTo(std::string_view line, std::size_t limit, RunCollector* runs) {
    LexStep(*this, line, runs).run(limit);
}

LexState lexLine(const LexState& start, std::string_view line, RunCollector* runs) {
    LineLexer lexer(start);
    lexer.lexAll(line, runs);
    return lexer.state();
}

}  // namespace tagloom
