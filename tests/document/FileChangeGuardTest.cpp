// The file on disk changed by another program: what the document is asked,
// for each way a file changes, and the save that would replace a change.
#include "document/FileChangeGuard.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>

#include "support/FakePlatform.h"
#include "support/TestFiles.h"

namespace tagloom {
namespace {

// Answers from a script, and runs `during` while the first question is open.
class ScriptedPrompter : public test::FakePrompter {
public:
    Answer ask(const Message& message) override {
        if (during) std::exchange(during, nullptr)();
        return FakePrompter::ask(message);
    }
    std::function<void()> during;
};

struct Guard {
    Guard() : path(folder.filePath("page.html").toStdString()) {
        test::writeRawFile(path, "<p>one</p>\n");
        guard.setKnown(path, fileIdentity(path));
    }
    std::vector<std::string> firstLines() const {
        std::vector<std::string> lines;
        for (const Message& m : prompter.messages) {
            const std::size_t from = m.text.find("\n\n") + 2;
            lines.push_back(m.title + ": " + m.text.substr(from, m.text.find('\n', from) - from));
        }
        return lines;
    }

    QTemporaryDir folder;
    std::string path;
    ScriptedPrompter prompter;
    bool modified = false;
    int reloads = 0;
    int markedModified = 0;
    FileChangeGuard guard{prompter,
                          {[this] { return modified; },
                           [this] {
                               ++reloads;
                               guard.setKnown(path, fileIdentity(path));
                           },
                           [this] { ++markedModified; }}};
};

void append(const std::string& path) { test::writeRawFile(path, test::readRawFile(path) + "<p>two</p>\n"); }

void replaceByRename(const std::string& path) {
    test::writeRawFile(path + ".new", "<p>new</p>\n");
    std::rename((path + ".new").c_str(), path.c_str());
}

void touchOnly(const std::string& path) {
    const struct timespec later[2] = {{0, UTIME_OMIT}, {1'000'000'000, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), later, 0);
}

constexpr const char* kChanged = "Tagloom - File Changed: This file was changed by another program.";
constexpr const char* kChangedModified =
    "Tagloom - File Changed: This file was changed by another program, and you have unsaved changes.";
constexpr const char* kGone = "Tagloom - File Changed: This file was deleted or moved by another program.";
constexpr const char* kSave = "Tagloom - Save: This file was changed by another program since you opened it.";

TEST(FileChangeGuard, asksOnceForEachChangeAndReloadsOnYes) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> change;
        bool modified;
        Answer answer;
        std::vector<std::string> asked;
        int reloads;
        int markedModified;
    };
    const std::vector<Case> cases = {
        {"written, unmodified, Yes", append, false, Answer::Yes, {kChanged}, 1, 0},
        {"written, unmodified, No", append, false, Answer::No, {kChanged}, 0, 0},
        {"written, modified, No", append, true, Answer::No, {kChangedModified}, 0, 0},
        {"written, modified, Yes", append, true, Answer::Yes, {kChangedModified}, 1, 0},
        {"replaced by a rename", replaceByRename, false, Answer::Yes, {kChanged}, 1, 0},
        {"touched without a change of size", touchOnly, false, Answer::No, {kChanged}, 0, 0},
        {"deleted", [](const std::string& p) { std::remove(p.c_str()); }, false, Answer::Ok, {kGone}, 0, 1},
        {"moved away", [](const std::string& p) { std::rename(p.c_str(), (p + ".old").c_str()); }, true, Answer::Ok,
         {kGone}, 0, 1},
        {"unchanged", [](const std::string&) {}, false, Answer::Yes, {}, 0, 0},
    };
    for (const Case& c : cases) {
        Guard g;
        g.modified = c.modified;
        c.change(g.path);
        g.prompter.answers = {c.answer};
        g.guard.check();
        g.guard.check();  // the same change asks nothing more
        EXPECT_EQ(g.firstLines(), c.asked) << c.name;
        EXPECT_EQ(g.reloads, c.reloads) << c.name;
        EXPECT_EQ(g.markedModified, c.markedModified) << c.name;
        if (!g.prompter.messages.empty() && c.modified && c.markedModified == 0) {
            EXPECT_EQ(g.prompter.messages[0].defaultButton, 1) << c.name << ": No is the default";
        }
    }
}

TEST(FileChangeGuard, aFileThatComesBackAsItWasAsksNothingAndAFurtherChangeAsksAgain) {
    Guard g;
    std::rename(g.path.c_str(), (g.path + ".away").c_str());
    g.prompter.answers = {Answer::Ok, Answer::No};
    g.guard.check();
    std::rename((g.path + ".away").c_str(), g.path.c_str());
    g.guard.check();
    EXPECT_EQ(g.firstLines(), (std::vector<std::string>{kGone}));
    append(g.path);
    g.guard.check();
    append(g.path);
    g.guard.check();
    EXPECT_EQ(g.firstLines(), (std::vector<std::string>{kGone, kChanged, kChanged}));
}

// After No the change is known, but a save would still replace it: the save
// asks, and No leaves the file as the other program wrote it.
TEST(FileChangeGuard, aSaveOverAChangeAsksFirstAndNoKeepsTheFile) {
    struct Case {
        const char* name;
        bool checkedFirst;
        Answer answer;
        bool maySave;
    };
    for (const Case c : {Case{"after No to the change", true, Answer::No, false},
                         Case{"while unasked", false, Answer::Yes, true}}) {
        Guard g;
        append(g.path);
        if (c.checkedFirst) {
            g.prompter.answers = {Answer::No};
            g.guard.check();
        }
        g.prompter.answers = {c.answer};
        EXPECT_EQ(g.guard.maySave(g.path), c.maySave) << c.name;
        ASSERT_FALSE(g.prompter.messages.empty()) << c.name;
        EXPECT_EQ(g.firstLines().back(), kSave) << c.name;
        EXPECT_EQ(g.prompter.messages.back().defaultButton, 1) << c.name;
        g.guard.check();  // the user has heard of this change
        EXPECT_EQ(g.firstLines().back(), kSave) << c.name;
    }
    Guard unchanged;
    EXPECT_TRUE(unchanged.guard.maySave(unchanged.path));
    EXPECT_TRUE(unchanged.guard.maySave(unchanged.path + ".elsewhere"));
    EXPECT_TRUE(unchanged.prompter.messages.empty());
}

// Changes seen while a question is open wait for it, and then ask once more.
TEST(FileChangeGuard, twoChangesWhileAQuestionIsOpenAreAskedAboutOnceItHasClosed) {
    Guard g;
    append(g.path);
    g.prompter.during = [&g] {
        append(g.path);
        g.guard.check();
        replaceByRename(g.path);
        g.guard.check();
    };
    g.prompter.answers = {Answer::No, Answer::Yes};
    g.guard.check();
    EXPECT_EQ(g.firstLines(), (std::vector<std::string>{kChanged, kChanged}));
    EXPECT_EQ(g.reloads, 1);
    EXPECT_EQ(test::readRawFile(g.path), "<p>new</p>\n");
}

}  // namespace
}  // namespace tagloom
