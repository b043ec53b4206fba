#include "search/Marks.h"

#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

bool equalAt(std::string_view text, std::size_t pos, std::string_view mark, bool matchCase) {
    return matchCase ? text.compare(pos, mark.size(), mark) == 0 : matchesAtIgnoringCase(text, pos, mark);
}

}  // namespace

std::vector<int> findMarks(std::string_view text, std::string_view mark, bool matchCase, bool wholeWord, char before,
                           char after) {
    std::vector<int> found;
    if (mark.empty() || mark.size() > text.size()) return found;
    const std::size_t last = text.size() - mark.size();
    for (std::size_t pos = 0; pos <= last;) {
        if (!equalAt(text, pos, mark, matchCase)) {
            ++pos;
            continue;
        }
        if (wholeWord) {
            const char previous = pos > 0 ? text[pos - 1] : before;
            const char next = pos + mark.size() < text.size() ? text[pos + mark.size()] : after;
            if (isWordChar(previous) || isWordChar(next)) {
                ++pos;
                continue;
            }
        }
        found.push_back(static_cast<int>(pos));
        pos += mark.size();
    }
    return found;
}

}  // namespace tagloom
