#include "html/HtmlNormalize.h"

#include <cstring>

#include "textmodel/AsciiText.h"
#include "html/MarkupReader.h"

namespace tagloom {

namespace {

// Rewrites a buffer in place: bytes are read at `read` and kept at `write`,
// which never runs ahead of `read`, so the bytes not yet read are untouched.
// Kept bytes are moved only when a byte is dropped or replaced, so keeping a
// long stretch costs nothing until then.
class InPlaceRewrite {
public:
    explicit InPlaceRewrite(std::string& buffer) : buffer_(buffer), p_(buffer.data()), size_(buffer.size()) {}
    ~InPlaceRewrite() {
        moveKept();
        buffer_.resize(write_);
    }
    InPlaceRewrite(const InPlaceRewrite&) = delete;
    InPlaceRewrite& operator=(const InPlaceRewrite&) = delete;

    std::size_t position() const { return read_; }
    char at(std::size_t offset) const { return offset < size_ ? p_[offset] : '\0'; }

    // Keeps the bytes up to (not including) end.
    void keepUntil(std::size_t end) { read_ = end; }
    void keep() { ++read_; }
    // Replaces the n bytes at the read position with c.
    void replace(char c, std::size_t n = 1) {
        moveKept();
        p_[write_++] = c;
        read_ += n;
        kept_ = read_;
    }
    void drop(std::size_t n = 1) {
        moveKept();
        read_ += n;
        kept_ = read_;
    }
    // The first c from the read position up to end, or end.
    std::size_t find(char c, std::size_t end) const {
        const void* hit = std::memchr(p_ + read_, c, end - read_);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - p_) : end;
    }
    // The n-th byte kept so far, counted back from the last; NUL before the first.
    char written(std::size_t n) const {
        const std::size_t pending = read_ - kept_;
        if (n <= pending) return p_[read_ - n];
        return write_ >= n - pending ? p_[write_ - (n - pending)] : '\0';
    }

private:
    // Moves the bytes kept since the last drop or put to the write position.
    void moveKept() {
        const std::size_t n = read_ - kept_;
        if (write_ != kept_) std::memmove(p_ + write_, p_ + kept_, n);
        write_ += n;
        kept_ = read_;
    }

    std::string& buffer_;
    char* p_;
    std::size_t size_;
    std::size_t read_ = 0;
    std::size_t kept_ = 0;  // the bytes from here to read_ are kept but not moved yet
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

// Runs rewritePiece(rewrite, piece) over each piece of copy, which leaves
// the read position at the end of the piece.
template <class RewritePiece>
void rewritePieces(std::string& copy, RewritePiece&& rewritePiece) {
    InPlaceRewrite rewrite(copy);
    readMarkup(copy, [&](const MarkupPiece& piece) {
        rewritePiece(rewrite, piece);
        return true;
    });
}

// Whether a line break deleted between these two bytes of a tag leaves a
// space: only between two bytes that are not blanks, so that the name and
// the attributes around it stay apart ("<pre" CR LF "class=x>" is still a
// pre), and not before the tag's '>', which ends the name or value as well
// ("</title" CR LF ">" stays the closing text "/title>").
bool leavesSpace(char before, char after) { return !isAsciiBlank(before) && !isAsciiBlank(after) && after != '>'; }

// In a tag's own bytes (not in a comment, a PHP block or a quoted value),
// each CR LF is deleted, or becomes a space where leavesSpace says so.
void joinTagLines(std::string& copy) {
    rewritePieces(copy, [](InPlaceRewrite& rewrite, const MarkupPiece& piece) {
        if (piece.kind == MarkupPiece::Kind::TagBytes)
            for (std::size_t cr = rewrite.find(kCR, piece.end); cr < piece.end; cr = rewrite.find(kCR, piece.end)) {
                rewrite.keepUntil(cr);
                if (rewrite.at(cr + 1) != kLF)
                    rewrite.keep();
                else if (!leavesSpace(rewrite.written(1), rewrite.at(cr + 2)))
                    rewrite.drop(2);
                else
                    rewrite.replace(' ', 2);
            }
        rewrite.keepUntil(piece.end);
    });
}

bool isSpaceOrTab(char c) { return c == ' ' || c == kTab; }

// Whether the space at the read position goes for standing between a '>'
// and a line break, or between a line break and a '<' or a template marker.
// The bytes kept before it stand for the bytes read: a dropped space is
// never one of the two bytes that a later space is judged by.
bool dropsAtLineBreak(const InPlaceRewrite& rewrite) {
    const std::size_t at = rewrite.position();
    const char last = rewrite.written(1);
    const bool beforeBreak = last == '>' && rewrite.at(at + 1) == kCR && rewrite.at(at + 2) == kLF;
    // A template marker stands on a line of its own as a tag does.
    const char next = rewrite.at(at + 1);
    const bool tagNext = next == '<' || (next == '{' && markup::opensServerCode(next, rewrite.at(at + 2)));
    const bool afterBreak = rewrite.written(2) == kCR && last == kLF && tagNext;
    return beforeBreak || afterBreak;
}

// In mark-up: each TAB becomes a space, and a space or TAB directly followed
// by another one is dropped, so every run keeps one space. Then, in mark-up
// and comments, a space between '>' and CR LF or between CR LF and '<' goes.
// No blank that stays is followed by a blank, so one walk does both.
void collapseBlanks(std::string& copy) {
    rewritePieces(copy, [](InPlaceRewrite& rewrite, const MarkupPiece& piece) {
        if (piece.kind == MarkupPiece::Kind::Comment) {
            for (std::size_t space = rewrite.find(' ', piece.end); space < piece.end;
                 space = rewrite.find(' ', piece.end)) {
                rewrite.keepUntil(space);
                if (dropsAtLineBreak(rewrite))
                    rewrite.drop();
                else
                    rewrite.keep();
            }
        } else if (piece.isMarkup()) {
            for (std::size_t at = rewrite.position(); at < piece.end; at = rewrite.position()) {
                while (at < piece.end && !isSpaceOrTab(rewrite.at(at))) ++at;
                rewrite.keepUntil(at);
                if (at == piece.end) break;
                if (isSpaceOrTab(rewrite.at(at + 1)) || dropsAtLineBreak(rewrite))
                    rewrite.drop();
                else if (rewrite.at(at) == kTab)
                    rewrite.replace(' ');
                else
                    rewrite.keep();
            }
        }
        rewrite.keepUntil(piece.end);
    });
}

}  // namespace

std::string normalizedHtmlCopy(std::string_view document) {
    std::string copy = copyWithoutBookmarks(document);
    joinTagLines(copy);
    collapseBlanks(copy);
    return copy;
}

}  // namespace tagloom
