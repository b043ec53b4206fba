// The helper programs with a real file and folder: the numbered temporary
// copies, the arguments each program gets, and the browser's command line.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "document/HelperPrograms.h"
#include "support/TestFiles.h"
#include "platform/qt/QtLauncher.h"
#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

struct Helpers {
    explicit Helpers(const std::string& bytes = "<html>\n<p>one</p>\n</html>\n") {
        folder = dir.path().toStdString() + "/";
        path = folder + "index.html";
        test::writeRawFile(path, bytes);
        f.document.OpenDocumentFile(path);
        f.fake.uiQueue.drain();
        browser = folder + "browser";
        test::writeRawFile(browser, "#!/bin/sh\n");
        ::chmod(browser.c_str(), 0755);
    }
    HelperPrograms& helpers() { return f.view->helperPrograms(); }
    EditorSettings& settings() { return f.view->settings(); }
    void edit() {
        f.control().typeText("x");
        f.fake.uiQueue.drain();
    }
    const test::FakeLauncher::Call& lastCall() { return f.fake.launcher.calls.back(); }

    QTemporaryDir dir;
    test::ViewFixture f;
    std::string folder, path, browser;
};

TEST(HelperPrograms, theBrowserGetsTheSavedFileOrANumberedCopyWithCrLf) {
    Helpers h;
    h.settings().strPathIExplorer = h.browser;
    h.settings().bDelTempAsap = 0;
    EXPECT_TRUE(h.f.router.query(cmd::OpenInBrowser).enabled);
    h.f.router.run(cmd::OpenInBrowser);
    EXPECT_EQ(h.lastCall().target, h.browser);
    EXPECT_EQ(h.lastCall().arguments, std::vector<std::string>{h.path});

    h.edit();
    h.f.router.run(cmd::OpenInBrowser);
    h.edit();
    h.f.router.run(cmd::OpenInBrowser);
    EXPECT_EQ(h.lastCall().arguments, std::vector<std::string>{h.folder + "_temp0001.html"});
    EXPECT_EQ(test::readRawFile(h.folder + "_temp0000.html"), "x<html>\r\n<p>one</p>\r\n</html>\r\n");
    EXPECT_EQ(h.f.router.query(cmd::DeleteBrowserFiles).text, "Delete Browser Files (2)");

    h.settings().bDelTempAsap = 1;
    h.f.router.run(cmd::OpenInBrowser);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(h.folder + "_temp0000.html")));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(h.folder + "_temp0002.html")));
    h.f.router.run(cmd::DeleteBrowserFiles);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(h.folder + "_temp0002.html")));
    EXPECT_FALSE(h.f.router.query(cmd::DeleteBrowserFiles).enabled);
}

TEST(HelperPrograms, aTakenNameIsSkippedAndALinkIsNeverFollowed) {
    Helpers h;
    h.settings().bDelTempAsap = 0;
    test::writeRawFile(h.folder + "_temp0000.html", "someone else's");
    test::writeRawFile(h.folder + "_temp0001.html", "");
    const std::string target = h.folder + "target.txt";
    test::writeRawFile(target, "keep");
    ASSERT_EQ(::symlink(target.c_str(), (h.folder + "_temp0002.html").c_str()), 0);
    h.edit();
    const std::optional<std::string> copy = h.helpers().MakeTempCopy(h.folder, "Open in Browser");
    EXPECT_EQ(copy, h.folder + "_temp0003.html");
    EXPECT_EQ(test::readRawFile(h.folder + "_temp0000.html"), "someone else's");
    EXPECT_EQ(test::readRawFile(target), "keep");
    h.helpers().DeleteBrowserFiles();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(h.folder + "_temp0000.html")));
}

