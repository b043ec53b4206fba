#include "html/MarkupReader.h"

#include <cstring>

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

// The mark that closes the server code an opening pair begins; empty when
// the pair opens none.
std::string_view closingMark(char first, char second) {
    if (first == '<') return second == '?' ? "?>" : second == '%' ? "%>" : "";
    if (first != '{') return "";
    switch (second) {
    case '{': return "}}";
    case '%': return "%}";
    case '#': return "#}";
    default: return "";
    }
}

}  // namespace

ServerCode serverCode(std::string_view text, std::size_t at) {
    if (at + 1 >= text.size()) return {};
    const std::string_view mark = closingMark(text[at], text[at + 1]);
    if (mark.empty()) return {};
    const std::size_t found = text.find(mark, at + 2);
    return found == std::string_view::npos ? ServerCode{text.size(), false} : ServerCode{found + 2, true};
}

std::size_t MarkupStarts::next(std::size_t from) {
    const char* p = text_.data();
    const std::size_t n = text_.size();
    for (std::size_t at = std::min(from, n); at < n;) {
        if (!braceKnown_ || brace_ < at) {
            const void* found = std::memchr(p + at, '{', n - at);
            brace_ = found ? static_cast<std::size_t>(static_cast<const char*>(found) - p) : n;
            braceKnown_ = true;
        }
        if (const void* lt = std::memchr(p + at, '<', brace_ - at))
            return static_cast<std::size_t>(static_cast<const char*>(lt) - p);
        if (brace_ == n || (brace_ + 1 < n && opensServerCode('{', p[brace_ + 1]))) return brace_;
        at = brace_ + 1;
    }
    return n;
}

std::size_t quotedEnd(std::string_view text, std::size_t quote) {
    const char q = text[quote];
    for (std::size_t i = quote + 1; i < text.size(); ++i) {
        if (text[i] == q) return i + 1;
        if (i + 1 < text.size() && opensServerCode(text[i], text[i + 1])) i = serverCode(text, i).end - 1;
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
