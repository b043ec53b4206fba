#pragma once
// The two reference texts of the View menu, in UTF-8 with CR LF line breaks.
#include <string>

namespace tagloom {

// Five paragraphs of filler text, an empty line between them.
const std::string& loremIpsumText();
// A table of the character codes 32 to 126 and 160 to 255: decimal, hexadecimal,
// the character, its numeric reference, its entity name and what it is.
const std::string& asciiCodesText();

}  // namespace tagloom
