#include "platform/Encoding.h"

namespace tagloom {

int utf8SequenceLength(const unsigned char* p, std::size_t available) {
    if (available == 0) return 0;
    const unsigned char lead = p[0];
    if (lead < 0x80) return 1;
    const auto continuation = [&](std::size_t i) { return i < available && (p[i] & 0xC0) == 0x80; };
    if (lead >= 0xC2 && lead <= 0xDF) return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2)) return 0;
        if (lead == 0xE0 && p[1] < 0xA0) return 0;  // overlong
        if (lead == 0xED && p[1] > 0x9F) return 0;  // surrogates
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3)) return 0;
        if (lead == 0xF0 && p[1] < 0x90) return 0;  // overlong
        if (lead == 0xF4 && p[1] > 0x8F) return 0;  // beyond U+10FFFF
        return 4;
    }
    return 0;
}

char32_t decodeUtf8(const unsigned char* p, int length) {
    switch (length) {
    case 2: return (char32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    case 3: return (char32_t(p[0] & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    case 4:
        return (char32_t(p[0] & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) | (char32_t(p[2] & 0x3F) << 6) |
               (p[3] & 0x3F);
    default: return p[0];
    }
}

}  // namespace tagloom
