// Saving and loading while the file system fails: for every n, the n-th open,
// read, write, flush or rename of the page fails. A save either fails, and then
// the old file stays byte for byte, the document keeps its text and its
// modified flag and the editor's own message is shown; or it gets past the
// failure (Qt's final flush is not checked, ours before it is) and then the
// file holds exactly the new text. Either way no temporary file is left.
// A load that fails leaves the open document.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "FaultInjection.h"
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

}  // namespace
}  // namespace tagloom
