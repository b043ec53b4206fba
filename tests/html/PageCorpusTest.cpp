// HTML Format over a corpus of generated pages of the kinds people keep by
// hand: PHP themes, template engines (Liquid, Jinja, Handlebars, ERB and
// EJS, Vue and Angular attributes), blog themes, documentation, e-mail and
// single-page shells. Now and then a page carries a construct the
// formatter does not know (a '>' of a template engine in plain text, a '<'
// in prose), as on real sites; nearly all must format, and every page that
// does keeps its bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "HtmlTestText.h"
#include "html/HtmlFormatter.h"
#include "textmodel/AsciiText.h"

namespace tagloom {
namespace {

class PageMaker {
public:
    explicit PageMaker(unsigned seed) : random_(seed) {}

    // One page of a family, with "\n" line ends.
    std::string page(int family) {
        indent_ = pickOf({"  ", "    ", "\t", ""});
        rare_ = below(40) == 0;
        switch (family % 12) {
        case 0:
            return wordpress();
        case 1:
            return liquid();
        case 2:
            return jinja();
        case 3:
            return handlebars();
        case 4:
            return erb();
        case 5:
            return appTemplate();
        case 6:
            return blog();
        case 7:
            return docs();
        case 8:
            return apiDocs();
        case 9:
            return handMade();
        case 10:
            return email();
        default:
            return singlePageShell();
        }
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::string pickOf(const std::vector<std::string>& choices) {
        return choices[static_cast<std::size_t>(below(static_cast<int>(choices.size())))];
    }

    std::string words(int count) {
        static const std::vector<std::string> kWords = {"oak",  "river", "lamp",   "quiet", "north", "paper", "stone",
                                                        "late", "green", "market", "bread", "sail",  "glass", "field"};
        std::string text;
        for (int i = 0; i < count; ++i) text += (i ? " " : "") + pickOf(kWords);
        return text;
    }

    // The template with each $W replaced by a few words, $N by a number,
    // and its two-space indentation by the page's own.
    std::string fill(std::string_view pattern) {
        std::string text;
        bool lineStart = true;
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            if (lineStart && pattern.substr(i, 2) == "  ") {
                text += indent_;
                ++i;
                continue;
            }
            lineStart = pattern[i] == '\n';
            if (pattern[i] == '$' && i + 1 < pattern.size() && (pattern[i + 1] == 'W' || pattern[i + 1] == 'N')) {
                text += pattern[i + 1] == 'W' ? words(1 + below(4)) : std::to_string(below(1000));
                ++i;
            } else {
                text += pattern[i];
            }
        }
        return text;
    }

    std::string repeat(std::string_view pattern, int most) {
        std::string text;
        for (int n = 1 + below(most); n > 0; --n) text += fill(pattern);
        return text;
    }

    std::string head(std::string_view title, std::string_view extra) {
        return fill("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n  <meta charset=\"utf-8\">\n  <title>") +
               fill(title) + "</title>\n" + fill(extra) + "</head>\n";
    }

    std::string wordpress() {
        return fill(
                   "<?php\n/* Template Name: $W */\nget_header();\n$args = array( 'post_type' => 'post', "
                   "'posts_per_page' "
                   "=> $N );\n$query = new WP_Query( $args );\n?>\n") +
               head("<?php wp_title( '|', true, 'right' ); ?>",
                    "  <style>\n    .entry > p:first-child { margin-top: 0; }\n  </style>\n  <?php wp_head(); ?>\n") +
               fill("<body <?php body_class( $N > 1 ? 'paged' : '' ); ?>>\n  <main id=\"main\">\n") +
               repeat(
                   "  <?php if ( $query->have_posts() ) : while ( $query->have_posts() ) : $query->the_post(); ?>\n"
                   "    <article id=\"post-<?php the_ID(); ?>\" <?php post_class(); ?>>\n"
                   "      <h2><a href=\"<?php the_permalink(); ?>\" title=\"<?php echo esc_attr( get_the_title() ); "
                   "?>\"><?php the_title(); ?></a></h2>\n"
                   "      <div class=\"entry\"><?php the_excerpt(); ?></div>\n"
                   "      <p class=\"meta\">$W <?php echo get_the_date( 'Y-m-d' ); ?></p>\n"
                   "    </article>\n  <?php endwhile; endif; wp_reset_postdata(); ?>\n",
                   3) +
               fill(
                   "  </main>\n  <?php get_sidebar(); ?>\n  <script>\n    jQuery(function ($) { $('.entry > "
                   "a').attr('rel', "
                   "'nofollow'); });\n  </script>\n<?php get_footer(); ?>\n</body>\n</html>\n");
    }

