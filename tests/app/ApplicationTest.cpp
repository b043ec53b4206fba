#include <QCoreApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/qt/CHemlowHTMLApp.h"
#include "app/qt/CMainFrame.h"
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
