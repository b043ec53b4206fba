// Start-up and the journals of editors that ended unsaved: which are
// offered, what each answer does, and what cannot be read.
#include "app/StartupRecovery.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>

#include "document/FileIO.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"

namespace tagloom {
namespace {

using Kind = JournalRecord::Kind;

struct Startup {
    Startup() : folder(home.filePath("recovery").toStdString()) {}

    // A journal left behind, of an Untitled text typed as `typed`.
    std::string untitled(const std::string& typed, bool cutShort = false) {
        std::string bytes = encodeJournalHeader({});
        appendJournalRecord(bytes, Kind::Edit, 0, 0, typed);
        if (cutShort) {
            appendJournalRecord(bytes, Kind::Edit, 0, 0, "lost");
            bytes.pop_back();
        }
        return leave(bytes);
    }
    std::string leave(const std::string& bytes) {
        const std::string path = JournalFile::newPath(folder);
        EXPECT_TRUE(JournalFile::create(path, bytes));  // closed again: as an editor that ended leaves it
        return path;
    }
    StartupRecovery recovery() {
        return StartupRecovery(prompter, {[this](RecoveredText&& text, JournalFile&& journal) {
                                              here.push_back(text.text);
                                              journal.remove();
                                          },
                                          [this](const std::string& path) {
                                              // The other instance must be able to take it over.
                                              EXPECT_TRUE(JournalFile::claim(path)) << path;
                                              elsewhere.push_back(path);
                                              return true;
                                          }});
    }

    QTemporaryDir home;
    std::string folder;
    test::FakePrompter prompter;
    std::vector<std::string> here;
    std::vector<std::string> elsewhere;
};

TEST(StartupRecovery, offersEachOrphanOpensTheFirstHereTheNextElsewhereAndDeletesThoseRefused) {
    Startup s;
    const std::string first = s.untitled("one");
    const std::string second = s.untitled("two");
    const std::string third = s.untitled("three");
    std::filesystem::last_write_time(first, std::filesystem::file_time_type::clock::now() - std::chrono::hours(3));
    std::filesystem::last_write_time(second, std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
    s.prompter.answers = {Answer::Yes, Answer::Yes, Answer::No};
    EXPECT_TRUE(s.recovery().offerOrphans(s.folder));
    ASSERT_EQ(s.prompter.messages.size(), 3u);
    EXPECT_EQ(s.prompter.messages[0],
              (Message{"Tagloom ended before the changes to Untitled were saved.\n\nRecover them?", "Tagloom - Recover",
                       Buttons::YesNo, Icon::Question, 0}));
    EXPECT_EQ(s.here, (std::vector<std::string>{"one"}));
    EXPECT_EQ(s.elsewhere, (std::vector<std::string>{second}));
    EXPECT_FALSE(std::filesystem::exists(third));
}

TEST(StartupRecovery, aJournalStillHeldIsNotOfferedAndOneCutShortSaysSo) {
    Startup s;
    const std::string path = JournalFile::newPath(s.folder);
    std::string bytes = encodeJournalHeader({});
    appendJournalRecord(bytes, Kind::Edit, 0, 0, "live");
    const std::optional<JournalFile> held = JournalFile::create(path, bytes);
    s.untitled("kept", true);
    s.prompter.answers = {Answer::Yes};
    EXPECT_TRUE(s.recovery().offerOrphans(s.folder));
    ASSERT_EQ(s.prompter.messages.size(), 1u);
    EXPECT_EQ(s.prompter.messages[0].text,
              "Tagloom ended before the changes to Untitled were saved (the last changes could not be read).\n\n"
              "Recover them?");
    EXPECT_EQ(s.here, (std::vector<std::string>{"kept"}));
    EXPECT_TRUE(std::filesystem::exists(path));
}

// The edits apply to the file as it was when they were made, kept beside
// the journal, even after another program replaced it.
TEST(StartupRecovery, editsToAFileChangedSinceApplyToTheTextTheyWereMadeTo) {
    Startup s;
    const std::string page = s.home.filePath("page.html").toStdString();
    test::writeRawFile(page, "<p>old</p>\n");
    const ReadResult read = readTextFile(page);
    JournalHeader header{page, read.identity, true, read.fileLength, read.checksum};
    std::string bytes = encodeJournalHeader(header);
    appendJournalRecord(bytes, Kind::Edit, 3, 3, "edited");
    const std::string journal = JournalFile::newPath(s.folder);
    ASSERT_TRUE(JournalFile::linkBase(journal, page));
    ASSERT_TRUE(JournalFile::create(journal, bytes));
    test::writeRawFile(page + ".new", "<p>replaced by another program</p>\n");
    std::filesystem::rename(page + ".new", page);

    s.prompter.answers = {Answer::Yes};
    EXPECT_TRUE(s.recovery().offerOrphans(s.folder));
    EXPECT_EQ(s.here, (std::vector<std::string>{"<p>edited</p>\r\n"}));
    ASSERT_EQ(s.prompter.messages.size(), 1u);
    EXPECT_EQ(s.prompter.messages[0].text, "Tagloom ended before the changes to " + page +
                                               " were saved.\n\nRecover them?\n\nThe file was changed since then; "
                                               "saving will replace it.");
}

// Nothing can be made of a journal without a whole header, nor of one whose
// text is gone: each is kept under another name, named in one message, and
// start-up goes on.
TEST(StartupRecovery, journalsThatCannotBeReadAreKeptAndNamedInOneMessage) {
    Startup s;
    const std::string broken = s.leave("TAGLOOM-RECOVERY 1\n\x01");
    JournalHeader header{s.home.filePath("gone.html").toStdString(), FileIdentity{1, 2, 3, 4, 5}, false, 3, 99};
    std::string bytes = encodeJournalHeader(header);
    appendJournalRecord(bytes, Kind::Edit, 0, 0, "x");
    const std::string orphanOfGone = s.leave(bytes);
    EXPECT_FALSE(s.recovery().offerOrphans(s.folder));
    ASSERT_EQ(s.prompter.messages.size(), 1u);
    const Message& message = s.prompter.messages[0];
    EXPECT_EQ(message.title, "Tagloom - Recover");
    for (const std::string& path : {broken, orphanOfGone}) {
        EXPECT_NE(message.text.find(path + ".unreadable"), std::string::npos) << message.text;
        EXPECT_TRUE(std::filesystem::exists(path + ".unreadable"));
    }
    EXPECT_TRUE(s.here.empty());
}

}  // namespace
}  // namespace tagloom
