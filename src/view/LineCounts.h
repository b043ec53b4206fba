#pragma once
// The line and bookmark counts of the status bar, kept up to date edit by
// edit. They equal what a walk over the whole text gives: one line more than
// there are LFs, and one bookmark for every LF whose character two places
// before is a CR (a line that ends CR CR LF).
#include <functional>
#include <string_view>

namespace tagloom {

class LineCounts {
public:
    // Reads a character of the current text; offsets are always inside it.
    using CharAt = std::function<char(int)>;

    // Counts the whole text from scratch.
    void reset(std::string_view text);
    // After `inserted` went in at `offset`; `length` is the new text length.
    void inserted(int offset, std::string_view inserted, int length, const CharAt& charAt);
    // After `removed` was taken out at `offset`; `length` is the new text length.
    void removed(int offset, std::string_view removed, int length, const CharAt& charAt);

    int lines() const { return lineFeeds_ + 1; }
    int bookmarks() const { return bookmarks_; }

private:
    struct Counts {
        int lineFeeds = 0;
        int bookmarks = 0;
    };
    // The counts of the LFs in `middle`, with `before` the up to two characters
    // that precede it in the text.
    static Counts countAround(std::string_view before, std::string_view middle);
    // The up to two characters before offset, and after it, in the current text.
    static std::string_view contextBefore(int offset, const CharAt& charAt, char (&buffer)[2]);

    int lineFeeds_ = 0;
    int bookmarks_ = 0;
};

}  // namespace tagloom
