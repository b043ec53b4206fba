#pragma once
// How the bytes of a line are shown: one displayed character ("unit") per
// valid UTF-8 sequence; a byte that does not belong to one shows as its
// Windows-1252 character; a control byte (a stray CR, a NUL, ...) shows as a
// visible symbol, the Unicode control picture of the byte. The caret stops
// only between units.
#include <cstdint>

namespace tagloom {

enum class UnitKind : std::uint8_t {
    Text,     // a character to draw: ASCII or a valid UTF-8 sequence
    Tab,      // a tab, expanded to the next tab stop
    Symbol,   // a control byte drawn as a marked symbol (codePoint: its control picture)
    Cp1252,   // a byte outside any valid UTF-8 sequence, drawn as Windows-1252
};

struct TextUnit {
    int length = 1;            // bytes
    char32_t codePoint = 0;    // what to draw
    UnitKind kind = UnitKind::Text;
};

// The byte's character in Windows-1252; the five undefined bytes keep their
// own value.
char32_t windows1252ToUnicode(unsigned char byte);

// Decodes a unit whose first byte is 0x80 or above.
TextUnit decodeNonAscii(const unsigned char* bytes, int available);

// Decodes the unit at the start of bytes[0..available), available >= 1.
inline TextUnit decodeUnit(const unsigned char* bytes, int available) {
    unsigned char b = bytes[0];
    if (b >= 0x80) return decodeNonAscii(bytes, available);
    if (b >= 0x20 && b != 0x7F) return TextUnit{1, b, UnitKind::Text};
    if (b == '\t') return TextUnit{1, b, UnitKind::Tab};
    return TextUnit{1, b == 0x7F ? char32_t{0x2421} : char32_t{0x2400} + b, UnitKind::Symbol};
}

// Classes for word-wise caret movement.
enum class UnitClass : std::uint8_t { Blank, Word, Other };
UnitClass classify(const TextUnit& unit);

}  // namespace tagloom
