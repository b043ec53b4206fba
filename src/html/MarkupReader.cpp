#include "html/MarkupReader.h"

namespace tagloom::markup {

namespace {

struct ContentElement {
    std::string_view name;
    ElementContent content;
};

constexpr ContentElement kContentElements[] = {
    {"script", ElementContent::Code},
    {"style", ElementContent::Code},
    {"textarea", ElementContent::Shown},
    {"pre", ElementContent::Shown},
};

}  // namespace

std::size_t processingEnd(std::string_view text, std::size_t lt) {
    const std::size_t mark = text.find("?>", lt + 2);
    return mark == std::string_view::npos ? text.size() : mark + 2;
}

std::size_t quotedEnd(std::string_view text, std::size_t quote) {
    const char q = text[quote];
    for (std::size_t i = quote + 1; i < text.size(); ++i) {
        if (text[i] == q) return i + 1;
        if (text[i] == '<' && i + 1 < text.size() && text[i + 1] == '?') i = processingEnd(text, i) - 1;
    }
    return text.size();
}

ElementContent elementContent(std::string_view text, std::size_t lt, std::string_view& name) {
    for (const ContentElement& element : kContentElements) {
        const std::size_t after = lt + 1 + element.name.size();
        if (after < text.size() && endsTagName(text[after]) && matchesAtIgnoringCase(text, lt + 1, element.name)) {
            name = element.name;
            return element.content;
        }
    }
    return ElementContent::None;
}

std::size_t contentEnd(std::string_view text, std::size_t from, std::string_view name) {
    for (std::size_t lt = text.find('<', from); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
        const std::size_t after = lt + 2 + name.size();
        if (after < text.size() && text[lt + 1] == '/' && (endsTagName(text[after]) || text[after] == '/') &&
            matchesAtIgnoringCase(text, lt + 2, name))
            return lt;
    }
    return text.size();
}

}  // namespace tagloom::markup
