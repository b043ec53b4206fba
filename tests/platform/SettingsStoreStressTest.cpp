// Two editors writing the settings store at once: the store file is never
// torn, every value read is one a writer wrote whole, the values one writer
// flushed together are read together, and both writers' last values remain.
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/qt/QtSettingsStore.h"
#include "support/ProgramArguments.h"

extern char** environ;

namespace tagloom {
namespace {

constexpr const char* kWriterArgument = "--settings-writer";
constexpr int kKeys = 20;

std::string writerValue(int writer, int round, int key) {
    return std::to_string(writer) + "-" + std::to_string(round) + "-" + std::to_string(key) + "-" +
           std::string(300, static_cast<char>('a' + key));
}

// Started as <program> --settings-writer INI WRITER ROUNDS: writes all keys of
// its section and flushes, ROUNDS times, and exits before any test runs.
[[maybe_unused]] const bool writerRole = [] {
    const std::vector<std::string> arguments = test::ownArguments();
    if (arguments.size() != 5 || arguments[1] != kWriterArgument) return false;
    QtSettingsStore store(QString::fromStdString(arguments[2]));
    const int writer = std::atoi(arguments[3].c_str()), rounds = std::atoi(arguments[4].c_str());
    for (int round = 0; round < rounds; ++round) {
        for (int key = 0; key < kKeys; ++key)
            store.setString("writer" + std::to_string(writer), "key" + std::to_string(key),
                            writerValue(writer, round, key));
        store.flush();
    }
    std::_Exit(0);
}();

pid_t startWriter(const std::string& ini, int writer, int rounds) {
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<std::string> args = {program, kWriterArgument, ini, std::to_string(writer), std::to_string(rounds)};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execve(program.c_str(), argv.data(), environ);
        ::_exit(127);
    }
    return pid;
}

// The round of a writer's section in a snapshot; nothing when the section is
// not there yet. A value that is no whole value of that writer, or rounds that
// differ between keys flushed together, fail the test.
std::optional<int> roundOf(QSettings& snapshot, int writer) {
    const QString section = QStringLiteral("writer%1").arg(writer);
    std::optional<int> round;
    for (int key = 0; key < kKeys; ++key) {
        const QVariant value = snapshot.value(section + QStringLiteral("/key%1").arg(key));
        if (!value.isValid()) {
            EXPECT_FALSE(round) << "a section read in part";
            return std::nullopt;
        }
        const std::string text = value.toString().toStdString();
        const int valueRound = std::atoi(text.substr(text.find('-') + 1).c_str());
        EXPECT_EQ(text, writerValue(writer, valueRound, key)) << "a torn value";
        if (round) {
            EXPECT_EQ(valueRound, *round) << "values flushed together read apart";
        }
        round = valueRound;
    }
    return round;
}

TEST(SettingsStoreStress, twoWritersNeverTearTheFileAndBothKeepTheirLastValues) {
    constexpr int kRounds = 150;
    const QTemporaryDir folder;  // holds the store and its lock file, both removed at the end
    const std::string ini = folder.filePath(QStringLiteral("stress.conf")).toStdString();
    const pid_t writers[2] = {startWriter(ini, 0, kRounds), startWriter(ini, 1, kRounds)};
    ASSERT_GT(writers[0], 0);
    ASSERT_GT(writers[1], 0);
    int snapshots = 0, status[2] = {0, 0};
    bool finished[2] = {false, false};
    while (!(finished[0] && finished[1]) && !testing::Test::HasFailure()) {
        for (int w = 0; w < 2; ++w)
            if (!finished[w]) finished[w] = ::waitpid(writers[w], &status[w], WNOHANG) == writers[w];
        QSettings snapshot(QString::fromStdString(ini), QSettings::IniFormat);
        EXPECT_EQ(snapshot.status(), QSettings::NoError) << "a torn file";
        roundOf(snapshot, 0);
        roundOf(snapshot, 1);
        ++snapshots;
    }
    for (int w = 0; w < 2; ++w) {
        if (!finished[w]) ::waitpid(writers[w], &status[w], 0);
        EXPECT_TRUE(WIFEXITED(status[w]) && WEXITSTATUS(status[w]) == 0) << "writer " << w;
    }
    EXPECT_GT(snapshots, 5);
    QSettings last(QString::fromStdString(ini), QSettings::IniFormat);
    EXPECT_EQ(roundOf(last, 0), kRounds - 1);
    EXPECT_EQ(roundOf(last, 1), kRounds - 1);
}

}  // namespace
}  // namespace tagloom
