#pragma once
// The two encodings a document can be in. A text that is valid UTF-8 (pure
// ASCII included) is in UTF-8; any other text is read as Windows-1252. The
// mode is decided when a text is set as a whole, and whatever is typed or
// pasted is stored in it, so a file never ends up in two encodings.
#include <optional>
#include <string>
#include <string_view>

namespace tagloom {

enum class TextEncoding { Utf8, Windows1252 };

TextEncoding encodingOf(std::string_view bytes);

// UTF-8 text in the given encoding; nothing when a character has no byte in
// Windows-1252, or when the text is not valid UTF-8.
std::optional<std::string> fromUtf8(std::string_view utf8, TextEncoding encoding);

// The bytes, read in the given encoding, as UTF-8. In UTF-8 a byte that
// belongs to no valid sequence is read as Windows-1252, as the display does.
std::string toUtf8(std::string_view bytes, TextEncoding encoding);

// The Windows-1252 byte of a character, if it has one.
std::optional<char> windows1252Byte(char32_t c);
// Appends a character in UTF-8.
void appendUtf8(std::string& out, char32_t c);

}  // namespace tagloom
