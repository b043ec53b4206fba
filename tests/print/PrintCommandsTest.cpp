#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "print/FakePrinter.h"
#include "print/PrintCommands.h"
#include "print/PrintFramework.h"
#include "print/PrintJob.h"
#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"
#include "support/ComponentFixture.h"

namespace tagloom {
namespace {

using test::FakePrinter;

// Keeps what each print and preview was given.
class RecordingFramework : public PrintFramework {
public:
    PrintDevice* startPrinter(const PageValues& page) override {
        startedWith = page;
        return printer.get();
    }
    void print(PrintJob& job) override { record("print", job); }
    void preview(PrintJob& job) override { record("preview", job); }

    void record(const std::string& kind, const PrintJob& job) {
        calls.push_back(kind);
        pages = job.pageCount();
        title = job.title();
        coloured = false;
        for (const PrintedRun& run : job.PrintPage(1).runs) coloured = coloured || !run.styles.empty();
    }

    std::unique_ptr<FakePrinter> printer = std::make_unique<FakePrinter>();
    PageValues startedWith;
    std::vector<std::string> calls;
    int pages = 0;
    std::string title;
    bool coloured = false;
};

struct PrintFixture : test::ComponentFixture {
    PrintFixture() { commands.attach(framework, [this] { return page; }); }

    EditorSettings settings;
    std::string title = "index.html";
    PageValues page;
    RecordingFramework framework;
    SyntaxLanguage language = SyntaxLanguage::Html;
    PrintCommands commands{view, settings, fake.platform, router, [this] { return title; },
                           [this] { return language; }};
};

TEST(PrintCommands, areEnabledOnlyWithTextAndAFramework) {
    test::ComponentFixture bare;
    EditorSettings settings;
    PrintCommands unattached(bare.view, settings, bare.fake.platform, bare.router, [] { return std::string("t"); },
                             [] { return SyntaxLanguage::None; });
    bare.load("text");
    EXPECT_FALSE(bare.router.query(cmd::Print).enabled);
    EXPECT_FALSE(bare.router.query(cmd::PrintPreview).enabled);

    PrintFixture f;
    EXPECT_FALSE(f.router.query(cmd::Print).enabled);
    EXPECT_FALSE(f.router.query(cmd::PrintPreview).enabled);
    EXPECT_FALSE(f.router.run(cmd::Print));
    f.load("text");
    EXPECT_TRUE(f.router.query(cmd::Print).enabled);
    EXPECT_TRUE(f.router.query(cmd::PrintPreview).enabled);
}

TEST(PrintCommands, prepareTheJobOnThePageSetupAndHandItOn) {
    PrintFixture f;
    f.page.orientation = kOrientationLandscape;
    f.page.paperSize = 9;
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line\r\n";
    f.load(text);
    ASSERT_TRUE(f.router.run(cmd::Print));
    ASSERT_TRUE(f.router.run(cmd::PrintPreview));
    EXPECT_EQ(f.framework.calls, (std::vector<std::string>{"print", "preview"}));
    EXPECT_EQ(f.framework.startedWith, f.page);
    EXPECT_EQ(f.framework.pages, 2);  // landscape letter holds 50 lines
    EXPECT_EQ(f.fake.desktop.busyCalls, 4);
    EXPECT_EQ(f.fake.desktop.busyDepth, 0);
    EXPECT_TRUE(f.fake.prompter.messages.empty());
}

TEST(PrintCommands, printTheTitleWithoutTheModifiedMark) {
    PrintFixture f;
    f.load("text");
    f.title = "index.html *";
    f.view.control().setModify(true);
    f.router.run(cmd::Print);
    EXPECT_EQ(f.framework.title, "index.html");
}

// The job is coloured in the language the screen shows, unless the
// settings print plain.
TEST(PrintCommands, colourTheJobAsTheScreenUnlessPrintInColourIsOff) {
    struct Case {
        SyntaxLanguage shown;
        int bPrintColor;
        bool coloured;
    };
    for (const Case& c : {Case{SyntaxLanguage::Html, 1, true}, Case{SyntaxLanguage::Html, 0, false},
                          Case{SyntaxLanguage::None, 1, false}}) {
        PrintFixture f;
        f.language = c.shown;
        f.settings.bPrintColor = c.bPrintColor;
        f.load("<p class=\"a\">text</p>\r\n");
        ASSERT_TRUE(f.router.run(cmd::Print));
        EXPECT_EQ(f.framework.coloured, c.coloured) << c.bPrintColor;
    }
}

TEST(PrintCommands, reportAMissingPrinterAndPrintNothing) {
    PrintFixture f;
    f.load("text");
    f.framework.printer.reset();
    f.router.run(cmd::Print);
    f.router.run(cmd::PrintPreview);
    const Message expected{"Problem with Device Context", "Prepare Printing", Buttons::Ok, Icon::Error, 0};
    EXPECT_EQ(f.fake.prompter.messages, (std::vector<Message>{expected, expected}));
    EXPECT_TRUE(f.framework.calls.empty());
}

TEST(PrintCommands, reportMarginsThatLeaveNoRoomAndPrintNothing) {
    PrintFixture f;
    f.load("text");
    f.page.margins = {4500, 750, 4500, 500};
    f.router.run(cmd::PrintPreview);
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0].text, "The page margins leave no room for the text.");
    EXPECT_EQ(f.fake.prompter.messages[0].title, "Prepare Printing");
    EXPECT_TRUE(f.framework.calls.empty());
}

}  // namespace
}  // namespace tagloom
