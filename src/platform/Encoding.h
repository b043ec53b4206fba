#pragma once
// How the editor reads its bytes as characters: valid UTF-8 sequences are one
// character each; every other byte is a character of Windows-1252. The bytes
// themselves never change because of it.
#include <cstddef>

namespace tagloom {

// Length (2 to 4) of the valid, shortest-form UTF-8 sequence of a non-ASCII
// character starting at `p`, with `available` bytes readable; 0 when the bytes
// there are not one. ASCII bytes give 1.
int utf8SequenceLength(const unsigned char* p, std::size_t available);

// The code point of a valid sequence of `length` bytes.
char32_t decodeUtf8(const unsigned char* p, int length);

}  // namespace tagloom
