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

// How many bytes at data, from the first on and at most `size`, are
// printable ASCII (0x20 to 0x7E). It reads nothing past data + size.
inline std::size_t printablePrefix(const char* data, std::size_t size) {
    std::size_t i = 0;
#ifdef __SSE2__
    // Bytes of 0x80 and above are negative as signed bytes: below 0x20.
    const auto others = [](__m128i bytes) {
        const __m128i outside = _mm_or_si128(_mm_cmplt_epi8(bytes, _mm_set1_epi8(0x20)),
                                             _mm_cmpgt_epi8(bytes, _mm_set1_epi8(0x7E)));
        return static_cast<unsigned>(_mm_movemask_epi8(outside));
    };
    for (; i + 16 <= size; i += 16)
        if (const unsigned found = others(load16(data + i))) return i + static_cast<std::size_t>(std::countr_zero(found));
    if (i == size) return i;
    // The last few bytes, copied: the zeros after them end the run.
    char tail[16] = {};
    std::memcpy(tail, data + i, size - i);
    return i + static_cast<std::size_t>(std::countr_zero(others(load16(tail))));
#else
    for (; i + 8 <= size; i += 8)
        if (const std::uint64_t found = unprintable(load(data + i)))
            return i + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    while (i < size && static_cast<unsigned char>(data[i]) - 0x20u < 0x5Fu) ++i;
    return i;
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

// How often a and b occur in [data, data + size), counted in one pass.
struct TwoCounts {
    std::size_t a = 0;
    std::size_t b = 0;
};
inline TwoCounts countBytes(const char* data, std::size_t size, char a, char b) {
    TwoCounts counts;
    std::size_t i = 0;
    for (; i + kRun <= size; i += kRun) {
        unsigned runA = 0, runB = 0;
        for (std::size_t j = 0; j < kRun; ++j) {
            runA += data[i + j] == a;
            runB += data[i + j] == b;
        }
        counts.a += runA;
        counts.b += runB;
    }
    for (; i < size; ++i) {
        counts.a += data[i] == a;
        counts.b += data[i] == b;
    }
    return counts;
}

// Calls f(i) for every i where data[i] is c, in order: faster than a memchr
// for each where they stand a few dozen bytes apart, as line ends do.
template <class F>
void forEachOf(const char* data, std::size_t size, char c, F&& f) {
    std::size_t i = 0;
#ifdef __SSE2__
    for (; i + 16 <= size; i += 16)
        for (unsigned hits = marked16(load16(data + i), c); hits != 0; hits &= hits - 1)
            f(i + static_cast<std::size_t>(std::countr_zero(hits)));
#endif
    for (; i + 8 <= size; i += 8)
        for (std::uint64_t hits = bytesEqual(load(data + i), c); hits != 0; hits &= hits - 1)
            f(i + static_cast<std::size_t>(std::countr_zero(hits)) / 8);
    for (; i < size; ++i)
        if (data[i] == c) f(i);
}

// Where the first byte of 0x80 or above lies in [data, data + size), or size.
inline std::size_t firstHighByte(const char* data, std::size_t size) {
    std::size_t i = 0;
    // A text in a script of its own holds a high byte every few bytes: the
    // next eight are looked at before a whole stretch is.
    if (size >= 8 && (load(data) & kHighBits)) {
        while (static_cast<unsigned char>(data[i]) < 0x80) ++i;
        return i;
    }
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
