// The HTML and CSS tools on generated pages and style sheets: HTML Format of a
// 10 MB and a 20 MB page (and of a page made mostly of void elements, where a
// search of the rest of the text per tag would be quadratic), Select Matching
// Tags across a whole page, and the whitespace and CSS rewrites in bytes per
// second.
//
//   bench_html_tools [benchmark flags]
//   bench_html_tools --write-page=FILE --bytes=N   writes the generated page (LF line ends)
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "html/HtmlFormatter.h"
#include "html/TagNavigator.h"
#include "html/TextTools.h"

namespace {

constexpr std::size_t kMB = std::size_t{1} << 20;

// A small, fixed pseudo-random sequence, the same on every machine.
class Sequence {
public:
    std::uint32_t next(std::uint32_t below) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33) % below;
    }

private:
    std::uint64_t state_ = 2024;
};

constexpr const char* kWords[] = {"solid", "oak",    "hand",  "finished", "timber", "joint",  "oiled", "natural",
                                  "grain", "drawer", "shelf", "frame",    "brass",  "handle", "warm",  "panel"};

std::string words(Sequence& random, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += ' ';
        text += kWords[random.next(16)];
    }
    return text;
}

// One product block of a catalogue page, as people write them by hand:
// indentation with spaces and TABs, an attribute list broken over two lines,
// nested tables and lists, void elements and comments.
std::string productBlock(Sequence& random, unsigned index, std::string_view lineEnd) {
    const std::string id = "item" + std::to_string(index);
    std::string b;
    auto line = [&](const std::string& text) { b += text, b += lineEnd; };
    line("<!-- product " + id + " -->");
    line("<div class=\"product\" id=\"" + id + "\">");
    line("  <h2>" + words(random, 2) + "</h2>");
    line("  <p>" + words(random, 9));
    line("  " + words(random, 6) + ".</p>");
    line("  <IMG src=\"img/" + id + ".jpg\" alt=\"" + words(random, 2) + "\"");
    line("       width=\"320\" height=\"240\">");
    line("  <br>");
    line("  <table class=\"specs\">");
    for (int row = 0; row < 3; ++row) {
        line("\t<tr>");
        line("\t\t<td>" + std::to_string(40 + random.next(160)) + " cm</td>");
        line("\t\t<td class=\"price\">&pound;" + std::to_string(80 + random.next(900)) + "</td>");
        line("\t\t<td><table><tr><td>" + words(random, 1) + "</td></tr></table></td>");
        line("\t</tr>");
    }
    line("  </table>");
    line("  <ul>");
    line("    <li>" + words(random, 4) + "</li>");
    line("    <li>" + words(random, 3) + "<ol><li>" + words(random, 2) + "</li></ol></li>");
    line("  </ul>");
    line("  <input type=\"text\" name=\"qty\" value=\"1\"> <hr>");
    line("</div>");
    return b;
}

// A page of about `bytes` bytes; lineEnd "\r\n" gives the editor's text, "\n" a UNIX file.
std::string generatedPage(std::size_t bytes, std::string_view lineEnd) {
    Sequence random;
    std::string page;
    page.reserve(bytes + 4096);
    auto line = [&](const std::string& text) { page += text, page += lineEnd; };
    line("<!DOCTYPE html>");
    line("<HTML lang=\"en\">");
    line("<head>");
    line("  <meta charset=\"utf-8\">");
    line("  <title>Catalogue</title>");
    line("  <style>  body { margin: 0; }  </style>");
    line("</head>");
    line("<body>");
    for (unsigned index = 0; page.size() < bytes; ++index) page += productBlock(random, index, lineEnd);
    line("</body>");
    line("</HTML>");
    return page;
}

// A page made almost only of void elements, none of which has a closing tag.
std::string voidElementPage(std::size_t bytes) {
    std::string page = "<html><body>\r\n";
    const std::string row = "<img src=\"a.png\"><br><input type=\"text\"><hr><meta name=\"x\">\r\n";
    while (page.size() < bytes) page += row;
    return page + "</body></html>\r\n";
}

