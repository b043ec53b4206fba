// Template markers ({{ }}, {% %}, {# #} and <% %>) in every reader of the
// mark-up: copied byte for byte like PHP, never read for '<' or '>'.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HtmlTestText.h"
#include "LayoutCases.h"
#include "html/HtmlFormatter.h"
#include "html/MarkupReader.h"
#include "html/TagNavigator.h"

namespace tagloom {
namespace {

using test::crlf;
using test::expectLayouts;

// Each marker stands as a tag of its own, as a PHP block does, and holds
// its bytes: a '<' or '>' in it, a line break, runs of blanks.
TEST(TemplateMarkers, htmlFormatLaysThemOutAsServerCodeAndKeepsTheirBytes) {
    expectLayouts({
        {"Twig: a comparison in a tag", "<html>{% if a > 0 %}<p>x</p>{% endif %}</html>",
         crlf("<html>\n\t{% if a > 0 %}\n\t<p>x\n\t</p>\n\t{% endif %}\n</html>\n")},
        {"Blade: an arrow in an expression", "<html><p>{{ $user->name }}</p></html>",
         crlf("<html>\n\t<p>\n\t\t{{ $user->name }}\n\t</p>\n</html>\n")},
        {"EJS: code with '<' and '>'", "<html><% if (a > b) { %><b>c</b><% } %></html>",
         crlf("<html>\n\t<% if (a > b) { %>\n\t<b>c\n\t</b>\n\t<% } %>\n</html>\n")},
        {"a comment marker keeps its line breaks and blanks", crlf("<html>{#  a <b>\n  c #}</html>"),
         crlf("<html>\n\t{#  a <b>\n  c #}\n</html>\n")},
        {"in a quoted value and between attributes", "<html><a href=\"{{ url('a>b') }}\" {% if x %}class=on{% endif %}>y</a></html>",
         crlf("<html>\n\t<a href=\"{{ url('a>b') }}\" {% if x %}class=on{% endif %}>y\n\t</a>\n</html>\n")},
        {"a brace that opens no marker is text", "<html><p>{ a } {x}</p></html>",
         crlf("<html>\n\t<p>{ a } {x}\n\t</p>\n</html>\n")},
        {"a marker left open runs to the end", "<html><p>{{ name", crlf("<html>\n<p>\n{{ name")},
    });
}

TEST(TemplateMarkers, theCensusAndTheDelimiterCheckLookNotInsideThem) {
    const HtmlFormatResult result =
        HtmlFormatter().format("<html>{% for i in xs if i < 3 %}<li>{{ i }}</li>{% endfor %}<% x = '<b' %></html>");
    ASSERT_EQ(result.outcome, HtmlFormatResult::Outcome::Formatted);
    const std::vector<std::string> names = [&] {
        std::vector<std::string> out;
        for (const TagCount& tag : result.census.tags) out.push_back(tag.name);
        return out;
    }();
    // Markers in braces are no tags; "<%" is counted as "<?php" is.
    EXPECT_EQ(names, (std::vector<std::string>{"html", "li", "%"}));
}

TEST(TemplateMarkers, tagNavigationStepsOverThemAndSelectMatchingTagsCountsNoTagInThem) {
    const std::string page = "<div>{% if a < b %}<p>{{ '</div>' }}</p>{% endif %}</div>";
    const auto of = [&page](const std::string& what) {
        const int start = static_cast<int>(page.rfind(what));
        return Selection{start, start + static_cast<int>(what.size())};
    };
    TagNavigator navigator;
    std::vector<Selection> stepped;
    Selection sel{0, 0};
    for (TagSearchResult next = navigator.findNextTag(page, sel); next.kind == TagSearchResult::Kind::Found;
         next = navigator.findNextTag(page, sel))
        stepped.push_back(sel = next.selection);
    EXPECT_EQ(stepped, (std::vector<Selection>{of("<div>"), of("{% if a < b %}"), of("<p>"), of("{{ '</div>' }}"),
                                               of("</p>"), of("{% endif %}"), of("</div>")}));
    EXPECT_EQ(navigator.selectMatchingTags(page, {1, 1}).selection, (Selection{0, static_cast<int>(page.size())}));
}

}  // namespace
}  // namespace tagloom
