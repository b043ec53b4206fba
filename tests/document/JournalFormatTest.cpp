// The bytes of a recovery journal: written, read back, cut short anywhere
// and damaged anywhere, and replayed onto the text they apply to.
#include "document/JournalFormat.h"

#include <gtest/gtest.h>

#include <random>

namespace tagloom {
namespace {

using State = JournalReading::State;
using Kind = JournalRecord::Kind;

JournalHeader sampleHeader() {
    JournalHeader header;
    header.path = "/home/ann/site/index.html";
    header.identity = FileIdentity{2049, 1234567, 17, 1765300000, 123456789};
    header.unixFile = true;
    header.baseLength = 17;
    header.baseChecksum = textChecksum("<p>hello</p>\r\nab");
    return header;
}

const std::vector<JournalRecord> kRecords = {
    {Kind::Edit, 3, 0, "big "},
    {Kind::Edit, 0, 2, ""},
    {Kind::Edit, 5, 1, std::string("x\0y", 3)},
};

std::string sampleJournal() {
    std::string bytes = encodeJournalHeader(sampleHeader());
    for (const JournalRecord& r : kRecords) appendJournalRecord(bytes, r.kind, r.position, r.removed, r.inserted);
    return bytes;
}

TEST(JournalFormat, readsBackTheHeaderAndEveryRecordItWasWritten) {
    for (const bool named : {true, false}) {
        JournalHeader header = sampleHeader();
        if (!named) {
            header.path.clear();
            header.identity.reset();
        }
        std::string bytes = encodeJournalHeader(header);
        for (const JournalRecord& r : kRecords) appendJournalRecord(bytes, r.kind, r.position, r.removed, r.inserted);
        const JournalReading reading = readJournal(bytes);
        EXPECT_EQ(reading.state, State::Whole);
        EXPECT_EQ(reading.header, header);
        EXPECT_EQ(reading.records, kRecords);
    }
}

// Every length short of the whole reads as the records that fit whole; a
// header cut short reads as nothing at all.
TEST(JournalFormat, aJournalCutShortAnywhereKeepsItsWholeRecords) {
    const std::string bytes = sampleJournal();
    const std::size_t headerSize = encodeJournalHeader(sampleHeader()).size();
    std::vector<std::size_t> recordEnds;
    std::string partial = encodeJournalHeader(sampleHeader());
    for (const JournalRecord& r : kRecords) {
        appendJournalRecord(partial, r.kind, r.position, r.removed, r.inserted);
        recordEnds.push_back(partial.size());
    }
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const JournalReading reading = readJournal(std::string_view(bytes).substr(0, length));
        if (length < headerSize) {
            EXPECT_EQ(reading.state, State::Unreadable) << length;
            continue;
        }
        const std::size_t whole = static_cast<std::size_t>(
            std::upper_bound(recordEnds.begin(), recordEnds.end(), length) - recordEnds.begin());
        EXPECT_EQ(reading.state, length == headerSize || (whole > 0 && recordEnds[whole - 1] == length)
                                     ? State::Whole
                                     : State::CutShort)
            << length;
        EXPECT_EQ(reading.records, std::vector<JournalRecord>(kRecords.begin(), kRecords.begin() + whole)) << length;
    }
}

// A changed byte is never read as an edit: the header or the record that
// holds it fails its checksum, and reading stops before it.
TEST(JournalFormat, aDamagedByteNeverComesBackAsAnEdit) {
    const std::string bytes = sampleJournal();
    const std::size_t headerSize = encodeJournalHeader(sampleHeader()).size();
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x20);
        const JournalReading reading = readJournal(damaged);
        if (at < headerSize) {
            EXPECT_EQ(reading.state, State::Unreadable) << at;
            continue;
        }
        EXPECT_EQ(reading.state, State::CutShort) << at;
        for (std::size_t i = 0; i < reading.records.size(); ++i) EXPECT_EQ(reading.records[i], kRecords[i]) << at;
        EXPECT_LT(reading.records.size(), kRecords.size()) << at;
    }
}

TEST(JournalFormat, replayAppliesTheEditsInOrderAndASnapshotReplacesTheText) {
    struct Case {
        const char* name;
        std::string base;
        std::vector<JournalRecord> records;
        std::optional<std::string> text;
        std::size_t lastEdit;
    };
    const std::vector<Case> cases = {
        {"edits", "<p>hello</p>", {{Kind::Edit, 3, 5, "bye"}, {Kind::Edit, 0, 0, "\r\n"}}, "\r\n<p>bye</p>", 2},
        {"a snapshot, then an edit", "old", {{Kind::Snapshot, 0, 3, "new text"}, {Kind::Edit, 8, 0, "!"}},
         "new text!", 9},
        {"no records", "same", {}, "same", 0},
        {"an edit past the end", "abc", {{Kind::Edit, 4, 0, "x"}}, std::nullopt, 0},
        {"a removal past the end", "abc", {{Kind::Edit, 1, 3, ""}}, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        const std::optional<ReplayedText> replayed = replayJournal(c.base, c.records);
        ASSERT_EQ(replayed.has_value(), c.text.has_value()) << c.name;
        if (!replayed) continue;
        EXPECT_EQ(replayed->text, *c.text) << c.name;
        EXPECT_EQ(replayed->lastEdit, c.lastEdit) << c.name;
    }
}

}  // namespace
}  // namespace tagloom
