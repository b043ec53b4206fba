// The view's colouring: the language its file's name gives it, the switch
// in the View menu, and a large text lexed on idle a slice at a time, never
// all at once in a paint.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <string>

#include "platform/FileDialogs.h"
#include "resources/CommandIds.h"
#include "support/TestFiles.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

// A file of these bytes in a folder that lasts as long as the test.
class Files {
public:
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
        test::writeRawFile(path, bytes);
        return path;
    }

private:
    QTemporaryDir dir_;
};

std::vector<StyleRun> runsOf(test::ViewFixture& f, int from, int to) {
    std::vector<StyleRun> runs;
    f.view->syntax().runs(from, to, runs);
    return runs;
}

TEST(SyntaxColouring, takesTheLanguageOfTheFilesNameOrTheHtmlTest) {
    struct Case {
        const char* name;
        std::string text;
        SyntaxLanguage language;
    };
    const Case cases[] = {
        {"a.php", "<?php echo 1; ?>", SyntaxLanguage::Html},
        {"a.CSS", "a { color: red }", SyntaxLanguage::Css},
        {"a.json", "{\"a\": 1}", SyntaxLanguage::JavaScript},
        {"notes.txt", "<html><b>x</b></html>", SyntaxLanguage::Html},
        {"notes.txt", "plain <b>words</b>", SyntaxLanguage::None},
    };
    Files dir;
    for (const Case& c : cases) {
        test::ViewFixture f;
        const std::string path = dir.write(c.name, c.text);
        ASSERT_TRUE(f.document.OpenDocumentFile(path));
        EXPECT_EQ(f.view->syntax().language(), c.language) << c.name;
        EXPECT_EQ(runsOf(f, 0, f.control().length()).empty(), c.language == SyntaxLanguage::None) << c.name;
    }
}

TEST(SyntaxColouring, theViewMenuSwitchesItAndTheSettingsKeepIt) {
    test::ViewFixture f;
    Files dir;
    ASSERT_TRUE(f.document.OpenDocumentFile(dir.write("a.html", "<p class=\"x\">text</p>")));
    ASSERT_TRUE(f.router.query(cmd::SyntaxColouring).checked);
    ASSERT_TRUE(f.router.run(cmd::SyntaxColouring));
    EXPECT_FALSE(f.router.query(cmd::SyntaxColouring).checked);
    EXPECT_TRUE(runsOf(f, 0, f.control().length()).empty());
    EXPECT_EQ(f.view->settings().bSyntaxColor, 0);
    ASSERT_TRUE(f.router.run(cmd::SyntaxColouring));
    EXPECT_FALSE(runsOf(f, 0, f.control().length()).empty());
}

// A screen at the end of 40 MB is not lexed within one paint: it is plain
// for that paint, reached on idle in slices that each stop in good time,
// and painted again once reached.
TEST(SyntaxColouring, reachesTheEndOfALargeTextOnIdleInSlices) {
    test::ViewFixture f;
    std::string text;
    while (text.size() < (40u << 20)) text += "<div class=\"row\"><!-- note --><b>bold</b> &amp; text</div>\n";
    text += "<p id=\"last\">end</p>\n";
    Files dir;
    ASSERT_TRUE(f.document.OpenDocumentFile(dir.write("big.html", text)));
    f.fake.uiQueue.drain();
    int repaints = 0;
    f.view->setRepaintHandler([&repaints] { ++repaints; });

    const int length = f.control().length();
    const int lastLine = f.control().textLineFromChar(length - 1);
    const int from = f.view->textLineStart(lastLine - 1);
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    EXPECT_TRUE(runsOf(f, from, length).empty());
    EXPECT_LT(Clock::now() - started, std::chrono::milliseconds(500));

    int slices = 0;
    while (!f.fake.uiQueue.pending.empty()) {
        auto call = std::move(f.fake.uiQueue.pending.front());
        f.fake.uiQueue.pending.pop_front();
        call();
        ++slices;
    }
    EXPECT_GT(slices, 2);
    EXPECT_EQ(repaints, 1);
    const std::vector<StyleRun> runs = runsOf(f, from, length);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.back().style, StyleClass::Tag);
    EXPECT_EQ(runs.back().end(), length - 2);  // before the line break CR LF
}

// Export as HTML writes the page beside the document, proposes its name,
// and never takes the place of the document itself.
TEST(SyntaxColouring, exportWritesThePageAndNeverReplacesTheDocument) {
    test::ViewFixture f;
    Files dir;
    const std::string source = "<p class=\"x\">text</p>\n";
    const std::string path = dir.write("page.php", source);
    ASSERT_TRUE(f.document.OpenDocumentFile(path));
    const std::string exportPath = path + ".html";
    f.fake.fileDialogs.fileAnswers.push_back(FileDialogResult{exportPath, 1, false});
    ASSERT_TRUE(f.router.run(cmd::ExportHtml));
    ASSERT_EQ(f.fake.fileDialogs.requests.size(), 1u);
    EXPECT_EQ(f.fake.fileDialogs.requests[0].fileName, "page.php.html");
    EXPECT_EQ(f.fake.fileDialogs.requests[0].title, "Tagloom - Export as HTML");
    const std::string page = test::readRawFile(exportPath);
    EXPECT_NE(page.find("<span class=\"attr\">class</span>"), std::string::npos) << page;
    EXPECT_NE(page.find("<title>page.php</title>"), std::string::npos);
    EXPECT_FALSE(f.control().getModify());

    f.fake.fileDialogs.fileAnswers.push_back(FileDialogResult{path, 1, false});
    f.fake.prompter.answers = {Answer::Yes, Answer::Ok};
    ASSERT_TRUE(f.router.run(cmd::ExportHtml));
    EXPECT_EQ(test::readRawFile(path), source);
    ASSERT_EQ(f.fake.prompter.messages.size(), 2u);
    EXPECT_EQ(f.fake.prompter.messages[1].text, "page.php\nis the document itself: choose another name for the page.");
}

}  // namespace
}  // namespace tagloom
