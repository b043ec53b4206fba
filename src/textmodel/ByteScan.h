#pragma once
// Whole-text scans at memory speed, where a loop over single bytes would
// take several times as long over a text of a gigabyte: counts run over
// stretches of a fixed length, which the compiler turns into vector code;
// the other scans look at sixteen bytes at a time where the processor has
// 16-byte vectors (every x86-64 one), else at eight in one 64-bit word.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tagloom::bytescan {

// The byte at the lowest address is the word's lowest byte.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;

inline std::uint64_t load(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// 0x80 in each byte of the word that is zero, 0 in every other byte.
constexpr std::uint64_t zeroBytes(std::uint64_t word) { return ~(((word & kLowBits) + kLowBits) | word | kLowBits); }

// 0x80 in each byte of the word that equals c.
constexpr std::uint64_t bytesEqual(std::uint64_t word, char c) {
    return zeroBytes(word ^ (kOnes * static_cast<unsigned char>(c)));
}

// 0x80 in each byte of the word that is not printable ASCII (0x20 to 0x7E).
constexpr std::uint64_t unprintable(std::uint64_t word) {
    return (word & kHighBits) | zeroBytes(word & (kOnes * 0xE0)) | bytesEqual(word, 0x7F);
}

#ifdef __SSE2__
inline __m128i load16(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
// Bit i set where byte i of the sixteen equals c.
inline unsigned marked16(__m128i bytes, char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}
#endif

// Whether the `size` bytes at data are all printable ASCII; it reads whole
// vectors, up to fifteen bytes past the end, which must be readable.
inline bool allPrintable(const char* data, int size) {
#ifdef __SSE2__
    // Bytes of 0x80 and above are negative as signed bytes: below 0x20.
    unsigned others = 0;
    for (int i = 0; i < size; i += 16) {
        const __m128i bytes = load16(data + i);
        const __m128i outside = _mm_or_si128(_mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20)),
                                             _mm_cmpgt_epi8(bytes, _mm_set1_epi8(0x7E)));
        const int kept = size - i < 16 ? size - i : 16;
        others |= static_cast<unsigned>(_mm_movemask_epi8(outside)) & (0xFFFFu >> (16 - kept));
    }
    return others == 0;
#else
    std::uint64_t others = 0;
    for (int i = 0; i < size; i += 8) {
        const int kept = size - i < 8 ? size - i : 8;
        others |= unprintable(load(data + i)) & (~std::uint64_t{0} >> (64 - 8 * kept));
    }
    return others == 0;
#endif
}

// The stretch of bytes the counts take at once.
constexpr std::size_t kRun = 256;

// How often c occurs in [data, data + size).
inline std::size_t countByte(const char* data, std::size_t size, char c) {
    std::size_t count = 0, i = 0;
    for (; i + kRun <= size; i += kRun) {
        unsigned run = 0;
        for (std::size_t j = 0; j < kRun; ++j) run += data[i + j] == c;
        count += run;
    }
    for (; i < size; ++i) count += data[i] == c;
    return count;
}

// Calls f(i) for every i where data[i] is a or b, in order: faster than a
// memchr for each where they stand a few dozen bytes apart, as line ends do.
template <class F>
void forEachOf(const char* data, std::size_t size, char a, char b, F&& f) {
    std::size_t i = 0;
#ifdef __SSE2__
    for (; i + 16 <= size; i += 16) {
        const __m128i bytes = load16(data + i);
        for (unsigned hits = marked16(bytes, a) | marked16(bytes, b); hits != 0; hits &= hits - 1)
            f(i + static_cast<std::size_t>(std::countr_zero(hits)));
    }
#endif
    for (; i + 8 <= size; i += 8) {
        const std::uint64_t word = load(data + i);
        for (std::uint64_t hits = bytesEqual(word, a) | bytesEqual(word, b); hits != 0; hits &= hits - 1)
            f(i + static_cast<std::size_t>(std::countr_zero(hits)) / 8);
    }
    for (; i < size; ++i)
        if (data[i] == a || data[i] == b) f(i);
}

// Where the first byte of 0x80 or above lies in [data, data + size), or size.
inline std::size_t firstHighByte(const char* data, std::size_t size) {
    std::size_t i = 0;
    for (; i + kRun <= size; i += kRun) {
        unsigned char bits = 0;
        for (std::size_t j = 0; j < kRun; ++j) bits |= static_cast<unsigned char>(data[i + j]);
        if (bits & 0x80) break;
    }
#ifdef __SSE2__
    for (; i + 16 <= size; i += 16) {
        // The high bits of the sixteen bytes.
        const unsigned high = static_cast<unsigned>(_mm_movemask_epi8(load16(data + i)));
        if (high != 0) return i + static_cast<std::size_t>(std::countr_zero(high));
    }
#endif
    for (; i + 8 <= size; i += 8)
        if (load(data + i) & kHighBits) break;
    while (i < size && static_cast<unsigned char>(data[i]) < 0x80) ++i;
    return i;
}

}  // namespace tagloom::bytescan
