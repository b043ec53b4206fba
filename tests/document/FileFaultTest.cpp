// Saving and loading while the file system fails: for every n, the n-th open,
// read, write, flush or rename of the page fails. A save either fails, and then
// the old file stays byte for byte, the document keeps its text and its
// modified flag and the editor's own message is shown; or it gets past the
// failure (Qt's final flush is not checked, ours before it is) and then the
// file holds exactly the new text. Either way no temporary file is left.
// A load that fails leaves the open document. Each cause of a failure is named
// in the message, wherever the editor meets it. A copy for Send that cannot be
// written leaves no folder behind.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FaultInjection.h"
#include "document/FileCommands.h"
#include "resources/CommandIds.h"
#include "support/TestFiles.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

const std::string kOldBytes = "<p>old page</p>\n<p>second line</p>\n";

TEST(FileFaults, aSaveThatFailsAtAnyStepLeavesTheOldFileAndKeepsTheChanges) {
    const std::pair<int, const char*> faults[] = {{EIO, "Failed to save document."},
                                                  {ENOSPC, "Destination disk drive is full."}};
    for (const auto& [error, message] : faults) {
        int n = 1;
        for (;; ++n) {
            SCOPED_TRACE(std::string(message) + " at operation " + std::to_string(n));
            QTemporaryDir dir;
            const std::string folder = dir.path().toStdString() + "/";
            const std::string path = folder + "page.html";
            test::writeRawFile(path, kOldBytes);
            test::ViewFixture editor;
            ASSERT_TRUE(editor.document.OpenDocumentFile(path));
            editor.fake.uiQueue.drain();
            editor.control().typeText("new ");
            editor.fake.uiQueue.drain();
            const std::string edited = editor.text();
            editor.fake.prompter.messages.clear();

            bool struck = false;
            {
                const test::InjectedFault fault(folder, n, error);
                editor.document.Save();
                struck = fault.struck();
            }
            if (!struck || !editor.document.IsModified()) {
                EXPECT_EQ(test::readRawFile(path), "new " + kOldBytes);
                EXPECT_EQ(test::fileNamesIn(folder), std::vector<std::string>{"page.html"});
                EXPECT_TRUE(editor.fake.prompter.messages.empty());
                if (!struck) break;
                continue;
            }
            EXPECT_EQ(test::readRawFile(path), kOldBytes);
            EXPECT_EQ(test::fileNamesIn(folder), std::vector<std::string>{"page.html"}) << "a temporary file was left";
            EXPECT_EQ(editor.text(), edited);
            ASSERT_EQ(editor.fake.prompter.messages.size(), 1u);
            EXPECT_EQ(editor.fake.prompter.messages[0].text, message);
        }
        EXPECT_GT(n, 4) << "a save opens, writes, flushes and renames";
    }
}

TEST(FileFaults, aLoadThatFailsAtAnyStepLeavesTheOpenDocumentAsItWas) {
    QTemporaryDir shown, failing;
    const std::string shownPath = shown.path().toStdString() + "/shown.html";
    test::writeRawFile(shownPath, "<p>shown</p>\n");
    const std::string folder = failing.path().toStdString() + "/";
    const std::string path = folder + "page.html";
    test::writeRawFile(path, std::string(300000, 'x') + "\n");
    int n = 1;
    for (;; ++n) {
        SCOPED_TRACE("failing operation " + std::to_string(n));
        test::ViewFixture editor;
        ASSERT_TRUE(editor.document.OpenDocumentFile(shownPath));
        editor.fake.uiQueue.drain();
        editor.fake.prompter.messages.clear();
        bool struck = false, opened = false;
        {
            const test::InjectedFault fault(folder, n);
            opened = editor.document.OpenDocumentFile(path);
            struck = fault.struck();
        }
        if (!struck) {
            EXPECT_TRUE(opened);
            break;
        }
        EXPECT_FALSE(opened);
        EXPECT_EQ(editor.document.GetPathName(), shownPath);
        EXPECT_EQ(editor.text(), "<p>shown</p>\r\n");
        EXPECT_FALSE(editor.document.IsModified());
        ASSERT_EQ(editor.fake.prompter.messages.size(), 1u);
        const std::string& message = editor.fake.prompter.messages[0].text;
        EXPECT_TRUE(message == "Failed to open document." ||
                    message == "An unexpected error occurred while reading " + path + ".")
            << message;
    }
    EXPECT_GT(n, 2) << "a load opens and reads";
}

