#pragma once
// tagloom-cli pdf: a text printed as the editor's Print prints it on the PDF
// writer, with the user's printing settings and page setup.
#include <string>

#include "syntax/SyntaxLanguage.h"

namespace tagloom::cli {

struct PdfRequest {
    std::string text;   // in the editor's form: every line break CR LF
    std::string title;  // the name in the header
    bool lineNumbers = false;
    bool header = true;
    bool footer = true;
    bool landscape = false;
    // The language the text is coloured in when the settings print in colour.
    SyntaxLanguage language = SyntaxLanguage::None;
    std::string output;
};

struct PdfOutcome {
    enum class Kind { Written, NoRoom, Failed };
    Kind kind = Kind::Written;
    std::string error;  // for Failed: the reason, for the user
};

PdfOutcome printPdf(PdfRequest request);

}  // namespace tagloom::cli
