#pragma once
// HTML comments as the formatter sees them: the text from a '<' followed by
// "!--" through the first "-->" that begins at least 4 bytes after the '<'.
// A "<!--" with no "-->" after it opens no comment; its '<' is an ordinary
// tag start.
#include <string_view>

namespace tagloom {

class CommentFinder {
public:
    // text must stay readable from every offset asked about to its end; a pass
    // that rewrites the text in place may do so behind those offsets.
    explicit CommentFinder(std::string_view text) : text_(text) {}

    // The offset of the "-->" that closes the comment the '<' at lt opens, or
    // npos when it opens none.
    std::size_t closingMark(std::size_t lt);

private:
    std::string_view text_;
    // No "-->" begins at or after this offset: once a search has failed,
    // every later one would fail too, so none runs again.
    std::size_t noMarkFrom_ = std::string_view::npos;
};

}  // namespace tagloom