    std::string liquid() {
        const std::string sale =
            rare_ ? "{% if product.compare_at_price > product.price %}" : "{% if product.on_sale %}";
        return fill("{% layout 'theme' %}\n") +
               head("{{ page_title | escape }}",
                    "  {{ 'theme.css' | asset_url | stylesheet_tag }}\n  <script>\n    "
                    "window.shop = {{ shop | json }};\n  </script>\n") +
               fill("<body class=\"template-{{ template.name | handle }}\">\n  <div class=\"grid\">\n") +
               repeat(
                   "  {% for product in collection.products limit: $N %}\n    <div class=\"product\" data-id=\"{{ "
                   "product.id }}\">\n      <a href=\"{{ product.url | within: collection }}\">{{ product.title }}</a>"
                   "\n      " +
                       sale + "<span class=\"sale\">$W</span>{% endif %}\n    </div>\n  {% endfor %}\n",
                   2) +
               fill("  </div>\n</body>\n</html>\n");
    }

    std::string jinja() {
        const std::string condition = rare_ ? "{% if items|length > 0 %}" : "{% if items %}";
        return fill("{% extends \"base.html\" %}\n{% load static %}\n") +
               head("{% block title %}$W{% endblock %}",
                    "  <link rel=\"stylesheet\" href=\"{% static 'site.css' %}\">\n  <style>\n    ul.items > li + li { "
                    "border-top: 1px solid #eee; }\n  </style>\n") +
               fill("<body>\n{% block content %}\n  <h1>{{ page.title|title }}</h1>\n  " + condition +
                    "\n  <ul class=\"items\">\n") +
               repeat(
                   "  {% for item in items %}\n    <li class=\"{{ loop.cycle('odd', 'even') }}\">\n      <a "
                   "href=\"{{ url_for('item', id=item.id) }}\">{{ item.name|e }}</a> &ndash; $W\n    </li>\n  {% "
                   "endfor %}\n",
                   2) +
               fill(
                   "  </ul>\n  {% endif %}\n  <script>\n    const items = {{ items|tojson }};\n    items.forEach(i => "
                   "console.log(i.name));\n  </script>\n{% endblock %}\n</body>\n</html>\n");
    }

    std::string handlebars() {
        const std::string partial = rare_ ? "  {{> site-header}}\n" : "  {{{header}}}\n";
        return head("{{title}}",
                    "  <script id=\"row-template\" type=\"text/x-handlebars-template\">\n    <tr><td>{{name}}"
                    "</td><td>{{#if done}}yes{{else}}no{{/if}}</td></tr>\n  </script>\n") +
               fill("<body>\n" + partial + "  <table class=\"list\">\n") +
               repeat(
                   "    {{#each rows}}\n    <tr class=\"{{#if @first}}first{{/if}}\">\n      <td>{{this.name}}</td>\n"
                   "      <td>{{formatDate this.when \"YYYY-MM-DD\"}}</td>\n    </tr>\n    {{/each}}\n",
                   2) +
               fill("  </table>\n  <p>$W</p>\n</body>\n</html>\n");
    }

    std::string erb() {
        const std::string condition = rare_ ? "<% if (items.length > 0) { %>" : "<% if (items.length) { %>";
        return head("<%= title %>",
                    "  <%- include('partials/meta') %>\n  <link rel=\"stylesheet\" href=\"/css/app.css\">\n") +
               fill("<body>\n  <h1><%= title %></h1>\n  " + condition + "\n  <ul>\n") +
               repeat(
                   "    <% items.forEach(function (item) { %>\n      <li class=\"<%= item.done ? 'done' : '' %>\"><%= "
                   "item.name %> - $W</li>\n    <% }); %>\n",
                   2) +
               fill("  </ul>\n  <% } %>\n  <%= link_to \"$W\", root_path, class: \"back\" %>\n</body>\n</html>\n");
    }

