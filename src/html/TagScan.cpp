#include "html/TagScan.h"

#include <algorithm>

#include "html/MarkupReader.h"

namespace tagloom {

// A '>' in the text between two tags opens or closes nothing: a browser
// shows it as the character it is.
TagScanResult scanTags(std::string_view text) {
    TagScanResult scan;
    readTags(text, [&](const MarkupTag& tag) {
        const int start = static_cast<int>(tag.start);
        // A PHP block may stay open to the end of the text; any other tag needs its '>'.
        if (!tag.closed && (tag.kind != MarkupTag::Kind::Processing || tag.end < text.size())) {
            scan.error = DelimiterError{'>', start, tag.end < text.size() ? static_cast<int>(tag.end) : -1};
            return false;
        }
        if (tag.kind == MarkupTag::Kind::Comment) ++scan.comments;
        TagSpan span;
        span.start = start;
        span.end = static_cast<int>(tag.end) - 1;
        span.nameEnd = static_cast<int>(tag.nameEnd);
        span.kind = tag.kind;
        span.closed = tag.closed;
        span.content = tag.content;
        scan.tags.push_back(span);
        return true;
    });
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
