#pragma once
// The character tools on bytes of the text: case changes, the code typed
// into Insert a HEX Char, the hexadecimal dump of a selection and the check
// for characters outside printable ASCII.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Prompter.h"
#include "textmodel/TextEncoding.h"

namespace tagloom {

enum class CaseChange { Upper, Lower, Invert };

// Invert swaps the case of ASCII letters only. Upper and Lower change ASCII
// letters and, in UTF-8, whole characters by Unicode's simple case mapping
// (a byte of no valid sequence is kept); in Windows-1252 a letter changes
// when the code page holds its other case. No multi-byte character is split.
std::string changeCase(std::string_view text, CaseChange change, TextEncoding encoding);

// A byte's code as two capital hexadecimal digits ("%02X").
std::string hexDigits(unsigned char byte);

// One or two hexadecimal digits, with white space before and after allowed.
std::optional<unsigned char> readHexEntry(std::string_view value);
// The character of a code from 0 to 255 as the document stores it: the byte
// in Windows-1252; in UTF-8 the character U+0000 to U+00FF, so a code of 0x80
// or above never leaves a byte that is no UTF-8.
std::string characterOfCode(unsigned char code, TextEncoding encoding);
// The code Insert a HEX Char offers for a selected character, when it has
// one from 0 to 255 (the selection is one whole character).
std::optional<unsigned char> codeOfCharacter(std::string_view character, TextEncoding encoding);

struct HexDump {
    std::string title;
    std::string body;
};
// The dump of text[start, end), offsets counted in the whole text.
HexDump hexDump(std::string_view selected, int start, int end);

struct AsciiReport {
    Message message;
    // Every byte outside printable ASCII, TAB and line breaks, for the
    // clipboard; empty when there is none.
    std::string clipboardText;
};
AsciiReport asciiCompatibility(std::string_view text);

}  // namespace tagloom
