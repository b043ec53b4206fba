// The journal the editor keeps of unsaved edits: what reaches it at each
// flush replays to the text the control holds, from the file it was loaded
// from or saved to, whatever the edits, and a journal that cannot be
// written says so once and catches up later.
#include "document/RecoveryJournal.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

#include "FaultInjection.h"
#include "document/FileIO.h"
#include "document/JournalRecovery.h"
#include "support/FakePlatform.h"
#include "support/TestFiles.h"

namespace tagloom {
namespace {

struct Journal {
    Journal() : folder(home.filePath("recovery").toStdString()) {}

    // Opens the file at path as the editor does, or an empty Untitled text.
    void open(const std::string& path = {}) {
        if (path.empty()) {
            control.setText({});
            journal.setBase({{}, std::nullopt, false, 0, textChecksum({})}, RecoveryJournal::Base::Loaded);
        } else {
            ReadResult read = readTextFile(path);
            ASSERT_TRUE(read.ok);
            const DocumentOrigin origin{path, read.identity, read.loaded.bUnixFile, read.fileLength, read.checksum};
            control.adoptText(std::move(read.loaded.text));
            journal.setBase(origin, RecoveryJournal::Base::Loaded);
        }
        journal.settle();
        control.setModify(false);
    }
    void edit(int at, int removed, std::string_view inserted) {
        control.setSel(at, at + removed);
        control.replaceSel(inserted);
        control.setModify(true);
    }
    // The text the journal holds now, read as start-up reads it.
    std::optional<std::string> recovered() const {
        if (!journal.file()) return std::nullopt;
        JournalRecovery recovery = recoverJournal(*journal.file());
        if (recovery.outcome != JournalRecovery::Outcome::Recovered) return std::nullopt;
        return recovery.recovered->text;
    }
    std::string text() const { return control.copyRange(0, control.length()); }

