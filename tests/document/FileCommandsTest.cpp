// Delete, ReOpen, Show in Explorer and Send on a real file, with the boxes
// and the desktop's programs faked.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "support/TestFiles.h"
#include "resources/CommandIds.h"
#include "support/ViewFixture.h"
#include "document/FileCommands.h"
#include "document/SendCopies.h"

namespace tagloom {
namespace {

// An editor with index.html open from a folder of its own.
struct OpenFile {
    explicit OpenFile(const std::string& bytes = "<p>one</p>\r\n<p>two</p>\r\n") {
        path = dir.filePath(QStringLiteral("index.html")).toStdString();
        test::writeRawFile(path, bytes);
        f.document.OpenDocumentFile(path);
        f.fake.uiQueue.drain();
    }
    void type(const std::string& text) {
        f.control().typeText(text);
        f.fake.uiQueue.drain();
    }
    void addBookmarkOnFirstLine() {
        const int lineFeed = static_cast<int>(f.text().find('\n'));
        f.select(lineFeed - 1, lineFeed - 1);
        f.control().replaceSel("\r", true);
        f.pane(str::PaneLines);  // the idle recount
    }
    bool exists() const { return QFile::exists(QString::fromStdString(path)); }

    QTemporaryDir dir;
    std::string path;
    test::ViewFixture f;
};

TEST(FileCommands, withConfirmOffDeleteAndReOpenActAtOnce) {
    OpenFile o;
    o.f.view->settings().bConfirm = 0;
    o.type("x");
    ASSERT_TRUE(o.f.router.run(cmd::ReOpen));
    EXPECT_EQ(o.f.text(), "<p>one</p>\r\n<p>two</p>\r\n");
    EXPECT_FALSE(o.f.document.IsModified());
    ASSERT_TRUE(o.f.router.run(cmd::DeleteFile));
    EXPECT_FALSE(o.exists());
    EXPECT_TRUE(o.f.fake.prompter.messages.empty());
}

TEST(FileCommands, deleteAsksAboutTheNameWithoutTheMarkerAndKeepsTheText) {
    OpenFile o;
    o.type("x");
    ASSERT_EQ(o.f.document.GetTitle(), "index.html *");
    const std::string text = o.f.text();
    o.f.fake.prompter.answers = {Answer::No, Answer::Yes};
    o.f.router.run(cmd::DeleteFile);
    ASSERT_EQ(o.f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(o.f.fake.prompter.messages[0],
              (Message{"Delete  index.html  to the trash?", "Tagloom Delete File", Buttons::YesNoCancel,
                       Icon::Question, 1}));
    EXPECT_TRUE(o.exists());

    o.f.router.run(cmd::DeleteFile);
    EXPECT_FALSE(o.exists());
    EXPECT_EQ(o.f.text(), text);
    EXPECT_EQ(o.f.document.GetTitle(), "index.html *");
    EXPECT_EQ(o.f.document.GetPathName(), o.path);
    EXPECT_FALSE(o.f.router.query(cmd::DeleteFile).enabled);  // the file is gone
    EXPECT_FALSE(o.f.router.query(cmd::ReOpen).enabled);

    o.f.document.Save();  // a later save writes it again
    EXPECT_TRUE(o.exists());
}

// The trash takes the file, or, where none does, the user is asked again
// before it is removed for good; without confirmations nothing is asked.
TEST(FileCommands, deleteMovesTheFileToTheTrashOrAsksBeforeRemovingItForGood) {
    const Message toTrash{"Delete  index.html  to the trash?", "Tagloom Delete File", Buttons::YesNoCancel,
                          Icon::Question, 1};
    const Message forGood{"Delete  index.html  for good?\nIt cannot be moved to the trash.", "Tagloom Delete File",
                          Buttons::YesNoCancel, Icon::Question, 1};
    struct Case {
        const char* name;
        bool trashAvailable;
        int bConfirm;
        std::deque<Answer> answers;
        std::vector<Message> asked;
        bool trashed;
        bool gone;
    };
    const Case cases[] = {
        {"to the trash", true, 1, {Answer::Yes}, {toTrash}, true, true},
        {"kept", true, 1, {Answer::No}, {toTrash}, false, false},
        {"no trash, removed for good", false, 1, {Answer::Yes, Answer::Yes}, {toTrash, forGood}, false, true},
        {"no trash, kept after all", false, 1, {Answer::Yes, Answer::Cancel}, {toTrash, forGood}, false, false},
        {"no trash, kept", false, 1, {Answer::No}, {toTrash}, false, false},
        {"to the trash without asking", true, 0, {}, {}, true, true},
        {"no trash, removed without asking", false, 0, {}, {}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OpenFile o;
        o.f.view->settings().bConfirm = c.bConfirm;
        o.f.fake.desktop.trashAvailable = c.trashAvailable;
        o.f.fake.prompter.answers = c.answers;
        ASSERT_TRUE(o.f.router.run(cmd::DeleteFile));
        EXPECT_EQ(o.f.fake.prompter.messages, c.asked);
        EXPECT_EQ(o.f.fake.desktop.trashed, c.trashed ? std::vector<std::string>{o.path} : std::vector<std::string>{});
        EXPECT_EQ(o.exists(), !c.gone);
        EXPECT_EQ(o.f.text(), "<p>one</p>\r\n<p>two</p>\r\n");
    }
}

TEST(FileCommands, reOpenIsOnlyOfferedForAModifiedDocumentWithAFile) {
    OpenFile o;
    EXPECT_FALSE(o.f.router.query(cmd::ReOpen).enabled);
    EXPECT_TRUE(o.f.router.query(cmd::DeleteFile).enabled);
    o.type("x");
    EXPECT_TRUE(o.f.router.query(cmd::ReOpen).enabled);

    test::ViewFixture unnamed;
    unnamed.control().typeText("x");
    for (const int id : {cmd::ReOpen, cmd::DeleteFile, cmd::ShowInExplorer})
        EXPECT_FALSE(unnamed.router.query(id).enabled) << id;
}

TEST(FileCommands, reOpenMentionsBookmarksAndLeavesNoneAndNoUndoHistory) {
    OpenFile o;
    o.type("changed ");
    o.addBookmarkOnFirstLine();
    ASSERT_EQ(o.f.view->bookmarks().nBookmarks, 1);
    o.f.fake.prompter.answers = {Answer::Yes};
    o.f.router.run(cmd::ReOpen);
    ASSERT_EQ(o.f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(o.f.fake.prompter.messages[0],
              (Message{"ReOpen  \" index.html \"\nand loose all changes and bookmarks ?", "Tagloom ReOpen File",
                       Buttons::YesNoCancel, Icon::Question, 1}));
    EXPECT_EQ(o.f.text(), "<p>one</p>\r\n<p>two</p>\r\n");
    o.f.pane(str::PaneLines);
    EXPECT_EQ(o.f.view->bookmarks().nBookmarks, 0);
    EXPECT_FALSE(o.f.document.IsModified());
    EXPECT_EQ(o.f.document.GetTitle(), "index.html");
    EXPECT_EQ(o.f.view->undo().undoSteps(), 0);
    EXPECT_EQ(o.f.control().selection(), (Selection{0, 0}));
}

TEST(FileCommands, answeringNoToReOpenKeepsTheTextButEmptiesTheUndoHistory) {
    OpenFile o;
    o.type("changed ");
    ASSERT_GT(o.f.view->undo().undoSteps(), 0);
    o.f.fake.prompter.answers = {Answer::No};
    o.f.router.run(cmd::ReOpen);
    EXPECT_EQ(o.f.fake.prompter.messages.at(0).text, "ReOpen  \" index.html \"\nand loose all changes ?");
    EXPECT_EQ(o.f.text().substr(0, 8), "changed ");
    EXPECT_TRUE(o.f.document.IsModified());
    EXPECT_EQ(o.f.view->undo().undoSteps(), 0);
    EXPECT_FALSE(o.f.router.query(cmd::Undo).enabled);
}

TEST(FileCommands, showInExplorerPutsThePathOnTheClipboardOnlyWhenTheFileManagerStarted) {
    struct Case {
        LaunchResult result;
        bool onClipboard;
    };
    for (const Case& c : {Case{{true, {}}, true}, Case{{false, "No file manager could be started."}, false}}) {
        OpenFile o;
        o.f.fake.launcher.result = c.result;
        ASSERT_TRUE(o.f.router.run(cmd::ShowInExplorer));
        EXPECT_FALSE(o.f.fake.clipboard.contents) << "nothing happens before the file manager answers";
        EXPECT_TRUE(o.f.fake.prompter.messages.empty());
        EXPECT_EQ(o.f.fake.launcher.endHelpers(), 1);
        ASSERT_EQ(o.f.fake.launcher.calls.size(), 1u);
        EXPECT_EQ(o.f.fake.launcher.calls[0].kind, "showInFileManager");
        EXPECT_EQ(o.f.fake.launcher.calls[0].target, o.path);
        if (c.onClipboard) {
            EXPECT_EQ(o.f.fake.clipboard.contents, o.path);
            EXPECT_TRUE(o.f.fake.prompter.messages.empty());
        } else {
            EXPECT_FALSE(o.f.fake.clipboard.contents);
            ASSERT_EQ(o.f.fake.prompter.messages.size(), 1u);
            EXPECT_EQ(o.f.fake.prompter.messages[0].text, c.result.error);
            EXPECT_EQ(o.f.fake.prompter.messages[0].title, "Show in Explorer");
            EXPECT_EQ(o.f.fake.prompter.messages[0].icon, Icon::Error);
        }
    }
}

TEST(FileCommands, sendAttachesTheCurrentTextInTheFilesLineEndsAndLeavesTitleAndFlag) {
    OpenFile o("<p>one</p>\n<p>two</p>\n");  // a UNIX file
    o.f.fake.launcher.availablePrograms = {FileCommands::kMailProgram};
    o.type("new ");
    o.f.document.Save();
    test::writeRawFile(o.path, "changed on disk by another program\n");
    ASSERT_TRUE(o.f.router.query(cmd::Send).enabled);
    ASSERT_TRUE(o.f.router.run(cmd::Send));
    EXPECT_EQ(o.f.fake.launcher.endHelpers(), 1);

    ASSERT_EQ(o.f.fake.launcher.calls.size(), 1u);
    const auto& call = o.f.fake.launcher.calls[0];
    EXPECT_EQ(call.kind, "runHelper");
    EXPECT_EQ(call.target, FileCommands::kMailProgram);
    ASSERT_EQ(call.arguments.size(), 4u);
    EXPECT_EQ(call.arguments[0], "--subject");
    EXPECT_EQ(call.arguments[1], "index.html");
    EXPECT_EQ(call.arguments[2], "--attach");
    const std::string attachment = call.arguments[3];
    EXPECT_NE(attachment, o.path);
    EXPECT_EQ(attachment.substr(attachment.rfind('/') + 1), "index.html");
    EXPECT_EQ(test::readRawFile(attachment), "new <p>one</p>\n<p>two</p>\n");
    EXPECT_EQ(o.f.document.GetTitle(), "index.html");
    EXPECT_FALSE(o.f.document.IsModified());
    QDir(QString::fromStdString(attachment.substr(0, attachment.rfind('/')))).removeRecursively();

    o.type("more ");  // a modified document: the name has no marker, the marker stays
    ASSERT_TRUE(o.f.router.run(cmd::Send));
    const auto& again = o.f.fake.launcher.calls.at(1);
    EXPECT_EQ(again.arguments.at(1), "index.html");
    EXPECT_EQ(test::readRawFile(again.arguments.at(3)), "new more <p>one</p>\n<p>two</p>\n");
    EXPECT_EQ(o.f.document.GetTitle(), "index.html *");
    EXPECT_TRUE(o.f.document.IsModified());
    QDir(QString::fromStdString(again.arguments.at(3).substr(0, again.arguments.at(3).rfind('/')))).removeRecursively();
}

TEST(FileCommands, aMailProgramThatFailsIsReportedAndItsCopyRemoved) {
    OpenFile o;
    o.f.fake.launcher.availablePrograms = {FileCommands::kMailProgram};
    o.f.fake.launcher.result = {false, "xdg-email ended with exit status 3."};
    ASSERT_TRUE(o.f.router.run(cmd::Send));
    const std::string attachment = o.f.fake.launcher.calls.at(0).arguments.at(3);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(attachment))) << "the copy waits for the mail program";
    EXPECT_TRUE(o.f.fake.prompter.messages.empty());
    EXPECT_EQ(o.f.fake.launcher.endHelpers(), 1);
    EXPECT_EQ(o.f.fake.prompter.messages,
              (std::vector<Message>{{"Send Mail failed to send message.", "Tagloom", Buttons::Ok, Icon::Error, 0}}));
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(attachment.substr(0, attachment.rfind('/')))));
}

// The copies earlier Sends left in the temporary folder stay for their mail
// programs for a day; the next Send removes the older ones.
TEST(FileCommands, sendRemovesTheCopiesEarlierSendsLeftADayAgo) {
    const QString temp = QDir::tempPath();
    const QString pattern = temp + "/" + QString::fromLatin1(kSendFolderPrefix) + "XXXXXX";
    QTemporaryDir stale(pattern), fresh(pattern);
    ASSERT_TRUE(stale.isValid() && fresh.isValid());
    const std::string staleCopy = stale.filePath(QStringLiteral("old.html")).toStdString();
    test::writeRawFile(staleCopy, "sent long ago");
    const struct timespec dayAndHourAgo = {std::time(nullptr) - 25 * 3600, 0};
    const struct timespec times[2] = {dayAndHourAgo, dayAndHourAgo};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(stale.path()).constData(), times, 0), 0);

    OpenFile o;
    o.f.fake.launcher.availablePrograms = {FileCommands::kMailProgram};
    ASSERT_TRUE(o.f.router.run(cmd::Send));
    EXPECT_FALSE(QFileInfo::exists(stale.path()));
    EXPECT_TRUE(QFileInfo::exists(fresh.path()));
    const std::string attachment = o.f.fake.launcher.calls.at(0).arguments.at(3);
    const QString copyFolder = QFileInfo(QString::fromStdString(attachment)).absolutePath();
    EXPECT_EQ(QFileInfo(copyFolder).absolutePath(), temp);
    EXPECT_EQ(o.f.fake.launcher.endHelpers(), 1);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(attachment))) << "the mail program may read it later";
    QDir(copyFolder).removeRecursively();
}

TEST(FileCommands, sendNeedsTextAndAMailProgram) {
    OpenFile o;
    EXPECT_FALSE(o.f.router.query(cmd::Send).enabled);  // no mail program here

    test::ViewFixture empty;
    empty.fake.launcher.availablePrograms = {FileCommands::kMailProgram};
    EXPECT_FALSE(empty.router.query(cmd::Send).enabled);
    empty.control().typeText("x");
    EXPECT_TRUE(empty.router.query(cmd::Send).enabled);
}

}  // namespace
}  // namespace tagloom
