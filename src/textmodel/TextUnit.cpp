#include "textmodel/TextUnit.h"

namespace tagloom {

namespace {

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at bytes, or 0 when there is none:
// no overlong forms, no surrogates, nothing above U+10FFFF.
int utf8Length(const unsigned char* bytes, int available, char32_t& codePoint) {
    unsigned char lead = bytes[0];
    int length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (available < length) return 0;
    if (bytes[1] < low || bytes[1] > high) return 0;
    codePoint = (codePoint << 6) | (bytes[1] & 0x3F);
    for (int i = 2; i < length; ++i) {
        if (!isContinuation(bytes[i])) return 0;
        codePoint = (codePoint << 6) | (bytes[i] & 0x3F);
    }
    return length;
}

}  // namespace

char32_t windows1252ToUnicode(unsigned char byte) {
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    if (byte >= 0x80 && byte < 0xA0) return high[byte - 0x80];
    return byte;
}

TextUnit decodeNonAscii(const unsigned char* bytes, int available) {
    char32_t codePoint = 0;
    int length = utf8Length(bytes, available, codePoint);
    if (length > 0) return TextUnit{length, codePoint, UnitKind::Text};
    return TextUnit{1, windows1252ToUnicode(bytes[0]), UnitKind::Cp1252};
}

UnitClass classify(const TextUnit& unit) {
    char32_t c = unit.codePoint;
    if (unit.kind == UnitKind::Tab || c == ' ') return UnitClass::Blank;
    if (unit.kind == UnitKind::Symbol) return UnitClass::Other;
    bool asciiWord = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (asciiWord) return UnitClass::Word;
    // Letters of other scripts count as word characters; the multiplication
    // and division signs and general punctuation do not.
    bool punctuation = c < 0xC0 || c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x206F);
    return punctuation ? UnitClass::Other : UnitClass::Word;
}

}  // namespace tagloom
