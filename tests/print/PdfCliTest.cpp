// tagloom-cli pdf, run as a script runs it, its PDF read back with poppler's
// tools and set beside the editor's own Print of the same file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/qt/QtSettingsStore.h"
#include "print/PdfReader.h"
#include "print/PrintCommands.h"
#include "print/qt/QtPrintFramework.h"
#include "resources/CommandIds.h"
#include "support/CliFixture.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

using test::PdfPages;
using test::PdfWord;

constexpr double kTolerance = 0.75;

std::string numberedLines(int count, const std::string& body) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += body + std::to_string(i) + "\r\n";
    return text;
}

const PdfWord* firstWord(const PdfPages& pages, const std::string& text) {
    for (const PdfWord& w : pages.words)
        if (w.text == text) return &w;
    return nullptr;
}

// The user's settings store of this test program, which tagloom-cli reads too.
class UserSettings {
public:
    ~UserSettings() {
        QtSettingsStore store;
        for (const auto& [section, key] : written_) store.remove(section, key);
        store.flush();
    }
    void set(const std::string& section, const std::string& key, const std::string& value) {
        QtSettingsStore store;
        store.setString(section, key, value);
        store.flush();
        written_.emplace_back(section, key);
    }

private:
    std::vector<std::pair<std::string, std::string>> written_;
};

class PdfCli : public test::Cli {
protected:
    std::string pdf() const { return (dir_ / "out.pdf").string(); }
};

// The editor's Print of a file on the PDF writer, with default settings.
PdfPages printInEditor(const std::string& path, const std::string& pdf, bool lineNumbers) {
    test::ViewFixture editor;
    QtPrintFramework framework(editor.fake.platform, [] { return nullptr; });
    framework.setChoosePrinter([&pdf](QPrinter& printer, int) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        return true;
    });
    editor.view->printing().attach(framework, [] { return PageValues{}; });
    editor.view->settings().bPrinterLineNum = lineNumbers;
    EXPECT_TRUE(editor.document.OpenDocumentFile(path));
    editor.fake.uiQueue.drain();
    EXPECT_TRUE(editor.router.run(cmd::Print));
    return test::pdfWords(pdf);
}

TEST_F(PdfCli, printsAFileExactlyAsTheEditorsPrintDoes) {
    std::string text = "<html>\n\t<body>\n" + std::string(300, 'w') + " wrapped\n\tcaf\xC3\xA9\n";
    for (int i = 0; i < 120; ++i) text += "\t\t<p>line " + std::to_string(i) + "</p>\n";
    text += "</body></html>\n";
    const auto file = this->file("site page.html", text);
    const test::CliRun printed = run({"pdf", "--line-numbers", "-o", pdf(), file.string()});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.err, "");
    EXPECT_EQ(printed.out, "");

    const PdfPages fromCli = test::pdfWords(pdf());
    const PdfPages fromEditor = printInEditor(file.string(), (dir_ / "editor.pdf").string(), true);
    ASSERT_EQ(fromCli.count, 2);
    ASSERT_EQ(fromCli.count, fromEditor.count);
    ASSERT_EQ(fromCli.words.size(), fromEditor.words.size());
    for (std::size_t i = 0; i < fromCli.words.size(); ++i) {
        const PdfWord& a = fromCli.words[i];
        const PdfWord& b = fromEditor.words[i];
        EXPECT_EQ(a.text, b.text) << i;
        EXPECT_EQ(a.page, b.page) << i;
        EXPECT_NEAR(a.xMin, b.xMin, 0.01) << a.text;
        EXPECT_NEAR(a.yMin, b.yMin, 0.01) << a.text;
    }
    const std::string laidOut = test::pdfLayoutText(pdf());
    EXPECT_NE(laidOut.find("file: site page.html"), std::string::npos) << laidOut;
    EXPECT_NE(laidOut.find("page 2"), std::string::npos);
    EXPECT_NE(laidOut.find("caf\xC3\xA9"), std::string::npos);
}

TEST_F(PdfCli, takesThePaperAndMarginsFromTheUsersPageSetup) {
    UserSettings settings;
    settings.set("printer", "paperSize", "9");  // A4
    settings.set("printer", "margins", "  1000  1000  1000  1000");
    settings.set("printer", "orientation", "2");  // the command line decides
    const auto file = this->file("a4.html", numberedLines(10, "line"));
    ASSERT_EQ(run({"pdf", "-o", pdf(), file.string()}).status, 0);
    const PdfPages pages = test::pdfWords(pdf());
    EXPECT_EQ(pages.width, 595);
    EXPECT_EQ(pages.height, 842);
    const PdfWord* header = firstWord(pages, "file:");
    const PdfWord* footer = firstWord(pages, "page");
    const PdfWord* line = firstWord(pages, "line1");
    ASSERT_TRUE(header && footer && line);
    EXPECT_NEAR(header->yMin, 72, kTolerance);
    EXPECT_NEAR(footer->yMax, pages.height - 72, kTolerance);
    EXPECT_NEAR(line->xMin, 72, kTolerance);
}