    std::string appTemplate() {
        return head("$W", "  <script src=\"https://unpkg.com/vue@3\"></script>\n") +
               fill(
                   "<body>\n  <div id=\"app\">\n    <p v-if=\"items.length > 0\">{{ items.length }} $W</p>\n    "
                   "<ul>\n") +
               repeat(
                   "      <li v-for=\"item in items\" :key=\"item.id\" :class=\"{ active: item.id === current }\" "
                   "@click=\"current = item.id\">{{ item.name }}</li>\n      <li *ngIf=\"count > $N\" "
                   "(click)=\"select($event)\">{{ count }}</li>\n",
                   3) +
               fill(
                   "    </ul>\n    <input v-model=\"query\" placeholder=\"Search > $W\">\n  </div>\n  <script>\n    "
                   "Vue.createApp({ data: () => ({ items: [], current: 0, query: '' }) }).mount('#app');\n  </script>\n"
                   "</body>\n</html>\n");
    }

    std::string blog() {
        return head("$W &middot; Blog",
                    "  <link rel=\"alternate\" type=\"application/rss+xml\" href=\"/feed.xml\">\n  <style>\n    "
                    "article pre { overflow-x: auto; }\n    a[href^=\"http\"]:after { content: \" \\2197\"; }\n  "
                    "</style>\n  <script async src=\"https://www.googletagmanager.com/gtag/js?id=G-$N\"></script>\n  "
                    "<script>\n    window.dataLayer = window.dataLayer || [];\n    function gtag(){dataLayer.push("
                    "arguments);}\n    gtag('js', new Date());\n  </script>\n") +
               fill(
                   "<body>\n  <header><nav><a href=\"/\">Home</a> | <a href=\"/about/\">About</a></nav></header>\n"
                   "  <article>\n    <h1>$W</h1>\n") +
               repeat(
                   "    <p>$W, $W. It's <em>$W</em> and \"$W\".</p>\n    <pre><code class=\"language-js\">"
                   "for (let i = 0; i < $N; i++) {\n    if (i > 2) break;\n}\n</code></pre>\n",
                   3) +
               fill("  </article>\n  <footer><p>&copy; $N $W</p></footer>\n</body>\n</html>\n");
    }

    std::string docs() {
        return head("$W &mdash; Documentation",
                    "  <script id=\"documentation_options\" data-url_root=\"./\" "
                    "src=\"_static/documentation_options.js\">"
                    "</script>\n  <script type=\"application/ld+json\">\n  {\"@type\": \"TechArticle\", \"name\": "
                    "\"$W\"}"
                    "\n  </script>\n") +
               fill(
                   "<body>\n  <div class=\"document\">\n    <div class=\"body\" role=\"main\">\n      <section "
                   "id=\"usage\">\n        <h1>Usage<a class=\"headerlink\" href=\"#usage\" title=\"Permalink to this "
                   "heading\">&para;</a></h1>\n") +
               repeat(
                   "        <p>Call <code class=\"docutils literal\"><span class=\"pre\">run()</span></code> when "
                   "$W.</p>\n        <div class=\"highlight\"><pre><span></span><span class=\"k\">if</span> "
                   "<span class=\"n\">a</span> <span class=\"o\">&lt;</span> $N:\n    <span class=\"nb\">print</span>"
                   "(<span class=\"s2\">\"&lt;ok&gt;\"</span>)\n</pre></div>\n",
                   3) +
               fill(
                   "      </section>\n    </div>\n  </div>\n  <script>\n    var s = document.createElement('script');"
                   "\n    s.src = 'searchindex.js'; document.body.appendChild(s);\n    document.write('<script "
                   "src=\"x.js\">"
                   "<\\/script>');\n  </script>\n</body>\n</html>\n");
    }

