#include "platform/qt/QtLauncher.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <utility>

#include "platform/qt/QtText.h"

extern char** environ;

namespace tagloom {

namespace {

constexpr std::chrono::milliseconds kHelperCheckInterval{50};

// The reason a helper that ran gives for failing: its exit status or the signal that ended it.
std::string helperFailure(const std::string& program, int status) {
    if (WIFSIGNALED(status)) return program + " was ended by signal " + std::to_string(WTERMSIG(status)) + ".";
    return program + " ended with exit status " + std::to_string(WEXITSTATUS(status)) + ".";
}

// Starts a program with its input from /dev/null and its output where the
// editor's goes: 0 with the child's process id in `pid`, or the system's
// error number.
int spawn(const std::string& program, const std::vector<std::string>& arguments, pid_t& pid) {
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const int error = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

}  // namespace

QtLauncher::QtLauncher(std::chrono::milliseconds helperPatience) : helperPatience_(helperPatience) {
    helperCheck_.setInterval(kHelperCheckInterval);
    QObject::connect(&helperCheck_, &QTimer::timeout, [this] { checkHelpers(); });
}

LaunchResult QtLauncher::launch(const std::string& program, const std::vector<std::string>& arguments) {
    QProcess process;
    process.setProgram(toQString(program));
    QStringList list;
    for (const auto& argument : arguments) list << toQString(argument);
    process.setArguments(list);
    if (process.startDetached()) return {true, {}};
    return {false, fromQString(process.errorString())};
}

LaunchResult QtLauncher::openUrl(const std::string& url) {
    const QUrl target = QUrl::fromUserInput(toQString(url), QDir::currentPath(), QUrl::AssumeLocalFile);
    if (QDesktopServices::openUrl(target)) return {true, {}};
    return {false, "The desktop has no program for " + url};
}

void QtLauncher::runHelper(const std::string& program, const std::vector<std::string>& arguments, HelperDone done) {
    pid_t pid = 0;
    if (const int error = spawn(program, arguments, pid); error != 0) {
        done({false, program + " could not be started: " + std::strerror(error) + "."});
        return;
    }
    helpers_.push_back({pid, program, std::chrono::steady_clock::now() + helperPatience_, std::move(done)});
    helperCheck_.start();
}

void QtLauncher::checkHelpers() {
    std::vector<std::pair<HelperDone, LaunchResult>> reports;
    const auto now = std::chrono::steady_clock::now();
    for (auto helper = helpers_.begin(); helper != helpers_.end();) {
        int status = 0;
        const pid_t ended = ::waitpid(helper->pid, &status, WNOHANG);
        if (helper->done && (ended != 0 || now >= helper->deadline)) {
            const bool failed = ended == helper->pid && !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            reports.emplace_back(std::exchange(helper->done, HelperDone()),
                                 failed ? LaunchResult{false, helperFailure(helper->program, status)}
                                        : LaunchResult{true, {}});
        }
        helper = ended != 0 ? helpers_.erase(helper) : std::next(helper);
    }
    if (helpers_.empty()) helperCheck_.stop();
    // Told last, as a report may start another helper.
    for (auto& [done, result] : reports) done(result);
}

void QtLauncher::showInFileManager(const std::string& path, HelperDone done) {
    const QFileInfo file(toQString(path));
    if (!file.exists()) {
        done({false, path + " was not found."});
        return;
    }
    QDBusInterface fileManager(QStringLiteral("org.freedesktop.FileManager1"),
                               QStringLiteral("/org/freedesktop/FileManager1"),
                               QStringLiteral("org.freedesktop.FileManager1"), QDBusConnection::sessionBus());
    if (fileManager.isValid()) {
        const QDBusMessage reply =
            fileManager.call(QStringLiteral("ShowItems"),
                             QStringList{QUrl::fromLocalFile(file.absoluteFilePath()).toString()}, QString());
        if (reply.type() != QDBusMessage::ErrorMessage) {
            done({true, {}});
            return;
        }
    }
    runHelper("xdg-open", {fromQString(file.absolutePath())}, [path, done = std::move(done)](const LaunchResult& shown) {
        done(shown.ok ? shown : LaunchResult{false, "No file manager could show " + path + ".\n" + shown.error});
    });
}

bool QtLauncher::isProgramAvailable(const std::string& program) const {
    return !QStandardPaths::findExecutable(toQString(program)).isEmpty();
}

}  // namespace tagloom
