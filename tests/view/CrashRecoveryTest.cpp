// An editor killed at any moment loses at most the last second of its
// unsaved edits: a child process drives a view through random typing,
// removals, undos and whole-text changes, flushing its journal every second
// as the application's timer does, and is killed with SIGKILL. The journal
// it leaves must replay to a text the child held at most a second (and a
// little scheduling slack) before it died, and to no text it never held.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <sstream>
#include <thread>

#include "document/JournalFiles.h"
#include "document/JournalFormat.h"
#include "document/JournalRecovery.h"
#include "resources/CommandIds.h"
#include "support/TestFiles.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

constexpr int kKills = 100;
constexpr int kAtOnce = 10;
// How much older than a second the recovered text may be: the child's own
// timer and the machine's scheduling under a sanitizer.
constexpr std::int64_t kSlackMs = 400;

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct State {
    std::int64_t at = 0;
    std::uint64_t checksum = 0;
    bool modified = false;
};

// The child: never returns. Each state it reaches goes to the log before
// the next step, written straight to the file so that a kill keeps it.
[[noreturn]] void driveEditor(const std::string& folder, const std::string& page, unsigned seed) {
    ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
    const int log = ::open((folder + "/states").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    test::ViewFixture f;
    f.document.OpenDocumentFile(page);
    EditControl& control = f.control();
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string pieces[] = {"<p>", "</p>", "\r\n", "caf\xC3\xA9", " ", "a{b:c;}", "x", "\t"};
    const auto record = [&] {
        const std::string text = control.copyRange(0, control.length());
        std::ostringstream line;
        line << nowMs() << ' ' << textChecksum(text) << ' ' << (control.getModify() ? 1 : 0) << '\n';
        const std::string bytes = line.str();
        if (::write(log, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) ::_exit(3);
    };
    record();
    std::int64_t flushedAt = nowMs();
    while (true) {
        const int what = pick(0, 19);
        const int at = pick(0, control.length());
        if (what < 10 && control.length() < 6000) {
            control.setSel(at, at);
            control.typeText(pieces[pick(0, 7)]);
        } else if (what < 14) {
            control.setSel(at, std::min(control.length(), at + pick(1, 40)));
            control.replaceSel({});
        } else if (what < 17) {
            f.router.run(cmd::Undo);
        } else if (what < 18) {
            f.router.run(cmd::Redo);
        } else {
            control.setSel(0, 0);
            f.router.run(what == 18 ? cmd::CssFormat : cmd::CssRemoveWhitespace);
        }
        f.fake.uiQueue.drain();
        record();
        if (nowMs() - flushedAt >= 1000) {
            f.view->journal().flush();
            flushedAt = nowMs();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pick(1, 12)));
    }
}

std::vector<State> readStates(const std::string& path) {
    std::vector<State> states;
    std::istringstream in(test::readRawFile(path));
    State s;
    int modified = 0;
    while (in >> s.at >> s.checksum >> modified) {
        s.modified = modified != 0;
        states.push_back(s);
    }
    return states;
}

struct KilledRun {
    QTemporaryDir folder;
    pid_t child = -1;
    std::int64_t killAt = 0;
};

TEST(CrashRecovery, aKilledEditorLeavesAJournalOfWhatItHeldAtMostASecondBefore) {
    std::mt19937 random(2026);
    int recoveredRuns = 0;
    for (int started = 0; started < kKills;) {
        std::vector<std::unique_ptr<KilledRun>> runs;
        for (int i = 0; i < kAtOnce && started < kKills; ++i, ++started) {
            auto run = std::make_unique<KilledRun>();
            const std::string folder = run->folder.path().toStdString();
            const std::string page = folder + "/page.html";
            test::writeRawFile(page, "<html>\n<style>\np{margin:0}\n</style>\n<body>\n<p>text</p>\n</body>\n</html>\n");
            const unsigned seed = random();
            run->child = ::fork();
            ASSERT_GE(run->child, 0);
            if (run->child == 0) driveEditor(folder, page, seed);
            run->killAt = nowMs() + std::uniform_int_distribution<int>(200, 2600)(random);
            runs.push_back(std::move(run));
        }
        for (auto& run : runs) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::max<std::int64_t>(0, run->killAt - nowMs())));
            const std::int64_t killedAt = nowMs();
            ::kill(run->child, SIGKILL);
            ::waitpid(run->child, nullptr, 0);

            const std::string folder = run->folder.path().toStdString();
            const std::vector<State> states = readStates(folder + "/states");
            ASSERT_FALSE(states.empty());
            // The states the child held from a second (and the slack) before it died.
            const std::int64_t oldest = killedAt - 1000 - kSlackMs;
            std::vector<State> allowed;
            for (std::size_t i = 0; i < states.size(); ++i)
                if (states[i].at >= oldest || i + 1 == states.size() || states[i + 1].at > oldest)
                    allowed.push_back(states[i]);
            std::vector<JournalFile> journals = orphanedJournals(folder + "/Fenwold/Tagloom/recovery");
            ASSERT_LE(journals.size(), 1u);
            if (journals.empty()) {
                EXPECT_TRUE(std::any_of(allowed.begin(), allowed.end(), [](const State& s) { return !s.modified; }))
                    << "no journal, though the text had unsaved changes for over a second";
                continue;
            }
            const JournalRecovery recovery = recoverJournal(journals.front());
            ASSERT_EQ(recovery.outcome, JournalRecovery::Outcome::Recovered);
            const std::uint64_t checksum = textChecksum(recovery.recovered->text);
            EXPECT_TRUE(std::any_of(allowed.begin(), allowed.end(),
                                    [checksum](const State& s) { return s.checksum == checksum && s.modified; }))
                << "the journal holds no text the child held in its last second";
            EXPECT_TRUE(std::any_of(states.begin(), states.end(),
                                    [checksum](const State& s) { return s.checksum == checksum; }))
                << "the journal holds a text the child never held";
            ++recoveredRuns;
        }
    }
    EXPECT_GT(recoveredRuns, kKills / 3);
}

}  // namespace
}  // namespace tagloom
