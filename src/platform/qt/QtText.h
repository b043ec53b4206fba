#pragma once
// Conversions between the editor's byte strings and Qt's strings.
#include <QString>
#include <string>
#include <string_view>

namespace tagloom {

// Valid UTF-8 decodes as UTF-8; any other byte as its Windows-1252 character,
// so every byte string shows as something readable.
QString toQString(std::string_view bytes);
// Where in `bytes` the character at `index` of toQString(bytes) begins.
std::size_t byteOffsetOf(std::string_view bytes, qsizetype index);
// UTF-8 bytes.
std::string fromQString(const QString& text);

}  // namespace tagloom
