// Helper programs run for real: stand-ins on the search path play xdg-open
// and friends, and the event loop turns until they report.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <optional>

#include "platform/qt/QtLauncher.h"

namespace tagloom {
namespace {

using namespace std::chrono_literals;

// A folder of stand-in programs in front of the search path, for the life of the object.
class StandIns {
public:
    StandIns() : savedPath_(qgetenv("PATH")) {
        qputenv("PATH", folder_.path().toLocal8Bit() + ":" + savedPath_);
    }
    ~StandIns() { qputenv("PATH", savedPath_); }
    StandIns(const StandIns&) = delete;
    StandIns& operator=(const StandIns&) = delete;

    void add(const std::string& name, const std::string& script) {
        const std::string path = folder_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path) << "#!/bin/sh\n" << script << "\n";
        ::chmod(path.c_str(), 0755);
    }
    std::string path(const std::string& name) const {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }

private:
    QTemporaryDir folder_;
    QByteArray savedPath_;
};

// Turns the event loop until the report comes, for at most `limit`.
std::optional<LaunchResult> waitForReport(const std::optional<LaunchResult>& report,
                                          std::chrono::milliseconds limit = 5000ms) {
    QElapsedTimer clock;
    clock.start();
    while (!report && clock.elapsed() < limit.count()) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return report;
}

TEST(QtLauncher, aHelperReportsHowItEndedWithoutHoldingUpTheCaller) {
    StandIns standIns;
    standIns.add("helper-ok", "exit 0");
    standIns.add("helper-fails", "exit 3");
    standIns.add("helper-crashes", "kill -TERM $$");
    standIns.add("helper-slow", "sleep 0.3; exit 4");
    struct Case {
        const char* program;
        LaunchResult expected;
    };
    const Case cases[] = {
        {"helper-ok", {true, {}}},
        {"helper-fails", {false, "helper-fails ended with exit status 3."}},
        {"helper-crashes", {false, "helper-crashes was ended by signal 15."}},
        {"helper-slow", {false, "helper-slow ended with exit status 4."}},
        {"tagloom-no-such-helper", {false, "tagloom-no-such-helper could not be started: No such file or directory."}},
    };
    QtLauncher launcher;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        std::optional<LaunchResult> report;
        QElapsedTimer clock;
        clock.start();
        launcher.runHelper(c.program, {}, [&report](const LaunchResult& result) { report = result; });
        EXPECT_LT(clock.elapsed(), 250) << "the caller waited for the helper";
        const auto result = waitForReport(report);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->ok, c.expected.ok);
        EXPECT_EQ(result->error, c.expected.error);
    }
}

TEST(QtLauncher, aHelperStillRunningAfterThePatienceCountsAsStartedAndOutlivesTheLauncher) {
    StandIns standIns;
    standIns.add("mail-program", "sleep 0.6; touch \"$1\"; exit 1");
    QTemporaryDir folder;
    const QString mark = folder.filePath(QStringLiteral("mark"));
    std::optional<LaunchResult> report;
    {
        QtLauncher launcher(200ms);
        launcher.runHelper("mail-program", {mark.toStdString()}, [&report](const LaunchResult& r) { report = r; });
        const auto result = waitForReport(report, 450ms);
        ASSERT_TRUE(result) << "no report within the patience";
        EXPECT_TRUE(result->ok);
        EXPECT_FALSE(QFileInfo::exists(mark)) << "the report waited for the helper to end";
    }
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(mark) && clock.elapsed() < 5000) QThread::msleep(20);
    EXPECT_TRUE(QFileInfo::exists(mark)) << "the helper was stopped with the launcher";
}

TEST(QtLauncher, showInFileManagerReportsAFileManagerThatFails) {
    if (QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "a session bus would show the folder in the desktop's own file manager";
    StandIns standIns;
    standIns.add("some-file.html", "");
    const std::string file = standIns.path("some-file.html");
    struct Case {
        const char* name;
        const char* xdgOpen;  // the stand-in's script; nothing: no xdg-open at all
        std::string file;
        LaunchResult expected;
    };
    const std::string missing = file + ".gone";
    const Case cases[] = {
        {"the folder shown", "exit 0", file, {true, {}}},
        {"no file manager", "exit 3", file,
         {false, "No file manager could show " + file + ".\nxdg-open ended with exit status 3."}},
        {"a file no longer there", "exit 0", missing, {false, missing + " was not found."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        standIns.add("xdg-open", c.xdgOpen);
        QtLauncher launcher;
        std::optional<LaunchResult> report;
        launcher.showInFileManager(c.file, [&report](const LaunchResult& r) { report = r; });
        const auto result = waitForReport(report);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->ok, c.expected.ok);
        EXPECT_EQ(result->error, c.expected.error);
    }
}

}  // namespace
}  // namespace tagloom
