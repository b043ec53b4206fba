#include "html/CharacterTools.h"

#include <QChar>


#include "textmodel/AsciiText.h"
#include "textmodel/TextUnit.h"

namespace tagloom {

namespace {

char32_t mapped(char32_t c, CaseChange change) {
    return change == CaseChange::Upper ? QChar::toUpper(c) : QChar::toLower(c);
}

void changeAsciiCase(std::string& out, char c, CaseChange change) {
    switch (change) {
    case CaseChange::Upper: out += toUpperAscii(c); break;
    case CaseChange::Lower: out += toLowerAscii(c); break;
    case CaseChange::Invert:
        out += c >= 'a' && c <= 'z' ? toUpperAscii(c) : toLowerAscii(c);
        break;
    }
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int hexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }
}  // namespace

std::string hexDigits(unsigned char byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 15]};
}

std::string changeCase(std::string_view text, CaseChange change, TextEncoding encoding) {
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char b = bytes[i];
        if (b < 0x80 || change == CaseChange::Invert) {
            changeAsciiCase(out, static_cast<char>(b), change);
            ++i;
            continue;
        }
        if (encoding == TextEncoding::Windows1252) {
            const std::optional<char> other = windows1252Byte(mapped(windows1252ToUnicode(b), change));
            out += other ? *other : static_cast<char>(b);
            ++i;
            continue;
        }
        const TextUnit unit = decodeNonAscii(bytes + i, static_cast<int>(std::min<std::size_t>(text.size() - i, 4)));
        if (unit.kind == UnitKind::Cp1252)
            out.append(text.substr(i, static_cast<std::size_t>(unit.length)));
        else
            appendUtf8(out, mapped(unit.codePoint, change));
        i += static_cast<std::size_t>(unit.length);
    }
    return out;
}

std::optional<unsigned char> readHexEntry(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && isTypedBlank(value[i])) ++i;
    int code = 0, digits = 0;
    for (; i < value.size() && isHexDigit(value[i]) && digits < 3; ++i, ++digits) code = code * 16 + hexValue(value[i]);
    if (digits == 0 || digits > 2) return std::nullopt;
    for (; i < value.size(); ++i)
        if (!isTypedBlank(value[i])) return std::nullopt;
    return static_cast<unsigned char>(code);
}

std::string characterOfCode(unsigned char code, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1252) return std::string(1, static_cast<char>(code));
    std::string character;
    appendUtf8(character, code);
    return character;
}

std::optional<unsigned char> codeOfCharacter(std::string_view character, TextEncoding encoding) {
    if (character.size() == 1 && (encoding == TextEncoding::Windows1252 || static_cast<unsigned char>(character[0]) < 0x80))
        return static_cast<unsigned char>(character[0]);
    if (encoding == TextEncoding::Windows1252 || character.empty()) return std::nullopt;
    const auto* bytes = reinterpret_cast<const unsigned char*>(character.data());
    const TextUnit unit = decodeNonAscii(bytes, static_cast<int>(std::min<std::size_t>(character.size(), 4)));
    if (static_cast<std::size_t>(unit.length) != character.size()) return std::nullopt;
    if (unit.kind == UnitKind::Cp1252) return bytes[0];  // a byte that is no UTF-8: its own code
    if (unit.codePoint > 0xFF) return std::nullopt;
    return static_cast<unsigned char>(unit.codePoint);
}

HexDump hexDump(std::string_view selected, int start, int end) {
    constexpr int kRow = 10;
    HexDump dump;
    dump.title = "Hex of selected characters " + std::to_string(start) + " to " + std::to_string(end - 1) + " (0-based)";
    const int width = static_cast<int>(std::to_string(end).size());
    const auto count = static_cast<int>(selected.size());
    dump.body.reserve((static_cast<std::size_t>(width) + 53) * selected.size() / kRow + 10);
    for (int row = 0; row < count; row += kRow) {
        const std::string offset = std::to_string(start + row);
        dump.body += ' ' + std::string(static_cast<std::size_t>(width) - std::min<std::size_t>(offset.size(), width), ' ') +
                     offset + "    ";
        std::string shown;
        const int inRow = std::min(kRow, count - row);
        for (int k = 0; k < inRow; ++k) {
            const auto byte = static_cast<unsigned char>(selected[static_cast<std::size_t>(row + k)]);
            dump.body += hexDigits(byte) + ' ';
            shown += byte >= 0x20 && byte <= 0x7E ? static_cast<char>(byte) : '.';
        }
        for (int k = inRow; k < kRow; ++k) dump.body += "   ";
        dump.body += "   " + shown + "\r\n";
    }
    return dump;
}

AsciiReport asciiCompatibility(std::string_view text) {
    constexpr int kShown = 25;
    const std::string header = "Index\tOffset\tChar\tHex\r\n\r\n";
    std::string shown, all;
    int found = 0;
    for (std::size_t offset = 0; offset < text.size(); ++offset) {
        const auto byte = static_cast<unsigned char>(text[offset]);
        if ((byte >= 0x20 && byte <= 0x7E) || byte == '\t' || byte == '\n' || byte == '\r') continue;
        const std::string line = std::to_string(++found) + '\t' + std::to_string(offset) + '\t' +
                                 std::to_string(byte) + '\t' + hexDigits(byte) + "\r\n";
        if (found <= kShown) shown += line;
        all += line;
    }
    AsciiReport report;
    if (found == 0) {
        report.message = {std::to_string(text.size()) + " characters were checked.\r\n\r\nThis file is ASCII compatible.",
                          "Tagloom ASCII Compatible", Buttons::Ok, Icon::None, 0};
        return report;
    }
    std::string message = header + shown;
    if (found > kShown - 1)
        message += "\r\nThe first " + std::to_string(kShown) + " are shown here.\r\nAll " + std::to_string(found) +
                   " are on the clipboard.";
    report.message = {message, "Tagloom Non ASCII Characters", Buttons::Ok, Icon::Warning, 0};
    report.clipboardText = header + all;
    return report;
}

}  // namespace tagloom