    QTemporaryDir home;
    std::string folder;
    EditControl control;
    test::FakePrompter prompter;
    test::FakeClock clock;
    RecoveryJournal journal{control, prompter, clock, folder};
};

TEST(RecoveryJournal, randomEditsFlushedAnywhereReplayToTheTextFromTheFileTheyApplyTo) {
    std::mt19937 random(17);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string pieces[] = {"<p>", "</p>", "\r\n", "caf\xC3\xA9", " ", "x", "\r\r\n", std::string(1, '\0')};
    for (const bool named : {true, false}) {
        Journal j;
        const std::string page = j.home.filePath("page.html").toStdString();
        test::writeRawFile(page, "<html>\n<body>\n<p>one</p>\n</body>\n</html>\n");
        j.open(named ? page : std::string());
        for (int step = 0; step < 400; ++step) {
            const int at = pick(0, j.control.length());
            j.edit(at, pick(0, std::min(6, j.control.length() - at)), pieces[pick(0, 7)]);
            if (pick(0, 9) == 0) {
                j.journal.flush();
                ASSERT_EQ(j.recovered(), j.text()) << step;
            }
        }
    }
}

// The edits before the text has nothing unsaved (the bookmarks a load puts
// back) and the carriage returns a save drops both come back.
TEST(RecoveryJournal, aTextThatDiffersFromItsFileByBookmarksOrCarriageReturnsComesBackWhole) {
    Journal j;
    const std::string page = j.home.filePath("page.html").toStdString();
    test::writeRawFile(page, "<p>a</p>\n<p>b</p>\n");
    ReadResult read = readTextFile(page);
    j.control.adoptText(std::move(read.loaded.text));
    j.journal.setBase({page, read.identity, false, read.fileLength, read.checksum}, RecoveryJournal::Base::Loaded);
    j.edit(8, 0, "\r");  // a bookmark on the first line
    j.journal.settle();
    j.control.setModify(false);
    j.edit(0, 0, "x");
    j.journal.flush();
    EXPECT_EQ(j.recovered(), std::optional<std::string>("x<p>a</p>\r\r\n<p>b</p>\r\n"));

    // A save writes neither the bookmark's CR nor a stray one, and a load
    // adds one before a bare LF: the journal puts the text as it was back.
    j.edit(0, 1, "\r\r\n\nstray\r");
    const WriteResult written = writeTextFile(page, j.text(), false);
    ASSERT_TRUE(written.ok);
    j.journal.setBase({page, fileIdentity(page), false, written.fileLength, written.checksum},
                      RecoveryJournal::Base::Saved);
    j.control.setModify(false);
    j.edit(j.control.length(), 0, "!");
    j.journal.flush();
    EXPECT_EQ(j.recovered(), j.text());
}

TEST(RecoveryJournal, aWholeTextChangeIsOneSnapshotAndTheJournalGoesWithTheUnsavedChanges) {
    Journal j;
    j.open();
    j.edit(0, 0, std::string(5000, 'a'));
    j.journal.flush();
    ASSERT_TRUE(j.journal.file());
    const std::string path = j.journal.file()->path();
    std::string formatted(20000, 'b');
    j.control.exchangeText(std::move(formatted));
    j.journal.flush();
    const JournalReading reading = readJournal(*readJournalBytes(*j.journal.file()));
    ASSERT_EQ(reading.records.size(), 1u);
    EXPECT_EQ(reading.records[0].kind, JournalRecord::Kind::Snapshot);
    EXPECT_EQ(j.recovered(), j.text());

    // Undo back to the saved text: nothing is unsaved, and nothing kept.
    j.control.setModify(false);
    j.journal.flush();
    EXPECT_FALSE(j.journal.file());
    EXPECT_FALSE(test::fileNamesIn(j.folder).size());
}

// A save drops the carriage returns of bookmarked lines and stray ones and
// writes bare LFs as line ends; the records that put them back come from a
// scan that passes over the CR LF pairs of a text in large steps. Wherever
// they stand in a page of thousands of lines (a whole-text change brings
// them in anywhere in one piece, edits in pieces of their own), the journal
// after the save gives back the text.
TEST(RecoveryJournal, theCarriageReturnsASaveDropsComeBackWhereverTheyStandInALargeText) {
    std::mt19937 random(23);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const std::string oddities[] = {"\r\r\n", "\n", "\r", "\rx", "\r\r", "\n\n"};
    for (int round = 0; round < 40; ++round) {
        Journal j;
        const std::string page = j.home.filePath("page.html").toStdString();
        test::writeRawFile(page, "<p>\n");
        j.open(page);
        std::string text;
        while (text.size() < 40000) {
            text += std::string(static_cast<std::size_t>(pick(0, 90)), 'a');
            text += pick(0, 9) == 0 ? oddities[pick(0, 5)] : "\r\n";
        }
        j.control.exchangeText(std::move(text));
        for (int i = 0, n = pick(0, 20); i < n; ++i) j.edit(pick(0, j.control.length()), 0, oddities[pick(0, 5)]);
        const WriteResult written = writeTextFile(page, controlText(j.control), pick(0, 1) == 1);
        ASSERT_TRUE(written.ok);
        j.journal.setBase({page, fileIdentity(page), false, written.fileLength, written.checksum},
                          RecoveryJournal::Base::Saved);
        j.control.setModify(false);
        j.edit(pick(0, j.control.length()), 0, "!");
        j.journal.flush();
        ASSERT_EQ(j.recovered(), j.text()) << "round " << round;
    }
}

// A snapshot is written from the text's pieces as they lie, never joined
// into one block first: a text of a gigabyte must not take a second
// gigabyte for it. The pieces are gathered into blocks: a few writes, not
// one a piece.
TEST(RecoveryJournal, aSnapshotOfATextInManyPiecesIsWrittenFromItsPiecesInBlocks) {
    Journal j;
    j.open();
    j.control.exchangeText(std::string(100000, 'a'));
    for (int i = 0; i < 50; ++i) j.edit(i * 1000, 0, "<b>");
    ASSERT_FALSE(j.control.isLockFree());
    const test::InjectedFault counting(j.folder, 1000000);
    j.journal.flush();
    EXPECT_LT(counting.operations(), 20);
    EXPECT_FALSE(j.control.isLockFree());
    const JournalReading reading = readJournal(*readJournalBytes(*j.journal.file()));
    ASSERT_EQ(reading.records.size(), 1u);
    EXPECT_EQ(reading.records[0].kind, JournalRecord::Kind::Snapshot);
    EXPECT_EQ(j.recovered(), j.text());
}

// Each open, write, sync and rename of the journal fails in turn: where the
// journal may have lost an edit the user is told once, the editor goes on,
// and the next edit after a minute writes a journal that holds the whole text.
TEST(RecoveryJournal, aJournalThatCannotBeWrittenIsNoticedOnceAndWrittenAgainAfterAMinute) {
    bool struck = true;
    for (int n = 1; struck; ++n) {
        Journal j;
        j.open();
        j.edit(0, 0, "<p>first</p>");
        {
            const test::InjectedFault fault(j.folder, n, ENOSPC);
            j.journal.flush();
            j.edit(3, 0, "second ");
            j.journal.flush();
            struck = fault.struck();
        }
        if (!struck) break;
        if (j.prompter.messages.empty()) {
            // A failure that cost nothing (the sync of the folder after a
            // rename) leaves a journal that holds the text.
            EXPECT_EQ(j.recovered(), j.text()) << n;
            continue;
        }
        ASSERT_EQ(j.prompter.messages.size(), 1u) << n;
        EXPECT_EQ(j.prompter.messages[0],
                  (Message{"Unsaved changes cannot be kept for recovery:\nNo space left on device", "Tagloom - Recovery",
                           Buttons::Ok, Icon::Warning, 0}))
            << n;
        j.edit(0, 0, "third ");
        j.journal.flush();
        j.clock.now += RecoveryJournal::kRetryMs;
        j.journal.flush();
        EXPECT_EQ(j.recovered(), j.text()) << n;
        EXPECT_EQ(j.prompter.messages.size(), 1u) << n;
    }
}

}  // namespace
}  // namespace tagloom