    std::string apiDocs() {
        return fill(
                   "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML>\n<HEAD>\n<TITLE>$W "
                   "(API)</TITLE>\n<SCRIPT type=\"text/javascript\"><!--\n    if "
                   "(location.href.indexOf('is-external=true')"
                   " == -1) {\n        parent.document.title=\"$W\";\n    }\n//-->\n</SCRIPT>\n</HEAD>\n<BODY "
                   "BGCOLOR=\"white\" onload=\"windowTitle();\">\n<TABLE BORDER=\"1\" WIDTH=\"100%\" "
                   "CELLPADDING=\"3\">\n") +
               repeat(
                   "<TR BGCOLOR=\"white\" CLASS=\"TableRowColor\">\n<TD ALIGN=\"right\" VALIGN=\"top\" WIDTH=\"1%\">"
                   "<FONT SIZE=\"-1\"><CODE>&nbsp;List&lt;String&gt;</CODE></FONT></TD>\n<TD><CODE><B><A "
                   "HREF=\"Foo.html#get(int)\">get</A></B>(int&nbsp;index)</CODE>\n<BR>\n&nbsp;$W.</TD>\n</TR>\n",
                   4) +
               fill(
                   "</TABLE>\n<PRE>\npublic interface <B>$W</B>\n  extends "
                   "Collection&lt;E&gt;\n</PRE>\n</BODY>\n</HTML>\n");
    }

    std::string handMade() {
        const std::string prose = rare_ ? "<p>Prices: small < large, as you see.\n" : "<p>Prices: small &lt; large.\n";
        return fill(
                   "<html>\n<head>\n<title>$W's home page</title>\n<meta name=keywords content=\"$W, $W\">\n<script "
                   "language=\"JavaScript\">\n<!--\nfunction swap(img, src) { if (document.images) { img.src = src; } }"
                   "\n// -->\n</script>\n</head>\n<body bgcolor=#ffffff link=#0000ff>\n<center><h1><font "
                   "face=Arial>Welcome!</font></h1></center>\n") +
               repeat(
                   "<p>$W $W\n<br>\n<a href=pages/$W.html onmouseover=\"swap(document.i$N, 'on.gif')\"><img "
                   "name=i$N src=off.gif border=0 alt=O'Brien></a>\n<table width=100% border=0><tr><td "
                   "valign=top>$W<td>$W</table>\n",
                   4) +
               fill(prose + "<hr>\n<address>Last changed $N</address>\n</body>\n</html>\n");
    }

    std::string email() {
        return head("$W",
                    "  <style type=\"text/css\">\n    @media only screen and (max-width: 600px) {\n      .col { "
                    "width: 100% !important; }\n    }\n    a > img { border: 0; }\n  </style>\n  <!--[if mso]>\n  "
                    "<style>table { border-collapse: collapse; }</style>\n  <![endif]-->\n") +
               fill(
                   "<body style=\"margin:0; padding:0;\">\n  <!--[if mso]><table role=\"presentation\" width=\"600\">"
                   "<tr><td><![endif]-->\n  <table role=\"presentation\" width=\"100%\" cellpadding=\"0\">\n") +
               repeat(
                   "    <tr>\n      <td class=\"col\" style=\"font-family: Arial, sans-serif; color: #333333;\">\n"
                   "        <h2 style=\"margin: 0 0 12px 0;\">$W</h2>\n        <p>$W &gt; $W.</p>\n      </td>\n"
                   "    </tr>\n",
                   3) +
               fill("  </table>\n  <!--[if mso]></td></tr></table><![endif]-->\n</body>\n</html>\n");
    }

    std::string singlePageShell() {
        return head("$W",
                    "  <link rel=\"manifest\" href=\"/manifest.json\">\n  <style>\n    #root:empty::before { "
                    "content: \"Loading\"; }\n  </style>\n") +
               fill(
                   "<body>\n  <noscript>You need JavaScript for $W.</noscript>\n  <div id=\"root\"></div>\n  "
                   "<script type=\"module\">\n    import { render } from './app.js';\n    const rows = [$N, $N]."
                   "map(n => `<li data-n=\"${n}\">${n > 1 ? 'many' : 'one'}</li>`).join('');\n    render(`<ul>${rows}"
                   "</ul>`, document.getElementById('root'));\n  </script>\n") +
               repeat("  <textarea id=\"n$N\" rows=\"3\">  $W\n    $W</textarea>\n", 2) + fill("</body>\n</html>\n");
    }

