// The Print command on the PDF writer, read back with poppler's tools: what
// lands on the paper, where, and on how many pages.
#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include "print/PdfReader.h"
#include "print/PrintCommands.h"
#include "print/qt/QtPrintFramework.h"
#include "resources/CommandIds.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

using test::PdfPages;
using test::PdfWord;

// Points on the paper: the default margins are 0.75 inch left and top and
// 0.5 inch right and bottom; Letter is 612 x 792.
constexpr double kLeft = 54, kTop = 54, kRight = 36, kBottom = 36;
// Liberation Mono (for "Courier New") is 0.6 em wide: 4.8 points at 8 points.
constexpr double kAverageChar8 = 4.8;
constexpr double kTolerance = 0.75;

std::string numberedLines(int count, const std::string& body = "text") {
    std::string text;
    for (int i = 1; i <= count; ++i) text += body + std::to_string(i) + "\r\n";
    return text;
}

struct PrintToPdf : testing::Test {
    PrintToPdf() {
        framework.setChoosePrinter([this](QPrinter& printer, int pageCount) {
            offeredPages = pageCount;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf));
            if (range) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setPageRanges(*range);
            }
            return true;
        });
        editor.view->printing().attach(framework, [this] { return page; });
    }

    // Opens a file of that name holding `text`, as the editor does.
    void open(const std::string& name, const std::string& text) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        ASSERT_TRUE(editor.document.OpenDocumentFile(path));
        editor.fake.uiQueue.drain();
    }

    PdfPages print() {
        EXPECT_TRUE(editor.router.run(cmd::Print));
        return test::pdfWords(pdf);
    }

    QTemporaryDir dir;
    std::string pdf = dir.filePath(QStringLiteral("out.pdf")).toStdString();
    test::ViewFixture editor;
    QtPrintFramework framework{editor.fake.platform, [] { return nullptr; }};
    PageValues page;
    std::optional<QPageRanges> range;
    int offeredPages = 0;
};

std::vector<PdfWord> wordsOn(const PdfPages& pages, int page, const std::string& text) {
    std::vector<PdfWord> found;
    for (const PdfWord& w : pages.words)
        if (w.page == page && w.text == text) found.push_back(w);
    return found;
}

// The words of the text column on a page, top down (the numbers' column excluded).
std::vector<PdfWord> textWordsOn(const PdfPages& pages, int page, double textLeft) {
    std::vector<PdfWord> found;
    for (const PdfWord& w : pages.words)
        if (w.page == page && std::abs(w.xMin - textLeft) < kTolerance) found.push_back(w);
    return found;
}

TEST_F(PrintToPdf, putsTheHeaderAtTheTopMarginAndTheFooterAtTheBottomMargin) {
    open("index.html", numberedLines(3));
    editor.control().setSel(0, 0);
    editor.control().typeText("x");  // modified: the title now ends " *"
    ASSERT_EQ(editor.document.GetTitle(), "index.html *");
    const PdfPages pages = print();
    ASSERT_EQ(pages.count, 1);
    EXPECT_EQ(pages.width, 612);
    EXPECT_EQ(pages.height, 792);

    const std::string text = test::pdfLayoutText(pdf);
    EXPECT_NE(text.find("file: index.html\n"), std::string::npos) << text;
    EXPECT_EQ(text.find('*'), std::string::npos) << text;

    const auto file = wordsOn(pages, 1, "file:");
    const auto name = wordsOn(pages, 1, "index.html");
    ASSERT_EQ(file.size(), 1u);
    ASSERT_EQ(name.size(), 1u);
    EXPECT_NEAR(file[0].yMin, kTop, kTolerance);
    EXPECT_NEAR((file[0].xMin + name[0].xMax) / 2, (kLeft + 612 - kRight) / 2, kTolerance);

    const auto pageWord = wordsOn(pages, 1, "page");
    const auto one = wordsOn(pages, 1, "1");
    ASSERT_EQ(pageWord.size(), 1u);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NEAR(pageWord[0].yMax, 792 - kBottom, kTolerance);
    EXPECT_NEAR((pageWord[0].xMin + one[0].xMax) / 2, (kLeft + 612 - kRight) / 2, kTolerance);

    // The decorations are in 6-point type, the text in 8-point, which starts
    // two of its lines below the header's top.
    const auto lines = textWordsOn(pages, 1, kLeft);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "xtext1");
    const double textHeight = lines[0].yMax - lines[0].yMin;
    const double step = lines[1].yMin - lines[0].yMin;
    EXPECT_NEAR((file[0].yMax - file[0].yMin) / textHeight, 0.75, 0.02);
    EXPECT_NEAR(lines[0].yMin - file[0].yMin, 2 * step, kTolerance);
}

TEST_F(PrintToPdf, fillsPagesWithTheLinesThatFitAndCountsThem) {
    open("long.html", numberedLines(200, "line"));
    const PdfPages pages = print();
    // 8-point Liberation Mono lines are 9.06 points apart: (792 - 54 - 36 -
    // 4 lines of header and footer) / 9.06 gives 73 lines a page.
    EXPECT_EQ(pages.count, 3);
    EXPECT_EQ(offeredPages, 3);
    const auto first = textWordsOn(pages, 1, kLeft);
    ASSERT_GE(first.size(), 2u);
    const double step = first[1].yMin - first[0].yMin;
    EXPECT_EQ(static_cast<int>(first.size()), static_cast<int>((792 - kTop - kBottom - 4 * step) / step));
    int printed = 0;
    for (int p = 1; p <= pages.count; ++p)
        for (const PdfWord& w : textWordsOn(pages, p, kLeft)) EXPECT_EQ(w.text, "line" + std::to_string(++printed));
    EXPECT_EQ(printed, 200);
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(wordsOn(pages, p, std::to_string(p)).size(), 1u) << "footer of page " << p;
}

