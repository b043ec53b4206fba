#include "syntax/SyntaxLanguage.h"

#include "textmodel/AsciiText.h"

#include <array>

namespace tagloom {

namespace {

struct Extension {
    std::string_view name;
    SyntaxLanguage language;
};

constexpr std::array kExtensions = {
    Extension{"html", SyntaxLanguage::Html},      Extension{"htm", SyntaxLanguage::Html},
    Extension{"xhtml", SyntaxLanguage::Html},     Extension{"php", SyntaxLanguage::Html},
    Extension{"phtml", SyntaxLanguage::Html},     Extension{"shtml", SyntaxLanguage::Html},
    Extension{"css", SyntaxLanguage::Css},        Extension{"js", SyntaxLanguage::JavaScript},
    Extension{"mjs", SyntaxLanguage::JavaScript}, Extension{"cjs", SyntaxLanguage::JavaScript},
    Extension{"json", SyntaxLanguage::JavaScript},
};

}  // namespace

SyntaxLanguage syntaxLanguageFor(std::string_view fileName, bool isHtmlDocument) {
    const std::size_t slash = fileName.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) {
        const std::string_view extension = name.substr(dot + 1);
        for (const Extension& known : kExtensions) {
            if (equalsIgnoringAsciiCase(extension, known.name)) return known.language;
        }
    }
    return isHtmlDocument ? SyntaxLanguage::Html : SyntaxLanguage::None;
}

}  // namespace tagloom
