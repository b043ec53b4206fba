#include "textmodel/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "textmodel/ByteScan.h"
#include "textmodel/TextUnit.h"

namespace tagloom {

namespace {

const unsigned char* bytesOf(std::string_view text) { return reinterpret_cast<const unsigned char*>(text.data()); }

// Where the first byte of 0x80 or above lies, from `from` on.
std::size_t nextNonAscii(std::string_view text, std::size_t from) {
    return from + bytescan::firstHighByte(text.data() + from, text.size() - from);
}

TextUnit unitAt(std::string_view text, std::size_t i) {
    return decodeNonAscii(bytesOf(text) + i, static_cast<int>(std::min<std::size_t>(text.size() - i, 4)));
}

}  // namespace

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<char> windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int byte = 0x80; byte < 0xA0; ++byte)
        if (windows1252ToUnicode(static_cast<unsigned char>(byte)) == c) return static_cast<char>(byte);
    return std::nullopt;
}

// A two-byte sequence, the most common in a page (accented letters), is
// told valid in place; the others are decoded.
TextEncoding encodingOf(std::string_view bytes) {
    const unsigned char* data = bytesOf(bytes);
    for (std::size_t i = nextNonAscii(bytes, 0); i < bytes.size(); i = nextNonAscii(bytes, i)) {
        if (data[i] >= 0xC2 && data[i] <= 0xDF && i + 1 < bytes.size() && (data[i + 1] & 0xC0) == 0x80) {
            i += 2;
            continue;
        }
        const TextUnit unit = unitAt(bytes, i);
        if (unit.kind == UnitKind::Cp1252) return TextEncoding::Windows1252;
        i += static_cast<std::size_t>(unit.length);
    }
    return TextEncoding::Utf8;
}

std::optional<std::string> fromUtf8(std::string_view utf8, TextEncoding encoding) {
    if (encodingOf(utf8) != TextEncoding::Utf8) return std::nullopt;
    if (encoding == TextEncoding::Utf8) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t ascii = nextNonAscii(utf8, i);
        out.append(utf8, i, ascii - i);
        if (ascii == utf8.size()) break;
        const TextUnit unit = unitAt(utf8, ascii);
        const std::optional<char> byte = windows1252Byte(unit.codePoint);
        if (!byte) return std::nullopt;
        out += *byte;
        i = ascii + static_cast<std::size_t>(unit.length);
    }
    return out;
}

std::string toUtf8(std::string_view bytes, TextEncoding encoding) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t ascii = nextNonAscii(bytes, i);
        out.append(bytes, i, ascii - i);
        if (ascii == bytes.size()) break;
        if (encoding == TextEncoding::Windows1252) {
            appendUtf8(out, windows1252ToUnicode(static_cast<unsigned char>(bytes[ascii])));
            i = ascii + 1;
            continue;
        }
        const TextUnit unit = unitAt(bytes, ascii);
        if (unit.kind == UnitKind::Cp1252)
            appendUtf8(out, unit.codePoint);
        else
            out.append(bytes, ascii, static_cast<std::size_t>(unit.length));
        i = ascii + static_cast<std::size_t>(unit.length);
    }
    return out;
}

}  // namespace tagloom