TEST_F(PrintToPdf, setsTheTextRightOfANumberColumnSixCharactersWideFor1234Lines) {
    editor.view->settings().bPrinterLineNum = 1;
    open("lines.txt", numberedLines(1234, "x"));
    const PdfPages pages = print();
    const auto numberOne = wordsOn(pages, 1, "1");
    const auto firstLine = wordsOn(pages, 1, "x1");
    ASSERT_FALSE(numberOne.empty());
    ASSERT_EQ(firstLine.size(), 1u);
    // " 1234 " in average characters of the printing font.
    EXPECT_NEAR(firstLine[0].xMin - kLeft, 6 * kAverageChar8, kTolerance);
    // The numbers start one 6-point space into the column, beside their lines.
    EXPECT_NEAR(numberOne[0].xMin - kLeft, 0.75 * kAverageChar8, kTolerance);
    EXPECT_NEAR(numberOne[0].yMax, firstLine[0].yMax, kTolerance);
    const auto last = wordsOn(pages, pages.count, "1234");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_NEAR(last[0].xMin - kLeft, 0.75 * kAverageChar8, kTolerance);
}

TEST_F(PrintToPdf, showsTheNumberOfALineThatWrapsOnEachOfItsPrintedLines) {
    editor.view->settings().bPrinterLineNum = 1;
    editor.view->settings().bWrap = 1;
    // 612 - 54 - 36 - 3 characters of " 4 " leave 105 characters a line.
    open("wrap.html", "short\r\n" + std::string(250, 'w') + "\r\nend\r\n");
    print();
    const std::string text = test::pdfLayoutText(pdf);
    int twos = 0;
    std::size_t at = 0;
    while ((at = text.find("\n2 ", at)) != std::string::npos) ++twos, ++at;
    EXPECT_EQ(twos, 3) << text;
    EXPECT_NE(text.find("\n1 "), std::string::npos);
    EXPECT_NE(text.find("\n3 "), std::string::npos);
}

TEST_F(PrintToPdf, printsLandscapeWhenPageSetupSaysSo) {
    page.orientation = kOrientationLandscape;
    open("wide.html", numberedLines(100, "line"));
    const PdfPages pages = print();
    EXPECT_EQ(pages.width, 792);
    EXPECT_EQ(pages.height, 612);
    EXPECT_EQ(pages.count, 2);
    const auto footer = wordsOn(pages, 1, "page");
    ASSERT_EQ(footer.size(), 1u);
    EXPECT_NEAR(footer[0].yMax, 612 - kBottom, kTolerance);
    EXPECT_NEAR(footer[0].xMin, (kLeft + 792 - kRight) / 2 - 3 * 0.75 * kAverageChar8, kTolerance);
}

TEST_F(PrintToPdf, printsOnlyThePagesChosen) {
    open("long.html", numberedLines(200, "line"));
    range = QPageRanges();
    range->addPage(2);
    const PdfPages pages = print();
    EXPECT_EQ(pages.count, 1);
    EXPECT_EQ(wordsOn(pages, 1, "2").size(), 1u);
    EXPECT_EQ(textWordsOn(pages, 1, kLeft).front().text, "line74");
}

TEST_F(PrintToPdf, cannotPrintAnEmptyDocument) {
    open("empty.html", "");
    EXPECT_FALSE(editor.router.query(cmd::Print).enabled);
    EXPECT_FALSE(editor.router.query(cmd::PrintPreview).enabled);
    EXPECT_FALSE(editor.router.run(cmd::Print));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
}

TEST_F(PrintToPdf, tellsWhenThePdfCannotBeWritten) {
    open("index.html", "text\r\n");
    pdf = "/nonexistent-folder/out.pdf";
    editor.router.run(cmd::Print);
    ASSERT_EQ(editor.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(editor.fake.prompter.messages[0].text, "Could not start print job.");
    EXPECT_EQ(editor.fake.desktop.busyDepth, 0);
}

TEST_F(PrintToPdf, previewShowsThePagesOfThePrintWithoutItsOwnPageSwitches) {
    open("long.html", numberedLines(200, "line"));
    int shownPages = -1;
    QStringList visibleActions;
    QKeySequence nextPageKeys, previousPageKeys;
    framework.setShowPreview([&](QPrintPreviewDialog& dialog) {
        auto* pages = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        pages->updatePreview();
        shownPages = pages->pageCount();
        for (QAction* action : dialog.findChildren<QAction*>()) {
            if (action->isVisible()) visibleActions << action->text();
            if (action->text() == QStringLiteral("Next page")) nextPageKeys = action->shortcut();
            if (action->text() == QStringLiteral("Previous page")) previousPageKeys = action->shortcut();
        }
    });
    ASSERT_TRUE(editor.router.run(cmd::PrintPreview));
    EXPECT_EQ(shownPages, 3);
    EXPECT_FALSE(visibleActions.contains(QStringLiteral("Landscape"))) << visibleActions.join(',').toStdString();
    EXPECT_FALSE(visibleActions.contains(QStringLiteral("Portrait")));
    EXPECT_TRUE(visibleActions.contains(QStringLiteral("Next page"))) << visibleActions.join(',').toStdString();
    EXPECT_EQ(nextPageKeys, QKeySequence(Qt::Key_PageDown));
    EXPECT_EQ(previousPageKeys, QKeySequence(Qt::Key_PageUp));
}

}  // namespace
}  // namespace tagloom
