// The Find in Files windows offscreen: the dialog's depth check and folder
// browser, Go To's place in the results text, and the search on its worker
// thread while the window goes on handling its events.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "search/qt/CFindInFilesDlg.h"
#include "search/qt/CFindResultsDlg.h"
#include "search/qt/FindInFilesWindows.h"
#include "support/FakePlatform.h"

namespace tagloom {
namespace {

TEST(FindInFilesWindows, anEmptyDepthIsRefusedAndABrowsedFolderEndsWithASlash) {
    test::FakePlatform fake;
    FindInFilesForm form;
    form.folder = "/old/";
    CFindInFilesDlg dialog(form, fake.platform, nullptr);
    dialog.depthBox()->setText(QString());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_EQ(fake.prompter.messages.size(), 1u);
    EXPECT_EQ(fake.prompter.messages[0],
              (Message{"Please enter an integer.", "Tagloom - Find in Files", Buttons::Ok, Icon::Warning, 0}));

    fake.fileDialogs.folderAnswers = {"/new/place"};
    dialog.browse();
    EXPECT_EQ(dialog.folderBox()->text(), QStringLiteral("/new/place/"));
    EXPECT_EQ(dialog.form().folder, "/new/place/");
}

// Go To is told the byte offset of the place in the results text: each line
// break there is CR LF, and a name counts with its own bytes, UTF-8 or not.
TEST(FindInFilesWindows, goToFindsThePlaceInTheResultsBytes) {
    const std::string names[] = {"caf\xc3\xa9.html", "caf\xe9\xe9.html", "\xf0\x9f\x98\x80.html", "a\x80\xc3.html"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string text = "head\r\n\r\nLooking For: x\r\n\r\n/d/\xe9/\r\n  " + name + "  --  7 \r\n";
        int told = -1;
        CFindResultsDlg dialog("Tagloom - Find in Files", text, [&](int at) { told = at; }, nullptr);
        QTextCursor cursor = dialog.textBox()->textCursor();
        cursor.setPosition(static_cast<int>(dialog.textBox()->toPlainText().indexOf(QLatin1Char('7'))));
        dialog.textBox()->setTextCursor(cursor);
        dialog.GoTo();
        EXPECT_EQ(told, static_cast<int>(text.find('7')));
    }
}

TEST(FindInFilesWindows, theSearchRunsOnAWorkerWhileTheWindowKeepsPolling) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "tagloom-fif-window-test";
    fs::remove_all(folder);
    fs::create_directories(folder / "sub");
    std::ofstream(folder / "a.html") << "x needle y needle";
    std::ofstream(folder / "sub" / "b.html") << std::string(3 << 20, 'z') + "needle";

    test::FakePlatform fake;
    QtFindInFilesWindows windows(fake.platform, nullptr);
    FindInFilesRequest request;
    request.folder = folder.string() + "/";
    request.fileSpec = "*.html";
    request.findText = "needle";
    request.depth = 1;
    const FindInFilesResult result = windows.search(request);
    EXPECT_EQ(result.outcome, FindInFilesResult::Outcome::Found);
    EXPECT_EQ(result.filesFound, 2);
    EXPECT_LT(windows.longestTickGap().count(), 100);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace tagloom