    std::mt19937 random_;
    std::string indent_;
    bool rare_ = false;
};

std::string withLfLineEnds(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == kCR && i + 1 < text.size() && text[i + 1] == kLF)) out += text[i];
    return out;
}

std::string foldedNonBlank(std::string_view text) {
    std::string kept;
    for (const char c : text)
        if (!isAsciiBlank(c)) kept += toLowerAscii(c);
    return kept;
}

// The bodies of the elements of one name, in order, LF line ends: from the
// '>' after "<name" to the next "</name", ASCII case ignored.
std::vector<std::string> elementBodies(std::string_view page, std::string_view name) {
    std::string lower;
    for (const char c : page) lower += toLowerAscii(c);
    const std::string open = "<" + std::string(name);
    const std::string close = "</" + std::string(name);
    std::vector<std::string> bodies;
    for (std::size_t at = lower.find(open); at != std::string::npos; at = lower.find(open, at + 1)) {
        if (!isAsciiBlank(lower[at + open.size()]) && lower[at + open.size()] != '>') continue;
        const std::size_t from = lower.find('>', at) + 1;
        const std::size_t to = std::min(lower.find(close, from), lower.size());
        bodies.push_back(withLfLineEnds(page.substr(from, to - from)));
        at = to;
    }
    return bodies;
}

// The "<?" to "?>" blocks of a page, in order.
std::vector<std::string> phpBlocks(std::string_view page) {
    std::vector<std::string> blocks;
    for (std::size_t at = page.find("<?"); at != std::string_view::npos; at = page.find("<?", at + 2)) {
        const std::size_t end = std::min(page.find("?>", at + 2), page.size());
        blocks.push_back(withLfLineEnds(page.substr(at, end - at)));
        at = end;
    }
    return blocks;
}

// A script or style body comes back unchanged up to its last non-blank byte,
// then a line break and the closing tag's TABs (or nothing more, inside a
// comment).
void expectCodeBodiesKept(const std::vector<std::string>& before, const std::vector<std::string>& after,
                          const std::string& page) {
    ASSERT_EQ(after.size(), before.size()) << page;
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::size_t core = before[i].find_last_not_of(" \t\n") + 1;
        EXPECT_EQ(after[i].substr(0, core), before[i].substr(0, core)) << page;
        const std::string rest = after[i].substr(std::min(core, after[i].size()));
        EXPECT_TRUE(rest.empty() || (rest.front() == '\n' && rest.find_first_not_of('\t', 1) == std::string::npos))
            << page << ": " << rest;
    }
}

TEST(PageCorpus, nearlyEveryPageFormatsAndKeepsItsBytesScriptsStylesPreAndPhp) {
    PageMaker maker(13);
    const HtmlFormatter formatter;
    constexpr int kPages = 240;
    int formatted = 0;
    std::string refused;
    for (int i = 0; i < kPages; ++i) {
        const std::string name = "page " + std::to_string(i);
        const std::string input = test::crlf(maker.page(i));
        const HtmlFormatResult result = formatter.format(input);
        if (result.outcome != HtmlFormatResult::Outcome::Formatted) {
            refused += " " + std::to_string(i);
            continue;
        }
        ++formatted;
        const std::string& output = result.text;
        EXPECT_EQ(foldedNonBlank(output), foldedNonBlank(input)) << name;
        for (const char* code : {"script", "style"})
            expectCodeBodiesKept(elementBodies(input, code), elementBodies(output, code), name);
        for (const char* shown : {"pre", "textarea"})
            EXPECT_EQ(elementBodies(output, shown), elementBodies(input, shown)) << name;
        EXPECT_EQ(phpBlocks(output), phpBlocks(input)) << name;
    }
    EXPECT_GE(formatted * 100, kPages * 98) << "refused:" << refused;
    RecordProperty("formatted", formatted);
}

}  // namespace
}  // namespace tagloom
