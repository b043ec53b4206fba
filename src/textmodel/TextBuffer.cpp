#include "textmodel/TextBuffer.h"

#include <cassert>
#include <algorithm>
#include <cstring>
#include <limits>

namespace tagloom {

namespace {
// Typed text goes into blocks of this size; a larger insertion gets a block
// of its own.
constexpr std::size_t kAddBlockSize = 64 * 1024;
}  // namespace

TextBuffer::TextBuffer() : base_(std::make_unique<std::string>()) {}

TextBuffer::SpanWalker::SpanWalker(const TextBuffer& text, int pos) : SpanWalker(text, text.pieces_.find(0, pos)) {}

TextBuffer::SpanWalker::SpanWalker(const TextBuffer& text, const TextBlocks<Piece, PieceTraits>::Found& found)
    : walker_(text.pieces_, found.index),
      span_{found.item->data, found.before[0], found.item->length} {}

bool TextBuffer::SpanWalker::next() {
    int start = span_.start + span_.length;
    walker_.advance();
    if (walker_.done()) return false;
    span_ = Span{walker_.item().data, start, walker_.item().length};
    return true;
}

char TextBuffer::at(int pos) const {
    Span span = spanAt(pos);
    return span.data[pos - span.start];
}

TextBuffer::Span TextBuffer::spanAt(int pos) const {
    assert(pos >= 0 && pos < length());
    auto found = pieces_.find(0, pos);
    return Span{found.item->data, found.before[0], found.item->length};
}

std::string TextBuffer::range(int from, int to) const {
    std::string out;
    if (from >= to) return out;
    out.reserve(static_cast<std::size_t>(to - from));
    forEachSpan(from, to, [&](const char* data, int n) { out.append(data, static_cast<std::size_t>(n)); });
    return out;
}

std::string_view TextBuffer::view(int from, int to, std::string& scratch) const {
    if (from >= to) return {};
    const Span span = spanAt(from);
    if (to <= span.start + span.length)
        return std::string_view(span.data + (from - span.start), static_cast<std::size_t>(to - from));
    // Into the scratch's own memory, which a caller keeps from call to call.
    scratch.clear();
    forEachSpan(from, to, [&](const char* data, int n) { scratch.append(data, static_cast<std::size_t>(n)); });
    return scratch;
}

void TextBuffer::reset(std::string&& text) {
    assert(text.size() <= static_cast<std::size_t>(std::numeric_limits<int>::max()));
    replaceStorage(std::make_unique<std::string>(std::move(text)));
}

void TextBuffer::replaceStorage(std::unique_ptr<std::string> base) {
    if (held_) {
        retiredBases_.push_back(std::move(base_));
        for (AddBlock& block : added_) retiredAdded_.push_back(std::move(block));
    }
    base_ = std::move(base);
    added_.clear();
    addCursor_ = nullptr;
    addLeft_ = 0;
    std::vector<Piece> pieces;
    if (!base_->empty()) pieces.push_back(Piece{base_->data(), static_cast<int>(base_->size())});
    pieces_.assign(pieces);
}

const char* TextBuffer::store(std::string_view text) {
    if (text.size() <= addLeft_) {
        char* bytes = addCursor_;
        std::memcpy(bytes, text.data(), text.size());
        addCursor_ += text.size();
        addLeft_ -= text.size();
        return bytes;
    }
    // A large insertion gets a block of its own and leaves the current block
    // to the next typed bytes.
    bool large = text.size() > kAddBlockSize / 4;
    std::size_t size = large ? text.size() : kAddBlockSize;
    added_.push_back(AddBlock{std::make_unique_for_overwrite<char[]>(size), size});
    char* bytes = added_.back().bytes.get();
    std::memcpy(bytes, text.data(), text.size());
    if (!large) {
        addCursor_ = bytes + text.size();
        addLeft_ = size - text.size();
    }
    return bytes;
}

void TextBuffer::insert(int pos, std::string_view text) {
    assert(pos >= 0 && pos <= length());
    if (text.empty()) return;
    const char* tail = addCursor_;
    const char* bytes = store(text);
    int n = static_cast<int>(text.size());
    if (pos == 0) {
        pieces_.insert(0, Piece{bytes, n});
        return;
    }
    // The piece that holds the byte before pos.
    auto found = pieces_.find(0, pos - 1);
    Piece piece = *found.item;
    int offset = pos - found.before[0];
    if (offset == piece.length) {
        if (piece.data + piece.length == bytes && bytes == tail) {
            // Typing on at the end of the last insertion extends its piece.
            pieces_.set(found.index, Piece{piece.data, piece.length + n});
        } else {
            pieces_.insert(found.index + 1, Piece{bytes, n});
        }
        return;
    }
    pieces_.set(found.index, Piece{piece.data, offset});
    const Piece after[] = {Piece{bytes, n}, Piece{piece.data + offset, piece.length - offset}};
    pieces_.insert(found.index + 1, after);
}

std::string_view TextBuffer::erase(int pos, int count, std::string& scratch) {
    assert(pos >= 0 && count >= 0 && pos + count <= length());
    if (count == 0) return {};
    auto found = pieces_.find(0, pos);
    Piece first = *found.item;
    int offset = pos - found.before[0];
    if (offset + count <= first.length) {
        std::string_view removed(first.data + offset, static_cast<std::size_t>(count));
        int tail = first.length - offset - count;
        if (offset == 0 && tail == 0) {
            pieces_.erase(found.index, 1);
        } else if (offset == 0) {
            pieces_.set(found.index, Piece{first.data + count, tail});
        } else {
            pieces_.set(found.index, Piece{first.data, offset});
            if (tail > 0) pieces_.insert(found.index + 1, Piece{first.data + offset + count, tail});
        }
        return removed;
    }
    scratch = range(pos, pos + count);
    int index = found.index;
    int rest = count;
    if (offset > 0) {
        pieces_.set(index, Piece{first.data, offset});
        rest -= first.length - offset;
        ++index;
    }
    int whole = 0;
    pieces_.visit(index, [&](int, const Piece& piece) {
        if (piece.length > rest) return false;
        rest -= piece.length;
        ++whole;
        return rest > 0;
    });
    pieces_.erase(index, whole);
    if (rest > 0) {
        Piece last = pieces_[index];
        pieces_.set(index, Piece{last.data + rest, last.length - rest});
    }
    return scratch;
}

bool TextBuffer::isContiguous() const {
    const int n = length();
    return n == 0 ||
           (pieces_.size() == 1 && pieces_[0].data == base_->data() && static_cast<std::size_t>(n) == base_->size());
}

const char* TextBuffer::contiguous() {
    const int n = length();
    if (n == 0) return "";
    if (isContiguous()) return base_->c_str();
    replaceStorage(std::make_unique<std::string>(range(0, n)));
    return base_->c_str();
}

void TextBuffer::holdStorage(bool hold) {
    held_ = hold;
    if (!hold) {
        retiredBases_.clear();
        retiredAdded_.clear();
    }
}

std::size_t TextBuffer::memoryUsage() const {
    std::size_t bytes = sizeof(*this) + base_->capacity() + pieces_.memoryUsage();
    for (const AddBlock& block : added_) bytes += block.size;
    return bytes;
}

}  // namespace tagloom
