#pragma once
// The bytes of the text as a piece table: the loaded text is adopted as it
// is, typed and pasted bytes go to append-only blocks, and the text is the
// sequence of pieces that point into those two. An edit splits or trims a
// piece and costs O(log pieces) whatever the text's size; nothing stored is
// ever moved or overwritten, so removed bytes stay readable where they lie.
// contiguous() copies the pieces into one block when the whole text is asked
// for in one piece.
#include "textmodel/TextBlocks.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tagloom {

class TextBuffer {
    struct Piece {
        const char* data;
        int length;
    };
    struct PieceTraits {
        static constexpr int kWeights = 1;
        static std::array<int, 1> weights(const Piece& p) { return {p.length}; }
    };

public:
    // A stretch of the text that lies contiguous in memory.
    struct Span {
        const char* data = nullptr;
        int start = 0;
        int length = 0;
    };

    // Fast repeated reading near one place: remembers the last piece read.
    class Cursor {
    public:
        explicit Cursor(const TextBuffer& text) : text_(text) {}
        unsigned char operator[](int pos) {
            if (static_cast<unsigned>(pos - span_.start) >= static_cast<unsigned>(span_.length)) {
                span_ = text_.spanAt(pos);
            }
            return static_cast<unsigned char>(span_.data[pos - span_.start]);
        }

    private:
        const TextBuffer& text_;
        Span span_;
    };

    // Reads the pieces in order, from the one that holds pos.
    class SpanWalker {
    public:
        SpanWalker(const TextBuffer& text, int pos);
        const Span& span() const { return span_; }
        // Moves to the next piece; false past the last.
        bool next();

    private:
        SpanWalker(const TextBuffer& text, const TextBlocks<Piece, PieceTraits>::Found& found);
        TextBlocks<Piece, PieceTraits>::Walker walker_;
        Span span_;
    };

    TextBuffer();

    int length() const { return pieces_.total()[0]; }
    char at(int pos) const;
    // The bytes [from, to).
    std::string range(int from, int to) const;
    // The same where they lie in one piece: a view into the storage, valid
    // until the next change; else a copy in scratch.
    std::string_view view(int from, int to, std::string& scratch) const;
    // The piece that holds the byte at pos (pos < length()).
    Span spanAt(int pos) const;

    // Calls f(const char* data, int length) for the pieces of [from, to).
    template <class F>
    void forEachSpan(int from, int to, F&& f) const;

    // Takes over the text's memory: no copy.
    void reset(std::string&& text);
    void insert(int pos, std::string_view text);
    // Removes [pos, pos + count) and returns the removed bytes. The view
    // points into the storage when the bytes lay in one piece, else into
    // `scratch`; storage lives until reset() or contiguous() replaces it.
    std::string_view erase(int pos, int count, std::string& scratch);

    // The whole text in one NUL-terminated block; copies the pieces into a
    // new block unless the text is a single block already.
    const char* contiguous();
    // Whether contiguous() needs no copy.
    bool isContiguous() const;

    // While held, storage that reset() or contiguous() replaces is kept
    // alive, so views handed out before stay valid; releasing frees it.
    void holdStorage(bool hold);

    std::size_t memoryUsage() const;

private:
    struct AddBlock {
        std::unique_ptr<char[]> bytes;
        std::size_t size;
    };

    const char* store(std::string_view text);
    void replaceStorage(std::unique_ptr<std::string> base);

    TextBlocks<Piece, PieceTraits> pieces_;
    std::unique_ptr<std::string> base_;
    std::vector<AddBlock> added_;
    char* addCursor_ = nullptr;
    std::size_t addLeft_ = 0;
    bool held_ = false;
    std::vector<std::unique_ptr<std::string>> retiredBases_;
    std::vector<AddBlock> retiredAdded_;
};

template <class F>
void TextBuffer::forEachSpan(int from, int to, F&& f) const {
    if (from >= to) return;
    auto found = pieces_.find(0, from);
    int skip = from - found.before[0];
    int rest = to - from;
    pieces_.visit(found.index, [&](int, const Piece& piece) {
        int n = std::min(piece.length - skip, rest);
        f(piece.data + skip, n);
        rest -= n;
        skip = 0;
        return rest > 0;
    });
}

}  // namespace tagloom
