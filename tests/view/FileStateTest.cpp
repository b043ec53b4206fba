#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "document/FileStatusStore.h"
#include "support/TestFiles.h"
#include "resources/CommandIds.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

TEST(FileState, leavingAFileAndOpeningItAgainBringsItsStateBack) {
    QTemporaryDir dir;
    FileStatusStore store(dir.filePath(QStringLiteral("TagloomFileStatus.txt")).toStdString());
    const std::string path = dir.filePath(QStringLiteral("page.html")).toStdString();
    std::string page;
    for (int i = 1; i <= 300; ++i) page += "line " + std::to_string(i) + "\n";
    test::writeRawFile(path, page);

    test::ViewFixture f;
    f.view->setFileStatusStore(&store);
    ASSERT_TRUE(f.document.OpenDocumentFile(path));
    f.fake.uiQueue.drain();
    for (int line : {3, 7}) {  // bookmark lines 3 and 7
        const int lineFeed = f.view->textLineStart(line) - 1;
        f.select(lineFeed - 1, lineFeed - 1);
        f.control().replaceSel("\r");
    }
    f.pane(str::PaneLines);
    EXPECT_EQ(f.view->bookmarks().nBookmarks, 2);
    f.router.run(cmd::LineNumbers);
    f.control().lineScroll(0, 120);
    f.select(1000, 1010);
    const std::string marked = f.text();

    f.fake.prompter.answers.push_back(Answer::No);  // the bookmarks were changes: do not save them
    f.document.New();                                // leaving the file stores its state
    EXPECT_EQ(f.text(), "");
    f.view->settings().bShowLineNum = 0;
    ASSERT_TRUE(f.document.OpenDocumentFile(path));
    f.fake.uiQueue.drain();
    EXPECT_EQ(f.text(), marked);  // the bookmarks are back in the text
    auto [s, e] = f.control().selection();
    EXPECT_EQ(s, 1000);
    EXPECT_EQ(e, 1010);
    EXPECT_EQ(f.control().firstVisibleLine(), 120);
    EXPECT_EQ(f.view->settings().bShowLineNum, 1);
    EXPECT_FALSE(f.document.IsModified());
    EXPECT_EQ(f.view->undo().undoSteps(), 0);
}

TEST(FileState, nothingIsKeptWhenRestoringIsSwitchedOffOrTheDocumentHasNoName) {
    QTemporaryDir dir;
    const std::string storePath = dir.filePath(QStringLiteral("TagloomFileStatus.txt")).toStdString();
    FileStatusStore store(storePath);
    test::ViewFixture f;
    f.view->setFileStatusStore(&store);
    f.control().typeText("unnamed");
    f.fake.prompter.answers.push_back(Answer::No);
    f.document.New();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(storePath)));

    const std::string path = dir.filePath(QStringLiteral("a.html")).toStdString();
    test::writeRawFile(path, "a\n");
    f.view->settings().bRestoreState = 0;
    ASSERT_TRUE(f.document.OpenDocumentFile(path));
    f.document.New();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(storePath)));
}

}  // namespace
}  // namespace tagloom