// The system's refusal of the page, in the message the user reads: "%1" stands for the page's path.
TEST(FileFaults, eachCauseOfAFailedLoadOrSaveIsNamedInTheMessage) {
    enum class Step { Load, SaveAsNew };
    struct Case {
        Step step;
        int error;
        std::string message;
    };
    const Case cases[] = {
        {Step::Load, EACCES, "Unable to read from %1, permission denied."},
        {Step::Load, EPERM, "Unable to read from %1, permission denied."},
        {Step::Load, EBUSY, "Unable to read from %1, it is opened by someone else."},
        {Step::Load, ENOENT, "%1 was not found."},
        {Step::Load, EIO, "Failed to open document."},
        {Step::SaveAsNew, EACCES, "Unable to write to %1, permission denied."},
        {Step::SaveAsNew, EPERM, "Unable to write to %1, permission denied."},
        {Step::SaveAsNew, EROFS, "Unable to write to %1, it is read-only or opened by someone else."},
        {Step::SaveAsNew, ENOSPC, "Destination disk drive is full."},
        {Step::SaveAsNew, EIO, "Failed to save document."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message + " for error " + std::to_string(c.error));
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString() + "/";
        const std::string path = folder + "page.html";
        test::ViewFixture editor;
        if (c.step == Step::Load) {
            test::writeRawFile(path, kOldBytes);
            const test::InjectedFault fault(folder, 1, c.error);
            EXPECT_FALSE(editor.document.OpenDocumentFile(path));
        } else {
            editor.control().typeText("new page");
            editor.fake.fileDialogs.fileAnswers.push_back(FileDialogResult{path, 1, false});
            const test::InjectedFault fault(folder, 1, c.error);
            editor.document.SaveAs();
            EXPECT_TRUE(fault.struck());
        }
        std::string message = c.message;
        if (const auto at = message.find("%1"); at != std::string::npos) message.replace(at, 2, path);
        EXPECT_EQ(editor.fake.prompter.messages,
                  (std::vector<Message>{{message, "Tagloom", Buttons::Ok, Icon::Warning, 0}}));
    }
}

// A page the permission bits keep from the user, met by each command that
// reads or writes it.
TEST(FileFaults, aPageTheUserMayNotReadOrWriteSaysPermissionDeniedInEveryCommand) {
    enum class Command { Open, ReOpen, Save, SaveAsIntoALockedFolder };
    struct Case {
        const char* name;
        Command command;
        std::string message;  // %1 the page's path
    };
    const Case cases[] = {
        {"Open", Command::Open, "Unable to read from %1, permission denied."},
        {"ReOpen", Command::ReOpen, "Unable to read from %1, permission denied."},
        {"Save", Command::Save, "Unable to write to %1, permission denied."},
        {"Save As", Command::SaveAsIntoALockedFolder, "Unable to write to %1, permission denied."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString() + "/";
        const std::string path = folder + "page.html";
        test::writeRawFile(path, kOldBytes);
        test::ViewFixture editor;
        if (c.command != Command::Open) {
            ASSERT_TRUE(editor.document.OpenDocumentFile(path));
            editor.fake.uiQueue.drain();
            editor.control().typeText("new ");
        }
        const std::string edited = editor.text();
        std::string failing = path;
        {
            const test::PermissionsBind permissionsBind;
            switch (c.command) {
            case Command::Open:
            case Command::ReOpen:
                ASSERT_EQ(::chmod(path.c_str(), 0), 0);
                break;
            case Command::Save:
                ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
                break;
            case Command::SaveAsIntoALockedFolder:
                failing = folder + "copy.html";
                ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
                break;
            }
            if (::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0 &&
                ::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) == 0) {
                ::chmod(folder.c_str(), 0755);
                GTEST_SKIP() << "the permission bits do not bind this process";
            }
            editor.fake.prompter.messages.clear();
            switch (c.command) {
            case Command::Open:
                editor.fake.fileDialogs.fileAnswers.push_back(FileDialogResult{path, 1, false});
                editor.document.Open();
                break;
            case Command::ReOpen:
                editor.fake.prompter.answers.push_back(Answer::Yes);
                editor.router.run(cmd::ReOpen);
                editor.fake.prompter.messages.erase(editor.fake.prompter.messages.begin());  // the question
                break;
            case Command::Save:
                editor.document.Save();
                break;
            case Command::SaveAsIntoALockedFolder:
                editor.fake.fileDialogs.fileAnswers.push_back(FileDialogResult{failing, 1, false});
                editor.document.SaveAs();
                break;
            }
        }
        ::chmod(folder.c_str(), 0755);
        std::string message = c.message;
        message.replace(message.find("%1"), 2, failing);
        EXPECT_EQ(editor.fake.prompter.messages,
                  (std::vector<Message>{{message, "Tagloom", Buttons::Ok, Icon::Warning, 0}}));
        EXPECT_EQ(editor.text(), edited) << "the text stays as it was";
    }
}

// Send writes its copy into a folder of its own in the temporary folder;
// when the copy cannot be written, the folder goes too.
TEST(FileFaults, aSendWhoseCopyCannotBeWrittenLeavesNoFolderBehind) {
    QTemporaryDir temp;
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    test::ViewFixture editor;
    editor.fake.launcher.availablePrograms = {FileCommands::kMailProgram};
    editor.control().typeText("<p>mail</p>");
    {
        const test::InjectedFault fault(temp.path().toStdString() + "/", 1, EIO);
        EXPECT_TRUE(editor.router.run(cmd::Send));
        EXPECT_TRUE(fault.struck());
    }
    qputenv("TMPDIR", savedTemp);
    EXPECT_EQ(editor.fake.prompter.messages,
              (std::vector<Message>{{"Failed to save document.", "Tagloom", Buttons::Ok, Icon::Error, 0}}));
    EXPECT_TRUE(editor.fake.launcher.calls.empty());
    EXPECT_EQ(test::fileNamesIn(temp.path().toStdString()), std::vector<std::string>{});
}

}  // namespace
}  // namespace tagloom
