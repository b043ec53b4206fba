// The exported page: what it shows is the text, byte for byte, and each
// stretch is in the class the lexer gave it.
#include <gtest/gtest.h>

#include <string>

#include "RealPages.h"
#include "support/CliFixture.h"
#include "syntax/HtmlExport.h"

namespace tagloom {
namespace {

std::string exported(std::string_view text, SyntaxLanguage language, HtmlExportOptions options = {}) {
    std::string page;
    EXPECT_TRUE(writeColouredPage(text, language, options, [&page](std::string_view bytes) {
        page += bytes;
        return true;
    }));
    return page;
}

// What a browser shows of the <pre>: its content without the tags, the
// references read back, and the line break after "<pre>" dropped.
std::string shownText(const std::string& page) {
    const std::size_t start = page.find("<pre>\n") + 6;
    const std::string body = page.substr(start, page.rfind("</pre>") - start);
    std::string shown;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '<') {
            i = body.find('>', i);
            continue;
        }
        if (body[i] != '&') {
            shown += body[i];
            continue;
        }
        const std::size_t end = body.find(';', i);
        const std::string name = body.substr(i + 1, end - i - 1);
        if (name == "amp") shown += '&';
        else if (name == "lt") shown += '<';
        else if (name == "gt") shown += '>';
        else if (name == "quot") shown += '"';
        else shown += "{" + name + "}";
        i = end;
    }
    return shown;
}

std::string withoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

TEST(HtmlExport, spansEachStretchInTheClassOfItsStyle) {
    struct Case {
        SyntaxLanguage language;
        std::string text;
        std::string body;
    };
    const Case cases[] = {
        {SyntaxLanguage::Html, "<b class=\"x\">a &amp; b</b>\r\n",
         "<span class=\"tag\">&lt;b</span> <span class=\"attr\">class</span>=<span class=\"value\">&quot;x&quot;"
         "</span><span class=\"tag\">&gt;</span>a <span class=\"entity\">&amp;amp;</span> b<span class=\"tag\">"
         "&lt;/b&gt;</span>\n"},
        {SyntaxLanguage::Css, "a { color: red }", "a { <span class=\"property\">color</span>: red }"},
        {SyntaxLanguage::JavaScript, "if (a) // c\r\n", "<span class=\"keyword\">if</span> (a) "
                                                         "<span class=\"comment\">// c</span>\n"},
        {SyntaxLanguage::None, "<b>x</b>\r\n\r\n", "&lt;b&gt;x&lt;/b&gt;\n\n"},
    };
    for (const Case& c : cases) {
        const std::string page = exported(c.text, c.language);
        const std::size_t start = page.find("<pre>\n") + 6;
        EXPECT_EQ(page.substr(start, page.rfind("</pre>") - start), c.body) << c.text;
    }
}

TEST(HtmlExport, showsEveryRealPageAsItIsWithOneLineBreakForEach) {
    for (const RealPage& page : realPages()) {
        const std::string text = page.text + "\r\n<!-- a bookmark -->\r\r\n";
        EXPECT_EQ(shownText(exported(text, SyntaxLanguage::Html)), withoutCarriageReturns(text)) << page.name;
    }
}

TEST(HtmlExport, writesControlBytesAsTheirPicturesAndTheHeadEscaped) {
    HtmlExportOptions options;
    options.title = "a<b>&\"c\".html";
    options.charset = "windows-1252";
    options.tabWidth = 3;
    const std::string page = exported(std::string("a\0b\x1b\x7f\tc\xe9", 8), SyntaxLanguage::None, options);
    EXPECT_EQ(shownText(page), "a{#x2400}b{#x241B}{#x2421}\tc\xe9");
    EXPECT_NE(page.find("<title>a&lt;b&gt;&amp;&quot;c&quot;.html</title>"), std::string::npos);
    EXPECT_NE(page.find("<meta charset=\"windows-1252\">"), std::string::npos);
    EXPECT_NE(page.find("tab-size: 3"), std::string::npos);
    EXPECT_NE(page.find(".php { color: #"), std::string::npos);
    EXPECT_NE(page.find("@media (prefers-color-scheme: dark)"), std::string::npos);
}

TEST(HtmlExport, stopsAtTheFirstFailedWrite) {
    const std::string text(1 << 20, 'x');
    int calls = 0;
    EXPECT_FALSE(writeColouredPage(text, SyntaxLanguage::Html, {}, [&calls](std::string_view) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);
}

using test::Cli;
using test::CliRun;

TEST_F(Cli, highlightWritesThePageInTheLanguageOfTheFilesName) {
    const std::string sheet = "a { color: red }\n";
    const CliRun css = run({"highlight", file("site.css", sheet).string()});
    ASSERT_EQ(css.status, 0) << css.err;
    EXPECT_NE(css.out.find("<span class=\"property\">color</span>"), std::string::npos) << css.out;
    EXPECT_NE(css.out.find("<title>site.css</title>"), std::string::npos);

    const CliRun text = run({"highlight", file("notes.txt", sheet).string()});
    EXPECT_EQ(text.out.find("<span"), std::string::npos);
    const CliRun piped = run({"highlight"}, "<html><b>x</b></html>\n");
    EXPECT_NE(piped.out.find("<span class=\"tag\">"), std::string::npos);

    const auto out = file("old.html", "old");
    const CliRun written = run({"highlight", "-o", out.string(), file("site.css", sheet).string()});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(test::readBytes(out), css.out);
}

TEST_F(Cli, highlightRefusesWhatItCannotDo) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string error;
    };
    const std::string page = file("a.html", "<p>").string();
    const Case cases[] = {
        {{"highlight", "-i", page}, 2, "highlight takes only -o OUT.html and a FILE"},
        {{"highlight", page, page}, 2, "highlight writes one FILE"},
        {{"highlight", "missing.html"}, 2, "missing.html: "},
    };
    for (const Case& c : cases) {
        const CliRun refused = run(c.args);
        EXPECT_EQ(refused.status, c.status) << c.args.back();
        EXPECT_NE(refused.err.find(c.error), std::string::npos) << refused.err;
        EXPECT_EQ(refused.out, "");
    }
}

}  // namespace
}  // namespace tagloom
