#include "html/TagScan.h"

#include <algorithm>
#include <cstring>

#include "html/HtmlComments.h"

namespace tagloom {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The next '<' or '>' at or after an offset. Each byte is searched with
// memchr, and the next hit of the other one is kept until the walk gets there.
class DelimiterCursor {
public:
    explicit DelimiterCursor(std::string_view text) : text_(text), nextLt_(find('<', 0)), nextGt_(find('>', 0)) {}

    std::size_t next(std::size_t from) {
        if (nextLt_ < from) nextLt_ = find('<', from);
        if (nextGt_ < from) nextGt_ = find('>', from);
        return std::min(nextLt_, nextGt_);
    }

private:
    std::size_t find(char c, std::size_t from) const {
        if (from >= text_.size()) return npos;
        const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data()) : npos;
    }

    std::string_view text_;
    std::size_t nextLt_;
    std::size_t nextGt_;
};

// Walks text from one '<' or '>' to the next. A '<' that opens a comment is
// followed by the comment's own '>', whatever lies between. onOpen(offset,
// isComment) and onClose(offset) return false to stop the walk.
template <class OnOpen, class OnClose>
void walkTagDelimiters(std::string_view text, OnOpen&& onOpen, OnClose&& onClose) {
    CommentFinder comments(text);
    DelimiterCursor cursor(text);
    for (std::size_t at = cursor.next(0); at != npos;) {
        if (text[at] == '<') {
            const std::size_t mark = comments.closingMark(at);
            if (!onOpen(at, mark != npos)) return;
            // Going on at the second '-' of "-->" makes the comment's '>' the next hit.
            at = cursor.next(mark != npos ? mark + 1 : at + 1);
        } else {
            if (!onClose(at)) return;
            at = cursor.next(at + 1);
        }
    }
}

}  // namespace

TagScanResult scanTags(std::string_view text) {
    TagScanResult scan;
    bool inTag = false;
    int previousEnd = -1;  // the '>' of the tag before
    TagSpan current;
    walkTagDelimiters(
        text,
        [&](std::size_t at, bool isComment) {
            if (inTag) {
                scan.error = DelimiterError{'>', current.start, static_cast<int>(at)};
                return false;
            }
            if (isComment) ++scan.comments;
            current = TagSpan{static_cast<int>(at), 0, isComment, 0};
            inTag = true;
            return true;
        },
        [&](std::size_t at) {
            if (!inTag) {
                scan.error = DelimiterError{'<', previousEnd, static_cast<int>(at)};
                return false;
            }
            current.end = static_cast<int>(at);
            previousEnd = current.end;
            scan.tags.push_back(current);
            inTag = false;
            return true;
        });
    if (!scan.error && inTag) scan.error = DelimiterError{'>', current.start, -1};
    return scan;
}

namespace {

// The offset in `to` of the byte that is, in `from`, the bracket at
// `offset`: the same bracket counted from the start.
int sameBracket(std::string_view from, std::string_view to, int offset) {
    const char bracket = from[static_cast<std::size_t>(offset)];
    std::size_t before = 0;
    for (std::size_t at = from.find(bracket); at < static_cast<std::size_t>(offset); at = from.find(bracket, at + 1))
        ++before;
    std::size_t at = to.find(bracket);
    for (; before > 0 && at != std::string_view::npos; --before) at = to.find(bracket, at + 1);
    return at == std::string_view::npos ? static_cast<int>(to.size()) : static_cast<int>(at);
}

}  // namespace

Selection delimiterErrorSelection(std::string_view document, std::string_view scanned, const DelimiterError& error) {
    const int start = error.firstBracket < 0 ? 0 : sameBracket(scanned, document, error.firstBracket);
    const int end = error.lastBracket < 0 ? static_cast<int>(document.size())
                                          : std::min(sameBracket(scanned, document, error.lastBracket) + 1,
                                                     static_cast<int>(document.size()));
    return {std::min(start, end), end};
}

}  // namespace tagloom
