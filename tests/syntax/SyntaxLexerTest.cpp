#include "syntax/SyntaxLexer.h"

#include "StyledText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tagloom {
namespace {

using namespace std::string_literals;

struct Case {
    const char* name;
    std::string text;
    std::string expected;
};

void expectStyled(const std::vector<Case>& cases, SyntaxLanguage language) {
    for (const Case& c : cases) EXPECT_EQ(styled(c.text, language), c.expected) << c.name;
}

TEST(SyntaxLexer, colorsTheMarkUpOfAnHtmlPage) {
    expectStyled(
        {
            {"tags with quoted and unquoted values",
             "<p class=\"intro\" id=main data-x='1'>Hi</p>",
             "«tag:<p» «attr:class»=«value:\"intro\"» «attr:id»=«value:main» «attr:data-x»=«value:'1'»«tag:>»Hi«tag:</"
             "p>»"},
            {"entities by name and number; a bare & is text",
             "Tom &amp; Jerry &#169; &#x1F600; & &nope &#; &#xZ;",
             "Tom «entity:&amp;» Jerry «entity:&#169;» «entity:&#x1F600;» & &nope &#; &#xZ;"},
            {"an entity in a value", "<a href=\"?a=1&amp;b=2\">",
             "«tag:<a» «attr:href»=«value:\"?a=1»«entity:&amp;»«value:b=2\"»«tag:>»"},
            {"a comment over lines", "<!-- one\r\ntwo -->after", "«comment:<!-- one\r\ntwo -->»after"},
            {"the first --> at least four bytes after the < closes a comment", "<!---->x<!-->y-->",
             "«comment:<!---->»x«comment:<!-->y-->»"},
            {"doctype", "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">\r\n",
             "«doctype:<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">»\r\n"},
            {"self-closing tags", "<br/><img src=a.png />",
             "«tag:<br/><img» «attr:src»=«value:a.png» «tag:/>»"},
            {"a < that starts no tag is text", "a < b > c <3", "a < b > c <3"},
            {"a < inside a tag starts the next tag", "<a href=x <b>bold</b>",
             "«tag:<a» «attr:href»=«value:x» «tag:<b>»bold«tag:</b>»"},
            {"a quote that follows no = opens no value", "<a x \"y\">", "«tag:<a» «attr:x» «attr:\"y\"»«tag:>»"},
            {"a value over two lines", "<a title=\"one\ntwo\">", "«tag:<a» «attr:title»=«value:\"one\ntwo\"»«tag:>»"},
            {"an = and a value on lines of their own", "<a title\n=\n'x'>",
             "«tag:<a» «attr:title»\n=\n«value:'x'»«tag:>»"},
            {"textarea content has entities but no tags", "<textarea><b>&lt;</b></textarea><b>",
             "«tag:<textarea>»<b>«entity:&lt;»</b>«tag:</textarea><b>»"},
        },
        SyntaxLanguage::Html);
}

TEST(SyntaxLexer, colorsAPhpTemplate) {
    const std::string page =
        "<?php\r\n"
        "// the list\r\n"
        "$items = ['a' => 1, \"b\" => 2.5];\r\n"
        "?>\r\n"
        "<ul class=\"<?= $cls ?>\">\r\n"
        "<?php foreach ($items as $key => $value): ?>\r\n"
        "  <li title='<?php echo htmlspecialchars($key); ?>'><?= $value ?></li>\r\n"
        "<?php endforeach; ?>\r\n"
        "</ul>\r\n";
    const std::string expected =
        "«php:<?php»\r\n"
        "«comment:// the list\r\n»"
        "«variable:$items» = [«string:'a'» => «number:1», «string:\"b\"» => «number:2.5»];\r\n"
        "«php:?>»\r\n"
        "«tag:<ul» «attr:class»=«value:\"»«php:<?=» «variable:$cls» «php:?>»«value:\"»«tag:>»\r\n"
        "«php:<?php» «keyword:foreach» («variable:$items» «keyword:as» «variable:$key» => «variable:$value»): "
        "«php:?>»\r\n"
        "  «tag:<li» «attr:title»=«value:'»«php:<?php» «keyword:echo» htmlspecialchars(«variable:$key»); "
        "«php:?>»«value:'»«tag:>»«php:<?=» «variable:$value» «php:?>»«tag:</li>»\r\n"
        "«php:<?php» «keyword:endforeach»; «php:?>»\r\n"
        "«tag:</ul>»\r\n";
    EXPECT_EQ(styled(page, SyntaxLanguage::Html), expected);
}

TEST(SyntaxLexer, colorsPhpStringsCommentsHeredocsAndNowdocs) {
    expectStyled(
        {
            {"variables in double quotes and heredocs, none in single quotes",
             "<?php $a = \"x $b y\" . 'no $c'; ?>",
             "«php:<?php» «variable:$a» = «string:\"x »«variable:$b»«string: y\"» . «string:'no $c'»; «php:?>»"},
            {"a ?> inside a string does not end the block", "<?php echo '?>'; ?>x",
             "«php:<?php» «keyword:echo» «string:'?>'»; «php:?>»x"},
            {"a line comment ends at the block's end", "<?php # note ?> <b>",
             "«php:<?php» «comment:# note »«php:?>» «tag:<b>»"},
            {"a block comment holds ?>", "<?php /* ?> */ ?>", "«php:<?php» «comment:/* ?> */» «php:?>»"},
            {"keywords in any case, short tags", "<? IF (TRUE) ECHO 1; ?>",
             "«php:<?» «keyword:IF» («keyword:TRUE») «keyword:ECHO» «number:1»; «php:?>»"},
            {"a heredoc ends at its indented label",
             "<?php\n$h = <<<HTML\n  <p>Hi {$name}</p> EOT\n  HTML;\n?>",
             "«php:<?php»\n«variable:$h» = «string:<<<HTML\n  <p>Hi {»«variable:$name»«string:}</p> EOT\n  HTML»;\n"
             "«php:?>»"},
            {"a nowdoc holds no variables", "<?php\n$r = <<<'RAW'\n$x ?>\nRAW;\n?>",
             "«php:<?php»\n«variable:$r» = «string:<<<'RAW'\n$x ?>\nRAW»;\n«php:?>»"},
            {"a label that only begins like the closing one", "<?php\n$h = <<<EOT\nEOTX\nEOT;\n?>",
             "«php:<?php»\n«variable:$h» = «string:<<<EOT\nEOTX\nEOT»;\n«php:?>»"},
            {"an unclosed block runs to the end", "<?php $x = 1;\n<b>", "«php:<?php» «variable:$x» = «number:1»;\n<b>"},
        },
        SyntaxLanguage::Html);
}

TEST(SyntaxLexer, colorsInlineScriptsWithComparisonsCommentsAndRegularExpressions) {
    const std::string page =
        "<script>\n"
        "  if (a < b) { // compare </b>\n"
        "    n = items.length / 2; m = /<\\/?p>/g.exec(s);\n"
        "  }\n"
        "  var html = '<div>' + \"<\\/div>\"; this.default = null;\n"
        "</script>\n";
    const std::string expected =
        "«tag:<script>»\n"
        "  «keyword:if» (a < b) { «comment:// compare </b>\n»"
        "    n = items.length / «number:2»; m = «regex:/<\\/?p>/g».exec(s);\n"
        "  }\n"
        "  «keyword:var» html = «string:'<div>'» + «string:\"<\\/div>\"»; «keyword:this».default = «keyword:null»;\n"
        "«tag:</script>»\n";
    EXPECT_EQ(styled(page, SyntaxLanguage::Html), expected);

    expectStyled(
        {
            {"a script ends at the first </script, inside a string too, as the mark-up reader ends it",
             "<script>document.write(\"</script>\")</script>",
             "«tag:<script>»document.write(«string:\"»«tag:</script>»\")«tag:</script>»"},
            {"the closing tag's name in any case, followed by a blank", "<script>x</SCRIPT >y",
             "«tag:<script>»x«tag:</SCRIPT» «tag:>»y"},
            {"</scripts does not end it", "<script>s = \"</scripts>\"</script>",
             "«tag:<script>»s = «string:\"</scripts>\"»«tag:</script>»"},
            {"a JavaScript type, or module",
             "<script type=\"text/javascript\">1</script><script type=module>2</script>",
             "«tag:<script» «attr:type»=«value:\"text/javascript\"»«tag:>»«number:1»«tag:</script><script» "
             "«attr:type»=«value:module»«tag:>»«number:2»«tag:</script>»"},
            {"another type is plain text", "<script type=\"text/x-template\"><b>{{ x }}</b></script>",
             "«tag:<script» «attr:type»=«value:\"text/x-template\"»«tag:>»<b>{{ x }}</b>«tag:</script>»"},
            {"a script tag ending in /> has no content", "<script src=a.js />1",
             "«tag:<script» «attr:src»=«value:a.js» «tag:/>»1"},
            {"PHP inside a script", "<script>var n = <?= $n ?>;</script>",
             "«tag:<script>»«keyword:var» n = «php:<?=» «variable:$n» «php:?>»;«tag:</script>»"},
            {"a block comment over lines", "<script>/* a\n</b> */ x</script>",
             "«tag:<script>»«comment:/* a\n</b> */» x«tag:</script>»"},
        },
        SyntaxLanguage::Html);
}

TEST(SyntaxLexer, colorsStyleSheetsInStyleElementsAndAttributes) {
    expectStyled(
        {
            {"style content",
             "<style>p { color: red }</style>",
             "«tag:<style>»p { «property:color»: red }«tag:</style>»"},
            {"a style attribute holds declarations; its quote ends them",
             "<p style=\"color: red; width: 10px; font-family: 'A B'\">",
             "«tag:<p» «attr:style»=«value:\"»«property:color»: red; «property:width»: «number:10px»; "
             "«property:font-family»: «string:'A B'»«value:\"»«tag:>»"},
            {"the attribute's quote ends an unclosed string in it", "<p style='content: \"x'>y",
             "«tag:<p» «attr:style»=«value:'»«property:content»: «string:\"x»«value:'»«tag:>»y"},
        },
        SyntaxLanguage::Html);
}

TEST(SyntaxLexer, colorsAStyleSheetWithMediaQueries) {
    const std::string sheet =
        "@media screen and (max-width: 600px) {\n"
        "  nav a:hover, .menu > li { color: #c00 !important; padding: 0 -1.5em; }\n"
        "}\n"
        "/* the body\n   and its font */\n"
        "body { font: 14px/1.4 \"Helvetica Neue\", sans-serif; background: url(img/bg.png); }\n"
        "@keyframes spin { 50% { opacity: .5 } }\n";
    const std::string expected =
        "«keyword:@media» screen and (max-width: «number:600px») {\n"
        "  nav a:hover, .menu > li { «property:color»: «number:#c00» «keyword:!important»; «property:padding»: "
        "«number:0» «number:-1.5em»; }\n"
        "}\n"
        "«comment:/* the body\n   and its font */»\n"
        "body { «property:font»: «number:14px»/«number:1.4» «string:\"Helvetica Neue\"», sans-serif; "
        "«property:background»: url(«string:img/bg.png»); }\n"
        "«keyword:@keyframes» spin { «number:50%» { «property:opacity»: «number:.5» } }\n";
    EXPECT_EQ(styled(sheet, SyntaxLanguage::Css), expected);
}

TEST(SyntaxLexer, readsBytesOfAnyValueAsOrdinaryText) {
    // Windows-1252 text: \xFF is "\xC3\xBF" there, and \xE9 is e acute.
    EXPECT_EQ(styled("p { content: \"caf\xE9 \xFF\"; } /* \xFF */ a { background: url(\xFF.png) }\n",
                     SyntaxLanguage::Css),
              "p { «property:content»: «string:\"caf\xE9 \xFF\"»; } «comment:/* \xFF */» a { «property:background»: "
              "url(«string:\xFF.png») }\n");
    EXPECT_EQ(styled("<p style=\"font-family: '\xFF'\" title=\"\xFF\">\xFF &amp;\xFF</p>", SyntaxLanguage::Html),
              "«tag:<p» «attr:style»=«value:\"»«property:font-family»: «string:'\xFF'»«value:\"» "
              "«attr:title»=«value:\"\xFF\"»"
              "«tag:>»\xFF «entity:&amp;»\xFF«tag:</p>»");
    // A NUL is an ordinary byte too.
    EXPECT_EQ(styled("a = '\xFF'; // \xFF\n\xFF" "b\0c = 1;"s, SyntaxLanguage::JavaScript),
              "a = «string:'\xFF'»; «comment:// \xFF\n»\xFF" "b\0c = «number:1»;"s);
}

TEST(SyntaxLexer, colorsJavaScriptAndJsonFiles) {
    expectStyled(
        {
            {"regular expressions where a value may start, division elsewhere",
             "const re = /a+/g, half = total / 2, r = x ? /b/ : /[/]/;",
             "«keyword:const» re = «regex:/a+/g», half = total / «number:2», r = x ? «regex:/b/» : «regex:/[/]/»;"},
            {"a division across a line break", "x = y\n/2/g;", "x = y\n/«number:2»/g;"},
            {"a template literal with code in it",
             "s = `sum: ${a + `in ${b}`} ok`;",
             "s = «string:`sum: ${»a + «string:`in ${»b«string:}`} ok`»;"},
            {"a template literal over lines", "t = `a\n${ {x: 1}.x }\nb`;",
             "t = «string:`a\n${» {x: «number:1»}.x «string:}\nb`»;"},
            {"numbers", "0x1F 1.5e3 10n 1_000 .5",
             "«number:0x1F» «number:1.5e3» «number:10n» «number:1_000» «number:.5»"},
            {"keywords and values", "return typeof undefined === 'x' || this",
             "«keyword:return» «keyword:typeof» «keyword:undefined» === «string:'x'» || «keyword:this»"},
            {"an unclosed string ends with its line; a backslash continues it", "a = 'x\nb = \"y\\\nz\";",
             "a = «string:'x\n»b = «string:\"y\\\nz\"»;"},
            {"JSON", "{\"a\": [1, -2.5, true, null]}",
             "{«string:\"a\"»: [«number:1», -«number:2.5», «keyword:true», «keyword:null»]}"},
        },
        SyntaxLanguage::JavaScript);
}

TEST(SyntaxLexer, colorsAMinifiedPage) {
    const std::string page =
        "<!DOCTYPE html><html><head><style>a{color:red}p>b{margin:0 auto}</style><script>var a=1<2,c=/[/]x/"
        ".source</script></head><body><p class=x>a&nbsp;b</p><img src=\"a.png\" alt=\"\"></body></html>";
    const std::string expected =
        "«doctype:<!DOCTYPE html>»«tag:<html><head><style>»a{«property:color»:red}p>b{«property:margin»:«number:0» "
        "auto}«tag:</style><script>»«keyword:var» a=«number:1»<«number:2»,c=«regex:/[/]x/».source«tag:</"
        "script></head><body><p» «attr:class»=«value:x»«tag:>»a«entity:&nbsp;»b«tag:</p><img» "
        "«attr:src»=«value:\"a.png\"» «attr:alt»=«value:\"\"»«tag:></body></html>»";
    EXPECT_EQ(styled(page, SyntaxLanguage::Html), expected);
}

TEST(SyntaxLexer, colorsTemplateMarkersAsServerCodeOutsideScripts) {
    expectStyled(
        {
            {"in text", "<p>{{ user.name }}</p>{% if a %}{# note #}{% endif %}<% out %>",
             "«tag:<p>»«php:{{ user.name }}»«tag:</p>»«php:{% if a %}{# note #}{% endif %}<% out %>»"},
            {"in an attribute value", "<a href=\"{{ url }}/x\">",
             "«tag:<a» «attr:href»=«value:\"»«php:{{ url }}»«value:/x\"»«tag:>»"},
            {"over lines", "{#\n<b>\n#}<b>", "«php:{#\n<b>\n#}»«tag:<b>»"},
            {"not in scripts", "<script>var o = {{a: 1}};</script>",
             "«tag:<script>»«keyword:var» o = {{a: «number:1»}};«tag:</script>»"},
            {"a single brace is text", "a { b } c", "a { b } c"},
        },
        SyntaxLanguage::Html);
}

TEST(SyntaxLexer, leavesATextOfNoLanguagePlain) {
    EXPECT_EQ(styled("<b>\"x\" 12 // y\n", SyntaxLanguage::None), "<b>\"x\" 12 // y\n");
}

}  // namespace
}  // namespace tagloom
