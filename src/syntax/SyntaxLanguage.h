#pragma once
// The language a text is coloured in from its first line, chosen by the
// file's name.
#include <string_view>

namespace tagloom {

enum class SyntaxLanguage : unsigned char {
    None,        // not coloured
    Html,        // HTML with its style sheets, scripts and PHP blocks
    Css,         // a style sheet
    JavaScript,  // a script (or JSON)
};

// .html .htm .xhtml .php .phtml .shtml start in HTML, .css in CSS, .js .mjs
// .cjs .json in JavaScript (extensions in any case); any other name is
// coloured as HTML when the caller's HTML-document test accepts the text,
// else not at all. fileName may be a path; a leading dot starts no extension.
SyntaxLanguage syntaxLanguageFor(std::string_view fileName, bool isHtmlDocument);

}  // namespace tagloom
