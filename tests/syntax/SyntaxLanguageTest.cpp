#include "syntax/SyntaxLanguage.h"

#include <gtest/gtest.h>

namespace tagloom {
namespace {

TEST(SyntaxLanguageFor, choosesTheLanguageByTheFileNamesExtensionAndElseByTheHtmlTest) {
    struct Case {
        const char* name;
        bool isHtmlDocument;
        SyntaxLanguage expected;
    };
    const Case cases[] = {
        {"index.html", false, SyntaxLanguage::Html},
        {"/site/a.htm", false, SyntaxLanguage::Html},
        {"page.XHTML", false, SyntaxLanguage::Html},
        {"shop.php", false, SyntaxLanguage::Html},
        {"view.phtml", false, SyntaxLanguage::Html},
        {"inc.shtml", false, SyntaxLanguage::Html},
        {"site.css", true, SyntaxLanguage::Css},
        {"app.js", true, SyntaxLanguage::JavaScript},
        {"lib.mjs", false, SyntaxLanguage::JavaScript},
        {"lib.cjs", false, SyntaxLanguage::JavaScript},
        {"data.JSON", false, SyntaxLanguage::JavaScript},
        {"notes.txt", false, SyntaxLanguage::None},
        {"notes.txt", true, SyntaxLanguage::Html},
        {"README", true, SyntaxLanguage::Html},
        {"", false, SyntaxLanguage::None},
        {".css", false, SyntaxLanguage::None},
        {"dir.css/notes", false, SyntaxLanguage::None},
        {"archive.html.bak", false, SyntaxLanguage::None},
    };
    for (const Case& c : cases) EXPECT_EQ(syntaxLanguageFor(c.name, c.isHtmlDocument), c.expected) << c.name;
}

}  // namespace
}  // namespace tagloom