TEST_F(PdfCli, leavesOutTheHeaderAndFooterAndTurnsThePageWhenAsked) {
    const auto file = this->file("plain.html", numberedLines(60, "line"));
    ASSERT_EQ(run({"pdf", "--no-header", "--no-footer", "--landscape", "-o", pdf(), file.string()}).status, 0);
    const PdfPages pages = test::pdfWords(pdf());
    EXPECT_EQ(pages.width, 792);
    EXPECT_EQ(pages.height, 612);
    EXPECT_EQ(firstWord(pages, "file:"), nullptr);
    EXPECT_EQ(firstWord(pages, "page"), nullptr);
    const PdfWord* line = firstWord(pages, "line1");
    ASSERT_NE(line, nullptr);
    EXPECT_NEAR(line->yMin, 54, kTolerance);  // the text starts at the top margin
    EXPECT_NEAR(line->xMin, 54, kTolerance);
    EXPECT_EQ(firstWord(pages, "1"), nullptr);  // no line numbers without --line-numbers
}

TEST_F(PdfCli, runsWithoutADisplay) {
    const auto file = this->file("page.html", "<p>text</p>\r\n");
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    };
    std::vector<Saved> saved;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        ::unsetenv(name);
    }
    const test::CliRun result = run({"pdf", "-o", pdf(), file.string()});
    for (const Saved& s : saved)
        if (s.value) ::setenv(s.name, s.value->c_str(), 1);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(test::pdfWords(pdf()).count, 1);
}

TEST_F(PdfCli, refusesBadCommandLinesAndFilesWithAClearMessage) {
    const auto page = file("page.html", "text\r\n");
    const auto empty = file("empty.html", "");
    const std::string missing = (dir_ / "missing.html").string();
    const std::string unwritable = (dir_ / "no-such-folder" / "out.pdf").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"pdf", page.string()}, 2, "pdf needs -o OUT.pdf"},
        {{"pdf", "-o", pdf()}, 2, "pdf prints one FILE"},
        {{"pdf", "-o", pdf(), page.string(), page.string()}, 2, "pdf prints one FILE"},
        {{"pdf", "-o", pdf(), "-"}, 2, "pdf prints one FILE"},
        {{"pdf", "-i", page.string()}, 2, "pdf takes only"},
        {{"pdf", "--find", "x", "-o", pdf(), page.string()}, 2, "pdf takes only"},
        {{"pdf", "--portrait", "-o", pdf(), page.string()}, 2, "unknown option \"--portrait\""},
        {{"html-format", "--landscape", page.string()}, 2, "go with pdf only"},
        {{"pdf", "-o", pdf(), missing}, 2, missing + " was not found."},
        {{"pdf", "-o", unwritable, page.string()}, 2, unwritable + ": "},
        {{"pdf", "-o", pdf(), empty.string()}, 1, "the file is empty: there is nothing to print"},
    };
    for (const Case& c : cases) {
        const test::CliRun result = run(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[1] << " " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(test::fs::exists(pdf())) << result.err;
    }
}

// The page is coloured as the editor shows it unless the settings say
// otherwise, and a grey-scale printer prints it all black.
TEST_F(PdfCli, printsInTheSyntaxColoursUnlessTheSettingsOrThePrinterSayNot) {
    const auto page = file("page.html", "<html><body class=\"x\">\n<!-- note -->\n<p>text &amp; more</p>\n</body></html>\n");
    struct Case {
        const char* syntaxColor;
        const char* printColor;
        bool coloured;
    };
    for (const Case& c : {Case{"1", "1", true}, Case{"1", "0", false}, Case{"0", "1", false}}) {
        UserSettings settings;
        settings.set("Settings", "bSyntaxColor", c.syntaxColor);
        settings.set("printer", "bPrintColor", c.printColor);
        const test::CliRun printed = run({"pdf", "-o", pdf(), page.string()});
        ASSERT_EQ(printed.status, 0) << printed.err;
        EXPECT_EQ(test::colouredPixels(pdf()) > 0, c.coloured) << c.syntaxColor << c.printColor;
    }

    for (const QPrinter::ColorMode mode : {QPrinter::Color, QPrinter::GrayScale}) {
        test::ViewFixture editor;
        QtPrintFramework framework(editor.fake.platform, [] { return nullptr; });
        const std::string printed = (dir_ / "editor.pdf").string();
        framework.setChoosePrinter([&](QPrinter& printer, int) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(printed));
            printer.setColorMode(mode);
            return true;
        });
        editor.view->printing().attach(framework, [] { return PageValues{}; });
        ASSERT_TRUE(editor.document.OpenDocumentFile(page.string()));
        editor.fake.uiQueue.drain();
        ASSERT_TRUE(editor.router.run(cmd::Print));
        EXPECT_EQ(test::colouredPixels(printed) > 0, mode == QPrinter::Color);
    }
}

TEST_F(PdfCli, refusesMarginsThatLeaveNoRoomForText) {
    UserSettings settings;
    settings.set("printer", "margins", "  5000  1000  5000  1000");
    const auto file = this->file("page.html", "text\r\n");
    const test::CliRun result = run({"pdf", "-o", pdf(), file.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("the page margins leave no room for the text"), std::string::npos) << result.err;
    EXPECT_FALSE(test::fs::exists(pdf()));
}

}  // namespace
}  // namespace tagloom