// A style sheet of about `bytes` bytes, laid out with TABs and line breaks.
std::string generatedCss(std::size_t bytes) {
    Sequence random;
    std::string css;
    css.reserve(bytes + 256);
    while (css.size() < bytes) {
        css += ".c" + std::to_string(random.next(10000)) + " a:hover {\r\n";
        css += "\tcolor: #" + std::to_string(100 + random.next(900)) + ";\r\n";
        css += "\tmargin:  0  4px;\r\n";
        css += "\tfont-family: Georgia, serif;\r\n}\r\n\r\n";
    }
    return css;
}

const std::string& page(std::size_t megabytes) {
    static const std::string ten = generatedPage(10 * kMB, "\r\n");
    static const std::string twenty = generatedPage(20 * kMB, "\r\n");
    return megabytes == 10 ? ten : twenty;
}

void BM_HtmlFormat(benchmark::State& state) {
    const std::string& text = page(static_cast<std::size_t>(state.range(0)));
    const tagloom::HtmlFormatter formatter;
    for (auto _ : state) {
        tagloom::HtmlFormatResult result = formatter.format(text);
        if (result.outcome != tagloom::HtmlFormatResult::Outcome::Formatted) state.SkipWithError("not formatted");
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_HtmlFormatVoidElements(benchmark::State& state) {
    static const std::string text = voidElementPage(10 * kMB);
    const tagloom::HtmlFormatter formatter;
    for (auto _ : state) {
        tagloom::HtmlFormatResult result = formatter.format(text);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The caret in the opening html tag: the matching search runs to the closing
// tag at the end of the page; in the closing tag it runs back to the start.
void BM_SelectMatchingTags(benchmark::State& state) {
    const std::string& text = page(static_cast<std::size_t>(state.range(0)));
    const bool fromClosingTag = state.range(1) != 0;
    const int caret =
        fromClosingTag ? static_cast<int>(text.rfind("</HTML>")) + 3 : static_cast<int>(text.find("<HTML")) + 2;
    const tagloom::TagNavigator navigator;
    for (auto _ : state) {
        const tagloom::MatchingTagsResult result = navigator.selectMatchingTags(text, {caret, caret});
        if (!result.selection || result.selection->end - result.selection->start < 1000)
            state.SkipWithError("the element was not found");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void runTool(benchmark::State& state, tagloom::TextTool tool, const std::string& text) {
    for (auto _ : state) {
        tagloom::TextToolResult result = tagloom::runTextTool(tool, text, {});
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_HtmlRemoveWhitespace(benchmark::State& state) {
    runTool(state, tagloom::TextTool::HtmlRemoveWhitespace, page(20));
}

void BM_CssRemoveWhitespace(benchmark::State& state) {
    static const std::string css = generatedCss(64 * kMB);
    runTool(state, tagloom::TextTool::CssRemoveWhitespace, css);
}

void BM_CssFormat(benchmark::State& state) {
    static const std::string css = generatedCss(64 * kMB);
    runTool(state, tagloom::TextTool::CssFormat, css);
}

BENCHMARK(BM_HtmlFormat)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HtmlFormatVoidElements)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SelectMatchingTags)
    ->Args({10, 0})
    ->Args({20, 0})
    ->Args({20, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_HtmlRemoveWhitespace)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CssRemoveWhitespace)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CssFormat)->Unit(benchmark::kMillisecond)->UseRealTime();

// --write-page=FILE --bytes=N: the generated page as a UNIX file, for comparisons with other tools.
bool writePage(int argc, char** argv) {
    std::string path;
    std::size_t bytes = 10 * kMB;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--write-page=")) path = arg.substr(13);
        if (arg.starts_with("--bytes=")) bytes = std::strtoull(argv[i] + 8, nullptr, 10);
    }
    if (path.empty()) return false;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << generatedPage(bytes, "\n");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (writePage(argc, argv)) return 0;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
