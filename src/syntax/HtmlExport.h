#pragma once
// A text written as an HTML page that shows it as the editor colours it:
// the text in a <pre>, each run of a style class in a <span> of that class
// ("tag", "attr", "string", ...), with a style sheet of the light colours
// and, for a reader whose desktop is dark, the dark ones. The text's bytes
// are copied as they are, in the page's charset; only & < > " are written
// as references, line breaks as LF, and control bytes as their pictures.
#include <functional>
#include <string>
#include <string_view>

#include "syntax/SyntaxLanguage.h"

namespace tagloom {

struct HtmlExportOptions {
    std::string title;              // the page's title: the file's name
    std::string charset = "utf-8";  // the encoding the text's bytes are in
    int tabWidth = 8;               // columns between tab stops
};

// Hands the page to write a piece at a time, in order; false as soon as
// write returns false.
bool writeColouredPage(std::string_view text, SyntaxLanguage language, const HtmlExportOptions& options,
                       const std::function<bool(std::string_view)>& write);

}  // namespace tagloom
