#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/FakePrinter.h"
#include "syntax/SyntaxLexer.h"
#include "print/PrintJob.h"

namespace tagloom {
namespace {

using test::FakePrinter;

// At 720 dots per inch a pixel is a tenth of a point: the 8-point printing
// font is 80 pixels, its characters 48 wide and its lines 96 high; the
// decorations' 6-point font 60 pixels, its cells 72 high. Letter paper is
// 6120 x 7920 and the default margins 540, 540, 360, 360.
constexpr int kLine = 96;
constexpr int kDecorationHeight = 72;

std::string lines(int count, const std::string& line = "text") {
    std::string text;
    for (int i = 0; i < count; ++i) text += line + "\r\n";
    return text;
}

PrintOptions options(bool header = true, bool footer = true, bool lineNumbers = false, bool wrap = true) {
    PrintOptions o;
    o.header = header;
    o.footer = footer;
    o.lineNumbers = lineNumbers;
    o.wrap = wrap;
    return o;
}

std::string textOf(const PrintedRun& run, const std::string& text) {
    std::string out;
    for (const VisibleChar& c : run.chars) out += text.substr(static_cast<std::size_t>(c.offset), static_cast<std::size_t>(c.length));
    return out;
}

// The decorations' texts are their own: the run holds offsets into them.
std::string decorationText(const PrintedRun& run, const std::string& expected) { return textOf(run, expected); }

std::vector<const PrintedRun*> runsOf(const PageContent& page, PrintedRun::Font font) {
    std::vector<const PrintedRun*> runs;
    for (const PrintedRun& run : page.runs)
        if (run.font == font) runs.push_back(&run);
    return runs;
}

TEST(PrintJob, measuresMarginsFontsAndDecorationsOnThePrinter) {
    PrintJob job(lines(1234), "page.html", options(true, true, true), PageValues{});
    FakePrinter printer;
    job.Begin(printer);
    EXPECT_EQ(job.printMargins(), (std::array<int, 4>{540, 540, 360, 360}));
    EXPECT_EQ(job.printLineHeight(), kLine);
    EXPECT_EQ(job.headerHeight(), 2 * kLine);
    EXPECT_EQ(job.footerHeight(), 2 * kLine);
    // " 1234 ": six average characters.
    EXPECT_EQ(job.lineNumberWidth(), 6 * 48);
    ASSERT_EQ(printer.fonts.size(), 2u);
    EXPECT_EQ(printer.fonts[0].face, "Courier New");
    EXPECT_EQ(printer.fonts[0].tenthsOfPoint, 80);
    EXPECT_EQ(printer.fonts[1].tenthsOfPoint, 60);  // three quarters of the printing size
}

TEST(PrintJob, leavesOutTheDecorationsThatAreOff) {
    PrintJob job(lines(3), "page.html", options(false, false, false), PageValues{});
    FakePrinter printer;
    job.Begin(printer);
    EXPECT_EQ(job.headerHeight(), 0);
    EXPECT_EQ(job.footerHeight(), 0);
    EXPECT_EQ(job.lineNumberWidth(), 0);
    EXPECT_EQ(job.decorationFont(), nullptr);
    EXPECT_EQ(printer.fonts.size(), 1u);
    const PageContent page = job.PrintPage(1);
    EXPECT_TRUE(runsOf(page, PrintedRun::Font::Decoration).empty());
    ASSERT_EQ(runsOf(page, PrintedRun::Font::Text).size(), 3u);
    EXPECT_EQ(page.runs[0].top, 540);  // the text starts at the top margin
}

TEST(PrintJob, countsPagesOfAKnownDocument) {
    // (7920 - 540 - 360 - 2 x 192) / 96 = 69 lines a page with header and footer.
    struct Case {
        int lines;
        bool header, footer;
        int pages;
        unsigned linesPerPage;
    };
    const Case cases[] = {
        {1, true, true, 1, 1},      {69, true, true, 1, 69},     {70, true, true, 2, 69},
        {150, true, true, 3, 69},   {150, false, false, 3, 73},  {146, false, false, 2, 73},
        {0, true, true, 0, 0},
    };
    for (const Case& c : cases) {
        PrintJob job(lines(c.lines), "t", options(c.header, c.footer, true), PageValues{});
        FakePrinter printer;
        EXPECT_EQ(job.Prepare(printer), c.pages) << c.lines;
        EXPECT_EQ(job.linesPerPage(), c.linesPerPage) << c.lines;
    }
}

TEST(PrintJob, putsTheHeaderAtTheTopMarginAndTheFooterAtTheBottomMargin) {
    PrintJob job(lines(150), "index.html", options(), PageValues{});
    FakePrinter printer;
    job.Begin(printer);
    ASSERT_EQ(job.pageCount(), 3);
    const int centre = (540 + 6120 - 360) / 2;
    for (int p = 1; p <= 3; ++p) {
        const PageContent page = job.PrintPage(p);
        const auto decorations = runsOf(page, PrintedRun::Font::Decoration);
        ASSERT_EQ(decorations.size(), 2u);
        const PrintedRun& header = *decorations[0];
        const PrintedRun& footer = *decorations[1];
        EXPECT_EQ(decorationText(header, "file: index.html"), "file: index.html");
        EXPECT_EQ(header.top, 540);
        const int headerWidth = 16 * 36;
        EXPECT_EQ(header.chars.front().x, centre - headerWidth / 2);
        const std::string footerText = "page " + std::to_string(p);
        EXPECT_EQ(decorationText(footer, footerText), footerText);
        EXPECT_EQ(footer.top + footer.height, 7920 - 360);
        EXPECT_EQ(footer.height, kDecorationHeight);
        EXPECT_EQ(footer.chars.front().x, centre - 6 * 36 / 2);
    }
    // The text begins two lines below the header's top.
    const PageContent first = job.PrintPage(1);
    EXPECT_EQ(runsOf(first, PrintedRun::Font::Text).front()->top, 540 + 2 * kLine);
}

TEST(PrintJob, repeatsTheNumberOfAWrappedLineOnItsContinuations) {
    // Four lines need a column of " 4 ": 6120 - 540 - 360 - 3 x 48 = 5076
    // pixels, 105 characters a line.
    const std::string longLine(250, 'w');
    const std::string text = "first\r\n" + longLine + "\r\nlast\r\n";
    PrintJob job(text, "t", options(true, true, true), PageValues{});
    FakePrinter printer;
    job.Begin(printer);
    EXPECT_EQ(job.printLineNumbers(), (std::vector<unsigned>{1, 2, 2, 2, 3}));

    const PageContent page = job.PrintPage(1);
    const auto numbers = runsOf(page, PrintedRun::Font::Decoration);
    const auto textRuns = runsOf(page, PrintedRun::Font::Text);
    ASSERT_EQ(numbers.size(), 2u + 5u);
    ASSERT_EQ(textRuns.size(), 5u);
    const std::vector<std::string> shown = {" 1 ", " 2 ", " 2 ", " 2 ", " 3 "};
    for (std::size_t i = 0; i < 5; ++i) {
        const PrintedRun& number = *numbers[2 + i];
        EXPECT_EQ(decorationText(number, shown[i]), shown[i]);
        EXPECT_EQ(number.chars.front().x, 540);
        // A number's bottom is its text line's bottom.
        EXPECT_EQ(number.top + number.height, textRuns[i]->top + textRuns[i]->height);
        EXPECT_EQ(textRuns[i]->chars.front().x, 540 + 3 * 48);
    }
}

TEST(PrintJob, keepsNumbersBesideTheirLinesWhenTheFontHasLeading) {
    PrintJob job(lines(200), "t", options(true, true, true), PageValues{});
    FakePrinter printer(720, 17);
    job.Begin(printer);
    for (int p = 1; p <= job.pageCount(); ++p) {
        const PageContent page = job.PrintPage(p);
        const auto numbers = runsOf(page, PrintedRun::Font::Decoration);
        const auto textRuns = runsOf(page, PrintedRun::Font::Text);
        ASSERT_EQ(numbers.size(), textRuns.size() + 2);
        for (std::size_t i = 0; i < textRuns.size(); ++i)
            EXPECT_EQ(numbers[2 + i]->top + numbers[2 + i]->height, textRuns[i]->top + textRuns[i]->height);
        EXPECT_EQ(textRuns.back()->top - textRuns.front()->top,
                  static_cast<int>(textRuns.size() - 1) * (96 + 17));
    }
}

TEST(PrintJob, numbersPagesFromTheLinesOfThePrinterChosen) {
    // Prepared on one printer, printed on another whose font spaces its
    // lines twice as far: the pages and their numbers follow the second.
    const std::string text = lines(40, std::string(150, 'x'));
    PrintJob job(text, "t", options(true, true, true), PageValues{});
    FakePrinter first;
    const int firstPages = job.Prepare(first);
    FakePrinter chosen(720, 96);
    job.Begin(chosen);
    EXPECT_EQ(firstPages, 2);
    EXPECT_EQ(job.pageCount(), 3);
    unsigned printed = 0;
    for (int p = 1; p <= job.pageCount(); ++p) {
        const PageContent page = job.PrintPage(p);
        const auto numbers = runsOf(page, PrintedRun::Font::Decoration);
        const auto textRuns = runsOf(page, PrintedRun::Font::Text);
        EXPECT_EQ(numbers.size(), textRuns.size() + 2) << p;
        printed += static_cast<unsigned>(textRuns.size());
    }
    EXPECT_EQ(printed, job.printLineNumbers().size());
    EXPECT_EQ(job.printLineNumbers().back(), 40u);
}

TEST(PrintJob, setsThePageSetupOrientationAndPaperOnThePrinterChosen) {
    PageValues page;
    page.orientation = kOrientationLandscape;
    page.paperSize = 9;
    PrintJob job(lines(100), "t", options(), page);
    FakePrinter printer;
    job.Begin(printer);
    EXPECT_EQ(printer.orientation(), kOrientationLandscape);
    EXPECT_EQ(printer.paperSize(), 9);
    // Landscape letter: 7920 wide, (6120 - 540 - 360 - 384) / 96 = 50 lines a page.
    EXPECT_EQ(job.linesPerPage(), 50u);
    EXPECT_EQ(job.pageCount(), 2);
    const PageContent first = job.PrintPage(1);
    const auto footer = runsOf(first, PrintedRun::Font::Decoration)[1];
    EXPECT_EQ(footer->top + footer->height, 6120 - 360);
}

TEST(PrintJob, preparesInTheChosenOrientationWhateverShapeThePrinterReports) {
    PageValues page;
    page.orientation = kOrientationLandscape;
    PrintJob job(lines(100), "t", options(), page);
    FakePrinter portrait;
    EXPECT_EQ(job.Prepare(portrait), 2);
    EXPECT_EQ(job.linesPerPage(), 50u);
    EXPECT_EQ(portrait.orientation(), kOrientationPortrait);  // Prepare changes no printer
}

TEST(PrintJob, findsNoRoomWhenTheMarginsTakeThePage) {
    struct Case {
        std::array<int, 4> margins;
        bool room;
    };
    const Case cases[] = {
        {{750, 750, 500, 500}, true},
        {{5000, 750, 5000, 500}, false},
        {{750, 5500, 500, 5500}, false},
        {{-300, -300, -300, -300}, true},  // a negative margin counts as none
    };
    for (const Case& c : cases) {
        PageValues page;
        page.margins = c.margins;
        PrintJob job(lines(100), "t", options(), page);
        FakePrinter printer;
        const int pages = job.Prepare(printer);
        EXPECT_EQ(job.hasRoomForText(), c.room);
        EXPECT_EQ(pages > 0, c.room);
        if (c.margins[0] < 0) {
            EXPECT_EQ(job.printMargins()[0], 0);
        }
    }
}

TEST(PrintJob, titleLosesOnlyTheModifiedMark) {
    struct Case {
        std::string title;
        bool modified;
        std::string shown;
    };
    const Case cases[] = {
        {"index.html *", true, "index.html"},
        {"Untitled *", true, "Untitled"},
        {"index.html", false, "index.html"},
        {"a*b.html", false, "a*b.html"},
        {"a*b.html *", true, "a*b.html"},
        {"notes *", false, "notes *"},  // a file named so, unmodified
    };
    for (const Case& c : cases) EXPECT_EQ(unmarkedTitle(c.title, c.modified), c.shown) << c.title;
    EXPECT_EQ(headerText("index.html"), "file: index.html");
    EXPECT_EQ(footerText(12), "page 12");
    EXPECT_EQ(lineNumberText(1234), " 1234 ");
}

TEST(PrintJob, printsEveryByteOnceOverThePages) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += std::string(static_cast<std::size_t>(i % 170), 'a' + i % 26) + " w\tx\r\n";
    for (const bool wrap : {true, false}) {
        PrintJob job(text, "t", options(true, true, true, wrap), PageValues{});
        FakePrinter printer;
        job.Begin(printer);
        int expectedStart = 0;
        std::size_t printedLines = 0;
        for (int p = 1; p <= job.pageCount(); ++p) {
            const PageContent page = job.PrintPage(p);
            for (const PrintedRun* run : runsOf(page, PrintedRun::Font::Text)) {
                ++printedLines;
                if (run->chars.empty()) continue;
                if (wrap) {
                    EXPECT_GE(run->chars.front().offset, expectedStart);
                }
                expectedStart = run->chars.back().offset + run->chars.back().length;
            }
        }
        EXPECT_EQ(printedLines, job.printLineNumbers().size()) << wrap;
        EXPECT_EQ(job.printLineNumbers().back(), 300u);
    }
}

// The runs of [from, to) among runs, cut to that stretch.
std::vector<StyleRun> within(const std::vector<StyleRun>& runs, int from, int to) {
    std::vector<StyleRun> out;
    for (const StyleRun& run : runs) {
        const int start = std::max(from, run.start), end = std::min(to, run.end());
        if (start < end && run.style != StyleClass::Plain) out.push_back({start, end - start, run.style});
    }
    return out;
}

// Pages that start inside long lines, and inside a string, a comment and a
// PHP block, show the colours the text has when lexed from its top.
TEST(PrintJob, colouredPagesShowTheColoursOfTheWholeText) {
    std::string text = "<html><body>\r\n<script>var s = \"";
    for (int i = 0; i < 4000; ++i) text += "ab cd ";
    text += "\"; /* a";
    for (int i = 0; i < 3000; ++i) text += " comment";
    text += " */ if (a < b) f(/x+/g, 12);</script>\r\n<p style=\"color: red\" class=x>";
    for (int i = 0; i < 2000; ++i) text += "&amp; <b>bold</b> <?php echo $x . 'y'; ?> ";
    text += "</p>\r\n" + lines(200, "<i>short</i> <!-- note -->") + "</body></html>\r\n";
    std::vector<StyleRun> whole;
    forEachStyledLine(text, SyntaxLanguage::Html, [&](const LexState&, std::size_t, const std::vector<StyleRun>& runs) {
        whole.insert(whole.end(), runs.begin(), runs.end());
    });

    for (const bool wrap : {true, false}) {
        PrintOptions coloured = options(true, true, false, wrap);
        coloured.language = SyntaxLanguage::Html;
        PrintJob job(text, "t", coloured, PageValues{});
        FakePrinter printer;
        job.Begin(printer);
        ASSERT_GT(job.pageCount(), wrap ? 20 : 2);
        int compared = 0;
        for (int p = 1; p <= job.pageCount(); ++p) {
            const PageContent page = job.PrintPage(p);
            for (const PrintedRun* run : runsOf(page, PrintedRun::Font::Text)) {
                if (run->chars.empty()) continue;
                const int from = run->chars.front().offset;
                const int to = run->chars.back().offset + run->chars.back().length;
                ASSERT_EQ(within(run->styles, from, to), within(whole, from, to)) << "page " << p << " at " << from;
                ++compared;
            }
        }
        EXPECT_GT(compared, 200);
    }

    PrintJob plain(text, "t", options(), PageValues{});
    FakePrinter printer;
    plain.Begin(printer);
    const PageContent page = plain.PrintPage(2);
    for (const PrintedRun* run : runsOf(page, PrintedRun::Font::Text)) EXPECT_TRUE(run->styles.empty());
}

}  // namespace
}  // namespace tagloom