TEST(HelperPrograms, withoutABrowserProgramTheDesktopOpensTheFileAndTheReferences) {
    Helpers h;
    ::unsetenv("BROWSER");
    h.settings().strUrlCsslHelp = "https://example.org/css";
    h.f.router.run(cmd::OpenInBrowser);
    EXPECT_EQ(h.lastCall().kind, "openUrl");
    EXPECT_EQ(h.lastCall().target, h.path);
    h.f.router.run(cmd::CssWebReference);
    EXPECT_EQ(h.lastCall().target, "https://example.org/css");
    h.f.router.run(cmd::Documentation);
    EXPECT_EQ(h.lastCall().target, HelperPrograms::kDocumentationUrl);

    h.f.fake.launcher.result = {false, "No program for that"};
    h.f.router.run(cmd::HtmlWebReference);
    ASSERT_FALSE(h.f.fake.prompter.messages.empty());
    EXPECT_EQ(h.f.fake.prompter.messages.back(),
              (Message{"No program for that", "Tagloom", Buttons::Ok, Icon::Warning, 0}));
}

TEST(HelperPrograms, compareAndGraphicsGetTheirFilesAsSeparateArguments) {
    Helpers h;
    h.settings().strPathWinDiff = "/usr/bin/meld";
    h.settings().strPathGraphics = "/usr/bin/gimp";
    h.edit();
    h.f.fake.fileDialogs.fileAnswers = {FileDialogResult{"/other/old.html", 2, false}};
    h.f.router.run(cmd::CompareToAnotherFile);
    ASSERT_EQ(h.f.fake.fileDialogs.requests.size(), 1u);
    EXPECT_EQ(h.f.fake.fileDialogs.requests[0].title, "File to Compare with Tagloom");
    EXPECT_EQ(h.lastCall().target, "/usr/bin/meld");
    EXPECT_EQ(h.lastCall().arguments, (std::vector<std::string>{"/other/old.html", h.folder + "_temp0000.html"}));
    EXPECT_EQ(h.f.document.nOpenFilter, 2);
    EXPECT_EQ(h.f.document.openDirStr, "/other/");

    h.f.control().setText("images\\logo.png /abs/pic.png");
    h.f.select(0, 15);
    h.f.router.run(cmd::OpenGraphicsFile);
    EXPECT_EQ(h.lastCall().arguments, std::vector<std::string>{h.folder + "images/logo.png"});
    h.f.select(16, 28);
    h.f.router.run(cmd::OpenGraphicsFile);
    EXPECT_EQ(h.lastCall().arguments, std::vector<std::string>{"/abs/pic.png"});
}

// The real launcher: a name with quotes, blanks, ';' and "$(...)" reaches the
// program as one argument, and nothing in it runs.
TEST(HelperPrograms, aHostileFileNameReachesTheProgramAsOneArgument) {
    Helpers h;
    const std::string record = h.folder + "arguments.txt";
    const std::string viewer = h.folder + "viewer";
    test::writeRawFile(viewer, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" + record + "'\n");
    ::chmod(viewer.c_str(), 0755);
    const std::string hostile = "a \"b\" c; $(touch " + h.folder + "pwned) `id`.png";
    QtLauncher launcher;
    Platform platform = h.f.fake.platform;
    Platform real{platform.prompter,     platform.desktop, platform.clipboard, launcher,          platform.fileDialogs,
                  platform.printDialogs, platform.clock,   platform.uiQueue,   platform.settings, platform.textDialogs};
    EditorSettings settings;
    settings.strPathGraphics = viewer;
    CommandRouter router;
    HelperPrograms helpers(*h.f.view, settings, h.f.document, real, router);
    h.f.control().setText(hostile);
    h.f.select(0, static_cast<int>(hostile.size()));
    helpers.OpenGraphicsFile();
    for (int i = 0; i < 100 && !QFile::exists(QString::fromStdString(record)); ++i) ::usleep(20000);
    ::usleep(20000);
    EXPECT_EQ(test::readRawFile(record), "1\n" + h.folder + hostile + "\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(h.folder + "pwned")));
}

TEST(HelperPrograms, theBrowserProgramIsCutFromItsCommandLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/browser/browse -nohome", "/opt/browser/browse"},
        {"\"/opt/My Browser/browse\" --new-window %s", "/opt/My Browser/browse"},
        {"firefox", "firefox"},
        {"firefox -private", "firefox -private"},
        {"\"/odd/one", "\"/odd/one"},
        {"", ""},
    };
    for (const auto& [command, program] : cases) EXPECT_EQ(browserProgramOf(command), program) << command;
}

}  // namespace
}  // namespace tagloom
