#include "search/Marks.h"

#include "textmodel/AsciiText.h"

namespace tagloom {

std::vector<TextMatch> findMarks(std::string_view text, const TextMatcher& mark, bool wholeWord, char before,
                                 char after) {
    std::vector<TextMatch> found;
    if (text.empty()) return found;
    for (auto match = mark.findFirst(text, 0, text.size() - 1); match;) {
        const std::size_t end = match->start + match->length;
        const char previous = match->start > 0 ? text[match->start - 1] : before;
        const char next = end < text.size() ? text[end] : after;
        const bool accepted = !wholeWord || (!isWordChar(previous) && !isWordChar(next));
        if (accepted) found.push_back(*match);
        const std::size_t from = accepted ? end : match->start + 1;
        match = from < text.size() ? mark.findFirst(text, from, text.size() - 1) : std::nullopt;
    }
    return found;
}

}  // namespace tagloom
