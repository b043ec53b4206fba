#include "textmodel/TextSearch.h"

#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

bool sameText(std::string_view a, std::string_view b, bool bMatchCase) {
    return bMatchCase ? a == b : equalsIgnoringAsciiCase(a, b);
}

std::optional<int> found(std::size_t offset) {
    if (offset == std::string_view::npos) return std::nullopt;
    return static_cast<int>(offset);
}

std::size_t findForward(std::string_view text, std::string_view what, std::size_t from, bool bMatchCase) {
    if (bMatchCase) return text.find(what, from);
    const char first = toLowerAscii(what.front());
    for (std::size_t at = from; at + what.size() <= text.size(); ++at)
        if (toLowerAscii(text[at]) == first && matchesAtIgnoringCase(text, at, what)) return at;
    return std::string_view::npos;
}

std::size_t findBackward(std::string_view text, std::string_view what, std::size_t from, bool bMatchCase) {
    if (bMatchCase) return text.rfind(what, from);
    const char first = toLowerAscii(what.front());
    for (std::size_t at = from + 1; at-- > 0;)
        if (toLowerAscii(text[at]) == first && matchesAtIgnoringCase(text, at, what)) return at;
    return std::string_view::npos;
}

}  // namespace

std::size_t forwardSearchStart(std::string_view text, Selection selection, std::string_view what, bool bMatchCase) {
    const Selection sel = clampedSelection(selection, text);
    const std::size_t s = static_cast<std::size_t>(sel.start);
    const std::string_view selected = text.substr(s, static_cast<std::size_t>(sel.end - sel.start));
    return !sel.empty() && sameText(selected, what, bMatchCase) ? s + 1 : s;
}

std::optional<int> SearchFromSelection(std::string_view text, Selection selection, std::string_view what, bool bForward,
                                       bool bMatchCase) {
    if (what.empty()) return std::nullopt;
    const Selection sel = clampedSelection(selection, text);
    const std::size_t s = static_cast<std::size_t>(sel.start);
    const std::size_t n = what.size();
    if (bForward) {
        const std::size_t first = forwardSearchStart(text, sel, what, bMatchCase);
        if (first + n > text.size()) return std::nullopt;
        return found(findForward(text, what, first, bMatchCase));
    }
    if (s == 0 || text.size() < n) return std::nullopt;
    return found(findBackward(text, what, std::min(s - 1, text.size() - n), bMatchCase));
}

}  // namespace tagloom
