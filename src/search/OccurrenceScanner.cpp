#include "search/OccurrenceScanner.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

bool isSmallLetter(unsigned char c) { return c >= 'a' && c <= 'z'; }

void appendOffset(std::string& offsets, std::uint64_t offset) {
    char digits[24];
    char* end = std::to_chars(digits, digits + 20, offset).ptr;
    *end++ = ' ';
    offsets.append(digits, end);
}

}  // namespace

// The buffer's searchable bytes: data[0] is the file's byte at `base`.
struct OccurrenceScanner::Block {
    const unsigned char* data;
    std::size_t length;
    std::uint64_t base;
    bool atEnd;  // the searchable text ends at data[length]
};

OccurrenceScanner::OccurrenceScanner(std::string_view findText, bool matchCase, bool wholeWord,
                                     std::size_t blockSize)
    : what_(findText),
      matchCase_(matchCase),
      wholeWord_(wholeWord),
      // A block, plus the bytes carried over: an occurrence's start that
      // could not be decided yet, and the byte before it for the word test.
      capacity_(std::max<std::size_t>(blockSize, 1) + what_.size() + 1),
      buffer_(std::make_unique<unsigned char[]>(capacity_)) {
    if (!matchCase_)
        for (char& c : what_) c = toLowerAscii(c);
}

bool OccurrenceScanner::matchesAt(const unsigned char* at) const {
    if (matchCase_) return std::memcmp(at, what_.data(), what_.size()) == 0;
    for (std::size_t i = 0; i < what_.size(); ++i)
        if (toLowerAscii(static_cast<char>(at[i])) != what_[i]) return false;
    return true;
}

bool OccurrenceScanner::countsAt(const Block& block, std::size_t at) const {
    if (!wholeWord_) return true;
    if (block.base + at > 0 && isWordChar(static_cast<char>(block.data[at - 1]))) return false;
    const std::size_t after = at + what_.size();
    return (block.atEnd && after == block.length) || !isWordChar(static_cast<char>(block.data[after]));
}

// Tries every start from `from` to `last`. Sixteen starts at a time are
// sifted by the first and the last byte of the find text (a small letter
// compared with the byte's 0x20 bit set, which gives its capital too); the
// few that pass, and the starts left over at the end, are compared in full.
void OccurrenceScanner::scanBlock(const Block& block, std::size_t from, std::size_t last,
                                  std::string& offsets) const {
    const unsigned char* data = block.data;
    std::size_t at = from;
#ifdef __SSE2__
    const auto first = static_cast<unsigned char>(what_.front());
    const auto final = static_cast<unsigned char>(what_.back());
    const __m128i firstWanted = _mm_set1_epi8(static_cast<char>(first));
    const __m128i finalWanted = _mm_set1_epi8(static_cast<char>(final));
    const __m128i firstFold = _mm_set1_epi8(!matchCase_ && isSmallLetter(first) ? 0x20 : 0);
    const __m128i finalFold = _mm_set1_epi8(!matchCase_ && isSmallLetter(final) ? 0x20 : 0);
    const std::size_t finalAt = what_.size() - 1;
    for (; at + 16 <= last + 1; at += 16) {
        const __m128i firsts = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at)), firstFold);
        const __m128i finals =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + finalAt)), finalFold);
        auto candidates = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(firsts, firstWanted), _mm_cmpeq_epi8(finals, finalWanted))));
        while (candidates != 0) {
            const std::size_t start = at + static_cast<std::size_t>(__builtin_ctz(candidates));
            candidates &= candidates - 1;
            if (matchesAt(data + start) && countsAt(block, start)) appendOffset(offsets, block.base + start);
        }
    }
#endif
    for (; at <= last; ++at)
        if (matchesAt(data + at) && countsAt(block, at)) appendOffset(offsets, block.base + at);
}

OccurrenceScanner::Outcome OccurrenceScanner::scan(int fd, std::uint64_t size, std::string& offsets,
                                                   const std::function<bool()>& cancelled) {
    unsigned char* const buffer = buffer_.get();
    const std::size_t length = what_.size();
    std::size_t filled = 0;  // bytes in the buffer
    std::size_t next = 0;    // the first start not yet tried, in the buffer
    std::uint64_t base = 0;  // the file offset of buffer[0]
    std::uint64_t unread = size;
    for (;;) {
        if (cancelled && cancelled()) return {Status::Cancelled, 0};
        bool atEnd = unread == 0;
        if (!atEnd) {
            const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(capacity_ - filled, unread));
            ssize_t got = 0;
            do {
                got = ::read(fd, buffer + filled, wanted);
            } while (got < 0 && errno == EINTR);
            if (got < 0) return {Status::Failed, errno};
            const auto arrived = static_cast<std::size_t>(got);
            unread -= arrived;
            atEnd = arrived == 0 || unread == 0;  // a file that shrank ends where it ends
            if (const void* nul = std::memchr(buffer + filled, 0, arrived)) {
                filled = static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - buffer);
                atEnd = true;
            } else {
                filled += arrived;
            }
        }
        // A start is decided once the bytes of the occurrence, and for the
        // word test the byte after it, are in the buffer.
        const std::size_t needed = length + (wholeWord_ && !atEnd ? 1 : 0);
        if (filled >= needed && next <= filled - needed) {
            scanBlock(Block{buffer, filled, base, atEnd}, next, filled - needed, offsets);
            next = filled - needed + 1;
        }
        if (atEnd) return {Status::Done, 0};
        const std::size_t done = next > 0 ? next - 1 : 0;  // the byte before the next start stays
        std::memmove(buffer, buffer + done, filled - done);
        filled -= done;
        next -= done;
        base += done;
    }
}

}  // namespace tagloom
