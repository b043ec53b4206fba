#include "html/HtmlNormalize.h"

#include <cstring>

#include "textmodel/AsciiText.h"
#include "html/HtmlComments.h"

namespace tagloom {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Rewrites a buffer in place: bytes are read at `read` and kept at `write`,
// which never runs ahead of `read`, so the bytes not yet read are untouched.
class InPlaceRewrite {
public:
    explicit InPlaceRewrite(std::string& buffer) : buffer_(buffer), p_(buffer.data()), size_(buffer.size()) {}
    ~InPlaceRewrite() { buffer_.resize(write_); }
    InPlaceRewrite(const InPlaceRewrite&) = delete;
    InPlaceRewrite& operator=(const InPlaceRewrite&) = delete;

    bool done() const { return read_ >= size_; }
    std::size_t position() const { return read_; }
    std::size_t size() const { return size_; }
    char at(std::size_t offset) const { return offset < size_ ? p_[offset] : '\0'; }
    char current() const { return p_[read_]; }

    // Keeps the bytes up to (not including) end.
    void keepUntil(std::size_t end) {
        const std::size_t n = end - read_;
        if (write_ != read_) std::memmove(p_ + write_, p_ + read_, n);
        write_ += n;
        read_ = end;
    }
    void keep() { p_[write_++] = p_[read_++]; }
    void put(char c) {
        p_[write_++] = c;
        ++read_;
    }
    void drop(std::size_t n = 1) { read_ += n; }
    std::size_t find(char c) const {
        const void* hit = std::memchr(p_ + read_, c, size_ - read_);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - p_) : size_;
    }

private:
    std::string& buffer_;
    char* p_;
    std::size_t size_;
    std::size_t read_ = 0;
    std::size_t write_ = 0;
};

std::string copyWithoutBookmarks(std::string_view document) {
    std::string copy(document.size(), '\0');
    std::size_t length = 0;
    const char* p = document.data();
    const char* end = p + document.size();
    while (p != end) {
        const void* hit = std::memchr(p, kCR, static_cast<std::size_t>(end - p));
        const char* stop = hit ? static_cast<const char*>(hit) : end;
        std::memcpy(copy.data() + length, p, static_cast<std::size_t>(stop - p));
        length += static_cast<std::size_t>(stop - p);
        if (stop == end) break;
        if (stop + 1 == end || stop[1] != kCR) copy[length++] = kCR;
        p = stop + 1;
    }
    copy.resize(length);
    return copy;
}

// Keeps a comment starting at the read position whole; false when none starts there.
bool keepComment(InPlaceRewrite& rewrite, CommentFinder& comments) {
    const std::size_t mark = comments.closingMark(rewrite.position());
    if (mark == npos) return false;
    rewrite.keepUntil(mark + 3);
    return true;
}

// Inside every tag that is not a comment, from its '<' up to the next '>',
// each CR LF is deleted.
void joinTagLines(std::string& copy) {
    CommentFinder comments(copy);
    InPlaceRewrite rewrite(copy);
    while (!rewrite.done()) {
        rewrite.keepUntil(rewrite.find('<'));
        if (rewrite.done() || keepComment(rewrite, comments)) continue;
        rewrite.keep();
        while (!rewrite.done() && rewrite.current() != '>') {
            if (rewrite.current() == kCR && rewrite.at(rewrite.position() + 1) == kLF)
                rewrite.drop(2);
            else
                rewrite.keep();
        }
    }
}

// Outside comments: each TAB becomes a space, and a space directly followed by
// another space (or TAB) is dropped, so every run keeps one space.
void collapseBlanks(std::string& copy) {
    CommentFinder comments(copy);
    InPlaceRewrite rewrite(copy);
    auto isBlank = [](char c) { return c == ' ' || c == kTab; };
    while (!rewrite.done()) {
        const char c = rewrite.current();
        if (c == '<' && keepComment(rewrite, comments)) continue;
        if (!isBlank(c))
            rewrite.keep();
        else if (isBlank(rewrite.at(rewrite.position() + 1)))
            rewrite.drop();
        else
            rewrite.put(' ');
    }
}

// Everywhere, comments included: "> \r\n" becomes ">\r\n" and "\r\n <"
// becomes "\r\n<". Neither change can make or break the other's pattern, so
// one walk does both.
void dropSpacesAtLineBreaks(std::string& copy) {
    InPlaceRewrite rewrite(copy);
    char before = '\0';  // the two bytes read before the current one
    char last = '\0';
    while (!rewrite.done()) {
        const std::size_t at = rewrite.position();
        const char c = rewrite.current();
        const bool spaceBeforeBreak = last == '>' && rewrite.at(at + 1) == kCR && rewrite.at(at + 2) == kLF;
        const bool spaceAfterBreak = before == kCR && last == kLF && rewrite.at(at + 1) == '<';
        if (c == ' ' && (spaceBeforeBreak || spaceAfterBreak))
            rewrite.drop();
        else
            rewrite.keep();
        before = last;
        last = c;
    }
}

}  // namespace

std::string normalizedHtmlCopy(std::string_view document) {
    std::string copy = copyWithoutBookmarks(document);
    joinTagLines(copy);
    collapseBlanks(copy);
    dropSpacesAtLineBreaks(copy);
    return copy;
}

}  // namespace tagloom
