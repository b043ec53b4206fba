#include "html/MarkupReader.h"

namespace tagloom::markup {

namespace {

struct ContentElement {
    std::string_view name;
    ElementContent content;
};

constexpr ContentElement kScript{"script", ElementContent::Code};
constexpr ContentElement kStyle{"style", ElementContent::Code};
constexpr ContentElement kTextarea{"textarea", ElementContent::Shown};
constexpr ContentElement kPre{"pre", ElementContent::Shown};

// Whether the tag opening at lt is named element's name, ASCII case ignored.
bool isNamed(std::string_view text, std::size_t lt, const ContentElement& element) {
    const std::size_t after = lt + 1 + element.name.size();
    return after < text.size() && endsTagName(text[after]) && matchesAtIgnoringCase(text, lt + 1, element.name);
}

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
    const ContentElement* element = nullptr;
    switch (lt + 1 < text.size() ? toLowerAscii(text[lt + 1]) : '\0') {
    case 's':
        element = isNamed(text, lt, kScript) ? &kScript : isNamed(text, lt, kStyle) ? &kStyle : nullptr;
        break;
    case 't':
        element = isNamed(text, lt, kTextarea) ? &kTextarea : nullptr;
        break;
    case 'p':
        element = isNamed(text, lt, kPre) ? &kPre : nullptr;
        break;
    default:
        break;
    }
    if (!element) return ElementContent::None;
    name = element->name;
    return element->content;
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
