#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "app/qt/CHemlowHTMLApp.h"
#include "app/qt/CMainFrame.h"
#include "document/SendCopies.h"
#include "platform/qt/QtSettingsStore.h"
#include "resources/CommandIds.h"
#include "support/TestFiles.h"
#include "textmodel/EditControl.h"
#include "view/CHemlowHTMLView.h"

namespace tagloom {
namespace {

TEST(Application, startsWithAnUntitledWindowAndWritesTheRecentListLengthAtExit) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Tagloom.conf"));
    {
        QtSettingsStore seed(ini);
        seed.setInt("Settings", "mruCount", 6);
        seed.flush();
    }
    {
        CHemlowHTMLApp app(std::make_unique<QtSettingsStore>(ini));
        EXPECT_EQ(app.mruCount(), 6);
        ASSERT_TRUE(app.start({}));
        EXPECT_EQ(app.frame()->windowTitle(), QStringLiteral("Untitled - Tagloom"));
        EXPECT_TRUE(app.frame()->isVisible());
        app.recentFiles().add("/srv/site/index.html");
        app.exit();
    }
    QtSettingsStore after(ini);
    EXPECT_EQ(after.getInt("Settings", "mruCount", 0), 6);
    EXPECT_EQ(after.getString("Recent File List", "File1", ""), "/srv/site/index.html");
    EXPECT_TRUE(after.getString("Main Window", "Rect", "").size() >= 19);
}

TEST(Application, aMissingRecentListLengthMeansFourAndAHugeOneSixteen) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Tagloom.conf"));
    {
        CHemlowHTMLApp app(std::make_unique<QtSettingsStore>(ini));
        EXPECT_EQ(app.mruCount(), 4);
        EXPECT_EQ(app.recentFiles().size(), 4);
    }
    {
        QtSettingsStore seed(ini);
        seed.setString("Settings", "mruCount", "250");
        seed.flush();
    }
    CHemlowHTMLApp app(std::make_unique<QtSettingsStore>(ini));
    EXPECT_EQ(app.recentFiles().size(), 16);
}

// The copy a Send of an earlier run left for the mail program goes when the
// editor starts a day later, and one of today stays.
TEST(Application, startingRemovesTheCopiesSendLeftADayAgo) {
    const QString pattern = QDir::tempPath() + "/" + QString::fromLatin1(kSendFolderPrefix) + "XXXXXX";
    QTemporaryDir stale(pattern), fresh(pattern);
    ASSERT_TRUE(stale.isValid() && fresh.isValid());
    const struct timespec twoDaysAgo = {std::time(nullptr) - 48 * 3600, 0};
    const struct timespec times[2] = {twoDaysAgo, twoDaysAgo};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(stale.path()).constData(), times, 0), 0);
    QTemporaryDir dir;
    CHemlowHTMLApp app(std::make_unique<QtSettingsStore>(dir.filePath(QStringLiteral("Tagloom.conf"))));
    ASSERT_TRUE(app.start({}));
    EXPECT_FALSE(QFileInfo::exists(stale.path()));
    EXPECT_TRUE(QFileInfo::exists(fresh.path()));
    app.exit();
}

// No key, click or command runs the idle update here: the pane follows the
// caret by itself.
TEST(Application, theLineAndColumnPaneFollowsACaretMovedByAProgram) {
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.html"));
    test::writeRawFile(page.toStdString(), "ab\r\ncd\r\n");
    CHemlowHTMLApp app(std::make_unique<QtSettingsStore>(dir.filePath(QStringLiteral("Tagloom.conf"))));
    ASSERT_TRUE(app.start({page}));
    QCoreApplication::processEvents();
    const QLabel* pane = app.frame()->statusPane(str::PaneLnCol);
    EXPECT_EQ(pane->text().toStdString(), "Ln 1, Col 1");
    app.view()->control().setSel(5, 5);
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->text().toStdString(), "Ln 2, Col 2");
    app.exit();
}

}  // namespace
}  // namespace tagloom
